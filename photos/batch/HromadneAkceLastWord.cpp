#include "photos/batch/HromadneAkceLastWord.h"

#include "photos/LastWord.h"

namespace HromadneAkce {

namespace {

constexpr int kTextGpsWritten = 213;
constexpr int kTextUnchanged = 214;
constexpr int kTextHandled = 215;

// The part of n left after taking away; never below 0.
size_t Less(size_t n, size_t away) { return n > away ? n - away : 0; }

}  // namespace

std::string DoneWord(TActionCode code, const TRunResult& result) {
  const size_t handled = Less(result.filesMet, result.failures.size());
  if (code != kWriteGps) return LastWord::Counts({{kTextHandled, handled}});
  return LastWord::Counts({{kTextGpsWritten, result.gpsWritten},
                           {kTextUnchanged, Less(handled, result.gpsWritten), false}});
}

}  // namespace HromadneAkce
