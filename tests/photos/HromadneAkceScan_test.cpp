// Which files the batch actions take from a folder, and the names a file
// under a temporary name stands for.
#include "photos/batch/HromadneAkceScan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "photos/batch/HromadneAkceKinds.h"
#include "tests/photos/BatchTree.h"

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Media;

TEST(HromadneAkceKinds, ExtensionsAndTemporaryNames) {
  EXPECT_TRUE(IsJpegExt("jpeg"));
  EXPECT_TRUE(IsPictureExt("Heic"));
  EXPECT_TRUE(IsVideoExt("3gp"));
  EXPECT_FALSE(IsMediaExt("txt"));
  EXPECT_TRUE(IsJpegFile("/a.b/X.JPG"));
  EXPECT_FALSE(IsJpegFile("/a.jpg/x"));
  const struct {
    const char* name;
    const char* standing;
  } names[] = {
      {"x.jpg", "x.jpg"},
      {"x.jpg.~qm.tmp", "x.jpg"},
      {"x.JPG.~QM.TMP.~qm.tmp", "x.JPG"},
      {"x.mov.~qm.tmp.~qm.tmp.~qm.tmp", "x.mov"},
      // more than three: not ours
      {"x.jpg.~qm.tmp.~qm.tmp.~qm.tmp.~qm.tmp", "x.jpg.~qm.tmp.~qm.tmp.~qm.tmp.~qm.tmp"},
      {"x.~qm.tmp", "x.~qm.tmp"},
      {"notes.txt.~qm.tmp", "notes.txt.~qm.tmp"},
      // A user's own names, which no run of the program makes.
      {"x.jpg.tmp", "x.jpg.tmp"},
      {"photo.jpg-tmp", "photo.jpg-tmp"},
  };
  for (const auto& n : names) EXPECT_EQ(StandingName(n.name), n.standing) << n.name;
  EXPECT_TRUE(IsNumberedStampName("20131005_100000-0001.jpg"));
  EXPECT_FALSE(IsNumberedStampName("20131005_100000-0001.png"));
  EXPECT_FALSE(IsNumberedStampName("20131005_100000.jpg"));
  EXPECT_FALSE(IsNumberedStampName("2013100x_100000-0001.jpg"));
}

// Work names of a stopped rename are taken with the name they stand for;
// look-alike names of the user's own and special files named like photos are
// no photos of the batch actions.
TEST(HromadneAkceScan, TakesMediaAndLeftoversButNoThumbnailsLinksOrSpecialFiles) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string root = dir.Path();
  const TDateTime date = At(2013, 10, 5, 7, 56, 3);
  for (const char* name : {"a.jpg", "b.JPEG", "c.png", "d.mov", "thumb_x.jpg", "notes.txt",
                           "y.jpg.~qm.tmp", "own.jpg.tmp", "20131005_100000-0002.jpg-tmp",
                           "IMG_9.jpg-tmp", "20131005_100001-0001.jpg"})
    Media(root, name, date);
  Media(root, "thumbs/t.jpg", date);
  Media(root, "sub/e.jpg", date);
  Media(root, "elsewhere/f.jpg", date);
  ASSERT_EQ(symlink((root + "/elsewhere").c_str(), (root + "/linked").c_str()), 0);
  ASSERT_EQ(symlink((root + "/a.jpg").c_str(), (root + "/link.jpg").c_str()), 0);
  ASSERT_EQ(mkfifo((root + "/pipe.jpg").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/null", (root + "/device.jpg").c_str()), 0);

  const TFolderScan scan = ScanFolder(root, {true, true});
  EXPECT_TRUE(scan.readable);
  std::vector<std::string> files, standing;
  for (const TMediaFile& f : scan.files) {
    files.push_back(StrFunc::ExtractName(f.path));
    standing.push_back(StrFunc::ExtractName(f.standing));
    EXPECT_EQ(f.fileDate, date) << f.path;
  }
  EXPECT_EQ(files, (std::vector<std::string>{"20131005_100001-0001.jpg", "a.jpg", "b.JPEG",
                                             "c.png", "d.mov", "y.jpg.~qm.tmp"}));
  EXPECT_EQ(standing, (std::vector<std::string>{"20131005_100001-0001.jpg", "a.jpg", "b.JPEG",
                                                "c.png", "d.mov", "y.jpg"}));
  EXPECT_EQ(scan.subfolders, (std::vector<std::string>{root + "/elsewhere", root + "/sub"}));
  EXPECT_EQ(ScanFolder(root, {true, false}).subfolders.size(), 3u);
  EXPECT_TRUE(ScanFolder(root, {false, true}).subfolders.empty());
  const TFolderScan missing = ScanFolder(root + "/missing", {true, true});
  EXPECT_TRUE(missing.files.empty());
  EXPECT_FALSE(missing.readable);

  TMediaFile file;
  EXPECT_TRUE(MediaFileOf(root + "/Y.JPG.~QM.TMP", file));
  EXPECT_EQ(file.path, root + "/y.jpg.~qm.tmp");
  EXPECT_EQ(file.standing, root + "/y.jpg");
  for (const char* none : {"link.jpg", "notes.txt", "sub", "own.jpg.tmp", "IMG_9.jpg-tmp",
                           "pipe.jpg", "device.jpg"})
    EXPECT_FALSE(MediaFileOf(root + "/" + none, file)) << none;
}

TEST(HromadneAkceScan, AFileArgumentIsTakenByItsOwnNameEvenWithWildcardCharacters) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string root = dir.Path();
  Media(root, "x1.jpg", At(2011, 1, 1));
  Media(root, "x?.jpg", At(2012, 2, 2));
  TMediaFile file;
  ASSERT_TRUE(MediaFileOf(root + "/x?.jpg", file));
  EXPECT_EQ(file.path, root + "/x?.jpg");
  EXPECT_EQ(file.fileDate, At(2012, 2, 2));
  ASSERT_TRUE(MediaFileOf(root + "/X?.JPG", file));
  EXPECT_EQ(file.path, root + "/x?.jpg");
  // "*" names no file here, however many it would match as a mask.
  EXPECT_FALSE(MediaFileOf(root + "/*.jpg", file));
  EXPECT_FALSE(MediaFileOf(root + "/x*", file));
}

}  // namespace
