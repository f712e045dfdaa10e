// The registry store's INI text import and export: the whole key, or one
// section, as INI lines with their comments.
#include "foundation/config/cfgtoolsreg.h"

#include <memory>

#include "foundation/StrFunc.h"
#include "foundation/config/cfgtoolsini.h"
#include "foundation/config/simplestrfunc.h"

TStringList TRegIniFile::GetStrings() {
  TStringList out;
  const auto addComment = [&out](const std::string& text) {
    if (text.empty()) return;
    for (const std::string& line : CommentLines(text)) out.push_back("; " + line);
  };
  addComment(Comment("", ""));
  for (const std::string& section : ReadSections()) {
    const TStringList values = ReadSectionValues(section);
    if (values.empty()) continue;
    out.push_back("[" + section + "]");
    addComment(Comment(section, ""));
    for (const std::string& line : values) {
      addComment(Comment(section, line.substr(0, line.find('='))));
      out.push_back(line);
    }
    out.emplace_back();
  }
  return out;
}

void TRegIniFile::ImportValue(const std::string& section, const std::string& ident,
                              const std::string& raw) {
  const std::string text = StrFunc::Trim(raw);
  int64_t number = 0;
  if (simplestrfunc::StrToInt64Ok(text, number)) {
    if (std::to_string(number) != text) {
      WriteString(section, ident, raw);  // "0123" must read back as written
    } else if (number >= 0 && number <= 4294967294LL) {
      WriteDWord(section, ident, static_cast<uint32_t>(number));
    } else {
      WriteInt64(section, ident, number);
    }
    return;
  }
  const bool hexOnly = !text.empty() && text.size() % 2 == 0 &&
                       text.find_first_not_of("0123456789ABCDEF") == std::string::npos &&
                       text.find_first_of("0123456789") != std::string::npos;
  if (hexOnly) {
    std::string bytes;
    simplestrfunc::HexToStream(text, bytes);
    WriteStream(section, ident, bytes);
    return;
  }
  WriteString(section, ident, raw);
}

void TRegIniFile::SetStrings(const TStringList& lines) {
  Clear();
  TStringList copy = lines;
  const std::unique_ptr<TStreamIniFile> ini = TStreamIniFile::FromLines(copy);
  SetComment("", "", ini->GetComment("", ""));
  for (const std::string& section : ini->ReadSections()) {
    SetComment(section, "", ini->GetComment(section, ""));
    for (const std::string& ident : ini->ReadSection(section)) {
      SetComment(section, ident, ini->GetComment(section, ident));
      ImportValue(section, ident, ini->ReadString(section, ident, ""));
    }
  }
}

void TRegIniFile::ReplaceSectionLines(const std::string& rawSection, const TStringList& lines) {
  const std::string section = StrFunc::Trim(rawSection);
  const std::string kept = Comment(section, "");
  EraseSection(section);
  TStringList text = {"[" + section + "]"};
  text.insert(text.end(), lines.begin(), lines.end());
  const std::unique_ptr<TStreamIniFile> ini = TStreamIniFile::FromLines(text);
  const TStringList idents = ini->ReadSection(section);
  if (idents.empty()) return;
  SetComment(section, "", kept);
  for (const std::string& ident : idents) {
    SetComment(section, ident, ini->GetComment(section, ident));
    ImportValue(section, ident, ini->ReadString(section, ident, ""));
  }
}
