#include "photos/StatusStack.h"

#include "foundation/StrFunc.h"

const std::string& TStatusStack::Set(const std::string& text) {
  std::string trimmed = StrFunc::Trim(text);
  if (!trimmed.empty()) {
    if (!shown_.empty()) stack_.push_back(shown_);
    shown_ = std::move(trimmed);
  } else if (stack_.empty()) {
    shown_.clear();
  } else {
    shown_ = std::move(stack_.back());
    stack_.pop_back();
  }
  return shown_;
}

const std::string& TStatusStack::Say(const std::string& text) {
  shown_ = StrFunc::Trim(text);
  return shown_;
}
