#include "app/batch/edit_imgresort.h"
#include "app/widgets/SlotGuard.h"

#include <memory>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/PBFolderDialog.h"
#include "app/dialogs/waitwindow.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "foundation/config/appcfg.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;
namespace work = edit_imgresort;

constexpr char kKey[] = "gui.imgresort.";
constexpr char kDefaultLength[] = "4";

std::string Key(const std::string& name) { return kKey + name; }

const std::vector<FormTools::TCaption> kFixed = {
    {"Button5", ">>"}, {"Button6", ">>"}, {"Button2", ">>"},
    {"Button3", ">>"}, {"Button4", ">>"},
};

constexpr int kTextCaption = 352;
constexpr int kTextError = 516;
constexpr int kTextInformation = 510;
constexpr int kTextReading = 59;
const std::vector<FormTools::TTextCaption> kCaptions = {
    {"TabSheet1", 353},
    {"Label4", 354},
    {"Label5", 355},
    {"CheckBox1", 356},
    {"Button7", 357},
    {"TabSheet2", 358},
    {"Label1", 359},
    {"Label3", 360},
    {"Label2", 361},
    {"RadioButton3", 362},
    {"RadioButton4", 363},
    {"GroupBox1", 364, true},
    {"RadioButton1", 365},
    {"RadioButton2", 366},
    {"GroupBox2", 367, true},
    {"GroupBox3", 368, true},
    {"podleft_zleva", 369},
    {"podleft_zprava", 370},
    {"podleft_fix", 371},
    {"podleft_char", 372},
    {"Label6", 373},
    {"podright_Zleva", 369},
    {"podright_zprava", 370},
    {"podright_fix", 371},
    {"podright_char", 372},
    {"Label7", 373},
    {"Button1", 357},
};

}  // namespace

