#include "photos/WebPage.h"

#include "platform/MessageBox.h"
#include "platform/OpenDocument.h"
#include "texts/Language.h"

namespace WebPage {

namespace {

constexpr int kTextError = 516;
constexpr int kTextNoBrowser = 730;

}  // namespace

bool Open(const std::string& url) {
  if (platform::OpenDocument(url)) return true;
  platform::ShowMessageBox(Language::GetText(kTextNoBrowser) + "\n\n" + url,
                           Language::GetText(kTextError), platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
  return false;
}

}  // namespace WebPage
