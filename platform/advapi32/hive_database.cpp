#include "platform/advapi32/hive_database.h"
#include "platform/kernel32/paths.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace layer {
namespace registry {
namespace {

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS keys ("
    "  id INTEGER PRIMARY KEY,"
    "  parent INTEGER NOT NULL,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  modified INTEGER NOT NULL DEFAULT 0,"
    "  UNIQUE (parent, name));"
    "CREATE TABLE IF NOT EXISTS vals ("
    "  key INTEGER NOT NULL,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  UNIQUE (key, name));";

// What a fresh Windows holds that the installer reads.
const char kFreshMachine[] =
    "INSERT INTO keys (id, parent, name) VALUES"
    "  (1, 0, 'HKEY_LOCAL_MACHINE'), (2, 0, 'HKEY_CURRENT_USER'), (3, 0, 'HKEY_USERS'),"
    "  (4, 1, 'Software'), (5, 4, 'Classes'), (6, 4, 'Microsoft'), (7, 6, 'Windows'),"
    "  (8, 7, 'CurrentVersion'), (9, 2, 'Software');"
    "INSERT INTO vals (key, name, type, data) VALUES"
    "  (8, 'ProgramFilesDir', 1, CAST('C:\\Program Files' || char(0) AS BLOB));";

struct Hive {
    sqlite3* db = nullptr;
    std::string path;
    pid_t owner = 0;
    uint64_t generation = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

// True while the open connection still serves the hive file at `path`: same
// process (a child after fork needs its own) and the file not removed or replaced.
bool StillCurrent(const Hive& hive, const std::string& path) {
    struct stat info;
    return hive.db && hive.path == path && hive.owner == getpid() && stat(path.c_str(), &info) == 0 &&
           info.st_dev == hive.device && info.st_ino == hive.inode;
}

Hive& CurrentHive() {
    static Hive hive;
    return hive;
}

bool Execute(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

constexpr int kBusyTimeoutMs = 30000;

// Switching to WAL takes a lock that SQLite does not wait for: a second process
// making the same fresh hive at this moment gets SQLITE_BUSY at once.
bool UseWriteAheadLog(sqlite3* db) {
    for (int waited = 0;; waited += 5) {
        int result = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (result == SQLITE_OK) return true;
        if ((result & 0xFF) != SQLITE_BUSY || waited >= kBusyTimeoutMs) return false;
        usleep(5000);
    }
}

bool Prepare(sqlite3* db) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (!UseWriteAheadLog(db) || !Execute(db, "PRAGMA synchronous=NORMAL")) return false;
    if (!Execute(db, "BEGIN IMMEDIATE")) return false;
    sqlite3_stmt* version = nullptr;
    bool fresh = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr) == SQLITE_OK &&
                 sqlite3_step(version) == SQLITE_ROW && sqlite3_column_int(version, 0) == 0;
    sqlite3_finalize(version);
    bool ok = !fresh || (Execute(db, kSchema) && Execute(db, kFreshMachine) && Execute(db, "PRAGMA user_version=1"));
    if (ok) return Execute(db, "COMMIT");
    Execute(db, "ROLLBACK");
    return false;
}

}  // namespace

sqlite3* HiveDatabase() {
    Hive& hive = CurrentHive();
    std::string path = PrefixFolder() + "/system.reg.db";
    if (StillCurrent(hive, path)) return hive.db;
    // A parent's connection is left alone in a child: closing it could disturb the parent.
    if (hive.db && hive.owner == getpid()) sqlite3_close(hive.db);
    hive = Hive{nullptr, path, getpid(), hive.generation + 1, 0, 0};
    sqlite3* db = nullptr;
    struct stat info;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK ||
        !Prepare(db) || stat(path.c_str(), &info) != 0) {
        sqlite3_close(db);
        return nullptr;
    }
    hive.db = db;
    hive.device = info.st_dev;
    hive.inode = info.st_ino;
    return db;
}

uint64_t HiveGeneration() {
    HiveDatabase();
    return CurrentHive().generation;
}

LONG ErrorFromSqlite(int code) {
    switch (code & 0xFF) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE: return ERROR_SUCCESS;
        case SQLITE_FULL: return ERROR_DISK_FULL;
        case SQLITE_NOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        case SQLITE_CANTOPEN: return ERROR_CANTOPEN;
        case SQLITE_READONLY:
        case SQLITE_IOERR: return ERROR_CANTWRITE;
        default: return ERROR_BADDB;
    }
}

Statement::Statement(const char* sql) {
    sqlite3* db = HiveDatabase();
    prepareResult_ = db ? sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) : SQLITE_CANTOPEN;
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::Bind(int64_t value) {
    sqlite3_bind_int64(statement_, next_++, value);
    return *this;
}

Statement& Statement::Bind(const std::string& text) {
    sqlite3_bind_text(statement_, next_++, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::BindBlob(const void* data, size_t size) {
    // A zero-length value is still a value: bind an empty blob, not NULL.
    sqlite3_bind_zeroblob(statement_, next_, 0);
    if (size) sqlite3_bind_blob64(statement_, next_, data, size, SQLITE_TRANSIENT);
    ++next_;
    return *this;
}

int Statement::Step() { return prepareResult_ != SQLITE_OK ? prepareResult_ : sqlite3_step(statement_); }

int64_t Statement::Integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string Statement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(statement_, column)) : "";
}

const void* Statement::Blob(int column) const { return sqlite3_column_blob(statement_, column); }

size_t Statement::Bytes(int column) const { return static_cast<size_t>(sqlite3_column_bytes(statement_, column)); }

Transaction::Transaction(bool write) {
    sqlite3* db = HiveDatabase();
    if (!db) {
        status_ = ERROR_CANTOPEN;
        return;
    }
    int result = sqlite3_exec(db, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
    status_ = ErrorFromSqlite(result);
    open_ = result == SQLITE_OK;
}

Transaction::~Transaction() {
    if (open_) sqlite3_exec(HiveDatabase(), "ROLLBACK", nullptr, nullptr, nullptr);
}

LONG Transaction::Commit() {
    int result = sqlite3_exec(HiveDatabase(), "COMMIT", nullptr, nullptr, nullptr);
    open_ = result != SQLITE_OK;
    return ErrorFromSqlite(result);
}

}  // namespace registry
}  // namespace layer
