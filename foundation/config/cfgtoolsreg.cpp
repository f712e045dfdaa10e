#include "foundation/config/cfgtoolsreg.h"

#include <algorithm>

#include "foundation/StrFunc.h"
#include "foundation/config/simplestrfunc.h"
#include "platform/TextLines.h"

using winregcore::TRegKey;

namespace {

constexpr std::string_view kCommentPrefix = "_comment_$_";
constexpr std::string_view kCommentSuffix = "_$_comment";
constexpr std::string_view kGlobalComment = "_comment_$_global";
constexpr int kMaxSectionDepth = 64;

std::string Upper(std::string_view s) { return StrFunc::UpperCaseCz(StrFunc::Trim(s)); }

bool IsCommentName(std::string_view name) {
  return name.starts_with(kCommentPrefix) || name.ends_with(kCommentSuffix);
}

std::string Join(std::string_view section, std::string_view name) {
  return section.empty() ? std::string(name) : std::string(section) + "\\" + std::string(name);
}

// Where the comment of the store (both empty), of a section (empty ident) or
// of a value lives.
std::string CommentPath(const std::string& section, const std::string& ident) {
  if (section.empty() && ident.empty()) return std::string(kGlobalComment);
  if (ident.empty()) {
    const size_t slash = section.rfind('\\');
    if (slash == std::string::npos) return std::string(kCommentPrefix) + section;
    return section.substr(0, slash) + "\\" + std::string(kCommentPrefix) + section.substr(slash + 1);
  }
  return Join(section, ident + std::string(kCommentSuffix));
}

// A multi-string value read or written as text has breaks between its strings:
// an empty text is one empty string, a break at the end an empty last string.
std::vector<std::string> MultiStringLines(std::string_view text) {
  return platform::SplitLines(text, platform::LineBreaks::kBetween);
}

std::string MultiStringText(const std::vector<std::string>& lines) {
  return platform::JoinLines(lines, platform::LineBreaks::kBetween);
}

std::string RemoveAll(std::string s, char c) {
  s.erase(std::remove(s.begin(), s.end(), c), s.end());
  return s;
}

std::string HexOf(std::string_view bytes) {
  return simplestrfunc::StreamToHex(bytes).substr(4);
}

}  // namespace

TRegIniFile::TRegIniFile(winregcore::HKey root, const std::string& path)
    : key_(TRegKey::Open(root, path, true)) {
  ListKnownSections();
}

void TRegIniFile::ListKnownSections() {
  known_.clear();
  knownUpper_.clear();
  if (!key_) return;
  // Depth-first, so a parent is listed before its subkeys.
  std::vector<std::pair<std::string, int>> pending = {{"", 0}};
  while (!pending.empty()) {
    const auto [path, depth] = pending.back();
    pending.pop_back();
    if (depth >= kMaxSectionDepth) continue;
    const std::vector<std::string> names = key_->EnumKeyNames(path);
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
      const std::string sub = Join(path, *it);
      if (knownUpper_.insert(Upper(sub)).second) {
        known_.push_back(sub);
        pending.emplace_back(sub, depth + 1);
      }
    }
  }
}

TRegIniFile::SectionCache* TRegIniFile::Cache(const std::string& section, bool add) {
  const std::string key = Upper(section);
  const auto it = sectionIndex_.find(key);
  if (it != sectionIndex_.end()) return &sections_[it->second];
  if (!add) return nullptr;
  sectionIndex_.emplace(key, sections_.size());
  sections_.push_back({StrFunc::Trim(section), false, false, {}, {}});
  return &sections_.back();
}

const TRegIniFile::CachedValue* TRegIniFile::Cached(const std::string& section,
                                                    const std::string& ident) {
  const SectionCache* s = Cache(section, false);
  if (s == nullptr) return nullptr;
  const auto it = s->index.find(Upper(ident));
  return it == s->index.end() ? nullptr : &s->values[it->second];
}

bool TRegIniFile::Readable(const std::string& section) {
  const std::string trimmed = StrFunc::Trim(section);
  const SectionCache* s = Cache(trimmed, false);
  if (s != nullptr && s->deleted) return false;
  return trimmed.empty() || knownUpper_.count(Upper(trimmed)) > 0;
}

