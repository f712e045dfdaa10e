#include "photos/ImgListFormRows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

TEST(ImageListRows, DisplayTextsSplitIntoDateTimeAndText) {
  struct Case {
    std::string text;
    std::array<std::string, 3> row;
  };
  const Case cases[] = {
      {"05.02.2007 | 07:56:00 | Na horách", {"05.02.2007", "07:56:00", "Na horách"}},
      {"bez oddělovače", {"", "", "bez oddělovače"}},
      {"a|b", {"a", "", "b"}},
      {"a|b|c|d", {"a", "b", "c|d"}},
      {"d|t|" + std::string(300, 'x'), {"d", "t", std::string(253, 'x')}},
  };
  for (const Case& c : cases) EXPECT_EQ(ImgListForm::RowOf(c.text), c.row) << c.text;
}

}  // namespace
