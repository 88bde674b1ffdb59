#include "row_set.h"

#include "property_database.h"
#include "query_text.h"
#include "sqlite_source.h"

#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <utility>

namespace steam::data {
namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

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
        m_null = std::move(other.m_null);
        m_all = std::move(other.m_all);
        m_allNull = std::move(other.m_allNull);
        m_position = other.m_position;
        m_static = other.m_static;
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
    sqlite3_stmt* statement = source->acquire(parsed.shape, message);
    if (!statement) {
        if (error) *error = message;
        return false;
    }
    m_source = source;
    m_statement = statement;
    m_numbers = std::move(parsed.numbers);
    m_shape = std::move(parsed.shape);
    m_static = cursor == CursorType::Static;
    const int columns = sqlite3_column_count(statement);
    m_names.resize(columns);
    for (int i = 0; i < columns; ++i) m_names[i] = sqlite3_column_name(statement, i);
    m_open = true;
    for (size_t i = 0; i < m_numbers.size(); ++i)
        sqlite3_bind_double(m_statement, static_cast<int>(i) + 1, m_numbers[i]);
    stepDynamic();
    if (m_static) {
        // Read everything now; the statement goes back to its pool at once.
        m_all.clear();
        m_allNull.clear();
        while (!m_eof) {
            m_all.push_back(m_row);
            m_allNull.push_back(m_null);
            stepDynamic();
        }
        releaseStatement();
        m_position = 0;
        m_eof = m_all.empty();
        if (!m_eof) {
            m_row = m_all[0];
            m_null = m_allNull[0];
        }
    }
    return true;
}

void RowSet::releaseStatement() {
    if (m_statement) m_source->release(m_statement);
    m_statement = nullptr;
}

void RowSet::Close() {
    releaseStatement();
    m_source = nullptr;
    m_open = false;
    m_eof = true;
    m_all.clear();
    m_allNull.clear();
    m_row.clear();
    m_null.clear();
}

void RowSet::readCurrent() {
    const int columns = static_cast<int>(m_names.size());
    m_row.resize(columns);
    m_null.resize(columns);
    for (int i = 0; i < columns; ++i) {
        const bool null = sqlite3_column_type(m_statement, i) == SQLITE_NULL;
        m_null[i] = null;
        m_row[i] = null ? kNaN : sqlite3_column_double(m_statement, i);
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
    if (m_static) {
        m_position = 0;
        m_eof = m_all.empty();
        if (!m_eof) {
            m_row = m_all[0];
            m_null = m_allNull[0];
        }
        return;
    }
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
    if (m_static) {
        setAbsolutePosition(m_position + 2);
        return;
    }
    stepDynamic();
}

double RowSet::Fields(int position) const {
    if (isEOF() || position < 0 || position >= static_cast<int>(m_row.size())) return kNaN;
    return m_row[position];
}

double RowSet::Fields(std::string_view columnName) const {
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == columnName) return Fields(static_cast<int>(i));
    return kNaN;
}

bool RowSet::isNull(int position) const {
    if (isEOF() || position < 0 || position >= static_cast<int>(m_null.size())) return true;
    return m_null[position] != 0;
}

long RowSet::RecordCount() const { return m_open && m_static ? static_cast<long>(m_all.size()) : -1; }

void RowSet::setAbsolutePosition(long position) {
    if (!m_open || !m_static) return;
    if (position < 1 || position > static_cast<long>(m_all.size())) {
        m_eof = true;
        m_position = static_cast<long>(m_all.size());
        return;
    }
    m_position = position - 1;
    m_row = m_all[m_position];
    m_null = m_allNull[m_position];
    m_eof = false;
}

RowSet RowSet::copyOfCurrentRow() const {
    RowSet copy;
    if (isEOF()) return copy;
    copy.m_names = m_names;
    copy.m_row = m_row;
    copy.m_null = m_null;
    copy.m_all = {m_row};
    copy.m_allNull = {m_null};
    copy.m_static = true;
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
