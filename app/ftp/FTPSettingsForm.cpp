#include "app/ftp/FTPSettingsForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <limits>

#include "app/widgets/FormTools.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/StrFunc.h"
#include "gallery/publish/FtpUpload.h"
#include "platform/BusyNotice.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;
using FormTools::Text;

constexpr int kTextUserName = 280;
constexpr int kTextPassword = 281;
constexpr int kTextProxyMethod = 282;
constexpr int kTextDir = 283;
constexpr int kTextCancel = 279;
constexpr int kTextUploadCaption = 535;
constexpr int kTextSettingsCaption = 536;
constexpr int kTextConnected = 537;
constexpr int kTextDisconnected = 538;
constexpr int kTextReadRate = 539;
constexpr int kTextWriteRate = 540;
constexpr int kTextTimeLeft = 541;
constexpr int kTextError = 516;
constexpr int kTextFtpGroup = 680;
constexpr int kTextProxyGroup = 681;
constexpr int kTextHost = 682;
constexpr int kTextPort = 683;
constexpr int kTextPassive = 684;
constexpr int kTextBadFtpPort = 685;
constexpr int kTextBadProxyPort = 686;
constexpr int kTextCannotSave = 687;

// The proxy login methods in the order of platform::FtpProxyMethod.
constexpr int kProxyMethods[] = {387, 388, 389, 390, 391, 392};

// The actions of FtpMng, by their codes.
constexpr const char* kActionTexts[] = {"Upload: ", "Download: ", "Delete: ", "Rename: ",
                                        "MkDir: ",  "RmDir: ",    "ChDir: ",  "ScanDir: "};

constexpr int kStatusWidths[] = {110, 330};
constexpr int64_t kPumpIntervalMs = 15;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A port edit: digits, the unused places blank. Five places, as ports go
// up to 65535.
QLineEdit* PortEdit(QWidget* parent, const char* name, const char* text) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setInputMask("00000; ");
  edit->setText(text);
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("000000") + 16);
  return edit;
}

QLineEdit* PasswordEdit(QWidget* parent, const char* name) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setEchoMode(QLineEdit::Password);
  edit->setStyleSheet("lineedit-password-character: 42;");
  return edit;
}

QProgressBar* Bar(QWidget* parent, const char* name) {
  auto* bar = Named(new QProgressBar(parent), name);
  bar->setTextVisible(false);
  bar->setMaximumHeight(bar->fontMetrics().height());
  // Bars come and go with each file and folder; the window keeps its size.
  QSizePolicy policy = bar->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  bar->setSizePolicy(policy);
  return bar;
}

// "0.00 KB/s" with "." whatever the locale.
std::string RateText(double rate) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, rate, std::chars_format::fixed, 2);
  return std::string(digits, result.ptr) + " KB/s";
}

std::string TimeText(int64_t seconds) {
  const int64_t capped = std::clamp<int64_t>(seconds, 0, 99 * 3600 + 59 * 60 + 59);
  char text[32];
  std::snprintf(text, sizeof text, "%2d:%2d:%2d", static_cast<int>(capped / 3600),
                static_cast<int>(capped / 60 % 60), static_cast<int>(capped % 60));
  return text;
}

// One group's fields: host and port, user name, password, and a wide field
// below its label.
void LayOutGroup(QGroupBox* group, QLabel* hostLabel, QLineEdit* host, QLabel* portLabel,
                 QLineEdit* port, QLabel* userLabel, QLineEdit* user, QLabel* passwordLabel,
                 QLineEdit* password, QLabel* wideLabel, QWidget* wide) {
  auto* grid = new QGridLayout(group);
  grid->addWidget(hostLabel, 0, 0);
  grid->addWidget(host, 0, 1);
  grid->addWidget(portLabel, 0, 2);
  grid->addWidget(port, 0, 3);
  grid->addWidget(userLabel, 1, 0);
  grid->addWidget(user, 1, 1, 1, 3);
  grid->addWidget(passwordLabel, 2, 0);
  grid->addWidget(password, 2, 1, 1, 3);
  grid->addWidget(wideLabel, 3, 0, 1, 4);
  grid->addWidget(wide, 4, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnMinimumWidth(1, 180);
}

}  // namespace

