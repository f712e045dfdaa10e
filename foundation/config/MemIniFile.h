// An INI text held in memory: sections in the order they were added, each
// with its lines in order ("name=value", or text without "="). Section and
// value names compare without regard to case unless the store is switched to
// case-sensitive.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using TStringList = std::vector<std::string>;

class TMemIniFile {
 public:
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool on);

  // Parses INI text: lines are trimmed; empty lines and lines beginning with
  // ";" or "#" are skipped; "[name]" starts a section (a repeated header
  // continues the earlier section); blanks around the first "=" are removed;
  // lines before the first header are dropped.
  void SetPlainStrings(const TStringList& lines);
  // Each section as "[name]", its lines, and an empty line.
  TStringList GetPlainStrings() const;

  // The text after the first "=" of the value's line, else def.
  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view def) const;
  // Replaces the value's line, or appends one (adding the section when missing).
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);

  // Names of the lines with "=" of one section.
  TStringList ReadSection(std::string_view section) const;
  TStringList ReadSections() const;
  // Every line of one section.
  TStringList ReadSectionValues(std::string_view section) const;
  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view ident);
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;
  void Clear();

  // True when the two names are equal under the store's case rule.
  bool SameName(std::string_view a, std::string_view b) const;
  // The form of a name under which equal names are equal bytes.
  std::string NameKey(std::string_view name) const;

 private:
  struct Section {
    std::string name;
    TStringList lines;
    std::unordered_map<std::string, size_t> index;  // name key -> line
  };

  const Section* Find(std::string_view section) const;
  Section* Find(std::string_view section);
  Section& Add(std::string_view section);
  void AddLine(Section& s, std::string line);
  void Reindex();
  // The index of the line holding the value, or -1.
  int FindLine(const Section& s, std::string_view ident) const;

  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> index_;  // name key -> section
  bool caseSensitive_ = false;
};
