#pragma once
// One read-only SQLite data file with a pool of prepared statements per query shape, and a
// memory of the short results already read. The file never changes while the program runs:
// it is opened immutable, read inside one read transaction, through memory-mapped pages.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace steam::data {

/// The SQLite URI ("file:...") of a file, percent-encoded.
std::string sqliteFileUri(const std::filesystem::path& file);

class SqliteSource {
public:
    /// Opens the file read-only. Returns null and fills error (naming the file) on failure.
    static std::unique_ptr<SqliteSource> open(const std::filesystem::path& file, std::string& error);
    ~SqliteSource();
    SqliteSource(const SqliteSource&) = delete;
    SqliteSource& operator=(const SqliteSource&) = delete;

    /// A prepared statement of this shape that no open result is using; prepared on first need.
    /// Returns null and fills error when the shape does not compile.
    sqlite3_stmt* acquire(const std::string& shape, std::string& error);
    /// Gives a statement back to its pool (resets it, keeps it prepared).
    void release(sqlite3_stmt* statement);
    /// Column names of a statement's result, shared by every statement of its shape.
    using ColumnNames = std::shared_ptr<const std::vector<std::string>>;
    ColumnNames columnNames(sqlite3_stmt* statement);

    /// A result of at most one row, kept under the key of the query that gave it.
    struct RememberedResult {
        ColumnNames names;
        std::vector<double> row;  ///< empty when the query gave no row; NaN for NULL
    };
    /// The result remembered under key, or null.
    const RememberedResult* remembered(const std::string& key) const;
    void remember(const std::string& key, RememberedResult result);

    bool hasTable(const std::string& table);
    const std::filesystem::path& file() const { return m_file; }

private:
    explicit SqliteSource(sqlite3* db, std::filesystem::path file);

    struct Pool {
        std::vector<sqlite3_stmt*> free;
        std::vector<sqlite3_stmt*> all;
        ColumnNames names;
    };
    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    std::unordered_map<std::string, Pool> m_pools;
    std::unordered_map<sqlite3_stmt*, Pool*> m_owner;
    std::unordered_map<std::string, RememberedResult> m_remembered;
};

}  // namespace steam::data
