#include <string>
#include <string_view>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "platform/Environment.h"

namespace StrFunc {

namespace {

constexpr std::string_view kLongPrefix = "\\\\?\\";
constexpr std::u16string_view kLongPrefixW = u"\\\\?\\";
constexpr size_t kLongPathLimit = 200;

// The number of characters of a UTF-16 text; a surrogate pair is one.
size_t Length16(std::u16string_view s) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i, ++count) {
    const bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF;
    if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
  }
  return count;
}

// The one rule for both text forms, given the path's length in characters.
template <typename View>
std::basic_string<typename View::value_type> ApplyLongPathRule(View path, View prefix,
                                                               size_t length) {
  if (path.starts_with(prefix)) {
    if (length < kLongPathLimit) path.remove_prefix(prefix.size());
    return std::basic_string<typename View::value_type>(path);
  }
  if (length > kLongPathLimit && !path.starts_with(prefix.substr(0, 2))) {
    std::basic_string<typename View::value_type> out(prefix);
    out.append(path);
    return out;
  }
  return std::basic_string<typename View::value_type>(path);
}

}  // namespace

std::string IncludeBackslash(std::string_view path) {
  std::string out(path);
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

std::string ExcludeBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

std::string ExtractDir(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

std::string ExtractName(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractNameNoExt(std::string_view path) {
  std::string name = ExtractName(path);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string ExtractExt(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view ext = path.substr(dot + 1);
  if (ext.find('/') != std::string_view::npos) return {};
  return std::string(ext);
}

std::string ChangeExt(std::string_view name, std::string_view ext) {
  if (name.empty()) return {};
  std::string out(name);
  if (ExtractExt(name).empty() && name.back() != '.') {
    out += '.';
  } else {
    out.resize(name.rfind('.') + 1);
  }
  out.append(ext);
  return out;
}

std::string LongPathName(std::string_view path) {
  return ApplyLongPathRule(path, kLongPrefix, Utf8::Length(path));
}

std::u16string LongPathNameW(std::u16string_view path) {
  return ApplyLongPathRule(path, kLongPrefixW, Length16(path));
}

std::string StripLongPathPrefix(std::string_view path) {
  if (path.starts_with(kLongPrefix)) path.remove_prefix(kLongPrefix.size());
  return std::string(path);
}

std::string ExpandPath(std::string_view path) {
  if (path.starts_with("\\\\") || path.starts_with('/')) return std::string(path);
  const std::string current = platform::CurrentDirectory();
  if (current.empty()) return {};
  if (path.empty()) return current;
  return IncludeBackslash(current) + std::string(path);
}

std::string GetTempDir() { return platform::PrivateTempDir(); }

}  // namespace StrFunc
