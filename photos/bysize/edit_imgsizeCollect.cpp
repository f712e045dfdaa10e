// Which files the photos-by-resolution window lists, and its fixed texts.
#include "photos/bysize/edit_imgsizeWork.h"

#include "foundation/DosFunc.h"
#include "foundation/OSFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/ReportText.h"
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

void Collect(const std::string& folder, bool subfolders, TCollected& collected) {
  std::vector<std::string> subs;
  std::vector<DosFunc::TFoundEntry> entries;
  if (!DosFunc::ListFolderLong(folder, entries)) collected.unreadable.push_back(folder);
  const std::string dir = StrFunc::IncludeBackslash(folder);
  for (const DosFunc::TFoundEntry& e : entries) {
    if ((e.Attr & DosFunc::faDirectory) == 0) {
      if (e.Regular && IsListed(e.Name)) collected.files.push_back(dir + e.Name);
    } else if ((e.Attr & DosFunc::faReparsePoint) == 0 &&
               StrFunc::UpperCaseCz(e.Name) != StrFunc::UpperCaseCz(OwnFiles::kThumbsFolder) &&
               !OwnFiles::IsGalleryFolder(dir + e.Name)) {
      subs.push_back(dir + e.Name);
    }
  }
  if (!subfolders) return;
  for (const std::string& sub : subs) Collect(sub, true, collected);
}

}  // namespace

TCollected CollectJpegFiles(const std::string& folder, bool subfolders) {
  TCollected collected;
  Collect(folder, subfolders, collected);
  return collected;
}

std::string NoFilesText(const std::string& folder) {
  return "Nebyl nalezen žádný soubor.\n\nProhledávaná složka: \n" + folder;
}

std::string UnreadableText(const std::vector<std::string>& folders) {
  std::string text;
  ReportText::AppendPart(text, "Tyto složky se nepodařilo přečíst, jejich fotky nejsou v seznamu:",
                         folders);
  return text;
}

std::string CountText(size_t count) { return "Počet souborů: " + std::to_string(count); }

std::string OpenPhoto(const std::string& path) {
  if (!TargetPath::Exists(path)) return "Soubor nebyl nalezen:\n" + path;
  if (OSFunc::ShellOpen(path)) return std::string();
  return "Nepodařilo se otevřít soubor, zřejmě nemáte nastaven výchozí prohlížeč fotek.";
}

}  // namespace edit_imgsize
