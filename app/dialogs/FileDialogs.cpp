#include "app/dialogs/FileDialogs.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QSplitter>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "foundation/StrFunc.h"
#include "photos/DialogFolder.h"

namespace FileDialogs {

namespace {

// Beside the widest name: the pane's frame and the item's margins.
constexpr int kPlacesRoom = 16;

}  // namespace

std::string ShownPhoto() {
  const TMainForm* main = GlobalWindows::Get().MainForm;
  return main != nullptr ? main->CurrentFile() : std::string();
}

void FitPlaces(QFileDialog& dialog) {
  auto* splitter = dialog.findChild<QSplitter*>("splitter");
  auto* places = dialog.findChild<QListView*>("sidebar");
  if (splitter == nullptr || places == nullptr || splitter->count() < 2) return;
  // The splitter has its width only once the dialog's layout has run.
  if (dialog.layout() != nullptr) dialog.layout()->activate();
  const int wanted = places->sizeHintForColumn(0) + 2 * places->frameWidth() + kPlacesRoom;
  const int total = std::max(splitter->width(), 2 * wanted);
  splitter->setSizes({wanted, total - wanted - splitter->handleWidth()});
}

std::string Choose(QFileDialog& dialog, std::string& last) {
  dialog.setDirectory(QString::fromStdString(DialogFolder::StartFolder(ShownPhoto(), last)));
  // A name typed last time with its folder would stand for another folder
  // than the one shown: the name alone stays.
  if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"))
    name->setText(QFileInfo(name->text()).fileName());
  FitPlaces(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const std::string chosen = dialog.selectedFiles().front().toStdString();
  last = StrFunc::ExtractDir(chosen);
  return chosen;
}

}  // namespace FileDialogs
