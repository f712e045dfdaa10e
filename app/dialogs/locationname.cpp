#include "app/dialogs/locationname.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"

namespace {

using FormTools::Named;
using FormTools::Text;

constexpr int kTextCaption = 383;
constexpr int kTextPlaceName = 582;
constexpr int kTextCancel = 279;

}  // namespace

TfrmEditStr::TfrmEditStr(QWidget* owner)
    : QDialog(owner),
      Label1(Named(new QLabel(this), "Label1")),
      EditStr(Named(new QLineEdit(this), "EditStr")),
      OKButton(Named(new QPushButton("OK", this), "OKButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")) {
  setObjectName("frmEditStr");
  Label1->setBuddy(EditStr);
  EditStr->setMinimumWidth(320);
  OKButton->setDefault(true);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(OKButton, QDialogButtonBox::AcceptRole);
  buttons->addButton(CancelButton, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(EditStr);
  layout->addWidget(buttons);
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

void TfrmEditStr::ApplyTexts() {
  setWindowTitle(Text(kTextCaption));
  Label1->setText(Text(kTextPlaceName));
  CancelButton->setText(Text(kTextCancel));
}
