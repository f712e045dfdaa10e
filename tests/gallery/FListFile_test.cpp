#include "gallery/slideshow/FListFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestSupport.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

// Every fsync of this test program is counted on its way to the system, so
// a test can tell which files are flushed to the disk: the libraries are
// linked in statically, so their calls come here.
std::atomic<int> gFileSyncs{0};
extern "C" int fsync(int fd) {
  ++gFileSyncs;
  return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

constexpr size_t kTrailer = 537;

uint32_t U32At(const std::string& bytes, size_t pos) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes.at(pos + i));
  return value;
}

void PutU32At(std::string& bytes, size_t pos, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(pos + i) = static_cast<char>(value >> (8 * i));
}

struct TrailerView {
  uint32_t base, indexOffset, count;
};

TrailerView TrailerOf(const std::string& bytes) {
  const size_t t = bytes.size() - kTrailer;
  return {U32At(bytes, t + 13), U32At(bytes, t + 17), U32At(bytes, t + 21)};
}

using Entries = std::vector<std::pair<std::string, std::string>>;

// A container at dir/name holding the given files (name, content) in order.
std::string MakeContainer(const TempDir& dir, const std::string& name, const Entries& entries) {
  fs::create_directories(dir.File("src"));
  TFListFile container;
  container.OpenWrite(dir.File(name));
  for (const auto& [file, content] : entries) {
    WriteFileBytes(dir.File("src/" + file), content);
    container.AddFile(dir.File("src/" + file));
  }
  return dir.File(name);
}

// Extracts every entry into folder and returns (file name, content) pairs.
Entries ExtractAll(TFListFile& container, const std::string& folder) {
  container.SetExtractFolder(folder);
  Entries result;
  for (int i = 0; i < container.EntryCount(); ++i) {
    const std::string path = container.ExtractFile(i);
    EXPECT_FALSE(path.empty()) << "entry " << i;
    if (!path.empty()) result.emplace_back(fs::path(path).filename(), ReadFileBytes(path));
  }
  return result;
}

std::string RunProgram(const std::string& program) {
  std::string output;
  std::FILE* pipe = popen(("'" + program + "'").c_str(), "r");
  if (pipe == nullptr) return "cannot start";
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  return status == 0 ? output : "exit status " + std::to_string(status);
}

const Entries kSample = {
    {"a.txt", "abc"},
    {"photo.jpg", std::string(40000, '\xD8')},  // more than two copy pieces
    {"empty.bin", ""},
};

TEST(FListFile, NewAndOneEntryLayout) {
  TempDir dir;
  TFListFile container;
  ASSERT_TRUE(container.OpenWrite(dir.File("new.ssp")));
  std::string bytes = ReadFileBytes(dir.File("new.ssp"));
  ASSERT_EQ(bytes.size(), kTrailer);
  EXPECT_EQ(bytes.substr(0, 11), "#FLISTFILE#");
  EXPECT_EQ(bytes.substr(11, 2), std::string("\x00\x01", 2));
  EXPECT_EQ(bytes.substr(13), std::string(kTrailer - 13, '\0'));

  WriteFileBytes(dir.File("  a.txt"), "abc");
  container.AddFile(dir.File("  a.txt"));
  bytes = ReadFileBytes(dir.File("new.ssp"));
  ASSERT_EQ(bytes.size(), 128u + 4 + 3 + 4 + kTrailer);
  EXPECT_EQ(bytes.substr(0, 6), std::string("\x05" "a.txt", 6));  // trimmed name
  EXPECT_EQ(bytes.substr(6, 122), std::string(122, '\0'));
  EXPECT_EQ(U32At(bytes, 128), 3u);
  EXPECT_EQ(bytes.substr(132, 3), "abc");
  EXPECT_EQ(U32At(bytes, 135), 0u);  // the index
  EXPECT_EQ(TrailerOf(bytes).indexOffset, 135u);
  EXPECT_EQ(TrailerOf(bytes).count, 1u);
  EXPECT_EQ(TrailerOf(bytes).base, 0u);
}

