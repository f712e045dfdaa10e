#include "gallery/generate/GalleryRun.h"

#include <unistd.h>

#include <map>
#include <memory>
#include <system_error>
#include <unordered_set>

#include "foundation/AppFolders.h"
#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "gallery/generate/GalleryImages.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryPages.h"
#include "gallery/generate/GalleryRecord.h"
#include "gallery/generate/GenImages.h"
#include "gallery/checker/ImageCRC.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/Orientation.h"
#include "metadata/exif.h"
#include "photos/IgnoreList.h"
#include "photos/JPegUtils.h"
#include "photos/PhotoFolder.h"
#include "photos/PhotoList.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "platform/BusyNotice.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"
#include "platform/jpeg/JpegReader.h"
#include "texts/Language.h"

namespace GalleryRun {

namespace {

namespace L = GalleryLayout;
namespace P = GalleryPages;
using StrFunc::LowerCaseCz;
using StrFunc::UpperCaseCz;

constexpr int kTextDateFormat = 0;
constexpr int kTextTimeFormat = 1;
constexpr int kTextCheckingFiles = 519;
constexpr const char* kNoTitle = "VadaRiruv";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

bool IsDirectory(const std::string& path) {
  platform::FileStatus status;
  return platform::StatPath(path, status) && status.isDirectory;
}

// The key under which a photo's outputs are named.
std::string OutputKey(const std::string& name) { return LowerCaseCz(StrFunc::ExtractNameNoExt(name)); }

// A photo whose images were made, waiting for its pages.
struct TMadePhoto {
  std::string Path;
  std::string Name;  // lower-cased file name
  int PhotoWidth = 0;  // of its site photo
  int PhotoHeight = 0;
  bool ExifPage = false;  // it gets an EXIF page
};

class TGalleryRun {
 public:
  TGalleryRun(const THtmlProject& project, const std::string& folder, const TEvents& events)
      : project_(project), folder_(folder), events_(events) {}

  TReport Run(const std::vector<std::string>& photos, const std::vector<std::string>& ignored);

 private:
  void SetUpState();
  bool FindForeignFiles();
  bool IsOwnFile(const std::string& folder, const std::string& name) const;
  GalleryRecord::TFiles ImageOutputs() const;
  GalleryRecord::TFiles PageOutputs(const std::vector<TMadePhoto>& made) const;
  bool Claim(const GalleryRecord::TFiles& files);
  void Remove(const std::string& folder, const std::string& name);
  void FinishRecord();
  bool MakeFolders();
  void CleanUp(const std::vector<std::string>& ignored);
  void DeleteStaleOutputs(const std::vector<std::string>& names, bool keepCurrent);
  void DeleteOrphans(const std::string& folder);
  bool IsGalleryPhotoName(const std::string& folder, const std::string& name) const;
  bool MakeImages(const std::string& photo, TMadePhoto& made);
  bool ProcessPhoto(const TMadePhoto& photo, bool isFirst, bool isLast);
  void AddToFilmStrip(const std::string& name, bool isLast);
  void FlushFilmStrip800(bool isLast) { FlushFilmStrip(P::kSize800, isLast); }
  void FlushFilmStrip1024(bool isLast) { FlushFilmStrip(P::kSize1024, isLast); }
  void FlushFilmStrip(int size, bool isLast);
  void DeleteSurplusPages(int first, int size);
  void WriteFramesets(bool any);
  std::string Out(const char* folder, const std::string& name) const {
    return L::OutputPath(state_.HtmlDir, folder, name);
  }
  void Gauge(int position) const {
    if (events_.Gauge) events_.Gauge(position, static_cast<int>(photos_.size()) + 1);
  }
  void Info(const std::string& what, const std::string& level) const {
    if (events_.Info) events_.Info(what, level);
  }

