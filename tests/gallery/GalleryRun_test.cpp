// Gallery generation over small projects of the test photos: the folder
// layout and the pages' links, a second run that keeps every output with its
// date, a comment change that rewrites only what shows it, the clean-up of
// stale and orphan outputs, photos that fail, names that would share
// outputs, the character sets and languages, and a folder that cannot be
// made.
#include "gallery/generate/GalleryRun.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "foundation/AppFolders.h"
#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/WorkNames.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryRecord.h"
#include "gallery/checker/ImageCRC.h"
#include "metadata/exif.h"
#include "gallery/generate/TargetSize.h"
#include "photos/IgnoreList.h"
#include "photos/JPegUtils.h"
#include "platform/Environment.h"
#include "platform/jpeg/JpegReader.h"
#include "platform/jpeg/JpegWriter.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using GalleryRun::TOutcome;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

const auto kOld = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A photo without EXIF.
void WritePlainPhoto(const std::string& path, int width, int height) {
  platform::Bitmap picture;
  picture.width = width;
  picture.height = height;
  for (int i = 0; i < width * height * 3; ++i) picture.pixels.push_back(static_cast<uint8_t>(i * 7));
  ASSERT_TRUE(platform::WriteJpegFile(picture, path, 90));
}

void SetComment(const std::string& photo, const std::string& comment) {
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  reader.SetUserComment(comment);
  ASSERT_TRUE(reader.WriteUserComment());
}

class GalleryRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_.ProjectName = "  Výlet  ";
    project_.HtmlDir = out_.File("Web Out");
    project_.Shortcut = "vylet";
    // Bands the small test photos reach, so that unchanged outputs stay.
    project_.ImgMaxSize = "20";
    project_.ImgTolerance = "19";
    project_.TbTolerance = "2500";
  }

  std::string Add(const char* photo, const std::string& name) {
    const std::string path = photos_.File(name);
    fs::copy_file(testsupport::PhotoPath(photo), path, fs::copy_options::overwrite_existing);
    return path;
  }

  // The small camera photos, in exposure order once added.
  std::vector<std::string> AddCameraPhotos(int count) {
    static const char* const kPhotos[] = {
        "fujifilm-finepix40i.jpg", "olympus-c960.jpg", "canon-ixus.jpg", "Ricoh_Caplio_RR330.jpg",
        "Konica_Minolta_DiMAGE_Z3.jpg", "Kodak_CX7530.jpg", "Samsung_Digimax_i50_MP3.jpg",
        "Fujifilm_FinePix_E500.jpg", "Olympus_C8080WZ.jpg", "Sony_HDR-HC3.jpg"};
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(Add(kPhotos[i], kPhotos[i]));
    return paths;
  }

  std::string Html(const std::string& path) const { return out_.File("Web Out/" + path); }
  std::string Page(const std::string& path) const { return ReadFileBytes(Html(path)); }

  GalleryRun::TReport Run(const std::vector<std::string>& order = {}) {
    encodings_ = 0;
    TIgnoreList ignore;
    ignore.Load(photos_.Path());
    GalleryRun::TEvents events;
    events.Info = [this](const std::string& what, const std::string& level) {
      if (!level.empty() && what.find("Komprese") == 0) ++encodings_;
    };
    const std::vector<std::string> photos =
        order.empty() ? GalleryRun::ListPhotos(photos_.Path(), ignore) : order;
    return GalleryRun::Generate(project_, photos_.Path(), photos, ignore.Names(), events);
  }

  // Every file of the gallery below the output folder but the navigation
  // images, with its bytes.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Html(""))) {
      const std::string rel = fs::relative(entry.path(), Html("")).string();
      if (entry.is_regular_file() && rel.rfind("ico/", 0) != 0) files[rel] = ReadFileBytes(entry.path());
    }
    return files;
  }
  void Age() const {
    for (const auto& [rel, bytes] : Files()) fs::last_write_time(Html(rel), kOld);
  }
  std::set<std::string> Changed() const {
    std::set<std::string> changed;
    for (const auto& [rel, bytes] : Files())
      if (fs::last_write_time(Html(rel)) != kOld) changed.insert(rel);
    return changed;
  }

  testsupport::ScopedHome home_;
  testsupport::TempDir photos_;
  testsupport::TempDir out_;
  THtmlProject project_;
  int encodings_ = 0;
};

