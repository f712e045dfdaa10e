// TMainForm: the main window. It shows the photos of one folder, or of a
// list given on the command line, one at a time: the photo's thumbnail, its
// general and maker EXIF tags in two grids, camera, comment and GPS
// position, and on request the whole photo. The list is filtered by the
// folder's ignore list and sorted by exposure time or by name. The user may
// edit the comment and the position and save them into the photo; a pending
// edit is offered for saving before another photo is shown and on closing.
//
// The work is done by plain code (PhotoList, PhotoFolder, TIgnoreList,
// TExifReader); the window gathers the user's choices, calls it and shows
// the result. Menu items whose windows do not exist yet stay disabled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include <QImage>
#include <QMainWindow>

#include "photos/IgnoreList.h"
#include "photos/PhotoList.h"
#include "gallery/projects/HtmlProject.h"
#include "photos/StatusStack.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTableWidget;
class QToolButton;
class TExifReader;
class TForm2;
class TGpsGroup;
struct TSlideShowSource;
enum class TPackageResult;
enum class TGpsPart;
namespace GalleryRun {
struct TReport;
}
namespace HromadneAkce {
struct TGpsPosition;
}
class TQtLanguageMenu;
namespace ProjectListPage {
struct TEntry;
}

class TMainForm : public QMainWindow {
 public:
  // The longest comment the user may type.
  static constexpr int kMaxNoteLength = 250;

  // Loads the settings and the chosen language, clears the display and
  // leaves the window hidden.
  TMainForm();
  ~TMainForm() override;

  // --- The photo list ---------------------------------------------------------
  // Shows the paths of text (one per line) as the list, and the first one;
  // their folder becomes the photo folder. Stepping never re-reads a folder
  // for such a list.
  void OpenFileList(const std::string& text);
  // Reads the photo folder into the list, without the photos of its ignore
  // list when useIgnoreList is set. A folder that cannot be read is told.
  void ReadDirectory(bool useIgnoreList);
  // Builds the list from paths (progress window meanwhile).
  void LoadFileList(const std::vector<std::string>& paths);
  void UpdateNavButtons(int index);
  // The status stack (TStatusStack); pending events run after each change.
  void SetStatusText(const std::string& text);
  // The last word of a finished work (how it ended, with its counts) in the
  // status line, in place of the text shown (TStatusStack::Say).
  void SetFinalStatus(const std::string& text);
  // Loads the photo folder's ignore list; a list that cannot be read is
  // told. The photo shown stays.
  void LoadIgnoreList();
  bool IsIgnored(const std::string& fileName) const;
  void LoadSettings();
  void SaveSettings();
  // The language callback: texts of this and the other global windows, and
  // the Send To launchers in the new language (the old language's removed).
  void LanguageChanged(uint32_t winID);
  void ApplyLanguage();

  // --- Showing a photo ----------------------------------------------------------
  // False when the photo shown stays, its edit kept (AskSaveChanges).
  bool ShowFile(const std::string& fileName, bool withThumbnail);
  void ShowExif(const TExifReader& reader);
  void ClearDisplay();
  void SetModified(bool flag);

  // --- Editing the comment and the position (MainEdit.cpp) ------------------------
  // Offers to save a pending edit of the photo shown (Yes saves; No and
  // Cancel drop it). When Yes could not save all of it, the user is told
  // what stayed unsaved and asked whether to drop it. True when the edit is
  // saved or dropped; false when the user keeps it, still pending, and the
  // photo is to stay shown.
  [[nodiscard]] bool AskSaveChanges();
  // Writes the comment and, when it was edited, the position into the photo
  // shown. A position that may not be written leaves the position pending
  // and writes the comment all the same; a write that fails leaves the photo
  // unchanged and the whole edit pending. What stayed unsaved is told. True
  // when all of it was saved.
  bool SaveExif();
  // GpsSaveButton and lbLocation: "Loc" and the name of a stored place at
  // the position, else ">> DB".
  void UpdateGpsButtons();
  void SetCameraType(int makerNumber);
  // The whole photo fitted into FullImg; a photo that does not decode shows
  // a message there instead.
  void LoadFullImage(const std::string& fileName);
  void ArrangeGridColumns();

  // --- Handlers -----------------------------------------------------------------
  void Open1Click();
  void NextFileClick();
  void PrevFileClick();
  void FirstFileButtonClick();
  void LastFileButtonClick();
  void SortByExposureClick();
  void ShowUnknownClick();
  void Ignorecurrentimage1Click();
  void Deletecurrentimage1Click();
  // Pick a photo of the list from the table of dates and comments, or from
  // the thumbnails, and show it.
  void Imagelist1Click();
  void Thumbnailslist1Click();
  void ShowImgButtonClick();
  void CameraTypeComboChange();
  void Save1Click();
  void NoteChange();
  void Button1Click();
  void GpsSaveButtonClick();
  void GPSLocations1Click();
  void AboveDirectory1Click();
  void Homepage1Click();
  void About2Click();

