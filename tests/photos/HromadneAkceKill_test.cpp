// A renaming, splitting or renumbering run killed (SIGKILL) at random
// points, then run again: no photo is lost or doubled at any moment, and
// after the second run every one stands under a final name; a shift of the
// special renumbering ends exactly as one run without a kill ends.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <regex>

#include "photos/batch/HromadneAkceWalk.h"
#include "photos/renumber/edit_speccislovaniWork.h"
#include "platform/FileSystem.h"
#include "tests/photos/BatchTree.h"
#include "tests/photos/RenumberShift.h"
#include "tests/support/KillChild.h"

namespace {

using namespace HromadneAkce;
using batchtest::At;
using batchtest::Contents;
using batchtest::Media;
using batchtest::Photo;
using killtest::Clock;

constexpr int kKills = 24;

// Runs the child on root and kills it at a random moment of its span;
// returns when that was.
std::string KillSomewhere(const std::string& code, const std::string& root, Clock::rep span,
                          std::mt19937& random) {
  return killtest::KillSomewhere(BATCH_CHILD, {code, root}, span, random);
}

// How long the child takes for the action itself.
Clock::rep ActionTime(const std::string& code, const std::string& root) {
  return killtest::WorkTime(BATCH_CHILD, {code, root});
}

// A tree of photos with bursts of one second, other media, and a subfolder;
// file dates in bursts too, the later photos of a burst with the earlier
// fractions of their second.
void MakeTree(const std::string& root) {
  for (int i = 0; i < 24; ++i) {
    const std::string folder = i < 16 ? "" : "sub/";
    const TDateTime taken = At(2013, 10, 5 + i % 3, 10, 0, i % 4 == 0 ? 0 : i);
    const std::string photo = Photo(root, folder + "IMG_" + std::to_string(100 + i) + ".JPG",
                                    taken, At(2014, 1, 1, 12, 0, i / 5));
    platform::FileStatus status;
    ASSERT_TRUE(platform::StatPath(photo, status));
    ASSERT_TRUE(platform::SetModifiedTimeExact(photo, status.modifiedSeconds, (24 - i) * 1000));
  }
  Media(root, "clip.MOV", At(2012, 2, 2, 2, 2, 2));
  Media(root, "sub/clip.mov", At(2012, 2, 2, 2, 2, 2));
  Media(root, "sub/shot.PNG", At(2011, 3, 3, 3, 3, 3));
}

// What the files of a tree hold, as Contents counts it, the program's work
// files (a rename's journal, a replacement's work file) left out.
std::map<std::string, int> PhotoContents(const std::string& root) {
  testsupport::TempDir copy;
  for (const std::string& file : batchtest::Tree(root)) {
    if (StrFunc::ExtractName(file).rfind(".~qm", 0) == 0) continue;
    const std::string target = copy.Path() + "/" + file;
    batchtest::MakeFolderOf(target);
    testsupport::WriteFileBytes(target, testsupport::ReadFileBytes(root + "/" + file));
  }
  return Contents(copy.Path());
}

// A copy of a tree, files keeping their times to the nanosecond.
void CopyTree(const std::string& from, const std::string& to) {
  for (const std::string& file : batchtest::Tree(from)) {
    const std::string target = to + "/" + file;
    batchtest::MakeFolderOf(target);
    testsupport::WriteFileBytes(target, testsupport::ReadFileBytes(from + "/" + file));
    std::filesystem::last_write_time(target, std::filesystem::last_write_time(from + "/" + file));
  }
}

// Each file of a tree by its path relative to the root, with what it holds;
// the renumbering's journal and the work files of its writing left out
// (journal: whether the journal is there).
std::map<std::string, std::string> Holding(const std::string& root, bool& journal) {
  std::map<std::string, std::string> files;
  journal = false;
  for (const std::string& file : batchtest::Tree(root)) {
    if (file.rfind(".~qm", 0) == 0) {
      journal = journal || file == ".~qm-renumber";
      continue;
    }
    files[file] = testsupport::ReadFileBytes(root + "/" + file);
  }
  return files;
}

// Every path below root relative to it.
bool AllMatch(const std::string& root, const std::regex& pattern, std::string& odd) {
  for (const std::string& path : batchtest::Tree(root)) {
    if (!std::regex_match(path, pattern)) {
      odd = path;
      return false;
    }
  }
  return true;
}

void KillAndRunAgain(TActionCode code, const std::regex& finalPath) {
  testsupport::ScopedHome home;
  testsupport::TempDir pristine, work;
  MakeTree(pristine.Path());
  const std::map<std::string, int> contents = Contents(pristine.Path());
  const std::string root = work.Path() + "/tree";
  TOptions options;
  options.subdirs = true;
  TProgress progress;
  const auto fresh = [&] {
    DosFunc::DeleteFileOrDir(root);
    CopyTree(pristine.Path(), root);
  };
  fresh();
  const std::vector<std::string> before = batchtest::Tree(root);
  const Clock::rep span = ActionTime(std::to_string(int(code)), root);
  // One run without a kill: every photo's place, a burst's order included.
  bool journal = false;
  const std::map<std::string, std::string> done = Holding(root, journal);
  std::mt19937 random(20131005u + code);
  int halfWay = 0;  // kills that left the tree neither as it was nor done
  for (int round = 0; round < kKills; ++round) {
    fresh();
    SCOPED_TRACE(KillSomewhere(std::to_string(int(code)), root, span, random));
    ASSERT_EQ(PhotoContents(root), contents);
    std::string odd;
    if (batchtest::Tree(root) != before && !AllMatch(root, finalPath, odd)) ++halfWay;
    const TRunResult result = RunAction(code, options, FolderTarget(root), progress);
    EXPECT_TRUE(result.failures.empty());
    ASSERT_EQ(Contents(root), contents);
    EXPECT_TRUE(AllMatch(root, finalPath, odd)) << odd;
    EXPECT_EQ(Holding(root, journal), done);
  }
  // A test whose kills all came too early or too late would prove nothing.
  EXPECT_GT(halfWay, 0) << "no kill of " << kKills << " landed inside the run";
}

const char kStampName[] = R"(\d{8}_\d{6}(-\d{4})?\.(jpg|mov|png))";

TEST(HromadneAkceKill, RenameByPhotoDate) {
  KillAndRunAgain(kRenameByPhotoDate,
                  std::regex(std::string("(sub/)?") + kStampName));
}

TEST(HromadneAkceKill, RenameByFileDate) {
  KillAndRunAgain(kRenameByFileDate, std::regex(std::string("(sub/)?") + kStampName));
}

TEST(HromadneAkceKill, SplitByMonth) {
  KillAndRunAgain(kSplitByMonth,
                  std::regex(R"((sub/)?(\d{4}-\d{2}|_MOV/\d{4}-\d{2}|_PNG/\d{4}-\d{2})/)"
                             R"((IMG_\d{3}\.JPG|clip\.(MOV|mov)|shot\.PNG))"));
}

// Stops the process at its n-th step, as a kill between two renames would.
class StopAtStep : public TProgress {
 public:
  explicit StopAtStep(size_t step) : step_(step) {}
  void Step() override {
    if (++steps_ == step_) _exit(0);
  }

