#pragma once
// An open query result with a current row. A fresh RowSet is unopened; Open runs a query
// text on a data source and positions on the first row (or at the end when there is none).
// Dynamic results read rows as they are walked; a static result can count its rows and
// jump to any row. A static result over a whole table reads a row only when it is made
// current (by row number); any other static result reads all its rows at once. A dynamic
// result of at most one row from a text without numbers is remembered by its source and
// served from memory when the text comes again.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace steam::data {

class PropertyDatabase;
class SqliteSource;

enum class CursorType { Dynamic, Static };

class RowSet {
public:
    RowSet() = default;
    ~RowSet();
    RowSet(RowSet&& other) noexcept;
    RowSet& operator=(RowSet&& other) noexcept;
    RowSet(const RowSet&) = delete;
    RowSet& operator=(const RowSet&) = delete;

    /// Runs the query text on the source that the connection text names. Returns false
    /// (and leaves the set closed, error filled) when the source or the text is unknown.
    bool Open(const PropertyDatabase& db, std::string_view connectionText, std::string_view query,
              CursorType cursor = CursorType::Dynamic, std::string* error = nullptr);
    void Close();

    bool isOpen() const { return m_open; }
    /// True when there is no current row (empty result, past the last row, or not open).
    bool isEOF() const { return !m_open || m_eof; }

    /// Value at a 0-based column position of the current row; NaN for NULL or no row.
    double Fields(int position) const;
    double Fields(std::string_view columnName) const;
    bool isNull(int position) const;
    int columnCount() const { return m_names ? static_cast<int>(m_names->size()) : 0; }

    void MoveFirst();
    void MoveNext();
    /// Number of rows; static results only (-1 otherwise).
    long RecordCount() const;
    /// Makes the 1-based row current; static results only.
    void setAbsolutePosition(long position);

    /// A result of its own holding only the current row (a static result of one row, or an
    /// unopened set when there is no current row), so that one query's rows can be handed
    /// to different result slots.
    RowSet copyOfCurrentRow() const;

private:
    void readCurrent();
    void stepDynamic();
    void releaseStatement();
    bool serveRemembered(const std::string& key);
    void rememberIfShort(const std::string& key);
    void showBuffered(long position);
    bool openWholeTable(const std::string& table);
    void readRowNumber(long position);

    SqliteSource* m_source = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::string m_shape;
    std::vector<double> m_numbers;  // bound again on MoveFirst
    std::shared_ptr<const std::vector<std::string>> m_names;
    std::vector<double> m_row;
    std::vector<std::vector<double>> m_all;  // static and remembered results
    long m_position = 0;  // 0-based row of a static result (index into m_all unless on demand)
    long m_count = 0;     // rows of a static result
    bool m_static = false;
    bool m_onDemand = false;  // static over a whole table: rows read by row id
    long long m_firstRowId = 0;
    bool m_buffered = false;  // rows served from m_all: static or remembered
    bool m_pending = false;   // the statement holds a row read ahead but not yet shown
    bool m_open = false;
    bool m_eof = true;
};

/// The single value of an aggregate query (position 0 of its one row); false when the query
/// fails or yields no value (null, or not a finite number).
bool singleValue(const PropertyDatabase& db, std::string_view connectionText, std::string_view query, double& value);

}  // namespace steam::data
