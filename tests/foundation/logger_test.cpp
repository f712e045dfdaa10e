#include "foundation/logger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Collects the entries instead of writing them to the system log.
struct CapturedLog {
  std::vector<logger::LogEntry> entries;
  CapturedLog() {
    logger::SetLogSink([this](const logger::LogEntry& e) { entries.push_back(e); });
  }
  ~CapturedLog() { logger::SetLogSink({}); }
};

TEST(Logger, LevelsGiveNameAndEventIdentifier) {
  struct Case {
    TLogLevel level;
    std::string name;
    uint32_t id;
  };
  const Case cases[] = {
      {0, "UNSTABLE", 0xE0000000}, {1, "ALERT", 0xA0000000},   {2, "CRITICAL", 0xE0000000},
      {3, "ERROR", 0xE0000000},    {4, "WARNING", 0xA0000000}, {5, "NOTICE", 0x60000000},
      {6, "INFO", 0x60000000},     {7, "DEBUG", 0x60000000},   {9, "UNKNOWN", 0x20000000},
      {-1, "UNKNOWN", 0x20000000},
  };
  for (const Case& c : cases) {
    CapturedLog log;
    logger::LogMessage(c.level, "message");
    ASSERT_EQ(log.entries.size(), 1u) << c.level;
    EXPECT_EQ(log.entries[0].level, c.level);
    EXPECT_EQ(log.entries[0].levelName, c.name) << c.level;
    EXPECT_EQ(log.entries[0].eventId, c.id) << c.level;
  }
}

TEST(Logger, EntryTextAndSource) {
  CapturedLog log;
  logger::LogMessage(logger::LOG_ERROR, "Cannot write; ěščř");
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].text, "\r\n\r\nCannot write; ěščř\r\n");
  // The source is the program's file name followed by ".log".
  EXPECT_EQ(log.entries[0].source, "foundation_tests.log");
}

TEST(Logger, ThrowingSinkDoesNotReachCaller) {
  logger::SetLogSink([](const logger::LogEntry&) { throw 1; });
  EXPECT_NO_THROW(logger::LogMessage(logger::LOG_INFO, "x"));
  logger::SetLogSink({});
}

}  // namespace
