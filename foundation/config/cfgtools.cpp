#include "foundation/config/cfgtools.h"

#include "foundation/DateFunc.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/appcore.h"
#include "foundation/config/cfgtoolsini.h"
#include "foundation/config/cfgtoolsreg.h"
#include "foundation/config/simplestrfunc.h"
#include "foundation/logger.h"
#include "platform/Environment.h"

namespace {

constexpr const char* kNotOpen = "Zadny config neni otevren";
constexpr const char* kUnsupported = "Unsupported INI storage: check compiled cfgtools.ini";
constexpr size_t kMaxSectionLength = 255;

bool IsSqlName(const std::string& name) {
  const std::string upper = StrFunc::UpperCaseCz(name);
  return upper.compare(0, 4, "SQL:") == 0 || (upper.size() >= 6 && upper.compare(2, 4, "SQL:") == 0);
}

// True when the text holds nothing but the given separator and blanks, as an
// invalid date or time formats.
bool OnlySeparators(const std::string& text, char separator) {
  return text.find_first_not_of(std::string(" ") + separator) == std::string::npos;
}

}  // namespace

// A settings object made before the windows are set up, long after the
// start, tells the developer that the set-up call is missing.
TConfig::TConfig() { appcore::CheckFormApplication(true, ""); }

TConfig::~TConfig() {
  // Nobody is left to tell of a failed save but the log, with the store's
  // folder when that is what could not be made.
  if (modified_ && store_ && !UpdateFile()) {
    std::string problem;
    if (kind_ == kRegistry && !platform::MakeOwnFolder(platform::RegistryDir(), problem))
      problem = "; " + problem;
    logger::LogMessage(logger::LOG_ERROR, "Cannot save the settings" + problem);
  }
  Close();
}

void TConfig::OpenFile(const std::string& fileName) {
  Close();
  if (IsSqlName(fileName) || DosFunc::DirectoryExistsLong(fileName)) {
    throw EInvalidData(kUnsupported);
  }
  store_ = TStreamIniFile::FromFile(fileName);
  kind_ = kIni;
  Reset();
}

void TConfig::OpenStream(std::string& stream) {
  Close();
  store_ = TStreamIniFile::FromStream(stream);
  kind_ = kIni;
  Reset();
}

void TConfig::OpenRegistry(winregcore::HKey root, const std::string& path) {
  Close();
  store_ = std::make_unique<TRegisterIniFile>(root, path, this);
  kind_ = kRegistry;
  Reset();
}

TRegisterIniFile* TConfig::RegistryStore() const {
  return kind_ == kRegistry ? static_cast<TRegisterIniFile*>(store_.get()) : nullptr;
}

void TConfig::OpenRegistryDefault(bool localMachine, const std::string& rawName) {
  std::string name = StrFunc::Trim(rawName);
  if (!name.empty() && name[0] == '\\') {
    name.erase(0, 1);
  } else if (StrFunc::UpperCaseCz(name.substr(0, 9)) != "SOFTWARE\\") {
    name = "SOFTWARE\\OSTREVAN\\" + name;
  }
  OpenRegistry(localMachine ? winregcore::HKey::LocalMachine : winregcore::HKey::CurrentUser, name);
}

void TConfig::Close() {
  store_.reset();
  kind_ = kNone;
  Reset();
}

void TConfig::Reset() {
  section_.clear();
  modified_ = false;
}

TIniStore& TConfig::Store() const {
  if (!store_) throw EInvalidSection(kNotOpen);
  return *store_;
}

TIniStore& TConfig::Writable() {
  TIniStore& store = Store();
  if (store.ReadOnly()) throw EReadOnlyWriting("Writing field to ReadOnly TConfig object");
  modified_ = true;
  return store;
}

std::string TConfig::CurrentSection(const std::string& ident) const {
  Store();
  const std::string section = StrFunc::Trim(GetSection());
  if (section.empty() && kind_ == kIni) {
    throw EInvalidSection(ident.empty() ? "No section specified"
                                        : "No section specified; ident=" + ident);
  }
  return section;
}

std::string TConfig::ValueSection(const std::string& ident) const {
  return StoreSection(CurrentSection(ident));
}

