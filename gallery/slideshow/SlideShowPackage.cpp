// Reading a slide-show package.
#include "gallery/slideshow/SlideShowPackage.h"

#include <span>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/SlideShowWorkDir.h"

using namespace SlideShowPackage;
using SlideShowRecords::kInfoSize;
using SlideShowRecords::kProjectSize;

namespace {

constexpr int kLanguageEntry = 1;
constexpr int kFirstPictureEntry = 2;
constexpr int kEntriesPerPicture = 3;

[[noreturn]] void Damaged() { throw EFListFileError(kReadError); }

// The whole of a small extracted file, which is then deleted; false when it
// cannot be read.
bool TakeBytes(const std::string& path, std::string& bytes) {
  TFile file;
  const bool opened = file.OpenFile(path, 0);
  const int64_t size = opened ? file.GetSize() : -1;
  bool read = false;
  if (size >= 0) {
    bytes.resize(static_cast<size_t>(size));
    read = file.Read(bytes.data(), size) == size;
  }
  if (opened) file.Close();
  DosFunc::DeleteFileLong(path);
  return read;
}

}  // namespace

namespace SlideShowPackage {

std::string PlayerPackagePath(const std::vector<std::string>& arguments,
                              const std::string& ownPath) {
  const auto isFile = [](const std::string& path) {
    return !path.empty() && DosFunc::FileExistsLong(path) && !DosFunc::DirectoryExistsLong(path);
  };
  if (!arguments.empty() && isFile(arguments.front())) return arguments.front();
  const std::string beside = StrFunc::ChangeExt(ownPath, kPackageExt);
  return isFile(beside) ? beside : ownPath;
}

std::string ItemOf(int entry) { return "*" + std::to_string(entry); }

int EntryOfItem(const std::string& item) {
  int32_t entry = -1;
  if (item.empty() || item[0] != '*' ||
      !StrFunc::TryStrToIntS(StrFunc::Trim(item.substr(1)), entry) || entry < 0)
    return -1;
  return entry;
}

}  // namespace SlideShowPackage

TSlideShowPackage::TOpenResult TSlideShowPackage::Open(const std::string& path,
                                                       const TSlideShowWorkDir& work) {
  Close();
  if (work.Path().empty() || !container_.OpenRead(path) || container_.EntryCount() < 2 ||
      StrFunc::UpperCaseCz(container_.EntryName(0)) != StrFunc::UpperCaseCz(kListEntry))
    return TOpenResult::NotFound;
  container_.SetExtractFolder(work.Path());
  std::string list;
  const std::string extracted = container_.ExtractFile(0);
  if (extracted.empty() || !TakeBytes(extracted, list) || list.size() % kProjectSize != 0)
    Damaged();
  // Each project's pictures must lie inside the container.
  int64_t entry = kFirstPictureEntry;
  for (size_t at = 0; at < list.size(); at += kProjectSize) {
    const auto* record = reinterpret_cast<const unsigned char*>(list.data() + at);
    TSlideShowProject project =
        TSlideShowProject::Decode(std::span<const unsigned char, kProjectSize>(record, kProjectSize));
    if (project.Count < 0) Damaged();
    firstEntries_.push_back(project.Count > 0 ? static_cast<int>(entry) : -1);
    entry += int64_t{kEntriesPerPicture} * project.Count;
    if (entry > container_.EntryCount()) Damaged();
    projects_.push_back(std::move(project));
  }
  return projects_.empty() ? TOpenResult::Empty : TOpenResult::Opened;
}

void TSlideShowPackage::Close() {
  container_.Close();
  projects_.clear();
  firstEntries_.clear();
}

int TSlideShowPackage::FirstInfoEntry(int p) const {
  return p >= 0 && p < static_cast<int>(firstEntries_.size())
             ? firstEntries_[static_cast<size_t>(p)]
             : -1;
}

std::string TSlideShowPackage::ExtractLanguage() {
  const std::string name = StrFunc::UpperCaseCz(container_.EntryName(kLanguageEntry));
  if (name == StrFunc::UpperCaseCz(kEmptyLanguage) || StrFunc::ExtractExt(name) != "LNG")
    return {};
  return Extract(kLanguageEntry);
}

TSlideInfoRec TSlideShowPackage::ReadInfo(int k) {
  std::string bytes;
  const std::string path = Extract(k);
  if (path.empty() || !TakeBytes(path, bytes) || bytes.size() != kInfoSize) return {};
  const auto* record = reinterpret_cast<const unsigned char*>(bytes.data());
  return TSlideInfoRec::Decode(std::span<const unsigned char, kInfoSize>(record, kInfoSize));
}

std::string TSlideShowPackage::Extract(int k) {
  try {
    return container_.ExtractFile(k);
  } catch (const EFListFileError&) {
    return {};
  }
}