TEST(FListFile, WritesReadsAndExtractsEntries) {
  TempDir dir;
  const std::string path = MakeContainer(dir, "show.ssp", kSample);
  TFListFile container;
  ASSERT_TRUE(container.OpenRead("  " + path + " "));
  EXPECT_EQ(container.EntryCount(), 3);
  EXPECT_TRUE(ExtractAll(container, dir.File("out/deeper")) == kSample);

  // Adding to a container opened for reading reopens it for writing.
  WriteFileBytes(dir.File("late.txt"), "late");
  container.AddFile(dir.File("late.txt"));
  TFListFile again;
  ASSERT_TRUE(again.OpenRead(path));
  ASSERT_EQ(again.EntryCount(), 4);
  again.SetExtractFolder(dir.File("out2"));
  EXPECT_EQ(ReadFileBytes(again.ExtractFile(3)), "late");
  EXPECT_EQ(again.ExtractFile(4), "");
  EXPECT_EQ(again.ExtractFile(-1), "");
}

TEST(FListFile, LongNamesAreCutAndManyEntriesSpanIndexBlocks) {
  TempDir dir;
  const std::string longName = std::string(126, 'n') + "\xC3\xA9" + "x.txt";  // é at 127-128
  Entries entries = {{longName, "long"}};
  for (int i = 0; i < 1025; ++i) entries.emplace_back("f" + std::to_string(i), std::to_string(i));
  const std::string path = MakeContainer(dir, "many.ssp", entries);
  TFListFile container;
  ASSERT_TRUE(container.OpenRead(path));
  ASSERT_EQ(container.EntryCount(), 1026);
  container.SetExtractFolder(dir.File("out"));
  EXPECT_EQ(fs::path(container.ExtractFile(0)).filename(), std::string(126, 'n'));
  EXPECT_EQ(ReadFileBytes(container.ExtractFile(1025)), "1024");
}

TEST(FListFile, AppendedToPlayerRunsAndComesBackByteForByte) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  const std::string target = dir.File("show-player");
  ASSERT_TRUE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, target));

  EXPECT_EQ(RunProgram(target), "entries 3\n");
  EXPECT_NE(fs::status(target).permissions() & fs::perms::owner_exec, fs::perms::none);
  const uint64_t playerSize = fs::file_size(QUILLMARSH_TEST_PLAYER);
  const std::string joined = ReadFileBytes(target);
  const std::string alone = ReadFileBytes(container);
  EXPECT_TRUE(joined.substr(playerSize, alone.size() - kTrailer) ==
              alone.substr(0, alone.size() - kTrailer));
  EXPECT_EQ(TrailerOf(joined).base, playerSize);
  EXPECT_EQ(TrailerOf(joined).indexOffset,
            TrailerOf(ReadFileBytes(container)).indexOffset + playerSize);

  TFListFile reader;
  ASSERT_TRUE(reader.OpenRead(target));
  EXPECT_TRUE(ExtractAll(reader, dir.File("out")) == kSample);

  std::vector<std::pair<int64_t, int64_t>> steps;
  ASSERT_TRUE(FListFile::ExtractContainer(target, dir.File("back.ssp"),
                                          [&](int64_t s, int64_t m) { steps.emplace_back(s, m); }));
  EXPECT_TRUE(ReadFileBytes(dir.File("back.ssp")) == ReadFileBytes(container));
  // One step per 16 KiB piece, on a range of whole pieces plus one.
  const auto size = static_cast<int64_t>(fs::file_size(container));
  const int64_t pieces = (size + 16383) / 16384;
  ASSERT_EQ(steps.size(), static_cast<size_t>(pieces) + 1);
  EXPECT_EQ(steps.front(), std::make_pair(int64_t{0}, size / 16384 + 1));
  EXPECT_EQ(steps.back().first, pieces);
}

TEST(FListFile, EntryAddedBehindPlayerIsIndexedFromTheBase) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  const std::string target = dir.File("show-player");
  ASSERT_TRUE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, target));
  {
    TFListFile writer;
    ASSERT_TRUE(writer.OpenWrite(target));
    WriteFileBytes(dir.File("more.txt"), "more");
    writer.AddFile(dir.File("more.txt"));
  }
  EXPECT_EQ(RunProgram(target), "entries 4\n");
  TFListFile reader;
  ASSERT_TRUE(reader.OpenRead(target));
  Entries expected = kSample;
  expected.emplace_back("more.txt", "more");
  EXPECT_TRUE(ExtractAll(reader, dir.File("out")) == expected);
  ASSERT_TRUE(FListFile::ExtractContainer(target, dir.File("back.ssp"), nullptr));
  TFListFile back;
  ASSERT_TRUE(back.OpenRead(dir.File("back.ssp")));
  EXPECT_EQ(back.TrailerBase(), 0u);
  EXPECT_TRUE(ExtractAll(back, dir.File("out2")) == expected);
}

