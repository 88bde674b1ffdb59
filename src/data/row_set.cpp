#include "row_set.h"

#include "property_database.h"
#include "query_text.h"
#include "sqlite_source.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

namespace steam::data {
namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The table of a query text "select * from T" (one blank apart, nothing after), else "".
std::string wholeTable(const std::string& shape) {
    static const std::string kHead = "select * from ";
    if (shape.rfind(kHead, 0) != 0 || shape.size() == kHead.size()) return {};
    const std::string table = shape.substr(kHead.size());
    for (char c : table)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return {};
    return table;
}

}  // namespace

RowSet::~RowSet() { Close(); }

RowSet::RowSet(RowSet&& other) noexcept { *this = std::move(other); }

RowSet& RowSet::operator=(RowSet&& other) noexcept {
    if (this != &other) {
        Close();
        m_source = std::exchange(other.m_source, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
        m_numbers = std::move(other.m_numbers);
        m_shape = std::move(other.m_shape);
        m_names = std::move(other.m_names);
        m_row = std::move(other.m_row);
        m_all = std::move(other.m_all);
        m_position = other.m_position;
        m_count = other.m_count;
        m_static = other.m_static;
        m_onDemand = other.m_onDemand;
        m_firstRowId = other.m_firstRowId;
        m_buffered = other.m_buffered;
        m_pending = other.m_pending;
        m_open = std::exchange(other.m_open, false);
        m_eof = std::exchange(other.m_eof, true);
    }
    return *this;
}

bool RowSet::Open(const PropertyDatabase& db, std::string_view connectionText, std::string_view query,
                  CursorType cursor, std::string* error) {
    Close();
    std::string message;
    SqliteSource* source = db.sourceFor(connectionText);
    if (!source) {
        if (error) *error = "unknown data source: " + std::string(connectionText);
        return false;
    }
    ParsedQuery parsed = parseQuery(query);
    m_static = cursor == CursorType::Static;
    // A text without numbers (the range of a whole column) always finds the same.
    const bool constant = !m_static && parsed.numbers.empty();
    if (constant) {
        if (const auto* remembered = source->remembered(parsed.shape)) {
            m_source = source;
            m_names = remembered->names;
            m_all.clear();
            if (!remembered->row.empty()) m_all.push_back(remembered->row);
            m_buffered = true;
            m_open = true;
            showBuffered(0);
            return true;
        }
    }
    sqlite3_stmt* statement = source->acquire(parsed.shape, message);
    if (!statement) {
        if (error) *error = message;
        return false;
    }
    m_source = source;
    m_statement = statement;
    m_numbers = std::move(parsed.numbers);
    m_shape = std::move(parsed.shape);
    m_names = source->columnNames(statement);
    m_open = true;
    m_onDemand = false;
    if (m_static && openWholeTable(wholeTable(m_shape))) return true;
    for (size_t i = 0; i < m_numbers.size(); ++i)
        sqlite3_bind_double(m_statement, static_cast<int>(i) + 1, m_numbers[i]);
    stepDynamic();
    if (m_static) {
        // Read everything now; the statement goes back to its pool at once.
        m_all.clear();
        while (!m_eof) {
            m_all.push_back(m_row);
            stepDynamic();
        }
        releaseStatement();
        m_count = static_cast<long>(m_all.size());
        m_buffered = true;
        showBuffered(0);
        return true;
    }
    if (constant) rememberIfShort(m_shape);
    return true;
}

// Reads one row ahead: when the statement has nothing after the first row, the whole result
// is known and kept for the next time; otherwise the second row waits in the statement.
void RowSet::rememberIfShort(const std::string& key) {
    SqliteSource::RememberedResult result;
    result.names = m_names;
    if (!m_eof) {
        if (sqlite3_step(m_statement) == SQLITE_ROW) {
            m_pending = true;
            return;
        }
        releaseStatement();
        result.row = m_row;
    }
    m_source->remember(key, std::move(result));
}

void RowSet::showBuffered(long position) {
    m_position = position;
    m_eof = position < 0 || position >= static_cast<long>(m_all.size());
    if (m_eof) {
        m_position = static_cast<long>(m_all.size());
        return;
    }
    m_row = m_all[position];
}

// A table whose row ids run without gaps lists its rows in row-id order, so row number k
// is the row with id first + k - 1 and can be read alone. Otherwise false: read them all.
bool RowSet::openWholeTable(const std::string& table) {
    if (table.empty()) return false;
    // Three queries, each answered from the b-tree's structure; together in one they would
    // walk every row.
    const auto single = [&](const std::string& query, long long& value) {
        std::string error;
        sqlite3_stmt* statement = m_source->acquire(query, error);
        if (!statement) return false;
        const bool found = sqlite3_step(statement) == SQLITE_ROW;
        value = found ? sqlite3_column_int64(statement, 0) : 0;
        m_source->release(statement);
        return found;
    };
    long long rows = 0, first = 0, last = 0;
    if (!single("select count(*) from " + table, rows) || !single("select min(rowid) from " + table, first) ||
        !single("select max(rowid) from " + table, last))
        return false;
    if (rows < 0 || (rows > 0 && last - first + 1 != rows)) return false;
    std::string error;
    sqlite3_stmt* byId = m_source->acquire("select * from " + table + " where rowid = ?", error);
    if (!byId) return false;
    releaseStatement();
    m_statement = byId;
    m_shape = "select * from " + table + " where rowid = ?";
    m_onDemand = true;
    m_count = static_cast<long>(rows);
    m_firstRowId = first;
    readRowNumber(1);
    return true;
}

void RowSet::readRowNumber(long position) {
    if (position < 1 || position > m_count) {
        m_eof = true;
        m_position = m_count;
        return;
    }
    sqlite3_reset(m_statement);
    sqlite3_bind_int64(m_statement, 1, m_firstRowId + position - 1);
    m_eof = sqlite3_step(m_statement) != SQLITE_ROW;
    m_position = position - 1;
    if (!m_eof) readCurrent();
}

void RowSet::releaseStatement() {
    if (m_statement) m_source->release(m_statement);
    m_statement = nullptr;
}

void RowSet::Close() {
    releaseStatement();
    m_buffered = false;
    m_pending = false;
    m_onDemand = false;
    m_count = 0;
    m_source = nullptr;
    m_open = false;
    m_eof = true;
    m_all.clear();
    m_row.clear();
}

void RowSet::readCurrent() {
    const int columns = columnCount();
    m_row.resize(columns);
    for (int i = 0; i < columns; ++i) {
        // SQLite holds no NaN (it stores one as NULL), so NaN stands for NULL here.
        m_row[i] = sqlite3_column_type(m_statement, i) == SQLITE_NULL ? kNaN : sqlite3_column_double(m_statement, i);
    }
}

void RowSet::stepDynamic() {
    if (!m_statement) {
        m_eof = true;
        return;
    }
    if (sqlite3_step(m_statement) == SQLITE_ROW) {
        m_eof = false;
        readCurrent();
    } else {
        m_eof = true;
        releaseStatement();  // nothing more to read; the pool may reuse it
    }
}

void RowSet::MoveFirst() {
    if (!m_open) return;
    if (m_onDemand) {
        readRowNumber(1);
        return;
    }
    if (m_buffered) {
        showBuffered(0);
        return;
    }
    m_pending = false;
    if (!m_statement) {
        // The statement went back to its pool at the end of the rows; take one again.
        std::string error;
        m_statement = m_source->acquire(m_shape, error);
        if (!m_statement) {
            m_eof = true;
            return;
        }
    }
    sqlite3_reset(m_statement);
    for (size_t i = 0; i < m_numbers.size(); ++i)
        sqlite3_bind_double(m_statement, static_cast<int>(i) + 1, m_numbers[i]);
    stepDynamic();
}

void RowSet::MoveNext() {
    if (isEOF()) return;
    if (m_onDemand) {
        readRowNumber(m_position + 2);
        return;
    }
    if (m_buffered) {
        showBuffered(m_position + 1);
        return;
    }
    if (m_pending) {
        m_pending = false;
        readCurrent();
        return;
    }
    stepDynamic();
}

double RowSet::Fields(int position) const {
    if (isEOF() || position < 0 || position >= static_cast<int>(m_row.size())) return kNaN;
    return m_row[position];
}

double RowSet::Fields(std::string_view columnName) const {
    for (int i = 0; i < columnCount(); ++i)
        if ((*m_names)[i] == columnName) return Fields(i);
    return kNaN;
}

bool RowSet::isNull(int position) const {
    return std::isnan(Fields(position));
}

long RowSet::RecordCount() const { return m_open && m_static ? m_count : -1; }

void RowSet::setAbsolutePosition(long position) {
    if (!m_open || !m_static) return;
    if (m_onDemand) {
        readRowNumber(position);
        return;
    }
    showBuffered(position - 1);
}

RowSet RowSet::copyOfCurrentRow() const {
    RowSet copy;
    if (isEOF()) return copy;
    copy.m_names = m_names;
    copy.m_row = m_row;
    copy.m_all = {m_row};
    copy.m_count = 1;
    copy.m_position = 0;
    copy.m_static = true;
    copy.m_buffered = true;
    copy.m_open = true;
    copy.m_eof = false;
    return copy;
}

bool singleValue(const PropertyDatabase& db, std::string_view connectionText, std::string_view query, double& value) {
    RowSet rs;
    if (!rs.Open(db, connectionText, query) || rs.isEOF() || rs.isNull(0)) return false;
    value = rs.Fields(0);
    return std::isfinite(value);
}

}  // namespace steam::data
