#include "foundation/OSFunc.h"

#include "foundation/DateFunc.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"
#include "platform/NewFile.h"
#include "platform/Process.h"

namespace OSFunc {

namespace {

std::string WorkingFolder(const std::string& program, const std::string& workingDir) {
  if (workingDir != kProgramFolder) return workingDir;
  return StrFunc::ExtractDir(StrFunc::ExpandPath(program));
}

// One word of a shell command, taken literally by the shell.
std::string ShellWord(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

// The ms-of-day clock after its next tick, so that two scripts started one
// after the other get different names.
int32_t NextMsOfDay() {
  const int32_t start = DateFunc::NowMsOfDay();
  int32_t now = start;
  while (now == start) now = DateFunc::NowMsOfDay();
  return now;
}

std::string ScriptText(const std::string& program, const std::vector<std::string>& args,
                       bool wait, const std::string& scriptPath) {
  std::string command = ShellWord(program);
  for (const std::string& a : args) command += " " + ShellWord(a);
  if (!wait) command += " &";
  return "#!/bin/sh\n" + command + "\nrm -f -- " + ShellWord(scriptPath) + "\n";
}

}  // namespace

bool RunProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& workingDir, int showMode, int waitMode,
                const std::string& outputFile) {
  if (StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractExt(program))) == "MSI")
    return RunViaCmd(program, args, showMode, waitMode != kWaitNone);
  const int pid =
      platform::StartProcess(program, args, WorkingFolder(program, workingDir), outputFile);
  if (pid < 0) return false;
  if (waitMode == kWaitEnd || waitMode == kWaitEndOrTitle)
    platform::WaitForProcess(pid);
  else
    platform::DetachProcess(pid);
  return true;
}

bool RunViaCmd(const std::string& program, const std::vector<std::string>& args, int /*showMode*/,
               bool wait) {
  const std::string dir = StrFunc::GetTempDir();
  if (dir.empty()) return false;
  const std::string script = dir + StrFunc::ExtractNameNoExt(program) + "-" +
                             StrFunc::LongToHex(static_cast<uint32_t>(NextMsOfDay())) + ".sh";
  if (!platform::WriteNewFile(script, ScriptText(program, args, wait, script)))
    return false;
  const bool ran = RunProcess("/bin/sh", {script}, dir, kShowHidden, kWaitEnd, std::string());
  platform::RemoveFile(script);
  return ran;
}

}  // namespace OSFunc
