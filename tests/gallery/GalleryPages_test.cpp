// The pages' text rules: escaping and URL paths, a page written into its
// character set and kept when only its date differs, the comment's line
// breaks, the film strip's ends and places, and the EXIF page's rows.
#include "gallery/generate/GalleryPages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/HtmlText.h"
#include "gallery/generate/PageFile.h"
#include "metadata/exif.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using PageFile::TWriteResult;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(HtmlText, EscapesMarkupAndEncodesUrlPaths) {
  const struct {
    std::string text, escaped;
  } escapes[] = {
      {"a & b < c > d", "a &amp; b &lt; c &gt; d"},
      {"\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"řádek\r\nřádek\tkonec", "řádek\r\nřádek\tkonec"},
      {std::string("nul\0bell\x07", 9) + PageFile::kDateMark, "nul&#65533;bell&#65533;&#65533;"},
  };
  for (const auto& e : escapes) EXPECT_EQ(HtmlText::Escape(e.text), e.escaped) << e.text;
  const struct {
    const char* name;
    const char* url;
  } urls[] = {
      {"img_0001.jpg", "img_0001.jpg"},
      {"a #1.jpg", "a%20%231.jpg"},
      {"100%?.htm", "100%25%3F.htm"},
      {"žluť.htm", "%C5%BElu%C5%A5.htm"},
      {"../th/th_a&b\".jpg", "../th/th_a%26b%22.jpg"},
  };
  for (const auto& u : urls) EXPECT_EQ(HtmlText::UrlPath(u.name), u.url) << u.name;
}

TEST(PageFile, WritesTheDeclaredCharacterSetAndKeepsAPageThatDiffersOnlyInItsDate) {
  testsupport::TempDir dir;
  const std::string target = dir.File("page.htm");
  const std::string page = std::string("<p>Šťáva ż</p>Generated ") + PageFile::kDateMark + " by\r\n";
  ASSERT_EQ(PageFile::Write(target, page, "windows-1250", "01.02.2003"), TWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(target), "<p>\x8A\x9D\xE1va \xBF</p>Generated 01.02.2003 by\r\n");
  ASSERT_EQ(PageFile::Write(target, page, "ISO-8859-2", "01.02.2003"), TWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(target), "<p>\xA9\xBB\xE1va \xBF</p>Generated 01.02.2003 by\r\n");
  ASSERT_EQ(PageFile::Write(target, page, "ISO-8859-1", "01.02.2003"), TWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(target), "<p>&#352;&#357;\xE1va &#380;</p>Generated 01.02.2003 by\r\n");

  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(target, old);
  EXPECT_EQ(PageFile::Write(target, page, "ISO-8859-1", "01.02.2003"), TWriteResult::kKept);
  EXPECT_EQ(PageFile::Write(target, page, "ISO-8859-1", "24.12.2030"), TWriteResult::kKept);
  EXPECT_EQ(fs::last_write_time(target), old);
  EXPECT_TRUE(Contains(ReadFileBytes(target), "01.02.2003"));
  EXPECT_EQ(PageFile::Write(target, page + "x", "ISO-8859-1", "24.12.2030"), TWriteResult::kWritten);
  EXPECT_TRUE(Contains(ReadFileBytes(target), "24.12.2030"));
  EXPECT_FALSE(fs::exists(target + GalleryLayout::kNewVersionExt));
  EXPECT_EQ(PageFile::Write(target, page, "no-such-set", "x"), TWriteResult::kFailed);
}

TEST(GalleryPages, LineBreaksAndDisplayBoxes) {
  using GalleryPages::ConvertLineBreaks;
  const std::string text = "one\r\ntwo\r\n\r\nthree";
  EXPECT_EQ(ConvertLineBreaks(text, GalleryPages::kBreaksToHtml), "one<br>two<br><br>three");
  const std::string marked = ConvertLineBreaks(text, GalleryPages::kBreaksToMarker);
  EXPECT_EQ(marked, std::string("one\0two\0\0three", 14));
  EXPECT_EQ(ConvertLineBreaks(marked, GalleryPages::kMarkerToBreaks), text);
  EXPECT_EQ(GalleryPages::CharSetOf(0), "ISO-8859-1");
  EXPECT_EQ(GalleryPages::CharSetOf(-1), "windows-1250");
}

