// A text armour for bytes: every 8 bytes become 11 characters of the
// alphabet "-", "0"-"9", "A"-"Z", "_", "a"-"z", behind an 11-character header
// group holding the data length and a CRC-32 of the characters after it.
// Armoured texts are stored in settings, so every detail here is a stored
// format and must stay as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bin2txt {

// The most bytes one armoured text can hold.
constexpr size_t kMaxDataLength = 7625984;

// The armoured text of data: the header group, then one group per 8 bytes
// (the last one filled with zero bytes). Throws std::length_error for more
// than kMaxDataLength bytes.
std::string EncodeText(std::string_view data);

// Reverses EncodeText into data. Fails (false, data empty) for a text shorter
// than 12 characters, a character outside the alphabet or in a wrong place, a
// CRC mismatch, a text whose length does not match the length in its header,
// or a length above maxLength.
bool DecodeText(std::string_view text, std::string& data, size_t maxLength = kMaxDataLength);

// The length field of the header; 0 for a text shorter than 12 characters or
// a header that does not decode.
uint32_t DecodedLength(std::string_view text);

}  // namespace bin2txt
