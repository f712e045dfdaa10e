#include "photos/ImageListLine.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoListLine, NamePaddedTo23ThenTheFolder) {
  EXPECT_EQ(ImageList::ListLine("/foto/2013/IMG_0012.jpg"), "IMG_0012.jpg           /foto/2013");
  EXPECT_EQ(ImageList::ListLine("/f/žluťoučký_kůň.jpg"), "žluťoučký_kůň.jpg      /f");
  EXPECT_EQ(ImageList::ListLine("/f/a_name_longer_than_23_chars.jpg"),
            "a_name_longer_than_23_chars.jpg/f");
}

}  // namespace
