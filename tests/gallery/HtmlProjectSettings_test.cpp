// The projects file: its record layout, the round trip of every field,
// storing, deleting and finding projects, and writes that fail or are
// killed half-way.
#include "gallery/projects/HtmlProjectSettings.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "foundation/DosFunc.h"
#include "foundation/StrFunc.h"
#include "gallery/projects/HtmlProjectRec.h"
#include "platform/FileSystem.h"
#include "tests/support/TestSupport.h"

namespace {

using HtmlProjectRec::kRecordSize;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

THtmlProject Project(const std::string& name, const std::string& folder) {
  THtmlProject p;
  p.ProjectName = name;
  p.PhotoFolder = folder;
  p.HtmlDir = folder + "/html";
  p.Shortcut = name;
  return p;
}

std::vector<std::string> Names() {
  std::vector<THtmlProject> projects;
  EXPECT_TRUE(HtmlProjectSettings::ReadProjects(projects));
  std::vector<std::string> names;
  for (const THtmlProject& p : projects) names.push_back(p.ProjectName);
  return names;
}

class ProjectsFile : public ::testing::Test {
 protected:
  std::string File() const { return HtmlProjectSettings::GetProjectsFileName(); }
  void Store(const THtmlProject& project) {
    int index = -1;
    ASSERT_TRUE(HtmlProjectSettings::WriteProject(project, index));
  }
  testsupport::ScopedHome home_;
};

TEST(HtmlProjectRec, FieldsLieAtTheirOffsetsAndComeBack) {
  THtmlProject p;
  p.PhotoFolder = "/photos/Výlet";
  p.ProjectName = "Šumava 2024";
  p.BrowseFolder = "/web";
  p.HtmlDir = "/web/sumava";
  p.ImageCompression = 33;
  p.TbCompression = 44;
  p.CharCode = 0;
  p.KeepMaxImgSize = false;
  p.KeepTbMaxSize = true;
  p.TbMaxSize = "2560 ";
  p.ImgMaxSize = "40  ";
  p.ImgTolerance = "2";
  p.TbTolerance = "512";
  p.PhotoQualityStep = 8;
  p.ThumbQualityStep = 3;
  p.WebLanguage = -1;
  p.FName = "trip";
  p.FromID = "10";
  p.Step = "5";
  p.ForceNote = true;
  p.Shortcut = "sumava";
  p.DetailExifForWeb = false;
  const HtmlProjectRec::THtmlProjectRec r = HtmlProjectRec::Pack(p);
  static_assert(sizeof(r) == 2243);
  const auto text = [&r](size_t at) {
    return std::string(reinterpret_cast<const char*>(&r[at + 1]), r[at]);
  };
  EXPECT_EQ(r[0] | r[1] << 8, 1);
  EXPECT_EQ(text(2), p.PhotoFolder);
  EXPECT_EQ(text(258), p.ProjectName);
  EXPECT_EQ(text(770), p.HtmlDir);
  EXPECT_EQ(r[1026], 33);
  EXPECT_EQ(r[1034], 0);
  EXPECT_EQ(r[1038], 0);
  EXPECT_EQ(r[1039], 1);
  EXPECT_EQ(text(1061), "40  ");
  EXPECT_EQ(r[1124], 8);
  EXPECT_EQ(r[1132], 0xFF);
  EXPECT_EQ(text(1136), "trip");
  EXPECT_EQ(r[1219], 1);
  EXPECT_EQ(text(1220), "sumava");
  EXPECT_EQ(r[1237], 0);
  EXPECT_EQ(std::count(r.begin() + 1238, r.end(), 0), 1005);

  const THtmlProject back = HtmlProjectRec::Unpack(r);
  EXPECT_EQ(HtmlProjectRec::Pack(back), r);
  EXPECT_EQ(back.ProjectName, p.ProjectName);
  EXPECT_EQ(back.WebLanguage, -1);
  EXPECT_EQ(back.ThumbQualityStep, 3);
}

TEST(HtmlProjectRec, LongTextIsCutOnACharacterAndOldTextIsWindows1250) {
  THtmlProject p;
  p.Shortcut = "ščřžýáíéščřžýáí";  // 30 bytes in 16 bytes: eight letters fit
  p.ProjectName = std::string(254, 'a') + "č";
  HtmlProjectRec::THtmlProjectRec r = HtmlProjectRec::Pack(p);
  EXPECT_EQ(HtmlProjectRec::Unpack(r).Shortcut, "ščřžýáíé");
  EXPECT_EQ(HtmlProjectRec::Unpack(r).ProjectName, std::string(254, 'a'));
  // "Výlet" as an older version wrote it.
  const std::string old = "V\xFDlet";
  r[258] = static_cast<unsigned char>(old.size());
  std::copy(old.begin(), old.end(), r.begin() + 259);
  EXPECT_EQ(HtmlProjectRec::Unpack(r).ProjectName, "Výlet");
}

TEST_F(ProjectsFile, SavingAppendsOnceThenWritesOverTheSameRecord) {
  EXPECT_EQ(HtmlProjectSettings::GetProjectCount(), 0);
  int index = -1;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("first", "/a"), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(DosFunc::GetFileSize64(File()), static_cast<int64_t>(kRecordSize));
  EXPECT_EQ(DosFunc::GetFileAttr(File()) & DosFunc::faReadOnly, DosFunc::faReadOnly);
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("renamed", "/a"), index));
  EXPECT_EQ(index, 0);
  int beyond = 7;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("second", "/b"), beyond));
  EXPECT_EQ(beyond, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"renamed", "second"}));
  THtmlProject read;
  ASSERT_TRUE(HtmlProjectSettings::ReadProject(1, read));
  EXPECT_EQ(read.PhotoFolder, "/b");
  EXPECT_FALSE(HtmlProjectSettings::ReadProject(2, read));
  EXPECT_FALSE(HtmlProjectSettings::ReadProject(-1, read));
}

