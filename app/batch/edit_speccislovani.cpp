#include "app/batch/edit_speccislovani.h"
#include "app/widgets/SlotGuard.h"

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/PBFolderDialog.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "foundation/config/appcfg.h"
#include "foundation/ovmsg.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;
namespace work = edit_speccislovani;

constexpr std::array<int, 10> kSteps = {1, 2, 3, 4, 5, 10, 20, 25, 50, 100};
// Where the chosen root is remembered; nothing reads it back.
constexpr char kRootSetting[] = "gui.fileoper.edit1";
// Pending events run every this many renames.
constexpr int kEventsEvery = 10;

const std::vector<FormTools::TCaption> kFixed = {
    {"Button1", ">>"},
    {"Label10", "_0001..9999"},
};

constexpr int kTextCaption = 323;
const std::vector<FormTools::TTextCaption> kCaptions = {
    {"Label2", 324},
    {"subdirs", 325},
    {"GroupBox1", 326, true},
    {"Label1", 327},
    {"Label3", 328},
    {"rb_name", 329},
    {"rb_time", 330},
    {"GroupBox2", 331, true},
    {"Label9", 318},
    {"Label8", 287},
    {"Button2", 332},
    {"GroupBox3", 333, true},
    {"rb_byfolder", 334},
    {"rb_continue", 335},
    {"Label4", 336},
    {"Label5", 337},
    {"GroupBox4", 338, true},
    {"Label7", 339},
    {"Label11", 340},
    {"Label12", 341},
    {"Label13", 342},
    {"Label14", 343},
    {"Label15", 344},
    {"Label16", 345},
    {"Button3", 346},
    {"Button5", 347},
    {"Button6", 348},
    {"GroupBox5", 349, true},
    {"Label17", 350},
    {"Button4", 351},
};

QLineEdit* NumberEdit(const char* name, const char* text, QWidget* parent) {
  auto* edit = Named(new QLineEdit(text, parent), name);
  edit->setMaximumWidth(80);
  return edit;
}

// A note under a radio button, indented to its text.
QLabel* Note(const char* name, QWidget* parent) {
  auto* label = Named(new QLabel(parent), name);
  label->setIndent(22);
  return label;
}

}  // namespace

