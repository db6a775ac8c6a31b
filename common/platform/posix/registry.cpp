// The registry kept in SQLite: one database file per hive in the store directory.
//
// A key is a row of `keys` (its parent's id, its name as written and its name folded
// for comparisons); the hive's root is the implicit id 0. A value is a row of
// `key_values`; rowids give the order values were first written in (an upsert keeps
// the row), AUTOINCREMENT ids give the order keys were created in and are never
// reused, so an open key whose row was deleted stays deleted. Names are kept as
// UTF-16LE blobs so that every name round-trips exactly.
//
// Connections are per thread (a connection is not shared across threads), cached by
// file path and reopened when the file behind the path changes, so an operation costs a
// stat and a few prepared statements. Every write runs in an IMMEDIATE transaction; the
// busy time-out lets threads and processes wait for each other.

#include "platform/registry.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/store.h"
#include "platform/win32_errors.h"
#include "system_error_codes.h"

namespace kx::platform {

namespace {

constexpr int kBusyTimeoutMilliseconds = 10000;
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kCachedConnectionsPerThread = 4;
constexpr int64_t kRootKeyId = 0;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  parent INTEGER NOT NULL,"
    "  name BLOB NOT NULL,"
    "  folded BLOB NOT NULL,"
    "  UNIQUE(parent, folded));"
    "CREATE TABLE IF NOT EXISTS key_values("
    "  key INTEGER NOT NULL,"
    "  name BLOB NOT NULL,"
    "  folded BLOB NOT NULL,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  UNIQUE(key, folded));";

enum StatementId : size_t {
  kFindSubKey,
  kKeyExists,
  kInsertKey,
  kQueryValue,
  kUpsertValue,
  kDeleteValue,
  kEnumValue,
  kEnumSubKey,
  kDeleteTreeValues,
  kDeleteTreeKeys,
  kBegin,
  kCommit,
  kRollback,
  kStatementCount,
};

constexpr std::array<const char*, kStatementCount> kStatementText = {
    "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2",
    "SELECT 1 FROM keys WHERE id = ?1",
    "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)",
    "SELECT type, data FROM key_values WHERE key = ?1 AND folded = ?2",
    "INSERT INTO key_values(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM key_values WHERE key = ?1 AND folded = ?2",
    "SELECT name, type, data FROM key_values WHERE key = ?1 ORDER BY rowid LIMIT 1 OFFSET ?2",
    "SELECT name FROM keys WHERE parent = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
    "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
    "  SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
    "DELETE FROM key_values WHERE key IN tree",
    "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL "
    "  SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "
    "DELETE FROM keys WHERE id IN tree",
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
};

// --- Names -----------------------------------------------------------------------

char16_t FoldCharacter(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  // Latin-1 small letters, except the division sign and y with diaeresis.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

std::string EncodeName(std::u16string_view name, bool fold) {
  std::string bytes;
  bytes.reserve(name.size() * 2);
  for (char16_t c : name) {
    const char16_t unit = fold ? FoldCharacter(c) : c;
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::u16string DecodeName(const void* blob, int size) {
  std::u16string name;
  const auto* bytes = static_cast<const uint8_t*>(blob);
  for (int index = 0; bytes != nullptr && index + 1 < size; index += 2) {
    name.push_back(static_cast<char16_t>(bytes[index] | (bytes[index + 1] << 8)));
  }
  return name;
}

// Splits a key path into its components. A leading backslash is not a relative path;
// empty components (doubled or trailing backslashes) are ignored.
uint32_t SplitKeyPath(const std::u16string& path, std::vector<std::u16string_view>* components) {
  if (!path.empty() && path.front() == u'\\') return kErrorBadPathname;
  const std::u16string_view view(path);
  size_t start = 0;
  while (start <= view.size()) {
    size_t end = view.find(u'\\', start);
    if (end == std::u16string_view::npos) end = view.size();
    if (end > start) {
      if (end - start > kMaxKeyNameLength) return kErrorInvalidParameter;
      components->push_back(view.substr(start, end - start));
    }
    start = end + 1;
  }
  return kErrorSuccess;
}

// --- SQLite ----------------------------------------------------------------------

uint32_t Win32ErrorFromSqlite(int result, sqlite3* db) {
  switch (result & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return kErrorSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return 170;  // ERROR_BUSY
    case SQLITE_NOMEM: return kErrorNotEnoughMemory;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return kErrorAccessDenied;
    case SQLITE_FULL: return 112;  // ERROR_DISK_FULL
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return kErrorBadDatabase;
    case SQLITE_TOOBIG: return kErrorInvalidParameter;
    case SQLITE_CANTOPEN: {
      const int systemError = db != nullptr ? sqlite3_system_errno(db) : 0;
      return systemError != 0 ? detail::Win32ErrorFromErrno(systemError) : kErrorAccessDenied;
    }
    default: return kErrorRegistryIoFailed;
  }
}

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

bool IdentifyFile(const std::string& path, FileIdentity* identity) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return false;
  *identity = {status.st_dev, status.st_ino};
  return true;
}

class Connection;

// A cached statement in use: reset and unbound when it goes out of scope.
class Statement {
 public:
  Statement(Connection& connection, StatementId id);
  ~Statement() {
    if (statement_ != nullptr) {
      sqlite3_reset(statement_);
      sqlite3_clear_bindings(statement_);
    }
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return statement_ != nullptr; }
  void Bind(int index, int64_t value) { sqlite3_bind_int64(statement_, index, value); }
  void BindBlob(int index, const void* data, size_t size) {
    // A null pointer would bind SQL NULL rather than an empty blob.
    static const char kEmpty = 0;
    sqlite3_bind_blob64(statement_, index, size == 0 ? &kEmpty : data, size, SQLITE_TRANSIENT);
  }
  void BindBlob(int index, const std::string& bytes) { BindBlob(index, bytes.data(), bytes.size()); }
  int Step() { return sqlite3_step(statement_); }
  int64_t ColumnInt(int column) const { return sqlite3_column_int64(statement_, column); }
  const void* ColumnBlob(int column) const { return sqlite3_column_blob(statement_, column); }
  int ColumnBytes(int column) const { return sqlite3_column_bytes(statement_, column); }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

class Connection {
 public:
  // A scratch store's file is written without syncs (see MarkScratchStore).
  static std::unique_ptr<Connection> Open(const std::string& path, bool scratch,
                                          uint32_t* error) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    int result = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    std::unique_ptr<Connection> connection(new Connection(path, db));
    if (result != SQLITE_OK) {
      *error = Win32ErrorFromSqlite(result, db);
      return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMilliseconds);
    result = connection->Initialise(scratch);
    if (result != SQLITE_OK) {
      *error = Win32ErrorFromSqlite(result, db);
      return nullptr;
    }
    if (!IdentifyFile(path, &connection->identity_)) {
      *error = detail::Win32ErrorFromErrno(errno);
      return nullptr;
    }
    return connection;
  }

  ~Connection() {
    for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& path() const { return path_; }
  const FileIdentity& identity() const { return identity_; }
  sqlite3* db() const { return db_; }

  sqlite3_stmt* Prepared(StatementId id) {
    if (statements_[id] == nullptr) {
      sqlite3_prepare_v3(db_, kStatementText[id], -1, SQLITE_PREPARE_PERSISTENT,
                         &statements_[id], nullptr);
    }
    return statements_[id];
  }

  uint32_t Error(int result) const { return Win32ErrorFromSqlite(result, db_); }

 private:
  Connection(std::string path, sqlite3* db) : path_(std::move(path)), db_(db) {}

  int Initialise(bool scratch) {
    // Switching to WAL briefly needs the database to itself; another connection doing
    // the same at the same moment can make it fail without waiting, so retry. A scratch
    // store turns syncs off before the switch, which would otherwise sync the new file.
    const char* const synchronous =
        scratch ? "PRAGMA synchronous=OFF" : "PRAGMA synchronous=NORMAL";
    int result = SQLITE_OK;
    for (int attempt = 0; attempt < 200; ++attempt) {
      if (scratch) result = sqlite3_exec(db_, synchronous, nullptr, nullptr, nullptr);
      if (result == SQLITE_OK) {
        result = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
      }
      if (result == SQLITE_OK) {
        result = sqlite3_exec(db_, synchronous, nullptr, nullptr, nullptr);
      }
      if (result == SQLITE_OK) {
        result = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (result == SQLITE_OK) {
          result = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
          if (result == SQLITE_OK) {
            result = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
          } else {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
          }
        }
      }
      if ((result & 0xFF) != SQLITE_BUSY && (result & 0xFF) != SQLITE_LOCKED) break;
      ::usleep(50 * 1000);
    }
    return result;
  }

  std::string path_;
  sqlite3* db_;
  FileIdentity identity_;
  std::array<sqlite3_stmt*, kStatementCount> statements_{};
};

Statement::Statement(Connection& connection, StatementId id)
    : statement_(connection.Prepared(id)) {}

// The calling thread's open connections, most recently used first.
class ConnectionCache {
 public:
  ~ConnectionCache() {
    // Connections inherited through fork belong to the parent; never touch them.
    if (owner_ != ::getpid()) {
      for (auto& connection : connections_) static_cast<void>(connection.release());
    }
  }

  Connection* Get(const std::string& path, bool scratch, uint32_t* error) {
    if (owner_ != ::getpid()) {
      for (auto& connection : connections_) static_cast<void>(connection.release());
      connections_.clear();
      owner_ = ::getpid();
    }
    for (size_t index = 0; index < connections_.size(); ++index) {
      if (connections_[index]->path() != path) continue;
      std::unique_ptr<Connection> found = std::move(connections_[index]);
      connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(index));
      // A store removed or replaced behind our back is opened afresh.
      FileIdentity identity;
      if (IdentifyFile(path, &identity) && identity == found->identity()) {
        connections_.insert(connections_.begin(), std::move(found));
        return connections_.front().get();
      }
      break;
    }
    std::unique_ptr<Connection> opened = Connection::Open(path, scratch, error);
    if (opened == nullptr) return nullptr;
    if (connections_.size() >= kCachedConnectionsPerThread) connections_.pop_back();
    connections_.insert(connections_.begin(), std::move(opened));
    return connections_.front().get();
  }

 private:
  pid_t owner_ = ::getpid();
  std::vector<std::unique_ptr<Connection>> connections_;
};

Connection* ConnectionFor(const std::string& path, uint32_t* error) {
  thread_local ConnectionCache cache;
  const std::string directory = path.substr(0, path.rfind('/'));
  return cache.Get(path, IsScratchStore(directory), error);
}

// An IMMEDIATE transaction, rolled back unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(Connection& connection) : connection_(connection) {
    Statement begin(connection_, kBegin);
    result_ = begin.ok() ? begin.Step() : sqlite3_errcode(connection_.db());
    active_ = result_ == SQLITE_DONE;
  }
  ~WriteTransaction() {
    if (active_) {
      Statement rollback(connection_, kRollback);
      if (rollback.ok()) rollback.Step();
    }
  }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  // The error that kept the transaction from starting.
  uint32_t StartError() const { return active_ ? kErrorSuccess : connection_.Error(result_); }

  uint32_t Commit() {
    Statement commit(connection_, kCommit);
    const int result = commit.ok() ? commit.Step() : sqlite3_errcode(connection_.db());
    if (result != SQLITE_DONE) return connection_.Error(result);
    active_ = false;
    return kErrorSuccess;
  }

 private:
  Connection& connection_;
  int result_ = SQLITE_OK;
  bool active_ = false;
};

// Runs a statement that returns no rows.
uint32_t Execute(Connection& connection, Statement& statement) {
  if (!statement.ok()) return connection.Error(sqlite3_errcode(connection.db()));
  const int result = statement.Step();
  return result == SQLITE_DONE ? kErrorSuccess : connection.Error(result);
}

// --- Keys ------------------------------------------------------------------------

uint32_t KeyExists(Connection& connection, int64_t id) {
  if (id == kRootKeyId) return kErrorSuccess;
  Statement statement(connection, kKeyExists);
  if (!statement.ok()) return connection.Error(sqlite3_errcode(connection.db()));
  statement.Bind(1, id);
  const int result = statement.Step();
  if (result == SQLITE_ROW) return kErrorSuccess;
  return result == SQLITE_DONE ? kErrorKeyDeleted : connection.Error(result);
}

// Finds the direct sub-key `name` of `parent`: kErrorFileNotFound when there is none.
uint32_t FindSubKey(Connection& connection, int64_t parent, std::u16string_view name,
                    int64_t* id) {
  Statement statement(connection, kFindSubKey);
  if (!statement.ok()) return connection.Error(sqlite3_errcode(connection.db()));
  statement.Bind(1, parent);
  statement.BindBlob(2, EncodeName(name, true));
  const int result = statement.Step();
  if (result == SQLITE_ROW) {
    *id = statement.ColumnInt(0);
    return kErrorSuccess;
  }
  return result == SQLITE_DONE ? kErrorFileNotFound : connection.Error(result);
}

uint32_t ResolvePath(Connection& connection, const std::vector<std::u16string_view>& components,
                     int64_t* id) {
  int64_t current = kRootKeyId;
  for (std::u16string_view component : components) {
    if (uint32_t error = FindSubKey(connection, current, component, &current)) return error;
  }
  *id = current;
  return kErrorSuccess;
}

uint32_t InsertKey(Connection& connection, int64_t parent, std::u16string_view name,
                   int64_t* id) {
  Statement statement(connection, kInsertKey);
  statement.Bind(1, parent);
  statement.BindBlob(2, EncodeName(name, false));
  statement.BindBlob(3, EncodeName(name, true));
  if (uint32_t error = Execute(connection, statement)) return error;
  *id = sqlite3_last_insert_rowid(connection.db());
  return kErrorSuccess;
}

class SqliteRegistryKey final : public RegistryKey {
 public:
  SqliteRegistryKey(std::string file, int64_t id) : file_(std::move(file)), id_(id) {}

