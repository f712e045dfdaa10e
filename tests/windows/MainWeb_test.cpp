// The main window's Web menu through its items: generating every project
// and the project list page, the previews, and uploads of every project or
// only the current one to the tests' real FTP server. The project window,
// the folder and the photo shown are as they were after each command.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/ftp/FTPSettingsForm.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/start/GlobalWindows.h"
#include "foundation/AppFolders.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "gallery/generate/ProjectListPage.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;
using testsupport::ReadFileBytes;

class MainWeb : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    hook = std::make_unique<ScopedMessageHook>();
    // Stored projects: two with photos, one whose folder holds none, and one
    // whose photo folder is gone.
    shown = Photo("hory", "Kodak_CX7530.jpg");
    Photo("hory", "canon-ixus.jpg");
    Photo("more", "Canon_40D.jpg");
    fs::create_directories(dir.File("prazdno"));
    fs::create_directories(dir.File("web"));
    Store("Hory a údolí", "hory", "hory");
    Store("Moře", "more", "more");
    Store("Prázdno", "prazdno", "prazdno");
    Store("Ztracené", "ztraceno", "ztraceno");
    GlobalWindows::Create(false);
    main = GlobalWindows::Get().MainForm;
    project = GlobalWindows::Get().Form2;
    ftp = GlobalWindows::Get().FTPForm;
  }
  void TearDown() override { GlobalWindows::Destroy(); }

  std::string Photo(const std::string& folder, const char* photo) {
    fs::create_directories(dir.File(folder));
    const std::string path = dir.File(folder) + "/" + photo;
    fs::copy_file(testsupport::PhotoPath(photo), path);
    return path;
  }
  void Store(const std::string& name, const std::string& folder, const std::string& shortcut) {
    THtmlProject p;
    p.ProjectName = name;
    p.PhotoFolder = dir.File(folder);
    p.HtmlDir = Html(folder);
    p.Shortcut = shortcut;
    int index = -1;
    ASSERT_TRUE(HtmlProjectSettings::WriteProject(p, index));
  }
  std::string Html(const std::string& folder) const { return dir.File("web/" + folder); }
  // The files below folder but the checksum caches.
  static size_t FilesBelow(const std::string& folder) {
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file() && entry.path().filename() != "ftpcache") ++files;
    return files;
  }
  void Open(const std::string& photo) {
    OnNextModal<QFileDialog>([photo](QFileDialog& dialog) {
      dialog.selectFile(QString::fromStdString(photo));
      static_cast<QDialog&>(dialog).accept();
    });
    Item("Open1")->trigger();
  }
  QAction* Item(const char* name) { return FindNamed<QAction>(*main, name); }
  // Types into a project setting as the user does: the project is unsaved.
  void Edit(const char* name, const QString& text) {
    QLineEdit* edit = FindNamed<QLineEdit>(*project, name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  std::string ListPage() const { return AppFolders::DataFolder() + "/projects.htm"; }
  std::string Status() const { return FindNamed<QLabel>(*main, "SBPanel")->text().toStdString(); }
  void ForServer(int port) {
    FtpSettings::TFtpSettings v = ftp->Values();
    v.Host = "127.0.0.1";
    v.Port = std::to_string(port);
    v.LoginName = "tester";
    v.Password = "secret";
    v.Dir = "www";
    ftp->SetValues(v);
  }
  void ExpectAsBefore() {
    EXPECT_EQ(project->ProjectIndex(), 0);
    EXPECT_EQ(FindNamed<QLineEdit>(*project, "ProjectName")->text(), "Hory - upraveno");
    EXPECT_TRUE(project->Unsaved());
    EXPECT_TRUE(Item("Saveproject1")->isEnabled());
    EXPECT_EQ(main->ImageDir(), dir.File("hory"));
    EXPECT_EQ(main->CurrentFile(), shown);
    EXPECT_EQ(main->Files().size(), 2u);
  }

  testsupport::ScopedHome home;
  testsupport::TempDir dir;
  std::unique_ptr<ScopedMessageHook> hook;
  std::string shown;
  TMainForm* main = nullptr;
  TForm2* project = nullptr;
  TFTPForm* ftp = nullptr;
};

TEST_F(MainWeb, GeneratingAllProjectsListsThoseMadeAndKeepsTheCurrentProject) {
  Open(shown);
  Edit("ProjectName", "Hory - upraveno");
  ASSERT_TRUE(project->Unsaved());

  // The question first; No does nothing.
  hook->Answer(MessageAnswer::No);
  Item("Projectlist1")->trigger();
  EXPECT_EQ(hook->Said(), std::vector<std::string>{
                              "Generování všeho ?|Chcete vygenerovat HTML pro všechny projekty?"});
  EXPECT_FALSE(fs::exists(ListPage()));

  Item("GenerateAllProjects")->trigger();
  EXPECT_EQ(hook->Said().back(), "Chyba|Nemohu načíst definici projektu \"Ztracené\"");
  for (const char* folder : {"hory", "more"})
    EXPECT_TRUE(fs::exists(Html(folder) + "/800x600/index.htm")) << folder;
  const std::string page = ReadFileBytes(ListPage());
  // In the project's character set, windows-1250, with its texts escaped.
  EXPECT_NE(page.find("Hory a \xFA" "dol\xED"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"" + ProjectListPage::FileUrl(Html("hory")) + "/800x600/index.htm\">"),
            std::string::npos);
  EXPECT_NE(page.find(ProjectListPage::FileUrl(Html("more")) + "/1024x768/index.htm"), std::string::npos);
  EXPECT_EQ(page.find("prazdno"), std::string::npos);
  EXPECT_EQ(page.find("ztraceno"), std::string::npos);
  EXPECT_EQ(Status(), "Galerie projektů vygenerovány – projektů: 2, fotek: 3");
  ExpectAsBefore();
}

TEST_F(MainWeb, AFolderWithoutProjectKeepsItsNewProject) {
  const std::string photo = Photo("bez", "Nikon_D70.jpg");
  Open(photo);
  ASSERT_EQ(project->ProjectIndex(), -1);
  Edit("ProjectName", "Novy");
  Item("GenerateAllProjects")->trigger();
  EXPECT_EQ(project->ProjectIndex(), -1);
  EXPECT_EQ(FindNamed<QLineEdit>(*project, "ProjectName")->text(), "Novy");
  EXPECT_EQ(FindNamed<QLineEdit>(*project, "HtmlDir")->text().toStdString(), dir.File("bez") + "/html");
  EXPECT_TRUE(project->Unsaved());
  EXPECT_EQ(project->PhotoFolder(), dir.File("bez"));
  EXPECT_EQ(main->CurrentFile(), photo);
  EXPECT_EQ(HtmlProjectSettings::GetProjectCount(), 4);
}

TEST_F(MainWeb, PreviewsOpenOnlyPagesThatExist) {
  testsupport::ScopedEnv log("QUILLMARSH_OPEN_LOG", home.Path() + "/open.log");
  Open(shown);
  // Never generated: generated first, then opened as a file URL.
  Item("Preview1024x768")->trigger();
  const std::string page = Html("hory") + "/1024x768/index.htm";
  ASSERT_TRUE(fs::exists(page));
  EXPECT_EQ(ReadFileBytes(home.Path() + "/open.log"), ProjectListPage::FileUrl(page) + "\n");
  EXPECT_TRUE(Item("Preview1024x768")->isEnabled());

  // The list page is made when missing.
  Item("Previewprojectlist1")->trigger();
  EXPECT_NE(ReadFileBytes(home.Path() + "/open.log").find(ProjectListPage::FileUrl(ListPage())),
            std::string::npos);

  // A project whose gallery is not made opens nothing.
  fs::remove(home.Path() + "/open.log");
  Edit("HtmlDir", QString::fromStdString(dir.File("none/at/all")));
  OnNextModal<TForm2>([](TForm2& dialog) { dialog.reject(); });
  Item("Preview800x600")->trigger();
  EXPECT_EQ(hook->Said().back().rfind("Chyba|Stránka nebyla vytvořena:", 0), 0u) << hook->Said().back();
  EXPECT_FALSE(fs::exists(home.Path() + "/open.log"));
}

TEST_F(MainWeb, UploadsEveryProjectWithTheListPageOrOnlyTheCurrentOne) {
  testsupport::TempDir server;
  ftptest::RealServer ftpServer(server.Path());
  ForServer(ftpServer.Port());
  Open(shown);
  Edit("ProjectName", "Hory - upraveno");
  Item("GenerateAllProjects")->trigger();
  const size_t before = hook->Said().size();

  hook->Answer(MessageAnswer::Yes);
  Item("Allprojects1")->trigger();
  const std::vector<std::string> all = hook->Said();
  const std::vector<std::string> said(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[0], "Upload ?|Chcete zveřejnit všechny projekty na internetu?");
  // The two without a gallery are told and left out of the list.
  EXPECT_EQ(said[1].rfind("Chyba uploadu|Upload selhal: \"Prázdno\"", 0), 0u) << said[1];
  EXPECT_EQ(said[2].rfind("Chyba uploadu|Upload selhal: \"Ztracené\"", 0), 0u) << said[2];
  for (const char* folder : {"hory", "more"})
    EXPECT_TRUE(fs::exists(server.File("www/") + folder + "/800x600/index.htm")) << folder;
  const std::string index = ReadFileBytes(server.File("www/index.htm"));
  EXPECT_NE(index.find("<a href=\"hory/800x600/index.htm\">"), std::string::npos);
  EXPECT_NE(index.find("<a href=\"more/1024x768/index.htm\">"), std::string::npos);
  EXPECT_EQ(index.find("prazdno"), std::string::npos);
  EXPECT_FALSE(fs::exists(home.Path() + "/tmp/index.htm"));
  EXPECT_FALSE(ftp->isVisible());
  EXPECT_EQ(Status(), "Upload skončil chybou – projektů: 2, nenahraných projektů: 2, odeslaných souborů: " +
                          std::to_string(FilesBelow(server.File("www"))));
  ExpectAsBefore();

  // Only the current project, as the window holds it: its new short name,
  // and no list page.
  fs::remove(server.File("www/index.htm"));
  Edit("Shortcut", "nove");
  hook->Answer(MessageAnswer::Yes);
  Item("Onlycurrentproject1")->trigger();
  EXPECT_EQ(hook->Said().back(), "Upload ?|Chcete na internetu aktualizovat aktuální projekt?");
  EXPECT_TRUE(fs::exists(server.File("www/nove/foto/kodak_cx7530.jpg")));
  EXPECT_FALSE(fs::exists(server.File("www/index.htm")));
  EXPECT_EQ(Status(), "Upload dokončen – projektů: 1, odeslaných souborů: " +
                          std::to_string(FilesBelow(server.File("www/nove"))));
  // Sent again unchanged, nothing goes.
  hook->Answer(MessageAnswer::Yes);
  Item("Onlycurrentproject1")->trigger();
  EXPECT_EQ(Status(), "Upload dokončen – projektů: 1, odeslaných souborů: 0");
  EXPECT_EQ(FindNamed<QLineEdit>(*project, "Shortcut")->text(), "nove");
}

TEST_F(MainWeb, AFailedConnectionOrListPageIsTold) {
  Open(shown);
  ForServer(0);
  hook->Answer(MessageAnswer::Yes);
  Item("Onlycurrentproject1")->trigger();
  EXPECT_EQ(hook->Said().back().rfind("Chyba spojení|Nelze se připojit na FTP server", 0), 0u)
      << hook->Said().back();
  EXPECT_FALSE(ftp->isVisible());
  EXPECT_EQ(Status(), "Upload skončil chybou");

  testsupport::TempDir server;
  ftptest::RealServer ftpServer(server.Path(), {"--refuse", "STOR:/www/index.htm"});
  ForServer(ftpServer.Port());
  Item("GenerateAllProjects")->trigger();
  hook->Answer(MessageAnswer::Yes);
  Item("Allprojects1")->trigger();
  EXPECT_EQ(hook->Said().back().rfind(
                "Chyba uploadu|Seznam projektů se nepodařilo nahrát na FTP server.", 0),
            0u)
      << hook->Said().back();
  EXPECT_FALSE(fs::exists(server.File("www/index.htm")));
}

}  // namespace
