#include <string>
#include <string_view>
#include <vector>

#include "foundation/StrFunc.h"
#include "platform/Environment.h"

namespace StrFunc {

namespace {

// The switch name an argument spells ("/gpsview" -> "GPSVIEW"), or empty when
// it carries no switch mark.
std::string SwitchName(std::string_view arg, bool allowValue) {
  std::string s = Trim(UpperCaseCz(arg));
  if (allowValue) {
    const size_t eq = s.find('=');
    if (eq != std::string::npos) s = Trim(s.substr(0, eq));
  }
  if (s.starts_with("--")) s.erase(0, 1);
  if (s.empty() || (s[0] != '-' && s[0] != '/' && s[0] != '\\')) return {};
  return Trim(s.substr(1));
}

}  // namespace

int FindCmdLineSwitch(const std::vector<std::string>& args, std::string_view name,
                      bool allowValue) {
  const std::string wanted = UpperCaseCz(Trim(name));
  if (wanted.empty()) return 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (SwitchName(args[i], allowValue) == wanted) return static_cast<int>(i + 1);
  }
  return 0;
}

int FindCmdLineSwitch(std::string_view name, bool allowValue) {
  return FindCmdLineSwitch(platform::ProgramArguments(), name, allowValue);
}

bool HasCmdLineSwitch(std::string_view name, bool allowValue) {
  return FindCmdLineSwitch(name, allowValue) > 0;
}

}  // namespace StrFunc
