// The settings registry: a tree of keys per root, each key holding typed
// values, kept in one SQLite database per root (see platform::RegistryDir).
// Key and value names compare without regard to case (ASCII and the Latin
// letters with accents). Paths are relative to an opened key and separated by
// "\"; in a value path the last "\" separates the subkey path from the value
// name, and a path without "\" names a value of the opened key itself.
//
// Every write is one transaction; BeginWrite..Commit groups many writes into
// one, which other processes see entirely or not at all. Writers wait for one
// another (up to a timeout), so two processes writing different values both
// keep theirs. Nothing here throws; failures are false, -1 or no value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace winregcore {

enum class HKey { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig,
                  DynData };

// The value types.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t REG_DWORD_BIG_ENDIAN = 5;
constexpr uint32_t REG_MULTI_SZ = 7;
constexpr uint32_t REG_QWORD = 11;

// The database file of a root.
std::string DatabasePath(HKey root);

class TRegKey {
 public:
  // Opens the key at path below the root; with create, makes the database,
  // its folder and the missing keys. Null on failure.
  static std::unique_ptr<TRegKey> Open(HKey root, std::string_view path, bool create);
  ~TRegKey();
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  // Starts one transaction for the writes up to Commit; waits for other
  // writers. Commit false means nothing of it was stored.
  bool BeginWrite();
  bool Commit();
  void Rollback();

  // Raw values: the stored bytes of a value of exactly that type.
  bool SetValue(std::string_view path, uint32_t type, std::string_view data);
  bool QueryValue(std::string_view path, uint32_t type, std::string& data);

  bool WriteString(std::string_view path, std::string_view text);
  bool WriteExpandString(std::string_view path, std::string_view text);
  bool WriteMultiString(std::string_view path, const std::vector<std::string>& lines);
  bool WriteDWord(std::string_view path, uint32_t value);
  bool WriteQWord(std::string_view path, uint64_t value);
  bool WriteBinary(std::string_view path, std::string_view bytes);

  bool ReadString(std::string_view path, std::string& text);
  bool ReadExpandString(std::string_view path, std::string& text);
  bool ReadMultiString(std::string_view path, std::vector<std::string>& lines);
  bool ReadDWord(std::string_view path, uint32_t& value);
  bool ReadDWordBigEndian(std::string_view path, uint32_t& value);
  bool ReadQWord(std::string_view path, uint64_t& value);
  // Appends the bytes; their count, or -1 when there is no such value.
  int64_t ReadBinary(std::string_view path, std::string& bytes);

  bool ValueExists(std::string_view path);
  bool DeleteValue(std::string_view path);
  // Deletes every value of the key at path, then the key itself unless it
  // still has subkeys. True when the key is gone or was not there.
  bool DeleteKey(std::string_view path);

  // Names in the order they were first stored.
  std::vector<std::string> EnumValueNames(std::string_view keyPath);
  std::vector<std::string> EnumKeyNames(std::string_view keyPath);

 private:
  TRegKey(sqlite3* db, int64_t id) : db_(db), id_(id) {}
  // The id of the key at path, or -1; with create the missing keys are made.
  int64_t Resolve(std::string_view keyPath, bool create);
  bool Exec(const char* sql);

  sqlite3* db_;
  int64_t id_;
};

}  // namespace winregcore
