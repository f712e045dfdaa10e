#include "gallery/generate/ProjectListPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/AppFolders.h"
#include "platform/TextLines.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

using ProjectListPage::TPage;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

TPage TwoProjects() {
  TPage page;
  page.Entries = {{"Dovolená", "trip"}, {"Hory", "hills"}};
  page.CharCode = 1;
  page.WebLanguage = 0;
  page.Date = "24.12.2024";
  return page;
}

std::vector<std::string> Lines(const std::string& bytes) { return platform::SplitLines(bytes); }

class ProjectListPageTest : public ::testing::Test {
 protected:
  void Template(const char* name, const std::string& text) {
    WriteFileBytes(AppFolders::DataFolder() + "/" + name, text);
  }
  std::vector<std::string> Written() {
    const std::string path = ProjectListPage::Write(false, TwoProjects());
    EXPECT_EQ(path, AppFolders::DataFolder() + "/projects.htm");
    return Lines(ReadFileBytes(path));
  }
  testsupport::ScopedHome home_;
};

TEST_F(ProjectListPageTest, WithoutTemplateTheDefaultPageListsEveryProject) {
  const std::vector<std::string> page = Written();
  const std::vector<std::string> head = {
      "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\">",
      "<html>",
      "<head>",
      "   <meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-2\">",
      "   <meta name=\"GENERATOR\" content=\"Quillmarsh\">",
      "   <title>Photo collections</title>",
      "</head>",
      "<body>",
      "&nbsp;",
      "<center><table BORDER >",
      "<tr ALIGN=CENTER VALIGN=CENTER BGCOLOR=\"#CCFFFF\">",
  };
  ASSERT_GT(page.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(page.begin(), page.begin() + std::ssize(head)), head);
  const std::vector<std::string> tail = {"</body>", "</html>", ""};
  EXPECT_EQ(std::vector<std::string>(page.end() - 3, page.end()), tail);
  const std::string text = ReadFileBytes(AppFolders::DataFolder() + "/projects.htm");
  EXPECT_NE(text.find("<a href=\"trip/800x600/index.htm\">800x600</a>"), std::string::npos);
  EXPECT_NE(text.find("<a href=\"hills/1024x768/index.htm\">1024x768</a>"), std::string::npos);
  EXPECT_NE(text.find("Generated 24.12.2024 by <a href=\""), std::string::npos);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_EQ(ProjectListPage::PageTitle(1), "Seznam fotografií");
}

// The table, uncoloured, stands between "<p>" and "</p>" where the template
// asks for it, once, and every other line stays as it was.
TEST_F(ProjectListPageTest, TemplateReceivesTheTableOnce) {
  std::vector<std::string> table = ProjectListPage::TableLines(TwoProjects(), false);
  EXPECT_EQ(table[2], "<tr ALIGN=CENTER VALIGN=CENTER>");
  // These templates declare no character set: the letter comes as a reference.
  for (std::string& line : table)
    if (const size_t at = line.find("Dovolená"); at != std::string::npos)
      line.replace(at, std::string("Dovolená").size(), "Dovolen&#225;");
  const auto around = [&table](std::vector<std::string> before, std::vector<std::string> after) {
    before.push_back("<p>");
    before.insert(before.end(), table.begin(), table.end());
    before.push_back("</p>");
    before.insert(before.end(), after.begin(), after.end());
    return before;
  };
  const struct {
    const char* what;
    const char* name;
    std::string text;
    std::vector<std::string> expected;
  } cases[] = {
      {"marker mid-line", "indexmaster.htm",
       "<html><body>\r\n<h1>Mine</h1> insertProjectList <i>end</i>\r\n</body></html>\r\n",
       around({"<html><body>", "<h1>Mine</h1> "}, {" <i>end</i>", "</body></html>"})},
      {"marker below a first </BODY>", "indexmaster.htm",
       "<body></BODY>\nINSERTPROJECTLIST\n</body>\n",
       around({"<body></BODY>"}, {"", "</body>"})},
      {"only </BODY>", "indexmaster.html",
       "<html>\n<body>\n  <p>Hi</p>  </body></html>\n<!-- </BODY> -->\n",
       around({"<html>", "<body>", "  <p>Hi</p>  "}, {"</body></html>", "<!-- </BODY> -->"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(AppFolders::DataFolder() + "/indexmaster.htm");
    fs::remove(AppFolders::DataFolder() + "/indexmaster.html");
    Template(c.name, c.text);
    EXPECT_EQ(Written(), c.expected);
  }
}

TEST_F(ProjectListPageTest, TemplateWithNeitherGivesTheDefaultPage) {
  const std::vector<std::string> defaultPage = Written();
  EXPECT_EQ(defaultPage.size(), ProjectListPage::DefaultPageLines(TwoProjects()).size());
  Template("indexmaster.htm", "<html>no place for a table</html>\n");
  Template("indexmaster.html", "<body>\n</body>\n");  // the .htm one is taken first
  EXPECT_EQ(Written(), defaultPage);
}

TEST_F(ProjectListPageTest, ThePageIsReplacedWholeOrNotAtAll) {
  const std::string target = AppFolders::DataFolder() + "/projects.htm";
  WriteFileBytes(target, "old page");
  ASSERT_EQ(ProjectListPage::Write(false, TwoProjects()), target);
  EXPECT_NE(ReadFileBytes(target), "old page");
  for (const auto& entry : fs::directory_iterator(AppFolders::DataFolder()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
  // The page for the upload goes to the private temporary folder.
  const std::string upload = ProjectListPage::Write(true, TwoProjects());
  EXPECT_EQ(fs::path(upload).filename(), "index.htm");
  EXPECT_EQ(fs::path(upload).parent_path(), fs::path(home_.Path() + "/tmp"));
}

// A page is in the character set it declares: the default page in the
// project's, a template's table in the template's (its own bytes as they
// were), or, without a declaration, in ASCII with references.
TEST_F(ProjectListPageTest, TextsAreInTheCharacterSetThePageDeclares) {
  const auto written = [] { return ReadFileBytes(ProjectListPage::Write(false, TwoProjects())); };
  // "Dovolená" in ISO-8859-2 ends with the byte 0xE1.
  EXPECT_NE(written().find("Dovolen\xE1<"), std::string::npos);
  Template("indexmaster.htm",
           "<meta http-equiv=\"Content-Type\" content=\"text/html; CHARSET=windows-1250\">\n"
           "<h1>\x8Aumava</h1>\nINSERTPROJECTLIST\n");
  std::string page = written();
  EXPECT_NE(page.find("<h1>\x8Aumava</h1>"), std::string::npos);
  EXPECT_NE(page.find("Dovolen\xE1<"), std::string::npos);
  Template("indexmaster.htm", "<h1>\x8Aumava</h1>\nINSERTPROJECTLIST\n");
  page = written();
  EXPECT_NE(page.find("<h1>\x8Aumava</h1>"), std::string::npos);
  EXPECT_NE(page.find("Dovolen&#225;<"), std::string::npos);
}

TEST(ProjectListPageUrl, FileUrlsArePercentEncoded) {
  EXPECT_EQ(ProjectListPage::FileUrl("/home/me/Web/Trip"), "file:///home/me/Web/Trip");
  EXPECT_EQ(ProjectListPage::FileUrl("/home/me/Výlet #1/a%b"),
            "file:///home/me/V%C3%BDlet%20%231/a%25b");
}

}  // namespace
