#include "app/batch/HromadneAkce.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <tuple>

#include "app/batch/ImageList.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "platform/TextLines.h"
#include "texts/Language.h"

namespace {

using FormTools::Q;
using HromadneAkce::TActionCode;

constexpr int kTextCaption = 51;
constexpr int kTextRefresh = 591;
constexpr int kTextDate = 594;
constexpr int kTextTime = 595;
constexpr int kTextDirectDate = 600;
constexpr int kTextSplit = 604;
constexpr int kTextMoreOptions = 321;

// Controls whose caption is a text of the table.
struct TNumbered {
  const char* name;
  int text;
};

const TNumbered kNumbered[] = {
    {"Label1", 564},         {"Subdirs", 565},        {"Button4", 567},
    {"Button2", 22},         {"GroupBox1", 566},      {"sortbyexif", 598},
    {"Button13", 54},        {"Button14", 601},       {"Button8", 585},
    {"Button15", 602},       {"Button16", 603},       {"cbSetExifDate", 568},
    {"cbSetFileDate", 569},  {"cbInvalid", 584},      {"Button5", 570},
    {"GroupBox3", 593},      {"movedate", 594},       {"movetime", 595},
    {"lbDays", 596},         {"lbMins", 597},         {"Button12", 570},
    {"lbLocationName", 582}, {"rbJustUnsetGPS", 575}, {"rbUpdateAllGPS", 576},
    {"Button6", 570},        {"cbStayOpen", 583},     {"GroupBox2", 586},
    {"lbInvDates", 588},     {"lbWithoutGPS", 589},   {"lbWithGPS", 590},
    {"Button9", 587},        {"Button10", 587},       {"Button11", 587},
    {"Label5", 315},         {"Label7", 316},         {"Label2", 317},
    {"Label9", 318},         {"Label8", 287},         {"Button17", 319},
    {"Button19", 320},       {"Button18", 322},
};

const std::vector<FormTools::TCaption> kFixed = {
    {"Button1", ">>"},
    {"Label10", "_0001..9999"},
    {"rb_date", "yyyymmdd_hhmmss"},
    {"rb_date2", "yyyymmdd_0001..9999"},
    {"Button7", "GPS"},
};

std::string Framed(const std::string& text) { return " " + text + " "; }

bool ShowInImageList(const std::vector<std::string>& files, int mode) {
  TImgList* list = GlobalWindows::Get().ImgList;
  return list != nullptr && list->ShowList(files, mode);
}

}  // namespace

TfrmHA::TfrmHA(QWidget* owner) : QDialog(owner), ShowPhotoList(ShowInImageList) {
  setObjectName("frmHA");
  Build();
  Connect();
  ApplyTexts();
  rb_dateClick();
  movedateClick();
  UpdateGpsButtons();
  appform::AutoChangeAppFont(this);
}

void TfrmHA::ApplyTexts() {
  setWindowTitle(Q(Language::GetText(kTextCaption)));
  std::vector<std::string> texts;
  texts.reserve(std::size(kNumbered));
  std::vector<FormTools::TCaption> captions;
  for (const TNumbered& numbered : kNumbered) {
    texts.push_back(Language::GetText(numbered.text));
    captions.push_back({numbered.name, texts.back().c_str()});
  }
  FormTools::ApplyCaptions(*this, captions);
  FormTools::ApplyCaptions(*this, kFixed);
  GroupBox5->setTitle(Q(Framed(Language::GetText(kTextDate) + "/" + Language::GetText(kTextTime))));
  GroupBox6->setTitle(Q(Framed(Language::GetText(kTextSplit))));
  GroupBox4->setTitle(Q(Framed(Language::GetText(kTextDirectDate))));
  GroupBox7->setTitle(Q(Framed(Language::GetText(kTextMoreOptions))));
  BitBtn1->setToolTip(Q(Language::GetText(kTextRefresh)));
  GPSGroup->ApplyTexts();
  UpdateRenameCaption();
}

void TfrmHA::showEvent(QShowEvent* event) {
  // A window restored from the task bar is shown again by the system; the
  // user's choices since it opened stay.
  if (!event->spontaneous()) {
    ApplyTexts();
    LoadSettings();
    rb_dateClick();
  }
  QDialog::showEvent(event);
}

