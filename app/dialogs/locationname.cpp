#include "app/dialogs/locationname.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/widgets/appform.h"

TfrmEditStr::TfrmEditStr(QWidget* owner)
    : QDialog(owner), EditStr(new QLineEdit(this)), OKButton(new QPushButton("OK", this)) {
  setObjectName("frmEditStr");
  setWindowTitle("Location");
  EditStr->setObjectName("EditStr");
  OKButton->setObjectName("OKButton");
  EditStr->setMinimumWidth(320);
  OKButton->setDefault(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(EditStr, 1);
  layout->addWidget(OKButton);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  appform::AutoChangeAppFont(this);
}
