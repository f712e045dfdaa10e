// While long work runs with a progress window, the user's input to the
// program's windows must wait, as a modal progress window would make it
// wait. A modal window, though, takes the keyboard: the toolkit hands it
// every activation of the window it blocks, and the window manager may leave
// the keyboard nowhere when it goes. A TInputPause drops the user's input
// instead and leaves the keyboard where it is; windows go on painting.
#pragma once

#include <QObject>

class TInputPause : public QObject {
 public:
  // Drops the user's keys, mouse buttons and wheel from now until the
  // object goes.
  TInputPause();
  ~TInputPause() override;
  TInputPause(const TInputPause&) = delete;
  TInputPause& operator=(const TInputPause&) = delete;

  bool eventFilter(QObject* watched, QEvent* event) override;
};
