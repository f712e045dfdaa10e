#include "foundation/OSFunc.h"

#include "foundation/StrFunc.h"
#include "platform/Environment.h"
#include "platform/NewFile.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace OSFunc {

namespace {

constexpr const char* kAfterUpdate = "/afterliveupdate";

bool IsAfterUpdateSwitch(const std::string& arg) {
  const std::string lower = StrFunc::LowerCaseCz(arg);
  return lower == "/afterliveupdate" || lower == "-afterliveupdate" ||
         lower == "--afterliveupdate";
}

std::vector<std::string> PassedOnArguments(const std::vector<std::string>& args) {
  std::vector<std::string> kept;
  for (const std::string& a : args)
    if (!IsAfterUpdateSwitch(a)) kept.push_back(a);
  return kept;
}

class RealSystem : public LiveUpdateSystem {
 public:
  bool Exists(const std::string& path) override {
    platform::FileStatus status;
    return platform::LinkStatPath(path, status);
  }
  bool Remove(const std::string& path) override { return platform::RemoveFile(path); }
  bool RenameOver(const std::string& from, const std::string& to) override {
    return platform::RenameReplace(from, to);
  }
  bool FolderWritable(const std::string& dir) override { return platform::IsWritableFolder(dir); }
  bool Start(const std::string& program, const std::vector<std::string>& args,
             const std::string& dir) override {
    const int pid = platform::StartProcess(program, args, dir, std::string());
    if (pid < 0) return false;
    platform::DetachProcess(pid);
    return true;
  }
};

// Running as the swap copy: put this new version in place of the program in
// one rename, then start it. The program file is never missing, and a failure
// leaves this copy running as a normal start.
StartDecision FinishUpdate(const std::string& swapPath, const std::vector<std::string>& args,
                           LiveUpdateSystem& system) {
  const std::string dir = StrFunc::ExtractDir(swapPath);
  const std::string program = StrFunc::IncludeBackslash(dir) + StrFunc::ExtractNameNoExt(swapPath);
  if (!system.RenameOver(swapPath, program)) return StartDecision::Continue;
  std::vector<std::string> restartArgs{kAfterUpdate};
  restartArgs.insert(restartArgs.end(), args.begin(), args.end());
  return system.Start(program, restartArgs, dir) ? StartDecision::EndProcess
                                                 : StartDecision::Continue;
}

}  // namespace

StartDecision LiveUpdate(const std::string& programPath, const std::vector<std::string>& args,
                         LiveUpdateSystem& system) {
  const std::string dir = StrFunc::ExtractDir(programPath);
  if (programPath.empty() || !system.FolderWritable(dir)) return StartDecision::Continue;
  const std::vector<std::string> passed = PassedOnArguments(args);
  if (StrFunc::UpperCaseCz(StrFunc::ExtractExt(programPath)) == "UPD_DOIT")
    return FinishUpdate(programPath, passed, system);

  const std::string swap = StrFunc::ChangeExt(programPath, "UPD_DOIT");
  const std::string waiting = StrFunc::ChangeExt(programPath, "~~UPD~~");
  if (system.Exists(waiting)) {
    if (system.Exists(swap)) system.Remove(swap);
    if (!system.RenameOver(waiting, swap)) return StartDecision::Continue;
    return system.Start(swap, passed, dir) ? StartDecision::EndProcess : StartDecision::Continue;
  }
  if (system.Exists(swap)) system.Remove(swap);
  return StartDecision::Continue;
}

StartDecision LiveUpdate() {
  RealSystem system;
  return LiveUpdate(platform::ExecutablePath(), platform::ProgramArguments(), system);
}

}  // namespace OSFunc
