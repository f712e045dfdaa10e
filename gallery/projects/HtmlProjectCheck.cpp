#include "gallery/projects/HtmlProjectCheck.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "gallery/projects/HtmlProjectRec.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "platform/FileSystem.h"
#include "platform/ResolvedPath.h"

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
    {TProblem::kOutputOfOther, 735},
};

// A folder as the check compares it: its resolved path.
std::string Resolved(const std::string& folder) {
  return platform::ResolvedPath(HtmlProjectSettings::FolderKey(folder));
}

// Both exist and are one folder (a bind mount, a second mount of a disk).
bool SameIdentity(const std::string& a, const std::string& b) {
  platform::FileStatus first, second;
  return platform::StatPath(a, first) && platform::StatPath(b, second) && first.isDirectory &&
         first.device == second.device && first.inode == second.inode;
}

// inner is outer or lies somewhere inside it, by whole path components:
// "/a/bc" is not inside "/a/b". Both resolved.
bool Within(const std::string& inner, const std::string& outer) {
  if (inner.empty() || outer.empty()) return false;
  if (inner == outer) return true;
  const std::string prefix = outer == "/" ? outer : outer + "/";
  return inner.compare(0, prefix.size(), prefix) == 0;
}

bool OutputHoldsPhotos(const THtmlProject& p) {
  const std::string html = Resolved(p.HtmlDir);
  const std::string photos = Resolved(p.PhotoFolder);
  return Within(photos, html) || SameIdentity(photos, html);
}

// The record number of the first other stored project whose output folder
// is, holds or lies inside project's; -1 when none.
int OutputOfOther(const THtmlProject& p, int projectIndex, const std::vector<THtmlProject>& stored) {
  const std::string html = Resolved(p.HtmlDir);
  for (size_t i = 0; i < stored.size(); ++i) {
    const std::string& dir = stored[i].HtmlDir;
    if (static_cast<int>(i) == projectIndex || StrFunc::Trim(dir).empty()) continue;
    const std::string other = Resolved(dir);
    if (Within(html, other) || Within(other, html) || SameIdentity(html, other))
      return static_cast<int>(i);
  }
  return -1;
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

TProblem OutputProblem(const THtmlProject& p, int projectIndex,
                       const std::vector<THtmlProject>& stored, int* other) {
  if (p.HtmlDir.size() > HtmlProjectRec::kFolderCapacity) return TProblem::kOutputTooLong;
  if (p.HtmlDir.empty() || p.HtmlDir[0] != '/') return TProblem::kOutputNotAbsolute;
  if (!OutputUsable(p.HtmlDir)) return TProblem::kOutputMissing;
  if (p.PhotoFolder.size() > HtmlProjectRec::kFolderCapacity) return TProblem::kPhotoFolderTooLong;
  if (!p.PhotoFolder.empty() && OutputHoldsPhotos(p)) return TProblem::kOutputIsPhotos;
  const int clash = OutputOfOther(p, projectIndex, stored);
  if (clash < 0) return TProblem::kNone;
  if (other != nullptr) *other = clash;
  return TProblem::kOutputOfOther;
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
               const std::vector<THtmlProject>& stored, int* other) {
  if (Utf8::Length(project.ProjectName) < kMinLength) return TProblem::kNameTooShort;
  if (const TProblem problem = OutputProblem(project, projectIndex, stored, other);
      problem != TProblem::kNone)
    return problem;
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
