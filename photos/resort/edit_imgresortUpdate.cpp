// Page one of the resort window: new versions from a flat folder put back
// into the sorted tree.
#include <map>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "photos/TargetPath.h"
#include "photos/resort/edit_imgresortInternal.h"
#include "texts/Language.h"

namespace edit_imgresort {

namespace {

constexpr int kTextNoFolder = 111;

// Names compared the way the sorted tree's owner sees them: without regard
// to case.
using TByName = std::map<std::string, std::vector<std::string>>;

TByName ByName(const std::vector<std::string>& paths) {
  TByName out;
  for (const std::string& p : paths)
    out[StrFunc::UpperCaseCz(StrFunc::ExtractName(p))].push_back(p);
  return out;
}

std::vector<std::string> Prefixed(const std::string& dir, const std::vector<std::string>& rels) {
  std::vector<std::string> out;
  for (const std::string& rel : rels) out.push_back(detail::Join(dir, rel));
  return out;
}

// The tree files, without those that lie in the source folder: their new
// version would be themselves.
std::vector<std::string> TreeFiles(const std::string& source, const std::string& tree) {
  std::vector<std::string> files;
  for (std::string& rel : detail::ListFiles(tree, true)) {
    if (!TargetPath::IsInsideFolder(detail::Join(tree, rel), source))
      files.push_back(std::move(rel));
  }
  return files;
}

// Gives one tree file its new version, or reports why it cannot have one.
void Replace(const std::string& tree, const std::string& rel, const std::string& source,
             const std::vector<std::string>& newVersions, const std::vector<std::string>& sameName,
             TResult& result) {
  if (newVersions.size() > 1) {
    if (sameName.front() == rel) result.caseClashes.push_back(Prefixed(source, newVersions));
    return;
  }
  if (sameName.size() > 1) {
    if (sameName.front() == rel) result.duplicates.push_back(Prefixed(tree, sameName));
    return;
  }
  const std::string target = detail::Join(tree, rel);
  if (DosFunc::MoveFileKeepAttrs(detail::Join(source, newVersions.front()), target,
                                 DosFunc::kSourceDate, DosFunc::kSourceAttr))
    ++result.replaced;
  else
    result.failed.push_back(target);
}

void RenameToXxx(const std::string& tree, const std::string& rel, TResult& result) {
  const std::string path = detail::Join(tree, rel);
  const std::string renamed = StrFunc::ChangeExt(path, "xxx");
  if (renamed == path) return;
  if (DosFunc::RenameFileLong(path, renamed))
    ++result.renamed;
  else
    result.failed.push_back(path);
}

}  // namespace

TResult UpdateTree(const std::string& source, const std::string& tree, bool renameOthers,
                   const TProgress& progress) {
  TResult result;
  if (!DosFunc::DirectoryExistsLong(source) || !DosFunc::DirectoryExistsLong(tree)) {
    result.refusal = Language::GetText(kTextNoFolder) + "\n" +
                     (DosFunc::DirectoryExistsLong(tree) ? source : tree);
    return result;
  }
  const std::vector<std::string> files = TreeFiles(source, tree);
  const TByName newVersions = ByName(detail::ListFiles(source, false));
  const TByName sameName = ByName(files);
  const int total = static_cast<int>(files.size());
  if (progress) progress(0, total);
  int done = 0;
  for (const std::string& rel : files) {
    const std::string key = StrFunc::UpperCaseCz(StrFunc::ExtractName(rel));
    const auto found = newVersions.find(key);
    if (found != newVersions.end())
      Replace(tree, rel, source, found->second, sameName.at(key), result);
    else if (renameOthers)
      RenameToXxx(tree, rel, result);
    if (progress) progress(++done, total);
  }
  return result;
}

}  // namespace edit_imgresort
