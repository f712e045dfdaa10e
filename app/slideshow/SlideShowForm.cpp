#include "app/slideshow/SlideShowForm.h"

#include <algorithm>
#include <chrono>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/slideshow/SlidePicture.h"
#include "app/slideshow/SlideShowProjects.h"
#include "app/slideshow/SlideThumbListForm.h"
#include "app/slideshow/sfullscr.h"
#include "app/widgets/FormTools.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;

constexpr int kPlayerStartDelay = 250;
constexpr int kTextFailedRun = 738;
constexpr char kErrorCaption[] = "SlideShow Error";
constexpr int kOverlayMargin = 30;
constexpr int kOverlayAt = 3;

}  // namespace

TSlideShow::TSlideShow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      Timer1(Named(new QTimer(this), "Timer1")),
      Timer2(Named(new QTimer(this), "Timer2")),
      FS(std::make_unique<TFullScreen>(this)),
      Img(Named(new QLabel(this), "Img")),
      ExposureLabel(Named(new QLabel(this), "ExposureLabel")) {
  setObjectName("SlideShow");
  setWindowTitle("SlideShow");
  setFocusPolicy(Qt::StrongFocus);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  Img->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Img);
  ExposureLabel->setAutoFillBackground(true);
  ExposureLabel->setMargin(2);
  ExposureLabel->move(kOverlayAt, kOverlayAt);
  ExposureLabel->hide();
  StyleOverlay();

  Timer1->setSingleShot(true);
  Timer1->setInterval(interval_);
  Timer2->setSingleShot(true);
  Timer2->setInterval(kPlayerStartDelay);
  connect(Timer1, &QTimer::timeout, this, [this] { Next(); });
  connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

TSlideShow::~TSlideShow() {
  Timer1->stop();
  Timer2->stop();
  delete picker_;
}

void TSlideShow::Run(int startIndex) {
  if (items_.empty() || running_) return;
  const FormTools::TBusy running(running_, {});
  stop_ = false;
  broken_ = false;
  failed_ = false;
  FS->SetFullscreen(true);
  show();
  activateWindow();
  setFocus();
  for (const int ms : {500, 1500, 3000}) QTimer::singleShot(ms, this, [this] { FS->Reassert(); });
  QCoreApplication::processEvents();
  index_ = std::max(startIndex - 1, -1);
  shown_ = -1;
  prepared_ = TPrepared();
  Next();
  if (!stop_) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
  }
  Timer1->stop();
  if (failed_) TellError(Language::GetText(kTextFailedRun));
}

void TSlideShow::TellError(const std::string& text) {
  platform::ShowMessageBox(text, kErrorCaption, platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
}

void TSlideShow::Next() {
  if (inNext_ || items_.empty() || stop_) return;
  const FormTools::TBusy inNext(inNext_, {});
  Timer1->stop();
  if (!prepared_.loaded && (broken_ || !LoadNext())) {
    // Nothing more to show: the viewer stopped the show, or the pictures
    // after the one shown last do not load.
    failed_ = broken_;
    Stop();
    return;
  }
  if (stop_) return;
  Img->setPixmap(QPixmap::fromImage(prepared_.picture));
  shown_ = prepared_.index;
  ShowOverlay(prepared_.overlay.Line);
  // The time this picture stays, before the next one is prepared.
  const int displayTime = SlideShowOverlay::DisplayTime(interval_, prepared_.overlay);
  prepared_ = TPrepared();
  QCoreApplication::processEvents();
  if (stop_) return;
  const auto start = std::chrono::steady_clock::now();
  LoadNext();
  const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - start)
                         .count();
  Timer1->setInterval(spent >= displayTime ? 1 : displayTime - static_cast<int>(spent));
  if (timerOn_ && !stop_) Timer1->start();
}

void TSlideShow::Stop() {
  Timer1->stop();
  stop_ = true;
  hide();
  FS->SetFullscreen(false);
  if (loop_ != nullptr) loop_->quit();
}

bool TSlideShow::LoadNext() {
  prepared_ = TPrepared();
  const int count = static_cast<int>(items_.size());
  for (int tries = 0; tries < std::min(count, kFailedRun); ++tries) {
    if (stop_) return false;
    index_ = index_ + 1 >= count ? 0 : index_ + 1;
    const bool loaded = Prepare(index_);
    QCoreApplication::processEvents();
    if (loaded) return true;
  }
  broken_ = !stop_;
  return false;
}

bool TSlideShow::Prepare(int index) {
  const std::string& item = items_.at(static_cast<size_t>(index));
  const int entry = SlideShowPackage::EntryOfItem(item);
  TSlideInfoRec info;
  std::string picture = item;
  if (entry >= 0) {
    if (package_ == nullptr) return false;
    info = package_->ReadInfo(entry);
    picture = package_->Extract(entry + 2);
  }
  const QImage image = picture.empty() ? QImage() : SlidePicture::Load(picture, PictureBox());
  if (entry >= 0 && !picture.empty()) DosFunc::DeleteFileLong(picture);
  if (image.isNull()) return false;
  prepared_.picture = image;
  prepared_.overlay =
      SlideShowOverlay::Compose(index + 1, static_cast<int>(items_.size()), info, overlayFlags_);
  prepared_.index = index;
  prepared_.loaded = true;
  return true;
}

QSize TSlideShow::PictureBox() const {
  // Full screen is asked for before the window manager has granted it.
  if (FS->Fullscreen() && screen() != nullptr) return screen()->geometry().size();
  return Img->size();
}

void TSlideShow::ShowOverlay(const std::string& text) {
  const std::string line = StrFunc::Trim(text);
  if (line.empty()) {
    ExposureLabel->hide();
    ExposureLabel->clear();
    return;
  }
  const int limit = (FS->Fullscreen() ? PictureBox().width() : width()) - kOverlayMargin;
  const std::string shown = SlideShowOverlay::Shorten(line, [this, limit](const std::string& s) {
    ExposureLabel->setText(Q(s));
    ExposureLabel->adjustSize();
    return ExposureLabel->width() <= limit;
  });
  ExposureLabel->setText(Q(shown));
  ExposureLabel->adjustSize();
  ExposureLabel->show();
  ExposureLabel->raise();
}

void TSlideShow::StyleOverlay() {
  QPalette palette = ExposureLabel->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
  ExposureLabel->setPalette(palette);
}

void TSlideShow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Next();
      break;
    case Qt::Key_Escape:
      Stop();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TSlideShow::mousePressEvent(QMouseEvent* event) { event->accept(); }

void TSlideShow::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (!mouseOn_) return;
  switch (event->button()) {
    case Qt::LeftButton:
      Next();
      break;
    case Qt::MiddleButton:
      Stop();
      break;
    case Qt::RightButton:
      if (picker_ != nullptr && !inNext_) RunPicker();
      break;
    default:
      break;
  }
}

void TSlideShow::closeEvent(QCloseEvent* event) {
  if (running_) Stop();
  event->accept();
}

void TSlideShow::RunPicker() {
  Timer1->stop();
  const int choice = picker_->Choose();
  if (choice == TSlideThumbListForm::kStop) {
    Stop();
    return;
  }
  if (choice >= 0) {
    // The picture picked is tried whatever failed before it.
    broken_ = false;
    prepared_ = TPrepared();
    index_ = choice - 1;
    Img->clear();
    Next();
    return;
  }
  if (timerOn_ && !stop_) Timer1->start();
}
