// TConfig: the one settings object. A user creates it, opens one storage (an
// INI file, an INI text in a byte buffer, or a registry key), makes a section
// current, reads and writes typed values by name, and frees it; freeing
// writes the storage back when anything was written since the last
// UpdateFile.
//
// Every value operation needs an open storage (EInvalidSection "Zadny config
// neni otevren"), and on INI storage a current section (EInvalidSection "No
// section specified; ident=..."); a registry storage without a section reads
// and writes the opened key itself. Writes on a read-only object raise
// EReadOnlyWriting. Values that do not parse read as the default.
//
// String values are escaped the same way in both storages (see
// simplestrfunc::EscapeValue). Booleans read "ON", "TRUE", "ANO", "YES", "1"
// or a non-zero number as true and are written in the style already stored.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/DateTime.h"
#include "foundation/config/IniStore.h"
#include "foundation/config/cfgexceptions.h"
#include "foundation/config/cfgtoolsregister.h"
#include "platform/registry/winregcore.h"

class TConfig {
 public:
  enum StorageKind { kNone = 0, kIni = 1, kRegistry = 2 };

  // Runs appcore::CheckFormApplication with grace first.
  TConfig();
  // Writes back when modified (a failure is not reported here), then closes.
  virtual ~TConfig();
  TConfig(const TConfig&) = delete;
  TConfig& operator=(const TConfig&) = delete;

  // Each open closes what was open and ends with Reset. OpenFile raises
  // EInvalidData for a folder or a name beginning (or, from its third
  // character, continuing) with "SQL:".
  void OpenFile(const std::string& fileName);
  // The buffer must outlive the object; write-back replaces its contents.
  void OpenStream(std::string& stream);
  void OpenRegistry(winregcore::HKey root, const std::string& path);
  // The registry storage while one is open, else null.
  TRegisterIniFile* RegistryStore() const;
  // name "\x" is the path x from the root; a name not beginning with
  // "SOFTWARE\" gets the prefix "SOFTWARE\OSTREVAN\".
  void OpenRegistryDefault(bool localMachine, const std::string& name);
  void Close();

  // No section, not modified.
  void Reset();
  bool IsReadOnly() const;
  void SetReadOnly(bool on);
  StorageKind GetStorageKind() const;
  bool Modified() const { return modified_; }

  // " global " becomes "Global"; one "[" and one "]" around the name are
  // dropped. The section is kept as EncodeSectionName gives it.
  void SetSection(const std::string& name);
  // The current section through DecodeSectionName; empty while closed.
  std::string GetSection() const;

  // Hooks for a derived settings object that keeps its sections under other
  // names: EncodeSectionName maps a caller's section name to the stored one,
  // DecodeSectionName maps it back. A registry storage is given every
  // section, the current one and those named in calls, encoded; INI text
  // keeps the caller's names. Both keep the name unchanged here.
  virtual std::string EncodeSectionName(const std::string& name) const { return name; }
  virtual std::string DecodeSectionName(const std::string& name) const { return name; }
  // The version of this interface that derived objects can test for.
  virtual int GetApiLevel() const { return 1; }

  std::string ReadString(const std::string& ident, const std::string& def);
  void WriteString(const std::string& ident, const std::string& value);
  std::string ReadExpandString(const std::string& ident, const std::string& def);
  void WriteExpandString(const std::string& ident, const std::string& value);
  // Multi-line texts with CR LF line breaks.
  std::string ReadText(const std::string& ident, const std::string& def);
  void WriteText(const std::string& ident, const std::string& text);
  int32_t ReadInteger(const std::string& ident, int32_t def);
  void WriteInteger(const std::string& ident, int32_t value);
  uint32_t ReadDWord(const std::string& ident, uint32_t def);
  void WriteDWord(const std::string& ident, uint32_t value);
  uint32_t ReadCardinal(const std::string& ident, uint32_t def) { return ReadDWord(ident, def); }
  void WriteCardinal(const std::string& ident, uint32_t value) { WriteDWord(ident, value); }
  int64_t ReadInt64(const std::string& ident, int64_t def);
  void WriteInt64(const std::string& ident, int64_t value);
  // "." or "," as the decimal mark; def for a missing or unparsable value.
  double ReadFloat(const std::string& ident, double def);
  void WriteFloat(const std::string& ident, double value);
  bool ReadBool(const std::string& ident, bool def);
  void WriteBool(const std::string& ident, bool value);

