// Picking a photo of the main window's list from the two pickers.
#include <QAction>

#include "app/browser/Main.h"
#include "app/pickers/ImgListForm.h"
#include "app/pickers/ThumbListForm.h"
#include "app/start/GlobalWindows.h"
#include "foundation/StrFunc.h"

void TMainForm::PickFromList(QAction* item, const std::function<int()>& pick) {
  if (busy_ || files_.empty()) return;
  item->setEnabled(false);
  const int index = pick();
  EnableItem(item, !files_.empty());
  ShowListEntry(index);
}

void TMainForm::Imagelist1Click() {
  PickFromList(Imagelist1, [this] {
    std::vector<std::string> displayList;
    for (const TPhotoEntry& entry : files_) displayList.push_back(entry.Display);
    return TImageListForm::Pick(this, displayList);
  });
}

void TMainForm::Thumbnailslist1Click() {
  TThumbnailListForm* picker = GlobalWindows::Get().ThumbnailListForm;
  if (picker == nullptr) return;
  PickFromList(Thumbnailslist1, [this, picker] {
    std::vector<std::string> names;
    for (const TPhotoEntry& entry : files_) names.push_back(StrFunc::ExtractName(entry.Path));
    const std::string folder =
        StrFunc::ExtractDir(currentFile_.empty() ? files_.front().Path : currentFile_);
    return picker->Pick(folder, names);
  });
}
