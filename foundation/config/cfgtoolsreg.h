// Registry storage of the settings object: one registry key shown as an INI
// store. Sections are subkey paths below the opened key (the empty section is
// the key itself), idents are value names, and values keep a registry type.
// Reads look in the cache of changes first, then in the registry; writes,
// deletions and comments stay in the cache until UpdateFile writes them all
// back in one transaction. Comments are kept as multi-string values with
// reserved names, hidden from listings and exports.
//
// Registry failures never raise: reads give the default, and UpdateFile
// reports false and keeps the changes for the next attempt.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "foundation/config/IniStore.h"
#include "platform/registry/winregcore.h"

class TRegIniFile : public TIniStore {
 public:
  // Opens (creating when missing) the key at path below root.
  TRegIniFile(winregcore::HKey root, const std::string& path);

  bool ReadOnly() const override { return readOnly_; }
  void SetReadOnly(bool on) override { readOnly_ = on; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  std::string ReadExpandString(const std::string& section, const std::string& ident,
                               const std::string& def) override;
  void WriteExpandString(const std::string& section, const std::string& ident,
                         const std::string& value) override;
  // Stored as a multi-string, one string per line.
  std::string ReadText(const std::string& section, const std::string& ident,
                       const std::string& def) override;
  void WriteText(const std::string& section, const std::string& ident,
                 const std::string& text) override;
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) override;
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value) override;
  uint32_t ReadDWord(const std::string& section, const std::string& ident, uint32_t def) override;
  void WriteDWord(const std::string& section, const std::string& ident, uint32_t value) override;
  int64_t ReadInt64(const std::string& section, const std::string& ident, int64_t def) override;
  void WriteInt64(const std::string& section, const std::string& ident, int64_t value) override;
  bool ReadBool(const std::string& section, const std::string& ident, bool def) override;
  void WriteBool(const std::string& section, const std::string& ident, bool value) override;
  int64_t ReadStream(const std::string& section, const std::string& ident,
                     std::string& bytes) override;
  void WriteStream(const std::string& section, const std::string& ident,
                   std::string_view bytes) override;

  TStringList ReadSections() override;
  TStringList ReadSection(const std::string& section) override;
  TStringList ReadSectionValues(const std::string& section) override;
  // The section's values are removed at write-back, also when values are
  // written to it again afterwards (only those are then kept).
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  bool SectionExists(const std::string& section) override;
  bool ValueExists(const std::string& section, const std::string& ident) override;
  // Drops every change not yet written back.
  void Clear() override;

  // Export as INI text with comments, and import: a whole number in its plain
  // decimal form is stored as a number, other pairs of upper-case hexadecimal
  // digits holding a decimal digit as binary, anything else as a string, so
  // every value reads back as the text it was ("0123" stays "0123").
  TStringList GetStrings() override;
  void SetStrings(const TStringList& lines) override;
  void ReplaceSectionLines(const std::string& section, const TStringList& lines) override;
  [[nodiscard]] bool UpdateFile() override;

 private:
  enum Kind { rifString, rifMultiString, rifExpandString, rifDWord, rifQWord, rifBinary };

  struct CachedValue {
    std::string name;
    std::string text;  // multi-strings joined by LF, binary as hexadecimal
    Kind kind = rifString;
    bool deleted = false;
  };

  struct SectionCache {
    std::string path;
    bool deleted = false;  // erased and not written again
    bool erased = false;   // its registry values are void
    std::vector<CachedValue> values;
    std::unordered_map<std::string, size_t> index;
  };

  SectionCache* Cache(const std::string& section, bool add);
  const CachedValue* Cached(const std::string& section, const std::string& ident);
  bool Readable(const std::string& section);
  // The registry value as text (any type), or false.
  bool RegistryText(const std::string& section, const std::string& ident, std::string& text);
  bool RegistryNumber(const std::string& section, const std::string& ident, Kind kind,
                      int64_t& value);
  bool ReadAsText(const std::string& section, const std::string& ident, std::string& text);
  int64_t ReadNumber(const std::string& section, const std::string& ident, Kind kind,
                     int64_t def);
  void Store(const std::string& section, const std::string& ident, std::string text, Kind kind);
  void ListKnownSections();
  void ImportValue(const std::string& section, const std::string& ident, const std::string& text);
  void SetComment(const std::string& section, const std::string& ident, const std::string& text);
  std::string Comment(const std::string& section, const std::string& ident);
  // The lines of a comment text: CR dropped, one line per LF.
  static std::vector<std::string> CommentLines(std::string_view text);
  bool WriteBack();

  std::unique_ptr<winregcore::TRegKey> key_;
  std::vector<SectionCache> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;
  TStringList known_;
  std::unordered_set<std::string> knownUpper_;
  // Comments set since opening, by comment value path.
  struct PendingComment {
    std::string path;
    std::string text;
  };
  std::unordered_map<std::string, PendingComment> comments_;
  bool readOnly_ = false;
  bool dirty_ = false;
};
