#include "gallery/generate/ProjectListPage.h"

#include <string_view>

#include "foundation/AppFolders.h"
#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryPages.h"
#include "gallery/generate/HtmlText.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "resources/Product.h"

namespace ProjectListPage {

namespace {

// A template larger than this is no page anyone wrote by hand.
constexpr size_t kMaxTemplateBytes = 4 * 1024 * 1024;
constexpr std::string_view kBodyEnd = "</BODY>";

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Where an ASCII word stands in line, in any case; npos when it does not.
size_t FindNoCase(std::string_view line, std::string_view word) {
  if (word.size() > line.size()) return std::string_view::npos;
  for (size_t i = 0; i + word.size() <= line.size(); ++i) {
    size_t k = 0;
    while (k < word.size() && AsciiUpper(line[i + k]) == word[k]) ++k;
    if (k == word.size()) return i;
  }
  return std::string_view::npos;
}

// The first line holding word, and where in it; false when none does.
bool FindLine(const std::vector<std::string>& lines, std::string_view word, size_t& line,
              size_t& at) {
  for (line = 0; line < lines.size(); ++line) {
    at = FindNoCase(lines[line], word);
    if (at != std::string_view::npos) return true;
  }
  return false;
}

void Append(std::vector<std::string>& out, const std::vector<std::string>& lines) {
  out.insert(out.end(), lines.begin(), lines.end());
}

// The table between "<p>" and "</p>" in place of the line's text from at on
// (skip characters of it dropped): the text before as a line when there is
// any, then the rest as a line.
void SplitAround(const std::string& line, size_t at, size_t skip,
                 const std::vector<std::string>& table, std::vector<std::string>& out) {
  if (at > 0) out.push_back(line.substr(0, at));
  out.push_back("<p>");
  Append(out, table);
  out.push_back("</p>");
  out.push_back(line.substr(at + skip));
}

// The character set a template declares ("charset=" in any case, the name
// after it); empty when it declares none.
std::string DeclaredCharset(std::string_view text) {
  constexpr std::string_view kCharset = "CHARSET=";
  const size_t at = FindNoCase(text, kCharset);
  if (at == std::string_view::npos) return {};
  size_t i = at + kCharset.size();
  while (i < text.size() && (text[i] == '"' || text[i] == '\'' || text[i] == ' ')) ++i;
  std::string name;
  for (; i < text.size() && name.size() < 40; ++i) {
    const char c = text[i];
    const bool part = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_' || c == '.' || c == ':';
    if (!part) break;
    name += c;
  }
  return name;
}

// The table's UTF-8 text in the template's character set; where that is
// none or unknown, in ASCII with a numeric reference for every other
// letter, which reads the same in any character set a page may declare.
std::string EncodeForTemplate(const std::string& table, const std::string& templateText) {
  std::string bytes;
  const std::string charset = DeclaredCharset(templateText);
  if (!charset.empty() && platform::EncodeWithReferences(table, charset, bytes)) return bytes;
  platform::EncodeWithReferences(table, "US-ASCII", bytes);
  return bytes;
}

// The template's text, or empty when there is none that can be read.
bool ReadTemplate(std::string& bytes) {
  for (const char* name : kTemplates) {
    const std::string path = AppFolders::FindUserFile(name);
    if (path.empty()) continue;
    return platform::ReadWholeFile(path, kMaxTemplateBytes, bytes) == platform::ReadResult::kOk;
  }
  return false;
}

}  // namespace

std::string PageTitle(int webLanguage) {
  return webLanguage == 1 ? "Seznam fotografií" : "Photo collections";
}

std::vector<std::string> TableLines(const TPage& page, bool headerColour) {
  const std::string title = PageTitle(page.WebLanguage);
  std::vector<std::string> lines = {
      "&nbsp;",
      "<center><table BORDER >",
      std::string("<tr ALIGN=CENTER VALIGN=CENTER") + (headerColour ? " BGCOLOR=\"#CCFFFF\"" : "") +
          ">",
      "<td><b><font face=\"Tahoma\"><font size=+1></font></font></b></td>",
      "",
      "<td><b><font face=\"Verdana\"><font size=+1>" + title + "</font></font></b></td>",
      "",
      "<td></td>",
      "</tr>",
      "",
  };
  for (const TEntry& entry : page.Entries) {
    Append(lines, {
                      "<tr>",
                      "<td><font face=\"Verdana\"><font size=-1><a href=\"" + entry.Link +
                          "/800x600/index.htm\">800x600</a></font></font></td>",
                      "",
                      "<td><b><font face=\"Verdana\"><font size=-1>" + HtmlText::Escape(entry.Title) +
                          "</font></font></b></td>",
                      "",
                      "<td><font face=\"Verdana\"><font size=-1><a href=\"" + entry.Link +
                          "/1024x768/index.htm\">1024x768</a></font></font></td>",
                      "</tr>",
                  });
  }
  Append(lines, {
                    "",
                    "</table></center>",
                    "",
                    "<center><br>",
                    "<font face=\"Verdana\"><font size=-1>Generated " + page.Date + " by <a href=\"" +
                        resources::kHomePage + "\">" + resources::kProductName +
                        "</a></font><font size=-2>v" + resources::kProductVersion +
                        "</font></font></center>",
                    "",
                    "<br><font face=\"Verdana\"><font size=-2></font></font>&nbsp;",
                });
  return lines;
}

std::vector<std::string> DefaultPageLines(const TPage& page) {
  std::vector<std::string> lines = {
      "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\">",
      "<html>",
      "<head>",
      std::string("   <meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
          GalleryPages::CharSetOf(page.CharCode) + "\">",
      std::string("   <meta name=\"GENERATOR\" content=\"") + resources::kProductName + "\">",
      "   <title>" + PageTitle(page.WebLanguage) + "</title>",
      "</head>",
      "<body>",
  };
  Append(lines, TableLines(page, true));
  Append(lines, {"</body>", "</html>", ""});
  return lines;
}

bool InsertTable(const std::vector<std::string>& templateLines,
                 const std::vector<std::string>& table, std::vector<std::string>& page) {
  size_t line = 0;
  size_t at = 0;
  size_t skip = 0;
  if (FindLine(templateLines, kMarker, line, at)) {
    skip = std::string_view(kMarker).size();
  } else if (!FindLine(templateLines, kBodyEnd, line, at)) {
    return false;
  }
  page.assign(templateLines.begin(), templateLines.begin() + static_cast<std::ptrdiff_t>(line));
  SplitAround(templateLines[line], at, skip, table, page);
  page.insert(page.end(), templateLines.begin() + static_cast<std::ptrdiff_t>(line) + 1,
              templateLines.end());
  return true;
}

std::string PageBytes(const TPage& page) {
  // The template's own bytes stay as they are; only the table is encoded.
  std::string text;
  std::vector<std::string> lines;
  if (ReadTemplate(text)) {
    const std::string table = EncodeForTemplate(platform::JoinLines(TableLines(page, false)), text);
    if (InsertTable(platform::SplitLines(text), platform::SplitLines(table), lines))
      return platform::JoinLines(lines);
  }
  std::string bytes;
  platform::EncodeWithReferences(platform::JoinLines(DefaultPageLines(page)),
                                 GalleryPages::CharSetOf(page.CharCode), bytes);
  return bytes;
}

std::string Write(bool toTemp, const TPage& page) {
  std::string target;
  if (toTemp) {
    const std::string temp = StrFunc::GetTempDir();
    if (!temp.empty()) target = temp + kUploadPage;
  } else {
    target = AppFolders::DataFile(kLocalPage);
  }
  if (target.empty() || !platform::ReplaceFile(target, PageBytes(page))) return {};
  return target;
}

std::string FileUrl(const std::string& folder) {
  return "file://" + HtmlText::UrlPath(StrFunc::ExpandPath(folder));
}

}  // namespace ProjectListPage
