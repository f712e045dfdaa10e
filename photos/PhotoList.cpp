#include "photos/PhotoList.h"

#include <algorithm>
#include <cstring>

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/wobjdata.h"
#include "metadata/exif.h"

namespace PhotoList {

namespace {

// What the loader keeps beside each record.
struct TPending {
  TPhotoEntry entry;
  std::string upperName;
};

std::string CommentText(const std::vector<std::string>& lines, int width) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += ' ';
    text += StrFunc::Trim(lines[i]);
    if (static_cast<int>(Utf8::Length(text)) > width) {
      return Utf8::Left(text, static_cast<size_t>(std::max(width - 3, 0))) + "...";
    }
  }
  return text;
}

TPhotoRecord MakeRecord(const TExifReader& reader, const std::string& upperName, int32_t source) {
  TPhotoRecord record{};
  const TDateTime date = reader.GetPictureDate();
  record.ExposureDate = DateFunc::DateTimeToDayNum(date);
  record.ExposureTime = DateFunc::DateTimeToSeconds(date);
  size_t length = std::min(upperName.size(), sizeof record.Name);
  // A cut inside a character would leave half of it: cut before it.
  while (length > 0 && length < upperName.size() && (upperName[length] & 0xC0) == 0x80) --length;
  record.NameLength = static_cast<uint8_t>(length);
  std::memcpy(record.Name, upperName.data(), length);
  record.Source = source;
  return record;
}

int CompareInts(int32_t a, int32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Byte-wise on the records' fields; where one field is the beginning of the
// other, as when a name was cut, the full names beside them decide.
int CompareNames(const TPhotoRecord& a, const TPhotoRecord& b,
                 const std::vector<TPending>& pending) {
  const int common = std::min(a.NameLength, b.NameLength);
  const int prefix = std::memcmp(a.Name, b.Name, static_cast<size_t>(common));
  if (prefix != 0) return prefix;
  return pending[static_cast<size_t>(a.Source)].upperName.compare(
      pending[static_cast<size_t>(b.Source)].upperName);
}

TDataCompare Comparison(bool byExposure, const std::vector<TPending>& pending) {
  return [byExposure, &pending](const uint8_t* x, const uint8_t* y) {
    const auto& a = *reinterpret_cast<const TPhotoRecord*>(x);
    const auto& b = *reinterpret_cast<const TPhotoRecord*>(y);
    if (byExposure) {
      if (const int c = CompareInts(a.ExposureDate, b.ExposureDate); c != 0) return c;
      if (const int c = CompareInts(a.ExposureTime, b.ExposureTime); c != 0) return c;
    }
    return CompareNames(a, b, pending);
  };
}

}  // namespace

bool IsListedName(const std::string& name) {
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractExt(name)));
  return ext == "JPG" || ext == "JPEG" || ext == "EXIF";
}

int CommentWidth(const std::string& datePattern, const std::string& timePattern) {
  return 101 - static_cast<int>(Utf8::Length(datePattern)) -
         static_cast<int>(Utf8::Length(timePattern)) - 5;
}

std::string DisplayText(const std::vector<std::string>& commentLines, const std::string& fileName,
                        int32_t dayNum, int32_t seconds, const std::string& datePattern,
                        const std::string& timePattern) {
  std::string text =
      StrFunc::Trim(CommentText(commentLines, CommentWidth(datePattern, timePattern)));
  if (text.empty()) text = fileName;
  const bool dated = dayNum >= 0;
  const std::string display = (dated ? DateFunc::FormatDayNum(datePattern, dayNum) : std::string()) + "|" +
                              (dated ? DateFunc::FormatSeconds(timePattern, seconds) : std::string()) + "|" +
                              text;
  return Utf8::Left(display, kMaxDisplayLength);
}

TPhotoListing Load(const std::vector<std::string>& paths, const TPhotoListOptions& options) {
  TPhotoListing listing;
  std::vector<TPending> pending;
  TDataList records(sizeof(TPhotoRecord));
  TExifReader reader;
  for (const std::string& given : paths) {
    if (options.Step) options.Step();
    ++listing.Processed;
    const std::string path = StrFunc::Trim(given);
    if (!IsListedName(path)) continue;
    reader.ReadPictureInfo(path);
    // The reader forgets the name only when the file could not be opened.
    if (reader.FileName().empty()) continue;
    const std::string name = StrFunc::ExtractName(path);
    std::string upperName = StrFunc::UpperCaseCz(name);
    const TPhotoRecord record =
        MakeRecord(reader, upperName, static_cast<int32_t>(pending.size()));
    records.Add(&record);
    const bool dated = !exif::IsNullDate(reader.GetPictureDate());
    std::string display =
        DisplayText(reader.Values().userCommentLines, name, dated ? record.ExposureDate : -1,
                    record.ExposureTime, options.DatePattern, options.TimePattern);
    pending.push_back({{path, std::move(display)}, std::move(upperName)});
  }
  records.Sort(Comparison(options.ByExposure, pending));
  listing.Entries.reserve(pending.size());
  for (int32_t i = 0; i < records.Count(); ++i) {
    const auto* record = reinterpret_cast<const TPhotoRecord*>(records.GetItemData(i));
    listing.Entries.push_back(std::move(pending[static_cast<size_t>(record->Source)].entry));
  }
  return listing;
}

}  // namespace PhotoList
