// The main window's progress controls for long gallery work, at the right of
// the status bar: the gauge and the two labels of the target-size
// re-encoder (what is compressed, at which level).
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "app/browser/Main.h"
#include "app/widgets/FormTools.h"

namespace {

constexpr int kGaugeWidth = 200;

}  // namespace

void TMainForm::BuildProgress() {
  using FormTools::Named;
  CompressInfo1 = Named(new QLabel(this), "CompressInfo1");
  CompressInfo2 = Named(new QLabel(this), "CompressInfo2");
  Gauge = Named(new QProgressBar(this), "Gauge");
  Gauge->setFixedWidth(kGaugeWidth);
  for (QWidget* widget : std::initializer_list<QWidget*>{CompressInfo1, CompressInfo2, Gauge}) {
    statusBar()->addPermanentWidget(widget);
    widget->hide();
  }
}

void TMainForm::ShowCompressInfo(const std::string& what, const std::string& level) {
  const bool shown = !what.empty() || !level.empty();
  CompressInfo1->setText(FormTools::Q(what));
  CompressInfo2->setText(FormTools::Q(level));
  CompressInfo1->setVisible(shown);
  CompressInfo2->setVisible(shown);
}
