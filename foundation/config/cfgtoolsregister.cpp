#include "foundation/config/cfgtoolsregister.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "foundation/config/cfgexceptions.h"
#include "foundation/config/cfgtoolscore.h"

namespace {

std::string StripBackslashes(std::string_view s) {
  while (!s.empty() && s.front() == '\\') s.remove_prefix(1);
  while (!s.empty() && s.back() == '\\') s.remove_suffix(1);
  return std::string(s);
}

std::string FileNameOf(const std::string& keyPath, winregcore::HKey root) {
  std::string base = keyPath.empty() ? std::string("root") : keyPath;
  std::replace(base.begin(), base.end(), '\\', '_');
  std::replace(base.begin(), base.end(), '/', '_');
  return base + cfgtoolscore::SwitchWord(root) + ".ini";
}

bool IsHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Every header line of lines passed through translate; the lines change only
// when all of them translate.
template <typename Translate>
void RewriteHeaders(TStringList& lines, Translate translate) {
  TStringList out = lines;
  for (std::string& line : out) {
    const std::string trimmed = StrFunc::Trim(line);
    if (!IsHeader(trimmed)) continue;
    line = "[" + translate(StrFunc::Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2))) +
           "]";
  }
  lines = std::move(out);
}

}  // namespace

TRegisterIniFile::TRegisterIniFile(winregcore::HKey root, const std::string& path, TConfig* owner)
    : TRegIniFile(root, path),
      root_(root),
      rootName_(cfgtoolscore::RootWord(root) + "\\"),
      keyPath_(StripBackslashes(StrFunc::Trim(path))),
      fileName_(FileNameOf(keyPath_, root)),
      userRoot_(cfgtoolscore::IsUserRoot(root)),
      owner_(owner) {}

std::string TRegisterIniFile::KeyNameOf(const std::string& section) const {
  const std::string sub = StripBackslashes(StrFunc::Trim(section));
  if (keyPath_.empty()) return rootName_ + sub;
  return rootName_ + keyPath_ + (sub.empty() ? "" : "\\" + sub);
}

std::string TRegisterIniFile::SectionOf(const std::string& keyName) const {
  const std::string name = StrFunc::Trim(keyName);
  winregcore::HKey root{};
  if (!cfgtoolscore::ParseRootWord(name, root)) throw EInvalidSection("Cannot parse name " + keyName);
  const size_t slash = name.find('\\');
  if (root != root_) {
    throw EInvalidRegisterKey("Cannot parse HKey " + StrFunc::Trim(name.substr(0, slash)) +
                              " as HKey " + cfgtoolscore::RootWord(root_));
  }
  const std::string rest =
      slash == std::string::npos ? std::string() : StripBackslashes(name.substr(slash + 1));
  if (keyPath_.empty()) return rest;
  const size_t n = keyPath_.size();
  const bool below = rest.size() >= n && (rest.size() == n || rest[n] == '\\') &&
                     StrFunc::UpperCaseCz(rest.substr(0, n)) == StrFunc::UpperCaseCz(keyPath_);
  if (below) return StripBackslashes(rest.substr(n));
  throw EInvalidRegisterKey("Cannot parse name " + keyName);
}

void TRegisterIniFile::SectionsToKeyNames(TStringList& lines) const {
  RewriteHeaders(lines, [this](const std::string& section) { return KeyNameOf(section); });
}

void TRegisterIniFile::KeyNamesToSections(TStringList& lines) const {
  RewriteHeaders(lines, [this](const std::string& name) { return SectionOf(name); });
}