TEST_F(ProjectsFile, DeletingTheMiddleRecordKeepsTheOthersInOrder) {
  for (const char* name : {"a", "b", "c"}) Store(Project(name, std::string("/") + name));
  ASSERT_TRUE(HtmlProjectSettings::DeleteProject(1));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
  ASSERT_TRUE(HtmlProjectSettings::DeleteProject(0));
  EXPECT_EQ(Names(), (std::vector<std::string>{"c"}));
  EXPECT_FALSE(HtmlProjectSettings::DeleteProject(1));
  EXPECT_EQ(HtmlProjectSettings::GetProjectCount(), 1);
  EXPECT_EQ(DosFunc::GetFileAttr(File()) & DosFunc::faReadOnly, DosFunc::faReadOnly);
  // No copy file and no work file is left beside it.
  EXPECT_EQ(DosFunc::FindFiles(StrFunc::ExtractDir(File()), false),
            (std::vector<std::string>{HtmlProjectSettings::kProjectsFileName}));
}

TEST_F(ProjectsFile, ReadersNeitherCreateNorCutTheFile) {
  THtmlProject found;
  EXPECT_EQ(HtmlProjectSettings::FindProjectByDir("/a", found), -1);
  EXPECT_TRUE(Names().empty());
  EXPECT_FALSE(DosFunc::FileExistsLong(File()));
  Store(Project("a", "/a"));
  // Bytes short of a record are no project, and stay.
  std::string bytes = ReadFileBytes(File()) + "tail";
  DosFunc::SetFileAttr(File(), 0);
  WriteFileBytes(File(), bytes);
  EXPECT_EQ(HtmlProjectSettings::GetProjectCount(), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(ReadFileBytes(File()) == bytes);
}

TEST_F(ProjectsFile, AFullFileRefusesANewProjectAndStaysReadable) {
  using HtmlProjectSettings::kMaxProjects;
  std::string full;
  full.reserve(kMaxProjects * kRecordSize);
  for (size_t i = 0; i < kMaxProjects; ++i) {
    const HtmlProjectRec::THtmlProjectRec r = HtmlProjectRec::Pack(Project("p" + std::to_string(i), "/p"));
    full.append(reinterpret_cast<const char*>(r.data()), r.size());
  }
  const struct {
    const char* what;
    std::string bytes;
    bool readable;
  } files[] = {
      {"as many records as allowed", full, true},
      {"and bytes short of one more", full + "tail", true},
      {"one record too many, from elsewhere", full + full.substr(0, kRecordSize), false},
  };
  for (const auto& f : files) {
    DosFunc::SetFileAttr(File(), 0);
    WriteFileBytes(File(), f.bytes);
    int index = -1;
    bool refusedAsFull = false;
    EXPECT_FALSE(HtmlProjectSettings::WriteProject(Project("new", "/n"), index, &refusedAsFull)) << f.what;
    EXPECT_EQ(refusedAsFull, f.readable) << f.what;
    EXPECT_EQ(index, -1) << f.what;
    EXPECT_TRUE(ReadFileBytes(File()) == f.bytes) << f.what;
    std::vector<THtmlProject> projects;
    EXPECT_EQ(HtmlProjectSettings::ReadProjects(projects), f.readable) << f.what;
    if (f.readable) {
      ASSERT_EQ(projects.size(), kMaxProjects) << f.what;
      EXPECT_EQ(projects.back().ProjectName, "p19999") << f.what;
    }
  }
  // A full file still takes changes to its records.
  DosFunc::SetFileAttr(File(), 0);
  WriteFileBytes(File(), full);
  int last = static_cast<int>(kMaxProjects) - 1;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("changed", "/p"), last));
  THtmlProject read;
  ASSERT_TRUE(HtmlProjectSettings::ReadProject(last, read));
  EXPECT_EQ(read.ProjectName, "changed");
}

