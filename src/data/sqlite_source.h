#pragma once
// One read-only SQLite data file and its prepared statements. The file never changes while
// the program runs: it is opened immutable and read inside one read transaction, through
// memory-mapped pages. Each query shape is one Statement, prepared on its first use and
// reused with its numbers bound; a step that fails throws DataFault (data_fault.h).
#include "data_fault.h"
#include "schema.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace steam::data {

/// The SQLite URI ("file:...") of a file, percent-encoded.
std::string sqliteFileUri(const std::filesystem::path& file);

class SqliteSource {
public:
    /// Opens the file read-only. Returns null and fills error (naming the file) on failure.
    static std::unique_ptr<SqliteSource> open(Source source, const std::filesystem::path& file, std::string& error);
    ~SqliteSource();
    SqliteSource(const SqliteSource&) = delete;
    SqliteSource& operator=(const SqliteSource&) = delete;

    Source source() const { return m_source; }
    const std::filesystem::path& file() const { return m_file; }
    sqlite3* handle() const { return m_db; }

    /// Whether the file holds a table of this name. Throws DataFault when the schema cannot
    /// be read (a file that is no database, or a damaged one).
    bool hasTable(const std::string& table);

    /// Throws the DataFault of a failed SQLite call, with SQLite's own words for it.
    [[noreturn]] void fail(const std::string& what) const;

    /// The query shapes prepared on this file so far, in the order they were first used.
    const std::vector<std::string>& preparedShapes() const { return m_shapes; }

private:
    SqliteSource(Source source, sqlite3* db, std::filesystem::path file);

    Source m_source;
    friend class Statement;
    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    std::vector<std::string> m_shapes;
};

class Statement;

/// One run of a statement: its rows, one after the other. The statement is reset when the
/// run ends, so a statement serves one run at a time.
class StatementRun {
public:
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;
    ~StatementRun();

    /// Moves to the next row: true at a row, false past the last. Throws DataFault when the
    /// file fails.
    bool next();
    /// Column k (0-based) of the current row; NaN for NULL.
    double operator[](int k) const;
    /// Column k of the current row where it cannot be NULL (0 for NULL): for reading many rows.
    double number(int k) const;
    /// Columns 0 to N-1 of the current row. A row of SWATER or of a grid (schema.h) is read
    /// from its stored columns and given its internal energies.
    template <std::size_t N>
    std::array<double, N> row() const {
        std::array<double, N> values{};
        constexpr std::size_t stored = N == std::tuple_size_v<SatRow>    ? kSatColumns + 1
                                       : N == std::tuple_size_v<GridRow> ? kGridColumns + 1
                                                                         : N;
        for (std::size_t k = 0; k < stored; ++k) values[k] = (*this)[static_cast<int>(k)];
        if constexpr (N == std::tuple_size_v<SatRow> || N == std::tuple_size_v<GridRow>) addInternalEnergy(values);
        return values;
    }

private:
    friend class Statement;
    explicit StatementRun(Statement& statement) : m_statement(statement) {}
    Statement& m_statement;
};

/// A query shape of one source, with ?1, ?2, ... for its numbers.
class Statement {
public:
    Statement(SqliteSource& source, std::string sql) : m_source(&source), m_sql(std::move(sql)) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Binds the numbers to ?1, ?2, ... in order and starts a run. A whole number is bound as
    /// an integer, any other as a double.
    template <typename... Numbers>
    StatementRun run(Numbers... numbers) {
        start();
        int index = 0;
        (bind(++index, numbers), ...);
        return StatementRun(*this);
    }

    /// The first row of a run, if any; the rest are not read.
    template <std::size_t N, typename... Numbers>
    bool first(std::array<double, N>& row, Numbers... numbers) {
        StatementRun rows = run(numbers...);
        if (!rows.next()) return false;
        row = rows.template row<N>();
        return true;
    }

private:
    friend class StatementRun;
    void start();
    void bind(int index, double value);
    void bind(int index, std::int64_t value);
    void bind(int index, int value) { bind(index, static_cast<std::int64_t>(value)); }
    void finish();

    SqliteSource* m_source;
    std::string m_sql;
    sqlite3_stmt* m_prepared = nullptr;
    bool m_running = false;
};

}  // namespace steam::data
