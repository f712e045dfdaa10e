// Writing a slide-show package.
#include <string_view>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowPhoto.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "metadata/exif.h"
#include "photos/JPegUtils.h"
#include "platform/NewFile.h"

using namespace SlideShowPackage;

namespace {

// Entry names are cut to this many bytes; a picture's record and thumbnail
// keep their ".inf", "tn_" and ".jpg" within it.
constexpr size_t kMaxEntryName = 127;
constexpr size_t kMaxStem = kMaxEntryName - 7;

// Puts a work file into the container as an entry and deletes it. Whatever
// a failure leaves goes with the work folder.
void AddWorkFile(TFListFile& container, const std::string& path) {
  container.AddFile(path);
  DosFunc::DeleteFileLong(path);
}

template <size_t N>
std::string_view View(const std::array<unsigned char, N>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), N};
}

bool AddProjectList(TFListFile& container, const TSlideShowWorkDir& work,
                    const std::vector<TSlideShowSource>& projects) {
  std::string list;
  for (const TSlideShowSource& source : projects) {
    if (source.Photos.empty()) continue;
    TSlideShowProject project = source.Project;
    project.Count = static_cast<int32_t>(source.Photos.size());
    list += View(project.Encode());
  }
  const std::string path = work.File(kListEntry);
  if (!platform::WriteNewFile(path, list)) return false;
  AddWorkFile(container, path);
  return true;
}

bool AddLanguage(TFListFile& container, const TSlideShowWorkDir& work,
                 const std::string& languageFile) {
  if (!languageFile.empty()) {
    container.AddFile(languageFile);
    return true;
  }
  const std::string path = work.File(kEmptyLanguage);
  if (!platform::WriteNewFile(path, std::string(1, '\0'))) return false;
  AddWorkFile(container, path);
  return true;
}

// The three entries of one photo: record, thumbnail, picture.
bool AddPhoto(TFListFile& container, const TSlideShowWorkDir& work, const std::string& photo) {
  TExifReader reader;
  const bool exifRead = reader.ReadFromFile(photo);
  const std::string name = StrFunc::ExtractName(photo);
  const std::string stem(Utf8::LeftBytes(StrFunc::ExtractNameNoExt(name), kMaxStem));
  const std::string thumbnail = work.File("tn_" + stem + ".jpg");
  const std::string info = work.File(stem + ".inf");
  if (!JPegUtils::ExtractThumbnail(reader, thumbnail) ||
      !platform::WriteNewFile(info, View(SlideShowPhoto::InfoOf(reader, exifRead).Encode())))
    return false;
  AddWorkFile(container, info);
  AddWorkFile(container, thumbnail);
  const std::string picture = work.File(std::string(Utf8::LeftBytes(name, kMaxEntryName)));
  if (SlideShowPhoto::EncodeForScreen(photo, reader.GetOrientation(), picture)) {
    AddWorkFile(container, picture);
  } else {
    container.AddFile(photo);
  }
  return true;
}

}  // namespace

namespace SlideShowPackage {

TPackageResult Write(const std::string& target, const std::vector<TSlideShowSource>& projects,
                     const std::string& languageFile, const std::string& player,
                     const TSlideShowEvents& events) {
  int total = 0;
  for (const TSlideShowSource& source : projects) total += static_cast<int>(source.Photos.size());
  if (total == 0) return TPackageResult::NoPictures;
  const TSlideShowWorkDir work;
  if (work.Path().empty()) return TPackageResult::Failed;

  // Uncommitted, the container takes its work file with it.
  TFListFile container;
  container.CreateReplacing(target, player);
  if (!AddProjectList(container, work, projects) || !AddLanguage(container, work, languageFile))
    return TPackageResult::Failed;
  int done = 0;
  for (const TSlideShowSource& source : projects) {
    for (const std::string& photo : source.Photos) {
      if (events.Progress) events.Progress(++done, total);
      if (events.Showing) events.Showing(photo);
      if (!AddPhoto(container, work, photo)) return TPackageResult::Failed;
    }
  }
  return container.Commit() ? TPackageResult::Written : TPackageResult::Failed;
}

}  // namespace SlideShowPackage
