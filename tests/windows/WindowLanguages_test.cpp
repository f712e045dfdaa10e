// Every window in the language chosen. The program starts in Czech and the
// user picks English from the Language menu: no window then shows a Czech
// letter in a title, label, button, group box, check box, menu item, tab or
// column header, list of choices, tooltip or the side pane of a file dialog,
// and the tools' messages are English too. Picked back, Czech windows show
// none of the English captions they once kept.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

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
#include "app/places/GPSLocations.h"
#include "app/projects/HtmlProjectSettings.h"
#include "app/projects/ProjectList.h"
#include "app/slideshow/SlideShowForm.h"
#include "app/slideshow/SlideShowProjects.h"
#include "app/slideshow/SlideThumbListForm.h"
#include "app/start/GlobalWindows.h"
#include "foundation/config/cfgtools.h"
#include "photos/batch/HromadneAkceReport.h"
#include "photos/bysize/edit_imgsizeWork.h"
#include "photos/renumber/edit_speccislovaniWork.h"
#include "photos/resort/edit_imgresortWork.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace {

namespace fs = std::filesystem;

const QRegularExpression kCzechLetter("[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]");

// Captions the Czech windows once showed in English.
const QStringList kEnglishCaptions = {
    "Location",
    "Current folder:",
    "New folder",
    "SlideShow Menu",
    "Computer",
    "Send USER and optional password",
    "Proxy USER/PSW followed login USER/PSW",
    "Proxy USER/PSW, than SITE command",
    "Proxy USER/PSW, than OPEN command",
    "USER user@proxyuser@host / PASS pass@proxypass",
    "Transparent - USER/PSW followed login USER/PSW",
};

// A text a window shows, and where.
struct TShown {
  QString where;
  QString text;
};

class TTexts {
 public:
  // Objects whose texts are no captions: the names of languages, each in its
  // own language, and what the user keeps (paths).
  explicit TTexts(std::set<const QObject*> exempt) : exempt_(std::move(exempt)) {}

  // Every text window and the widgets and actions inside it show; what an
  // earlier walk saw (a window inside another) only once.
  void Walk(QWidget& window) {
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
      if (Fresh(*widget)) Widget(*widget);
    }
    for (QAction* action : window.findChildren<QAction*>()) {
      if (!Fresh(*action)) continue;
      Add(*action, "action", action->text());
      Add(*action, "tooltip", action->toolTip());
    }
  }
  // Walks window again, as it shows itself now.
  void WalkAgain(QWidget& window) {
    seen_.erase(&window);
    for (QObject* inside : window.findChildren<QObject*>()) seen_.erase(inside);
    Walk(window);
  }

  const std::vector<TShown>& Shown() const { return shown_; }

 private:
  void Widget(QWidget& w) {
    if (w.isWindow()) Add(w, "title", w.windowTitle());
    Add(w, "tooltip", w.toolTip());
    if (auto* label = qobject_cast<QLabel*>(&w)) Add(w, "label", label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(&w)) Add(w, "button", button->text());
    if (auto* group = qobject_cast<QGroupBox*>(&w)) Add(w, "group", group->title());
    if (auto* tabs = qobject_cast<QTabBar*>(&w)) {
      for (int i = 0; i < tabs->count(); ++i) {
        Add(w, "tab", tabs->tabText(i));
        Add(w, "tab tooltip", tabs->tabToolTip(i));
      }
    }
    // Editable lists and a file dialog's list of folders hold the user's.
    auto* combo = qobject_cast<QComboBox*>(&w);
    if (combo != nullptr && !combo->isEditable() && w.objectName() != "lookInCombo") {
      for (int i = 0; i < combo->count(); ++i) Add(w, "choice", combo->itemText(i));
    }
    if (auto* header = qobject_cast<QHeaderView*>(&w); header != nullptr && header->model()) {
      for (int i = 0; i < header->count(); ++i)
        Add(w, "column", header->model()->headerData(i, header->orientation()).toString());
    }
    // A file dialog's places.
    if (auto* places = qobject_cast<QListView*>(&w); places && w.objectName() == "sidebar") {
      for (int i = 0; i < places->model()->rowCount(); ++i)
        Add(w, "place", places->model()->index(i, 0).data().toString());
    }
  }

  bool Fresh(const QObject& o) { return !exempt_.count(&o) && seen_.insert(&o).second; }

  void Add(const QObject& o, const char* what, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    // The window a control stands in, and the control.
    QString where = o.objectName();
    for (const QObject* up = o.parent(); up != nullptr; up = up->parent()) {
      if (up->isWidgetType() && static_cast<const QWidget*>(up)->isWindow()) {
        where = up->objectName() + "/" + where;
        break;
      }
    }
    shown_.push_back({where + " " + what, text});
  }

  std::set<const QObject*> exempt_;
  std::set<const QObject*> seen_;
  std::vector<TShown> shown_;
};