// A site photo is shown with its own shape: at its size on the 1024 pages,
// scaled into 533 x 400 on the 800 pages, never beyond its own size.
TEST(GalleryPages, PhotosAreShownWithTheirOwnShapeWithinThePageBox) {
  struct Case {
    int width, height;
    int width800, height800;
  };
  const Case cases[] = {
      {566, 425, 533, 400},  // 4:3
      {566, 377, 533, 355},  // 3:2
      {566, 318, 533, 299},  // 16:9
      {566, 189, 533, 178},  // a panorama
      {425, 425, 400, 400},  // 1:1
      {319, 425, 300, 400},  // 3:4
      {283, 425, 266, 400},  // 2:3
      {200, 150, 200, 150},  // a small photo
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    int width = c.width, height = c.height;
    GalleryPages::DisplaySize(GalleryPages::ScreenOf(800), width, height);
    EXPECT_EQ(width, c.width800);
    EXPECT_EQ(height, c.height800);
    width = c.width, height = c.height;
    GalleryPages::DisplaySize(GalleryPages::ScreenOf(1024), width, height);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
  }
}

TEST(GalleryPages, FilmStripEndsPlacesAndAltTexts) {
  GalleryPages::TPageState state;
  state.Title = "<Title>";
  state.CharSet = "ISO-8859-2";
  const std::vector<std::string> names = {"a #1.jpg", "b.jpg"};
  const std::vector<std::string> comments = {
      GalleryPages::ConvertLineBreaks("line 1\r\n<i>\"2\"</i>", GalleryPages::kBreaksToMarker),
      std::string(1, GalleryPages::kMarker)};
  state.PageCounter[1] = 1;
  std::string page = Join(GalleryPages::FilmStripLines(state, 1024, names, comments, false));
  EXPECT_TRUE(Contains(page, "<html><head><title>&lt;Title&gt;</title>\n"));
  EXPECT_TRUE(Contains(page, "\n</center><center>\n\n<img src=\"../ico/bkgr.gif\" border=0 width=\"20\" height=\"20\">\n"));
  EXPECT_TRUE(Contains(page, "<a href=\"a%20%231.htm\" target=\"main\"><img src=\"../th/th_a%20%231.jpg\" "
                             "border=0 height=\"75\" width=\"100\" alt=\"line 1\r\n&lt;i&gt;&quot;2&quot;&lt;/i&gt;\"></a>\n"));
  EXPECT_TRUE(Contains(page, "<img src=\"../th/th_b.jpg\" border=0 height=\"75\" width=\"100\" ></a>\n"));
  // Fewer names than the nine places: seven blanks, and no right arrow.
  size_t blanks = 0;
  for (size_t at = page.find("bkgr.gif\" border=0 height=\"75\""); at != std::string::npos;
       at = page.find("bkgr.gif\" border=0 height=\"75\"", at + 1))
    ++blanks;
  EXPECT_EQ(blanks, 7u);
  EXPECT_FALSE(Contains(page, "right.gif"));

  // A full middle page has both arrows.
  state.PageCounter[0] = 2;
  const std::vector<std::string> seven(7, "c.jpg"), none(7, std::string(1, GalleryPages::kMarker));
  page = Join(GalleryPages::FilmStripLines(state, 800, seven, none, false));
  EXPECT_TRUE(Contains(page, "<a href=\"page0001.htm\">\n<img src=\"../ico/left.gif\" alt=\"\" border=0 width=\"20\" height=\"20\"></a>\n"));
  EXPECT_TRUE(Contains(page, "<a href=\"page0003.htm\"><img src=\"../ico/right.gif\""));
  EXPECT_TRUE(Contains(page, "\n</body></html>\n"));
}

