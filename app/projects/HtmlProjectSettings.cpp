#include "app/projects/HtmlProjectSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogs/PBFolderDialog.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/ovmsg.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;
using FormTools::Text;

constexpr int kTextCaption = 263;
constexpr int kTextError = 516;
constexpr int kTextCannotMakeFolder = 517;
constexpr int kTextProjectName = 264;
constexpr int kTextPhotoFolder = 534;
constexpr int kTextOutputFolder = 266;
constexpr int kTextOtherOutput = 737;
constexpr int kMaxProjectName = 255;
constexpr int kMaxShortcut = 16;

QLineEdit* NumberEdit(QWidget* parent, const char* name, const char* mask, const char* text) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setInputMask(mask);
  edit->setText(text);
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("000000") + 16);
  return edit;
}

QSlider* CompressionBar(QWidget* parent, const char* name) {
  auto* bar = Named(new QSlider(Qt::Horizontal, parent), name);
  bar->setRange(0, 100);
  bar->setValue(75);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(10);
  bar->setPageStep(10);
  bar->setMinimumWidth(160);
  return bar;
}

QComboBox* ItemsBox(QWidget* parent, const char* name, std::initializer_list<const char*> items,
                    int shown) {
  auto* box = Named(new QComboBox(parent), name);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  box->setCurrentIndex(shown);
  return box;
}

// One group of image settings: compression, the keep box with the size and
// the tolerance, each with its unit.
void LayOutImageGroup(QGroupBox* group, QLabel* compressionLabel, QSlider* compression,
                      QLabel* value, QCheckBox* keep, QLineEdit* size, QLabel* sizeUnit,
                      QLabel* toleranceLabel, QLineEdit* tolerance, QLabel* toleranceUnit) {
  auto* grid = new QGridLayout(group);
  grid->addWidget(compressionLabel, 0, 0);
  grid->addWidget(compression, 0, 1);
  grid->addWidget(value, 0, 2);
  grid->addWidget(keep, 1, 0);
  grid->addWidget(size, 1, 1, Qt::AlignLeft);
  grid->addWidget(sizeUnit, 1, 2);
  grid->addWidget(toleranceLabel, 2, 0);
  grid->addWidget(tolerance, 2, 1, Qt::AlignLeft);
  grid->addWidget(toleranceUnit, 2, 2);
  grid->setColumnStretch(1, 1);
}

TForm4* RenameForm() { return GlobalWindows::Get().Form4; }

}  // namespace

