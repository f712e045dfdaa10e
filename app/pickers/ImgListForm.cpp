#include "app/pickers/ImgListForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "photos/ImgListFormRows.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;

constexpr int kCaptionText = 43;
constexpr int kCancelText = 279;
// Rows the table shows without scrolling.
constexpr int kVisibleRows = 24;

}  // namespace

TImageListForm::TImageListForm(QWidget* owner)
    : QDialog(owner),
      SG(Named(new QTableWidget(0, 3, this), "SG")),
      OkButton(Named(new QPushButton("OK", this), "OkButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")) {
  setObjectName("ImageListForm");
  SG->horizontalHeader()->hide();
  SG->verticalHeader()->hide();
  SG->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SG->verticalHeader()->setMinimumSectionSize(kRowHeight);
  SG->verticalHeader()->setDefaultSectionSize(kRowHeight);
  SG->setColumnWidth(0, kDateWidth);
  SG->setColumnWidth(1, kTimeWidth);
  SG->setColumnWidth(2, kTextWidth);
  SG->setSelectionBehavior(QAbstractItemView::SelectRows);
  SG->setSelectionMode(QAbstractItemView::SingleSelection);
  SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SG->setWordWrap(false);
  SG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SG->setFixedSize(kDateWidth + kTimeWidth + kTextWidth + SG->verticalScrollBar()->sizeHint().width() +
                       2 * SG->frameWidth(),
                   kVisibleRows * kRowHeight + 2 * SG->frameWidth());
  SG->installEventFilter(this);
  OkButton->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SG);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(SG, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

int TImageListForm::Pick(QWidget* owner, const std::vector<std::string>& displayList) {
  TImageListForm form(owner);
  form.Fill(displayList);
  return form.exec() == QDialog::Accepted ? form.SelectedRow() : -1;
}

void TImageListForm::Fill(const std::vector<std::string>& displayList) {
  SG->setRowCount(static_cast<int>(displayList.size()));
  for (int row = 0; row < SG->rowCount(); ++row) {
    const auto cells = ImgListForm::RowOf(displayList[static_cast<size_t>(row)]);
    for (int column = 0; column < 3; ++column)
      SG->setItem(row, column, new QTableWidgetItem(Q(cells[static_cast<size_t>(column)])));
  }
  if (SG->rowCount() > 0) SG->selectRow(0);
}

void TImageListForm::ApplyTexts() {
  setWindowTitle(Q(Language::GetText(kCaptionText)));
  CancelButton->setText(Q(Language::GetText(kCancelText)));
}

int TImageListForm::SelectedRow() const {
  const QList<QTableWidgetItem*> selected = SG->selectedItems();
  return selected.isEmpty() ? -1 : selected.front()->row();
}

bool TImageListForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SG && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
