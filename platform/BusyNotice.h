// Long work below the windows (making a thumbnail, say) tells the user what
// it is busy with and lets the window toolkit's events run between its
// steps. This layer knows no toolkit, so the program installs the functions
// at start-up; until then, and in programs without windows, both do nothing.
#pragma once

#include <string>

namespace platform {

// Shows text as what the program is busy with, replacing an earlier one.
using BusyShowFunction = void (*)(const std::string& text);
// Takes the text away again.
using BusyHideFunction = void (*)();
// Runs the events that are pending.
using EventPumpFunction = void (*)();

// Makes the functions below hand on to the given ones; nullptr removes one.
// Meant for start-up, before any other thread runs.
void SetBusyNotice(BusyShowFunction show, BusyHideFunction hide);
void SetEventPump(EventPumpFunction pump);

void ShowBusyNotice(const std::string& text);
void HideBusyNotice();
void PumpEvents();

// Shows a busy text for the life of the object; taken away also when the
// work fails by an exception.
class BusyNotice {
 public:
  explicit BusyNotice(const std::string& text) { ShowBusyNotice(text); }
  ~BusyNotice() { HideBusyNotice(); }
  BusyNotice(const BusyNotice&) = delete;
  BusyNotice& operator=(const BusyNotice&) = delete;
};

}  // namespace platform