TFTPForm::TFTPForm(QWidget* owner)
    : QDialog(owner),
      FTPGroup(Named(new QGroupBox(this), "FTPGroup")),
      HostLabel(Named(new QLabel(FTPGroup), "HostLabel")),
      Host(Named(new QLineEdit(FTPGroup), "Host")),
      PortLabel(Named(new QLabel(FTPGroup), "PortLabel")),
      Port(PortEdit(FTPGroup, "Port", "21")),
      LoginNameLabel(Named(new QLabel(FTPGroup), "LoginNameLabel")),
      LoginName(Named(new QLineEdit(FTPGroup), "LoginName")),
      PasswordLabel(Named(new QLabel(FTPGroup), "PasswordLabel")),
      Password(PasswordEdit(FTPGroup, "Password")),
      DirLabel(Named(new QLabel(FTPGroup), "DirLabel")),
      Dir(Named(new QLineEdit(FTPGroup), "Dir")),
      Passive(Named(new QCheckBox(FTPGroup), "Passive")),
      ProxyGroup(Named(new QGroupBox(this), "ProxyGroup")),
      ProxyHostLabel(Named(new QLabel(ProxyGroup), "ProxyHostLabel")),
      ProxyHost(Named(new QLineEdit(ProxyGroup), "ProxyHost")),
      ProxyPortLabel(Named(new QLabel(ProxyGroup), "ProxyPortLabel")),
      ProxyPort(PortEdit(ProxyGroup, "ProxyPort", "0")),
      ProxyLoginNameLabel(Named(new QLabel(ProxyGroup), "ProxyLoginNameLabel")),
      ProxyLoginName(Named(new QLineEdit(ProxyGroup), "ProxyLoginName")),
      ProxyPasswordLabel(Named(new QLabel(ProxyGroup), "ProxyPasswordLabel")),
      ProxyPassword(PasswordEdit(ProxyGroup, "ProxyPassword")),
      ProxyConnectMethodLabel(Named(new QLabel(ProxyGroup), "ProxyConnectMethodLabel")),
      ProxyConnectMethod(Named(new QComboBox(ProxyGroup), "ProxyConnectMethod")),
      OKButton(Named(new QPushButton("OK", this), "OKButton")),
      CancelButton(Named(new QPushButton(this), "CancelButton")),
      UploadPanel(Named(new QWidget(this), "UploadPanel")),
      FTPLog(Named(new QListWidget(UploadPanel), "FTPLog")),
      Info(Named(new QLabel(UploadPanel), "Info")),
      FilePB(Bar(UploadPanel, "FilePB")),
      FullPB(Bar(UploadPanel, "FullPB")),
      DirsPB(Bar(UploadPanel, "DirsPB")),
      StatusBar(Named(new QStatusBar(this), "StatusBar")),
      StatusPanels{Named(new QLabel(StatusBar), "StatusPanel0"),
                   Named(new QLabel(StatusBar), "StatusPanel1"),
                   Named(new QLabel(StatusBar), "StatusPanel2")} {
  setObjectName("FTPForm");
  for (int method : kProxyMethods) ProxyConnectMethod->addItem(Text(method));
  ProxyConnectMethod->setCurrentIndex(0);
  Passive->setChecked(true);
  BuildLayout();
  ConnectControls();
  ConnectClientEvents();
  SetUploadMode(false);
  ApplyTexts();
  LoadSettings();
  appform::AutoChangeAppFont(this);
}

TFTPForm::~TFTPForm() {
  // The run's events reach this window: it goes first.
  upload_.reset();
}

