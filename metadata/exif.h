// TExifReader: the EXIF model of one JPEG photo, read from the EXIF APP1
// segment at the head of the file. Every decoded tag becomes a display row
// (key, English name, display text) in one of two groups, and the values the
// program works with are kept as typed fields together with the file
// positions the writers rewrite in place.
//
// Reading never throws and never trusts the file: every count, size and
// offset is checked against the segment before use, and what lies outside is
// dropped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/DateTime.h"
#include "foundation/wobjdata.h"
#include "metadata/exifSegmentPlace.h"
#include "metadata/exifTagNumbers.h"

namespace exif {

// IFD kinds. Kinds 0-3 and 29 form the first display group, 4-28 the second.
constexpr uint8_t kIfd0 = 0;
constexpr uint8_t kIfd1 = 1;
constexpr uint8_t kExifIfd = 2;
constexpr uint8_t kInteropIfd = 3;
constexpr uint8_t kMakerNote = 4;
constexpr uint8_t kOlympusIfd = 5;
constexpr uint8_t kCanonIfd = 6;
constexpr uint8_t kNikon1Ifd = 7;
constexpr uint8_t kNikon2Ifd = 8;
constexpr uint8_t kCasioIfd = 9;
constexpr uint8_t kFujifilmIfd = 10;
constexpr uint8_t kPanasonicIfd = 12;
constexpr uint8_t kMinoltaIfd = 13;
constexpr uint8_t kSonyIfd = 15;
constexpr uint8_t kGpsIfd = 28;
constexpr uint8_t kFurtherIfd = 29;

// Pointer tags leading to the IFD of the kind above.
constexpr uint16_t kTagExifPointer = 34665;
constexpr uint16_t kTagInteropPointer = 40965;
constexpr uint16_t kTagMakerNote = 37500;
constexpr uint16_t kTagGpsPointer = 34853;

// The reader's state before anything was read.
constexpr uint8_t kNothingRead = 24;

constexpr uint32_t kIntelOrder = 0x4949;     // "II", little-endian
constexpr uint32_t kMotorolaOrder = 0x4D4D;  // "MM", big-endian

// TIFF types.
enum : uint16_t {
  kTypeByte = 1, kTypeAscii, kTypeShort, kTypeLong, kTypeRational, kTypeSByte,
  kTypeUndefined, kTypeSShort, kTypeSLong, kTypeSRational, kTypeFloat, kTypeDouble
};
// Bytes per element; 0 for a type outside 1-12.
uint32_t TypeSize(uint32_t type);

// The pointer tag of a kind (0 for kinds without one), and the kind a pointer
// tag leads to (29 for any other tag).
uint16_t PointerTagOfKind(uint8_t kind);
uint8_t KindOfPointerTag(uint16_t tag);
// The kind of the IFD that holds a pointer tag.
uint8_t ParentKindOfPointerTag(uint16_t tag);

// Display key of a tag: "2x37385".
std::string MakeKey(uint8_t kind, uint16_t tag);
// Group two holds the maker-note and GPS kinds (4-28).
inline bool IsSecondGroup(uint8_t kind) { return kind >= 4 && kind <= 28; }

// The no-date value, 1900-01-01 00:00:00.
TDateTime NullDate();
// True for a value that does not decode, or 1 January of a year up to 2000
// at 00:00:00.
bool IsNullDate(TDateTime value);
// "yyyy:mm:dd hh:mm:ss" ("/" accepted for ":"); NullDate() when any part
// does not read or the date or time does not exist.
TDateTime ParseExifDate(std::string_view text);
// The display form of a date: "dd.mm.yyyy  hh:mm:ss   Weekday", the same on
// every machine whatever its locale.
std::string FormatDisplayDate(TDateTime value);

// The English name of a tag of an IFD kind, trimmed. An unnamed tag gives
// "0x" and four upper-case hexadecimal digits, or "" when hideUnnamed is set.
std::string GetTagName(uint8_t kind, uint16_t tag, bool hideUnnamed);

// A number in the general format with the given significant digits: the
// shortest text, fixed notation when the value is at least 0.0001 and has no
// more whole digits than the precision, otherwise "1.5E-7" / "1E20". The last
// digit is rounded to nearest, halves to even.
std::string FormatGeneral(double value, int precision);

}  // namespace exif

