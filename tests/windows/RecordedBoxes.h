// Message boxes answered without a person: the window tests install
// RecordBox as the message box, which notes each box and gives the answer
// set beforehand.
#pragma once

#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace recordedboxes {

struct TBox {
  std::string text;
  std::string caption;
  platform::MessageButtons buttons;
};

inline std::vector<TBox>& Boxes() {
  static std::vector<TBox> boxes;
  return boxes;
}

inline platform::MessageAnswer& Answer() {
  static platform::MessageAnswer answer = platform::MessageAnswer::Yes;
  return answer;
}

inline platform::MessageAnswer RecordBox(const std::string& text, const std::string& caption,
                                         platform::MessageButtons buttons, platform::MessageIcon) {
  Boxes().push_back({text, caption, buttons});
  return Answer();
}

// Records the boxes shown while it lives, answering Yes unless told otherwise.
class TScopedRecorder {
 public:
  TScopedRecorder() {
    Boxes().clear();
    Answer() = platform::MessageAnswer::Yes;
    platform::SetMessageBoxFunction(RecordBox);
  }
  ~TScopedRecorder() { platform::SetMessageBoxFunction(nullptr); }
  TScopedRecorder(const TScopedRecorder&) = delete;
  TScopedRecorder& operator=(const TScopedRecorder&) = delete;
};

}  // namespace recordedboxes