  // --- Gallery projects (MainProject.cpp) -----------------------------------------
  // Picks a stored project from the project list and shows its photo folder.
  void Openproject1Click();
  // Writes a pending EXIF edit, then stores the current project for the
  // photo folder (SaveCurrentProject).
  void Saveproject1Click();
  // Edits the current project in the project settings window.
  void Projectproperties1Click();
  // Every activation updates the project menus; the first one also opens
  // the project list when projects are stored.
  void FormActivate();
  // Enables the items that need no photo folder: FTP settings and the
  // project list page.
  void UpdateProjectMenus();
  // Enables the upload and slide-show items of the projects when at least
  // one project is stored.
  void UpdateProjectItems();
  // Makes the first stored project of folder current, else a new project
  // for it (TForm2::NewProjectFor). Every opening of a folder runs it.
  void FindFolderProject(const std::string& folder);
  // Before the current project's values are replaced: when they have
  // unsaved changes, asks whether to save them (Yes saves, No drops them).
  // False when the user cancels or the save fails: the caller then stops.
  bool AskSaveProject();
  // Stores the current project for the photo folder (TForm2::SaveProject).
  // On success "save project" is disabled; a failure is told and the item
  // stays. True when stored.
  bool SaveCurrentProject();
  // The project window tells this window when the user changes a setting.
  void WatchProjectForm(TForm2& form);

  // --- Progress of long gallery work (MainProgress.cpp) ---------------------------
  // The two labels of the target-size re-encoder (JPegUtils::TCompressInfo):
  // shown with the texts, both hidden when both texts are empty.
  void ShowCompressInfo(const std::string& what, const std::string& level);

  // --- Commands of later work -------------------------------------------------------
  // Each family connects its menu items in its own source, in the function
  // named after it (ConnectItem); an item not connected stays disabled.
  // Generation (MainGenerate.cpp).
  void GenerateCurrentProject1Click();
  // The current project's generation; true when its gallery was made. Its
  // end is told in the status line; report, when given, gets the run's.
  bool GenerateCurrentProject(GalleryRun::TReport* report = nullptr);
  // The Batch menu (MainBatch.cpp): RunBatch(code) with the codes of
  // photos/batchmenu/BatchMenu.h.
  void RunBatch(int code);
  // The photo's thumbnail into target (JPegUtils::ExtractThumbnail).
  bool SaveThumbnail(const TExifReader& reader, const std::string& target);
  void ExtractEXIFs1Click();
  void JoinEXIFs1Click();
  void Savethumbnails1Click();
  void FileDateTmebyexposure1Click();
  void Renamefiles1Click();
  void Separateflashnoflashsnaps1Click();
  void SeparateGPSnoGPSsnaps1Click();
  // The Web menu and publishing (MainWeb.cpp).
  void Preview800x600Click();
  void Preview1024x768Click();
  void Previewprojectlist1Click();
  void GenerateAllProjectsClick();
  void Projectlist1Click();
  void Allprojects1Click();
  void Onlycurrentproject1Click();
  void FTPSettings1Click();
  // Generates every stored project, each loaded into the project window in
  // turn, then the project list page of those whose gallery was made
  // ("projects.htm" in the data folder); with ask, only after a Yes. The
  // project window, the folder, its list and the photo are as they were.
  void GenerateAllProjectsRun(bool ask);
  // Uploads every stored project and the list page as "index.htm", or only
  // what the project window holds, through the FTP window.
  void UploadProjects(bool all);
  // Writes the list page (ProjectListPage::Write) in the project window's
  // character set and language; its path, empty when it was not written.
  std::string WriteProjectListPage(bool toTemp, const std::vector<ProjectListPage::TEntry>& entries);
  // Sends the list page for the upload into the upload folder; a failure is
  // told. True when sent.
  bool UploadProjectList(const std::vector<ProjectListPage::TEntry>& entries);
  // Slide shows (MainSlideShow.cpp).
  void SlideShow1Click();
  void Allprojects2Click();
  void Onlycurrentproject2Click();
  void ConvertSSPEXE1Click();
  void ExtractSSPfromexecutable1Click();
  void Saveplayer1Click();
  // Packages all stored projects, or those of the photo folder, into the
  // package or self-running show chosen in SaveSSP; the project, the folder,
  // its list and the photo are as they were afterwards.
  void SaveSlideShow(bool all);
  // Builds the show of the package ssp beside it (gallery/slideshow/SlideShowExe);
  // with report the outcome is told. True when built.
  bool BuildSlideShowExe(const std::string& ssp, bool deleteSsp, bool report);

