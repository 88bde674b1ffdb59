#pragma once
// Writes one data source: a SQLite file with tables of REAL columns after the integer row
// number n (column position 0), each filled in one transaction and indexed afterwards.
// The file is written under a temporary name and renamed when complete, so a failed run
// never leaves a half-written source behind.
#include <filesystem>
#include <string>
#include <vector>

namespace tables {

struct TableLayout {
    std::string table;
    std::vector<std::string> columns;  ///< after n; all REAL except those in integerColumns
    std::vector<std::string> integerColumns;
    std::vector<std::vector<std::string>> indexes;  ///< column lists
    /// When set, the rows are stored in the order of these columns (a table without row ids
    /// keyed by them, n an ordinary column): the table is then itself the index along its key,
    /// which saves a third of a grid's size over a row-id table with an index beside it.
    std::vector<std::string> clusterKey;
};

/// Writes rows (one value per column, n is added as 1, 2, ...) to file. Throws std::runtime_error.
void writeTable(const std::filesystem::path& file, const TableLayout& layout,
                const std::vector<std::vector<double>>& rows);

/// One table of a file with several.
struct TableContent {
    TableLayout layout;
    std::vector<std::vector<double>> rows;
};
/// Writes every table into one file, as writeTable writes one.
void writeTables(const std::filesystem::path& file, const std::vector<TableContent>& tables);

}  // namespace tables