  uint32_t QueryValue(const std::u16string& name, uint32_t* type, uint8_t* data,
                      uint32_t* size) const override {
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    uint32_t error = kErrorSuccess;
    Connection* connection = ConnectionFor(file_, &error);
    if (connection == nullptr) return error;
    if ((error = KeyExists(*connection, id_))) return error;
    Statement statement(*connection, kQueryValue);
    if (!statement.ok()) return connection->Error(sqlite3_errcode(connection->db()));
    statement.Bind(1, id_);
    statement.BindBlob(2, EncodeName(name, true));
    const int result = statement.Step();
    if (result == SQLITE_DONE) return kErrorFileNotFound;
    if (result != SQLITE_ROW) return connection->Error(result);
    const auto valueSize = static_cast<uint32_t>(statement.ColumnBytes(1));
    if (type != nullptr) *type = static_cast<uint32_t>(statement.ColumnInt(0));
    if (data != nullptr) {
      if (*size < valueSize) {
        *size = valueSize;
        return kErrorMoreData;
      }
      if (valueSize > 0) std::memcpy(data, statement.ColumnBlob(1), valueSize);
    }
    if (size != nullptr) *size = valueSize;
    return kErrorSuccess;
  }

  uint32_t SetValue(const std::u16string& name, uint32_t type, const uint8_t* data,
                    uint32_t size) override {
    if (data == nullptr && size > 0) return kErrorInvalidParameter;
    if (name.size() > kMaxValueNameLength) return kErrorInvalidParameter;
    uint32_t error = kErrorSuccess;
    Connection* connection = ConnectionFor(file_, &error);
    if (connection == nullptr) return error;
    WriteTransaction transaction(*connection);
    if ((error = transaction.StartError())) return error;
    if ((error = KeyExists(*connection, id_))) return error;
    Statement statement(*connection, kUpsertValue);
    statement.Bind(1, id_);
    statement.BindBlob(2, EncodeName(name, false));
    statement.BindBlob(3, EncodeName(name, true));
    statement.Bind(4, type);
    statement.BindBlob(5, data, size);
    if ((error = Execute(*connection, statement))) return error;
    return transaction.Commit();
  }

