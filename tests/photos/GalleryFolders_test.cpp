// The tools that walk a photo tree leave the output folder of a stored
// gallery project alone, as they leave the thumbnail folder: its resized
// copies are never renamed, split, renumbered, sorted or listed as photos.
#include <gtest/gtest.h>

#include <unistd.h>

#include "photos/OwnFiles.h"
#include "photos/batch/HromadneAkceRename.h"
#include "photos/batch/HromadneAkceScan.h"
#include "photos/batch/HromadneAkceWalk.h"
#include "photos/bysize/edit_imgsizeWork.h"
#include "photos/renumber/edit_speccislovaniWork.h"
#include "photos/resort/edit_imgresortInternal.h"
#include "tests/photos/BatchTree.h"

namespace {

using batchtest::At;
using batchtest::Photo;
using batchtest::Tree;

std::vector<std::string>& Galleries() {
  static std::vector<std::string> folders;
  return folders;
}

std::vector<std::string> GallerySource() { return Galleries(); }

bool AnyIn(const std::vector<std::string>& paths, const std::string& part) {
  for (const std::string& path : paths)
    if (path.find(part) != std::string::npos) return true;
  return false;
}

class GalleryFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    Photo(Root(), "IMG_1.jpg", At(2013, 10, 5, 10, 0, 0));
    Photo(Root(), "trip/IMG_2.jpg", At(2013, 10, 6, 10, 0, 0));
    // A gallery's resized copy still carries the photo's EXIF.
    Photo(Root(), "web/foto/img_1.jpg", At(2013, 10, 5, 10, 0, 0));
    Photo(Root(), "web/th/th_img_1.jpg", At(2013, 10, 5, 10, 0, 0));
    OwnFiles::SetGalleryFolderSource(GallerySource);
  }
  void TearDown() override { OwnFiles::SetGalleryFolderSource(nullptr); }

  std::string Root() const { return dir_.Path(); }
  std::vector<std::string> GalleryFiles() const {
    std::vector<std::string> inWeb;
    for (const std::string& file : Tree(Root()))
      if (file.rfind("web/", 0) == 0) inWeb.push_back(file);
    return inWeb;
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir dir_;
};

TEST_F(GalleryFolders, AreFoundByPathOrByIdentity) {
  Galleries() = {Root() + "/web/"};
  EXPECT_TRUE(OwnFiles::IsGalleryFolder(Root() + "/web"));
  EXPECT_FALSE(OwnFiles::IsGalleryFolder(Root() + "/trip"));
  EXPECT_FALSE(OwnFiles::IsGalleryFolder(Root() + "/WEB"));
  ASSERT_EQ(symlink((Root() + "/web").c_str(), (Root() + "/link").c_str()), 0);
  Galleries() = {Root() + "/link"};
  EXPECT_TRUE(OwnFiles::IsGalleryFolder(Root() + "/web"));
  OwnFiles::SetGalleryFolderSource(nullptr);
  EXPECT_FALSE(OwnFiles::IsGalleryFolder(Root() + "/web"));
}

TEST_F(GalleryFolders, AreLeftAloneByEveryToolThatWalksSubfolders) {
  Galleries() = {Root() + "/web"};
  const std::vector<std::string> gallery = GalleryFiles();
  ASSERT_EQ(gallery.size(), 2u);

  HromadneAkce::TOptions options;
  options.subdirs = true;
  batchtest::RecordingProgress progress;
  for (const HromadneAkce::TActionCode code :
       {HromadneAkce::kRenameByPhotoDate, HromadneAkce::kSplitByMonth}) {
    HromadneAkce::RunAction(code, options, HromadneAkce::FolderTarget(Root()), progress);
    EXPECT_EQ(GalleryFiles(), gallery) << int(code);
  }
  EXPECT_FALSE(AnyIn(Tree(Root()), "IMG_2.jpg")) << "the other subfolder was walked";
  HromadneAkce::RunRenameByName(options, HromadneAkce::FolderTarget(Root()), progress);
  EXPECT_EQ(GalleryFiles(), gallery) << "rename in name order";

  edit_speccislovani::TOptions renumber;
  renumber.root = Root();
  renumber.subdirs = true;
  renumber.prefix = "th_img_";
  edit_speccislovani::Run(renumber, {});
  EXPECT_EQ(GalleryFiles(), gallery);

  EXPECT_FALSE(AnyIn(edit_imgresort::detail::ListFiles(Root(), true), "web/"));
  EXPECT_FALSE(AnyIn(edit_imgsize::CollectJpegFiles(Root(), true).files, "/web/"));
  HromadneAkce::TScanRule rule;
  rule.subfolders = true;
  EXPECT_FALSE(AnyIn(HromadneAkce::ScanFolder(Root(), rule).subfolders, "/web"));
}

}  // namespace
