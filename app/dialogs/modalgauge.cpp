#include "app/dialogs/modalgauge.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "app/widgets/FocusReturn.h"
#include "app/widgets/appform.h"

TfrmModalGauge::TfrmModalGauge(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      FInfo(new QLabel(this)),
      PB(new QProgressBar(this)) {
  setObjectName("frmModalGauge");
  FInfo->setObjectName("FInfo");
  PB->setObjectName("PB");
  FInfo->setMinimumWidth(360);
  // Without a border the window needs an edge of its own.
  auto* edge = new QFrame(this);
  edge->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* inner = new QVBoxLayout(edge);
  inner->addWidget(FInfo);
  inner->addWidget(PB);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edge);
  SetMax(100);
  // Nothing here takes keys: the user's window keeps the keyboard.
  setAttribute(Qt::WA_ShowWithoutActivating);
  FocusReturn::Keep(this);
  appform::AutoChangeAppFont(this);
}

void TfrmModalGauge::SetMax(int n) {
  PB->setRange(0, n);
  PB->setValue(0);
}

void TfrmModalGauge::SetInfo(const std::string& text) { FInfo->setText(QString::fromStdString(text)); }

void TfrmModalGauge::Step() {
  if (PB->value() >= PB->maximum()) return;
  PB->setValue(PB->value() + 1);
  QCoreApplication::processEvents();
}
