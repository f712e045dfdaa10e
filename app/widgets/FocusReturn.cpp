#include "app/widgets/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace FocusReturn {

namespace {

// The active window, unless it is none of the user's: none, hidden, or the
// window that comes or goes.
QWidget* UsersActiveWindow(const QWidget* ours) {
  QWidget* active = QApplication::activeWindow();
  if (active == nullptr || active == ours || !active->isVisible()) return nullptr;
  return active;
}

class TKeeper : public QObject {
 public:
  explicit TKeeper(QWidget* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show) Remember();
    if (watched == window_ && event->type() == QEvent::Hide) Return();
    return false;
  }

 private:
  void Remember() {
    QWidget* had = UsersActiveWindow(window_);
    if (had == nullptr && window_->parentWidget() != nullptr) had = window_->parentWidget()->window();
    had_ = had;
    control_ = had != nullptr ? had->focusWidget() : nullptr;
  }

  void Return() {
    QWidget* had = had_;
    QWidget* control = control_;
    had_.clear();
    control_.clear();
    if (had == nullptr || !had->isVisible() || UsersActiveWindow(window_) != nullptr) return;
    // A control of an inactive window gets the keyboard when its window does.
    if (control != nullptr && control->window() == had && control->isVisible())
      control->setFocus(Qt::ActiveWindowFocusReason);
    had->activateWindow();
  }

  QWidget* window_;
  QPointer<QWidget> had_;
  QPointer<QWidget> control_;
};

}  // namespace

void Keep(QWidget* window) { window->installEventFilter(new TKeeper(window)); }

}  // namespace FocusReturn