Tfrm_specnum::Tfrm_specnum(QWidget* owner)
    : QDialog(owner),
      Label2(Named(new QLabel(this), "Label2")),
      root(Named(new QLineEdit(this), "root")),
      Button1(Named(new QPushButton(this), "Button1")),
      subdirs(Named(new QCheckBox(this), "subdirs")),
      GroupBox1(Named(new QGroupBox(this), "GroupBox1")),
      Label1(Named(new QLabel(GroupBox1), "Label1")),
      prefix(Named(new QLineEdit("img", GroupBox1), "prefix")),
      Label10(Named(new QLabel(GroupBox1), "Label10")),
      Label3(Named(new QLabel(GroupBox1), "Label3")),
      rb_name(Named(new QRadioButton(GroupBox1), "rb_name")),
      rb_time(Named(new QRadioButton(GroupBox1), "rb_time")),
      GroupBox2(Named(new QGroupBox(this), "GroupBox2")),
      Label9(Named(new QLabel(GroupBox2), "Label9")),
      cislovatod(NumberEdit("cislovatod", "1", GroupBox2)),
      Label8(Named(new QLabel(GroupBox2), "Label8")),
      lbstep(Named(new QComboBox(GroupBox2), "lbstep")),
      GroupBox3(Named(new QGroupBox(GroupBox2), "GroupBox3")),
      rb_byfolder(Named(new QRadioButton(GroupBox3), "rb_byfolder")),
      rb_continue(Named(new QRadioButton(GroupBox3), "rb_continue")),
      Label4(Note("Label4", GroupBox3)),
      Label5(Note("Label5", GroupBox3)),
      Button2(Named(new QPushButton(GroupBox2), "Button2")),
      GroupBox4(Named(new QGroupBox(this), "GroupBox4")),
      Label7(Named(new QLabel(GroupBox4), "Label7")),
      zmenaod(NumberEdit("zmenaod", "1", GroupBox4)),
      Label11(Named(new QLabel(GroupBox4), "Label11")),
      zmenakrok(NumberEdit("zmenakrok", "0", GroupBox4)),
      Label12(Named(new QLabel(GroupBox4), "Label12")),
      Label13(Named(new QLabel(GroupBox4), "Label13")),
      Label14(Named(new QLabel(GroupBox4), "Label14")),
      Label15(Named(new QLabel(GroupBox4), "Label15")),
      Label16(Named(new QLabel(GroupBox4), "Label16")),
      Button3(Named(new QPushButton(GroupBox4), "Button3")),
      Button5(Named(new QPushButton(GroupBox4), "Button5")),
      Button6(Named(new QPushButton(GroupBox4), "Button6")),
      GroupBox5(Named(new QGroupBox(this), "GroupBox5")),
      Label17(Named(new QLabel(GroupBox5), "Label17")),
      Button4(Named(new QPushButton(GroupBox5), "Button4")),
      PB(Named(new QProgressBar(this), "PB")),
      PBFolderDialog1(new TPBFolderDialog(this)) {
  setObjectName("frm_specnum");
  PBFolderDialog1->setObjectName("PBFolderDialog1");
  PBFolderDialog1->NewFolderVisible = true;
  PBFolderDialog1->NewFolderEnabled = true;
  for (int step : kSteps) lbstep->addItem(QString::number(step));
  rb_name->setChecked(true);
  rb_byfolder->setChecked(true);
  prefix->setMaximumWidth(120);
  root->setMinimumWidth(360);
  FormTools::MakeBrowseButton(*Button1);
  PB->hide();
  Build();

  connect(subdirs, &QCheckBox::toggled, this, [this] { subdirsClick(); });
  connect(Button1, &QPushButton::clicked, this, SlotGuard::Handler(this, &Tfrm_specnum::Button1Click));
  const std::pair<QPushButton*, work::TMode> runs[] = {
      {Button2, work::TMode::Renumber},    {Button3, work::TMode::Shift},
      {Button4, work::TMode::ChangePrefix}, {Button5, work::TMode::MoreDigits},
      {Button6, work::TMode::FewerDigits}};
  for (const auto& [button, mode] : runs) {
    connect(button, &QPushButton::clicked, this,
            [this, m = mode] { SlotGuard::Run([this, m] { RunMode(m); }); });
  }
  ApplyTexts();
  subdirsClick();
  appform::AutoChangeAppFont(this);
}

void Tfrm_specnum::Build() {
  auto* rootRow = new QHBoxLayout;
  rootRow->addWidget(Label2);
  rootRow->addWidget(root, 1);
  rootRow->addWidget(Button1);

  auto* settings = new QHBoxLayout(GroupBox1);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, prefix, Label10})
    settings->addWidget(w);
  settings->addSpacing(24);
  for (QWidget* w : std::initializer_list<QWidget*>{Label3, rb_name, rb_time})
    settings->addWidget(w);
  settings->addStretch(1);

  auto* folders = new QVBoxLayout(GroupBox3);
  for (QWidget* w : std::initializer_list<QWidget*>{rb_byfolder, rb_continue, Label4, Label5})
    folders->addWidget(w);
  auto* renumber = new QGridLayout(GroupBox2);
  renumber->addWidget(Label9, 0, 0);
  renumber->addWidget(cislovatod, 0, 1);
  renumber->addWidget(Label8, 1, 0);
  renumber->addWidget(lbstep, 1, 1, Qt::AlignLeft);
  renumber->addWidget(GroupBox3, 2, 0, 1, 3);
  renumber->setRowStretch(3, 1);
  renumber->addWidget(Button2, 4, 0, 1, 3);
  renumber->setColumnStretch(2, 1);

  auto* changes = new QGridLayout(GroupBox4);
  changes->addWidget(Label7, 0, 0);
  changes->addWidget(zmenaod, 0, 1);
  changes->addWidget(Label11, 1, 0);
  changes->addWidget(zmenakrok, 1, 1);
  changes->addWidget(Label12, 1, 2);
  changes->addWidget(Label13, 2, 2);
  changes->addWidget(Label14, 3, 0, 1, 3);
  changes->addWidget(Label15, 4, 0, 1, 3);
  changes->addWidget(Label16, 5, 0, 1, 3);
  changes->addWidget(Button3, 6, 0, 1, 3);
  auto* digits = new QHBoxLayout;
  digits->addWidget(Button5);
  digits->addWidget(Button6);
  changes->addLayout(digits, 7, 0, 1, 3);
  changes->setColumnStretch(2, 1);

  auto* newPrefix = new QHBoxLayout(GroupBox5);
  newPrefix->addWidget(Label17, 1);
  newPrefix->addWidget(Button4);

  auto* groups = new QHBoxLayout;
  groups->addWidget(GroupBox2);
  groups->addWidget(GroupBox4);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rootRow);
  layout->addWidget(subdirs);
  layout->addWidget(GroupBox1);
  layout->addLayout(groups);
  layout->addWidget(GroupBox5);
  layout->addWidget(PB);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Tfrm_specnum::Execute(QWidget* owner, const std::string& folder, bool withSubdirs) {
  Tfrm_specnum form(owner);
  form.root->setText(Q(folder));
  form.subdirs->setChecked(withSubdirs);
  form.subdirsClick();
  form.exec();
}

