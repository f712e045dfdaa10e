#include "gallery/generate/PageFile.h"

#include "gallery/generate/GalleryLayout.h"
#include "gallery/generate/HtmlText.h"
#include "gallery/checker/ImageCRC.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

namespace PageFile {

namespace {

// No page the generator writes comes near this; a larger file is no page of
// its own and is replaced.
constexpr size_t kMaxPageBytes = 16 << 20;
// The longest date text an old page may hold in the mark's place.
constexpr size_t kMaxDateBytes = 64;

bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// True when old is the page of head + some date + tail.
bool DiffersOnlyInDate(const std::string& old, const std::string& head, const std::string& tail) {
  if (old.size() < head.size() + tail.size() || !StartsWith(old, head) || !EndsWith(old, tail))
    return false;
  const std::string date = old.substr(head.size(), old.size() - head.size() - tail.size());
  return date.size() <= kMaxDateBytes && date.find_first_of("<>\"\r\n") == std::string::npos;
}

}  // namespace

TWriteResult Write(const std::string& target, const std::string& page, const std::string& charset,
                   const std::string& date) {
  std::string bytes, dateBytes;
  if (!platform::EncodeWithReferences(page, charset, bytes) ||
      !platform::EncodeWithReferences(HtmlText::Escape(date), charset, dateBytes))
    return TWriteResult::kFailed;
  const size_t mark = bytes.find(kDateMark);
  const bool dated = mark != std::string::npos;
  const std::string head = dated ? bytes.substr(0, mark) : bytes;
  const std::string tail = dated ? bytes.substr(mark + 1) : std::string();
  const std::string fresh = dated ? head + dateBytes + tail : bytes;

  std::string old;
  if (platform::ReadWholeFile(target, kMaxPageBytes, old) == platform::ReadResult::kOk &&
      (old == fresh || (dated && DiffersOnlyInDate(old, head, tail))))
    return TWriteResult::kKept;

  const std::string newFile = target + GalleryLayout::kNewVersionExt;
  if (!platform::ReplaceFile(newFile, fresh)) return TWriteResult::kFailed;
  if (!ImageCRC::ReplaceFile(newFile, target)) return TWriteResult::kFailed;
  return TWriteResult::kWritten;
}

}  // namespace PageFile
