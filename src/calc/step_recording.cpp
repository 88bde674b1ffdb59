#include "step_recording.h"

#include <cmath>

namespace steam::calc::record {
namespace {

using Kind = CalculationStep::Kind;

std::vector<double> rowOf(std::span<const double> row) { return {row.begin(), row.end()}; }

CalculationStep fourRows(StepTable table, std::span<const double> A, std::span<const double> B,
                         std::span<const double> C, std::span<const double> D, std::span<const double> results) {
    CalculationStep step;
    step.kind = Kind::FourRows;
    step.table = table;
    step.rows = {rowOf(A), rowOf(B), rowOf(C), rowOf(D)};
    step.results = rowOf(results);
    return step;
}

// The fraction at which column k of the segment from a to b takes `value`, as the
// interpolation computes it (0 where both ends hold the same).
double fractionAt(double a, double b, double value) { return a == b ? 0.0 : (value - a) / (b - a); }

}  // namespace

CalculationStep line(StepTable table, std::span<const double> upper, std::span<const double> lower, int key,
                     double known, std::span<const double> results) {
    CalculationStep step;
    step.table = table;
    step.keys = {key, 0};
    step.known = {known, 0.0};
    step.results = rowOf(results);
    const auto k = static_cast<size_t>(key);
    if (upper[k] == lower[k]) {
        step.kind = Kind::Row;
        step.rows = {rowOf(upper)};
        return step;
    }
    step.kind = Kind::Line;
    step.rows = {rowOf(lower), rowOf(upper)};
    step.fraction[0] = fractionAt(lower[k], upper[k], known);
    return step;
}

CalculationStep gridMatch(StepTable table, int Choose, const search::RowSlots& s, int first, double firstValue,
                          int second, double secondValue, std::span<const double> results) {
    switch (Choose) {
        case 1: {
            CalculationStep step = line(table, s.ExactRs, s.ExactRs, first, firstValue, results);
            step.keys[1] = second;
            step.known[1] = secondValue;
            return step;
        }
        case 2: return line(table, s.HrsFixY, s.LrsFixY, second, secondValue, results);
        case 3: return line(table, s.HrsFixZ, s.LrsFixZ, first, firstValue, results);
        default: break;
    }
    CalculationStep step = fourRows(table, s.LrsLowerY, s.LrsUpperY, s.HrsLowerY, s.HrsUpperY, results);
    step.keys = {first, second};
    step.known = {firstValue, secondValue};
    const auto k1 = static_cast<size_t>(first), k2 = static_cast<size_t>(second);
    const double g = fractionAt(s.LrsLowerY[k1], s.LrsUpperY[k1], firstValue);
    const double a = s.LrsLowerY[k2] + g * (s.LrsUpperY[k2] - s.LrsLowerY[k2]);
    const double c = s.HrsLowerY[k2] + g * (s.HrsUpperY[k2] - s.HrsLowerY[k2]);
    step.fraction = {g, fractionAt(a, c, secondValue)};
    return step;
}

CalculationStep energySegment(StepTable table, int Choose, const search::RowSlots& s, int first, double firstValue,
                              double energy, double fraction, std::span<const double> results) {
    CalculationStep step;
    if (Choose == 2) {
        step.kind = Kind::Line;
        step.table = table;
        step.rows = {rowOf(s.LrsFixY), rowOf(s.HrsFixY)};
        step.fraction[0] = fraction;
        step.results = rowOf(results);
    } else {
        step = fourRows(table, s.LrsLowerY, s.LrsUpperY, s.HrsLowerY, s.HrsUpperY, results);
        const auto k1 = static_cast<size_t>(first);
        step.fraction = {fractionAt(s.LrsLowerY[k1], s.LrsUpperY[k1], firstValue), fraction};
    }
    step.from = CalculationStep::From::Energy;
    step.keys = {first, data::kGridEnergy};
    step.known = {firstValue, energy};
    return step;
}

CalculationStep cell(StepTable table, const search::SurfacePairSearch::Cell& c, int inner, double innerValue, int outer,
                     double outerValue, int isobarsRead, std::span<const double> results) {
    CalculationStep step = fourRows(table, c.lowerCold, c.upperCold, c.lowerHot, c.upperHot, results);
    step.from = CalculationStep::From::TwoValues;
    step.search = CalculationStep::Search::OverIsobars;
    step.searchSteps = isobarsRead;
    step.keys = {inner, outer};
    step.known = {innerValue, outerValue};
    step.fraction = {c.alongP, c.alongT};
    return step;
}

CalculationStep saturationPlace(const data::SatRow& below, const data::SatRow& above, const data::SatRow& values,
                                int placesLooked) {
    CalculationStep step = line(StepTable::Saturation, above, below, 1, values[1], values);
    step.search = CalculationStep::Search::AlongSaturation;
    step.searchSteps = placesLooked;
    return step;
}

CalculationStep mixture(const data::SatRow& saturated, double x, int liquidKey, double known,
                        std::span<const double> state) {
    CalculationStep step;
    step.kind = Kind::Mixture;
    step.table = StepTable::Saturation;
    step.saturated = rowOf(saturated);
    step.x = x;
    step.keys = {liquidKey, 0};
    step.known = {known, 0.0};
    step.results = rowOf(state);
    return step;
}

}  // namespace steam::calc::record
