#include <gtest/gtest.h>

#include <string>

#include "foundation/StrFunc.h"
#include "foundation/Utf8.h"
#include "platform/Environment.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace StrFunc;

TEST(StrFuncPaths, PartsSplitOnSlashOnly) {
  struct Case {
    std::string path, dir, name, nameNoExt, ext;
  };
  const Case cases[] = {
      {"/a/x.jpg", "/a", "x.jpg", "x", "jpg"},
      {"/x.JPG", "/", "x.JPG", "x", "JPG"},
      {"x.jpg", "", "x.jpg", "x", "jpg"},
      {"", "", "", "", ""},
      {"/my.folder/file", "/my.folder", "file", "file", ""},
      {"a/b.c.jpg", "a", "b.c.jpg", "b.c", "jpg"},
      {"/a/b\\c:d.jpg", "/a", "b\\c:d.jpg", "b\\c:d", "jpg"},  // "\" and ":" are name characters
      {"/a/", "/a", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractDir(c.path), c.dir) << c.path;
    EXPECT_EQ(ExtractName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractNameNoExt(c.path), c.nameNoExt) << c.path;
    EXPECT_EQ(ExtractExt(c.path), c.ext) << c.path;
  }
}

TEST(StrFuncPaths, SlashesAndExtensionChanges) {
  EXPECT_EQ(IncludeBackslash("/a"), "/a/");
  EXPECT_EQ(IncludeBackslash("/a/"), "/a/");
  EXPECT_EQ(IncludeBackslash(""), "");
  EXPECT_EQ(ExcludeBackslash("/a//"), "/a/");
  EXPECT_EQ(ExcludeBackslash("/a"), "/a");

  EXPECT_EQ(ChangeExt("a.b.jpg", "htm"), "a.b.htm");
  EXPECT_EQ(ChangeExt("/my.folder/file", "jpg"), "/my.folder/file.jpg");
  EXPECT_EQ(ChangeExt("a", "jpg"), "a.jpg");
  EXPECT_EQ(ChangeExt("a.", "jpg"), "a.jpg");
  EXPECT_EQ(ChangeExt("", "jpg"), "");
}

TEST(StrFuncPaths, LongPathRuleAt200Characters) {
  const std::string prefix = "\\\\?\\";
  const std::string p199 = "/" + std::string(198, 'a');
  const std::string p200 = "/" + std::string(199, 'a');
  const std::string p201 = "/" + std::string(200, 'a');
  std::string czech200 = "/";
  for (int i = 0; i < 199; ++i) czech200 += "č";  // 399 bytes, 200 characters
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {p200, p200},
      {p201, prefix + p201},
      {czech200, czech200},
      {czech200 + "x", prefix + czech200 + "x"},
      {prefix + std::string(195, 'a'), std::string(195, 'a')},  // 199 with the prefix
      {prefix + std::string(196, 'a'), prefix + std::string(196, 'a')},
      {"\\\\server\\" + std::string(200, 'a'), "\\\\server\\" + std::string(200, 'a')},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LongPathName(c.in), c.out) << c.in.size();
    EXPECT_EQ(Utf8::FromUtf16(LongPathNameW(Utf8::ToUtf16(c.in))), c.out) << c.in.size();
  }
  EXPECT_EQ(StripLongPathPrefix(prefix + p201), p201);
  EXPECT_EQ(StripLongPathPrefix(p201), p201);
}

TEST(StrFuncPaths, ExpandPathAndTempDir) {
  const std::string cwd = platform::CurrentDirectory();
  ASSERT_FALSE(cwd.empty());
  EXPECT_EQ(ExpandPath(""), cwd);
  EXPECT_EQ(ExpandPath("x/y.jpg"), IncludeBackslash(cwd) + "x/y.jpg");
  EXPECT_EQ(ExpandPath("/abs/y.jpg"), "/abs/y.jpg");
  EXPECT_EQ(ExpandPath("\\\\server\\y"), "\\\\server\\y");

  testsupport::ScopedHome home;
  EXPECT_EQ(GetTempDir(), home.Path() + "/tmp/");
}

}  // namespace
