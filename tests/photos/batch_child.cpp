// Runs one batch action over a folder tree with its subfolders, for the
// tests that kill it half-way: batch_child <code> <root>. It writes "go" to
// its output when the action starts and "done" when it ends, so that the
// test can stop it inside the action rather than while the program loads or
// ends. Exits 0 when every file was handled.
#include <cstdio>
#include <string>

#include "photos/batch/HromadneAkceWalk.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  HromadneAkce::TOptions options;
  options.subdirs = true;
  HromadneAkce::TProgress progress;
  std::fputs("go\n", stdout);
  std::fflush(stdout);
  const HromadneAkce::TRunResult result =
      HromadneAkce::RunAction(HromadneAkce::TActionCode(std::stoi(argv[1])), options,
                              HromadneAkce::FolderTarget(argv[2]), progress);
  std::fputs("done\n", stdout);
  std::fflush(stdout);
  return result.status == HromadneAkce::TRunStatus::Done && result.failures.empty() ? 0 : 1;
}
