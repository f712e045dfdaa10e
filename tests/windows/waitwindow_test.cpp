// The progress, wait and information windows.
#include "app/dialogs/waitwindow.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/dialogs/InfoWindow.h"
#include "app/dialogs/modalgauge.h"
#include "tests/windows/WindowTestApp.h"

namespace {

// The font the width rule reads, for the life of the object.
class ScopedAppFont {
 public:
  explicit ScopedAppFont(int pointSize) : old_(QApplication::font()) {
    QFont font = old_;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
  }
  ~ScopedAppFont() { QApplication::setFont(old_); }

 private:
  QFont old_;
};

QPoint ScreenCentred(const QWidget& w) {
  return QGuiApplication::primaryScreen()->availableGeometry().center() -
         QPoint(w.width() / 2, w.height() / 2);
}

TEST(TfrmWait, BarsFollowTheSwapAndLineRules) {
  WindowTestApp();
  struct Case {
    int secondMax, firstMax;
    const char* line;
    int pbMax;   // 0: PB hidden
    int pb2Max;  // 0: PB2 hidden
    bool ptLine;
  };
  const Case cases[] = {
      {0, 5, "", 5, 0, false},         {5, 0, "", 5, 0, false},
      {3, 7, "", 7, 3, false},         {0, 0, "", 0, 0, false},
      {4, 6, " a.jpg ", 0, 4, true},   {4, 0, "a.jpg", 0, 0, true},
      {0, 2, "   ", 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.secondMax) + " " + std::to_string(c.firstMax) + " '" + c.line + "'");
    TfrmWait wait("Hotovo", 0, 1);
    wait.Setup("Hotovo", c.line, c.secondMax, c.firstMax);
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.info->text(), "Hotovo");
    EXPECT_EQ(wait.PB->isHidden() ? 0 : wait.PB->maximum(), c.pbMax);
    EXPECT_EQ(wait.PB2->isHidden() ? 0 : wait.PB2->maximum(), c.pb2Max);
    EXPECT_EQ(!wait.PTLine->isHidden(), c.ptLine);
    // Set up twice, still one window of the cascade.
    EXPECT_EQ(TfrmWait::OpenCount(), 1);
  }
  EXPECT_EQ(TfrmWait::OpenCount(), 0);
}

TEST(TfrmWait, WidthGrowsWithTheTextUpTo1024AndReservingMessagesShowNothing) {
  WindowTestApp();
  ScopedAppFont font(8);
  TfrmWait plain("Hotovo", 0, 5);
  EXPECT_EQ(plain.info->width(), TfrmWait::kInfoWidth);

  TfrmWait reserved(std::string(80, 'x'), 0, 5);
  EXPECT_EQ(reserved.info->text(), "");
  EXPECT_EQ(reserved.info->width(), 480);  // 80 x (8 - 2)
  EXPECT_EQ(reserved.width() - plain.width(), 480 - TfrmWait::kInfoWidth);
  EXPECT_EQ(reserved.PB->width() - plain.PB->width(), 480 - TfrmWait::kInfoWidth);

  TfrmWait capped(std::string(300, 'W'), 0, 0);
  EXPECT_EQ(capped.info->width(), TfrmWait::kMaxNeededWidth);

  // The second line reserves width too, counted in characters.
  TfrmWait lined("Hotovo", 0, 0);
  lined.Setup("Hotovo", std::string(45, 'x') + "čšžřďťňěůúíáéý" + std::string(41, 'x'), 0, 0);
  EXPECT_EQ(lined.info->width(), 600);
  EXPECT_EQ(lined.PTLine->width(), lined.info->width());

  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {{"xxxx", ""},   {"....", ""},     {"W", ""},         {"wwwwww", ""},
                        {"xXx", "xXx"}, {"xxa", "xxa"},   {"Čekejte", "Čekejte"},
                        {"", ""},       {"--", "--"}};
  for (const Case& c : cases) {
    TfrmWait wait(c.message, 0, 1);
    EXPECT_EQ(wait.info->text().toStdString(), c.shown) << c.message;
  }
}

TEST(TfrmWait, SeveralOpenWindowsStandBelowOneAnother) {
  WindowTestApp();
  auto first = std::make_unique<TfrmWait>("Načítám seznam souborů...", 0, 5);
  EXPECT_EQ(first->pos(), ScreenCentred(*first));
  auto second = std::make_unique<TfrmWait>("Načítám seznam souborů...", 0, 5);
  EXPECT_EQ(TfrmWait::OpenCount(), 2);
  EXPECT_EQ(second->pos(), ScreenCentred(*second) + QPoint(20, (10 + second->height()) * 2));
  auto third = std::make_unique<TfrmWait>("Načítám seznam souborů...", 0, 5);
  EXPECT_EQ(third->pos(), ScreenCentred(*third) + QPoint(30, (10 + third->height()) * 3));

  third.reset();
  second.reset();
  EXPECT_EQ(TfrmWait::OpenCount(), 1);
  TfrmWait again("Načítám seznam souborů...", 0, 5);
  EXPECT_EQ(again.pos(), ScreenCentred(again) + QPoint(20, (10 + again.height()) * 2));
}

