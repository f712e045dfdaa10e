#include "app/start/links.h"

#include <string_view>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/NewFile.h"
#include "platform/SpecialFolders.h"

namespace links {

namespace {

// Shell folder numbers of the places.
int ShellFolderOf(int place) {
  switch (place) {
    case kPlaceStartMenu: return 2;
    case kPlaceFavourites: return 6;
    case kPlaceStartup: return 7;
    case kPlaceSendTo: return 9;
    default: return 16;
  }
}

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// One Exec argument under the quoting rules of desktop entries.
std::string ExecArgument(const std::string& arg) {
  std::string out;
  const bool quote = arg.empty() || arg.find_first_of(kReserved) != std::string::npos;
  if (quote) out += '"';
  for (char c : arg) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  if (quote) out += '"';
  return out;
}

// A string value of a desktop entry: backslash and control characters escaped.
std::string EntryValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string ShortcutPath(const std::string& name, int place) {
  if (name.empty() || name.find('/') != std::string::npos) return std::string();
  const std::string dir = GetSpecialFolderPath(ShellFolderOf(place));
  if (dir.empty()) return std::string();
  std::string path = StrFunc::IncludeBackslash(dir) + name;
  if (StrFunc::UpperCaseCz(StrFunc::ExtractExt(name)) != "DESKTOP") path += ".desktop";
  return path;
}

std::string DesktopEntryText(const std::string& name, const std::string& target,
                             const std::vector<std::string>& args,
                             const std::string& description, bool onlyInOpenWith) {
  std::string exec = ExecArgument(target);
  for (const std::string& a : args) exec += " " + ExecArgument(a);
  exec += " %F";
  std::string text = "[Desktop Entry]\nType=Application\nName=" + EntryValue(name) + "\n";
  if (!description.empty()) text += "Comment=" + EntryValue(description) + "\n";
  text += "Exec=" + EntryValue(exec) + "\n";
  text += "Path=" + EntryValue(StrFunc::ExtractDir(target)) + "\n";
  text += "MimeType=image/jpeg;inode/directory;\nTerminal=false\n";
  if (onlyInOpenWith) text += "NoDisplay=true\n";
  return text;
}

bool CreateShortcut(const std::string& name, const std::string& target,
                    const std::vector<std::string>& args, const std::string& description,
                    int place) {
  const std::string path = ShortcutPath(name, place);
  if (path.empty() || !DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(path))) return false;
  return platform::WriteNewFile(
      path, DesktopEntryText(name, target, args, description, place == kPlaceSendTo));
}

void DeleteShortcut(const std::string& name, int place) {
  const std::string path = ShortcutPath(name, place);
  if (!path.empty()) DosFunc::DeleteFileLong(path);
}

std::string GetSpecialFolderPath(int shellFolderId) {
  using platform::SpecialFolder;
  switch (shellFolderId) {
    case 0:
    case 16: return platform::SpecialFolderPath(SpecialFolder::Desktop);
    case 2:
    case 9: return platform::SpecialFolderPath(SpecialFolder::Applications);
    case 7: return platform::SpecialFolderPath(SpecialFolder::Autostart);
    default: return std::string();
  }
}

}  // namespace links