TForm2::TForm2(QWidget* owner)
    : QDialog(owner),
      Label1(Named(new QLabel(this), "Label1")),
      ProjectName(Named(new QLineEdit(this), "ProjectName")),
      Label13(Named(new QLabel(this), "Label13")),
      HtmlDir(Named(new QLineEdit(this), "HtmlDir")),
      Button1(Named(new QPushButton("...", this), "Button1")),
      Label8(Named(new QLabel(this), "Label8")),
      CharCode(ItemsBox(this, "CharCode", {THtmlProject::kCharCodes[0], THtmlProject::kCharCodes[1],
                                            THtmlProject::kCharCodes[2]}, 2)),
      Label14(Named(new QLabel(this), "Label14")),
      WebLanguage(ItemsBox(this, "WebLanguage",
                           {THtmlProject::kWebLanguages[0], THtmlProject::kWebLanguages[1]}, 1)),
      Label15(Named(new QLabel(this), "Label15")),
      Shortcut(Named(new QLineEdit(this), "Shortcut")),
      ForceNote(Named(new QCheckBox(this), "ForceNote")),
      DetailExifForWeb(Named(new QCheckBox(this), "DetailExifForWeb")),
      ImageSettings(Named(new QGroupBox(this), "ImageSettings")),
      Label2(Named(new QLabel(ImageSettings), "Label2")),
      ImageCompression(CompressionBar(ImageSettings, "ImageCompression")),
      Label6(Named(new QLabel(ImageSettings), "Label6")),
      KeepMaxImgSize(Named(new QCheckBox(ImageSettings), "KeepMaxImgSize")),
      ImgMaxSize(NumberEdit(ImageSettings, "ImgMaxSize", "0000; ", "40")),
      Label3(Named(new QLabel("KB", ImageSettings), "Label3")),
      Label9(Named(new QLabel(ImageSettings), "Label9")),
      ImgTolerance(NumberEdit(ImageSettings, "ImgTolerance", "000; ", "2")),
      Label4(Named(new QLabel("KB", ImageSettings), "Label4")),
      GroupBox1(Named(new QGroupBox(this), "GroupBox1")),
      Label5(Named(new QLabel(GroupBox1), "Label5")),
      TbCompression(CompressionBar(GroupBox1, "TbCompression")),
      Label10(Named(new QLabel(GroupBox1), "Label10")),
      KeepTbMaxSize(Named(new QCheckBox(GroupBox1), "KeepTbMaxSize")),
      TbMaxSize(NumberEdit(GroupBox1, "TbMaxSize", "00000; ", "2560")),
      Label7(Named(new QLabel(GroupBox1), "Label7")),
      Label11(Named(new QLabel(GroupBox1), "Label11")),
      TbTolerance(NumberEdit(GroupBox1, "TbTolerance", "0000; ", "512")),
      Label12(Named(new QLabel(GroupBox1), "Label12")),
      ProblemLabel(Named(new QLabel(this), "ProblemLabel")),
      OKButton(Named(new QPushButton("OK", this), "OKButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")),
      OpenDir(new TPBFolderDialog(this)) {
  setObjectName("Form2");
  OpenDir->setObjectName("OpenDir");
  OpenDir->NewFolderVisible = true;
  OpenDir->NewFolderEnabled = true;
  ProjectName->setMaxLength(kMaxProjectName);
  Shortcut->setMaxLength(kMaxShortcut);
  KeepMaxImgSize->setChecked(true);
  KeepTbMaxSize->setChecked(true);
  DetailExifForWeb->setChecked(true);
  BuildLayout();
  Connect();
  PhotoQualityStep = 10;
  ThumbQualityStep = 6;
  ClearFields();
  ShowCompression();
  ApplyTexts();
  appform::AutoChangeAppFont(this);
}

void TForm2::BuildLayout() {
  FormTools::MakeBrowseButton(*Button1);
  HtmlDir->setMinimumWidth(360);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(HtmlDir, 1);
  folderRow->addWidget(Button1);
  auto* fields = new QFormLayout;
  fields->addRow(Label1, ProjectName);
  fields->addRow(Label13, folderRow);
  fields->addRow(Label8, CharCode);
  fields->addRow(Label14, WebLanguage);
  fields->addRow(Label15, Shortcut);
  fields->addRow(ForceNote);
  fields->addRow(DetailExifForWeb);

  LayOutImageGroup(ImageSettings, Label2, ImageCompression, Label6, KeepMaxImgSize, ImgMaxSize,
                   Label3, Label9, ImgTolerance, Label4);
  LayOutImageGroup(GroupBox1, Label5, TbCompression, Label10, KeepTbMaxSize, TbMaxSize, Label7,
                   Label11, TbTolerance, Label12);
  auto* groups = new QHBoxLayout;
  groups->addWidget(ImageSettings);
  groups->addWidget(GroupBox1);

  ProblemLabel->setWordWrap(true);
  ProblemLabel->setStyleSheet("color: #a00000;");
  OKButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ProblemLabel, 1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm2::Connect() {
  using SlotGuard::Handler;
  for (QLineEdit* edit : {ProjectName, HtmlDir, Shortcut})
    connect(edit, &QLineEdit::textEdited, this, Handler(this, &TForm2::WatchedFieldChange));
  for (QLineEdit* edit : {ImgMaxSize, ImgTolerance, TbMaxSize, TbTolerance})
    connect(edit, &QLineEdit::textEdited, this, Handler(this, &TForm2::FieldChange));
  for (QComboBox* box : {CharCode, WebLanguage})
    connect(box, &QComboBox::activated, this, Handler(this, &TForm2::FieldChange));
  for (QCheckBox* box : {KeepMaxImgSize, KeepTbMaxSize, ForceNote, DetailExifForWeb})
    connect(box, &QCheckBox::clicked, this, Handler(this, &TForm2::FieldChange));
  // Positions set by the program are set with the signals blocked.
  for (QSlider* bar : {ImageCompression, TbCompression}) {
    connect(bar, &QSlider::valueChanged, this, [this] {
      ShowCompression();
      SlotGuard::Run([this] { FieldChange(); });
    });
  }
  connect(OKButton, &QPushButton::clicked, this, Handler(this, &TForm2::OKButtonClick));
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button1, &QPushButton::clicked, this, Handler(this, &TForm2::Button1Click));
}

