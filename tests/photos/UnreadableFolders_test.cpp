// A subfolder the user cannot read is never skipped without a word: the
// batch actions, the special renumbering and the photos-by-resolution
// window list it among their failures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "photos/batch/HromadneAkceReport.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "photos/bysize/edit_imgsizeWork.h"
#include "photos/renumber/edit_speccislovaniWork.h"
#include "tests/photos/BatchTree.h"

namespace {

using batchtest::At;

std::string Joined(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += path + ";";
  return text;
}

TEST(UnreadableFolders, AreListedAmongTheFailures) {
  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  const std::string root = dir.Path();
  batchtest::Photo(root, "img_1.jpg", At(2013, 10, 5, 10, 0, 0));
  batchtest::Photo(root, "locked/img_2.jpg", At(2013, 10, 5, 11, 0, 0));
  const std::string locked = root + "/locked";
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  const struct {
    const char* tool;
    std::function<std::string()> run;
  } cases[] = {
      {"batch actions",
       [&] {
         HromadneAkce::TOptions options;
         options.subdirs = true;
         batchtest::RecordingProgress progress;
         const HromadneAkce::TRunResult result = HromadneAkce::RunAction(
             HromadneAkce::kRenameByPhotoDate, options, HromadneAkce::FolderTarget(root), progress);
         std::string listed;
         for (const HromadneAkce::TFailure& f : result.failures)
           if (f.kind == HromadneAkce::TFailureKind::FolderUnreadable) listed += f.path + ";";
         const bool told =
             HromadneAkce::FailureReport(result.failures).find("přečíst") != std::string::npos;
         return listed + (told ? "told" : "");
       }},
      {"special renumbering",
       [&] {
         edit_speccislovani::TOptions options;
         options.root = root;
         options.subdirs = true;
         const edit_speccislovani::TResult result = edit_speccislovani::Run(options, {});
         const bool told =
             edit_speccislovani::Summary(result).find("přečíst") != std::string::npos;
         return Joined(result.unreadable) + (told ? "told" : "");
       }},
      {"photos by resolution",
       [&] {
         const edit_imgsize::TCollected collected = edit_imgsize::CollectJpegFiles(root, true);
         const bool told = edit_imgsize::UnreadableText(collected.unreadable).find("přečíst") !=
                           std::string::npos;
         return Joined(collected.unreadable) + (told ? "told" : "");
       }},
  };
  for (const auto& c : cases)
    EXPECT_EQ(testsupport::InChildWithPermissions(c.run), locked + ";told") << c.tool;
  ASSERT_EQ(chmod(locked.c_str(), 0755), 0);
}

}  // namespace
