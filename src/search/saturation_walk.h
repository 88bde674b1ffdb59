#pragma once
// A search along the saturation line: the lookup rows of SWATER (wf = 1) in ascending ts, every
// column taken linear in ts between two neighbouring rows, as the calculators interpolate. It
// finds the first place where a function of the saturated values reaches zero.
//
// A coarse copy of the line (the rows at whole kelvins, at tenths of a kelvin in the last one,
// and the first and last rows) is read once and remembered with the data source: it tells
// between which two samples the function first changes sign, and the rows between them settle
// the place. Where the function turns towards zero between samples, the rows there are searched
// for its closest approach, so that a value reached twice between two samples, close to the
// turn, is found too.
#include "data/property_database.h"
#include "data/schema.h"

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace steam::search {

/// The saturated values at one place of the line: positions 1 to 8 hold ts, ps, v', v'', h',
/// h'', s', s'' (the column positions of SWATER); position 0 is not a value.
using SaturatedValues = data::SatRow;

class SaturationWalk {
public:
    using Function = std::function<double(const SaturatedValues&)>;

    explicit SaturationWalk(const data::PropertyDatabase& db) : m_table(db.saturation()) {}

    /// The first place with ts from `from` to `to` where g is zero or changes sign, with its
    /// values; none when g keeps one sign there (or the stretch misses the line). Places where
    /// g is not a number break the stretch: no change of sign is seen across them. Where g
    /// does not reach zero but comes within `slack` of it, at a turn or at an end of the
    /// stretch, that place is taken.
    std::optional<SaturatedValues> firstZero(const Function& g, double from = -kInfinity, double to = kInfinity,
                                             double slack = 0.0) const;

    /// The values at ts: the two rows around it blended to it; none off the line.
    std::optional<SaturatedValues> at(double ts) const;

    /// The first (triple point) and the last (critical point) row; none for an empty table.
    std::optional<SaturatedValues> first() const;
    std::optional<SaturatedValues> last() const;

    static constexpr double kInfinity = std::numeric_limits<double>::infinity();

private:
    struct Place {
        SaturatedValues values{};
        double g = 0.0;
    };
    const std::vector<data::SatRow>& samples() const { return m_table.coarseLine(); }
    bool rowsAround(double ts, SaturatedValues& below, SaturatedValues& above) const;
    std::optional<SaturatedValues> settle(const Function& g, Place a, Place b) const;
    static bool turnsToZero(const Place& a, const Place& b, const Place& c);
    std::optional<Place> throughTurn(const Function& g, const Place& a, const Place& c, double slack) const;
    static SaturatedValues blend(const SaturatedValues& a, const SaturatedValues& b, double fraction);
    static std::optional<SaturatedValues> withinOneStep(const Function& g, const Place& a, const Place& b);

    data::SaturationTable& m_table;
};

}  // namespace steam::search
