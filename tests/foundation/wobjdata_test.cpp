#include "foundation/wobjdata.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

std::string Record(const TDataList& list, int32_t index) {
  std::string bytes(list.RecordSize(), '?');
  if (!list.GetItem(index, bytes.data())) return "<none>";
  return bytes;
}

std::vector<std::string> Records(const TDataList& list) {
  std::vector<std::string> result;
  for (int32_t i = 0; i < list.Count(); ++i) result.push_back(Record(list, i));
  return result;
}

std::string U32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
  return s;
}

// A 1024-byte list file header.
std::string Header(const std::string& version, uint8_t major, uint8_t minor, uint32_t count,
                   uint32_t recordSize) {
  std::string h = "QVR DATALIST";
  h += static_cast<char>(version.size());
  h += (version + std::string(4, '\0')).substr(0, 4);
  h += static_cast<char>(major);
  h += static_cast<char>(minor);
  h += U32(count) + U32(recordSize);
  h.resize(1024, '\x55');
  return h;
}

TEST(DataList, CursorFollowsAddAndFetch) {
  TDataList list(4);
  EXPECT_EQ(list.CurrentIndex(), -1);
  EXPECT_EQ(list.CurrentRecord(), nullptr);
  uint8_t* first = list.Add("abcd");
  list.Add("efgh");
  EXPECT_EQ(list.CurrentIndex(), 1);
  EXPECT_EQ(list.GetItemData(0), first);
  EXPECT_EQ(list.CurrentRecord(), first);
  EXPECT_EQ(list.CurrentIndex(), 0);
  for (int32_t index : {-1, 2}) {
    EXPECT_EQ(list.GetItemData(index), nullptr) << index;
    EXPECT_EQ(list.CurrentIndex(), 0) << index;
    EXPECT_EQ(Record(list, index), "<none>") << index;  // buffer untouched
  }
  EXPECT_EQ(Records(list), (std::vector<std::string>{"abcd", "efgh"}));
}

TEST(DataList, RecordsKeepTheirAddressWhileTheListGrows) {
  TDataList list(8);
  std::vector<uint8_t*> kept;
  for (uint32_t i = 0; i < 5000; ++i) {
    const std::string data = U32(i) + U32(~i);
    kept.push_back(list.Add(data.data()));
  }
  for (uint32_t i = 0; i < 5000; ++i) {
    ASSERT_EQ(std::string(reinterpret_cast<char*>(kept[i]), 8), U32(i) + U32(~i)) << i;
    ASSERT_EQ(list.GetItemData(static_cast<int32_t>(i)), kept[i]) << i;
  }
}

TEST(DataList, SortIsStableAndDropsTheCursor) {
  TDataList list(2);
  const auto byKey = [](const uint8_t* a, const uint8_t* b) { return a[0] - b[0]; };
  list.Sort(byKey);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.CurrentIndex(), -1);

  // Enough records that an unstable sort would show.
  for (int i = 0; i < 100; ++i) {
    const uint8_t record[2] = {static_cast<uint8_t>('c' - i * 7 % 3), static_cast<uint8_t>(i)};
    list.Add(record);
  }
  list.GetItemData(3);
  list.Sort(byKey);
  ASSERT_EQ(list.Count(), 100);
  for (int32_t i = 1; i < 100; ++i) {
    const std::string a = Record(list, i - 1), b = Record(list, i);
    EXPECT_TRUE(a[0] < b[0] || (a[0] == b[0] && uint8_t(a[1]) < uint8_t(b[1]))) << i;
  }
  EXPECT_EQ(list.CurrentIndex(), -1);
  EXPECT_EQ(list.CurrentRecord(), nullptr);
}

TEST(DataList, ClearAndDestroyReportEveryRecord) {
  std::string freed;
  {
    TDataList list(1);
    list.SetOnFreeRecord([&freed](uint8_t* data) { freed += static_cast<char>(*data); });
    list.Add("x");
    list.Add("y");
    list.Clear();
    EXPECT_EQ(freed, "xy");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CurrentIndex(), -1);
    list.Add("z");
  }
  EXPECT_EQ(freed, "xyz");
}

TEST(DataList, LoadFromFile) {
  const std::string v13 = Header("1.3", 1, 3, 2, 4);
  struct Case {
    const char* name;
    uint16_t recordSize;
    std::string file;
    bool ok;
    std::vector<std::string> records;
    TDataListVersion version;
  };
  const Case cases[] = {
      {"headerless, tail ignored", 4, "abcdefghij", true, {"abcd", "efgh"}, {}},
      {"empty file", 4, "", true, {}, {}},
      {"version 1.3 is headerless", 512, v13, true, {v13.substr(0, 512), v13.substr(512)}, {}},
      {"short file records padded", 20,
       Header("1.4", 1, 4, 2, 16) + "0123456789abcdefFEDCBA9876543210tail", true,
       {"0123456789abcdef" + std::string(4, '\0'), "FEDCBA9876543210" + std::string(4, '\0')},
       {"1.4", 1, 4}},
      {"long file records cut", 3, Header("2.0", 2, 0, 1, 6) + "abcdefghijkl", true,
       {"abc", "ghi"}, {"2.0", 2, 0}},
      {"huge count reads what is there", 2, Header("1.4", 1, 4, 0xFFFFFFFF, 2) + "abcd", true,
       {"ab", "cd"}, {"1.4", 1, 4}},
      {"huge record size holds no record", 2, Header("1.4", 1, 4, 1, 0xFFFFFFFF) + "abcd", true,
       {}, {"1.4", 1, 4}},
      {"record size 0", 2, Header("1.4", 1, 4, 1, 0) + "abcd", false, {}, {}},
      {"header cut short", 2, Header("1.4", 1, 4, 1, 2).substr(0, 100), false, {}, {}},
  };
  testsupport::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::WriteFileBytes(dir.File("list"), c.file);
    TDataList list(c.recordSize);
    list.Add(std::string(c.recordSize, 'o').data());
    EXPECT_EQ(list.LoadFromFile(dir.File("list")), c.ok);
    EXPECT_EQ(Records(list), c.records);
    if (!c.ok) continue;
    EXPECT_EQ(list.HeaderVersion().text, c.version.text);
    EXPECT_EQ(list.HeaderVersion().major, c.version.major);
    EXPECT_EQ(list.HeaderVersion().minor, c.version.minor);
  }
}

TEST(DataList, LoadFromUnreadableFileFails) {
  testsupport::TempDir dir;
  TDataList list(4);
  EXPECT_FALSE(list.LoadFromFile(dir.File("missing")));
  EXPECT_FALSE(list.LoadFromFile(dir.Path()));
  EXPECT_EQ(list.Count(), 0);
}

TEST(DataList, NewListHasVersion14) {
  TDataList list(4);
  EXPECT_EQ(list.HeaderVersion().text, "1.4");
  EXPECT_EQ(list.HeaderVersion().major, 1);
  EXPECT_EQ(list.HeaderVersion().minor, 4);
}

}  // namespace
