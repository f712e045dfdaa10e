// The gallery's navigation images, as the bytes of their files.
#pragma once

#include <span>

namespace NavImages {

// left.gif, right.gif: 20x20 GIF89a, 16-colour table, transparent #BFBFBF.
extern const std::span<const unsigned char> kLeftGif;
extern const std::span<const unsigned char> kRightGif;
// left2.gif, right2.gif: 31x31 GIF89a, 256-colour table, transparent #C0C0C0.
extern const std::span<const unsigned char> kLeft2Gif;
extern const std::span<const unsigned char> kRight2Gif;
// film.jpg: 100x18 progressive JPEG (JFIF 1.01, 96 dpi, 3 components).
extern const std::span<const unsigned char> kFilmJpg;
// bkgr.gif: 7x7 GIF89a, 256-colour table, no transparency, #081838.
extern const std::span<const unsigned char> kBackgroundGif;
// white31.gif: 31x31 GIF89a, 2-colour table (black, white), all white.
extern const std::span<const unsigned char> kWhite31Gif;

}  // namespace NavImages
