// Which files the photos-by-resolution window lists, and its fixed texts.
#include "photos/bysize/edit_imgsizeWork.h"

#include "foundation/DosFunc.h"
#include "foundation/OSFunc.h"
#include "foundation/StrFunc.h"
#include "photos/OwnFiles.h"
#include "photos/ReportText.h"
#include "photos/TargetPath.h"
#include "texts/Language.h"

namespace edit_imgsize {

namespace {

constexpr int kTextNoFiles = 119;
constexpr int kTextSearched = 120;
constexpr int kTextUnreadable = 121;
constexpr int kTextCount = 122;
constexpr int kTextNotFound = 123;
constexpr int kTextNoViewer = 124;

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
  return Language::GetText(kTextNoFiles) + "\n\n" + Language::GetText(kTextSearched) + " \n" +
         folder;
}

std::string UnreadableText(const std::vector<std::string>& folders) {
  std::string text;
  ReportText::AppendPart(text, Language::GetText(kTextUnreadable), folders);
  return text;
}

std::string CountText(size_t count) {
  return Language::GetText(kTextCount) + " " + std::to_string(count);
}

std::string OpenPhoto(const std::string& path) {
  if (!TargetPath::Exists(path)) return Language::GetText(kTextNotFound) + "\n" + path;
  if (OSFunc::ShellOpen(path)) return std::string();
  return Language::GetText(kTextNoViewer);
}

}  // namespace edit_imgsize