TEST_F(GalleryRunTest, FirstRunLaysOutTheGalleryAndLinksItsPages) {
  const std::vector<std::string> photos = AddCameraPhotos(7);
  const std::string plain = photos_.File("Plain Photo.JPG");
  WritePlainPhoto(plain, 120, 90);
  // An EXIF side file and a file of another kind are no photos of the gallery.
  WriteFileBytes(photos_.File("Plain Photo.exif"), "side file");
  WriteFileBytes(photos_.File("notes.txt"), "notes");
  const GalleryRun::TReport report = Run();
  ASSERT_EQ(report.Outcome, TOutcome::kDone);
  EXPECT_EQ(report.Photos, 8);
  EXPECT_TRUE(report.Failed.empty());

  // The photo without a date comes first; names are lower-cased, the
  // folders above them are not.
  for (const char* file : {"th/th_plain photo.jpg", "foto/plain photo.jpg", "800x600/plain photo.htm",
                           "1024x768/plain photo.htm", "th/th_canon-ixus.jpg", "foto/canon-ixus.jpg",
                           "exif/exif_canon-ixus.htm", "ico/left.gif", "ico/white31.gif",
                           "800x600/index.htm", "800x600/page0001.htm", "800x600/page0002.htm",
                           "1024x768/index.htm", "1024x768/page0001.htm"}) {
    EXPECT_TRUE(fs::is_regular_file(Html(file))) << file;
  }
  EXPECT_FALSE(fs::exists(Html("exif/exif_plain photo.htm")));
  EXPECT_FALSE(fs::exists(Html("1024x768/page0002.htm")));
  EXPECT_FALSE(fs::exists(Html("foto/plain photo.exif")));
  EXPECT_EQ(std::distance(fs::directory_iterator(Html("ico")), fs::directory_iterator()), 7);
  platform::JpegReader thumbnail;
  ASSERT_TRUE(thumbnail.OpenFile(Html("th/th_canon-ixus.jpg")));
  EXPECT_EQ(thumbnail.Width(), 100);
  EXPECT_EQ(thumbnail.Height(), 75);

  const std::string frameset = Page("800x600/index.htm");
  EXPECT_TRUE(Contains(frameset, "<TITLE>V\xFDlet</TITLE>")) << "the title, trimmed, in windows-1250";
  EXPECT_TRUE(Contains(frameset, "NAME=\"topframe\" SRC=\"page0001.htm\""));
  EXPECT_TRUE(Contains(frameset, "NAME=\"main\" SRC=\"plain%20photo.htm\""));
  EXPECT_TRUE(Contains(frameset, "\r\nFrame support required!\r\n"));

  // Page 1 at 800x600 holds seven photos and leads to page 2, which has the
  // eighth and ends in a blank; the eighth photo's picture leads to page 2.
  const std::string strip1 = Page("800x600/page0001.htm");
  EXPECT_TRUE(Contains(strip1, "<a href=\"page0002.htm\"><img src=\"../ico/right.gif\""));
  EXPECT_TRUE(Contains(strip1, "<a href=\"plain%20photo.htm\" target=\"main\"><img src=\"../th/th_plain%20photo.jpg\""));
  const std::string strip2 = Page("800x600/page0002.htm");
  EXPECT_TRUE(Contains(strip2, "<a href=\"page0001.htm\">\r\n<img src=\"../ico/left.gif\""));
  EXPECT_FALSE(Contains(strip2, "right.gif"));
  const std::string last = StrFunc::LowerCaseCz(fs::path(photos.back()).stem().string()) + ".htm";
  EXPECT_TRUE(Contains(Page("800x600/" + last), "<a href=\"page0002.htm\" target=\"topframe\">"));
  EXPECT_TRUE(Contains(Page("1024x768/" + last), "<a href=\"page0001.htm\" target=\"topframe\">"));
  // Page 1 at 1024x768 holds all eight and one blank place.
  EXPECT_TRUE(Contains(Page("1024x768/page0001.htm"),
                       "<img src=\"../ico/bkgr.gif\" border=0 height=\"75\" width=\"100\">"));

  // The photo without EXIF: no camera lines, no date, no EXIF link.
  const std::string plainPage = Page("800x600/plain photo.htm");
  EXPECT_FALSE(Contains(plainPage, "<br><b>"));
  EXPECT_FALSE(Contains(plainPage, "Datum:"));
  EXPECT_FALSE(Contains(plainPage, "EXIF Detail"));
  EXPECT_TRUE(Contains(plainPage, "<img SRC=\"../ico/white31.gif\""));
  // Smaller than the pages' boxes: shown at its own size.
  EXPECT_TRUE(Contains(plainPage, "height=90 width=120>"));
  // A camera photo: its camera, its EXIF page and, at 1024 only, the F-number.
  const std::string ixus800 = Page("800x600/canon-ixus.htm");
  EXPECT_TRUE(Contains(ixus800, "<br><b><font face=\"Verdana\"><font size=-3>Canon</font></font></b>"));
  EXPECT_TRUE(Contains(ixus800, "<a href=\"../exif/exif_canon-ixus.htm\" target=\"exifinfo\">EXIF Detail</a>"));
  EXPECT_FALSE(Contains(ixus800, "F-Number"));
  EXPECT_TRUE(Contains(Page("1024x768/canon-ixus.htm"), "F-Number"));
  EXPECT_TRUE(Contains(ixus800, "Generated " + DateFunc::FormatToday("dd.mm.yyyy") + " by <a href="));
  // The small portrait photo, 70 x 100, is shown upright at its own size.
  EXPECT_TRUE(Contains(Page("800x600/konica_minolta_dimage_z3.htm"), "height=100 width=70>"));
  EXPECT_TRUE(Contains(Page("1024x768/konica_minolta_dimage_z3.htm"), "height=100 width=70>"));
}

TEST_F(GalleryRunTest, APhotoTurnedByItsOrientationIsShownUpright) {
  Add("orientation_portrait_6.jpg", "turned.jpg");
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(Contains(Page("800x600/turned.htm"), "height=400 width=300>"));
  platform::JpegReader photo;
  ASSERT_TRUE(photo.OpenFile(Html("foto/turned.jpg")));
  EXPECT_LT(photo.Width(), photo.Height());
}

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Size& size) {
  return out << size.width << "x" << size.height;
}

Size JpegSize(const std::string& path) {
  platform::JpegReader reader;
  if (!reader.OpenFile(path)) return {};
  return {reader.Width(), reader.Height()};
}

// The size of the photo on a page, from its <img> of the site photo.
Size ShownSize(const std::string& page) {
  const size_t at = page.find("border=0 height=", page.find("<img SRC=\"../foto/"));
  Size size;
  if (at == std::string::npos ||
      std::sscanf(page.c_str() + at, "border=0 height=%d width=%d>", &size.height, &size.width) != 2)
    return {};
  return size;
}

