#include "app/dialogs/PBFolderDialog.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include "app/dialogs/FileDialogs.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "foundation/ovmsg.h"
#include "photos/DialogFolder.h"
#include "texts/Language.h"

namespace {

struct LocaleCaptions {
  const char* key;
  const char* label;
  const char* newFolder;
};

// The captions of a few languages; "Default" is the text table's.
constexpr LocaleCaptions kLocaleCaptions[] = {
    {"0009", "Current folder:", "New folder"},
    {"0406", "Valgt mappe:", "Ny mappe"},
    {"0407", "Ausgewählter Ordner:", "Neuer Ordner"},
    {"0409", "Current folder:", "New folder"},
    {"0410", "Cartella selezionata:", "Nuova Cartella"},
    {"0413", "Huidige map", "Nieuwe map"},
    {"0416", "Pasta Atual:", "Nova Pasta"},
    {"0807", "Ausgewählter Ordner:", "Neuer Ordner"},
    {"0809", "Current folder:", "New folder"},
    {"0810", "Cartella selezionata:", "Nuova Cartella"},
    {"0C07", "Ausgewählter Ordner:", "Neuer Ordner"},
    {"0C09", "Current folder:", "New folder"},
    {"1007", "Ausgewählter Ordner:", "Neuer Ordner"},
    {"1009", "Current folder:", "New folder"},
    {"1407", "Ausgewählter Ordner:", "Neuer Ordner"},
    {"1409", "Current folder:", "New folder"},
    {"1809", "Current folder:", "New folder"},
    {"1C09", "Current folder:", "New folder"},
    {"2009", "Current folder:", "New folder"},
    {"2809", "Current folder:", "New folder"},
    {"2C09", "Current folder:", "New folder"},
};
constexpr int kTextLabel = 384;
constexpr int kTextNewFolder = 385;

std::vector<std::string> StartingList(const char* LocaleCaptions::*field, int defaultText) {
  std::vector<std::string> list{"Default=" + Language::GetText(defaultText)};
  for (const LocaleCaptions& c : kLocaleCaptions) list.push_back(std::string(c.key) + "=" + c.*field);
  return list;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Room for the places' names and the folders' dates, and no choice of file
// types where only folders are shown.
void FitForFolders(QFileDialog& dialog) {
  for (const char* name : {"fileTypeLabel", "fileTypeCombo"}) {
    if (auto* widget = dialog.findChild<QWidget*>(name)) widget->hide();
  }
  if (auto* view = dialog.findChild<QTreeView*>("treeView"))
    view->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
  dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 480)));
  FileDialogs::FitPlaces(dialog);
}

// The status line and the "New folder" button, added to one open dialog.
class DialogExtras : public QObject {
 public:
  DialogExtras(QFileDialog& dialog, const TPBFolderDialog& owner)
      : dialog_(dialog),
        owner_(owner),
        button_(new QPushButton(Q(owner.NewFolderCaption()), &dialog)),
        status_(new QLabel(&dialog)) {
    button_->setObjectName("NewFolderButton");
    status_->setObjectName("StatusText");
    button_->setMinimumWidth(owner.NewFolderWidth() * dialog.logicalDpiX() / 96);
    button_->setVisible(owner.NewFolderVisible);
    status_->setVisible((owner.Flags & TPBFolderDialog::ShowPath) != 0);
    // The dialog's own button would do the same without the chosen caption.
    if (auto* own = dialog.findChild<QToolButton*>("newFolderButton")) own->hide();
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      const int row = grid->rowCount();
      grid->addWidget(button_, row, 0);
      grid->addWidget(status_, row, 1, 1, -1);
    }
    connect(&dialog, &QFileDialog::currentChanged, this, [this](const QString& p) { Select(p); });
    connect(&dialog, &QFileDialog::directoryEntered, this, [this](const QString& p) { Select(p); });
    connect(button_, &QPushButton::clicked, this, [this] { MakeNewFolder(); });
    Select(QString());
  }

 private:
  void Select(const QString& path) {
    current_ = (path.isEmpty() ? dialog_.directory().absolutePath() : path).toStdString();
    status_->setText(Q(PBFolderDialog::ShortenPath(current_)));
    button_->setEnabled(owner_.NewFolderEnabled && !current_.empty());
  }

  void MakeNewFolder() {
    bool ok = false;
    const QString name = QInputDialog::getText(&dialog_, Q(owner_.NewFolderCaption()), QString(),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok || name.isEmpty()) return;
    const std::string folder = PBFolderDialog::JoinNewFolder(current_, name.toStdString());
    if (!DosFunc::ForceDirectoriesLong(folder)) {
      ovMessageBox(Language::GetText(577) + "\n" + folder, Language::GetText(516), ovmsg::kOk,
                   ovmsg::kIconError);
      return;
    }
    dialog_.setDirectory(Q(DosFunc::ExistingPathLong(folder)));
    Select(QString());
  }

  QFileDialog& dialog_;
  const TPBFolderDialog& owner_;
  QPushButton* button_;
  QLabel* status_;
  std::string current_;
};

}  // namespace

