#include "app/widgets/appform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

#include "foundation/StrFunc.h"
#include "foundation/appcore.h"

namespace appform {

namespace {

// The kinds of control whose font the fix touches.
bool IsFixedKind(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTabWidget*>(w) ||
         qobject_cast<const QCalendarWidget*>(w);
}

bool IsOldDialogFont(const QFont& font) {
  return StrFunc::UpperCaseCz(StrFunc::Trim(font.family().toStdString())) ==
         StrFunc::UpperCaseCz(kOldDialogFont);
}

// Adds nothing when the substitute is already registered.
void RegisterSubstitute() {
  QFont::insertSubstitution(kNewDialogFont, QApplication::font().family());
}

void FixForm(QWidget* form) {
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!IsFixedKind(w) || !IsOldDialogFont(w->font())) continue;
    QFont font = w->font();
    font.setFamily(kNewDialogFont);
    w->setFont(font);
  }
}

}  // namespace

void InitializeFormApplication(bool /*flag*/) {
  appcore::SetFormApplicationInitialized();
  AutoChangeAppFont(nullptr);
}

void AutoChangeAppFont(QWidget* form) {
  if (form == nullptr && !appcore::IsFormApplicationInitialized())
    appcore::CheckFormApplication(false, "Volano AutoChangeAppFont(nil) misto InitializeFormApplication");
  RegisterSubstitute();
  if (form != nullptr) {
    FixForm(form);
    return;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) FixForm(window);
}

}  // namespace appform
