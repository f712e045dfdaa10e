#include "app/widgets/QtLanguage.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "texts/Language.h"

namespace QtLanguage {

namespace {

// Qt's translation in force; it lives with the application.
QTranslator* Translator() {
  static QPointer<QTranslator> translator;
  if (translator.isNull()) translator = new QTranslator(QCoreApplication::instance());
  return translator;
}

// A file dialog names the places of its side pane ("Computer") once, as they
// are added, and keeps the names through a change of language: the places go
// in again under the names of the new one.
void RenamePlaces() {
  for (QWidget* widget : QApplication::allWidgets()) {
    if (auto* dialog = qobject_cast<QFileDialog*>(widget))
      dialog->setSidebarUrls(dialog->sidebarUrls());
  }
}

}  // namespace

void FollowTexts() {
  const std::string tag = Language::GetLanguageTag(Language::CurrentLanguageId());
  const QLocale locale = tag.empty() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                     : QLocale(QString::fromStdString(tag));
  QTranslator* translator = Translator();
  QCoreApplication::removeTranslator(translator);
  // Installing sends every window a LanguageChange, so that Qt's dialogs made
  // already translate their texts anew.
  if (translator->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  QLocale::setDefault(locale);
  // The windows made already take the new default locale.
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  RenamePlaces();
}

}  // namespace QtLanguage
