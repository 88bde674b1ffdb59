#include "fixture_database.h"

#include "data/chart_tables.h"

#include <sqlite3.h>

#include <atomic>
#include <cmath>
#include <random>
#include <stdexcept>
#include <system_error>

namespace steam::testsupport {

namespace fs = std::filesystem;

TemporaryDirectory::TemporaryDirectory() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
        const fs::path candidate = base / ("steam-test-" + std::to_string(random()) + "-" + std::to_string(++counter));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_path = candidate;
            return;
        }
        if (ec) throw fs::filesystem_error("cannot create a temporary folder", candidate, ec);
    }
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

namespace {

const char* createStatement(data::Source source) {
    switch (source) {
        case data::Source::Swater:
            return "create table SWATER (n INTEGER PRIMARY KEY, ts REAL, ps REAL, v1 REAL, v11 REAL, h1 REAL, h11 "
                   "REAL, "
                   "s1 REAL, s11 REAL, wf INTEGER)";
        case data::Source::Water:
            return "create table WATER (n INTEGER PRIMARY KEY, t REAL, p REAL, v REAL, h REAL, s REAL)";
        case data::Source::Vapor:
            return "create table VAPOR (n INTEGER PRIMARY KEY, t REAL, p REAL, v REAL, h REAL, s REAL)";
        case data::Source::DengT: return "create table DengT (n INTEGER PRIMARY KEY, t REAL, h REAL, s REAL)";
        case data::Source::DengP: return "create table DengP (n INTEGER PRIMARY KEY, p REAL, h REAL, s REAL)";
        case data::Source::DengV: return "create table DengV (n INTEGER PRIMARY KEY, v REAL, h REAL, s REAL)";
        case data::Source::DengX: return "create table DengX (n INTEGER PRIMARY KEY, x REAL, h REAL, s REAL)";
        case data::Source::Charts: return "";  // one table per chart family, below
    }
    return "";
}

std::string createChartTable(const data::ChartTable& chart) {
    return std::string("create table ") + chart.table + " (n INTEGER PRIMARY KEY, " + chart.key + " REAL, " + chart.x +
           " REAL, " + chart.y + " REAL)";
}

bool isCurveTable(data::Source source) {
    return source == data::Source::DengT || source == data::Source::DengP || source == data::Source::DengV ||
           source == data::Source::DengX;
}

class Connection {
public:
    explicit Connection(const fs::path& file) {
        if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            m_error = message();
    }
    ~Connection() { sqlite3_close(m_db); }
    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    bool exec(const std::string& sql) {
        char* text = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &text) != SQLITE_OK) {
            m_error = text ? text : message();
            sqlite3_free(text);
            return false;
        }
        return true;
    }

    bool insert(const std::string& table, const std::vector<std::vector<double>>& rows) {
        if (rows.empty()) return true;
        std::string sql = "insert into " + table + " values (null";
        for (size_t i = 0; i < rows.front().size(); ++i) sql += ", ?";
        sql += ")";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            m_error = message();
            return false;
        }
        bool ok = true;
        for (const auto& row : rows) {
            sqlite3_reset(statement);
            for (size_t i = 0; i < row.size(); ++i) {
                const int index = static_cast<int>(i) + 1;
                if (std::isnan(row[i]))
                    sqlite3_bind_null(statement, index);
                else
                    sqlite3_bind_double(statement, index, row[i]);
            }
            if (sqlite3_step(statement) != SQLITE_DONE) {
                m_error = message();
                ok = false;
                break;
            }
        }
        sqlite3_finalize(statement);
        return ok;
    }

private:
    std::string message() const { return m_db ? sqlite3_errmsg(m_db) : "out of memory"; }
    sqlite3* m_db = nullptr;
    std::string m_error;
};

}  // namespace

std::vector<double>& FixtureDatabase::newRow(data::Source source) {
    auto& rows = m_rows[static_cast<size_t>(source)].values;
    rows.emplace_back();
    return rows.back();
}

FixtureDatabase& FixtureDatabase::addSaturationRow(double ts, double ps, double v1, double v11, double h1, double h11,
                                                   double s1, double s11, int wf) {
    newRow(data::Source::Swater) = {ts, ps, v1, v11, h1, h11, s1, s11, static_cast<double>(wf)};
    return *this;
}

FixtureDatabase& FixtureDatabase::addGridRow(data::Source table, double t, double p, double v, double h, double s) {
    if (table != data::Source::Water && table != data::Source::Vapor)
        throw std::invalid_argument("addGridRow: WATER or VAPOR only");
    newRow(table) = {t, p, v, h, s};
    return *this;
}

FixtureDatabase& FixtureDatabase::addCurvePoint(data::Source table, double key, double h, double s) {
    if (!isCurveTable(table)) throw std::invalid_argument("addCurvePoint: a curve table only");
    newRow(table) = {key, h, s};
    return *this;
}

FixtureDatabase& FixtureDatabase::addChartPoint(const std::string& table, double key, double x, double y) {
    bool known = false;
    for (const data::ChartTable& chart : data::kChartTables) known = known || table == chart.table;
    if (!known) throw std::invalid_argument("addChartPoint: no chart table " + table);
    m_chartRows[table].values.push_back({key, x, y});
    return *this;
}

FixtureDatabase& FixtureDatabase::leaveOutTable(data::Source source) {
    m_withoutTable.insert(source);
    return *this;
}

FixtureDatabase& FixtureDatabase::leaveOutFile(data::Source source) {
    m_withoutFile.insert(source);
    return *this;
}

bool FixtureDatabase::write(const fs::path& dir, std::string& error) const {
    for (const data::SourceInfo& info : data::kSources) {
        const fs::path file = dir / data::dataFileName(info.source);
        std::error_code ec;
        fs::remove(file, ec);
        if (m_withoutFile.count(info.source)) continue;
        Connection db(file);
        // Throw-away files: no journal, no waiting for the disk.
        bool ok = db.ok() && db.exec("pragma journal_mode=off; pragma synchronous=off; begin");
        if (ok && !m_withoutTable.count(info.source) && info.source == data::Source::Charts) {
            for (const data::ChartTable& chart : data::kChartTables) {
                const auto rows = m_chartRows.find(chart.table);
                ok = ok && db.exec(createChartTable(chart)) &&
                     (rows == m_chartRows.end() || db.insert(chart.table, rows->second.values));
            }
        } else if (ok && !m_withoutTable.count(info.source)) {
            ok = db.exec(createStatement(info.source)) &&
                 db.insert(info.table, m_rows[static_cast<size_t>(info.source)].values);
        } else if (ok) {
            ok = db.exec("create table unrelated (n INTEGER PRIMARY KEY)");
        }
        ok = ok && db.exec("commit");
        if (!ok) {
            error = file.string() + ": " + db.error();
            return false;
        }
    }
    return true;
}

bool FixtureDatabase::writeAndOpen(const fs::path& dir, data::PropertyDatabase& db, std::string& error) const {
    return write(dir, error) && db.open(dir, error);
}

}  // namespace steam::testsupport
