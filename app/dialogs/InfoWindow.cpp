#include "app/dialogs/InfoWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "app/widgets/FocusReturn.h"
#include "app/widgets/appform.h"

TInfoWind::TInfoWind(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this)) {
  setObjectName("InfoWind");
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Nothing here takes keys: the user's window keeps the keyboard.
  setAttribute(Qt::WA_ShowWithoutActivating);
  FocusReturn::Keep(this);
  appform::AutoChangeAppFont(this);
}

namespace InfoWindow {

namespace {

// A QPointer, because the window goes with its owner when that closes first.
QPointer<TInfoWind>& Window() {
  static QPointer<TInfoWind> window;
  return window;
}

}  // namespace

void ShowInfo(const std::string& text) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  if (Window().isNull()) Window() = new TInfoWind(QApplication::activeWindow());
  TInfoWind* window = Window();
  window->Label1->setText(QString::fromStdString(text));
  window->show();
  window->raise();
  QCoreApplication::processEvents();
}

void HideInfo() {
  // Hidden first, so that the keyboard goes back where it was.
  if (TInfoWind* window = Window()) window->hide();
  delete Window().data();
}

TInfoWind* Current() { return Window().data(); }

}  // namespace InfoWindow
