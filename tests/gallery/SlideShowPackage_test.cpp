// Slide-show packages: the two records, writing projects into a package and
// reading it back, self-running shows, damaged packages, the work folder and
// the player the program carries.
#include "gallery/slideshow/SlideShowPackage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "gallery/slideshow/FListFile.h"
#include "gallery/slideshow/SlideShowExe.h"
#include "gallery/slideshow/SlideShowRecords.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "metadata/exif.h"
#include "platform/Environment.h"
#include "platform/Process.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using testsupport::CopyPhoto;
using testsupport::ReadFileBytes;
using testsupport::ScopedHome;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

// A plain photo without EXIF, of one colour.
std::string WritePhoto(const TempDir& dir, const std::string& name, int width, int height) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 90);
  EXPECT_TRUE(platform::WriteJpegFile(picture, dir.File(name), 90));
  return dir.File(name);
}

std::pair<int, int> SizeOf(const std::string& jpeg) {
  platform::JpegReader reader;
  if (!reader.OpenFile(jpeg)) return {0, 0};
  return {reader.Width(), reader.Height()};
}

// The names of a container's entries in order.
std::vector<std::string> EntryNames(const std::string& path) {
  TFListFile container;
  EXPECT_TRUE(container.OpenRead(path));
  std::vector<std::string> names;
  for (int i = 0; i < container.EntryCount(); ++i) names.push_back(container.EntryName(i));
  return names;
}

TSlideShowSource Project(int index, const std::string& title, std::vector<std::string> photos) {
  TSlideShowSource source;
  source.Project.Index = index;
  source.Project.Title = title;
  source.Photos = std::move(photos);
  return source;
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string RunProgram(const std::string& program) {
  return testsupport::CommandOutput("'" + program + "'");
}

// A program carrying the test player as "reelwright" in its own container.
std::string ProgramCarryingPlayer(const TempDir& dir) {
  fs::create_directories(dir.File("bin"));
  fs::create_directories(dir.File("parts"));
  fs::copy_file(QUILLMARSH_TEST_PLAYER, dir.File("parts/reelwright"));
  {
    TFListFile container;
    container.OpenWrite(dir.File("parts/player.ssp"));
    container.AddFile(dir.File("parts/reelwright"));
  }
  EXPECT_TRUE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, dir.File("parts/player.ssp"),
                                        dir.File("bin/program")));
  return dir.File("bin/program");
}

TEST(SlideShowRecords, LayoutOfBothRecords) {
  TSlideShowProject project;
  project.Index = -2;
  project.Count = 3;
  project.Title = std::string(79, 't') + "\xC3\xA1";  // á would end at byte 81
  const auto p = project.Encode();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.data()), 9),
            std::string("\xFE\xFF\xFF\xFF\x03\x00\x00\x00\x4F", 9));
  EXPECT_EQ(std::count(p.begin() + 8 + 1 + 79, p.end(), 0), 345 - 88);
  const TSlideShowProject back = TSlideShowProject::Decode(p);
  EXPECT_EQ(back.Index, -2);
  EXPECT_EQ(back.Count, 3);
  EXPECT_EQ(back.Title, std::string(79, 't'));

  TSlideInfoRec info;
  info.ExifRead = true;
  info.Digitized = testsupport::At(2008, 5, 4, 16, 47, 24);
  info.Comment = std::string(249, 'c') + "\xC5\xBE" + "tail";  // ž across byte 250
  const auto i = info.Encode();
  EXPECT_EQ(i[0], 1);
  EXPECT_EQ(i[9], 249);
  EXPECT_EQ(std::count(i.begin() + 9 + 1 + 249, i.end(), 0), 516 - 259);
  const TSlideInfoRec read = TSlideInfoRec::Decode(i);
  EXPECT_TRUE(read.ExifRead);
  EXPECT_EQ(read.Digitized, info.Digitized);
  EXPECT_EQ(read.Comment, std::string(249, 'c'));

  // Without EXIF the record is all zeros, whatever the fields hold.
  info.ExifRead = false;
  const auto none = info.Encode();
  EXPECT_EQ(std::count(none.begin(), none.end(), 0), 516);

  // A stored date that is no number reads as no date.
  SlideShowRecords::InfoBytes nan{};
  nan[0] = 1;
  const double value = std::numeric_limits<double>::quiet_NaN();
  std::memcpy(&nan[1], &value, 8);
  EXPECT_EQ(TSlideInfoRec::Decode(nan).Digitized, 0);
}

