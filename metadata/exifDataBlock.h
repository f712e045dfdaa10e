// TExifDataBlock: entries made in memory by the writers, to be put into a
// photo's EXIF segment either as a new IFD hung into its parent IFD through a
// pointer tag, or as entries merged into an existing IFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One entry: TIFF type, tag and the value bytes in host order.
struct TExifDataBlockField {
  uint16_t type = 0;
  uint16_t tag = 0;
  std::vector<uint8_t> value;
};

class TExifDataBlock {
 public:
  // A new IFD of the kind the pointer tag leads to (34853: a GPS IFD),
  // hung into the pointer tag's parent IFD.
  static TExifDataBlock ForPointerTag(uint16_t pointerTag);
  // Entries to be merged into the existing IFD of the kind.
  static TExifDataBlock ForKind(uint8_t kind);

  // The kind of the IFD the entries go into: for a new IFD, its parent.
  uint8_t Kind() const { return kind_; }
  uint16_t PointerTag() const { return pointerTag_; }
  // True for a new IFD of its own.
  bool IsOwnIfd() const { return ownIfd_; }
  // The kind of the IFD that holds the entries themselves.
  uint8_t EntryKind() const;

  void AddByte(uint16_t tag, uint8_t value);
  // A BYTE entry of several values.
  void AddBytes(uint16_t tag, std::vector<uint8_t> values);
  // A RATIONAL entry of numerator, denominator pairs.
  void AddRationals(uint16_t tag, const std::vector<uint32_t>& pairs);
  // An ASCII entry of the text and a NUL; tag 37510 goes to AddUserComment
  // (for an Intel-order photo).
  void AddString(uint16_t tag, std::string_view text);
  // The UserComment (37510), UNDEFINED, at most 255 bytes, cut on a
  // character boundary: the trimmed text and a NUL, after the code "ASCII   "
  // unless the text begins with "ASCII". A text that begins with "UNICODE"
  // gets that code and a NUL, then the rest of the text in UTF-16, in the
  // byte order of the photo's EXIF (motorola: big-endian).
  void AddUserComment(std::string_view text, bool motorola);

  const std::vector<TExifDataBlockField>& Fields() const { return fields_; }
  // The same kind of block holding only field i.
  TExifDataBlock SingleField(size_t i) const;
  // The same fields as entries merged into the IFD they belong to.
  TExifDataBlock AsMerge() const;
  // The same fields as a new IFD hung into the parent of their IFD; a block
  // without fields when that IFD has no pointer tag.
  TExifDataBlock AsNewIfd() const;

  // Bytes the block adds to a segment: 12 per entry plus the values longer
  // than 4 bytes, each padded to an even length.
  uint32_t GetSize() const;

  // The 12-byte entry of field i with its value, or valueOffset when the
  // value is longer than 4 bytes; value receives those bytes, padded to an
  // even length (empty for a value held in the entry).
  void SaveEntry(size_t i, bool motorola, uint32_t valueOffset, uint8_t entry[12],
                 std::vector<uint8_t>& value) const;
  // The whole IFD for the TIFF offset ifdOffset: entry count, entries in
  // field order, a zero next-IFD link and the values.
  std::vector<uint8_t> SaveIfd(bool motorola, uint32_t ifdOffset) const;
  // The pointer entry (LONG, count 1) to a new IFD at ifdOffset.
  void SavePointerEntry(bool motorola, uint32_t ifdOffset, uint8_t entry[12]) const;

 private:
  TExifDataBlock(uint8_t kind, uint16_t pointerTag, bool ownIfd)
      : kind_(kind), pointerTag_(pointerTag), ownIfd_(ownIfd) {}
  void Add(uint16_t type, uint16_t tag, std::vector<uint8_t> value);

  uint8_t kind_;
  uint16_t pointerTag_;
  bool ownIfd_;
  std::vector<TExifDataBlockField> fields_;
};
