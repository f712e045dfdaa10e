// The places file: its lines, where it is found, its order, lookups, storing,
// removing and importing places, and writes that fail.
#include "photos/GpsPlaces.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::string Names(const TGpsPlaceList& list) {
  std::string names;
  for (size_t i = 0; i < list.Count(); ++i)
    names += (names.empty() ? "" : ",") + list.NameAt(static_cast<int>(i));
  return names;
}

TEST(GpsPlaces, ALineIsAPlaceWhenItsPositionAndAltitudeAreNumbers) {
  const struct {
    const char* line;
    bool valid;
    const char* lat;
    const char* lon;
    const char* alt;
    const char* name;
  } cases[] = {
      {"50.1|14.4||Praha", true, "50.1", "14.4", "", "Praha"},
      {"50.1|14.4|235|Praha", true, "50.1", "14.4", "235", "Praha"},
      {" 50,1 | -14,4 | 235.5 |  Hrad | zámek  ", true, "50,1", "-14,4", "235.5", "Hrad | zámek"},
      {"50.1|14.4||", true, "50.1", "14.4", "", ""},
      {"50.1|abc||X", false, "", "", "", ""},
      {"50.1|14.4|výška|X", false, "", "", "", ""},
      {"|14.4||X", false, "", "", "", ""},
      {"50.1|14.4|Praha", false, "", "", "", ""},
      {"Praha", false, "", "", "", ""},
      {"", false, "", "", "", ""},
      // Positions on the globe only, altitudes that are numbers.
      {"90|-180||Hranice", true, "90", "-180", "", "Hranice"},
      {"90.5|14.4||X", false, "", "", "", ""},
      {"-91|14.4||X", false, "", "", "", ""},
      {"50.1|180.1||X", false, "", "", "", ""},
      {"50.1|14.4|300m|X", false, "", "", "", ""},
      {"50.1|14.4|nan|X", false, "", "", "", ""},
      {"50.1|14.4|inf|X", false, "", "", "", ""},
      {"50.1|14.4|1e999|X", false, "", "", "", ""},
      {"nan|14.4||X", false, "", "", "", ""},
  };
  for (const auto& c : cases) {
    std::string lat, lon, name, alt;
    ASSERT_EQ(GpsPlaces::ParseLocationLine(c.line, lat, lon, name, alt), c.valid) << c.line;
    if (!c.valid) continue;
    EXPECT_EQ(lat, c.lat) << c.line;
    EXPECT_EQ(lon, c.lon) << c.line;
    EXPECT_EQ(alt, c.alt) << c.line;
    EXPECT_EQ(name, c.name) << c.line;
  }
}

TEST(GpsPlaces, ThePlacesLiveInTheDataFolderAndAnOlderRunsAreCopiedThereOnce) {
  testsupport::ScopedHome home;
  TempDir program;
  const std::string inData = home.Path() + "/data/quillmarsh.gps";
  EXPECT_EQ(GpsPlaces::LocationsFilePath(program.File("quillmarsh")), inData);
  EXPECT_FALSE(fs::exists(inData));

  // A copy under another name kept places of its own name beside it; they
  // win over the common name.
  WriteFileBytes(program.File("quillmarsh.gps"), "50.1|14.4||Praha\r\n");
  WriteFileBytes(program.File("fotky.gps"), "49.2|16.6||Brno\r\n");
  EXPECT_EQ(GpsPlaces::LocationsFilePath(program.File("fotky")), inData);
  EXPECT_EQ(ReadFileBytes(inData), "49.2|16.6||Brno\r\n");
  EXPECT_EQ(ReadFileBytes(program.File("fotky.gps")), "49.2|16.6||Brno\r\n");

  // Once the data folder has its file, the older ones are never read again.
  WriteFileBytes(inData, "");
  EXPECT_EQ(GpsPlaces::LocationsFilePath(program.File("quillmarsh")), inData);
  EXPECT_EQ(ReadFileBytes(inData), "");
}

