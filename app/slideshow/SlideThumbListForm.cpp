#include "app/slideshow/SlideThumbListForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/pickers/ThumbGrid.h"
#include "app/slideshow/sfullscr.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/JpegImage.h"
#include "app/widgets/appform.h"
#include "foundation/DosFunc.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "metadata/ConvertJPeg.h"
#include "photos/ThumbListFormGrid.h"
#include "platform/jpeg/JpegReader.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Text;
using ThumbListForm::kCellHeight;
using ThumbListForm::kCellWidth;

constexpr int kCaptionText = 44;
constexpr int kCancelText = 279;
constexpr char kBoundsSection[] = "SlideShow\\ThumbWinPos";

// The thumbnail in an extracted file, cut from its centre to fill a cell; a
// blank cell when it does not decode.
QImage CellOf(const std::string& path) {
  platform::JpegReader reader;
  platform::Bitmap picture;
  if (path.empty() || !reader.OpenFile(path) || !reader.Decode(picture, kCellWidth, kCellHeight))
    return ThumbListForm::BlankCell();
  ConvertJPeg::FillBitmap(picture, kCellWidth, kCellHeight);
  return JpegImage::FromBitmap(picture);
}

}  // namespace

TSlideThumbListForm::TSlideThumbListForm(QWidget* owner)
    : QDialog(owner),
      DG(Named(new QTableView(this), "DG")),
      OkButton(Named(new QPushButton("OK", this), "OkButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")),
      BitBtn1(Named(new QPushButton("Stop", this), "BitBtn1")),
      FS(std::make_unique<TFullScreen>(this)),
      model_(new ThumbListForm::TGridModel(this)) {
  setObjectName("SlideThumbListForm");
  ThumbListForm::SetUpGrid(*DG, *model_,
                           [this](QPainter& painter, const QStyleOptionViewItem& option,
                                  int index) { DGDrawCell(painter, option, index); });
  DG->viewport()->installEventFilter(this);
  OkButton->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn1);
  buttons->addStretch(1);
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DG, 1);
  layout->addLayout(buttons);

  connect(DG, &QTableView::doubleClicked, this, [this] { OkButtonClick(); });
  connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kStop); });
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

TSlideThumbListForm::~TSlideThumbListForm() = default;

void TSlideThumbListForm::Fill(const std::vector<std::string>& items,
                               TSlideShowPackage* package) {
  package_ = package;
  slots_.assign(items.size(), TSlot());
  for (size_t i = 0; i < items.size(); ++i) {
    const int entry = SlideShowPackage::EntryOfItem(items[i]);
    if (entry >= 0) slots_[i].entry = entry + 1;
  }
  IL.assign(items.size(), ThumbListForm::BlankCell());
  last_ = static_cast<int>(items.size()) - 1;
  model_->SetShape(static_cast<int>(items.size()),
                   ThumbListForm::ColumnCount(DG->viewport()->width()));
  ThumbListForm::SelectEntry(*DG, *model_, 0);
}

int TSlideThumbListForm::Choose() {
  FS->SetFullscreen(true);
  const int result = exec();
  FS->SetFullscreen(false);
  if (result == kStop) return kStop;
  return result == QDialog::Accepted ? CurrentEntry() : -1;
}

void TSlideThumbListForm::ApplyTexts() {
  setWindowTitle(Text(kCaptionText));
  CancelButton->setText(Text(kCancelText));
}

int TSlideThumbListForm::CurrentEntry() const {
  const int index = model_->Entry(DG->currentIndex());
  return index <= last_ ? index : -1;
}

bool TSlideThumbListForm::Drawn(int index) const {
  return index >= 0 && index < static_cast<int>(slots_.size()) &&
         slots_[static_cast<size_t>(index)].drawn != 0;
}

void TSlideThumbListForm::DGDrawCell(QPainter& painter, const QStyleOptionViewItem& option,
                                     int index) {
  if (index < 0 || index > last_) return;
  if (!Drawn(index)) LoadThumbnail(index);
  ThumbListForm::PaintCell(painter, option, IL.at(static_cast<size_t>(index)));
}

void TSlideThumbListForm::LoadThumbnail(int index) {
  TSlot& slot = slots_.at(static_cast<size_t>(index));
  slot.drawn = 1;
  if (package_ == nullptr || slot.entry < 0) return;
  const std::string path = package_->Extract(slot.entry);
  IL.at(static_cast<size_t>(index)) = CellOf(path);
  if (!path.empty()) DosFunc::DeleteFileLong(path);
}

bool TSlideThumbListForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == DG->viewport() && event->type() == QEvent::Resize)
    ThumbListForm::FollowWidth(*DG, *model_);
  return QDialog::eventFilter(watched, event);
}

void TSlideThumbListForm::done(int result) {
  SaveBounds();
  QDialog::done(result);
}

void TSlideThumbListForm::OkButtonClick() {
  if (CurrentEntry() >= 0) accept();
}

void TSlideThumbListForm::SaveBounds() const { FormTools::SaveBounds(*this, kBoundsSection); }
