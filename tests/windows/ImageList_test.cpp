// The photo list window, driven by its controls' names: what it shows of a
// photo in each mode, taking a place from the places window and writing it
// into a copy of a photo (read back by the reader and by exiftool), the
// positions and writes it refuses, and double clicks by mode.
#include "app/batch/ImageList.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "foundation/appcore.h"
#include "metadata/exif.h"
#include "photos/ImageListLine.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/PickPlace.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CopyPhoto;
using testsupport::Exiftool;
using testsupport::ReadFileBytes;

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    appcore::SetFormApplicationInitialized();
    fs::create_directories(home.Path() + "/data");
    testsupport::WriteFileBytes(home.Path() + "/data/quillmarsh.gps",
                                "50.7361|15.7399| 1 602 |Sněžka\r\n"
                                "43.467448|11.885127||Toskánsko\r\n");
    GlobalWindows::Create(true);
    form = GlobalWindows::Get().ImgList;
  }

  void TearDown() override { GlobalWindows::Destroy(); }

  const std::vector<ScopedMessageHook::TBox>& Boxes() const { return boxes.Boxes(); }

  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*form, name);
  }

  std::string Text(const char* edit) { return Find<QLineEdit>(edit)->text().toStdString(); }
  bool Enabled(const char* button) { return Find<QPushButton>(button)->isEnabled(); }

  void TypeInto(const char* edit, const char* text) {
    QLineEdit* field = Find<QLineEdit>(edit);
    field->clear();
    QTest::keyClicks(field, text);
  }

  void DoubleClickRow(int row) {
    QListWidget* list = Find<QListWidget>("LB");
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  // Runs act; true when it opened a modal window (which is then closed).
  static bool OpensAWindow(const std::function<void()>& act) {
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        opened = true;
        modal->close();
      }
    });
    act();
    QCoreApplication::processEvents();
    return opened;
  }

  std::string OpenLog() const {
    const std::string log = home.Path() + "/open.log";
    return fs::exists(log) ? ReadFileBytes(log) : "";
  }

  QApplication& app = WindowTestApp();
  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
  testsupport::ScopedEnv openLog{"QUILLMARSH_OPEN_LOG", home.Path() + "/open.log"};
  ScopedMessageHook boxes;
  testsupport::TempDir photos;
  TImgList* form = nullptr;
};

TEST_F(ImageListTest, AnEmptyListShowsEmptyFieldsAndOffersNothing) {
  form->Fill({}, TImgList::kWithGps);
  EXPECT_EQ(form->windowTitle(), "Přejmenování souborů ve složce");
  EXPECT_EQ(Find<QPushButton>("BitBtn1")->text(), "Aktualizovat");
  EXPECT_EQ(Find<QPushButton>("Button7")->text(), "GPS");
  EXPECT_EQ(Find<QLabel>("lbLatitude")->text(), "Zeměpisná šířka");
  EXPECT_EQ(Find<QLabel>("lbLocationName")->text(), "Název místa daných GPS souřadnic");
  EXPECT_EQ(Find<QListWidget>("LB")->count(), 0);
  for (const char* edit :
       {"FileName", "FilePath", "FileDateTime", "GoogleSirka", "GoogleDelka", "locname"})
    EXPECT_EQ(Text(edit), "") << edit;
  for (const char* button : {"Button7", "MapButton", "BitBtn1"})
    EXPECT_FALSE(Enabled(button)) << button;
  EXPECT_TRUE(Find<QLabel>("Img")->isHidden());
}