// Each photo's site photo keeps its shape within 566 x 425, never enlarged;
// its thumbnail fills the film strip's 100 x 75; the 1024 pages show the
// site photo at its size, the 800 pages scaled into 533 x 400.
TEST_F(GalleryRunTest, PhotosKeepTheirShapeInTheImagesAndOnThePages) {
  const struct {
    const char* name;
    Size own, site, shown800;
  } cases[] = {
      {"a_3x2", {1200, 800}, {566, 377}, {533, 355}},   {"b_16x9", {1280, 720}, {566, 318}, {533, 299}},
      {"c_1x1", {600, 600}, {425, 425}, {400, 400}},    {"d_2x3", {400, 600}, {283, 425}, {266, 400}},
      {"e_4x3", {800, 600}, {566, 425}, {533, 400}},    {"f_small", {160, 90}, {160, 90}, {160, 90}},
  };
  for (const auto& c : cases) WritePlainPhoto(photos_.File(std::string(c.name) + ".jpg"), c.own.width, c.own.height);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.name;
    EXPECT_EQ(JpegSize(Html("foto/" + name + ".jpg")), c.site);
    EXPECT_EQ(JpegSize(Html("th/th_" + name + ".jpg")), (Size{100, 75}));
    EXPECT_EQ(ShownSize(Page("1024x768/" + name + ".htm")), c.site);
    EXPECT_EQ(ShownSize(Page("800x600/" + name + ".htm")), c.shown800);
  }
}

// A gallery made by an older version holds site photos stretched to the box
// and thumbnails stretched to the strip: both are made again, though the
// photo did not change and the images lie within their size windows.
TEST_F(GalleryRunTest, ImagesStretchedByAnOlderVersionAreMadeAgain) {
  WritePlainPhoto(photos_.File("wide.jpg"), 1200, 800);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  const std::string thumbnail = Html("th/th_wide.jpg");
  const std::string photo = Html("foto/wide.jpg");
  for (const auto& [path, size] : {std::pair{photo, Size{566, 425}}, std::pair{thumbnail, Size{100, 75}}}) {
    platform::Bitmap grey;
    grey.width = size.width;
    grey.height = size.height;
    grey.pixels.assign(size_t(size.width) * size_t(size.height) * 3, 120);
    ASSERT_TRUE(platform::WriteJpegFile(grey, path, 90));
  }
  const std::string stretched = ReadFileBytes(thumbnail);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_EQ(JpegSize(photo), (Size{566, 377}));
  EXPECT_NE(ReadFileBytes(thumbnail), stretched);
  EXPECT_EQ(JpegSize(thumbnail), (Size{100, 75}));

  // Made so, they stay.
  Age();
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_EQ(encodings_, 0);
  EXPECT_EQ(Changed(), std::set<std::string>{});
}

TEST_F(GalleryRunTest, ASecondRunKeepsEveryOutputAndADateOnlyDifference) {
  AddCameraPhotos(8);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  // An older page of the same content keeps its date.
  const std::string page = Html("800x600/canon-ixus.htm");
  std::string dated = ReadFileBytes(page);
  const std::string today = DateFunc::FormatToday("dd.mm.yyyy");
  ASSERT_TRUE(Contains(dated, today));
  dated.replace(dated.find(today), today.size(), "24.12.2001");
  WriteFileBytes(page, dated);
  const std::map<std::string, std::string> before = Files();
  Age();

  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_EQ(encodings_, 0);
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(Changed(), std::set<std::string>{});
  EXPECT_FALSE(fs::exists(page + GalleryLayout::kNewVersionExt));

  // A page that differs in more than the date is written with today's date.
  WriteFileBytes(page, dated + "\r\n");
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(Contains(ReadFileBytes(page), today));
  EXPECT_EQ(Changed(), std::set<std::string>{"800x600/canon-ixus.htm"});
}

TEST_F(GalleryRunTest, ACommentChangeRewritesOnlyThePagesThatShowIt) {
  const std::vector<std::string> photos = AddCameraPhotos(10);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  Age();
  // The first photo (its EXIF comes first in the file, so the checker does
  // not count the edit): film-strip page 1 of both sizes.
  SetComment(photos[0], "První řádek\r\n<b>druhý</b> & \"třetí\"");
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_EQ(encodings_, 0);
  EXPECT_EQ(Changed(), (std::set<std::string>{"800x600/fujifilm-finepix40i.htm",
                                              "1024x768/fujifilm-finepix40i.htm",
                                              "exif/exif_fujifilm-finepix40i.htm", "800x600/page0001.htm",
                                              "1024x768/page0001.htm"}));
  // The comment's lines, escaped, in the 800 page's table and the 1024
  // page's right column, and as the thumbnail's alt text with CR LF.
  const std::string escaped = "Prvn\xED \xF8\xE1" "dek<br>&lt;b&gt;druh\xFD&lt;/b&gt; &amp; &quot;t\xF8" "et\xED&quot;<br>";
  EXPECT_TRUE(Contains(Page("800x600/fujifilm-finepix40i.htm"), "\r\n" + escaped + "\r\n      </font></small></td>"));
  EXPECT_TRUE(Contains(Page("1024x768/fujifilm-finepix40i.htm"), "<font face=\"Verdana\">\r\n" + escaped + "\r\n</font>"));
  EXPECT_TRUE(Contains(Page("800x600/page0001.htm"),
                       "alt=\"Prvn\xED \xF8\xE1" "dek\r\n&lt;b&gt;druh\xFD&lt;/b&gt; &amp; &quot;t\xF8" "et\xED&quot;\"></a>"));
}

