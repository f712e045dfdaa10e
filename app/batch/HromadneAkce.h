// TfrmHA: the batch actions window over a folder tree (folder mode) or over
// the files and folders handed over on the command line (files mode). It is
// the application's main window in GPS-set mode.
//
// The window gathers its controls into the engine's options and target
// (HromadneAkceWalk.h), runs one action at a time with its commands disabled,
// shows the progress, counts the photos again (their names, dates and
// positions may have changed), and tells the result: "Hotovo", a missing
// folder, a refused option or position, and every file the action could not
// handle.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceProgress.h"
#include "photos/batch/HromadneAkceResult.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TGpsGroup;
class TPBFolderDialog;
enum class TGpsPart;

class TfrmHA : public QDialog {
 public:
  explicit TfrmHA(QWidget* owner = nullptr);

  // Files mode over the paths of text, one per line: each existing folder is
  // walked, every other line is a file argument.
  void OpenWithFiles(const std::string& text);
  // Sets the captions from the text table and the fixed Czech texts.
  void ApplyTexts();

  // Runs one action over the folder tree or the arguments, counts again, and
  // tells the result. Nothing while an action runs.
  void RunAction(HromadneAkce::TActionCode code);
  // The statistics pass: counts, the earliest and latest date, cbInvalid.
  // Silent when there is no folder or no argument.
  void ShowStatistics();

  void LoadSettings();
  void SaveSettings();

  bool Running() const { return busy_; }

  // Shows photos in the photo list window (mode as TImgList::TMode); the
  // global window's by default. True when the list wrote into a photo: the
  // statistics are counted again.
  std::function<bool(const std::vector<std::string>& files, int mode)> ShowPhotoList;

  // Not while an action runs: the run is asked to stop between files, and
  // the window closes when it has.
  void done(int result) override;

  // --- Controls -----------------------------------------------------------------
  QLabel* Label1;
  QLineEdit* RootDir;
  QPushButton* Button1;
  TPBFolderDialog* Folder;
  QPushButton* BitBtn1;
  QCheckBox* Subdirs;
  QLabel* Label5;
  QLabel* Label7;

  QGroupBox* GroupBox5;
  QPushButton* Button4;
  QPushButton* Button2;

  QGroupBox* GroupBox1;
  QCheckBox* sortbyexif;
  QLabel* Label2;
  QRadioButton* rb_index;
  QLineEdit* imgprefix;
  QLabel* Label10;
  QRadioButton* rb_date;
  QRadioButton* rb_date2;
  QLabel* Label9;
  QLineEdit* cislovatod;
  QLabel* Label8;
  QComboBox* lbstep;
  QPushButton* Button3;
  QPushButton* Button13;
  QPushButton* Button14;
  QPushButton* Button17;

  QGroupBox* GroupBox6;
  QPushButton* Button8;
  QPushButton* Button15;
  QPushButton* Button16;
  QPushButton* Button19;

  QGroupBox* GroupBox4;
  QCalendarWidget* cal;
  QCheckBox* cbSetExifDate;
  QCheckBox* cbSetFileDate;
  QCheckBox* cbInvalid;
  QLabel* lbMinDate;
  QLabel* lbMaxDate;
  QPushButton* Button5;

  QGroupBox* GroupBox7;
  QPushButton* Button18;

  QGroupBox* GroupBox3;
  QCheckBox* movedate;
  QLineEdit* days;
  QLabel* lbDays;
  QCheckBox* movetime;
  QLineEdit* mins;
  QLabel* lbMins;
  QPushButton* Button12;

  TGpsGroup* GPSGroup;
  QPushButton* Button7;
  QLabel* lbLocationName;
  QLineEdit* locname;
  QRadioButton* rbJustUnsetGPS;
  QRadioButton* rbUpdateAllGPS;
  QPushButton* Button6;

  QCheckBox* cbStayOpen;

  QGroupBox* GroupBox2;
  QLabel* lbInvDates;
  QLineEdit* countInvDates;
  QPushButton* Button9;
  QLabel* lbWithoutGPS;
  QLineEdit* countWithoutGPS;
  QPushButton* Button10;
  QLabel* lbWithGPS;
  QLineEdit* countWithGPS;
  QPushButton* Button11;

  QLabel* PBDir;
  QProgressBar* PB;

 protected:
  void showEvent(QShowEvent* event) override;
  // A double click on lbMinDate, a click on lbMaxDate sets cal to that day.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class THAProgress;

  void Build();
  QLayout* BuildFolderRows();
  QGroupBox* BuildDates();
  QGroupBox* BuildRename();
  QGroupBox* BuildSplit();
  QGroupBox* BuildDirectDate();
  QGroupBox* BuildShift();
  QGroupBox* BuildMore();
  TGpsGroup* BuildGps();
  QGroupBox* BuildStatistics();
  void Connect();

  // --- Handlers -----------------------------------------------------------------
  void Button1Click();
  void SubdirsClick();
  void rb_dateClick();
  void sortbyexifClick();
  void UpdateRenameCaption();
  void lbstepChange();
  void Button3Click();
  void movedateClick();
  void Button12Click();
  void Button6Click();
  void Button7Click();
  void GpsEdited(TGpsPart part);
  void UpdateGpsButtons();
  void ShowMinMaxDate(bool max);
  void Button17Click();
  void Button18Click();
  void Button19Click();

  // --- Running ------------------------------------------------------------------
  HromadneAkce::TOptions Options() const;
  HromadneAkce::TTarget Target() const;
  // The folder the other batch windows start at: the root folder, or in
  // files mode the first folder argument.
  std::string StartFolder() const;
  // Runs work with the commands disabled and the progress shown.
  HromadneAkce::TRunResult RunBusy(
      const std::function<HromadneAkce::TRunResult(HromadneAkce::TProgress&)>& work);
  // After an action code that ran: the statistics counted again, unless the
  // window closes now. Then tells result: a refusal, "Hotovo" and the files
  // not handled (after the statistics only those); in files mode the window
  // then closes after an action unless cbStayOpen is checked, and "Hotovo"
  // first says what the action wrote (HromadneAkce::DoneWord).
  void Finish(HromadneAkce::TActionCode code, const HromadneAkce::TRunResult& result);
  // True when the window closes once a run of this kind has ended.
  bool ClosesAfter(bool statistics) const;
  // The statistics pass after a change, its counts and lists shown; what it
  // could not read the change has told already.
  void Recount();
  void ShowStatisticsResult();
  void ClearStatistics();

  // The arguments once OpenWithFiles has set files mode.
  HromadneAkce::TTarget files_;
  HromadneAkce::TStatistics statistics_;
  bool busy_ = false;
  bool stopRequested_ = false;  // the window was closed during the run
};
