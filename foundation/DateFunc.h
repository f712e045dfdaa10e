// Dates as day numbers, times as seconds of the day, letter patterns to
// format and parse them, a summer-time rule and milliseconds since 1990.
//
// A day number counts days since 1600-01-01 (day 0); -1 means no valid date.
// Valid dates run from 1600-01-01 to 3999-12-31. Two-digit years: 0-49 are
// 2000-2049, 50-99 are 1950-1999. Seconds of the day run 0 to 86399; -1 means
// no valid time where a function says so. Nothing here throws.
//
// Pattern letters: date "d" day, "m" month, "y" year, "n" month name, "w"
// weekday name; time "h" hour, "m" minute, "s" second, "t"/"e" the am/pm pair;
// "/" and ":" are the separators; every other character is copied. A lower-case
// number field fills with "0", an upper-case one with blanks. Month and
// weekday names are Czech ("Leden", "Neděle"), left-aligned and cut or filled
// to the field; "N" and "W" upper-case their letters a-z only. Widths count
// characters of the UTF-8 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/DateTime.h"

namespace DateFunc {

// A date-time as a day number and seconds of the day.
struct TDaySec {
  int32_t day = 0;
  int32_t seconds = 0;
};

// --- Day numbers and times --------------------------------------------------

// -1 unless IsValidDate.
int32_t DMYToDayNum(int day, int month, int year);
// Year 1600-3999 (after the two-digit rule), month 1-12, day within the month.
bool IsValidDate(int day, int month, int year);
// 0 for a month outside 1-12.
int DaysInMonth(int month, int year);
// Divisible by 4 and not by 4000, and not by 100 unless by 400.
bool IsLeapYear(int year);
// An invalid day number (such as -1) gives 0, 0, 0.
void DayNumToYMD(int32_t dayNum, int& day, int& month, int& year);
// 0 = Sunday; 7 for an invalid day number.
int DayOfWeek(int32_t dayNum);
int DayOfWeekDMY(int day, int month, int year);
int32_t TodayDayNum();
// -1 for the value 0 or a value that is not a number.
int32_t DateTimeToDayNum(TDateTime value);

// ((hour mod 24) x 3600 + minute x 60 + second) wrapped into one day, so the
// result is always 0-86399.
int32_t EncodeSeconds(int hour, int minute, int second);
// A negative count gives 0:00:00; an hour of 24 or more gives 23:59:59.
void SecondsToHMS(int32_t seconds, int& hour, int& minute, int& second);
// Hour 0-23, minute 0-60, second 0-60.
bool IsValidTime(int hour, int minute, int second);
// 0 for the value 0; otherwise the time part, milliseconds dropped.
int32_t DateTimeToSeconds(TDateTime value);
int32_t NowSeconds();
// Milliseconds since midnight of the value's time of day.
int32_t MsOfDay(TDateTime value);
int32_t NowMsOfDay();

// 0 when dayNum is not above 0; seconds above 86400 carry into the date;
// exactly 86400, or a time of 24 hours or more, becomes 23:59:59.
TDateTime DayNumSecondsToDateTime(int32_t dayNum, int32_t seconds);
TDaySec DateTimeToDaySec(TDateTime value);
// Adds seconds (either sign) carrying whole days; milliseconds are dropped.
// 0 when the value or the result is not a valid date.
TDateTime IncSeconds(int64_t seconds, TDateTime value);
TDateTime IncHours(int32_t hours, TDateTime value);
// Days added, seconds added with carry or borrow of whole days. {-1, 0} when
// value.day is invalid or the sum does not fit.
TDaySec AddDaySec(TDaySec value, TDaySec delta);
// The amounts (any sign) added as days and seconds; 0 as for IncSeconds.
TDateTime IncDateTime(int32_t days, int32_t hours, int32_t minutes, int32_t seconds,
                      TDateTime value);
// Sets the computer's clock; true when the system accepts it.
bool SetLocalTimeFromDateTime(TDateTime value);

// --- Formatting (an invalid value prints as the pattern with its fields
// blanked) -------------------------------------------------------------------

std::string FormatDayNum(std::string_view pattern, int32_t dayNum);
std::string FormatDateOfDateTime(std::string_view pattern, TDateTime value);
std::string FormatDate(std::string_view pattern, TDateTime value);
std::string FormatToday(std::string_view pattern);
std::string FormatSeconds(std::string_view pattern, int32_t seconds);
std::string FormatTimeOfDateTime(std::string_view pattern, TDateTime value);
std::string FormatTime(std::string_view pattern, TDateTime value);
std::string FormatNowTime(std::string_view pattern);
std::string FormatDateTime(std::string_view datePattern, std::string_view timePattern,
                           TDateTime value);
// "yyyy-mm-dd hh:mm:ss".
std::string FormatDateTimeISO(TDateTime value);

// --- Parsing ----------------------------------------------------------------
// A text whose fields are shorter than the pattern's is first aligned at its
// separators ("1.2.2007" reads as "01.02.2007" against "dd.mm.yyyy"). A text
// still shorter than the pattern reads every field as its default (day 1,
// month 0, year 2000; time 0). Month names match without regard to case
// (StrFunc::UpperCaseCz).

int32_t StrToDayNum(std::string_view pattern, std::string_view text);
int32_t StrToSeconds(std::string_view pattern, std::string_view text);
// As above, and the value formatted back must equal the text exactly.
int32_t StrToDayNumStrict(std::string_view pattern, std::string_view text);
int32_t StrToSecondsStrict(std::string_view pattern, std::string_view text);
// "yyyy-mm-dd", "dd.mm.yyyy", "yyyymmdd", then a free three-part form.
int32_t StrToDayNumAuto(std::string_view text);
// "hh:mm:ss", "hh:mm", "hhmmss", then a free three-part form.
int32_t StrToSecondsAuto(std::string_view text);
// A date, optionally a blank and a time; 0 when the date is invalid.
TDateTime StrToDateTimeS(std::string_view text);

// --- Milliseconds since 1990 and summer time --------------------------------

// Milliseconds since 1990-01-01 00:00:00.000. A non-zero offset moves the
// local value back by offset hours, one more in summer time. 0 for a value
// that is not a valid date.
int64_t DateTimeToMs1990(int offsetHours, TDateTime value);
// The inverse; 0 when the count lies outside the valid dates.
TDateTime Ms1990ToDateTime(int offsetHours, int64_t ms);
// Summer time runs from the last Sunday of March to the day before the last
// Sunday of October.
bool IsSummerTime(TDateTime value);
bool IsSummerTimeDayNum(int32_t dayNum);
// The year of dayNum and the day numbers of its first and last summer day; a
// bound not wanted is -1. An invalid dayNum gives year 0 and -1, -1.
void SummerTimeBounds(int32_t dayNum, bool wantStart, bool wantEnd, int& year,
                      int32_t& firstDay, int32_t& lastDay);

// The date-time the program started (taken on first use of this unit's state).
TDateTime ProgramStartDateTime();

}  // namespace DateFunc