TEST_F(ProjectsFile, SavingAnUnchangedProjectLeavesTheFileAlone) {
  Store(Project("a", "/a"));
  Store(Project("b", "/b"));
  platform::FileStatus before, after;
  ASSERT_TRUE(platform::StatPath(File(), before));
  int index = 1;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("b", "/b"), index));
  EXPECT_EQ(index, 1);
  ASSERT_TRUE(platform::StatPath(File(), after));
  EXPECT_EQ(after.inode, before.inode);
  EXPECT_EQ(after.modifiedSeconds, before.modifiedSeconds);
  EXPECT_EQ(after.modifiedNanoseconds, before.modifiedNanoseconds);
  // The same record as a new project is a new record.
  int added = -1;
  ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("b", "/b"), added));
  EXPECT_EQ(added, 2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "b"}));
}

TEST_F(ProjectsFile, FoldersAreFoundTrimmedWithoutATrailingSlashButNeverInAnotherCase) {
  Store(Project("trip", "/x/Trip"));
  Store(Project("lower", "/x/trip/"));
  const struct {
    const char* folder;
    int index;
  } cases[] = {
      {"/x/Trip", 0}, {"  /x/Trip/  ", 0}, {"/x/Trip//", 0}, {"/x/trip", 1},
      {"/X/TRIP", -1}, {"/x/Tri", -1},     {"", -1},
  };
  for (const auto& c : cases) {
    THtmlProject found;
    EXPECT_EQ(HtmlProjectSettings::FindProjectByDir(c.folder, found), c.index) << c.folder;
  }
  EXPECT_EQ(HtmlProjectSettings::OutputFolders(),
            (std::vector<std::string>{"/x/Trip/html", "/x/trip//html"}));
}

TEST_F(ProjectsFile, AFailedWriteLeavesTheOldFile) {
  Store(Project("a", "/a"));
  Store(Project("b", "/b"));
  const std::string before = ReadFileBytes(File());
  {
    testsupport::ScopedFileSizeLimit limit(kRecordSize / 2);
    int index = -1;
    EXPECT_FALSE(HtmlProjectSettings::WriteProject(Project("c", "/c"), index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(HtmlProjectSettings::DeleteProject(0));
  }
  EXPECT_TRUE(ReadFileBytes(File()) == before);
  EXPECT_EQ(DosFunc::GetFileAttr(File()) & DosFunc::faReadOnly, DosFunc::faReadOnly);
}

TEST_F(ProjectsFile, AKilledWriteLeavesTheOldOrTheNewFileWhole) {
  for (int i = 0; i < 20; ++i) Store(Project("p" + std::to_string(i), "/p"));
  const std::string before = ReadFileBytes(File());
  std::mt19937 random(24);
  std::uniform_int_distribution<int> moment(0, 3000);
  std::vector<std::string> seen;
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    if (child == 0) {
      // Rewrites record 5 again and again, alternating two names.
      for (int i = 0;; ++i) {
        int index = 5;
        if (!HtmlProjectSettings::WriteProject(Project(i % 2 ? "odd" : "even", "/p"), index))
          _exit(1);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string bytes = ReadFileBytes(File());
    ASSERT_EQ(bytes.size(), before.size()) << round;
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_TRUE(names[5] == "p5" || names[5] == "odd" || names[5] == "even") << names[5];
    EXPECT_EQ(names[6], "p6");
  }
  int index = 0;
  EXPECT_TRUE(HtmlProjectSettings::WriteProject(Project("after", "/p"), index));
  EXPECT_EQ(Names()[0], "after");
}

// A save killed at any moment leaves its work file behind; the next save
// takes it away, so a data folder never fills with dead work files.
TEST_F(ProjectsFile, TheNextSaveRemovesTheWorkFileOfEveryKilledSave) {
  // About 300 KB, as a user with many projects has.
  constexpr int kProjects = 300 * 1024 / static_cast<int>(kRecordSize);
  for (int i = 0; i < kProjects; ++i) Store(Project("p" + std::to_string(i), "/p"));
  const std::string data = StrFunc::ExtractDir(File());
  const auto workFiles = [&] {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(data))
      if (entry.path().filename().string().starts_with(".~qm"))
        found.push_back(entry.path().filename().string());
    return found;
  };
  const auto start = std::chrono::steady_clock::now();
  Store(Project("timed", "/p"));
  const auto save = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - start).count();
  std::mt19937 random(33);
  std::uniform_int_distribution<long> moment(0, 2 * save + 100);
  int leftBehind = 0;
  for (int round = 0; round < 200; ++round) {
    const pid_t child = fork();
    if (child == 0) {
      for (int i = 0;; ++i) {
        int index = i % kProjects;
        if (!HtmlProjectSettings::WriteProject(Project(i % 2 ? "odd" : "even", "/p"), index))
          _exit(1);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!workFiles().empty()) ++leftBehind;
    int first = 0;
    ASSERT_TRUE(HtmlProjectSettings::WriteProject(Project("after", "/p"), first));
    ASSERT_EQ(workFiles(), std::vector<std::string>{}) << "round " << round;
  }
  EXPECT_GT(leftBehind, 0);  // some kills did stop a save half-way
  EXPECT_EQ(Names().size(), static_cast<size_t>(kProjects) + 1);
}

}  // namespace
