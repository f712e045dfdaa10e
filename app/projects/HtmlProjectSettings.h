// TForm2: the project settings window, at once the editor and the in-memory
// copy of the current web-gallery project. One lives for the whole run (the
// global window Form2); exactly one project is current at a time, its values
// in these controls and in the rename dialog's (Form4's) pattern, first
// number and step. Generation, upload and slide shows read the project from
// here (Values) and the re-encoder's qualities go back (TakeQualities).
//
// The projects file itself is gallery/projects/HtmlProjectSettings.h; this window
// stores, loads and finds the current project through it and reports
// failures by its results only: the caller tells the user.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "gallery/projects/HtmlProject.h"
#include "gallery/projects/HtmlProjectCheck.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableWidget;
class TPBFolderDialog;

class TForm2 : public QDialog {
 public:
  // FormCreate: the quality steps 10 and 6, no current project, the texts.
  explicit TForm2(QWidget* owner = nullptr);

  // No current project: ProjectIndex -1, ProjectName, HtmlDir and Shortcut
  // emptied; nothing else changes.
  void ClearFields();
  void ApplyTexts();
  // Edits the current project modally (ForceNote enabled). True on OK; on
  // cancel every value is put back as it was (the browse folder included)
  // and the result is false.
  bool Execute();
  // True when the values can be accepted (HtmlProjectCheck::Check against
  // the stored projects); the problem is shown above the buttons.
  bool Validate();

  // --- The current project and the projects file -----------------------------
  // Stores the current values as the project of photoFolder: as a new record
  // when ProjectIndex is -1, after the window was confirmed (Execute; a
  // cancel stores nothing and sets *cancelled), else over record
  // ProjectIndex. The unsaved mark is cleared. False when not stored; *full
  // is set when the projects file holds as many projects as it can.
  [[nodiscard]] bool SaveProject(const std::string& photoFolder, bool* cancelled = nullptr,
                                 bool* full = nullptr);
  // Makes record index current when its photo folder exists; photoFolder is
  // then the record's. False (window unchanged) otherwise.
  bool LoadProject(int index, std::string& photoFolder);
  // Makes the first project of folder current (HtmlProjectSettings::
  // FindProjectByDir); false, window unchanged, when there is none.
  bool FindProjectByDir(const std::string& folder);
  // Copies record into the window and Form4 (the quality steps stay the
  // window's), makes index the ProjectIndex and clears the unsaved mark.
  void RecordToForm(const THtmlProject& record, std::string& photoFolder, int index);
  // A new, unstored project for folder: ClearFields, HtmlDir folder + "/html",
  // Shortcut the folder's last name part without extension, lower-cased.
  void NewProjectFor(const std::string& folder);

  // Every value of the project: this window's, Form4's, the quality steps
  // and the photo folder.
  THtmlProject Values() const;
  // The qualities and steps the re-encoder left in project go back into the
  // window; they reach the file with the next save.
  void TakeQualities(const THtmlProject& project);
  // The whole state, for the commands that load every project in turn, and
  // its restoration, unsaved edits included.
  TProjectState Snapshot() const;
  void Restore(const TProjectState& state);

  int ProjectIndex() const { return projectIndex_; }
  void SetProjectIndex(int index) { projectIndex_ = index; }
  // The photo folder the current values belong to; empty before one.
  const std::string& PhotoFolder() const { return photoFolder_; }
  // Set by FieldChange, cleared by a save, a load and RecordToForm.
  bool Unsaved() const { return unsaved_; }
  // The problem Validate found last.
  HtmlProjectCheck::TProblem Problem() const { return problem_; }

  // --- Handlers -----------------------------------------------------------------
  // Every setting the user changes; marks the project unsaved and calls
  // OnFieldChange (the main window enables its "save project" item).
  void FieldChange();
  // ProjectName, HtmlDir, Shortcut: OK follows Validate, then FieldChange.
  void WatchedFieldChange();
  // Creates HtmlDir when only the folder above it exists, then closes with
  // OK; a folder that cannot be made is told.
  void OKButtonClick();
  // The "..." button: the folder browser's choice becomes HtmlDir.
  void Button1Click();

  std::function<void()> OnFieldChange;

  // --- Controls -------------------------------------------------------------------
  QLabel* Label1;
  QLineEdit* ProjectName;
  QLabel* Label13;
  QLineEdit* HtmlDir;
  QPushButton* Button1;
  QLabel* Label8;
  QComboBox* CharCode;
  QLabel* Label14;
  QComboBox* WebLanguage;
  QLabel* Label15;
  QLineEdit* Shortcut;
  QCheckBox* ForceNote;
  QCheckBox* DetailExifForWeb;
  QGroupBox* ImageSettings;
  QLabel* Label2;
  QSlider* ImageCompression;
  QLabel* Label6;  // the photo compression's value
  QCheckBox* KeepMaxImgSize;
  QLineEdit* ImgMaxSize;
  QLabel* Label3;  // "KB"
  QLabel* Label9;
  QLineEdit* ImgTolerance;
  QLabel* Label4;  // "KB"
  QGroupBox* GroupBox1;
  QLabel* Label5;
  QSlider* TbCompression;
  QLabel* Label10;  // the thumbnail compression's value
  QCheckBox* KeepTbMaxSize;
  QLineEdit* TbMaxSize;
  QLabel* Label7;
  QLabel* Label11;
  QLineEdit* TbTolerance;
  QLabel* Label12;
  QLabel* ProblemLabel;
  QPushButton* OKButton;
  QPushButton* CancelButton;
  TPBFolderDialog* OpenDir;

  int PhotoQualityStep = 10;
  int ThumbQualityStep = 6;

 private:
  void BuildLayout();
  void Connect();
  // The window's own values; SetFormValues leaves the quality steps, Form4
  // and the photo folder alone.
  void SetFormValues(const THtmlProject& values);
  void SetCompression(QSlider* slider, int position);
  void ShowCompression();
  // The problem's text; a folder that collides is named with the output
  // folder.
  QString ProblemMessage() const;

  int projectIndex_ = -1;
  std::string photoFolder_;
  bool unsaved_ = false;
  HtmlProjectCheck::TProblem problem_ = HtmlProjectCheck::TProblem::kNone;
  // The other project whose output folder collides (kOutputOfOther).
  std::string clashName_;
  std::string clashFolder_;
};

namespace HtmlProjectSettings {

// Two columns with the headers texts 264 and 534, no rows.
void InitProjectGrid(QTableWidget& grid);
// InitProjectGrid, then one row per stored project: its name and its photo
// folder. False when the projects file cannot be read (the grid is empty).
bool FillProjectGrid(QTableWidget& grid);

}  // namespace HtmlProjectSettings
