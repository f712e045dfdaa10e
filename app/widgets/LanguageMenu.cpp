#include "app/widgets/LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "platform/MessageBox.h"

namespace {

constexpr int kTextError = 516;

}  // namespace

TQtLanguageMenu::TQtLanguageMenu(QMenu* menu) : menu_(menu), group_(new QActionGroup(menu)) {
  group_->setExclusive(true);
}

int TQtLanguageMenu::AddRadioItem(const std::string& caption, uint32_t tag,
                                  std::function<void()> onClick) {
  QAction* item = menu_->addAction(QString::fromStdString(caption));
  item->setCheckable(true);
  item->setData(tag);
  group_->addAction(item);
  QObject::connect(item, &QAction::triggered, item, [onClick = std::move(onClick)] {
    // A language file removed since the menu was made cannot be loaded.
    try {
      onClick();
    } catch (const std::exception& error) {
      platform::ShowMessageBox(error.what(), Language::GetText(kTextError), platform::MessageButtons::Ok,
                               platform::MessageIcon::Error);
    }
  });
  items_.push_back(item);
  return static_cast<int>(items_.size()) - 1;
}

void TQtLanguageMenu::SetChecked(int item) {
  if (item >= 0 && item < static_cast<int>(items_.size())) items_[static_cast<size_t>(item)]->setChecked(true);
}

void TQtLanguageMenu::SetEnabled(bool enabled) { menu_->setEnabled(enabled); }

namespace Language {

void SetMenuCaption(QAction* item, int n) {
  const std::string text = GetText(n);
  if (!text.empty()) item->setText(QString::fromStdString(text));
}

}  // namespace Language
