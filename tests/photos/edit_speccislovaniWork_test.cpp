#include "photos/renumber/edit_speccislovaniWork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

using edit_speccislovani::TMode;
using edit_speccislovani::TOptions;
using edit_speccislovani::TResult;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// Each file holds its first name, so a test can tell where every file went.
void MakeFiles(const TempDir& dir, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string path = dir.File(name);
    DosFunc::ForceDirectoriesLong(StrFunc::ExtractDir(path));
    WriteFileBytes(path, name);
  }
}

// Every file below dir (relative path) with what it holds.
std::map<std::string, std::string> Contents(const TempDir& dir) {
  std::map<std::string, std::string> out;
  for (const std::string& rel : DosFunc::FindFiles(dir.Path(), true))
    out[rel] = ReadFileBytes(dir.File(rel));
  return out;
}

TOptions Options(const TempDir& dir, TMode mode) {
  TOptions o;
  o.root = dir.Path();
  o.mode = mode;
  return o;
}

TResult RunQuietly(const TOptions& o) { return edit_speccislovani::Run(o, {}); }

class SpecialRenumbering : public ::testing::Test {
 protected:
  testsupport::ScopedHome home_;
  TempDir dir_;
};

TEST_F(SpecialRenumbering, RenumbersEveryFileByNameAndLeavesTheProgramsOwn) {
  // A camera's JPEG and raw files, a film and a scan of one shoot: every one
  // takes its number, so that the pairs stay together.
  MakeFiles(dir_, {"DSC_0001.jpg", "DSC_0002.NEF", "DSC_0003.CR2", "DSC_0004.AVI", "DSC_0005.tif",
                   "notes.txt", "ignore.list", "QUILLMARSH.CACHE", "DSC_0006.jpg.~qm-new",
                   "thumbs/thumb_DSC_0001.jpg", "exif/dsc_0001.exif", "sub/c.jpg"});
  TOptions o = Options(dir_, TMode::Renumber);
  o.subdirs = true;
  const TResult r = RunQuietly(o);
  EXPECT_EQ(r.renamed, 7);
  EXPECT_TRUE(r.failed.empty());
  const std::map<std::string, std::string> expected = {
      {"img_1.jpg", "DSC_0001.jpg"},
      {"img_2.NEF", "DSC_0002.NEF"},
      {"img_3.CR2", "DSC_0003.CR2"},
      {"img_4.AVI", "DSC_0004.AVI"},
      {"img_5.tif", "DSC_0005.tif"},
      {"img_6.txt", "notes.txt"},
      {"ignore.list", "ignore.list"},
      {"QUILLMARSH.CACHE", "QUILLMARSH.CACHE"},
      {"DSC_0006.jpg.~qm-new", "DSC_0006.jpg.~qm-new"},
      {"thumbs/thumb_DSC_0001.jpg", "thumbs/thumb_DSC_0001.jpg"},
      {"exif/dsc_0001.exif", "exif/dsc_0001.exif"},
      {"sub/img_1.jpg", "sub/c.jpg"}};
  EXPECT_EQ(Contents(dir_), expected);
}

TEST_F(SpecialRenumbering, WidthFollowsTheLastNumber) {
  struct Case {
    int count, start, step;
    const char* first;
    const char* last;
  };
  const Case cases[] = {{120, 1, 1, "img_001.jpg", "img_120.jpg"},
                        {120, 1, 10, "img_0001.jpg", "img_1191.jpg"},
                        {9, 0, 1, "img_0.jpg", "img_8.jpg"},
                        {3, 98, 1, "img_098.jpg", "img_100.jpg"}};
  for (const Case& c : cases) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < c.count; ++i) names.push_back("p" + std::to_string(1000 + i) + ".jpg");
    MakeFiles(dir, names);
    TOptions o = Options(dir, TMode::Renumber);
    o.start = c.start;
    o.step = c.step;
    RunQuietly(o);
    const auto files = Contents(dir);
    ASSERT_EQ(files.size(), static_cast<size_t>(c.count));
    EXPECT_EQ(files.at(c.first), "p1000.jpg") << c.count << " " << c.step;
    EXPECT_EQ(files.at(c.last), names.back()) << c.count << " " << c.step;
  }
}

