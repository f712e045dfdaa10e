// Names of the special renumbering: which files a run takes, their order and
// the new name each gets.
#include <algorithm>
#include <charconv>
#include <utility>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/WorkNames.h"
#include "photos/OwnFiles.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "texts/Language.h"

namespace edit_speccislovani {

namespace {

// More digits would not fit a 64-bit number.
constexpr size_t kMaxNumberDigits = 18;
constexpr int kTextShiftBelowOne = 109;
constexpr int kTextBelowOne = 110;
constexpr int kTextNothingRenamed = 107;

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int DigitsOf(int64_t value) { return static_cast<int>(std::to_string(value).size()); }

std::string Padded(int64_t number, int width) {
  return StrFunc::PadLeftCh(std::to_string(number), '0', width);
}

// The order of a run: the sort key (the last-write time, or the name padded
// so that a shorter name sorts before a longer one it begins), then the
// name, then the path; compared without regard to case.
void SortEntries(std::vector<detail::TEntry>& entries, bool byTime) {
  size_t longest = 0;
  for (const detail::TEntry& e : entries) longest = std::max(longest, Utf8::Length(e.NAME));
  const int width = static_cast<int>(longest);
  std::vector<std::pair<std::string, std::string>> keys;
  keys.reserve(entries.size());
  for (const detail::TEntry& e : entries) {
    const std::string name = StrFunc::PadRightS(e.NAME, width);
    const std::string key = (byTime ? e.timeKey : name) + "|" + name + "|" + e.path;
    keys.emplace_back(StrFunc::UpperCaseCz(key), key);
  }
  std::vector<size_t> order(entries.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  std::vector<detail::TEntry> sorted;
  sorted.reserve(entries.size());
  for (size_t i : order) sorted.push_back(std::move(entries[i]));
  entries = std::move(sorted);
}

// The widths the modes pad numbers to; each mode uses its own.
struct TWidths {
  int renumber = 0;  // of the last number given
  int shift = 0;     // of the largest number shifted, at least the most digits
  int fewer = 0;     // one digit less than the most, at least the largest's
};

TWidths WidthsOf(const std::vector<detail::TEntry>& entries, const TOptions& options) {
  int64_t largest = 0;
  int maxDigits = 0;
  for (const detail::TEntry& e : entries) {
    if (!e.parsed) continue;
    largest = std::max(largest, e.numbered.number);
    maxDigits = std::max(maxDigits, e.numbered.digits);
  }
  const int64_t last = (static_cast<int64_t>(entries.size()) - 1) * options.step + options.start;
  const int digitsOfMax = DigitsOf(largest);
  TWidths w;
  w.renumber = DigitsOf(last);
  w.shift = std::max(DigitsOf(largest + options.shift), maxDigits);
  w.fewer = maxDigits > digitsOfMax ? maxDigits - 1 : digitsOfMax;
  return w;
}

// The base name (without extension) of the new name of the index-th entry
// in order; empty for a file that keeps its name.
std::string NewBase(const detail::TEntry& entry, int64_t index, const TWidths& w,
                    const TOptions& options) {
  const TNumbered& n = entry.numbered;
  switch (options.mode) {
    case TMode::Renumber:
      return options.prefix + "_" + Padded(index * options.step + options.start, w.renumber);
    case TMode::Shift:
      if (n.number < options.from) return std::string();
      return n.prefix + "_" + Padded(n.number + options.shift, w.shift);
    case TMode::ChangePrefix:
      return options.prefix + "_" + Padded(n.number, n.digits);
    case TMode::MoreDigits:
      return n.prefix + "_" + Padded(n.number, n.digits + 1);
    case TMode::FewerDigits:
      return n.prefix + "_" + Padded(n.number, w.fewer);
  }
  return std::string();
}

// The first file whose shifted number would fall below 1; nullptr when none.
const detail::TEntry* BelowOne(const std::vector<detail::TEntry>& entries,
                               const TOptions& options) {
  if (options.mode != TMode::Shift) return nullptr;
  for (const detail::TEntry& e : entries) {
    if (e.numbered.number >= options.from && e.numbered.number + options.shift < 1) return &e;
  }
  return nullptr;
}

}  // namespace

bool ParseNumbered(const std::string& fileName, TNumbered& out) {
  const std::string base = StrFunc::ExtractNameNoExt(fileName);
  const size_t bar = base.find('_');
  if (bar == std::string::npos) return false;
  const std::string digits = StrFunc::Trim(base.substr(bar + 1));
  if (!AllDigits(digits) || digits.size() > kMaxNumberDigits) return false;
  out.prefix = StrFunc::Trim(base.substr(0, bar));
  out.digits = static_cast<int>(digits.size());
  std::from_chars(digits.data(), digits.data() + digits.size(), out.number);
  return true;
}

namespace detail {

bool IsRunName(const std::string& name) {
  return !name.empty() && !OwnFiles::IsOwnFile(name) &&
         StrFunc::UpperCaseCz(name).find(StrFunc::UpperCaseCz(WorkNames::kMark)) ==
             std::string::npos;
}

bool Takes(const TEntry& entry, const TOptions& options) {
  switch (options.mode) {
    case TMode::Renumber:
      return true;
    case TMode::ChangePrefix:
      return entry.parsed;
    default:
      return entry.parsed &&
             StrFunc::UpperCaseCz(entry.numbered.prefix) == StrFunc::UpperCaseCz(options.prefix);
  }
}

bool PlanRenames(std::vector<TEntry> entries, const TOptions& options,
                 std::vector<TRename>& renames, TMessage& refusal) {
  renames.clear();
  if (const TEntry* below = BelowOne(entries, options)) {
    refusal = Refused(Language::GetText(kTextShiftBelowOne) + " " + below->path + " " +
                      Language::GetText(kTextBelowOne) + " " +
                      Language::GetText(kTextNothingRenamed));
    return false;
  }
  SortEntries(entries, options.byTime);
  const TWidths widths = WidthsOf(entries, options);
  int64_t index = 0;
  for (const TEntry& e : entries) {
    const std::string base = NewBase(e, index++, widths, options);
    if (base.empty()) continue;
    const std::string ext = StrFunc::ExtractExt(e.name);
    const std::string newName = ext.empty() ? base : base + "." + ext;
    if (newName != e.name) renames.push_back({e.path, newName});
  }
  return true;
}

}  // namespace detail

}  // namespace edit_speccislovani