TEST(SlideShowPackage, WritesProjectsInOrderAndReadsThemBack) {
  ScopedHome home;
  TempDir dir;
  const std::string dated = CopyPhoto("Pentax_K10D.jpg", dir);
  {
    TExifReader writer;
    ASSERT_TRUE(writer.ReadFromFile(dated));
    writer.SetUserComment("Na horách");
    ASSERT_TRUE(writer.SaveChanges());
  }
  const std::string plain = WritePhoto(dir, "plain.jpg", 64, 48);
  const std::string other = CopyPhoto("canon-ixus.jpg", dir);
  std::vector<std::pair<int, int>> progress;
  std::vector<std::string> shown;
  TSlideShowEvents events;
  events.Progress = [&](int done, int total) { progress.emplace_back(done, total); };
  events.Showing = [&](const std::string& photo) { shown.push_back(photo); };

  const std::string ssp = dir.File("trip.ssp");
  ASSERT_EQ(SlideShowPackage::Write(ssp,
                                    {Project(4, "Hory", {dated, plain}), Project(5, "Prázdný", {}),
                                     Project(7, "Město", {other})},
                                    "", "", events),
            TPackageResult::Written);
  EXPECT_EQ(EntryNames(ssp),
            (std::vector<std::string>{"ssplist.tmp", "empty.lng", "Pentax_K10D.inf",
                                      "tn_Pentax_K10D.jpg", "Pentax_K10D.jpg", "plain.inf",
                                      "tn_plain.jpg", "plain.jpg", "canon-ixus.inf",
                                      "tn_canon-ixus.jpg", "canon-ixus.jpg"}));
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(shown, (std::vector<std::string>{dated, plain, other}));

  TSlideShowWorkDir work;
  TSlideShowPackage package;
  ASSERT_EQ(package.Open(ssp, work), TSlideShowPackage::TOpenResult::Opened);
  ASSERT_EQ(package.Projects().size(), 2u);  // the empty project left out
  EXPECT_EQ(package.Projects()[0].Index, 4);
  EXPECT_EQ(package.Projects()[0].Count, 2);
  EXPECT_EQ(package.Projects()[0].Title, "Hory");
  EXPECT_EQ(package.Projects()[1].Title, "Město");
  EXPECT_EQ(package.FirstInfoEntry(0), 2);
  EXPECT_EQ(package.FirstInfoEntry(1), 8);
  EXPECT_EQ(package.FirstInfoEntry(2), -1);
  EXPECT_EQ(package.ExtractLanguage(), "");
  EXPECT_EQ(ReadFileBytes(package.Extract(1)), std::string(1, '\0'));

  const TSlideInfoRec withExif = package.ReadInfo(2);
  EXPECT_TRUE(withExif.ExifRead);
  EXPECT_EQ(withExif.Digitized, testsupport::At(2008, 5, 4, 16, 47, 24));
  EXPECT_EQ(withExif.Comment, "Na horách\r\n");
  const TSlideInfoRec withoutExif = package.ReadInfo(5);
  EXPECT_FALSE(withoutExif.ExifRead);
  EXPECT_EQ(withoutExif.Digitized, 0);
  EXPECT_GT(SizeOf(package.Extract(3)).first, 0);  // the embedded thumbnail
  EXPECT_EQ(SizeOf(package.Extract(10)), std::make_pair(640, 480));
  // Only the files taken out remain; the package's own work files are gone.
  EXPECT_EQ(FilesIn(work.Path()).size(), 3u);
  EXPECT_EQ(FilesIn(platform::PrivateTempDir()).size(), 1u);
}

