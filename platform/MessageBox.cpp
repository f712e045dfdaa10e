#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {

namespace {

MessageBoxFunction installed = nullptr;

}  // namespace

MessageAnswer EscapeAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::AbortRetryIgnore: return MessageAnswer::Abort;
    default: return MessageAnswer::Cancel;
  }
}

void SetMessageBoxFunction(MessageBoxFunction show) { installed = show; }

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) {
  if (installed != nullptr) return installed(text, caption, buttons, icon);
  return MessageToStandardError(text, caption, buttons);
}

MessageAnswer MessageToStandardError(const std::string& text, const std::string& caption,
                                     MessageButtons buttons) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return EscapeAnswer(buttons);
}

}  // namespace platform
