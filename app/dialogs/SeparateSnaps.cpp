#include "app/dialogs/SeparateSnaps.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/PBFolderDialog.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "foundation/DosFunc.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Text;

}  // namespace

TForm5::TForm5(QWidget* owner)
    : QDialog(owner),
      Label1(Named(new QLabel(this), "Label1")),
      Dir(Named(new QLineEdit(this), "Dir")),
      Button1(Named(new QPushButton("...", this), "Button1")),
      GroupBox1(Named(new QGroupBox(this), "GroupBox1")),
      MoveFiles(Named(new QRadioButton(GroupBox1), "MoveFiles")),
      CopyFiles(Named(new QRadioButton(GroupBox1), "CopyFiles")),
      OKButton(Named(new QPushButton("OK", this), "OKButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")),
      SelectDir(new TPBFolderDialog(this)) {
  setObjectName("Form5");
  SelectDir->setObjectName("SelectDir");
  SelectDir->NewFolderVisible = true;
  SelectDir->NewFolderEnabled = true;
  QFont large = Button1->font();
  large.setBold(true);
  large.setPointSize(large.pointSize() + 2);
  Button1->setFont(large);
  FormTools::MakeBrowseButton(*Button1);
  Dir->setMinimumWidth(320);
  MoveFiles->setChecked(true);
  OKButton->setDefault(true);

  auto* radios = new QVBoxLayout(GroupBox1);
  radios->addWidget(MoveFiles);
  radios->addWidget(CopyFiles);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(Dir, 1);
  folderRow->addWidget(Button1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(folderRow);
  layout->addWidget(GroupBox1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

bool TForm5::Execute(std::string& folder, bool& move) {
  Dir->setText(QString::fromStdString(folder));
  (move ? MoveFiles : CopyFiles)->setChecked(true);
  if (exec() != QDialog::Accepted) return false;
  folder = Dir->text().toStdString();
  move = MoveFiles->isChecked();
  return true;
}

void TForm5::ApplyTexts() {
  setWindowTitle(Text(545));
  Label1->setText(Text(292));
  MoveFiles->setText(Text(293));
  CopyFiles->setText(Text(294));
  CancelButton->setText(Text(279));
}

void TForm5::Button1Click() {
  SelectDir->Folder = Dir->text().toStdString();
  if (SelectDir->Execute()) Dir->setText(QString::fromStdString(SelectDir->Folder));
}

void TForm5::OKButtonClick() {
  if (DosFunc::DirectoryExistsLong(Dir->text().toStdString())) accept();
}
