#include "app/start/StartupArgs.h"

#include <algorithm>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/batch/HromadneAkceGps.h"
#include "platform/TextLines.h"

namespace StartupArgs {

namespace {

bool IsJpegName(const std::string& name) {
  const std::string ext = StrFunc::UpperCaseCz(StrFunc::Trim(StrFunc::ExtractExt(name)));
  return ext == "JPG" || ext == "JPEG";
}

// Shows the photo's position on the map unless that position was shown.
void ShowPosition(const std::string& fileName, TStartupArgs& result) {
  std::string lat;
  std::string lon;
  if (!HromadneAkce::ReadExifGpsText(fileName, lat, lon)) return;
  const std::string key = StrFunc::Trim(lat) + "&" + StrFunc::Trim(lon);
  std::vector<std::string>& shown = result.Paths;
  if (std::find(shown.begin(), shown.end(), key) != shown.end()) return;
  shown.push_back(key);
  if (!HromadneAkce::OpenMap(lat, lon)) ++result.MapsNotOpened;
}

void AddFileArgument(const std::string& fileName, TStartupArgs& result) {
  if (result.GpsView) {
    ShowPosition(fileName, result);
  } else {
    result.Paths.push_back(fileName);
  }
}

void AddFolderArgument(const std::string& folder, TStartupArgs& result) {
  const std::string dir = StrFunc::IncludeBackslash(folder);
  DosFunc::TSearchRec rec;
  for (int found = DosFunc::FindFirstLong(dir + "*.*", DosFunc::faAnyFile, rec);
       found == DosFunc::kFindOk; found = DosFunc::FindNextLong(rec)) {
    if ((rec.Attr & DosFunc::faDirectory) != 0 || !IsJpegName(rec.Name)) continue;
    AddFileArgument(dir + rec.Name, result);
  }
  DosFunc::FindCloseLong(rec);
}

}  // namespace

TStartupArgs Collect(const std::vector<std::string>& args) {
  TStartupArgs result;
  result.GpsView = StrFunc::FindCmdLineSwitch(args, "GPSVIEW", false) > 0;
  result.GpsSet = StrFunc::FindCmdLineSwitch(args, "GPSSET", false) > 0;
  for (const std::string& arg : args) {
    if (!DosFunc::DirectoryExistsLong(arg)) {
      if (IsJpegName(arg)) AddFileArgument(StrFunc::ExpandPath(arg), result);
    } else if (!result.GpsSet) {
      AddFolderArgument(StrFunc::ExpandPath(arg), result);
    } else {
      result.Paths.push_back(StrFunc::ExpandPath(arg));
    }
  }
  if (!args.empty() && !result.GpsView) result.Text = platform::JoinLines(result.Paths);
  if (result.GpsSet && result.Text.empty()) result.GpsSet = false;
  return result;
}

}  // namespace StartupArgs
