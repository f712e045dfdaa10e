// The Batch menu's rename over a folder with its derived files and gallery,
// killed (SIGKILL) at random moments and run again: at no moment is a photo
// lost, and after the second run the folder and its gallery are exactly as
// one run without a kill leaves them: every photo under its new name, no
// work name, every link resolving.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "foundation/StrFunc.h"
#include "tests/gallery/RenameFixture.h"
#include "tests/support/KillChild.h"

namespace {

namespace fs = std::filesystem;

constexpr int kKills = 100;
constexpr unsigned kWorkers = 4;

// The contents of the photo files of the folder itself, under their own
// names or work names.
std::multiset<std::string> PhotoContents(const std::string& folder) {
  std::multiset<std::string> photos;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = StrFunc::LowerCaseCz(entry.path().filename().string());
    if (entry.is_regular_file() && name[0] != '.' && (name.find(".jpg") != std::string::npos ||
                                                      name.find(".jpeg") != std::string::npos))
      photos.insert(testsupport::ReadFileBytes(entry.path().string()));
  }
  return photos;
}

void Copy(const std::string& from, const std::string& to) {
  fs::remove_all(to);
  fs::copy(from, to, fs::copy_options::recursive);
}

TEST(PhotoRenameKill, KilledAnywhereAndRunAgainItEndsAsOneRunEnds) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string pristine = dir.File("pristine");
  renametest::MakeFolder(pristine, pristine + "/html");
  const std::multiset<std::string> photos = PhotoContents(pristine);
  const std::map<std::string, std::string> before = renametest::Files(pristine);

  const std::string first = dir.File("first");
  Copy(pristine, first);
  const killtest::Clock::rep span = killtest::WorkTime(RENAME_CHILD, {first, first + "/html"});
  const std::map<std::string, std::string> done = renametest::Files(first);
  ASSERT_EQ(PhotoContents(first), photos);
  ASSERT_NE(done, before);
  int pages = 0;
  ASSERT_EQ(renametest::BrokenLinks(first + "/html", pages), std::vector<std::string>{});

  // Rounds run on several folders at once; each kills its child, then runs
  // the command again in a child of its own.
  std::atomic<int> halfWay{0};  // kills that left the folder neither as it was nor done
  std::atomic<int> next{0};
  const auto rounds = [&](unsigned seed) {
    std::mt19937 random(seed);
    const std::string folder = dir.File("work" + std::to_string(seed));
    const std::vector<std::string> args = {folder, folder + "/html"};
    for (int round = next++; round < kKills; round = next++) {
      Copy(pristine, folder);
      SCOPED_TRACE(killtest::KillSomewhere(RENAME_CHILD, args, span, random));
      EXPECT_EQ(PhotoContents(folder), photos);
      const std::map<std::string, std::string> killed = renametest::Files(folder);
      if (killed != done && killed != before) ++halfWay;
      EXPECT_EQ(killtest::Run(RENAME_CHILD, args), 0);
      EXPECT_EQ(renametest::Files(folder), done);
    }
  };
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < kWorkers; ++i) workers.emplace_back(rounds, 20240607u + i);
  for (std::thread& worker : workers) worker.join();
  // A test whose kills all came too early or too late would prove nothing.
  EXPECT_GT(halfWay, kKills / 4) << "too few of " << kKills << " kills landed inside the run";
}

// Stopped at every event of its first and last pass (each photo taken to
// its work name, each work name put in place) and run again, the rename
// ends as one run without a stop ends.
TEST(PhotoRenameKill, StoppedAtAnyRenameOfItsFirstOrLastPassItEndsAsOneRunEnds) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string pristine = dir.File("pristine"), folder = dir.File("work");
  renametest::MakeFolder(pristine, pristine + "/html");
  const std::string gallery = folder + "/html";
  const auto run = [&](int stopAt) {
    const BatchMenu::TRenamePlan plan =
        BatchMenu::PlanRenames(folder, renametest::ListPhotos(folder), renametest::kPattern, 1, 1);
    int events = 0;
    const auto count = [&] {
      if (++events == stopAt) _exit(0);
    };
    PhotoRename::TEvents stop;
    stop.Step = count;
    stop.Finished = count;
    PhotoRename::Run(folder, plan.Renames, {gallery}, stop);
    return events;
  };
  Copy(pristine, folder);
  const int events = run(0);
  const std::map<std::string, std::string> done = renametest::Files(folder);
  ASSERT_GT(events, 20);
  for (int stopAt = 1; stopAt <= events; ++stopAt) {
    SCOPED_TRACE("stopped at event " + std::to_string(stopAt));
    Copy(pristine, folder);
    const pid_t child = fork();
    if (child == 0) {
      run(stopAt);
      _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(PhotoRename::HasLeftovers(folder, {gallery}));
    EXPECT_TRUE(renametest::RenameFolder(folder, gallery));
    ASSERT_EQ(renametest::Files(folder), done);
  }
}

}  // namespace
