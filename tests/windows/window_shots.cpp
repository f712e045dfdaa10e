// Saves a picture of each small window, with its Czech texts, into the
// folder given, so that a person can check that nothing is cut off:
//   xvfb-run -a -s "-screen 0 1280x1024x24" window_shots /tmp/shots
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/AboutForm.h"
#include "app/InfoWindow.h"
#include "app/PBFolderDialog.h"
#include "app/RenameFileForm.h"
#include "app/SeparateSnaps.h"
#include "app/appform.h"
#include "app/locationname.h"
#include "app/modalgauge.h"
#include "app/waitwindow.h"

namespace {

QString gFolder;

void Save(QWidget& window, const char* name) {
  window.show();
  QCoreApplication::processEvents();
  const QString path = gFolder + "/" + name + ".png";
  if (!window.grab().save(path)) std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
}

void WaitWindows() {
  TfrmWait plain("Čekejte, provádím požadované operace se soubory...", 0, 10);
  Save(plain, "wait-bar");
  TfrmWait lined("Načítám informace o fotkách...", 0, 0);
  lined.Setup("Načítám informace o fotkách...", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
              20, 5);
  lined.Step("/home/jana/Fotky/2023/Dovolená na horách/Krkonoše/IMG_0815.JPG");
  lined.PB2->setValue(7);
  Save(lined, "wait-line-two-bars");
}

void FolderDialog() {
  TPBFolderDialog dialog(nullptr);
  dialog.NewFolderVisible = true;
  dialog.NewFolderEnabled = true;
  dialog.Folder = QDir::homePath().toStdString();
  QTimer::singleShot(200, [] {
    if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      Save(*d, "folder-dialog");
      d->reject();
    }
  });
  dialog.Execute();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_shots <folder>\n");
    return 2;
  }
  gFolder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(gFolder);
  appform::InitializeFormApplication(false);

  InfoWindow::ShowInfo("Generování náhledu (img_0815) ...");
  Save(*InfoWindow::Current(), "info");
  InfoWindow::HideInfo();

  TfrmModalGauge gauge;
  gauge.SetInfo("Čekejte, načítám seznam souborů...");
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

  FolderDialog();
  return 0;
}
