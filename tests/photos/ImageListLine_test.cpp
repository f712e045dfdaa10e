#include "photos/ImageListLine.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoListLine, NamePaddedToTheColumnThenTheFolderAndNeverRunIntoIt) {
  struct Case {
    const char* path;
    int width;
    const char* line;
  };
  const Case cases[] = {
      {"/foto/2013/IMG_0012.jpg", 23, "IMG_0012.jpg           /foto/2013"},
      {"/f/žluťoučký_kůň.jpg", 23, "žluťoučký_kůň.jpg      /f"},
      {"/f/name_of_22_chars__.jpg", 23, "name_of_22_chars__.jpg /f"},
      {"/f/name_of_23_chars___.jpg", 23, "name_of_23_chars___.jpg /f"},
      {"/f/photo_with_blanks_end  ", 23, "photo_with_blanks_end   /f"},
      {"/tmp/x/invalid_image00971_1.jpg", 23, "invalid_image00971_1.jpg /tmp/x"},
      // A wider column, as a list with longer names has.
      {"/foto/IMG_0012.jpg", 32, "IMG_0012.jpg                    /foto"},
      {"/f/žluťoučký_kůň_úpěl_ďábelské.jpg", 32, "žluťoučký_kůň_úpěl_ďábelské.jpg /f"},
  };
  for (const Case& c : cases) EXPECT_EQ(ImageList::ListLine(c.path, c.width), c.line) << c.path;
}

TEST(PhotoListLine, TheColumnIsOneWiderThanTheLongestNameAndAtLeast23) {
  EXPECT_EQ(ImageList::NameWidth({}), 23);
  EXPECT_EQ(ImageList::NameWidth({"/a/IMG_0012.jpg", "/b/name_of_22_chars__.jpg"}), 23);
  EXPECT_EQ(ImageList::NameWidth({"/a/IMG_0012.jpg", "/a/name_of_23_chars___.jpg"}), 24);
  EXPECT_EQ(ImageList::NameWidth({"/f/žluťoučký_kůň_úpěl_ďábelské.jpg", "/x.jpg"}), 32);
}

}  // namespace
