// The language menu of the main window as Qt actions, and menu captions
// from the text table.
#pragma once

#include <vector>

#include "texts/Language.h"

class QAction;
class QActionGroup;
class QMenu;

// One checkable item per language in an exclusive group, under menu.
class TQtLanguageMenu : public TLanguageMenu {
 public:
  explicit TQtLanguageMenu(QMenu* menu);

  int AddRadioItem(const std::string& caption, uint32_t tag,
                   std::function<void()> onClick) override;
  void SetChecked(int item) override;
  void SetEnabled(bool enabled) override;

 private:
  QMenu* menu_;
  QActionGroup* group_;
  std::vector<QAction*> items_;
};

namespace Language {

// Sets the item's caption to text n, unless that text is empty: the item
// then keeps the caption it has.
void SetMenuCaption(QAction* item, int n);

}  // namespace Language
