// A photo folder with every kind of file derived from its photos, for the
// rename tests: EXIF side files, thumbnail caches, an ignore list, a stored
// project and its generated gallery with the checker cache; and the checks
// that every link and image of the gallery's pages resolves.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "gallery/generate/GalleryRun.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/rename/PhotoRename.h"
#include "photos/IgnoreList.h"
#include "photos/PhotoFolder.h"
#include "photos/batchmenu/BatchMenu.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace renametest {

namespace fs = std::filesystem;

// The test photos and the names they get: a name that begins another, a
// blank, "&", letters beyond ASCII, upper case, and a photo without EXIF.
inline const std::pair<const char*, const char*> kPhotos[] = {
    {"Canon_40D.jpg", "img1.jpg"},           {"Nikon_D70.jpg", "img10.jpg"},
    {"Kodak_CX7530.jpg", "Výlet & moře.JPG"}, {"Ricoh_Caplio_RR330.jpg", "b c.jpeg"},
    {"Olympus_C8080WZ.jpg", "Z.jpg"},        {"", "plain.jpg"},
};
// The photo the ignore list names (it is renamed all the same).
inline const char kIgnored[] = "Z.jpg";
inline const char kPattern[] = "Léto&";

// A photo without EXIF, its thumbnail made in the cache.
inline void WritePlainPhoto(const std::string& path) {
  platform::Bitmap picture;
  picture.width = 80;
  picture.height = 60;
  for (int i = 0; i < 80 * 60 * 3; ++i) picture.pixels.push_back(static_cast<uint8_t>(i * 7));
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 90));
}

// The folder's photos as the main window lists them for the Batch menu.
inline std::vector<std::string> ListPhotos(const std::string& folder) {
  std::vector<std::string> paths;
  PhotoFolder::List(folder, nullptr, paths);
  return paths;
}

// Makes the photos, their side files and thumbnails, the ignore list, the
// stored project of the folder with its output folder gallery, and the
// gallery; the projects file lies in the test's home.
inline void MakeFolder(const std::string& folder, const std::string& gallery) {
  fs::create_directories(folder);
  for (const auto& [source, name] : kPhotos) {
    const std::string path = folder + "/" + name;
    if (*source == 0)
      WritePlainPhoto(path);
    else
      fs::copy_file(testsupport::PhotoPath(source), path);
  }
  const std::vector<std::string> photos = ListPhotos(folder);
  for (const int code : {BatchMenu::kExtractExif, BatchMenu::kSaveThumbnails})
    ASSERT_TRUE(BatchMenu::Run(code, photos, {}, nullptr).Failed.empty());
  TIgnoreList ignore;
  ASSERT_TRUE(ignore.Load(folder));
  ASSERT_TRUE(ignore.Add(folder + "/" + kIgnored));
  THtmlProject project;
  project.PhotoFolder = folder;
  project.ProjectName = "Léto";
  project.HtmlDir = gallery;
  project.Shortcut = "leto";
  // Bands the small photos reach at once.
  project.ImgMaxSize = "20";
  project.ImgTolerance = "19";
  project.TbTolerance = "2500";
  int index = -1;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(project, index));
  ASSERT_TRUE(ignore.Load(folder));
  const GalleryRun::TReport report =
      GalleryRun::Generate(project, folder, GalleryRun::ListPhotos(folder, ignore), ignore.Names(), {});
  ASSERT_EQ(report.Outcome, GalleryRun::TOutcome::kDone);
  ASSERT_TRUE(report.Failed.empty());
}

inline std::string Unescape(const std::string& url) {
  std::string out;
  for (size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size()) {
      out += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += url[i];
    }
  }
  return out;
}

// Every page of the gallery, with each href and src that does not resolve
// to a file of exactly its name ("page -> link"); links out of the gallery
// are left out. pages counts the pages read.
inline std::vector<std::string> BrokenLinks(const std::string& gallery, int& pages) {
  static const std::regex kLink(R"re((?:href|src)="([^"]*)")re", std::regex::icase);
  std::vector<std::string> broken;
  pages = 0;
  for (const auto& entry : fs::recursive_directory_iterator(gallery)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".htm") continue;
    ++pages;
    const std::string page = testsupport::ReadFileBytes(entry.path().string());
    for (std::sregex_iterator it(page.begin(), page.end(), kLink), end; it != end; ++it) {
      const std::string link = (*it)[1];
      if (link.rfind("http", 0) == 0) continue;
      const fs::path target = entry.path().parent_path() / Unescape(link);
      if (!fs::is_regular_file(fs::symlink_status(target)))
        broken.push_back(fs::relative(entry.path(), gallery).string() + " -> " + link);
    }
  }
  return broken;
}

// Each file below root by its path relative to root, with its bytes.
inline std::map<std::string, std::string> Files(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] = testsupport::ReadFileBytes(entry.path().string());
  return files;
}

// Every entry below root by its path relative to root: a file with its
// bytes, a folder, a link with its target; so that any change shows.
inline std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string rel = fs::relative(entry.path(), root).string();
    if (entry.is_symlink())
      tree[rel] = "link " + fs::read_symlink(entry.path()).string();
    else if (entry.is_directory())
      tree[rel] = "folder";
    else
      tree[rel] = "file " + testsupport::ReadFileBytes(entry.path().string());
  }
  return tree;
}

// The paths below root that carry a work mark, or end in "_new".
inline std::vector<std::string> WorkNames(const std::string& root) {
  std::vector<std::string> work;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".~qm") != std::string::npos || name.ends_with("_new")) work.push_back(entry.path().string());
  }
  return work;
}

// The rename command as the main window runs it on the folder: a stopped
// run finished first, then the folder's photos renamed by kPattern from 1.
// True when everything was done.
inline bool RenameFolder(const std::string& folder, const std::string& gallery) {
  const std::vector<std::string> galleries = {gallery};
  if (PhotoRename::HasLeftovers(folder, galleries) &&
      !PhotoRename::FinishInterrupted(folder, galleries, {}).Unfinished.empty())
    return false;
  const BatchMenu::TRenamePlan plan = BatchMenu::PlanRenames(folder, ListPhotos(folder), kPattern, 1, 1);
  if (plan.Refusal != BatchMenu::TRefusal::kNone) return false;
  const PhotoRename::TResult result = PhotoRename::Run(folder, plan.Renames, galleries, {});
  return result.Failed.empty() && result.Unfinished.empty() && result.KeptOldNames.empty() && !result.NotStarted;
}

}  // namespace renametest