  uint32_t DeleteValue(const std::u16string& name) override {
    uint32_t error = kErrorSuccess;
    Connection* connection = ConnectionFor(file_, &error);
    if (connection == nullptr) return error;
    WriteTransaction transaction(*connection);
    if ((error = transaction.StartError())) return error;
    if ((error = KeyExists(*connection, id_))) return error;
    Statement statement(*connection, kDeleteValue);
    statement.Bind(1, id_);
    statement.BindBlob(2, EncodeName(name, true));
    if ((error = Execute(*connection, statement))) return error;
    if (sqlite3_changes(connection->db()) == 0) return kErrorFileNotFound;
    return transaction.Commit();
  }

  uint32_t EnumValue(uint32_t index, RegistryValue* value) const override {
    if (value == nullptr) return kErrorInvalidParameter;
    uint32_t error = kErrorSuccess;
    Connection* connection = ConnectionFor(file_, &error);
    if (connection == nullptr) return error;
    if ((error = KeyExists(*connection, id_))) return error;
    Statement statement(*connection, kEnumValue);
    if (!statement.ok()) return connection->Error(sqlite3_errcode(connection->db()));
    statement.Bind(1, id_);
    statement.Bind(2, index);
    const int result = statement.Step();
    if (result == SQLITE_DONE) return kErrorNoMoreItems;
    if (result != SQLITE_ROW) return connection->Error(result);
    value->name = DecodeName(statement.ColumnBlob(0), statement.ColumnBytes(0));
    value->type = static_cast<uint32_t>(statement.ColumnInt(1));
    const auto* bytes = static_cast<const uint8_t*>(statement.ColumnBlob(2));
    value->data.assign(bytes, bytes + (bytes != nullptr ? statement.ColumnBytes(2) : 0));
    return kErrorSuccess;
  }