TEST_F(SpecialRenumbering, DateOrderTakesTheLastWriteTime) {
  MakeFiles(dir_, {"a.jpg", "b.jpg", "c.jpg"});
  DosFunc::SetFileDateTime(dir_.File("a.jpg"), testsupport::At(2020, 5, 3, 10, 0, 0));
  DosFunc::SetFileDateTime(dir_.File("b.jpg"), testsupport::At(2020, 5, 1, 10, 0, 0));
  DosFunc::SetFileDateTime(dir_.File("c.jpg"), testsupport::At(2020, 5, 2, 10, 0, 0));
  TOptions o = Options(dir_, TMode::Renumber);
  o.byTime = true;
  o.prefix = " dovolena ";
  RunQuietly(o);
  const std::map<std::string, std::string> expected = {
      {"dovolena_1.jpg", "b.jpg"}, {"dovolena_2.jpg", "c.jpg"}, {"dovolena_3.jpg", "a.jpg"}};
  EXPECT_EQ(Contents(dir_), expected);
}

TEST_F(SpecialRenumbering, SubfoldersPerFolderContinuousOrNotAtAll) {
  struct Case {
    bool subdirs, continuous;
    std::map<std::string, std::string> expected;
  };
  const Case cases[] = {
      {true,
       false,
       {{"img_1.jpg", "b.jpg"},
        {"img_2.jpg", "d.jpg"},
        {"s/img_1.jpg", "s/a.jpg"},
        {"s/img_2.jpg", "s/c.jpg"}}},
      {true,
       true,
       {{"img_2.jpg", "b.jpg"},
        {"img_4.jpg", "d.jpg"},
        {"s/img_1.jpg", "s/a.jpg"},
        {"s/img_3.jpg", "s/c.jpg"}}},
      {false,
       true,
       {{"img_1.jpg", "b.jpg"},
        {"img_2.jpg", "d.jpg"},
        {"s/a.jpg", "s/a.jpg"},
        {"s/c.jpg", "s/c.jpg"}}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    MakeFiles(dir, {"b.jpg", "d.jpg", "s/a.jpg", "s/c.jpg"});
    TOptions o = Options(dir, TMode::Renumber);
    o.subdirs = c.subdirs;
    o.continuous = c.continuous;
    RunQuietly(o);
    EXPECT_EQ(Contents(dir), c.expected) << c.subdirs << c.continuous;
  }
}

TEST_F(SpecialRenumbering, ShiftOpensAGapFromANumberOn) {
  std::vector<std::string> names;
  for (int i = 1; i <= 9; ++i) names.push_back("img_00" + std::to_string(i) + ".jpg");
  MakeFiles(dir_, names);
  MakeFiles(dir_, {"dsc_007.jpg"});
  TOptions o = Options(dir_, TMode::Shift);
  o.from = 5;
  o.shift = 1;
  const TResult r = RunQuietly(o);
  EXPECT_EQ(r.renamed, 5);
  const auto files = Contents(dir_);
  EXPECT_EQ(files.at("img_004.jpg"), "img_004.jpg");
  EXPECT_EQ(files.at("img_006.jpg"), "img_005.jpg");
  EXPECT_EQ(files.at("img_010.jpg"), "img_009.jpg");
  EXPECT_EQ(files.count("img_005.jpg"), 0u);
  EXPECT_EQ(files.at("dsc_007.jpg"), "dsc_007.jpg");
}

TEST_F(SpecialRenumbering, ShiftBelowOneIsRefusedBeforeAnyRename) {
  MakeFiles(dir_, {"img_1.jpg", "img_2.jpg", "img_3.jpg", "img_9.jpg"});
  const auto before = Contents(dir_);
  TOptions o = Options(dir_, TMode::Shift);
  o.from = 2;
  o.shift = -2;
  const TResult r = RunQuietly(o);
  EXPECT_NE(r.refusal.text.find("img_2.jpg"), std::string::npos);
  EXPECT_EQ(r.renamed, 0);
  EXPECT_EQ(Contents(dir_), before);
}

TEST_F(SpecialRenumbering, ClosingAGapPutsDashesBeforeAKeptFileInTheWay) {
  MakeFiles(dir_, {"img_1.jpg", "img_2.jpg", "img_4.jpg", "img_5.jpg", "--img_2.jpg"});
  TOptions o = Options(dir_, TMode::Shift);
  o.from = 4;
  o.shift = -2;
  const TResult r = RunQuietly(o);
  const std::map<std::string, std::string> expected = {{"img_1.jpg", "img_1.jpg"},
                                                       {"img_2.jpg", "img_4.jpg"},
                                                       {"img_3.jpg", "img_5.jpg"},
                                                       {"--img_2.jpg", "--img_2.jpg"},
                                                       {"---img_2.jpg", "img_2.jpg"}};
  EXPECT_EQ(Contents(dir_), expected);
  EXPECT_EQ(r.displaced, std::vector<std::string>{dir_.File("---img_2.jpg")});
  EXPECT_FALSE(edit_speccislovani::Summary(r).empty());
}

TEST_F(SpecialRenumbering, ANameHeldOutsideTheRunIsFreedButAFolderStays) {
  MakeFiles(dir_, {"a.jpg", "b.jpg", "elsewhere/target.jpg", "img_3.jpg/inside.txt"});
  ASSERT_EQ(symlink("elsewhere/target.jpg", dir_.File("img_1.jpg").c_str()), 0);
  TOptions o = Options(dir_, TMode::Renumber);
  const TResult r = RunQuietly(o);
  // The link is not renumbered; it steps aside as a link, its target stays.
  EXPECT_TRUE(DosFunc::IsReparsePoint(dir_.File("--img_1.jpg")));
  EXPECT_EQ(ReadFileBytes(dir_.File("img_1.jpg")), "a.jpg");
  EXPECT_EQ(ReadFileBytes(dir_.File("img_2.jpg")), "b.jpg");
  EXPECT_EQ(ReadFileBytes(dir_.File("elsewhere/target.jpg")), "elsewhere/target.jpg");
  EXPECT_TRUE(r.failed.empty());
  // With c.jpg first in order, the file now img_2.jpg is to become img_3.jpg,
  // the name of a folder: it keeps its name, and so do the files that would
  // take the names kept, reported; nothing is left under a temporary name,
  // and the next run renumbers the others.
  MakeFiles(dir_, {"c.jpg"});
  const auto before = Contents(dir_);
  const TResult again = RunQuietly(o);
  EXPECT_EQ(again.failed, (std::vector<std::string>{dir_.File("c.jpg"), dir_.File("img_1.jpg"),
                                                    dir_.File("img_2.jpg")}));
  EXPECT_TRUE(again.displaced.empty());
  EXPECT_EQ(Contents(dir_), before);
  EXPECT_NE(edit_speccislovani::Summary(again).find("nepodařilo přejmenovat"), std::string::npos);
  EXPECT_FALSE(RunQuietly(o).interrupted);
  EXPECT_EQ(Contents(dir_), before);
}

// A folder made at a new name while the run is between its passes: the
// file goes back under its old name, reported, and no temporary name stays
// for a later run to refuse over.
TEST_F(SpecialRenumbering, ANameTakenDuringTheRunSendsTheFileBack) {
  MakeFiles(dir_, {"a.jpg", "b.jpg"});
  const TResult r = edit_speccislovani::Run(Options(dir_, TMode::Renumber), [&](int at, int of) {
    if (at == of / 2) DosFunc::ForceDirectoriesLong(dir_.File("img_2.jpg"));
  });
  EXPECT_EQ(r.failed, std::vector<std::string>{dir_.File("b.jpg")});
  EXPECT_EQ(Contents(dir_), (std::map<std::string, std::string>{{"img_1.jpg", "a.jpg"},
                                                                {"b.jpg", "b.jpg"}}));
  EXPECT_FALSE(RunQuietly(Options(dir_, TMode::Renumber)).interrupted);
}

TEST_F(SpecialRenumbering, DigitsAndPrefixChanges) {
  struct Case {
    TMode mode;
    std::vector<std::string> names;
    std::map<std::string, std::string> expected;
  };
  const Case cases[] = {
      {TMode::MoreDigits,
       {"img_7.jpg", "img_0123.jpg", "dsc_1.jpg"},
       {{"img_07.jpg", "img_7.jpg"},
        {"img_00123.jpg", "img_0123.jpg"},
        {"dsc_1.jpg", "dsc_1.jpg"}}},
      {TMode::FewerDigits,
       {"img_007.jpg", "img_012.jpg"},
       {{"img_07.jpg", "img_007.jpg"}, {"img_12.jpg", "img_012.jpg"}}},
      {TMode::FewerDigits,
       {"img_0100.jpg", "img_0005.jpg"},
       {{"img_100.jpg", "img_0100.jpg"}, {"img_005.jpg", "img_0005.jpg"}}},
      {TMode::FewerDigits,
       {"img_100.jpg", "img_005.jpg"},
       {{"img_100.jpg", "img_100.jpg"}, {"img_005.jpg", "img_005.jpg"}}},
      {TMode::ChangePrefix,
       {"abc_01.jpg", "x y _5.png", "plain.jpg", "img_-3.jpg", "img_$FF.jpg"},
       {{"img_01.jpg", "abc_01.jpg"},
        {"img_5.png", "x y _5.png"},
        {"plain.jpg", "plain.jpg"},
        {"img_-3.jpg", "img_-3.jpg"},
        {"img_$FF.jpg", "img_$FF.jpg"}}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    MakeFiles(dir, c.names);
    RunQuietly(Options(dir, c.mode));
    EXPECT_EQ(Contents(dir), c.expected) << static_cast<int>(c.mode);
  }
}

TEST_F(SpecialRenumbering, WildcardCharactersInNamesAreJustCharacters) {
  MakeFiles(dir_, {"a?b_1.jpg", "aXb_01.jpg"});
  TOptions o = Options(dir_, TMode::MoreDigits);
  o.prefix = "a?b";
  const TResult r = RunQuietly(o);
  EXPECT_TRUE(r.failed.empty());
  EXPECT_TRUE(r.displaced.empty());
  EXPECT_EQ(Contents(dir_), (std::map<std::string, std::string>{{"a?b_01.jpg", "a?b_1.jpg"},
                                                                {"aXb_01.jpg", "aXb_01.jpg"}}));
}

TEST_F(SpecialRenumbering, BadOptionsAreRefusedAndNothingMoves) {
  MakeFiles(dir_, {"a.jpg"});
  struct Case {
    TOptions options;
    const char* says;
  };
  TOptions missing = Options(dir_, TMode::Renumber);
  missing.root = dir_.File("missing");
  TOptions slash = Options(dir_, TMode::Renumber);
  slash.prefix = "../img";
  TOptions negative = Options(dir_, TMode::Renumber);
  negative.start = -1;
  TOptions noStep = Options(dir_, TMode::Renumber);
  noStep.step = 0;
  const Case cases[] = {
      {missing, "nalezena"}, {slash, "/"}, {negative, "záporný"}, {noStep, "Krok"}};
  for (const Case& c : cases) {
    const TResult r = RunQuietly(c.options);
    EXPECT_NE(r.refusal.text.find(c.says), std::string::npos) << r.refusal.text;
    EXPECT_EQ(r.refusal.caption, "Chyba");
  }
  EXPECT_EQ(ReadFileBytes(dir_.File("a.jpg")), "a.jpg");
}

// A run killed after its first pass leaves every file under a temporary
// name; the next run finishes them, which completes the killed run, and
// does no more: the user starts the next operation anew.
TEST_F(SpecialRenumbering, ARunKilledBetweenItsPassesIsFinishedByTheNext) {
  MakeFiles(dir_, {"a.jpg", "b.jpg", "c.jpg", "s/d.jpg", "other_1.jpg"});
  TOptions o = Options(dir_, TMode::Renumber);
  o.subdirs = true;
  o.continuous = true;
  EXPECT_EXIT(edit_speccislovani::Run(o,
                                      [](int position, int maximum) {
                                        if (position == maximum / 2) std::_Exit(7);
                                      }),
              ::testing::ExitedWithCode(7), "");
  auto stopped = Contents(dir_);
  // The journal, and the files under their temporary names.
  ASSERT_EQ(stopped.erase(".~qm-renumber"), 1u);
  ASSERT_EQ(stopped.size(), 5u);
  EXPECT_EQ(std::count_if(stopped.begin(), stopped.end(),
                          [](const auto& f) { return f.first.find(".~qm") != std::string::npos; }),
            5);

  o.continuous = false;
  o.prefix = "p";
  const TResult r = RunQuietly(o);
  EXPECT_EQ(r.finished, 5);
  EXPECT_TRUE(r.interrupted);
  EXPECT_TRUE(r.failed.empty());
  const std::map<std::string, std::string> finished = {{"img_1.jpg", "a.jpg"},
                                                       {"img_2.jpg", "b.jpg"},
                                                       {"img_3.jpg", "c.jpg"},
                                                       {"img_5.jpg", "other_1.jpg"},
                                                       {"s/img_4.jpg", "s/d.jpg"}};
  EXPECT_EQ(Contents(dir_), finished);
  EXPECT_NE(edit_speccislovani::Summary(r).find("nebyla spuštěna"), std::string::npos);

  const TResult next = RunQuietly(o);
  EXPECT_FALSE(next.interrupted);
  const std::map<std::string, std::string> renumbered = {{"p_1.jpg", "a.jpg"},
                                                         {"p_2.jpg", "b.jpg"},
                                                         {"p_3.jpg", "c.jpg"},
                                                         {"p_4.jpg", "other_1.jpg"},
                                                         {"s/p_1.jpg", "s/d.jpg"}};
  EXPECT_EQ(Contents(dir_), renumbered);
}

TEST_F(SpecialRenumbering, AShiftKilledBetweenItsPassesIsNotShiftedTwice) {
  MakeFiles(dir_, {"img_1.jpg", "img_2.jpg", "img_3.jpg", "img_4.jpg"});
  TOptions o = Options(dir_, TMode::Shift);
  o.from = 2;
  o.shift = 1;
  EXPECT_EXIT(edit_speccislovani::Run(o,
                                      [](int position, int maximum) {
                                        if (position == maximum / 2) std::_Exit(7);
                                      }),
              ::testing::ExitedWithCode(7), "");
  const TResult r = RunQuietly(o);
  EXPECT_EQ(r.finished, 3);
  EXPECT_EQ(r.renamed, 0);
  const std::map<std::string, std::string> expected = {{"img_1.jpg", "img_1.jpg"},
                                                       {"img_3.jpg", "img_2.jpg"},
                                                       {"img_4.jpg", "img_3.jpg"},
                                                       {"img_5.jpg", "img_4.jpg"}};
  EXPECT_EQ(Contents(dir_), expected);
}

TEST_F(SpecialRenumbering, TheQuestionsOfTheDigitAndPrefixChanges) {
  const std::string scopeHere =
      "\n\nProvede se jen ve zvolené složce.\nJe to tak správně a chcete spustit?";
  const std::string scopeAll =
      "\n\nProvede se i ve všech podsložkách.\nJe to tak správně a chcete spustit?";
  struct Case {
    TMode mode;
    bool subdirs;
    std::string question;
  };
  const Case cases[] = {
      {TMode::MoreDigits, false,
       "U souborů začínajícím na \"dsc_\" bude zvýšen počet cifer přidáním nuly zleva." +
           scopeHere},
      {TMode::FewerDigits, true,
       "U souborů začínajícím na \"dsc_\" bude snížen počet cifer odebráním nuly zleva." +
           scopeAll},
      {TMode::ChangePrefix, false,
       "U souborů končících na libovolně dlouhé číslo (= \"cokoli_xxx\") bude vyměněn prefix "
       "(text před podtržítkem) za \"dsc\"" +
           scopeHere},
  };
  for (const Case& c : cases) {
    TOptions o = Options(dir_, c.mode);
    o.prefix = " dsc ";
    o.subdirs = c.subdirs;
    EXPECT_TRUE(edit_speccislovani::ReadNumbers("x", "x", "x", o).text.empty());
    EXPECT_EQ(edit_speccislovani::Question(o), c.question) << static_cast<int>(c.mode);
  }
}

TEST_F(SpecialRenumbering, NumberedNames) {
  struct Case {
    const char* name;
    bool parsed;
    const char* prefix;
    int digits;
    int64_t number;
  };
  const Case cases[] = {{"img_0012.jpg", true, "img", 4, 12},
                        {" img _ 7 .jpg", true, "img", 1, 7},
                        {"a_b_1.jpg", false, "", 0, 0},
                        {"noprefix.jpg", false, "", 0, 0},
                        {"img_.jpg", false, "", 0, 0},
                        {"img_+5.jpg", false, "", 0, 0},
                        {"img_1234567890123456789.jpg", false, "", 0, 0},
                        {"_5.mov", true, "", 1, 5}};
  for (const Case& c : cases) {
    edit_speccislovani::TNumbered n;
    EXPECT_EQ(edit_speccislovani::ParseNumbered(c.name, n), c.parsed) << c.name;
    if (!c.parsed) continue;
    EXPECT_EQ(n.prefix, c.prefix) << c.name;
    EXPECT_EQ(n.digits, c.digits) << c.name;
    EXPECT_EQ(n.number, c.number) << c.name;
  }
}

TEST_F(SpecialRenumbering, EditsAreCheckedAndTheQuestionNamesTheScope) {
  TOptions o = Options(dir_, TMode::Shift);
  EXPECT_EQ(edit_speccislovani::ReadNumbers("", "x", "1", o).text,
            "Počátek přečíslování musí být celé číslo");
  EXPECT_EQ(edit_speccislovani::ReadNumbers("", "3", "1.5", o).text,
            "Posun přečíslování musí být celé číslo");
  const auto zero = edit_speccislovani::ReadNumbers("", "3", " 0 ", o);
  EXPECT_EQ(zero.caption, "Informace");
  EXPECT_TRUE(edit_speccislovani::ReadNumbers("", " 3 ", "-2", o).text.empty());
  EXPECT_EQ(o.from, 3);
  EXPECT_EQ(o.shift, -2);
  EXPECT_EQ(edit_speccislovani::Question(o),
            "U souborů začínajícím na \"img_\" odstraníte mezeru v číslování snížením čísel o 2 "
            "od čísla 3 (včetně)\n\nProvede se jen ve zvolené složce.\nJe to tak správně a "
            "chcete spustit?");

  TOptions r = Options(dir_, TMode::Renumber);
  EXPECT_EQ(edit_speccislovani::ReadNumbers("a", "", "", r).text,
            "Počátek číslování musí být celé číslo");
  r.subdirs = true;
  r.continuous = true;
  EXPECT_EQ(edit_speccislovani::Question(r),
            "Chcete spustit očíslování podle jména ve složce a "
            "podsložkách " +
                dir_.Path() +
                " ?\n\nVšechny podsložky se zpracují jako "
                "jedna složka...");
}

}  // namespace
