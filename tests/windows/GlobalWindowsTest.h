// A window test over the program's global windows as start-up makes them,
// in a fresh home, with the message boxes answered and kept by a hook.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/start/GlobalWindows.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/WindowTestApp.h"

class TMainForm;
class TForm2;

class GlobalWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    hook = std::make_unique<ScopedMessageHook>();
    GlobalWindows::Create(false);
    main = GlobalWindows::Get().MainForm;
    form = GlobalWindows::Get().Form2;
  }
  void TearDown() override { GlobalWindows::Destroy(); }

  std::unique_ptr<ScopedMessageHook> hook;
  testsupport::ScopedHome home;
  TMainForm* main = nullptr;
  TForm2* form = nullptr;  // the gallery project settings
};
