#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

TFailure FailureOf(TFailureKind kind, const std::string& path, const std::string& other) {
  using FileProblem::TProblem;
  TProblem problem = TProblem::kNone;
  switch (kind) {
    case TFailureKind::ExifNotWritten:
    case TFailureKind::GpsNotWritten:
      problem = FileProblem::OfPhotoWrite(path);
      break;
    case TFailureKind::DateNotSet:
    case TFailureKind::RenameFailed:
      problem = FileProblem::OfChange(path, other);
      break;
    case TFailureKind::FolderNotMade:
    case TFailureKind::JournalFailed:
      problem = FileProblem::OfNewEntry(path);
      break;
    default:
      break;
  }
  return {kind, path, other, problem};
}

}  // namespace HromadneAkce