TEST_F(ImageListTest, APhotoWithAPositionShowsItsDatePlaceThumbnailAndMap) {
  const std::string located = CopyPhoto("gps_DSCN0010.jpg", photos);
  const std::string plain = CopyPhoto("Canon_40D.jpg", photos);
  form->Fill({located, plain}, TImgList::kWithGps);
  QListWidget* list = Find<QListWidget>("LB");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text().toStdString(), ImageList::ListLine(plain));
  EXPECT_EQ(Text("FileName"), "gps_DSCN0010.jpg");
  EXPECT_EQ(Text("FilePath"), photos.Path());
  EXPECT_EQ(Text("FileDateTime"), "22.10.2008  /  16:28:39");
  EXPECT_EQ(Text("GoogleSirka"), "43.467448");
  EXPECT_EQ(Text("GoogleDelka"), "11.885127");
  EXPECT_EQ(Text("locname"), "Toskánsko");
  EXPECT_TRUE(Enabled("MapButton"));
  EXPECT_TRUE(Enabled("Button7"));
  EXPECT_FALSE(Enabled("BitBtn1"));
  EXPECT_FALSE(Find<QLabel>("Img")->isHidden());
  EXPECT_FALSE(Find<QLabel>("Img")->pixmap().isNull());
  EXPECT_TRUE(fs::exists(home.Path() + "/tmp/exif_thumbnail.jpg"));

  // In this list a double click looks at the position on the map.
  DoubleClickRow(0);
  EXPECT_EQ(OpenLog(), "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n");

  // A photo without a position leaves nothing of the one before.
  list->setCurrentRow(1);
  EXPECT_EQ(Text("FileName"), "Canon_40D.jpg");
  EXPECT_EQ(Text("FileDateTime"), "30.05.2008  /  15:56:01");
  EXPECT_EQ(Text("GoogleSirka"), "");
  EXPECT_EQ(Text("locname"), "");
  EXPECT_FALSE(Enabled("MapButton"));
  DoubleClickRow(1);
  EXPECT_EQ(OpenLog(), "https://www.google.com/maps?q=43.467448%2C+11.885127&views=satellite\n");
}

TEST_F(ImageListTest, TheFoldersOfTheListsStandInOneColumnWhateverTheNameLengths) {
  std::vector<std::string> files;
  for (const char* name : {"a.jpg", "name_of_23_chars___.jpg", "IMG_20230501_120000_burst_07.jpg"}) {
    files.push_back(photos.File(name));
    fs::copy_file(testsupport::PhotoPath("Canon_40D.jpg"), files.back());
  }
  for (const int mode : {TImgList::kInvalidDates, TImgList::kWithoutGps}) {
    form->Fill(files, mode);
    const QListWidget* list = Find<QListWidget>("LB");
    ASSERT_EQ(list->count(), 3);
    const QString folder = QString::fromStdString(photos.Path());
    for (int row = 0; row < 3; ++row) {
      const QString line = list->item(row)->text();
      EXPECT_EQ(line.indexOf(folder), 33) << mode << " " << line.toStdString();
      EXPECT_EQ(line[32], ' ') << mode << " " << line.toStdString();
    }
  }
}

// The thumbnail is stored turned as its photo is, and shown upright.
TEST_F(ImageListTest, TheThumbnailOfATurnedPhotoStandsUpright) {
  const std::string portrait = CopyPhoto("orientation_portrait_6.jpg", photos);
  const std::string turned = CopyPhoto("orientation_landscape_3.jpg", photos);
  form->Fill({portrait, turned}, TImgList::kWithoutGps);
  QImage shown = Find<QLabel>("Img")->pixmap().toImage();
  ASSERT_FALSE(shown.isNull());
  EXPECT_GT(shown.height(), shown.width());
  Find<QListWidget>("LB")->setCurrentRow(1);
  shown = Find<QLabel>("Img")->pixmap().toImage();
  ASSERT_FALSE(shown.isNull());
  EXPECT_LT(shown.height(), shown.width());
  // The 180° photo's sky, at the bottom as stored, is at the top.
  EXPECT_GT(qGray(shown.pixel(shown.width() / 2, 2)),
            qGray(shown.pixel(shown.width() / 2, shown.height() - 3)));
}

TEST_F(ImageListTest, InTheInvalidDatesListAnIfd0DateIsNoDateAndADoubleClickDoesNothing) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  ASSERT_EQ(Exiftool("-q -overwrite_original -DateTimeOriginal= -CreateDate=", photo), "");
  ASSERT_EQ(Exiftool("-ModifyDate", photo), "2008:07:31 10:38:11\n");
  form->Fill({photo}, TImgList::kInvalidDates);
  EXPECT_EQ(Text("FileName"), "Canon_40D.jpg");
  EXPECT_EQ(Text("FileDateTime"), "");
  EXPECT_FALSE(OpensAWindow([this] { DoubleClickRow(0); }));
  EXPECT_EQ(OpenLog(), "");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ImageListTest, APlaceTakenFromThePlacesIsWrittenIntoThePhoto) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  form->Fill({photo}, TImgList::kWithoutGps);
  // In this list a double click gives the photo a place.
  PickPlaceOnNextModal("Sněžka");
  DoubleClickRow(0);
  EXPECT_EQ(Text("GoogleSirka"), "50.7361");
  EXPECT_EQ(Text("GoogleDelka"), "15.7399");
  EXPECT_EQ(Text("locname"), "Sněžka");
  EXPECT_TRUE(Enabled("MapButton"));
  ASSERT_TRUE(Enabled("BitBtn1"));

  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Exiftool("-GPSLatitude -GPSLongitude -GPSAltitude -GPSAltitudeRef", photo),
            "50.7361\n15.7399\n1602\n0\n");
  TExifReader reader;
  ASSERT_TRUE(reader.ReadFromFile(photo));
  EXPECT_EQ(reader.GetLatitudeText(), "50.736100");
  EXPECT_EQ(reader.GetLongitudeText(), "15.739900");
  // Shown again as the photo holds it; it stays listed.
  EXPECT_EQ(Text("GoogleSirka"), "50.736100");
  EXPECT_FALSE(Enabled("BitBtn1"));
  EXPECT_EQ(Find<QListWidget>("LB")->count(), 1);
}

