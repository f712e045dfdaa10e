#include "app/widgets/appform.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "foundation/appcore.h"
#include "tests/frame/FrameTestApp.h"

namespace {

QFont Font(const char* family) {
  QFont f(family, 9);
  f.setBold(true);
  return f;
}

template <typename W>
W* Child(QWidget* parent, const char* family) {
  auto* w = new W(parent);
  w->setFont(Font(family));
  return w;
}

TEST(appform, OldDialogFontIsRenamedInControlsOnly) {
  FrameTestApp();
  QWidget form;
  auto* label = Child<QLabel>(&form, "MS Sans Serif");
  auto* spaced = Child<QLabel>(&form, " ms sans SERIF ");
  auto* button = Child<QPushButton>(&form, "MS Sans Serif");
  auto* other = Child<QLabel>(&form, "DejaVu Sans");
  auto* frame = Child<QFrame>(&form, "MS Sans Serif");
  auto* nested = new QWidget(&form);
  auto* nestedBox = Child<QCheckBox>(nested, "MS Sans Serif");

  appform::AutoChangeAppFont(&form);

  for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(spaced),
                     static_cast<QWidget*>(button), static_cast<QWidget*>(nestedBox)}) {
    EXPECT_EQ(w->font().family(), "MS Shell Dlg") << w->metaObject()->className();
    EXPECT_EQ(w->font().pointSize(), 9);
    EXPECT_TRUE(w->font().bold());
  }
  EXPECT_EQ(other->font().family(), "DejaVu Sans");
  EXPECT_EQ(frame->font().family(), "MS Sans Serif");
  EXPECT_TRUE(QFont::substitutes("MS Shell Dlg")
                  .contains(QApplication::font().family(), Qt::CaseInsensitive));
}

TEST(appform, InitializeMarksSetUpAndFixesEveryWindow) {
  FrameTestApp();
  auto window = std::make_unique<QWidget>();
  auto* label = Child<QLabel>(window.get(), "MS Sans Serif");
  appform::InitializeFormApplication(false);
  EXPECT_TRUE(appcore::IsFormApplicationInitialized());
  EXPECT_EQ(label->font().family(), "MS Shell Dlg");
}

}  // namespace
