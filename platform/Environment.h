// Facts about the running program and the per-user folders it writes to.
// When QUILLMARSH_HOME is set it replaces every per-user folder (tests).
#pragma once

#include <string>
#include <vector>

namespace platform {

// The value of QUILLMARSH_HOME, or empty when it is not set.
std::string HomeOverride();

// The user's private temporary folder, created with mode 0700 when missing:
// $QUILLMARSH_HOME/tmp, else $XDG_RUNTIME_DIR/quillmarsh, else
// /tmp/quillmarsh-<uid>. A folder that is not ours, not a real folder or open
// to others is refused. Returns the path with a trailing "/", empty on failure.
std::string PrivateTempDir();

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
