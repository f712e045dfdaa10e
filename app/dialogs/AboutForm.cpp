#include "app/dialogs/AboutForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/URLLabel.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;

}  // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner),
      ProgramIcon(Named(new QLabel(this), "ProgramIcon")),
      ProductName(Named(new QLabel(resources::kProductName, this), "ProductName")),
      Version(Named(new QLabel(this), "Version")),
      HomePage(Named(new TURLLabel(this), "HomePage")),
      Translations(Named(new QLabel(this), "Translations")),
      Translators(Named(new TURLLabel(this), "Translators")),
      OKButton(Named(new QPushButton("OK", this), "OKButton")) {
  setObjectName("AboutBox");
  const QIcon icon = QApplication::windowIcon();
  if (!icon.isNull()) ProgramIcon->setPixmap(icon.pixmap(48, 48));
  ProgramIcon->setVisible(!icon.isNull());
  QFont bold = ProductName->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 4);
  ProductName->setFont(bold);
  Version->setText(QString("Version ") + resources::kProductVersion);
  Translators->URL = resources::kTranslationsPage;
  Translators->setText(resources::kTranslationsPage);
  OKButton->setDefault(true);

  auto* text = new QGridLayout;
  text->addWidget(ProductName, 0, 0, 1, 2);
  text->addWidget(Version, 1, 0, 1, 2);
  text->addWidget(HomePage, 2, 0, 1, 2);
  text->addWidget(Translations, 3, 0);
  text->addWidget(Translators, 3, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(ProgramIcon, 0, Qt::AlignTop);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

void TAboutBox::ShowAbout(QWidget* owner) {
  TAboutBox box(owner);
  box.exec();
}

void TAboutBox::ApplyTexts() {
  setWindowTitle(QString::fromStdString(Language::GetText(35)));
  Translations->setText(QString::fromStdString(Language::GetText(549)));
}
