// The gallery's navigation images: arrows, a blank, the background tile and
// the film edge, carried inside the program and written into a gallery's
// "ico" folder on every generation run.
#pragma once

#include <string>

namespace GenImages {

// The images' file names, in the order WriteGalleryImages writes them.
inline constexpr const char* kImageNames[] = {"left.gif", "left2.gif", "right.gif", "right2.gif",
                                              "film.jpg", "bkgr.gif",  "white31.gif"};

// Each writer writes its image whole beside fileName (creating the folder)
// and renames it over fileName; a link standing there is replaced, never
// written through. A file that holds the image already is left as it is,
// with its date. Returns false when the image cannot be written whole;
// fileName is then left as it was.
[[nodiscard]] bool GenLeftGif(const std::string& fileName);
[[nodiscard]] bool GenLeft2Gif(const std::string& fileName);
[[nodiscard]] bool GenRightGif(const std::string& fileName);
[[nodiscard]] bool GenRight2Gif(const std::string& fileName);
[[nodiscard]] bool GenOkrajFilmuJpg(const std::string& fileName);
[[nodiscard]] bool GenPozadiGif(const std::string& fileName);
[[nodiscard]] bool GenWhite31Gif(const std::string& fileName);

// Writes the seven images (kImageNames) into folder, in that order. Stops
// at the first file that fails; true only when all seven are there.
[[nodiscard]] bool WriteGalleryImages(const std::string& folder);

}  // namespace GenImages
