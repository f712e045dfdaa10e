// The file work of the special renumbering window: files named prefix_number
// in a folder, optionally in its whole subfolder tree, are renumbered from a
// start number with a step (in name or date order), shifted from a number on,
// given one leading digit more or less, or given a new prefix.
//
// Every regular file is renumbered, whatever its extension, so that a
// camera's raw file keeps the number of its JPEG; the program's own files
// (the ignore list, the checker cache) and work names (".~qm...") are never
// renamed, the "thumbs" and "exif" folders never entered, symbolic links are
// neither renumbered nor entered, and a folder that cannot be read is
// reported.
//
// A run plans every rename of the tree first and records the plan in a
// journal in the root (".~qm-renumber"), then renames in two passes through
// temporary names: the new name + ".~qm" + a 4-digit hex tag + ".tmp", so no
// file is ever renamed onto another of the run. A new name taken by a file
// outside the run frees it by putting "--" in front of that file's name (one
// "-" more while that is taken too); a link there steps aside as a link. A
// new name held by a folder is not taken: the file keeps (or goes back to)
// its old name, and is reported. A run that was stopped half-way leaves its
// journal; the next run over the root finishes that run exactly as it would
// have ended and does nothing else, so that a shift or a change of digits is
// never applied twice, nor half.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace edit_speccislovani {

enum class TMode {
  Renumber = 1,      // every file, numbered from start by step
  Shift = 2,         // files of the prefix: numbers from `from` on moved by `shift`
  ChangePrefix = 3,  // every prefix_number file gets the prefix
  MoreDigits = 4,    // files of the prefix: one leading "0" more
  FewerDigits = 5,   // files of the prefix: one leading digit less, never
                     // fewer than the largest number needs
};

// What the window gathers. Renumbering runs folder by folder unless
// `continuous`; the other modes always take the whole tree (with subdirs) as
// one list.
struct TOptions {
  std::string root;
  bool subdirs = false;
  bool continuous = false;  // rb_continue
  bool byTime = false;      // rb_time: last-write time order, else name order
  std::string prefix = "img";
  TMode mode = TMode::Renumber;
  int32_t start = 1;  // renumbering
  int32_t step = 1;
  int32_t from = 1;  // shift
  int32_t shift = 0;
};

// A message box's text and caption.
struct TMessage {
  std::string text;
  std::string caption;
};

// Captions of the window's message boxes: numbers of the text table.
constexpr int kCaptionError = 516;        // "Chyba"
constexpr int kCaptionInformation = 510;  // "Informace"
constexpr int kCaptionQuestion = 78;      // "Dotaz"

// Reads the number edits the mode of options needs (trimmed, whole numbers)
// into options: renumbering its start, a shift its from and shift. Returns
// the error, or the information that there is nothing to do, to show before
// stopping; an empty text when the run may be asked for.
TMessage ReadNumbers(const std::string& startText, const std::string& fromText,
                     const std::string& shiftText, TOptions& options);

// The Yes/No question asked before a run (caption kCaptionQuestion).
std::string Question(const TOptions& options);

// A prefix_number name: the base name (without extension) holds "_"; the
// trimmed text before the first "_" is the prefix, the trimmed text after it
// is decimal digits only (at most 18): number and its digit count.
struct TNumbered {
  std::string prefix;
  int digits = 0;
  int64_t number = 0;
};
bool ParseNumbered(const std::string& fileName, TNumbered& out);

// Called with the position of the progress bar and its maximum: twice the
// number of files of the list being renamed, one step per file and pass.
using TProgress = std::function<void(int position, int maximum)>;

struct TResult {
  // A refusal before anything was renamed; empty after a run.
  TMessage refusal;
  int renamed = 0;
  // Files outside the run moved out of the way: their new paths.
  std::vector<std::string> displaced;
  // Files of an earlier, stopped run that were given their new names.
  int finished = 0;
  // The tree held an earlier, stopped run: it was finished, and the
  // operation itself did not run.
  bool interrupted = false;
  // That run was finished from its journal, exactly as planned (else only
  // the temporary names found took the names they carry).
  bool exact = false;
  // Files that could not take their new names: their paths now.
  std::vector<std::string> failed;
  // Folders that could not be read; their files were not renamed.
  std::vector<std::string> unreadable;
};

// Runs the operation of options on the trimmed root. Refuses, renaming
// nothing, a root that is no folder, a prefix holding "/", a step below 1, a
// negative start, and a shift that would give a number below 1.
TResult Run(const TOptions& options, const TProgress& progress);

// What the window tells after a run; empty when every file was renamed and
// no other file had to move aside.
std::string Summary(const TResult& result);

}  // namespace edit_speccislovani
