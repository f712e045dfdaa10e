// Which system the program runs on, its special folders, opening documents,
// child processes, and the live update of the program itself.
#pragma once

#include <string>
#include <vector>

namespace OSFunc {

// --- System version ---------------------------------------------------------

enum class PlatformFamily { Win9x, WinNT, Other };

// What the version code is decided from.
struct VersionFacts {
  PlatformFamily family = PlatformFamily::Other;
  int major = -1;
  int minor = -1;  // NT 3.1 reports 10, NT 3.5 50, NT 3.51 51
  int build = -1;
  bool server = false;
  std::string service;         // the service-pack text, trimmed ("A", "B")
  bool kernelFile490 = false;  // the 9x kernel file is version 4.90
};

// The code of the version table: 1-5 the 9x family, 6-12 NT 3.1 to Server
// 2003, 13-20 Vista to 8.1 and their servers (even codes the servers), 21
// Windows 10, 22 Server 2016, 23 Server 2019, 24 Windows 11, 25 Server 2022;
// 0 for anything else, Linux included.
int VersionCodeOf(const VersionFacts& facts);

// The name of a version code ("Windows 10"); empty for 0 and unknown codes.
std::string VersionCodeName(int code);

// The version code of this system, decided by Initialize (0 on Linux).
int WinVersion();

// The running system's name: VersionCodeName of WinVersion, else the
// distribution's name from os-release, else "Linux" and the kernel release.
std::string WinVersionName();

// --- Special folders (absolute, without a trailing "/") -----------------------

// Where add-on programs are installed ("/opt").
std::string GetProgramFilesDir();
// The user's application data ($XDG_DATA_HOME; $QUILLMARSH_HOME/data in tests).
std::string GetLocalAppDataDir();
// Application data shared by all users (the first folder of $XDG_DATA_DIRS).
std::string GetCommonAppDataDir();

// --- Documents and processes --------------------------------------------------

// Opens a document, folder or web address with its default program, through
// the opener the program installed (platform/OpenDocument.h). True when the
// request was handed on.
bool ShellOpen(const std::string& target);

// Show modes. Linux gives no hold on another program's windows, so they are
// accepted and have no effect.
constexpr int kShowHidden = -2;
constexpr int kShowMinimized = -1;
constexpr int kShowNormal = 0;
constexpr int kShowMaximized = 1;

// Wait modes. Another program's window titles cannot be watched, so
// kWaitEndOrTitle waits as kWaitEnd.
constexpr int kWaitNone = 0;
constexpr int kWaitEnd = 1;
constexpr int kWaitEndOrTitle = 2;

// The working folder text that means the program's own folder.
inline const std::string kProgramFolder = "0";

// Starts program with args (each reaching the child unchanged; never through
// a shell). workingDir: kProgramFolder for the program's folder, empty for the
// caller's, else the folder itself. With a wait mode, returns when the process
// has ended. outputFile, when not empty, is created and receives the child's
// output. A program with the extension "MSI" goes to RunViaCmd. True when the
// process was started.
bool RunProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& workingDir, int showMode, int waitMode,
                const std::string& outputFile);

// Starts program through a generated shell script in the private temporary
// folder, which is deleted afterwards; with wait the script waits for the
// program. True when the script ran.
bool RunViaCmd(const std::string& program, const std::vector<std::string>& args, int showMode,
               bool wait);

// --- Live update -------------------------------------------------------------
//
// An outside updater places the new version beside the program as
// <program>.~~UPD~~. At start the program renames it to <program>.UPD_DOIT and
// starts that copy; the copy renames itself over the program in one step and
// starts it with "/afterliveupdate" and the original arguments. Every failure
// leads to a normal start; a program folder the user cannot write means no
// update at all.

// What the live update needs of the system; tests give a fake.
class LiveUpdateSystem {
 public:
  virtual ~LiveUpdateSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Renames from to to, replacing an existing to in one step.
  virtual bool RenameOver(const std::string& from, const std::string& to) = 0;
  virtual bool FolderWritable(const std::string& dir) = 0;
  // Starts program with args in dir without waiting; true when it started.
  virtual bool Start(const std::string& program, const std::vector<std::string>& args,
                     const std::string& dir) = 0;
};

enum class StartDecision { Continue, EndProcess };

// The update step for the program at programPath started with args (without
// the program name). EndProcess when another copy has taken over and this
// process must end now; Continue for a normal start.
StartDecision LiveUpdate(const std::string& programPath, const std::vector<std::string>& args,
                         LiveUpdateSystem& system);
// The same for the running program.
StartDecision LiveUpdate();

// Start-up step, called once at the start of main: decides the version code
// and runs the live update.
StartDecision Initialize();

}  // namespace OSFunc
