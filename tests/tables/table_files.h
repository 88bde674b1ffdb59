// Read-only access to the generated data files for whole-table checks (plain SQL, no query
// shapes), and the text helpers the checks share.
#pragma once

#include "data/property_database.h"
#include "numeric/number_text.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace steam::tables::test {

using Rows = std::vector<std::vector<double>>;

/// One generated data file, opened read-only beside the test executable.
class TableFile {
public:
    explicit TableFile(data::Source source) {
        const auto path = data::executableDirectory() / data::dataFileName(source);
        const std::string uri = "file:" + path.string() + "?immutable=1";
        if (sqlite3_open_v2(uri.c_str(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << "cannot open " << path << ": " << sqlite3_errmsg(m_db);
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~TableFile() { sqlite3_close(m_db); }
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    sqlite3* handle() const { return m_db; }

    /// Every row of a query, each column as a double (NULL as NaN).
    Rows rows(const std::string& sql) const {
        Rows out;
        if (!m_db) return out;
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
            return out;
        }
        const int columns = sqlite3_column_count(s);
        while (sqlite3_step(s) == SQLITE_ROW) {
            std::vector<double> row(columns);
            for (int c = 0; c < columns; ++c)
                row[c] = sqlite3_column_type(s, c) == SQLITE_NULL ? std::nan("") : sqlite3_column_double(s, c);
            out.push_back(std::move(row));
        }
        sqlite3_finalize(s);
        return out;
    }

    std::vector<double> column(const std::string& sql) const {
        std::vector<double> out;
        for (const auto& r : rows(sql)) out.push_back(r.at(0));
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

/// True when the shortest decimal text of the value reads back as the same double.
inline bool readsBackExactly(double value) {
    const std::string text = numeric::shortestText(value);
    double back = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
    return ec == std::errc() && ptr == text.data() + text.size() && back == value;
}

/// Significant digits of the shortest decimal text ("373.946" has 6, "0.00058" has 2).
inline int significantDigits(double value) {
    std::string text = numeric::shortestText(value);
    const size_t e = text.find_first_of("eE");
    if (e != std::string::npos) text.resize(e);
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 1;
    digits.erase(0, first);
    while (digits.size() > 1 && digits.back() == '0' && text.find('.') != std::string::npos) digits.pop_back();
    return static_cast<int>(digits.size());
}

}  // namespace steam::tables::test