// One walked IFD head, next-IFD link or entry, as kept in the reader's record
// list: 22 bytes, packed, host byte order.
#pragma pack(push, 1)
struct TExifEntryRecord {
  uint8_t kind;
  uint8_t recordType;  // kRecordHead, kRecordLink or kRecordEntry
  uint32_t position;   // file position of the entry count, link or entry
  uint32_t offsetBase; // added to value offsets (entries of some maker notes)
  uint16_t tag;        // entry: tag; head: entry count; link: low half of the offset
  uint16_t type;       // entry: TIFF type; link: high half of the offset
  uint32_t count;      // entry: element count
  uint32_t value;      // entry: value or value offset
};
#pragma pack(pop)
static_assert(sizeof(TExifEntryRecord) == 22);

constexpr uint8_t kRecordHead = 0;
constexpr uint8_t kRecordLink = 1;
constexpr uint8_t kRecordEntry = 2;

// The display rows of one group: three index-aligned lists. A key may be a
// one-character NUL padding string when a multi-line text added several rows.
struct TExifRows {
  std::vector<std::string> keys;
  std::vector<std::string> names;
  std::vector<std::string> texts;
};

// Everything the user can edit: the values the setters change, with their
// changed flags. It is the part of TExifValues that a snapshot carries across
// a re-read of the photo.
struct TExifEditState {
  TDateTime dateTime = 0, dateTimeOriginal = 0, dateTimeDigitized = 0;
  bool dateTimeChanged = false, dateTimeOriginalChanged = false,
       dateTimeDigitizedChanged = false;
  // The comment's lines as the user has them now.
  std::vector<std::string> userCommentLines;
  // GPS. Degrees, minutes, seconds and the altitude are -1 when unset.
  std::string latitudeRef, longitudeRef;
  int32_t latitudeDeg = -1, latitudeMin = -1;
  double latitudeSec = -1;
  int32_t longitudeDeg = -1, longitudeMin = -1;
  double longitudeSec = -1;
  uint8_t altitudeRef = 0;
  double altitude = -1;
  bool latitudeChanged = false, longitudeChanged = false, altitudeChanged = false;
};

// The typed values of the last read, the editable ones among them. File
// positions and IFD offsets are -1 when unknown; a TIFF offset o lies at file
// position o + 12 + tiffShift.
struct TExifValues : TExifEditState {
  int32_t tiffShift = 0;  // the APP1's file position less 2
  int32_t exifOffset = -1;
  int32_t interopOffset = -1;
  int32_t makerNoteOffset = -1;

  // IFD0 texts and the positions of the three dates' values (known only
  // when the value stood out of line and was exactly 20 bytes long).
  std::string imageDescription, make, model, software, copyright;
  uint16_t orientation = 0;  // 0 when IFD0 has no Orientation tag
  int32_t dateTimePos = -1, dateTimeOriginalPos = -1, dateTimeDigitizedPos = -1;
  // The fractions of the second of DateTime and DateTimeOriginal, as written.
  std::string subSecTime, subSecTimeOriginal;

  // Further standard values shown by the display formatting.
  uint16_t flash = 255;
  uint32_t pixelXDimension = 0, pixelYDimension = 0;
  int32_t pixelXPos = -1, pixelYPos = -1;
  double xResolution = 0, yResolution = 0;
  double focalPlaneXResolution = 0, focalPlaneYResolution = 0;
  double exposureTime = 0;
  std::string exposureTimeText;
  double fNumber = 0;
  std::string compressedBitsPerPixel;
  uint32_t isoSpeed = 0;
  std::string exifVersion, flashPixVersion, interopVersion, fujifilmVersion;

  // User comment: the text as read, and where its value lies.
  std::string userComment;
  int32_t userCommentPos = -1, userCommentCount = -1, userCommentOffset = -1;

  // Interoperability.
  std::string relatedImageFileFormat;
  int32_t relatedImageWidth = 0, relatedImageLength = 0;

  // IFD1: thumbnail size and the embedded JPEG (TIFF offset and length).
  uint32_t thumbnailWidth = 0, thumbnailLength = 0;
  uint32_t thumbnailOffset = 0, thumbnailSize = 0;

  // Maker values.
  uint32_t olympusSpecialMode[3] = {0, 0, 0};
  int32_t olympusSpecialModePos = -1;
  std::string olympusFirmware, olympusPictureInfo, olympusSerial;
  uint32_t olympusImageWidth = 0, olympusImageHeight = 0;
  std::string canonImageType, canonFirmware, canonOwner, canonSerial;
  uint32_t canonImageNumber = 0;
  std::string nikonColorMode, nikonQuality, nikonWhiteBalance, nikonSharpening,
      nikonFocusMode, nikonFlashSetting, nikonIsoSelection, nikonImageAdjustment,
      nikonAdapter;
  double casioObjectDistance = 0;
  int32_t casioDigitalZoom = 0;