 private:
  size_t step_;
  size_t steps_ = 0;
};

// Photos taken in one second (by their EXIF date and their file date), the
// later ones with the earlier fractions of the second: stopped at any step
// of its pass and run again, a rename gives each photo the name one run
// without a stop gives it, though the photos renamed before the stop now
// sort elsewhere by name.
TEST(HromadneAkceKill, ABurstKeepsItsOrderWhereverTheRenameStops) {
  for (const TActionCode code : {kRenameByPhotoDate, kRenameByFileDate}) {
    SCOPED_TRACE(int(code));
    testsupport::ScopedHome home;
    testsupport::TempDir pristine, work;
    for (int i = 0; i < 12; ++i) {
      // Its DateTime tells each photo apart; the sort takes the others.
      const TDateTime taken = At(2013, 10, 5, 10, 0, i / 4);
      // Named as some cameras name them, before the new names in any order.
      const std::string photo = Photo(pristine.Path(), "100_" + std::to_string(1000 + i) + ".JPG",
                                      taken, At(2014, 1, 1, 12, 0, i / 4));
      batchtest::WriteExifDates(photo, {At(2000, 6, i + 1), taken, taken});
      DosFunc::SetFileDateTime(photo, At(2014, 1, 1, 12, 0, i / 4));
      platform::FileStatus status;
      ASSERT_TRUE(platform::StatPath(photo, status));
      ASSERT_TRUE(platform::SetModifiedTimeExact(photo, status.modifiedSeconds, (12 - i) * 1000));
    }
    const std::string root = work.Path() + "/tree";
    const auto fresh = [&] {
      DosFunc::DeleteFileOrDir(root);
      CopyTree(pristine.Path(), root);
    };
    TOptions options;
    batchtest::RecordingProgress counted;
    fresh();
    ASSERT_TRUE(RunAction(code, options, FolderTarget(root), counted).failures.empty());
    bool journal = false;
    const std::map<std::string, std::string> done = Holding(root, journal);
    for (size_t step = 1; step < counted.steps; ++step) {
      SCOPED_TRACE("stopped at step " + std::to_string(step));
      fresh();
      const pid_t child = fork();
      if (child == 0) {
        StopAtStep stop(step);
        RunAction(code, options, FolderTarget(root), stop);
        _exit(1);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      TProgress quiet;
      EXPECT_TRUE(RunAction(code, options, FolderTarget(root), quiet).failures.empty());
      EXPECT_EQ(Holding(root, journal), done);
    }
  }
}

// A burst copied newest first, among photos of other minutes, renamed by
// photo date and killed anywhere: after a second run its photos stand in
// the order the camera took them, told by the fractions of the second it
// wrote.
TEST(HromadneAkceKill, ABurstCopiedNewestFirstKeepsTheCameraOrderThroughAKill) {
  testsupport::ScopedHome home;
  testsupport::TempDir pristine, work;
  const TDateTime taken = At(2013, 10, 5, 10, 0, 0);
  const std::vector<batchtest::BurstPhoto> burst = {
      {"DSC_0001.JPG", "10", "10"}, {"DSC_0002.JPG", "20", "20"}, {"DSC_0003.JPG", "30", "30"}};
  const std::vector<std::string> photos = batchtest::BurstPhotos(burst, taken);
  batchtest::CopyBurst(pristine.Path(), burst, photos, taken);
  for (int i = 0; i < 30; ++i)
    Photo(pristine.Path(), "IMG_" + std::to_string(100 + i) + ".JPG", At(2013, 10, 5, 11, i));
  // The seconds after the burst's are free: it spreads over them.
  const std::map<std::string, std::string> camera = {{"20131005_100000.jpg", photos[0]},
                                                     {"20131005_100001.jpg", photos[1]},
                                                     {"20131005_100002.jpg", photos[2]}};
  const std::string root = work.Path() + "/tree";
  const auto fresh = [&] {
    DosFunc::DeleteFileOrDir(root);
    CopyTree(pristine.Path(), root);
  };
  const auto expectCameraOrder = [&] {
    for (const auto& [name, bytes] : camera)
      EXPECT_EQ(testsupport::ReadFileBytes(root + "/" + name), bytes) << name;
  };
  fresh();
  const Clock::rep span = ActionTime("2", root);
  expectCameraOrder();
  std::mt19937 random(20131005u);
  int halfWay = 0;  // kills that left the rename's journal
  TOptions options;
  TProgress progress;
  for (int round = 0; round < kKills; ++round) {
    fresh();
    SCOPED_TRACE(KillSomewhere("2", root, span, random));
    if (DosFunc::FileExistsLong(root + "/.~qm-batch-rename")) ++halfWay;
    const TRunResult result = RunAction(kRenameByPhotoDate, options, FolderTarget(root), progress);
    EXPECT_TRUE(result.failures.empty());
    expectCameraOrder();
  }
  EXPECT_GT(halfWay, 0) << "no kill of " << kKills << " landed inside the rename";
}

TEST(SpecialRenumberingKill, AShiftKilledAnywhereEndsExactlyShiftedAfterARerun) {
  testsupport::ScopedHome home;
  testsupport::TempDir pristine, work;
  std::map<std::string, std::string> shifted;
  const auto make = [&](const std::string& rel, const std::string& after) {
    batchtest::MakeFolderOf(pristine.File(rel));
    testsupport::WriteFileBytes(pristine.File(rel), rel);
    shifted[after] = rel;
  };
  const auto number = [](int n) { return StrFunc::PadLeftCh(std::to_string(n), '0', 3); };
  for (int n = 1; n <= 90; ++n) make("img_" + number(n) + ".jpg", "img_" + number(n + 1) + ".jpg");
  for (int n = 1; n <= 40; ++n)
    make("sub/img_" + number(n) + ".jpg", "sub/img_" + number(n + 1) + ".jpg");
  make("other_1.jpg", "other_1.jpg");
  const std::string root = work.Path() + "/tree";
  const auto fresh = [&] {
    DosFunc::DeleteFileOrDir(root);
    CopyTree(pristine.Path(), root);
  };
  const edit_speccislovani::TOptions options = batchtest::ShiftByOne(root);
  bool journal = false;
  fresh();
  const Clock::rep span = ActionTime("shift", root);
  ASSERT_EQ(Holding(root, journal), shifted);
  std::mt19937 random(20131005u);
  int halfWay = 0;  // kills that left the run's journal
  for (int round = 0; round < kKills; ++round) {
    fresh();
    SCOPED_TRACE(KillSomewhere("shift", root, span, random));
    std::map<std::string, std::string> now = Holding(root, journal);
    ASSERT_EQ(now.size(), shifted.size());
    if (journal) ++halfWay;
    // A run the kill did not reach, or one it left half done, is run again;
    // one that ended is not.
    if (journal || now != shifted) {
      const edit_speccislovani::TResult result = edit_speccislovani::Run(options, {});
      EXPECT_TRUE(result.failed.empty());
      EXPECT_EQ(result.interrupted, journal);
    }
    EXPECT_EQ(Holding(root, journal), shifted);
    EXPECT_FALSE(journal);
  }
  EXPECT_GT(halfWay, 0) << "no kill of " << kKills << " landed inside the run";
}

}  // namespace
