// The Batch menu's rename over a folder with every kind of derived file and
// a generated gallery: each page's links and images resolve afterwards and
// no page names an old name; every photo's content, side file, thumbnail,
// gallery outputs, ignore entry and checker entry stand under its new name.
// A photo whose new name is taken after planning keeps everything; a stopped
// run's work names are finished; a user's "_new" file is never touched, nor
// a user's file in a gallery. A journal that came with the folder reaches no
// folder but the folder and its galleries, and no name but its photos'.
#include "gallery/rename/PhotoRename.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryRecord.h"
#include "gallery/generate/HtmlText.h"
#include "gallery/checker/ImageCRCCache.h"
#include "gallery/rename/PageRewrite.h"
#include "gallery/rename/PhotoRenameJournal.h"
#include "photos/JPegUtils.h"
#include "photos/batchmenu/RenamePlan.h"
#include "platform/TextCodec.h"
#include "platform/TextLines.h"
#include "tests/gallery/RenameFixture.h"

namespace {

namespace fs = std::filesystem;
namespace L = GalleryLayout;
using testsupport::ReadFileBytes;

class PhotoRenameTest : public ::testing::Test {
 protected:
  void SetUp() override { renametest::MakeFolder(folder_, gallery_); }

  BatchMenu::TRenamePlan Plan() const {
    return BatchMenu::PlanRenames(folder_, renametest::ListPhotos(folder_), renametest::kPattern, 1, 1);
  }
  std::string Photo(const std::string& name) const { return folder_ + "/" + name; }
  std::string Out(const char* sub, const std::string& name) const { return L::OutputPath(gallery_, sub, name); }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
  const std::string folder_ = dir_.File("Fotky 2024");
  const std::string gallery_ = dir_.File("Fotky 2024/html");
};

TEST_F(PhotoRenameTest, EverythingDerivedFollowsThePhotosAndEveryLinkResolves) {
  const BatchMenu::TRenamePlan plan = Plan();
  ASSERT_EQ(plan.Refusal, BatchMenu::TRefusal::kNone);
  ASSERT_EQ(plan.Renames.size(), std::size(renametest::kPhotos));
  ASSERT_EQ(PhotoRename::GalleriesOf(folder_), std::vector<std::string>{gallery_});
  struct TBefore {
    std::string photo, side, thumb, th, foto, exifPage;
    int32_t crc = -1;
  };
  std::map<std::string, TBefore> before;
  for (const auto& record : ImageCRC::ReadCacheFile(Photo(OwnFiles::kCheckerCache))) before[record.name].crc = record.crc;
  for (const auto& [from, to] : plan.Renames) {
    TBefore& b = before[from];
    b.photo = ReadFileBytes(Photo(from));
    // A photo without EXIF has no side file.
    if (from != "plain.jpg") b.side = ReadFileBytes(BatchMenu::SideFilePath(Photo(from)));
    b.thumb = ReadFileBytes(JPegUtils::ThumbnailCacheFile(Photo(from)));
    if (from == renametest::kIgnored) continue;
    b.th = ReadFileBytes(Out(L::kThumbFolder, L::ThumbnailName(from)));
    b.foto = ReadFileBytes(Out(L::kPhotoFolder, L::SitePhotoName(from)));
    b.exifPage = from == "plain.jpg" ? "" : ReadFileBytes(Out(L::kExifFolder, L::ExifPageName(from)));
  }
  int steps = 0, finished = 0, finishing = -1;
  PhotoRename::TEvents events;
  events.Step = [&] { ++steps; };
  events.Finishing = [&](int count) { finishing = count; };
  events.Finished = [&] { ++finished; };
  const PhotoRename::TResult result = PhotoRename::Run(folder_, plan.Renames, {gallery_}, events);
  EXPECT_EQ(result.Renamed, static_cast<int>(plan.Renames.size()));
  EXPECT_TRUE(result.Failed.empty());
  EXPECT_TRUE(result.Unfinished.empty());
  EXPECT_TRUE(result.KeptOldNames.empty());
  EXPECT_EQ(steps, static_cast<int>(plan.Renames.size()));
  EXPECT_EQ(finished, finishing);
  EXPECT_GT(finished, static_cast<int>(plan.Renames.size()) * 3);

  for (const auto& [from, to] : plan.Renames) {
    SCOPED_TRACE(from + " -> " + to);
    const TBefore& b = before[from];
    EXPECT_FALSE(fs::exists(Photo(from)));
    EXPECT_EQ(ReadFileBytes(Photo(to)), b.photo);
    if (!b.side.empty()) {
      EXPECT_EQ(ReadFileBytes(BatchMenu::SideFilePath(Photo(to))), b.side);
    }
    EXPECT_FALSE(fs::exists(BatchMenu::SideFilePath(Photo(from))));
    EXPECT_EQ(ReadFileBytes(JPegUtils::ThumbnailCacheFile(Photo(to))), b.thumb);
    EXPECT_FALSE(fs::exists(JPegUtils::ThumbnailCacheFile(Photo(from))));
    if (from == renametest::kIgnored) continue;
    EXPECT_EQ(ReadFileBytes(Out(L::kThumbFolder, L::ThumbnailName(to))), b.th);
    EXPECT_EQ(ReadFileBytes(Out(L::kPhotoFolder, L::SitePhotoName(to))), b.foto);
    if (!b.exifPage.empty()) {
      EXPECT_EQ(ReadFileBytes(Out(L::kExifFolder, L::ExifPageName(to))), b.exifPage);
    }
    for (const char* size : {L::k800Folder, L::k1024Folder}) {
      EXPECT_FALSE(fs::exists(Out(size, L::PhotoPageName(from))));
      EXPECT_TRUE(fs::exists(Out(size, L::PhotoPageName(to))));
    }
  }
  int pages = 0;
  EXPECT_EQ(renametest::BrokenLinks(gallery_, pages), std::vector<std::string>{});
  // Two photo pages of each of the five photos not ignored, four EXIF pages
  // (the photo without EXIF has none), a frameset and a film strip per size.
  EXPECT_EQ(pages, 5 * 2 + 4 + 2 + 2);
  // No page names an old name, in a link or as the shown file name; the new
  // shown name is in the pages' character set.
  for (const auto& [rel, page] : renametest::Files(gallery_)) {
    // The gallery's record may name old files until the next generation.
    if (rel == GalleryRecord::kRecordName) continue;
    for (const auto& [from, to] : plan.Renames) {
      EXPECT_EQ(page.find("\"" + HtmlText::UrlPath(L::PhotoPageName(from))), std::string::npos) << rel << " " << from;
      EXPECT_EQ(page.find("_" + HtmlText::UrlPath(StrFunc::LowerCaseCz(from))), std::string::npos) << rel;
    }
  }
  // The record names every file the rename left in the gallery, so that the
  // next generation takes them for its own.
  GalleryRecord::TFiles recorded;
  ASSERT_EQ(GalleryRecord::Read(gallery_, recorded), GalleryRecord::TRead::kRead);
  for (const auto& [rel, page] : renametest::Files(gallery_)) {
    if (rel != GalleryRecord::kRecordName) {
      EXPECT_EQ(recorded.count(rel), 1u) << rel;
    }
  }
  std::string shown;
  ASSERT_TRUE(platform::EncodeWithReferences("soubor: léto&amp;0003.jpg", "windows-1250", shown));
  EXPECT_NE(ReadFileBytes(Out(L::k800Folder, "léto&0003.htm")).find(shown), std::string::npos);

  TIgnoreList ignore;
  ASSERT_TRUE(ignore.Load(folder_));
  const std::string ignoredNow = [&] {
    for (const auto& [from, to] : plan.Renames)
      if (from == renametest::kIgnored) return to;
    return std::string();
  }();
  EXPECT_EQ(ignore.Names(), std::vector<std::string>{ignoredNow});
  for (const auto& record : ImageCRC::ReadCacheFile(Photo(OwnFiles::kCheckerCache))) {
    const auto renamed = std::find_if(plan.Renames.begin(), plan.Renames.end(),
                                      [&](const auto& r) { return r.second == record.name; });
    ASSERT_NE(renamed, plan.Renames.end()) << record.name;
    EXPECT_EQ(record.crc, before[renamed->first].crc);
  }
  EXPECT_EQ(renametest::WorkNames(folder_), std::vector<std::string>{});
  EXPECT_FALSE(PhotoRename::HasLeftovers(folder_, {gallery_}));
}

TEST_F(PhotoRenameTest, APhotoWhoseNameIsTakenAfterPlanningKeepsEverythingAndSoDoesTheOneAfterIt) {
  // Swapped names: img1 -> x0002, img10 -> x0001 ... and a file appears at
  // x0002 before the run; img1 keeps its name, and so everything of it stays.
  BatchMenu::TRenames renames = {{"img1.jpg", "x0002.jpg"}, {"plain.jpg", "img1.jpg"}, {"img10.jpg", "x0001.jpg"}};
  testsupport::WriteFileBytes(Photo("x0002.jpg"), "appeared");
  const std::map<std::string, std::string> files = renametest::Files(folder_);
  const PhotoRename::TResult result = PhotoRename::Run(folder_, renames, {gallery_}, {});
  EXPECT_EQ(result.Failed, (std::vector<std::string>{"img1.jpg", "plain.jpg"}));
  EXPECT_EQ(result.Renamed, 1);
  EXPECT_TRUE(result.Unfinished.empty());
  std::map<std::string, std::string> now = renametest::Files(folder_);
  EXPECT_EQ(now.at("img1.jpg"), files.at("img1.jpg"));
  EXPECT_EQ(now.at("plain.jpg"), files.at("plain.jpg"));
  EXPECT_EQ(now.at("x0002.jpg"), "appeared");
  EXPECT_EQ(now.at("x0001.jpg"), files.at("img10.jpg"));
  // Of the failed photos nothing moved: side files, thumbnails, gallery
  // outputs; their pages stay, linking the renamed photo's new page.
  for (const char* kept : {"exif/img1.exif", "thumbs/thumb_img1.jpg", "thumbs/thumb_plain.jpg",
                           "html/th/th_img1.jpg", "html/foto/plain.jpg", "html/exif/exif_img1.htm"})
    EXPECT_EQ(now.at(kept), files.at(kept)) << kept;
  EXPECT_NE(now.at("html/800x600/img1.htm").find("href=\"x0001.htm\""), std::string::npos);
  EXPECT_EQ(now.count("html/800x600/img10.htm"), 0u);
  EXPECT_EQ(now.at("exif/x0001.exif"), files.at("exif/img10.exif"));
  int pages = 0;
  EXPECT_EQ(renametest::BrokenLinks(gallery_, pages), std::vector<std::string>{});
}

TEST_F(PhotoRenameTest, WorkNamesLeftWithoutAJournalTakeTheirNamesButNeverOverAFile) {
  fs::rename(Photo("img1.jpg"), Photo("x0001.jpg") + PhotoRename::kTempSuffix);
  fs::rename(Photo("thumbs/thumb_img1.jpg"), Photo("thumbs/thumb_x0001.jpg") + PhotoRename::kTempSuffix);
  // A stale cache file where it goes is replaced; a photo never.
  testsupport::WriteFileBytes(Photo("thumbs/thumb_x0001.jpg"), "stale");
  fs::copy_file(Photo("img10.jpg"), Photo("y.jpg") + PhotoRename::kTempSuffix);
  testsupport::WriteFileBytes(Photo("y.jpg"), "another photo");
  // A user's own file that looks like an old leftover is no work name.
  testsupport::WriteFileBytes(Photo("b c.jpeg_new"), "the user's");
  ASSERT_TRUE(PhotoRename::HasLeftovers(folder_, {gallery_}));
  const PhotoRename::TResult result = PhotoRename::FinishInterrupted(folder_, {gallery_}, {});
  EXPECT_EQ(result.Unfinished, std::vector<std::string>{Photo("y.jpg") + PhotoRename::kTempSuffix});
  EXPECT_TRUE(fs::exists(Photo("x0001.jpg")));
  EXPECT_NE(ReadFileBytes(Photo("thumbs/thumb_x0001.jpg")), "stale");
  EXPECT_EQ(ReadFileBytes(Photo("y.jpg")), "another photo");
  EXPECT_EQ(ReadFileBytes(Photo("b c.jpeg_new")), "the user's");
}

// A journal that came with the folder, its lines as they stand in the file.
void PlantJournal(const std::string& folder, const std::string& pass, const std::vector<std::string>& lines) {
  std::vector<std::string> all = {"Quillmarsh rename", "pass " + pass};
  all.insert(all.end(), lines.begin(), lines.end());
  testsupport::WriteFileBytes(PhotoRename::detail::JournalPath(folder), platform::JoinLines(all));
}

TEST_F(PhotoRenameTest, AJournalNamingAFolderThatIsNoGalleryOfTheFolderLeavesItAsItIs) {
  // Another folder with photos, thumbnails and pages, of no project.
  const std::string victim = dir_.File("victim");
  fs::copy(gallery_, victim, fs::copy_options::recursive);
  fs::copy_file(Photo("img1.jpg"), victim + "/img1.jpg");
  const std::map<std::string, std::string> before = renametest::Tree(victim);
  const BatchMenu::TRenamePlan plan = Plan();
  PhotoRename::detail::TJournal journal;
  journal.Galleries = {victim, gallery_};
  journal.Renames = plan.Renames;
  ASSERT_TRUE(PhotoRename::detail::WriteJournal(folder_, journal));

  const PhotoRename::TResult result = PhotoRename::FinishInterrupted(folder_, PhotoRename::GalleriesOf(folder_), {});
  EXPECT_EQ(renametest::Tree(victim), before);
  EXPECT_EQ(result.Refused, std::vector<std::string>{victim});
  // The rest is finished in the folder and its own gallery.
  EXPECT_TRUE(result.Unfinished.empty());
  EXPECT_EQ(result.Renamed, static_cast<int>(plan.Renames.size()));
  int pages = 0;
  EXPECT_EQ(renametest::BrokenLinks(gallery_, pages), std::vector<std::string>{});
  EXPECT_FALSE(PhotoRename::HasLeftovers(folder_, {gallery_}));
}

// A journal that came with the folder names new names its gallery's record
// never got (here the record cannot be written): the gallery's files keep
// their old names, so no file of the gallery stands under a name its record
// lacks and the next generation still takes the gallery as its own.
TEST_F(PhotoRenameTest, AGalleryFileMovesOnlyToANameItsRecordHolds) {
  PhotoRename::detail::TJournal journal;
  journal.Galleries = {gallery_};
  journal.Renames = Plan().Renames;
  ASSERT_TRUE(PhotoRename::detail::WriteJournal(folder_, journal));
  ASSERT_EQ(chmod(gallery_.c_str(), 0500), 0);
  const std::string said = testsupport::InChildWithPermissions([&] {
    const PhotoRename::TResult result = PhotoRename::FinishInterrupted(folder_, {gallery_}, {});
    return std::to_string(result.Renamed);
  });
  ASSERT_EQ(chmod(gallery_.c_str(), 0700), 0);
  EXPECT_EQ(said, std::to_string(journal.Renames.size()));
  GalleryRecord::TFiles record;
  ASSERT_EQ(GalleryRecord::Read(gallery_, record), GalleryRecord::TRead::kRead);
  std::vector<std::string> unrecorded;
  for (const char* sub : {"th", "foto", "exif"}) {
    if (!fs::exists(gallery_ + "/" + sub)) continue;
    for (const auto& entry : fs::directory_iterator(gallery_ + "/" + sub)) {
      const std::string name = entry.path().filename().string();
      if (record.count(GalleryRecord::Key(sub, name)) == 0) unrecorded.push_back(std::string(sub) + "/" + name);
    }
  }
  EXPECT_EQ(unrecorded, std::vector<std::string>{});
}

TEST_F(PhotoRenameTest, AJournalLineNamingNoPhotoOfTheFolderIsRefusedAndNothingItNamesIsTouched) {
  const std::string victim = dir_.File("victim");
  fs::create_directories(victim + "/th");
  fs::copy_file(Photo("img1.jpg"), victim + "/x.jpg");
  fs::copy_file(Photo("img1.jpg"), victim + "/th/th_img10.jpg");
  fs::copy_file(Photo("img10.jpg"), Photo("img10\x01.jpg"));
  const struct {
    std::string line, shown;
  } cases[] = {
      {victim + "/x.jpg\tnew1.jpg", victim + "/x.jpg -> new1.jpg"},
      {"../victim/x.jpg\tnew2.jpg", "../victim/x.jpg -> new2.jpg"},
      {"img10.jpg\t../victim/img10.jpg", "img10.jpg -> ../victim/img10.jpg"},
      {"img10.jpg\t" + victim + "/img10.jpg", "img10.jpg -> " + victim + "/img10.jpg"},
      {"html/foto/img10.jpg\tnew3.jpg", "html/foto/img10.jpg -> new3.jpg"},
      {"\tnew4.jpg", " -> new4.jpg"},
      {"img10.jpg\t", "img10.jpg -> "},
      {"img10.jpg\t.", "img10.jpg -> ."},
      {"img10.jpg\t..", "img10.jpg -> .."},
      {"..\tnew5.jpg", ".. -> new5.jpg"},
      {"img10%01.jpg\tnew6.jpg", "img10%01.jpg -> new6.jpg"},
      {"img10.jpg\tnew%0A.jpg", "img10.jpg -> new%0A.jpg"},
      {"img10.jpg\tnew%7F.jpg", "img10.jpg -> new%7F.jpg"},
      {".~qm-rename\tnew7.jpg", ".~qm-rename -> new7.jpg"},
      {"img10.jpg\tx.jpg.~qm_new", "img10.jpg -> x.jpg.~qm_new"},
      {"img10.jpg\t.hidden.jpg", "img10.jpg -> .hidden.jpg"},
      {"ignore.list\tz.jpg", "ignore.list -> z.jpg"},
      {"img10.jpg\tquillmarsh.cache", "img10.jpg -> quillmarsh.cache"},
      {"shared\t../victim/x.jpg", "../victim/x.jpg"},
  };
  for (const auto& c : cases) {
    for (const char* pass : {"1", "2", "3"}) {
      SCOPED_TRACE(c.line + " in pass " + pass);
      const std::map<std::string, std::string> before = renametest::Tree(dir_.Path());
      PlantJournal(folder_, pass, {c.line});
      const PhotoRename::TResult result = PhotoRename::FinishInterrupted(folder_, {gallery_}, {});
      EXPECT_EQ(result.Refused, std::vector<std::string>{c.shown});
      EXPECT_TRUE(result.Unfinished.empty());
      EXPECT_EQ(result.Renamed, 0);
      // The journal goes; nothing else changed.
      EXPECT_EQ(renametest::Tree(dir_.Path()), before);
    }
  }
}

TEST_F(PhotoRenameTest, APhotoWhoseNameNoJournalCouldHoldKeepsItsName) {
  fs::rename(Photo("img10.jpg"), Photo("img10\x01.jpg"));
  const PhotoRename::TResult result =
      PhotoRename::Run(folder_, {{"img10\x01.jpg", "x.jpg"}, {"img1.jpg", "y.jpg"}}, {gallery_}, {});
  EXPECT_EQ(result.Failed, std::vector<std::string>{"img10\x01.jpg"});
  EXPECT_EQ(result.Renamed, 1);
  EXPECT_TRUE(fs::exists(Photo("img10\x01.jpg")));
  EXPECT_FALSE(fs::exists(Photo("x.jpg")));
  EXPECT_TRUE(fs::exists(Photo("y.jpg")));
}

TEST_F(PhotoRenameTest, InAGalleryOnlyAFileOfItsRecordGivesWayToAWorkName) {
  const struct {
    const char* sub;
    std::string from, to;
    bool recorded;
  } cases[] = {
      // The user's own file keeps its place; the work name stays unfinished.
      {L::kThumbFolder, L::ThumbnailName("img1.jpg"), "th_mine.jpg", false},
      {L::kExifFolder, L::ExifPageName("img1.jpg"), "exif_mine.htm", false},
      // A stale output of the gallery's own is replaced.
      {L::kPhotoFolder, L::SitePhotoName("plain.jpg"), L::SitePhotoName("img10.jpg"), true},
  };
  GalleryRecord::TFiles record;
  ASSERT_EQ(GalleryRecord::Read(gallery_, record), GalleryRecord::TRead::kRead);
  std::vector<std::string> unfinished;
  for (const auto& c : cases) {
    ASSERT_EQ(record.count(GalleryRecord::Key(c.sub, c.to)) > 0, c.recorded) << c.to;
    if (!c.recorded) testsupport::WriteFileBytes(Out(c.sub, c.to), "the user's");
    fs::rename(Out(c.sub, c.from), Out(c.sub, c.to) + PhotoRename::kTempSuffix);
    if (!c.recorded) unfinished.push_back(Out(c.sub, c.to) + PhotoRename::kTempSuffix);
  }
  const std::string moved = ReadFileBytes(Out(L::kPhotoFolder, L::SitePhotoName("img10.jpg")) + PhotoRename::kTempSuffix);
  const PhotoRename::TResult result = PhotoRename::FinishInterrupted(folder_, {gallery_}, {});
  std::sort(unfinished.begin(), unfinished.end());
  std::vector<std::string> left = result.Unfinished;
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, unfinished);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    if (c.recorded) {
      EXPECT_EQ(ReadFileBytes(Out(c.sub, c.to)), moved);
    } else {
      EXPECT_EQ(ReadFileBytes(Out(c.sub, c.to)), "the user's");
      EXPECT_TRUE(fs::exists(Out(c.sub, c.to) + PhotoRename::kTempSuffix));
    }
  }
}