  // GPS, beside the position: the GPS day is a DateFunc day number, -1 when
  // absent.
  int32_t gpsOffset = -1, gpsPointerPos = -1;
  bool gpsValid = false;
  int32_t gpsDay = -1;
  TDateTime gpsTime = 0;
  int32_t latitudeRefPos = -1, longitudeRefPos = -1, altitudeRefPos = -1;
  int32_t latitudePos = -1, longitudePos = -1, altitudePos = -1;
  int32_t gpsTimePos = -1, gpsDatePos = -1;
};

struct TExifValueView;  // one entry's value bytes (exifValue.h)
struct TExifDecodedEntry;  // one entry as the walk decoded it (exifExtract.h)
class TExifDataBlock;   // entries for a segment rebuild (exifDataBlock.h)

class TExifReader {
 public:
  TExifReader();
  ~TExifReader();
  TExifReader(const TExifReader&) = delete;
  TExifReader& operator=(const TExifReader&) = delete;

  // Forgets everything read and every pending change; keeps HideUnnamedTags.
  void Clear();
  // Reads the EXIF of a JPEG file: the first APP1 "Exif" segment among the
  // segments in front of its image data, wherever it stands (behind the SOI,
  // a JFIF APP0, an ICC APP2, an XMP APP1 ...). Only that segment is read.
  // False (empty lists, null dates) when the file cannot be opened or carries
  // no such segment; the file name is kept unless the file could not be
  // opened.
  bool ReadFromFile(const std::string& fileName);
  // ReadFromFile for a list of photos: only the three dates, the fractions
  // of their second and the user comment are read, with their rows and
  // values as ReadFromFile gives them (so GetPictureDate and GetSubSecTime
  // are the same); no other tag, record, IFD or maker note.
  bool ReadPictureInfo(const std::string& fileName);
  bool HasExif() const;

  // When set, tags without a name and enumerated values without a text get no
  // display row. Kept by Clear.
  bool HideUnnamedTags() const { return hideUnnamed_; }
  void SetHideUnnamedTags(bool hide) { hideUnnamed_ = hide; }

  const std::string& FileName() const { return fileName_; }
  // kNothingRead before a read, 0 when no maker was recognised, else 1-23.
  uint8_t MakerNumber() const { return makerNumber_; }
  bool MakerNoteParsed() const { return makerNoteParsed_; }
  // The byte order the maker note was walked in; Canon and plain Nikon notes
  // are Intel in a Motorola file too. The file's order when none was walked.
  bool MakerNoteMotorola() const { return makerNoteParsed_ ? makerMotorola_ : motorola_; }
  uint16_t App1Length() const { return app1Length_; }
  uint32_t ByteOrder() const { return byteOrder_; }
  bool IsIntelOrder() const { return byteOrder_ == exif::kIntelOrder; }
  const TExifValues& Values() const { return values_; }
  // Group one: IFD0, IFD1, Exif, Interoperability, further IFDs.
  const TExifRows& StandardRows() const { return standard_; }
  // Group two: maker notes and GPS.
  const TExifRows& MakerRows() const { return maker_; }
  // One record per walked IFD head, link and entry (TExifEntryRecord).
  TDataList& Records() { return records_; }

