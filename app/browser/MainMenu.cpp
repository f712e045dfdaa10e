// The main window's menu: one table of menus and items with their names,
// text numbers, short-cuts and handlers.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/browser/Main.h"
#include "app/widgets/LanguageMenu.h"
#include "app/widgets/SlotGuard.h"

namespace {

using MenuMember = QMenu* TMainForm::*;
using ItemMember = QAction* TMainForm::*;
using Handler = void (TMainForm::*)();

// A menu (menu set) or an item (item set) under parent, the menu bar when
// null. An item without a handler here is connected by its family's own
// source (TMainForm::ConnectGenerate and the others) or belongs to a window
// not built yet.
struct TMenuRow {
  MenuMember parent;
  MenuMember menu;
  ItemMember item;
  const char* name;
  int text;
  const char* shortcut;
  Handler handler;
};

constexpr TMenuRow Menu(MenuMember parent, MenuMember menu, const char* name, int text) {
  return {parent, menu, nullptr, name, text, "", nullptr};
}

constexpr TMenuRow Item(MenuMember parent, ItemMember item, const char* name, int text,
                        const char* shortcut = "", Handler handler = nullptr) {
  return {parent, nullptr, item, name, text, shortcut, handler};
}

using M = TMainForm;

const TMenuRow kMenu[] = {
    Menu(nullptr, &M::File1, "File1", 10),
    Item(&M::File1, &M::Open1, "Open1", 11, "F3", &M::Open1Click),
    Item(&M::File1, &M::Openproject1, "Openproject1", 12, "Ctrl+O", &M::Openproject1Click),
    Item(&M::File1, &M::Save1, "Save1", 13, "Ctrl+S", &M::Save1Click),
    Item(&M::File1, &M::Saveproject1, "Saveproject1", 14, "Ctrl+A", &M::Saveproject1Click),
    Item(&M::File1, &M::Projectproperties1, "Projectproperties1", 15, "",
         &M::Projectproperties1Click),
    Item(&M::File1, &M::Ignorecurrentimage1, "Ignorecurrentimage1", 16, "Ctrl+I",
         &M::Ignorecurrentimage1Click),
    Item(&M::File1, &M::Deletecurrentimage1, "Deletecurrentimage1", 17, "Ctrl+D",
         &M::Deletecurrentimage1Click),
    Item(&M::File1, &M::GPSLocations1, "GPSLocations1", 52, "", &M::GPSLocations1Click),
    Menu(nullptr, &M::List1, "List1", 42),
    Item(&M::List1, &M::Imagelist1, "Imagelist1", 43, "Ctrl+L", &M::Imagelist1Click),
    Item(&M::List1, &M::Thumbnailslist1, "Thumbnailslist1", 44, "Ctrl+T",
         &M::Thumbnailslist1Click),
    Item(&M::List1, &M::SlideShow1, "SlideShow1", 46, "F12"),
    Menu(nullptr, &M::Batch1, "Batch1", 18),
    Item(&M::Batch1, &M::ExtractEXIFs1, "ExtractEXIFs1", 19),
    Item(&M::Batch1, &M::JoinEXIFs1, "JoinEXIFs1", 20),
    Item(&M::Batch1, &M::Savethumbnails1, "Savethumbnails1", 21),
    Item(&M::Batch1, &M::FileDateTmebyexposure1, "FileDateTmebyexposure1", 22),
    Item(&M::Batch1, &M::Renamefiles1, "Renamefiles1", 23),
    Item(&M::Batch1, &M::Separateflashnoflashsnaps1, "Separateflashnoflashsnaps1", 38),
    Item(&M::Batch1, &M::SeparateGPSnoGPSsnaps1, "SeparateGPSnoGPSsnaps1", 53),
    Item(&M::Batch1, &M::AboveDirectory1, "AboveDirectory1", 51, "", &M::AboveDirectory1Click),
    Menu(nullptr, &M::Web1, "Web1", 24),
    Item(&M::Web1, &M::Preview800x600, "Preview800x600", 25),
    Item(&M::Web1, &M::Preview1024x768, "Preview1024x768", 26),
    Item(&M::Web1, &M::Previewprojectlist1, "Previewprojectlist1", 41),
    Menu(&M::Web1, &M::GenWebPage, "GenWebPage", 27),
    Item(&M::GenWebPage, &M::GenerateCurrentProject1, "GenerateCurrentProject1", 28),
    Item(&M::GenWebPage, &M::GenerateAllProjects, "GenerateAllProjects", 29),
    Item(&M::GenWebPage, &M::Projectlist1, "Projectlist1", 544),
    Menu(nullptr, &M::Public1, "Public1", 30),
    Menu(&M::Public1, &M::Publicprojects1, "Publicprojects1", 31),
    Item(&M::Publicprojects1, &M::Allprojects1, "Allprojects1", 32),
    Item(&M::Publicprojects1, &M::Onlycurrentproject1, "Onlycurrentproject1", 33),
    Item(&M::Public1, &M::FTPSettings1, "FTPSettings1", 34),
    Menu(&M::Public1, &M::Saveslideshow1, "Saveslideshow1", 47),
    Item(&M::Saveslideshow1, &M::Allprojects2, "Allprojects2", 32),
    Item(&M::Saveslideshow1, &M::Onlycurrentproject2, "Onlycurrentproject2", 33),
    Item(&M::Saveslideshow1, &M::ConvertSSPEXE1, "ConvertSSPEXE1", 48),
    Item(&M::Saveslideshow1, &M::ExtractSSPfromexecutable1, "ExtractSSPfromexecutable1", 49),
    Item(&M::Saveslideshow1, &M::Saveplayer1, "Saveplayer1", 50),
    Menu(nullptr, &M::Language, "Language", 45),
    Menu(nullptr, &M::About1, "About1", 35),
    Item(&M::About1, &M::About2, "About2", 35, "", &M::About2Click),
    Item(&M::About1, &M::Homepage1, "Homepage1", 37, "", &M::Homepage1Click),
};

}  // namespace

