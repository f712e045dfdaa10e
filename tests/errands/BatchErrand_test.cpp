// Errand 2, in the batch actions window over a folder tree: a photographer
// reads the statistics, sets the file dates from the photos, renames them by
// the date taken, splits them into month folders, writes a place into the
// photos without a position and looks at the list of photos without one.
// Every photo's picture is still there afterwards, under its new name.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/batch/HromadneAkce.h"
#include "app/batch/ImageList.h"
#include "foundation/DosFunc.h"
#include "tests/errands/Errand.h"
#include "tests/photos/BatchTree.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/PickPlace.h"

namespace {

using Names = std::vector<std::string>;

// A photo of the tree and where each step puts it.
struct TreePhoto {
  const char* source;   // the test photo copied
  const char* first;    // where the photographer keeps it
  const char* renamed;  // after renaming by the date taken
  const char* split;    // after splitting into month folders
  int taken[6];         // when it was taken
  bool located;         // it holds a position of its own
  const char* positionAfter;  // as exiftool shows it in the end
};

const char kSnezka[] = "50.7361\n15.7399\n";

const TreePhoto kTree[] = {
    {"canon-ixus.jpg", "IMG_0001.jpg", "20010609_151732.jpg", "2001-06/20010609_151732.jpg",
     {2001, 6, 9, 15, 17, 32}, false, kSnezka},
    {"nikon-e950.jpg", "IMG_0002.jpg", "20010406_115140.jpg", "2001-04/20010406_115140.jpg",
     {2001, 4, 6, 11, 51, 40}, false, kSnezka},
    {"gps_DSCN0010.jpg", "Toskana.jpg", "20081022_162839.jpg", "2008-10/20081022_162839.jpg",
     {2008, 10, 22, 16, 28, 39}, true, "43.4674483333333\n11.8851266666639\n"},
    {"Canon_40D.jpg", "Praha/most.jpg", "Praha/20080530_155601.jpg",
     "Praha/2008-05/20080530_155601.jpg", {2008, 5, 30, 15, 56, 1}, false, kSnezka},
    {"Sony_HDR-HC3.jpg", "Praha/hrad.jpg", "Praha/20070615_044232.jpg",
     "Praha/2007-06/20070615_044232.jpg", {2007, 6, 15, 4, 42, 32}, false, kSnezka},
};
// Cut off half-way through its picture, in the run that has it.
const TreePhoto kDamagedPhoto = {"fujifilm-finepix40i.jpg", "Praha/damaged.jpg",
                                 "Praha/20000804_182257.jpg",
                                 "Praha/2000-08/20000804_182257.jpg",
                                 {2000, 8, 4, 18, 22, 57}, false, ""};

class BatchErrand : public errand::ErrandTest {
 protected:
  void SetUp() override {
    ErrandTest::SetUp();
    boxes.emplace();
    StoreKnownPlaces();
  }

  // --- The tree ---------------------------------------------------------------
  std::vector<TreePhoto> Photos() const {
    std::vector<TreePhoto> photos(std::begin(kTree), std::end(kTree));
    if (Damaged()) photos.push_back(kDamagedPhoto);
    return photos;
  }
  void MakeTree() {
    for (const TreePhoto& photo : kTree) {
      const std::string path = At(photo.first);
      batchtest::MakeFolderOf(path);
      ASSERT_TRUE(DosFunc::CopyFileEx(testsupport::PhotoPath(photo.source), path)) << path;
    }
    if (Damaged())
      errand::AddDamagedPhoto(batchtest::MakeFolderOf(At(kDamagedPhoto.first)),
                              testsupport::PhotoPath(kDamagedPhoto.source));
  }
  std::string At(const std::string& rel) const { return root.Path() + "/" + rel; }
  // Where the photos lie as the column gives it, sorted; with located
  // false only those without a position of their own.
  Names Expected(const char* TreePhoto::*column, std::optional<bool> located = {}) const {
    Names names;
    for (const TreePhoto& photo : Photos())
      if (!located || photo.located == *located) names.push_back(photo.*column);
    std::sort(names.begin(), names.end());
    return names;
  }
  static TDateTime Taken(const TreePhoto& photo) {
    const int* t = photo.taken;
    return testsupport::At(t[0], t[1], t[2], t[3], t[4], t[5]);
  }

