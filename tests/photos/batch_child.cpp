// Runs one batch action over a folder tree with its subfolders, for the
// tests that kill it half-way: batch_child <code> <root>, or batch_child
// shift <root> for a special renumbering that shifts the numbers of the
// "img" files by one. It writes "go" to its output when the work starts and
// "done" when it ends, so that the test can stop it inside the work rather
// than while the program loads or ends. Exits 0 when every file was handled.
#include <cstdio>
#include <string>

#include "photos/batch/HromadneAkceWalk.h"
#include "tests/photos/RenumberShift.h"

namespace {

bool RunAction(const std::string& code, const std::string& root) {
  HromadneAkce::TOptions options;
  options.subdirs = true;
  HromadneAkce::TProgress progress;
  const HromadneAkce::TRunResult result = HromadneAkce::RunAction(
      HromadneAkce::TActionCode(std::stoi(code)), options, HromadneAkce::FolderTarget(root),
      progress);
  return result.status == HromadneAkce::TRunStatus::Done && result.failures.empty();
}

bool Shift(const std::string& root) {
  const edit_speccislovani::TResult result =
      edit_speccislovani::Run(batchtest::ShiftByOne(root), {});
  return result.refusal.text.empty() && result.failed.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::fputs("go\n", stdout);
  std::fflush(stdout);
  const bool done = std::string(argv[1]) == "shift" ? Shift(argv[2]) : RunAction(argv[1], argv[2]);
  std::fputs("done\n", stdout);
  std::fflush(stdout);
  return done ? 0 : 1;
}