TEST(FListFile, EmptyContainerBehindPlayerComesBackWhole) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "empty.ssp", {});
  ASSERT_TRUE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, dir.File("p")));
  EXPECT_EQ(RunProgram(dir.File("p")), "entries 0\n");
  ASSERT_TRUE(FListFile::ExtractContainer(dir.File("p"), dir.File("back.ssp"), nullptr));
  EXPECT_TRUE(ReadFileBytes(dir.File("back.ssp")) == ReadFileBytes(container));
}

TEST(FListFile, JoiningAndExtractingRefuseWhatIsNoContainer) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  WriteFileBytes(dir.File("plain"), std::string(1000, 'p'));
  // The test program carries no container of its own.
  EXPECT_FALSE(FListFile::MakeExecutable("", container, dir.File("t1")));
  EXPECT_FALSE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, dir.File("plain"), dir.File("t2")));
  EXPECT_FALSE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, dir.File("plain/t3")));
  EXPECT_FALSE(fs::exists(dir.File("t1")));
  EXPECT_FALSE(fs::exists(dir.File("t2")));
  // Joining onto the container itself would destroy it.
  EXPECT_FALSE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, container));
  TFListFile check;
  EXPECT_TRUE(check.OpenRead(container));

  EXPECT_FALSE(FListFile::ExtractContainer(dir.File("plain"), dir.File("x.ssp"), nullptr));
  EXPECT_FALSE(fs::exists(dir.File("x.ssp")));
  // A target the user already has is not spoilt by a source that fails.
  WriteFileBytes(dir.File("keep.ssp"), "keep");
  EXPECT_FALSE(FListFile::ExtractContainer(dir.File("plain"), dir.File("keep.ssp"), nullptr));
  EXPECT_FALSE(FListFile::MakeExecutable(dir.File("missing"), container, dir.File("keep.ssp")));
  EXPECT_EQ(ReadFileBytes(dir.File("keep.ssp")), "keep");
  EXPECT_FALSE(FListFile::ExtractContainer("", dir.File("y.ssp"), nullptr));
  EXPECT_FALSE(FListFile::ExtractContainer(container, container, nullptr));
  EXPECT_TRUE(check.OpenRead(container));
}

// --- Damaged containers -------------------------------------------------------

struct Damage {
  const char* what;
  void (*apply)(std::string& bytes);
};

size_t TrailerAt(const std::string& bytes) { return bytes.size() - kTrailer; }

const Damage kDamages[] = {
    {"magic", [](std::string& b) { b[TrailerAt(b) + 3] = 'x'; }},
    {"version 255", [](std::string& b) { b[TrailerAt(b) + 11] = '\xFF'; b[TrailerAt(b) + 12] = 0; }},
    {"cut short", [](std::string& b) { b.erase(0, 10); }},
    {"trailer only half there", [](std::string& b) { b = b.substr(b.size() - 300); }},
    {"huge count", [](std::string& b) { PutU32At(b, TrailerAt(b) + 21, 0xFFFFFFFF); }},
    {"count one more", [](std::string& b) { PutU32At(b, TrailerAt(b) + 21, 4); }},
    {"index offset beyond the end",
     [](std::string& b) { PutU32At(b, TrailerAt(b) + 17, 0xFFFFFF00); }},
    {"index offset one less", [](std::string& b) {
       PutU32At(b, TrailerAt(b) + 17, U32At(b, TrailerAt(b) + 17) - 1);
     }},
    {"base behind the index", [](std::string& b) { PutU32At(b, TrailerAt(b) + 13, 0x7FFFFFFF); }},
    {"entry offset into the index", [](std::string& b) {
       PutU32At(b, U32At(b, TrailerAt(b) + 17) + 4, U32At(b, TrailerAt(b) + 17) - 10);
     }},
    {"entry offset far away",
     [](std::string& b) { PutU32At(b, U32At(b, TrailerAt(b) + 17), 0xFFFFFFF0); }},
};

