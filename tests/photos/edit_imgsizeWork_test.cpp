#include "photos/bysize/edit_imgsizeWork.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/ConvertJPeg.h"
#include "tests/support/TestSupport.h"

namespace {

using edit_imgsize::TOverwrite;
using edit_imgsize::TPhoto;
using edit_imgsize::TResolutionList;
using edit_imgsize::TSortBy;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

class PhotosByResolution : public ::testing::Test {
 protected:
  // A test photo copied to rel below the base folder.
  void Photo(const std::string& testPhoto, const std::string& rel) {
    const std::string path = base_.File(rel);
    ASSERT_TRUE(DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(path)));
    ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath(testPhoto), path));
  }
  // A photo of exactly width x height pixels at rel.
  void Sized(const std::string& rel, int width, int height) {
    ASSERT_TRUE(ConvertJPeg::ConvertJpegFile(testsupport::PhotoPath("canon-ixus.jpg"),
                                             base_.File(rel), 0, width, height, 80));
  }
  // The fixture of most tests: six photos, one unreadable, in two folders.
  TResolutionList MakeList() {
    Photo("Canon_40D.jpg", "sub/Canon_40D.jpg");             // 100 x 68, class 147
    Photo("canon-ixus.jpg", "ixus.jpg");                     // 640 x 480, 133
    Photo("Fujifilm_FinePix_E500.jpg", "sub/fuji.jpg");      // 59 x 100, 169
    Sized("wide.jpg", 160, 100);                             // 160
    Sized("sub/hd.jpg", 178, 100);                           // 178
    WriteFileBytes(base_.File("broken.jpg"), "no picture");  // 0
    return TResolutionList(base_.Path(), edit_imgsize::CollectJpegFiles(base_.Path(), true).files,
                           {});
  }

  static std::vector<std::string> Texts(const std::vector<TResolutionList::TLine>& lines) {
    std::vector<std::string> texts;
    for (const auto& l : lines) texts.push_back(l.text);
    return texts;
  }

  testsupport::ScopedHome home_;
  TempDir base_;
  TempDir target_;
};