TEST(PhotoRenameLinks, ASubfolderThatIsALinkIsLeftAsItIsAndWhatItHoldsKeepsItsNames) {
  // Each subfolder a rename works in, swapped for a link to a folder
  // elsewhere that holds what it held.
  for (const char* sub : {"thumbs", "exif", "html/th", "html/foto", "html/exif", "html/800x600"}) {
    SCOPED_TRACE(sub);
    testsupport::ScopedHome home;
    testsupport::TempDir dir;
    const std::string folder = dir.File("Fotky"), gallery = folder + "/html", victim = dir.File("victim");
    renametest::MakeFolder(folder, gallery);
    fs::rename(folder + "/" + sub, victim);
    fs::create_directory_symlink(victim, folder + "/" + sub);
    const std::map<std::string, std::string> before = renametest::Tree(victim);
    const BatchMenu::TRenamePlan plan =
        BatchMenu::PlanRenames(folder, renametest::ListPhotos(folder), renametest::kPattern, 1, 1);
    const PhotoRename::TResult result = PhotoRename::Run(folder, plan.Renames, {gallery}, {});

    EXPECT_EQ(renametest::Tree(victim), before);
    EXPECT_TRUE(fs::is_symlink(folder + "/" + sub));
    EXPECT_EQ(result.Renamed, static_cast<int>(plan.Renames.size()));
    EXPECT_TRUE(result.Unfinished.empty());
    EXPECT_FALSE(result.KeptOldNames.empty());
  }
}

