// The comments of an INI text, kept beside its values so that a rewrite puts
// them back: the file's global comment, and for each section the comment
// before its header, after its header and at its end, the comments before and
// after each value, and commented-out values (";name=value", no blank after
// the marker). Comment texts are held without their marker and written back as
// "; " + text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/config/MemIniFile.h"

struct TCommentedField {
  std::string name;
  TStringList before;
  TStringList after;
};

struct TCommentedSection {
  std::string name;
  TStringList beforeHeader;
  TStringList afterHeader;
  TStringList atEnd;
  TStringList outNames;   // commented-out values ...
  TStringList outValues;  // ... and their texts, index-aligned
  std::vector<TCommentedField> fields;
};

class TCommentedCache {
 public:
  // Names compare by the owner's case rule.
  explicit TCommentedCache(const TMemIniFile& names) : names_(&names) {}

  // Rebuilds the cache from INI text lines.
  void Load(const TStringList& lines);
  // The plain text (each section "[name]", its lines, an empty line) with the
  // comments put back.
  TStringList Apply(const TStringList& plain) const;
  // Takes the comments of other: a comment of other replaces ours only when it
  // is not empty; commented-out values we lack are added.
  void Merge(const TCommentedCache& other);

  // True when two section names, or two value names of one section, differ
  // only in letter case.
  bool HasCaseClash() const;

  // The file's comment (empty section), a section's (empty ident: the comment
  // before its header, else the one after it) or a value's (the comment
  // before it, else the one after it), lines joined by CR LF.
  std::string Comment(std::string_view section, std::string_view ident) const;

 private:
  const TCommentedSection* FindSection(std::string_view name) const;
  TCommentedSection& SectionFor(std::string_view name);

  const TMemIniFile* names_;
  TStringList global_;
  std::vector<TCommentedSection> sections_;
};
