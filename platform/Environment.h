// Facts about the running program and the per-user folders it writes to.
// When QUILLMARSH_HOME is set it replaces every per-user folder (tests).
#pragma once

#include <string>
#include <vector>

namespace platform {

// The value of QUILLMARSH_HOME, or empty when it is not set.
std::string HomeOverride();

// The user's private temporary folder, created with mode 0700 when missing
// (and the missing folders above it, as MakeOwnFolder): $QUILLMARSH_HOME/tmp,
// else $XDG_RUNTIME_DIR/quillmarsh, else /tmp/quillmarsh-<uid>. A folder that
// is not ours or not a real folder is refused; one open to others is closed
// to them. Returns the path with a trailing "/", empty on failure, when
// problem receives which folder failed and why ("<folder>: <reason>").
std::string PrivateTempDir();
std::string PrivateTempDir(std::string& problem);

// Makes a folder of the program's own with the missing folders above it,
// each private to the user (mode 0700), and closes the folder itself to
// others when it is ours and open to them. A symbolic link to a folder
// stands for that folder. False when it cannot be had, with problem naming
// the folder that failed and why ("<folder>: <reason>").
// With kRefuse, a link at path itself is refused (ENOTDIR) and nothing is
// changed through it.
enum class TLinkAtEnd { kFollow, kRefuse };
bool MakeOwnFolder(const std::string& path, std::string& problem,
                   TLinkAtEnd link = TLinkAtEnd::kFollow);

// The folder of the settings registry's databases: $QUILLMARSH_HOME itself,
// else $XDG_CONFIG_HOME/quillmarsh/registry, else
// $HOME/.config/quillmarsh/registry. Not created here.
std::string RegistryDir();

// The user's locale for messages ("cs_CZ.UTF-8"): the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty; empty when none is.
std::string UserLocaleName();

// The program's arguments, without the program name (from /proc/self/cmdline).
std::vector<std::string> ProgramArguments();

// The absolute path of the running executable (/proc/self/exe); empty on failure.
std::string ExecutablePath();

// The current working directory; empty on failure.
std::string CurrentDirectory();

}  // namespace platform
