#include "foundation/config/cfgtoolsini.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

const std::string kSettings = Crlf({
    "; Settings of the photo tool",
    "",
    "; Window placement",
    "[Window]",
    "# left edge",
    "Left=10",
    "Top = 20",
    ";Width=640",
    "",
    "[Options]",
    "; the language id",
    "Language=1029",
    ";old=5",
    "old=7",
    "Confirm=Ano",
});

// Read, change, write: comments stay where they were, "#" becomes "; ", a
// commented-out value stays beside a changed one, and every header gets an
// empty line before it.
TEST(StreamIniFile, GoldenRewriteKeepsComments) {
  testsupport::TempDir dir;
  const std::string file = dir.File("settings.ini");
  testsupport::WriteFileBytes(file, kSettings);
  {
    TConfig config;
    config.OpenFile(file);
    config.SetSection("Window");
    EXPECT_EQ(config.ReadInteger("Top", 0), 20);
    config.WriteInteger("Top", 25);
    config.SetSection("Options");
    config.WriteBool("Confirm", false);
    config.SetSection("New");
    config.WriteString("x", "1");
  }
  EXPECT_EQ(testsupport::ReadFileBytes(file), Crlf({
                                                  "; Settings of the photo tool",
                                                  "",
                                                  "",
                                                  "",
                                                  "; Window placement",
                                                  "[Window]",
                                                  "; left edge",
                                                  "Left=10",
                                                  "Top=25",
                                                  ";Width=640",
                                                  "",
                                                  "[Options]",
                                                  "; the language id",
                                                  "Language=1029",
                                                  "old=7",
                                                  ";old=5",
                                                  "Confirm=Ne",
                                                  "",
                                                  "[New]",
                                                  "x=1",
                                              }));

  // Once "old" holds the commented-out value again, that line goes; a second
  // rewrite changes nothing else.
  {
    TConfig config;
    config.OpenFile(file);
    config.SetSection("Options");
    config.WriteInteger("old", 5);
  }
  const std::string once = testsupport::ReadFileBytes(file);
  EXPECT_EQ(once.find(";old=5"), std::string::npos);
  EXPECT_NE(once.find("old=5\r\nConfirm=Ne"), std::string::npos);
  {
    TConfig config;
    config.OpenFile(file);
    config.SetSection("Options");
    config.WriteInteger("old", 5);
  }
  EXPECT_EQ(testsupport::ReadFileBytes(file), once);
}

TEST(StreamIniFile, ValueTexts) {
  std::string stream;
  TConfig config;
  config.OpenStream(stream);
  config.SetSection("S");
  config.WriteString("multi", "a\nb");
  config.WriteText("text", "a\r\nb");
  config.WriteStream("bytes", "\x01\xAB");
  config.WriteString("path", "C:\\dir");
  config.WriteBool("flag", true);
  ASSERT_TRUE(config.UpdateFile());
  EXPECT_EQ(stream, Crlf({"[S]", "multi=\\?<a\\ab>?/", "text=a_:<br>:_b", "bytes=HEX:01AB",
                          "path=C:\\dir", "flag=True", ""}));
  EXPECT_EQ(config.ReadString("multi", ""), "a\nb");
  EXPECT_EQ(config.ReadText("text", ""), "a\r\nb");
  std::string bytes;
  EXPECT_EQ(config.ReadStream("bytes", bytes), 2);
  EXPECT_EQ(bytes, "\x01\xAB");
}

TEST(StreamIniFile, SectionsDifferingInCaseMakeTheStoreCaseSensitive) {
  TStringList mixed = {"[Data]", "a=1", "[DATA]", "a=2"};
  const auto sensitive = TStreamIniFile::FromLines(mixed);
  EXPECT_TRUE(sensitive->CaseSensitive());
  EXPECT_EQ(sensitive->ReadString("DATA", "a", ""), "2");
  TStringList plain = {"[Data]", "a=1"};
  const auto insensitive = TStreamIniFile::FromLines(plain);
  EXPECT_FALSE(insensitive->CaseSensitive());
  EXPECT_EQ(insensitive->ReadString("data", "A", ""), "1");
}

TEST(StreamIniFile, ReplaceSectionLinesKeepsOtherSectionsAndMergesComments) {
  TStringList lines = {"; top", "[A]", "x=1", "[B]", "y=2", "[C]", "z=3"};
  const auto ini = TStreamIniFile::FromLines(lines);
  ini->ReplaceSectionLines("b", {"; about y", "y = 5", "", "w=6"});
  EXPECT_EQ(ini->ReadSections(), (TStringList{"A", "b", "C"}));
  EXPECT_EQ(ini->ReadSectionValues("B"), (TStringList{"y=5", "w=6"}));
  EXPECT_EQ(ini->GetComment("B", "y"), "about y");
  EXPECT_EQ(ini->GetComment("A", ""), "top");  // a comment right above a header is its own
  ini->ReplaceSectionLines("D", {"q=1"});
  EXPECT_EQ(ini->ReadSections().back(), "D");
}

