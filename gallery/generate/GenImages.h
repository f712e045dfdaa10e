// The gallery's navigation images: arrows, a blank, the background tile and
// the film edge, carried inside the program and written into a gallery's
// "ico" folder on every generation run.
#pragma once

#include <string>

namespace GenImages {

// Each writer writes its image whole beside fileName (creating the folder)
// and renames it over fileName; a link standing there is replaced, never
// written through. Returns false when the image cannot be written whole;
// fileName is then left as it was.
[[nodiscard]] bool GenLeftGif(const std::string& fileName);
[[nodiscard]] bool GenLeft2Gif(const std::string& fileName);
[[nodiscard]] bool GenRightGif(const std::string& fileName);
[[nodiscard]] bool GenRight2Gif(const std::string& fileName);
[[nodiscard]] bool GenOkrajFilmuJpg(const std::string& fileName);
[[nodiscard]] bool GenPozadiGif(const std::string& fileName);
[[nodiscard]] bool GenWhite31Gif(const std::string& fileName);

// Writes "left.gif", "left2.gif", "right.gif", "right2.gif", "film.jpg",
// "bkgr.gif" and "white31.gif" into folder, in that order, always rewriting
// them. Stops at the first file that fails; true only when all seven were
// written.
[[nodiscard]] bool WriteGalleryImages(const std::string& folder);

}  // namespace GenImages
