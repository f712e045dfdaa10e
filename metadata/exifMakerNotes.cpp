// Maker notes: which camera maker wrote the note, and the walk of its IFD
// for the makers whose note is one.
#include "metadata/exif.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/StrFunc.h"
#include "metadata/exifText.h"
#include "metadata/exifValue.h"

namespace {

constexpr size_t kNoteHeaderSize = 50;

bool StartsWith(const std::string& text, std::string_view word) {
  return text.compare(0, word.size(), word) == 0;
}

bool Contains(const std::string& text, std::string_view word) {
  return text.find(word) != std::string::npos;
}

// Notes recognised by a word at the start of the nine-byte header, upper-cased
// and trimmed; none of them is walked.
struct HeaderWord {
  const char* word;
  uint8_t maker;
};
constexpr HeaderWord kEarlyWords[] = {
    {"EPSON", 12}, {"KONICA", 13}, {"TOSHIBA", 14}, {"SAMSUNG", 15}};
constexpr HeaderWord kLateWords[] = {{"RICOH", 17}, {"KYOCERA", 18}, {"AGFA", 19}};

}  // namespace

bool TExifReader::PlainIfdAt(uint64_t pos, bool motorola) const {
  if (!InSegment(pos, 2)) return false;
  const uint16_t count = U16At(pos, motorola);
  if (count >= 256) return false;
  const uint64_t linkPos = pos + 2 + 12 * uint64_t(count);
  return InSegment(linkPos, 4) && U32At(linkPos, motorola) == 0;
}

void TExifReader::WalkMakerIfd(uint8_t number, uint8_t kind, uint64_t ifdOffset,
                               int64_t offsetBase, bool motorola) {
  makerNumber_ = number;
  const bool savedOrder = motorola_;
  const int64_t savedBase = offsetBase_;
  motorola_ = motorola;
  offsetBase_ = offsetBase;
  WalkIfd(kind, ifdOffset);
  motorola_ = savedOrder;
  offsetBase_ = savedBase;
  makerNoteParsed_ = true;
  makerMotorola_ = motorola;
}

// A Canon note's out-of-line values lie inside the note, behind its IFD.
// Offsets count from the TIFF header, so a program that moves the note
// without rewriting them leaves them pointing where the note stood.
bool TExifReader::CanonValuesFit(uint32_t note, uint64_t noteSize, int64_t shift) const {
  const uint64_t pos = FilePos(note);
  const uint16_t count = U16At(pos, false);
  const int64_t first = int64_t(note) + 2 + 12 * int64_t(count) + 4;
  const int64_t end = int64_t(note) + int64_t(noteSize);
  for (uint16_t i = 0; i < count; ++i) {
    const uint64_t entry = pos + 2 + 12 * uint64_t(i);
    const int64_t size = int64_t(U32At(entry + 4, false)) * exif::TypeSize(U16At(entry + 2, false));
    if (size <= 4) continue;
    const int64_t at = int64_t(U32At(entry + 8, false)) + shift;
    if (at < first || at > end - size) return false;
  }
  return true;
}

// The shift the note's layout allows: none when its values fit as they
// stand; else the move its footer tells ("II*\0" and the offset the note was
// written at); else the one that puts the lowest value right behind the IFD,
// where the camera writes it.
bool TExifReader::CanonNoteShift(uint32_t note, uint64_t noteSize, int64_t& shift) const {
  const uint64_t pos = FilePos(note);
  const uint64_t inSegment = head_.size() > pos ? head_.size() - pos : 0;
  noteSize = noteSize == 0 ? inSegment : std::min(noteSize, inSegment);
  shift = 0;
  if (CanonValuesFit(note, noteSize, 0)) return true;
  if (noteSize >= 8 && std::memcmp(head_.data() + pos + noteSize - 8, "II*\0", 4) == 0) {
    shift = int64_t(note) - int64_t(U32At(pos + noteSize - 4, false));
    if (CanonValuesFit(note, noteSize, shift)) return true;
  }
  const uint16_t count = U16At(pos, false);
  int64_t lowest = -1;
  for (uint16_t i = 0; i < count; ++i) {
    const uint64_t entry = pos + 2 + 12 * uint64_t(i);
    if (uint64_t(U32At(entry + 4, false)) * exif::TypeSize(U16At(entry + 2, false)) <= 4) continue;
    const int64_t at = U32At(entry + 8, false);
    if (lowest < 0 || at < lowest) lowest = at;
  }
  shift = int64_t(note) + 2 + 12 * int64_t(count) + 4 - lowest;
  return lowest >= 0 && CanonValuesFit(note, noteSize, shift);
}