  // --- The user's steps -------------------------------------------------------
  // File > Open in the main window, and the photo chosen in the open dialog.
  void OpenInTheMainWindow(const std::string& photo) {
    ChooseFile(photo);
    FindNamed<QAction>(*form, "Open1")->trigger();
    EXPECT_EQ(form->CurrentFile(), photo);
  }
  // Batch > the batch actions window, worked in by errand and closed.
  void InTheBatchWindow(const std::function<void(TfrmHA&)>& errand) {
    bool worked = false;
    OnNextModal<TfrmHA>([&](TfrmHA& window) {
      batch = &window;
      errand(window);
      worked = true;
      window.close();
    });
    FindNamed<QAction>(*form, "AboveDirectory1")->trigger();
    EXPECT_TRUE(worked);
    batch = nullptr;
  }
  template <typename T>
  T* Find(const char* name) {
    return FindNamed<T>(*batch, name);
  }
  void Click(const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
  }
  // A click on the box or the circle at the left of a caption.
  void Tick(const char* button) {
    QAbstractButton* box = Find<QAbstractButton>(button);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
  }
  std::string Caption(const char* control) {
    const QObject* found = Find<QObject>(control);
    if (const auto* button = qobject_cast<const QAbstractButton*>(found))
      return button->text().toStdString();
    return qobject_cast<const QLabel*>(found)->text().toStdString();
  }
  // The statistics' three counts: invalid dates, without and with a position.
  Names Counts() {
    Names counts;
    for (const char* field : {"countInvDates", "countWithoutGPS", "countWithGPS"})
      counts.push_back(Find<QLineEdit>(field)->text().toStdString());
    return counts;
  }
  // The photo list window opened with button: "folder/name" of each row as
  // the fields show it when the row is chosen, relative to the tree.
  Names PhotoList(const char* button) {
    Names rows;
    OnNextModal<TImgList>([&](TImgList& list) {
      for (int row = 0; row < list.LB->count(); ++row) {
        list.LB->setCurrentRow(row);
        const std::string folder = list.FilePath->text().toStdString();
        rows.push_back((folder == root.Path() ? "" : folder.substr(root.Path().size() + 1) + "/") +
                       list.FileName->text().toStdString());
      }
      QTest::keyClick(&list, Qt::Key_Escape);
    });
    Click(button);
    return rows;
  }
  Names Done() const { return {Text("Hotovo|Hotovo", "Done|Done")}; }