bool TRegIniFile::RegistryText(const std::string& section, const std::string& ident,
                               std::string& text) {
  if (!key_) return false;
  const SectionCache* s = Cache(section, false);
  if (s != nullptr && s->erased) return false;
  const std::string path = Join(StrFunc::Trim(section), StrFunc::Trim(ident));
  std::vector<std::string> lines;
  uint32_t dword = 0;
  uint64_t qword = 0;
  std::string bytes;
  if (key_->ReadString(path, text)) return true;
  if (key_->ReadMultiString(path, lines)) {
    text = MultiStringText(lines);
    return true;
  }
  if (key_->ReadExpandString(path, text)) return true;
  if (key_->ReadDWord(path, dword) || key_->ReadDWordBigEndian(path, dword)) {
    text = std::to_string(dword);
    return true;
  }
  if (key_->ReadQWord(path, qword)) {
    text = std::to_string(static_cast<int64_t>(qword));
    return true;
  }
  if (key_->ReadBinary(path, bytes) >= 0) {
    text = HexOf(bytes);
    return true;
  }
  return false;
}

bool TRegIniFile::RegistryNumber(const std::string& section, const std::string& ident, Kind kind,
                                 int64_t& value) {
  if (!key_) return false;
  const SectionCache* s = Cache(section, false);
  if (s != nullptr && s->erased) return false;
  const std::string path = Join(StrFunc::Trim(section), StrFunc::Trim(ident));
  uint32_t dword = 0;
  uint64_t qword = 0;
  std::string text;
  const bool qwordFirst = kind == rifQWord;
  if (qwordFirst && key_->ReadQWord(path, qword)) {
    value = static_cast<int64_t>(qword);
    return true;
  }
  if (key_->ReadDWord(path, dword) || key_->ReadDWordBigEndian(path, dword)) {
    value = dword;
    return true;
  }
  if (!qwordFirst && key_->ReadQWord(path, qword)) {
    value = static_cast<int64_t>(qword);
    return true;
  }
  return key_->ReadString(path, text) && simplestrfunc::StrToInt64Ok(StrFunc::Trim(text), value);
}

bool TRegIniFile::ReadAsText(const std::string& section, const std::string& ident,
                             std::string& text) {
  if (StrFunc::Trim(ident).empty() || !Readable(section)) return false;
  if (const CachedValue* v = Cached(section, ident)) {
    if (v->deleted) return false;
    text = v->kind == rifMultiString ? MultiStringText(MultiStringLines(v->text)) : v->text;
    return true;
  }
  return RegistryText(section, ident, text);
}

int64_t TRegIniFile::ReadNumber(const std::string& section, const std::string& ident, Kind kind,
                                int64_t def) {
  if (StrFunc::Trim(ident).empty() || !Readable(section)) return def;
  int64_t value = 0;
  if (const CachedValue* v = Cached(section, ident)) {
    return !v->deleted && simplestrfunc::StrToInt64Ok(StrFunc::Trim(v->text), value) ? value : def;
  }
  return RegistryNumber(section, ident, kind, value) ? value : def;
}

void TRegIniFile::Store(const std::string& section, const std::string& ident, std::string text,
                        Kind kind) {
  const std::string name = StrFunc::Trim(ident);
  if (name.empty()) return;
  const std::string trimmed = StrFunc::Trim(section);
  if (!trimmed.empty() && knownUpper_.insert(Upper(trimmed)).second) known_.push_back(trimmed);
  SectionCache& s = *Cache(trimmed, true);
  s.deleted = false;
  const auto [it, added] = s.index.emplace(Upper(name), s.values.size());
  if (added) s.values.push_back({name, {}, rifString, false});
  CachedValue& v = s.values[it->second];
  v.text = std::move(text);
  v.kind = kind;
  v.deleted = false;
  dirty_ = true;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) {
  std::string text;
  return ReadAsText(section, ident, text) ? text : def;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  Store(section, ident, value, rifString);
}

std::string TRegIniFile::ReadExpandString(const std::string& section, const std::string& ident,
                                          const std::string& def) {
  if (StrFunc::Trim(ident).empty() || !Readable(section)) return def;
  if (const CachedValue* v = Cached(section, ident)) return v->deleted ? def : v->text;
  const SectionCache* s = Cache(section, false);
  std::string text;
  return key_ && !(s && s->erased) &&
                 key_->ReadExpandString(Join(StrFunc::Trim(section), StrFunc::Trim(ident)), text)
             ? text
             : def;
}

