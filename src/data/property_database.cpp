#include "property_database.h"

#include "chart_tables.h"
#include "row_set.h"
#include "sqlite_source.h"

#include <sqlite3.h>
#include <unistd.h>

namespace steam::data {

PropertyDatabase::PropertyDatabase() = default;
PropertyDatabase::~PropertyDatabase() = default;

bool PropertyDatabase::open(const std::filesystem::path& dir, std::string& error) {
    // No memory statistics: they cost a lock on every allocation of every query. This only
    // takes effect before SQLite's first use in the process and is ignored after it.
    static const int quiet = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)quiet;
    m_open = false;
    for (auto& s : m_sources) s.reset();
    m_columnRanges.clear();
    m_dir = dir;
    for (const SourceInfo& info : kSources) {
        auto& slot = m_sources[static_cast<size_t>(info.source)];
        slot = SqliteSource::open(dir / dataFileName(info.source), error);
        std::string missing;
        if (slot) {
            if (!slot->hasTable(info.table)) missing = info.table;
            if (info.source == Source::Charts)
                for (const ChartTable& chart : kChartTables)
                    if (missing.empty() && !slot->hasTable(chart.table)) missing = chart.table;
        }
        if (!slot || !missing.empty()) {
            if (slot) error = "数据文件缺少表 " + missing + ": " + slot->file().string();
            for (auto& s : m_sources) s.reset();
            return false;
        }
    }
    m_open = true;
    return true;
}

bool PropertyDatabase::openFirst(const std::vector<std::filesystem::path>& places, std::string& error) {
    std::string looked;
    for (const auto& place : places) {
        std::string missing;
        for (const SourceInfo& info : kSources) {
            std::error_code ec;
            if (!std::filesystem::exists(place / dataFileName(info.source), ec)) {
                missing = dataFileName(info.source);
                break;
            }
        }
        if (missing.empty()) return open(place, error);
        looked += "\n" + place.string() + " (缺少 " + missing + ")";
    }
    m_open = false;
    for (auto& s : m_sources) s.reset();
    error = "找不到数据文件，已查找：" + looked;
    return false;
}

std::string PropertyDatabase::connectionText(Source source) const {
    return std::string(kConnectionPrefix) + m_dir.string() + sourceInfo(source).stem;
}

SqliteSource* PropertyDatabase::sourceFor(std::string_view connectionText) const {
    const size_t slash = connectionText.rfind('\\');
    if (slash == std::string_view::npos) return nullptr;
    const std::string_view stem = connectionText.substr(slash);
    for (const SourceInfo& info : kSources)
        if (stem == info.stem) return m_sources[static_cast<size_t>(info.source)].get();
    return nullptr;
}

SqliteSource* PropertyDatabase::source(Source source) const { return m_sources[static_cast<size_t>(source)].get(); }

std::filesystem::path executableDirectory() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return self.parent_path();
}

std::vector<std::filesystem::path> dataPlaces() {
    const std::filesystem::path beside = executableDirectory();
    return {beside, (beside / ".." / "share" / "steamtables").lexically_normal()};
}

bool PropertyDatabase::columnRange(const std::string& connectionText, const std::string& table,
                                   const std::string& column, double& lowest, double& highest) const {
    const std::string key = connectionText + '|' + table + '|' + column;
    if (auto it = m_columnRanges.find(key); it != m_columnRanges.end()) {
        lowest = it->second.first;
        highest = it->second.second;
        return true;
    }
    if (!singleValue(*this, connectionText, "select min(" + column + ")  from " + table + " ", lowest) ||
        !singleValue(*this, connectionText, "select max(" + column + ")  from " + table + " ", highest))
        return false;
    m_columnRanges[key] = {lowest, highest};
    return true;
}

const std::vector<std::vector<double>>& PropertyDatabase::rememberedRows(const std::string& connectionText,
                                                                         const std::string& query) const {
    const std::string key = connectionText + '|' + query;
    if (auto it = m_rememberedRows.find(key); it != m_rememberedRows.end()) return it->second;
    std::vector<std::vector<double>> rows;
    RowSet result;
    if (result.Open(*this, connectionText, query)) {
        for (; !result.isEOF(); result.MoveNext()) {
            std::vector<double> row(static_cast<size_t>(result.columnCount()));
            for (int k = 0; k < result.columnCount(); ++k) row[static_cast<size_t>(k)] = result.Fields(k);
            rows.push_back(std::move(row));
        }
    }
    return m_rememberedRows[key] = std::move(rows);
}

}  // namespace steam::data
