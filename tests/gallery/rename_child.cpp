// Runs the Batch menu's rename over a photo folder and its gallery, for the
// test that kills it half-way: rename_child <folder> <gallery>. It writes
// "go" to its output when the work starts and "done" when it ends, so that
// the test can stop it inside the work. Exits 0 when everything was done.
#include <cstdio>

#include "tests/gallery/RenameFixture.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::fputs("go\n", stdout);
  std::fflush(stdout);
  const bool done = renametest::RenameFolder(argv[1], argv[2]);
  std::fputs("done\n", stdout);
  std::fflush(stdout);
  return done ? 0 : 1;
}
