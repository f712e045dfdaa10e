// The ignore list of a photo folder: the file "ignore.list" in the folder,
// one file name (without folder) per line, naming the photos the folder's
// photo list leaves out. The list is written read-only.
//
// Lists from older versions hold upper-cased names. So an entry names the
// file of exactly its name, and when the folder holds no such file, the
// files whose names differ from it only in case.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TIgnoreList {
 public:
  static constexpr const char* kFileName = "ignore.list";

  // Replaces the list by the folder's file. True when the folder has none
  // or it was read; false, with an empty list, when it cannot be read (or is
  // larger than any list): such a list is never written over, so its entries
  // are not lost.
  bool Load(const std::string& folder);
  // The folder the list belongs to; empty before Load.
  const std::string& Folder() const { return folder_; }
  const std::vector<std::string>& Names() const { return names_; }

  // True when the list leaves out the file a path in Folder() names.
  bool IsIgnored(const std::string& path) const;
  // Adds the file's name (trimmed) and writes the list; the list of the
  // file's own folder is loaded first when another one is loaded, and a list
  // that could not be read is read again. False, with the list as it was,
  // when the list cannot be read or written.
  bool Add(const std::string& path);
  // Writes the list over the folder's file, replacing it whole; false when
  // that failed or the file could not be read.
  [[nodiscard]] bool Save() const;

  // Gives the entries that name a renamed file (oldName, newName: names
  // without folder) the new name, all at once, so that names swapped among
  // the files stay with their files. An entry takes the rename of exactly
  // its name, else of the name it matches without regard to case. The list
  // is not written; true when an entry changed.
  bool Rename(const std::vector<std::pair<std::string, std::string>>& renames);
  // Writes the list to file as Save writes it, without the attributes: a
  // copy made beside the folder's file to be put in its place later
  // (Protect then gives it the list's attributes).
  [[nodiscard]] bool SaveTo(const std::string& file) const;
  static void Protect(const std::string& file);

 private:
  void Put(const std::string& name);

  std::string folder_;
  std::vector<std::string> names_;
  // Upper-cased name to the entries that read so.
  std::unordered_map<std::string, std::vector<std::string>> byUpper_;
  // The folder's file exists but could not be read.
  bool unreadable_ = false;
};
