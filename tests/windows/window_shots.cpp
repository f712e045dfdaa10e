// Saves a picture of each small window, with its Czech texts or those of a
// language file, into the folder given, so that a person can check that
// nothing is cut off. With a folder of photos (copied, never changed) the
// photo lists and the main window's file dialogs show them too:
//   xvfb-run -a -s "-screen 0 1280x1024x24" window_shots [--language English.lng] /tmp/shots [photos]
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/batch/HromadneAkce.h"
#include "app/batch/ImageList.h"
#include "app/batch/edit_imgresort.h"
#include "app/batch/edit_imgsize.h"
#include "app/batch/edit_speccislovani.h"
#include "app/browser/Main.h"
#include "app/dialogs/AboutForm.h"
#include "app/dialogs/InfoWindow.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/SeparateSnaps.h"
#include "app/dialogs/locationname.h"
#include "app/dialogs/modalgauge.h"
#include "app/dialogs/waitwindow.h"
#include "app/ftp/FTPSettingsForm.h"
#include "app/pickers/ImgListForm.h"
#include "app/pickers/ThumbListForm.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/places/GPSLocations.h"
#include "app/projects/ProjectList.h"
#include "app/slideshow/SlideShowProjects.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/appform.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "texts/Language.h"

namespace {

QString gFolder;
// The language file chosen with --language, "" for the built-in texts.
std::string gLanguage;

// The main window selects a language of its own from its Language menu as
// it starts: the chosen file is picked there, as a user would.
void PickLanguage() {
  if (gLanguage.empty()) return;
  for (const LngListRec& entry : Language::GetLanguageList()) {
    if (entry.FileName == gLanguage) entry.Select();
  }
}

// Places the language file in the data folder's "lng", where the Language
// menu lists it, and loads it; false when it cannot be had.
bool UseLanguage(const QString& file) {
  const QString folder = qEnvironmentVariable("QUILLMARSH_HOME") + "/data/lng";
  const QString copy = folder + "/" + QFileInfo(file).fileName();
  if (!QDir().mkpath(folder) || !QFile::copy(file, copy)) return false;
  gLanguage = copy.toStdString();
  try {
    Language::LoadLanguage(gLanguage);
  } catch (const ELanguageError&) {
    return false;
  }
  return true;
}

void Save(QWidget& window, const char* name) {
  window.show();
  QCoreApplication::processEvents();
  const QString path = gFolder + "/" + name + ".png";
  if (!window.grab().save(path)) std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
}

void WaitWindows() {
  TfrmWait plain(Language::GetText(57), 0, 10);
  Save(plain, "wait-bar");
  TfrmWait lined(Language::GetText(58), 0, 0);
  lined.Setup(Language::GetText(58), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
              20, 5);
  // Longer than the width reserved: shortened in its middle.
  lined.Step("/home/jana/Fotky/2023/Dovolená na horách/Krkonoše/Sněžka a Luční bouda/IMG_0815.JPG");
  lined.PB2->setValue(7);
  Save(lined, "wait-line-two-bars");
}

void FolderDialog() {
  QTemporaryDir root;
  const QString folder = root.path() + "/Fotky/2023/Dovolená na horách";
  for (const char* name : {"Krkonoše", "Šumava", "Léto u vody", "Žďár nad Sázavou"})
    QDir().mkpath(folder + "/" + name);
  TPBFolderDialog dialog(nullptr);
  dialog.NewFolderVisible = true;
  dialog.NewFolderEnabled = true;
  dialog.Folder = folder.toStdString();
  QTimer::singleShot(200, [] {
    if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      Save(*d, "folder-dialog");
      d->reject();
    }
  });
  dialog.Execute();
}

