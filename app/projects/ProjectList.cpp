#include "app/projects/ProjectList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/projects/HtmlProjectSettings.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::S;
using FormTools::Text;

constexpr int kTextCaption = 544;
constexpr int kTextCancel = 279;
constexpr int kTextDelete = 505;
constexpr int kTextInformation = 510;
constexpr int kTextError = 516;
constexpr int kTextCurrentProject = 543;
constexpr int kTextCannotDelete = 634;
constexpr int kTextCannotRead = 635;
constexpr int kNameWidth = 284;
constexpr int kFolderWidth = 291;
constexpr int kRowHeight = 18;

void Tell(int text, int caption, platform::MessageIcon icon) {
  platform::ShowMessageBox(Language::GetText(text), Language::GetText(caption),
                           platform::MessageButtons::Ok, icon);
}

}  // namespace

TForm3::TForm3(TForm2* project, QWidget* owner)
    : QDialog(owner),
      StringGrid1(Named(new QTableWidget(this), "StringGrid1")),
      BitBtn1(Named(new QPushButton("OK", this), "BitBtn1")),
      BitBtn2(Named(new QPushButton(this), "BitBtn2")),
      BitBtn3(Named(new QPushButton(this), "BitBtn3")),
      project_(project) {
  setObjectName("Form3");
  HtmlProjectSettings::InitProjectGrid(*StringGrid1);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->verticalHeader()->setVisible(false);
  StringGrid1->verticalHeader()->setDefaultSectionSize(
      std::max(kRowHeight, StringGrid1->fontMetrics().height() + 4));
  StringGrid1->setColumnWidth(0, kNameWidth);
  StringGrid1->setColumnWidth(1, kFolderWidth);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->setMinimumSize(kNameWidth + kFolderWidth + 24, 240);
  BitBtn1->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn3);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(buttons);

  using SlotGuard::Handler;
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtn3, &QPushButton::clicked, this, Handler(this, &TForm3::BitBtn3Click));
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
          Handler(this, &TForm3::StringGrid1DblClick));
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

int TForm3::Execute(TForm2* project, QWidget* owner) {
  TForm3 dialog(project, owner);
  if (!HtmlProjectSettings::FillProjectGrid(*dialog.StringGrid1))
    Tell(kTextCannotRead, kTextError, platform::MessageIcon::Error);
  if (dialog.StringGrid1->rowCount() > 0) dialog.StringGrid1->selectRow(0);
  return dialog.PickProject();
}

int TForm3::PickProject() { return exec() == QDialog::Accepted ? PickableRow() : -1; }

void TForm3::ApplyTexts() {
  setWindowTitle(Text(kTextCaption));
  BitBtn2->setText(Text(kTextCancel));
  BitBtn3->setText(Text(kTextDelete));
}

int TForm3::SelectedRow() const {
  const QList<QTableWidgetSelectionRange> ranges = StringGrid1->selectedRanges();
  if (ranges.isEmpty()) return -1;
  const int row = ranges.first().topRow();
  return row < StringGrid1->rowCount() ? row : -1;
}

int TForm3::PickableRow() const {
  const int row = SelectedRow();
  const QTableWidgetItem* folder = row < 0 ? nullptr : StringGrid1->item(row, 1);
  if (folder == nullptr) return -1;
  const std::string path = StrFunc::Trim(S(folder->text()));
  return !path.empty() && DosFunc::DirectoryExistsLong(path) ? row : -1;
}

void TForm3::StringGrid1DblClick() {
  if (PickableRow() >= 0) accept();
}

void TForm3::FormDblClick() { accept(); }

void TForm3::mouseDoubleClickEvent(QMouseEvent* event) {
  SlotGuard::Run([this] { FormDblClick(); });
  event->accept();
}

void TForm3::BitBtn3Click() {
  const int record = SelectedRow();
  if (record < 0) return;
  const int current = project_ != nullptr ? project_->ProjectIndex() : -1;
  if (current != -1 && record == current) {
    Tell(kTextCurrentProject, kTextInformation, platform::MessageIcon::Warning);
    return;
  }
  if (!HtmlProjectSettings::DeleteProject(record)) {
    Tell(kTextCannotDelete, kTextError, platform::MessageIcon::Error);
    return;
  }
  HtmlProjectSettings::FillProjectGrid(*StringGrid1);
  if (record < current) project_->SetProjectIndex(current - 1);
  if (StringGrid1->rowCount() > 0)
    StringGrid1->selectRow(std::min(record, StringGrid1->rowCount() - 1));
}