  // --- State --------------------------------------------------------------------
  const std::string& CurrentFile() const { return currentFile_; }
  // The list in display order: full paths and display texts.
  const std::vector<TPhotoEntry>& Files() const { return files_; }
  // The photo folder: the open dialog's folder, where the list is read.
  const std::string& ImageDir() const { return imageDir_; }
  const std::string& StatusText() const { return status_.Shown(); }
  bool Modified() const { return modified_; }
  // The project settings' "force a comment" box as it stood when the photo
  // was shown. The EXIF writer has no such option, so the value is only
  // carried.
  bool ForceNote() const { return forceNote_; }
  bool FullImageShown() const;
  // Where the thumbnail shown is written: "exif_thumbnail.jpg" in the
  // program's private temporary folder; empty when there is none.
  const std::string& ThumbnailFile() const { return thumbnailFile_; }

  // --- Controls -----------------------------------------------------------------
  QMenu* File1;
  QAction* Open1;
  QAction* Openproject1;
  QAction* Save1;
  QAction* Saveproject1;
  QAction* Projectproperties1;
  QAction* Ignorecurrentimage1;
  QAction* Deletecurrentimage1;
  QAction* GPSLocations1;
  QMenu* List1;
  QAction* Imagelist1;
  QAction* Thumbnailslist1;
  QAction* SlideShow1;
  QMenu* Batch1;
  QAction* ExtractEXIFs1;
  QAction* JoinEXIFs1;
  QAction* Savethumbnails1;
  QAction* FileDateTmebyexposure1;
  QAction* Renamefiles1;
  QAction* Separateflashnoflashsnaps1;
  QAction* SeparateGPSnoGPSsnaps1;
  QAction* AboveDirectory1;
  QMenu* Web1;
  QAction* Preview800x600;
  QAction* Preview1024x768;
  QAction* Previewprojectlist1;
  QMenu* GenWebPage;
  QAction* GenerateCurrentProject1;
  QAction* GenerateAllProjects;
  QAction* Projectlist1;
  QMenu* Public1;
  QMenu* Publicprojects1;
  QAction* Allprojects1;
  QAction* Onlycurrentproject1;
  QAction* FTPSettings1;
  QMenu* Saveslideshow1;
  QAction* Allprojects2;
  QAction* Onlycurrentproject2;
  QAction* ConvertSSPEXE1;
  QAction* ExtractSSPfromexecutable1;
  QAction* Saveplayer1;
  QMenu* Language;
  QMenu* About1;
  QAction* About2;
  QAction* Homepage1;

  QLabel* Img;
  QToolButton* FirstFileButton;
  QToolButton* PrevFile;
  QToolButton* NextFile;
  QToolButton* LastFileButton;
  QCheckBox* SortByExposure;
  QCheckBox* ShowUnknown;
  QLabel* CameraLabel;
  QComboBox* CameraTypeCombo;
  QPushButton* ShowImgButton;
  QGroupBox* NoteGroup;
  QPlainTextEdit* Note;
  TGpsGroup* GPSGroup;
  QPushButton* Button1;
  QPushButton* GpsSaveButton;
  QLabel* lbLocation;
  QStackedWidget* Pages;
  QSplitter* Grids;
  QTableWidget* SG;
  QTableWidget* ESG;
  QLabel* FullImg;
  QLabel* SBPanel;
  // In the status bar, hidden until long gallery work shows them.
  QLabel* CompressInfo1;
  QLabel* CompressInfo2;
  QProgressBar* Gauge;
  QFileDialog* OpenDialog;
  QFileDialog* OpenSSP;
  QFileDialog* SaveSSP;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The tag columns follow SG's own size, which is settled only after the
  // window's when it opens or a scroll bar comes or goes.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Activation runs FormActivate.
  bool event(QEvent* event) override;

 private:
  enum class StepKind { Next, Previous, First, Last };

  // Building the window (MainMenu.cpp, MainLayout.cpp).
  void BuildMenu();
  void ApplyMenuTexts();
  void BuildLayout();
  void BuildProgress();
  QWidget* BuildLeftPanel();
  TGpsGroup* BuildGpsGroup();
  void Connect();
  // An item runs only when its window is built; otherwise it stays disabled.
  void EnableItem(QAction* item, bool enabled);
  void EnableItems(std::initializer_list<QAction*> items, bool enabled);
  // Makes item run handler (through SlotGuard) and enables it.
  void ConnectItem(QAction* item, void (TMainForm::*handler)());
  // The later families' items (MainGenerate.cpp, MainBatch.cpp, MainWeb.cpp,
  // MainSlideShow.cpp).
  void ConnectGenerate();
  void ConnectBatch();
  void ConnectWeb();
  void ConnectSlideShow();
  // A preview: the gallery page of size (a GalleryLayout folder) in the
  // browser, after generating the project when the page is missing.
  void PreviewGallery(QAction* item, const char* size);

