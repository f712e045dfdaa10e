#include "gallery/projects/HtmlProjectSettings.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/AppFolders.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/projects/HtmlProjectRec.h"
#include "platform/Environment.h"
#include "platform/TextFile.h"
#include "platform/WorkFile.h"

namespace HtmlProjectSettings {

namespace {

using HtmlProjectRec::kRecordSize;

// kMaxProjects records and trailing bytes short of one more.
constexpr size_t kMaxFileBytes = (kMaxProjects + 1) * kRecordSize - 1;

std::string Serialise(const std::vector<THtmlProject>& projects) {
  std::string bytes;
  bytes.reserve(projects.size() * kRecordSize);
  for (const THtmlProject& project : projects) {
    const HtmlProjectRec::THtmlProjectRec record = HtmlProjectRec::Pack(project);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return bytes;
}

// Writes the whole file anew; it is read-only again afterwards, also after a
// failure.
bool WriteAll(const std::vector<THtmlProject>& projects) {
  const std::string file = GetProjectsFileName();
  if (file.empty()) return false;
  const std::string bytes = Serialise(projects);
  UnprotectProjectsFile();
  const bool written = platform::ReplaceFile(file, bytes);
  ProtectProjectsFile();
  return written;
}

}  // namespace

std::string GetProjectsFileName() {
  const std::string program = AppFolders::ProgramFolder();
  std::vector<std::string> older;
  if (!program.empty()) {
    const std::string own =
        StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(platform::ExecutablePath())) + ".dat";
    older = {program + "/" + own, program + "/" + kProjectsFileName};
  }
  return AppFolders::DataFile(kProjectsFileName, older);
}

void UnprotectProjectsFile() {
  const std::string file = GetProjectsFileName();
  if (!file.empty() && DosFunc::GetFileAttr(file) >= 0) DosFunc::SetFileAttr(file, 0);
}

void ProtectProjectsFile() {
  const std::string file = GetProjectsFileName();
  if (!file.empty() && DosFunc::GetFileAttr(file) >= 0)
    DosFunc::SetFileAttr(file, DosFunc::faReadOnly | DosFunc::faHidden | DosFunc::faSysFile);
}

int GetProjectCount() {
  const std::string file = GetProjectsFileName();
  const int64_t size = file.empty() ? -1 : DosFunc::GetFileSize64(file);
  constexpr auto kRecord = static_cast<int64_t>(kRecordSize);
  return size <= 0 ? 0 : static_cast<int>(std::min<int64_t>(size / kRecord, INT32_MAX));
}

namespace {

// The file's bytes; empty for a missing file. False when it cannot be read.
bool ReadBytes(std::string& bytes) {
  bytes.clear();
  const std::string file = GetProjectsFileName();
  if (file.empty()) return false;
  return platform::ReadWholeFile(file, kMaxFileBytes, bytes) != platform::ReadResult::kFailed;
}

std::vector<THtmlProject> Unpack(const std::string& bytes) {
  std::vector<THtmlProject> projects;
  const std::span data(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  for (size_t at = 0; at + kRecordSize <= data.size(); at += kRecordSize)
    projects.push_back(HtmlProjectRec::Unpack(data.subspan(at).first<kRecordSize>()));
  return projects;
}

// Record number at of bytes holds exactly project's record.
bool SameRecord(const std::string& bytes, size_t at, const THtmlProject& project) {
  const HtmlProjectRec::THtmlProjectRec record = HtmlProjectRec::Pack(project);
  return bytes.compare(at * kRecordSize, kRecordSize,
                       std::string_view(reinterpret_cast<const char*>(record.data()), record.size())) == 0;
}

}  // namespace

bool ReadProjects(std::vector<THtmlProject>& projects) {
  projects.clear();
  std::string bytes;
  if (!ReadBytes(bytes)) return false;
  projects = Unpack(bytes);
  return true;
}

bool ReadProject(int index, THtmlProject& project) {
  std::vector<THtmlProject> projects;
  if (index < 0 || !ReadProjects(projects) || static_cast<size_t>(index) >= projects.size())
    return false;
  project = std::move(projects[static_cast<size_t>(index)]);
  return true;
}

bool WriteProject(const THtmlProject& project, int& index, bool* full) {
  if (full != nullptr) *full = false;
  std::string bytes;
  if (!ReadBytes(bytes)) return false;
  std::vector<THtmlProject> projects = Unpack(bytes);
  int at = index;
  if (at >= 0 && static_cast<size_t>(at) < projects.size() &&
      SameRecord(bytes, static_cast<size_t>(at), project)) {
    // Nothing to write; what a killed save left beside the file goes all the
    // same, as a write would have taken it.
    platform::RemoveLeftovers(StrFunc::ExtractDir(GetProjectsFileName()));
    return true;
  }
  if (at < 0 || static_cast<size_t>(at) >= projects.size()) {
    if (projects.size() >= kMaxProjects) {
      if (full != nullptr) *full = true;
      return false;
    }
    at = static_cast<int>(projects.size());
    projects.push_back(project);
  } else {
    projects[static_cast<size_t>(at)] = project;
  }
  if (!WriteAll(projects)) return false;
  index = at;
  return true;
}

bool DeleteProject(int index) {
  std::vector<THtmlProject> projects;
  if (index < 0 || !ReadProjects(projects) || static_cast<size_t>(index) >= projects.size())
    return false;
  projects.erase(projects.begin() + index);
  return WriteAll(projects);
}

std::string FolderKey(const std::string& folder) {
  std::string key = StrFunc::Trim(folder);
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

bool SameFolder(const std::string& a, const std::string& b) { return FolderKey(a) == FolderKey(b); }

int FindProjectByDir(const std::string& folder, THtmlProject& project) {
  const std::string key = FolderKey(folder);
  std::vector<THtmlProject> projects;
  if (key.empty() || !ReadProjects(projects)) return -1;
  for (size_t i = 0; i < projects.size(); ++i) {
    if (FolderKey(projects[i].PhotoFolder) == key) {
      project = std::move(projects[i]);
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::vector<std::string> OutputFolders() {
  std::vector<THtmlProject> projects;
  std::vector<std::string> folders;
  ReadProjects(projects);
  for (const THtmlProject& project : projects) {
    const std::string folder = FolderKey(project.HtmlDir);
    if (!folder.empty()) folders.push_back(folder);
  }
  return folders;
}

}  // namespace HtmlProjectSettings
