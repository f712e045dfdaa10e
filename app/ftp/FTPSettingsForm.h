// TFTPForm: the FTP settings and upload window (the global window FTPForm).
//
// In settings mode it is the dialog "Nastavení FTP": the FTP server, the
// upload folder and an optional proxy, stored by FtpSettings with the
// passwords enciphered. In upload mode the same window, its edits disabled,
// shows an upload run: the protocol log, the current action, the bytes of
// the current file, the steps of the current folder, the folders of the
// current project, and the status bar (connection, rate and time left, last
// status). The main window's Web menu opens the dialog (Execute) and drives
// uploads through Connect, UploadProject, UploadFile and Disconnect.
//
// The window owns the FTP client and, while connected, the upload run
// (TFtpUpload), whose callbacks and the client's events it shows; each of
// them lets pending events run, so the program stays responsive during a
// transfer. It cannot be resized, nor closed in upload mode.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QDialog>

#include "gallery/publish/FtpSettings.h"
#include "platform/ftp/FtpClient.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;
class TFtpUpload;

class TFTPForm : public QDialog {
 public:
  // The key both stored passwords are enciphered with.
  static constexpr const char* kFtpKey = FtpSettings::kFtpKey;
  // The most lines the log keeps; older ones leave at the top.
  static constexpr int kMaxLogLines = 10000;

  // FormCreate: settings mode, the first login method, the texts, the
  // stored settings; the passive box checked whatever was used last.
  explicit TFTPForm(QWidget* owner = nullptr);
  ~TFTPForm() override;

  void ApplyTexts();
  // Shows the settings dialog modally. OK saves (after the port check; a
  // failure is told and the dialog stays), Cancel and closing reload the
  // stored values, so edits are undone. Returns the dialog's result.
  int Execute();
  // Every control from the stored settings, the current contents as the
  // defaults.
  void LoadSettings();
  // Stores the controls' values; afterwards no login method chosen becomes
  // the first. False when the settings could not be written.
  bool SaveSettings();
  // The controls' values, and back.
  FtpSettings::TFtpSettings Values() const;
  void SetValues(const FtpSettings::TFtpSettings& values);

  // Upload mode on: the edits disabled, the log, bars and status bar shown;
  // off: the settings dialog again.
  void SetUploadMode(bool on);
  bool UploadMode() const { return uploadMode_; }
  // Checks the ports, enters upload mode, shows the window (not modally)
  // and connects. False, back in settings mode and hidden, when a port is
  // invalid or the connection failed (LastError says why).
  bool Connect();
  // Settings mode, the window hidden, the connection closed. Always true.
  bool Disconnect();
  bool IsConnected() const { return upload_ != nullptr; }
  // Mirrors the gallery of one project (its output folder localWebFolder)
  // into the upload folder's remoteName, folder after folder; the caption
  // names the project meanwhile. False without a connection and at the
  // first folder that fails.
  bool UploadProject(const std::string& projectName, const std::string& localWebFolder,
                     const std::string& remoteName);
  // Sends a file into the upload folder under its name lower-cased. False
  // without a connection or when it could not be sent.
  bool UploadFile(const std::string& localFile);
  // Why the last Connect, UploadProject or UploadFile failed.
  const std::string& LastError() const { return error_; }
  // The files sent since Connect (TFtpUpload::FilesSent); 0 without a
  // connection.
  int64_t FilesSent() const;

  // --- Handlers ------------------------------------------------------------------
  void OKButtonClick();
  void CancelButtonClick();

  // --- The upload run's callbacks and the client's events ---------------------------
  void Begin(int total);
  void Action(int action, const std::string& path, int64_t size);
  void End();
  void FTPEngWorkBegin(platform::FtpWorkMode mode, int64_t maximum);
  void FTPEngWork(platform::FtpWorkMode mode, int64_t bytes);
  void FTPEngWorkEnd();
  void FTPEngStatus(const std::string& text);
  void FTPEngConnected();
  void FTPEngDisconnected();
  // The protocol log: every line received and sent.
  void LogEventReceived(const std::string& text);
  void LogEventSent(const std::string& text);

  // --- Controls --------------------------------------------------------------------
  QGroupBox* FTPGroup;
  QLabel* HostLabel;
  QLineEdit* Host;
  QLabel* PortLabel;
  QLineEdit* Port;
  QLabel* LoginNameLabel;
  QLineEdit* LoginName;
  QLabel* PasswordLabel;
  QLineEdit* Password;
  QLabel* DirLabel;
  QLineEdit* Dir;
  QCheckBox* Passive;
  QGroupBox* ProxyGroup;
  QLabel* ProxyHostLabel;
  QLineEdit* ProxyHost;
  QLabel* ProxyPortLabel;
  QLineEdit* ProxyPort;
  QLabel* ProxyLoginNameLabel;
  QLineEdit* ProxyLoginName;
  QLabel* ProxyPasswordLabel;
  QLineEdit* ProxyPassword;
  QLabel* ProxyConnectMethodLabel;
  QComboBox* ProxyConnectMethod;
  QPushButton* OKButton;
  QPushButton* CancelButton;
  QWidget* UploadPanel;  // holds what only upload mode shows
  QListWidget* FTPLog;
  QLabel* Info;
  QProgressBar* FilePB;
  QProgressBar* FullPB;
  QProgressBar* DirsPB;
  QStatusBar* StatusBar;
  QLabel* StatusPanels[3];
  platform::FtpClient FTPEng;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Esc and the window's close button: Cancel in settings mode, nothing in
  // upload mode.
  void reject() override;

 private:
  void BuildLayout();
  void ConnectControls();
  void ConnectClientEvents();
  // Lets pending events run, at most every few milliseconds.
  void Pump();
  void AddLogLine(const QString& line);
  void AddLogLines(const char* prefix, const std::string& text);
  // The text of the port problem; empty when the ports are valid.
  std::string PortProblemText() const;

  bool uploadMode_ = false;
  std::unique_ptr<TFtpUpload> upload_;
  std::string error_;
  // The current transfer: its start (steady clock, ms), the rate in KB/s,
  // the size of the file of the last upload or download action, and the
  // divisor that fits its bytes into the bar.
  int64_t startMs_ = 0;
  double rate_ = 0;
  int64_t fileSize_ = 0;
  int64_t barScale_ = 1;
  int64_t pumpedMs_ = 0;
};
