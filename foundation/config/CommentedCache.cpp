#include "foundation/config/CommentedCache.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "foundation/StrFunc.h"
#include "platform/TextLines.h"

namespace {

bool IsHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

std::string HeaderName(std::string_view line) {
  return StrFunc::Trim(line.substr(1, line.size() - 2));
}

// The name part of a value line: the trimmed text before "=", or the line.
std::string ValueName(std::string_view line) {
  return StrFunc::Trim(line.substr(0, std::min(line.find('='), line.size())));
}

std::string ValueText(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string() : StrFunc::Trim(line.substr(eq + 1));
}

void Append(TStringList& to, const TStringList& lines) {
  to.insert(to.end(), lines.begin(), lines.end());
}

// Pending lines up to their last empty entry go to the place before; the
// rest stays pending.
void SplitAtLastEmpty(TStringList& pending, TStringList& before) {
  const auto last = std::find(pending.rbegin(), pending.rend(), std::string());
  if (last == pending.rend()) return;
  const auto cut = last.base() - 1;
  before.insert(before.end(), pending.begin(), cut);
  pending.erase(pending.begin(), cut + 1);
}

void TrimEmptyEdges(TStringList& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  const auto first = std::find_if(lines.begin(), lines.end(), [](auto& s) { return !s.empty(); });
  lines.erase(lines.begin(), first);
}

// ";name=value" written without a blank: a value set aside, not a comment.
bool IsCommentedOutValue(std::string_view text) {
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string name = StrFunc::Trim(text.substr(0, eq));
  return !name.empty() && name.find_first_of(" \t") == std::string::npos;
}

void AddComment(TStringList& out, const TStringList& comment) {
  for (const std::string& line : comment) out.push_back("; " + line);
}

// A comment's lines as one text, with breaks between them only.
std::string CommentText(const TStringList& lines) {
  return platform::JoinLines(lines, platform::LineBreaks::kBetween);
}

}  // namespace

void TCommentedCache::Load(const TStringList& lines) {
  global_.clear();
  sections_.clear();
  TStringList pending;
  bool lastBlank = false;
  TCommentedSection* section = nullptr;
  for (const std::string& raw : lines) {
    const std::string line = StrFunc::Trim(raw);
    const bool wasBlank = lastBlank;
    lastBlank = line.empty();
    if (line.empty()) {
      pending.emplace_back();
    } else if (line[0] == ';' || line[0] == '#') {
      std::string text = line.substr(1);
      const bool blankAfterMarker = !text.empty() && text[0] == ' ';
      if (blankAfterMarker) {
        text.erase(0, 1);
      } else if (section != nullptr && IsCommentedOutValue(text)) {
        section->outNames.push_back(ValueName(text));
        section->outValues.push_back(ValueText(text));
        continue;
      }
      pending.push_back(text);
    } else if (IsHeader(line)) {
      TStringList& before = section ? section->atEnd : global_;
      if (wasBlank) {
        Append(before, pending);
        pending.clear();
      } else {
        SplitAtLastEmpty(pending, before);
      }
      sections_.push_back({HeaderName(line), pending, {}, {}, {}, {}, {}});
      section = &sections_.back();
      pending.clear();
    } else {
      TStringList& before = section == nullptr        ? global_
                            : section->fields.empty() ? section->afterHeader
                                                      : section->fields.back().after;
      if (wasBlank) {
        Append(before, pending);
        pending.clear();
      } else {
        SplitAtLastEmpty(pending, before);
      }
      if (section != nullptr) {
        section->fields.push_back({ValueName(line), pending, {}});
      } else {
        // A value before any section is dropped; its comment joins the file's.
        Append(global_, pending);
      }
      pending.clear();
    }
  }
  Append(section ? section->atEnd : global_, pending);
  TrimEmptyEdges(global_);
  for (TCommentedSection& s : sections_) {
    for (TStringList* list : {&s.beforeHeader, &s.afterHeader, &s.atEnd}) TrimEmptyEdges(*list);
    for (TCommentedField& f : s.fields) {
      TrimEmptyEdges(f.before);
      TrimEmptyEdges(f.after);
    }
  }
}

const TCommentedSection* TCommentedCache::FindSection(std::string_view name) const {
  for (const TCommentedSection& s : sections_) {
    if (names_->SameName(s.name, name)) return &s;
  }
  return nullptr;
}

TCommentedSection& TCommentedCache::SectionFor(std::string_view name) {
  if (const TCommentedSection* s = FindSection(name)) return const_cast<TCommentedSection&>(*s);
  sections_.push_back({std::string(name), {}, {}, {}, {}, {}, {}});
  return sections_.back();
}

namespace {

// Writes one section of the plain text back with its comments.
class SectionWriter {
 public:
  SectionWriter(const TMemIniFile& names, const TCommentedSection* known, TStringList& out)
      : names_(names), known_(known), out_(out), used_(known ? known->outNames.size() : 0) {
    if (known_ == nullptr) return;
    for (const TCommentedField& f : known_->fields) fields_.emplace(names_.NameKey(f.name), &f);
    for (size_t k = 0; k < known_->outNames.size(); ++k) {
      outs_[names_.NameKey(known_->outNames[k])].push_back(k);
    }
  }

  void Header(const std::string& line) {
    out_.emplace_back();
    if (known_ != nullptr && !known_->beforeHeader.empty()) {
      out_.emplace_back();
      AddComment(out_, known_->beforeHeader);
    }
    out_.push_back(line);
    if (known_ != nullptr && !known_->afterHeader.empty()) {
      AddComment(out_, known_->afterHeader);
      out_.emplace_back();
    }
  }