TEST_F(GalleryRunTest, CleanUpDeletesTheStaleFilesItMadeOnly) {
  const std::vector<std::string> photos = AddCameraPhotos(8);
  const std::string gone = Add("Nikon_D70.jpg", "Gone.jpg");
  const std::string ignored = Add("Pentax_K10D.jpg", "Ignored.JPG");
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  ASSERT_TRUE(fs::exists(Html("th/th_gone.jpg")) && fs::exists(Html("exif/exif_ignored.htm")));
  ASSERT_TRUE(fs::exists(Html("800x600/page0002.htm")));
  fs::remove(gone);
  fs::remove(photos[6]);
  fs::remove(photos[7]);
  // An older ignore list holds the name upper-cased.
  WriteFileBytes(photos_.File("ignore.list"), "IGNORED.JPG\r\n");
  const struct {
    const char* file;
    bool kept;
  } cases[] = {
      {"foto/canon-ixus.jpg.new_ver", false},  // left-overs of a stopped run
      {"th/th_canon-ixus.jpg.imgtmp", false},
      {"800x600/index.htm.new_ver", false},
      {"1024x768/.hidden.htm", true},          // hidden names are never the run's
      {"foto/canon-ixus.jpg.~qm_new", true},   // a stopped rename's, left to it
  };
  for (const auto& c : cases) WriteFileBytes(Html(c.file), "x");
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  for (const auto& c : cases) EXPECT_EQ(fs::exists(Html(c.file)), c.kept) << c.file;
  for (const char* file : {"th/th_gone.jpg", "foto/gone.jpg", "exif/exif_gone.htm", "800x600/gone.htm",
                           "1024x768/gone.htm", "th/th_ignored.jpg", "foto/ignored.jpg",
                           "exif/exif_ignored.htm", "800x600/ignored.htm", "1024x768/ignored.htm",
                           "800x600/page0002.htm"}) {
    EXPECT_FALSE(fs::exists(Html(file))) << file;
  }
  EXPECT_TRUE(fs::exists(Html("foto/canon-ixus.jpg")));

  // Without EXIF pages the "exif" folder loses every page the generator made.
  project_.DetailExifForWeb = false;
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(fs::is_empty(Html("exif")));
  EXPECT_FALSE(Contains(Page("800x600/canon-ixus.htm"), "EXIF Detail"));
}

