// Enciphered values of TConfig: the value behind its CRC text and a random
// salt, enciphered with the library key. Stored texts depend on every detail.
#include <random>

#include "foundation/Crypt.h"
#include "foundation/StrFunc.h"
#include "foundation/Win32CRC.h"
#include "foundation/config/cfgtools.h"

namespace {

constexpr std::string_view kLibraryKey = "Rk2w#7pQ&u5e/Vn8@bX3^m1+Hz6c!Ld0";
constexpr std::string_view kSecureOpen = "$@!";
constexpr std::string_view kSecureClose = "!#$";
constexpr size_t kCrcTextLength = 8;

// The CRC register over the value as a short string (length byte, then at
// most 255 bytes), as 8 upper-case hexadecimal digits.
std::string CrcText(std::string_view value) {
  const std::string_view cut = value.substr(0, 255);
  const auto length = static_cast<uint8_t>(cut.size());
  uint32_t crc = 0xFFFFFFFFu;
  Win32CRC::UpdateCRC32(crc, &length, 1);
  Win32CRC::UpdateCRC32(crc, cut.data(), static_cast<int64_t>(cut.size()));
  return StrFunc::LongToHex(crc);
}

std::mt19937& Random() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}

int RandomIn(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random()); }

// One of "A" to "V", in lower case half of the time.
char RandomLetter() {
  const char letter = static_cast<char>('A' + RandomIn(0, 21));
  return RandomIn(1, 100) % 2 == 1 ? static_cast<char>(letter + ('a' - 'A')) : letter;
}

std::string Salted(const std::string& text) {
  const int n = (text.size() < 3 ? 3 : 5) + RandomIn(0, 4);
  std::string out{RandomLetter(), RandomLetter(), static_cast<char>('0' + n)};
  for (int i = 0; i < n; ++i) out += RandomLetter();
  return out + text;
}

}  // namespace

std::string TConfig::Encrypt(const std::string& value) {
  return Crypt::EncryptString(Salted(CrcText(value) + value), kLibraryKey);
}

std::string TConfig::Decrypt(const std::string& text) {
  std::string plain;
  if (!Crypt::DecryptString(text, kLibraryKey, plain) || plain.size() < 2) return std::string();
  plain.erase(0, 2);
  if (!plain.empty() && plain[0] >= '0' && plain[0] <= '9') {
    plain.erase(0, std::min(plain.size(), static_cast<size_t>(plain[0] - '0') + 1));
  }
  if (plain.size() < kCrcTextLength) return std::string();
  const std::string stored = plain.substr(0, kCrcTextLength);
  const std::string value = plain.substr(kCrcTextLength);
  return stored == CrcText(value) ? value : std::string();
}

std::string TConfig::ReadEncrypted(const std::string& ident) {
  const std::string text = ReadString(ident, "");
  if (text.empty()) return text;
  const std::string value = Decrypt(text);
  return value.empty() ? text : value;
}

void TConfig::WriteEncrypted(const std::string& ident, const std::string& value) {
  WriteString(ident, value.empty() ? std::string() : Encrypt(value));
}

std::string TConfig::ReadSecureString(const std::string& ident) {
  const std::string text = StrFunc::Trim(ReadString(ident, ""));
  if (text.size() >= kSecureOpen.size() + kSecureClose.size() && text.starts_with(kSecureOpen) &&
      text.ends_with(kSecureClose)) {
    const std::string body = StrFunc::Trim(
        text.substr(kSecureOpen.size(), text.size() - kSecureOpen.size() - kSecureClose.size()));
    return body.empty() ? body : Decrypt(body);
  }
  if (!text.empty() && !IsReadOnly()) WriteSecureString(ident, text);
  return text;
}

void TConfig::WriteSecureString(const std::string& ident, const std::string& value) {
  WriteString(ident, value.empty() ? std::string()
                                   : std::string(kSecureOpen) + Encrypt(value) +
                                         std::string(kSecureClose));
}
