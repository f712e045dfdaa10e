// The photos-by-resolution list: sizes, classes, lines and their order.
#include <algorithm>
#include <utility>

#include "foundation/StrFunc.h"
#include "photos/JPegUtils.h"
#include "photos/bysize/edit_imgsizeWork.h"

namespace edit_imgsize {

namespace {

// Classes the window can hide: the ratios near 1.60 and 1.78 (Full HD).
constexpr int kClass160 = 160;
constexpr int kClass178 = 178;
// "1.33": four characters whatever the class.
constexpr char kClassPicture[] = "#.##";
constexpr int kSeparatorWidth = 3;

int DigitsOf(int value) { return static_cast<int>(std::to_string(value).size()); }

std::string SortKey(const TPhoto& p, TSortBy sortBy) {
  const int value = sortBy == TSortBy::Width    ? p.width
                    : sortBy == TSortBy::Height ? p.height
                                                : p.aspect;
  return StrFunc::PadRightS(StrFunc::PadLeftCh(std::to_string(value), '0', 5), 6);
}

bool Hidden(const TPhoto& p, bool hide160, bool hide178) {
  return p.moved || (hide160 && p.aspect == kClass160) || (hide178 && p.aspect == kClass178);
}

}  // namespace

std::string ListLine(const TPhoto& photo, int widthDigits, int heightDigits) {
  const std::string gap(kSeparatorWidth, ' ');
  if (photo.aspect == 0) {
    const int blanks = 4 + widthDigits + 3 + heightDigits + 2 * kSeparatorWidth;
    return std::string(static_cast<size_t>(blanks), ' ') + photo.relative;
  }
  return StrFunc::FormatNumber(kClassPicture, photo.aspect / 100.0L) + gap +
         StrFunc::PadLeftS(std::to_string(photo.width), widthDigits) + " x " +
         StrFunc::PadLeftS(std::to_string(photo.height), heightDigits) + gap + photo.relative;
}

bool SelectAll(size_t selectedCount) { return selectedCount < 2; }

TResolutionList::TResolutionList(const std::string& baseFolder,
                                 const std::vector<std::string>& files, const TProgress& progress)
    : base_(StrFunc::IncludeBackslash(baseFolder)) {
  const int total = static_cast<int>(files.size());
  int done = 0;
  int widest = 0;
  int highest = 0;
  for (const std::string& file : files) {
    TPhoto p;
    p.path = file;
    p.relative = file.rfind(base_, 0) == 0 ? file.substr(base_.size()) : file;
    if (!JPegUtils::GetJpegSize(file, p.width, p.height, p.aspect))
      p.width = p.height = p.aspect = 0;
    widest = std::max(widest, p.width);
    highest = std::max(highest, p.height);
    photos_.push_back(std::move(p));
    if (progress) progress(++done, total);
  }
  widthDigits_ = DigitsOf(widest);
  heightDigits_ = DigitsOf(highest);
}

std::vector<TResolutionList::TLine> TResolutionList::Lines(TSortBy sortBy, bool hide160,
                                                           bool hide178) const {
  struct TKeyed {
    std::string upper;
    std::string key;
    TLine line;
  };
  std::vector<TKeyed> keyed;
  for (size_t i = 0; i < photos_.size(); ++i) {
    const TPhoto& p = photos_[i];
    if (Hidden(p, hide160, hide178)) continue;
    TLine line{ListLine(p, widthDigits_, heightDigits_), i};
    std::string key = SortKey(p, sortBy) + line.text + "\t" + p.relative;
    keyed.push_back({StrFunc::UpperCaseCz(key), std::move(key), std::move(line)});
  }
  std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
    return a.upper != b.upper ? a.upper < b.upper : a.key < b.key;
  });
  std::vector<TLine> lines;
  lines.reserve(keyed.size());
  for (TKeyed& k : keyed) lines.push_back(std::move(k.line));
  return lines;
}

}  // namespace edit_imgsize