  void Value(const std::string& line) {
    const std::string key = names_.NameKey(ValueName(line));
    const std::string value = ValueText(line);
    values_[key].push_back(value);
    const auto field = fields_.find(key);
    const TCommentedField* f = field == fields_.end() ? nullptr : field->second;
    if (f != nullptr && !f->before.empty()) {
      if (!firstValue_) out_.emplace_back();
      AddComment(out_, f->before);
    }
    firstValue_ = false;
    out_.push_back(line);
    if (const auto outs = outs_.find(key); outs != outs_.end()) {
      for (size_t k : outs->second) {
        if (!used_[k] && known_->outValues[k] != value) {
          out_.push_back(";" + known_->outNames[k] + "=" + known_->outValues[k]);
          used_[k] = true;
        }
      }
    }
    if (f != nullptr && !f->after.empty()) {
      AddComment(out_, f->after);
      out_.emplace_back();
    }
  }

  void Close() {
    if (known_ == nullptr) return;
    for (size_t k = 0; k < used_.size(); ++k) {
      if (!used_[k] && !Holds(known_->outNames[k], known_->outValues[k])) {
        out_.push_back(";" + known_->outNames[k] + "=" + known_->outValues[k]);
      }
    }
    if (!known_->atEnd.empty()) {
      out_.emplace_back();
      AddComment(out_, known_->atEnd);
    }
  }

 private:
  bool Holds(const std::string& name, const std::string& value) const {
    const auto it = values_.find(names_.NameKey(name));
    return it != values_.end() && std::find(it->second.begin(), it->second.end(), value) !=
                                      it->second.end();
  }

  const TMemIniFile& names_;
  const TCommentedSection* known_;
  TStringList& out_;
  std::vector<bool> used_;
  std::unordered_map<std::string, const TCommentedField*> fields_;
  std::unordered_map<std::string, std::vector<size_t>> outs_;
  std::unordered_map<std::string, TStringList> values_;
  bool firstValue_ = true;
};

}  // namespace

TStringList TCommentedCache::Apply(const TStringList& plain) const {
  std::unordered_map<std::string, const TCommentedSection*> known;
  for (const TCommentedSection& s : sections_) known.emplace(names_->NameKey(s.name), &s);
  TStringList out;
  if (!global_.empty()) {
    AddComment(out, global_);
    out.emplace_back();
  }
  std::optional<SectionWriter> writer;
  for (const std::string& line : plain) {
    if (line.empty()) continue;
    if (IsHeader(line)) {
      if (writer) writer->Close();
      const auto it = known.find(names_->NameKey(HeaderName(line)));
      writer.emplace(*names_, it == known.end() ? nullptr : it->second, out);
      writer->Header(line);
    } else if (writer) {
      writer->Value(line);
    }
  }
  if (writer) writer->Close();
  return out;
}

void TCommentedCache::Merge(const TCommentedCache& other) {
  const auto take = [](TStringList& to, const TStringList& from) {
    if (!from.empty()) to = from;
  };
  take(global_, other.global_);
  for (const TCommentedSection& theirs : other.sections_) {
    TCommentedSection& ours = SectionFor(theirs.name);
    take(ours.beforeHeader, theirs.beforeHeader);
    take(ours.afterHeader, theirs.afterHeader);
    take(ours.atEnd, theirs.atEnd);
    for (const TCommentedField& field : theirs.fields) {
      auto it = std::find_if(ours.fields.begin(), ours.fields.end(),
                             [&](const auto& f) { return names_->SameName(f.name, field.name); });
      if (it == ours.fields.end()) {
        ours.fields.push_back({field.name, {}, {}});
        it = ours.fields.end() - 1;
      }
      take(it->before, field.before);
      take(it->after, field.after);
    }
    for (size_t k = 0; k < theirs.outNames.size(); ++k) {
      bool present = false;
      for (size_t j = 0; j < ours.outNames.size(); ++j) {
        present = present || (names_->SameName(ours.outNames[j], theirs.outNames[k]) &&
                              ours.outValues[j] == theirs.outValues[k]);
      }
      if (!present) {
        ours.outNames.push_back(theirs.outNames[k]);
        ours.outValues.push_back(theirs.outValues[k]);
      }
    }
  }
}

bool TCommentedCache::HasCaseClash() const {
  // Names by their upper-case form; a second, different spelling is a clash.
  const auto clashes = [](std::unordered_map<std::string, std::string>& seen,
                          const std::string& name) {
    const auto [it, added] = seen.emplace(StrFunc::UpperCaseCz(name), name);
    return !added && it->second != name;
  };
  std::unordered_map<std::string, std::string> sectionNames;
  for (const TCommentedSection& s : sections_) {
    if (clashes(sectionNames, s.name)) return true;
    std::unordered_map<std::string, std::string> fieldNames;
    for (const TCommentedField& f : s.fields) {
      if (clashes(fieldNames, f.name)) return true;
    }
  }
  return false;
}

std::string TCommentedCache::Comment(std::string_view section, std::string_view ident) const {
  if (section.empty()) return CommentText(global_);
  const TCommentedSection* s = FindSection(section);
  if (s == nullptr) return std::string();
  if (ident.empty()) return CommentText(s->beforeHeader.empty() ? s->afterHeader : s->beforeHeader);
  for (const TCommentedField& f : s->fields) {
    if (names_->SameName(f.name, ident)) return CommentText(f.before.empty() ? f.after : f.before);
  }
  return std::string();
}
