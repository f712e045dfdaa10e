// TSlideShow: the full-screen slide show. It shows a list of pictures one
// after another, each with an optional overlay line (the counter, the
// exposure date and time, the comment), advancing by its timer, a left
// click, Enter or Space; the middle button and Esc stop it. The list holds
// picture paths (the main window's folder show) or "*" and the record entry
// of a picture in a package.
//
// In player mode (the program reelwright) the same window opens a package,
// offers its projects in the menu TSlideShowList, plays the chosen one with
// the thumbnail picker TSlideThumbListForm on the right button, and comes
// back to the menu until the viewer cancels it. The main program never
// starts player mode: Timer2 stays off unless the player starts it.
//
// The next picture is decoded while the current one is on screen; the time
// that takes is taken off the timer, so pictures stay for even times.
// Pictures that do not load are skipped, one at a time with the events
// served between them, so Esc and the close button work at every moment.
// After kFailedRun of them in a row (or the whole list, when shorter) the
// show ends once the picture on screen has had its time, and says so.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QWidget>

#include "gallery/slideshow/SlideShowOverlay.h"

class QEventLoop;
class QLabel;
class QTimer;
class TFullScreen;
class TSlideShowList;
class TSlideShowPackage;
class TSlideShowWorkDir;
class TSlideThumbListForm;

class TSlideShow : public QWidget {
 public:
  // Pictures failing one after another that end the show.
  static constexpr int kFailedRun = 10;

  // Hidden, with Timer2 off.
  explicit TSlideShow(QWidget* owner = nullptr);
  ~TSlideShow() override;

  std::vector<std::string>& Items() { return items_; }
  // Plays the items from startIndex until Stop; returns then. An empty
  // list shows nothing. A show ended by a run of pictures that do not load
  // is told in a box captioned "SlideShow Error" before Run returns.
  void Run(int startIndex);
  // Shows the prepared picture and prepares the next one.
  void Next();
  // Ends the show: hides the window and leaves full screen.
  void Stop();

  // Player mode: opens the package (SlideShowPackage::PlayerPackagePath of
  // arguments and the player's own path), takes its language and fills the
  // menu. A failure is told in a box captioned "SlideShow Error"; false
  // then.
  bool LoadPlayerData(const std::vector<std::string>& arguments);
  // Player mode: plays project p of the package with the menu's choices.
  void StartProject(int p);
  // The player's start, 250 ms after it began: the menu until it is
  // cancelled, then OnPlayerEnd.
  void Timer2Timer();

  // The item most recently loaded (-1 before a show) and the one on screen
  // (-1 for none).
  int CurrentIndex() const { return index_; }
  int ShownIndex() const { return shown_; }
  bool Running() const { return running_; }
  // True while a picture is being put on screen and the next one prepared;
  // a key or click that would advance the show meanwhile is dropped.
  bool Preparing() const { return inNext_; }
  int Interval() const { return interval_; }
  void SetInterval(int ms) { interval_ = ms; }
  int OverlayFlags() const { return overlayFlags_; }
  void SetOverlayFlags(int flags) { overlayFlags_ = flags; }
  bool TimerOn() const { return timerOn_; }
  void SetTimerOn(bool on) { timerOn_ = on; }
  bool MouseOn() const { return mouseOn_; }
  void SetMouseOn(bool on) { mouseOn_ = on; }
  TSlideShowList* Menu() const { return menu_; }
  TSlideThumbListForm* Picker() const { return picker_; }

  // The player's arguments, for Timer2Timer.
  std::vector<std::string> PlayerArguments;
  // Called when the player's menu was cancelled (the player ends).
  std::function<void()> OnPlayerEnd;

  QTimer* Timer1;
  QTimer* Timer2;
  std::unique_ptr<TFullScreen> FS;
  QLabel* Img;
  QLabel* ExposureLabel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct TPrepared {
    QImage picture;
    SlideShowOverlay::TOverlay overlay;
    int index = -1;
    bool loaded = false;
  };

  // Prepares the picture after the current index, skipping those that do
  // not load, with the events served after each try; false when the show
  // was stopped meanwhile or kFailedRun pictures in a row (the whole list,
  // when shorter) did not load: then broken_ is set.
  bool LoadNext();
  bool Prepare(int index);
  static void TellError(const std::string& text);
  void ShowOverlay(const std::string& text);
  void RunPicker();
  void StyleOverlay();
  QSize PictureBox() const;

  std::vector<std::string> items_;
  int index_ = -1;
  int shown_ = -1;
  TPrepared prepared_;
  int interval_ = SlideShowOverlay::kDefaultInterval;
  int overlayFlags_ = SlideShowOverlay::kAll;
  bool stop_ = false;
  bool timerOn_ = true;
  bool mouseOn_ = true;
  bool running_ = false;
  bool inNext_ = false;
  // The run of failures was met, and the show ended for it.
  bool broken_ = false;
  bool failed_ = false;
  QEventLoop* loop_ = nullptr;
  std::unique_ptr<TSlideShowWorkDir> work_;
  std::unique_ptr<TSlideShowPackage> package_;
  TSlideShowList* menu_ = nullptr;
  TSlideThumbListForm* picker_ = nullptr;
};
