// TDataList: an ordered list of fixed-size byte records with a cursor, sorting
// by a caller's comparison, and a loader for record files with an optional
// 1024-byte "QVR DATALIST" header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Compares two records: negative, 0 or positive.
using TDataCompare = std::function<int(const uint8_t* a, const uint8_t* b)>;
// Called with a record's data just before the record is freed.
using TDataFreeEvent = std::function<void(uint8_t* data)>;

// The version record of a list file's header.
struct TDataListVersion {
  std::string text;  // up to 4 characters, "1.4" for a new list
  uint8_t major = 0;
  uint8_t minor = 0;
};

class TDataList {
 public:
  explicit TDataList(uint16_t recordSize);
  virtual ~TDataList();
  TDataList(const TDataList&) = delete;
  TDataList& operator=(const TDataList&) = delete;

  uint16_t RecordSize() const;
  // Frees every item (calling OnFreeRecord for each first); no current record.
  void Clear();
  // Copies RecordSize() bytes from data into a new last item, which becomes
  // the current record. Returns a pointer to the stored copy; it stays valid
  // until the item is freed, whatever is added later.
  uint8_t* Add(const void* data);
  int32_t Count() const;
  // The record at index, which becomes the current record; nullptr when the
  // index is outside the list.
  uint8_t* GetItemData(int32_t index);
  // Copies the record at index into buffer; false (buffer untouched) when the
  // index is outside the list.
  bool GetItem(int32_t index, void* buffer) const;
  // Stable sort by compare (a record before another when compare gives a
  // negative number); afterwards there is no current record. Without a
  // comparison the order stays.
  void Sort(TDataCompare compare);
  // Replaces the items with the records of a file. A file that starts with a
  // "QVR DATALIST" header of version 1.4 or later holds records of the size
  // the header gives after its 1024 bytes, and its version becomes
  // HeaderVersion(); any other file is records of RecordSize() bytes from its
  // start, and HeaderVersion() is cleared. Shorter file records are padded
  // with zeros, longer ones cut; a partial record at the end is ignored.
  // False (with an empty list) when the file cannot be read, its header is
  // damaged (cut short, or a record size of 0), or a headerless file meets a
  // list of empty records.
  virtual bool LoadFromFile(const std::string& fileName);

  uint8_t* CurrentRecord() const;
  int32_t CurrentIndex() const;
  const TDataListVersion& HeaderVersion() const;
  void SetOnFreeRecord(TDataFreeEvent event);

 private:
  uint16_t recordSize_;
  // Each record is an allocation of its own, so its address never changes.
  std::vector<std::unique_ptr<uint8_t[]>> items_;
  uint8_t* current_ = nullptr;
  int32_t currentIndex_ = -1;
  TDataFreeEvent onFreeRecord_;
  TDataListVersion version_{"1.4", 1, 4};
};