TEST(SlideShowPackage, PicturesAreSizedForTheScreenAndStandUpright) {
  ScopedHome home;
  TempDir dir;
  const std::string tall = WritePhoto(dir, "tall.jpg", 2000, 3000);
  const std::string small = WritePhoto(dir, "small.jpg", 1200, 800);
  const std::string turned = CopyPhoto("orientation_portrait_6.jpg", dir);
  ASSERT_EQ(SlideShowPackage::Write(dir.File("s.ssp"), {Project(0, "p", {tall, small, turned})},
                                    "", "", {}),
            TPackageResult::Written);
  TSlideShowWorkDir work;
  TSlideShowPackage package;
  ASSERT_EQ(package.Open(dir.File("s.ssp"), work), TSlideShowPackage::TOpenResult::Opened);
  EXPECT_EQ(SizeOf(package.Extract(4)), std::make_pair(712, 1067));
  const std::string kept = package.Extract(7);
  EXPECT_EQ(SizeOf(kept), std::make_pair(1200, 800));  // never enlarged
  EXPECT_NE(ReadFileBytes(kept), ReadFileBytes(small));  // but re-encoded
  EXPECT_EQ(SizeOf(package.Extract(10)), std::make_pair(450, 600));  // stored 600 x 450
}

TEST(SlideShowPackage, CarriesTheLanguageInForce) {
  ScopedHome home;
  TempDir dir;
  WriteFileBytes(dir.File("English.lng"), "[Language]\r\nDescription=English\r\n");
  ASSERT_EQ(SlideShowPackage::Write(dir.File("s.ssp"),
                                    {Project(0, "p", {WritePhoto(dir, "a.jpg", 8, 8)})},
                                    dir.File("English.lng"), "", {}),
            TPackageResult::Written);
  TSlideShowWorkDir work;
  TSlideShowPackage package;
  ASSERT_EQ(package.Open(dir.File("s.ssp"), work), TSlideShowPackage::TOpenResult::Opened);
  const std::string language = package.ExtractLanguage();
  EXPECT_EQ(fs::path(language).filename(), "English.lng");
  EXPECT_EQ(ReadFileBytes(language), ReadFileBytes(dir.File("English.lng")));
}

TEST(SlideShowPackage, FailuresLeaveOldFilesAndNoPartialOne) {
  ScopedHome home;
  TempDir photos;
  TempDir out;
  const std::string photo = WritePhoto(photos, "a.jpg", 8, 8);
  WriteFileBytes(out.File("trip.ssp"), "old package");
  WriteFileBytes(out.File("trip.run"), "old show");

  // A photo gone since the list was read: no thumbnail, no package.
  EXPECT_EQ(SlideShowPackage::Write(out.File("trip.ssp"),
                                    {Project(0, "p", {photo, photos.File("gone.jpg")})}, "", "",
                                    {}),
            TPackageResult::Failed);
  EXPECT_EQ(ReadFileBytes(out.File("trip.ssp")), "old package");
  // Nothing to show: nothing is written.
  EXPECT_EQ(SlideShowPackage::Write(out.File("trip.ssp"), {Project(0, "p", {})}, "", "", {}),
            TPackageResult::NoPictures);
  EXPECT_EQ(SlideShowPackage::Write(out.File("new.ssp"), {}, "", "", {}),
            TPackageResult::NoPictures);
  // A language file gone since it was loaded is a container error.
  EXPECT_THROW(SlideShowPackage::Write(out.File("trip.ssp"), {Project(0, "p", {photo})},
                                       out.File("gone.lng"), "", {}),
               EFListFileError);
  EXPECT_EQ(FilesIn(out.Path()), (std::vector<std::string>{"trip.run", "trip.ssp"}));

  // A package that is written replaces the old one; the show of the same
  // name stays as it was.
  ASSERT_EQ(SlideShowPackage::Write(out.File("trip.ssp"), {Project(0, "p", {photo})}, "", "", {}),
            TPackageResult::Written);
  EXPECT_EQ(ReadFileBytes(out.File("trip.run")), "old show");
  EXPECT_EQ(EntryNames(out.File("trip.ssp")).size(), 5u);
  EXPECT_EQ(FilesIn(out.Path()), (std::vector<std::string>{"trip.run", "trip.ssp"}));
  EXPECT_EQ(FilesIn(platform::PrivateTempDir()), std::vector<std::string>{});
}

