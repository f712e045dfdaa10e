#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "foundation/StrFunc.h"

namespace StrFunc {

namespace {

using Group = std::span<const std::string_view>;

constexpr auto kDiskImage =
    std::to_array<std::string_view>({"VHD", "VHDX", "VMX", "VMDK", "ISO", "NRG", "BIN", "IMG",
                                     "TIB", "ADI", "AFI", "ASHDISC", "VMEM", "VMSN", "VMSD"});
constexpr auto kArchive =
    std::to_array<std::string_view>({"ZIP", "ARC", "RAR", "ARJ", "LZH", "LZ", "TAR", "GZIP"});
constexpr auto kVideo =
    std::to_array<std::string_view>({"AVI", "MP4", "MKV", "MOV", "MPG", "MPEG", "FLV", "VOB", "TS",
                                     "MTS", "WMV", "M4V", "M2V", "3G2", "M2TS"});
constexpr auto kAudio =
    std::to_array<std::string_view>({"MP3", "WAV", "3GP", "FLAC", "AIFF", "ALAC", "M4A", "M4B",
                                     "OGG", "OPUS", "VOC", "WMA", "WEBM"});
constexpr auto kBulkData =
    std::to_array<std::string_view>({"BAK", "BBF", "BBC", "BMP", "TIFF", "TIF", "RAW", "ESP"});

bool InGroup(std::string_view ext, Group group) {
  const std::string key = UpperCaseCz(Trim(ext));
  return std::find(group.begin(), group.end(), key) != group.end();
}

}  // namespace

bool IsDiskImageExt(std::string_view ext) { return InGroup(ext, kDiskImage); }

bool IsArchiveExt(std::string_view ext) { return InGroup(ext, kArchive); }

bool IsVideoExt(std::string_view ext) { return InGroup(ext, kVideo); }

bool IsAudioExt(std::string_view ext) { return InGroup(ext, kAudio); }

bool IsBulkDataExt(std::string_view ext) {
  return InGroup(ext, kBulkData) || IsDiskImageExt(ext) || IsArchiveExt(ext) || IsVideoExt(ext) ||
         IsAudioExt(ext);
}

}  // namespace StrFunc
