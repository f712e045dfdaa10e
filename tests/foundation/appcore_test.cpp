#include "foundation/appcore.h"

#include <gtest/gtest.h>

#include "foundation/DateTime.h"
#include "foundation/ovmsg.h"

namespace {

TEST(appcore, StartStampCountsFromTheYear2000) {
  appcore::Start();
  TDateTime y2000 = 0;
  ASSERT_TRUE(DateTime::TryEncodeDate(2000, 1, 1, y2000));
  const double expected = (DateTime::Now() - y2000) * 86400000.0;
  EXPECT_NEAR(static_cast<double>(appcore::StartStamp()), expected, 60000.0);
  const int64_t a = appcore::MsSinceStart();
  EXPECT_GE(a, 0);
  EXPECT_GE(appcore::MsSinceStart(), a);
}

TEST(appcore, DeveloperMessages) {
  const std::string grace = appcore::FormApplicationMessage(true, "ignored", 12345);
  EXPECT_EQ(grace.rfind("Nebylo jeste volano appform.InitializeFormApplication !!!\n\n"
                        "Je potreba prodlouzit cas pro start aplikace, dosavadnich 10000ms "
                        "nestaci. Dosavadni delka behu je 12345ms\n\n",
                        0),
            0u);
  EXPECT_EQ(appcore::FormApplicationMessage(false, "Duvod", 0).rfind("Duvod\n\n", 0), 0u);
  EXPECT_EQ(appcore::FormApplicationMessage(false, "", 0)
                .rfind("Nebylo volano appform.InitializeFormApplication !!!\n\n", 0),
            0u);
}

// No message box is installed in this suite, so messages go to standard error.
TEST(appcore, MissingSetUpIsToldUntilItHappens) {
  testing::internal::CaptureStderr();
  appcore::CheckFormApplication(true, "");  // within the grace time: quiet
  EXPECT_EQ(ovMessageBox("Smazat?", "Quillmarsh", ovmsg::kYesNo, 0), ovmsg::kResultNo);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.rfind("Chyba inicializace aplikace: Volano ovMessageBox drive, nez "
                      "InitializeFormApplication\n\n",
                      0),
            0u)
      << err;
  EXPECT_NE(err.find("\nQuillmarsh: Smazat?\n"), std::string::npos) << err;

  appcore::SetFormApplicationInitialized();
  testing::internal::CaptureStderr();
  appcore::CheckFormApplication(false, "");
  EXPECT_EQ(ovMessageBox("Hotovo", "Quillmarsh", ovmsg::kOk, 0), ovmsg::kResultOk);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Quillmarsh: Hotovo\n");
}

}  // namespace