void TMainForm::BuildMenu() {
  for (const TMenuRow& row : kMenu) {
    QMenu* parent = row.parent != nullptr ? this->*row.parent : nullptr;
    if (row.menu != nullptr) {
      QMenu* menu = parent != nullptr ? parent->addMenu(row.name) : menuBar()->addMenu(row.name);
      menu->setObjectName(row.name);
      menu->menuAction()->setObjectName(row.name);
      this->*row.menu = menu;
      continue;
    }
    QAction* item = parent->addAction(row.name);
    item->setObjectName(row.name);
    item->setShortcut(QKeySequence(row.shortcut));
    this->*row.item = item;
    item->setEnabled(false);
    if (row.handler != nullptr) ConnectItem(item, row.handler);
  }
  languageMenu_ = std::make_unique<TQtLanguageMenu>(Language);
  ConnectGenerate();
  ConnectBatch();
  ConnectWeb();
  ConnectSlideShow();
}

void TMainForm::ConnectItem(QAction* item, void (TMainForm::*handler)()) {
  live_.insert(item);
  connect(item, &QAction::triggered, this, SlotGuard::Handler(this, handler));
  item->setEnabled(true);
}

void TMainForm::ApplyMenuTexts() {
  for (const TMenuRow& row : kMenu) {
    QAction* action = row.menu != nullptr ? (this->*row.menu)->menuAction() : this->*row.item;
    Language::SetMenuCaption(action, row.text);
  }
}

void TMainForm::EnableItem(QAction* item, bool enabled) {
  item->setEnabled(enabled && live_.count(item) > 0);
}

void TMainForm::EnableItems(std::initializer_list<QAction*> items, bool enabled) {
  for (QAction* item : items) EnableItem(item, enabled);
}