void TfrmHA::done(int result) {
  if (busy_) {
    // Closed during a run: it stops at the next file, then the window closes.
    stopRequested_ = true;
    return;
  }
  SaveSettings();
  QDialog::done(result);
}

void TfrmHA::Connect() {
  const auto click = [this](QAbstractButton* button, void (TfrmHA::*handler)()) {
    connect(button, &QAbstractButton::clicked, this, SlotGuard::Handler(this, handler));
  };
  const auto run = [this](QPushButton* button, TActionCode code) {
    connect(button, &QPushButton::clicked, this,
            [this, code] { SlotGuard::Run([this, code] { RunAction(code); }); });
  };
  click(Button1, &TfrmHA::Button1Click);
  click(BitBtn1, &TfrmHA::ShowStatistics);
  click(Subdirs, &TfrmHA::SubdirsClick);
  click(sortbyexif, &TfrmHA::sortbyexifClick);
  for (QRadioButton* radio : {rb_index, rb_date, rb_date2})
    connect(radio, &QRadioButton::toggled, this, [this] { rb_dateClick(); });
  connect(lbstep, &QComboBox::activated, this, SlotGuard::Handler(this, &TfrmHA::lbstepChange));
  click(Button3, &TfrmHA::Button3Click);
  click(movedate, &TfrmHA::movedateClick);
  click(movetime, &TfrmHA::movedateClick);
  click(Button12, &TfrmHA::Button12Click);
  click(Button6, &TfrmHA::Button6Click);
  click(Button7, &TfrmHA::Button7Click);
  click(Button17, &TfrmHA::Button17Click);
  click(Button18, &TfrmHA::Button18Click);
  click(Button19, &TfrmHA::Button19Click);
  run(Button2, HromadneAkce::kFileDateFromPhoto);
  run(Button4, HromadneAkce::kExifDatesFromFile);
  run(Button5, HromadneAkce::kDirectDate);
  run(Button8, HromadneAkce::kSplitByMonth);
  run(Button13, HromadneAkce::kFileDateFromName);
  run(Button14, HromadneAkce::kRenameByFileDate);
  run(Button15, HromadneAkce::kSplitByYear);
  run(Button16, HromadneAkce::kSplitByExif);
  using TList = std::vector<std::string> HromadneAkce::TStatistics::*;
  const std::tuple<QPushButton*, TList, int> lists[] = {
      {Button9, &HromadneAkce::TStatistics::invalidDates, TImgList::kInvalidDates},
      {Button10, &HromadneAkce::TStatistics::withoutGps, TImgList::kWithoutGps},
      {Button11, &HromadneAkce::TStatistics::withGps, TImgList::kWithGps}};
  for (const auto& [button, list, mode] : lists) {
    connect(button, &QPushButton::clicked, this, [this, l = list, m = mode] {
      SlotGuard::Run([this, l, m] {
        if (ShowPhotoList(statistics_.*l, m)) Recount();
      });
    });
  }
  lbMinDate->installEventFilter(this);
  lbMaxDate->installEventFilter(this);
  GPSGroup->OnEdit = [this](TGpsPart part) { GpsEdited(part); };
  GPSGroup->OnButtons = [this] { UpdateGpsButtons(); };
}

void TfrmHA::OpenWithFiles(const std::string& text) {
  RootDir->setText(Q(Folder->Folder));
  for (QWidget* w : std::initializer_list<QWidget*>{RootDir, Button1, Subdirs, GroupBox1, Label2,
                                                    rb_index, rb_date, rb_date2, Button3})
    w->setEnabled(true);
  cbStayOpen->hide();
  std::vector<std::string> lines;
  std::string joined;
  for (const std::string& line : platform::SplitLines(text)) {
    if (StrFunc::Trim(line).empty()) continue;
    lines.push_back(line);
    joined += (joined.empty() ? "" : " & ") + line;
  }
  files_ = HromadneAkce::FilesTarget(lines);
  if (!lines.empty()) RootDir->setText(Q("Files: " + joined));
  QCoreApplication::processEvents();
  for (QWidget* w : std::initializer_list<QWidget*>{RootDir, Button1, Subdirs})
    w->setEnabled(false);
  const bool rename = !files_.folders.empty() && files_.files.empty();
  for (QWidget* w :
       std::initializer_list<QWidget*>{GroupBox1, Label2, rb_index, rb_date, rb_date2, Button3})
    w->setEnabled(rename);
  cbStayOpen->show();
}
