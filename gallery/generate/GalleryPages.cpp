#include "gallery/generate/GalleryPages.h"

#include <algorithm>

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/HtmlText.h"
#include "gallery/generate/PageFile.h"
#include "metadata/ConvertJPeg.h"
#include "metadata/exif.h"
#include "platform/FileSystem.h"
#include "platform/TextLines.h"
#include "resources/Product.h"

namespace GalleryPages {

namespace {

using HtmlText::Escape;
using HtmlText::UrlPath;
using Lines = std::vector<std::string>;

constexpr TScreen kScreens[] = {
    {kSize800, GalleryLayout::k800Folder, 7, 400, 533},
    {kSize1024, GalleryLayout::k1024Folder, 9, 425, 566},
};

constexpr const char* kFont = "<font face=\"Verdana\">";
// L, the small font of every label and value.
constexpr const char* kSmall = "<font face=\"Verdana\"><font size=-3>";
constexpr const char* kEndSmall = "</font></font>";

// The summary labels of the photo pages.
struct TLabels {
  const char* Date;
  const char* Time;
  const char* Exposure;
  const char* Flash;
  const char* FocalLength;
  const char* SubjectDistance;
  const char* PixelHeight;
  const char* PixelWidth;
};
constexpr TLabels kEnglish = {"Date",  "Time",          "Exposure",         "Flash",
                              "Focal Length", "Subject Distance", "Orig. Height", "Orig. Width"};
constexpr TLabels kCzech = {"Datum", "Čas", "Expozice", "Blesk", "Ohnisk. vzdál.",
                            "Vzdálenost objektu", "Orig. výška", "Orig. šířka"};

const char* Pick(bool czech, const char* cz, const char* en) { return czech ? cz : en; }

std::string Lower(const std::string& text) { return StrFunc::LowerCaseCz(text); }

// The film image of the strip's edges, capacity times on one line.
std::string FilmRow(int capacity) {
  std::string row;
  for (int i = 0; i < capacity; ++i)
    row += "<img src=\"../ico/film.jpg\" border=0 width=\"104\" height=\"15\">";
  return row;
}

std::string Arrow(const std::string& photo, const char* image) {
  if (photo.empty()) return "<img SRC=\"../ico/white31.gif\" border=0 height=31 width=31>";
  return "<a href=\"" + UrlPath(GalleryLayout::PhotoPageName(photo)) + "\">" + "<img SRC=\"../ico/" +
         image + "\" border=0 height=31 width=31>" + "</a>";
}

void AddRow(Lines& lines, const std::string& label, const std::string& value) {
  lines.insert(lines.end(), {"<tr>", "<td>" + std::string(kSmall) + Escape(label) + kEndSmall + "</td>", "",
                             "<td>" + std::string(kSmall) + Escape(value) + kEndSmall + "</td>", "</tr>", ""});
}

// The comment's lines: the reader's comment, trimmed; none when empty.
Lines CommentLines(const TExifReader& reader) {
  return platform::SplitLines(StrFunc::Trim(reader.GetUserComment()));
}

// The lines each followed by "<br>", escaped, as one line.
std::string BrokenLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += Escape(line) + "<br>";
  return text;
}

std::string Footer(const char* font) {
  return std::string(font) + "Generated " + PageFile::kDateMark + " by <a href=\"" +
         resources::kHomePage + "\">" + resources::kProductName + "</a>";
}

void AddSummary(Lines& lines, const TExifReader& reader, const TScreen& screen, const TPageState& state) {
  const TLabels& labels = state.Czech ? kCzech : kEnglish;
  const TDateTime date = reader.GetPictureDate();
  // A photo without a date shows none, never the reader's null date.
  if (!exif::IsNullDate(date)) {
    AddRow(lines, std::string(labels.Date) + ":", DateFunc::FormatDate(state.DatePattern, date));
    AddRow(lines, std::string(labels.Time) + ":", DateFunc::FormatTime(state.TimePattern, date));
  }
  const bool large = screen.Size != kSize800;
  const struct {
    uint16_t tag;
    const char* label;
    bool onlyLarge;
  } rows[] = {
      {exif::photo::kIsoSpeed, "ISO", false},
      {exif::photo::kExposureTime, labels.Exposure, false},
      {exif::photo::kFlash, labels.Flash, false},
      {exif::photo::kFNumber, "F-Number", true},
      {exif::photo::kFocalLength, labels.FocalLength, false},
      {exif::photo::kSubjectDistance, labels.SubjectDistance, false},
      {exif::photo::kPixelXDimension, labels.PixelWidth, true},
      {exif::photo::kPixelYDimension, labels.PixelHeight, true},
  };
  for (const auto& row : rows) {
    if (row.onlyLarge && !large) continue;
    const std::string text = reader.GetTagText(exif::kExifIfd, row.tag);
    if (!text.empty()) AddRow(lines, row.label, text);
  }
}

// The key of a date tag whose date is empty: the reader shows the null date
// for it, a date the photo never had.
bool IsEmptyDate(const TExifReader& reader, const std::string& key) {
  const TExifValues& v = reader.Values();
  const std::pair<std::string, TDateTime> dates[] = {
      {exif::MakeKey(exif::kExifIfd, exif::photo::kDateTimeDigitized), v.dateTimeDigitized},
      {exif::MakeKey(exif::kExifIfd, exif::photo::kDateTimeOriginal), v.dateTimeOriginal},
      {exif::MakeKey(exif::kIfd0, exif::tiff::kDateTime), v.dateTime}};
  for (const auto& [dateKey, value] : dates)
    if (key == dateKey) return exif::IsNullDate(value);
  return false;
}

void AddTagRows(Lines& lines, const TExifReader& reader, const TExifRows& rows) {
  const size_t count = std::min(rows.names.size(), rows.texts.size());
  for (size_t i = 0; i < count; ++i) {
    if (rows.names[i].compare(0, 2, "0x") == 0) continue;
    if (i < rows.keys.size() && IsEmptyDate(reader, rows.keys[i])) continue;
    lines.insert(lines.end(),
                 {"        <tr>",
                  "          <td valign=\"top\"><small>" + std::string(kSmall) + Escape(rows.names[i]) +
                      kEndSmall + "</small><br>",
                  "          </td>",
                  "          <td valign=\"top\"><small>" + std::string(kSmall) + Escape(rows.texts[i]) +
                      kEndSmall + "</small><br>",
                  "          </td>", "        </tr>"});
  }
}

bool Write(const TPageState& state, const std::string& path, const Lines& lines) {
  return PageFile::Write(path, platform::JoinLines(lines), state.CharSet, state.Today) !=
         PageFile::TWriteResult::kFailed;
}

std::string HeadLine(const TPageState& state, const char* bodyStart) {
  return "<html><head><title>" + Escape(state.Title) + "</title>" +
         "<meta http-equiv=\"content-type\" content=\"text/html; charset=" + state.CharSet + "\">" +
         "</head>" + bodyStart;
}

}  // namespace