void BatchTools() {
  Tfrm_specnum specnum;
  specnum.root->setText("/home/jana/Fotky/2023/Dovolená na horách");
  Save(specnum, "specnum");
  TImgResort resort;
  resort.Edit4->setText("/home/jana/Fotky/Roztříděné");
  resort.Edit5->setText("/home/jana/Fotky/Úpravy");
  Save(resort, "resort-update");
  resort.PageControl1->setCurrentIndex(1);
  Save(resort, "resort-copy");
}

// The main window's status bar while the re-encoder works. Made before any
// project is stored: the first activation would open the project list.
void MainProgress() {
  GlobalWindows::Create(false);
  TMainForm& main = *GlobalWindows::Get().MainForm;
  PickLanguage();
  main.SetStatusText("Generuji web-stránky...");
  main.ShowCompressInfo(Language::GetText(289) + " img_0815", Language::GetText(290) + " 45");
  main.Gauge->setRange(0, 11);
  main.Gauge->setValue(4);
  main.Gauge->show();
  Save(main, "main-progress");
  main.hide();
  GlobalWindows::Destroy();
}

// The project settings, accepted and with a problem, and the project list
// over three stored projects.
void ProjectWindows() {
  QTemporaryDir root;
  const std::string base = root.path().toStdString();
  for (const char* name : {"Šumava 2023", "Krkonoše – Sněžka", "Léto u vody"}) {
    QDir().mkpath(QString::fromStdString(base + "/Fotky/" + name + "/html"));
    THtmlProject project;
    project.ProjectName = std::string("Dovolená: ") + name;
    project.PhotoFolder = base + "/Fotky/" + name;
    project.HtmlDir = project.PhotoFolder + "/html";
    project.Shortcut = std::string(name).substr(0, 5) + "x";
    int index = -1;
    if (!HtmlProjectSettings::WriteProject(project, index)) std::fprintf(stderr, "cannot store %s\n", name);
  }
  TForm2 settings;
  std::string folder;
  settings.LoadProject(0, folder);
  settings.Validate();
  Save(settings, "project-settings");
  settings.ProjectName->setText("Šu");
  settings.Validate();
  Save(settings, "project-settings-problem");
  // The output folder of the second project: the line names both folders.
  settings.ProjectName->setText(QString::fromStdString("Dovolená: Šumava 2023"));
  settings.HtmlDir->setText(QString::fromStdString(base + "/Fotky/Krkonoše – Sněžka/html"));
  settings.Validate();
  Save(settings, "project-settings-collision");
  settings.hide();
  TForm3 list(&settings);
  HtmlProjectSettings::FillProjectGrid(*list.StringGrid1);
  list.StringGrid1->selectRow(1);
  Save(list, "project-list");
}

// The FTP window in settings mode, and in upload mode as a run shows it
// halfway through a photo.
void FtpWindow() {
  TFTPForm form;
  FtpSettings::TFtpSettings values;
  values.Host = "ftp.fotky-jana.cz";
  values.LoginName = "jana";
  values.Password = "tajné";
  values.Dir = "/www/galerie";
  form.SetValues(values);
  Save(form, "ftp-settings");
  form.hide();
  form.SetUploadMode(true);
  form.setWindowTitle(form.windowTitle() + "  \"Dovolená: Krkonoše – Sněžka\" ...");
  form.FTPEngConnected();
  for (const char* line : {"220 FTP server ready.", "331 Password required for jana."})
    form.LogEventReceived(line);
  form.LogEventSent("PASS ***");
  form.LogEventReceived("230 User jana logged in.");
  form.FTPEngStatus("Connected.");
  form.DirsPB->setRange(0, 6);
  form.DirsPB->setValue(3);
  form.DirsPB->show();
  form.Begin(24);
  form.Action(0, "/www/galerie/krkonose/foto/img_0815.jpg", 412000);
  form.LogEventSent("STOR /www/galerie/krkonose/foto/img_0815.jpg");
  form.FTPEngWorkBegin(platform::FtpWorkMode::Write, 412000);
  form.FTPEngWork(platform::FtpWorkMode::Write, 0);
  // The rate needs time passing since the transfer began.
  QEventLoop wait;
  QTimer::singleShot(300, &wait, &QEventLoop::quit);
  wait.exec();
  form.FTPEngWork(platform::FtpWorkMode::Write, 160000);
  Save(form, "ftp-upload");
  form.hide();
  form.SetUploadMode(false);
}