  uint32_t EnumSubKey(uint32_t index, std::u16string* name) const override {
    if (name == nullptr) return kErrorInvalidParameter;
    uint32_t error = kErrorSuccess;
    Connection* connection = ConnectionFor(file_, &error);
    if (connection == nullptr) return error;
    if ((error = KeyExists(*connection, id_))) return error;
    Statement statement(*connection, kEnumSubKey);
    if (!statement.ok()) return connection->Error(sqlite3_errcode(connection->db()));
    statement.Bind(1, id_);
    statement.Bind(2, index);
    const int result = statement.Step();
    if (result == SQLITE_DONE) return kErrorNoMoreItems;
    if (result != SQLITE_ROW) return connection->Error(result);
    *name = DecodeName(statement.ColumnBlob(0), statement.ColumnBytes(0));
    return kErrorSuccess;
  }

 private:
  std::string file_;
  int64_t id_;
};

std::string HiveFile(Hive hive) {
  return StoreDirectory() + (hive == Hive::kLocalMachine ? "/machine.sqlite" : "/user.sqlite");
}

}  // namespace

uint32_t OpenRegistryKey(Hive hive, const std::u16string& path,
                         std::unique_ptr<RegistryKey>* key) {
  if (key == nullptr) return kErrorInvalidParameter;
  std::vector<std::u16string_view> components;
  if (uint32_t error = SplitKeyPath(path, &components)) return error;
  const std::string file = HiveFile(hive);
  uint32_t error = kErrorSuccess;
  Connection* connection = ConnectionFor(file, &error);
  if (connection == nullptr) return error;
  int64_t id = kRootKeyId;
  if ((error = ResolvePath(*connection, components, &id))) return error;
  *key = std::make_unique<SqliteRegistryKey>(file, id);
  return kErrorSuccess;
}

uint32_t CreateRegistryKey(Hive hive, const std::u16string& path,
                           std::unique_ptr<RegistryKey>* key, bool* created) {
  if (key == nullptr) return kErrorInvalidParameter;
  std::vector<std::u16string_view> components;
  if (uint32_t error = SplitKeyPath(path, &components)) return error;
  const std::string file = HiveFile(hive);
  uint32_t error = kErrorSuccess;
  Connection* connection = ConnectionFor(file, &error);
  if (connection == nullptr) return error;
  WriteTransaction transaction(*connection);
  if ((error = transaction.StartError())) return error;
  int64_t id = kRootKeyId;
  bool isNew = false;
  for (std::u16string_view component : components) {
    error = isNew ? kErrorFileNotFound : FindSubKey(*connection, id, component, &id);
    if (error == kErrorFileNotFound) {
      error = InsertKey(*connection, id, component, &id);
      isNew = true;
    }
    if (error) return error;
  }
  if ((error = transaction.Commit())) return error;
  *key = std::make_unique<SqliteRegistryKey>(file, id);
  if (created != nullptr) *created = isNew;
  return kErrorSuccess;
}

uint32_t DeleteRegistryTree(Hive hive, const std::u16string& path) {
  std::vector<std::u16string_view> components;
  if (uint32_t error = SplitKeyPath(path, &components)) return error;
  // The hive's root cannot be deleted.
  if (components.empty()) return kErrorInvalidParameter;
  uint32_t error = kErrorSuccess;
  Connection* connection = ConnectionFor(HiveFile(hive), &error);
  if (connection == nullptr) return error;
  WriteTransaction transaction(*connection);
  if ((error = transaction.StartError())) return error;
  int64_t id = kRootKeyId;
  if ((error = ResolvePath(*connection, components, &id))) return error;
  for (StatementId statementId : {kDeleteTreeValues, kDeleteTreeKeys}) {
    Statement statement(*connection, statementId);
    statement.Bind(1, id);
    if ((error = Execute(*connection, statement))) return error;
  }
  return transaction.Commit();
}

}  // namespace kx::platform
