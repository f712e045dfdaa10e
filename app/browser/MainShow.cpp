// Showing one photo in the main window: thumbnail, EXIF grids, camera,
// comment, GPS position and, on request, the whole photo.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>

#include "app/browser/Main.h"
#include "app/dialogs/InfoWindow.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/JpegImage.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "photos/CameraTypes.h"
#include "photos/JPegUtils.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace {

constexpr int kTextModified = 503;
constexpr int kTextLoadingImage = 520;
constexpr int kTextCannotOpen = 607;
constexpr int kTextDamaged = 609;
constexpr int kStatusMessageMs = 8000;
// Widths of the tag column.
constexpr int kMinTagColumn = 240;
constexpr int kMaxTagColumn = 260;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

bool TMainForm::ShowFile(const std::string& fileName, bool withThumbnail) {
  if (!AskSaveChanges()) return false;
  ClearDisplay();
  currentFile_ = fileName;
  reader_->SetHideUnnamedTags(!ShowUnknown->isChecked());
  forceNote_ = ProjectForceNote();
  reader_->ReadFromFile(fileName);
  if (reader_->FileName().empty()) {
    statusBar()->showMessage(Q(Language::GetText(kTextCannotOpen) + " " + fileName),
                             kStatusMessageMs);
  }
  if (withThumbnail) ShowThumbnail();
  ShowExif(*reader_);
  if (FullImageShown()) LoadFullImage(fileName);
  SetModified(false);
  ClearChangedMarks();
  return true;
}

void TMainForm::ShowThumbnail() {
  QImage thumbnail;
  if (!thumbnailFile_.empty() && JPegUtils::ExtractThumbnail(*reader_, thumbnailFile_)) {
    QCoreApplication::processEvents();
    thumbnail = JpegImage::LoadFitted(thumbnailFile_, Img->size(), reader_->GetOrientation());
  }
  if (thumbnail.isNull()) {
    Img->clear();
  } else {
    Img->setPixmap(QPixmap::fromImage(thumbnail));
  }
  Img->setVisible(!thumbnail.isNull());
}

void TMainForm::ShowExif(const TExifReader& reader) {
  ClearDisplay();
  ShowRows(reader);
  QStringList lines;
  for (const std::string& line : reader.Values().userCommentLines) lines << Q(line);
  Note->setPlainText(lines.join('\n'));
  noteLimit_ = std::max(kMaxNoteLength, static_cast<int>(Note->toPlainText().size()));
  SetCameraType(reader.GetMakerId());
  SetEditable(true);
  ShowGps(reader);
  ClearChangedMarks();
}

void TMainForm::ShowRows(const TExifReader& reader) {
  SG->setRowCount(0);
  ESG->setRowCount(0);
  const TExifRows& standard = reader.StandardRows();
  if (!standard.names.empty()) FillGrid(SG, standard.names, standard.texts, true);
  const TExifRows& maker = reader.MakerRows();
  if (!maker.names.empty()) FillGrid(ESG, maker.names, maker.texts, false);
}

void TMainForm::FillGrid(QTableWidget* grid, const std::vector<std::string>& names,
                         const std::vector<std::string>& texts, bool withDataFormat) {
  const int rows = static_cast<int>(std::min(names.size(), texts.size()));
  grid->setRowCount(rows + (withDataFormat ? 1 : 0));
  // Long names and texts (descriptions, maker arrays) do not fit their column.
  const auto cell = [](const std::string& text) {
    auto* item = new QTableWidgetItem(Q(text));
    item->setToolTip(item->text());
    return item;
  };
  for (int row = 0; row < rows; ++row) {
    grid->setItem(row, 0, cell(names[static_cast<size_t>(row)]));
    grid->setItem(row, 1, cell(texts[static_cast<size_t>(row)]));
  }
  if (!withDataFormat) return;
  grid->setItem(rows, 0, new QTableWidgetItem("Data Format"));
  grid->setItem(rows, 1, new QTableWidgetItem(reader_->IsIntelOrder() ? "Intel" : "Reverse"));
}

