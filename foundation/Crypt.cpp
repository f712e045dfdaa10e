#include "foundation/Crypt.h"

#include "foundation/StrFunc.h"
#include "foundation/bin2txt.h"

namespace Crypt {

namespace {

constexpr size_t kMinKeyLength = 16;
constexpr size_t kMaxKeyLength = 255;
constexpr size_t kChunkLength = 65000;

// The built-in key: 38 bytes, 8 of them not printable. Part of the stored
// format.
constexpr unsigned char kDefaultKey[] = {
    'Q', 'm', '7', '#', 'v', 'T', '9', 0x01, 'L', 'p', '&', '4', 0x02,
    'z', 'R', '8', 0x03, 'H', 'n', '2', '!', 0x04, 'c', 'X', '6', 0x05,
    'B', 'd', '5', 'e', 0x06, 'J', '3', 's', 0x07, 'W', 0x08, 'q'};
static_assert(sizeof kDefaultKey == 38);

uint8_t RotL(uint8_t b, unsigned n) { return static_cast<uint8_t>((b << n) | (b >> (8 - n))); }
uint8_t RotR(uint8_t b, unsigned n) { return static_cast<uint8_t>((b >> n) | (b << (8 - n))); }

// k: the length byte and every key byte summed, the four bytes of that sum
// summed, mod 250, plus 1.
uint8_t KeySum(std::string_view key) {
  uint32_t sum = static_cast<uint8_t>(key.size());
  for (char c : key) sum += static_cast<uint8_t>(c);
  const uint32_t bytes = (sum & 0xFF) + ((sum >> 8) & 0xFF) + ((sum >> 16) & 0xFF) + (sum >> 24);
  return static_cast<uint8_t>(bytes % 250 + 1);
}

// What one position of the key pass uses.
struct KeyStep {
  uint8_t key;
  uint8_t mix;
  unsigned rotation;
};

// j and p count from 1, as the stored format was defined.
KeyStep MakeKeyStep(std::string_view key, size_t j, size_t p) {
  const size_t len = key.size();
  const size_t next = p == len ? 1 : p + 1;
  const size_t prev = p == 1 ? len : p - 1;
  const auto at = [&](size_t i) { return static_cast<uint8_t>(key[i - 1]); };
  const uint8_t kp = at(p);
  uint8_t mix;
  unsigned count;
  if (j % 2 == 1) {
    mix = static_cast<uint8_t>((at(next) >> 4) | (at(prev) & 0xF0));
    count = (kp & 0x0F) != 0 ? (kp & 0x0F) : (kp >> 4);
  } else {
    mix = static_cast<uint8_t>((at(next) * 16) | at(prev));
    count = (kp >> 4) != 0 ? (kp >> 4) : (kp & 0x0F);
  }
  return {kp, mix, count % 7 + 1};
}

std::string UsableKey(std::string_view key) {
  return key.size() < kMinKeyLength ? PrepareKey(key) : std::string(key.substr(0, kMaxKeyLength));
}

}  // namespace

std::string PrepareKey(std::string_view key) {
  std::string result = StrFunc::Trim(key);
  if (result.empty()) result.assign(reinterpret_cast<const char*>(kDefaultKey), sizeof kDefaultKey);
  if (result.size() > kMaxKeyLength) result.resize(kMaxKeyLength);
  for (size_t i = sizeof kDefaultKey - 1; result.size() < kMinKeyLength; --i) {
    result += static_cast<char>(kDefaultKey[i - 1]);
  }
  return result;
}

void EncryptBuffer(uint8_t* b, size_t length, std::string_view rawKey) {
  const std::string key = UsableKey(rawKey);
  const size_t len = std::min(length, kMaxBufferLength);
  for (size_t j = 1; j <= len; ++j) {
    const KeyStep s = MakeKeyStep(key, j, (j - 1) % key.size() + 1);
    b[j - 1] = static_cast<uint8_t>(RotR(b[j - 1] ^ s.mix, s.rotation) ^ s.key);
  }
  const uint8_t k = KeySum(key);
  for (size_t i = 2; i <= len; ++i) {
    const uint8_t a = static_cast<uint8_t>(((i % 250) + 1) ^ b[i - 2]);
    const auto r = static_cast<unsigned>(i % 7 + 1);
    uint8_t v = RotL(b[i - 1] ^ RotL(a, r), r);
    v ^= k;
    b[i - 1] = RotR(v, k % 7 + 1);
  }
}

void DecryptBuffer(uint8_t* b, size_t length, std::string_view rawKey) {
  const std::string key = UsableKey(rawKey);
  const size_t len = std::min(length, kMaxBufferLength);
  const uint8_t k = KeySum(key);
  for (size_t i = len; i >= 2; --i) {
    const uint8_t a = static_cast<uint8_t>(((i % 250) + 1) ^ b[i - 2]);
    const auto r = static_cast<unsigned>(i % 7 + 1);
    uint8_t v = RotL(b[i - 1], k % 7 + 1);
    v = RotR(v ^ k, r);
    b[i - 1] = static_cast<uint8_t>(v ^ RotL(a, r));
  }
  for (size_t j = 1; j <= len; ++j) {
    const KeyStep s = MakeKeyStep(key, j, (j - 1) % key.size() + 1);
    b[j - 1] = static_cast<uint8_t>(RotL(b[j - 1] ^ s.key, s.rotation) ^ s.mix);
  }
}

std::string EncryptToText(std::string_view data, std::string_view key) {
  std::string bytes(data.substr(0, kMaxBufferLength));
  EncryptBuffer(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size(), PrepareKey(key));
  return bin2txt::EncodeText(bytes);
}

int32_t DecryptFromText(std::string_view text, std::string_view key, std::string& data) {
  if (!bin2txt::DecodeText(text, data, kMaxBufferLength)) return -1;
  DecryptBuffer(reinterpret_cast<uint8_t*>(data.data()), data.size(), PrepareKey(key));
  return static_cast<int32_t>(data.size());
}

std::string EncryptString(std::string_view text, std::string_view key) {
  std::string result;
  for (size_t pos = 0; pos < text.size(); pos += kChunkLength) {
    if (pos > 0) result += '^';
    result += EncryptToText(text.substr(pos, kChunkLength), key);
  }
  return result;
}

bool DecryptString(std::string_view text, std::string_view key, std::string& plain) {
  plain.clear();
  if (text.empty()) return true;
  std::string result;
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(text.find('^', start), text.size());
    std::string chunk;
    if (DecryptFromText(text.substr(start, end - start), key, chunk) < 0) return false;
    result += chunk;
    if (end == text.size()) break;
    start = end + 1;
  }
  plain = std::move(result);
  return true;
}

}  // namespace Crypt