void TFTPForm::BuildLayout() {
  LayOutGroup(FTPGroup, HostLabel, Host, PortLabel, Port, LoginNameLabel, LoginName, PasswordLabel,
              Password, DirLabel, Dir);
  static_cast<QGridLayout*>(FTPGroup->layout())->addWidget(Passive, 5, 0, 1, 4);
  LayOutGroup(ProxyGroup, ProxyHostLabel, ProxyHost, ProxyPortLabel, ProxyPort,
              ProxyLoginNameLabel, ProxyLoginName, ProxyPasswordLabel, ProxyPassword,
              ProxyConnectMethodLabel, ProxyConnectMethod);
  static_cast<QGridLayout*>(ProxyGroup->layout())->setRowStretch(5, 1);
  auto* groups = new QHBoxLayout;
  groups->addWidget(FTPGroup, 1);
  groups->addWidget(ProxyGroup, 1);

  OKButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);

  FTPLog->setMinimumHeight(FTPLog->fontMetrics().height() * 14);
  FTPLog->setUniformItemSizes(true);
  FTPLog->setSelectionMode(QAbstractItemView::NoSelection);
  // A long path is clipped, never widens the window.
  Info->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  Info->setMinimumHeight(Info->fontMetrics().height());
  QSizePolicy infoPolicy = Info->sizePolicy();
  infoPolicy.setRetainSizeWhenHidden(true);
  Info->setSizePolicy(infoPolicy);
  auto* upload = new QVBoxLayout(UploadPanel);
  upload->setContentsMargins(0, 0, 0, 0);
  upload->addWidget(FTPLog);
  upload->addWidget(Info);
  upload->addWidget(FilePB);
  upload->addWidget(FullPB);
  upload->addWidget(DirsPB);

  // Panels of fixed widths and the last one taking the rest; a long text
  // is clipped, never widens the window.
  for (size_t i = 0; i < std::size(StatusPanels); ++i) {
    QLabel* panel = StatusPanels[i];
    if (i < std::size(kStatusWidths)) {
      panel->setFixedWidth(kStatusWidths[i]);
      StatusBar->addWidget(panel);
    } else {
      panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      StatusBar->addWidget(panel, 1);
    }
  }
  StatusBar->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  layout->addWidget(UploadPanel);
  layout->addWidget(StatusBar);
  // The user cannot resize the window; it grows by what upload mode shows.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFTPForm::ConnectControls() {
  using SlotGuard::Handler;
  connect(OKButton, &QPushButton::clicked, this, Handler(this, &TFTPForm::OKButtonClick));
  connect(CancelButton, &QPushButton::clicked, this, Handler(this, &TFTPForm::CancelButtonClick));
}

void TFTPForm::ConnectClientEvents() {
  using platform::FtpWorkMode;
  platform::FtpClientEvents& e = FTPEng.Events();
  e.workBegin = [this](FtpWorkMode mode, int64_t maximum) { FTPEngWorkBegin(mode, maximum); };
  e.work = [this](FtpWorkMode mode, int64_t bytes) { FTPEngWork(mode, bytes); };
  e.workEnd = [this](FtpWorkMode) { FTPEngWorkEnd(); };
  e.status = [this](const std::string& text) { FTPEngStatus(text); };
  e.connected = [this] { FTPEngConnected(); };
  e.disconnected = [this] { FTPEngDisconnected(); };
  e.sent = [this](const std::string& line) { LogEventSent(line); };
  e.received = [this](const std::string& line) { LogEventReceived(line); };
  e.pump = [this] { Pump(); };
}

