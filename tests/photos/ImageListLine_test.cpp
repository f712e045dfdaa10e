#include "photos/ImageListLine.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoListLine, NamePaddedTo23ThenTheFolderAndNeverRunIntoIt) {
  EXPECT_EQ(ImageList::ListLine("/foto/2013/IMG_0012.jpg"), "IMG_0012.jpg           /foto/2013");
  EXPECT_EQ(ImageList::ListLine("/f/žluťoučký_kůň.jpg"), "žluťoučký_kůň.jpg      /f");
  EXPECT_EQ(ImageList::ListLine("/f/name_of_22_chars__.jpg"), "name_of_22_chars__.jpg /f");
  EXPECT_EQ(ImageList::ListLine("/f/name_of_23_chars___.jpg"), "name_of_23_chars___.jpg /f");
  EXPECT_EQ(ImageList::ListLine("/f/photo_with_blanks_end  "), "photo_with_blanks_end   /f");
  EXPECT_EQ(ImageList::ListLine("/tmp/x/invalid_image00971_1.jpg"),
            "invalid_image00971_1.jpg /tmp/x");
  EXPECT_EQ(ImageList::ListLine("/f/žluťoučký_kůň_úpěl_ďábelské.jpg"),
            "žluťoučký_kůň_úpěl_ďábelské.jpg /f");
}

}  // namespace
