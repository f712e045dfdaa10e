// What the sources of the special renumbering share: the listed files, the
// plan of new names and the two-pass rename.
#pragma once

#include <string>
#include <vector>

#include "photos/renumber/edit_speccislovaniWork.h"

namespace edit_speccislovani::detail {

// A refusal to show in an error box.
TMessage Refused(const std::string& text);

// One file taken into a run.
struct TEntry {
  std::string path;     // full path
  std::string name;     // file name with extension
  std::string NAME;     // trimmed, upper-cased base name
  std::string timeKey;  // "yyyymmddhhmmss" of the last-write time
  bool parsed = false;  // a prefix_number name
  TNumbered numbered;
};

// One planned rename: the file and the name it is to have in its folder.
struct TRename {
  std::string path;
  std::string newName;
};

// True for the names of the files a run may rename: every name but those of
// the program's own files (the ignore list, the checker cache) and its work
// names (".~qm" in any letter case: journals, temporary names).
bool IsRunName(const std::string& name);

// True when the file may join a run of this mode (prefix already trimmed).
bool Takes(const TEntry& entry, const TOptions& options);

// Sorts the entries and gives the renames of those whose name changes, in
// sorted order. False with the refusal when a shift would give a number
// below 1.
bool PlanRenames(std::vector<TEntry> entries, const TOptions& options,
                 std::vector<TRename>& renames, TMessage& refusal);

// The journal of a run, written beside the tree (in its root) before the
// first rename and removed after the last: the tag of the temporary names,
// the pass the run is in, and every planned rename.
struct TJournal {
  std::string tag;
  int pass = 1;  // 1 while files go to their temporary names, then 2
  std::vector<TRename> renames;
};
std::string JournalPath(const std::string& root);
[[nodiscard]] bool WriteJournal(const std::string& root, const TJournal& journal);
enum class TJournalRead { kNone, kRead, kDamaged };
TJournalRead ReadJournal(const std::string& root, TJournal& journal);

// Renames the plan in two passes, recorded in the journal first: every file
// to its temporary name, then every temporary name to its new name, freeing
// a taken name by the "--" rule. A file whose new name is held by a folder
// keeps its name. False, with nothing renamed, when the journal cannot be
// written.
bool RenameInTwoPasses(const std::string& root, std::vector<TRename> renames,
                       const TProgress& progress, TResult& result);

// Finishes the run the root's journal records, exactly as that run would
// have ended. False when there is no journal.
bool FinishJournal(const std::string& root, TResult& result);

// Finishes the temporary names a stopped run left in folder without a
// journal (a run over another root): each takes the name it carries.
void FinishLeftovers(const std::string& folder, TResult& result);

}  // namespace edit_speccislovani::detail
