#include "photos/ThumbListFormCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/DosFunc.h"
#include "tests/support/TestSupport.h"

namespace {

using ThumbListForm::TThumbCache;
using testsupport::TempDir;

std::vector<bool> Loaded(const TThumbCache& cache) {
  std::vector<bool> loaded;
  for (int i = 0; i < cache.Count(); ++i) loaded.push_back(cache.Entry(i).loaded);
  return loaded;
}

void LoadAll(TThumbCache& cache) {
  for (int i = 0; i < cache.Count(); ++i) cache.MarkLoaded(i);
}

class ThumbnailCache : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& name : names_) {
      testsupport::WriteFileBytes(dir_.File(name), name);
      DosFunc::SetFileDateTime(dir_.File(name), testsupport::At(2023, 5, 1, 12));
    }
    ASSERT_TRUE(cache_.Prepare(dir_.Path(), names_));
    LoadAll(cache_);
  }

  TempDir dir_;
  std::vector<std::string> names_{"a.jpg", "b.jpg", "c.jpg"};
  TThumbCache cache_;
};

TEST_F(ThumbnailCache, ReopeningTheSameFolderRemakesOnlyTheTouchedPhoto) {
  EXPECT_EQ(cache_.Entry(1).name, "b.jpg");
  EXPECT_FALSE(cache_.Prepare(dir_.Path(), names_));
  EXPECT_EQ(Loaded(cache_), (std::vector<bool>{true, true, true}));

  DosFunc::SetFileDateTime(dir_.File("b.jpg"), testsupport::At(2023, 5, 1, 13));
  EXPECT_FALSE(cache_.Prepare(dir_.Path(), names_));
  EXPECT_EQ(Loaded(cache_), (std::vector<bool>{true, false, true}));
}

TEST_F(ThumbnailCache, AnotherNameAtAPlaceIsRemadeThere) {
  // Names in another case are other photos on this system.
  testsupport::WriteFileBytes(dir_.File("C.jpg"), "other");
  DosFunc::SetFileDateTime(dir_.File("C.jpg"), testsupport::At(2023, 5, 1, 12));
  EXPECT_FALSE(cache_.Prepare(dir_.Path(), {"a.jpg", "b.jpg", "C.jpg"}));
  EXPECT_EQ(Loaded(cache_), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(cache_.Entry(2).name, "C.jpg");
}

TEST_F(ThumbnailCache, AnotherFolderOrLengthStartsAfresh) {
  TempDir other;
  struct Case {
    std::string folder;
    std::vector<std::string> names;
  };
  const Case cases[] = {{dir_.Path(), {"a.jpg", "b.jpg"}}, {other.Path(), names_}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder + " " + std::to_string(c.names.size()));
    cache_.Prepare(dir_.Path(), names_);
    LoadAll(cache_);
    EXPECT_TRUE(cache_.Prepare(c.folder, c.names));
    EXPECT_EQ(Loaded(cache_), std::vector<bool>(c.names.size(), false));
    EXPECT_EQ(cache_.Folder(), c.folder);
  }
}

}  // namespace
