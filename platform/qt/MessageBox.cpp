#include "platform/qt/MessageBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>
#include <vector>

namespace platform::qt {

namespace {

struct AnswerButton {
  MessageAnswer answer;
  QMessageBox::StandardButton button;
};

constexpr AnswerButton kAnswers[] = {
    {MessageAnswer::Ok, QMessageBox::Ok},         {MessageAnswer::Cancel, QMessageBox::Cancel},
    {MessageAnswer::Yes, QMessageBox::Yes},       {MessageAnswer::No, QMessageBox::No},
    {MessageAnswer::Abort, QMessageBox::Abort},   {MessageAnswer::Retry, QMessageBox::Retry},
    {MessageAnswer::Ignore, QMessageBox::Ignore},
};

std::vector<MessageAnswer> Row(MessageButtons buttons) {
  using A = MessageAnswer;
  switch (buttons) {
    case MessageButtons::Ok: return {A::Ok};
    case MessageButtons::OkCancel: return {A::Ok, A::Cancel};
    case MessageButtons::YesNo: return {A::Yes, A::No};
    case MessageButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case MessageButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
    case MessageButtons::RetryCancel: return {A::Retry, A::Cancel};
  }
  return {A::Ok};
}

QMessageBox::StandardButton ButtonOf(MessageAnswer answer) {
  for (const AnswerButton& a : kAnswers)
    if (a.answer == answer) return a.button;
  return QMessageBox::Ok;
}

// Room the window manager's title bar takes besides the caption: the
// window's icon and its buttons.
constexpr int kTitleBarRoom = 130;

// A short message ("Hotovo") makes a narrow box, whose caption the window
// manager would cut to "...": the box is made as wide as its caption needs
// (in the bold face title bars use), up to half the screen.
void FitCaption(QMessageBox& box, const QString& caption) {
  QFont bold = QApplication::font("QMdiSubWindowTitleBar");
  bold.setBold(true);
  int width = QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarRoom;
  if (const QScreen* screen = box.screen()) width = std::min(width, screen->availableGeometry().width() / 2);
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
    return MessageToStandardError(text, caption, buttons);
  QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text));
  const std::vector<MessageAnswer> row = Row(buttons);
  for (MessageAnswer a : row) box.addButton(ButtonOf(a));
  box.setDefaultButton(ButtonOf(row.front()));
  box.setEscapeButton(box.button(ButtonOf(EscapeAnswer(buttons))));
  FitCaption(box, box.windowTitle());
  box.exec();
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
  for (const AnswerButton& a : kAnswers)
    if (a.button == clicked) return a.answer;
  return EscapeAnswer(buttons);
}

}  // namespace platform::qt
