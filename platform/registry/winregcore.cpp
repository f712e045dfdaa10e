#include "platform/registry/winregcore.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "platform/Environment.h"

namespace winregcore {

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr int kMaxKeyDepth = 512;

// Key id 0 is the root itself; keys hang below it by parent id.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY, parent INTEGER NOT NULL,"
    " name TEXT NOT NULL, fold TEXT NOT NULL, UNIQUE(parent, fold));"
    "CREATE TABLE IF NOT EXISTS vals(key INTEGER NOT NULL, name TEXT NOT NULL,"
    " fold TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, fold));";

// One prepared statement, finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  Statement& Bind(int i, int64_t v) {
    if (stmt_) sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  Statement& Bind(int i, std::string_view text) {
    if (stmt_) sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& BindBlob(int i, std::string_view data) {
    if (stmt_) sqlite3_bind_blob(stmt_, i, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
    return *this;
  }
  // True while a row is there.
  bool Row() { return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW; }
  bool Done() { return stmt_ && sqlite3_step(stmt_) == SQLITE_DONE; }
  int64_t Int(int col) { return sqlite3_column_int64(stmt_, col); }
  std::string Text(int col) {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, col));
    return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, col))) : std::string();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Upper case for ASCII and the accented Latin letters U+00E0-U+017E, so that
// names compare as the settings do.
std::string Fold(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(name[i]);
    if (b0 >= 'a' && b0 <= 'z') {
      out += static_cast<char>(b0 - 32);
      continue;
    }
    const unsigned b1 = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0u;
    if (b0 < 0xC3 || b0 > 0xC5 || (b1 & 0xC0) != 0x80) {
      out += static_cast<char>(b0);
      continue;
    }
    unsigned cp = ((b0 & 0x1Fu) << 6) | (b1 & 0x3Fu);
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) {
      cp -= 0x20;
    } else if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) {
      cp &= ~1u;
    } else if (((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) && cp % 2 == 0) {
      cp -= 1;
    }
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
    ++i;
  }
  return out;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// "A\B\name" -> "A\B" and "name".
void SplitValuePath(std::string_view path, std::string_view& key, std::string_view& name) {
  const size_t slash = path.rfind('\\');
  key = slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
  name = slash == std::string_view::npos ? path : path.substr(slash + 1);
}

constexpr std::array<const char*, 7> kFileNames = {
    "classes_root.db", "current_user.db", "local_machine.db", "users.db",
    "performance_data.db", "current_config.db", "dyn_data.db"};

void PutLE(std::string& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
}

uint64_t GetLE(const std::string& data) {
  uint64_t v = 0;
  for (size_t i = data.size(); i-- > 0;) v = (v << 8) | static_cast<unsigned char>(data[i]);
  return v;
}

// A text value up to its first terminating zero.
std::string CutAtZero(const std::string& data) { return data.substr(0, data.find('\0')); }

