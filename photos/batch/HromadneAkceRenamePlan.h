// The renames of one folder, planned whole before the first of them and
// recorded in the folder's journal, so that a rename stopped at any point
// (the program killed, the machine switched off) is finished by the next
// one exactly as it was planned. Without the plan, the next run would find
// the photos renamed before the stop under their new names, which sort
// elsewhere: a burst of one second would come out in another order.
//
// A plan's files take their new names in two passes: first every one a
// temporary name (its name + kTempSuffix, once to three times), then every
// one its new name, so no file is ever renamed onto another of the plan. A
// new name that is taken by the time of the second pass is not taken: the
// file goes back to its old name, or stays under its temporary name when
// that is taken too (the next rename finishes it).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// One planned rename within the plan's folder: names only.
struct TPlannedRename {
  std::string from;   // the file's name now
  std::string temp;   // its name between the two passes
  std::string to;     // its new name
  bool done = false;  // it took its new name
  bool atTemp = false;  // between the passes: under its temporary name
};

struct TRenamePlan {
  std::string folder;
  std::vector<TPlannedRename> renames;
};

// The names of one folder while a plan is made: which are held, compared as
// the program looks names up (without regard to case). A name is held by an
// entry the plan leaves alone, or by a file of the plan under its new name.
class TFolderNames {
 public:
  // All the folder's entries now (none when it cannot be listed).
  void List(const std::string& folder);
  bool Held(const std::string& name) const;
  void Hold(const std::string& name);
  void Release(const std::string& name);
  // The names held now, each once in one of its spellings.
  std::vector<std::string> HeldNames() const;

 private:
  std::unordered_map<std::string, std::pair<std::string, int>> held_;  // by upper case
};

// The first planning step for the files of a folder now named names: each
// gets a temporary name free on disk (name + kTempSuffix, up to three of
// them, or the name itself when it is one already; "" when none is free),
// then gives up its name and that temporary one, which no new name looks
// like. A file given "" keeps its name: it is held again.
std::vector<std::string> TakeTemporaryNames(const std::vector<std::string>& names,
                                            TFolderNames& held);
// The name a file of the plan keeps when it is given no new one: the name
// it stands for when it is a stopped rename's leftover and that is free,
// else its name now; held.
std::string KeptName(const std::string& name, TFolderNames& held);

// Carries the plan out: the journal first, then the two passes, each
// stepping the progress stepsPerPass times (a pass over n files steps n
// times whether or not each file is renamed). Sets done of each rename that
// took its new name; every other is told in failures by the name it stood
// for. A plan whose journal cannot be written renames nothing.
void RunPlan(TRenamePlan& plan, size_t stepsPerPass, TProgress& progress, TFailures& failures);

enum class TStoppedRun {
  kNone,        // the folder holds no journal
  kFinished,    // a stopped run was finished as planned
  kUnreadable,  // its journal cannot be read: the folder is to be left alone
};

// Finishes the renames a stopped run recorded in folder's journal, exactly
// as planned, and removes the journal; a journal that cannot be read is left
// as it is, and told.
TStoppedRun FinishStoppedRun(const std::string& folder, TFailures& failures);

// The journal of a folder: the program's own work name in it.
std::string RenameJournalPath(const std::string& folder);

}  // namespace HromadneAkce
