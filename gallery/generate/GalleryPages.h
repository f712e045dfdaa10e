// The HTML of a generated gallery. For each screen size, 800x600 and
// 1024x768, the gallery is a frameset of two rows: a film strip of
// thumbnails on top (frame "topframe") and the photo page below (frame
// "main"). A thumbnail loads its photo page into "main"; a click on the
// photo loads into "topframe" the film-strip page that holds it; arrows on
// the photo page step to the previous and next photo, arrows on a strip
// page to the previous and next strip page. EXIF detail pages open in a
// window named "exifinfo".
//
// Pages are built as UTF-8 lines ended by CR LF and written through
// PageFile::Write: encoded into the project's character set, put in place
// only when their content changed (the generation date aside). Every text
// from the project or a photo goes in through HtmlText::Escape, every file
// name in a link through HtmlText::UrlPath.
#pragma once

#include <string>
#include <vector>

class TExifReader;

namespace GalleryPages {

constexpr int kSize800 = 800;
constexpr int kSize1024 = 1024;

// What differs between the two screen sizes.
struct TScreen {
  int Size;
  const char* Folder;  // GalleryLayout::k800Folder, k1024Folder
  int Capacity;        // thumbnails a film-strip page
  int BoxHeight;       // the display box of the photo page
  int BoxWidth;
};

// The screen of size 800; any other size is 1024.
const TScreen& ScreenOf(int size);
// Index 0 for 800, 1 for 1024: the run's per-size counters and buffers.
int IndexOf(int size);
// The size a site photo of width x height is shown at on a page of screen:
// its own size fitted into the page's box, its shape kept and never
// enlarged (ConvertJPeg::FitWithin); so a photo of 566 x 377 is shown so on
// the 1024 pages and at 533 x 355 on the 800 pages.
void DisplaySize(const TScreen& screen, int& width, int& height);

// The run's state that the writers read (and the counters they set).
struct TPageState {
  std::string Title;    // ProjectName trimmed, "VadaRiruv" when empty
  std::string CharSet;  // "ISO-8859-1", "ISO-8859-2" or "windows-1250"
  bool Czech = false;   // page texts in Czech, else English
  std::string HtmlDir;  // the output folder
  bool ExifPages = true;  // DetailExifForWeb
  std::string Today;    // today's date formatted with DatePattern
  std::string DatePattern = "dd.mm.yyyy";
  std::string TimePattern = "hh:mm:ss";
  // Per size (IndexOf): film-strip pages written so far, and the lower-cased
  // file name of page 1 once it is written.
  int PageCounter[2] = {0, 0};
  std::string FirstStripPage[2];
  // The photo page of the first photo.
  std::string FirstPhotoPage;
  // File names of the photos before and after the current one; empty at
  // the ends.
  std::string Previous;
  std::string Next;
  // The EXIF of the current photo.
  const TExifReader* Reader = nullptr;
};

// The character set a CharCode item index declares: 0 "ISO-8859-1",
// 1 "ISO-8859-2", anything else "windows-1250".
std::string CharSetOf(int charCode);

// ConvertLineBreaks modes: CR LF to "<br>", CR LF to kMarker, and kMarker
// back to CR LF.
constexpr int kBreaksToHtml = 0;
constexpr int kBreaksToMarker = 1;
constexpr int kMarkerToBreaks = 2;
constexpr char kMarker = '\0';
std::string ConvertLineBreaks(const std::string& text, int mode);

// The navigation line of the photo page to the previous (next) photo's page,
// or a blank 31x31 image at the end.
std::string WritePrevArrow(const TPageState& state);
std::string WriteNextArrow(const TPageState& state);

// The pages' lines, as they are written.
std::vector<std::string> FramesetLines(const TPageState& state, int size);
std::vector<std::string> FilmStripLines(const TPageState& state, int size,
                                        const std::vector<std::string>& names,
                                        const std::vector<std::string>& comments, bool isLast);

// Each writer is true when the page is in place afterwards (written or kept
// because unchanged).
// The frameset of size: the film-strip page 1 on top, the first photo page
// below.
bool WriteFrameset(const TPageState& state, int size, const std::string& path);
// Film-strip page number PageCounter of size, of the photos names (lower-
// cased file names) and their comments (in kBreaksToMarker form, a lone
// kMarker for none); fewer names than the capacity make it the last page.
// Page 1 becomes FirstStripPage.
bool WriteFilmStripPage(TPageState& state, int size, const std::string& path,
                        const std::vector<std::string>& names,
                        const std::vector<std::string>& comments, bool isLast);
// The photo page of size for the photo name (its lower-cased file name),
// whose site photo is photoWidth x photoHeight. A photo without a date
// (exif::IsNullDate) gets no date and time rows.
bool WritePhotoPage(const TPageState& state, int size, const std::string& path,
                    const std::string& name, int photoWidth, int photoHeight);
// The EXIF detail page of the photo whose page is photoPagePath, when
// ExifPages is set and the reader holds a tag name: its path, or empty when
// none was written (a page that fails is removed). A date tag whose date is
// empty gets no row.
std::string WriteExifDetailPage(const TPageState& state, const std::string& photoPagePath);

}  // namespace GalleryPages