std::string TConfig::StoreSection(const std::string& section) const {
  return kind_ == kRegistry ? EncodeSectionName(section) : section;
}

bool TConfig::IsReadOnly() const { return Store().ReadOnly(); }
void TConfig::SetReadOnly(bool on) { Store().SetReadOnly(on); }
TConfig::StorageKind TConfig::GetStorageKind() const { return kind_; }

void TConfig::SetSection(const std::string& rawName) {
  std::string name = StrFunc::Trim(rawName);
  if (StrFunc::UpperCaseCz(name) == "GLOBAL") name = "Global";
  if (!name.empty() && name.front() == '[') name.erase(0, 1);
  if (!name.empty() && name.back() == ']') name.pop_back();
  section_ = Utf8::Left(EncodeSectionName(StrFunc::Trim(name)), kMaxSectionLength);
}

std::string TConfig::GetSection() const {
  return kind_ == kNone ? std::string() : DecodeSectionName(section_);
}

// --- Texts and numbers ---------------------------------------------------------

std::string TConfig::ReadString(const std::string& ident, const std::string& def) {
  const std::string section = ValueSection(ident);
  return simplestrfunc::UnescapeValue(Store().ReadString(section, ident, def));
}

void TConfig::WriteString(const std::string& ident, const std::string& value) {
  const std::string section = ValueSection(ident);
  Writable().WriteString(section, ident, simplestrfunc::EscapeValue(value));
}

std::string TConfig::ReadExpandString(const std::string& ident, const std::string& def) {
  const std::string section = ValueSection(ident);
  return simplestrfunc::UnescapeValue(Store().ReadExpandString(section, ident, def));
}

void TConfig::WriteExpandString(const std::string& ident, const std::string& value) {
  const std::string section = ValueSection(ident);
  Writable().WriteExpandString(section, ident, simplestrfunc::EscapeValue(value));
}

std::string TConfig::ReadText(const std::string& ident, const std::string& def) {
  const std::string section = ValueSection(ident);
  return Store().ReadText(section, ident, def);
}

void TConfig::WriteText(const std::string& ident, const std::string& text) {
  const std::string section = ValueSection(ident);
  Writable().WriteText(section, ident, text);
}

int32_t TConfig::ReadInteger(const std::string& ident, int32_t def) {
  const std::string section = ValueSection(ident);
  return Store().ReadInteger(section, ident, def);
}

void TConfig::WriteInteger(const std::string& ident, int32_t value) {
  const std::string section = ValueSection(ident);
  Writable().WriteInteger(section, ident, value);
}

uint32_t TConfig::ReadDWord(const std::string& ident, uint32_t def) {
  const std::string section = ValueSection(ident);
  return Store().ReadDWord(section, ident, def);
}

void TConfig::WriteDWord(const std::string& ident, uint32_t value) {
  const std::string section = ValueSection(ident);
  Writable().WriteDWord(section, ident, value);
}

int64_t TConfig::ReadInt64(const std::string& ident, int64_t def) {
  const std::string section = ValueSection(ident);
  return Store().ReadInt64(section, ident, def);
}

void TConfig::WriteInt64(const std::string& ident, int64_t value) {
  const std::string section = ValueSection(ident);
  Writable().WriteInt64(section, ident, value);
}

double TConfig::ReadFloat(const std::string& ident, double def) {
  const std::string section = ValueSection(ident);
  const std::string text = StrFunc::Trim(Store().ReadString(section, ident, ""));
  int64_t whole = 0;
  double value = 0;
  if (simplestrfunc::ParseFloat(text, whole, value)) return static_cast<double>(whole);
  return value == 0 ? def : value;
}

void TConfig::WriteFloat(const std::string& ident, double value) {
  const std::string section = ValueSection(ident);
  Writable().WriteString(section, ident, simplestrfunc::FloatToText(value));
}

bool TConfig::ReadBool(const std::string& ident, bool def) {
  const std::string section = ValueSection(ident);
  return Store().ReadBool(section, ident, def);
}

void TConfig::WriteBool(const std::string& ident, bool value) {
  const std::string section = ValueSection(ident);
  Writable().WriteBool(section, ident, value);
}

