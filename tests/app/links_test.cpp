#include "app/start/links.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;

TEST(links, SendToLaunchersOfTheMainWindow) {
  testsupport::ScopedHome home;
  const std::string target = "/opt/Quillmarsh/quillmarsh";
  ASSERT_TRUE(links::CreateShortcut("Zobrazení na mapě", target, {"/gpsview"}, "",
                                    links::kPlaceSendTo));
  ASSERT_TRUE(links::CreateShortcut("Nastavení GPS souřadnic", target, {"/gpsset"}, "",
                                    links::kPlaceSendTo));
  ASSERT_TRUE(links::CreateShortcut("Quillmarsh", target, {}, "", links::kPlaceSendTo));

  const std::string apps = home.Path() + "/applications/";
  EXPECT_EQ(ReadFileBytes(apps + "Zobrazení na mapě.desktop"),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Zobrazení na mapě\n"
            "Exec=/opt/Quillmarsh/quillmarsh /gpsview %F\n"
            "Path=/opt/Quillmarsh\n"
            "MimeType=image/jpeg;inode/directory;\n"
            "Terminal=false\n"
            "NoDisplay=true\n");
  EXPECT_NE(ReadFileBytes(apps + "Nastavení GPS souřadnic.desktop")
                .find("\nExec=/opt/Quillmarsh/quillmarsh /gpsset %F\n"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(apps + "Quillmarsh.desktop").find("\nExec=/opt/Quillmarsh/quillmarsh %F\n"),
            std::string::npos);

  links::DeleteShortcut("Quillmarsh", links::kPlaceSendTo);
  EXPECT_FALSE(std::filesystem::exists(apps + "Quillmarsh.desktop"));
}

TEST(links, ExistingFileIsNeverReplaced) {
  testsupport::ScopedHome home;
  const std::string path = home.Path() + "/applications/Quillmarsh.desktop";
  ASSERT_TRUE(links::CreateShortcut("Quillmarsh", "/a/quillmarsh", {}, "", links::kPlaceSendTo));
  testsupport::WriteFileBytes(path, "edited by the user");
  EXPECT_FALSE(links::CreateShortcut("Quillmarsh", "/b/quillmarsh", {"/gpsset"}, "",
                                     links::kPlaceSendTo));
  EXPECT_EQ(ReadFileBytes(path), "edited by the user");

  std::filesystem::create_symlink(home.Path() + "/nowhere", home.Path() + "/applications/Link.desktop");
  EXPECT_FALSE(links::CreateShortcut("Link", "/a/quillmarsh", {}, "", links::kPlaceSendTo));
  EXPECT_FALSE(std::filesystem::exists(home.Path() + "/nowhere"));
}

TEST(links, NamesAndPlaces) {
  testsupport::ScopedHome home;
  const std::string h = home.Path();
  EXPECT_EQ(links::ShortcutPath("Quillmarsh", links::kPlaceSendTo), h + "/applications/Quillmarsh.desktop");
  EXPECT_EQ(links::ShortcutPath("Quillmarsh.DeskTop", links::kPlaceStartMenu),
            h + "/applications/Quillmarsh.DeskTop");
  EXPECT_EQ(links::ShortcutPath("Quillmarsh", links::kPlaceDesktop), h + "/desktop/Quillmarsh.desktop");
  EXPECT_EQ(links::ShortcutPath("Quillmarsh", 7), h + "/desktop/Quillmarsh.desktop");
  EXPECT_EQ(links::ShortcutPath("Quillmarsh", links::kPlaceStartup), h + "/autostart/Quillmarsh.desktop");
  EXPECT_EQ(links::ShortcutPath("Quillmarsh", links::kPlaceFavourites), "");
  EXPECT_EQ(links::ShortcutPath("../Quillmarsh", links::kPlaceSendTo), "");
  EXPECT_EQ(links::ShortcutPath("", links::kPlaceSendTo), "");
  EXPECT_FALSE(links::CreateShortcut("Quillmarsh", "/a/q", {}, "", links::kPlaceFavourites));
  ASSERT_TRUE(links::CreateShortcut("Quillmarsh", "/a/q", {}, "Fotky", 7));
  EXPECT_TRUE(std::filesystem::exists(h + "/desktop/Quillmarsh.desktop"));
}

// The Exec value after the quoting rules of desktop entries, then the
// escaping of string values (a backslash doubled).
TEST(links, ExecQuotesWhatTheLauncherWouldSplit) {
  struct Case {
    std::string target;
    std::vector<std::string> args;
    std::string exec;
  };
  const Case cases[] = {
      {"/opt/My Photos/quillmarsh", {"/gpsview"}, "\"/opt/My Photos/quillmarsh\" /gpsview %F"},
      {"/opt/q", {"say \"hi\""}, "/opt/q \"say \\\\\"hi\\\\\"\" %F"},
      {"/opt/q", {"$HOME", "it's"}, "/opt/q \"\\\\$HOME\" \"it's\" %F"},
      {"/opt/q", {"100%"}, "/opt/q 100%% %F"},
      {"/opt/q", {"a\\b"}, "/opt/q \"a\\\\\\\\b\" %F"},
      {"/opt/q", {""}, "/opt/q \"\" %F"},
  };
  for (const Case& c : cases) {
    const std::string text = links::DesktopEntryText("Q", c.target, c.args, "", false);
    EXPECT_NE(text.find("\nExec=" + c.exec + "\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("NoDisplay"), std::string::npos);
  }
}

}  // namespace