const TScreen& ScreenOf(int size) { return kScreens[IndexOf(size)]; }

int IndexOf(int size) { return size == kSize800 ? 0 : 1; }

void DisplaySize(const TScreen& screen, int& width, int& height) {
  ConvertJPeg::FitWithin(width, height, screen.BoxWidth, screen.BoxHeight);
}

std::string CharSetOf(int charCode) {
  switch (charCode) {
    case 0: return "ISO-8859-1";
    case 1: return "ISO-8859-2";
    default: return "windows-1250";
  }
}

std::string ConvertLineBreaks(const std::string& text, int mode) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if (mode == kBreaksToHtml && crlf) {
      out += "<br>";
      ++i;
    } else if (mode == kBreaksToMarker && crlf) {
      out += kMarker;
      ++i;
    } else if (mode == kMarkerToBreaks && text[i] == kMarker) {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string WritePrevArrow(const TPageState& state) { return Arrow(state.Previous, "left2.gif"); }

std::string WriteNextArrow(const TPageState& state) { return Arrow(state.Next, "right2.gif"); }

std::vector<std::string> FramesetLines(const TPageState& state, int size) {
  const int index = IndexOf(size);
  return {"<HTML>",
          "<HEAD>",
          "   <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" + state.CharSet + "\">",
          "   <TITLE>" + Escape(state.Title) + "</TITLE>",
          "<FRAMESET ROWS=\"120,*\" border=\"0\" bordercolor=\"#ffffff\" frameborder=\"no\">",
          "<FRAME NAME=\"topframe\" SRC=\"" + UrlPath(Lower(state.FirstStripPage[index])) +
              "\" SCROLLING=\"NO\" MARGINWIDTH=0 NORESIZE>",
          "<FRAME NAME=\"main\" SRC=\"" + UrlPath(Lower(state.FirstPhotoPage)) + "\" SCROLLING=\"AUTO\">",
          "</FRAMESET>",
          "</HEAD>",
          "<BODY>",
          "Frame support required!",
          "</BODY>",
          "</HTML>"};
}

std::vector<std::string> FilmStripLines(const TPageState& state, int size,
                                        const std::vector<std::string>& names,
                                        const std::vector<std::string>& comments, bool isLast) {
  const TScreen& screen = ScreenOf(size);
  const int n = state.PageCounter[IndexOf(size)];
  const bool last = isLast || static_cast<int>(names.size()) < screen.Capacity;
  Lines lines = {"<html><head><title>" + Escape(state.Title) + "</title>",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + state.CharSet + "\">",
                 "</head><body><center>",
                 "<table cols=\"1\" width=\"100%\" background=\"../ico/bkgr.gif\">",
                 "<tbody><tr><td valign=\"middle\"><center>",
                 FilmRow(screen.Capacity),
                 "</center><center>",
                 ""};
  if (n <= 1) {
    lines.push_back("<img src=\"../ico/bkgr.gif\" border=0 width=\"20\" height=\"20\">");
  } else {
    lines.push_back("<a href=\"" + GalleryLayout::PageFileName(n - 1) + "\">");
    lines.push_back("<img src=\"../ico/left.gif\" alt=\"\" border=0 width=\"20\" height=\"20\"></a>");
  }
  for (size_t k = 0; k < static_cast<size_t>(screen.Capacity); ++k) {
    if (k >= names.size()) {
      lines.push_back("<img src=\"../ico/bkgr.gif\" border=0 height=\"75\" width=\"100\">");
      continue;
    }
    const std::string comment =
        k < comments.size() && comments[k] != std::string(1, kMarker)
            ? ConvertLineBreaks(comments[k], kMarkerToBreaks)
            : std::string();
    lines.push_back("<a href=\"" + UrlPath(GalleryLayout::PhotoPageName(names[k])) + "\" target=\"main\">" +
                    "<img src=\"../th/" + UrlPath(GalleryLayout::ThumbnailName(names[k])) +
                    "\" border=0 height=\"75\" width=\"100\" " +
                    (comment.empty() ? "" : "alt=\"" + Escape(comment) + "\"") + "></a>");
  }
  if (last) {
    lines.push_back("<img src=\"../ico/bkgr.gif\" border=0 width=\"20\" height=\"20\">");
  } else {
    lines.push_back("<a href=\"" + GalleryLayout::PageFileName(n + 1) + "\">" +
                    "<img src=\"../ico/right.gif\" alt=\"\" border=0 width=\"20\" height=\"20\"></a>");
  }
  lines.insert(lines.end(), {"", "<br></center><div align=\"center\">", "",
                             FilmRow(screen.Capacity) +
                                 "<br></div><center></center></td></tr></tbody></table></center>",
                             "</body></html>"});
  return lines;
}

bool WriteFrameset(const TPageState& state, int size, const std::string& path) {
  return Write(state, path, FramesetLines(state, size));
}

bool WriteFilmStripPage(TPageState& state, int size, const std::string& path,
                        const std::vector<std::string>& names,
                        const std::vector<std::string>& comments, bool isLast) {
  const int index = IndexOf(size);
  if (state.PageCounter[index] == 1) state.FirstStripPage[index] = Lower(StrFunc::ExtractName(path));
  return Write(state, path, FilmStripLines(state, size, names, comments, isLast));
}

bool WritePhotoPage(const TPageState& state, int size, const std::string& path,
                    const std::string& name, int photoWidth, int photoHeight) {
  static const TExifReader kNoExif;
  const TExifReader& reader = state.Reader != nullptr ? *state.Reader : kNoExif;
  const TScreen& screen = ScreenOf(size);
  const bool large = size != kSize800;
  const Lines comment = CommentLines(reader);
  Lines lines = {HeadLine(state, "<body>"),
                 "<table BORDER=0 CELLSPACING=2 CELLPADDING=2 WIDTH=\"100%\" >",
                 "<tr>",
                 "<td VALIGN=TOP>",
                 WritePrevArrow(state),
                 "&nbsp;&nbsp;",
                 WriteNextArrow(state),
                 "<table WIDTH=\"100%\" >",
                 "<tr>",
                 "<td><tt><font color=\"#FFFFFF\">_______________________</font></tt>"};
  std::string camera = reader.GetTagText(exif::kIfd0, exif::tiff::kImageDescription);
  if (camera.empty()) camera = reader.GetTagText(exif::kIfd0, exif::tiff::kMake);
  for (const std::string& text : {camera, reader.GetTagText(exif::kIfd0, exif::tiff::kModel)}) {
    if (!text.empty()) lines.push_back("<br><b>" + std::string(kSmall) + Escape(text) + kEndSmall + "</b>");
  }
  lines.insert(lines.end(), {"<br>&nbsp;", "<table>"});
  AddSummary(lines, reader, screen, state);
  lines.insert(lines.end(), {"<tr>", "<td>" + std::string(kSmall)});

  std::string line;
  const std::string exifPage = WriteExifDetailPage(state, path);
  if (!exifPage.empty()) {
    line = "<a href=\"../exif/" + UrlPath(Lower(StrFunc::ExtractName(exifPage))) +
           "\" target=\"exifinfo\">EXIF Detail</a>";
  }
  if (!large && !comment.empty()) {
    lines.push_back(line + "<br><br>");
    lines.insert(lines.end(), {"<table cellpadding=\"2\" cellspacing=\"2\" border=\"1\" width=\"100%\">",
                               "  <tbody>", "    <tr>", "      <td valign=\"top\"><small>" + std::string(kSmall),
                               BrokenLines(comment), "      </font></small></td>", "    </tr>", "  </tbody>",
                               "</table>"});
    line.clear();
  }
  lines.push_back(line + kEndSmall + "</td>");

  const int page = state.PageCounter[IndexOf(size)] + 1;
  int shownWidth = photoWidth, shownHeight = photoHeight;
  DisplaySize(screen, shownWidth, shownHeight);
  lines.insert(lines.end(),
               {"", "<td>" + std::string(kSmall) + kEndSmall + "</td>", "</tr>", "</table>",
                std::string(kSmall) + kEndSmall + "</td>", "</tr>", "</table>", "", "<p>&nbsp;</td>", "",
                "<td ALIGN=CENTER VALIGN=TOP>" + std::string("<a href=\"") + GalleryLayout::PageFileName(page) +
                    "\" target=\"topframe\">" + "<img SRC=\"../foto/" +
                    UrlPath(GalleryLayout::SitePhotoName(name)) + "\" border=0 " +
                    "height=" + std::to_string(shownHeight) + " width=" + std::to_string(shownWidth) + "></a>",
                "<center>",
                Footer(large ? "<font face=\"Verdana\"><font size=-1>" : "<font face=\"Verdana\"><font size=-2>"),
                std::string("v") + resources::kProductVersion + "</font>",
                std::string(large ? "<font size=-2>" : "<font size=-3>") + "<br>" +
                    Pick(state.Czech, "soubor: ", "filename: ") + Escape(name),
                "</font></font></center>", "", "</td>", "", "<td VALIGN=TOP>", "<div align=right>"});
  if (large) lines.insert(lines.end(), {WritePrevArrow(state), "&nbsp;&nbsp;", WriteNextArrow(state)});
  lines.push_back("</div>");
  if (large) {
    lines.insert(lines.end(), {"<table WIDTH=\"100%\" >", "<tr>",
                               "<td><tt><font color=\"#FFFFFF\">_______________________</font></tt>",
                               "<br><tt><font color=\"#FFFFFF\"></font></tt>&nbsp;", "<table WIDTH=\"100%\" >",
                               "<tr>", "<td><tt>"});
    if (!comment.empty()) lines.insert(lines.end(), {kFont, BrokenLines(comment), "</font>"});
    lines.insert(lines.end(), {"</tt></td>", "</tr>", "</table>", "<tt><font color=\"#FFFFFF\"></font></tt></td>",
                               "</tr>", "</table>"});
  }
  lines.insert(lines.end(), {"</td>", "</tr>", "</table>", "<br><br></center>", "</body></html>"});
  return Write(state, path, lines);
}

std::string WriteExifDetailPage(const TPageState& state, const std::string& photoPagePath) {
  if (!state.ExifPages || state.Reader == nullptr) return std::string();
  const TExifReader& reader = *state.Reader;
  if (reader.StandardRows().names.empty() && reader.MakerRows().names.empty()) return std::string();
  const std::string path = GalleryLayout::OutputPath(state.HtmlDir, GalleryLayout::kExifFolder,
                                                     GalleryLayout::kExifPrefix +
                                                         Lower(StrFunc::ExtractName(photoPagePath)));
  Lines lines = {HeadLine(state, "<body><center>"),
                 "<table cellpadding=\"2\" cellspacing=\"0\" border=\"0\">",
                 "<tbody>",
                 "  <tr>",
                 "    <th valign=\"top\" bgcolor=\"#ccffff\"><big>" + std::string(kSmall) + "<big>" +
                     Pick(state.Czech, "Obecné informace o snímku", "General image information") +
                     "</big></font></font></big><br>",
                 "    </th>", "  </tr>", "  <tr>", "    <td valign=\"top\">",
                 "    <table cellpadding=\"2\" cellspacing=\"2\" border=\"1\" width=\"100%\">", "      <tbody>"};
  AddTagRows(lines, reader, reader.StandardRows());
  lines.insert(lines.end(),
               {"      </tbody>", "     </table>", "    </td>", "   </tr>", "  <tr>",
                "    <th valign=\"top\" bgcolor=\"#ccffff\"><big><font face=\"Verdana\"><font size=\"-3\"><big>" +
                    std::string(Pick(state.Czech, "Informace specifické konkrétnímu fotoaparátu",
                                     "Camera-specified information")) +
                    "</big></font></font></big><br>",
                "    </th>", "  </tr>", "  <tr>", "    <td valign=\"top\">",
                "    <table cellpadding=\"2\" cellspacing=\"2\" border=\"1\" width=\"100%\">", "      <tbody>"});
  AddTagRows(lines, reader, reader.MakerRows());
  lines.insert(lines.end(),
               {"      </tbody>", "    </table>", "    </td>", "  </tr>", "</tbody>", "</table>",
                "<br><br></center>", "<center><br>",
                Footer("<font face=\"Verdana\"><font size=-2>") + "</font><font size=-2>",
                std::string("v") + resources::kProductVersion + "</font></font></center>", "",
                "<br><font face=\"Verdana\"><font size=-2></font></font>&nbsp;", "</body></html>"});
  if (Write(state, path, lines)) return path;
  platform::RemoveFile(path);
  return std::string();
}

}  // namespace GalleryPages
