#include "table_page.h"

namespace steam::calc {

TablePage saturationPage(const data::PropertyDatabase& db, TableKind kind, const std::vector<double>& rows) {
    TablePage page;
    page.kind = kind;
    page.rowValues = rows;
    const SatProperty known = kind == TableKind::SaturationByPressure ? SatProperty::ps : SatProperty::ts;
    for (double value : rows) page.saturation.push_back(solveSaturation(db, known, value));
    return page;
}

TablePage isobarPage(const data::PropertyDatabase& db, double p, const std::vector<double>& rows) {
    TablePage page;
    page.kind = TableKind::Isobar;
    page.pressure = p;
    page.rowValues = rows;
    if (p < kCriticalPressure) {
        SaturationSolution head = solveSaturation(db, SatProperty::ps, p);
        if (head.solved) page.head = std::move(head);
    }
    for (double t : rows) page.states.push_back(solveState(db, Property::t, t, Property::p, p));
    return page;
}

TablePage tablePage(const data::PropertyDatabase& db, const PageRange& range) {
    const std::vector<double> rows = pageRows(range);
    return range.kind == TableKind::Isobar ? isobarPage(db, range.pressure, rows)
                                           : saturationPage(db, range.kind, rows);
}

}  // namespace steam::calc
