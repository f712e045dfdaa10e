#include "app/ImageList.h"

TImgList::TImgList(QWidget* owner) : QDialog(owner) { setObjectName("ImgList"); }

void TImgList::ShowList(const std::vector<std::string>&, int) {}

void TImgList::ApplyTexts() {}
