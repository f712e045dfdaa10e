#include "app/widgets/InputPause.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// Closing is not among them: the toolkit closes its pop-ups (a completer's
// list) by close events of the same kind, and would wait for them for ever.
bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

}  // namespace

TInputPause::TInputPause() { QCoreApplication::instance()->installEventFilter(this); }

TInputPause::~TInputPause() { QCoreApplication::instance()->removeEventFilter(this); }

bool TInputPause::eventFilter(QObject*, QEvent* event) {
  // What the program itself sends (a window it closes) still goes through.
  return event->spontaneous() && IsUserInput(event->type());
}
