#include "app/HromadneAkce.h"

#include "app/Language.h"
#include "app/appform.h"

namespace {

constexpr int kTextCaption = 51;

}  // namespace

TfrmHA::TfrmHA(QWidget* owner) : QDialog(owner) {
  setObjectName("frmHA");
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

void TfrmHA::OpenWithFiles(const std::string&) {}

void TfrmHA::ApplyTexts() {
  setWindowTitle(QString::fromStdString(Language::GetText(kTextCaption)));
}