TEST_F(GalleryRunTest, PhotosThatFailGetNoOutputsAndNoLinks) {
  const std::string first = photos_.File("broken first.jpg");
  const std::string last = photos_.File("broken last.jpg");
  WriteFileBytes(first, "no JPEG at all");
  // A photo whose picture data ends early: its head reads, it does not decode.
  const std::string whole = ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg"));
  WriteFileBytes(last, whole.substr(0, whole.size() / 2));
  const std::string a = Add("Kodak_CX7530.jpg", "a.jpg");
  // Its EXIF does not read: it is a photo without EXIF.
  const std::string b = Add("invalid_image00971.jpg", "b.jpg");
  // An output of an earlier run of the failing photo goes.
  fs::create_directories(Html("800x600"));
  WriteFileBytes(Html("800x600/broken last.htm"), "old");
  ASSERT_TRUE(GalleryRecord::Write(Html(""), {"800x600/broken last.htm"}));

  const GalleryRun::TReport report = Run({first, a, b, last});
  ASSERT_EQ(report.Outcome, TOutcome::kDone);
  EXPECT_EQ(report.Failed, (std::vector<std::string>{"broken first.jpg", "broken last.jpg"}));
  EXPECT_EQ(report.Photos, 2);
  for (const char* file : {"th/th_broken first.jpg", "foto/broken first.jpg", "800x600/broken first.htm",
                           "th/th_broken last.jpg", "foto/broken last.jpg", "800x600/broken last.htm"}) {
    EXPECT_FALSE(fs::exists(Html(file))) << file;
  }
  EXPECT_TRUE(Contains(Page("800x600/index.htm"), "NAME=\"main\" SRC=\"a.htm\""));
  const std::string pageA = Page("800x600/a.htm");
  EXPECT_TRUE(Contains(pageA, "<img SRC=\"../ico/white31.gif\" border=0 height=31 width=31>\r\n&nbsp;&nbsp;\r\n"
                              "<a href=\"b.htm\">"));
  const std::string pageB = Page("1024x768/b.htm");
  EXPECT_TRUE(Contains(pageB, "<a href=\"a.htm\"><img SRC=\"../ico/left2.gif\""));
  EXPECT_FALSE(Contains(pageB, "right2.gif"));
  EXPECT_FALSE(Contains(pageB, "broken"));
  const std::string strip = Page("800x600/page0001.htm");
  EXPECT_FALSE(Contains(strip, "broken"));
  EXPECT_FALSE(Contains(strip, "right.gif"));

  // Only photos whose outputs were written count as done in the cache.
  std::set<std::string> confirmed;
  for (const ImageCRC::TCheckerField& field : ImageCRC::ReadCacheFile(photos_.File(ImageCRC::kCacheName)))
    if (field.crc != -1) confirmed.insert(field.name);
  EXPECT_EQ(confirmed, (std::set<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(GalleryRunTest, NamesThatWouldShareOutputsAreRefusedBeforeAnythingIsWritten) {
  const struct {
    std::vector<std::string> names;
    std::vector<std::string> clashes;
  } cases[] = {
      {{"A.jpg", "a.JPG", "b.jpg"}, {"A.jpg", "a.JPG"}},
      {{"a.jpg", "a.jpeg"}, {"a.jpg", "a.jpeg"}},
      {{"Žluť.jpg", "žluť.jpg"}, {"Žluť.jpg", "žluť.jpg"}},
      {{"index.jpg", "x.jpg"}, {"index.jpg"}},
      {{"Page0001.JPG", "page12.jpg"}, {"Page0001.JPG"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.names.front());
    std::vector<std::string> paths;
    for (const std::string& name : c.names) paths.push_back(Add("Kodak_CX7530.jpg", name));
    const GalleryRun::TReport report = Run(paths);
    EXPECT_EQ(report.Outcome, TOutcome::kNameClash);
    EXPECT_EQ(report.Clashes, c.clashes);
    EXPECT_FALSE(fs::exists(Html("")));
    EXPECT_FALSE(fs::exists(photos_.File(ImageCRC::kCacheName)));
    for (const std::string& path : paths) fs::remove(path);
  }
  int number = 0;
  EXPECT_TRUE(GalleryRun::IsFilmStripPageName("PAGE12345.HTM", number));
  EXPECT_EQ(number, 12345);
  EXPECT_FALSE(GalleryRun::IsFilmStripPageName("page012345.htm", number));
  EXPECT_FALSE(GalleryRun::IsFilmStripPageName("page12.htm", number));
}

TEST_F(GalleryRunTest, PagesAreWrittenInTheirCharacterSetAndLanguage) {
  const std::string photo = Add("canon-ixus.jpg", "photo.jpg");
  SetComment(photo, "šťáva €");
  project_.ProjectName = "Šťastný žluťoučký kůň";
  const struct {
    int charCode;
    int language;
    const char* charset;
    std::string title;
    std::string comment;
    const char* label;
    const char* exifHeading;
  } cases[] = {
      {0, 0, "ISO-8859-1", "&#352;&#357;astn\xFD &#382;lu&#357;ou&#269;k\xFD k&#367;&#328;",
       "&#353;&#357;\xE1va &#8364;", "filename: photo.jpg", "General image information"},
      {1, 1, "ISO-8859-2", "\xA9\xBB" "astn\xFD \xBElu\xBBou\xE8k\xFD k\xF9\xF2", "\xB9\xBB\xE1va &#8364;",
       "soubor: photo.jpg", "Obecn\xE9 informace o sn\xEDmku"},
      {2, -1, "windows-1250", "\x8A\x9D" "astn\xFD \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2", "\x9A\x9D\xE1va \x80",
       "filename: photo.jpg", "General image information"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    project_.CharCode = c.charCode;
    project_.WebLanguage = c.language;
    ASSERT_EQ(Run().Outcome, TOutcome::kDone);
    const std::string page = Page("800x600/photo.htm");
    EXPECT_TRUE(Contains(page, std::string("charset=") + c.charset + "\">"));
    EXPECT_TRUE(Contains(page, "<title>" + c.title + "</title>"));
    EXPECT_TRUE(Contains(page, c.comment + "<br>"));
    EXPECT_TRUE(Contains(page, c.label));
    EXPECT_TRUE(Contains(page, c.language == 1 ? "Datum:" : "Date:"));
    EXPECT_TRUE(Contains(Page("exif/exif_photo.htm"), c.exifHeading));
    EXPECT_TRUE(Contains(Page("1024x768/index.htm"), "<TITLE>" + c.title + "</TITLE>"));
  }
}

// The private temporary folder below a home that is not there yet is made
// with it; one that cannot be made stops the run before anything is written,
// naming the folder and why.
TEST_F(GalleryRunTest, TheWorkFolderIsMadeWhenMissingAndOneThatCannotBeIsNamed) {
  AddCameraPhotos(2);
  {
    testsupport::ScopedEnv home("QUILLMARSH_HOME", out_.File("new home"));
    const GalleryRun::TReport report = Run();
    EXPECT_EQ(report.Outcome, TOutcome::kDone);
    EXPECT_EQ(report.Photos, 2);
    EXPECT_TRUE(report.Failed.empty());
    EXPECT_TRUE(fs::is_directory(out_.File("new home/tmp")));
  }
  fs::remove_all(Html(""));
  WriteFileBytes(out_.File("file"), "x");
  testsupport::ScopedEnv home("QUILLMARSH_HOME", out_.File("file/home"));
  const GalleryRun::TReport report = Run();
  EXPECT_EQ(report.Outcome, TOutcome::kCannotMakeWorkFolder);
  EXPECT_EQ(report.WorkFolderProblem, out_.File("file/home") + ": Not a directory");
  EXPECT_FALSE(fs::exists(Html("")));
}

TEST_F(GalleryRunTest, EmptyTitleNoPhotosAndAnOutputFolderThatCannotBeMade) {
  Add("Kodak_CX7530.jpg", "a.jpg");
  project_.ProjectName = "   ";
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(Contains(Page("800x600/a.htm"), "<title>VadaRiruv</title>"));

  EXPECT_EQ(Run({photos_.File("a.exif")}).Outcome, TOutcome::kNoPhotos);

  WriteFileBytes(out_.File("file"), "x");
  project_.HtmlDir = out_.File("file/web");
  EXPECT_EQ(Run().Outcome, TOutcome::kCannotCreateFolder);
  EXPECT_FALSE(fs::exists(out_.File("file/web")));
}

// A file as a test tells whether it was written: its inode, date and bytes;
// a folder by its date, which any file made, renamed or removed in it moves.
struct TFileState {
  fs::file_time_type time;
  uintmax_t links = 0;
  ino_t inode = 0;
  std::string bytes;
  bool operator==(const TFileState&) const = default;
};
void PrintTo(const TFileState& state, std::ostream* out) {
  *out << "inode " << state.inode << ", " << state.bytes.size() << " bytes, written "
       << state.time.time_since_epoch().count();
}

// Every file and folder below root, with its state.
std::map<std::string, TFileState> States(const std::string& root) {
  std::map<std::string, TFileState> states;
  states["."] = {fs::last_write_time(root), 0, 0, {}};
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_directory()) {
      states[fs::relative(entry.path(), root).string() + "/"] = {entry.last_write_time(), 0, 0, {}};
      continue;
    }
    struct stat info {};
    EXPECT_EQ(stat(entry.path().c_str(), &info), 0);
    states[fs::relative(entry.path(), root).string()] = {entry.last_write_time(), entry.hard_link_count(),
                                                         info.st_ino, ReadFileBytes(entry.path().string())};
  }
  return states;
}

// A copy of a camera photo whose dates all read "0000:00:00 00:00:00" or
// blanks: the empty dates of a camera that was never set.
void WriteUndatedPhoto(const std::string& photo, const std::string& path, const std::string& empty) {
  std::string bytes = ReadFileBytes(testsupport::PhotoPath(photo));
  static const std::regex kDate("[0-9]{4}:[0-9]{2}:[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}");
  WriteFileBytes(path, std::regex_replace(bytes, kDate, empty));
}

TEST_F(GalleryRunTest, APhotoWithoutADateShowsNoneOnAnyPage) {
  WritePlainPhoto(photos_.File("plain.jpg"), 120, 90);
  WriteUndatedPhoto("canon-ixus.jpg", photos_.File("zeros.jpg"), "0000:00:00 00:00:00");
  WriteUndatedPhoto("Kodak_CX7530.jpg", photos_.File("blanks.jpg"), "    :  :     :  :  ");
  Add("Canon_40D.jpg", "dated.jpg");
  for (const int language : {1, 0}) {
    SCOPED_TRACE(language);
    project_.WebLanguage = language;
    ASSERT_EQ(Run().Outcome, TOutcome::kDone);
    for (const auto& [rel, page] : Files()) EXPECT_FALSE(Contains(page, "1900")) << rel;
    const std::string date = language == 1 ? "Datum:" : "Date:";
    const std::string time = language == 1 ? "\xC8" "as:" : "Time:";
    for (const char* size : {"800x600", "1024x768"}) {
      for (const char* undated : {"plain", "zeros", "blanks"}) {
        const std::string page = Page(std::string(size) + "/" + undated + ".htm");
        EXPECT_FALSE(Contains(page, date) || Contains(page, time)) << size << " " << undated;
      }
      const std::string dated = Page(std::string(size) + "/dated.htm");
      const std::string value = "</font></font></td>\r\n\r\n<td><font face=\"Verdana\"><font size=-3>";
      EXPECT_TRUE(Contains(dated, date + value + "30.05.2008"));
      EXPECT_TRUE(Contains(dated, time + value + "15:56:01"));
    }
    // The EXIF page shows the photo's other tags, but no row for its dates.
    const std::string exif = Page("exif/exif_zeros.htm");
    EXPECT_TRUE(Contains(exif, "Canon"));
    EXPECT_FALSE(Contains(exif, "Date/Time"));
    EXPECT_TRUE(Contains(Page("exif/exif_dated.htm"), "Original Date/Time"));
  }
}

TEST_F(GalleryRunTest, UserFilesInTheGalleryFoldersRefuseTheRunAndStayUntouched) {
  AddCameraPhotos(3);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  const std::string cache = photos_.File(ImageCRC::kCacheName);
  // Files of the user's own; some look like outputs, one is named as the
  // resized photo of a photo of the list.
  const char* const kOwn[] = {"foto/dovolena.jpg",  "th/th_mine.jpg",    "800x600/page0007.htm",
                              "exif/exif_x.htm",    "foto/notes.txt",    "ico/logo.png",
                              "1024x768/index.html", "th/TH_CANON-IXUS.JPG"};
  for (const char* own : kOwn) {
    SCOPED_TRACE(own);
    WriteFileBytes(Html(own), std::string("mine: ") + own);
    fs::remove(Html("foto/canon-ixus.jpg"));  // a run would make it again
    const auto before = States(Html(""));
    const auto cacheBefore = States(photos_.Path()).at(ImageCRC::kCacheName);
    const GalleryRun::TReport report = Run();
    EXPECT_EQ(report.Outcome, TOutcome::kForeignFiles);
    EXPECT_EQ(report.Foreign, std::vector<std::string>{own});
    EXPECT_EQ(States(Html("")), before);
    EXPECT_TRUE(States(photos_.Path()).at(ImageCRC::kCacheName) == cacheBefore) << cache;
    fs::remove(Html(own));
    ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  }

  // A folder of the gallery that cannot be listed might hold anything (the
  // super-user lists every folder).
  if (geteuid() != 0) {
    fs::permissions(Html("th"), fs::perms::owner_read, fs::perm_options::remove);
    const GalleryRun::TReport report = Run();
    fs::permissions(Html("th"), fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(report.Outcome, TOutcome::kForeignFiles);
    EXPECT_EQ(report.Foreign, std::vector<std::string>{"th/"});
  }
}

TEST_F(GalleryRunTest, TheParentFolderOfThePhotosIsRefusedWithTheUsersPhotosWhole) {
  // Photos in Fotky/2024, the gallery asked for in Fotky, whose own "foto"
  // folder holds the user's a.jpg and b.jpg.
  const std::string fotky = out_.File("Fotky");
  fs::create_directories(fotky + "/2024");
  fs::create_directories(fotky + "/foto");
  for (const char* name : {"a.jpg", "c.jpg"})
    fs::copy_file(testsupport::PhotoPath("Kodak_CX7530.jpg"), fotky + "/2024/" + name);
  fs::copy_file(testsupport::PhotoPath("Canon_40D.jpg"), fotky + "/foto/a.jpg");
  fs::copy_file(testsupport::PhotoPath("Nikon_D70.jpg"), fotky + "/foto/b.jpg");
  const auto before = States(fotky);
  project_.HtmlDir = fotky;
  TIgnoreList ignore;
  const GalleryRun::TReport report = GalleryRun::Generate(
      project_, fotky + "/2024", GalleryRun::ListPhotos(fotky + "/2024", ignore), {}, {});
  EXPECT_EQ(report.Outcome, TOutcome::kForeignFiles);
  EXPECT_EQ(report.Foreign, (std::vector<std::string>{"foto/a.jpg", "foto/b.jpg"}));
  EXPECT_EQ(States(fotky), before);
}

TEST_F(GalleryRunTest, AGalleryWithoutItsRecordIsRefusedUntilItsFoldersAreEmptied) {
  AddCameraPhotos(2);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  const std::string record = Html(GalleryRecord::kRecordName);
  const std::string victim = out_.File("victim.jpg");
  WriteFileBytes(victim, "outside the gallery");
  // As an earlier version left it, and with damaged records, one naming a
  // file outside the gallery's folders.
  const char* const kRecords[] = {
      nullptr,
      "Quillmarsh gallery\r\nfoto\t../../victim.jpg\r\n",
      "Quillmarsh gallery\r\nfoto\t..\r\n",
      "Quillmarsh gallery\r\n..\tvictim.jpg\r\n",
      "Quillmarsh gallery\r\nfoto/fujifilm-finepix40i.jpg\r\n",
      "Quillmarsh gallery\r\nfoto\t.hidden\r\n",
      "Quillmarsh gallery\r\nfoto\t%2E%2E%2Fvictim.jpg\r\n",
      "Quillmarsh gallery\r\nfoto\tbad%zz\r\n",
      "Quillmarsh gallery\r\nfoto\t\r\n",
      "quillmarsh gallery\r\n",
  };
  for (const char* bytes : kRecords) {
    SCOPED_TRACE(bytes == nullptr ? "no record" : bytes);
    if (bytes == nullptr)
      fs::remove(record);
    else
      WriteFileBytes(record, bytes);
    GalleryRecord::TFiles files;
    EXPECT_EQ(GalleryRecord::Read(Html(""), files),
              bytes == nullptr ? GalleryRecord::TRead::kNone : GalleryRecord::TRead::kDamaged);
    EXPECT_TRUE(files.empty());
    const auto before = States(Html(""));
    const GalleryRun::TReport report = Run();
    EXPECT_EQ(report.Outcome, TOutcome::kForeignFiles);
    // Every file of the subfolders, and nothing else, is told.
    std::vector<std::string> all;
    for (const auto& [rel, state] : before)
      if (rel.find('/') != std::string::npos && rel.back() != '/') all.push_back(rel);
    EXPECT_EQ(report.Foreign, all);
    EXPECT_EQ(States(Html("")), before);
    EXPECT_EQ(ReadFileBytes(victim), "outside the gallery");
  }
  // Emptied by the user, the folders take a new gallery.
  for (const char* sub : GalleryLayout::kSubfolders) fs::remove_all(Html(sub));
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(fs::exists(Html("foto/fujifilm-finepix40i.jpg")));
}

TEST(GalleryRecord, ReadsBackWhatItWroteAndKeepsAnUnchangedFile) {
  testsupport::TempDir dir;
  const GalleryRecord::TFiles files = {"th/th_a\tb.jpg", "foto/100 % léto.jpg", "800x600/page0001.htm",
                                       "exif/exif_a\r\nb.htm", "ico/left.gif", "1024x768/index.htm"};
  ASSERT_TRUE(GalleryRecord::Write(dir.Path(), files));
  GalleryRecord::TFiles read;
  ASSERT_EQ(GalleryRecord::Read(dir.Path(), read), GalleryRecord::TRead::kRead);
  EXPECT_EQ(read, files);
  const std::string path = GalleryRecord::RecordPath(dir.Path());
  EXPECT_TRUE(ReadFileBytes(path).starts_with("Quillmarsh gallery\r\n1024x768\tindex.htm\r\n800x600\tpage0001.htm\r\n"));
  fs::last_write_time(path, kOld);
  ASSERT_TRUE(GalleryRecord::Write(dir.Path(), files));
  EXPECT_EQ(fs::last_write_time(path), kOld);
  // Nothing it would not read back is written.
  for (const char* bad : {"foto/../x.jpg", "foto/.x", "other/x.jpg", "x.jpg", "foto/"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(GalleryRecord::Write(dir.Path(), {bad}));
  }
  ASSERT_EQ(GalleryRecord::Read(dir.Path(), read), GalleryRecord::TRead::kRead);
  EXPECT_EQ(read, files);
  // Added files go in; a gallery without a record gets none.
  ASSERT_TRUE(GalleryRecord::Add(dir.Path(), {"foto/new.jpg"}));
  ASSERT_EQ(GalleryRecord::Read(dir.Path(), read), GalleryRecord::TRead::kRead);
  EXPECT_EQ(read.count("foto/new.jpg"), 1u);
  testsupport::TempDir none;
  ASSERT_TRUE(GalleryRecord::Add(none.Path(), {"foto/new.jpg"}));
  EXPECT_FALSE(fs::exists(GalleryRecord::RecordPath(none.Path())));
}

// The sizes the thumbnail of photo comes to at each quality from 1 to 99,
// as a run encodes it.
std::vector<int64_t> ThumbnailSizes(const std::string& photo, const std::string& work) {
  TExifReader reader;
  EXPECT_TRUE(reader.ReadFromFile(photo));
  EXPECT_TRUE(JPegUtils::ExtractThumbnail(reader, work));
  std::vector<int64_t> sizes(100, -1);
  for (int quality = 1; quality <= 99; ++quality) {
    JPegUtils::TCompressSettings settings;
    settings.Compression = 100 - quality;
    settings.Keep = false;
    settings.MaxSize = settings.Tolerance = "0";
    std::string jpeg;
    EXPECT_TRUE(JPegUtils::EncodeToTargetSize(work, work, JPegUtils::kSiteThumbMode, reader.GetOrientation(),
                                              settings, {}, jpeg));
    sizes[static_cast<size_t>(quality)] = static_cast<int64_t>(jpeg.size());
  }
  return sizes;
}

TEST_F(GalleryRunTest, ASecondRunWritesNoFileAlsoForAnImageOutsideItsWindow) {
  const std::vector<std::string> photos = AddCameraPhotos(4);
  const struct {
    const char* what;
    bool outside;
    bool keep;
  } cases[] = {{"every image in its window", false, true},
               {"without a size limit", false, false},
               {"thumbnails that cannot land in it", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    project_.KeepMaxImgSize = project_.KeepTbMaxSize = c.keep;
    if (c.outside) {
      // A window between two qualities next to each other, so that where the
      // search ends depends on where it starts.
      const std::vector<int64_t> sizes = ThumbnailSizes(photos[0], out_.File("thumbnail.jpg"));
      size_t quality = 20;
      while (quality < 98 && sizes[quality + 1] - sizes[quality] < 4) ++quality;
      project_.TbMaxSize = std::to_string((sizes[quality] + sizes[quality + 1]) / 2);
      project_.TbTolerance = "1";
    }
    ASSERT_EQ(Run().Outcome, TOutcome::kDone);
    const THtmlProject settings = project_;
    const auto before = States(Html(""));
    const auto cache = States(photos_.Path()).at(ImageCRC::kCacheName);
    ASSERT_EQ(Run().Outcome, TOutcome::kDone);
    // Those thumbnails, and without a limit every image, are tried again
    // and come out the same.
    EXPECT_EQ(encodings_ > 0, c.outside || !c.keep);
    EXPECT_EQ(States(Html("")), before);
    EXPECT_TRUE(States(photos_.Path()).at(ImageCRC::kCacheName) == cache);
    EXPECT_EQ(project_.TbCompression, settings.TbCompression);
    EXPECT_EQ(project_.ThumbQualityStep, settings.ThumbQualityStep);
    EXPECT_EQ(project_.ImageCompression, settings.ImageCompression);
  }
}

TEST_F(GalleryRunTest, ARunStoppedAndFinishedGivesTheImagesOfOneRun) {
  const std::vector<std::string> photos = AddCameraPhotos(6);
  // Windows every image has to search for.
  project_.ImgMaxSize = "9";
  project_.ImgTolerance = "1";
  project_.TbMaxSize = "1800";
  project_.TbTolerance = "60";
  const THtmlProject settings = project_;
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  const std::map<std::string, std::string> oneRun = Files();

  // The same photos into a new gallery, stopped at the fourth photo.
  testsupport::TempDir again;
  for (const std::string& photo : photos) fs::copy_file(photo, again.File(fs::path(photo).filename()));
  project_ = settings;
  project_.HtmlDir = again.File("Web Out");
  struct TStop {};
  TIgnoreList ignore;
  int shown = 0;
  GalleryRun::TEvents events;
  events.ShowPhoto = [&shown](const std::string&, const TExifReader&, const std::string&) {
    if (++shown == 4) throw TStop{};
  };
  const std::vector<std::string> list = GalleryRun::ListPhotos(again.Path(), ignore);
  EXPECT_THROW(GalleryRun::Generate(project_, again.Path(), list, {}, events), TStop);
  ASSERT_TRUE(fs::exists(again.File("Web Out/foto/canon-ixus.jpg")));
  ASSERT_EQ(GalleryRun::Generate(project_, again.Path(), list, {}, {}).Outcome, TOutcome::kDone);
  std::map<std::string, std::string> finished;
  for (const auto& [rel, state] : States(again.File("Web Out")))
    if (rel.rfind("ico/", 0) != 0 && rel != "." && rel.back() != '/') finished[rel] = state.bytes;
  for (const auto& [rel, bytes] : oneRun) {
    if (rel.rfind("th/", 0) == 0 || rel.rfind("foto/", 0) == 0) {
      EXPECT_TRUE(finished.at(rel) == bytes) << rel;
    }
  }
  EXPECT_EQ(finished.size(), oneRun.size());
}

// The program's own files in the private temporary folder that a run leaves
// when it is killed: its thumbnail and work files.
// True when path is a file another process holds locked (flock).
bool IsLocked(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);
  return locked;
}

std::vector<std::string> RunLeftovers() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(platform::PrivateTempDir())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".~qm") || name.starts_with("quillmarsh_genhtml_tmp")) names.push_back(name);
  }
  return names;
}

// A run killed anywhere leaves its thumbnail in the private temporary
// folder; the next start's sweep or the next run removes it, while the
// thumbnail of a run still going stays, whatever its process id.
TEST_F(GalleryRunTest, AKilledRunsThumbnailGoesWithTheNextStartOrRunARunningOnesStays) {
  AddCameraPhotos(4);
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  // The children's runs are such runs over an unchanged gallery.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run().Outcome, TOutcome::kDone);
  const long micros = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - start).count();
  const auto runInChild = [this] {
    const pid_t child = fork();
    if (child == 0) {
      for (;;) (void)Run();
    }
    return child;
  };

  // A run stopped half-way, as a copy of the program busy beside this one.
  const pid_t running = runInChild();
  const std::string held = platform::PrivateTempDir() + WorkNames::GenerationThumbnailName(running);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  bool stopped = false;
  while (!stopped && std::chrono::steady_clock::now() < until) {
    if (!fs::exists(held)) continue;
    kill(running, SIGSTOP);
    waitpid(running, nullptr, WUNTRACED);
    // Stopped once it holds the file: between making it and locking it, a
    // sweep may take it, as it should.
    stopped = IsLocked(held);
    if (!stopped) kill(running, SIGCONT);
  }
  ASSERT_TRUE(stopped);
  AppFolders::RemoveLeftovers();
  EXPECT_TRUE(fs::exists(held));
  EXPECT_EQ(Run().Outcome, TOutcome::kDone);
  EXPECT_TRUE(fs::exists(held));
  kill(running, SIGKILL);
  waitpid(running, nullptr, 0);
  AppFolders::RemoveLeftovers();
  EXPECT_EQ(RunLeftovers(), std::vector<std::string>{});

  std::mt19937 random(33);
  std::uniform_int_distribution<long> moment(0, 2 * micros + 100);
  int leftBehind = 0;
  // On a busy machine a child may be killed before it starts its run: more
  // rounds then, until one is stopped half-way.
  for (int round = 0; round < 20 || (leftBehind == 0 && round < 400); ++round) {
    const pid_t child = runInChild();
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!RunLeftovers().empty()) ++leftBehind;
    if (round % 2 == 0) {
      AppFolders::RemoveLeftovers();
    } else {
      ASSERT_EQ(Run().Outcome, TOutcome::kDone) << round;
    }
    ASSERT_EQ(RunLeftovers(), std::vector<std::string>{}) << round;
  }
  EXPECT_GT(leftBehind, 0);  // some kills did stop a run half-way
}

}  // namespace
