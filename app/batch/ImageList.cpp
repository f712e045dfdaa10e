#include "app/batch/ImageList.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/browser/Main.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/FormTools.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/JpegImage.h"
#include "app/widgets/SlotGuard.h"
#include "app/widgets/appform.h"
#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/FileProblem.h"
#include "photos/ImageListLine.h"
#include "photos/ImageListWork.h"
#include "photos/JPegUtils.h"
#include "photos/batch/HromadneAkceGps.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

using FormTools::Named;
using FormTools::Q;
using FormTools::S;

constexpr int kTextCaption = 51;
constexpr int kTextError = 516;
constexpr int kTextPlaceName = 582;
constexpr int kTextWrite = 591;
constexpr int kTextNotSaved = 620;
constexpr int kTextPhotoGone = 481;
constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 520;
// Characters of a list line the list shows without scrolling.
constexpr int kListCharacters = 64;

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setReadOnly(true);
  return edit;
}

// The photo and what stood in the way of writing it.
std::string WithReason(const std::string& path, FileProblem::TProblem problem) {
  const std::string why = FileProblem::Text(problem);
  return why.empty() ? path : path + "  (" + why + ")";
}

}  // namespace

TImgList::TImgList(QWidget* owner) : QDialog(owner), thumbPath_(Main::ThumbnailPath()) {
  setObjectName("ImgList");
  Build();
  Connect();
  ApplyTexts();
  resize(kDefaultWidth, kDefaultHeight);
  appform::AutoChangeAppFont(this);
}

void TImgList::Build() {
  LB = Named(new QListWidget(this), "LB");
  // The names are padded to stand the folders in a column.
  LB->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  LB->setMinimumWidth(LB->fontMetrics().horizontalAdvance(QString(kListCharacters, '0')));
  FileName = ReadOnlyEdit(this, "FileName");
  FilePath = ReadOnlyEdit(this, "FilePath");
  FileDateTime = ReadOnlyEdit(this, "FileDateTime");
  Img = Named(new QLabel(this), "Img");
  Img->setAlignment(Qt::AlignCenter);
  Img->setFixedSize(JPegUtils::kThumbWidth, JPegUtils::kThumbHeight);

  GPSGroup = new TGpsGroup(this);
  GPSGroup->SetDegreesVisible(false);
  lbLatitude = GPSGroup->lbLatitude;
  GoogleSirka = GPSGroup->GoogleSirka;
  lbLongitude = GPSGroup->lbLongitude;
  GoogleDelka = GPSGroup->GoogleDelka;
  MapButton = GPSGroup->MapButton;
  Button7 = Named(new QPushButton("GPS", this), "Button7");
  BitBtn1 = Named(new QPushButton(this), "BitBtn1");
  GPSGroup->AddButton(Button7);
  GPSGroup->AddButton(BitBtn1);
  lbLocationName = Named(new QLabel(this), "lbLocationName");
  locname = ReadOnlyEdit(this, "locname");
  GPSGroup->AddRow(lbLocationName);
  GPSGroup->AddRow(locname);

  auto* details = new QVBoxLayout;
  details->addWidget(FileName);
  details->addWidget(FilePath);
  details->addWidget(FileDateTime);
  details->addWidget(Img, 0, Qt::AlignHCenter);
  details->addWidget(GPSGroup);
  details->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(LB, 1);
  layout->addLayout(details);
}

void TImgList::Connect() {
  using SlotGuard::Handler;
  connect(LB, &QListWidget::currentRowChanged, this, Handler(this, &TImgList::LBClick));
  connect(LB, &QListWidget::itemDoubleClicked, this, Handler(this, &TImgList::LBDblClick));
  connect(Button7, &QPushButton::clicked, this, Handler(this, &TImgList::Button7Click));
  connect(BitBtn1, &QPushButton::clicked, this, Handler(this, &TImgList::BitBtn1Click));
}

void TImgList::ApplyTexts() {
  setWindowTitle(Q(Language::GetText(kTextCaption)));
  GPSGroup->ApplyTexts();
  BitBtn1->setText(Q(Language::GetText(kTextWrite)));
  lbLocationName->setText(Q(Language::GetText(kTextPlaceName)));
}

bool TImgList::ShowList(const std::vector<std::string>& files, int mode) {
  Fill(files, mode);
  exec();
  return written_;
}

