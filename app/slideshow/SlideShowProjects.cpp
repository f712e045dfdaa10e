#include "app/slideshow/SlideShowProjects.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::Text;

constexpr int kTitleText = 386;
// Up to three digits, none required; blanks where none is typed.
constexpr char kIntervalMask[] = "000; ";
constexpr char kDefaultInterval[] = "5";
constexpr int kCancelText = 279;

QCheckBox* CheckBox(QWidget* owner, const char* name, bool checked) {
  auto* box = Named(new QCheckBox(owner), name);
  box->setChecked(checked);
  return box;
}

}  // namespace

TSlideShowList::TSlideShowList(QWidget* owner)
    : QDialog(owner),
      SG(Named(new QTableWidget(0, 1, this), "SG")),
      Interval(Named(new QLineEdit(this), "Interval")),
      Mouse(CheckBox(this, "Mouse", true)),
      TimeInterval(CheckBox(this, "TimeInterval", true)),
      ImageInfo(Named(new QGroupBox(this), "ImageInfo")),
      FileCounter(CheckBox(ImageInfo, "FileCounter", true)),
      ExposureTime(CheckBox(ImageInfo, "ExposureTime", true)),
      Note(CheckBox(ImageInfo, "Note", true)),
      Transparent(CheckBox(ImageInfo, "Transparent", false)),
      TextColorButton(Named(new QPushButton(ImageInfo), "TextColorButton")),
      BackColorButton(Named(new QPushButton(ImageInfo), "BackColorButton")),
      FontButton(Named(new QPushButton(ImageInfo), "FontButton")),
      DefaultsButton(Named(new QPushButton(ImageInfo), "DefaultsButton")),
      Test(Named(new QLabel(ImageInfo), "Test")),
      OkButton(Named(new QPushButton("OK", this), "OkButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")) {
  setObjectName("SlideShowList");
  SG->horizontalHeader()->hide();
  SG->verticalHeader()->hide();
  SG->horizontalHeader()->setStretchLastSection(true);
  SG->setSelectionBehavior(QAbstractItemView::SelectRows);
  SG->setSelectionMode(QAbstractItemView::SingleSelection);
  SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Interval->setInputMask(kIntervalMask);
  Interval->setText(kDefaultInterval);
  Interval->setMaximumWidth(Interval->fontMetrics().horizontalAdvance("0000") * 2);
  Test->setAutoFillBackground(true);
  Test->setMargin(2);
  OkButton->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SG, 1);
  layout->addWidget(BuildOptions());
  layout->addLayout(buttons);
  resize(sizeHint().expandedTo(QSize(460, 420)));

  connect(SG, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(TextColorButton, &QPushButton::clicked, this, [this] { ChooseTextColor(); });
  connect(BackColorButton, &QPushButton::clicked, this, [this] { ChooseBackColor(); });
  connect(FontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
  connect(DefaultsButton, &QPushButton::clicked, this, [this] { SetDefaults(); });
  connect(Transparent, &QCheckBox::toggled, this, [this] { ShowTest(); });
  SetDefaults();
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

QWidget* TSlideShowList::BuildOptions() {
  auto* timing = new QHBoxLayout;
  timing->addWidget(Mouse);
  timing->addSpacing(12);
  timing->addWidget(TimeInterval);
  timing->addWidget(Interval);
  timing->addWidget(new QLabel("s", this));
  timing->addStretch(1);

  auto* info = new QGridLayout(ImageInfo);
  info->addWidget(FileCounter, 0, 0);
  info->addWidget(ExposureTime, 0, 1);
  info->addWidget(Note, 1, 0);
  info->addWidget(Transparent, 1, 1);
  auto* looks = new QHBoxLayout;
  for (QPushButton* button : {TextColorButton, BackColorButton, FontButton, DefaultsButton})
    looks->addWidget(button);
  info->addLayout(looks, 2, 0, 1, 2);
  info->addWidget(Test, 3, 0, 1, 2);

  auto* options = new QWidget(this);
  auto* layout = new QVBoxLayout(options);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(timing);
  layout->addWidget(ImageInfo);
  return options;
}

void TSlideShowList::SetProjects(const std::vector<std::string>& titles) {
  SG->setRowCount(static_cast<int>(titles.size()));
  for (size_t row = 0; row < titles.size(); ++row)
    SG->setItem(static_cast<int>(row), 0, new QTableWidgetItem(Q(titles[row])));
  if (!titles.empty()) SG->setCurrentCell(0, 0);
}

int TSlideShowList::ShowMenu() {
  // The player's window is hidden between shows: the menu stands on its own.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  SG->setFocus();
  if (exec() != QDialog::Accepted) return -1;
  return SG->currentRow() >= 0 && SG->currentRow() < SG->rowCount() ? SG->currentRow() : -1;
}

void TSlideShowList::ApplyTexts() {
  setWindowTitle(Text(kTitleText));
  const std::pair<QAbstractButton*, int> captions[] = {
      {Mouse, 302},           {TimeInterval, 303},    {FileCounter, 305}, {ExposureTime, 306},
      {Note, 307},            {Transparent, 308},     {TextColorButton, 309},
      {BackColorButton, 310}, {FontButton, 311},      {DefaultsButton, 312},
      {CancelButton, kCancelText},
  };
  for (const auto& [control, text] : captions) control->setText(Text(text));
  ImageInfo->setTitle(Text(304));
  Test->setText(Text(313));
}

void TSlideShowList::SetTextColor(const QColor& color) {
  textColor_ = color;
  ShowTest();
}

void TSlideShowList::SetBackColor(const QColor& color) {
  backColor_ = color;
  ShowTest();
}

void TSlideShowList::SetTextFont(const QFont& font) {
  font_ = font;
  ShowTest();
}

void TSlideShowList::SetDefaults() {
  const QPalette tips = QToolTip::palette();
  textColor_ = tips.color(QPalette::ToolTipText);
  backColor_ = tips.color(QPalette::ToolTipBase);
  font_ = QFont();
  font_.setPointSize(std::max(font_.pointSize(), 12));
  ShowTest();
}

void TSlideShowList::ShowTest() {
  QPalette palette = Test->palette();
  palette.setColor(QPalette::Window, backColor_);
  palette.setColor(QPalette::WindowText, textColor_);
  Test->setPalette(palette);
  Test->setAutoFillBackground(!Transparent->isChecked());
  Test->setFont(font_);
}

void TSlideShowList::ChooseTextColor() {
  const QColor color = QColorDialog::getColor(textColor_, this);
  if (color.isValid()) SetTextColor(color);
}

void TSlideShowList::ChooseBackColor() {
  const QColor color = QColorDialog::getColor(backColor_, this);
  if (color.isValid()) SetBackColor(color);
}

void TSlideShowList::ChooseFont() {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, font_, this);
  if (chosen) SetTextFont(font);
}