// The places window over two stored places, the second one chosen.
void PlacesWindow() {
  TfrmGPS places;
  places.LoadLocations();
  places.AddLocation("50.736111", "15.739722", "1603", "Sněžka, Krkonoše");
  places.AddLocation("43.467448", "11.885127", "", "Toskánsko, Arezzo – Piazza Grande");
  places.LBClick();
  Save(places, "places");
}

// The slide show's menu of projects with its display options.
void SlideShowMenu() {
  TSlideShowList menu;
  menu.SetProjects({"Dovolená: Šumava 2023", "Krkonoše – Sněžka"});
  Save(menu, "slideshow-menu");
}

// Copies of the photos of folder, so that no thumbnail is written there.
std::vector<std::string> CopyPhotos(const QString& folder, const QString& into) {
  std::vector<std::string> names;
  for (const QString& name : QDir(folder).entryList({"*.jpg", "*.JPG"}, QDir::Files, QDir::Name)) {
    if (QFile::copy(folder + "/" + name, into + "/" + name)) names.push_back(name.toStdString());
  }
  return names;
}

// The photo list with the global places window it names places by: the
// position of the first test photo with GPS is a stored place. The lists of
// photos with bad dates and without GPS, with names short and long.
void PhotoList(const std::vector<std::string>& located, const std::vector<std::string>& named) {
  QDir().mkpath(qEnvironmentVariable("QUILLMARSH_HOME") + "/data");
  QFile places(qEnvironmentVariable("QUILLMARSH_HOME") + "/data/quillmarsh.gps");
  if (places.open(QIODevice::WriteOnly))
    places.write("43.467448|11.885127||Toskánsko, Arezzo – Piazza Grande\r\n");
  places.close();
  GlobalWindows::Create(true);
  TImgList& list = *GlobalWindows::Get().ImgList;
  list.Fill(located, TImgList::kWithGps);
  Save(list, "photo-list");
  list.Fill(named, TImgList::kInvalidDates);
  Save(list, "photo-list-dates");
  list.Fill(named, TImgList::kWithoutGps);
  Save(list, "photo-list-no-gps");
  list.hide();
  GlobalWindows::Destroy();
}

void PhotoLists(const QString& photos) {
  QTemporaryDir copies;
  const std::vector<std::string> names = CopyPhotos(photos, copies.path());
  const std::string base = copies.path().toStdString();
  std::vector<std::string> files;
  for (const std::string& name : names) files.push_back(base + "/" + name);
  edit_imgsize::TResolutionList list(base, files, nullptr);
  TImgSizeList sizes(nullptr, list);
  Save(sizes, "resolution-list");

  TImageListForm imageList;
  imageList.Fill({"01.05.2023|12:00:00|Sněžka, pohled na Polsko", "02.05.2023|08:30:15|Labská bouda",
                  "02.05.2023|09:12:40|Pramen Labe – žluťoučký kůň úpěl ďábelské ódy"});
  Save(imageList, "image-list");

  TThumbnailListForm thumbs;
  QTimer::singleShot(200, [&thumbs] {
    for (int i = 0; i < 50; ++i) {
      QCoreApplication::processEvents();
      thumbs.DG->viewport()->repaint();
    }
    Save(thumbs, "thumbnail-list");
    thumbs.reject();
  });
  thumbs.Pick(base, names);

  std::vector<std::string> located;
  for (const std::string& file : files)
    if (QString::fromStdString(file).contains("gps_")) located.push_back(file);
  std::vector<std::string> named;
  for (const char* name : {"a.jpg", "name_of_23_chars___.jpg", "IMG_20230501_120000_burst_07.jpg",
                           "Dovolená na horách – Sněžka 1.jpg"}) {
    if (files.empty()) break;
    named.push_back(base + "/" + name);
    QFile::copy(QString::fromStdString(files.front()), QString::fromStdString(named.back()));
  }
  PhotoList(located, named);
}

