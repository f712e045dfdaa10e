// THtmlProjectRec, one record of the projects file: 2243 bytes, packed,
// integers little-endian, text fields a length byte and up to N bytes of
// UTF-8 (cut on a character boundary), zeros after it.
//   offset size  field
//      0     2   format, u16, always 1
//      2   256   photo folder, text[255]
//    258   256   project name, text[255]
//    514   256   browse folder of the output-folder browser, text[255]
//    770   256   output folder, text[255]
//   1026     4   photo compression, i32 (track bar position 0..100)
//   1030     4   thumbnail compression, i32
//   1034     4   character set, i32 (item index, -1 none)
//   1038     1   keep photo size, Boolean byte
//   1039     1   keep thumbnail size, Boolean byte
//   1040    21   thumbnail size in bytes, text[20]
//   1061    21   photo size in kilobytes, text[20]
//   1082    21   photo tolerance in kilobytes, text[20]
//   1103    21   thumbnail tolerance in bytes, text[20]
//   1124     4   photo quality step, i32 (written, never read back)
//   1128     4   thumbnail quality step, i32 (written, never read back)
//   1132     4   web language, i32 (item index, -1 none)
//   1136    51   rename pattern, text[50]
//   1187    16   rename first number, text[15]
//   1203    16   rename step, text[15]
//   1219     1   forced note edit, Boolean byte
//   1220    17   short name, text[16]
//   1237     1   EXIF detail pages, Boolean byte
//   1238  1005   zeros
// Files of older versions hold windows-1250 text; a field that is not valid
// UTF-8 is read as such.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "gallery/projects/HtmlProject.h"

namespace HtmlProjectRec {

constexpr size_t kRecordSize = 2243;
// The capacities of the folder fields and the short name, in bytes.
constexpr size_t kFolderCapacity = 255;
constexpr size_t kShortcutCapacity = 16;

using THtmlProjectRec = std::array<unsigned char, kRecordSize>;

// The record of a project; the quality steps are written too.
THtmlProjectRec Pack(const THtmlProject& project);
// The project a record holds, quality steps included (callers that load a
// project keep their own). The format word is not checked.
THtmlProject Unpack(std::span<const unsigned char, kRecordSize> record);

}  // namespace HtmlProjectRec