TEST(FListFile, DamagedTrailersAndIndexesAreRefused) {
  TempDir dir;
  const std::string sound = ReadFileBytes(MakeContainer(dir, "show.ssp", kSample));
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.what);
    std::string bytes = sound;
    damage.apply(bytes);
    WriteFileBytes(dir.File("bad.ssp"), bytes);
    TFListFile container;
    EXPECT_FALSE(container.OpenRead(dir.File("bad.ssp")));
    EXPECT_EQ(container.EntryCount(), 0);
    EXPECT_THROW(container.OpenWrite(dir.File("bad.ssp")), EFListFileError);
    EXPECT_TRUE(ReadFileBytes(dir.File("bad.ssp")) == bytes);  // left as it was
    EXPECT_FALSE(FListFile::ExtractContainer(dir.File("bad.ssp"), dir.File("x.ssp"), nullptr));
  }
}

TEST(FListFile, DamagedEntrySizeRaisesAndLeavesNoFile) {
  TempDir dir;
  std::string bytes = ReadFileBytes(MakeContainer(dir, "show.ssp", kSample));
  PutU32At(bytes, 128, 0xFFFFFFF0);  // size of entry 0
  WriteFileBytes(dir.File("bad.ssp"), bytes);
  TFListFile container;
  ASSERT_TRUE(container.OpenRead(dir.File("bad.ssp")));
  container.SetExtractFolder(dir.File("out"));
  try {
    container.ExtractFile(0);
    ADD_FAILURE() << "no exception";
  } catch (const EFListFileError& e) {
    EXPECT_STREQ(e.what(), "Fatal read error (4)");
  }
  EXPECT_FALSE(fs::exists(dir.File("out/a.txt")));
  EXPECT_TRUE(ReadFileBytes(container.ExtractFile(1)) == kSample[1].second);
}

TEST(FListFile, StoredNamesCannotLeaveTheExtractFolder) {
  struct Case {
    const char* stored;  // four bytes replacing "abcd"
    uint8_t length;
    std::string extracted;  // empty: refused
  };
  const Case cases[] = {
      {"../x", 4, "x"}, {"/etc", 4, "etc"}, {"..\0\0", 2, ""}, {".\0\0\0", 1, ""},
      {"\0\0\0\0", 0, ""}, {"a/..", 4, ""}, {"ab\0c", 4, ""},
  };
  TempDir dir;
  const std::string sound = ReadFileBytes(MakeContainer(dir, "show.ssp", {{"abcd", "data"}}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    std::string bytes = sound;
    bytes[0] = static_cast<char>(c.length);
    bytes.replace(1, 4, std::string(c.stored, 4));
    WriteFileBytes(dir.File("crafted.ssp"), bytes);
    TFListFile container;
    ASSERT_TRUE(container.OpenRead(dir.File("crafted.ssp")));
    fs::create_directories(dir.File("out/inner"));
    container.SetExtractFolder(dir.File("out/inner"));
    const std::string path = container.ExtractFile(0);
    if (c.extracted.empty()) {
      EXPECT_EQ(path, "");
    } else {
      EXPECT_EQ(path, dir.File("out/inner/" + c.extracted));
      EXPECT_EQ(ReadFileBytes(path), "data");
    }
    EXPECT_FALSE(fs::exists(dir.File("out/x")));
    fs::remove_all(dir.File("out"));
  }
}

// An entry extracted where a link stands, named exactly like it or in another
// case, replaces the link; the file it points to stays as it was. Of two
// entries whose names differ only in case, the second goes to the file the
// first made, and the path returned is that file.
TEST(FListFile, ExtractedEntriesReplaceLinksAndNameTheFileWritten) {
  TempDir dir;
  const std::string container = MakeContainer(
      dir, "show.ssp",
      {{"photo.jpg", "entry"}, {"Other.jpg", "other"}, {"a.txt", "first"}, {"A.TXT", "second"}});
  WriteFileBytes(dir.File("outside.jpg"), "keep");
  fs::create_directories(dir.File("out"));
  fs::create_symlink(dir.File("outside.jpg"), dir.File("out/photo.jpg"));
  fs::create_symlink(dir.File("outside.jpg"), dir.File("out/OTHER.JPG"));
  TFListFile file;
  ASSERT_TRUE(file.OpenRead(container));
  file.SetExtractFolder(dir.File("out"));

  EXPECT_EQ(file.ExtractFile(0), dir.File("out/photo.jpg"));
  EXPECT_EQ(file.ExtractFile(1), dir.File("out/OTHER.JPG"));
  for (const char* name : {"out/photo.jpg", "out/OTHER.JPG"})
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.File(name)))) << name;
  EXPECT_EQ(ReadFileBytes(dir.File("out/photo.jpg")), "entry");
  EXPECT_EQ(ReadFileBytes(dir.File("out/OTHER.JPG")), "other");
  EXPECT_EQ(ReadFileBytes(dir.File("outside.jpg")), "keep");

  const std::string first = file.ExtractFile(2);
  EXPECT_EQ(file.ExtractFile(3), first);
  EXPECT_EQ(ReadFileBytes(first), "second");
}