  // Appends the stored bytes ("HEX:" text in INI); returns their count.
  int64_t ReadStream(const std::string& ident, std::string& bytes);
  void WriteStream(const std::string& ident, std::string_view bytes);
  // Copies at most count bytes and lowers count to the bytes stored; false
  // when the value is missing.
  bool ReadBuffer(const std::string& ident, void* buffer, uint16_t& count);
  void WriteBuffer(const std::string& ident, const void* buffer, uint16_t count);

  // Dates as "yyyy-mm-dd" (also read: "mm/dd/yyyy", "dd.mm.yyyy"), reduced to
  // the day; an invalid date is written as an empty text.
  TDateTime ReadDate(const std::string& ident, TDateTime def);
  void WriteDate(const std::string& ident, TDateTime value);
  void WriteTime(const std::string& ident, TDateTime value);
  int32_t ReadDayNum(const std::string& ident);
  void WriteDayNum(const std::string& ident, int32_t dayNum);
  // Seconds of the day as "hh:mm:ss"; 0 when missing or not exact.
  int32_t ReadSeconds(const std::string& ident);
  void WriteSeconds(const std::string& ident, int32_t seconds);
  // "yyyy-mm-dd hh:mm:ss".
  TDateTime ReadDateTime(const std::string& ident, TDateTime def);
  void WriteDateTime(const std::string& ident, TDateTime value);

  // "host:port"; host empty and port 0 for no usable host.
  void ReadHostPort(const std::string& ident, const std::string& def, int32_t& port,
                    std::string& host);
  void WriteHostPort(const std::string& ident, const std::string& host, int32_t port);

  // Enciphered values with a check: a damaged value reads as empty in
  // ReadSecureString; ReadEncrypted returns the stored text instead.
  std::string ReadEncrypted(const std::string& ident);
  void WriteEncrypted(const std::string& ident, const std::string& value);
  // Stored between "$@!" and "!#$". A plain stored text is returned as it is
  // and enciphered in the storage at once (unless the object is read-only).
  std::string ReadSecureString(const std::string& ident);
  void WriteSecureString(const std::string& ident, const std::string& value);

  TStringList ReadSections();
  TStringList ReadSection(const std::string& section);
  // ReadSection that gives an empty list, instead of raising, while no
  // storage is open.
  TStringList ReadSectionNoCheck(const std::string& section);
  TStringList ReadSectionValues(const std::string& section);
  TStringList ReadCurrentSectionValues();
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  void DeleteCurrentKey(const std::string& ident);
  bool SectionExists(const std::string& section);
  bool ValueExists(const std::string& section, const std::string& ident);
  bool KeyExists(const std::string& section, const std::string& ident);
  // Erase a section whose values are all empty; true when erased.
  bool EraseSectionIfEmpty(const std::string& section);
  bool EraseCurrentSectionIfEmpty();
  // Delete a value that is empty; true when deleted.
  bool DeleteKeyIfEmpty(const std::string& section, const std::string& ident);
  bool DeleteCurrentKeyIfEmpty(const std::string& ident);
  // Replace a section by INI lines (values and comments).
  void ReplaceSectionLines(const std::string& section, const TStringList& lines);
  void ReplaceCurrentSectionLines(const TStringList& lines);
  void ClearSectionLines(const std::string& section);
  void Clear();
  // The whole storage as INI text lines, and back.
  TStringList GetStrings();
  void SetStrings(const TStringList& lines);
  // Loads an INI text file into the storage; a missing file changes nothing.
  void ImportFile(const std::string& fileName);

  // Writes the storage back. False when that failed: the object then stays
  // modified, and the stored state is the old one.
  [[nodiscard]] bool UpdateFile();

  // The enciphered form of a value with its check, and back ("" when the
  // check fails).
  static std::string Encrypt(const std::string& value);
  static std::string Decrypt(const std::string& text);

 private:
  TIniStore& Store() const;
  TIniStore& Writable();
  // The current section of a value operation as the caller names it.
  std::string CurrentSection(const std::string& ident) const;
  // The same as the storage is given it.
  std::string ValueSection(const std::string& ident) const;
  // A caller's section name as the storage is given it.
  std::string StoreSection(const std::string& section) const;

  std::unique_ptr<TIniStore> store_;
  StorageKind kind_ = kNone;
  std::string section_;
  bool modified_ = false;
};
