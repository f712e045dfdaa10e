// Moving the selected photos of the resolution list into another folder.
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/ReportText.h"
#include "photos/TargetPath.h"
#include "photos/bysize/edit_imgsizeWork.h"
#include "texts/Language.h"

namespace edit_imgsize {

namespace {

constexpr int kTextFile = 125;
constexpr int kTextExists = 126;
constexpr int kTextReplace = 127;
constexpr int kTextCaseClashes = 128;
constexpr int kTextNotMoved = 129;
constexpr int kTextSameFolder = 130;

}  // namespace

std::string OverwriteQuestion(const std::string& target) {
  return Language::GetText(kTextFile) + " " + target + " " + Language::GetText(kTextExists) +
         "\n" + Language::GetText(kTextReplace);
}

std::string Summary(const TMoveResult& result) {
  std::vector<std::string> clashes;
  for (const std::vector<std::string>& pair : result.caseClashes)
    clashes.push_back(pair.front() + "  |  " + pair.back());
  std::string text;
  ReportText::AppendPart(text, Language::GetText(kTextCaseClashes), clashes);
  ReportText::AppendPart(text, Language::GetText(kTextNotMoved), result.failed);
  return text;
}

TMoveResult TResolutionList::Move(const std::vector<size_t>& photos,
                                  const std::string& targetFolder, const TAskOverwrite& ask,
                                  const TProgress& progress) {
  TMoveResult result;
  const std::string target = StrFunc::Trim(targetFolder);
  if (target.empty() || TargetPath::SameEntry(target, base_)) {
    result.refusal = Language::GetText(kTextSameFolder);
    return result;
  }
  const int total = static_cast<int>(photos.size());
  int done = 0;
  for (size_t index : photos) {
    if (index < photos_.size() && !photos_[index].moved &&
        MoveOne(photos_[index], target, ask, result))
      ++result.moved;
    if (result.stopped) break;
    if (progress) progress(++done, total);
  }
  return result;
}

bool TResolutionList::MoveOne(TPhoto& photo, const std::string& targetFolder,
                              const TAskOverwrite& ask, TMoveResult& result) {
  const std::string target = StrFunc::IncludeBackslash(targetFolder) + photo.relative;
  if (TargetPath::LinkOnTheWay(targetFolder, StrFunc::ExtractDir(photo.relative))) {
    result.failed.push_back(photo.path);
    return false;
  }
  const std::string twin = TargetPath::CaseTwin(target);
  if (!twin.empty()) {
    result.caseClashes.push_back({photo.path, twin});
    return false;
  }
  if (TargetPath::SameEntry(photo.path, target)) return false;
  if (TargetPath::Exists(target)) {
    const TOverwrite answer = ask ? ask(photo.path, target) : TOverwrite::Skip;
    result.stopped = answer == TOverwrite::Stop;
    if (answer != TOverwrite::Replace) return false;
  }
  const bool moved =
      DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(target)) &&
      DosFunc::MoveFileKeepAttrs(photo.path, target, DosFunc::kSourceDate, DosFunc::kSourceAttr);
  if (!moved) result.failed.push_back(photo.path);
  photo.moved = moved;
  return moved;
}

}  // namespace edit_imgsize
