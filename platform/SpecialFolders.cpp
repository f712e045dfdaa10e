#include "platform/SpecialFolders.h"

#include <cstdlib>
#include <utility>

#include "platform/Environment.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace platform {

namespace {

// user-dirs.dirs is a few hundred bytes; more is not read.
constexpr size_t kMaxUserDirsBytes = 64 * 1024;

// An XDG variable counts only when it holds an absolute path.
std::string AbsoluteEnv(const char* name) {
  const char* v = std::getenv(name);
  if (v == nullptr || v[0] != '/') return std::string();
  return v;
}

std::string Home() { return AbsoluteEnv("HOME"); }

// The root stays "/".
std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string UnderHome(const char* xdgName, const char* fallback) {
  std::string dir = AbsoluteEnv(xdgName);
  if (!dir.empty()) return dir;
  const std::string home = Home();
  return home.empty() ? std::string() : home + "/" + fallback;
}

std::string DesktopDir() {
  const std::string home = Home();
  const std::string config = UnderHome("XDG_CONFIG_HOME", ".config");
  if (!config.empty()) {
    // Read only as a regular file: a named pipe there must not stall start-up.
    std::string text;
    ReadWholeFile(config + "/user-dirs.dirs", kMaxUserDirsBytes, text);
    std::string dir = ParseDesktopDir(text, home);
    if (!dir.empty()) return dir;
  }
  return home.empty() ? std::string() : home + "/Desktop";
}

std::string FirstDataDir() {
  const char* v = std::getenv("XDG_DATA_DIRS");
  std::string_view dirs = v ? v : "";
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    if (!dir.empty() && dir.front() == '/') return WithoutTrailingSlashes(std::string(dir));
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
  }
  return "/usr/local/share";
}

std::string Overridden(SpecialFolder folder, const std::string& home) {
  switch (folder) {
    case SpecialFolder::Desktop: return home + "/desktop";
    case SpecialFolder::Applications: return home + "/applications";
    case SpecialFolder::Autostart: return home + "/autostart";
    case SpecialFolder::UserData: return home + "/data";
    default: return std::string();
  }
}

}  // namespace

std::string HomeFolder() { return WithoutTrailingSlashes(Home()); }

std::string ParseDesktopDir(std::string_view text, std::string_view home) {
  constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
  std::string value;
  for (const std::string& whole : SplitLines(text)) {
    std::string_view line = whole;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.substr(0, kKey.size()) != kKey) continue;
    line.remove_prefix(kKey.size());
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') continue;
    value = std::string(line.substr(1, line.size() - 2));
  }
  if (value.rfind("$HOME", 0) == 0) {
    const std::string rest = value.substr(5);
    if (home.empty() || (!rest.empty() && rest.front() != '/')) return std::string();
    value = std::string(home) + rest;
  }
  if (value.empty() || value.front() != '/') return std::string();
  return WithoutTrailingSlashes(std::move(value));
}

std::string SpecialFolderPath(SpecialFolder folder) {
  const std::string home = HomeOverride();
  if (!home.empty()) {
    std::string dir = Overridden(folder, home);
    if (!dir.empty()) return dir;
  }
  switch (folder) {
    case SpecialFolder::Desktop: return DesktopDir();
    case SpecialFolder::Applications: {
      const std::string data = UnderHome("XDG_DATA_HOME", ".local/share");
      return data.empty() ? data : data + "/applications";
    }
    case SpecialFolder::Autostart: {
      const std::string config = UnderHome("XDG_CONFIG_HOME", ".config");
      return config.empty() ? config : config + "/autostart";
    }
    case SpecialFolder::UserData: return UnderHome("XDG_DATA_HOME", ".local/share");
    case SpecialFolder::SystemData: return FirstDataDir();
    case SpecialFolder::Programs: return "/opt";
  }
  return std::string();
}

}  // namespace platform