TEST(TfrmWait, TheUserCannotCloseIt) {
  WindowTestApp();
  TfrmWait wait("Hotovo", 0, 5);
  EXPECT_EQ(wait.windowTitle(), "Čekejte, prosím");
  EXPECT_FALSE(wait.close());
  QTest::keyClick(&wait, Qt::Key_Escape);
  EXPECT_TRUE(wait.isVisible());
  EXPECT_EQ(TfrmWait::OpenCount(), 1);
}

TEST(TfrmWait, OwnedObjectIsFreedWithTheWindow) {
  WindowTestApp();
  bool freed = false;
  {
    TfrmWait wait("Hotovo", 0, 5);
    wait.SetOwnedObject(std::shared_ptr<void>(new int(7), [&freed](void* p) {
      delete static_cast<int*>(p);
      freed = true;
    }));
    wait.Step("");
    EXPECT_FALSE(freed);
  }
  EXPECT_TRUE(freed);
  EXPECT_EQ(TfrmWait::OpenCount(), 0);
}

TEST(TfrmWait, StepAdvancesTheBarToItsMaximumOrOnlyUpdatesTheLine) {
  WindowTestApp();
  TfrmWait wait("Hotovo", 0, 3);
  EXPECT_EQ(wait.PB->value(), 1);  // the set-up's own step
  wait.hide();
  wait.Step("ignored");
  EXPECT_TRUE(wait.isVisible());
  for (int i = 0; i < 4; ++i) wait.Step("");
  EXPECT_EQ(wait.PB->value(), 3);
  EXPECT_TRUE(wait.PTLine->isHidden());

  TfrmWait lined("Kopíruji", 0, 0);
  lined.Setup("Kopíruji", "a.jpg", 0, 4);
  lined.Step("b.jpg");
  EXPECT_EQ(lined.PTLine->text(), "b.jpg");
  EXPECT_TRUE(lined.PB->isHidden());
  EXPECT_EQ(lined.info->text(), "Kopíruji");

  TfrmWait two("Kopíruji", 0, 0);
  two.Setup("Kopíruji", "", 4, 6);
  two.PB2->setValue(3);
  two.Step("");
  EXPECT_EQ(two.PB2->value(), 0);
  EXPECT_EQ(two.PB->value(), 2);
}

TEST(TfrmWait, ALongLineKeepsTheWindowsWidthAndShowsItsEnds) {
  WindowTestApp();
  TfrmWait wait("Generuji stránky", 0, 0);
  wait.Setup("Generuji stránky", "a.jpg", 0, 0);
  const int width = wait.width();
  const std::string path = "/home/jana/Fotky/" + std::string(150, 'x') + "/Krkonoše/IMG_0815.JPG";
  wait.Step(path);
  QCoreApplication::processEvents();
  EXPECT_EQ(wait.width(), width);
  const QString shown = wait.PTLine->text();
  EXPECT_TRUE(shown.startsWith("/home/jana/")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("/Krkonoše/IMG_0815.JPG")) << shown.toStdString();
  EXPECT_LE(wait.PTLine->fontMetrics().horizontalAdvance(shown), wait.PTLine->width());
  EXPECT_EQ(wait.PTLine->toolTip().toStdString(), path);
  wait.Step("b.jpg");
  EXPECT_EQ(wait.PTLine->text(), "b.jpg");
  EXPECT_EQ(wait.width(), width);
}

TEST(TfrmModalGauge, StepsUpToItsMaximumAndStops) {
  WindowTestApp();
  TfrmModalGauge gauge;
  EXPECT_TRUE(gauge.windowFlags() & Qt::FramelessWindowHint);
  gauge.SetInfo("Generování všeho");
  EXPECT_EQ(gauge.FInfo->text(), "Generování všeho");
  gauge.SetMax(3);
  EXPECT_EQ(gauge.PB->value(), 0);
  for (int i = 0; i < 5; ++i) gauge.Step();
  EXPECT_EQ(gauge.PB->value(), 3);
  gauge.SetMax(10);
  EXPECT_EQ(gauge.PB->value(), 0);
  EXPECT_EQ(gauge.PB->maximum(), 10);
}

TEST(InfoWindow, OneWindowCentredOnItsOwnerUntilHidden) {
  WindowTestApp();
  QWidget owner;
  owner.setGeometry(100, 80, 600, 400);
  owner.show();
  QApplication::setActiveWindow(&owner);

  InfoWindow::ShowInfo("Generování náhledu (img_0815) ...");
  TInfoWind* window = InfoWindow::Current();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Label1->text(), "Generování náhledu (img_0815) ...");
  EXPECT_LE((window->geometry().center() - owner.geometry().center()).manhattanLength(), 2);

  InfoWindow::ShowInfo("Hotovo");
  EXPECT_EQ(InfoWindow::Current(), window);
  EXPECT_EQ(window->Label1->text(), "Hotovo");
  InfoWindow::HideInfo();
  EXPECT_EQ(InfoWindow::Current(), nullptr);
  InfoWindow::HideInfo();

  // Freed with its owner, it is gone for the unit too.
  InfoWindow::ShowInfo("Hotovo");
  {
    QWidget shortLived;
    shortLived.show();
    QApplication::setActiveWindow(&shortLived);
    InfoWindow::HideInfo();
    InfoWindow::ShowInfo("Hotovo");
  }
  EXPECT_EQ(InfoWindow::Current(), nullptr);
}

}  // namespace
