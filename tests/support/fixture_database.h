#pragma once
// Small stand-ins for the eight data files, written by tests into a folder of their own.
// Each file gets its tables with the production schema (SWATER: n, ts, ps, v1, v11, h1,
// h11, s1, s11, wf; WATER/VAPOR: n, t, p, v, h, s; DengT/P/V/X: n, key, h, s; the charts
// source: every chart table, n, key, x, y) and the rows added here, in the order they were
// added; n counts from 1. A NaN value is stored as NULL.
#include "data/property_database.h"

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace steam::testsupport {

/// A fresh folder under the system temporary folder, removed with everything in it.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class FixtureDatabase {
public:
    /// One SWATER row: ts (C), ps (MPa), v', v'' (m^3/kg), h', h'' (kJ/kg), s', s'' (kJ/(kg.K)).
    FixtureDatabase& addSaturationRow(double ts, double ps, double v1, double v11, double h1, double h11, double s1,
                                      double s11, int wf = 1);
    /// One row of WATER or VAPOR.
    FixtureDatabase& addGridRow(data::Source table, double t, double p, double v, double h, double s);
    /// One point of DengT, DengP, DengV or DengX: key value (t, p, v or x), h and s.
    FixtureDatabase& addCurvePoint(data::Source table, double key, double h, double s);
    /// One point of a chart table (data/chart_tables.h): key, x and y values.
    FixtureDatabase& addChartPoint(const std::string& table, double key, double x, double y);
    /// Writes the file of this source without its table.
    FixtureDatabase& leaveOutTable(data::Source source);
    /// Writes no file at all for this source.
    FixtureDatabase& leaveOutFile(data::Source source);

    /// Writes the eight files into dir (replacing files of the same names). Returns false
    /// with a reason when a file cannot be written.
    bool write(const std::filesystem::path& dir, std::string& error) const;

    /// Writes into dir and opens it as a PropertyDatabase; false with a reason otherwise.
    bool writeAndOpen(const std::filesystem::path& dir, data::PropertyDatabase& db, std::string& error) const;

private:
    struct Rows {
        std::vector<std::vector<double>> values;
    };
    std::vector<double>& newRow(data::Source source);

    std::array<Rows, data::kSourceCount> m_rows;
    std::map<std::string, Rows> m_chartRows;
    std::set<data::Source> m_withoutTable;
    std::set<data::Source> m_withoutFile;
};

}  // namespace steam::testsupport
