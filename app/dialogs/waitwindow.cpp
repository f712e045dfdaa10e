#include "app/dialogs/waitwindow.h"

#include <algorithm>
#include <cstdint>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "app/widgets/FocusReturn.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "texts/Language.h"

namespace {

constexpr int kTextCaption = 55;

int32_t gOpenWaitWindows = 0;

int FontSize(const QWidget* w) {
  const QFont font = w->font();
  if (font.pointSize() > 0) return font.pointSize();
  return qRound(font.pixelSize() * 72.0 / w->logicalDpiY());
}

// The width reserved for a text: a rough character width of (font size - 2)
// pixels, which callers size their messages by.
int NeededWidth(const std::string& text, const QWidget* w) {
  const int64_t width = static_cast<int64_t>(Utf8::Length(text)) * (FontSize(w) - 2);
  return static_cast<int>(std::clamp<int64_t>(width, 0, TfrmWait::kMaxNeededWidth));
}

// Callers pass such a message to make room for the lines to come.
bool ReservesWidthOnly(const std::string& message) {
  if (message.empty() || std::string_view("xXwW.").find(message[0]) == std::string_view::npos)
    return false;
  return std::all_of(message.begin(), message.end(), [&](char c) { return c == message[0]; });
}

void StartBar(QProgressBar* bar, int max) {
  bar->setRange(0, max);
  bar->setValue(0);
  bar->show();
}

}  // namespace

TfrmWait::TfrmWait(const std::string& message, int secondMax, int firstMax)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      info(new QLabel(this)),
      PB(new QProgressBar(this)),
      PTLine(new QLabel(this)),
      PB2(new QProgressBar(this)) {
  setObjectName("frmWait");
  setWindowTitle(QString::fromStdString(Language::GetText(kTextCaption)));
  info->setObjectName("info");
  PB->setObjectName("PB");
  PTLine->setObjectName("PTLine");
  PB2->setObjectName("PB2");
  info->setAlignment(Qt::AlignCenter);
  // The line changes with every step; the window keeps the width set up for
  // it rather than jumping, and may not outgrow the screen.
  PTLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(info);
  layout->addWidget(PB);
  layout->addWidget(PTLine);
  layout->addWidget(PB2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Nothing here takes keys: the user's window keeps the keyboard.
  setAttribute(Qt::WA_ShowWithoutActivating);
  FocusReturn::Keep(this);
  Setup(message, std::string(), secondMax, firstMax);
}

TfrmWait::~TfrmWait() {
  // Hidden first, so that the keyboard goes back where it was.
  hide();
  owned_.reset();
  if (cascade_ > 0) --gOpenWaitWindows;
}

void TfrmWait::Setup(const std::string& message, const std::string& lineText, int secondMax,
                     int firstMax) {
  const std::string line = StrFunc::Trim(lineText);
  if (firstMax == 0 && secondMax >= 1) std::swap(firstMax, secondMax);
  if (!line.empty()) firstMax = 0;
  appform::AutoChangeAppFont(this);
  // A window set up again is still one window of the cascade.
  if (cascade_ == 0) cascade_ = ++gOpenWaitWindows;
  PB->hide();
  PTLine->hide();
  PB2->hide();
  Widen(message, line);
  info->setText(ReservesWidthOnly(message) ? QString() : QString::fromStdString(message));
  if (firstMax > 0) StartBar(PB, firstMax);
  if (secondMax > 0) StartBar(PB2, secondMax);
  if (!line.empty()) PTLine->show();
  owned_.reset();
  PlaceOnScreen();
  Step(std::string());
}

void TfrmWait::Step(const std::string& lineText) {
  if (isHidden()) show();
  update();
  if (!PB->isHidden() && PB->value() < PB->maximum()) PB->setValue(PB->value() + 1);
  if (!PTLine->isHidden()) ShowLine(lineText);
  if (!PB2->isHidden()) PB2->setValue(0);
  QCoreApplication::processEvents();
}

void TfrmWait::SetOwnedObject(std::shared_ptr<void> object) { owned_ = std::move(object); }

int TfrmWait::OpenCount() { return gOpenWaitWindows; }

void TfrmWait::closeEvent(QCloseEvent* event) { event->ignore(); }

void TfrmWait::reject() {}

void TfrmWait::Widen(const std::string& message, const std::string& lineText) {
  const int needed = std::max(NeededWidth(message, info), NeededWidth(lineText, PTLine));
  const int width = std::max(kInfoWidth, needed);
  info->setMinimumWidth(width);
  PTLine->setMinimumWidth(width);
}

void TfrmWait::ShowLine(const std::string& lineText) {
  const QString text = QString::fromStdString(lineText);
  const QString shown =
      PTLine->fontMetrics().elidedText(text, Qt::ElideMiddle, PTLine->minimumWidth());
  PTLine->setText(shown);
  PTLine->setToolTip(shown == text ? QString() : text);
}

void TfrmWait::PlaceOnScreen() {
  adjustSize();
  QPoint topLeft;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    topLeft = screen->availableGeometry().center() - QPoint(width() / 2, height() / 2);
  if (cascade_ > 1)
    topLeft += QPoint(kCascadeStep * cascade_, (kCascadeStep + height()) * cascade_);
  move(topLeft);
}