  // DateTimeDigitized, else DateTimeOriginal, else DateTime, each only when
  // its tag was read and is not a null date; else NullDate().
  TDateTime GetPictureDate() const;
  // The fraction of the second the photo was taken in, as the camera wrote
  // it: the digits SubSecTimeOriginal begins with, else those of SubSecTime;
  // "" when neither begins with a digit. Digits are tenths, hundredths and
  // so on: "5" is half a second, "05" a twentieth.
  std::string GetSubSecTime() const;
  bool HasGPS() const { return values_.gpsOffset > 0; }
  // All six position parts are >= 0 and both references are non-empty.
  bool IsGPSValid() const;
  bool IsGPSEmpty() const;
  // Metres, negative below sea level; 0 when unset.
  double GetAltitude() const;
  // Signed decimal degrees with six decimals; negative unless the reference
  // is "N" (latitude) or "E" (longitude).
  std::string GetLatitudeText() const;
  std::string GetLongitudeText() const;
  // The maker number, or when none was recognised from the maker note, the
  // maker found in the Make text (0 when none).
  uint8_t GetMakerId() const;
  // From the Flash tag's "fired" bit: 0 not fired, 1 fired; 255 unknown
  // (no Flash tag, or a value the EXIF standard does not define).
  uint8_t GetFlashState() const;
  // The Orientation tag of IFD0, 1 to 8 (metadata/Orientation.h); 1, as
  // stored, when the tag is missing or holds another number.
  uint16_t GetOrientation() const;
  bool CanWriteDates() const;
  // Index of the tag's key in its group, -1 when absent.
  int FindTagIndex(uint8_t kind, uint16_t tag) const;
  // The tag's display text; "" when absent.
  std::string GetTagText(uint8_t kind, uint16_t tag) const;

  // Setters change memory only and raise the changed flags the writers use.
  void SetDateTime(TDateTime value);
  void SetDateTimeOriginal(TDateTime value);
  void SetDateTimeDigitized(TDateTime value);
  void SetLatitude(int32_t degrees, int32_t minutes, bool north, double seconds);
  void SetLongitude(int32_t degrees, int32_t minutes, bool east, double seconds);
  void SetAltitude(double metres);

  // The embedded JPEG thumbnail's bytes; empty when nothing was read or
  // there is no thumbnail inside the segment.
  std::string ThumbnailBytes() const;
  // Copies the embedded JPEG thumbnail into fileName, replacing a file or
  // link there whole (platform::ReplaceFile). False (and an old file left as
  // it was) when ThumbnailBytes is empty or writing fails.
  [[nodiscard]] bool SaveThumbnail(const std::string& fileName) const;

  // --- Writing (exifWrite*.cpp, exifSegmentIo.cpp) ---------------------------
  // Writes every pending edit into the photo and reads it again. A save is
  // all or nothing. When every edit has a value of fixed length in the photo,
  // the values are overwritten in place, and only after every place was
  // checked. Otherwise (a changed comment, GPS entries the photo lacks, a
  // photo without EXIF, which receives the minimal segment) the segment is
  // rebuilt once with every edit in it, and the photo is replaced once. The
  // photo keeps its last-write time. False when the edits could not be
  // written; the photo is then as it was and the edits stay pending.
  [[nodiscard]] bool SaveChanges();
  // Gives a photo without EXIF the minimal segment and reads it again,
  // keeping the pending edits. True when the photo has EXIF afterwards.
  [[nodiscard]] bool EnsureExif();
  // Reads the photo again and keeps the pending edits.
  void Reload();
  // The snapshot is the edit part of Values(), taken and put back whole.
  void SaveEditState(TExifEditState& state) const;
  void RestoreEditState(const TExifEditState& state);
  // The comment's lines, each ended by CR LF; empty when there is none.
  std::string GetUserComment() const;
  void SetUserComment(const std::string& text);
  // True when the comment differs from the one read, blanks around it aside.
  bool CommentChanged() const;

  // Saves of one part of the pending edits, in the same way as SaveChanges,
  // and reads the photo again keeping the other edits. Each is true when it
  // wrote everything it had to (also when there was nothing to write). The
  // special mode is rewritten only in place and never adds a segment.
  [[nodiscard]] bool WriteSpecialMode();
  [[nodiscard]] bool WriteDates();
  [[nodiscard]] bool WritePixelSize();
  [[nodiscard]] bool WriteGPS();
  [[nodiscard]] bool WriteUserComment();

  // Copies the photo's EXIF APP1 into a new segment file, behind the SOI and
  // the JFIF APP0 that directly precedes it, if any.
  [[nodiscard]] bool ExportExifSegment(const std::string& fileName) const;
  // Puts a segment file into the photo (exif::TransplantExif) and reads the
  // photo again whatever the outcome.
  [[nodiscard]] bool ImportExifSegment(const std::string& fileName, bool stampDates);
  // Rebuilds the photo's segment with the block put in.
  [[nodiscard]] bool InsertDataBlock(const TExifDataBlock& block);
  // Rebuilds the photo's segment without the tag of an IFD kind.
  [[nodiscard]] bool DeleteTag(uint8_t kind, uint16_t tag);

