// Makes the galleries the browser test opens: gallery_fixture <folder>
// copies ten test photos into <folder>/photos (names with a blank, "#" and
// Czech letters; Czech, two-line and markup comments), generates their
// gallery once per character set into <folder>/<character set>, and prints
// what the pages must show as JSON: per gallery its folder, character set
// and title, and the photos in gallery order with their page, thumbnail and
// comment.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/GalleryPages.h"
#include "gallery/generate/GalleryRun.h"
#include "metadata/exif.h"
#include "photos/IgnoreList.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "Výlet: Šťastný žluťoučký kůň";

struct TPhoto {
  const char* source;
  const char* name;
  const char* comment;
};

// Letters that differ between ISO-8859-2 and windows-1250 (š ť ž Š), and
// ones ISO-8859-1 lacks (ů ň ě ď).
const TPhoto kPhotos[] = {
    {"fujifilm-finepix40i.jpg", "a #1.jpg", "Šťastný žluťoučký kůň úpěl ďábelské ódy"},
    {"olympus-c960.jpg", "Žluťoučký kůň.jpg", "První řádek\r\nDruhý řádek"},
    {"canon-ixus.jpg", "canon.jpg",
     "<script>window.injected = 1;</script><b id=\"injected\">tučně</b> & \"uvozovky\" 'a' <!--"},
    {"Ricoh_Caplio_RR330.jpg", "ricoh.jpg", ""},
    {"Konica_Minolta_DiMAGE_Z3.jpg", "konica.jpg", "Šíp"},
    {"Kodak_CX7530.jpg", "kodak.jpg", ""},
    {"Samsung_Digimax_i50_MP3.jpg", "samsung.jpg", "Žďár"},
    {"Fujifilm_FinePix_E500.jpg", "fuji.jpg", "Osmý snímek"},
    {"Olympus_C8080WZ.jpg", "olympus.jpg", ""},
    {"Sony_HDR-HC3.jpg", "sony.jpg", "Desátý snímek"},
};

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", c);
      out += code;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool SetComment(const std::string& photo, const std::string& comment) {
  if (comment.empty()) return true;
  TExifReader reader;
  if (!reader.ReadFromFile(photo)) return false;
  reader.SetUserComment(comment);
  return reader.WriteUserComment();
}

std::string CommentOf(const std::string& path) {
  for (const TPhoto& photo : kPhotos)
    if (fs::path(path).filename() == photo.name) return photo.comment;
  return std::string();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gallery_fixture <folder>\n");
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path photos = root / "photos";
  fs::create_directories(photos);
  for (const TPhoto& photo : kPhotos) {
    const fs::path path = photos / photo.name;
    fs::copy_file(fs::path(QUILLMARSH_TEST_PHOTOS) / photo.source, path, fs::copy_options::overwrite_existing);
    if (!SetComment(path.string(), photo.comment)) {
      std::fprintf(stderr, "cannot write the comment of %s\n", photo.name);
      return 1;
    }
  }
  TIgnoreList ignore;
  ignore.Load(photos.string());
  const std::vector<std::string> list = GalleryRun::ListPhotos(photos.string(), ignore);

  std::printf("{\"galleries\": [");
  for (int charCode = 0; charCode < 3; ++charCode) {
    const std::string charset = GalleryPages::CharSetOf(charCode);
    THtmlProject project;
    project.ProjectName = kTitle;
    project.HtmlDir = (root / charset).string();
    project.Shortcut = "vylet";
    project.CharCode = charCode;
    project.WebLanguage = charCode == 1 ? 1 : 0;
    const GalleryRun::TReport report =
        GalleryRun::Generate(project, photos.string(), list, ignore.Names(), {});
    if (report.Outcome != GalleryRun::TOutcome::kDone || !report.Failed.empty()) {
      std::fprintf(stderr, "generation failed for %s\n", charset.c_str());
      return 1;
    }
    std::printf("%s{\"folder\": %s, \"charset\": %s, \"title\": %s, \"czech\": %s}", charCode ? ", " : "",
                Json(project.HtmlDir).c_str(), Json(charset).c_str(), Json(kTitle).c_str(),
                project.WebLanguage == 1 ? "true" : "false");
  }
  std::printf("], \"photos\": [");
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string name = fs::path(list[i]).filename().string();
    std::printf("%s{\"name\": %s, \"page\": %s, \"thumbnail\": %s, \"exif\": %s, \"comment\": %s}",
                i ? ", " : "", Json(name).c_str(), Json(GalleryLayout::PhotoPageName(name)).c_str(),
                Json(GalleryLayout::ThumbnailName(name)).c_str(), Json(GalleryLayout::ExifPageName(name)).c_str(),
                Json(CommentOf(list[i])).c_str());
  }
  std::printf("]}\n");
  return 0;
}