  // What the commands that load every project in turn put back: the
  // project window's state, the folder, its list and the photo shown.
  struct TBrowsing {
    TProjectState Project;
    std::string Folder;
    std::string File;
    std::vector<std::string> Paths;
    bool CommandLineList = false;
  };
  TBrowsing KeepBrowsing() const;
  void RestoreBrowsing(const TBrowsing& kept);

  // RunBatch's work between asking about an edit and showing the folder
  // again (MainBatch.cpp); a stopped rename finished first (false when it
  // cannot be, which is told).
  void RunBatchWork(int code);
  bool FinishInterruptedRename(const std::vector<std::string>& galleries);
  void RenamePhotos(const std::vector<std::string>& photos, const std::vector<std::string>& galleries);
  // Saveplayer1 when the program carries the player, ConvertSSPEXE1 when a
  // player is there at all.
  void UpdatePlayerItems();
  // SaveSlideShow's writer: the package with the gauge and the photo shown.
  TPackageResult WriteSlideShowPackage(const std::string& target,
                                       const std::vector<TSlideShowSource>& sources,
                                       const std::string& player);

  // Browsing (MainBrowse.cpp).
  void Step(StepKind kind, int rescanThreshold);
  // Away from the photo shown, before it leaves the list.
  void StepAway();
  // Takes the photo out of the list; an emptied list clears the display.
  void RemoveFromList(const std::string& path);
  // No photo shown: the display cleared and the commands for a photo off.
  void ShowNoPhoto();
  int IndexOf(const std::string& path) const;
  void ShowListEntry(int index);
  // Picking (MainPick.cpp): runs pick with item disabled, then shows the
  // entry it returned, if any.
  void PickFromList(QAction* item, const std::function<int()>& pick);

  // Showing (MainShow.cpp).
  void ShowThumbnail();
  void ShowGps(const TExifReader& reader);
  // The tag grids.
  void ShowRows(const TExifReader& reader);
  void FillGrid(QTableWidget* grid, const std::vector<std::string>& names,
                const std::vector<std::string>& texts, bool withDataFormat);
  void ShowFullImage(const QImage& image);
  void UpdateCaption();
  // Note and the GPS fields take input only while a photo is shown.
  void SetEditable(bool editable);

  // Editing (MainEdit.cpp).
  void ConnectEditing();
  void GpsEdited(TGpsPart part);
  // The position into the reader: the parts the user changed, or all of it
  // when the photo holds no whole position.
  void SetPosition(const HromadneAkce::TGpsPosition& position);
  // SaveExif without telling: false with the message of what stayed unsaved.
  bool WriteExif(std::string& unsaved);
  void ClearChangedMarks();
  // The project window's "force a comment" box; off while there is none.
  static bool ProjectForceNote();

  std::unique_ptr<TExifReader> reader_;
  std::string thumbnailFile_;
  std::string currentFile_;
  std::vector<TPhotoEntry> files_;
  TIgnoreList ignore_;
  bool modified_ = false;
  // Parts of the position the user changed since the photo was shown.
  bool latitudeChanged_ = false;
  bool longitudeChanged_ = false;
  bool altitudeChanged_ = false;
  bool forceNote_ = false;
  // The comment's length the user may not grow past (250 characters, or a
  // longer comment as the photo held it).
  int noteLimit_ = 0;
  int processed_ = 0;
  int cameraType_ = 0;
  TStatusStack status_;
  uint32_t languageId_ = 0;
  bool commandLineList_ = false;
  // The launchers made in the language in force, removed on a change.
  std::vector<std::string> shortcutNames_;
  std::string imageDir_;
  std::string openSspDir_;
  std::string saveSspDir_;
  // The whole photo as decoded for FullImg, re-fitted when the window's size
  // changes.
  QImage fullImage_;
  std::unique_ptr<TQtLanguageMenu> languageMenu_;
  std::unordered_set<const QAction*> live_;
  // Set while a list loads: a second command must wait.
  bool busy_ = false;
  bool activated_ = false;
};

namespace Main {

// The program's private temporary folder, with a trailing "/".
std::string GetTempDir();
// "exif_thumbnail.jpg" there, where the windows put the EXIF thumbnail they
// show; empty without such a folder.
std::string ThumbnailPath();

// Makes the stored language current when no main window exists (GPS-set
// mode): the "Language" setting and the language files of the data folder's
// and the program's "lng" folders.
void LoadLanguageWithoutMainForm();

}  // namespace Main
