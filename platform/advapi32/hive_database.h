// The SQLite connection behind the hive, with the small statement and
// transaction helpers the registry operations are written with.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace layer {
namespace registry {

// The open hive of the current prefix (made, with a fresh machine's content, on
// first use), or nullptr when it cannot be opened.
sqlite3* HiveDatabase();
uint64_t HiveGeneration();

// The Win32 result for an SQLite result code.
LONG ErrorFromSqlite(int code);

class Statement {
public:
    explicit Statement(const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int64_t value);
    Statement& Bind(const std::string& text);
    Statement& BindBlob(const void* data, size_t size);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    int64_t Integer(int column) const;
    std::string Text(int column) const;
    const void* Blob(int column) const;
    size_t Bytes(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
    int next_ = 1;
    int prepareResult_;
};

// One transaction; rolled back unless committed. Writers take the write lock at
// the start so that two processes never deadlock upgrading a read.
class Transaction {
public:
    explicit Transaction(bool write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // ERROR_SUCCESS when the transaction could start.
    LONG status() const { return status_; }
    LONG Commit();

private:
    LONG status_;
    bool open_ = false;
};

}  // namespace registry
}  // namespace layer
