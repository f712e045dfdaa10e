#include "foundation/ovmsg.h"

#include <string>

#include "foundation/appcore.h"
#include "platform/MessageBox.h"

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

MessageButtons ButtonsOf(int code) {
  const bool cancel = (code & ovmsg::kCancel) != 0;
  if (code & ovmsg::kOk) return cancel ? MessageButtons::OkCancel : MessageButtons::Ok;
  if (code & ovmsg::kAbortRetryIgnore) return MessageButtons::AbortRetryIgnore;
  if (code & ovmsg::kRetryCancel) return MessageButtons::RetryCancel;
  if (code & ovmsg::kYesNo) return cancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo;
  return MessageButtons::Ok;
}

MessageIcon IconOf(int kind, MessageButtons buttons) {
  if (kind == ovmsg::kIconWarning) return MessageIcon::Warning;
  if (kind == ovmsg::kIconError) return MessageIcon::Error;
  return buttons == MessageButtons::Ok ? MessageIcon::Information : MessageIcon::Question;
}

int ResultOf(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return ovmsg::kResultOk;
    case MessageAnswer::Cancel: return ovmsg::kResultCancel;
    case MessageAnswer::Yes: return ovmsg::kResultYes;
    case MessageAnswer::No: return ovmsg::kResultNo;
    case MessageAnswer::Abort: return ovmsg::kResultAbort;
    case MessageAnswer::Retry: return ovmsg::kResultRetry;
    case MessageAnswer::Ignore: return ovmsg::kResultIgnore;
  }
  return ovmsg::kResultCancel;
}

}  // namespace

int ovMessageBox(std::string_view text, std::string_view caption, int buttons, int icon) {
  if (!appcore::IsFormApplicationInitialized())
    appcore::CheckFormApplication(false, "Volano ovMessageBox drive, nez InitializeFormApplication");
  const MessageButtons row = ButtonsOf(buttons);
  return ResultOf(platform::ShowMessageBox(std::string(text), std::string(caption), row,
                                           IconOf(icon, row)));
}
