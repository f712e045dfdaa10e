// The last word of a finished work, for the status line or a box: what
// ended and its counts, "Galerie vygenerována – fotek: 12, nezpracováno: 1".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace LastWord {

struct TCount {
  int label;  // text number of what is counted, in small letters
  size_t count;
  bool evenNone = true;  // told also when the count is 0
};

// The counts, each its label, ": " and the number, joined by ", ". A count
// of 0 not told even when none leaves its part out.
std::string Counts(const std::vector<TCount>& counts);

// The text of title, then " – " and the counts when any is told.
std::string Of(int title, const std::vector<TCount>& counts);

}  // namespace LastWord