void TImgList::Fill(const std::vector<std::string>& files, int mode) {
  mode_ = mode;
  files_ = files;
  written_ = false;
  {
    const QSignalBlocker quiet(LB);
    LB->clear();
    const int nameWidth = ImageList::NameWidth(files_);
    for (const std::string& file : files_) LB->addItem(Q(ImageList::ListLine(file, nameWidth)));
    if (!files_.empty()) LB->setCurrentRow(0);
  }
  LBClick();
}

std::string TImgList::SelectedFile() const {
  const int row = LB->currentRow();
  return row >= 0 && row < static_cast<int>(files_.size()) ? files_[static_cast<size_t>(row)] : "";
}

void TImgList::LBClick() { ShowFile(SelectedFile()); }

void TImgList::ShowFile(const std::string& path) {
  currentFile_ = path;
  FileName->setText(Q(StrFunc::ExtractName(path)));
  FilePath->setText(Q(StrFunc::ExtractDir(path)));
  GPSGroup->Clear();
  FileDateTime->clear();
  locname->clear();
  altitude_.clear();
  BitBtn1->setEnabled(false);
  Button7->setEnabled(false);
  Img->clear();
  Img->setVisible(false);
  if (path.empty()) return;
  if (!DosFunc::FileExistsLong(path)) {
    // Renamed, moved or deleted since the list was made.
    platform::ShowMessageBox(Language::GetText(kTextPhotoGone) + "\n\n" + path,
                             Language::GetText(kTextError), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
    return;
  }

  Button7->setEnabled(true);
  TExifReader reader;
  reader.ReadFromFile(path);
  FileDateTime->setText(Q(ImageList::DateText(reader)));
  std::string lat;
  std::string lon;
  if (HromadneAkce::GpsTextOf(reader, lat, lon)) {
    GPSGroup->SetDecimal(lat, lon, "");
    if (const TfrmGPS* places = GlobalWindows::Get().frmGPS)
      locname->setText(Q(places->FindLocationName(lat, lon)));
  }
  ShowThumbnail(reader);
}

void TImgList::ShowThumbnail(const TExifReader& reader) {
  if (thumbPath_.empty() || !JPegUtils::ExtractThumbnail(reader, thumbPath_)) return;
  const QImage thumbnail = JpegImage::LoadFitted(thumbPath_, Img->size(), reader.GetOrientation());
  if (thumbnail.isNull()) return;
  Img->setPixmap(QPixmap::fromImage(thumbnail));
  Img->setVisible(true);
}

void TImgList::Button7Click() {
  TfrmGPS* places = GlobalWindows::Get().frmGPS;
  TPickedPlace place;
  if (places == nullptr || !places->PickPlace(place)) return;
  GPSGroup->SetDecimal(place.lat, place.lon, "");
  locname->setText(Q(place.name));
  altitude_ = StrFunc::RemoveBlanks(place.alt);
  BitBtn1->setEnabled(!currentFile_.empty());
}

void TImgList::MapButtonClick() {
  if (MapButton->isEnabled()) GPSGroup->MapButtonClick();
}

void TImgList::BitBtn1Click() {
  if (currentFile_.empty()) {
    BitBtn1->setEnabled(false);
    return;
  }
  const ImageList::TWriteResult result = ImageList::WritePosition(
      currentFile_, S(GoogleSirka->text()), S(GoogleDelka->text()), altitude_);
  switch (result.status) {
    case ImageList::TWriteStatus::kRefused:
      TGpsGroup::TellProblem(result.check);
      return;
    case ImageList::TWriteStatus::kFailed:
      platform::ShowMessageBox(
          Language::GetText(kTextNotSaved) + "\n\n" + WithReason(currentFile_, result.problem),
          Language::GetText(kTextError), platform::MessageButtons::Ok,
          platform::MessageIcon::Error);
      return;
    case ImageList::TWriteStatus::kWritten:
      written_ = true;
      // The fields show what the photo holds now.
      LBClick();
      return;
  }
}

void TImgList::LBDblClick() {
  if (mode_ != kWithoutGps && mode_ != kWithGps) return;
  const std::string selected = SelectedFile();
  if (selected.empty()) return;
  if (selected != currentFile_) ShowFile(selected);
  if (mode_ == kWithoutGps) {
    Button7Click();
  } else {
    MapButtonClick();
  }
}
