// The date-time value stored in files and settings: a double counting days
// since 1899-12-30, its fraction the time of day. Before that day the value is
// negative; its whole part (truncated towards zero) is the day and the absolute
// value of its fraction the time, so -1.25 is 1899-12-29 06:00.
#pragma once

#include <cstdint>

using TDateTime = double;

namespace DateTime {

// 0001-01-01 to 9999-12-31. False (and result untouched) for a date that does
// not exist.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// Hour 0-23, minute 0-59, second 0-59, millisecond 0-999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// Joins a date (whole days) and a time (a fraction), keeping the sign rule.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& result);

// False for a value outside 0001-01-01 to 9999-12-31 or not a number.
bool DecodeDate(TDateTime value, int& year, int& month, int& day);
// The time of day, rounded to the nearest millisecond.
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
bool DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& millisecond);

// The current local date and time, to the millisecond.
TDateTime Now();

// Seconds since 1970-01-01 UTC to local date-time, and back; whole seconds.
TDateTime FromUnixTime(int64_t unixSeconds);
bool ToUnixTime(TDateTime localValue, int64_t& unixSeconds);

// The packed DOS date-time (date in the high 16 bits, time in the low 16 bits,
// two-second resolution) that some stored formats carry. False for a stamp
// that is not a valid date and time, or a date outside 1980-2107.
bool DosToDateTime(uint32_t stamp, TDateTime& result);
bool DateTimeToDos(TDateTime value, uint32_t& stamp);

}  // namespace DateTime
