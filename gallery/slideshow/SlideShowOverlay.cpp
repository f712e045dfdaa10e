#include "gallery/slideshow/SlideShowOverlay.h"

#include <algorithm>
#include <cstdint>

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"

namespace SlideShowOverlay {

namespace {

constexpr int kLineExtra = 250;
constexpr int kDateExtraWithComment = 500;
constexpr int kDateExtra = 750;
constexpr size_t kCutStep = 5;

bool HasTimeOfDay(TDateTime value) {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  DateTime::DecodeTime(value, hour, minute, second, millisecond);
  return hour != 0 || minute != 0 || second != 0;
}

bool HasDoubleBlank(const std::string& text) { return text.find("  ") != std::string::npos; }

}  // namespace

TOverlay Compose(int number, int count, const TSlideInfoRec& info, int flags) {
  TOverlay overlay;
  if (flags & kCounter) overlay.Line = std::to_string(number) + "/" + std::to_string(count);
  if (!info.ExifRead) return overlay;
  if ((flags & kExposure) && HasTimeOfDay(info.Digitized))
    overlay.Line += "   " + DateFunc::FormatDate("dd.mm.yyyy", info.Digitized) + "  " +
                    DateFunc::FormatTime("hh:mm:ss", info.Digitized);
  const std::string comment = StrFunc::Trim(info.Comment);
  if ((flags & kNote) && !comment.empty()) {
    overlay.Comment = comment;
    overlay.Line += "   " + comment;
  }
  return overlay;
}

int DisplayTime(int interval, const TOverlay& overlay) {
  int64_t time = interval;
  const bool line = !overlay.Line.empty();
  if (!overlay.Comment.empty()) {
    time += StrFunc::ReadingTimeMs(overlay.Comment);
    if (line) time += kLineExtra;
    if (HasDoubleBlank(StrFunc::Trim(overlay.Line))) time += kDateExtraWithComment;
  } else {
    if (line) time += kLineExtra;
    if (HasDoubleBlank(overlay.Line)) time += kDateExtra;
  }
  return static_cast<int>(std::min<int64_t>(time, INT32_MAX));
}

int IntervalMs(const std::string& seconds) {
  int32_t value = 0;
  if (!StrFunc::TryStrToIntS(StrFunc::Trim(seconds), value)) return kDefaultInterval;
  return static_cast<int>(std::clamp<int64_t>(int64_t{value} * 1000, kMinInterval, INT32_MAX));
}

std::string Shorten(const std::string& text, const std::function<bool(const std::string&)>& fits) {
  if (fits(text)) return text;
  std::string kept = text;
  std::string shown;
  do {
    const size_t length = Utf8::Length(kept);
    kept = Utf8::Left(kept, length > kCutStep ? length - kCutStep : 0);
    shown = kept + "...";
  } while (!kept.empty() && !fits(shown));
  return shown;
}

}  // namespace SlideShowOverlay