// The user's file is read, never rewritten for being read: each line is
// UTF-8, or on its own windows-1250, places are shown in name order, and
// lines that are no place stay as they are. The first change writes the
// lines that are no place first, byte for byte, then the places by name.
TEST(GpsPlaces, ReadingChangesNothingAndTheFirstChangeKeepsEveryLine) {
  TempDir dir;
  const std::string path = dir.File("quillmarsh.gps");
  const std::string file =
      "50.0755|14.4378|235|Praha - Václavské náměstí\r\n"
      "49.7475|13.3776|310|Plzeň náměstí\r\n"
      "49.7|13.4||Plze\xF2 star\xE9\r\n"           // the old code page
      "# moje místa\r\n"                             // a comment
      "49.1|16.6|300m|Brno\r\n"                      // an altitude with its unit
      "49.6|15.9|nan|Žďár\r\n"
      "95.0|14.4||Za pólem\r\n"                      // off the globe
      "49.2|16.6||Brno \xFF centrum\r\n"             // a stray byte in a place
      "# \x8E\xEF\xE1r nad S\xE1zavou \xFF\r\n"    // and in a comment
      "50.2|14.5||praha\n";
  WriteFileBytes(path, file);
  TGpsPlaceList list(path);
  EXPECT_EQ(Names(list), "Brno ˙ centrum,Plzeň náměstí,Plzeň staré,praha,Praha - Václavské náměstí");
  EXPECT_EQ(list.At(4).coords, "50.0755|14.4378|235");
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(ReadFileBytes(path), file);

  EXPECT_EQ(list.Add("49.4", "15.6", "", "Jihlava"), 1);
  EXPECT_EQ(ReadFileBytes(path),
            "# moje místa\r\n"
            "49.1|16.6|300m|Brno\r\n"
            "49.6|15.9|nan|Žďár\r\n"
            "95.0|14.4||Za pólem\r\n"
            "# \x8E\xEF\xE1r nad S\xE1zavou \xFF\r\n"
            "49.2|16.6||Brno ˙ centrum\r\n"
            "49.4|15.6||Jihlava\r\n"
            "49.7475|13.3776|310|Plzeň náměstí\r\n"
            "49.7|13.4||Plzeň staré\r\n"
            "50.2|14.5||praha\r\n"
            "50.0755|14.4378|235|Praha - Václavské náměstí\r\n");
  // Read again, every line comes back.
  TGpsPlaceList again(path);
  EXPECT_EQ(Names(again), "Brno ˙ centrum,Jihlava,Plzeň náměstí,Plzeň staré,praha,"
                          "Praha - Václavské náměstí");

  // No file: no places, nothing written.
  TGpsPlaceList missing(dir.File("none.gps"));
  EXPECT_TRUE(missing.Load());
  EXPECT_EQ(missing.Count(), 0u);
  EXPECT_FALSE(fs::exists(dir.File("none.gps")));
}

// Nothing is read before a place is asked for.
TEST(GpsPlaces, TheFileIsReadWhenAPlaceIsFirstNeeded) {
  TempDir dir;
  const std::string path = dir.File("quillmarsh.gps");
  TGpsPlaceList list(path);
  WriteFileBytes(path, "50.1|14.4||Praha\r\n");
  EXPECT_EQ(list.FindName("50.1", "14.4"), "Praha");
}

