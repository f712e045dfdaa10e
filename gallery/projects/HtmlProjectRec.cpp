#include "gallery/projects/HtmlProjectRec.h"

#include <cstdint>
#include <string>

#include "foundation/LittleEndian.h"
#include "foundation/Utf8.h"
#include "gallery/projects/FixedText.h"
#include "platform/TextCodec.h"

namespace HtmlProjectRec {

namespace {

constexpr size_t kFormatAt = 0;
constexpr size_t kPhotoFolderAt = 2, kProjectNameAt = 258, kBrowseFolderAt = 514,
                 kHtmlDirAt = 770;
constexpr size_t kImageCompressionAt = 1026, kTbCompressionAt = 1030, kCharCodeAt = 1034;
constexpr size_t kKeepMaxImgSizeAt = 1038, kKeepTbMaxSizeAt = 1039;
constexpr size_t kTbMaxSizeAt = 1040, kImgMaxSizeAt = 1061, kImgToleranceAt = 1082,
                 kTbToleranceAt = 1103;
constexpr size_t kPhotoStepAt = 1124, kThumbStepAt = 1128, kWebLanguageAt = 1132;
constexpr size_t kFNameAt = 1136, kFromIDAt = 1187, kStepAt = 1203;
constexpr size_t kForceNoteAt = 1219, kShortcutAt = 1220, kDetailExifAt = 1237,
                 kReservedAt = 1238;
constexpr size_t kFolder = kFolderCapacity + 1, kSizeText = 21;
static_assert(kFormatAt + 2 == kPhotoFolderAt && kPhotoFolderAt + kFolder == kProjectNameAt &&
              kProjectNameAt + 256 == kBrowseFolderAt && kBrowseFolderAt + kFolder == kHtmlDirAt &&
              kHtmlDirAt + kFolder == kImageCompressionAt);
static_assert(kImageCompressionAt + 4 == kTbCompressionAt && kTbCompressionAt + 4 == kCharCodeAt &&
              kCharCodeAt + 4 == kKeepMaxImgSizeAt && kKeepMaxImgSizeAt + 1 == kKeepTbMaxSizeAt &&
              kKeepTbMaxSizeAt + 1 == kTbMaxSizeAt);
static_assert(kTbMaxSizeAt + kSizeText == kImgMaxSizeAt && kImgMaxSizeAt + kSizeText == kImgToleranceAt &&
              kImgToleranceAt + kSizeText == kTbToleranceAt && kTbToleranceAt + kSizeText == kPhotoStepAt);
static_assert(kPhotoStepAt + 4 == kThumbStepAt && kThumbStepAt + 4 == kWebLanguageAt &&
              kWebLanguageAt + 4 == kFNameAt && kFNameAt + 51 == kFromIDAt &&
              kFromIDAt + 16 == kStepAt && kStepAt + 16 == kForceNoteAt);
static_assert(kForceNoteAt + 1 == kShortcutAt && kShortcutAt + kShortcutCapacity + 1 == kDetailExifAt &&
              kDetailExifAt + 1 == kReservedAt && kReservedAt + 1005 == kRecordSize);

using Record = std::span<unsigned char, kRecordSize>;
using ConstRecord = std::span<const unsigned char, kRecordSize>;

template <size_t At, size_t Size>
void PutText(Record r, const std::string& text) {
  FixedText::Put(r.subspan<At, Size>(), text);
}

template <size_t At, size_t Size>
std::string GetText(ConstRecord r) {
  std::string text = FixedText::Get(r.subspan<At, Size>());
  return Utf8::IsValid(text) ? text : platform::Windows1250ToUtf8(text);
}

template <size_t At>
void PutInt(Record r, int32_t value) {
  LittleEndian::Put32(r.subspan<At, 4>(), static_cast<uint32_t>(value));
}

template <size_t At>
int32_t GetInt(ConstRecord r) {
  return static_cast<int32_t>(LittleEndian::Get32(r.subspan<At, 4>()));
}

}  // namespace

THtmlProjectRec Pack(const THtmlProject& p) {
  THtmlProjectRec bytes{};
  const Record r(bytes);
  LittleEndian::Put16(r.subspan<kFormatAt, 2>(), 1);
  PutText<kPhotoFolderAt, kFolder>(r, p.PhotoFolder);
  PutText<kProjectNameAt, 256>(r, p.ProjectName);
  PutText<kBrowseFolderAt, kFolder>(r, p.BrowseFolder);
  PutText<kHtmlDirAt, kFolder>(r, p.HtmlDir);
  PutInt<kImageCompressionAt>(r, p.ImageCompression);
  PutInt<kTbCompressionAt>(r, p.TbCompression);
  PutInt<kCharCodeAt>(r, p.CharCode);
  r[kKeepMaxImgSizeAt] = p.KeepMaxImgSize ? 1 : 0;
  r[kKeepTbMaxSizeAt] = p.KeepTbMaxSize ? 1 : 0;
  PutText<kTbMaxSizeAt, kSizeText>(r, p.TbMaxSize);
  PutText<kImgMaxSizeAt, kSizeText>(r, p.ImgMaxSize);
  PutText<kImgToleranceAt, kSizeText>(r, p.ImgTolerance);
  PutText<kTbToleranceAt, kSizeText>(r, p.TbTolerance);
  PutInt<kPhotoStepAt>(r, p.PhotoQualityStep);
  PutInt<kThumbStepAt>(r, p.ThumbQualityStep);
  PutInt<kWebLanguageAt>(r, p.WebLanguage);
  PutText<kFNameAt, 51>(r, p.FName);
  PutText<kFromIDAt, 16>(r, p.FromID);
  PutText<kStepAt, 16>(r, p.Step);
  r[kForceNoteAt] = p.ForceNote ? 1 : 0;
  PutText<kShortcutAt, kShortcutCapacity + 1>(r, p.Shortcut);
  r[kDetailExifAt] = p.DetailExifForWeb ? 1 : 0;
  return bytes;
}

THtmlProject Unpack(ConstRecord r) {
  THtmlProject p;
  p.PhotoFolder = GetText<kPhotoFolderAt, kFolder>(r);
  p.ProjectName = GetText<kProjectNameAt, 256>(r);
  p.BrowseFolder = GetText<kBrowseFolderAt, kFolder>(r);
  p.HtmlDir = GetText<kHtmlDirAt, kFolder>(r);
  p.ImageCompression = GetInt<kImageCompressionAt>(r);
  p.TbCompression = GetInt<kTbCompressionAt>(r);
  p.CharCode = GetInt<kCharCodeAt>(r);
  p.KeepMaxImgSize = r[kKeepMaxImgSizeAt] != 0;
  p.KeepTbMaxSize = r[kKeepTbMaxSizeAt] != 0;
  p.TbMaxSize = GetText<kTbMaxSizeAt, kSizeText>(r);
  p.ImgMaxSize = GetText<kImgMaxSizeAt, kSizeText>(r);
  p.ImgTolerance = GetText<kImgToleranceAt, kSizeText>(r);
  p.TbTolerance = GetText<kTbToleranceAt, kSizeText>(r);
  p.PhotoQualityStep = GetInt<kPhotoStepAt>(r);
  p.ThumbQualityStep = GetInt<kThumbStepAt>(r);
  p.WebLanguage = GetInt<kWebLanguageAt>(r);
  p.FName = GetText<kFNameAt, 51>(r);
  p.FromID = GetText<kFromIDAt, 16>(r);
  p.Step = GetText<kStepAt, 16>(r);
  p.ForceNote = r[kForceNoteAt] != 0;
  p.Shortcut = GetText<kShortcutAt, kShortcutCapacity + 1>(r);
  p.DetailExifForWeb = r[kDetailExifAt] != 0;
  return p;
}

}  // namespace HtmlProjectRec