TEST(PhotoRenameLinks, AFolderNamedThroughALinkIsRenamedAsAnyOther) {
  // The photo folder and the gallery as the user and the project name them.
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  fs::create_directory(dir.File("real"));
  fs::create_directory_symlink(dir.File("real"), dir.File("Fotky"));
  const std::string folder = dir.File("Fotky"), gallery = folder + "/html";
  renametest::MakeFolder(folder, gallery);
  EXPECT_TRUE(renametest::RenameFolder(folder, gallery));
  int pages = 0;
  EXPECT_EQ(renametest::BrokenLinks(gallery, pages), std::vector<std::string>{});
  EXPECT_GT(pages, 0);
}

TEST_F(PhotoRenameTest, TheUsersOwnFilesInAGalleryAreNeverTouched) {
  const BatchMenu::TRenamePlan plan = Plan();
  ASSERT_FALSE(plan.Renames.empty());
  const auto& [from, to] = plan.Renames.front();
  // A page and a picture of the user's where the renamed photo's go, and a
  // page of the user's linking the gallery's files under their old names.
  const std::string taken = Out(L::k800Folder, L::PhotoPageName(to)), own = Out(L::k1024Folder, "mine.htm");
  const std::string picture = Out(L::kThumbFolder, L::ThumbnailName(to));
  ASSERT_FALSE(fs::exists(taken));
  ASSERT_FALSE(fs::exists(picture));
  const std::string links = "<a href=\"" + HtmlText::UrlPath(L::PhotoPageName(from)) + "\"><img src=\"../th/" +
                            HtmlText::UrlPath(L::ThumbnailName(from)) + "\"></a>\n";
  testsupport::WriteFileBytes(taken, "the user's " + links);
  testsupport::WriteFileBytes(own, "the user's " + links);
  testsupport::WriteFileBytes(picture, "the user's");
  const std::string thumbnail = Out(L::kThumbFolder, L::ThumbnailName(from));
  const std::string thumbnailBefore = ReadFileBytes(thumbnail);
  const std::string index = Out(L::k1024Folder, "index.htm"), oldPage = Out(L::k800Folder, L::PhotoPageName(from));
  const std::string indexBefore = ReadFileBytes(index);

  const PhotoRename::TResult result = PhotoRename::Run(folder_, plan.Renames, {gallery_}, {});
  EXPECT_EQ(ReadFileBytes(taken), "the user's " + links);
  EXPECT_EQ(ReadFileBytes(own), "the user's " + links);
  EXPECT_EQ(ReadFileBytes(picture), "the user's");
  // The gallery's own pages follow the photos; the photo page and the
  // thumbnail that find their new names taken keep their old ones, and say so.
  EXPECT_EQ(ReadFileBytes(thumbnail), thumbnailBefore);
  EXPECT_NE(std::find(result.KeptOldNames.begin(), result.KeptOldNames.end(), thumbnail), result.KeptOldNames.end());
  EXPECT_NE(ReadFileBytes(index), indexBefore);
  EXPECT_EQ(ReadFileBytes(index).find(HtmlText::UrlPath(L::ThumbnailName(from)) + "\""), std::string::npos);
  EXPECT_TRUE(fs::exists(oldPage));
  EXPECT_NE(std::find(result.KeptOldNames.begin(), result.KeptOldNames.end(), oldPage), result.KeptOldNames.end());
  EXPECT_EQ(result.Renamed, static_cast<int>(plan.Renames.size()));
  EXPECT_TRUE(result.Unfinished.empty());
}