// "where: text" of each text that matches.
QStringList Matching(const std::vector<TShown>& shown, const std::function<bool(const QString&)>& test) {
  QStringList found;
  for (const TShown& s : shown)
    if (test(s.text)) found << s.where + ": " + s.text;
  return found;
}

bool IsCzech(const QString& text) { return text.contains(kCzechLetter); }
bool IsEnglishCaption(const QString& text) { return kEnglishCaptions.contains(text.trimmed()); }

class WindowLanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    hook = std::make_unique<ScopedMessageHook>();
    fs::create_directories(home.Path() + "/data/lng");
    fs::copy_file(QUILLMARSH_PROGRAM_LNG "/English.lng", home.Path() + "/data/lng/English.lng");
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.WriteInteger("Language", 0x0405);
  }
  void TearDown() override {
    GlobalWindows::Destroy();
    Language::LoadLanguage("DEFAULT");
  }

  // Picks the language from the main window's Language menu, as a user does.
  static void Choose(const QString& name) {
    for (QAction* item : Languages(*GlobalWindows::Get().MainForm)) {
      if (item->text() == name) item->trigger();
    }
    QCoreApplication::processEvents();
  }

  static QList<QAction*> Languages(TMainForm& main) {
    return FindNamed<QAction>(main, "Language")->menu()->actions();
  }

  // The texts of every window of the program, as the language in force
  // shows them.
  static std::vector<TShown> EveryWindow() {
    const TGlobalWindows& g = GlobalWindows::Get();
    std::set<const QObject*> exempt;
    for (QAction* item : Languages(*g.MainForm)) exempt.insert(item);
    exempt.insert(FindNamed<QComboBox>(*g.Form2, "WebLanguage"));
    TTexts texts(exempt);
    for (QWidget* window : std::initializer_list<QWidget*>{
             g.MainForm, g.frmHA, g.Form2, g.Form4, g.FTPForm, g.ThumbnailListForm, g.frmGPS,
             g.ImgList, g.frmModalGauge, g.frmEditStr})
      texts.Walk(*window);
    // The upload window is the settings window in its other mode.
    g.FTPForm->SetUploadMode(true);
    texts.WalkAgain(*g.FTPForm);
    g.FTPForm->SetUploadMode(false);

    // The windows made for one use: the batch tools, the player's windows,
    // the small dialogs, the pickers and the progress windows.
    edit_imgsize::TResolutionList noPhotos(QUILLMARSH_TEST_DATA, {}, nullptr);
    std::vector<std::unique_ptr<QWidget>> once;
    once.emplace_back(new Tfrm_specnum);
    once.emplace_back(new TImgResort);
    once.emplace_back(new TImgSizeList(nullptr, noPhotos));
    once.emplace_back(new TSlideShowList);
    once.emplace_back(new TSlideThumbListForm);
    once.emplace_back(new TSlideShow);
    once.emplace_back(new TForm3(g.Form2));
    once.emplace_back(new TForm5);
    once.emplace_back(new TAboutBox);
    once.emplace_back(new TImageListForm);
    once.emplace_back(new TfrmWait(Language::GetText(56), 0, 2));
    for (const auto& window : once) texts.Walk(*window);
    InfoWindow::ShowInfo(Language::GetText(542));
    texts.Walk(*InfoWindow::Current());
    InfoWindow::HideInfo();

    // A folder dialog made at start, opened now.
    OnNextModal<QFileDialog>([&texts](QFileDialog& dialog) {
      texts.Walk(dialog);
      dialog.reject();
    });
    g.frmHA->Folder->Execute();
    return texts.Shown();
  }

  std::unique_ptr<ScopedMessageHook> hook;
  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
};

TEST_F(WindowLanguagesTest, EveryWindowSpeaksTheLanguageChosen) {
  GlobalWindows::Create(false);
  Choose("English");
  const std::vector<TShown> english = EveryWindow();
  // The walk sees the windows' texts.
  EXPECT_FALSE(Matching(english, [](const QString& t) { return t == "&File"; }).isEmpty());
  EXPECT_FALSE(Matching(english, [](const QString& t) { return t == "Root folder"; }).isEmpty());
  const QStringList czech = Matching(english, IsCzech);
  EXPECT_TRUE(czech.isEmpty()) << "Czech in English:\n" << czech.join("\n").toStdString();

  Choose("Čeština");
  const std::vector<TShown> back = EveryWindow();
  EXPECT_FALSE(Matching(back, [](const QString& t) { return t == "&Soubor"; }).isEmpty());
  const QStringList left = Matching(back, IsEnglishCaption);
  EXPECT_TRUE(left.isEmpty()) << "English in Czech:\n" << left.join("\n").toStdString();
  for (const ScopedMessageHook::TBox& box : hook->Boxes())
    ADD_FAILURE() << box.caption << "|" << box.text;
}

