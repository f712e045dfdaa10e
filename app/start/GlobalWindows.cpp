#include "app/start/GlobalWindows.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <iterator>
#include <vector>

#include "app/batch/HromadneAkce.h"
#include "app/batch/ImageList.h"
#include "app/browser/Main.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/dialogs/locationname.h"
#include "app/dialogs/modalgauge.h"
#include "app/ftp/FTPSettingsForm.h"
#include "app/pickers/ThumbListForm.h"
#include "app/places/GPSLocations.h"
#include "app/projects/HtmlProjectSettings.h"

namespace GlobalWindows {

namespace {

// One global window: how it is made (the windows made before it exist
// already; owner is the application's main window, null for that one) and
// how its texts follow a change of language. Null where the window, or its
// text routine, is not built yet.
struct TWindowDef {
  const char* name;
  QWidget* (*create)(TGlobalWindows& windows, QWidget* owner);
  void (*applyTexts)(TGlobalWindows& windows);
  bool skippedInGpsSet = false;
};

const TWindowDef kWindows[] = {
    {"MainForm", [](TGlobalWindows& w, QWidget*) -> QWidget* { return w.MainForm = new TMainForm; },
     nullptr, true},
    {"frmHA", [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.frmHA = new TfrmHA(owner); },
     [](TGlobalWindows& w) { w.frmHA->ApplyTexts(); }},
    {"Form2",
     [](TGlobalWindows& w, QWidget* owner) -> QWidget* {
       w.Form2 = new TForm2(owner);
       if (w.MainForm != nullptr) w.MainForm->WatchProjectForm(*w.Form2);
       return w.Form2;
     },
     [](TGlobalWindows& w) { w.Form2->ApplyTexts(); }},
    {"Form4", [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.Form4 = new TForm4(owner); },
     [](TGlobalWindows& w) { w.Form4->ApplyTexts(); }},
    {"FTPForm", [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.FTPForm = new TFTPForm(owner); },
     [](TGlobalWindows& w) { w.FTPForm->ApplyTexts(); }},
    {"ThumbnailListForm",
     [](TGlobalWindows& w, QWidget* owner) -> QWidget* {
       return w.ThumbnailListForm = new TThumbnailListForm(owner);
     },
     [](TGlobalWindows& w) { w.ThumbnailListForm->ApplyTexts(); }},
    {"frmGPS", [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.frmGPS = new TfrmGPS(owner); },
     [](TGlobalWindows& w) { w.frmGPS->ApplyTexts(); }},
    {"ImgList", [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.ImgList = new TImgList(owner); },
     [](TGlobalWindows& w) { w.ImgList->ApplyTexts(); }},
    {"frmModalGauge",
     [](TGlobalWindows& w, QWidget* owner) -> QWidget* {
       return w.frmModalGauge = new TfrmModalGauge(owner);
     },
     nullptr},
    {"frmEditStr",
     [](TGlobalWindows& w, QWidget* owner) -> QWidget* { return w.frmEditStr = new TfrmEditStr(owner); },
     [](TGlobalWindows& w) { w.frmEditStr->ApplyTexts(); }},
};
static_assert(std::size(kWindows) == 10);

struct TCreated {
  const TWindowDef* def;
  QWidget* window;
};

struct TState {
  TGlobalWindows windows;
  std::vector<TCreated> created;  // in creation order
};

TState& State() {
  static TState state;
  return state;
}

// Ends the application when the window it watches has closed for good.
class TQuitWhenClosed : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      auto* window = static_cast<QWidget*>(watched);
      // The close may still be refused: look once it has been handled.
      QTimer::singleShot(0, this, [window] {
        if (!window->isVisible()) QCoreApplication::quit();
      });
    }
    return false;
  }
};

}  // namespace

const TGlobalWindows& Get() { return State().windows; }

QWidget* Create(bool gpsSet) {
  TState& state = State();
  QWidget* first = nullptr;
  for (const TWindowDef& def : kWindows) {
    if (def.create == nullptr || (gpsSet && def.skippedInGpsSet)) continue;
    QWidget* window = def.create(state.windows, first);
    window->setObjectName(def.name);
    state.created.push_back({&def, window});
    if (first == nullptr) first = window;
  }
  first->installEventFilter(new TQuitWhenClosed(first));
  return first;
}

void Destroy() {
  TState& state = State();
  // No window sees another that is half gone.
  state.windows = TGlobalWindows();
  while (!state.created.empty()) {
    delete state.created.back().window;
    state.created.pop_back();
  }
}

void ApplyTexts() {
  TState& state = State();
  for (const TCreated& created : state.created) {
    if (created.def->applyTexts != nullptr) created.def->applyTexts(state.windows);
  }
}

}  // namespace GlobalWindows
