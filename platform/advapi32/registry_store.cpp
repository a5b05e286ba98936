#include "platform/advapi32/registry_store.h"
#include "platform/advapi32/hive_database.h"

#include <sqlite3.h>
#include <ctime>

namespace layer {
namespace registry {
namespace {

constexpr size_t kMaxKeyNameLength = 255;

// Splits a key path at backslashes; a leading backslash is refused as on Windows.
LONG SplitPath(const std::string& path, std::vector<std::string>* names) {
    if (!path.empty() && path[0] == '\\') return ERROR_BAD_PATHNAME;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end - start > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
        if (end > start) names->push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

LONG FindChild(KeyId parent, const std::string& name, KeyId* child) {
    Statement find("SELECT id FROM keys WHERE parent = ? AND name = ?");
    int result = find.Bind(parent).Bind(name).Step();
    if (result == SQLITE_ROW) {
        *child = find.Integer(0);
        return ERROR_SUCCESS;
    }
    return result == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : ErrorFromSqlite(result);
}

LONG Walk(KeyId parent, const std::vector<std::string>& names, KeyId* key) {
    if (!KeyExists(parent)) return ERROR_KEY_DELETED;
    for (const std::string& name : names) {
        LONG result = FindChild(parent, name, &parent);
        if (result != ERROR_SUCCESS) return result;
    }
    *key = parent;
    return ERROR_SUCCESS;
}

LONG Touch(KeyId key) {
    Statement touch("UPDATE keys SET modified = ? WHERE id = ?");
    return ErrorFromSqlite(touch.Bind(Now()).Bind(key).Step());
}

void ValueFromRow(const Statement& row, Value* value) {
    value->name = row.Text(0);
    value->type = static_cast<DWORD>(row.Integer(1));
    const BYTE* data = static_cast<const BYTE*>(row.Blob(2));
    value->data.assign(data, data + row.Bytes(2));
}

// A value lookup that tells a missing value from a key deleted meanwhile.
LONG MissingValueError(KeyId key) { return KeyExists(key) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED; }

}  // namespace

bool KeyExists(KeyId key) {
    Statement find("SELECT 1 FROM keys WHERE id = ?");
    return find.Bind(key).Step() == SQLITE_ROW;
}

LONG RootKey(HKEY predefined, KeyId* key) {
    const char* root = nullptr;
    std::vector<std::string> below;
    if (predefined == HKEY_LOCAL_MACHINE) root = "HKEY_LOCAL_MACHINE";
    if (predefined == HKEY_CURRENT_USER) root = "HKEY_CURRENT_USER";
    if (predefined == HKEY_USERS) root = "HKEY_USERS";
    if (predefined == HKEY_CLASSES_ROOT) {
        root = "HKEY_LOCAL_MACHINE";
        below = {"Software", "Classes"};
    }
    if (!root) return ERROR_INVALID_HANDLE;
    Transaction read(false);
    if (read.status() != ERROR_SUCCESS) return read.status();
    LONG result = FindChild(0, root, key);
    return result == ERROR_SUCCESS ? Walk(*key, below, key) : result;
}

LONG OpenSubKey(KeyId parent, const std::string& path, KeyId* key) {
    std::vector<std::string> names;
    LONG result = SplitPath(path, &names);
    if (result != ERROR_SUCCESS) return result;
    Transaction read(false);
    if (read.status() != ERROR_SUCCESS) return read.status();
    return Walk(parent, names, key);
}

LONG CreateSubKey(KeyId parent, const std::string& path, KeyId* key, bool* created) {
    std::vector<std::string> names;
    LONG result = SplitPath(path, &names);
    if (result != ERROR_SUCCESS) return result;
    Transaction write(true);
    if (write.status() != ERROR_SUCCESS) return write.status();
    if (!KeyExists(parent)) return ERROR_KEY_DELETED;
    *created = false;
    for (const std::string& name : names) {
        result = FindChild(parent, name, &parent);
        if (result == ERROR_FILE_NOT_FOUND) {
            Statement insert("INSERT INTO keys (parent, name, modified) VALUES (?, ?, ?)");
            result = ErrorFromSqlite(insert.Bind(parent).Bind(name).Bind(Now()).Step());
            parent = sqlite3_last_insert_rowid(HiveDatabase());
            *created = true;
        }
        if (result != ERROR_SUCCESS) return result;
    }
    result = write.Commit();
    if (result == ERROR_SUCCESS) *key = parent;
    return result;
}

LONG DeleteSubKey(KeyId parent, const std::string& path) {
    std::vector<std::string> names;
    LONG result = SplitPath(path, &names);
    if (result != ERROR_SUCCESS) return result;
    Transaction write(true);
    if (write.status() != ERROR_SUCCESS) return write.status();
    KeyId key;
    result = Walk(parent, names, &key);
    if (result != ERROR_SUCCESS) return result;
    Statement parentOf("SELECT parent FROM keys WHERE id = ?");
    if (parentOf.Bind(key).Step() != SQLITE_ROW || parentOf.Integer(0) == 0) return ERROR_ACCESS_DENIED;
    Statement children("SELECT 1 FROM keys WHERE parent = ? LIMIT 1");
    if (children.Bind(key).Step() == SQLITE_ROW) return ERROR_ACCESS_DENIED;
    Statement values("DELETE FROM vals WHERE key = ?");
    Statement self("DELETE FROM keys WHERE id = ?");
    result = ErrorFromSqlite(values.Bind(key).Step());
    if (result == ERROR_SUCCESS) result = ErrorFromSqlite(self.Bind(key).Step());
    return result == ERROR_SUCCESS ? write.Commit() : result;
}

LONG ReadValue(KeyId key, const std::string& name, Value* value) {
    Transaction read(false);
    if (read.status() != ERROR_SUCCESS) return read.status();
    Statement find("SELECT name, type, data FROM vals WHERE key = ? AND name = ?");
    int result = find.Bind(key).Bind(name).Step();
    if (result == SQLITE_DONE) return MissingValueError(key);
    if (result != SQLITE_ROW) return ErrorFromSqlite(result);
    ValueFromRow(find, value);
    return ERROR_SUCCESS;
}

LONG WriteValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
    Transaction write(true);
    if (write.status() != ERROR_SUCCESS) return write.status();
    if (!KeyExists(key)) return ERROR_KEY_DELETED;
    // Replaced in place: the value keeps its place in enumeration and the name its first spelling.
    Statement upsert(
        "INSERT INTO vals (key, name, type, data) VALUES (?, ?, ?, ?)"
        " ON CONFLICT (key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    LONG result = ErrorFromSqlite(upsert.Bind(key).Bind(name).Bind(int64_t(type)).BindBlob(data, size).Step());
    if (result == ERROR_SUCCESS) result = Touch(key);
    return result == ERROR_SUCCESS ? write.Commit() : result;
}

LONG DeleteValue(KeyId key, const std::string& name) {
    Transaction write(true);
    if (write.status() != ERROR_SUCCESS) return write.status();
    Statement remove("DELETE FROM vals WHERE key = ? AND name = ?");
    LONG result = ErrorFromSqlite(remove.Bind(key).Bind(name).Step());
    if (result != ERROR_SUCCESS) return result;
    if (sqlite3_changes(HiveDatabase()) == 0) return MissingValueError(key);
    result = Touch(key);
    return result == ERROR_SUCCESS ? write.Commit() : result;
}

LONG EnumSubKey(KeyId key, DWORD index, std::string* name, int64_t* modified) {
    Transaction read(false);
    if (read.status() != ERROR_SUCCESS) return read.status();
    if (!KeyExists(key)) return ERROR_KEY_DELETED;
    Statement list("SELECT name, modified FROM keys WHERE parent = ? ORDER BY name LIMIT 1 OFFSET ?");
    int result = list.Bind(key).Bind(int64_t(index)).Step();
    if (result == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (result != SQLITE_ROW) return ErrorFromSqlite(result);
    *name = list.Text(0);
    *modified = list.Integer(1);
    return ERROR_SUCCESS;
}

LONG EnumValue(KeyId key, DWORD index, Value* value) {
    Transaction read(false);
    if (read.status() != ERROR_SUCCESS) return read.status();
    if (!KeyExists(key)) return ERROR_KEY_DELETED;
    Statement list("SELECT name, type, data FROM vals WHERE key = ? ORDER BY rowid LIMIT 1 OFFSET ?");
    int result = list.Bind(key).Bind(int64_t(index)).Step();
    if (result == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (result != SQLITE_ROW) return ErrorFromSqlite(result);
    ValueFromRow(list, value);
    return ERROR_SUCCESS;
}

}  // namespace registry
}  // namespace layer
