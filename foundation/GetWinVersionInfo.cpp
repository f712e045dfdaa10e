#include "foundation/GetWinVersionInfo.h"

#include "platform/SystemInfo.h"

namespace GetWinVersionInfo {

namespace {

const platform::KernelVersion& Kernel() {
  static const platform::KernelVersion version = platform::GetKernelVersion();
  return version;
}

}  // namespace

int GetMajorVersion() { return Kernel().major; }
int GetMinorVersion() { return Kernel().minor; }
int GetBuildNumber() { return Kernel().build; }

}  // namespace GetWinVersionInfo
