// Which files the batch actions handle, told by their extensions, and the
// temporary names a rename gives them for a moment.
//
// Extensions are given without the dot and compared upper-cased
// (StrFunc::UpperCaseCz). Only JPEG files carry EXIF for the batch actions;
// every other media file is handled by its file date.
//
// A rename first moves each photo to a temporary name: its name followed by
// kTempSuffix, or by two or three of them when shorter ones are taken. A
// photo found under such a name is a leftover of a rename that was stopped;
// it stands for the name without the suffixes, and the next run of the same
// action finishes it. The suffix carries the program's work mark
// (foundation/WorkNames.h): a user's own "x.jpg.tmp" is no leftover, and its
// extension "tmp" is no media extension.
#pragma once

#include <string>
#include <string_view>

namespace HromadneAkce {

// "JPG", "JPEG".
bool IsJpegExt(std::string_view ext);
// A JPEG extension, or "PNG", "BMP", "RAW", "HEIC".
bool IsPictureExt(std::string_view ext);
// "MP4", "3GP", "MOV".
bool IsVideoExt(std::string_view ext);
bool IsMediaExt(std::string_view ext);
// IsJpegExt of the extension of a file name or path.
bool IsJpegFile(std::string_view name);

inline constexpr char kTempSuffix[] = ".~qm.tmp";
inline constexpr int kMaxTempSuffixes = 3;

// The name a file name stands for: without up to three kTempSuffix (any
// letter case), when what remains has a media extension; otherwise the name
// itself.
std::string StandingName(std::string_view name);
// True for a name of the form "yyyymmdd_hhmmss-nnnn.<JPEG extension>": a
// photo that shares its second with others after a rename by date.
bool IsNumberedStampName(std::string_view name);

}  // namespace HromadneAkce
