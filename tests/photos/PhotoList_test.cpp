// The photo list: display texts, which files it takes, and the two orders.
#include "photos/PhotoList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/DateFunc.h"
#include "tests/support/TestSupport.h"

namespace {

using testsupport::CopyPhoto;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::string Names(const TPhotoListing& listing, const std::string& dir) {
  std::string names;
  for (const TPhotoEntry& entry : listing.Entries) {
    names += (names.empty() ? "" : " ") + entry.Path.substr(dir.size() + 1);
  }
  return names;
}

std::string Copy(const TempDir& dir, const char* photo, const std::string& name) {
  std::filesystem::copy_file(testsupport::PhotoPath(photo), dir.File(name));
  return dir.File(name);
}

const int32_t kDay = DateFunc::DMYToDayNum(9, 6, 2001);
const int32_t kSeconds = DateFunc::EncodeSeconds(15, 17, 32);

TEST(PhotoList, DisplayTextJoinsTheCommentLinesAfterDateAndTime) {
  const struct {
    std::vector<std::string> lines;
    const char* text;
  } cases[] = {
      {{"x", " y ", "z"}, "09.06.2001|15:17:32|x y z"},
      {{}, "09.06.2001|15:17:32|IMG_1.jpg"},
      {{"  ", ""}, "09.06.2001|15:17:32|IMG_1.jpg"},
      {{"Žluťoučký kůň"}, "09.06.2001|15:17:32|Žluťoučký kůň"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PhotoList::DisplayText(c.lines, "IMG_1.jpg", kDay, kSeconds, "dd.mm.yyyy", "hh:mm:ss"),
              c.text);
  }
}

TEST(PhotoList, ALongCommentIsCutToTheWidthWithDotsAndTheTextTo100Characters) {
  EXPECT_EQ(PhotoList::CommentWidth("dd.mm.yyyy", "hh:mm:ss"), 78);
  const std::string word(50, 'a');
  const std::string text = PhotoList::DisplayText({word, word, "never"}, "n.jpg", kDay, kSeconds,
                                                  "dd.mm.yyyy", "hh:mm:ss");
  EXPECT_EQ(text, "09.06.2001|15:17:32|" + word + " " + std::string(24, 'a') + "...");

  // Widths count characters, not bytes.
  EXPECT_EQ(PhotoList::CommentWidth("dd.mm.yyyy", "hh:mm"), 81);
  EXPECT_EQ(PhotoList::DisplayText({"čř" + std::string(120, 'x')}, "n.jpg", kDay, kSeconds,
                                   "dd.mm.yyyy", "hh:mm"),
            "09.06.2001|15:17|čř" + std::string(76, 'x') + "...");

  // A file name is not cut to the comment width, only the whole text.
  std::string name;
  for (int i = 0; i < 120; ++i) name += "ž";
  name += ".jpg";
  EXPECT_EQ(PhotoList::DisplayText({}, name, kDay, kSeconds, "dd.mm.yyyy", "hh:mm:ss"),
            "09.06.2001|15:17:32|" + name.substr(0, 80 * 2));
}

TEST(PhotoList, TheListTakesJpegAndExifFilesThatExistAndCountsEveryPath) {
  TempDir dir;
  const std::vector<std::string> paths = {
      Copy(dir, "Canon_40D.jpg", "a.jpg"), Copy(dir, "Nikon_D70.jpg", "B.JPEG"),
      Copy(dir, "canon-ixus.jpg", "c.exif"), Copy(dir, "Canon_40D.jpg", "d.png"),
      dir.File("gone.jpg"), "  " + Copy(dir, "Sony_HDR-HC3.jpg", "e.Jpg") + "  ", dir.Path()};
  int steps = 0;
  TPhotoListOptions options;
  options.ByExposure = false;
  options.Step = [&steps] { ++steps; };
  const TPhotoListing listing = PhotoList::Load(paths, options);
  EXPECT_EQ(Names(listing, dir.Path()), "a.jpg B.JPEG c.exif e.Jpg");
  EXPECT_EQ(listing.Processed, 7);
  EXPECT_EQ(steps, 7);
  EXPECT_EQ(listing.Entries[0].Display, "30.05.2008|15:56:01|a.jpg");
  EXPECT_TRUE(PhotoList::IsListedName("x.JPEG"));
  EXPECT_FALSE(PhotoList::IsListedName("x.jpeg.txt"));
}

TEST(PhotoList, ByExposureThenNameWithUndatedPhotosFirst) {
  TempDir dir;
  WriteFileBytes(dir.File("z_no_exif.jpg"), std::string("\xFF\xD8\xFF\xD9", 4));
  // A camera whose clock was never set writes empty dates.
  std::string zeros = testsupport::ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg"));
  for (size_t at; (at = zeros.find("2001:06:09 15:17:32")) != std::string::npos;)
    zeros.replace(at, 19, "0000:00:00 00:00:00");
  WriteFileBytes(dir.File("u_zeros.jpg"), zeros);
  const std::vector<std::string> paths = {
      Copy(dir, "Canon_40D.jpg", "m.jpg"),        // 2008-05-30
      Copy(dir, "canon-ixus.jpg", "y.jpg"),       // 2001-06-09
      Copy(dir, "canon-ixus.jpg", "X.jpg"),       // the same second
      Copy(dir, "nikon-e950.jpg", "k.jpg"),       // 2001-04-06
      dir.File("z_no_exif.jpg"),
      dir.File("u_zeros.jpg"),
  };
  const TPhotoListing listing = PhotoList::Load(paths, {});
  EXPECT_EQ(Names(listing, dir.Path()), "u_zeros.jpg z_no_exif.jpg k.jpg X.jpg y.jpg m.jpg");
  // No made-up date for them.
  EXPECT_EQ(listing.Entries[0].Display, "||u_zeros.jpg");
  EXPECT_EQ(listing.Entries[1].Display, "||z_no_exif.jpg");
  EXPECT_EQ(listing.Entries[2].Display, "06.04.2001|11:51:40|k.jpg");

  TPhotoListOptions byName;
  byName.ByExposure = false;
  EXPECT_EQ(Names(PhotoList::Load(paths, byName), dir.Path()),
            "k.jpg m.jpg u_zeros.jpg X.jpg y.jpg z_no_exif.jpg");
}

TEST(PhotoList, NamesThatDifferOnlyInCaseStayTwoPhotosInTheOrderGiven) {
  TempDir dir;
  const std::vector<std::string> paths = {Copy(dir, "canon-ixus.jpg", "img.jpg"),
                                          Copy(dir, "canon-ixus.jpg", "IMG.JPG"),
                                          Copy(dir, "canon-ixus.jpg", "Img.jpg")};
  for (bool byExposure : {true, false}) {
    TPhotoListOptions options;
    options.ByExposure = byExposure;
    EXPECT_EQ(Names(PhotoList::Load(paths, options), dir.Path()), "img.jpg IMG.JPG Img.jpg");
  }
}

TEST(PhotoList, NamesLongerThanTheRecordKeepTheirFullPathAndOrder) {
  TempDir dir;
  const std::string stem(78, 'n');
  // Equal in the record's 79 bytes; the rest decides.
  const std::vector<std::string> paths = {Copy(dir, "canon-ixus.jpg", stem + "_b.jpg"),
                                          Copy(dir, "canon-ixus.jpg", stem + "_a.jpg"),
                                          Copy(dir, "canon-ixus.jpg", stem + "č.jpg"),
                                          Copy(dir, "canon-ixus.jpg", "short.jpg")};
  const TPhotoListing listing = PhotoList::Load(paths, {});
  ASSERT_EQ(listing.Entries.size(), 4u);
  EXPECT_EQ(listing.Entries[0].Path, paths[1]);
  EXPECT_EQ(listing.Entries[1].Path, paths[0]);
  EXPECT_EQ(listing.Entries[2].Path, paths[2]);
  EXPECT_EQ(listing.Entries[3].Path, paths[3]);
  EXPECT_EQ(listing.Entries[2].Display, "09.06.2001|15:17:32|" + stem + "č.");
}

}  // namespace
