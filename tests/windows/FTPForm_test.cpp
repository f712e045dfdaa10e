// The FTP settings and upload window through its controls: its defaults,
// the settings it stores (passwords enciphered) and puts back on cancel, the
// port checks, and upload runs against the tests' real FTP server with the
// log, the bars and the status bar they show.
#include "app/ftp/FTPSettingsForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "gallery/publish/FtpUpload.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// Types text into an edit as the user does, replacing what it held.
void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

std::vector<std::string> LogLines(const TFTPForm& form) {
  std::vector<std::string> lines;
  for (int i = 0; i < form.FTPLog->count(); ++i) lines.push_back(form.FTPLog->item(i)->text().toStdString());
  return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A port on 127.0.0.1 that nothing listens on.
int UnusedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof sa;
  bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
  close(fd);
  return ntohs(sa.sin_port);
}

class FTPFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    hook = std::make_unique<ScopedMessageHook>();
    form = std::make_unique<TFTPForm>();
  }

  // The controls set for the server on port.
  void ForServer(int port, const std::string& password = "secret") {
    FtpSettings::TFtpSettings v = form->Values();
    v.Host = "127.0.0.1";
    v.Port = std::to_string(port);
    v.LoginName = "tester";
    v.Password = password;
    v.Dir = "/www";
    form->SetValues(v);
  }

  // Every byte the program left below its home folder.
  std::string EverythingStored() const {
    std::string all;
    for (const auto& entry : fs::recursive_directory_iterator(home.Path()))
      if (entry.is_regular_file()) all += ReadFileBytes(entry.path().string());
    return all;
  }

  testsupport::ScopedHome home;
  std::unique_ptr<ScopedMessageHook> hook;
  std::unique_ptr<TFTPForm> form;
};

