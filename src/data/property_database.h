#pragma once
// The eight data sources beside the executable: the saturation table, the water and
// vapour (t, p) grids, the four tables of the h-s chart's curve points and the curve points
// of the other charts (chart_tables.h). Each is a read-only SQLite file named after its stem. Callers address a source by its connection text,
// the fixed provider prefix followed by the directory and the stem ("...\swater").
#include "schema.h"

#include <array>
#include <filesystem>
#include <map>
#include <memory>
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
    /// file that is missing, unreadable or lacks a table.
    bool open(const std::filesystem::path& dir, std::string& error);
    /// Opens the first of the places that holds all eight files. When none does, error
    /// names every place looked in with the first file missing there.
    bool openFirst(const std::vector<std::filesystem::path>& places, std::string& error);
    bool isOpen() const { return m_open; }
    const std::filesystem::path& directory() const { return m_dir; }

    /// The connection text of a source: prefix + directory + stem.
    std::string connectionText(Source source) const;
    /// The source a connection text names (by its stem), or null.
    SqliteSource* sourceFor(std::string_view connectionText) const;
    SqliteSource* source(Source source) const;

    /// The smallest and largest value of a column, from "select min(...)" and "select max(...)"
    /// the first time they are asked for and remembered after that: the tables do not change
    /// while they are open. False when the column has no value (or the query fails).
    bool columnRange(const std::string& connectionText, const std::string& table, const std::string& column,
                     double& lowest, double& highest) const;

    /// Every row of a query, each as its values by column position, run the first time it is
    /// asked for and remembered after that, like the column ranges. Empty when the query fails.
    const std::vector<std::vector<double>>& rememberedRows(const std::string& connectionText,
                                                           const std::string& query) const;

private:
    std::filesystem::path m_dir;
    mutable std::map<std::string, std::pair<double, double>> m_columnRanges;
    mutable std::map<std::string, std::vector<std::vector<double>>> m_rememberedRows;
    std::array<std::unique_ptr<SqliteSource>, kSourceCount> m_sources;
    bool m_open = false;
};

/// Directory of the running executable.
std::filesystem::path executableDirectory();

/// Where the programs look for the data files, in order: beside the executable, then
/// ../share/steamtables from it (the folder an installation puts them in).
std::vector<std::filesystem::path> dataPlaces();

}  // namespace steam::data
