// What the container's sources share: the trailer's fields (the layout is
// described in FListFile.h) and the exact reads and writes of its pieces.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/DosFunc.h"

namespace FListFileTrailer {

constexpr size_t kTrailerSize = 537;
constexpr size_t kPiece = 16384;
constexpr int64_t kMaxPosition = UINT32_MAX;

using Trailer = std::array<unsigned char, kTrailerSize>;

struct TrailerFields {
  uint16_t version = 0;
  uint32_t base = 0;
  uint32_t indexOffset = 0;
  uint32_t count = 0;
};

// False when the magic is wrong or the version too old.
bool DecodeTrailer(const Trailer& t, TrailerFields& fields);
Trailer EncodeTrailer(const TrailerFields& fields);

bool SeekTo(TFile& f, int64_t position);
bool ReadExact(TFile& f, void* buffer, size_t size);
bool WriteExact(TFile& f, const void* buffer, size_t size);
// Reads the trailer at the end of an open file of the given size.
bool ReadTrailer(TFile& f, int64_t size, Trailer& trailer);
// Copies from the current position of source to the end of target, in
// pieces, calling perPiece (when given) after each. False when a read or
// write fails.
bool CopyRest(TFile& source, TFile& target, const std::function<void()>& perPiece);
// Gives target the permissions of player, so it runs like the player. A
// player taken from a container has no execute bits of its own, so every
// class that may read target may also run it.
bool CopyRunPermissions(const std::string& player, const std::string& target);

}  // namespace FListFileTrailer
