#include "platform/BusyNotice.h"

namespace platform {

namespace {

BusyShowFunction installedShow = nullptr;
BusyHideFunction installedHide = nullptr;
EventPumpFunction installedPump = nullptr;

}  // namespace

void SetBusyNotice(BusyShowFunction show, BusyHideFunction hide) {
  installedShow = show;
  installedHide = hide;
}

void SetEventPump(EventPumpFunction pump) { installedPump = pump; }

void ShowBusyNotice(const std::string& text) {
  if (installedShow != nullptr) installedShow(text);
}

void HideBusyNotice() {
  if (installedHide != nullptr) installedHide();
}

void PumpEvents() {
  if (installedPump != nullptr) installedPump();
}

}  // namespace platform
