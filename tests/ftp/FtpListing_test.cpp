#include "platform/ftp/FtpListing.h"
#include "platform/ftp/FtpLogin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::FtpEntryKind;

struct ListCase {
  const char* line;
  bool parsed;
  const char* name;
  FtpEntryKind kind;
  int64_t size;
};

TEST(FtpListing, ParsesUnixAndDosLines) {
  const ListCase cases[] = {
      {"-rw-r--r--   1 owner  group     1234 Jan 02 10:30 photo.jpg", true, "photo.jpg",
       FtpEntryKind::File, 1234},
      {"drwxr-xr-x   2 owner  group     4096 Dec 31  2023 800x600", true, "800x600",
       FtpEntryKind::Folder, 4096},
      {"lrwxrwxrwx   1 owner  group        9 Mar  5 08:00 latest -> foto/a.jpg", true, "latest",
       FtpEntryKind::Link, 9},
      {"-rw-r--r-- 1 owner 77 Feb 29 2024 no group.htm", true, "no group.htm",
       FtpEntryKind::File, 77},
      {"-rw-r--r-- 1 1000 1000 5 May 01 12:00 with  two  blanks", true, "with  two  blanks",
       FtpEntryKind::File, 5},
      {"-rw-r--r-- 1 owner group 5 Jun 01 12:00 a -> b.txt", true, "a -> b.txt",
       FtpEntryKind::File, 5},
      {"01-15-24  10:30AM       <DIR>          My Folder", true, "My Folder",
       FtpEntryKind::Folder, -1},
      {"01-15-2024  10:30PM              1234 index.htm", true, "index.htm",
       FtpEntryKind::File, 1234},
      {"total 12", false, "", FtpEntryKind::File, -1},
      {"drwxr-xr-x 2 owner group 4096 Jan 02 10:30 .", false, "", FtpEntryKind::Folder, -1},
      {"drwxr-xr-x 2 owner group 4096 Jan 02 10:30 ..", false, "", FtpEntryKind::Folder, -1},
      {"-rw-r--r-- 1 owner group 5 Jan 02 10:30", false, "", FtpEntryKind::File, -1},
      {"-rw-r--r-- garbage", false, "", FtpEntryKind::File, -1},
      {"01-15-24 garbage", false, "", FtpEntryKind::File, -1},
      {"", false, "", FtpEntryKind::File, -1},
  };
  for (const ListCase& c : cases) {
    platform::FtpListEntry entry;
    EXPECT_EQ(platform::ParseFtpListLine(c.line, entry), c.parsed) << c.line;
    if (!c.parsed) continue;
    EXPECT_EQ(entry.name, c.name) << c.line;
    EXPECT_EQ(entry.kind, c.kind) << c.line;
    EXPECT_EQ(entry.size, c.size) << c.line;
  }
}

TEST(FtpListing, ListingKeepsServerOrder) {
  const std::string text =
      "total 2\r\n"
      "-rw-r--r-- 1 o g 3 Jan 02 10:30 b.jpg\r\n"
      "drwxr-xr-x 2 o g 4096 Jan 02 10:30 th\r\n"
      "-rw-r--r-- 1 o g 3 Jan 02 10:30 a.jpg";
  const std::vector<platform::FtpListEntry> entries = platform::ParseFtpListing(text);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "b.jpg");
  EXPECT_EQ(entries[1].kind, FtpEntryKind::Folder);
  EXPECT_EQ(entries[2].name, "a.jpg");
}

// Servers end listing lines in every way: each line end, alone or mixed,
// keeps every name, joins none and makes none up.
TEST(FtpListing, EveryLineEndKeepsEveryName) {
  const std::vector<std::string> names = {"a.jpg", "B C.htm", "index.html", "th_1.jpg",
                                          "x -> y", "čeština.jpg", "2.jpg", "ftpcache",
                                          "e.css", "f", "last.jpg"};
  const auto line = [](const std::string& name) {
    return "-rw-r--r-- 1 o g 3 Jan 02 10:30 " + name;
  };
  const char* const ends[] = {"\n", "\r\n", "\r", "\r\r\n", "\n\r", "\r\n\r\n", "\n\n\r\r"};
  std::vector<std::string> listings;
  for (const char* end : ends) {
    std::string text = std::string("total 11") + end;
    for (const std::string& name : names) text += line(name) + end;
    listings.push_back(text);
    listings.push_back(text.substr(0, text.size() - std::string(end).size()));  // no last end
  }
  std::string mixed;
  for (size_t i = 0; i < names.size(); ++i) mixed += line(names[i]) + ends[i % std::size(ends)];
  listings.push_back(mixed);
  for (const std::string& text : listings) {
    std::vector<std::string> parsed;
    for (const platform::FtpListEntry& entry : platform::ParseFtpListing(text))
      parsed.push_back(entry.name);
    EXPECT_EQ(parsed, names) << testing::PrintToString(text);
  }
  EXPECT_TRUE(platform::ParseFtpListing("\r\n\r\r\n\n").empty());
}

// Wire text of each login plan: "host:port|CMD arg|CMD arg...".
std::string PlanText(const platform::FtpLoginPlan& plan) {
  std::string text = plan.host + ":" + std::to_string(plan.port);
  for (const auto& c : plan.commands) text += "|" + c.command + " " + c.argument;
  return text;
}

TEST(FtpLogin, PlansFollowTheChosenMethod) {
  platform::FtpLoginSettings s;
  s.host = "ftp.example";
  s.port = 2121;
  s.user = "u";
  s.password = "p";
  s.proxyPort = 3128;
  s.proxyUser = "pu";
  s.proxyPassword = "pp";
  EXPECT_EQ(PlanText(platform::MakeFtpLoginPlan(s)), "ftp.example:2121|USER u|PASS p");

  s.proxyHost = "proxy";
  const struct {
    int method;
    const char* plan;
  } cases[] = {
      {0, "proxy:3128|USER u@ftp.example:2121|PASS p"},
      {1, "proxy:3128|USER pu|PASS pp|USER u@ftp.example:2121|PASS p"},
      {2, "proxy:3128|USER pu|PASS pp|SITE ftp.example:2121|USER u|PASS p"},
      {3, "proxy:3128|USER pu|PASS pp|OPEN ftp.example:2121|USER u|PASS p"},
      {4, "proxy:3128|USER u@pu@ftp.example:2121|PASS p@pp"},
      {5, "ftp.example:2121|USER pu|PASS pp|USER u|PASS p"},
      {-1, "proxy:3128|USER u@ftp.example:2121|PASS p"},
      {6, "proxy:3128|USER u@ftp.example:2121|PASS p"},
  };
  for (const auto& c : cases) {
    s.proxyMethod = c.method;
    EXPECT_EQ(PlanText(platform::MakeFtpLoginPlan(s)), c.plan) << "method " << c.method;
  }
  s.port = 21;
  s.proxyMethod = 2;
  EXPECT_EQ(PlanText(platform::MakeFtpLoginPlan(s)),
            "proxy:3128|USER pu|PASS pp|SITE ftp.example|USER u|PASS p");
}

}  // namespace
