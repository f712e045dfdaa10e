#include "gallery/slideshow/SlideShowWorkDir.h"

#include <atomic>
#include <charconv>
#include <string_view>
#include <vector>

#include "foundation/DosFunc.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace {

constexpr std::string_view kPrefix = "slideshow-";

// The process id in a work folder's name; 0 for a name of another kind.
int OwnerOf(std::string_view name) {
  if (!name.starts_with(kPrefix)) return 0;
  name.remove_prefix(kPrefix.size());
  int pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || end == name.data() || end == name.data() + name.size() ||
      *end != '-')
    return 0;
  return pid;
}

void RemoveLeftovers(const std::string& temp) {
  std::vector<platform::DirEntry> entries;
  if (!platform::ListDirectory(temp, entries)) return;
  for (const platform::DirEntry& entry : entries) {
    const int owner = OwnerOf(entry.name);
    if (owner > 0 && owner != platform::CurrentProcessId() && !platform::ProcessExists(owner))
      DosFunc::DeleteFileOrDir(temp + entry.name);
  }
}

}  // namespace

TSlideShowWorkDir::TSlideShowWorkDir() {
  static std::atomic<int> made{0};
  const std::string temp = platform::PrivateTempDir();
  if (temp.empty()) return;
  RemoveLeftovers(temp);
  const std::string path = temp + std::string(kPrefix) +
                           std::to_string(platform::CurrentProcessId()) + "-" +
                           std::to_string(++made);
  // A folder of that name can only be a leftover of this very process id.
  DosFunc::DeleteFileOrDir(path);
  if (platform::MakeDirectory(path) && platform::SetPermissions(path, 0700)) path_ = path + "/";
}

TSlideShowWorkDir::~TSlideShowWorkDir() {
  if (!path_.empty()) DosFunc::DeleteFileOrDir(path_.substr(0, path_.size() - 1));
}

std::string TSlideShowWorkDir::File(const std::string& name) const {
  return path_.empty() ? std::string() : path_ + name;
}