void TForm2::ClearFields() {
  projectIndex_ = -1;
  HtmlDir->clear();
  ProjectName->clear();
  Shortcut->clear();
}

void TForm2::ApplyTexts() {
  setWindowTitle(Text(kTextCaption));
  Label1->setText(Text(264));
  Label8->setText(Text(265));
  Label13->setText(Text(266));
  Label14->setText(Text(267));
  Label15->setText(Text(268));
  Shortcut->setToolTip(Text(269));
  ForceNote->setText(Text(270));
  ForceNote->setToolTip(Text(271));
  DetailExifForWeb->setText(Text(272));
  ImageSettings->setTitle(Text(273));
  GroupBox1->setTitle(Text(274));
  Label2->setText(Text(275));
  Label5->setText(Text(275));
  KeepMaxImgSize->setText(Text(276));
  KeepTbMaxSize->setText(Text(276));
  Label9->setText(Text(277));
  Label11->setText(Text(277));
  Label7->setText(Text(278));
  Label12->setText(Text(278));
  CancelButton->setText(Text(279));
  if (problem_ != HtmlProjectCheck::TProblem::kNone) ProblemLabel->setText(ProblemMessage());
}

QString TForm2::ProblemMessage() const {
  using HtmlProjectCheck::TProblem;
  std::string message = Language::GetText(HtmlProjectCheck::ProblemText(problem_));
  const std::string line = "\n" + Language::GetText(kTextOutputFolder) + ": " + S(HtmlDir->text());
  if (problem_ == TProblem::kOutputIsPhotos)
    message += line + "\n" + Language::GetText(kTextPhotoFolder) + ": " + photoFolder_;
  if (problem_ == TProblem::kOutputOfOther)
    message += line + "\n" + Language::GetText(kTextOtherOutput) + " (" + clashName_ + "): " + clashFolder_;
  return Q(message);
}

bool TForm2::Execute() {
  ForceNote->setEnabled(true);
  const THtmlProject kept = Values();
  const bool keptUnsaved = unsaved_;
  Validate();
  OKButton->setEnabled(problem_ == HtmlProjectCheck::TProblem::kNone);
  if (exec() == QDialog::Accepted) return true;
  SetFormValues(kept);
  unsaved_ = keptUnsaved;
  return false;
}

bool TForm2::Validate() {
  std::vector<THtmlProject> stored;
  HtmlProjectSettings::ReadProjects(stored);
  int other = -1;
  problem_ = HtmlProjectCheck::Check(Values(), projectIndex_, stored, &other);
  clashName_.clear();
  clashFolder_.clear();
  if (other >= 0 && static_cast<size_t>(other) < stored.size()) {
    clashName_ = stored[static_cast<size_t>(other)].ProjectName;
    clashFolder_ = stored[static_cast<size_t>(other)].HtmlDir;
  }
  ProblemLabel->setText(problem_ == HtmlProjectCheck::TProblem::kNone ? QString() : ProblemMessage());
  return problem_ == HtmlProjectCheck::TProblem::kNone;
}

