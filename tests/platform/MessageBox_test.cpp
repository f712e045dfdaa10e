#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

struct Shown {
  std::string text, caption;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::Information;
  int calls = 0;
};
Shown shown;

MessageAnswer RecordingBox(const std::string& text, const std::string& caption,
                           MessageButtons buttons, MessageIcon icon) {
  shown = {text, caption, buttons, icon, shown.calls + 1};
  return MessageAnswer::Retry;
}

TEST(MessageBox, WithoutAnInstalledBoxTheEscapeAnswerAndStandardError) {
  const struct {
    MessageButtons buttons;
    MessageAnswer answer;
  } cases[] = {
      {MessageButtons::Ok, MessageAnswer::Ok},
      {MessageButtons::OkCancel, MessageAnswer::Cancel},
      {MessageButtons::YesNo, MessageAnswer::No},
      {MessageButtons::YesNoCancel, MessageAnswer::Cancel},
      {MessageButtons::AbortRetryIgnore, MessageAnswer::Abort},
      {MessageButtons::RetryCancel, MessageAnswer::Cancel},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::ShowMessageBox("Smazat?", "Quillmarsh", c.buttons, MessageIcon::Question),
              c.answer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quillmarsh: Smazat?\n");
    EXPECT_EQ(platform::EscapeAnswer(c.buttons), c.answer);
  }
}

TEST(MessageBox, TheInstalledBoxShowsAndAnswersUntilRemoved) {
  platform::SetMessageBoxFunction(RecordingBox);
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox("Uložit?", "Titulek", MessageButtons::RetryCancel,
                                     MessageIcon::Warning),
            MessageAnswer::Retry);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(shown.calls, 1);
  EXPECT_EQ(shown.text, "Uložit?");
  EXPECT_EQ(shown.caption, "Titulek");
  EXPECT_EQ(shown.buttons, MessageButtons::RetryCancel);
  EXPECT_EQ(shown.icon, MessageIcon::Warning);

  platform::SetMessageBoxFunction(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox("a", "b", MessageButtons::YesNo, MessageIcon::Question),
            MessageAnswer::No);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "b: a\n");
  EXPECT_EQ(shown.calls, 1);
}

}  // namespace
