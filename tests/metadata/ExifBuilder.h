// Builds small JPEG heads with an EXIF segment for the reader's tests, in
// either byte order: IFDs are lists of entries, sub-IFDs and out-of-line
// values are laid out after their IFD.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace exiftest {

struct Ifd;

struct Entry {
  uint16_t tag = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  std::string bytes;                 // the value in file order
  std::shared_ptr<Ifd> sub;          // the value is the offset of this IFD
  // Makes the value given the TIFF offset it will stand at (maker notes).
  std::function<std::string(uint32_t at)> make;
  int64_t forcedValue = -1;          // the value field as given, bytes ignored
};

struct Ifd {
  std::vector<Entry> entries;
  std::shared_ptr<Ifd> next;
};

class Builder {
 public:
  explicit Builder(bool motorola) : motorola_(motorola) {}

  std::string U16(uint16_t v) const {
    return motorola_ ? Bytes({uint8_t(v >> 8), uint8_t(v)}) : Bytes({uint8_t(v), uint8_t(v >> 8)});
  }
  std::string U32(uint32_t v) const {
    return motorola_ ? U16(uint16_t(v >> 16)) + U16(uint16_t(v)) : U16(uint16_t(v)) + U16(uint16_t(v >> 16));
  }

  std::string U64(uint64_t v) const {
    const uint32_t hi = uint32_t(v >> 32), lo = uint32_t(v);
    return motorola_ ? U32(hi) + U32(lo) : U32(lo) + U32(hi);
  }

  Entry Short(uint16_t tag, std::vector<uint16_t> values) const {
    std::string b;
    for (uint16_t v : values) b += U16(v);
    return {tag, 3, uint32_t(values.size()), b, nullptr, nullptr, -1};
  }
  Entry Long(uint16_t tag, std::vector<uint32_t> values) const {
    std::string b;
    for (uint32_t v : values) b += U32(v);
    return {tag, 4, uint32_t(values.size()), b, nullptr, nullptr, -1};
  }
  Entry Rational(uint16_t tag, std::vector<std::pair<uint32_t, uint32_t>> values,
                 uint16_t type = 5) const {
    std::string b;
    for (auto [n, d] : values) b += U32(n) + U32(d);
    return {tag, type, uint32_t(values.size()), b, nullptr, nullptr, -1};
  }
  // ASCII with its terminating NUL.
  Entry Ascii(uint16_t tag, const std::string& text) const {
    return {tag, 2, uint32_t(text.size() + 1), text + '\0', nullptr, nullptr, -1};
  }
  Entry Raw(uint16_t tag, uint16_t type, uint32_t count, const std::string& bytes) const {
    return {tag, type, count, bytes, nullptr, nullptr, -1};
  }
  Entry Pointer(uint16_t tag, std::shared_ptr<Ifd> ifd) const {
    return {tag, 4, 1, "", std::move(ifd), nullptr, -1};
  }

  // The TIFF block: header, then IFD0 at offset 8.
  std::string Tiff(const Ifd& ifd0) const {
    std::string tiff = motorola_ ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    tiff += U32(8);
    return tiff + Serialize(ifd0, 8);
  }

  // SOI, an optional 18-byte APP0, the APP1 with the TIFF block, EOI.
  std::string Jpeg(const Ifd& ifd0, bool withApp0 = false) const {
    return JpegOfTiff(Tiff(ifd0), withApp0);
  }
  static std::string JpegOfTiff(const std::string& tiff, bool withApp0 = false) {
    std::string out("\xFF\xD8", 2);
    if (withApp0) out += std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    const size_t length = 2 + 6 + tiff.size();
    out += std::string("\xFF\xE1", 2);
    out += char(length >> 8);
    out += char(length & 0xFF);
    out += std::string("Exif\0\0", 6) + tiff;
    return out + std::string("\xFF\xD9", 2);
  }

  // A photo whose one entry stands in the IFD of its kind: 0, 1, 2, 3 or 28
  // (GPS), reached the usual way.
  std::string JpegWithEntry(uint8_t kind, const Entry& entry) const {
    auto sub = std::make_shared<Ifd>();
    sub->entries = {entry};
    Ifd ifd0;
    switch (kind) {
      case 0: ifd0.entries = {entry}; break;
      case 1: ifd0.next = sub; break;
      case 2: ifd0.entries = {Pointer(34665, sub)}; break;
      case 3: {
        auto exifIfd = std::make_shared<Ifd>();
        exifIfd->entries = {Pointer(40965, sub)};
        ifd0.entries = {Pointer(34665, exifIfd)};
        break;
      }
      default: ifd0.entries = {Pointer(34853, sub)}; break;
    }
    return Jpeg(ifd0);
  }

  std::string Serialize(const Ifd& ifd, uint32_t at) const {
    const uint32_t dataAt = at + 2 + 12 * uint32_t(ifd.entries.size()) + 4;
    std::string data;
    std::vector<uint32_t> fields(ifd.entries.size());
    std::vector<std::string> inline_(ifd.entries.size());
    for (size_t i = 0; i < ifd.entries.size(); ++i) {
      const Entry& e = ifd.entries[i];
      if (e.sub) continue;
      const std::string bytes = e.make ? e.make(dataAt + uint32_t(data.size())) : e.bytes;
      if (bytes.size() > 4) {
        fields[i] = dataAt + uint32_t(data.size());
        data += bytes;
        if (data.size() % 2) data += '\0';
      } else {
        inline_[i] = bytes + std::string(4 - bytes.size(), '\0');
      }
    }
    for (size_t i = 0; i < ifd.entries.size(); ++i) {
      if (!ifd.entries[i].sub) continue;
      fields[i] = dataAt + uint32_t(data.size());
      data += Serialize(*ifd.entries[i].sub, fields[i]);
    }
    uint32_t next = 0;
    if (ifd.next) {
      next = dataAt + uint32_t(data.size());
      data += Serialize(*ifd.next, next);
    }
    std::string out = U16(uint16_t(ifd.entries.size()));
    for (size_t i = 0; i < ifd.entries.size(); ++i) {
      const Entry& e = ifd.entries[i];
      out += U16(e.tag) + U16(e.type) + U32(e.count);
      if (e.forcedValue >= 0) out += U32(uint32_t(e.forcedValue));
      else out += inline_[i].empty() ? U32(fields[i]) : inline_[i];
    }
    return out + U32(next) + data;
  }

 private:
  static std::string Bytes(std::initializer_list<uint8_t> b) { return std::string(b.begin(), b.end()); }
  bool motorola_;
};

}  // namespace exiftest