// The summary shows the reader's texts: the ISO speed as a number, the
// whole flash field, and the UNICODE comment of a Motorola-order photo as
// other programs wrote it.
TEST(GalleryPages, PhotoPageShowsTheCameraValuesAndTheCommentAsWritten) {
  testsupport::TempDir dir;
  const std::string photo = testsupport::CopyPhoto("Fujifilm_FinePix_E500.jpg", dir);
  ASSERT_EQ(testsupport::CommandOutput("exiftool -q -overwrite_original '-UserComment=Dovolená u moře' "
                                       "-Flash#=25 '" + photo + "'"),
            "");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  GalleryPages::TPageState state;
  state.CharSet = "ISO-8859-2";
  state.HtmlDir = dir.Path();
  state.Reader = &reader;
  const auto row = [](const std::string& label, const std::string& value) {
    return "<td><font face=\"Verdana\"><font size=-3>" + label + "</font></font></td>\r\n\r\n"
           "<td><font face=\"Verdana\"><font size=-3>" + value + "</font></font></td>\r\n";
  };
  for (const int size : {800, 1024}) {
    SCOPED_TRACE(size);
    const std::string page = dir.File(std::to_string(size) + ".htm");
    ASSERT_TRUE(GalleryPages::WritePhotoPage(state, size, page, "dscf0001.jpg", 566, 425));
    const std::string text = ReadFileBytes(page);
    EXPECT_TRUE(Contains(text, row("ISO", "100"))) << text;
    EXPECT_TRUE(Contains(text, row("Flash", "flash fired, auto mode")));
    EXPECT_FALSE(Contains(text, "apex"));
    // The smaller page shows the comment, in the page's character set.
    if (size == 800) {
      EXPECT_TRUE(Contains(text, "Dovolen\xE1 u mo\xF8" "e<br>"));
    }
  }
}

TEST(GalleryPages, ExifPageListsNamedTagsOnly) {
  testsupport::TempDir dir;
  // A photo with tags of no name ("0x..." rows).
  TExifReader reader;
  bool unnamed = false;
  for (const char* photo : {"Canon_40D.jpg", "Nikon_D70.jpg", "Pentax_K10D.jpg", "Panasonic_DMC-FZ30.jpg",
                            "Sony_HDR-HC3.jpg", "Olympus_C8080WZ.jpg", "Samsung_Digimax_i50_MP3.jpg"}) {
    ASSERT_TRUE(reader.ReadFromFile(testsupport::PhotoPath(photo)));
    for (const TExifRows* rows : {&reader.StandardRows(), &reader.MakerRows()})
      for (const std::string& name : rows->names) unnamed = unnamed || name.rfind("0x", 0) == 0;
    if (unnamed) break;
  }
  ASSERT_TRUE(unnamed);
  GalleryPages::TPageState state;
  state.CharSet = "windows-1250";
  state.HtmlDir = dir.Path();
  state.Reader = &reader;
  const std::string page = GalleryPages::WriteExifDetailPage(state, dir.File("800x600/IMG_1.htm"));
  ASSERT_EQ(page, dir.File("exif/exif_img_1.htm"));
  const std::string text = ReadFileBytes(page);
  EXPECT_TRUE(Contains(text, "<font face=\"Verdana\"><font size=-3>Manufacturer of Digicam</font></font></small><br>\r\n"));
  EXPECT_TRUE(Contains(text, "Camera-specified information"));
  EXPECT_FALSE(Contains(text, "size=-3>0x"));

  state.ExifPages = false;
  EXPECT_EQ(GalleryPages::WriteExifDetailPage(state, dir.File("800x600/IMG_2.htm")), "");
  state.ExifPages = true;
  TExifReader empty;
  state.Reader = &empty;
  EXPECT_EQ(GalleryPages::WriteExifDetailPage(state, dir.File("800x600/IMG_3.htm")), "");
  EXPECT_FALSE(fs::exists(dir.File("exif/exif_img_2.htm")) || fs::exists(dir.File("exif/exif_img_3.htm")));
}

}  // namespace
