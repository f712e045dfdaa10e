// Qt's own dialogs and widgets (the file and folder dialogs, the buttons of
// message boxes, the calendar's month and day names) speak the language of
// the program's texts: Qt's translation for that language is installed, and
// its locale becomes every widget's default.
#pragma once

namespace QtLanguage {

// Follows the texts in force (Language::CurrentLanguageId): at start-up and
// after every change of language. A language Qt has no translation for, or
// texts of an unknown locale, leave Qt's own English texts.
// REQUIRES: a QApplication exists.
void FollowTexts();

}  // namespace QtLanguage