// --- Bytes ---------------------------------------------------------------------

int64_t TConfig::ReadStream(const std::string& ident, std::string& bytes) {
  const std::string section = ValueSection(ident);
  return std::max<int64_t>(Store().ReadStream(section, ident, bytes), 0);
}

void TConfig::WriteStream(const std::string& ident, std::string_view bytes) {
  const std::string section = ValueSection(ident);
  Writable().WriteStream(section, ident, bytes);
}

bool TConfig::ReadBuffer(const std::string& ident, void* buffer, uint16_t& count) {
  const std::string section = ValueSection(ident);
  std::string bytes;
  if (Store().ReadStream(section, ident, bytes) < 0) return false;
  if (bytes.size() < count) count = static_cast<uint16_t>(bytes.size());
  std::copy(bytes.begin(), bytes.begin() + count, static_cast<char*>(buffer));
  return true;
}

void TConfig::WriteBuffer(const std::string& ident, const void* buffer, uint16_t count) {
  WriteStream(ident, std::string_view(static_cast<const char*>(buffer), count));
}

// --- Dates and times -----------------------------------------------------------

TDateTime TConfig::ReadDate(const std::string& ident, TDateTime def) {
  std::string text = StrFunc::Trim(ReadString(ident, ""));
  text = text.substr(0, text.find(' '));
  if (text.empty()) return def;
  int32_t day = DateFunc::StrToDayNumStrict("yyyy-mm-dd", text);
  if (day < 0) day = DateFunc::StrToDayNumStrict("mm/dd/yyyy", text);
  if (day < 0) day = DateFunc::StrToDayNumAuto(text);
  if (day < 0) day = DateFunc::DateTimeToDayNum(def);
  return DateFunc::DayNumSecondsToDateTime(day, 0);
}

void TConfig::WriteDate(const std::string& ident, TDateTime value) {
  const std::string text = DateFunc::FormatDateOfDateTime("yyyy-mm-dd", value);
  WriteString(ident, OnlySeparators(text, '-') ? std::string() : text);
}

void TConfig::WriteTime(const std::string& ident, TDateTime value) {
  const std::string text = DateFunc::FormatTimeOfDateTime("hh:mm:ss", value);
  WriteString(ident, OnlySeparators(text, ':') ? std::string() : text);
}

int32_t TConfig::ReadDayNum(const std::string& ident) {
  return DateFunc::DateTimeToDayNum(ReadDate(ident, DateFunc::DayNumSecondsToDateTime(0, 0)));
}

void TConfig::WriteDayNum(const std::string& ident, int32_t dayNum) {
  WriteDate(ident, DateFunc::DayNumSecondsToDateTime(dayNum, 0));
}

int32_t TConfig::ReadSeconds(const std::string& ident) {
  const std::string text = ReadString(ident, "");
  if (text.empty()) return 0;
  const int32_t seconds = DateFunc::StrToSecondsStrict("hh:mm:ss", text);
  return seconds < 0 ? 0 : seconds;
}

void TConfig::WriteSeconds(const std::string& ident, int32_t seconds) {
  const std::string text = DateFunc::FormatSeconds("hh:mm:ss", seconds);
  WriteString(ident, OnlySeparators(text, ':') ? std::string() : text);
}

TDateTime TConfig::ReadDateTime(const std::string& ident, TDateTime def) {
  const std::string section = ValueSection(ident);
  const std::string text =
      Store().ReadString(section, ident, DateFunc::FormatDateTimeISO(def));
  const TDateTime value = DateFunc::StrToDateTimeS(StrFunc::Trim(text));
  return value == 0 ? def : value;
}

void TConfig::WriteDateTime(const std::string& ident, TDateTime value) {
  const std::string section = ValueSection(ident);
  Writable().WriteString(section, ident, DateFunc::FormatDateTimeISO(value));
}

// --- Host and port -------------------------------------------------------------

void TConfig::ReadHostPort(const std::string& ident, const std::string& def, int32_t& port,
                           std::string& host) {
  const std::string text = ReadString(ident, def);
  port = 0;
  const size_t colon = text.find(':');
  host = StrFunc::Trim(text.substr(0, colon));
  if (colon != std::string::npos &&
      !simplestrfunc::StrToIntOk(StrFunc::Trim(text.substr(colon + 1)), port)) {
    port = 0;
  }
  if (text.empty() || host.empty() || host == "0" || host == "0.0.0.0") {
    host.clear();
    port = 0;
  }
}

