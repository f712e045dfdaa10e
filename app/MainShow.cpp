// Showing one photo in the main window: thumbnail, EXIF grids, camera,
// comment, GPS position and, on request, the whole photo.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>

#include "app/CameraTypes.h"
#include "app/InfoWindow.h"
#include "app/JPegUtils.h"
#include "app/JpegImage.h"
#include "app/Language.h"
#include "app/Main.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "resources/Product.h"

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

void TMainForm::ShowFile(const std::string& fileName, bool withThumbnail) {
  ClearDisplay();
  currentFile_ = fileName;
  reader_->SetHideUnnamedTags(!ShowUnknown->isChecked());
  reader_->ReadFromFile(fileName);
  if (reader_->FileName().empty()) {
    statusBar()->showMessage(Q(Language::GetText(kTextCannotOpen) + " " + fileName),
                             kStatusMessageMs);
  }
  if (withThumbnail) ShowThumbnail();
  ShowExif(*reader_);
  if (FullImageShown()) LoadFullImage(fileName);
  SetModified(false);
}

void TMainForm::ShowThumbnail() {
  QImage thumbnail;
  if (!thumbnailFile_.empty() && JPegUtils::ExtractThumbnail(*reader_, thumbnailFile_)) {
    QCoreApplication::processEvents();
    thumbnail = JpegImage::LoadFitted(thumbnailFile_, Img->size());
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
  const TExifRows& standard = reader.StandardRows();
  if (!standard.names.empty()) FillGrid(SG, standard.names, standard.texts, true);
  const TExifRows& maker = reader.MakerRows();
  if (!maker.names.empty()) FillGrid(ESG, maker.names, maker.texts, false);
  QStringList lines;
  for (const std::string& line : reader.Values().userCommentLines) lines << Q(line);
  Note->setPlainText(lines.join('\n'));
  SetCameraType(reader.GetMakerId());
  ShowGps(reader);
}

void TMainForm::FillGrid(QTableWidget* grid, const std::vector<std::string>& names,
                         const std::vector<std::string>& texts, bool withDataFormat) {
  const int rows = static_cast<int>(std::min(names.size(), texts.size()));
  grid->setRowCount(rows + (withDataFormat ? 1 : 0));
  for (int row = 0; row < rows; ++row) {
    grid->setItem(row, 0, new QTableWidgetItem(Q(names[static_cast<size_t>(row)])));
    auto* value = new QTableWidgetItem(Q(texts[static_cast<size_t>(row)]));
    // Long texts (descriptions, maker arrays) do not fit the column.
    value->setToolTip(value->text());
    grid->setItem(row, 1, value);
  }
  if (!withDataFormat) return;
  grid->setItem(rows, 0, new QTableWidgetItem("Data Format"));
  grid->setItem(rows, 1, new QTableWidgetItem(reader_->IsIntelOrder() ? "Intel" : "Reverse"));
}

void TMainForm::ShowGps(const TExifReader& reader) {
  if (!reader.HasGPS() || !reader.IsGPSValid()) return;
  const TExifValues& v = reader.Values();
  const auto coordinate = [](int32_t deg, int32_t min, double sec, bool negative, QLineEdit* degEdit,
                             QLineEdit* minEdit, QLineEdit* secEdit, QComboBox* ref,
                             QLineEdit* decimal) {
    const std::string seconds = StrFunc::Trim(StrFunc::FormatNumber("####.###", sec));
    double shown = 0;
    StrFunc::TryStrToFloatS(seconds, shown);
    degEdit->setText(QString::number(deg));
    minEdit->setText(QString::number(min));
    secEdit->setText(Q(seconds));
    ref->setCurrentIndex(negative ? 1 : 0);
    decimal->setText(Q(StrFunc::DegMinSecToStr(deg, min, shown, negative)));
  };
  const auto isRef = [](const std::string& ref, const char* letter) {
    return StrFunc::UpperCaseCz(StrFunc::Trim(ref)) == letter;
  };
  coordinate(v.latitudeDeg, v.latitudeMin, v.latitudeSec, isRef(v.latitudeRef, "S"), SirSt, SirMin,
             SirSec, SirkaRef, GoogleSirka);
  coordinate(v.longitudeDeg, v.longitudeMin, v.longitudeSec, isRef(v.longitudeRef, "W"), DelkaSt,
             DelkaMin, DelkaSec, DelkaRef, GoogleDelka);
  if (v.altitude >= 0) {
    GpsVyska->setText(Q(StrFunc::Trim(StrFunc::FormatNumber("####.##", reader.GetAltitude()))));
    GPSAltitudeRef->setCurrentIndex(v.altitudeRef == 1 ? 1 : 0);
  }
}

void TMainForm::ClearDisplay() {
  SG->setRowCount(0);
  ESG->setRowCount(0);
  Note->clear();
  for (QLineEdit* edit : {SirSt, SirMin, SirSec, GoogleSirka, DelkaSt, DelkaMin, DelkaSec,
                          GoogleDelka, GpsVyska})
    edit->clear();
  for (QComboBox* combo : {SirkaRef, DelkaRef, GPSAltitudeRef}) combo->setCurrentIndex(0);
  lbLocation->clear();
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
  fullImage_ = fileName.empty() ? QImage() : JpegImage::LoadFitted(fileName, FullImg->size());
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

void TMainForm::SortByExposureClick() {
  if (!currentFile_.empty()) ShowFile(currentFile_, false);
}

void TMainForm::ShowUnknownClick() {
  if (!currentFile_.empty()) ShowFile(currentFile_, false);
}
