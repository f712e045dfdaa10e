#include "foundation/ovmsg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/start/QtDesktop.h"
#include "foundation/appcore.h"
#include "tests/frame/FrameTestApp.h"

namespace {

enum class Act { Click, Escape, CloseWindow };

struct Seen {
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text, caption;
};

// Answers the next message box as act says once it shows, noting what it shows.
void AnswerNextBox(Act act, QMessageBox::StandardButton press, Seen& seen) {
  QTimer::singleShot(0, [act, press, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->standardButtons(), box->icon(), box->text(), box->windowTitle()};
    switch (act) {
      case Act::Click: box->button(press)->click(); break;
      case Act::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
      case Act::CloseWindow: box->close(); break;
    }
  });
}

TEST(ovMessageBox, ButtonsIconsAndAnswers) {
  FrameTestApp();
  qtdesktop::Install();
  appcore::SetFormApplicationInitialized();
  using B = QMessageBox;
  const B::StandardButtons kYesNo = B::Yes | B::No;
  const B::StandardButtons kYesNoCancel = B::Yes | B::No | B::Cancel;
  const B::StandardButtons kAbortRetryIgnore = B::Abort | B::Retry | B::Ignore;
  struct Case {
    int buttons, icon;
    Act act;
    B::StandardButton press;
    B::StandardButtons shown;
    B::Icon shownIcon;
    int result;
  };
  const Case cases[] = {
      {1, 0, Act::Click, B::Ok, B::Ok, B::Information, 0},
      {1, 0, Act::Escape, B::NoButton, B::Ok, B::Information, 0},
      {0, 0, Act::Click, B::Ok, B::Ok, B::Information, 0},
      {2, 0, Act::CloseWindow, B::NoButton, B::Ok, B::Information, 0},
      {5, 2, Act::Click, B::Ok, B::Ok, B::Critical, 0},
      {3, 0, Act::Click, B::Ok, B::Ok | B::Cancel, B::Question, 0},
      {3, 0, Act::Escape, B::NoButton, B::Ok | B::Cancel, B::Question, 1},
      {4, 0, Act::Click, B::Yes, kYesNo, B::Question, 2},
      {4, 0, Act::Click, B::No, kYesNo, B::Question, 3},
      {4, 0, Act::Escape, B::NoButton, kYesNo, B::Question, 3},
      {4, 0, Act::CloseWindow, B::NoButton, kYesNo, B::Question, 3},
      {6, 1, Act::Click, B::Cancel, kYesNoCancel, B::Warning, 1},
      {6, 1, Act::CloseWindow, B::NoButton, kYesNoCancel, B::Warning, 1},
      {16, 2, Act::Click, B::Abort, kAbortRetryIgnore, B::Critical, 4},
      {16, 2, Act::Click, B::Retry, kAbortRetryIgnore, B::Critical, 5},
      {16, 2, Act::Click, B::Ignore, kAbortRetryIgnore, B::Critical, 6},
      {48, 9, Act::Escape, B::NoButton, kAbortRetryIgnore, B::Question, 4},
      {32, 0, Act::Click, B::Retry, B::Retry | B::Cancel, B::Question, 5},
      {32, 0, Act::CloseWindow, B::NoButton, B::Retry | B::Cancel, B::Question, 1},
  };
  for (const Case& c : cases) {
    const std::string where = "buttons " + std::to_string(c.buttons) + " icon " +
                              std::to_string(c.icon) + " act " +
                              std::to_string(static_cast<int>(c.act));
    Seen seen;
    AnswerNextBox(c.act, c.press, seen);
    EXPECT_EQ(ovMessageBox("Uložit změny?", "Quillmarsh", c.buttons, c.icon), c.result) << where;
    EXPECT_EQ(seen.buttons, c.shown) << where;
    EXPECT_EQ(seen.icon, c.shownIcon) << where;
    EXPECT_EQ(seen.text, QString::fromUtf8("Uložit změny?")) << where;
    EXPECT_EQ(seen.caption, "Quillmarsh") << where;
  }
}

}  // namespace