TEST_F(ImageListTest, APositionThatMayNotBeWrittenOrAFailedWriteIsToldAndThePhotoStays) {
  const std::string photo = CopyPhoto("Canon_40D.jpg", photos);
  const std::string bytes = ReadFileBytes(photo);
  form->Fill({photo}, TImgList::kWithoutGps);
  PickPlaceOnNextModal("Sněžka");
  QTest::mouseClick(Find<QPushButton>("Button7"), Qt::LeftButton);
  const struct {
    const char* lat;
    const char* lon;
    const char* message;
  } refused[] = {
      {"95.5", "15.7399", "Stupně zeměpisné šířky musí být celé číslo od 0 do 90."},
      {"-90.5", "15.7399", "Zeměpisná šířka může být nejvýše 90°."},
      {"50.1", "-180.01", "Zeměpisná délka může být nejvýše 180°."},
      {"50.1", "15.7x", "GPS pozice není úplná"},
      {"", "", "GPS pozice není úplná"},
  };
  for (const auto& r : refused) {
    TypeInto("GoogleSirka", r.lat);
    TypeInto("GoogleDelka", r.lon);
    const size_t shown = Boxes().size();
    QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
    ASSERT_EQ(Boxes().size(), shown + 1) << r.lat << " " << r.lon;
    EXPECT_EQ(Boxes().back().text.rfind(r.message, 0), 0u) << Boxes().back().text;
    EXPECT_EQ(Boxes().back().caption, "Chyba");
    EXPECT_TRUE(Enabled("BitBtn1"));
  }
  EXPECT_TRUE(ReadFileBytes(photo) == bytes);

  TypeInto("GoogleSirka", "50.1");
  TypeInto("GoogleDelka", "14.4");
  const size_t shown = Boxes().size();
  {
    testsupport::ScopedFileSizeLimit limit(bytes.size() / 2);
    QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  }
  ASSERT_EQ(Boxes().size(), shown + 1);
  EXPECT_EQ(Boxes().back().text, "Změny nelze uložit do snímku, snímek zůstal beze změny.\n\n" +
                                    photo + "  (systém změnu odmítl)");
  EXPECT_TRUE(ReadFileBytes(photo) == bytes);
  // The position is still there to be written.
  EXPECT_EQ(Text("GoogleSirka"), "50.1");
  QTest::mouseClick(Find<QPushButton>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(Boxes().size(), shown + 1);
  EXPECT_EQ(Exiftool("-GPSLatitude -GPSLongitude", photo), "50.1\n14.4\n");
}

// A photo renamed, moved or deleted since the list was made shows its name
// and folder only, and is told; the photos still there show as ever.
TEST_F(ImageListTest, APhotoGoneSinceTheListWasMadeIsTold) {
  const std::string photo = CopyPhoto("gps_DSCN0010.jpg", photos);
  const std::string gone = photos.File("gone.jpg");
  form->Fill({gone, photo}, TImgList::kWithGps);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text,
            "Snímek ze seznamu už na disku není, mezitím byl přejmenován, přesunut nebo smazán."
            "\n\n" + gone);
  EXPECT_EQ(Text("FileName"), "gone.jpg");
  EXPECT_EQ(Text("FileDateTime"), "");
  EXPECT_FALSE(Enabled("Button7"));
  Find<QListWidget>("LB")->setCurrentRow(1);
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Text("GoogleSirka"), "43.467448");
}

}  // namespace
