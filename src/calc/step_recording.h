#pragma once
// The steps of calculation_steps.h made from what the searches leave: the bracketing rows in
// their result slots (search/lookup.h), the cell of a search over the isobars, the saturated
// values of a mixture. The calculators call these only when they were given a record.
#include "calculation_steps.h"
#include "data/schema.h"
#include "search/lookup.h"
#include "search/surface_pair_search.h"

#include <span>

namespace steam::calc::record {

/// Two rows of a table around `known` in column `key` (upper: at or above it, lower: at or
/// below), and the values interpolated there; a Row step when both rows hold the known value.
CalculationStep line(StepTable table, std::span<const double> upper, std::span<const double> lower, int key,
                     double known, std::span<const double> results);

/// The table match of a (t, p) grid search (Choose 1 to 4, search/lookup.h) for the first
/// known value (column `first`) and the second (column `second`), and the values found.
CalculationStep gridMatch(StepTable table, int Choose, const search::RowSlots& slots, int first, double firstValue,
                          int second, double secondValue, std::span<const double> results);

/// u with t or p: the two points of the line the search left (two rows of a grid line, or two
/// pairs blended to the first value) and the fraction between them where u takes its value.
CalculationStep energySegment(StepTable table, int Choose, const search::RowSlots& slots, int first, double firstValue,
                              double energy, double fraction, std::span<const double> results);

/// The cell a search over the isobars solved in, with the two values held there.
CalculationStep cell(StepTable table, const search::SurfacePairSearch::Cell& cell, int inner, double innerValue,
                     int outer, double outerValue, int isobarsRead, std::span<const double> results);

/// The saturated values at a place of the saturation line a search found: the two rows around
/// its ts and the values there.
CalculationStep saturationPlace(const data::SatRow& below, const data::SatRow& above, const data::SatRow& values,
                                int placesLooked);

/// A mixture of dryness x of the saturated values; x from `known` at SWATER position
/// `liquidKey` when that is not 0.
CalculationStep mixture(const data::SatRow& saturated, double x, int liquidKey, double known,
                        std::span<const double> state);

}  // namespace steam::calc::record
