// Maker notes: which camera maker wrote the note, and the walk of its IFD
// for the makers whose note is one.
#include "metadata/exif.h"

#include <algorithm>
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
                               uint64_t offsetBase, bool motorola) {
  makerNumber_ = number;
  const bool savedOrder = motorola_;
  const uint64_t savedBase = offsetBase_;
  motorola_ = motorola;
  offsetBase_ = offsetBase;
  WalkIfd(kind, ifdOffset);
  motorola_ = savedOrder;
  offsetBase_ = savedBase;
  makerNoteParsed_ = true;
  makerMotorola_ = motorola;
}

void TExifReader::DetectMakerNote(uint32_t note) {
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
  if (Contains(make, "CANON") && PlainIfdAt(pos, motorolaNote))
    return WalkMakerIfd(2, exif::kCanonIfd, note, 0, motorolaNote);
  // "Nikon\0\x02" and a TIFF header of its own ten bytes in; offsets count
  // from that header.
  if (text(7, false) == std::string("NIKON\0\x02", 7) && InSegment(pos + 10, 8)) {
    const uint8_t* inner = head_.data() + pos + 10;
    const bool innerMotorola = inner[0] == 'M' && inner[1] == 'M' && inner[2] == 0 && inner[3] == 42;
    const bool innerIntel = inner[0] == 'I' && inner[1] == 'I' && inner[2] == 42 && inner[3] == 0;
    if (innerMotorola || innerIntel) {
      const uint64_t base = uint64_t(note) + 10;
      return WalkMakerIfd(4, exif::kNikon2Ifd, base + exif::LoadU32(inner + 4, innerMotorola),
                          base, innerMotorola);
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
