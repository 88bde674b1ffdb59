#include "sqlite_writer.h"

#include <sqlite3.h>

#include <cmath>
#include <stdexcept>

namespace tables {
namespace {

void check(int rc, sqlite3* db, const std::string& what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(what + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

void exec(sqlite3* db, const std::string& sql) {
    check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db, sql);
}

bool isInteger(const TableLayout& layout, const std::string& column) {
    for (const auto& c : layout.integerColumns)
        if (c == column) return true;
    return false;
}

void fillTable(sqlite3* db, const TableLayout& layout, const std::vector<std::vector<double>>& rows) {
    const bool clustered = !layout.clusterKey.empty();
    std::string create =
        "CREATE TABLE " + layout.table + (clustered ? " (n INTEGER NOT NULL" : " (n INTEGER PRIMARY KEY");
    std::string insert = "INSERT INTO " + layout.table + " VALUES (?";
    for (const auto& c : layout.columns) {
        create += ", " + c + (isInteger(layout, c) ? " INTEGER" : " REAL");
        insert += ", ?";
    }
    if (clustered) {
        std::string key;
        for (const auto& c : layout.clusterKey) key += (key.empty() ? "" : ", ") + c;
        create += ", PRIMARY KEY (" + key + ")) WITHOUT ROWID";
    } else {
        create += ")";
    }
    exec(db, create);
    insert += ")";
    exec(db, "BEGIN");
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, insert.c_str(), -1, &statement, nullptr), db, insert);
    int64_t n = 0;
    for (const auto& row : rows) {
        if (row.size() != layout.columns.size()) throw std::runtime_error("row width differs from " + layout.table);
        sqlite3_bind_int64(statement, 1, ++n);
        for (size_t i = 0; i < row.size(); ++i) {
            if (!std::isfinite(row[i])) throw std::runtime_error("non-finite value in " + layout.table);
            if (isInteger(layout, layout.columns[i]))
                sqlite3_bind_int64(statement, static_cast<int>(i) + 2, static_cast<int64_t>(row[i]));
            else
                sqlite3_bind_double(statement, static_cast<int>(i) + 2, row[i]);
        }
        check(sqlite3_step(statement), db, "insert into " + layout.table);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    exec(db, "COMMIT");
    int k = 0;
    for (const auto& index : layout.indexes) {
        std::string cols;
        for (const auto& c : index) cols += (cols.empty() ? "" : ", ") + c;
        exec(db,
             "CREATE INDEX " + layout.table + "_i" + std::to_string(++k) + " ON " + layout.table + " (" + cols + ")");
    }
}

// Fills the file under a temporary name and renames it when complete.
template <typename Fill>
void writeFile(const std::filesystem::path& file, Fill fill) {
    const std::filesystem::path temporary = file.string() + ".tmp";
    std::filesystem::remove(temporary);
    sqlite3* db = nullptr;
    check(sqlite3_open(temporary.c_str(), &db), db, "open " + temporary.string());
    try {
        exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA page_size=4096;");
        fill(db);
        exec(db, "ANALYZE");
    } catch (...) {
        sqlite3_close(db);
        std::filesystem::remove(temporary);
        throw;
    }
    check(sqlite3_close(db), nullptr, "close " + temporary.string());
    std::filesystem::rename(temporary, file);
}

}  // namespace

void writeTable(const std::filesystem::path& file, const TableLayout& layout,
                const std::vector<std::vector<double>>& rows) {
    writeFile(file, [&](sqlite3* db) { fillTable(db, layout, rows); });
}

void writeTables(const std::filesystem::path& file, const std::vector<TableContent>& tables) {
    writeFile(file, [&](sqlite3* db) {
        for (const TableContent& t : tables) fillTable(db, t.layout, t.rows);
    });
}

}  // namespace tables
