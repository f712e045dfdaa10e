// A keyed byte cipher and its printable form. Texts enciphered by earlier runs
// must still decipher, so the key preparation, both passes and the armour
// (bin2txt) are a stored format: never change them.
//
// Keys and buffers are bytes; a key longer than 255 bytes is cut to 255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Crypt {

// The most bytes one armoured chunk carries.
constexpr size_t kMaxBufferLength = 65520;

// The key trimmed (an empty key becomes the built-in default key) and, when
// shorter than 16 bytes, padded from the default key taken backwards from its
// second-last byte.
std::string PrepareKey(std::string_view key);

// Enciphers or deciphers the first min(length, kMaxBufferLength) bytes in
// place. The key is used as PrepareKey returns it; a key of fewer than 16
// bytes is prepared first.
void EncryptBuffer(uint8_t* buffer, size_t length, std::string_view key);
void DecryptBuffer(uint8_t* buffer, size_t length, std::string_view key);

// Prepares the key, enciphers at most kMaxBufferLength bytes of data and
// armours them.
std::string EncryptToText(std::string_view data, std::string_view key);
// Unarmours and deciphers one chunk into data and returns its length; -1 (data
// empty) when the text is damaged or holds more than kMaxBufferLength bytes.
int32_t DecryptFromText(std::string_view text, std::string_view key, std::string& data);

// The text in chunks of 65000 bytes, each enciphered and armoured, joined by
// "^". An empty text gives an empty result.
std::string EncryptString(std::string_view text, std::string_view key);
// Reverses EncryptString. False (plain empty) when any chunk is damaged. A
// text enciphered under another key deciphers to other bytes without error.
bool DecryptString(std::string_view text, std::string_view key, std::string& plain);

}  // namespace Crypt