TEST(PageRewrite, WholeNamesOnlyAllAtOnceInTheFormsThePagesUse) {
  const PageRewrite::TPageNames names({{"img1.jpg", "img2.jpg"}, {"img2.jpg", "img1.jpg"}, {"A b.JPG", "č.jpg"}});
  const std::string page =
      "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-2\"></head>\r\n"
      "<a href=\"img1.htm\"><img src=\"../th/th_img10.jpg\" alt=\"img1.htm\"></a>\r\n"
      "<a href=\"img2.htm\"><img SRC=\"../foto/img1.jpg\"></a><a href=\"../exif/exif_a%20b.htm\">\r\n"
      "<img src=\"../th/th_a%20b.jpg\">img1.jpg<br>soubor: a b.jpg\r\n"
      "<font size=-2><br>filename: img1.jpg\r\n";
  std::string out;
  ASSERT_TRUE(PageRewrite::RewritePageReferences(page, names, out));
  EXPECT_EQ(out,
            "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-2\"></head>\r\n"
            "<a href=\"img2.htm\"><img src=\"../th/th_img10.jpg\" alt=\"img1.htm\"></a>\r\n"
            "<a href=\"img1.htm\"><img SRC=\"../foto/img2.jpg\"></a><a href=\"../exif/exif_%C4%8D.htm\">\r\n"
            "<img src=\"../th/th_%C4%8D.jpg\">img1.jpg<br>soubor: \xE8.jpg\r\n"
            "<font size=-2><br>filename: img2.jpg\r\n");
  EXPECT_FALSE(PageRewrite::RewritePageReferences("<a href=\"img10.htm\">img1.jpg</a>", names, out));
}

}  // namespace