void TMainForm::ShowGps(const TExifReader& reader) {
  GpsFields::TCoordinate lat;
  GpsFields::TCoordinate lon;
  GpsFields::TAltitude alt;
  if (reader.HasGPS() && reader.IsGPSValid()) {
    const TExifValues& v = reader.Values();
    const auto coordinate = [](int32_t deg, int32_t min, double sec, const std::string& ref,
                               const char* negative) {
      GpsFields::TCoordinate c;
      c.deg = std::to_string(deg);
      c.min = std::to_string(min);
      c.sec = StrFunc::Trim(StrFunc::FormatNumber("####.###", sec));
      c.ref = StrFunc::UpperCaseCz(StrFunc::Trim(ref)) == negative ? 1 : 0;
      GpsFields::FromDegrees(c);
      return c;
    };
    lat = coordinate(v.latitudeDeg, v.latitudeMin, v.latitudeSec, v.latitudeRef, "S");
    lon = coordinate(v.longitudeDeg, v.longitudeMin, v.longitudeSec, v.longitudeRef, "W");
    if (v.altitude >= 0) {
      alt.text = StrFunc::Trim(StrFunc::FormatNumber("####.##", reader.GetAltitude()));
      alt.ref = v.altitudeRef == 1 ? 1 : 0;
    }
  }
  GPSGroup->ShowPosition(lat, lon, alt);
  if (TfrmGPS* places = GlobalWindows::Get().frmGPS)
    places->SetPosition(lat.decimal, lon.decimal, alt.text, "");
}

void TMainForm::ClearDisplay() {
  SetEditable(false);
  SG->setRowCount(0);
  ESG->setRowCount(0);
  Note->clear();
  GPSGroup->Clear();
  ClearChangedMarks();
}

void TMainForm::SetEditable(bool editable) {
  Note->setReadOnly(!editable);
  GPSGroup->SetEditable(editable);
  Button1->setEnabled(editable);
}

void TMainForm::SetModified(bool flag) {
  modified_ = flag;
  EnableItem(Save1, flag);
  UpdateCaption();
}

void TMainForm::UpdateCaption() {
  std::string caption = std::string(resources::kProductName) + " v" + resources::kProductVersion;
  if (!currentFile_.empty()) caption += "     " + currentFile_;
  if (modified_) caption += "   (" + Language::GetText(kTextModified) + ") ";
  setWindowTitle(Q(caption));
}

void TMainForm::SetCameraType(int makerNumber) {
  cameraType_ = makerNumber;
  CameraTypeCombo->setCurrentIndex(CameraTypes::ItemOfMaker(makerNumber));
}

void TMainForm::CameraTypeComboChange() { SetCameraType(cameraType_); }

bool TMainForm::FullImageShown() const { return Pages->currentWidget() == FullImg; }

void TMainForm::ShowImgButtonClick() {
  if (FullImageShown()) {
    Pages->setCurrentWidget(Grids);
    fullImage_ = QImage();
    FullImg->clear();
  } else {
    Pages->setCurrentWidget(FullImg);
    LoadFullImage(currentFile_);
  }
  ShowImgButton->setChecked(FullImageShown());
  QCoreApplication::processEvents();
  ArrangeGridColumns();
}

void TMainForm::LoadFullImage(const std::string& fileName) {
  InfoWindow::ShowInfo(Language::GetText(kTextLoadingImage) + " ...");
  // The photo shown has been read; another one is read for its orientation.
  int orientation = reader_->GetOrientation();
  if (fileName != reader_->FileName()) {
    TExifReader other;
    other.ReadFromFile(fileName);
    orientation = other.GetOrientation();
  }
  fullImage_ = fileName.empty() ? QImage()
                                : JpegImage::LoadFitted(fileName, FullImg->size(), orientation);
  InfoWindow::HideInfo();
  if (fullImage_.isNull()) {
    FullImg->setText(fileName.empty() ? QString() : Q(Language::GetText(kTextDamaged)));
    return;
  }
  ShowFullImage(fullImage_);
}

void TMainForm::ShowFullImage(const QImage& image) {
  FullImg->setPixmap(QPixmap::fromImage(JpegImage::Fitted(image, FullImg->size())));
}

void TMainForm::ArrangeGridColumns() {
  const int first = std::clamp(SG->viewport()->width() / 2, kMinTagColumn, kMaxTagColumn);
  SG->setColumnWidth(0, first);
  ESG->setColumnWidth(0, first);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SG->viewport() && event->type() == QEvent::Resize) ArrangeGridColumns();
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::SortByExposureClick() {
  if (!currentFile_.empty()) ShowFile(currentFile_, false);
}

void TMainForm::ShowUnknownClick() {
  if (!currentFile_.empty()) ShowFile(currentFile_, false);
}