TEST_F(PhotosByResolution, JpegFilesOfTheFolderThenOfItsSubfolders) {
  for (const char* name : {"b.jpg", "a.JPEG", "thumb_x.jpg", "notes.txt", "thumbs/t.jpg",
                           "sub/c.jpg", "sub/THUMBS/d.jpg", "sub/e.heic"}) {
    DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(base_.File(name)));
    WriteFileBytes(base_.File(name), "x");
  }
  const std::string dir = base_.Path() + "/";
  ASSERT_EQ(mkfifo(base_.File("pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(edit_imgsize::CollectJpegFiles(base_.Path(), false).files,
            (std::vector<std::string>{dir + "a.JPEG", dir + "b.jpg"}));
  EXPECT_EQ(edit_imgsize::CollectJpegFiles(base_.Path(), true).files,
            (std::vector<std::string>{dir + "a.JPEG", dir + "b.jpg", dir + "sub/c.jpg"}));
}

TEST_F(PhotosByResolution, ListLines) {
  struct Case {
    TPhoto photo;
    int widthDigits, heightDigits;
    const char* line;
  };
  const Case cases[] = {
      {{"", "a/x.jpg", 640, 480, 133, false}, 3, 3, "1.33   640 x 480   a/x.jpg"},
      {{"", "x.jpg", 640, 480, 133, false}, 4, 4, "1.33    640 x  480   x.jpg"},
      {{"", "x.jpg", 4000, 2500, 160, false}, 4, 4, "1.60   4000 x 2500   x.jpg"},
      {{"", "x.jpg", 0, 0, 0, false}, 4, 3, "                    x.jpg"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(edit_imgsize::ListLine(c.photo, c.widthDigits, c.heightDigits), c.line);
}

TEST_F(PhotosByResolution, ClassesAndTheThreeOrders) {
  const TResolutionList list = MakeList();
  EXPECT_EQ(Texts(list.Lines(TSortBy::Ratio, false, false)),
            (std::vector<std::string>{
                "                   broken.jpg", "1.33   640 x 480   ixus.jpg",
                "1.47   100 x  68   sub/Canon_40D.jpg", "1.60   160 x 100   wide.jpg",
                "1.69    59 x 100   sub/fuji.jpg", "1.78   178 x 100   sub/hd.jpg"}));
  EXPECT_EQ(
      Texts(list.Lines(TSortBy::Width, true, false)),
      (std::vector<std::string>{"                   broken.jpg", "1.69    59 x 100   sub/fuji.jpg",
                                "1.47   100 x  68   sub/Canon_40D.jpg",
                                "1.78   178 x 100   sub/hd.jpg", "1.33   640 x 480   ixus.jpg"}));
  EXPECT_EQ(Texts(list.Lines(TSortBy::Height, true, true)),
            (std::vector<std::string>{
                "                   broken.jpg", "1.47   100 x  68   sub/Canon_40D.jpg",
                "1.69    59 x 100   sub/fuji.jpg", "1.33   640 x 480   ixus.jpg"}));
  EXPECT_EQ(edit_imgsize::CountText(4), "Počet souborů: 4");
}

TEST_F(PhotosByResolution, MovedPhotosKeepTheirFoldersAndLeaveTheList) {
  TResolutionList list = MakeList();
  std::vector<size_t> chosen;
  for (const auto& line : list.Lines(TSortBy::Ratio, false, false)) {
    if (line.text.find("ixus") != std::string::npos || line.text.find("Canon") != std::string::npos)
      chosen.push_back(line.photo);
  }
  ASSERT_EQ(chosen.size(), 2u);
  const auto r = list.Move(chosen, target_.Path(), {}, {});
  EXPECT_EQ(r.moved, 2);
  EXPECT_EQ(edit_imgsize::Summary(r), "");
  EXPECT_EQ(DosFunc::FindFiles(target_.Path(), true),
            (std::vector<std::string>{"ixus.jpg", "sub/Canon_40D.jpg"}));
  EXPECT_FALSE(DosFunc::FileExistsLong(base_.File("ixus.jpg")));
  const auto lines = list.Lines(TSortBy::Width, false, false);
  ASSERT_EQ(lines.size(), 4u);
  for (const auto& line : lines) {
    const TPhoto& p = list.Photos()[line.photo];
    EXPECT_FALSE(p.moved);
    EXPECT_EQ(line.text.substr(line.text.size() - p.relative.size()), p.relative);
  }
}

TEST_F(PhotosByResolution, AMoveIntoTheSameFolderIsRefused) {
  TResolutionList list = MakeList();
  for (const std::string& target : {base_.Path(), base_.Path() + "/", std::string(" ")}) {
    const auto r = list.Move({0, 1}, target, {}, {});
    EXPECT_FALSE(r.refusal.empty()) << target;
    EXPECT_EQ(r.moved, 0);
  }
  EXPECT_EQ(list.Lines(TSortBy::Ratio, false, false).size(), 6u);
}

TEST_F(PhotosByResolution, AFileAlreadyThereIsReplacedOnlyWhenTheUserSaysSo) {
  TResolutionList list = MakeList();
  const std::vector<TPhoto>& photos = list.Photos();
  size_t ixus = 0, wide = 0, canon = 0;
  for (size_t i = 0; i < photos.size(); ++i) {
    if (photos[i].relative == "ixus.jpg") ixus = i;
    if (photos[i].relative == "wide.jpg") wide = i;
    if (photos[i].relative == "sub/Canon_40D.jpg") canon = i;
  }
  WriteFileBytes(target_.File("ixus.jpg"), "older ixus");
  WriteFileBytes(target_.File("wide.jpg"), "older wide");
  DosFunc::ForceDirectoriesLong(target_.File("sub"));
  WriteFileBytes(target_.File("sub/canon_40d.JPG"), "another photo");
  const std::string ixusBytes = ReadFileBytes(base_.File("ixus.jpg"));

  // Without a question nothing is replaced; a name differing only in case
  // is never taken.
  auto r = list.Move({ixus, canon}, target_.Path(), {}, {});
  EXPECT_EQ(r.moved, 0);
  ASSERT_EQ(r.caseClashes.size(), 1u);
  EXPECT_EQ(r.caseClashes[0].back(), target_.File("sub/canon_40d.JPG"));
  EXPECT_EQ(ReadFileBytes(target_.File("ixus.jpg")), "older ixus");
  EXPECT_EQ(ReadFileBytes(target_.File("sub/canon_40d.JPG")), "another photo");

  std::vector<std::string> asked;
  auto answer = [&](TOverwrite a) {
    return [&asked, a](const std::string&, const std::string& target) {
      asked.push_back(target);
      return a;
    };
  };
  r = list.Move({ixus}, target_.Path(), answer(TOverwrite::Skip), {});
  EXPECT_EQ(r.moved, 0);
  r = list.Move({wide, ixus}, target_.Path(), answer(TOverwrite::Stop), {});
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(asked, (std::vector<std::string>{target_.File("ixus.jpg"), target_.File("wide.jpg")}));
  EXPECT_EQ(ReadFileBytes(target_.File("ixus.jpg")), "older ixus");
  r = list.Move({ixus}, target_.Path(), answer(TOverwrite::Replace), {});
  EXPECT_EQ(r.moved, 1);
  EXPECT_EQ(ReadFileBytes(target_.File("ixus.jpg")), ixusBytes);
  EXPECT_FALSE(DosFunc::FileExistsLong(base_.File("ixus.jpg")));
}

TEST_F(PhotosByResolution, SelectAllTogglesAndOpeningHandsThePhotoOn) {
  EXPECT_TRUE(edit_imgsize::SelectAll(0));
  EXPECT_TRUE(edit_imgsize::SelectAll(1));
  EXPECT_FALSE(edit_imgsize::SelectAll(2));

  const std::string log = target_.File("opened.log");
  testsupport::ScopedEnv openLog("QUILLMARSH_OPEN_LOG", log);
  WriteFileBytes(base_.File("a.jpg"), "x");
  EXPECT_EQ(edit_imgsize::OpenPhoto(base_.File("a.jpg")), "");
  EXPECT_EQ(ReadFileBytes(log), base_.File("a.jpg") + "\n");
  EXPECT_NE(edit_imgsize::OpenPhoto(base_.File("gone.jpg")).find("gone.jpg"), std::string::npos);
}

}  // namespace
