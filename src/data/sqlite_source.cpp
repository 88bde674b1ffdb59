#include "sqlite_source.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <stdexcept>

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

std::unique_ptr<SqliteSource> SqliteSource::open(Source source, const std::filesystem::path& file, std::string& error) {
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
    const int rc =
        sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error = "数据文件无法打开: " + file.string() + " (" + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ")";
        sqlite3_close(db);
        return nullptr;
    }
    // Pages are read through a memory map instead of being copied per read, and one read
    // transaction stays open for the whole run instead of one per statement.
    sqlite3_exec(db, "PRAGMA mmap_size=268435456; PRAGMA cache_size=-65536; BEGIN", nullptr, nullptr, nullptr);
    return std::unique_ptr<SqliteSource>(new SqliteSource(source, db, file));
}

SqliteSource::SqliteSource(Source source, sqlite3* db, std::filesystem::path file)
    : m_source(source), m_db(db), m_file(std::move(file)) {}

SqliteSource::~SqliteSource() { sqlite3_close_v2(m_db); }

void SqliteSource::fail(const std::string& what) const {
    throw DataFault(m_source, m_file, what + ": " + sqlite3_errmsg(m_db));
}

bool SqliteSource::hasTable(const std::string& table) {
    // The name is text, bound as such (statements bind numbers only).
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(m_db, "select count(*) from sqlite_master where type = 'table' and name = ?1", -1, &s,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        fail("the list of tables cannot be read");
    }
    sqlite3_bind_text(s, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    const bool found = rc == SQLITE_ROW && sqlite3_column_int(s, 0) > 0;
    sqlite3_finalize(s);
    if (rc != SQLITE_ROW) fail("the list of tables cannot be read");
    return found;
}

Statement::~Statement() { sqlite3_finalize(m_prepared); }

void Statement::start() {
    if (m_running) throw std::logic_error("statement already running: " + m_sql);
    if (!m_prepared) {
        if (sqlite3_prepare_v3(m_source->handle(), m_sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_prepared,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_prepared);
            m_prepared = nullptr;
            m_source->fail("\"" + m_sql + "\" cannot be prepared");
        }
        m_source->m_shapes.push_back(m_sql);
    }
    m_running = true;
}

void Statement::bind(int index, double value) { sqlite3_bind_double(m_prepared, index, value); }

void Statement::bind(int index, std::int64_t value) { sqlite3_bind_int64(m_prepared, index, value); }

void Statement::finish() {
    sqlite3_reset(m_prepared);
    m_running = false;
}

StatementRun::~StatementRun() { m_statement.finish(); }

bool StatementRun::next() {
    const int rc = sqlite3_step(m_statement.m_prepared);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    m_statement.m_source->fail("reading \"" + m_statement.m_sql + "\" failed");
}

double StatementRun::number(int k) const { return sqlite3_column_double(m_statement.m_prepared, k); }

double StatementRun::operator[](int k) const {
    sqlite3_stmt* s = m_statement.m_prepared;
    // SQLite holds no NaN (it stores one as NULL), so NaN stands for NULL here.
    if (sqlite3_column_type(s, k) == SQLITE_NULL) return std::numeric_limits<double>::quiet_NaN();
    return sqlite3_column_double(s, k);
}

}  // namespace steam::data
