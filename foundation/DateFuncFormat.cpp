// Formatting of day numbers and seconds by letter patterns.
#include <charconv>
#include <string>
#include <vector>

#include "foundation/DateFunc.h"
#include "foundation/DateFuncPattern.h"

namespace DateFunc {

namespace {

using Pattern::Field;

// The formatted text, one entry per pattern character.
class Output {
 public:
  explicit Output(std::string_view pattern) : chars_(Pattern::SplitChars(pattern)) {
    out_.assign(chars_.begin(), chars_.end());
  }

  bool Has(char letter) const {
    Field field;
    return Pattern::FindField(chars_, letter, field);
  }

  // Right-aligned, keeping the last digits; places the number does not reach
  // show "0" under a lower-case letter and a blank under an upper-case one.
  void PutNumber(char letter, int value) {
    Field field;
    if (!Pattern::FindField(chars_, letter, field)) return;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const size_t count = static_cast<size_t>(end - digits);
    for (size_t i = 0; i < field.width; ++i) {
      const size_t fromRight = field.width - 1 - i;
      out_[field.pos + i] = fromRight < count ? std::string(1, digits[count - 1 - fromRight])
                                              : std::string(field.upper ? " " : "0");
    }
  }

  // Left-aligned, cut or blank-filled to the field.
  void PutName(char letter, std::string_view name) {
    Field field;
    if (!Pattern::FindField(chars_, letter, field)) return;
    const std::string fitted = Pattern::FitName(name, field.width, field.upper);
    const std::vector<std::string_view> chars = Pattern::SplitChars(fitted);
    for (size_t i = 0; i < field.width; ++i) out_[field.pos + i] = chars[i];
  }

  // The first place of the letter shows text.
  void PutAt(char letter, std::string_view text) {
    Field field;
    if (Pattern::FindField(chars_, letter, field)) out_[field.pos] = text;
  }

  // Every place of the given letters shows the replacement.
  void ReplaceLetters(std::string_view lowers, std::string_view replacement) {
    for (size_t i = 0; i < chars_.size(); ++i)
      for (char letter : lowers)
        if (Pattern::IsLetter(chars_[i], letter)) out_[i] = replacement;
  }

  std::string Text() const {
    std::string text;
    for (const std::string& c : out_) text += c;
    return text;
  }

 private:
  std::vector<std::string_view> chars_;
  std::vector<std::string> out_;
};

}  // namespace

std::string FormatDayNum(std::string_view pattern, int32_t dayNum) {
  Output out(pattern);
  int day = 0, month = 0, year = 0;
  DayNumToYMD(dayNum, day, month, year);
  if (year == 0) {
    out.ReplaceLetters("mndyw", " ");
    return out.Text();
  }
  out.PutNumber('m', month);
  out.PutNumber('d', day);
  out.PutNumber('y', year);
  out.PutName('n', Pattern::MonthName(month));
  out.PutName('w', Pattern::DayName(DayOfWeek(dayNum)));
  return out.Text();
}

std::string FormatDateOfDateTime(std::string_view pattern, TDateTime value) {
  return FormatDayNum(pattern, value > 0 ? DateTimeToDayNum(value) : -1);
}

std::string FormatDate(std::string_view pattern, TDateTime value) {
  return FormatDateOfDateTime(pattern, value);
}

std::string FormatToday(std::string_view pattern) { return FormatDayNum(pattern, TodayDayNum()); }

std::string FormatSeconds(std::string_view pattern, int32_t seconds) {
  Output out(pattern);
  if (seconds < 0) {
    out.ReplaceLetters("hms", " ");
    return out.Text();
  }
  int hour = 0, minute = 0, second = 0;
  SecondsToHMS(seconds, hour, minute, second);
  if (out.Has('t')) {
    out.PutAt('t', hour < 12 ? "a" : "p");
    out.PutAt('e', "m");
    hour = hour % 12 == 0 ? 12 : hour % 12;
  }
  out.PutNumber('h', hour);
  out.PutNumber('m', minute);
  out.PutNumber('s', second);
  return out.Text();
}

std::string FormatTimeOfDateTime(std::string_view pattern, TDateTime value) {
  return FormatSeconds(pattern, DateTimeToSeconds(value));
}

std::string FormatTime(std::string_view pattern, TDateTime value) {
  return FormatTimeOfDateTime(pattern, value);
}

std::string FormatNowTime(std::string_view pattern) { return FormatSeconds(pattern, NowSeconds()); }

std::string FormatDateTime(std::string_view datePattern, std::string_view timePattern,
                           TDateTime value) {
  std::string text;
  if (!datePattern.empty()) {
    const int32_t dayNum = DateTimeToDayNum(value);
    if (dayNum > 0) {
      text = FormatDayNum(datePattern, dayNum);
    } else {
      Output zeros(datePattern);
      zeros.ReplaceLetters("dmy", "0");
      text = zeros.Text();
    }
  }
  if (!timePattern.empty()) {
    if (!text.empty()) text += ' ';
    text += FormatSeconds(timePattern, DateTimeToSeconds(value));
  }
  return std::string(Pattern::TrimBlanks(text));
}

std::string FormatDateTimeISO(TDateTime value) {
  return FormatDateTime("yyyy-mm-dd", "hh:mm:ss", value);
}

}  // namespace DateFunc