TPBFolderDialog::TPBFolderDialog(QWidget* owner) : QObject(owner), owner_(owner) {}

void TPBFolderDialog::SetNewFolderWidth(int width) { newFolderWidth_ = width > 0 ? width : 75; }

std::vector<std::string> TPBFolderDialog::LabelCaptions() const {
  return labelCaptions_.own ? labelCaptions_.list : StartingList(&LocaleCaptions::label, kTextLabel);
}

void TPBFolderDialog::SetLabelCaptions(const std::vector<std::string>& list) {
  labelCaptions_ = {true, list, LabelCaption()};
}

std::vector<std::string> TPBFolderDialog::NewFolderCaptions() const {
  return newFolderCaptions_.own ? newFolderCaptions_.list
                                : StartingList(&LocaleCaptions::newFolder, kTextNewFolder);
}

void TPBFolderDialog::SetNewFolderCaptions(const std::vector<std::string>& list) {
  newFolderCaptions_ = {true, list, NewFolderCaption()};
}

std::string TPBFolderDialog::LabelCaption() const {
  return PBFolderDialog::PickCaption(LabelCaptions(), PBFolderDialog::LanguageKey(),
                                     labelCaptions_.kept);
}

std::string TPBFolderDialog::NewFolderCaption() const {
  return PBFolderDialog::PickCaption(NewFolderCaptions(), PBFolderDialog::LanguageKey(),
                                     newFolderCaptions_.kept);
}

bool TPBFolderDialog::Execute() {
  QFileDialog dialog(owner_ != nullptr ? owner_->window() : QApplication::activeWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setLabelText(QFileDialog::LookIn, Q(LabelCaption()));
  dialog.setDirectory(Q(DialogFolder::Usable(Folder)
                            ? DosFunc::ExistingPathLong(Folder)
                            : DialogFolder::StartFolder(FileDialogs::ShownPhoto(), last_)));
  DialogExtras extras(dialog, *this);
  FitForFolders(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  Folder = chosen.first().toStdString();
  last_ = Folder;
  return true;
}

namespace PBFolderDialog {

std::string LanguageKey() { return StrFunc::WordToHex(Language::CurrentLanguageId()); }

std::string PickCaption(const std::vector<std::string>& list, std::string_view key,
                        const std::string& current) {
  if (list.empty()) return current;
  auto valueOf = [&](std::string_view name, std::string& value) {
    const std::string wanted = StrFunc::UpperCaseCz(name);
    for (const std::string& entry : list) {
      const size_t eq = entry.find('=');
      if (eq != std::string::npos && StrFunc::UpperCaseCz(entry.substr(0, eq)) == wanted) {
        value = entry.substr(eq + 1);
        return true;
      }
    }
    return false;
  };
  std::string value;
  if (valueOf(key, value) || valueOf("Default", value)) return value;
  const size_t eq = list.front().find('=');
  return eq == std::string::npos ? std::string() : list.front().substr(eq + 1);
}

std::string ShortenPath(std::string_view path, int limit) {
  const size_t max = limit > 0 ? static_cast<size_t>(limit) : 0;
  const size_t length = Utf8::Length(path);
  const size_t slashesAfterSecond =
      path.size() > 2 ? static_cast<size_t>(std::count(path.begin() + 2, path.end(), '/')) : 0;
  if (length <= max || limit < 6 || slashesAfterSecond < 2) return Utf8::Left(path, max);
  // A network-style path keeps its server: "//server/".
  const size_t headEnd = path.starts_with("//") ? path.find('/', 2) : path.find('/');
  const std::string head = std::string(path.substr(0, headEnd + 1)) + "...";
  std::string_view rest = path.substr(headEnd + 1);
  while (Utf8::Length(head) + 1 + Utf8::Length(rest) > max) {
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  const std::string text = head + "/" + std::string(rest);
  if (Utf8::Length(text) <= max) return text;
  return Utf8::Left(text, max - 3) + "...";
}

std::string JoinNewFolder(std::string_view path, std::string_view name) {
  std::string folder(path);
  if (!name.starts_with('/') && !folder.ends_with('/')) folder += '/';
  return folder.append(name);
}

}  // namespace PBFolderDialog
