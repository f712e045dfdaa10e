#include "app/batch/edit_imgsize.h"
#include "app/widgets/SlotGuard.h"

#include <algorithm>
#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/PBFolderDialog.h"
#include "app/dialogs/waitwindow.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "foundation/ovmsg.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;
namespace work = edit_imgsize;

// The sort list's items, in the order of TSortBy.
constexpr int kSortItems[] = {376, 377, 378};

constexpr int kTextCaption = 374;
constexpr int kTextMove = 381;
constexpr int kTextSelectAll = 382;
constexpr int kTextReadingList = 59;
constexpr int kTextReadingSizes = 60;
constexpr int kTextMoving = 61;
const std::vector<FormTools::TTextCaption> kCaptions = {
    {"Label1", 375},
    {"hide160", 379},
    {"hide178", 380},
    {"Button1", kTextMove},
};

std::string Text(int number) { return Language::GetText(number); }

work::TOverwrite AskOverwrite(const std::string& target) {
  switch (ovMessageBox(work::OverwriteQuestion(target), Text(work::kCaptionQuestion),
                       ovmsg::kYesNo | ovmsg::kCancel, 0)) {
    case ovmsg::kResultYes:
      return work::TOverwrite::Replace;
    case ovmsg::kResultNo:
      return work::TOverwrite::Skip;
    default:
      return work::TOverwrite::Stop;
  }
}

work::TCollected CollectFiles(const std::string& folder, bool subfolders) {
  TfrmWait wait(Text(kTextReadingList), 0, 0);
  QCoreApplication::processEvents();
  return work::CollectJpegFiles(folder, subfolders);
}

std::unique_ptr<work::TResolutionList> ReadSizes(const std::string& folder,
                                                 const std::vector<std::string>& files) {
  TfrmWait wait(Text(kTextReadingSizes), 0, static_cast<int>(files.size()));
  return std::make_unique<work::TResolutionList>(folder, files,
                                                 [&wait](int, int) { wait.Step(""); });
}

}  // namespace

namespace edit_imgsize {

void ShowResolutionList(QWidget* owner, const std::string& folder) {
  SlotGuard::Run([&] {
    const bool subfolders =
        ovMessageBox(Text(kSubfoldersQuestion), Text(kCaptionQuestion), ovmsg::kYesNo, 0) ==
        ovmsg::kResultYes;
    std::unique_ptr<TResolutionList> list;
    {
      bool busy = false;
      FormTools::TBusy disabled(busy, owner != nullptr ? std::vector<QWidget*>{owner}
                                                       : std::vector<QWidget*>{});
      const work::TCollected collected = CollectFiles(folder, subfolders);
      if (!collected.unreadable.empty())
        ovMessageBox(UnreadableText(collected.unreadable), Text(kCaptionError), ovmsg::kOk,
                     ovmsg::kIconWarning);
      if (collected.files.empty()) {
        ovMessageBox(NoFilesText(folder), Text(kCaptionError), ovmsg::kOk, ovmsg::kIconWarning);
        return;
      }
      list = ReadSizes(folder, collected.files);
    }
    TImgSizeList::Run(owner, *list);
  });
}

}  // namespace edit_imgsize

TImgSizeList::TImgSizeList(QWidget* owner, work::TResolutionList& list)
    : QDialog(owner),
      Label1(Named(new QLabel(this), "Label1")),
      razeni(Named(new QComboBox(this), "razeni")),
      hide160(Named(new QCheckBox(this), "hide160")),
      hide178(Named(new QCheckBox(this), "hide178")),
      LB(Named(new QListWidget(this), "LB")),
      imgcount(Named(new QLabel(this), "imgcount")),
      Button1(Named(new QPushButton(this), "Button1")),
      PopupMenu1(Named(new QMenu(this), "PopupMenu1")),
      mnuPresun(Named(new QAction(this), "mnuPresun")),
      Oznaitve1(Named(new QAction(this), "Oznaitve1")),
      PBFolderDialog1(new TPBFolderDialog(this)),
      list_(list) {
  setObjectName("ImgSizeList");
  PBFolderDialog1->setObjectName("PBFolderDialog1");
  PBFolderDialog1->NewFolderVisible = true;
  PBFolderDialog1->NewFolderEnabled = true;
  for (int item : kSortItems) razeni->addItem(FormTools::Text(item));
  LB->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The lines are columns of blanks and digits.
  LB->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  LB->setContextMenuPolicy(Qt::CustomContextMenu);
  LB->installEventFilter(this);
  PopupMenu1->addAction(mnuPresun);
  PopupMenu1->addAction(Oznaitve1);
  Build();

  connect(razeni, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
  connect(hide160, &QCheckBox::toggled, this, [this] { Fill(); });
  connect(hide178, &QCheckBox::toggled, this, [this] { Fill(); });
  connect(LB, &QListWidget::itemDoubleClicked, this,
          SlotGuard::Handler(this, &TImgSizeList::LBDblClick));
  connect(LB, &QListWidget::itemSelectionChanged, this, [this] {
    const bool any = !LB->selectedItems().isEmpty();
    Button1->setEnabled(any);
    mnuPresun->setEnabled(any);
  });
  connect(LB, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(LB->viewport()->mapToGlobal(at)); });
  connect(Button1, &QPushButton::clicked, this,
          SlotGuard::Handler(this, &TImgSizeList::mnuPresunClick));
  connect(mnuPresun, &QAction::triggered, this,
          SlotGuard::Handler(this, &TImgSizeList::mnuPresunClick));
  connect(Oznaitve1, &QAction::triggered, this, [this] { Oznaitve1Click(); });
  ApplyTexts();
  Fill();
  appform::AutoChangeAppFont(this);
}

