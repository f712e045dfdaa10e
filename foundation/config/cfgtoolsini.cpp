#include "foundation/config/cfgtoolsini.h"

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/config/cfgexceptions.h"
#include "foundation/config/simplestrfunc.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace {

constexpr size_t kMaxFileBytes = 64u << 20;
constexpr std::string_view kLineBreak = "_:<br>:_";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Files from older versions of the program are windows-1250.
std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  return Utf8::IsValid(bytes) ? std::string(bytes) : platform::Windows1250ToUtf8(bytes);
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  size_t start = 0;
  for (size_t pos; (pos = s.find(from, start)) != std::string_view::npos; start = pos + from.size()) {
    out.append(s.substr(start, pos - start)).append(to);
  }
  return out.append(s.substr(start));
}

}  // namespace

bool LoadTextFileLines(const std::string& fileName, TStringList& lines) {
  std::string bytes;
  if (platform::ReadWholeFile(fileName, kMaxFileBytes, bytes) != platform::ReadResult::kOk) {
    return false;
  }
  lines = platform::SplitLines(DecodeTextFile(bytes));
  return true;
}

std::unique_ptr<TStreamIniFile> TStreamIniFile::FromFile(const std::string& fileName) {
  std::unique_ptr<TStreamIniFile> store(new TStreamIniFile);
  store->fileName_ = fileName;
  std::string bytes;
  const platform::ReadResult result = platform::ReadWholeFile(fileName, kMaxFileBytes, bytes);
  store->unreadable_ = result == platform::ReadResult::kFailed;
  store->SetStrings(platform::SplitLines(DecodeTextFile(bytes)));
  return store;
}

std::unique_ptr<TStreamIniFile> TStreamIniFile::FromStream(std::string& stream) {
  std::unique_ptr<TStreamIniFile> store(new TStreamIniFile);
  store->stream_ = &stream;
  store->SetStrings(platform::SplitLines(stream));
  return store;
}

std::unique_ptr<TStreamIniFile> TStreamIniFile::FromLines(TStringList& lines) {
  std::unique_ptr<TStreamIniFile> store(new TStreamIniFile);
  store->lines_ = &lines;
  store->SetStrings(lines);
  return store;
}

std::string TStreamIniFile::ReadString(const std::string& section, const std::string& ident,
                                       const std::string& def) {
  return ini_.ReadString(section, ident, def);
}

void TStreamIniFile::WriteString(const std::string& section, const std::string& ident,
                                 const std::string& value) {
  ini_.WriteString(section, ident, value);
}

std::string TStreamIniFile::ReadExpandString(const std::string& section, const std::string& ident,
                                             const std::string& def) {
  return ReadString(section, ident, def);
}

void TStreamIniFile::WriteExpandString(const std::string& section, const std::string& ident,
                                       const std::string& value) {
  WriteString(section, ident, value);
}

std::string TStreamIniFile::ReadText(const std::string& section, const std::string& ident,
                                     const std::string& def) {
  return ReplaceAll(ReadString(section, ident, def), kLineBreak, "\r\n");
}

void TStreamIniFile::WriteText(const std::string& section, const std::string& ident,
                               const std::string& text) {
  WriteString(section, ident, ReplaceAll(ReplaceAll(text, "\r", ""), "\n", kLineBreak));
}

int32_t TStreamIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                    int32_t def) {
  int32_t value = 0;
  return simplestrfunc::StrToIntOk(StrFunc::Trim(ReadString(section, ident, "")), value) ? value
                                                                                         : def;
}

void TStreamIniFile::WriteInteger(const std::string& section, const std::string& ident,
                                  int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

uint32_t TStreamIniFile::ReadDWord(const std::string& section, const std::string& ident,
                                   uint32_t def) {
  return static_cast<uint32_t>(ReadInteger(section, ident, static_cast<int32_t>(def)));
}

void TStreamIniFile::WriteDWord(const std::string& section, const std::string& ident,
                                uint32_t value) {
  WriteInteger(section, ident, static_cast<int32_t>(value));
}

int64_t TStreamIniFile::ReadInt64(const std::string& section, const std::string& ident,
                                  int64_t def) {
  int64_t value = 0;
  return simplestrfunc::StrToInt64Ok(StrFunc::Trim(ReadString(section, ident, "")), value)
             ? value
             : def;
}

void TStreamIniFile::WriteInt64(const std::string& section, const std::string& ident,
                                int64_t value) {
  WriteString(section, ident, std::to_string(value));
}

void TStreamIniFile::RequireSection(const std::string& section, const std::string& ident) const {
  if (!StrFunc::Trim(section).empty()) return;
  std::string source = ", src=StringList";
  if (stream_ != nullptr) source = ", src=Stream";
  if (lines_ == nullptr && stream_ == nullptr) source = ", fname=" + fileName_;
  throw EInvalidSection("No section specified; ident=" + ident + source);
}

bool TStreamIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
  RequireSection(section, ident);
  return simplestrfunc::TextToBool(ReadString(section, ident, def ? "True" : "False"));
}

void TStreamIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  RequireSection(section, ident);
  WriteString(section, ident, simplestrfunc::BoolToText(ReadString(section, ident, ""), value));
}

int64_t TStreamIniFile::ReadStream(const std::string& section, const std::string& ident,
                                   std::string& bytes) {
  if (!ini_.ValueExists(section, ident)) return -1;
  return static_cast<int64_t>(simplestrfunc::HexToStream(ReadString(section, ident, ""), bytes));
}

void TStreamIniFile::WriteStream(const std::string& section, const std::string& ident,
                                 std::string_view bytes) {
  WriteString(section, ident, simplestrfunc::StreamToHex(bytes));
}

TStringList TStreamIniFile::ReadSection(const std::string& section) {
  return ini_.ReadSection(section);
}

TStringList TStreamIniFile::ReadSectionValues(const std::string& section) {
  return ini_.ReadSectionValues(section);
}

void TStreamIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  ini_.DeleteKey(section, ident);
}

bool TStreamIniFile::ValueExists(const std::string& section, const std::string& ident) {
  return ini_.ValueExists(section, ident);
}

TStringList TStreamIniFile::GetStrings() {
  const TStringList plain = ini_.GetPlainStrings();
  return comments_ ? comments_->Apply(plain) : plain;
}

void TStreamIniFile::SetStrings(const TStringList& lines) {
  comments_.reset();
  if (!lines.empty()) {
    comments_.emplace(ini_);
    comments_->Load(lines);
  }
  ini_.SetCaseSensitive(comments_ && comments_->HasCaseClash());
  ini_.SetPlainStrings(lines);
}

void TStreamIniFile::ReplaceSectionLines(const std::string& rawSection, const TStringList& list) {
  const std::string section = StrFunc::Trim(rawSection);
  TStringList text = ini_.GetPlainStrings();
  size_t at = text.empty() ? 0 : text.size() - 1;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string& line = text[i];
    if (!IsHeader(line) || !ini_.SameName(StrFunc::Trim(std::string_view(line).substr(1, line.size() - 2)), section)) {
      continue;
    }
    size_t end = i + 1;
    while (end < text.size() && !IsHeader(text[end])) ++end;
    if (end == text.size()) --end;  // keep the text's final empty line
    text.erase(text.begin() + static_cast<std::ptrdiff_t>(i),
               text.begin() + static_cast<std::ptrdiff_t>(end));
    at = i;
    break;
  }
  TStringList inserted = {"", "[" + section + "]"};
  for (const std::string& line : list) {
    std::string trimmed = StrFunc::Trim(line);
    if (!trimmed.empty()) inserted.push_back(std::move(trimmed));
  }
  inserted.emplace_back();
  text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(), inserted.end());

  TCommentedCache added(ini_);
  added.Load(TStringList(inserted.begin() + 1, inserted.end()));
  if (comments_) {
    comments_->Merge(added);
  } else {
    comments_.emplace(std::move(added));
  }
  ini_.SetPlainStrings(text);
}

bool TStreamIniFile::UpdateFile() {
  if (readOnly_) return true;
  const TStringList lines = GetStrings();
  if (lines_ != nullptr) {
    *lines_ = lines;
    return true;
  }
  if (stream_ != nullptr) {
    *stream_ = platform::JoinLines(lines);
    return true;
  }
  return !unreadable_ && platform::ReplaceFile(fileName_, platform::JoinLines(lines));
}

std::string TStreamIniFile::GetComment(const std::string& section,
                                       const std::string& ident) const {
  return comments_ ? comments_->Comment(section, ident) : std::string();
}
