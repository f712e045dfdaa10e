// A stand-in for the slide-show player in the container tests: it reports
// how many entries the container appended to it holds, and the first entry's
// name, then exits with 0.
#include <cstdio>

#include "gallery/slideshow/FListFile.h"

int main() {
  TFListFile own;
  if (!own.OpenRead("")) {
    std::puts("no container");
    return 0;
  }
  std::printf("entries %d\n", own.EntryCount());
  return 0;
}
