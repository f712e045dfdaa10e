#include "gallery/projects/HtmlProjectCheck.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/projects/HtmlProjectRec.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "platform/FileSystem.h"

namespace HtmlProjectCheck {

namespace {

constexpr size_t kMinLength = 3;
constexpr int kMaxSizeDigits = 9;

struct TProblemText {
  TProblem problem;
  int text;
};
constexpr TProblemText kTexts[] = {
    {TProblem::kNameTooShort, 623},      {TProblem::kOutputTooLong, 624},
    {TProblem::kOutputNotAbsolute, 625}, {TProblem::kOutputMissing, 626},
    {TProblem::kPhotoFolderTooLong, 624}, {TProblem::kOutputIsPhotos, 627},
    {TProblem::kShortcutTooShort, 628},  {TProblem::kShortcutNotPlain, 629},
    {TProblem::kShortcutTaken, 630},     {TProblem::kNotNumber, 631},
};

// The same folder: by its path, or by its identity when both exist (a link,
// "..", a doubled "/").
bool SameFolder(const std::string& a, const std::string& b) {
  if (HtmlProjectSettings::SameFolder(a, b)) return true;
  platform::FileStatus first, second;
  return platform::StatPath(a, first) && platform::StatPath(b, second) && first.isDirectory &&
         first.device == second.device && first.inode == second.inode;
}

bool OutputIsPhotoFolder(const THtmlProject& p) {
  const std::string html = HtmlProjectSettings::FolderKey(p.HtmlDir);
  if (SameFolder(p.PhotoFolder, html)) return true;
  for (const char* sub : GalleryLayout::kSubfolders) {
    if (SameFolder(p.PhotoFolder, StrFunc::IncludeBackslash(html) + sub)) return true;
  }
  return false;
}

bool OutputUsable(const std::string& htmlDir) {
  if (DosFunc::DirectoryExistsLong(htmlDir)) return true;
  const std::string above = FolderAbove(htmlDir);
  return !DosFunc::FileExistsLong(htmlDir) && !above.empty() && DosFunc::DirectoryExistsLong(above);
}


std::string ShortcutKey(const std::string& shortcut) {
  return StrFunc::LowerCaseCz(StrFunc::Trim(shortcut));
}

bool ShortcutTaken(const std::string& shortcut, int projectIndex,
                   const std::vector<THtmlProject>& stored) {
  const std::string key = ShortcutKey(shortcut);
  for (size_t i = 0; i < stored.size(); ++i) {
    if (static_cast<int>(i) != projectIndex && ShortcutKey(stored[i].Shortcut) == key) return true;
  }
  return false;
}

bool AllNumbers(const THtmlProject& p) {
  int64_t value = 0;
  for (const std::string* text : {&p.ImgMaxSize, &p.ImgTolerance, &p.TbMaxSize, &p.TbTolerance}) {
    if (!SizeValue(*text, value)) return false;
  }
  return true;
}

TProblem OutputProblem(const THtmlProject& p) {
  if (p.HtmlDir.size() > HtmlProjectRec::kFolderCapacity) return TProblem::kOutputTooLong;
  if (p.HtmlDir.empty() || p.HtmlDir[0] != '/') return TProblem::kOutputNotAbsolute;
  if (!OutputUsable(p.HtmlDir)) return TProblem::kOutputMissing;
  if (p.PhotoFolder.size() > HtmlProjectRec::kFolderCapacity) return TProblem::kPhotoFolderTooLong;
  if (!p.PhotoFolder.empty() && OutputIsPhotoFolder(p)) return TProblem::kOutputIsPhotos;
  return TProblem::kNone;
}

TProblem ShortcutProblem(const THtmlProject& p, int projectIndex,
                         const std::vector<THtmlProject>& stored) {
  if (Utf8::Length(p.Shortcut) < kMinLength) return TProblem::kShortcutTooShort;
  if (p.Shortcut.size() > HtmlProjectRec::kShortcutCapacity || !IsPlainName(p.Shortcut))
    return TProblem::kShortcutNotPlain;
  if (ShortcutTaken(p.Shortcut, projectIndex, stored)) return TProblem::kShortcutTaken;
  return TProblem::kNone;
}

}  // namespace

bool IsPlainName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || !Utf8::IsValid(name)) return false;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

TProblem Check(const THtmlProject& project, int projectIndex,
               const std::vector<THtmlProject>& stored) {
  if (Utf8::Length(project.ProjectName) < kMinLength) return TProblem::kNameTooShort;
  if (const TProblem problem = OutputProblem(project); problem != TProblem::kNone) return problem;
  if (const TProblem problem = ShortcutProblem(project, projectIndex, stored);
      problem != TProblem::kNone)
    return problem;
  return AllNumbers(project) ? TProblem::kNone : TProblem::kNotNumber;
}

int ProblemText(TProblem problem) {
  for (const TProblemText& entry : kTexts) {
    if (entry.problem == problem) return entry.text;
  }
  return -1;
}

bool SizeValue(const std::string& text, int64_t& value) {
  const std::string digits = StrFunc::Trim(text);
  if (digits.empty() || digits.size() > kMaxSizeDigits) return false;
  int64_t result = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  value = result;
  return true;
}

std::string FolderAbove(const std::string& folder) {
  const std::string key = HtmlProjectSettings::FolderKey(folder);
  if (key.empty() || key == "/") return std::string();
  const std::string above = StrFunc::ExtractDir(key);
  return above.empty() ? std::string() : HtmlProjectSettings::FolderKey(above);
}

}  // namespace HtmlProjectCheck
