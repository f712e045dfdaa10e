// Helpers shared by the test programs: temporary folders, the test photos,
// and scoped environment variables.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "foundation/DateTime.h"

namespace testsupport {

// A fresh folder below the system's temporary folder, removed with all its
// contents when the object goes away. Path() ends without a "/".
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Points QUILLMARSH_HOME at a fresh temporary folder for the life of the
// object, so no test touches the real user's settings or files.
class ScopedHome {
 public:
  ScopedHome() : env_("QUILLMARSH_HOME", dir_.Path()) {}
  const std::string& Path() const { return dir_.Path(); }

 private:
  TempDir dir_;
  ScopedEnv env_;
};

// Lowers the file-size limit for the life of the object, so writes past it
// fail with EFBIG (SIGXFSZ is ignored meanwhile) instead of killing the test.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(uint64_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  uint64_t oldSoftLimit_ = 0;
};

// The project's test data folder (tests/data), without a trailing "/".
std::string DataDir();
// A test photo of tests/data/photos by its file name. Never write to it.
std::string PhotoPath(const std::string& name);
// Copies a test photo into dir and returns the copy's path.
std::string CopyPhoto(const std::string& name, const TempDir& dir);

// A local date-time; fails the current test when the date does not exist.
TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0);

// What a shell command prints on its standard output and error.
std::string CommandOutput(const std::string& command);
// exiftool's values of the tags that arguments name, for photo: one per
// line, numbers as numbers (-s -s -s -n).
std::string Exiftool(const std::string& arguments, const std::string& photo);

// Runs work in a child process in which permission bits hold even for
// root (the capabilities that override them are dropped there), so that a
// folder of mode 0 cannot be read; returns what work returned, or what went
// wrong with the child.
std::string InChildWithPermissions(const std::function<std::string()>& work);

// Whole-file helpers for fixtures.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace testsupport