TEST(SlideShowPackage, SelfRunningShowRunsLikeThePlayer) {
  ScopedHome home;
  TempDir dir;
  WriteFileBytes(dir.File("trip.run"), std::string(100000, 'o'));  // an older, longer show
  ASSERT_EQ(SlideShowPackage::Write(dir.File("trip.run"),
                                    {Project(0, "p", {WritePhoto(dir, "a.jpg", 8, 8)})}, "",
                                    QUILLMARSH_TEST_PLAYER, {}),
            TPackageResult::Written);
  EXPECT_EQ(RunProgram(dir.File("trip.run")), "entries 5\n");
  EXPECT_EQ(ReadFileBytes(dir.File("trip.run")).find(std::string(1000, 'o')), std::string::npos);
  EXPECT_NE(fs::status(dir.File("trip.run")).permissions() & fs::perms::owner_exec,
            fs::perms::none);
  EXPECT_FALSE(fs::exists(dir.File("trip.ssp")));
  TSlideShowWorkDir work;
  TSlideShowPackage package;
  EXPECT_EQ(package.Open(dir.File("trip.run"), work), TSlideShowPackage::TOpenResult::Opened);
}

TEST(SlideShowPackage, DamagedPackagesAreRefused) {
  ScopedHome home;
  TempDir dir;
  const auto record = [](int32_t count) {
    TSlideShowProject project;
    project.Count = count;
    const auto bytes = project.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  };
  using Result = TSlideShowPackage::TOpenResult;
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> entries;
    bool raises;
    Result result;
  };
  const std::vector<Case> cases = {
      {"no entries", {}, false, Result::NotFound},
      {"no project list first", {{"other.tmp", record(0)}, {"empty.lng", "x"}}, false,
       Result::NotFound},
      {"half a record", {{"ssplist.tmp", record(1).substr(1)}, {"empty.lng", "x"}}, true, {}},
      {"negative count", {{"ssplist.tmp", record(-1)}, {"empty.lng", "x"}}, true, {}},
      {"more pictures than entries",
       {{"ssplist.tmp", record(1) + record(1)}, {"empty.lng", "x"}, {"a.inf", ""},
        {"tn_a.jpg", ""}, {"a.jpg", ""}},
       true, {}},
      {"no projects", {{"SSPLIST.TMP", ""}, {"empty.lng", "x"}}, false, Result::Empty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.File(std::string(c.what) + ".ssp");
    {
      TFListFile container;
      container.OpenWrite(path);
      fs::create_directories(dir.File("src"));
      for (const auto& [name, bytes] : c.entries) {
        WriteFileBytes(dir.File("src/" + name), bytes);
        container.AddFile(dir.File("src/" + name));
      }
    }
    TSlideShowWorkDir work;
    TSlideShowPackage package;
    if (c.raises) {
      EXPECT_THROW(package.Open(path, work), EFListFileError);
    } else {
      EXPECT_EQ(package.Open(path, work), c.result);
    }
  }
  TSlideShowWorkDir work;
  TSlideShowPackage package;
  WriteFileBytes(dir.File("plain.ssp"), "not a package");
  EXPECT_EQ(package.Open(dir.File("plain.ssp"), work), Result::NotFound);

  // Entries of a sound list: a record of the wrong size, a language that is
  // no language file, a name that would leave the folder.
  const std::string path = dir.File("entries.ssp");
  {
    TFListFile container;
    container.OpenWrite(path);
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"ssplist.tmp", record(1)}, {"notes.txt", "[x]"}, {"a.inf", std::string(515, '\1')},
             {"tn_a.jpg", "t"}, {"a.jpg", "p"}}) {
      WriteFileBytes(dir.File("src/" + name), bytes);
      container.AddFile(dir.File("src/" + name));
    }
  }
  {
    // The picture's stored name becomes "..".
    std::string bytes = ReadFileBytes(path);
    const size_t at = bytes.find(std::string("\x05" "a.jpg", 6));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 6, std::string("\x02..\0\0\0", 6));
    WriteFileBytes(path, bytes);
  }
  ASSERT_EQ(package.Open(path, work), Result::Opened);
  EXPECT_EQ(package.ExtractLanguage(), "");
  EXPECT_FALSE(package.ReadInfo(2).ExifRead);
  EXPECT_EQ(package.Extract(4), "");
  EXPECT_EQ(package.Extract(5), "");
}

