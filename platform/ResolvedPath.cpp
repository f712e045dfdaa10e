#include "platform/ResolvedPath.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string ResolvedPath(const std::string& path) {
  if (path.empty()) return std::string();
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) return std::string();
  const fs::path lexical = absolute.lexically_normal();
  fs::path resolved = fs::weakly_canonical(lexical, error);
  if (error) resolved = lexical;
  std::string text = resolved.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace platform
