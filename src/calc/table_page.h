#pragma once
// A page of a printed property table, as numbers: the saturation state at each temperature or
// pressure of the page's rows, or the states along one isobar with its saturation state at the
// head. The values come from the calculators themselves (solveSaturation, solveState), so a
// page shows what the panels answer for each row; the rows come from table_rows.h and the
// texts from panels/table_page_texts.h.
#include "saturation_solver.h"
#include "state_solver.h"
#include "table_rows.h"

#include <optional>
#include <vector>

namespace steam::calc {

struct TablePage {
    TableKind kind = TableKind::SaturationByTemperature;
    /// The value asked for on each row: ts, ps or (along the isobar) t.
    std::vector<double> rowValues;
    /// Saturation pages: the saturation state of each row.
    std::vector<SaturationSolution> saturation;
    /// Isobar: its pressure, its saturation state (none at and above the critical pressure or
    /// below the triple point) and the state of each row.
    double pressure = 0.0;
    std::optional<SaturationSolution> head;
    std::vector<StateSolution> states;
};

/// A saturation page: kind SaturationByTemperature (rows of ts) or SaturationByPressure (ps).
TablePage saturationPage(const data::PropertyDatabase& db, TableKind kind, const std::vector<double>& rows);

/// The states at temperatures `rows` along the isobar p.
TablePage isobarPage(const data::PropertyDatabase& db, double p, const std::vector<double>& rows);

/// The page of a range that passes checkRange (table_rows.h).
TablePage tablePage(const data::PropertyDatabase& db, const PageRange& range);

}  // namespace steam::calc