void TRegIniFile::WriteExpandString(const std::string& section, const std::string& ident,
                                    const std::string& value) {
  Store(section, ident, value, rifExpandString);
}

std::string TRegIniFile::ReadText(const std::string& section, const std::string& ident,
                                  const std::string& def) {
  if (StrFunc::Trim(ident).empty() || !Readable(section)) return def;
  if (const CachedValue* v = Cached(section, ident)) {
    return v->deleted ? def : MultiStringText(MultiStringLines(v->text));
  }
  const SectionCache* s = Cache(section, false);
  std::vector<std::string> lines;
  return key_ && !(s && s->erased) &&
                 key_->ReadMultiString(Join(StrFunc::Trim(section), StrFunc::Trim(ident)), lines)
             ? MultiStringText(lines)
             : def;
}

void TRegIniFile::WriteText(const std::string& section, const std::string& ident,
                            const std::string& text) {
  Store(section, ident, RemoveAll(text, '\r'), rifMultiString);
}

int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                 int32_t def) {
  return static_cast<int32_t>(ReadNumber(section, ident, rifDWord, def));
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& ident,
                               int32_t value) {
  Store(section, ident, std::to_string(static_cast<uint32_t>(value)), rifDWord);
}

uint32_t TRegIniFile::ReadDWord(const std::string& section, const std::string& ident,
                                uint32_t def) {
  return static_cast<uint32_t>(ReadNumber(section, ident, rifDWord, def));
}

void TRegIniFile::WriteDWord(const std::string& section, const std::string& ident,
                             uint32_t value) {
  Store(section, ident, std::to_string(value), rifDWord);
}

int64_t TRegIniFile::ReadInt64(const std::string& section, const std::string& ident,
                               int64_t def) {
  return ReadNumber(section, ident, rifQWord, def);
}

void TRegIniFile::WriteInt64(const std::string& section, const std::string& ident,
                             int64_t value) {
  Store(section, ident, std::to_string(value), rifQWord);
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
  return simplestrfunc::TextToBool(ReadString(section, ident, def ? "True" : "False"));
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, simplestrfunc::BoolToText(ReadString(section, ident, ""), value));
}

int64_t TRegIniFile::ReadStream(const std::string& section, const std::string& ident,
                                std::string& bytes) {
  if (StrFunc::Trim(ident).empty() || !Readable(section)) return -1;
  if (const CachedValue* v = Cached(section, ident)) {
    if (v->deleted) return -1;
    return static_cast<int64_t>(simplestrfunc::HexToStream(v->text, bytes));
  }
  const SectionCache* s = Cache(section, false);
  if (!key_ || (s && s->erased)) return -1;
  return key_->ReadBinary(Join(StrFunc::Trim(section), StrFunc::Trim(ident)), bytes);
}

void TRegIniFile::WriteStream(const std::string& section, const std::string& ident,
                              std::string_view bytes) {
  Store(section, ident, HexOf(bytes), rifBinary);
}

TStringList TRegIniFile::ReadSections() {
  TStringList list;
  for (const std::string& path : known_) {
    const SectionCache* s = Cache(path, false);
    if (s == nullptr || !s->deleted) list.push_back(path);
  }
  return list;
}

TStringList TRegIniFile::ReadSection(const std::string& section) {
  TStringList names;
  if (!Readable(section)) return names;
  const std::string trimmed = StrFunc::Trim(section);
  const SectionCache* s = Cache(trimmed, false);
  std::unordered_set<std::string> listed;
  if (key_ && !(s && s->erased)) {
    for (const std::string& name : key_->EnumValueNames(trimmed)) {
      const CachedValue* v = Cached(trimmed, name);
      if (IsCommentName(name) || (v && v->deleted)) continue;
      if (listed.insert(Upper(name)).second) names.push_back(name);
    }
  }
  if (s != nullptr) {
    for (const CachedValue& v : s->values) {
      if (!v.deleted && !IsCommentName(v.name) && listed.insert(Upper(v.name)).second) {
        names.push_back(v.name);
      }
    }
  }
  return names;
}

TStringList TRegIniFile::ReadSectionValues(const std::string& section) {
  TStringList lines;
  for (const std::string& name : ReadSection(section)) {
    std::string text;
    if (ReadAsText(section, name, text)) lines.push_back(name + "=" + text);
  }
  return lines;
}

