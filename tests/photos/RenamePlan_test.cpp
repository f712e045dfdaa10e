// The plan of the Batch menu's rename: the names by pattern, first number
// and step, and the plans refused before anything changes: a step of 0,
// patterns that are no plain name part, names held by other files (in any
// letter case, or by the name without extension) and side files in the way.
#include "photos/batchmenu/RenamePlan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using BatchMenu::TRefusal;
using BatchMenu::TRenames;

class RenamePlanTest : public ::testing::Test {
 protected:
  std::string Add(const std::string& name, const std::string& bytes = "photo") {
    fs::create_directories(fs::path(dir_.File(name)).parent_path());
    testsupport::WriteFileBytes(dir_.File(name), bytes);
    return dir_.File(name);
  }
  std::vector<std::string> Photos(std::initializer_list<const char*> names) {
    std::vector<std::string> paths;
    for (const char* name : names) paths.push_back(Add(name));
    return paths;
  }
  BatchMenu::TRenamePlan Plan(const std::vector<std::string>& photos, const std::string& pattern = "img",
                              int64_t first = 1, int64_t step = 1) {
    return BatchMenu::PlanRenames(dir_.Path(), photos, pattern, first, step);
  }

  testsupport::TempDir dir_;
};

TEST_F(RenamePlanTest, NamesFollowTheNumbersAndAPhotoNamedSoKeepsItsNameAndNumber) {
  const BatchMenu::TRenamePlan plan =
      Plan(Photos({"c.jpg", "IMG0015.JPG", "a.jpeg", "listed.exif", "b.JPG"}), "img", 5, 10);
  EXPECT_EQ(plan.Refusal, TRefusal::kNone);
  EXPECT_EQ(plan.Unchanged, 1);
  // The side file takes no number.
  EXPECT_EQ(plan.Renames, (TRenames{{"c.jpg", "img0005.jpg"}, {"a.jpeg", "img0025.jpg"}, {"b.JPG", "img0035.jpg"}}));
  EXPECT_EQ(BatchMenu::NewName("x", 123456), "x123456.jpg");
}

TEST_F(RenamePlanTest, NamesOfPhotosRenamedInTheSameRunMayBeTakenSwappedOrShifted) {
  const BatchMenu::TRenamePlan plan = Plan(Photos({"img0002.jpg", "img0001.jpg", "img0003.jpg"}), "img", 1, 1);
  EXPECT_EQ(plan.Refusal, TRefusal::kNone);
  EXPECT_EQ(plan.Renames, (TRenames{{"img0002.jpg", "img0001.jpg"}, {"img0001.jpg", "img0002.jpg"}}));
}

TEST_F(RenamePlanTest, PlansThatCannotBeCarriedOutAreRefusedWhole) {
  const std::vector<std::string> photos = Photos({"a.jpg", "b.jpg"});
  EXPECT_EQ(Plan(photos, "img", 1, 0).Refusal, TRefusal::kBadNumbers);
  EXPECT_EQ(Plan(photos, "img", 1, -2).Refusal, TRefusal::kBadNumbers);
  for (const std::string& pattern : std::vector<std::string>{"a/b", "a\\b", "..", "../up", ".hidden", "a\tb",
                                                              "a\x7F", std::string(201, 'x')}) {
    SCOPED_TRACE(pattern);
    EXPECT_FALSE(BatchMenu::IsPlainNamePart(pattern));
    EXPECT_EQ(Plan(photos, pattern).Refusal, TRefusal::kBadPattern);
  }
  for (const std::string& pattern : std::vector<std::string>{"", "Výlet 2024 - ", "a.b", std::string(200, 'x')})
    EXPECT_TRUE(BatchMenu::IsPlainNamePart(pattern)) << pattern;
}

TEST_F(RenamePlanTest, NamesHeldByOtherFilesInAnyCaseOrByTheNameWithoutExtensionAreRefused) {
  const struct {
    const char* holder;
    bool folder;
  } holders[] = {
      {"img0002.jpg", false},   // a file the list leaves out
      {"IMG0002.JPG", false},   // in another case
      {"img0002.jpg", true},    // a folder
      {"img0002.jpeg", false},  // a photo that keeps its name: would share its pages
  };
  for (const auto& h : holders) {
    SCOPED_TRACE(h.holder);
    testsupport::TempDir other;
    const std::string a = other.File("a.jpg"), b = other.File("b.jpg");
    testsupport::WriteFileBytes(a, "a");
    testsupport::WriteFileBytes(b, "b");
    if (h.folder)
      fs::create_directory(other.File(h.holder));
    else
      testsupport::WriteFileBytes(other.File(h.holder), "holder");
    const BatchMenu::TRenamePlan plan = BatchMenu::PlanRenames(other.Path(), {a, b}, "img", 1, 1);
    EXPECT_EQ(plan.Refusal, TRefusal::kNamesTaken);
    EXPECT_EQ(plan.Names, std::vector<std::string>{"img0002.jpg"});
    EXPECT_TRUE(plan.Renames.empty());
  }
}

TEST_F(RenamePlanTest, ASideFileOfNoRenamedPhotoInTheWayIsRefusedAndOneOfARenamedPhotoIsNot) {
  const std::vector<std::string> photos = Photos({"img0002.jpg", "b.jpg"});
  Add("exif/img0002.exif", "moves away with its photo");
  EXPECT_EQ(Plan(photos).Refusal, TRefusal::kNone);
  Add("exif/IMG0001.exif", "a photo deleted since");
  const BatchMenu::TRenamePlan plan = Plan(photos);
  EXPECT_EQ(plan.Refusal, TRefusal::kSideFilesInTheWay);
  EXPECT_EQ(plan.Names, std::vector<std::string>{"exif/IMG0001.exif"});
}

}  // namespace
