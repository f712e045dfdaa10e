// The two photo pickers: what they show and the index they return.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <string>
#include <vector>

#include "app/pickers/ImgListForm.h"
#include "app/pickers/ThumbListForm.h"
#include "foundation/config/cfgtools.h"
#include "resources/Product.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/TestPhotos.h"
#include "tests/windows/WindowTestApp.h"

namespace {

using testsupport::TempDir;

const std::vector<std::string> kDisplayList = {"01.05.2023|12:00:00|Sněžka",
                                               " 02.05.2023 | 08:30:15 | Labe | u pramene ",
                                               "bez svislítka"};

QString Cell(const TImageListForm& form, int row, int column) {
  const QTableWidgetItem* item = form.SG->item(row, column);
  return item == nullptr ? QString() : item->text();
}

TEST(TImageListForm, ShowsDateTimeAndCommentInColumnsOfTheGivenSizes) {
  WindowTestApp();
  TImageListForm form;
  form.Fill(kDisplayList);
  EXPECT_EQ(form.windowTitle(), "Seznam fotek");
  EXPECT_EQ(form.CancelButton->text(), "Zruš");
  EXPECT_EQ(form.SG->columnWidth(0), 77);
  EXPECT_EQ(form.SG->columnWidth(1), 64);
  EXPECT_EQ(form.SG->columnWidth(2), 405);
  EXPECT_EQ(form.SG->rowHeight(2), 16);
  EXPECT_EQ(Cell(form, 0, 2), "Sněžka");
  EXPECT_EQ(Cell(form, 1, 0), "02.05.2023");
  EXPECT_EQ(Cell(form, 1, 1), "08:30:15");
  EXPECT_EQ(Cell(form, 1, 2), "Labe | u pramene");
  EXPECT_EQ(Cell(form, 2, 0), "");
  EXPECT_EQ(Cell(form, 2, 2), "bez svislítka");
  EXPECT_EQ(form.SelectedRow(), 0);
}

TEST(TImageListForm, PickReturnsTheChosenRowOrMinusOne) {
  WindowTestApp();
  struct Case {
    const char* how;
    std::vector<std::string> list;
    int result;
  };
  const Case cases[] = {{"double click", kDisplayList, 1}, {"enter", kDisplayList, 2},
                        {"ok", kDisplayList, 0},           {"cancel", kDisplayList, -1},
                        {"ok", {}, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const std::string how = c.how;
    OnNextModal<TImageListForm>([how](TImageListForm& form) {
      if (how == "double click") {
        const QRect cell = form.SG->visualRect(form.SG->model()->index(1, 2));
        QTest::mouseClick(form.SG->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(form.SG->viewport(), Qt::LeftButton, {}, cell.center());
      } else if (how == "enter") {
        form.SG->selectRow(2);
        QTest::keyClick(form.SG, Qt::Key_Return);
      } else {
        (how == "ok" ? form.OkButton : form.CancelButton)->click();
      }
    });
    EXPECT_EQ(TImageListForm::Pick(nullptr, c.list), c.result);
  }
}

class ThumbnailPicker : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    // Photos with their own thumbnails, and one that needs the cache.
    for (int i = 0; i < 12; ++i) {
      const std::string name = "p" + std::to_string(10 + i) + ".jpg";
      testsupport::WriteFileBytes(dir_.File(name),
                                  testsupport::ReadFileBytes(testsupport::PhotoPath("canon-ixus.jpg")));
      names_.push_back(name);
    }
    WritePhoto(dir_.File("plain.jpg"), 120, 90);
    names_.push_back("plain.jpg");
  }

  // Runs the events until every shown cell has its picture.
  static void MakeThumbnails(TThumbnailListForm& form) {
    for (int i = 0; i < 200; ++i) QCoreApplication::processEvents();
    form.DG->viewport()->repaint();
    for (int i = 0; i < 200; ++i) QCoreApplication::processEvents();
  }

  testsupport::ScopedHome home_;
  TempDir dir_;
  std::vector<std::string> names_;
};

TEST_F(ThumbnailPicker, PicksTheCellsPhotoButNeverACellBeyondTheList) {
  TThumbnailListForm form;
  form.resize(6 * 103 + 80, 400);
  EXPECT_EQ(form.windowTitle(), "Seznam náhledů");
  EXPECT_EQ(form.CancelButton->text(), "Zruš");
  bool stayedOpen = false;
  int columns = 0;
  int rows = 0;
  bool madeAll = true;
  OnNextModal<TThumbnailListForm>([&](TThumbnailListForm& f) {
    MakeThumbnails(f);
    columns = f.DG->model()->columnCount();
    rows = f.DG->model()->rowCount();
    for (int i = 0; i < f.Cache().Count(); ++i) madeAll = madeAll && f.Cache().Entry(i).loaded;
    // Row 3 holds only the thirteenth photo (for six columns): its other
    // cells can be neither chosen nor picked.
    const QRect beyond = f.DG->visualRect(f.DG->model()->index(rows - 1, columns - 1));
    QTest::mouseClick(f.DG->viewport(), Qt::LeftButton, {}, beyond.center());
    QTest::mouseDClick(f.DG->viewport(), Qt::LeftButton, {}, beyond.center());
    stayedOpen = f.isVisible() && f.CurrentEntry() == 0;
    f.DG->setCurrentIndex(f.DG->model()->index(1, 2));
    QTest::keyClick(f.DG, Qt::Key_Return);
    if (f.isVisible()) f.reject();
  });
  const int picked = form.Pick(dir_.Path(), names_);
  EXPECT_EQ(columns, 6);
  EXPECT_EQ(rows, 3);
  EXPECT_TRUE(madeAll);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(picked, 8);
  // The embedded thumbnails need no cache; the plain photo got one.
  EXPECT_FALSE(testsupport::ReadFileBytes(dir_.File("thumbs/thumb_plain.jpg")).empty());
  EXPECT_NE(form.IL[0].pixel(50, 37), form.IL[12].pixel(50, 37));

  OnNextModal<TThumbnailListForm>([](TThumbnailListForm& f) {
    // A real double click: a click, then the second press.
    const QPoint cell = f.DG->visualRect(f.DG->model()->index(0, 1)).center();
    QTest::mouseClick(f.DG->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(f.DG->viewport(), Qt::LeftButton, {}, cell);
    if (f.isVisible()) f.reject();
  });
  EXPECT_EQ(form.Pick(dir_.Path(), names_), 1);
  OnNextModal<TThumbnailListForm>([](TThumbnailListForm& f) { f.CancelButton->click(); });
  EXPECT_EQ(form.Pick(dir_.Path(), names_), -1);
}

TEST_F(ThumbnailPicker, AWindowTooNarrowForOneColumnStillShowsOne) {
  TThumbnailListForm form;
  int columns = 0;
  int rows = 0;
  OnNextModal<TThumbnailListForm>([&](TThumbnailListForm& f) {
    f.resize(20, f.height());
    QCoreApplication::processEvents();
    columns = f.DG->model()->columnCount();
    rows = f.DG->model()->rowCount();
    f.DG->setCurrentIndex(f.DG->model()->index(12, 0));
    f.OkButton->click();
  });
  EXPECT_EQ(form.Pick(dir_.Path(), names_), 12);
  EXPECT_EQ(columns, 1);
  EXPECT_EQ(rows, 13);
}

// The mean grey of row (or column) i of a cell's picture.
double LineGrey(const QImage& image, int i, bool column) {
  double sum = 0;
  const int count = column ? image.height() : image.width();
  for (int k = 0; k < count; ++k) sum += qGray(column ? image.pixel(i, k) : image.pixel(k, i));
  return sum / count;
}

// A cell shows the middle of the photo's thumbnail, as wide and as high as
// the photo is: a portrait photo loses its top and bottom, a panorama its
// sides, and neither is squeezed.
TEST_F(ThumbnailPicker, CellsShowTheMiddleOfThePhotoUndistorted) {
  TempDir dir;
  // Thumbnails of 80 x 120 and of 160 x 64: cells of their middle 60 rows
  // and 85 columns.
  WriteGradientPhoto(dir.File("portrait.jpg"), 400, 600);
  WriteGradientPhoto(dir.File("panorama.jpg"), 1000, 400, true);
  TThumbnailListForm form;
  OnNextModal<TThumbnailListForm>([](TThumbnailListForm& f) {
    MakeThumbnails(f);
    f.CancelButton->click();
  });
  form.Pick(dir.Path(), {"portrait.jpg", "panorama.jpg"});
  ASSERT_EQ(form.IL.size(), 2u);
  for (const QImage& cell : form.IL) EXPECT_EQ(cell.size(), QSize(100, 75));
  EXPECT_NEAR(LineGrey(form.IL[0], 0, false), 255 * 30.5 / 120, 4);
  EXPECT_NEAR(LineGrey(form.IL[0], 74, false), 255 * 89.6 / 120, 4);
  EXPECT_NEAR(LineGrey(form.IL[1], 0, true), 255 * 37.5 / 160, 4);
  EXPECT_NEAR(LineGrey(form.IL[1], 99, true), 255 * 121.6 / 160, 4);
}

TEST_F(ThumbnailPicker, TheWindowsBoundsAreKeptForTheNextStart) {
  {
    TThumbnailListForm form;
    OnNextModal<TThumbnailListForm>([](TThumbnailListForm& f) {
      f.setGeometry(40, 50, 500, 300);
      f.CancelButton->click();
    });
    form.Pick(dir_.Path(), names_);
  }
  TConfig config;
  config.OpenRegistryDefault(false, resources::kProductName);
  config.SetSection("Desktop\\ThumbWinPos");
  const int width = config.ReadInteger("Width", -1);
  const int height = config.ReadInteger("Height", -1);
  EXPECT_EQ(width, 500);
  EXPECT_EQ(height, 300);
  TThumbnailListForm again;
  EXPECT_EQ(again.size(), QSize(width, height));
  EXPECT_EQ(again.pos(), QPoint(config.ReadInteger("Left", -1), config.ReadInteger("Top", -1)));
}

}  // namespace
