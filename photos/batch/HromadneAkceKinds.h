// Which files the batch actions handle, told by their extensions, and the
// temporary names a rename gives them for a moment.
//
// Extensions are given without the dot and compared upper-cased
// (StrFunc::UpperCaseCz). Only JPEG files carry EXIF for the batch actions;
// every other media file is handled by its file date.
//
// A rename first moves each photo to a temporary name: its name followed by
// ".tmp", or by two or three of them when shorter ones are taken. A photo
// found under such a name is a leftover of a rename that was stopped; it
// stands for the name without the suffixes, and the next run of the same
// action finishes it. A name of the form "yyyymmdd_hhmmss-nnnn.jpg" followed
// by "-tmp" is taken the same way when the name without "-tmp" is free
// (earlier spreadings of one second's photos used that suffix; a "-tmp" file
// beside its photo is the EXIF writer's and is left alone).
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

inline constexpr char kTempSuffix[] = ".tmp";
inline constexpr int kMaxTempSuffixes = 3;
inline constexpr char kSpreadSuffix[] = "-tmp";

// The name a file name stands for: without up to three ".tmp" suffixes (any
// letter case), when what remains has a media extension; otherwise the name
// itself.
std::string StandingName(std::string_view name);
// True for a name of the form "yyyymmdd_hhmmss-nnnn.<JPEG extension>": a
// photo that shares its second with others after a rename by date.
bool IsNumberedStampName(std::string_view name);
// The name a "-tmp" leftover of a spreading stands for ("" when name is
// none): IsNumberedStampName of the name without "-tmp".
std::string SpreadLeftoverName(std::string_view name);

}  // namespace HromadneAkce
