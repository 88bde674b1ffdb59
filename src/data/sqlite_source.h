#pragma once
// One read-only SQLite data file with a pool of prepared statements per query shape.
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace steam::data {

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

    bool hasTable(const std::string& table);
    const std::filesystem::path& file() const { return m_file; }

private:
    explicit SqliteSource(sqlite3* db, std::filesystem::path file);

    struct Pool {
        std::vector<sqlite3_stmt*> free;
        std::vector<sqlite3_stmt*> all;
    };
    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    std::unordered_map<std::string, Pool> m_pools;
    std::unordered_map<sqlite3_stmt*, Pool*> m_owner;
};

}  // namespace steam::data
