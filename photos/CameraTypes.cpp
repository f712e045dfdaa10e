#include "photos/CameraTypes.h"

#include <iterator>

#include "texts/Language.h"

namespace CameraTypes {

namespace {

constexpr int kTextNoExif = 253;
constexpr int kTextGeneralExif = 254;

constexpr const char* kMakers[] = {
    "Olympus", "Panasonic", "Nikon",   "Canon", "Kodak",   "Minolta", "Fuji",  "Casio",
    "Hewlett Packard", "Sony", "Epson", "Konica", "Toshiba", "Samsung", "Pentax", "Ricoh",
    "Kyocera", "Agfa", "SiPix", "LG", "Nokia", "Microsoft"};
static_assert(std::size(kMakers) == kItemCount - 2);

// Items of the maker numbers 0-9; from 10 on the number is the item.
constexpr int kItemOfLowMaker[] = {1, 2, 5, 4, 4, 9, 8, 6, 3, 7};

}  // namespace

std::string ItemCaption(int index) {
  if (index == 0) return Language::GetText(kTextNoExif);
  if (index == 1) return Language::GetText(kTextGeneralExif);
  if (index < 2 || index >= kItemCount) return std::string();
  return kMakers[index - 2];
}

int ItemOfMaker(int makerNumber) {
  const int number = makerNumber & 0x7F;
  if (number < static_cast<int>(std::size(kItemOfLowMaker))) return kItemOfLowMaker[number];
  return number < kItemCount ? number : 0;
}

}  // namespace CameraTypes