TImgResort::TImgResort(QWidget* owner)
    : QDialog(owner),
      PageControl1(Named(new QTabWidget(this), "PageControl1")),
      TabSheet1(Named(new QWidget(PageControl1), "TabSheet1")),
      Label4(Named(new QLabel(TabSheet1), "Label4")),
      Edit4(Named(new QLineEdit(TabSheet1), "Edit4")),
      Button5(Named(new QPushButton(TabSheet1), "Button5")),
      Label5(Named(new QLabel(TabSheet1), "Label5")),
      Edit5(Named(new QLineEdit(TabSheet1), "Edit5")),
      Button6(Named(new QPushButton(TabSheet1), "Button6")),
      CheckBox1(Named(new QCheckBox(TabSheet1), "CheckBox1")),
      Button7(Named(new QPushButton(TabSheet1), "Button7")),
      TabSheet2(Named(new QWidget(PageControl1), "TabSheet2")),
      Label1(Named(new QLabel(TabSheet2), "Label1")),
      Edit1(Named(new QLineEdit(TabSheet2), "Edit1")),
      Button2(Named(new QPushButton(TabSheet2), "Button2")),
      Label3(Named(new QLabel(TabSheet2), "Label3")),
      Edit3(Named(new QLineEdit(TabSheet2), "Edit3")),
      Button3(Named(new QPushButton(TabSheet2), "Button3")),
      Label2(Named(new QLabel(TabSheet2), "Label2")),
      Edit2(Named(new QLineEdit(TabSheet2), "Edit2")),
      Button4(Named(new QPushButton(TabSheet2), "Button4")),
      RadioButton3(Named(new QRadioButton(TabSheet2), "RadioButton3")),
      RadioButton4(Named(new QRadioButton(TabSheet2), "RadioButton4")),
      GroupBox1(Named(new QGroupBox(TabSheet2), "GroupBox1")),
      RadioButton1(Named(new QRadioButton(GroupBox1), "RadioButton1")),
      RadioButton2(Named(new QRadioButton(GroupBox1), "RadioButton2")),
      GroupBox2(Named(new QGroupBox(TabSheet2), "GroupBox2")),
      podleft_zleva(Named(new QRadioButton(GroupBox2), "podleft_zleva")),
      podleft_zprava(Named(new QRadioButton(GroupBox2), "podleft_zprava")),
      podleft_fix(Named(new QRadioButton(GroupBox2), "podleft_fix")),
      podleft_fixlen(Named(new QLineEdit(kDefaultLength, GroupBox2), "podleft_fixlen")),
      podleft_char(Named(new QRadioButton(GroupBox2), "podleft_char")),
      Label6(Named(new QLabel(GroupBox2), "Label6")),
      GroupBox3(Named(new QGroupBox(TabSheet2), "GroupBox3")),
      podright_Zleva(Named(new QRadioButton(GroupBox3), "podright_Zleva")),
      podright_zprava(Named(new QRadioButton(GroupBox3), "podright_zprava")),
      podright_fix(Named(new QRadioButton(GroupBox3), "podright_fix")),
      podright_fixlen(Named(new QLineEdit(kDefaultLength, GroupBox3), "podright_fixlen")),
      podright_char(Named(new QRadioButton(GroupBox3), "podright_char")),
      Label7(Named(new QLabel(GroupBox3), "Label7")),
      Button1(Named(new QPushButton(TabSheet2), "Button1")),
      PB(Named(new QProgressBar(this), "PB")),
      PBFolderDialog1(new TPBFolderDialog(this)) {
  setObjectName("ImgResort");
  PBFolderDialog1->setObjectName("PBFolderDialog1");
  PBFolderDialog1->NewFolderVisible = true;
  PBFolderDialog1->NewFolderEnabled = true;
  PageControl1->addTab(BuildUpdatePage(), QString());
  PageControl1->addTab(BuildCopyPage(), QString());
  RadioButton4->setChecked(true);
  RadioButton2->setChecked(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addWidget(PB);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  PB->hide();

  const std::pair<QPushButton*, std::pair<int, QLineEdit*>> browse[] = {
      {Button5, {4, Edit4}}, {Button6, {5, Edit5}}, {Button2, {1, Edit1}},
      {Button3, {3, Edit3}}, {Button4, {2, Edit2}}};
  for (const auto& [button, target] : browse) {
    connect(button, &QPushButton::clicked, this,
            [this, t = target] { SlotGuard::Run([this, t] { Browse(t.first, t.second); }); });
  }
  connect(Button7, &QPushButton::clicked, this, SlotGuard::Handler(this, &TImgResort::Button7Click));
  connect(Button1, &QPushButton::clicked, this, SlotGuard::Handler(this, &TImgResort::Button1Click));
  ApplyTexts();
  LoadSettings();
  appform::AutoChangeAppFont(this);
}

namespace {

// A folder edit with its label above and its browse button beside it.
void AddFolderRow(QGridLayout& grid, int row, QLabel* label, QLineEdit* edit, QPushButton* button) {
  grid.addWidget(label, row, 0, 1, 2);
  grid.addWidget(edit, row + 1, 0);
  grid.addWidget(button, row + 1, 1);
  edit->setMinimumWidth(420);
  FormTools::MakeBrowseButton(*button);
}

}  // namespace

QWidget* TImgResort::BuildUpdatePage() {
  auto* grid = new QGridLayout(TabSheet1);
  AddFolderRow(*grid, 0, Label4, Edit4, Button5);
  AddFolderRow(*grid, 2, Label5, Edit5, Button6);
  grid->addWidget(CheckBox1, 4, 0, 1, 2);
  grid->setRowStretch(5, 1);
  grid->addWidget(Button7, 6, 0, 1, 2, Qt::AlignRight);
  return TabSheet1;
}

QGroupBox* TImgResort::BuildSide(QGroupBox* group, QRadioButton* left, QRadioButton* right,
                                 QRadioButton* fix, QLineEdit* length, QRadioButton* separator,
                                 QLabel* note) {
  // Direction and length are two choices within one box.
  auto* direction = new QButtonGroup(group);
  direction->addButton(left);
  direction->addButton(right);
  auto* kind = new QButtonGroup(group);
  kind->addButton(fix);
  kind->addButton(separator);
  right->setChecked(true);
  separator->setChecked(true);
  length->setMaximumWidth(48);
  note->setIndent(22);
  auto* grid = new QGridLayout(group);
  grid->addWidget(left, 0, 0);
  grid->addWidget(right, 0, 1, 1, 2);
  grid->addWidget(fix, 1, 0);
  grid->addWidget(length, 1, 1);
  grid->addWidget(separator, 2, 0, 1, 3);
  grid->addWidget(note, 3, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  return group;
}

QWidget* TImgResort::BuildCopyPage() {
  auto* grid = new QGridLayout(TabSheet2);
  AddFolderRow(*grid, 0, Label1, Edit1, Button2);
  AddFolderRow(*grid, 2, Label3, Edit3, Button3);
  AddFolderRow(*grid, 4, Label2, Edit2, Button4);
  auto* mode = new QHBoxLayout;
  mode->addWidget(RadioButton3);
  mode->addWidget(RadioButton4);
  mode->addStretch(1);
  grid->addLayout(mode, 6, 0, 1, 2);
  auto* names = new QVBoxLayout(GroupBox1);
  names->addWidget(RadioButton1);
  names->addWidget(RadioButton2);
  grid->addWidget(GroupBox1, 7, 0, 1, 2);
  auto* sides = new QHBoxLayout;
  sides->addWidget(BuildSide(GroupBox2, podleft_zleva, podleft_zprava, podleft_fix,
                             podleft_fixlen, podleft_char, Label6));
  sides->addWidget(BuildSide(GroupBox3, podright_Zleva, podright_zprava, podright_fix,
                             podright_fixlen, podright_char, Label7));
  grid->addLayout(sides, 8, 0, 1, 2);
  grid->addWidget(Button1, 9, 0, 1, 2, Qt::AlignRight);
  return TabSheet2;
}

void TImgResort::Execute(QWidget* owner) {
  TImgResort form(owner);
  form.exec();
}

void TImgResort::ApplyTexts() {
  setWindowTitle(FormTools::Text(kTextCaption));
  FormTools::ApplyCaptions(*this, kFixed);
  FormTools::ApplyCaptions(*this, kCaptions);
}

void TImgResort::reject() {
  if (!busy_) QDialog::reject();
}

std::vector<TImgResort::TChoice> TImgResort::Choices() const {
  return {{"rb1", RadioButton1, RadioButton2},        {"rb3", RadioButton3, RadioButton4},
          {"pdleft", podleft_zleva, podleft_zprava},  {"prleft", podright_Zleva, podright_zprava},
          {"pdlfix", podleft_fix, podleft_char},      {"pdrfix", podright_fix, podright_char},
          {"rnxxx", CheckBox1, nullptr}};
}

std::vector<TImgResort::TText> TImgResort::Texts() const {
  return {{"pdlfixlen", podleft_fixlen}, {"pdrfixlen", podright_fixlen}, {"edit1", Edit1},
          {"edit2", Edit2},              {"edit3", Edit3},               {"edit4", Edit4},
          {"edit5", Edit5}};
}

void TImgResort::LoadSettings() {
  for (const TChoice& c : Choices()) {
    const bool on = appcfg::ReadBool(Key(c.key), "");
    c.on->setChecked(on);
    if (!on && c.off != nullptr) c.off->setChecked(true);
  }
  for (const TText& t : Texts()) {
    const std::string text = appcfg::ReadString(Key(t.key), "");
    // A length never stored keeps the designed one rather than none.
    const bool length = t.edit == podleft_fixlen || t.edit == podright_fixlen;
    if (!(length && text.empty())) t.edit->setText(Q(text));
  }
  PageControl1->setCurrentIndex(appcfg::ReadInteger(Key("tab"), "") == 2 ? 1 : 0);
}

void TImgResort::SaveSettings() {
  for (const TChoice& c : Choices()) appcfg::WriteBool(Key(c.key), c.on->isChecked(), "");
  for (const TText& t : Texts()) appcfg::WriteString(Key(t.key), S(t.edit->text()), "");
}

void TImgResort::Browse(int n, QLineEdit* edit) {
  const std::string stored = Key("edit" + std::to_string(n));
  std::string start = appcfg::ReadString(stored, "");
  if (start.empty()) start = S(edit->text());
  if (start.empty()) start = appcfg::ReadString(Key("defdir"), "");
  PBFolderDialog1->Folder = start;
  if (!PBFolderDialog1->Execute()) return;
  appcfg::WriteString(stored, PBFolderDialog1->Folder, "");
  appcfg::WriteString(Key("defdir"), PBFolderDialog1->Folder, "");
  edit->setText(Q(PBFolderDialog1->Folder));
}

work::TPatternOptions TImgResort::PatternOptions() const {
  work::TPatternOptions o;
  o.move = RadioButton3->isChecked();
  o.equalNames = RadioButton1->isChecked();
  o.patternSide = {podleft_zleva->isChecked(),
                   work::LengthOf(podleft_char->isChecked(), S(podleft_fixlen->text()))};
  o.sourceSide = {podright_Zleva->isChecked(),
                  work::LengthOf(podright_char->isChecked(), S(podright_fixlen->text()))};
  return o;
}

void TImgResort::Button7Click() {
  appcfg::WriteInteger(Key("tab"), 1, "");
  SaveSettings();
  const std::string source = StrFunc::Trim(S(Edit5->text()));
  const std::string tree = StrFunc::Trim(S(Edit4->text()));
  const bool renameOthers = CheckBox1->isChecked();
  RunWithProgress([&](const work::TProgress& progress) {
    return work::UpdateTree(source, tree, renameOthers, progress);
  });
}

void TImgResort::Button1Click() {
  appcfg::WriteInteger(Key("tab"), 2, "");
  SaveSettings();
  const std::string source = StrFunc::Trim(S(Edit3->text()));
  const std::string pattern = StrFunc::Trim(S(Edit1->text()));
  const std::string target = StrFunc::Trim(S(Edit2->text()));
  const work::TPatternOptions options = PatternOptions();
  RunWithProgress([&](const work::TProgress& progress) {
    return work::CopyIntoPatternTree(source, pattern, target, options, progress);
  });
}

void TImgResort::RunWithProgress(
    const std::function<work::TResult(const work::TProgress&)>& run) {
  work::TResult result;
  {
    FormTools::TBusy busy(busy_, {PageControl1});
    auto wait = std::make_unique<TfrmWait>(Language::GetText(kTextReading), 0, 0);
    QCoreApplication::processEvents();
    result = run([&](int done, int total) {
      wait.reset();
      PB->setRange(0, total);
      PB->setValue(done);
      PB->show();
      QCoreApplication::processEvents();
    });
    wait.reset();
    PB->hide();
    PB->reset();
  }
  if (!result.refusal.empty()) {
    FormTools::Warn(result.refusal, Language::GetText(kTextError));
    return;
  }
  FormTools::Warn(work::Summary(result), Language::GetText(kTextInformation));
}
