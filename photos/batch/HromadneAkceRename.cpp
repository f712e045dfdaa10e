#include "photos/batch/HromadneAkceRename.h"

#include <algorithm>
#include <unordered_map>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceKinds.h"
#include "photos/batch/HromadneAkceRenamePlan.h"
#include "photos/batch/HromadneAkceSpread.h"

namespace HromadneAkce {

namespace {

constexpr int32_t kLastSuffix = 65535;

// One file of a folder's plan.
struct TNaming {
  TDatedFile* line;
  std::string name;  // its name now
  std::string temp;  // "" when it can take none, and so keeps its name
  std::string to;    // its new name
};

std::string Numbered(const std::string& stem, int32_t n, const std::string& ext) {
  return stem + "-" + Pad4(n) + "." + ext;
}

std::string StandingOf(const TNaming& n) { return StrFunc::ExtractName(n.line->file->standing); }

// The files of each folder, the folders in the order their first file comes.
std::vector<std::vector<TDatedFile*>> ByFolder(std::vector<TDatedFile>& files) {
  std::vector<std::vector<TDatedFile*>> folders;
  std::unordered_map<std::string, size_t> index;
  for (TDatedFile& f : files) {
    const auto [it, added] = index.try_emplace(StrFunc::ExtractDir(f.file->path), folders.size());
    if (added) folders.emplace_back();
    folders[it->second].push_back(&f);
  }
  return folders;
}

std::vector<TNaming> Namings(const std::vector<TDatedFile*>& files, TFolderNames& names,
                             TFailures& failures) {
  std::vector<std::string> current;
  current.reserve(files.size());
  for (TDatedFile* f : files) current.push_back(StrFunc::ExtractName(f->file->path));
  const std::vector<std::string> temps = TakeTemporaryNames(current, names);
  std::vector<TNaming> namings;
  namings.reserve(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    namings.push_back({files[i], current[i], temps[i], {}});
    if (!temps[i].empty()) continue;
    failures.push_back({TFailureKind::NameTaken, files[i]->file->standing,
                        NameOnDisk(files[i]->file->path + kTempSuffix)});
    namings.back().to = current[i];
  }
  return namings;
}

// The new name of each dated file in turn, as if each took it at once.
void NameByDate(std::vector<TNaming>& namings, TRenameFormat format, TFolderNames& names,
                TFailures& failures) {
  std::unordered_map<std::string, int32_t> nextSuffix;  // by stem: lower numbers are taken
  std::unordered_map<std::string, size_t> plainHolder;  // a stem's plain name: which file
  for (size_t i = 0; i < namings.size(); ++i) {
    TNaming& n = namings[i];
    const TDatedFile& line = *n.line;
    if (!n.to.empty() || line.key.empty()) continue;
    const std::string stem = DateBaseName(format, line.key, line.dayNumber, line.position);
    const std::string ext = StrFunc::LowerCaseCz(StrFunc::ExtractExt(StandingOf(n)));
    const std::string plain = stem + "." + ext, first = Numbered(stem, 1, ext);
    if (!names.Held(first)) {
      const auto holder = plainHolder.find(stem);
      if (!names.Held(plain)) {
        n.to = plain;
        names.Hold(plain);
        plainHolder[stem] = i;
        continue;
      }
      if (holder == plainHolder.end()) {
        n.to = first;
        names.Hold(first);
        continue;
      }
      // The photo before it in the same second moves to -0001.
      names.Release(plain);
      namings[holder->second].to = first;
      names.Hold(first);
      plainHolder.erase(holder);
    }
    int32_t& next = nextSuffix[stem];
    for (int32_t k = std::max(next, 2); k <= kLastSuffix && n.to.empty(); ++k) {
      const std::string numbered = Numbered(stem, k, ext);
      if (names.Held(numbered)) continue;
      n.to = numbered;
      names.Hold(numbered);
      next = k + 1;
    }
    if (n.to.empty()) {
      failures.push_back({TFailureKind::NameTaken, line.file->standing,
                          NameOnDisk(StrFunc::ExtractDir(line.file->path) + "/" + plain)});
      n.to = KeptName(n.name, names);
    }
  }
}

void RenameFolder(const std::string& folder, const std::vector<TDatedFile*>& files,
                  TRenameFormat format, bool spread, TProgress& progress, TFailures& failures) {
  TFolderNames names;
  names.List(folder);
  std::vector<TNaming> namings = Namings(files, names, failures);
  // Files without a date keep their names before any other is given out.
  for (TNaming& n : namings) {
    if (!n.to.empty() || !n.line->key.empty()) continue;
    failures.push_back({TFailureKind::NoUsableDate, n.line->file->standing, {}});
    n.to = KeptName(n.name, names);
  }
  NameByDate(namings, format, names, failures);
  if (spread) {
    std::vector<std::string*> newNames;
    for (TNaming& n : namings)
      if (!n.line->key.empty()) newNames.push_back(&n.to);
    SpreadCollisions(newNames, names);
  }
  TRenamePlan plan{folder, {}};
  std::vector<TNaming*> planned;
  for (TNaming& n : namings) {
    if (n.to == n.name) continue;
    plan.renames.push_back({n.name, n.temp, n.to});
    planned.push_back(&n);
  }
  RunPlan(plan, files.size(), progress, failures);
  for (size_t i = 0; i < planned.size(); ++i) {
    if (!plan.renames[i].done) continue;
    TMediaFile& file = *planned[i]->line->file;
    file.path = file.standing = StrFunc::IncludeBackslash(folder) + plan.renames[i].to;
  }
  for (TNaming& n : namings) {
    if (n.to == n.name && n.to != StandingOf(n))
      failures.push_back(
          {TFailureKind::TemporaryNameLeft, n.line->file->path, n.line->file->standing});
  }
}

}  // namespace

std::string Pad4(int64_t n) { return StrFunc::PadLeftCh(std::to_string(n), '0', 4); }

std::string DateBaseName(TRenameFormat format, std::string_view key, int32_t dayNumber,
                         int32_t position) {
  const std::string perDay = std::string(key.substr(0, 8)) + "_img" + Pad4(dayNumber);
  switch (format) {
    case TRenameFormat::Index: return "img_" + Pad4(position);
    case TRenameFormat::DatePerDay: return perDay;
    case TRenameFormat::Date: break;
  }
  // Midnight is what a camera without a clock writes: no time to name by.
  return key.substr(9) == "000000" ? perDay : std::string(key);
}

void RenameByDate(std::vector<TDatedFile>& files, TRenameFormat format, bool spread,
                  TProgress& progress, TFailures& failures) {
  for (const std::vector<TDatedFile*>& folder : ByFolder(files))
    RenameFolder(StrFunc::ExtractDir(folder.front()->file->path), folder, format, spread, progress,
                 failures);
}

std::string NameOnDisk(const std::string& path) { return DosFunc::ExistingPathLong(path); }

}  // namespace HromadneAkce
