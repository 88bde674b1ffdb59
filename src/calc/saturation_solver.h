#pragma once
// The saturation state from one of its properties: ts, ps, v', v'', h', h'', s' or s'' gives
// all eight, by linear interpolation between the two rows of the saturation table that
// bracket it. h'' rises to a highest value and falls again, and v' falls to a lowest one near
// 4 C: a value of those is taken on the first branch, from the triple point, that reaches it,
// and the other state that has it is named.
// Units as in state_solver.h.
#include "calculation_steps.h"
#include "data/property_database.h"
#include "message.h"
#include "property_columns.h"

#include <array>
#include <optional>

namespace steam::calc {

struct SaturationSolution {
    /// ts ps v' v'' h' h'' s' s'', by SatProperty.
    std::array<double, kSaturationProperties> values{};
    /// u' and u'': h - p v of the saturated water and steam values found.
    double u1 = 0.0, u11 = 0.0;
    /// For h'' and v', which turn: ts of the other saturation state with the known value, when
    /// there is one (h'' below its highest value names two; v' near 4 C too).
    std::optional<double> otherTs;
    Messages messages;
    bool solved = false;

    double operator[](SatProperty p) const { return values[static_cast<int>(p)]; }
};

/// The saturation state where `known` has `value`. A value beyond the end of its column by no
/// more than half a unit of the box's last decimal (h' 0.00 at the triple point, s'' 9.1555,
/// ts 373.95 at the critical point) is taken as the end row, as the panel shows it. With
/// `steps`, the rows read and the interpolation are recorded there (calculation_steps.h).
SaturationSolution solveSaturation(const data::PropertyDatabase& db, SatProperty known, double value,
                                   CalculationSteps* steps = nullptr);

}  // namespace steam::calc