void Tfrm_specnum::ApplyTexts() {
  setWindowTitle(FormTools::Text(kTextCaption));
  FormTools::ApplyCaptions(*this, kFixed);
  FormTools::ApplyCaptions(*this, kCaptions);
}

void Tfrm_specnum::reject() {
  if (!busy_) QDialog::reject();
}

void Tfrm_specnum::subdirsClick() {
  const bool on = subdirs->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{rb_byfolder, rb_continue, Label4, Label5})
    w->setEnabled(on);
}

void Tfrm_specnum::Button1Click() {
  PBFolderDialog1->Folder = S(root->text());
  if (!PBFolderDialog1->Execute()) return;
  root->setText(Q(PBFolderDialog1->Folder));
  appcfg::WriteString(kRootSetting, PBFolderDialog1->Folder, "");
}

work::TOptions Tfrm_specnum::Options(work::TMode mode) const {
  work::TOptions o;
  o.root = S(root->text());
  o.subdirs = subdirs->isChecked();
  o.continuous = rb_continue->isChecked();
  o.byTime = rb_time->isChecked();
  o.prefix = S(prefix->text());
  o.mode = mode;
  o.step = kSteps.at(static_cast<size_t>(std::max(0, lbstep->currentIndex())));
  return o;
}

void Tfrm_specnum::RunMode(work::TMode mode) {
  work::TOptions options = Options(mode);
  const work::TMessage check =
      work::ReadNumbers(S(cislovatod->text()), S(zmenaod->text()), S(zmenakrok->text()), options);
  if (!check.text.empty()) {
    FormTools::Warn(check.text, check.caption);
    return;
  }
  if (ovMessageBox(work::Question(options), Language::GetText(work::kCaptionQuestion),
                   ovmsg::kYesNo, ovmsg::kIconWarning) != ovmsg::kResultYes)
    return;
  prefix->setText(prefix->text().trimmed());
  const work::TResult result = RunWithProgress(options);
  if (!result.refusal.text.empty()) {
    FormTools::Warn(result.refusal.text, result.refusal.caption);
    return;
  }
  const std::string summary = work::Summary(result);
  if (summary.empty()) return;
  const bool trouble = !result.failed.empty() || !result.unreadable.empty();
  ovMessageBox(summary, Language::GetText(work::kCaptionInformation), ovmsg::kOk,
               trouble ? ovmsg::kIconWarning : 0);
}

work::TResult Tfrm_specnum::RunWithProgress(const work::TOptions& options) {
  FormTools::TBusy busy(busy_, {Button1, subdirs, GroupBox1, GroupBox2, GroupBox4, GroupBox5, root});
  PB->setRange(0, 0);
  PB->setValue(0);
  PB->show();
  QCoreApplication::processEvents();
  const work::TResult result = work::Run(options, [this](int position, int maximum) {
    PB->setRange(0, maximum);
    PB->setValue(position);
    if (position % kEventsEvery == 0 || position == maximum) QCoreApplication::processEvents();
  });
  PB->hide();
  PB->reset();
  return result;
}