// A window started in Czech has its captions in Czech from the start.
TEST_F(WindowLanguagesTest, NoCzechWindowStartsWithAnEnglishCaption) {
  GlobalWindows::Create(false);
  const QStringList left = Matching(EveryWindow(), IsEnglishCaption);
  EXPECT_TRUE(left.isEmpty()) << "English in Czech:\n" << left.join("\n").toStdString();
}

// The questions, refusals and reports of the batch actions and their tools,
// over a folder with a file in each tool's way.
TEST_F(WindowLanguagesTest, TheToolsTellInTheLanguageChosen) {
  GlobalWindows::Create(false);
  Choose("English");
  testsupport::TempDir dir;
  const std::string file = dir.File("img_1.jpg");
  testsupport::WriteFileBytes(file, "x");
  std::vector<std::string> said;

  // A part for each kind of failure, and one for a kind without its own; a
  // long one cut short.
  using HromadneAkce::TFailureKind;
  HromadneAkce::TFailures failures(21, {TFailureKind::NameTaken, file, "other"});
  for (int kind = 0; kind <= static_cast<int>(TFailureKind::FolderUnreadable) + 1; ++kind)
    failures.push_back({static_cast<TFailureKind>(kind), file, ""});
  said.push_back(HromadneAkce::FailureReport(failures));

  namespace num = edit_speccislovani;
  for (int caption : {num::kCaptionError, num::kCaptionInformation, num::kCaptionQuestion})
    said.push_back(Language::GetText(caption));
  for (num::TMode mode : {num::TMode::Renumber, num::TMode::Shift, num::TMode::ChangePrefix,
                          num::TMode::MoreDigits, num::TMode::FewerDigits}) {
    for (int variant = 0; variant < 4; ++variant) {
      num::TOptions o;
      o.root = dir.Path();
      o.mode = mode;
      o.subdirs = variant != 0;
      o.continuous = variant == 2;
      o.byTime = variant == 3;
      o.shift = variant == 3 ? -2 : 2;
      said.push_back(num::Question(o));
      for (const char* bad : {"x", "0"}) {
        const num::TMessage m = num::ReadNumbers(bad, bad, bad, o);
        if (!m.text.empty()) said.insert(said.end(), {m.text, m.caption});
      }
    }
  }
  num::TResult result;
  result.finished = 2;
  result.interrupted = true;
  result.unreadable = result.failed = result.displaced = {file};
  said.push_back(num::Summary(result));
  result.exact = true;
  said.push_back(num::Summary(result));
  const auto refusal = [&said](const num::TOptions& o) {
    const num::TMessage m = num::Run(o, {}).refusal;
    EXPECT_FALSE(m.text.empty());
    said.insert(said.end(), {m.text, m.caption});
  };
  num::TOptions o;
  o.root = dir.File("gone");
  refusal(o);
  o.root = dir.Path();
  o.prefix = "a/b";
  refusal(o);
  o.prefix = "img";
  o.start = -1;
  refusal(o);
  o.start = 1;
  o.step = 0;
  refusal(o);
  o.mode = num::TMode::Shift;
  o.shift = -5;
  refusal(o);
  testsupport::WriteFileBytes(dir.File(".~qm-renumber"), "damaged\n");
  refusal(o);
  fs::remove(dir.File(".~qm-renumber"));

  namespace resort = edit_imgresort;
  resort::TResult sorted;
  sorted.duplicates = sorted.caseClashes = {{file, file}};
  sorted.failed = {file};
  said.push_back(resort::Summary(sorted));
  said.push_back(resort::UpdateTree(dir.File("gone"), dir.Path(), false, {}).refusal);
  said.push_back(resort::CopyIntoPatternTree(dir.Path(), dir.Path(), " ", {}, {}).refusal);
  said.push_back(resort::CopyIntoPatternTree(dir.File("gone"), dir.Path(), dir.Path(), {}, {}).refusal);

  namespace bysize = edit_imgsize;
  for (int text : {bysize::kCaptionError, bysize::kCaptionQuestion, bysize::kSubfoldersQuestion})
    said.push_back(Language::GetText(text));
  said.push_back(bysize::NoFilesText(dir.Path()));
  said.push_back(bysize::UnreadableText({dir.Path()}));
  said.push_back(bysize::CountText(3));
  said.push_back(bysize::OverwriteQuestion(file));
  bysize::TMoveResult moved;
  moved.caseClashes = {{file, file}};
  moved.failed = {file};
  said.push_back(bysize::Summary(moved));
  said.push_back(bysize::OpenPhoto(dir.File("gone.jpg")));
  bysize::TResolutionList list(dir.Path(), {file}, nullptr);
  said.push_back(list.Move({0}, dir.Path(), {}, {}).refusal);

  for (const std::string& text : said) {
    EXPECT_FALSE(text.empty());
    for (const QString& line : QString::fromStdString(text).split('\n'))
      EXPECT_FALSE(IsCzech(line)) << line.toStdString();
  }
}

}  // namespace
