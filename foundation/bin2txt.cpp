#include "foundation/bin2txt.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>

#include "foundation/LittleEndian.h"
#include "foundation/Win32CRC.h"

namespace bin2txt {

namespace {

// A group: place 1 carries the flags of places 2 and 3, places 2 and 3 the
// flags of the 8 data characters, two bits each (high bit, then mapped bit).
constexpr size_t kGroupChars = 11;
constexpr size_t kGroupBytes = 8;

constexpr bool IsPlain(unsigned v) {
  return v == '-' || v == '_' || (v >= '0' && v <= '9') || (v >= 'A' && v <= 'Z') ||
         (v >= 'a' && v <= 'z');
}

// The substitute of every 7-bit value that is not itself a plain character:
// 0 -> "-", 1-10 -> "0"-"9", 11-36 -> "A"-"Z", 37 -> "_", and the remaining
// 26 values in rising order -> "a"-"z". Plain values map to 0 (unused).
constexpr std::array<char, 128> MakeSubstitutes() {
  std::array<char, 128> table{};
  table[0] = '-';
  for (unsigned v = 1; v <= 10; ++v) table[v] = static_cast<char>('0' + v - 1);
  for (unsigned v = 11; v <= 36; ++v) table[v] = static_cast<char>('A' + v - 11);
  table[37] = '_';
  char next = 'a';
  for (unsigned v = 38; v < 128; ++v) {
    if (!IsPlain(v)) table[v] = next++;
  }
  return table;
}

constexpr std::array<char, 128> kSubstitute = MakeSubstitutes();
static_assert(kSubstitute[38] == 'a' && kSubstitute[58] == 'j' && kSubstitute[96] == 'u' &&
              kSubstitute[127] == 'z');

// The 7-bit value a mapped character stands for; -1 for a character that is
// no substitute.
constexpr std::array<int, 256> MakeUnmapped() {
  std::array<int, 256> table{};
  for (int& v : table) v = -1;
  for (unsigned v = 0; v < 128; ++v) {
    if (!IsPlain(v)) table[static_cast<unsigned char>(kSubstitute[v])] = static_cast<int>(v);
  }
  return table;
}

constexpr std::array<int, 256> kUnmapped = MakeUnmapped();

// One byte as a character and its two flag bits (high << 1 | mapped).
char EncodeByte(uint8_t b, unsigned& flags) {
  const unsigned v = b & 0x7Fu;
  const unsigned high = b >= 0x80 ? 2u : 0u;
  if (IsPlain(v)) {
    flags = high;
    return static_cast<char>(v);
  }
  flags = high | 1u;
  return kSubstitute[v];
}

bool DecodeChar(char c, unsigned flags, uint8_t& b) {
  const auto uc = static_cast<unsigned char>(c);
  int v = uc;
  if (flags & 1u) {
    v = kUnmapped[uc];
    if (v < 0) return false;
  } else if (!IsPlain(uc)) {
    return false;
  }
  b = static_cast<uint8_t>(v + ((flags & 2u) ? 0x80 : 0));
  return true;
}

void EncodeGroup(const uint8_t* bytes, std::string& out) {
  char data[kGroupBytes];
  uint8_t flagBytes[2] = {0, 0};
  for (size_t i = 0; i < kGroupBytes; ++i) {
    unsigned flags = 0;
    data[i] = EncodeByte(bytes[i], flags);
    flagBytes[i / 4] |= static_cast<uint8_t>(flags << (6 - 2 * (i % 4)));
  }
  unsigned flagsA = 0;
  unsigned flagsB = 0;
  const char a = EncodeByte(flagBytes[0], flagsA);
  const char b = EncodeByte(flagBytes[1], flagsB);
  const unsigned c = (flagsA << 6) | (flagsB << 4);
  out += static_cast<char>('A' + (c >> 4));
  out += a;
  out += b;
  out.append(data, kGroupBytes);
}

bool DecodeGroup(std::string_view group, uint8_t* bytes) {
  const unsigned lead = static_cast<unsigned char>(group[0]);
  if (lead < 'A' || lead > 'P') return false;
  const unsigned c = (lead - 'A') << 4;
  uint8_t flagBytes[2];
  if (!DecodeChar(group[1], (c >> 6) & 3u, flagBytes[0])) return false;
  if (!DecodeChar(group[2], (c >> 4) & 3u, flagBytes[1])) return false;
  for (size_t i = 0; i < kGroupBytes; ++i) {
    const unsigned flags = (static_cast<unsigned>(flagBytes[i / 4]) >> (6 - 2 * (i % 4))) & 3u;
    if (!DecodeChar(group[3 + i], flags, bytes[i])) return false;
  }
  return true;
}

bool DecodeHeader(std::string_view text, uint32_t& length, uint32_t& crc) {
  if (text.size() < kGroupChars + 1) return false;
  uint8_t header[kGroupBytes];
  if (!DecodeGroup(text.substr(0, kGroupChars), header)) return false;
  const std::span<const uint8_t, kGroupBytes> fields(header);
  length = LittleEndian::Get32(fields.first<4>());
  crc = LittleEndian::Get32(fields.subspan<4, 4>());
  return true;
}

}  // namespace

std::string EncodeText(std::string_view data) {
  if (data.size() > kMaxDataLength) {
    throw std::length_error("Bin2Txt Exception; Unprintable data too large, max=" +
                            std::to_string(kMaxDataLength) + " bytes");
  }
  std::string body;
  body.reserve((data.size() / kGroupBytes + 1) * kGroupChars);
  for (size_t pos = 0; pos < data.size(); pos += kGroupBytes) {
    uint8_t group[kGroupBytes] = {};
    const size_t n = std::min(kGroupBytes, data.size() - pos);
    for (size_t i = 0; i < n; ++i) group[i] = static_cast<uint8_t>(data[pos + i]);
    EncodeGroup(group, body);
  }
  uint8_t header[kGroupBytes];
  const std::span<uint8_t, kGroupBytes> fields(header);
  LittleEndian::Put32(fields.first<4>(), static_cast<uint32_t>(data.size()));
  LittleEndian::Put32(fields.subspan<4, 4>(),
                      Win32CRC::BufferCRC32(body.data(), static_cast<int64_t>(body.size())));
  std::string text;
  text.reserve(kGroupChars + body.size());
  EncodeGroup(header, text);
  return text + body;
}

bool DecodeText(std::string_view text, std::string& data, size_t maxLength) {
  data.clear();
  uint32_t length = 0;
  uint32_t storedCrc = 0;
  if (!DecodeHeader(text, length, storedCrc)) return false;
  const uint64_t groups = (uint64_t{length} + kGroupBytes - 1) / kGroupBytes;
  if (length > maxLength || text.size() != (groups + 1) * kGroupChars) return false;
  const std::string_view body = text.substr(kGroupChars);
  if (Win32CRC::BufferCRC32(body.data(), static_cast<int64_t>(body.size())) != storedCrc) {
    return false;
  }
  std::string out(groups * kGroupBytes, '\0');
  for (uint64_t g = 0; g < groups; ++g) {
    auto* dest = reinterpret_cast<uint8_t*>(out.data()) + g * kGroupBytes;
    if (!DecodeGroup(body.substr(g * kGroupChars, kGroupChars), dest)) return false;
  }
  out.resize(length);
  data = std::move(out);
  return true;
}

uint32_t DecodedLength(std::string_view text) {
  uint32_t length = 0;
  uint32_t crc = 0;
  return DecodeHeader(text, length, crc) ? length : 0;
}

}  // namespace bin2txt
