#include "app/pickers/ThumbListForm.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/pickers/ThumbGrid.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/JpegImage.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "foundation/config/cfgtools.h"
#include "photos/JPegUtils.h"
#include "photos/ThumbListFormGrid.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using ThumbListForm::kCellHeight;
using ThumbListForm::kCellWidth;
using ThumbListForm::kGridLineWidth;

constexpr int kCaptionText = 44;
constexpr int kCancelText = 279;
constexpr char kBoundsSection[] = "Desktop\\ThumbWinPos";
// The grid's size before any stored bounds: six columns of four rows.
constexpr int kDesignedColumns = 6;
constexpr int kDesignedRows = 4;

void OpenSettings(TConfig& config) {
  config.OpenRegistryDefault(false, resources::kProductName);
  config.SetSection(kBoundsSection);
}

}  // namespace

TThumbnailListForm::TThumbnailListForm(QWidget* owner)
    : QDialog(owner),
      DG(Named(new QTableView(this), "DG")),
      OkButton(Named(new QPushButton("OK", this), "OkButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")),
      model_(new ThumbListForm::TGridModel(this)),
      maker_(new QTimer(this)) {
  setObjectName("ThumbnailListForm");
  ThumbListForm::SetUpGrid(*DG, *model_,
                           [this](QPainter& painter, const QStyleOptionViewItem& option,
                                  int entry) { DGDrawCell(painter, option, entry); });
  DG->viewport()->installEventFilter(this);
  OkButton->setDefault(true);
  maker_->setSingleShot(true);
  maker_->setInterval(0);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DG, 1);
  layout->addLayout(buttons);
  resize(kDesignedColumns * (kCellWidth + kGridLineWidth) + 60,
         kDesignedRows * (kCellHeight + kGridLineWidth) + 70);

  connect(DG, &QTableView::doubleClicked, this, [this] { OkButtonClick(); });
  connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(maker_, &QTimer::timeout, this, [this] { MakeNextThumbnail(); });
  ApplyTexts();
  LoadBounds();
  appform::AutoChangeAppFont(this);
}

TThumbnailListForm::~TThumbnailListForm() = default;

int TThumbnailListForm::Pick(const std::string& folder, const std::vector<std::string>& fileList) {
  const int previous = CurrentEntry();
  if (cache_.Prepare(folder, fileList)) IL.assign(fileList.size(), ThumbListForm::BlankCell());
  model_->SetShape(cache_.Count(), ThumbListForm::ColumnCount(DG->viewport()->width()));
  SelectEntry(previous >= 0 && previous < cache_.Count() ? previous : 0);
  const bool picked = exec() == QDialog::Accepted;
  return picked ? CurrentEntry() : -1;
}

void TThumbnailListForm::ApplyTexts() {
  setWindowTitle(Q(Language::GetText(kCaptionText)));
  CancelButton->setText(Q(Language::GetText(kCancelText)));
}

int TThumbnailListForm::CurrentEntry() const { return model_->Entry(DG->currentIndex()); }

void TThumbnailListForm::DGDrawCell(QPainter& painter, const QStyleOptionViewItem& option,
                                    int entry) {
  if (!cache_.Entry(entry).loaded && wanted_.insert(entry).second && !making_) maker_->start();
  ThumbListForm::PaintCell(painter, option, IL.at(static_cast<size_t>(entry)));
}

bool TThumbnailListForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == DG->viewport() && event->type() == QEvent::Resize) UpdateColumns();
  return QDialog::eventFilter(watched, event);
}

void TThumbnailListForm::done(int result) {
  wanted_.clear();
  maker_->stop();
  SaveBounds();
  QDialog::done(result);
}

void TThumbnailListForm::LoadBounds() {
  TConfig config;
  OpenSettings(config);
  const int left = config.ReadInteger("Left", -1);
  const int top = config.ReadInteger("Top", -1);
  const int width = config.ReadInteger("Width", -1);
  const int height = config.ReadInteger("Height", -1);
  if (left == -1 || top == -1 || width == -1 || height == -1) return;
  move(left, top);
  resize(width, height);
}

void TThumbnailListForm::SaveBounds() const { FormTools::SaveBounds(*this, kBoundsSection); }

void TThumbnailListForm::UpdateColumns() { ThumbListForm::FollowWidth(*DG, *model_); }

void TThumbnailListForm::SelectEntry(int entry) {
  ThumbListForm::SelectEntry(*DG, *model_, entry);
}

void TThumbnailListForm::OkButtonClick() {
  if (CurrentEntry() >= 0) accept();
}

void TThumbnailListForm::MakeNextThumbnail() {
  if (making_ || wanted_.empty()) return;
  making_ = true;
  const int entry = *wanted_.begin();
  wanted_.erase(wanted_.begin());
  if (entry < cache_.Count() && !cache_.Entry(entry).loaded) {
    platform::Bitmap picture;
    const std::string photo =
        StrFunc::IncludeBackslash(cache_.Folder()) + cache_.Entry(entry).name;
    // A photo without a picture keeps its blank cell and can still be picked.
    if (JPegUtils::ThumbnailPicture(photo, kCellWidth, kCellHeight, picture))
      IL.at(static_cast<size_t>(entry)) = JpegImage::FromBitmap(picture);
    cache_.MarkLoaded(entry);
    DG->viewport()->update();
  }
  making_ = false;
  if (!wanted_.empty()) maker_->start();
}
