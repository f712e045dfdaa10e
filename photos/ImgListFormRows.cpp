#include "photos/ImgListFormRows.h"

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"

namespace ImgListForm {

namespace {

// Longest text of one column, as the grid took it.
constexpr size_t kMaxColumnText = 255;

}  // namespace

std::array<std::string, 3> RowOf(const std::string& displayText) {
  std::array<std::string, 3> row;
  const size_t first = displayText.find('|');
  const std::string rest = Utf8::Left(
      first == std::string::npos ? displayText : displayText.substr(first + 1), kMaxColumnText);
  if (first != std::string::npos) row[0] = StrFunc::Trim(displayText.substr(0, first));
  const size_t second = rest.find('|');
  if (second == std::string::npos) {
    row[2] = StrFunc::Trim(rest);
  } else {
    row[1] = StrFunc::Trim(rest.substr(0, second));
    row[2] = StrFunc::Trim(rest.substr(second + 1));
  }
  return row;
}

}  // namespace ImgListForm