bool TForm2::SaveProject(const std::string& photoFolder, bool* cancelled, bool* full) {
  if (cancelled != nullptr) *cancelled = false;
  if (full != nullptr) *full = false;
  if (projectIndex_ == -1 && !Execute()) {
    if (cancelled != nullptr) *cancelled = true;
    return false;
  }
  THtmlProject project = Values();
  project.PhotoFolder = photoFolder;
  int index = projectIndex_;
  if (!HtmlProjectSettings::WriteProject(project, index, full)) return false;
  projectIndex_ = index;
  photoFolder_ = photoFolder;
  unsaved_ = false;
  return true;
}

bool TForm2::LoadProject(int index, std::string& photoFolder) {
  THtmlProject record;
  if (!HtmlProjectSettings::ReadProject(index, record) ||
      !DosFunc::DirectoryExistsLong(record.PhotoFolder))
    return false;
  RecordToForm(record, photoFolder, index);
  return true;
}

bool TForm2::FindProjectByDir(const std::string& folder) {
  THtmlProject record;
  const int index = HtmlProjectSettings::FindProjectByDir(folder, record);
  if (index < 0) return false;
  std::string photoFolder;
  RecordToForm(record, photoFolder, index);
  return true;
}

void TForm2::RecordToForm(const THtmlProject& record, std::string& photoFolder, int index) {
  photoFolder = record.PhotoFolder;
  SetFormValues(record);
  projectIndex_ = index;
  if (TForm4* rename = RenameForm()) {
    rename->FName->setText(Q(record.FName));
    rename->FromID->setText(Q(record.FromID));
    rename->Step->setText(Q(record.Step));
  }
  photoFolder_ = record.PhotoFolder;
  unsaved_ = false;
}

void TForm2::NewProjectFor(const std::string& folder) {
  ClearFields();
  const std::string key = HtmlProjectSettings::FolderKey(folder);
  HtmlDir->setText(Q(StrFunc::IncludeBackslash(key) + "html"));
  Shortcut->setText(Q(StrFunc::LowerCaseCz(StrFunc::ExtractNameNoExt(key))));
  photoFolder_ = folder;
  unsaved_ = false;
}

THtmlProject TForm2::Values() const {
  THtmlProject p;
  p.PhotoFolder = photoFolder_;
  p.ProjectName = S(ProjectName->text());
  p.BrowseFolder = OpenDir->Folder;
  p.HtmlDir = S(HtmlDir->text());
  p.ImageCompression = ImageCompression->value();
  p.TbCompression = TbCompression->value();
  p.CharCode = CharCode->currentIndex();
  p.KeepMaxImgSize = KeepMaxImgSize->isChecked();
  p.KeepTbMaxSize = KeepTbMaxSize->isChecked();
  p.TbMaxSize = S(TbMaxSize->text());
  p.ImgMaxSize = S(ImgMaxSize->text());
  p.ImgTolerance = S(ImgTolerance->text());
  p.TbTolerance = S(TbTolerance->text());
  p.PhotoQualityStep = PhotoQualityStep;
  p.ThumbQualityStep = ThumbQualityStep;
  p.WebLanguage = WebLanguage->currentIndex();
  if (const TForm4* rename = RenameForm()) {
    p.FName = S(rename->FName->text());
    p.FromID = S(rename->FromID->text());
    p.Step = S(rename->Step->text());
  }
  p.ForceNote = ForceNote->isChecked();
  p.Shortcut = S(Shortcut->text());
  p.DetailExifForWeb = DetailExifForWeb->isChecked();
  return p;
}