void TImgSizeList::Build() {
  auto* top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addWidget(razeni);
  top->addSpacing(16);
  top->addWidget(hide160);
  top->addWidget(hide178);
  top->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(imgcount);
  bottom->addStretch(1);
  bottom->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(LB, 1);
  layout->addLayout(bottom);
  resize(720, 520);
}

void TImgSizeList::Run(QWidget* owner, work::TResolutionList& list) {
  TImgSizeList form(owner, list);
  form.exec();
}

void TImgSizeList::ApplyTexts() {
  setWindowTitle(FormTools::Text(kTextCaption));
  FormTools::ApplyCaptions(*this, kCaptions);
  for (int i = 0; i < razeni->count(); ++i)
    razeni->setItemText(i, FormTools::Text(kSortItems[static_cast<size_t>(i)]));
  mnuPresun->setText(FormTools::Text(kTextMove));
  Oznaitve1->setText(FormTools::Text(kTextSelectAll));
}

void TImgSizeList::Fill() {
  const auto sortBy = static_cast<work::TSortBy>(std::max(0, razeni->currentIndex()));
  LB->clear();
  shown_.clear();
  for (const work::TResolutionList::TLine& line :
       list_.Lines(sortBy, hide160->isChecked(), hide178->isChecked())) {
    LB->addItem(Q(line.text));
    shown_.push_back(line.photo);
  }
  ShowCount();
}

void TImgSizeList::ShowCount() {
  imgcount->setText(Q(work::CountText(shown_.size())));
  imgcount->setVisible(!shown_.empty());
  Button1->setEnabled(!LB->selectedItems().isEmpty());
  mnuPresun->setEnabled(Button1->isEnabled());
}

bool TImgSizeList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LB && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll)) {
      if (!key->isAutoRepeat()) Oznaitve1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TImgSizeList::reject() {
  if (!busy_) QDialog::reject();
}

void TImgSizeList::Oznaitve1Click() {
  if (work::SelectAll(static_cast<size_t>(LB->selectedItems().size())))
    LB->selectAll();
  else
    LB->clearSelection();
}

void TImgSizeList::LBDblClick() {
  const int row = LB->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= shown_.size()) return;
  const std::string error = work::OpenPhoto(list_.Photos()[shown_[static_cast<size_t>(row)]].path);
  if (!error.empty()) ovMessageBox(error, Text(work::kCaptionError), ovmsg::kOk, ovmsg::kIconError);
}

void TImgSizeList::mnuPresunClick() {
  if (LB->selectedItems().isEmpty()) return;
  PBFolderDialog1->Folder = StrFunc::ExcludeBackslash(list_.BaseFolder());
  if (PBFolderDialog1->Execute()) MoveSelected(PBFolderDialog1->Folder);
}

void TImgSizeList::MoveSelected(const std::string& folder) {
  std::vector<size_t> photos;
  for (int row = LB->count() - 1; row >= 0; --row) {
    if (LB->item(row)->isSelected()) photos.push_back(shown_[static_cast<size_t>(row)]);
  }
  work::TMoveResult result;
  {
    FormTools::TBusy busy(busy_, {razeni, hide160, hide178, LB, Button1});
    TfrmWait wait(Text(kTextMoving), 0, static_cast<int>(photos.size()));
    result = list_.Move(
        photos, folder, [](const std::string&, const std::string& target) { return AskOverwrite(target); },
        [&wait](int, int) { wait.Step(""); });
  }
  for (int row = LB->count() - 1; row >= 0; --row) {
    const size_t photo = shown_[static_cast<size_t>(row)];
    if (!list_.Photos()[photo].moved) continue;
    delete LB->takeItem(row);
    shown_.erase(shown_.begin() + row);
  }
  ShowCount();
  if (!result.refusal.empty())
    ovMessageBox(result.refusal, Text(work::kCaptionError), ovmsg::kOk, ovmsg::kIconWarning);
  else
    FormTools::Warn(work::Summary(result), Text(work::kCaptionError));
}