 private:
  // Writing helpers (exifWrite*.cpp). A save covers some parts of the
  // pending edits.
  enum SavePart : unsigned {
    kSaveSpecialMode = 1, kSaveDates = 2, kSavePixelSize = 4, kSaveGps = 8, kSaveComment = 16,
    kSaveAll = 31
  };
  using Writes = std::vector<std::pair<uint64_t, std::vector<uint8_t>>>;
  bool SaveParts(unsigned parts);
  bool NeedsRebuild(unsigned parts) const;
  bool SaveInPlace(unsigned parts);
  bool SaveByRebuild(unsigned parts);
  bool StartWorkSegment(const std::string& path) const;
  bool StampSegment(const std::string& segmentFile, unsigned parts) const;
  bool PutCommentInto(const std::string& segmentFile) const;
  bool ReplacesGpsIfd() const;
  bool GpsNeedsRebuild() const;
  bool PutGpsInto(const std::string& segmentFile) const;
  void AddGpsEdits(TExifDataBlock& block, Writes& writes, bool inPlace) const;
  bool SpecialModeWrites(Writes& writes) const;
  void DateWrites(Writes& writes) const;
  bool PixelSizeWrites(Writes& writes) const;
  bool WriteAt(const Writes& writes);
  bool EntryIs(int32_t valuePos, uint16_t type, uint32_t maxCount) const;
  bool SpecialModeMotorola() const;

  bool ReadHead(std::FILE* file);
  // ReadHead from the first bytes of the photo, read at once: false when
  // they do not tell; ok is ReadHead's result otherwise.
  bool ReadHeadAtOnce(int fd, bool& ok);
  // Takes the EXIF APP1 at app1 whose first bytes after the SOI are in
  // joined; returns the TIFF offset of IFD0.
  uint32_t SetUpHead(const uint8_t* joined, const exif::TApp1Place& app1);
  void WalkIfd(uint8_t kind, uint64_t tiffOffset);
  void DecodeEntry(uint8_t kind, uint64_t entryPos);
  // The text of an ASCII entry, and the elements of any other; false when
  // the value lies outside the segment.
  void ReadAscii(TExifDecodedEntry& entry) const;
  bool ReadValue(uint16_t type, TExifDecodedEntry& entry) const;
  // The file position of an out-of-line value at offset under the offset
  // base in force; false when it lies outside the segment.
  bool ValuePos(uint32_t offset, uint64_t size, uint64_t& pos) const;
  void FollowIfdPointer(uint16_t tag, const TExifValueView& v, uint64_t entryPos);
  void FollowMakerNote(uint32_t offset, uint64_t size);
  void AddRow(uint8_t kind, uint16_t tag, std::string text);
  void FixDisplayOrder();
  void SetDateTexts();
  void AddRecord(const TExifEntryRecord& record);

  // Bounds-checked access to the segment, in file positions.
  bool InSegment(uint64_t pos, uint64_t size) const;
  uint16_t U16At(uint64_t pos, bool motorola) const;
  uint32_t U32At(uint64_t pos, bool motorola) const;
  uint64_t FilePos(uint64_t tiffOffset) const;

  // Maker notes (exifMakerNotes.cpp).
  void DetectMakerNote(uint32_t noteOffset, uint64_t noteSize);
  bool PlainIfdAt(uint64_t pos, bool motorola) const;
  void WalkMakerIfd(uint8_t number, uint8_t kind, uint64_t ifdOffset, int64_t offsetBase,
                    bool motorola);
  // How far a Canon note's values stand from where its offsets point, when
  // an editing program moved the note; false when no shift fits them all.
  bool CanonNoteShift(uint32_t note, uint64_t noteSize, int64_t& shift) const;
  bool CanonValuesFit(uint32_t note, uint64_t noteSize, int64_t shift) const;

  bool hideUnnamed_ = false;
  bool pictureInfoOnly_ = false;
  uint8_t makerNumber_ = exif::kNothingRead;
  bool makerNoteParsed_ = false;
  bool makerMotorola_ = false;
  std::string fileName_;
  uint16_t app1Length_ = 0;
  uint32_t byteOrder_ = exif::kIntelOrder;
  TDataList records_;
  TExifValues values_;
  TExifRows standard_;
  TExifRows maker_;

  // Read state: the file's head up to the end of the segment (kept for the
  // thumbnail), the byte order and offset base in force, and the pointer tags
  // already followed.
  std::vector<uint8_t> head_;
  bool motorola_ = false;
  int64_t offsetBase_ = 0;
  uint32_t followed_ = 0;
};