// An extracted entry is a work file the program deletes after use: nothing
// of it is flushed to the disk. A container the program writes is.
TEST(FListFile, ExtractedEntriesAreNotSyncedWrittenContainersAre) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  TFListFile file;
  ASSERT_TRUE(file.OpenRead(container));
  const int before = gFileSyncs;
  EXPECT_TRUE(ExtractAll(file, dir.File("out")) == kSample);
  EXPECT_EQ(gFileSyncs - before, 0);

  TFListFile kept;
  kept.CreateReplacing(dir.File("kept.ssp"));
  kept.AddFile(dir.File("src/" + kSample[0].first));
  ASSERT_TRUE(kept.Commit());
  EXPECT_GT(gFileSyncs - before, 0);
}

// A joined executable or an extracted container written where a link stands
// replaces the link; the file it points to stays as it was.
TEST(FListFile, JoinedAndExtractedTargetsReplaceLinks) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  WriteFileBytes(dir.File("outside"), "keep");
  fs::create_symlink(dir.File("outside"), dir.File("player.bin"));
  fs::create_symlink(dir.File("outside"), dir.File("back.ssp"));
  ASSERT_TRUE(FListFile::MakeExecutable(QUILLMARSH_TEST_PLAYER, container, dir.File("player.bin")));
  ASSERT_TRUE(FListFile::ExtractContainer(dir.File("player.bin"), dir.File("back.ssp"), nullptr));
  EXPECT_EQ(ReadFileBytes(dir.File("outside")), "keep");
  EXPECT_FALSE(fs::is_symlink(dir.File("player.bin")));
  EXPECT_EQ(RunProgram(dir.File("player.bin")), "entries 3\n");
  EXPECT_TRUE(ReadFileBytes(dir.File("back.ssp")) == ReadFileBytes(container));
}

TEST(FListFile, ErrorsRaiseTheirMessages) {
  TempDir dir;
  const std::string container = MakeContainer(dir, "show.ssp", kSample);
  const auto message = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const EFListFileError& e) {
      return e.what();
    }
    return "no exception";
  };
  TFListFile file;
  EXPECT_EQ(message([&] { file.OpenWrite("  "); }), "Cannot write to EXE-file");
  WriteFileBytes(dir.File("plain"), "a file, not a folder");
  EXPECT_EQ(message([&] { file.OpenWrite(dir.File("plain/such.ssp")); }),
            "Cannot create file " + dir.File("plain/such.ssp"));
  ASSERT_TRUE(file.OpenWrite(container));
  EXPECT_EQ(message([&] { file.AddFile(dir.File("gone.txt")); }),
            "File " + dir.File("gone.txt") + " not exist");
  // An existing file that is no container is never written to.
  WriteFileBytes(dir.File("notes.txt"), std::string(2000, 'n'));
  EXPECT_EQ(message([&] { file.OpenWrite(dir.File("notes.txt")); }), "Fatal read error (1)");
  EXPECT_EQ(ReadFileBytes(dir.File("notes.txt")), std::string(2000, 'n'));
  // A folder cannot be read as a source: nothing is added.
  ASSERT_TRUE(file.OpenWrite(container));
  file.AddFile(dir.Path());
  EXPECT_EQ(file.EntryCount(), 3);
  TFListFile reader;
  EXPECT_TRUE(reader.OpenRead(container));
  EXPECT_EQ(reader.EntryCount(), 3);
}

}  // namespace
