#pragma once
// States given by two of v, h, s and x, neither of them t or p.
//
// u, h - p v, is searched like the others: each row carries its u (data/schema.h).
//
// With x, the state is wet: the first place along the saturation line, in ascending ts, where
// the mixture of dryness x takes the other value (a mixture's h, s or v may turn along the
// line, so that two or three places have it; the coldest is taken). x must lie from 0 to 1.
//
// Of two of v, h, s and u, one (s when given, else u, else h) is held: along the line of that
// value the other changes one way only as p rises, through every phase (h and u rise at
// constant s, v falls at constant s, u or h), so the pair names one state. Where the line meets the saturation dome
// (at the triple point and where the held value equals its saturated-water or saturated-steam
// value) the other value of the dome's edge says on which stretch of the line the state lies:
// wet, compressed water (WATER) or steam (VAPOR below the critical pressure, WATER above it, as
// the (t, p) calculation reads them). A wet state is found along the saturation line, a single-
// phase one on the tables' (t, p) surface (SurfacePairSearch).
//
// (h, u) is the exception: along a line of u, h - u = p v falls through steam and the dome and
// rises in water, and over much of steam it changes by less than the tables' own error in it,
// so the pair may name several states. The stretch the walk picks is searched first; where it
// holds none, the other stretches where the line meets saturated steam twice or reaches
// saturated water, and in steam samples of the line give the first place whose h lies within
// the tables' error of the typed one.
#include "calculation_steps.h"
#include "data/property_database.h"
#include "property_columns.h"
#include "search/saturation_walk.h"

#include <array>

namespace steam::calc {

struct PairState {
    enum Kind { None, Wet, Water, Vapor };
    Kind kind = None;                      ///< None: the tables hold no state of the pair
    search::SaturatedValues saturation{};  ///< wet: the saturated values at the state's ts
    double x = 0.0;                        ///< wet: its dryness
    /// Wet: the SWATER position of the saturated-water value of the property x was found
    /// from, and its known value; 0 when x was given or the state lies at the dome's edge.
    int drynessColumn = 0;
    double drynessValue = 0.0;
    std::array<double, 6> values{};  ///< single phase: t p v h s at 1 to 5
};

/// The state where property `a` (v, h, s or x) takes value `va` and `b` (after `a` in box
/// order: h, s, x or u) takes `vb`. With `steps`, the rows of the state (the cell of the
/// grid, or the saturation rows around a wet state's ts) are recorded there, with the
/// search's count of places looked at; the mixture itself is the state calculator's.
PairState findPairState(const data::PropertyDatabase& db, Property a, double va, Property b, double vb,
                        CalculationSteps* steps = nullptr);

}  // namespace steam::calc