void TFTPForm::ApplyTexts() {
  setWindowTitle(Text(uploadMode_ ? kTextUploadCaption : kTextSettingsCaption));
  FTPGroup->setTitle(Text(kTextFtpGroup));
  ProxyGroup->setTitle(Text(kTextProxyGroup));
  for (QLabel* label : {HostLabel, ProxyHostLabel}) label->setText(Text(kTextHost));
  for (QLabel* label : {PortLabel, ProxyPortLabel}) label->setText(Text(kTextPort));
  for (QLabel* label : {LoginNameLabel, ProxyLoginNameLabel}) label->setText(Text(kTextUserName));
  for (QLabel* label : {PasswordLabel, ProxyPasswordLabel}) label->setText(Text(kTextPassword));
  ProxyConnectMethodLabel->setText(Text(kTextProxyMethod));
  for (int i = 0; i < ProxyConnectMethod->count(); ++i)
    ProxyConnectMethod->setItemText(i, Text(kProxyMethods[static_cast<size_t>(i)]));
  DirLabel->setText(Text(kTextDir));
  Passive->setText(Text(kTextPassive));
  CancelButton->setText(Text(kTextCancel));
}

FtpSettings::TFtpSettings TFTPForm::Values() const {
  FtpSettings::TFtpSettings v;
  v.Host = S(Host->text());
  v.Port = S(Port->text());
  v.LoginName = S(LoginName->text());
  v.Password = S(Password->text());
  v.Dir = S(Dir->text());
  v.ProxyHost = S(ProxyHost->text());
  v.ProxyPort = S(ProxyPort->text());
  v.ProxyLoginName = S(ProxyLoginName->text());
  v.ProxyPassword = S(ProxyPassword->text());
  v.ProxyConnectMethod = ProxyConnectMethod->currentIndex();
  return v;
}

void TFTPForm::SetValues(const FtpSettings::TFtpSettings& v) {
  Host->setText(Q(v.Host));
  Port->setText(Q(v.Port));
  LoginName->setText(Q(v.LoginName));
  Password->setText(Q(v.Password));
  Dir->setText(Q(v.Dir));
  ProxyHost->setText(Q(v.ProxyHost));
  ProxyPort->setText(Q(v.ProxyPort));
  ProxyLoginName->setText(Q(v.ProxyLoginName));
  ProxyPassword->setText(Q(v.ProxyPassword));
  const int method = v.ProxyConnectMethod;
  ProxyConnectMethod->setCurrentIndex(method >= 0 && method < ProxyConnectMethod->count() ? method
                                                                                         : -1);
}

void TFTPForm::LoadSettings() {
  FtpSettings::TFtpSettings values = Values();
  FtpSettings::Load(values);
  SetValues(values);
}

bool TFTPForm::SaveSettings() {
  const bool saved = FtpSettings::Save(Values());
  if (ProxyConnectMethod->currentIndex() == -1) ProxyConnectMethod->setCurrentIndex(0);
  return saved;
}

std::string TFTPForm::PortProblemText() const {
  switch (FtpSettings::CheckPorts(Values())) {
    case FtpSettings::TPortProblem::kFtpPort: return Language::GetText(kTextBadFtpPort);
    case FtpSettings::TPortProblem::kProxyPort: return Language::GetText(kTextBadProxyPort);
    case FtpSettings::TPortProblem::kNone: break;
  }
  return {};
}

int TFTPForm::Execute() {
  SetUploadMode(false);
  return exec();
}

void TFTPForm::OKButtonClick() {
  const std::string problem = PortProblemText();
  if (!problem.empty()) {
    platform::ShowMessageBox(problem, Language::GetText(kTextError), platform::MessageButtons::Ok,
                             platform::MessageIcon::Error);
    return;
  }
  if (!SaveSettings()) {
    platform::ShowMessageBox(Language::GetText(kTextCannotSave), Language::GetText(kTextError),
                             platform::MessageButtons::Ok, platform::MessageIcon::Error);
    return;
  }
  accept();
}

void TFTPForm::CancelButtonClick() { reject(); }

void TFTPForm::reject() {
  if (uploadMode_) return;
  SlotGuard::Run([this] { LoadSettings(); });
  QDialog::reject();
}

