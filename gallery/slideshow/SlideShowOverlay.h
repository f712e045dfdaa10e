// The overlay line of a slide show and the time a picture stays on screen:
// plain text rules, measured by the window that shows them.
#pragma once

#include <functional>
#include <string>

#include "gallery/slideshow/SlideShowRecords.h"

namespace SlideShowOverlay {

// Overlay flags: the picture counter, the exposure date and time, the
// comment.
constexpr int kCounter = 1;
constexpr int kExposure = 2;
constexpr int kNote = 4;
constexpr int kAll = kCounter | kExposure | kNote;

constexpr int kDefaultInterval = 5000;
constexpr int kMinInterval = 1000;

struct TOverlay {
  std::string Line;     // what the overlay shows
  std::string Comment;  // the comment in it, for its reading time
};

// The overlay of picture number (1-based) of count: "number/count"; with
// the exposure flag and a date whose time of day is not 00:00:00, three
// blanks, "dd.mm.yyyy", two blanks and "hh:mm:ss"; with the note flag and a
// comment, three blanks and the trimmed comment. The date and the comment
// count only when the record's EXIF flag is set.
TOverlay Compose(int number, int count, const TSlideInfoRec& info, int flags);

// How long a picture stays: interval plus time to read its overlay. With a
// comment: its reading time (StrFunc::ReadingTimeMs), 250 for a line and
// 500 more when the trimmed line holds two blanks in a row (a date). Without
// one: 250 for a line and 750 more for two blanks in a row.
int DisplayTime(int interval, const TOverlay& overlay);

// The interval of the menu's seconds text: the trimmed number x 1000 ms, at
// least 1000; 5000 for a text that is no number.
int IntervalMs(const std::string& seconds);

// text as the overlay shows it: whole when fits says so; else shortened by
// five characters at a time (never inside a character) and shown with
// "..." after it until it fits or nothing is left of it.
std::string Shorten(const std::string& text, const std::function<bool(const std::string&)>& fits);

}  // namespace SlideShowOverlay
