#include <cstdio>
#include <string>

#include "app/QtDesktop.h"
#include "foundation/OSFunc.h"
#include "foundation/StrFunc.h"
#include "foundation/appcore.h"
#include "foundation/iptools.h"
#include "foundation/morvask.h"
#include "foundation/tosmika.h"
#include "platform/Environment.h"

namespace {

// Start-up of the foundation, in this order. False when the process must end
// at once because an updated copy has taken over.
bool StartFoundation(const std::string& programDir) {
  appcore::Start();
  morvask::Load(programDir);
  iptools::Initialize();
  return OSFunc::Initialize() == OSFunc::StartDecision::Continue;
}

// Shut-down in the reverse order.
void StopFoundation(const std::string& programDir) {
  tosmika::Release(programDir);
  iptools::Finalize();
  morvask::Free();
}

}  // namespace

int main() {
  qtdesktop::Install();
  const std::string programDir = StrFunc::ExtractDir(platform::ExecutablePath());
  if (!StartFoundation(programDir)) {
    StopFoundation(programDir);
    return 0;
  }
  std::puts("Quillmarsh: a photo browser, EXIF editor and web gallery maker.");
  StopFoundation(programDir);
  return 0;
}