TEST(SlideShowWorkDir, EachObjectHasItsOwnPrivateFolder) {
  ScopedHome home;
  const std::string temp = platform::PrivateTempDir();
  // Left by a process that has ended, and by one that still runs.
  const int ended = platform::StartProcess("true", {}, "", "");
  ASSERT_GT(ended, 0);
  platform::WaitForProcess(ended);
  fs::create_directories(temp + "slideshow-" + std::to_string(ended) + "-1/sub");
  fs::create_directories(temp + "slideshow-1-1");
  fs::create_directories(temp + "slideshow-x");
  std::string first;
  {
    TSlideShowWorkDir a;
    TSlideShowWorkDir b;
    first = a.Path();
    ASSERT_FALSE(a.Path().empty());
    EXPECT_NE(a.Path(), b.Path());
    EXPECT_EQ(a.Path().rfind(temp, 0), 0u);
    EXPECT_EQ(fs::status(a.Path()).permissions() & fs::perms::all, fs::perms::owner_all);
    WriteFileBytes(a.File("ssplist.tmp"), "x");
    EXPECT_FALSE(fs::exists(temp + "slideshow-" + std::to_string(ended) + "-1"));
    EXPECT_EQ(FilesIn(temp).size(), 4u);  // a, b and the two that are no leftovers
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(FilesIn(temp), (std::vector<std::string>{"slideshow-1-1", "slideshow-x"}));
}

TEST(SlideShowExe, BuildsAFreshShowBesideThePackage) {
  ScopedHome home;
  TempDir dir;
  const std::string ssp = dir.File("trip.ssp");
  ASSERT_EQ(SlideShowPackage::Write(ssp, {Project(0, "p", {WritePhoto(dir, "a.jpg", 8, 8)})}, "",
                                    "", {}),
            TPackageResult::Written);
  WriteFileBytes(dir.File("trip.run"), "old show");
  EXPECT_EQ(SlideShowExe::ShowNameOf(ssp), dir.File("trip.run"));

  // No player: neither carried nor beside the program.
  fs::create_directories(dir.File("bare"));
  fs::copy_file(QUILLMARSH_TEST_PLAYER, dir.File("bare/program"));
  EXPECT_FALSE(SlideShowExe::CarriesPlayer(dir.File("bare/program")));
  EXPECT_FALSE(SlideShowExe::BuildSlideShowExe(ssp, true, dir.File("bare/program")));
  EXPECT_EQ(ReadFileBytes(dir.File("trip.run")), "old show");
  EXPECT_TRUE(fs::exists(ssp));

  // The player beside the program; the package kept.
  fs::copy_file(QUILLMARSH_TEST_PLAYER, dir.File("bare/reelwright"));
  EXPECT_EQ(SlideShowExe::PlayerBeside(dir.File("bare/program")), dir.File("bare/reelwright"));
  ASSERT_TRUE(SlideShowExe::BuildSlideShowExe(ssp, false, dir.File("bare/program")));
  EXPECT_EQ(RunProgram(dir.File("trip.run")), "entries 5\n");
  EXPECT_TRUE(fs::exists(ssp));

  // The player carried by the program; the package deleted afterwards.
  TempDir other;
  const std::string program = ProgramCarryingPlayer(other);
  EXPECT_TRUE(SlideShowExe::CarriesPlayer(program));
  ASSERT_TRUE(SlideShowExe::BuildSlideShowExe(ssp, true, program));
  EXPECT_EQ(RunProgram(dir.File("trip.run")), "entries 5\n");
  EXPECT_FALSE(fs::exists(ssp));
  EXPECT_EQ(FilesIn(platform::PrivateTempDir()), std::vector<std::string>{});
}

TEST(SlideShowExe, SavesThePlayerTheProgramCarries) {
  ScopedHome home;
  TempDir dir;
  using R = SlideShowExe::TSavePlayerResult;
  fs::copy_file(QUILLMARSH_TEST_PLAYER, dir.File("program"));
  EXPECT_EQ(SlideShowExe::SavePlayer(dir.File("program")), R::NoPlayer);

  const std::string program = ProgramCarryingPlayer(dir);
  EXPECT_EQ(SlideShowExe::SavePlayer(program), R::Saved);
  const std::string saved = dir.File("bin/reelwright");
  EXPECT_EQ(RunProgram(saved), "no container\n");
  EXPECT_NE(fs::status(saved).permissions() & fs::perms::others_exec, fs::perms::none);
  EXPECT_EQ(SlideShowExe::SavePlayer(program), R::Present);
}

}  // namespace
