// Helpers of the EXIF writing tests: what a photo shows before and after a
// write, and what exiftool's validation says of it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "metadata/exif.h"
#include "metadata/exifSegment.h"
#include "tests/support/TestSupport.h"

namespace exifwrite {

// Photos of tests/data/photos that carry EXIF.
inline const std::vector<std::string>& ExifPhotos() {
  static const std::vector<std::string> photos = {
      "Canon_40D.jpg", "Canon_PowerShot_S40.jpg", "Fujifilm_FinePix_E500.jpg", "Kodak_CX7530.jpg",
      "Konica_Minolta_DiMAGE_Z3.jpg", "Nikon_D70.jpg", "Olympus_C8080WZ.jpg",
      "PaintTool_sample.jpg", "Panasonic_DMC-FZ30.jpg", "Pentax_K10D.jpg", "Ricoh_Caplio_RR330.jpg",
      "Samsung_Digimax_i50_MP3.jpg", "Sony_HDR-HC3.jpg", "canon-ixus.jpg", "fujifilm-finepix40i.jpg",
      "gps_DSCN0010.jpg", "gps_DSCN0021.jpg", "long_description.jpg", "nikon-e950.jpg",
      "olympus-c960.jpg",
      "t_22-canon_tags.jpg"};
  return photos;
}

// Display rows by key (padding keys take the key before them), as
// "key|name|text" lines.
inline std::multiset<std::string> RowLines(const TExifRows& rows, const std::set<std::string>& skip) {
  std::multiset<std::string> lines;
  std::string key;
  for (size_t i = 0; i < rows.names.size(); ++i) {
    if (i < rows.keys.size() && rows.keys[i].size() > 1) key = rows.keys[i];
    if (skip.count(key) || skip.count(key.substr(0, key.find('x') + 1))) continue;
    lines.insert(key + "|" + rows.names[i] + "|" + rows.texts[i]);
  }
  return lines;
}

// What must survive a write that does not touch these rows.
struct PhotoView {
  std::multiset<std::string> standard, maker;
  std::string thumbnail, makerNote;
  // Where in the note the offsets that count from the TIFF header lie; they
  // move with the data, every other byte of the note must stay.
  std::vector<size_t> noteOffsetFields;
  uint32_t width = 0, height = 0;
  bool decodes = false;
};

inline std::string MakerNoteBytes(TExifReader& reader, const std::string& workDir) {
  const std::string segment = workDir + "/view.seg";
  if (!reader.ExportExifSegment(segment)) return {};
  int damage = 0;
  uint32_t size = 0, offset = 0, entry = 0;
  std::string bytes;
  if (exif::FindTagInSegment(segment, exif::kExifIfd, exif::kTagMakerNote, damage, size, offset,
                             entry))
    bytes = testsupport::ReadFileBytes(segment).substr(
        static_cast<size_t>(12 + reader.Values().tiffShift) + offset, size);
  std::remove(segment.c_str());
  return bytes;
}

// skip: keys ("2x37510") or kind prefixes ("28x") left out of the rows.
inline PhotoView View(const std::string& photo, const std::set<std::string>& skip) {
  PhotoView view;
  TExifReader reader;
  reader.ReadFromFile(photo);
  view.standard = RowLines(reader.StandardRows(), skip);
  view.maker = RowLines(reader.MakerRows(), skip);
  const std::string dir = photo.substr(0, photo.rfind('/'));
  const std::string thumb = dir + "/view.thumb";
  if (reader.SaveThumbnail(thumb)) view.thumbnail = testsupport::ReadFileBytes(thumb);
  std::remove(thumb.c_str());
  view.makerNote = MakerNoteBytes(reader, dir);
  const uint64_t noteAt = uint64_t(reader.Values().makerNoteOffset) +
                         static_cast<uint64_t>(12 + reader.Values().tiffShift);
  TExifEntryRecord r;
  for (int32_t i = 0; i < reader.Records().Count(); ++i) {
    reader.Records().GetItem(i, &r);
    const bool makerEntry = r.recordType == kRecordEntry && r.kind >= 4 && r.kind < 28;
    if (makerEntry && r.offsetBase == 0 && uint64_t(r.count) * exif::TypeSize(r.type) > 4)
      view.noteOffsetFields.push_back(size_t(r.position + 8 - noteAt));
  }
  // A footer holding the note's own offset (Canon) moves with the note.
  const std::string& note = view.makerNote;
  if (note.size() >= 8 && (note.compare(note.size() - 8, 4, std::string("II*\0", 4)) == 0 ||
                           note.compare(note.size() - 8, 4, std::string("MM\0*", 4)) == 0))
    view.noteOffsetFields.push_back(note.size() - 4);
  view.decodes = exif::GetJpegPixelSize(photo, view.width, view.height);
  return view;
}

inline void ExpectSameView(const PhotoView& before, const PhotoView& after) {
  EXPECT_EQ(before.standard, after.standard);
  EXPECT_EQ(before.maker, after.maker);
  EXPECT_TRUE(before.thumbnail == after.thumbnail) << "thumbnail bytes changed";
  std::string note = before.makerNote, noteAfter = after.makerNote;
  for (const size_t field : before.noteOffsetFields) {
    if (field + 4 > note.size() || field + 4 > noteAfter.size()) continue;
    note.replace(field, 4, 4, '\0');
    noteAfter.replace(field, 4, 4, '\0');
  }
  EXPECT_TRUE(note == noteAfter) << "maker note bytes changed";
  EXPECT_TRUE(after.decodes);
  EXPECT_EQ(before.width, after.width);
  EXPECT_EQ(before.height, after.height);
}

// exiftool's validation warnings, one per line.
inline std::set<std::string> ValidationWarnings(const std::string& photo) {
  std::set<std::string> lines;
  const std::string text =
      testsupport::CommandOutput("exiftool -q -validate -warning -a -s -s -s '" + photo + "'");
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    const std::string line = text.substr(start, end - start);
    const bool summary = !line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) &&
                         line.find(" Warning") != std::string::npos;
    if (!summary && line != "OK" && !line.empty()) lines.insert(line);
    start = end + 1;
  }
  return lines;
}

// Warnings the photo has now and did not have before, leaving out those the
// caller expects.
inline std::set<std::string> NewWarnings(const std::set<std::string>& before,
                                         const std::string& photo,
                                         const std::set<std::string>& expected = {}) {
  std::set<std::string> added;
  for (const std::string& w : ValidationWarnings(photo))
    if (!before.count(w) && !expected.count(w)) added.insert(w);
  return added;
}

}  // namespace exifwrite