  const THtmlProject& project_;
  std::string folder_;
  const TEvents& events_;
  std::vector<std::string> photos_;
  P::TPageState state_;
  TJPegChecker checker_;
  std::unique_ptr<GalleryImages::TSiteImageRun> images_;
  // The thumbnail of the photo at hand, locked while the run lasts, so that
  // the sweep of another starting copy keeps it.
  platform::HeldFile thumbnail_;
  // Per size: the names and comments waiting for the next film-strip page.
  std::vector<std::string> stripNames_[2];
  std::vector<std::string> stripComments_[2];
  // Every output of the photos of the list, as folder + "/" + name.
  std::unordered_set<std::string> outputs_;
  // The files this program made in the gallery (GalleryRecord.h), and the
  // names each subfolder held when the run began.
  GalleryRecord::TFiles record_;
  std::map<std::string, std::vector<std::string>> found_;
  TReport report_;
};

TReport TGalleryRun::Run(const std::vector<std::string>& photos,
                         const std::vector<std::string>& ignored) {
  for (const std::string& photo : photos)
    if (HromadneAkce::IsJpegFile(photo)) photos_.push_back(photo);
  if (photos_.empty()) {
    report_.Outcome = TOutcome::kNoPhotos;
    return report_;
  }
  std::vector<std::string> names;
  for (const std::string& photo : photos_) names.push_back(StrFunc::ExtractName(photo));
  report_.Clashes = FindNameClashes(names);
  if (!report_.Clashes.empty()) {
    report_.Outcome = TOutcome::kNameClash;
    return report_;
  }
  SetUpState();
  if (!thumbnail_.IsOpen()) {
    report_.Outcome = TOutcome::kCannotMakeWorkFolder;
    return report_;
  }
  if (!FindForeignFiles()) {
    report_.Outcome = TOutcome::kForeignFiles;
    return report_;
  }
  checker_.ScanDirectory(folder_);
  // Every photo is asked about: its checksum is read at once for all.
  checker_.ComputeChecksums();
  if (!MakeFolders()) {
    report_.Outcome = TOutcome::kCannotCreateFolder;
    return report_;
  }
  // Every file is in the record before it is written, so that a run stopped
  // anywhere leaves no file of its own that the next run would not know.
  if (!Claim(ImageOutputs())) {
    report_.Outcome = TOutcome::kCannotWriteRecord;
    return report_;
  }
  CleanUp(ignored);
  images_ = std::make_unique<GalleryImages::TSiteImageRun>(
      GalleryImages::TSiteImageRun{project_, checker_, events_.Info});

  Gauge(0);
  (void)GenImages::WriteGalleryImages(StrFunc::IncludeBackslash(state_.HtmlDir) + L::kIcoFolder);
  Gauge(1);
  std::vector<TMadePhoto> made;
  for (size_t i = 0; i < photos_.size(); ++i) {
    Gauge(static_cast<int>(i) + 2);
    platform::PumpEvents();
    TMadePhoto photo;
    if (MakeImages(photos_[i], photo)) {
      made.push_back(photo);
    } else {
      report_.Failed.push_back(StrFunc::ExtractName(photos_[i]));
      DeleteStaleOutputs({photos_[i]}, false);
    }
  }
  thumbnail_.Close();
  if (!Claim(PageOutputs(made))) {
    report_.Outcome = TOutcome::kCannotWriteRecord;
    return report_;
  }

  // The pages link only photos whose images are there.
  for (size_t i = 0; i < made.size(); ++i) {
    platform::PumpEvents();
    state_.Previous = i > 0 ? made[i - 1].Name : std::string();
    state_.Next = i + 1 < made.size() ? made[i + 1].Name : std::string();
    if (ProcessPhoto(made[i], i == 0, i + 1 == made.size())) {
      checker_.ConfirmOutputs(checker_.IndexOf(made[i].Path));
      ++report_.Photos;
    } else {
      report_.Failed.push_back(StrFunc::ExtractName(made[i].Path));
    }
  }
  WriteFramesets(!made.empty());
  DeleteSurplusPages(state_.PageCounter[0] + 1, P::kSize800);
  DeleteSurplusPages(state_.PageCounter[1] + 1, P::kSize1024);
  FinishRecord();
  return report_;
}

void TGalleryRun::SetUpState() {
  state_.Title = StrFunc::Trim(project_.ProjectName);
  if (state_.Title.empty()) state_.Title = kNoTitle;
  state_.CharSet = P::CharSetOf(project_.CharCode);
  state_.Czech = project_.WebLanguage == 1;
  state_.HtmlDir = StrFunc::ExcludeBackslash(StrFunc::Trim(project_.HtmlDir));
  state_.ExifPages = project_.DetailExifForWeb;
  state_.DatePattern = Language::GetText(kTextDateFormat);
  state_.TimePattern = Language::GetText(kTextTimeFormat);
  state_.Today = DateFunc::FormatToday(state_.DatePattern);
  // One file per running program: two programs may generate at once.
  const std::string temp = platform::PrivateTempDir(report_.WorkFolderProblem);
  if (!temp.empty()) {
    AppFolders::RemoveLeftovers();
    const std::string path = temp + WorkNames::GenerationThumbnailName(getpid());
    int error = 0;
    if (!thumbnail_.Open(path, error))
      report_.WorkFolderProblem =
          path + ": " + std::error_code(error, std::generic_category()).message();
  }
  for (const std::string& photo : photos_) {
    const std::string name = StrFunc::ExtractName(photo);
    outputs_.insert(std::string(L::kThumbFolder) + "/" + L::ThumbnailName(name));
    outputs_.insert(std::string(L::kPhotoFolder) + "/" + L::SitePhotoName(name));
    outputs_.insert(std::string(L::kExifFolder) + "/" + L::ExifPageName(name));
    outputs_.insert(std::string(L::k800Folder) + "/" + L::PhotoPageName(name));
    outputs_.insert(std::string(L::k1024Folder) + "/" + L::PhotoPageName(name));
  }
}

// The work files a writer leaves beside an output when it is stopped.
bool IsWorkFileOf(const std::string& name, std::string& output) {
  for (const char* ext : {L::kNewVersionExt, L::kTrialExt}) {
    if (EndsWith(name, ext) && name.size() > std::string(ext).size()) {
      output = name.substr(0, name.size() - std::string(ext).size());
      return true;
    }
  }
  return false;
}

bool TGalleryRun::FindForeignFiles() {
  // No output folder is refused when the folders are made.
  if (state_.HtmlDir.empty()) return true;
  // A damaged record names nothing: every file of the gallery is then
  // taken for one the run did not make.
  GalleryRecord::Read(state_.HtmlDir, record_);
  for (const char* sub : L::kSubfolders) {
    const std::string path = StrFunc::IncludeBackslash(state_.HtmlDir) + sub;
    // A file standing for a subfolder is told when the folders are made.
    if (!IsDirectory(path)) continue;
    std::vector<std::string>& names = found_[sub];
    if (!platform::ListNames(path, names)) {
      report_.Foreign.push_back(std::string(sub) + "/");
      continue;
    }
    for (const std::string& name : names)
      if (!IsOwnFile(sub, name)) report_.Foreign.push_back(GalleryRecord::Key(sub, name));
  }
  std::sort(report_.Foreign.begin(), report_.Foreign.end());
  return report_.Foreign.empty();
}

bool TGalleryRun::IsOwnFile(const std::string& folder, const std::string& name) const {
  // Hidden names are never made, replaced or removed by a run, and names
  // with the work mark belong to the writer or rename that left them.
  if (name.empty() || name[0] == '.' || name.find(WorkNames::kMark) != std::string::npos) return true;
  std::string output;
  return record_.count(GalleryRecord::Key(folder, name)) > 0 ||
         (IsWorkFileOf(name, output) && record_.count(GalleryRecord::Key(folder, output)) > 0);
}

GalleryRecord::TFiles TGalleryRun::ImageOutputs() const {
  GalleryRecord::TFiles files;
  for (const char* image : GenImages::kImageNames) files.insert(GalleryRecord::Key(L::kIcoFolder, image));
  for (const std::string& photo : photos_) {
    files.insert(GalleryRecord::Key(L::kThumbFolder, L::ThumbnailName(photo)));
    files.insert(GalleryRecord::Key(L::kPhotoFolder, L::SitePhotoName(photo)));
  }
  return files;
}

GalleryRecord::TFiles TGalleryRun::PageOutputs(const std::vector<TMadePhoto>& made) const {
  GalleryRecord::TFiles files;
  for (const TMadePhoto& photo : made) {
    for (const char* size : {L::k800Folder, L::k1024Folder})
      files.insert(GalleryRecord::Key(size, L::PhotoPageName(photo.Name)));
    if (photo.ExifPage) files.insert(GalleryRecord::Key(L::kExifFolder, L::ExifPageName(photo.Name)));
  }
  if (made.empty()) return files;
  for (const int size : {P::kSize800, P::kSize1024}) {
    const P::TScreen& screen = P::ScreenOf(size);
    files.insert(GalleryRecord::Key(screen.Folder, L::kFrameset));
    const int pages = (static_cast<int>(made.size()) + screen.Capacity - 1) / screen.Capacity;
    for (int n = 1; n <= pages; ++n) files.insert(GalleryRecord::Key(screen.Folder, L::PageFileName(n)));
  }
  return files;
}

bool TGalleryRun::Claim(const GalleryRecord::TFiles& files) {
  const size_t before = record_.size();
  record_.insert(files.begin(), files.end());
  return record_.size() == before || GalleryRecord::Write(state_.HtmlDir, record_);
}

void TGalleryRun::Remove(const std::string& folder, const std::string& name) {
  std::string output;
  if (record_.count(GalleryRecord::Key(folder, name)) > 0 ||
      (IsWorkFileOf(name, output) && record_.count(GalleryRecord::Key(folder, output)) > 0))
    platform::RemoveFile(Out(folder.c_str(), name));
}

void TGalleryRun::FinishRecord() {
  // The record keeps the files that are there; those the run planned but
  // did not write, or removed, leave it.
  GalleryRecord::TFiles present;
  for (const char* sub : L::kSubfolders) {
    std::vector<std::string> names;
    platform::ListNames(StrFunc::IncludeBackslash(state_.HtmlDir) + sub, names);
    for (const std::string& name : names)
      if (record_.count(GalleryRecord::Key(sub, name)) > 0) present.insert(GalleryRecord::Key(sub, name));
  }
  // A record that cannot be written keeps every file the run planned: it
  // still names all the run made.
  if (!GalleryRecord::Write(state_.HtmlDir, present))
    report_.Failed.push_back(GalleryRecord::kRecordName);
}

bool TGalleryRun::MakeFolders() {
  if (state_.HtmlDir.empty()) return false;
  DosFunc::ForceDirectoriesLong(state_.HtmlDir);
  if (!IsDirectory(state_.HtmlDir)) return false;
  for (const char* sub : L::kSubfolders) {
    const std::string path = StrFunc::IncludeBackslash(state_.HtmlDir) + sub;
    if (!IsDirectory(path) && !platform::MakeDirectory(path)) return false;
  }
  return true;
}

void TGalleryRun::CleanUp(const std::vector<std::string>& ignored) {
  DeleteStaleOutputs(checker_.GetRemovedFiles(false), true);
  // Older ignore lists hold upper-cased names; the outputs are lower-cased.
  DeleteStaleOutputs(ignored, true);
  for (const char* folder : {L::kThumbFolder, L::kPhotoFolder, L::kExifFolder, L::k800Folder, L::k1024Folder})
    DeleteOrphans(folder);
  Info("", "");
}

void TGalleryRun::DeleteStaleOutputs(const std::vector<std::string>& names, bool keepCurrent) {
  for (const std::string& entry : names) {
    const std::string name = StrFunc::Trim(StrFunc::ExtractName(entry));
    if (name.empty()) continue;
    const std::pair<const char*, std::string> outputs[] = {
        {L::kThumbFolder, L::ThumbnailName(name)}, {L::kPhotoFolder, L::SitePhotoName(name)},
        {L::kExifFolder, L::ExifPageName(name)},   {L::k800Folder, L::PhotoPageName(name)},
        {L::k1024Folder, L::PhotoPageName(name)},
    };
    for (const auto& [folder, output] : outputs) {
      // A name that left the folder may share its outputs with a photo that
      // is there ("a.jpeg" gone, "a.jpg" present).
      if (keepCurrent && outputs_.count(std::string(folder) + "/" + output) > 0) continue;
      Remove(folder, output);
    }
  }
}

// Removes the files of folder that the run made once and that belong to no
// photo of the list now, and the work files stopped writers left; any other
// file is one of the user's and stays.
void TGalleryRun::DeleteOrphans(const std::string& folder) {
  const std::string path = StrFunc::IncludeBackslash(state_.HtmlDir) + folder;
  Info(Language::GetText(kTextCheckingFiles) + "...", path);
  platform::PumpEvents();
  for (const std::string& name : found_[folder]) {
    std::string output;
    if (IsWorkFileOf(name, output) || !IsGalleryPhotoName(folder, name)) Remove(folder, name);
  }
}

bool TGalleryRun::IsGalleryPhotoName(const std::string& folder, const std::string& name) const {
  if (folder == L::kExifFolder && !state_.ExifPages) return false;
  int number = 0;
  // The framesets and film-strip pages are written again by this run, or
  // removed as surplus; an unchanged one keeps its date.
  if ((folder == L::k800Folder || folder == L::k1024Folder) &&
      (name == L::kFrameset || IsFilmStripPageName(name, number)))
    return true;
  return outputs_.count(GalleryRecord::Key(folder, name)) > 0;
}

bool TGalleryRun::MakeImages(const std::string& photo, TMadePhoto& made) {
  TExifReader reader;
  // A photo whose EXIF cannot be read is a photo without EXIF.
  reader.ReadFromFile(photo);
  // Never the thumbnail of the photo before.
  std::string bytes;
  const bool thumbnail = JPegUtils::ThumbnailBytes(reader, bytes) && thumbnail_.Rewrite(bytes);
  if (!thumbnail) (void)thumbnail_.Rewrite({});
  if (events_.ShowPhoto) events_.ShowPhoto(photo, reader, thumbnail ? thumbnail_.Path() : std::string());
  platform::PumpEvents();
  platform::JpegReader decoder;
  if (!thumbnail || !decoder.OpenFile(photo)) return false;
  const int orientation = reader.GetOrientation();
  int width = decoder.Width(), height = decoder.Height();
  Orientation::UprightSize(orientation, width, height);
  ConvertJPeg::ModeSize(JPegUtils::kSitePhotoMode, 0, 0, width, height);
  made.Path = photo;
  made.Name = LowerCaseCz(StrFunc::ExtractName(photo));
  made.PhotoWidth = width;
  made.PhotoHeight = height;
  // As GalleryPages::WriteExifDetailPage decides.
  made.ExifPage =
      state_.ExifPages && (!reader.StandardRows().names.empty() || !reader.MakerRows().names.empty());
  const std::string thumbnailFile = Out(L::kThumbFolder, L::ThumbnailName(photo));
  const std::string photoFile = Out(L::kPhotoFolder, L::SitePhotoName(photo));
  // Images made stretched to the box, by an older version, are made again,
  // the thumbnail with its photo.
  if (GalleryImages::HasOtherSize(photoFile, width, height)) {
    platform::RemoveFile(thumbnailFile);
    platform::RemoveFile(photoFile);
  }
  return GalleryImages::MakeSiteImage(photo, thumbnail_.Path(), thumbnailFile, JPegUtils::kSiteThumbMode,
                                      orientation, *images_) &&
         GalleryImages::MakeSiteImage(photo, photo, photoFile, JPegUtils::kSitePhotoMode, orientation,
                                      *images_);
}

bool TGalleryRun::ProcessPhoto(const TMadePhoto& photo, bool isFirst, bool isLast) {
  TExifReader reader;
  reader.ReadFromFile(photo.Path);
  state_.Reader = &reader;
  const std::string page = L::PhotoPageName(photo.Name);
  if (isFirst) state_.FirstPhotoPage = page;
  bool written = true;
  for (const int size : {P::kSize800, P::kSize1024})
    written = P::WritePhotoPage(state_, size, Out(P::ScreenOf(size).Folder, page), photo.Name, photo.PhotoWidth,
                                photo.PhotoHeight) &&
              written;
  AddToFilmStrip(photo.Name, isLast);
  state_.Reader = nullptr;
  return written;
}

void TGalleryRun::AddToFilmStrip(const std::string& name, bool isLast) {
  std::string comment = state_.Reader != nullptr ? StrFunc::Trim(state_.Reader->GetUserComment()) : std::string();
  comment = comment.empty() ? std::string(1, P::kMarker) : P::ConvertLineBreaks(comment, P::kBreaksToMarker);
  for (int i = 0; i < 2; ++i) {
    stripNames_[i].push_back(name);
    stripComments_[i].push_back(comment);
  }
  if (isLast || static_cast<int>(stripNames_[0].size()) == P::ScreenOf(P::kSize800).Capacity)
    FlushFilmStrip800(isLast);
  if (isLast || static_cast<int>(stripNames_[1].size()) == P::ScreenOf(P::kSize1024).Capacity)
    FlushFilmStrip1024(isLast);
}

void TGalleryRun::FlushFilmStrip(int size, bool isLast) {
  const int index = P::IndexOf(size);
  const int number = ++state_.PageCounter[index];
  const std::string page = L::PageFileName(number);
  if (!P::WriteFilmStripPage(state_, size, Out(P::ScreenOf(size).Folder, page), stripNames_[index],
                             stripComments_[index], isLast))
    report_.Failed.push_back(std::string(P::ScreenOf(size).Folder) + "/" + page);
  stripNames_[index].clear();
  stripComments_[index].clear();
}

void TGalleryRun::WriteFramesets(bool any) {
  for (const int size : {P::kSize800, P::kSize1024}) {
    const std::string path = Out(P::ScreenOf(size).Folder, L::kFrameset);
    // Without a photo page there is nothing a frameset could show.
    if (!any) {
      Remove(P::ScreenOf(size).Folder, L::kFrameset);
    } else if (!P::WriteFrameset(state_, size, path)) {
      report_.Failed.push_back(std::string(P::ScreenOf(size).Folder) + "/" + L::kFrameset);
    }
  }
}

void TGalleryRun::DeleteSurplusPages(int first, int size) {
  const std::string folder = StrFunc::IncludeBackslash(state_.HtmlDir) + P::ScreenOf(size).Folder;
  std::vector<std::string> names;
  if (!platform::ListRegularFiles(folder, names)) return;
  for (const std::string& name : names) {
    int number = 0;
    if (IsFilmStripPageName(name, number) && number >= first) Remove(P::ScreenOf(size).Folder, name);
  }
}

}  // namespace

TReport Generate(const THtmlProject& project, const std::string& photoFolder,
                 const std::vector<std::string>& photos, const std::vector<std::string>& ignored,
                 const TEvents& events) {
  TGalleryRun run(project, photoFolder, events);
  return run.Run(photos, ignored);
}

std::vector<std::string> ListPhotos(const std::string& folder, const TIgnoreList& ignore) {
  std::vector<std::string> paths;
  PhotoFolder::List(folder, [&ignore](const std::string& path) { return ignore.IsIgnored(path); }, paths);
  TPhotoListOptions options;
  options.ByExposure = true;
  std::vector<std::string> photos;
  for (TPhotoEntry& entry : PhotoList::Load(paths, options).Entries)
    if (HromadneAkce::IsJpegFile(entry.Path)) photos.push_back(std::move(entry.Path));
  return photos;
}

std::vector<std::string> FindNameClashes(const std::vector<std::string>& photos) {
  std::map<std::string, int> uses;
  for (const std::string& photo : photos) ++uses[OutputKey(StrFunc::ExtractName(photo))];
  std::vector<std::string> clashes;
  for (const std::string& photo : photos) {
    const std::string key = OutputKey(StrFunc::ExtractName(photo));
    const std::string page = key + L::kPageExt;
    int number = 0;
    if (uses[key] > 1 || page == L::kFrameset || IsFilmStripPageName(page, number))
      clashes.push_back(StrFunc::ExtractName(photo));
  }
  return clashes;
}

bool IsFilmStripPageName(const std::string& name, int& number) {
  number = 0;
  const std::string lower = LowerCaseCz(name);
  if (!StartsWith(lower, "page") || !EndsWith(lower, L::kPageExt)) return false;
  const std::string digits = lower.substr(4, lower.size() - 4 - std::string(L::kPageExt).size());
  if (digits.size() < 4 || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  number = std::stoi(digits);
  if (L::PageFileName(number) == lower) return true;
  number = 0;
  return false;
}

}  // namespace GalleryRun
