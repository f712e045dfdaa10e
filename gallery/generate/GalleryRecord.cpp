#include "gallery/generate/GalleryRecord.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "foundation/StrFunc.h"
#include "gallery/generate/GalleryLayout.h"
#include "photos/WorkJournal.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace GalleryRecord {

namespace {

constexpr char kMagic[] = "Quillmarsh gallery";
// A record of a million photos' files; a larger file is no record.
constexpr size_t kMaxRecordBytes = size_t{256} << 20;
// The longest file name the file systems take.
constexpr size_t kMaxNameBytes = 255;

bool IsSubfolder(const std::string& folder) {
  return std::any_of(std::begin(GalleryLayout::kSubfolders), std::end(GalleryLayout::kSubfolders),
                     [&folder](const char* sub) { return folder == sub; });
}

// A name the generator gives a file of a subfolder: no way out of it.
bool IsFileName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxNameBytes && name[0] != '.' &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

// The record's bytes; false for a key the reader would refuse, so that no
// record is written that cannot be read back.
bool Bytes(const TFiles& files, std::string& bytes) {
  std::vector<std::string> lines = {kMagic};
  for (const std::string& file : files) {
    const size_t slash = file.find('/');
    if (slash == std::string::npos) return false;
    const std::string folder = file.substr(0, slash), name = file.substr(slash + 1);
    if (!IsSubfolder(folder) || !IsFileName(name)) return false;
    lines.push_back(folder + "\t" + WorkJournal::EscapeField(name));
  }
  bytes = platform::JoinLines(lines);
  return true;
}

// One line of the record as a key; false when it is none.
bool ParseLine(const std::string& line, std::string& key) {
  const size_t tab = line.find('\t');
  if (tab == std::string::npos) return false;
  const std::string folder = line.substr(0, tab);
  std::string name;
  if (!IsSubfolder(folder) || !WorkJournal::UnescapeField(line.substr(tab + 1), name) || !IsFileName(name))
    return false;
  key = Key(folder, name);
  return true;
}

}  // namespace

std::string Key(const std::string& subfolder, const std::string& name) { return subfolder + "/" + name; }

std::string RecordPath(const std::string& htmlDir) { return StrFunc::IncludeBackslash(htmlDir) + kRecordName; }

TRead Read(const std::string& htmlDir, TFiles& files) {
  files.clear();
  std::string bytes;
  const platform::ReadResult read = platform::ReadWholeFile(RecordPath(htmlDir), kMaxRecordBytes, bytes);
  if (read == platform::ReadResult::kMissing) return TRead::kNone;
  if (read != platform::ReadResult::kOk) return TRead::kDamaged;
  const std::vector<std::string> lines = platform::SplitLines(bytes);
  if (lines.empty() || lines[0] != kMagic) return TRead::kDamaged;
  TFiles taken;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string key;
    if (!ParseLine(lines[i], key)) return TRead::kDamaged;
    taken.insert(std::move(key));
  }
  files = std::move(taken);
  return TRead::kRead;
}

bool Write(const std::string& htmlDir, const TFiles& files) {
  std::string bytes;
  if (!Bytes(files, bytes)) return false;
  return platform::HoldsBytes(RecordPath(htmlDir), bytes) ||
         platform::ReplaceFile(RecordPath(htmlDir), bytes);
}

bool Add(const std::string& htmlDir, const TFiles& files) {
  TFiles record;
  if (Read(htmlDir, record) != TRead::kRead) return true;
  const size_t before = record.size();
  record.insert(files.begin(), files.end());
  return record.size() == before || Write(htmlDir, record);
}

}  // namespace GalleryRecord
