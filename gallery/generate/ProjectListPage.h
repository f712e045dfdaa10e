// The project list page: a table linking the two gallery sizes of every
// project, written as "projects.htm" in the data folder for local use (links
// are file URLs of the output folders) or as "index.htm" in the private
// temporary folder for the upload (links are the projects' remote folder
// names, relative to the upload folder).
//
// A template "indexmaster.htm", else "indexmaster.html" (looked up in the
// data folder, then beside the program) receives the table once: on its
// line holding the marker "INSERTPROJECTLIST" (any case), which is split
// there; without a marker before its first "</BODY>" (any case); a template
// with neither, or none at all, gives the default page.
#pragma once

#include <string>
#include <vector>

namespace ProjectListPage {

inline constexpr const char* kLocalPage = "projects.htm";
inline constexpr const char* kUploadPage = "index.htm";
inline constexpr const char* kTemplates[] = {"indexmaster.htm", "indexmaster.html"};
inline constexpr const char* kMarker = "INSERTPROJECTLIST";

// What the table shows: one entry per project, in order.
struct TEntry {
  std::string Title;  // as the user typed it; the page escapes it
  // The URL of the folder whose 800x600/ and 1024x768/ hold the framesets,
  // ready for an href (FileUrl, HtmlText::UrlPath).
  std::string Link;
};

struct TPage {
  std::vector<TEntry> Entries;
  int CharCode = 2;     // the project window's character set index (GalleryPages::CharSetOf)
  int WebLanguage = 1;  // the project window's page language index (1 Czech)
  std::string Date;     // today as the text table's date pattern gives it
};

// "Seznam fotografií" for Czech (1), otherwise "Photo collections".
std::string PageTitle(int webLanguage);

// The table's lines; the default page colours its header row.
std::vector<std::string> TableLines(const TPage& page, bool headerColour);
std::vector<std::string> DefaultPageLines(const TPage& page);
// The template's lines with the table inserted once; false when the
// template holds neither the marker nor "</BODY>".
bool InsertTable(const std::vector<std::string>& templateLines,
                 const std::vector<std::string>& table, std::vector<std::string>& page);

// The page's bytes: the first template found, or the default page.
std::string PageBytes(const TPage& page);

// Writes the page beside its target and renames it over it. Returns the
// target; empty when it could not be written (the old page is then kept).
std::string Write(bool toTemp, const TPage& page);

// The file URL of a local folder: "file://" and the absolute path,
// percent-encoded where a URL cannot hold its bytes.
std::string FileUrl(const std::string& folder);

}  // namespace ProjectListPage
