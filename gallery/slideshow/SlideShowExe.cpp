#include "gallery/slideshow/SlideShowExe.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/slideshow/FListFile.h"
#include "gallery/slideshow/FListFileTrailer.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "platform/Environment.h"
#include "platform/NewFile.h"

namespace SlideShowExe {

namespace {

std::string ProgramPath(const std::string& program) {
  return program.empty() ? platform::ExecutablePath() : program;
}

// Entry 0 of program's container written into folder; empty on failure.
std::string ExtractPlayer(const std::string& program, const std::string& folder) {
  TFListFile own;
  if (!own.OpenRead(ProgramPath(program)) || own.EntryCount() < 1) return {};
  own.SetExtractFolder(folder);
  try {
    return own.ExtractFile(0);
  } catch (const EFListFileError&) {
    return {};
  }
}

}  // namespace

bool CarriesPlayer(const std::string& program) {
  TFListFile own;
  return own.OpenRead(ProgramPath(program)) && own.EntryCount() > 0;
}

std::string PlayerBeside(const std::string& program) {
  const std::string path =
      StrFunc::IncludeBackslash(StrFunc::ExtractDir(ProgramPath(program))) + kPlayerName;
  int64_t size = 0;
  TDateTime date = 0;
  int32_t attr = 0;
  return DosFunc::GetFileInfo(path, size, date, attr) && (attr & DosFunc::faDirectory) == 0
             ? path
             : std::string();
}

std::string FindPlayer(const TSlideShowWorkDir& work, const std::string& program) {
  if (!work.Path().empty() && CarriesPlayer(program)) {
    const std::string extracted = ExtractPlayer(program, work.Path());
    if (!extracted.empty()) return extracted;
  }
  return PlayerBeside(program);
}

std::string ShowNameOf(const std::string& ssp) { return StrFunc::ChangeExt(ssp, kShowExt); }

bool BuildSlideShowExe(const std::string& ssp, bool deleteSsp, const std::string& program) {
  const TSlideShowWorkDir work;
  const std::string player = FindPlayer(work, program);
  if (player.empty() || !FListFile::MakeExecutable(player, ssp, ShowNameOf(ssp))) return false;
  if (deleteSsp) DosFunc::DeleteFileLong(ssp);
  return true;
}

TSavePlayerResult SavePlayer(const std::string& program) {
  if (!PlayerBeside(program).empty()) return TSavePlayerResult::Present;
  if (!CarriesPlayer(program)) return TSavePlayerResult::NoPlayer;
  const std::string folder = StrFunc::ExtractDir(ProgramPath(program));
  if (!platform::IsWritableFolder(folder)) return TSavePlayerResult::NotWritable;
  const std::string saved = ExtractPlayer(program, folder);
  if (saved.empty()) return TSavePlayerResult::Failed;
  if (FListFileTrailer::CopyRunPermissions(ProgramPath(program), saved))
    return TSavePlayerResult::Saved;
  DosFunc::DeleteFileLong(saved);
  return TSavePlayerResult::Failed;
}

}  // namespace SlideShowExe
