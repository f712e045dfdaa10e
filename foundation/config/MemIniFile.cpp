#include "foundation/config/MemIniFile.h"

#include "foundation/StrFunc.h"

namespace {

std::string_view NameOf(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

}  // namespace

std::string TMemIniFile::NameKey(std::string_view name) const {
  return caseSensitive_ ? std::string(name) : StrFunc::UpperCaseCz(name);
}

bool TMemIniFile::SameName(std::string_view a, std::string_view b) const {
  return a == b || NameKey(a) == NameKey(b);
}

void TMemIniFile::SetCaseSensitive(bool on) {
  caseSensitive_ = on;
  Reindex();
}

void TMemIniFile::Clear() {
  sections_.clear();
  index_.clear();
}

// The first of several equal names wins, as lookups have always found it.
void TMemIniFile::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) {
    Section& s = sections_[i];
    index_.emplace(NameKey(s.name), i);
    s.index.clear();
    for (size_t j = 0; j < s.lines.size(); ++j) {
      if (s.lines[j].find('=') != std::string::npos) s.index.emplace(NameKey(NameOf(s.lines[j])), j);
    }
  }
}

TMemIniFile::Section& TMemIniFile::Add(std::string_view section) {
  index_.emplace(NameKey(section), sections_.size());
  sections_.push_back({std::string(section), {}, {}});
  return sections_.back();
}

void TMemIniFile::AddLine(Section& s, std::string line) {
  if (line.find('=') != std::string::npos) s.index.emplace(NameKey(NameOf(line)), s.lines.size());
  s.lines.push_back(std::move(line));
}

void TMemIniFile::SetPlainStrings(const TStringList& lines) {
  Clear();
  Section* current = nullptr;
  for (const std::string& raw : lines) {
    const std::string line = StrFunc::Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string name = StrFunc::Trim(std::string_view(line).substr(1, line.size() - 2));
      current = Find(name);
      if (current == nullptr) current = &Add(name);
      continue;
    }
    if (current == nullptr) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      AddLine(*current, line);
    } else {
      AddLine(*current, StrFunc::Trim(std::string_view(line).substr(0, eq)) + "=" +
                            StrFunc::Trim(std::string_view(line).substr(eq + 1)));
    }
  }
}

TStringList TMemIniFile::GetPlainStrings() const {
  TStringList out;
  for (const Section& s : sections_) {
    out.push_back("[" + s.name + "]");
    out.insert(out.end(), s.lines.begin(), s.lines.end());
    out.emplace_back();
  }
  return out;
}

const TMemIniFile::Section* TMemIniFile::Find(std::string_view section) const {
  const auto it = index_.find(NameKey(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

TMemIniFile::Section* TMemIniFile::Find(std::string_view section) {
  return const_cast<Section*>(static_cast<const TMemIniFile*>(this)->Find(section));
}

int TMemIniFile::FindLine(const Section& s, std::string_view ident) const {
  const auto it = s.index.find(NameKey(ident));
  return it == s.index.end() ? -1 : static_cast<int>(it->second);
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view def) const {
  const Section* s = Find(section);
  const int i = s ? FindLine(*s, ident) : -1;
  if (i < 0) return std::string(def);
  const std::string& line = s->lines[static_cast<size_t>(i)];
  return line.substr(line.find('=') + 1);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident,
                              std::string_view value) {
  Section* s = Find(section);
  if (s == nullptr) s = &Add(section);
  std::string line = std::string(ident) + "=" + std::string(value);
  const int i = FindLine(*s, ident);
  if (i < 0) {
    AddLine(*s, std::move(line));
  } else {
    s->lines[static_cast<size_t>(i)] = std::move(line);
  }
}

TStringList TMemIniFile::ReadSection(std::string_view section) const {
  TStringList names;
  if (const Section* s = Find(section)) {
    for (const std::string& line : s->lines) {
      if (line.find('=') != std::string::npos) names.emplace_back(NameOf(line));
    }
  }
  return names;
}

TStringList TMemIniFile::ReadSections() const {
  TStringList names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

TStringList TMemIniFile::ReadSectionValues(std::string_view section) const {
  const Section* s = Find(section);
  return s ? s->lines : TStringList();
}

void TMemIniFile::EraseSection(std::string_view section) {
  const auto it = index_.find(NameKey(section));
  if (it == index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  Section* s = Find(section);
  const int i = s ? FindLine(*s, ident) : -1;
  if (i < 0) return;
  s->lines.erase(s->lines.begin() + i);
  Reindex();
}

bool TMemIniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  const Section* s = Find(section);
  return s != nullptr && FindLine(*s, ident) >= 0;
}