// Runs the writes of one call as a transaction of their own unless the
// caller already holds one.
class WriteScope {
 public:
  explicit WriteScope(sqlite3* db) : db_(db), own_(sqlite3_get_autocommit(db) != 0) {
    ok_ = !own_ || sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~WriteScope() {
    if (own_ && ok_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  bool ok() const { return ok_; }
  bool Finish(bool success) {
    if (!own_ || !ok_) return success && ok_;
    ok_ = false;
    if (success && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }

 private:
  sqlite3* db_;
  bool own_;
  bool ok_;
};

// The store holds the enciphered passwords: its folder is the user's alone
// (0700) and so are its files (0600), also those an older run made open to
// others. SQLite gives its journals the mode of the database. With create,
// the folder and the database file are made when missing; without, a store
// that is not there is left so.
bool KeepPrivate(const std::string& file, bool create) {
  const std::string folder = platform::RegistryDir();
  std::string problem;
  struct stat st {};
  if ((create || stat(folder.c_str(), &st) == 0) && !platform::MakeOwnFolder(folder, problem))
    return false;
  if (create) {
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    close(fd);
  }
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
    const std::string path = file + suffix;
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
        (st.st_mode & 077) != 0)
      chmod(path.c_str(), 0600);
  }
  return true;
}

}  // namespace

std::string DatabasePath(HKey root) {
  return platform::RegistryDir() + "/" + kFileNames[static_cast<size_t>(root)];
}

std::unique_ptr<TRegKey> TRegKey::Open(HKey root, std::string_view path, bool create) {
  const std::string file = DatabasePath(root);
  if (!KeepPrivate(file, create)) return nullptr;
  sqlite3* db = nullptr;
  const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  std::unique_ptr<TRegKey> key(new TRegKey(db, 0));
  WriteScope scope(db);
  if (!scope.ok() || !key->Exec(kSchema)) return nullptr;
  key->id_ = key->Resolve(path, create);
  if (!scope.Finish(key->id_ >= 0)) return nullptr;
  return key;
}

TRegKey::~TRegKey() { sqlite3_close(db_); }

bool TRegKey::Exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool TRegKey::BeginWrite() { return Exec("BEGIN IMMEDIATE"); }
bool TRegKey::Commit() {
  if (Exec("COMMIT")) return true;
  Rollback();
  return false;
}
void TRegKey::Rollback() { Exec("ROLLBACK"); }

int64_t TRegKey::Resolve(std::string_view keyPath, bool create) {
  int64_t id = id_;
  const std::vector<std::string_view> parts = SplitPath(keyPath);
  if (parts.size() > kMaxKeyDepth) return -1;
  for (std::string_view part : parts) {
    Statement find(db_, "SELECT id FROM keys WHERE parent=? AND fold=?");
    if (find.Bind(1, id).Bind(2, Fold(part)).Row()) {
      id = find.Int(0);
      continue;
    }
    if (!create) return -1;
    Statement add(db_, "INSERT INTO keys(parent, name, fold) VALUES(?,?,?)");
    if (!add.Bind(1, id).Bind(2, part).Bind(3, Fold(part)).Done()) return -1;
    id = sqlite3_last_insert_rowid(db_);
  }
  return id;
}

bool TRegKey::SetValue(std::string_view path, uint32_t type, std::string_view data) {
  std::string_view keyPath, name;
  SplitValuePath(path, keyPath, name);
  WriteScope scope(db_);
  if (!scope.ok()) return false;
  const int64_t key = Resolve(keyPath, true);
  Statement set(db_,
                "INSERT INTO vals(key, name, fold, type, data) VALUES(?,?,?,?,?)"
                " ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
  return scope.Finish(key >= 0 && set.Bind(1, key).Bind(2, name).Bind(3, Fold(name))
                                      .Bind(4, int64_t{type}).BindBlob(5, data).Done());
}

bool TRegKey::QueryValue(std::string_view path, uint32_t type, std::string& data) {
  std::string_view keyPath, name;
  SplitValuePath(path, keyPath, name);
  const int64_t key = Resolve(keyPath, false);
  if (key < 0) return false;
  Statement get(db_, "SELECT type, data FROM vals WHERE key=? AND fold=?");
  if (!get.Bind(1, key).Bind(2, Fold(name)).Row() || get.Int(0) != type) return false;
  data = get.Text(1);
  return true;
}

bool TRegKey::WriteString(std::string_view path, std::string_view text) {
  return SetValue(path, REG_SZ, std::string(text) + '\0');
}

bool TRegKey::WriteExpandString(std::string_view path, std::string_view text) {
  return SetValue(path, REG_EXPAND_SZ, std::string(text) + '\0');
}

bool TRegKey::WriteMultiString(std::string_view path, const std::vector<std::string>& lines) {
  std::string data;
  for (const std::string& line : lines) data += CutAtZero(line) + '\0';
  return SetValue(path, REG_MULTI_SZ, data + '\0');
}

bool TRegKey::WriteDWord(std::string_view path, uint32_t value) {
  std::string data;
  PutLE(data, value, 4);
  return SetValue(path, REG_DWORD, data);
}

bool TRegKey::WriteQWord(std::string_view path, uint64_t value) {
  std::string data;
  PutLE(data, value, 8);
  return SetValue(path, REG_QWORD, data);
}

bool TRegKey::WriteBinary(std::string_view path, std::string_view bytes) {
  return SetValue(path, REG_BINARY, bytes);
}

bool TRegKey::ReadString(std::string_view path, std::string& text) {
  std::string data;
  if (!QueryValue(path, REG_SZ, data)) return false;
  text = CutAtZero(data);
  return true;
}

bool TRegKey::ReadExpandString(std::string_view path, std::string& text) {
  std::string data;
  if (!QueryValue(path, REG_EXPAND_SZ, data)) return false;
  text = CutAtZero(data);
  return true;
}

bool TRegKey::ReadMultiString(std::string_view path, std::vector<std::string>& lines) {
  std::string data;
  if (!QueryValue(path, REG_MULTI_SZ, data)) return false;
  lines.clear();
  // Every string ends with a zero and the list with one more; an empty
  // string inside the list is a line of its own, not the end.
  if (!data.empty() && data.back() == '\0') data.pop_back();
  if (data.empty()) return true;
  if (data.back() == '\0') data.pop_back();
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(data.find('\0', start), data.size());
    lines.push_back(data.substr(start, end - start));
    if (end == data.size()) break;
    start = end + 1;
  }
  return true;
}

bool TRegKey::ReadDWord(std::string_view path, uint32_t& value) {
  std::string data;
  if (!QueryValue(path, REG_DWORD, data) || data.size() != 4) return false;
  value = static_cast<uint32_t>(GetLE(data));
  return true;
}

bool TRegKey::ReadDWordBigEndian(std::string_view path, uint32_t& value) {
  std::string data;
  if (!QueryValue(path, REG_DWORD_BIG_ENDIAN, data) || data.size() != 4) return false;
  value = static_cast<uint32_t>(GetLE(std::string(data.rbegin(), data.rend())));
  return true;
}

bool TRegKey::ReadQWord(std::string_view path, uint64_t& value) {
  std::string data;
  if (!QueryValue(path, REG_QWORD, data) || data.size() != 8) return false;
  value = GetLE(data);
  return true;
}

int64_t TRegKey::ReadBinary(std::string_view path, std::string& bytes) {
  std::string data;
  if (!QueryValue(path, REG_BINARY, data)) return -1;
  bytes += data;
  return static_cast<int64_t>(data.size());
}

bool TRegKey::ValueExists(std::string_view path) {
  std::string_view keyPath, name;
  SplitValuePath(path, keyPath, name);
  const int64_t key = Resolve(keyPath, false);
  Statement get(db_, "SELECT 1 FROM vals WHERE key=? AND fold=?");
  return key >= 0 && get.Bind(1, key).Bind(2, Fold(name)).Row();
}

bool TRegKey::DeleteValue(std::string_view path) {
  std::string_view keyPath, name;
  SplitValuePath(path, keyPath, name);
  const int64_t key = Resolve(keyPath, false);
  if (key < 0) return true;
  Statement del(db_, "DELETE FROM vals WHERE key=? AND fold=?");
  return del.Bind(1, key).Bind(2, Fold(name)).Done();
}

bool TRegKey::DeleteKey(std::string_view path) {
  const int64_t key = Resolve(path, false);
  if (key < 0) return true;
  if (key == id_) return false;
  WriteScope scope(db_);
  Statement values(db_, "DELETE FROM vals WHERE key=?");
  Statement self(db_, "DELETE FROM keys WHERE id=? AND NOT EXISTS"
                      " (SELECT 1 FROM keys AS child WHERE child.parent=?)");
  return scope.Finish(scope.ok() && values.Bind(1, key).Done() &&
                      self.Bind(1, key).Bind(2, key).Done());
}

std::vector<std::string> TRegKey::EnumValueNames(std::string_view keyPath) {
  std::vector<std::string> names;
  const int64_t key = Resolve(keyPath, false);
  Statement list(db_, "SELECT name FROM vals WHERE key=? ORDER BY rowid");
  if (key >= 0 && list.Bind(1, key).ok()) {
    while (list.Row()) names.push_back(list.Text(0));
  }
  return names;
}

std::vector<std::string> TRegKey::EnumKeyNames(std::string_view keyPath) {
  std::vector<std::string> names;
  const int64_t key = Resolve(keyPath, false);
  Statement list(db_, "SELECT name FROM keys WHERE parent=? AND id<>parent ORDER BY id");
  if (key >= 0 && list.Bind(1, key).ok()) {
    while (list.Row()) names.push_back(list.Text(0));
  }
  return names;
}

}  // namespace winregcore