void TForm2::SetFormValues(const THtmlProject& v) {
  ProjectName->setText(Q(v.ProjectName));
  SetCompression(ImageCompression, v.ImageCompression);
  KeepMaxImgSize->setChecked(v.KeepMaxImgSize);
  ImgMaxSize->setText(Q(v.ImgMaxSize));
  SetCompression(TbCompression, v.TbCompression);
  KeepTbMaxSize->setChecked(v.KeepTbMaxSize);
  TbMaxSize->setText(Q(v.TbMaxSize));
  CharCode->setCurrentIndex(v.CharCode >= 0 && v.CharCode < CharCode->count() ? v.CharCode : -1);
  ImgTolerance->setText(Q(v.ImgTolerance));
  TbTolerance->setText(Q(v.TbTolerance));
  HtmlDir->setText(Q(v.HtmlDir));
  OpenDir->Folder = v.BrowseFolder;
  WebLanguage->setCurrentIndex(
      v.WebLanguage >= 0 && v.WebLanguage < WebLanguage->count() ? v.WebLanguage : -1);
  ForceNote->setChecked(v.ForceNote);
  Shortcut->setText(Q(v.Shortcut));
  DetailExifForWeb->setChecked(v.DetailExifForWeb);
}

void TForm2::SetCompression(QSlider* slider, int position) {
  const QSignalBlocker quiet(slider);
  slider->setValue(position);
  ShowCompression();
}

void TForm2::ShowCompression() {
  Label6->setText(QString::number(ImageCompression->value()));
  Label10->setText(QString::number(TbCompression->value()));
}

void TForm2::TakeQualities(const THtmlProject& project) {
  SetCompression(ImageCompression, project.ImageCompression);
  SetCompression(TbCompression, project.TbCompression);
  PhotoQualityStep = project.PhotoQualityStep;
  ThumbQualityStep = project.ThumbQualityStep;
}

TProjectState TForm2::Snapshot() const { return {Values(), projectIndex_, unsaved_}; }

void TForm2::Restore(const TProjectState& state) {
  std::string photoFolder;
  RecordToForm(state.Values, photoFolder, state.ProjectIndex);
  PhotoQualityStep = state.Values.PhotoQualityStep;
  ThumbQualityStep = state.Values.ThumbQualityStep;
  unsaved_ = state.Unsaved;
}

void TForm2::FieldChange() {
  unsaved_ = true;
  if (OnFieldChange) OnFieldChange();
}

void TForm2::WatchedFieldChange() {
  OKButton->setEnabled(Validate());
  FieldChange();
}

void TForm2::OKButtonClick() {
  if (!Validate()) {
    OKButton->setEnabled(false);
    return;
  }
  const std::string folder = S(HtmlDir->text());
  if (!DosFunc::DirectoryExistsLong(folder) && !DosFunc::CreateDirLong(folder)) {
    ovMessageBox(Language::GetText(kTextCannotMakeFolder) + "\n\n" + folder,
                 Language::GetText(kTextError), ovmsg::kOk, ovmsg::kIconError);
    return;
  }
  accept();
}

void TForm2::Button1Click() {
  if (OpenDir->Folder.empty()) OpenDir->Folder = S(HtmlDir->text());
  if (!OpenDir->Execute()) return;
  HtmlDir->setText(Q(OpenDir->Folder));
  WatchedFieldChange();
}

namespace HtmlProjectSettings {

void InitProjectGrid(QTableWidget& grid) {
  grid.clear();
  grid.setColumnCount(2);
  grid.setRowCount(0);
  grid.setHorizontalHeaderLabels({Text(kTextProjectName), Text(kTextPhotoFolder)});
}

bool FillProjectGrid(QTableWidget& grid) {
  InitProjectGrid(grid);
  std::vector<THtmlProject> projects;
  const bool read = ReadProjects(projects);
  grid.setRowCount(static_cast<int>(projects.size()));
  for (int row = 0; row < grid.rowCount(); ++row) {
    const THtmlProject& project = projects[static_cast<size_t>(row)];
    grid.setItem(row, 0, new QTableWidgetItem(Q(project.ProjectName)));
    auto* folder = new QTableWidgetItem(Q(project.PhotoFolder));
    folder->setToolTip(folder->text());
    grid.setItem(row, 1, folder);
  }
  return read;
}

}  // namespace HtmlProjectSettings