// Lines before the first header are dropped; the comments among them belong
// to the file. Many of them must not slow reading down.
TEST(StreamIniFile, CommentsBeforeTheFirstSectionBelongToTheFile) {
  TStringList lines = {"; note", "stray=1", "[S]", "v=1"};
  const auto ini = TStreamIniFile::FromLines(lines);
  EXPECT_EQ(ini->GetComment("", ""), "note");
  EXPECT_EQ(ini->GetComment("S", ""), "");
  EXPECT_EQ(ini->ReadSections(), (TStringList{"S"}));

  TStringList many;
  for (int i = 0; i < 200000; ++i) {
    many.push_back(";c");
    many.push_back("v=1");
  }
  many.push_back("[S]");
  EXPECT_EQ(TStreamIniFile::FromLines(many)->ReadSections(), (TStringList{"S"}));
}

// A named pipe in place of the file must not make opening wait for a writer.
TEST(StreamIniFile, NamedPipeOpensEmptyWithoutWaiting) {
  testsupport::TempDir dir;
  const std::string fifo = dir.File("pipe.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto opened = std::async(std::launch::async, [&] {
    TConfig config;
    config.OpenFile(fifo);
    config.SetSection("S");
    return config.ReadString("v", "def");
  });
  if (opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // lets the reader go on
    if (fd >= 0) close(fd);
    FAIL() << "opening a named pipe waited for a writer";
  }
  EXPECT_EQ(opened.get(), "def");
}

TEST(StreamIniFile, Windows1250FileIsDecoded) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("old.ini"), "[S]\r\nname=\x8Elu\x9Dou\xE8k\xFD\r\n");
  TConfig config;
  config.OpenFile(dir.File("old.ini"));
  config.SetSection("S");
  EXPECT_EQ(config.ReadString("name", ""), "Žluťoučký");
}

// The one reader of the program's plain text files (GPS places, ignore lists).
TEST(LoadTextFileLines, ReadsUtf8OrWindows1250LinesWithAnyLineEnd) {
  testsupport::TempDir dir;
  struct Case {
    std::string bytes;
    TStringList lines;
  };
  const Case cases[] = {
      {"Sn\xC4\x9B\xC5\xBEka|50.7\r\nLys\xC3\xA1\nposledn\xC3\xAD", {"Sněžka|50.7", "Lysá", "poslední"}},
      {"\xEF\xBB\xBF\x8Elu\x9Dou\xE8k\xFD\r\r\n", {"Žluťoučký", ""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    testsupport::WriteFileBytes(dir.File("list.txt"), c.bytes);
    TStringList lines = {"stale"};
    ASSERT_TRUE(LoadTextFileLines(dir.File("list.txt"), lines));
    EXPECT_EQ(lines, c.lines);
  }
  TStringList kept = {"kept"};
  EXPECT_FALSE(LoadTextFileLines(dir.File("missing.txt"), kept));
  EXPECT_EQ(kept, TStringList{"kept"});
}

// A write that cannot complete leaves the old file whole and is reported; the
// object stays modified. The temporary name is longer than the file's own,
// which the file system refuses.
TEST(StreamIniFile, FailedWriteKeepsOldFile) {
  testsupport::TempDir dir;
  const std::string file = dir.File("settings.ini");
  testsupport::WriteFileBytes(file, "[S]\r\nv=old\r\n");
  TConfig config;
  config.OpenFile(file);
  config.SetSection("S");
  config.WriteString("v", "new");
  {
    testsupport::ScopedFileSizeLimit limit(8);  // the new text does not fit
    EXPECT_FALSE(config.UpdateFile());
  }
  EXPECT_TRUE(config.Modified());
  EXPECT_EQ(testsupport::ReadFileBytes(file), "[S]\r\nv=old\r\n");
}

// The replacement is written under a short name beside the file, so a name
// near the system's 255-byte limit still saves.
TEST(StreamIniFile, LongFileNameSaves) {
  testsupport::TempDir dir;
  const std::string file = dir.File(std::string(250, 'n'));
  testsupport::WriteFileBytes(file, "[S]\r\nv=old\r\n");
  TConfig config;
  config.OpenFile(file);
  config.SetSection("S");
  config.WriteString("v", "new");
  EXPECT_TRUE(config.UpdateFile());
  EXPECT_NE(testsupport::ReadFileBytes(file).find("v=new"), std::string::npos);
}

TEST(StreamIniFile, MissingFileIsCreatedWithItsFolder) {
  testsupport::TempDir dir;
  const std::string file = dir.File("sub/dir/new.ini");
  {
    TConfig config;
    config.OpenFile(file);
    config.SetSection("S");
    EXPECT_EQ(config.ReadString("v", "d"), "d");
  }
  EXPECT_FALSE(std::filesystem::exists(file));  // reads only: nothing written
  {
    TConfig config;
    config.OpenFile(file);
    config.SetSection("S");
    config.WriteString("v", "1");
  }
  EXPECT_EQ(testsupport::ReadFileBytes(file), "[S]\r\nv=1\r\n\r\n");
}

}  // namespace
