// Answers the program's message boxes in a window test without showing
// them, and keeps what each box said, for the life of the object.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "foundation/appcore.h"
#include "platform/MessageBox.h"
#include "platform/qt/MessageBox.h"

class ScopedMessageHook {
 public:
  struct TBox {
    std::string text;
    std::string caption;
    platform::MessageButtons buttons;
    platform::MessageIcon icon;
  };

  // Boxes take the answers in turn; once they are used up, each box gets
  // the answer of Esc.
  explicit ScopedMessageHook(std::deque<platform::MessageAnswer> answers = {}) {
    appcore::SetFormApplicationInitialized();
    State() = {std::move(answers), {}};
    platform::SetMessageBoxFunction(&Reply);
  }
  ~ScopedMessageHook() { platform::SetMessageBoxFunction(&platform::qt::ShowMessageBox); }
  ScopedMessageHook(const ScopedMessageHook&) = delete;
  ScopedMessageHook& operator=(const ScopedMessageHook&) = delete;

  const std::vector<TBox>& Boxes() const { return State().boxes; }
  // "caption|text" of each box, in order.
  std::vector<std::string> Said() const {
    std::vector<std::string> said;
    for (const TBox& box : State().boxes) said.push_back(box.caption + "|" + box.text);
    return said;
  }
  // "caption|text" of each box since the last look, in order.
  std::vector<std::string> SaidSinceLastLook() {
    const std::vector<std::string> said = Said();
    const std::vector<std::string> since(said.begin() + long(seen_), said.end());
    seen_ = said.size();
    return since;
  }
  void Answer(platform::MessageAnswer next) { State().answers.push_back(next); }

 private:
  struct TState {
    std::deque<platform::MessageAnswer> answers;
    std::vector<TBox> boxes;
  };
  size_t seen_ = 0;
  static TState& State() {
    static TState state;
    return state;
  }
  static platform::MessageAnswer Reply(const std::string& text, const std::string& caption,
                                       platform::MessageButtons buttons,
                                       platform::MessageIcon icon) {
    TState& s = State();
    s.boxes.push_back({text, caption, buttons, icon});
    if (s.answers.empty()) return platform::EscapeAnswer(buttons);
    const platform::MessageAnswer answer = s.answers.front();
    s.answers.pop_front();
    return answer;
  }
};
