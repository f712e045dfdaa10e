// What the settings object asks of a storage. Two storages implement it: INI
// text (TStreamIniFile) and the registry (TRegIniFile). Values are addressed
// by section and value name (ident); an ident that is empty after trimming is
// ignored by the registry. Reads return the default for a missing value.
// Changes stay in memory until UpdateFile.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/config/MemIniFile.h"

class TIniStore {
 public:
  TIniStore() = default;
  virtual ~TIniStore() = default;
  TIniStore(const TIniStore&) = delete;
  TIniStore& operator=(const TIniStore&) = delete;

  virtual bool ReadOnly() const = 0;
  virtual void SetReadOnly(bool on) = 0;

  // Texts as stored, without unescaping.
  virtual std::string ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) = 0;
  virtual std::string ReadExpandString(const std::string& section, const std::string& ident,
                                       const std::string& def) = 0;
  virtual void WriteExpandString(const std::string& section, const std::string& ident,
                                 const std::string& value) = 0;
  // Multi-line texts with CR LF line breaks.
  virtual std::string ReadText(const std::string& section, const std::string& ident,
                               const std::string& def) = 0;
  virtual void WriteText(const std::string& section, const std::string& ident,
                         const std::string& text) = 0;

  virtual int32_t ReadInteger(const std::string& section, const std::string& ident,
                              int32_t def) = 0;
  virtual void WriteInteger(const std::string& section, const std::string& ident,
                            int32_t value) = 0;
  virtual uint32_t ReadDWord(const std::string& section, const std::string& ident,
                             uint32_t def) = 0;
  virtual void WriteDWord(const std::string& section, const std::string& ident,
                          uint32_t value) = 0;
  virtual int64_t ReadInt64(const std::string& section, const std::string& ident,
                            int64_t def) = 0;
  virtual void WriteInt64(const std::string& section, const std::string& ident,
                          int64_t value) = 0;
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool def) = 0;
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value) = 0;

  // Appends the stored bytes; returns their count, -1 when there is no value.
  virtual int64_t ReadStream(const std::string& section, const std::string& ident,
                             std::string& bytes) = 0;
  virtual void WriteStream(const std::string& section, const std::string& ident,
                           std::string_view bytes) = 0;

  virtual TStringList ReadSections() = 0;
  // Value names of one section.
  virtual TStringList ReadSection(const std::string& section) = 0;
  // "name=value" lines of one section.
  virtual TStringList ReadSectionValues(const std::string& section) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual bool SectionExists(const std::string& section) = 0;
  virtual bool ValueExists(const std::string& section, const std::string& ident) = 0;
  virtual void Clear() = 0;

  // The whole storage as INI text with its comments, and back.
  virtual TStringList GetStrings() = 0;
  virtual void SetStrings(const TStringList& lines) = 0;
  // Replaces one section by INI lines (values and comments).
  virtual void ReplaceSectionLines(const std::string& section, const TStringList& lines) = 0;

  // Writes the storage back; false when that failed (the old stored state is
  // then kept whole). A read-only storage writes nothing and succeeds.
  [[nodiscard]] virtual bool UpdateFile() = 0;
};
