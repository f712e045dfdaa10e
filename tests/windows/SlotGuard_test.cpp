// A window's handler run through the slot guard: whatever it throws ends in
// an error box and never reaches Qt.
#include "app/widgets/SlotGuard.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <stdexcept>

#include "tests/windows/MessageHook.h"
#include "tests/windows/WindowTestApp.h"

namespace {

struct THandlers {
  void Runs() { ++runs; }
  void ThrowsStd() { throw std::runtime_error("Disk je plný"); }
  void ThrowsOther() { throw 7; }
  int runs = 0;
};

TEST(SlotGuard, AHandlerRunsAndAnythingItThrowsIsToldInAnErrorBox) {
  WindowTestApp();
  ScopedMessageHook boxes;
  THandlers handlers;
  QPushButton button;
  for (void (THandlers::*handler)() : {&THandlers::Runs, &THandlers::ThrowsStd,
                                       &THandlers::ThrowsOther})
    QObject::connect(&button, &QPushButton::clicked, SlotGuard::Handler(&handlers, handler));
  button.click();
  EXPECT_EQ(handlers.runs, 1);
  EXPECT_EQ(boxes.Said(), (std::vector<std::string>{"Chyba|Disk je plný", "Chyba|Chyba"}));
  EXPECT_EQ(boxes.Boxes().front().icon, platform::MessageIcon::Error);
}

}  // namespace
