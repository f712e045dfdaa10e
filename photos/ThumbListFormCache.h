// What the thumbnail picker remembers between uses: one entry per photo of
// the list it showed, telling whether the photo's picture is made and for
// which file and last write time. Reopening the picker on the same folder
// and list length so remakes only the pictures of photos that changed;
// another folder or another length starts afresh.
#pragma once

#include <string>
#include <vector>

#include "foundation/DateTime.h"

namespace ThumbListForm {

struct TCacheEntry {
  bool loaded = false;  // the picture is made
  TDateTime time = 0;   // the photo's last write time (0 when unreadable)
  std::string name;     // the photo's file name
};

class TThumbCache {
 public:
  // Takes the list about to be shown: fileList holds the photos' names in
  // folder. Returns true when the cache started afresh (another folder, as
  // written, or another number of photos), so that every picture must be
  // made again; otherwise each entry whose photo now has another name or
  // another last write time is marked to be made again.
  bool Prepare(const std::string& folder, const std::vector<std::string>& fileList);

  int Count() const { return static_cast<int>(entries_.size()); }
  // REQUIRES: 0 <= index < Count().
  const TCacheEntry& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
  void MarkLoaded(int index) { entries_.at(static_cast<size_t>(index)).loaded = true; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  bool used_ = false;
  std::vector<TCacheEntry> entries_;
};

}  // namespace ThumbListForm
