// Which files the photos-by-resolution window lists, and its fixed texts.
#include "photos/bysize/edit_imgsizeWork.h"

#include "foundation/DosFunc.h"
#include "foundation/OSFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/TargetPath.h"

namespace edit_imgsize {

const char* const kCaptionError = "Chyba";
const char* const kCaptionQuestion = "Dotaz";
const char* const kSubfoldersQuestion = "Projít včetně podadresářů?";

namespace {

bool IsListed(const std::string& name) {
  const std::string upper = StrFunc::UpperCaseCz(name);
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::ExtractExt(name));
  return upper.rfind("THUMB_", 0) != 0 && (ext == "JPG" || ext == "JPEG");
}

void Collect(const std::string& folder, bool subfolders, std::vector<std::string>& files) {
  std::vector<std::string> subs;
  DosFunc::TSearchRec rec;
  const std::string dir = StrFunc::IncludeBackslash(folder);
  for (int found = DosFunc::FindFirstLong(dir + "*", DosFunc::faAnyFile, rec);
       found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    if ((rec.Attr & DosFunc::faDirectory) == 0) {
      if (IsListed(rec.Name)) files.push_back(dir + rec.Name);
    } else if ((rec.Attr & DosFunc::faReparsePoint) == 0 &&
               StrFunc::UpperCaseCz(rec.Name) != StrFunc::UpperCaseCz(OwnFiles::kThumbsFolder) &&
               !OwnFiles::IsGalleryFolder(dir + rec.Name)) {
      subs.push_back(dir + rec.Name);
    }
  }
  DosFunc::FindCloseLong(rec);
  if (!subfolders) return;
  for (const std::string& sub : subs) Collect(sub, true, files);
}

}  // namespace

std::vector<std::string> CollectJpegFiles(const std::string& folder, bool subfolders) {
  std::vector<std::string> files;
  Collect(folder, subfolders, files);
  return files;
}

std::string NoFilesText(const std::string& folder) {
  return "Nebyl nalezen žádný soubor.\n\nProhledávaná složka: \n" + folder;
}

std::string CountText(size_t count) { return "Počet souborů: " + std::to_string(count); }

std::string OpenPhoto(const std::string& path) {
  if (!TargetPath::Exists(path)) return "Soubor nebyl nalezen:\n" + path;
  if (OSFunc::ShellOpen(path)) return std::string();
  return "Nepodařilo se otevřít soubor, zřejmě nemáte nastaven výchozí prohlížeč fotek.";
}

}  // namespace edit_imgsize
