// An open folder handle and the calls made relative to it. A walk that
// deletes or moves a tree goes from handle to handle: each level is opened
// from its parent's handle without following a symbolic link, so a folder
// swapped for a link while the walk runs is never entered, and a name always
// means an entry of the folder that was opened, wherever that folder is now.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class Folder {
 public:
  Folder() = default;
  ~Folder();
  Folder(Folder&& other) noexcept;
  Folder& operator=(Folder&& other) noexcept;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // Opens the folder path names. The folders on the way are followed as the
  // system finds them; the last level must be a folder itself, not a link to
  // one (false, errno ELOOP or ENOTDIR).
  bool Open(const std::string& path);
  // Opens the folder path names, following a link at the last level too (the
  // folder a file is written in); an empty path is the current folder.
  bool OpenFollowingLink(const std::string& path);
  // Opens the subfolder name of parent, never through a link.
  bool OpenChild(const Folder& parent, const std::string& name);
  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

  // The entries without "." and "..", each with its own status: a link is
  // not followed. False when the folder cannot be read.
  bool List(std::vector<DirEntry>& entries) const;
  // The status of the entry name itself; false when it is missing.
  bool StatChild(const std::string& name, FileStatus& status) const;

  // Removes a file or a link (never what it points to).
  bool RemoveFile(const std::string& name) const;
  // Removes an empty subfolder (a link is refused).
  bool RemoveFolder(const std::string& name) const;
  bool MakeFolder(const std::string& name) const;
  // Renames name to newName in target, replacing a file or link there.
  bool Rename(const std::string& name, const Folder& target, const std::string& newName) const;
  // Adds the owner's write and search bits, so the entries can go.
  bool MakeWritable() const;
  // True when the current user may create and remove entries here.
  bool IsWritable() const;
  // Opens the file name for reading (a link is followed: reading through one
  // is harmless); the rules of OpenFile apply. -1 on failure.
  int OpenFileForReading(const std::string& name) const;

 private:
  void Reset(int fd);
  int fd_ = -1;
};

}  // namespace platform
