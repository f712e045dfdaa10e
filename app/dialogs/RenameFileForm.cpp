#include "app/dialogs/RenameFileForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "foundation/ovmsg.h"
#include "photos/batchmenu/RenamePlan.h"
#include "texts/Language.h"

namespace {

using FormTools::Text;

QLineEdit* NumberEdit(const char* name, const char* mask, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setInputMask(mask);
  edit->setText("1");
  return edit;
}

bool ReadNumber(const QLineEdit* edit, int& value) {
  int32_t number = 0;
  if (!StrFunc::TryStrToIntS(StrFunc::Trim(edit->text().toStdString()), number)) return false;
  value = number;
  return true;
}

}  // namespace

TForm4::TForm4(QWidget* owner)
    : QDialog(owner),
      Label1(new QLabel(this)),
      FName(new QLineEdit("img", this)),
      Label2(new QLabel(this)),
      FromID(NumberEdit("FromID", "00000; ", this)),
      Label3(new QLabel(this)),
      Step(NumberEdit("Step", "000; ", this)),
      BitBtn1(new QPushButton(this)),
      BitBtn2(new QPushButton(this)) {
  setObjectName("Form4");
  Label1->setObjectName("Label1");
  FName->setObjectName("FName");
  Label2->setObjectName("Label2");
  Label3->setObjectName("Label3");
  BitBtn1->setObjectName("BitBtn1");
  BitBtn2->setObjectName("BitBtn2");
  QFont bold = BitBtn2->font();
  bold.setBold(true);
  BitBtn2->setFont(bold);
  BitBtn2->setDefault(true);
  FName->setMinimumWidth(200);

  auto* fields = new QFormLayout;
  fields->addRow(Label1, FName);
  fields->addRow(Label2, FromID);
  fields->addRow(Label3, Step);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(BitBtn2, QDialogButtonBox::AcceptRole);
  buttons->addButton(BitBtn1, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

bool TForm4::Execute(std::string& name, int& firstNumber, int& step) {
  if (exec() != QDialog::Accepted) return false;
  name = FName->text().toStdString();
  ReadNumber(FromID, firstNumber);
  ReadNumber(Step, step);
  return true;
}

void TForm4::ApplyTexts() {
  setWindowTitle(Text(284));
  Label1->setText(Text(285));
  Label2->setText(Text(286));
  Label3->setText(Text(287));
  BitBtn1->setText(Text(279));
  BitBtn2->setText(Text(288));
}

void TForm4::accept() {
  if (!BatchMenu::IsPlainNamePart(FName->text().toStdString())) {
    ovMessageBox(Language::GetText(661), Language::GetText(516), ovmsg::kOk, ovmsg::kIconError);
    FName->setFocus();
    return;
  }
  for (QLineEdit* edit : {FromID, Step}) {
    int value = 0;
    if (!ReadNumber(edit, value)) {
      ovMessageBox(Language::GetText(511), Language::GetText(516), ovmsg::kOk, ovmsg::kIconError);
      edit->setFocus();
      return;
    }
  }
  QDialog::accept();
}