TEST_F(FTPFormTest, StartsInSettingsModeWithItsDefaultsAndTexts) {
  EXPECT_EQ(form->windowTitle(), "Nastavení FTP");
  EXPECT_EQ(form->Port->displayText(), "21   ");
  EXPECT_EQ(form->ProxyPort->displayText(), "0    ");
  EXPECT_EQ(form->Port->maxLength(), 5);
  QStringList methods;
  for (int i = 0; i < form->ProxyConnectMethod->count(); ++i)
    methods << form->ProxyConnectMethod->itemText(i);
  EXPECT_EQ(methods, (QStringList{"Poslat USER a případně heslo",
                                  "Proxy USER/PSW, potom přihlášení USER/PSW",
                                  "Proxy USER/PSW, potom příkaz SITE",
                                  "Proxy USER/PSW, potom příkaz OPEN",
                                  "USER uživatel@proxyuživatel@server / PASS heslo@proxyheslo",
                                  "Transparentní - USER/PSW, potom přihlášení USER/PSW"}));
  EXPECT_EQ(form->ProxyConnectMethod->currentIndex(), 0);
  EXPECT_TRUE(form->Passive->isChecked());
  EXPECT_EQ(form->Password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(form->ProxyPassword->echoMode(), QLineEdit::Password);
  EXPECT_EQ(form->LoginNameLabel->text(), "Jméno");
  EXPECT_EQ(form->ProxyPasswordLabel->text(), "Heslo");
  EXPECT_EQ(form->ProxyConnectMethodLabel->text(), "Metoda proxy-přihlašování");
  EXPECT_EQ(form->DirLabel->text(), "FTP adresář (kořen pro upload všech projektů)");
  EXPECT_EQ(form->CancelButton->text(), "Zruš");
  form->show();
  EXPECT_TRUE(form->OKButton->isVisible());
  for (QWidget* w : std::initializer_list<QWidget*>{form->FTPLog, form->Info, form->FilePB,
                                                    form->FullPB, form->DirsPB, form->StatusBar})
    EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  // The user cannot resize it.
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  form->hide();
}

TEST_F(FTPFormTest, StoresTheSettingsAndCancelPutsThemBack) {
  OnNextModal<TFTPForm>([](TFTPForm& f) {
    Type(f.Host, "ftp.example.org");
    Type(f.Port, "2121");
    Type(f.LoginName, "photographer");
    Type(f.Password, "Tajne-heslo");
    Type(f.Dir, "www/galerie");
    Type(f.ProxyHost, "proxy.local");
    Type(f.ProxyPort, "8021");
    Type(f.ProxyPassword, "Proxy-heslo");
    f.ProxyConnectMethod->setCurrentIndex(4);
    f.Passive->setChecked(false);
    f.OKButton->click();
  });
  EXPECT_EQ(form->Execute(), QDialog::Accepted);
  EXPECT_TRUE(hook->Said().empty());
  const std::string stored = EverythingStored();
  EXPECT_NE(stored.find("ftp.example.org"), std::string::npos);
  EXPECT_EQ(stored.find("Tajne-heslo"), std::string::npos);
  EXPECT_EQ(stored.find("Proxy-heslo"), std::string::npos);

  // The next start finds them all; passive mode is on again.
  TFTPForm next;
  EXPECT_EQ(next.Host->text(), "ftp.example.org");
  EXPECT_EQ(next.Port->text().trimmed(), "2121");
  EXPECT_EQ(next.LoginName->text(), "photographer");
  EXPECT_EQ(next.Password->text(), "Tajne-heslo");
  EXPECT_EQ(next.Dir->text(), "www/galerie");
  EXPECT_EQ(next.ProxyPort->text().trimmed(), "8021");
  EXPECT_EQ(next.ProxyPassword->text(), "Proxy-heslo");
  EXPECT_EQ(next.ProxyConnectMethod->currentIndex(), 4);
  EXPECT_TRUE(next.Passive->isChecked());

  // Edits dropped by Cancel, passwords included.
  OnNextModal<TFTPForm>([](TFTPForm& f) {
    Type(f.Host, "other.example.org");
    Type(f.Password, "typed over");
    Type(f.ProxyPassword, "");
    f.CancelButton->click();
  });
  EXPECT_EQ(next.Execute(), QDialog::Rejected);
  EXPECT_EQ(next.Host->text(), "ftp.example.org");
  EXPECT_EQ(next.Password->text(), "Tajne-heslo");
  EXPECT_EQ(next.ProxyPassword->text(), "Proxy-heslo");
}

TEST_F(FTPFormTest, PortsAreCheckedBeforeTheyAreStored) {
  const struct {
    const char* port;
    const char* proxyHost;
    const char* proxyPort;
    const char* said;
  } cases[] = {
      {"", "", "0", "Port FTP serveru musí být číslo od 1 do 65535."},
      {"0", "", "0", "Port FTP serveru musí být číslo od 1 do 65535."},
      {"21", "proxy.local", "0", "Port proxy serveru musí být číslo od 1 do 65535."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port + std::string("|") + c.proxyHost);
    const ScopedMessageHook boxes;
    OnNextModal<TFTPForm>([&c](TFTPForm& f) {
      Type(f.Host, "ftp.example.org");
      Type(f.Port, c.port);
      Type(f.ProxyHost, c.proxyHost);
      Type(f.ProxyPort, c.proxyPort);
      f.OKButton->click();
      // Still open: the box told what is wrong.
      EXPECT_TRUE(f.isVisible());
      f.CancelButton->click();
    });
    EXPECT_EQ(form->Execute(), QDialog::Rejected);
    EXPECT_EQ(boxes.Said(), std::vector<std::string>{std::string("Chyba|") + c.said});
    EXPECT_EQ(EverythingStored().find("ftp.example.org"), std::string::npos);
  }
  // Without a proxy its "0" is no problem.
  OnNextModal<TFTPForm>([](TFTPForm& f) {
    Type(f.ProxyHost, "");
    Type(f.ProxyPort, "0");
    f.OKButton->click();
  });
  EXPECT_EQ(form->Execute(), QDialog::Accepted);
}

TEST_F(FTPFormTest, UploadShowsItsLogBarsAndStatus) {
  testsupport::TempDir server, web;
  for (const char* folder : FtpUpload::kFolders) {
    fs::create_directories(web.File(folder));
    WriteFileBytes(web.File(std::string(folder) + "/Page.htm"), "<html></html>");
  }
  std::string photo(1024 * 1024, '\0');
  for (size_t i = 0; i < photo.size(); ++i) photo[i] = static_cast<char>(i * 7 + i / 4093);
  WriteFileBytes(web.File("foto/IMG_1.JPG"), photo);
  ftptest::RealServer ftp(server.Path());
  ForServer(ftp.Port());

  ASSERT_TRUE(form->Connect()) << form->LastError();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->UploadMode());
  EXPECT_EQ(form->windowTitle(), "FTP kopírování");
  EXPECT_FALSE(form->Host->isEnabled());
  EXPECT_FALSE(form->Dir->isEnabled());
  EXPECT_FALSE(form->OKButton->isVisible());
  EXPECT_TRUE(form->FTPLog->isVisible());
  EXPECT_TRUE(form->StatusBar->isVisible());
  EXPECT_EQ(form->StatusPanels[0]->text(), "Spojeno");

  // What the window shows while the photo goes out, seen from its work
  // events; a timer runs meanwhile, so the program stays responsive.
  struct Seen {
    bool fileBar = false, fullBar = false, info = false;
    int fileValue = 0, fileMaximum = 0, dirs = 0;
    QString caption, rate;
  } seen;
  auto& events = form->FTPEng.Events();
  const auto shown = events.work;
  events.work = [&](platform::FtpWorkMode mode, int64_t bytes) {
    shown(mode, bytes);
    if (!form->Info->text().endsWith("img_1.jpg")) return;
    seen.fileBar = form->FilePB->isVisible();
    seen.fullBar = form->FullPB->isVisible();
    seen.info = form->Info->isVisible();
    seen.fileValue = form->FilePB->value();
    seen.fileMaximum = form->FilePB->maximum();
    seen.dirs = form->DirsPB->value();
    seen.caption = form->windowTitle();
    if (!form->StatusPanels[1]->text().isEmpty()) seen.rate = form->StatusPanels[1]->text();
  };
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(1);

  ASSERT_TRUE(form->UploadProject("Dovolená", web.Path(), "trip")) << form->LastError();
  timer.stop();
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(ReadFileBytes(server.File("www/trip/foto/img_1.jpg")), photo);
  for (const char* folder : FtpUpload::kFolders)
    EXPECT_TRUE(fs::exists(server.File("www/trip/") + folder + "/page.htm")) << folder;
  EXPECT_TRUE(seen.fileBar);
  EXPECT_TRUE(seen.fullBar);
  EXPECT_TRUE(seen.info);
  EXPECT_EQ(seen.fileMaximum, static_cast<int>(photo.size()));
  EXPECT_GT(seen.fileValue, 0);
  EXPECT_EQ(seen.dirs, 3);  // "foto" is the third folder
  EXPECT_EQ(seen.caption, "FTP kopírování  \"Dovolená\" ...");
  EXPECT_TRUE(QRegularExpression("^Rychlost uploadu \\d+\\.\\d\\d KB/s; Zbývající čas [ \\d]\\d:[ \\d]\\d:[ \\d]\\d$")
                  .match(seen.rate)
                  .hasMatch())
      << seen.rate.toStdString();
  // After the run the bars and the action are gone, the caption is back.
  EXPECT_FALSE(form->FilePB->isVisible());
  EXPECT_FALSE(form->FullPB->isVisible());
  EXPECT_FALSE(form->Info->isVisible());
  EXPECT_FALSE(form->DirsPB->isVisible());
  EXPECT_EQ(form->windowTitle(), "FTP kopírování");

  const std::vector<std::string> log = LogLines(*form);
  EXPECT_TRUE(Holds(log, "->> USER tester"));
  EXPECT_TRUE(Holds(log, "->> PASS ***"));
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& l) { return l.rfind("<<- 230", 0) == 0; }));
  EXPECT_TRUE(Holds(log, "->> STOR /www/trip/foto/img_1.jpg"));
  for (const std::string& line : log) EXPECT_EQ(line.find("secret"), std::string::npos) << line;
  EXPECT_EQ(form->FTPLog->verticalScrollBar()->value(), form->FTPLog->verticalScrollBar()->maximum());

  // Not closed while it uploads, neither by its close button nor by Esc.
  form->close();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());

  WriteFileBytes(web.File("Index.htm"), "<html>list</html>");
  ASSERT_TRUE(form->UploadFile(web.File("Index.htm"))) << form->LastError();
  EXPECT_EQ(ReadFileBytes(server.File("www/index.htm")), "<html>list</html>");

  EXPECT_TRUE(form->Disconnect());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->UploadMode());
  EXPECT_FALSE(form->IsConnected());
  EXPECT_EQ(form->windowTitle(), "Nastavení FTP");
  EXPECT_TRUE(form->Host->isEnabled());
  EXPECT_FALSE(form->UploadProject("Dovolená", web.Path(), "trip"));
  EXPECT_FALSE(form->UploadFile(web.File("Index.htm")));
}