void TRegIniFile::EraseSection(const std::string& section) {
  SectionCache& s = *Cache(StrFunc::Trim(section), true);
  s.deleted = true;
  s.erased = true;
  s.values.clear();
  s.index.clear();
  SetComment(s.path, "", "");
  dirty_ = true;
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  const std::string name = StrFunc::Trim(ident);
  if (name.empty()) return;
  SectionCache& s = *Cache(StrFunc::Trim(section), true);
  const auto [it, added] = s.index.emplace(Upper(name), s.values.size());
  if (added) s.values.push_back({name, {}, rifString, true});
  s.values[it->second].deleted = true;
  SetComment(s.path, name, "");
  dirty_ = true;
}

bool TRegIniFile::SectionExists(const std::string& section) {
  const std::string trimmed = StrFunc::Trim(section);
  const SectionCache* s = Cache(trimmed, false);
  return !(s && s->deleted) && knownUpper_.count(Upper(trimmed)) > 0;
}

bool TRegIniFile::ValueExists(const std::string& section, const std::string& ident) {
  std::string text;
  return ReadAsText(section, ident, text);
}

void TRegIniFile::Clear() {
  sections_.clear();
  sectionIndex_.clear();
  comments_.clear();
  dirty_ = false;
  ListKnownSections();
}

void TRegIniFile::SetComment(const std::string& section, const std::string& ident,
                             const std::string& text) {
  const std::string path = CommentPath(section, ident);
  comments_[Upper(path)] = {path, text};
  dirty_ = true;
}

std::string TRegIniFile::Comment(const std::string& section, const std::string& ident) {
  const std::string path = CommentPath(section, ident);
  const auto it = comments_.find(Upper(path));
  if (it != comments_.end()) return it->second.text;
  std::vector<std::string> lines;
  const SectionCache* s = Cache(section, false);
  if (!key_ || (s && s->erased && !ident.empty())) return std::string();
  return key_->ReadMultiString(path, lines) ? MultiStringText(lines) : std::string();
}

std::vector<std::string> TRegIniFile::CommentLines(std::string_view text) {
  return MultiStringLines(RemoveAll(std::string(text), '\r'));
}

bool TRegIniFile::WriteBack() {
  bool ok = true;
  // Erased sections are cleared first, so that the comments and values set
  // after the erase survive. The comments of the sections below one are kept.
  for (const SectionCache& s : sections_) {
    if (!s.erased) continue;
    for (const std::string& name : key_->EnumValueNames(s.path)) {
      if (!name.starts_with(kCommentPrefix)) ok = ok && key_->DeleteValue(Join(s.path, name));
    }
    if (s.deleted && !s.path.empty()) ok = ok && key_->DeleteKey(s.path);
  }
  for (const auto& [upper, comment] : comments_) {
    ok = ok && (comment.text.empty()
                    ? key_->DeleteValue(comment.path)
                    : key_->WriteMultiString(comment.path, CommentLines(comment.text)));
  }
  for (const SectionCache& s : sections_) {
    for (const CachedValue& v : s.values) {
      const std::string path = Join(s.path, v.name);
      if (v.deleted) {
        ok = ok && key_->DeleteValue(path);
        continue;
      }
      std::string bytes;
      int64_t number = 0;
      switch (v.kind) {
        case rifString: ok = ok && key_->WriteString(path, v.text); break;
        case rifMultiString: ok = ok && key_->WriteMultiString(path, MultiStringLines(v.text)); break;
        case rifExpandString: ok = ok && key_->WriteExpandString(path, v.text); break;
        case rifDWord:
          ok = ok && simplestrfunc::StrToInt64Ok(v.text, number) &&
               key_->WriteDWord(path, static_cast<uint32_t>(number));
          break;
        case rifQWord:
          ok = ok && simplestrfunc::StrToInt64Ok(v.text, number) &&
               key_->WriteQWord(path, static_cast<uint64_t>(number));
          break;
        case rifBinary:
          simplestrfunc::HexToStream(v.text, bytes);
          ok = ok && key_->WriteBinary(path, bytes);
          break;
      }
    }
  }
  return ok;
}

bool TRegIniFile::UpdateFile() {
  if (readOnly_ || !dirty_) return true;
  if (!key_ || !key_->BeginWrite()) return false;
  if (!WriteBack()) {
    key_->Rollback();
    return false;
  }
  if (!key_->Commit()) return false;
  for (SectionCache& s : sections_) s.erased = false;
  comments_.clear();
  dirty_ = false;
  return true;
}
