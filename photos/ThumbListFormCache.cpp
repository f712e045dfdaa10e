#include "photos/ThumbListFormCache.h"

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"

namespace ThumbListForm {

bool TThumbCache::Prepare(const std::string& folder, const std::vector<std::string>& fileList) {
  // Names and folders are compared as written: on this system two names
  // differing in case are two photos with two thumbnails.
  const bool fresh = !used_ || folder != folder_ || fileList.size() != entries_.size();
  if (fresh) entries_.assign(fileList.size(), TCacheEntry());
  const std::string dir = StrFunc::IncludeBackslash(folder);
  for (size_t i = 0; i < fileList.size(); ++i) {
    TCacheEntry& entry = entries_[i];
    const TDateTime time = DosFunc::GetFileDateTime(dir + fileList[i]);
    if (entry.name == fileList[i] && entry.time == time) continue;
    entry = {false, time, fileList[i]};
  }
  folder_ = folder;
  used_ = true;
  return fresh;
}

}  // namespace ThumbListForm
