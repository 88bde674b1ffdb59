#include "sqlite_source.h"

#include <sqlite3.h>

#include <cctype>
#include <fstream>

namespace steam::data {

std::string sqliteFileUri(const std::filesystem::path& file) {
    // Every byte but letters, digits, "-._~" and "/" is percent-encoded, so that "#", "%",
    // "?" and blanks in a folder name stay part of the path.
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string path = file.string();
    std::string uri = file.is_absolute() ? "file://" : "file:";
    for (const unsigned char c : path) {
        const bool plain = std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain && c < 0x80) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

std::unique_ptr<SqliteSource> SqliteSource::open(const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "数据文件不存在: " + file.string();
        return nullptr;
    }
    if (!std::ifstream(file, std::ios::binary).good()) {
        error = "数据文件无法读取: " + file.string();
        return nullptr;
    }
    // The tables never change while the program runs, so SQLite may skip all locking.
    const std::string uri = sqliteFileUri(file) + "?immutable=1";
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        error = "数据文件无法打开: " + file.string() + " (" + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ")";
        sqlite3_close(db);
        return nullptr;
    }
    // Pages are read through a memory map instead of being copied per read, and one read
    // transaction stays open for the whole run instead of one per statement.
    sqlite3_exec(db, "PRAGMA mmap_size=268435456; PRAGMA cache_size=-65536; BEGIN", nullptr, nullptr, nullptr);
    return std::unique_ptr<SqliteSource>(new SqliteSource(db, file));
}

SqliteSource::SqliteSource(sqlite3* db, std::filesystem::path file) : m_db(db), m_file(std::move(file)) {}

SqliteSource::~SqliteSource() {
    for (auto& [shape, pool] : m_pools)
        for (sqlite3_stmt* s : pool.all) sqlite3_finalize(s);
    sqlite3_close(m_db);
}

sqlite3_stmt* SqliteSource::acquire(const std::string& shape, std::string& error) {
    Pool& pool = m_pools[shape];
    if (!pool.free.empty()) {
        sqlite3_stmt* s = pool.free.back();
        pool.free.pop_back();
        return s;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v3(m_db, shape.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK) {
        error = std::string(sqlite3_errmsg(m_db)) + " in \"" + shape + "\" (" + m_file.filename().string() + ")";
        sqlite3_finalize(s);
        return nullptr;
    }
    pool.all.push_back(s);
    m_owner[s] = &pool;
    return s;
}

SqliteSource::ColumnNames SqliteSource::columnNames(sqlite3_stmt* statement) {
    const auto it = m_owner.find(statement);
    if (it != m_owner.end() && it->second->names) return it->second->names;
    auto names = std::make_shared<std::vector<std::string>>();
    for (int i = 0; i < sqlite3_column_count(statement); ++i) names->emplace_back(sqlite3_column_name(statement, i));
    if (it != m_owner.end()) it->second->names = names;
    return names;
}

void SqliteSource::release(sqlite3_stmt* statement) {
    if (!statement) return;
    sqlite3_reset(statement);
    auto it = m_owner.find(statement);
    if (it != m_owner.end()) it->second->free.push_back(statement);
}

const SqliteSource::RememberedResult* SqliteSource::remembered(const std::string& key) const {
    const auto it = m_remembered.find(key);
    return it == m_remembered.end() ? nullptr : &it->second;
}

void SqliteSource::remember(const std::string& key, RememberedResult result) {
    m_remembered.emplace(key, std::move(result));
}

bool SqliteSource::hasTable(const std::string& table) {
    std::string error;
    sqlite3_stmt* s = acquire("select count(*) from sqlite_master where type='table' and name=?", error);
    if (!s) return false;
    sqlite3_bind_text(s, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    const bool found = sqlite3_step(s) == SQLITE_ROW && sqlite3_column_int(s, 0) > 0;
    release(s);
    return found;
}

}  // namespace steam::data
