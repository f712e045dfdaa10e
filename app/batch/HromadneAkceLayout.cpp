// The batch actions window's controls and their layout: the folder rows on
// top, then three columns (dates, renaming and splitting; the direct date,
// the shift and more; the GPS position and the statistics), the progress at
// the bottom.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/batch/HromadneAkce.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"

namespace {

using FormTools::Named;

constexpr const char* kSteps[] = {"1", "2", "3", "4", "5", "10", "20", "25", "50", "100"};

QPushButton* Button(QWidget* parent, const char* name) {
  auto* button = Named(new QPushButton(parent), name);
  // Enter in an edit must not start an action.
  button->setAutoDefault(false);
  return button;
}

QLineEdit* NumberEdit(QWidget* parent, const char* name, const char* text, int characters) {
  auto* edit = Named(new QLineEdit(text, parent), name);
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance('0') * (characters + 2) + 12);
  return edit;
}

QLineEdit* CountEdit(QWidget* parent, const char* name) {
  QLineEdit* edit = NumberEdit(parent, name, "", 7);
  edit->setReadOnly(true);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

// A control that shows only now and then keeps its room, so the window does
// not jump.
template <typename W>
W* KeepsRoom(W* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
  widget->hide();
  return widget;
}

QVBoxLayout* Column(std::initializer_list<QWidget*> widgets) {
  auto* column = new QVBoxLayout;
  for (QWidget* widget : widgets) column->addWidget(widget);
  column->addStretch(1);
  return column;
}

}  // namespace

