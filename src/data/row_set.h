#pragma once
// An open query result with a current row. A fresh RowSet is unopened; Open runs a query
// text on a data source and positions on the first row (or at the end when there is none).
// Dynamic results read rows as they are walked; a static result reads them all, so it can
// count them and jump to any row.
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
    int columnCount() const { return static_cast<int>(m_names.size()); }

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

    SqliteSource* m_source = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::string m_shape;
    std::vector<double> m_numbers;  // bound again on MoveFirst
    std::vector<std::string> m_names;
    std::vector<double> m_row;
    std::vector<uint8_t> m_null;
    std::vector<std::vector<double>> m_all;  // static results
    std::vector<std::vector<uint8_t>> m_allNull;
    long m_position = 0;  // 0-based index into m_all
    bool m_static = false;
    bool m_open = false;
    bool m_eof = true;
};

/// The single value of an aggregate query (position 0 of its one row); false when the query
/// fails or yields no value (null, or not a finite number).
bool singleValue(const PropertyDatabase& db, std::string_view connectionText, std::string_view query, double& value);

}  // namespace steam::data
