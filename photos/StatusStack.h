// The text of a status line that long operations borrow: each pushes its
// text at the start and pops it with an empty text at the end, and the
// text shown before comes back.
#pragma once

#include <string>
#include <vector>

class TStatusStack {
 public:
  // A non-empty text (trimmed) is shown, the text shown before it pushed
  // unless empty; an empty text brings back the last pushed one ("" when
  // none is left). Returns the text to show.
  const std::string& Set(const std::string& text);
  // Shows text (trimmed) in place of the text shown, pushing nothing: the
  // last word of a finished work stays until another takes its place, and
  // a long operation that pushes its text and pops it brings it back.
  const std::string& Say(const std::string& text);
  const std::string& Shown() const { return shown_; }

 private:
  std::vector<std::string> stack_;
  std::string shown_;
};
