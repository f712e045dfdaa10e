// INI text storage of the settings object. The whole text is held in memory
// with its comments and written back to where it came from: a file, a byte
// buffer standing in for a stream, or a list of lines.
//
// Files are read as UTF-8, or as windows-1250 when they are not valid UTF-8,
// and written as UTF-8 with CR LF line ends: to a new file in the same folder
// that then replaces the old one, so a failed write leaves the old file whole.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "foundation/config/CommentedCache.h"
#include "foundation/config/IniStore.h"
#include "foundation/config/MemIniFile.h"

// Reads a text file as lines (UTF-8, or windows-1250 when not valid UTF-8);
// false when it does not exist or cannot be read.
bool LoadTextFileLines(const std::string& fileName, TStringList& lines);

class TStreamIniFile : public TIniStore {
 public:
  // A missing file opens as an empty store and is created by UpdateFile. A
  // file that exists but cannot be read also opens empty, and UpdateFile then
  // refuses to replace it.
  static std::unique_ptr<TStreamIniFile> FromFile(const std::string& fileName);
  // The buffer must outlive the store; UpdateFile replaces its contents.
  static std::unique_ptr<TStreamIniFile> FromStream(std::string& stream);
  static std::unique_ptr<TStreamIniFile> FromLines(TStringList& lines);

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
  // Line breaks are stored as "_:<br>:_".
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
  // Both throw EInvalidSection for an empty section.
  bool ReadBool(const std::string& section, const std::string& ident, bool def) override;
  void WriteBool(const std::string& section, const std::string& ident, bool value) override;
  // Bytes are stored as "HEX:" text.
  int64_t ReadStream(const std::string& section, const std::string& ident,
                     std::string& bytes) override;
  void WriteStream(const std::string& section, const std::string& ident,
                   std::string_view bytes) override;

  TStringList ReadSections() override { return ini_.ReadSections(); }
  TStringList ReadSection(const std::string& section) override;
  TStringList ReadSectionValues(const std::string& section) override;
  void EraseSection(const std::string& section) override { ini_.EraseSection(section); }
  void DeleteKey(const std::string& section, const std::string& ident) override;
  bool SectionExists(const std::string& section) override { return ini_.SectionExists(section); }
  bool ValueExists(const std::string& section, const std::string& ident) override;
  void Clear() override { ini_.Clear(); }

  TStringList GetStrings() override;
  // Rebuilds the comments and values from lines. The store becomes
  // case-sensitive when two section names, or two value names of a section,
  // differ only in letter case.
  void SetStrings(const TStringList& lines) override;
  void ReplaceSectionLines(const std::string& section, const TStringList& lines) override;
  [[nodiscard]] bool UpdateFile() override;

  // The values as plain INI text, without comments.
  TStringList GetPlainStrings() const { return ini_.GetPlainStrings(); }
  // The comment of the file (empty section), of a section (empty ident) or of
  // a value, lines joined by CR LF.
  std::string GetComment(const std::string& section, const std::string& ident) const;
  bool CaseSensitive() const { return ini_.CaseSensitive(); }

 private:
  TStreamIniFile() = default;
  void RequireSection(const std::string& section, const std::string& ident) const;

  TMemIniFile ini_;
  std::optional<TCommentedCache> comments_;
  std::string fileName_;
  std::string* stream_ = nullptr;
  TStringList* lines_ = nullptr;
  bool readOnly_ = false;
  bool unreadable_ = false;
};