TEST(GpsPlaces, APlaceIsFoundOnlyAtExactlyItsPositionText) {
  TempDir dir;
  WriteFileBytes(dir.File("p.gps"), "50.10|14.4||Staré\r\n50.1|14.4|235|Praha\r\n50.1|14.4||Druhá\r\n");
  TGpsPlaceList list(dir.File("p.gps"));
  list.Load();
  // In name order: Druhá, Praha, Staré.
  const struct {
    const char* lat;
    const char* lon;
    int index;
  } cases[] = {{"50.1", "14.4", 0}, {" 50.1 ", "14.4 ", 0}, {"50.10", "14.4", 2},
               {"50.1", "14.40", -1}, {"50,1", "14.4", -1}, {"50.1", "14", -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(list.Find(c.lat, c.lon), c.index) << c.lat << " " << c.lon;
    EXPECT_EQ(list.FindName(c.lat, c.lon), list.NameAt(c.index)) << c.lat << " " << c.lon;
  }
  EXPECT_EQ(list.NameAt(1), "Praha");
  EXPECT_EQ(list.NameAt(-1), "");
  EXPECT_EQ(list.NameAt(3), "");
  EXPECT_EQ(list.At(1).coords, "50.1|14.4|235");
}

TEST(GpsPlaces, StoringRenamesThePlaceAtThePositionMovesOneOfTheNameOrAddsOne) {
  TempDir dir;
  const std::string path = dir.File("sub/quillmarsh.gps");
  TGpsPlaceList list(path);
  list.Load();
  // The first place makes the file and its folder. The list stays in name
  // order: the index returned is where the place now stands.
  EXPECT_EQ(list.Add(" 50.1 ", "14.4", "235", " praha "), 0);
  EXPECT_EQ(ReadFileBytes(path), "50.1|14.4|235|praha\r\n");
  EXPECT_EQ(list.Add("49.2", "16.6", "n. m.", "Brno"), 0);
  EXPECT_EQ(list.Add("50.2", "14.5", "300,5", "PRAHA"), 1);
  EXPECT_EQ(list.Add("50.2", "14.5", "", "Hradčany"), 1);
  EXPECT_EQ(list.Add("49.19", "16.61", "", "brno"), 0);
  EXPECT_EQ(list.Add("49.8", "18.3", "", "Ostrava\r\n50|14||Vložená"), 2);
  EXPECT_EQ(ReadFileBytes(path),
            "49.19|16.61||brno\r\n"
            "50.2|14.5||Hradčany\r\n"
            "49.8|18.3||Ostrava  50|14||Vložená\r\n");
  // A position off the globe is no place.
  EXPECT_EQ(list.Add("90.1", "14.4", "", "Sever"), -1);
  EXPECT_EQ(list.Add("50", "-181", "", "Západ"), -1);

  EXPECT_TRUE(list.Remove(1));
  EXPECT_FALSE(list.Remove(2));
  EXPECT_EQ(Names(list), "brno,Ostrava  50|14||Vložená");
  EXPECT_EQ(ReadFileBytes(path), "49.19|16.61||brno\r\n49.8|18.3||Ostrava  50|14||Vložená\r\n");
}

TEST(GpsPlaces, AFailedWriteLeavesTheOldFileAndTheListAsTheyWere) {
  TempDir dir;
  const std::string path = dir.File("quillmarsh.gps");
  const std::string old = "50.1|14.4||Praha\r\n";
  WriteFileBytes(path, old);
  WriteFileBytes(dir.File("other.gps"), "49.2|16.6||Brno\r\n");
  TGpsPlaceList list(path);
  list.Load();
  {
    testsupport::ScopedFileSizeLimit limit(old.size() + 4);
    EXPECT_EQ(list.Add("49.2", "16.6", "", "Brno"), -1);
    EXPECT_EQ(list.Add("50.1", "14.4", "", "Praha, hlavní město"), -1);
    EXPECT_FALSE(list.Import(dir.File("other.gps")));
  }
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(Names(list), "Praha");
  ASSERT_EQ(list.Add("49.2", "16.6", "", "Brno"), 0);
  const std::string two = ReadFileBytes(path);
  {
    testsupport::ScopedFileSizeLimit limit(4);
    EXPECT_FALSE(list.Remove(0));
  }
  EXPECT_EQ(ReadFileBytes(path), two);
  EXPECT_EQ(Names(list), "Brno,Praha");

  // A places file that cannot be read is never written over.
  const std::string folder = dir.File("folder.gps");
  fs::create_directory(folder);
  TGpsPlaceList unreadable(folder);
  EXPECT_FALSE(unreadable.Load());
  EXPECT_EQ(unreadable.Add("50.1", "14.4", "", "Praha"), -1);
  EXPECT_FALSE(unreadable.Save());
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST(GpsPlaces, ImportingKeepsKnownPlacesTakesTheirMissingAltitudeAndAddsTheRest) {
  TempDir dir;
  const std::string path = dir.File("quillmarsh.gps");
  WriteFileBytes(path,
                 "50.1|14.4||Praha\r\n"
                 "49.2|16.6|237|Brno\r\n"
                 "49.8|18.3||Ostrava\r\n"
                 "chyba\r\n");
  WriteFileBytes(dir.File("other.gps"),
                 "50.1|14.4|235|Hlavní město\r\n"  // altitude taken, name kept
                 "49.2|16.6|300|Jiné Brno\r\n"     // the known line stays
                 " 48.9 | 14.5 ||Budějovice\r\n"   // new, as it stands
                 "48.9|14.5|400|Znovu\r\n"         // a position once
                 "50.1|14.4|1|Potřetí\r\n"
                 "50.1|x||Vadná\r\n"
                 "Český Krumlov|\r\n"
                 "48.8|14.3||Český Krumlov\r\n");
  TGpsPlaceList list(path);
  list.Load();
  ASSERT_TRUE(list.Import(dir.File("other.gps")));
  // The own line that is no place stays too.
  EXPECT_EQ(ReadFileBytes(path),
            "chyba\r\n"
            "49.2|16.6|237|Brno\r\n"
            " 48.9 | 14.5 ||Budějovice\r\n"
            "49.8|18.3||Ostrava\r\n"
            "50.1|14.4|235|Praha\r\n"
            "48.8|14.3||Český Krumlov\r\n");
  // Names compare by their capitals' codes: letters with marks come last.
  EXPECT_EQ(Names(list), "Brno,Budějovice,Ostrava,Praha,Český Krumlov");
  EXPECT_EQ(list.FindName("48.9", "14.5"), "Budějovice");

  // Importing the file into itself, or a file that is not there, changes nothing.
  const std::string before = ReadFileBytes(path);
  ASSERT_TRUE(list.Import(path));
  EXPECT_EQ(ReadFileBytes(path), before);
  ASSERT_TRUE(list.Import(dir.File("missing.gps")));
  EXPECT_EQ(ReadFileBytes(path), before);
  // A folder in its place cannot be read.
  fs::create_directory(dir.File("folder.gps"));
  EXPECT_FALSE(list.Import(dir.File("folder.gps")));
  EXPECT_EQ(ReadFileBytes(path), before);
}

// A places file of twenty thousand lines merges at once, not in time
// growing with the square of its lines.
TEST(GpsPlaces, ALargePlacesFileImportsQuickly) {
  TempDir dir;
  const std::string path = dir.File("quillmarsh.gps");
  std::string own, other;
  for (int i = 0; i < 20000; ++i) {
    const std::string position = "49." + std::to_string(i) + "|14.5|";
    (i % 2 == 0 ? own : other) += position + "|Místo " + std::to_string(i) + "\r\n";
    other += position + "300|Znovu\r\n";
  }
  WriteFileBytes(path, own);
  WriteFileBytes(dir.File("other.gps"), other);
  TGpsPlaceList list(path);
  list.Load();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(list.Import(dir.File("other.gps")));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  ASSERT_EQ(list.Count(), 20000u);
  EXPECT_EQ(list.FindName("49.2", "14.5"), "Místo 2");
  EXPECT_EQ(list.At(list.Find("49.2", "14.5")).coords, "49.2|14.5|300");
  EXPECT_EQ(list.FindName("49.3", "14.5"), "Místo 3");
}

}  // namespace
