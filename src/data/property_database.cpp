#include "property_database.h"

#include "chart_tables.h"
#include "sqlite_source.h"

#include <sqlite3.h>

#include <stdexcept>

namespace steam::data {

PropertyDatabase::PropertyDatabase() = default;
PropertyDatabase::~PropertyDatabase() = default;

void PropertyDatabase::closeAll() {
    m_open = false;
    m_saturation.reset();
    m_water.reset();
    m_vapor.reset();
    for (auto& s : m_sources) s.reset();
}

bool PropertyDatabase::open(const std::filesystem::path& dir, std::string& error) {
    // No memory statistics: they cost a lock on every allocation of every query. This only
    // takes effect before SQLite's first use in the process and is ignored after it.
    static const int quiet = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)quiet;
    closeAll();
    m_dir = dir;
    for (const SourceInfo& info : kSources) {
        auto& slot = m_sources[static_cast<size_t>(info.source)];
        const std::filesystem::path file = dir / dataFileName(info.source);
        slot = SqliteSource::open(info.source, file, error);
        // A file that is there but is empty (SQLite takes it for an empty database), no
        // database or lacks a table is damaged, whichever of these it is.
        bool sound = slot != nullptr;
        try {
            if (slot) {
                sound = slot->hasTable(info.table);
                if (info.source == Source::Charts)
                    for (const ChartTable& chart : kChartTables) sound = sound && slot->hasTable(chart.table);
            }
        } catch (const DataFault&) {
            sound = false;
        }
        if (!sound) {
            std::error_code ec;
            if (slot || std::filesystem::exists(file, ec)) error = damagedFileMessage(file);
            closeAll();
            return false;
        }
    }
    m_saturation = std::make_unique<SaturationTable>(source(Source::Swater));
    m_water = std::make_unique<GridTable>(source(Source::Water), "WATER");
    m_vapor = std::make_unique<GridTable>(source(Source::Vapor), "VAPOR");
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
    closeAll();
    error = "找不到数据文件，已查找：" + looked;
    return false;
}

std::string PropertyDatabase::connectionText(Source source) const {
    return std::string(kConnectionPrefix) + m_dir.string() + sourceInfo(source).stem;
}

std::optional<Source> PropertyDatabase::sourceFor(std::string_view connectionText) {
    const size_t slash = connectionText.rfind('\\');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view stem = connectionText.substr(slash);
    for (const SourceInfo& info : kSources)
        if (stem == info.stem) return info.source;
    return std::nullopt;
}

SqliteSource& PropertyDatabase::source(Source source) const {
    SqliteSource* s = m_sources[static_cast<size_t>(source)].get();
    if (!s) throw std::logic_error("the data sources are not open");
    return *s;
}

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

}  // namespace steam::data
