#include "app/widgets/SlotGuard.h"

#include <exception>

#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace SlotGuard {

namespace {

constexpr int kTextError = 516;

void TellError(const std::string& text) {
  platform::ShowMessageBox(text, Language::GetText(kTextError), platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
}

}  // namespace

void Run(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    TellError(error.what());
  } catch (...) {
    TellError(Language::GetText(kTextError));
  }
}

}  // namespace SlotGuard