void TConfig::WriteHostPort(const std::string& ident, const std::string& host, int32_t port) {
  const bool usable = !host.empty() && host != "0" && host != "0.0.0.0" && port != 0;
  WriteString(ident, usable ? host + ":" + std::to_string(port) : std::string());
}

// --- Sections ------------------------------------------------------------------

TStringList TConfig::ReadSections() {
  TStringList sections = Store().ReadSections();
  if (kind_ == kRegistry) {
    for (std::string& name : sections) name = DecodeSectionName(name);
  }
  return sections;
}

TStringList TConfig::ReadSection(const std::string& section) {
  return Store().ReadSection(StoreSection(section));
}

TStringList TConfig::ReadSectionNoCheck(const std::string& section) {
  return store_ ? ReadSection(section) : TStringList();
}

TStringList TConfig::ReadSectionValues(const std::string& section) {
  return Store().ReadSectionValues(StoreSection(section));
}

TStringList TConfig::ReadCurrentSectionValues() {
  return ReadSectionValues(CurrentSection(std::string()));
}

void TConfig::EraseSection(const std::string& section) {
  Writable().EraseSection(StoreSection(section));
}

void TConfig::DeleteKey(const std::string& section, const std::string& ident) {
  Writable().DeleteKey(StoreSection(section), ident);
}

void TConfig::DeleteCurrentKey(const std::string& ident) {
  DeleteKey(CurrentSection(ident), ident);
}

bool TConfig::SectionExists(const std::string& section) {
  return Store().SectionExists(StoreSection(section));
}

bool TConfig::ValueExists(const std::string& section, const std::string& ident) {
  return Store().ValueExists(StoreSection(section), ident);
}

bool TConfig::KeyExists(const std::string& section, const std::string& ident) {
  return SectionExists(section) && ValueExists(section, ident);
}

bool TConfig::EraseSectionIfEmpty(const std::string& section) {
  if (!SectionExists(section)) return false;
  const std::string previous = section_;
  SetSection(section);
  bool empty = true;
  for (const std::string& line : ReadCurrentSectionValues()) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos && !StrFunc::Trim(line.substr(eq + 1)).empty()) empty = false;
  }
  if (empty) EraseSection(section);
  section_ = previous;
  return empty;
}

bool TConfig::EraseCurrentSectionIfEmpty() { return EraseSectionIfEmpty(CurrentSection("")); }

bool TConfig::DeleteKeyIfEmpty(const std::string& section, const std::string& ident) {
  if (!KeyExists(section, ident)) return false;
  const std::string previous = section_;
  SetSection(section);
  const bool empty = StrFunc::Trim(ReadString(ident, "")).empty();
  if (empty) DeleteKey(section, ident);
  section_ = previous;
  return empty;
}

bool TConfig::DeleteCurrentKeyIfEmpty(const std::string& ident) {
  return DeleteKeyIfEmpty(CurrentSection(ident), ident);
}

void TConfig::ReplaceSectionLines(const std::string& section, const TStringList& lines) {
  Writable().ReplaceSectionLines(StoreSection(section), lines);
}

void TConfig::ReplaceCurrentSectionLines(const TStringList& lines) {
  ReplaceSectionLines(CurrentSection(""), lines);
}

void TConfig::ClearSectionLines(const std::string& section) {
  if (SectionExists(section)) ReplaceSectionLines(section, {});
}

void TConfig::Clear() { Writable().Clear(); }
TStringList TConfig::GetStrings() { return Store().GetStrings(); }
void TConfig::SetStrings(const TStringList& lines) { Writable().SetStrings(lines); }

void TConfig::ImportFile(const std::string& fileName) {
  TStringList lines;
  if (LoadTextFileLines(fileName, lines)) SetStrings(lines);
}

bool TConfig::UpdateFile() {
  if (!Store().UpdateFile()) return false;
  modified_ = false;
  return true;
}