// After a failed connection the window is the settings dialog again, and the
// user can close it.
TEST_F(FTPFormTest, FailedConnectionsReturnToSettings) {
  testsupport::TempDir server;
  ftptest::RealServer ftp(server.Path());
  const struct {
    const char* what;
    int port;
    const char* password;
    const char* error;
  } cases[] = {
      {"wrong password", ftp.Port(), "wrong", "530"},
      {"refused port", UnusedPort(), "secret", "Cannot connect"},
      {"invalid port", 0, "secret", "Port FTP serveru"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ForServer(c.port, c.password);
    if (c.port == 0) form->Port->clear();
    EXPECT_FALSE(form->Connect());
    EXPECT_NE(form->LastError().find(c.error), std::string::npos) << "\"" << form->LastError() << "\"";
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->UploadMode());
    EXPECT_FALSE(form->IsConnected());
    EXPECT_EQ(form->windowTitle(), "Nastavení FTP");
    EXPECT_TRUE(form->Password->isEnabled());
    OnNextModal<TFTPForm>([](TFTPForm& f) { f.close(); });
    EXPECT_EQ(form->Execute(), QDialog::Rejected);
  }
}

TEST(FTPFormGlobal, IsOneOfTheGlobalWindows) {
  WindowTestApp();
  testsupport::ScopedHome home;
  const ScopedMessageHook hook;
  GlobalWindows::Create(false);
  const TGlobalWindows& windows = GlobalWindows::Get();
  ASSERT_NE(windows.FTPForm, nullptr);
  EXPECT_EQ(windows.FTPForm->objectName(), "FTPForm");
  EXPECT_EQ(windows.FTPForm->parentWidget(), static_cast<QWidget*>(windows.MainForm));
  GlobalWindows::ApplyTexts();
  EXPECT_EQ(windows.FTPForm->windowTitle(), "Nastavení FTP");
  GlobalWindows::Destroy();
}

}  // namespace
