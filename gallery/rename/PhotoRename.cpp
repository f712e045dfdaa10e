#include "gallery/rename/PhotoRename.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryRecord.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/checker/ImageCRCCache.h"
#include "gallery/rename/PageRewrite.h"
#include "gallery/rename/PhotoRenameJournal.h"
#include "photos/IgnoreList.h"
#include "photos/JPegUtils.h"
#include "photos/OwnFiles.h"
#include "photos/TargetPath.h"
#include "photos/WorkJournal.h"
#include "photos/batchmenu/BatchMenu.h"
#include "platform/BusyNotice.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"
#include "platform/TextFile.h"

namespace PhotoRename {

static_assert(std::string_view(kTempSuffix).starts_with(WorkNames::kMark));
static_assert(std::string_view(kRewriteSuffix).starts_with(WorkNames::kMark));
static_assert(std::string_view(kJournalName).starts_with(WorkNames::kMark));

namespace {

using namespace detail;
namespace L = GalleryLayout;

constexpr int kMaxFinishPasses = 3;
// A page larger than this is no page of a gallery.
constexpr size_t kMaxPageBytes = size_t{64} << 20;
constexpr const char* kSizeFolders[] = {L::k800Folder, L::k1024Folder};

std::string Join(const std::string& folder, const std::string& name) {
  return StrFunc::IncludeBackslash(folder) + name;
}

// An entry of exactly this name (a link too).
bool Exists(const std::string& path) {
  platform::FileStatus status;
  return platform::LinkStatPath(path, status);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

std::string Key(const std::string& name) { return StrFunc::UpperCaseCz(StrFunc::Trim(name)); }

// The folders of work names, each with what may be replaced in it.
std::vector<std::pair<std::string, TFolderKind>> WorkFolders(const std::string& folder,
                                                             const std::vector<std::string>& galleries) {
  std::vector<std::pair<std::string, TFolderKind>> folders = {
      {folder, TFolderKind::kKeep},
      {Join(folder, OwnFiles::kExifFolder), TFolderKind::kKeep},
      {Join(folder, OwnFiles::kThumbsFolder), TFolderKind::kCacheFiles},
  };
  for (const std::string& gallery : galleries)
    for (const char* sub : {L::kThumbFolder, L::kPhotoFolder, L::kExifFolder})
      folders.emplace_back(Join(gallery, sub), TFolderKind::kGalleryFiles);
  return folders;
}

std::vector<std::string> WorkNamesIn(const std::string& folder, const char* suffix) {
  std::vector<std::string> names, work;
  platform::ListNames(folder, names);
  for (const std::string& name : names)
    if (EndsWith(name, suffix)) work.push_back(name);
  return work;
}

// What a run may touch below the folder and its galleries. Each subfolder
// (the photo folder's "exif" and "thumbs", a gallery's outputs) is opened
// once without following a link at its own level and must still be that
// folder whenever it is used: a subfolder that is a link, perhaps to a
// folder anywhere on the disk, is left alone. The folders above them may be
// links, as the user or a stored project named them. A gallery's files are
// its own only when its record names them (GalleryRecord.h).
class TOwnership {
 public:
  // True when dir is a folder itself, the one first seen under its name.
  bool Holds(const std::string& dir) {
    const std::string key = StrFunc::ExcludeBackslash(dir);
    auto held = held_.find(key);
    if (held == held_.end()) {
      platform::Folder opened;
      opened.Open(key);
      held = held_.emplace(key, std::move(opened)).first;
    }
    platform::FileStatus now, first;
    return held->second.IsOpen() && platform::LinkStatPath(key, now) && now.isDirectory && !now.isLink &&
           platform::StatFile(held->second.Descriptor(), first) && first.device == now.device &&
           first.inode == now.inode;
  }
  // True when the record of the gallery above path's folder names path.
  bool Recorded(const std::string& path) {
    const std::string dir = StrFunc::ExcludeBackslash(StrFunc::ExtractDir(path));
    const size_t slash = dir.rfind('/');
    if (slash == std::string::npos) return false;
    return Record(dir.substr(0, slash)).count(GalleryRecord::Key(dir.substr(slash + 1), StrFunc::ExtractName(path))) > 0;
  }
  // The files the gallery's record names; none without a readable record.
  const GalleryRecord::TFiles& Record(const std::string& gallery) {
    auto record = records_.find(gallery);
    if (record == records_.end()) {
      record = records_.emplace(gallery, GalleryRecord::TFiles()).first;
      if (GalleryRecord::Read(gallery, record->second) != GalleryRecord::TRead::kRead) record->second.clear();
    }
    return record->second;
  }

 private:
  std::map<std::string, platform::Folder> held_;
  std::map<std::string, GalleryRecord::TFiles> records_;
};

// The folders of work names that a run may touch: the photo folder (first
// of WorkFolders, as the user named it) and the subfolders that are no links.
std::vector<std::pair<std::string, TFolderKind>> OwnWorkFolders(const std::string& folder,
                                                                const std::vector<std::string>& galleries,
                                                                TOwnership& own) {
  std::vector<std::pair<std::string, TFolderKind>> folders = WorkFolders(folder, galleries);
  folders.erase(std::remove_if(folders.begin() + 1, folders.end(),
                               [&own](const auto& entry) { return !own.Holds(entry.first); }),
                folders.end());
  return folders;
}

// One file derived from a photo, from its old name to its new one.
struct TMove {
  std::string From;
  std::string To;
  TFolderKind Kind;
};

// The derived files of a rename but the photo pages, which are rewritten.
// A photo that shares its side file and gallery outputs with another keeps
// them where they are.
std::vector<TMove> DerivedMoves(const std::string& folder, const std::vector<std::string>& galleries,
                                const std::string& from, const std::string& to, bool shared) {
  const std::string oldPhoto = Join(folder, from), newPhoto = Join(folder, to);
  std::vector<TMove> moves = {
      {JPegUtils::ThumbnailCacheFile(oldPhoto), JPegUtils::ThumbnailCacheFile(newPhoto), TFolderKind::kCacheFiles}};
  if (!shared) {
    moves.push_back({DosFunc::ExistingPathLong(BatchMenu::SideFilePath(oldPhoto)), BatchMenu::SideFilePath(newPhoto),
                     TFolderKind::kKeep});
    for (const std::string& gallery : galleries) {
      moves.push_back({L::OutputPath(gallery, L::kThumbFolder, L::ThumbnailName(from)),
                       L::OutputPath(gallery, L::kThumbFolder, L::ThumbnailName(to)), TFolderKind::kGalleryFiles});
      moves.push_back({L::OutputPath(gallery, L::kPhotoFolder, L::SitePhotoName(from)),
                       L::OutputPath(gallery, L::kPhotoFolder, L::SitePhotoName(to)), TFolderKind::kGalleryFiles});
      moves.push_back({L::OutputPath(gallery, L::kExifFolder, L::ExifPageName(from)),
                       L::OutputPath(gallery, L::kExifFolder, L::ExifPageName(to)), TFolderKind::kGalleryFiles});
    }
  }
  return moves;
}

// A rename that never replaces: for kept files also none of another case.
bool RenameNoReplace(const std::string& from, const std::string& to, TFolderKind kind) {
  return kind == TFolderKind::kKeep ? DosFunc::RenameFileLong(from, to) : platform::RenameNoReplace(from, to);
}

// The photos of renames whose side files and gallery outputs another photo
// of the folder shares (BatchMenu::SharedBases over the folder's photos).
std::vector<std::string> SharedPhotos(const std::string& folder, const BatchMenu::TRenames& renames) {
  std::vector<std::string> names, photos, shared;
  platform::ListRegularFiles(folder, names);
  for (const std::string& name : names)
    if (BatchMenu::IsJpegName(name)) photos.push_back(name);
  const std::unordered_set<std::string> bases = BatchMenu::SharedBases(photos);
  for (const auto& rename : renames)
    if (bases.count(BatchMenu::BaseKey(rename.first)) > 0) shared.push_back(rename.first);
  return shared;
}

// Puts the new names of the gallery files the renames take along into the
// gallery's record before any file moves, so that generation knows them as
// its own afterwards (GalleryRecord.h): each new name of a file the record
// names under its old one, unless a file the record does not name (the
// user's) stands there. False when a record cannot be written.
bool RecordNewNames(const std::vector<std::string>& galleries, const BatchMenu::TRenames& renames,
                    const std::vector<std::string>& shared) {
  for (const std::string& gallery : galleries) {
    GalleryRecord::TFiles record, added;
    if (GalleryRecord::Read(gallery, record) != GalleryRecord::TRead::kRead) continue;
    for (const auto& [from, to] : renames) {
      if (std::find(shared.begin(), shared.end(), from) != shared.end()) continue;
      const std::pair<const char*, std::string (*)(const std::string&)> outputs[] = {
          {L::kThumbFolder, L::ThumbnailName}, {L::kPhotoFolder, L::SitePhotoName},
          {L::kExifFolder, L::ExifPageName},   {L::k800Folder, L::PhotoPageName},
          {L::k1024Folder, L::PhotoPageName}};
      for (const auto& [folder, name] : outputs) {
        const std::string key = GalleryRecord::Key(folder, name(to));
        if (record.count(GalleryRecord::Key(folder, name(from))) > 0 &&
            (record.count(key) > 0 || !Exists(L::OutputPath(gallery, folder, name(to)))))
          added.insert(key);
      }
    }
    if (!GalleryRecord::Add(gallery, added)) return false;
  }
  return true;
}

// The pages of a gallery's size folder and what becomes of them.
struct TPages {
  explicit TPages(const BatchMenu::TRenames& renames) : Names(renames) {
    for (const auto& [from, to] : renames) {
      Renamed[L::PhotoPageName(from)] = L::PhotoPageName(to);
      NewPages.insert(L::PhotoPageName(to));
    }
  }
  PageRewrite::TPageNames Names;
  // The photo pages of renamed photos, to their new names.
  std::unordered_map<std::string, std::string> Renamed;
  std::unordered_set<std::string> NewPages;
};

// Writes each page of the gallery's size folder dir that changes beside the
// page it replaces (+ kRewriteSuffix), the photo page of a renamed photo
// beside its new name; the pages themselves stay as they are. Only the
// pages the gallery's record names are read: the user's own are no pages
// of the gallery. A renamed photo's page whose new name holds a file of the
// user's keeps its name. A page that cannot be rewritten, or keeps its
// name, is appended to kept.
void RewritePagesInFolder(const std::string& dir, const TPages& pages, TOwnership& own,
                          std::vector<std::string>& kept) {
  std::vector<std::string> names;
  platform::ListRegularFiles(dir, names);
  for (const std::string& page : names) {
    const std::string ext = StrFunc::LowerCaseCz(StrFunc::ExtractExt(page));
    if (page[0] == '.' || page.find(WorkNames::kMark) != std::string::npos || (ext != "htm" && ext != "html") ||
        !own.Recorded(Join(dir, page)))
      continue;
    const auto renamed = pages.Renamed.find(page);
    // A page standing where a renamed one goes is stale: replaced.
    if (renamed == pages.Renamed.end() && pages.NewPages.count(page) > 0) continue;
    std::string target = renamed == pages.Renamed.end() ? page : renamed->second;
    if (target != page && !own.Recorded(Join(dir, target))) {
      kept.push_back(Join(dir, page));
      target = page;
    }
    std::string text, rewritten;
    platform::PumpEvents();
    if (platform::ReadWholeFile(Join(dir, page), kMaxPageBytes, text) != platform::ReadResult::kOk) {
      kept.push_back(Join(dir, page));
      continue;
    }
    const bool changed = PageRewrite::RewritePageReferences(text, pages.Names, rewritten);
    if (!changed && target == page) continue;
    if (!platform::ReplaceFile(Join(dir, target) + kRewriteSuffix, changed ? rewritten : text))
      kept.push_back(Join(dir, page));
  }
}

class TRun {
 public:
  TRun(const std::string& folder, TJournal journal, const TEvents& events)
      : folder_(folder), journal_(std::move(journal)), events_(events) {
    result_.Refused = std::move(journal_.Refused);
  }

  TResult Go() {
    if (journal_.Pass == 1) MovePhotos();
    if (journal_.Pass == 2) MoveDerivedAndRewrite();
    if (journal_.Pass == 3) PutInPlace();
    return result_;
  }

 private:
  std::string Temp(const std::string& name) const { return Join(folder_, name) + kTempSuffix; }
  bool NextPass() {
    ++journal_.Pass;
    if (WriteJournal(folder_, journal_)) return true;
    result_.Unfinished.push_back(JournalPath(folder_));
    journal_.Pass = 0;
    return false;
  }

  // Pass 1: the photos to their work names; a photo whose new name another
  // file keeps goes back, which may keep another's new name in turn.
  void MovePhotos();
  // Pass 2.
  void MoveDerivedAndRewrite();
  void RewritePages(const BatchMenu::TRenames& renames);
  void RewriteIgnoreList();
  void RewriteCache();
  // Pass 3.
  void PutInPlace();
  void CommitPages(const BatchMenu::TRenames& renames);
  void Commit(const std::string& target);

  // Whether the file of a gallery, or derived from a photo, is the run's to
  // move: in a subfolder that is no link and, in a gallery, in its record,
  // with no file of the user's at its new name.
  bool Owns(const TMove& move);

  // The renames whose derived files are their own.
  bool IsShared(const std::string& from) const;
  BatchMenu::TRenames OwnRenames() const;

  std::string folder_;
  TJournal journal_;
  const TEvents& events_;
  TResult result_;
  TOwnership own_;
};

void TRun::MovePhotos() {
  BatchMenu::TRenames moved;
  for (const auto& rename : journal_.Renames) {
    const std::string old = Join(folder_, rename.first);
    if (Exists(Temp(rename.second)) || (Exists(old) && DosFunc::RenameFileLong(old, Temp(rename.second))))
      moved.push_back(rename);
    else
      result_.Failed.push_back(rename.first);
    if (events_.Step) events_.Step();
  }
  for (bool changed = true; changed;) {
    changed = false;
    for (auto it = moved.begin(); it != moved.end();) {
      if (TargetPath::Exists(Join(folder_, it->second)) &&
          DosFunc::RenameFileLong(Temp(it->second), Join(folder_, it->first))) {
        result_.Failed.push_back(it->first);
        it = moved.erase(it);
        changed = true;
      } else {
        ++it;
      }
    }
  }
  journal_.Renames = std::move(moved);
  NextPass();
}

bool TRun::IsShared(const std::string& from) const {
  return std::find(journal_.Shared.begin(), journal_.Shared.end(), from) != journal_.Shared.end();
}

BatchMenu::TRenames TRun::OwnRenames() const {
  BatchMenu::TRenames own;
  for (const auto& rename : journal_.Renames)
    if (!IsShared(rename.first)) own.push_back(rename);
  return own;
}

void TRun::MoveDerivedAndRewrite() {
  for (const auto& [from, to] : journal_.Renames) {
    for (const TMove& move : DerivedMoves(folder_, journal_.Galleries, from, to, IsShared(from))) {
      const std::string work = move.To + kTempSuffix;
      if (move.From == move.To || Exists(work) || !Exists(move.From)) continue;
      if (!Owns(move) || !RenameNoReplace(move.From, work, move.Kind)) result_.KeptOldNames.push_back(move.From);
    }
  }
  RewritePages(OwnRenames());
  RewriteIgnoreList();
  RewriteCache();
  NextPass();
}

bool TRun::Owns(const TMove& move) {
  const auto dir = [](const std::string& path) { return StrFunc::ExcludeBackslash(StrFunc::ExtractDir(path)); };
  return own_.Holds(dir(move.From)) && (dir(move.To) == dir(move.From) || own_.Holds(dir(move.To))) &&
         (move.Kind != TFolderKind::kGalleryFiles ||
          (own_.Recorded(move.From) && own_.Recorded(move.To)));
}

void TRun::RewritePages(const BatchMenu::TRenames& renames) {
  if (renames.empty()) return;
  const TPages pages(renames);
  for (const std::string& gallery : journal_.Galleries) {
    for (const char* size : kSizeFolders) {
      const std::string dir = Join(gallery, size);
      if (own_.Holds(dir))
        RewritePagesInFolder(dir, pages, own_, result_.KeptOldNames);
      else if (Exists(dir))
        result_.KeptOldNames.push_back(dir);
    }
  }
}

void TRun::RewriteIgnoreList() {
  const std::string file = Join(folder_, OwnFiles::kIgnoreList);
  if (!Exists(file)) return;
  TIgnoreList list;
  if (!list.Load(folder_)) {
    result_.KeptOldNames.push_back(file);
  } else if (list.Rename(journal_.Renames) && !list.SaveTo(file + kRewriteSuffix)) {
    result_.KeptOldNames.push_back(file);
  }
}

void TRun::RewriteCache() {
  const std::string file = Join(folder_, OwnFiles::kCheckerCache);
  if (!Exists(file)) return;
  std::vector<ImageCRC::TCheckerField> records = ImageCRC::ReadCacheFile(file);
  // Each photo takes the first record of its name (exactly, else in another
  // case), all at once.
  std::unordered_map<std::string, size_t> exact, byKey;
  for (size_t i = records.size(); i-- > 0;) {
    exact[records[i].name] = i;
    byKey[Key(records[i].name)] = i;
  }
  std::vector<std::pair<size_t, std::string>> changes;
  for (const auto& [from, to] : journal_.Renames) {
    if (const auto found = exact.find(from); found != exact.end()) {
      changes.emplace_back(found->second, to);
    } else if (const auto twin = byKey.find(Key(from)); twin != byKey.end()) {
      changes.emplace_back(twin->second, to);
    }
  }
  if (changes.empty()) return;
  for (const auto& [index, to] : changes) records[index].name = to;
  if (!ImageCRC::WriteCacheFile(file + kRewriteSuffix, records)) result_.KeptOldNames.push_back(file);
}

void TRun::PutInPlace() {
  const auto folders = OwnWorkFolders(folder_, journal_.Galleries, own_);
  if (events_.Finishing) {
    size_t count = 0;
    for (const auto& [dir, kind] : folders) count += WorkNamesIn(dir, kTempSuffix).size();
    events_.Finishing(static_cast<int>(count));
  }
  for (const auto& [dir, kind] : folders) FinishRenames(dir, kind, events_, result_.Unfinished);
  CommitPages(OwnRenames());
  for (const char* name : {OwnFiles::kIgnoreList, OwnFiles::kCheckerCache}) Commit(Join(folder_, name));
  for (const auto& rename : journal_.Renames)
    if (Exists(Join(folder_, rename.second))) ++result_.Renamed;
  if (result_.Unfinished.empty() && !RemoveJournal(folder_)) result_.Unfinished.push_back(JournalPath(folder_));
}

void TRun::CommitPages(const BatchMenu::TRenames& renames) {
  std::unordered_set<std::string> newPages;
  for (const auto& rename : renames) newPages.insert(L::PhotoPageName(rename.second));
  for (const std::string& gallery : journal_.Galleries) {
    for (const char* size : kSizeFolders) {
      const std::string dir = Join(gallery, size);
      if (!own_.Holds(dir)) continue;
      // Only pages of the record are replaced: a work name beside any other
      // file is none of the run's.
      for (const std::string& work : WorkNamesIn(dir, kRewriteSuffix)) {
        const std::string page = Join(dir, work.substr(0, work.size() - (sizeof kRewriteSuffix - 1)));
        if (own_.Recorded(page)) Commit(page);
      }
      // The old page of a renamed photo goes once the new one is there.
      for (const auto& [from, to] : renames) {
        const std::string page = Join(dir, L::PhotoPageName(from)), fresh = Join(dir, L::PhotoPageName(to));
        if (newPages.count(L::PhotoPageName(from)) == 0 && own_.Recorded(page) && own_.Recorded(fresh) &&
            Exists(fresh))
          platform::RemoveFile(page);
      }
    }
  }
}

void TRun::Commit(const std::string& target) {
  const std::string work = target + kRewriteSuffix;
  if (!Exists(work)) return;
  if (!platform::RenameReplace(work, target)) {
    result_.Unfinished.push_back(work);
    return;
  }
  if (StrFunc::ExtractName(target) == OwnFiles::kIgnoreList) TIgnoreList::Protect(target);
}

// Keeps of the journal's galleries those among galleries, under the names
// galleries gives them; the others are refused.
void KeepGalleriesOfNow(TJournal& journal, const std::vector<std::string>& galleries) {
  std::vector<std::string> kept;
  for (const std::string& recorded : journal.Galleries) {
    const auto now = std::find_if(galleries.begin(), galleries.end(), [&recorded](const std::string& gallery) {
      return HtmlProjectSettings::SameFolder(gallery, recorded);
    });
    if (now == galleries.end())
      journal.Refused.push_back(WorkJournal::EscapeField(recorded));
    else if (std::find(kept.begin(), kept.end(), *now) == kept.end())
      kept.push_back(*now);
  }
  journal.Galleries = std::move(kept);
}

// Takes out of renames those a journal could not hold, into failed.
BatchMenu::TRenames JournalRenames(const BatchMenu::TRenames& renames, std::vector<std::string>& failed) {
  BatchMenu::TRenames kept;
  for (const auto& rename : renames) {
    if (IsPhotoName(rename.first) && IsPhotoName(rename.second))
      kept.push_back(rename);
    else
      failed.push_back(rename.first);
  }
  return kept;
}

// Whether the file of folder, standing where a work name goes, may be
// removed first: a stale cache, or an output the gallery's record names; a
// user's file in a gallery never.
bool IsStale(TFolderKind kind, const std::string& path, TOwnership& own) {
  return kind == TFolderKind::kCacheFiles || (kind == TFolderKind::kGalleryFiles && own.Recorded(path));
}

}  // namespace

std::vector<std::string> GalleriesOf(const std::string& folder) {
  std::vector<std::string> galleries;
  std::vector<THtmlProject> projects;
  HtmlProjectSettings::ReadProjects(projects);
  std::unordered_set<std::string> seen;
  for (const THtmlProject& project : projects) {
    const std::string dir = HtmlProjectSettings::FolderKey(project.HtmlDir);
    if (HtmlProjectSettings::SameFolder(project.PhotoFolder, folder) && !dir.empty() &&
        DosFunc::DirectoryExistsLong(dir) && seen.insert(dir).second)
      galleries.push_back(dir);
  }
  return galleries;
}

bool HasLeftovers(const std::string& folder, const std::vector<std::string>& galleries) {
  if (Exists(JournalPath(folder))) return true;
  TOwnership own;
  for (const auto& [dir, kind] : OwnWorkFolders(folder, galleries, own))
    if (!WorkNamesIn(dir, kTempSuffix).empty()) return true;
  return false;
}

TResult FinishInterrupted(const std::string& folder, const std::vector<std::string>& galleries,
                          const TEvents& events) {
  TJournal journal;
  switch (ReadJournal(folder, journal)) {
    case TJournalRead::kRead:
      KeepGalleriesOfNow(journal, galleries);
      // The run that wrote the journal recorded the new names first; a
      // journal that came with the folder did not. Where the record cannot
      // take them, the files keep their old names.
      RecordNewNames(journal.Galleries, journal.Renames, journal.Shared);
      return TRun(folder, std::move(journal), events).Go();
    case TJournalRead::kDamaged: {
      TResult result;
      result.Unfinished.push_back(JournalPath(folder));
      return result;
    }
    case TJournalRead::kNone:
      break;
  }
  TResult result;
  TOwnership own;
  for (const auto& [dir, kind] : OwnWorkFolders(folder, galleries, own))
    result.Renamed += FinishRenames(dir, kind, events, result.Unfinished);
  return result;
}

TResult Run(const std::string& folder, const BatchMenu::TRenames& renames,
            const std::vector<std::string>& galleries, const TEvents& events) {
  std::vector<std::string> unfit;
  const BatchMenu::TRenames fit = JournalRenames(renames, unfit);
  if (fit.empty()) {
    TResult result;
    result.Failed = std::move(unfit);
    return result;
  }
  TJournal journal;
  journal.Galleries = galleries;
  journal.Shared = SharedPhotos(folder, fit);
  journal.Renames = fit;
  if (!RecordNewNames(galleries, fit, journal.Shared) || !WriteJournal(folder, journal)) {
    TResult result;
    result.NotStarted = true;
    return result;
  }
  TResult result = TRun(folder, std::move(journal), events).Go();
  result.Failed.insert(result.Failed.end(), unfit.begin(), unfit.end());
  return result;
}

int FinishRenames(const std::string& folder, TFolderKind kind, const TEvents& events,
                  std::vector<std::string>& unfinished) {
  int placed = 0;
  TOwnership own;
  std::vector<std::string> left = WorkNamesIn(folder, kTempSuffix);
  for (int pass = 0; pass < kMaxFinishPasses && !left.empty(); ++pass) {
    std::vector<std::string> still;
    for (const std::string& work : left) {
      const std::string name = work.substr(0, work.size() - (sizeof kTempSuffix - 1));
      const std::string target = Join(folder, name);
      if (Exists(target) && IsStale(kind, target, own)) platform::RemoveFile(target);
      if (RenameNoReplace(Join(folder, work), target, kind)) {
        ++placed;
        if (events.Finished) events.Finished();
      } else {
        still.push_back(work);
      }
    }
    const bool progress = still.size() < left.size();
    left = std::move(still);
    if (!progress) break;
  }
  for (const std::string& work : left) unfinished.push_back(Join(folder, work));
  return placed;
}

}  // namespace PhotoRename
