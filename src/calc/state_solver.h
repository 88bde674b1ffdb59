#pragma once
// The state of water from any two of t, p, v, h, s, x and u: the region it lies in and the
// other properties, from the tables. Wet states and dryness pairs are mixed from the
// saturation table; single-phase states are found on the (t, p) surface of the water or
// vapour grid (pairs without t or p: pairs_without_tp.h).
//
// Units: t in C, p in MPa, v in m^3/kg, h and u in kJ/kg, s in kJ/(kg.K), x a fraction.
//
// Some answers are decided on values as the saturation panel shows them (rounded to its
// decimals): whether a pair with t or p is compressed water, wet or steam, and the saturation
// pressure (or temperature) of a wet state from t (or p). A calculation ends with a state or
// with messages; a data file that fails ends it with a DataFault message naming the file.
#include "calculation_steps.h"
#include "data/property_database.h"
#include "message.h"
#include "property_columns.h"

#include <array>

namespace steam::calc {

enum StateRegion {
    RegionNone = 0,
    RegionWater = 1,  ///< compressed water or the dense side of the supercritical region (WATER)
    RegionVapor = 2,  ///< superheated steam or the light side of the supercritical region (VAPOR)
    RegionWet = 3,
    RegionNeedsDryness = 5,
};

/// The known pair, in the order of the boxes t p v h s x u.
enum PairCase {
    PairNone = 0,
    PairTP = 1,
    PairTV,
    PairTH,
    PairTS,
    PairTX,
    PairPV,
    PairPH,
    PairPS,
    PairPX,
    PairVH,
    PairVS,
    PairVX,
    PairHS,
    PairHX,
    PairSX,
    PairTU,
    PairPU,
    PairVU,
    PairHU,
    PairSU,
    PairXU
};

/// Whether a pair holds t or p (searched along its line of the tables' surface).
inline constexpr bool withTemperatureOrPressure(int pairCase) {
    return (pairCase >= PairTP && pairCase <= PairPX) || pairCase == PairTU || pairCase == PairPU;
}

/// The pair of two different properties (in either order).
int pairCaseOf(Property a, Property b);

struct StateSolution {
    /// What the values are.
    enum class Form {
        Nothing,        ///< no state: the calculation ended with messages
        SinglePhase,    ///< read from the water or vapour table; no dryness (x is NaN)
        Mixture,        ///< mixed from the saturated values with dryness x
        CriticalPoint,  ///< the top of the saturation table, which has no dryness (x is NaN)
        NoState,        ///< a dryness given above the critical point: no state has it
    };
    Form form = Form::Nothing;
    int region = RegionNone;
    int pairCase = PairNone;
    int Choose = 0;  ///< kind of table match of a single-phase search (1 to 4), 0 when none ran
    /// t p v h s x u, by Property; meaningful for SinglePhase, Mixture and CriticalPoint. u is
    /// h - p v of the values found (of a mixture: the mixture of u' and u'').
    std::array<double, kStateProperties> values{};
    Messages messages;

    bool solved() const { return messages.empty() && form != Form::Nothing; }
    double operator[](Property p) const { return values[static_cast<int>(p)]; }
};

/// The state where property a has the value va and b the value vb (a != b). The first known,
/// whose box comes first in the panel, decides how the pair is searched. With `steps`, the
/// rows read and the interpolations are recorded there (calculation_steps.h).
StateSolution solveState(const data::PropertyDatabase& db, Property a, double va, Property b, double vb,
                         CalculationSteps* steps = nullptr);

}  // namespace steam::calc
