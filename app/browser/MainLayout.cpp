// The main window's controls and their layout: the photo's thumbnail,
// navigation, options, comment and GPS position on the left, the two EXIF
// grids (or the whole photo) on the right, the status line below.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/browser/Main.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "photos/CameraTypes.h"
#include "photos/JPegUtils.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Text;

// Text numbers of the controls.
constexpr int kTextShowUnknown = 250;
constexpr int kTextSortByExposure = 251;
constexpr int kTextCamera = 252;
constexpr int kTextOpenDialogTitle = 256;
constexpr int kTextNote = 307;
constexpr int kTextShowImage = 314;
constexpr int kTextTag = 500;
constexpr int kTextValue = 501;
constexpr int kTextMakerTag = 502;

// The thumbnail's box leaves room for either orientation of a thumbnail.
constexpr int kThumbBox = JPegUtils::kThumbWidth + 8;
// The grids keep room for the tag column and some of the value beside it.
constexpr int kMinGridWidth = 440;
// The open dialog shows the names, sizes and dates of a folder uncut.
constexpr int kOpenDialogWidth = 900;
constexpr int kOpenDialogHeight = 560;

QToolButton* NavButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setAutoRaise(false);
  button->setMinimumSize(40, 30);
  return button;
}

QTableWidget* Grid(QWidget* parent, const char* name) {
  auto* grid = Named(new QTableWidget(0, 2, parent), name);
  grid->verticalHeader()->setVisible(false);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setAlternatingRowColors(true);
  grid->setWordWrap(false);
  return grid;
}

}  // namespace

void TMainForm::BuildLayout() {
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(BuildLeftPanel());

  Pages = Named(new QStackedWidget(central), "Pages");
  Grids = Named(new QSplitter(Qt::Vertical, Pages), "Grids");
  SG = Grid(Grids, "SG");
  ESG = Grid(Grids, "ESG");
  Grids->addWidget(SG);
  Grids->addWidget(ESG);
  SG->viewport()->installEventFilter(this);
  Grids->setStretchFactor(0, 3);
  Grids->setStretchFactor(1, 2);
  FullImg = Named(new QLabel(Pages), "FullImg");
  FullImg->setAlignment(Qt::AlignCenter);
  FullImg->setWordWrap(true);
  // The photo follows the window's size; it must not hold the window open.
  FullImg->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Pages->addWidget(Grids);
  Pages->addWidget(FullImg);
  Pages->setMinimumWidth(kMinGridWidth);
  layout->addWidget(Pages, 1);
  setCentralWidget(central);

  SBPanel = Named(new QLabel(this), "SBPanel");
  statusBar()->setObjectName("SB");
  statusBar()->addWidget(SBPanel, 1);
  BuildProgress();

  OpenDialog = Named(new QFileDialog(this), "OpenDialog");
  OpenDialog->setFileMode(QFileDialog::ExistingFile);
  OpenDialog->setNameFilters({"All (*.jpg *.jpeg *.exif)", "JPEG Image File (*.jpg *.jpeg)",
                              "EXIF Backup File (*.exif)"});
  OpenDialog->resize(kOpenDialogWidth, kOpenDialogHeight);
  // Qt's own dialog (where the desktop offers none) cuts sizes and types.
  if (auto* files = OpenDialog->findChild<QTreeView*>("treeView")) {
    files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  }
}

QWidget* TMainForm::BuildLeftPanel() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);

  Img = Named(new QLabel(panel), "Img");
  Img->setAlignment(Qt::AlignCenter);
  Img->setFixedSize(kThumbBox, kThumbBox * JPegUtils::kThumbHeight / JPegUtils::kThumbWidth + 8);
  auto* thumbRow = new QHBoxLayout;
  thumbRow->addStretch(1);
  thumbRow->addWidget(Img);
  thumbRow->addStretch(1);
  column->addLayout(thumbRow);

  FirstFileButton = NavButton(panel, "FirstFileButton", QStyle::SP_MediaSkipBackward);
  PrevFile = NavButton(panel, "PrevFile", QStyle::SP_MediaSeekBackward);
  NextFile = NavButton(panel, "NextFile", QStyle::SP_MediaSeekForward);
  LastFileButton = NavButton(panel, "LastFileButton", QStyle::SP_MediaSkipForward);
  auto* navigation = new QHBoxLayout;
  navigation->addStretch(1);
  for (QToolButton* button : {FirstFileButton, PrevFile, NextFile, LastFileButton})
    navigation->addWidget(button);
  navigation->addStretch(1);
  column->addLayout(navigation);

  SortByExposure = Named(new QCheckBox(panel), "SortByExposure");
  SortByExposure->setChecked(true);
  ShowUnknown = Named(new QCheckBox(panel), "ShowUnknown");
  column->addWidget(SortByExposure);
  column->addWidget(ShowUnknown);

  CameraLabel = Named(new QLabel(panel), "CameraLabel");
  CameraTypeCombo = Named(new QComboBox(panel), "CameraTypeCombo");
  for (int i = 0; i < CameraTypes::kItemCount; ++i) CameraTypeCombo->addItem(QString());
  auto* cameraRow = new QHBoxLayout;
  cameraRow->addWidget(CameraLabel);
  cameraRow->addWidget(CameraTypeCombo, 1);
  column->addLayout(cameraRow);

  ShowImgButton = Named(new QPushButton(panel), "ShowImgButton");
  ShowImgButton->setCheckable(true);
  column->addWidget(ShowImgButton);

  NoteGroup = Named(new QGroupBox(panel), "NoteGroup");
  Note = Named(new QPlainTextEdit(NoteGroup), "Note");
  Note->setReadOnly(true);
  auto* noteLayout = new QVBoxLayout(NoteGroup);
  noteLayout->addWidget(Note);
  column->addWidget(NoteGroup, 1);

  column->addWidget(BuildGpsGroup());
  return panel;
}

TGpsGroup* TMainForm::BuildGpsGroup() {
  GPSGroup = new TGpsGroup(this);
  Button1 = Named(new QPushButton("GPS", GPSGroup), "Button1");
  GpsSaveButton = Named(new QPushButton(">> DB", GPSGroup), "GpsSaveButton");
  lbLocation = Named(new QLabel(GPSGroup), "lbLocation");
  lbLocation->setWordWrap(true);
  GPSGroup->AddButton(Button1);
  GPSGroup->AddButton(GpsSaveButton);
  GPSGroup->AddRow(lbLocation);
  return GPSGroup;
}

void TMainForm::ApplyLanguage() {
  ApplyMenuTexts();
  ShowUnknown->setText(Text(kTextShowUnknown));
  SortByExposure->setText(Text(kTextSortByExposure));
  CameraLabel->setText(Text(kTextCamera));
  for (int i = 0; i < CameraTypes::kItemCount; ++i)
    CameraTypeCombo->setItemText(i, QString::fromStdString(CameraTypes::ItemCaption(i)));
  OpenDialog->setWindowTitle(Text(kTextOpenDialogTitle));
  SG->setHorizontalHeaderLabels({Text(kTextTag), Text(kTextValue)});
  ESG->setHorizontalHeaderLabels({Text(kTextMakerTag), Text(kTextValue)});
  NoteGroup->setTitle(Text(kTextNote));
  ShowImgButton->setText(Text(kTextShowImage));
  GPSGroup->ApplyTexts();
}
