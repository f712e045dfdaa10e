// Which project settings are accepted, as a table over the rules.
#include "gallery/projects/HtmlProjectCheck.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/TestSupport.h"

namespace {

using HtmlProjectCheck::TProblem;

TEST(HtmlProjectCheck, RefusesWhatGenerationOrPublishingCouldNotUse) {
  testsupport::TempDir dir;
  const std::string photos = dir.File("photos");
  std::filesystem::create_directories(photos);
  std::filesystem::create_directories(dir.File("web/trip"));
  testsupport::WriteFileBytes(dir.File("file"), "x");
  ASSERT_EQ(symlink(photos.c_str(), dir.File("web/alias").c_str()), 0);
  std::filesystem::create_directories(dir.File("x/out"));
  std::filesystem::create_directories(dir.File("x/out2"));
  ASSERT_EQ(symlink(dir.File("x/out").c_str(), dir.File("web/outlink").c_str()), 0);
  const std::string year = dir.File("Fotky/2024");
  std::filesystem::create_directories(year);
  ASSERT_EQ(symlink(dir.File("Fotky").c_str(), dir.File("web/fotky").c_str()), 0);
  THtmlProject other;
  other.Shortcut = "Hory";
  other.HtmlDir = dir.File("x/out");
  const std::vector<THtmlProject> stored = {THtmlProject{}, other};

  THtmlProject good;
  good.PhotoFolder = photos;
  good.ProjectName = "Výl";  // three characters, four bytes
  good.HtmlDir = dir.File("web/new");
  good.Shortcut = "trip";

  const struct {
    const char* what;
    std::function<void(THtmlProject&)> change;
    TProblem problem;
    int projectIndex = -1;
  } cases[] = {
      {"accepted: output folder to be made in an existing one", [](THtmlProject&) {}, TProblem::kNone},
      {"an existing output folder", [&](THtmlProject& p) { p.HtmlDir = dir.File("web/trip/"); },
       TProblem::kNone},
      {"name of two characters", [](THtmlProject& p) { p.ProjectName = "ab"; },
       TProblem::kNameTooShort},
      {"name of three blanks, lengths as typed", [](THtmlProject& p) { p.ProjectName = "   "; },
       TProblem::kNone},
      {"output folder two levels down", [&](THtmlProject& p) { p.HtmlDir = dir.File("web/a/b"); },
       TProblem::kOutputMissing},
      {"output folder that is a file", [&](THtmlProject& p) { p.HtmlDir = dir.File("file"); },
       TProblem::kOutputMissing},
      {"relative output folder", [](THtmlProject& p) { p.HtmlDir = "web/trip"; },
       TProblem::kOutputNotAbsolute},
      {"output folder too long for its field",
       [&](THtmlProject& p) { p.HtmlDir = dir.File(std::string(256, 'x')); }, TProblem::kOutputTooLong},
      {"photo folder too long for its field",
       [&](THtmlProject& p) { p.PhotoFolder = "/" + std::string(255, 'p'); },
       TProblem::kPhotoFolderTooLong},
      {"output folder is the photo folder", [&](THtmlProject& p) { p.HtmlDir = photos + "/"; },
       TProblem::kOutputIsPhotos},
      {"photo folder is the output's foto folder",
       [&](THtmlProject& p) { p.PhotoFolder = dir.File("web/trip/foto"); p.HtmlDir = dir.File("web/trip"); },
       TProblem::kOutputIsPhotos},
      {"output folder reaching the photo folder through a link",
       [&](THtmlProject& p) { p.HtmlDir = dir.File("web/alias"); }, TProblem::kOutputIsPhotos},
      {"a photo folder deep inside the output",
       [&](THtmlProject& p) { p.PhotoFolder = dir.File("web/trip/th/x"); p.HtmlDir = dir.File("web/trip"); },
       TProblem::kOutputIsPhotos},
      {"output folder above the photo folder",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = dir.File("Fotky"); }, TProblem::kOutputIsPhotos},
      {"output folder two above the photo folder",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = dir.File(""); }, TProblem::kOutputIsPhotos},
      {"output folder above the photo folder by \"..\"",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = year + "/../"; }, TProblem::kOutputIsPhotos},
      {"photo folder with \"..\" below the output folder",
       [&](THtmlProject& p) { p.PhotoFolder = dir.File("x/out2/../../Fotky/2024"); p.HtmlDir = dir.File("Fotky"); },
       TProblem::kOutputIsPhotos},
      {"output folder above the photo folder through a link",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = dir.File("web/fotky"); }, TProblem::kOutputIsPhotos},
      {"output folder whose name begins the photo folder's",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = dir.File("Fotky/202"); }, TProblem::kNone},
      {"output folder inside the photo folder, as new projects get it",
       [&](THtmlProject& p) { p.PhotoFolder = year; p.HtmlDir = year + "/html"; }, TProblem::kNone},
      {"another project's output folder", [&](THtmlProject& p) { p.HtmlDir = dir.File("x/out/"); },
       TProblem::kOutputOfOther},
      {"inside another project's output folder", [&](THtmlProject& p) { p.HtmlDir = dir.File("x/out/new"); },
       TProblem::kOutputOfOther},
      {"above another project's output folder", [&](THtmlProject& p) { p.HtmlDir = dir.File("x"); },
       TProblem::kOutputOfOther},
      {"another project's output folder by \"..\"",
       [&](THtmlProject& p) { p.HtmlDir = dir.File("x/out2/../out"); }, TProblem::kOutputOfOther},
      {"another project's output folder through a link",
       [&](THtmlProject& p) { p.HtmlDir = dir.File("web/outlink"); }, TProblem::kOutputOfOther},
      {"inside another project's output folder through a link",
       [&](THtmlProject& p) { p.HtmlDir = dir.File("web/outlink/new"); }, TProblem::kOutputOfOther},
      {"a sibling whose name begins another output's", [&](THtmlProject& p) { p.HtmlDir = dir.File("x/out2"); },
       TProblem::kNone},
      {"the project's own record keeps its output folder",
       [&](THtmlProject& p) { p.HtmlDir = dir.File("x/out"); p.Shortcut = "hory"; }, TProblem::kNone, 1},
      {"short name of two characters", [](THtmlProject& p) { p.Shortcut = "ab"; },
       TProblem::kShortcutTooShort},
      {"short name with a slash", [](THtmlProject& p) { p.Shortcut = "a/b"; },
       TProblem::kShortcutNotPlain},
      {"short name with a backslash", [](THtmlProject& p) { p.Shortcut = "a\\b"; },
       TProblem::kShortcutNotPlain},
      {"short name with a tab", [](THtmlProject& p) { p.Shortcut = "a\tb"; },
       TProblem::kShortcutNotPlain},
      {"short name of dots", [](THtmlProject& p) { p.Shortcut = "..."; }, TProblem::kNone},
      {"short name longer than its 16 bytes", [](THtmlProject& p) { p.Shortcut = "žluťoučký kůň"; },
       TProblem::kShortcutNotPlain},
      {"short name of another project in another case", [](THtmlProject& p) { p.Shortcut = "hORY"; },
       TProblem::kShortcutTaken},
      {"the project's own record keeps its short name", [](THtmlProject& p) { p.Shortcut = "hory"; },
       TProblem::kNone, 1},
      {"size with blanks of the mask", [](THtmlProject& p) { p.ImgMaxSize = "40  "; }, TProblem::kNone},
      {"empty size", [](THtmlProject& p) { p.TbMaxSize = "    "; }, TProblem::kNotNumber},
      {"size with a blank inside", [](THtmlProject& p) { p.TbTolerance = "5 12"; },
       TProblem::kNotNumber},
      {"negative tolerance", [](THtmlProject& p) { p.ImgTolerance = "-2"; }, TProblem::kNotNumber},
      {"no photo folder open", [](THtmlProject& p) { p.PhotoFolder.clear(); }, TProblem::kNone},
  };
  for (const auto& c : cases) {
    THtmlProject p = good;
    c.change(p);
    int clash = -1;
    const TProblem problem = HtmlProjectCheck::Check(p, c.projectIndex, stored, &clash);
    EXPECT_EQ(static_cast<int>(problem), static_cast<int>(c.problem)) << c.what;
    EXPECT_EQ(clash, problem == TProblem::kOutputOfOther ? 1 : -1) << c.what;
    EXPECT_EQ(HtmlProjectCheck::ProblemText(problem) > 0, problem != TProblem::kNone) << c.what;
  }
}

}  // namespace