// The main window's open and save dialogs as they open, over a folder of
// photos: where the photo shown is, their places uncut.
void FileDialogs(const QString& photos) {
  QTemporaryDir copies;
  const std::vector<std::string> names = CopyPhotos(photos, copies.path());
  if (names.empty()) return;
  GlobalWindows::Create(false);
  TMainForm& main = *GlobalWindows::Get().MainForm;
  PickLanguage();
  main.OpenFileList(copies.path().toStdString() + "/" + names.front());
  const auto shoot = [](const char* name) {
    QTimer::singleShot(200, [name] {
      if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        Save(*d, name);
        d->reject();
      }
    });
  };
  shoot("open-dialog");
  main.Open1Click();
  shoot("save-dialog");
  main.Allprojects2Click();
  main.hide();
  GlobalWindows::Destroy();
}

// The batch actions window in folder mode after its statistics, and in
// files mode over a folder and a photo.
void BatchWindow(const QString& photos) {
  QTemporaryDir copies;
  QDir().mkpath(copies.path() + "/Dovolená");
  const std::vector<std::string> names = CopyPhotos(photos, copies.path());
  CopyPhotos(photos, copies.path() + "/Dovolená");
  TfrmHA folder;
  folder.RootDir->setText(copies.path());
  folder.Subdirs->setChecked(true);
  folder.show();
  folder.ShowStatistics();
  Save(folder, "batch-folder");
  TfrmHA files;
  const std::string base = copies.path().toStdString();
  files.OpenWithFiles(base + "/Dovolená\r\n" + base + "/" + (names.empty() ? "" : names.front()));
  Save(files, "batch-files");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString language;
  if (argc >= 3 && std::string(argv[1]) == "--language") {
    language = QString::fromLocal8Bit(argv[2]);
    argv += 2;
    argc -= 2;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_shots [--language file.lng] <folder> [photos]\n");
    return 2;
  }
  gFolder = QString::fromLocal8Bit(argv[1]);
  // Settings the windows write go to a folder of their own.
  QTemporaryDir home;
  setenv("QUILLMARSH_HOME", home.path().toLocal8Bit().constData(), 1);
  QDir().mkpath(gFolder);
  if (!language.isEmpty() && !UseLanguage(language)) {
    std::fprintf(stderr, "cannot use the language file %s\n", qPrintable(language));
    return 2;
  }
  appform::InitializeFormApplication(false);

  InfoWindow::ShowInfo(Language::GetText(542) + " (img_0815) ...");
  Save(*InfoWindow::Current(), "info");
  InfoWindow::HideInfo();

  TfrmModalGauge gauge;
  gauge.SetInfo(Language::GetText(56));
  gauge.SetMax(10);
  for (int i = 0; i < 4; ++i) gauge.Step();
  Save(gauge, "gauge");

  WaitWindows();

  TfrmEditStr editStr;
  editStr.EditStr->setText("Sněžka, Krkonoše");
  Save(editStr, "location");

  TForm4 rename;
  Save(rename, "rename");
  TForm5 snaps;
  snaps.Dir->setText("/home/jana/Fotky/Rozdělené");
  Save(snaps, "separate-snaps");
  TAboutBox about;
  Save(about, "about");

  BatchTools();
  FtpWindow();
  PlacesWindow();
  SlideShowMenu();
  MainProgress();
  ProjectWindows();
  if (argc > 2) {
    PhotoLists(QString::fromLocal8Bit(argv[2]));
    BatchWindow(QString::fromLocal8Bit(argv[2]));
    FileDialogs(QString::fromLocal8Bit(argv[2]));
  }
  FolderDialog();
  return 0;
}
