#pragma once
// The eight data sources beside the executable (schema.h): the saturation table, the water
// and vapour (t, p) grids, the four tables of the h-s chart's curve points and the curve
// points of the other charts (chart_tables.h). Each is a read-only SQLite file named after
// its stem, addressed by its Source; its queries are the typed functions of SaturationTable,
// GridTable and curve_rows.h. The connection text of a source (prefix, folder and stem) only
// tells where its file lies.
//
// The database is opened once and read as it stands: reading is logically const, though the
// tables keep what they have read once (ranges, grid lines) and their prepared statements.
#include "grid_table.h"
#include "saturation_table.h"
#include "schema.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace steam::data {

class SqliteSource;

inline constexpr const char* kConnectionPrefix =
    "Provider=MSDASQL.1;Persist Security Info=False;Data Source=MS Access Database;Initial Catalog=";

class PropertyDatabase {
public:
    PropertyDatabase();
    ~PropertyDatabase();
    PropertyDatabase(const PropertyDatabase&) = delete;
    PropertyDatabase& operator=(const PropertyDatabase&) = delete;

    /// Opens all eight sources in dir. On failure nothing stays open and error names the
    /// file that is missing, or that is there but damaged (empty, no database, without a
    /// table: "数据文件已损坏：" and its path).
    bool open(const std::filesystem::path& dir, std::string& error);
    /// Opens the first of the places that holds all eight files. When none does, error
    /// names every place looked in with the first file missing there.
    bool openFirst(const std::vector<std::filesystem::path>& places, std::string& error);
    bool isOpen() const { return m_open; }
    const std::filesystem::path& directory() const { return m_dir; }

    /// The connection text of a source: prefix + directory + stem.
    std::string connectionText(Source source) const;
    /// The source whose file a connection text names (by its stem), if any.
    static std::optional<Source> sourceFor(std::string_view connectionText);

    SqliteSource& source(Source source) const;
    SaturationTable& saturation() const { return *m_saturation; }
    GridTable& water() const { return *m_water; }
    GridTable& vapor() const { return *m_vapor; }
    /// The water table for true, the vapour table for false.
    GridTable& grid(bool water) const { return water ? *m_water : *m_vapor; }

private:
    void closeAll();

    std::filesystem::path m_dir;
    std::array<std::unique_ptr<SqliteSource>, kSourceCount> m_sources;
    std::unique_ptr<SaturationTable> m_saturation;
    std::unique_ptr<GridTable> m_water, m_vapor;
    bool m_open = false;
};

/// Directory of the running executable.
std::filesystem::path executableDirectory();

/// Where the programs look for the data files, in order: beside the executable, then
/// ../share/steamtables from it (the folder an installation puts them in).
std::vector<std::filesystem::path> dataPlaces();

}  // namespace steam::data
