// What the sources of the special renumbering share: the listed files, the
// plan of new names and the two-pass rename.
#pragma once

#include <string>
#include <vector>

#include "photos/renumber/edit_speccislovaniWork.h"

namespace edit_speccislovani::detail {

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

// True for the names of the files a run may rename: the media extensions.
bool IsMediaName(const std::string& name);

// True when the file may join a run of this mode (prefix already trimmed).
bool Takes(const TEntry& entry, const TOptions& options);

// Sorts the entries and gives the renames of those whose name changes, in
// sorted order. False with the refusal when a shift would give a number
// below 1.
bool PlanRenames(std::vector<TEntry> entries, const TOptions& options,
                 std::vector<TRename>& renames, TMessage& refusal);

// The two passes: every file to its temporary name, then every temporary
// name to its new name, freeing a taken name by the "--" rule.
void RenameInTwoPasses(const std::vector<TRename>& renames, const TProgress& progress,
                       TResult& result);

// Finishes the temporary names an earlier, stopped run left in folder.
void FinishLeftovers(const std::string& folder, TResult& result);

}  // namespace edit_speccislovani::detail