void TExifReader::DetectMakerNote(uint32_t note, uint64_t noteSize) {
  if (note == 0) return;
  const uint64_t pos = FilePos(note);
  if (!InSegment(pos, 1)) return;
  const size_t available = std::min<size_t>(kNoteHeaderSize, head_.size() - pos);
  const std::string header(reinterpret_cast<const char*>(head_.data() + pos), available);
  const auto text = [&header](size_t n, bool trim) {
    std::string t = exif::AsciiUpper(header.substr(0, n));
    return trim ? StrFunc::Trim(t) : t;
  };
  const std::string make = exif::AsciiUpper(values_.make);
  const std::string model = exif::AsciiUpper(values_.model);
  // Canon notes and plain Nikon notes are recognised as Intel whatever the
  // file's order, and walked in the order that recognised them.
  const bool motorolaNote = false;
  const auto setNumber = [this](uint8_t number) {
    makerNumber_ = number;
    makerNoteParsed_ = false;
  };

  // "OLYMPUS\0II": its own byte order, offsets counted from the note.
  const std::string olympus = text(10, true);
  if (olympus == std::string("OLYMPUS\0II", 10) || olympus == std::string("OLYMPUS\0MM", 10))
    return WalkMakerIfd(1, exif::kOlympusIfd, uint64_t(note) + 12, note, olympus[8] == 'M');
  if (text(5, false) == "OLYMP")
    return WalkMakerIfd(1, exif::kOlympusIfd, uint64_t(note) + 8, 0, motorola_);
  if (Contains(make, "CANON") && PlainIfdAt(pos, motorolaNote)) {
    // Values read from the wrong place would show wrong settings: rather none.
    int64_t shift = 0;
    if (!CanonNoteShift(note, noteSize, shift)) return setNumber(2);
    return WalkMakerIfd(2, exif::kCanonIfd, note, shift, motorolaNote);
  }
  // "Nikon\0\x02" and a TIFF header of its own ten bytes in; offsets count
  // from that header.
  if (text(7, false) == std::string("NIKON\0\x02", 7) && InSegment(pos + 10, 8)) {
    const uint8_t* inner = head_.data() + pos + 10;
    const bool innerMotorola = inner[0] == 'M' && inner[1] == 'M' && inner[2] == 0 && inner[3] == 42;
    const bool innerIntel = inner[0] == 'I' && inner[1] == 'I' && inner[2] == 42 && inner[3] == 0;
    if (innerMotorola || innerIntel) {
      const int64_t base = int64_t(note) + 10;
      return WalkMakerIfd(4, exif::kNikon2Ifd,
                          uint64_t(base) + exif::LoadU32(inner + 4, innerMotorola), base,
                          innerMotorola);
    }
  }
  if (text(5, false) == "NIKON")
    return WalkMakerIfd(3, exif::kNikon1Ifd, uint64_t(note) + 8, 0, motorola_);
  if (Contains(make, "NIKON") && PlainIfdAt(pos, motorolaNote))
    return WalkMakerIfd(4, exif::kNikon2Ifd, note, 0, motorolaNote);
  if (Contains(make, "CASIO") && PlainIfdAt(pos, motorola_))
    return WalkMakerIfd(5, exif::kCasioIfd, note, 0, motorola_);
  // Fujifilm notes are Intel whatever the file, offsets counted from the note.
  if (text(8, false) == "FUJIFILM" && header.size() >= 12) {
    const uint32_t start = exif::LoadU32(head_.data() + pos + 8, false);
    if (start != 0) return WalkMakerIfd(6, exif::kFujifilmIfd, uint64_t(note) + start, note, false);
  }
  if (text(8, false) == "KDK INFO" || text(5, false) == "KODAK") return setNumber(7);
  if (text(9, false) == "PANASONIC")
    return WalkMakerIfd(8, exif::kPanasonicIfd, uint64_t(note) + 12, 0, motorola_);
  if (Contains(make, "MINOLTA") && PlainIfdAt(pos, motorola_))
    return WalkMakerIfd(9, exif::kMinoltaIfd, note, 0, motorola_);

  const std::string word = text(9, true);
  if (word == "SONY CAM" || StartsWith(word, "SONY"))
    return WalkMakerIfd(11, exif::kSonyIfd, uint64_t(note) + 12, 0, motorola_);
  for (const HeaderWord& w : kEarlyWords)
    if (StartsWith(word, w.word)) return setNumber(w.maker);
  const bool pentaxMake = Contains(make, "PENTAX") || Contains(model, "PENTAX") ||
                          Contains(make, "ASAHI");
  if (StartsWith(word, "PENTAX") || StartsWith(word, "ASAHI") || (word == "AOC" && pentaxMake))
    return setNumber(16);
  for (const HeaderWord& w : kLateWords)
    if (StartsWith(word, w.word)) return setNumber(w.maker);
  if (word.size() >= 2 && word[0] == 'F' && word[1] >= '0' && word[1] <= '9' &&
      Contains(make, "NUCAM"))
    return setNumber(20);
  if (Contains(make, "MICROSOFT") && PlainIfdAt(pos, motorola_)) return setNumber(23);
}