void TFTPForm::closeEvent(QCloseEvent* event) {
  if (uploadMode_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TFTPForm::SetUploadMode(bool on) {
  uploadMode_ = on;
  setWindowTitle(Text(on ? kTextUploadCaption : kTextSettingsCaption));
  for (QProgressBar* bar : {FilePB, FullPB, DirsPB}) bar->setValue(0);
  OKButton->setVisible(!on);
  CancelButton->setVisible(!on);
  for (QWidget* widget : {static_cast<QWidget*>(FTPLog), static_cast<QWidget*>(Info),
                          static_cast<QWidget*>(FilePB), static_cast<QWidget*>(FullPB),
                          static_cast<QWidget*>(DirsPB)})
    widget->setVisible(on);
  UploadPanel->setVisible(on);
  // The groups hold every setting edit and its label.
  FTPGroup->setEnabled(!on);
  ProxyGroup->setEnabled(!on);
  for (QLabel* panel : StatusPanels) panel->clear();
  StatusBar->setVisible(on);
  // While an upload runs, the other windows take no input: no second
  // command starts meanwhile.
  if (!isVisible()) setWindowModality(on ? Qt::ApplicationModal : Qt::NonModal);
}

bool TFTPForm::Connect() {
  error_.clear();
  if (ProxyConnectMethod->currentIndex() == -1) ProxyConnectMethod->setCurrentIndex(0);
  error_ = PortProblemText();
  if (!error_.empty()) return false;
  SetUploadMode(true);
  FTPLog->clear();
  FTPEng.Settings() = FtpSettings::ClientSettings(Values(), Passive->isChecked());
  TFtpUploadEvents events;
  events.begin = [this](int total) { Begin(total); };
  events.action = [this](int action, const std::string& path, int64_t size) {
    Action(action, path, size);
  };
  events.end = [this] { End(); };
  upload_ = std::make_unique<TFtpUpload>(FTPEng, std::move(events));
  // Shown while it connects: the status bar and the log tell how far it got.
  show();
  if (upload_->Connect()) return true;
  error_ = upload_->LastError();
  upload_.reset();
  hide();
  SetUploadMode(false);
  return false;
}

bool TFTPForm::Disconnect() {
  hide();
  SetUploadMode(false);
  if (upload_ != nullptr) upload_->Disconnect();
  upload_.reset();
  return true;
}

bool TFTPForm::UploadProject(const std::string& projectName, const std::string& localWebFolder,
                             const std::string& remoteName) {
  if (upload_ == nullptr) {
    error_ = "Not connected";
    return false;
  }
  const QString caption = windowTitle();
  setWindowTitle(caption + "  \"" + Q(projectName) + "\" ...");
  DirsPB->setRange(0, FtpUpload::kFolderCount);
  DirsPB->setValue(0);
  DirsPB->show();
  const bool ok = upload_->UploadProject(localWebFolder, remoteName, S(Dir->text()), [this](int n) {
    DirsPB->setValue(n);
    Pump();
  });
  error_ = upload_->LastError();
  DirsPB->hide();
  setWindowTitle(caption);
  return ok;
}

int64_t TFTPForm::FilesSent() const { return upload_ != nullptr ? upload_->FilesSent() : 0; }

bool TFTPForm::UploadFile(const std::string& localFile) {
  if (upload_ == nullptr) {
    error_ = "Not connected";
    return false;
  }
  const bool ok = upload_->UploadFile(localFile, S(Dir->text()));
  error_ = upload_->LastError();
  return ok;
}

void TFTPForm::Begin(int total) {
  FullPB->setRange(0, std::max(total, 1));
  FullPB->setValue(0);
  Info->clear();
  FullPB->show();
  Info->show();
  Pump();
}

void TFTPForm::Action(int action, const std::string& path, int64_t size) {
  QString text;
  if (action >= 0 && action < static_cast<int>(std::size(kActionTexts)))
    text = QString::fromUtf8(kActionTexts[action]) + Q(path);
  if ((action == 0 || action == 1) && !FullPB->isHidden()) {
    FullPB->setValue(std::min(FullPB->value() + 1, FullPB->maximum()));
    fileSize_ = size;
  }
  Info->setText(text);
  Info->setVisible(!text.isEmpty());
  Pump();
}

void TFTPForm::End() {
  FilePB->hide();
  FullPB->hide();
  Info->hide();
  Pump();
}

void TFTPForm::FTPEngWorkBegin(platform::FtpWorkMode, int64_t maximum) {
  startMs_ = NowMs();
  const int64_t bytes = maximum < 1 ? fileSize_ : maximum;
  constexpr int64_t kBarMax = std::numeric_limits<int>::max();
  barScale_ = bytes > kBarMax ? bytes / kBarMax + 1 : 1;
  FilePB->setRange(0, static_cast<int>(std::max<int64_t>(bytes, 0) / barScale_));
  FilePB->setValue(0);
  rate_ = 0;
  FilePB->show();
  Pump();
}

void TFTPForm::FTPEngWork(platform::FtpWorkMode mode, int64_t bytes) {
  const double elapsed = static_cast<double>(NowMs() - startMs_) / 1000.0;
  if (elapsed > 0) rate_ = static_cast<double>(bytes) / 1024.0 / elapsed;
  QLabel* panel = StatusPanels[1];
  if (rate_ > 0) {
    std::string text =
        Language::GetText(mode == platform::FtpWorkMode::Read ? kTextReadRate : kTextWriteRate) +
        " " + RateText(rate_) + "; ";
    const int64_t maximum = static_cast<int64_t>(FilePB->maximum()) * barScale_;
    if (maximum > 0) {
      const double left = static_cast<double>(maximum - bytes) / 1024.0 / rate_;
      text += Language::GetText(kTextTimeLeft) + " " + TimeText(static_cast<int64_t>(left));
    }
    panel->setText(Q(text));
  } else {
    panel->clear();
  }
  FilePB->setValue(static_cast<int>(std::min<int64_t>(bytes / barScale_, FilePB->maximum())));
  Pump();
}

void TFTPForm::FTPEngWorkEnd() {
  fileSize_ = 0;
  FilePB->setValue(0);
  rate_ = 0;
  Pump();
}

void TFTPForm::FTPEngStatus(const std::string& text) {
  if (!StrFunc::Trim(text).empty()) AddLogLine(Q(text));
  StatusPanels[2]->setText(Q(text));
  Pump();
}

void TFTPForm::FTPEngConnected() {
  StatusPanels[0]->setText(Text(kTextConnected));
  Pump();
}

void TFTPForm::FTPEngDisconnected() {
  StatusPanels[0]->setText(Text(kTextDisconnected));
  Pump();
}

void TFTPForm::LogEventReceived(const std::string& text) { AddLogLines("<<- ", text); }

void TFTPForm::LogEventSent(const std::string& text) { AddLogLines("->> ", text); }

void TFTPForm::AddLogLines(const char* prefix, const std::string& text) {
  // Each carriage return ends a line; a line feed right after it belongs to it.
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\r', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    AddLogLine(QString::fromUtf8(prefix) + QString::fromStdString(line));
    if (end == std::string::npos) break;
    start = end + 1;
    if (start < text.size() && text[start] == '\n') ++start;
    if (start == text.size()) break;
  }
  Pump();
}

void TFTPForm::Pump() {
  // Events run and the window repaints about 60 times a second, not after
  // each of the many lines and chunks of a fast run.
  const int64_t now = NowMs();
  if (now - pumpedMs_ < kPumpIntervalMs) return;
  pumpedMs_ = now;
  platform::PumpEvents();
}

void TFTPForm::AddLogLine(const QString& line) {
  FTPLog->addItem(line);
  while (FTPLog->count() > kMaxLogLines) delete FTPLog->takeItem(0);
  FTPLog->scrollToBottom();
}