  testsupport::TempDir root;
  std::optional<ScopedMessageHook> boxes;
  TMainForm* form = nullptr;
  TfrmHA* batch = nullptr;
};

TEST_P(BatchErrand, StatisticsDatesNamesMonthsAndPositionsKeepEveryPicture) {
  MakeTree();
  std::map<std::string, std::string> pictures;  // by the photo's first place
  for (const TreePhoto& photo : Photos())
    pictures[photo.first] = errand::PictureChecksum(At(photo.first));

  form = &StartProgram();
  form->show();
  // The photographer has the tree's top folder open in the main window.
  OpenInTheMainWindow(At("Toskana.jpg"));
  EXPECT_EQ(form->Files().size(), 3u);
  EXPECT_EQ(FindNamed<QAction>(*form, "AboveDirectory1")->text().toStdString(),
            Text("Přejmenování souborů ve složce", "Batch actions on a folder"));
  InTheBatchWindow([&](TfrmHA& window) {
    EXPECT_EQ(window.windowTitle().toStdString(),
              Text("Přejmenování souborů ve složce", "Batch actions on a folder"));

    // The folder, chosen with the button beside it, with its subfolders.
    ChooseFolder(root.Path());
    Click("Button1");
    EXPECT_EQ(Find<QLineEdit>("RootDir")->text().toStdString(), root.Path());
    EXPECT_EQ(Counts(), (Names{"0", "2", "1"}));
    EXPECT_EQ(Caption("Subdirs"), Text("Také všechny podsložky", "Include all subfolders"));
    Tick("Subdirs");
    EXPECT_EQ(Counts(), (Names{"0", Damaged() ? "5" : "4", "1"}));
    EXPECT_EQ(Caption("lbWithoutGPS"), Text("Souborů bez GPS", "Files without GPS"));
    EXPECT_EQ(Caption("lbMinDate"), Damaged() ? "Min = 04.08.2000" : "Min = 06.04.2001");
    EXPECT_EQ(Caption("lbMaxDate"), "Max = 22.10.2008");
    EXPECT_EQ(boxes->SaidSinceLastLook(), Names{});

    // File dates from the photos.
    EXPECT_EQ(Caption("Button2"),
              Text("Čas souboru podle času expozice", "File date from date taken"));
    Click("Button2");
    EXPECT_EQ(boxes->SaidSinceLastLook(), Done());
    for (const TreePhoto& photo : Photos())
      EXPECT_EQ(DosFunc::GetFileDateTime(At(photo.first)), Taken(photo)) << photo.first;

    // Names from the date taken.
    Tick("rb_date");
    EXPECT_EQ(Caption("Button3"), Text("Proveď, řazení podle exif", "Run, sort by date taken"));
    Click("Button3");
    EXPECT_EQ(boxes->SaidSinceLastLook(), Done());
    EXPECT_EQ(batchtest::Tree(root.Path()), Expected(&TreePhoto::renamed));

    // A folder for each month.
    EXPECT_EQ(Caption("Button8"), Text("Měsíce", "Months"));
    Click("Button8");
    EXPECT_EQ(boxes->SaidSinceLastLook(), Done());
    EXPECT_EQ(batchtest::Tree(root.Path()), Expected(&TreePhoto::split));

    // Which photos have no position yet, under their new names.
    Click("BitBtn1");
    Names listed = PhotoList("Button10");
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, Expected(&TreePhoto::split, false));

    // They get a stored place; the photo with a position keeps its own.
    PickPlaceOnNextModal("Sněžka");
    Click("Button7");
    EXPECT_EQ(Find<QLineEdit>("locname")->text().toStdString(), "Sněžka");
    EXPECT_EQ(Caption("rbJustUnsetGPS"),
              Text("Jen soubory bez GPS souřadnic", "Only files without a GPS position"));
    Tick("rbJustUnsetGPS");
    Click("Button6");
    if (Damaged()) {
      // The damaged photo is left as it was, and named with the reason.
      EXPECT_EQ(boxes->SaidSinceLastLook(), (Names{"Hotovo|Hotovo\n\nNěkteré soubory se nepodařilo zpracovat (1):\n\n"
                               "GPS pozici se nepodařilo zapsat, snímek zůstal beze změny:\n" +
                               At(kDamagedPhoto.split) + "  (obrázek JPEG je poškozený)"}));
    } else {
      EXPECT_EQ(boxes->SaidSinceLastLook(), Done());
    }
    Click("BitBtn1");
    EXPECT_EQ(Counts(), (Names{"0", Damaged() ? "1" : "0", "5"}));
    EXPECT_EQ(PhotoList("Button10"), Damaged() ? Names{kDamagedPhoto.split} : Names{});
    EXPECT_EQ(boxes->SaidSinceLastLook(), Names{});
  });

  // Back in the main window the photos have moved away into their month
  // folders: the next step shows none of them, and a month folder shows its
  // photo under the new name.
  QTest::mouseClick(FindNamed<QAbstractButton>(*form, "FirstFileButton"), Qt::LeftButton);
  EXPECT_EQ(form->CurrentFile(), "");
  EXPECT_EQ(form->windowTitle(), "Quillmarsh v1.0");
  OpenInTheMainWindow(At(kTree[2].split));
  EXPECT_EQ(form->Files().size(), 1u);
  EXPECT_EQ(boxes->SaidSinceLastLook(), Names{});

  // Every picture is there under its new name, with its date and position.
  for (const TreePhoto& photo : Photos()) {
    SCOPED_TRACE(photo.split);
    const std::string path = At(photo.split);
    EXPECT_EQ(errand::PictureChecksum(path), pictures[photo.first]);
    EXPECT_EQ(DosFunc::GetFileDateTime(path), Taken(photo));
    EXPECT_EQ(testsupport::Exiftool("-GPSLatitude -GPSLongitude", path), photo.positionAfter);
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, BatchErrand, errand::kVariants, errand::VariantName);

}  // namespace
