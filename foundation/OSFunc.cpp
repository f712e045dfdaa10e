#include "foundation/OSFunc.h"

#include <array>

#include "foundation/GetWinVersionInfo.h"
#include "platform/OpenDocument.h"
#include "platform/SpecialFolders.h"
#include "platform/SystemInfo.h"

namespace OSFunc {

namespace {

constexpr std::array<const char*, 26> kVersionNames = {
    "",
    "Windows 95",
    "Windows 95 OSR2",
    "Windows 98",
    "Windows 98 SE",
    "Windows ME",
    "Windows NT 3.1",
    "Windows NT 3.5",
    "Windows NT 3.51",
    "Windows NT 4.0",
    "Windows 2000",
    "Windows XP",
    "Windows Server 2003 / XP x64",
    "Windows Vista",
    "Windows Server 2008",
    "Windows 7",
    "Windows Server 2008 R2",
    "Windows 8",
    "Windows Server 2012",
    "Windows 8.1",
    "Windows Server 2012 R2",
    "Windows 10",
    "Windows Server 2016",
    "Windows Server 2019",
    "Windows 11",
    "Windows Server 2022",
};

int Win9xCode(const VersionFacts& f) {
  if (f.minor < 10) return f.service == "B" ? 2 : 1;
  if (f.minor < 90 && !f.kernelFile490) return f.service == "A" ? 4 : 3;
  if (f.minor == 90 || f.kernelFile490) return 5;
  return 0;
}

int Nt10Code(const VersionFacts& f) {
  if (!f.server) return f.build < 22000 ? 21 : 24;
  if (f.build < 17763) return 22;
  return f.build < 20348 ? 23 : 25;
}

int NtCode(const VersionFacts& f) {
  const int server = f.server ? 1 : 0;
  switch (f.major) {
    case 3:
      if (f.minor == 10) return 6;
      if (f.minor == 50) return 7;
      if (f.minor == 51) return 8;
      return 0;
    case 4: return 9;
    case 5:
      if (f.minor == 0) return 10;
      if (f.minor == 1) return 11;
      if (f.minor == 2) return 12;
      return 0;
    case 6:
      if (f.minor >= 0 && f.minor <= 3) return 13 + 2 * f.minor + server;
      return 0;
    case 10: return Nt10Code(f);
    default: return 0;
  }
}

int& VersionCode() {
  static int code = 0;
  return code;
}

// Linux is neither family; its facts still go through the table.
VersionFacts OwnFacts() {
  VersionFacts f;
  f.major = GetWinVersionInfo::GetMajorVersion();
  f.minor = GetWinVersionInfo::GetMinorVersion();
  f.build = GetWinVersionInfo::GetBuildNumber();
  return f;
}

}  // namespace

int VersionCodeOf(const VersionFacts& facts) {
  switch (facts.family) {
    case PlatformFamily::Win9x: return Win9xCode(facts);
    case PlatformFamily::WinNT: return NtCode(facts);
    case PlatformFamily::Other: return 0;
  }
  return 0;
}

std::string VersionCodeName(int code) {
  if (code < 0 || code >= static_cast<int>(kVersionNames.size())) return std::string();
  return kVersionNames[static_cast<size_t>(code)];
}

int WinVersion() { return VersionCode(); }

std::string WinVersionName() {
  std::string name = VersionCodeName(WinVersion());
  if (!name.empty()) return name;
  name = platform::ReadOsRelease().prettyName;
  if (!name.empty()) return name;
  return "Linux " + platform::GetKernelVersion().release;
}

std::string GetProgramFilesDir() {
  return platform::SpecialFolderPath(platform::SpecialFolder::Programs);
}

std::string GetLocalAppDataDir() {
  return platform::SpecialFolderPath(platform::SpecialFolder::UserData);
}

std::string GetCommonAppDataDir() {
  return platform::SpecialFolderPath(platform::SpecialFolder::SystemData);
}

bool ShellOpen(const std::string& target) { return platform::OpenDocument(target); }

StartDecision Initialize() {
  VersionCode() = VersionCodeOf(OwnFacts());
  return LiveUpdate();
}

}  // namespace OSFunc
