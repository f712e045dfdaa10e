#include "platform/SystemInfo.h"

#include <charconv>
#include <fstream>
#include <sys/utsname.h>

#include "platform/TextLines.h"

namespace platform {

namespace {

// os-release is a few hundred bytes; anything far larger is not one.
constexpr std::streamsize kMaxOsReleaseBytes = 64 * 1024;

bool ReadSmallFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.resize(kMaxOsReleaseBytes);
  in.read(text.data(), kMaxOsReleaseBytes);
  text.resize(static_cast<size_t>(in.gcount()));
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == '\'' && v.back() == '\'') return std::string(v.substr(1, v.size() - 2));
  if (v.size() < 2 || v.front() != '"' || v.back() != '"') return std::string(v);
  v = v.substr(1, v.size() - 2);
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\\' && i + 1 < v.size()) ++i;
    out += v[i];
  }
  return out;
}

}  // namespace

KernelVersion ParseKernelRelease(std::string_view release) {
  KernelVersion v;
  v.release = std::string(release);
  int* parts[] = {&v.major, &v.minor, &v.build};
  const char* p = release.data();
  const char* end = release.data() + release.size();
  for (int* part : parts) {
    int value = 0;
    const auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc()) break;
    *part = value;
    if (next == end || *next != '.') break;
    p = next + 1;
  }
  return v;
}

KernelVersion GetKernelVersion() {
  struct utsname u {};
  if (uname(&u) != 0) return KernelVersion{};
  return ParseKernelRelease(u.release);
}

OsRelease ParseOsRelease(std::string_view text) {
  OsRelease r;
  for (const std::string& whole : SplitLines(text)) {
    const std::string_view line = TrimBlanks(whole);
    const size_t eq = line.find('=');
    if (line.empty() || line.front() == '#' || eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq);
    const std::string value = Unquote(line.substr(eq + 1));
    if (key == "ID") r.id = value;
    else if (key == "NAME") r.name = value;
    else if (key == "VERSION_ID") r.versionId = value;
    else if (key == "PRETTY_NAME") r.prettyName = value;
  }
  return r;
}

OsRelease ReadOsRelease() {
  std::string text;
  if (!ReadSmallFile("/etc/os-release", text) && !ReadSmallFile("/usr/lib/os-release", text))
    return OsRelease{};
  return ParseOsRelease(text);
}

}  // namespace platform