void TfrmHA::Build() {
  auto* columns = new QHBoxLayout;
  columns->addLayout(Column({BuildDates(), BuildRename(), BuildSplit()}));
  columns->addLayout(Column({BuildDirectDate(), BuildShift(), BuildMore()}));
  cbStayOpen = Named(new QCheckBox(this), "cbStayOpen");
  cbStayOpen->hide();
  columns->addLayout(Column({BuildGps(), BuildStatistics(), cbStayOpen}));

  PBDir = KeepsRoom(Named(new QLabel(this), "PBDir"));
  PBDir->setTextFormat(Qt::PlainText);
  PB = KeepsRoom(Named(new QProgressBar(this), "PB"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildFolderRows());
  layout->addLayout(columns, 1);
  layout->addWidget(PBDir);
  layout->addWidget(PB);
}

QLayout* TfrmHA::BuildFolderRows() {
  Label1 = Named(new QLabel(this), "Label1");
  RootDir = Named(new QLineEdit(this), "RootDir");
  RootDir->setReadOnly(true);
  Button1 = Button(this, "Button1");
  FormTools::MakeBrowseButton(*Button1);
  Folder = new TPBFolderDialog(this);
  Folder->setObjectName("Folder");
  BitBtn1 = Button(this, "BitBtn1");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  Subdirs = Named(new QCheckBox(this), "Subdirs");
  Label5 = Named(new QLabel(this), "Label5");
  QFont bold = Label5->font();
  bold.setBold(true);
  Label5->setFont(bold);
  Label7 = Named(new QLabel(this), "Label7");

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(Label1);
  folderRow->addWidget(RootDir, 1);
  folderRow->addWidget(Button1);
  folderRow->addWidget(BitBtn1);
  auto* noteRow = new QHBoxLayout;
  noteRow->addWidget(Subdirs);
  noteRow->addSpacing(24);
  noteRow->addWidget(Label5);
  noteRow->addSpacing(24);
  noteRow->addWidget(Label7);
  noteRow->addStretch(1);
  auto* rows = new QVBoxLayout;
  rows->addLayout(folderRow);
  rows->addLayout(noteRow);
  return rows;
}

QGroupBox* TfrmHA::BuildDates() {
  GroupBox5 = Named(new QGroupBox(this), "GroupBox5");
  Button4 = Button(GroupBox5, "Button4");
  Button2 = Button(GroupBox5, "Button2");
  auto* layout = new QVBoxLayout(GroupBox5);
  layout->addWidget(Button4);
  layout->addWidget(Button2);
  return GroupBox5;
}

QGroupBox* TfrmHA::BuildRename() {
  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  QWidget* g = GroupBox1;
  sortbyexif = Named(new QCheckBox(g), "sortbyexif");
  sortbyexif->setChecked(true);
  Label2 = Named(new QLabel(g), "Label2");
  rb_index = Named(new QRadioButton(g), "rb_index");
  imgprefix = NumberEdit(g, "imgprefix", "img", 10);
  Label10 = Named(new QLabel(g), "Label10");
  rb_date = Named(new QRadioButton(g), "rb_date");
  rb_date->setChecked(true);
  rb_date2 = Named(new QRadioButton(g), "rb_date2");
  Label9 = Named(new QLabel(g), "Label9");
  cislovatod = NumberEdit(g, "cislovatod", "1", 6);
  Label8 = Named(new QLabel(g), "Label8");
  lbstep = Named(new QComboBox(g), "lbstep");
  for (const char* step : kSteps) lbstep->addItem(step);
  Button3 = Button(g, "Button3");
  Button13 = Button(g, "Button13");
  Button14 = Button(g, "Button14");
  Button17 = Button(g, "Button17");

  auto* index = new QHBoxLayout;
  index->addWidget(rb_index);
  index->addWidget(imgprefix);
  index->addWidget(Label10);
  index->addStretch(1);
  auto* numbers = new QHBoxLayout;
  numbers->addWidget(Label9);
  numbers->addWidget(cislovatod);
  numbers->addSpacing(12);
  numbers->addWidget(Label8);
  numbers->addWidget(lbstep);
  numbers->addStretch(1);
  auto* layout = new QVBoxLayout(g);
  layout->addWidget(sortbyexif);
  layout->addWidget(Label2);
  layout->addLayout(index);
  layout->addWidget(rb_date);
  layout->addWidget(rb_date2);
  layout->addLayout(numbers);
  for (QWidget* w : std::initializer_list<QWidget*>{Button3, Button13, Button14, Button17})
    layout->addWidget(w);
  return GroupBox1;
}

QGroupBox* TfrmHA::BuildSplit() {
  GroupBox6 = Named(new QGroupBox(this), "GroupBox6");
  Button8 = Button(GroupBox6, "Button8");
  Button15 = Button(GroupBox6, "Button15");
  Button16 = Button(GroupBox6, "Button16");
  Button19 = Button(GroupBox6, "Button19");
  auto* splits = new QHBoxLayout;
  splits->addWidget(Button8);
  splits->addWidget(Button15);
  splits->addWidget(Button16);
  auto* layout = new QVBoxLayout(GroupBox6);
  layout->addLayout(splits);
  layout->addWidget(Button19);
  return GroupBox6;
}

QGroupBox* TfrmHA::BuildDirectDate() {
  GroupBox4 = Named(new QGroupBox(this), "GroupBox4");
  QWidget* g = GroupBox4;
  cal = Named(new QCalendarWidget(g), "cal");
  cal->setGridVisible(true);
  cbSetExifDate = Named(new QCheckBox(g), "cbSetExifDate");
  cbSetExifDate->setChecked(true);
  cbSetFileDate = Named(new QCheckBox(g), "cbSetFileDate");
  cbSetFileDate->setChecked(true);
  cbInvalid = KeepsRoom(Named(new QCheckBox(g), "cbInvalid"));
  cbInvalid->setStyleSheet("color: red");
  lbMinDate = KeepsRoom(Named(new QLabel(g), "lbMinDate"));
  lbMaxDate = KeepsRoom(Named(new QLabel(g), "lbMaxDate"));
  Button5 = Button(g, "Button5");

  auto* range = new QHBoxLayout;
  range->addWidget(lbMinDate);
  range->addStretch(1);
  range->addWidget(lbMaxDate);
  auto* layout = new QVBoxLayout(g);
  layout->addWidget(cal);
  layout->addLayout(range);
  for (QWidget* w :
       std::initializer_list<QWidget*>{cbSetExifDate, cbSetFileDate, cbInvalid, Button5})
    layout->addWidget(w);
  return GroupBox4;
}

QGroupBox* TfrmHA::BuildShift() {
  GroupBox3 = Named(new QGroupBox(this), "GroupBox3");
  QWidget* g = GroupBox3;
  movedate = Named(new QCheckBox(g), "movedate");
  days = NumberEdit(g, "days", "0", 6);
  lbDays = Named(new QLabel(g), "lbDays");
  movetime = Named(new QCheckBox(g), "movetime");
  mins = NumberEdit(g, "mins", "0", 6);
  lbMins = Named(new QLabel(g), "lbMins");
  Button12 = Button(g, "Button12");
  auto* layout = new QGridLayout(g);
  layout->addWidget(movedate, 0, 0);
  layout->addWidget(days, 0, 1);
  layout->addWidget(lbDays, 0, 2);
  layout->addWidget(movetime, 1, 0);
  layout->addWidget(mins, 1, 1);
  layout->addWidget(lbMins, 1, 2);
  layout->addWidget(Button12, 2, 0, 1, 4);
  layout->setColumnStretch(3, 1);
  return GroupBox3;
}

QGroupBox* TfrmHA::BuildMore() {
  GroupBox7 = Named(new QGroupBox(this), "GroupBox7");
  Button18 = Button(GroupBox7, "Button18");
  auto* layout = new QVBoxLayout(GroupBox7);
  layout->addWidget(Button18);
  return GroupBox7;
}

TGpsGroup* TfrmHA::BuildGps() {
  GPSGroup = new TGpsGroup(this);
  Button7 = Button(GPSGroup, "Button7");
  GPSGroup->MapButton->setAutoDefault(false);
  lbLocationName = Named(new QLabel(GPSGroup), "lbLocationName");
  locname = Named(new QLineEdit(GPSGroup), "locname");
  rbJustUnsetGPS = Named(new QRadioButton(GPSGroup), "rbJustUnsetGPS");
  rbJustUnsetGPS->setChecked(true);
  rbUpdateAllGPS = Named(new QRadioButton(GPSGroup), "rbUpdateAllGPS");
  Button6 = Button(GPSGroup, "Button6");
  GPSGroup->AddButton(Button7);
  for (QWidget* w : std::initializer_list<QWidget*>{lbLocationName, locname, rbJustUnsetGPS,
                                                    rbUpdateAllGPS, Button6})
    GPSGroup->AddRow(w);
  return GPSGroup;
}

QGroupBox* TfrmHA::BuildStatistics() {
  GroupBox2 = Named(new QGroupBox(this), "GroupBox2");
  QWidget* g = GroupBox2;
  lbInvDates = Named(new QLabel(g), "lbInvDates");
  countInvDates = CountEdit(g, "countInvDates");
  Button9 = Button(g, "Button9");
  lbWithoutGPS = Named(new QLabel(g), "lbWithoutGPS");
  countWithoutGPS = CountEdit(g, "countWithoutGPS");
  Button10 = Button(g, "Button10");
  lbWithGPS = Named(new QLabel(g), "lbWithGPS");
  countWithGPS = CountEdit(g, "countWithGPS");
  Button11 = Button(g, "Button11");
  auto* layout = new QGridLayout(g);
  QWidget* const rows[][3] = {{lbInvDates, countInvDates, Button9},
                              {lbWithoutGPS, countWithoutGPS, Button10},
                              {lbWithGPS, countWithGPS, Button11}};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) layout->addWidget(rows[row][column], row, column);
  layout->setColumnStretch(0, 1);
  return GroupBox2;
}
