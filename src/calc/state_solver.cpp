#include "state_solver.h"

#include "data/data_fault.h"
#include "energy_segment.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "pairs_without_tp.h"
#include "search/lookup.h"
#include "step_recording.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace steam::calc {
namespace {

using data::GridColumn;
using data::GridRow;
using numeric::sswr;
using search::SaturatedValues;
using Form = StateSolution::Form;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Saturation values at the known t or p: ts ps v' v'' h' h'' s' s''. The region is decided on
// the values rounded as the saturation panel displays them; a wet state mixes the values as
// interpolated, since rounding v'' to five decimals alone would shift a mixture's v by up to
// 0.1 % near the critical point.
struct SaturationRow {
    SaturatedValues f{};      // by position, rounded as displayed
    SaturatedValues exact{};  // by position, as interpolated
    double ts() const { return f[1]; }
    double ps() const { return f[2]; }
};

// Saturation-table position of the saturated-water value of a property (v, h, s or u); the
// saturated-steam value follows it.
int liquidFieldOf(Property p) {
    switch (p) {
        case Property::v: return 3;
        case Property::h: return 5;
        case Property::u: return data::kSatLiquidEnergy;
        default: return 7;
    }
}

GridColumn gridColumnOf(Property p) {
    return p == Property::u ? GridColumn::u : static_cast<GridColumn>(static_cast<int>(p) + 1);
}

class StateCalculation {
public:
    StateCalculation(const data::PropertyDatabase& db, StateSolution& out, Property first, double K1, Property second,
                     double K2, CalculationSteps* steps)
        : m_db(db), m_out(out), m_steps(steps), m_lookup(db), m_first(first), m_second(second), m_K1(K1), m_K2(K2) {}

    void run() {
        decideRegion();
        // Pairs without t or p are found whole by their own search.
        const bool withTP = withTemperatureOrPressure(m_out.pairCase);
        if (withTP && (m_out.region == RegionWater || m_out.region == RegionVapor)) {
            search();
            // A value between the displayed saturated-water value and the one it rounds lies
            // inside the dome although the displayed value puts it outside; when the water
            // table holds no state with it (h of compressed water mostly exceeds h'), it is
            // the wet state it names.
            if (!m_out.messages.empty() && m_insideDome) {
                m_out.messages.clear();
                m_out.Choose = 0;  // the answer comes from no table match
                const int liquid = liquidFieldOf(m_second);
                wetResults(m_sat.f[liquid], m_sat.f[liquid + 1]);
            } else if (!m_out.messages.empty()) {
                atTheDomesEdge();
            }
        }
        if (!m_out.messages.empty()) m_out.form = Form::Nothing;
    }

private:
    bool firstIsT() const { return m_first == Property::t; }

    void outOfRange() { m_out.messages.push_back({MessageCode::OutOfRange, {}}); }

    // A value of v, h or s within half a unit of its box of the saturated value on the region's
    // side, which the region's table does not reach in its stable stretch: the tables' two
    // surfaces, the grid and the saturation line, differ by about that much at the dome's edge
    // (s of cold water hardly changes with p, so its state lies just past the grid's s there).
    // The state is the saturated one at the edge.
    void atTheDomesEdge() {
        if (!m_haveSat || m_out.pairCase == PairTP) return;
        const int liquid = liquidFieldOf(m_second);
        const bool water = m_out.region == RegionWater;
        const double edge = m_sat.exact[water ? liquid : liquid + 1];
        const double tolerance = 0.5 * std::pow(10.0, -decimalsOf(m_second));
        if (!(std::fabs(m_K2 - edge) <= tolerance)) return;
        m_out.messages.clear();
        m_out.Choose = 0;
        m_out.region = RegionWet;
        writeMixture(m_sat.exact, m_sat.ts(), m_sat.ps(), water ? 0.0 : 1.0);
    }

    // The range messages the lookups asked for since the last relay.
    void relayRangeMessages() {
        for (; m_relayed < m_lookup.rangeMessages(); ++m_relayed) outOfRange();
    }

    void decideRegion() {
        const int pair = m_out.pairCase;
        if (!withTemperatureOrPressure(pair)) {
            withoutTP();
            return;
        }
        const bool belowCritical = firstIsT() ? !(m_K1 > kCriticalTemperature) : !(m_K1 > kCriticalPressure);
        if (!belowCritical) {
            aboveCritical(pair);
            return;
        }
        if (!saturationAtKnown()) {
            // Below the triple point (or below 0.01 C) the tables hold no state of the pair.
            outOfRange();
            return;
        }
        m_haveSat = true;
        if (pair == PairTX || pair == PairPX) {
            drynessResults();
            return;
        }
        if (pair == PairTP) {
            m_out.region = m_K2 > m_sat.ps() ? RegionWater : m_K2 < m_sat.ps() ? RegionVapor : RegionNeedsDryness;
        } else {
            // v, h or s against the saturated water and steam values as displayed.
            const int liquidField = liquidFieldOf(m_second);
            const double liquid = m_sat.f[liquidField];
            const double steam = m_sat.f[liquidField + 1];
            // v, h and s of steam at a given t or p all exceed their saturated-steam values, so
            // a value beyond the displayed v'', h'' or s'' but short of the interpolated one is
            // no steam: it is the wet state next to x = 1.
            m_insideDome = m_K2 >= m_sat.exact[liquidField] && m_K2 <= m_sat.exact[liquidField + 1];
            if (m_K2 < liquid)
                m_out.region = RegionWater;
            else if (m_K2 > steam && !m_insideDome)
                m_out.region = RegionVapor;
            else
                wetResults(liquid, steam);
        }
        reportRegion();
    }

    // Two of v, h, s and x: wet, compressed water or steam, as the tables hold the pair.
    void withoutTP() {
        const PairState state = findPairState(m_db, m_first, m_K1, m_second, m_K2, m_steps);
        switch (state.kind) {
            case PairState::Wet: {
                m_out.region = RegionWet;
                m_drynessFrom = {state.drynessColumn, state.drynessValue};
                const SaturatedValues& sat = state.saturation;
                writeMixture(sat, sat[1], sat[2], state.x);
                return;
            }
            case PairState::Water:
            case PairState::Vapor:
                m_out.region = state.kind == PairState::Water ? RegionWater : RegionVapor;
                m_out.Choose = 4;
                writeSinglePhase(state.values);
                return;
            default: outOfRange();
        }
    }

    void aboveCritical(int pair) {
        if (pair == PairTX || pair == PairPX) {
            if (!drynessInRange()) return;
            m_out.form = Form::NoState;
            m_out.values.fill(kNaN);
            return;
        }
        switch (pair) {
            // Above the critical temperature the critical pressure (or volume) is no border
            // between phases: the dense side's table holds the state.
            case PairTP: m_out.region = m_K2 >= kCriticalPressure ? RegionWater : RegionVapor; break;
            case PairTV: m_out.region = m_K2 > kCriticalVolume ? RegionVapor : RegionWater; break;
            case PairTH:
            case PairTS:
            case PairTU: m_out.region = RegionVapor; break;
            default: m_out.region = RegionWater; break;  // (p,v), (p,h), (p,s), (p,u)
        }
        reportRegion();
    }

    void reportRegion() {
        if (m_out.region == RegionNeedsDryness) m_out.messages.push_back({MessageCode::NeedsDryness, {}});
    }

    // The saturation row at the known t or p. A t between the last row (the critical point,
    // 373.946 C) and 373.95 lies within half a unit of the box's last decimal of that row, and
    // so does a p typed as 22.064 with more digits: both are taken as the critical state.
    bool saturationAtKnown() {
        search::RowSlots slots;
        const int i1 = firstIsT() ? 1 : 2;
        const double slack = 0.5 * std::pow(10.0, -PropertyDecimals[i1]);
        const auto column = firstIsT() ? data::SatColumn::ts : data::SatColumn::ps;
        if (search::Lookup(m_db).FindData(column, m_K1, slots.HrsSat, slots.LrsSat, 0, slack) != 1) return false;
        for (int f = 1; f <= 8; ++f) {
            m_sat.exact[f] = search::cz(slots, f, i1, m_K1);
            m_sat.f[f] = sswr(m_sat.exact[f], PropertyDecimals[f]);
        }
        // u' and u'' from the interpolated values, shown as h is.
        data::addInternalEnergy(m_sat.exact);
        for (int f : {data::kSatLiquidEnergy, data::kSatVapourEnergy})
            m_sat.f[f] = sswr(m_sat.exact[f], kInternalEnergyDecimals);
        if (m_steps)
            m_steps->steps.push_back(
                record::line(StepTable::Saturation, slots.HrsSat, slots.LrsSat, i1, m_K1, m_sat.exact));
        return true;
    }

    // A two-phase state of dryness x from the saturation row, or the range message when x is
    // so large that the values leave the range of numbers.
    void writeMixture(const SaturatedValues& sat, double t, double p, double x) {
        const double v = (1 - x) * sat[3] + x * sat[4];
        const double h = (1 - x) * sat[5] + x * sat[6];
        const double s = (1 - x) * sat[7] + x * sat[8];
        if (!std::isfinite(v) || !std::isfinite(h) || !std::isfinite(s) || !std::isfinite(x)) {
            outOfRange();
            return;
        }
        m_out.form = Form::Mixture;
        // u mixes u' and u'', each made from the saturated values at their own pressure.
        const double u = (1 - x) * sat[data::kSatLiquidEnergy] + x * sat[data::kSatVapourEnergy];
        m_out.values = {t, p, v, h, s, x, u};
        if (m_steps)
            m_steps->steps.push_back(record::mixture(sat, x, m_drynessFrom.first, m_drynessFrom.second, m_out.values));
    }

    // A dryness outside 0 to 1 names no state of water.
    bool drynessInRange() {
        if (m_K2 >= 0.0 && m_K2 <= 1.0) return true;
        outOfRange();
        return false;
    }

    void drynessResults() {
        if (!drynessInRange()) return;
        m_out.region = RegionWet;
        const double t = firstIsT() ? m_K1 : m_sat.ts();
        const double p = firstIsT() ? m_sat.ps() : m_K1;
        writeMixture(m_sat.exact, t, p, m_K2);
    }

    void wetResults(double liquid, double steam) {
        m_out.region = RegionWet;
        if (steam == liquid) {
            // The top row of the saturation table is the critical point itself: no two phases
            // and no dryness, so the state is shown as the critical state.
            m_out.form = Form::CriticalPoint;
            m_out.values = {m_sat.ts(),
                            m_sat.ps(),
                            m_sat.f[3],
                            m_sat.f[5],
                            m_sat.f[7],
                            kNaN,
                            data::internalEnergy(m_sat.f[5], m_sat.ps(), m_sat.f[3])};
            return;
        }
        // The dryness from the interpolated values, held within 0-1: the region rule has put
        // the value between the displayed ones, which may differ from these in the last digit.
        // It is used as its box shows it (15 significant digits).
        const int liquidField = liquidFieldOf(m_second);
        const double exactLiquid = m_sat.exact[liquidField], exactSteam = m_sat.exact[liquidField + 1];
        const double x = std::clamp((m_K2 - exactLiquid) / (exactSteam - exactLiquid), 0.0, 1.0);
        m_drynessFrom = {liquidField, m_K2};
        writeMixture(m_sat.exact, m_sat.ts(), m_sat.ps(), numeric::generalValue(x == 0.0 ? 0.0 : x));
    }

    void search() {
        const bool water = m_out.region == RegionWater;
        data::GridTable& table = m_db.grid(water);
        const int i1 = firstIsT() ? 1 : 2;
        const GridColumn second = gridColumnOf(m_second);
        const int i2 = data::position(second);
        search::RowSlots s;
        bool found = false;
        m_lookup.SQL(table, firstIsT() ? GridColumn::t : GridColumn::p, second, m_K1, m_K2, s, m_out.Choose, found,
                     stableStretch(water));
        relayRangeMessages();
        if (!found) return;  // the range message has been given
        std::array<double, 6> values{};
        double energyFraction = kNaN;  // u with t or p: where u takes its value between two points
        if (m_second == Property::u && m_out.Choose != 1) {
            // Along the line between the two points that bracket it, u = h - p v of the values
            // found takes the known value exactly.
            const bool gridLine = m_out.Choose == 2;
            const auto blendTo = [&](const GridRow& lower, const GridRow& upper) {
                const double f = upper[i1] == lower[i1] ? 0.0 : (m_K1 - lower[i1]) / (upper[i1] - lower[i1]);
                return pointOn(lower, upper, f);
            };
            const GridRow a = gridLine ? s.LrsFixY : blendTo(s.LrsLowerY, s.LrsUpperY);
            const GridRow b = gridLine ? s.HrsFixY : blendTo(s.HrsLowerY, s.HrsUpperY);
            energyFraction = fractionWithEnergy(a, b, m_K2);
            const GridRow point = pointOn(a, b, energyFraction);
            for (int k = 1; k <= 5; ++k) values[k] = point[k];
        } else {
            for (int k = 1; k <= 5; ++k) {
                switch (m_out.Choose) {
                    case 1: values[k] = s.ExactRs[static_cast<size_t>(k)]; break;
                    case 2: values[k] = search::cz2(s, k, i2, m_K2); break;
                    case 3: values[k] = search::cz3(s, k, i1, m_K1); break;
                    default: values[k] = search::cz4(s, k, i1, i2, m_K1, m_K2);
                }
            }
        }
        if (!onItsSideOfSaturation(water, values)) {
            outOfRange();
            return;
        }
        writeSinglePhase(values);
        if (!m_steps) return;
        const StepTable name = water ? StepTable::Water : StepTable::Vapor;
        const data::GridRow results{0, values[1], values[2], values[3], values[4], values[5], m_out.values[6]};
        m_steps->steps.push_back(
            std::isnan(energyFraction)
                ? record::gridMatch(name, m_out.Choose, s, i1, m_K1, i2, m_K2, results)
                : record::energySegment(name, m_out.Choose, s, i1, m_K1, m_K2, energyFraction, results));
        m_steps->steps.back().search = second == GridColumn::t || second == GridColumn::p
                                           ? CalculationStep::Search::None
                                           : CalculationStep::Search::AlongLine;
        m_steps->steps.back().searchSteps = m_lookup.piecesRead();
    }

    // t p v h s at positions 1 to 5; no dryness.
    void writeSinglePhase(const std::array<double, 6>& values) {
        m_out.form = Form::SinglePhase;
        for (int k = 0; k < 5; ++k) m_out.values[k] = values[k + 1];
        m_out.values[5] = kNaN;
        m_out.values[6] = data::internalEnergy(values[4], values[2], values[3]);
    }

    // Where on its line (the isotherm or isobar of the first known) a state of the region may
    // lie: on the side of the saturation point that belongs to the region. The tables reach a
    // little past it, on the metastable continuation, only to bracket states close to it.
    search::LineDomain stableStretch(bool water) const {
        search::LineDomain domain;
        if (!m_haveSat) return domain;
        if (firstIsT())
            (water ? domain.from : domain.to) = m_sat.ps();
        else
            (water ? domain.to : domain.from) = m_sat.ts();
        return domain;
    }

    // Below the critical point the tables also hold metastable rows past saturation (and
    // liquid under tension), so that states close to the saturation line can be bracketed.
    // A result that lands on the far side of saturation is no stable state of its region:
    // for example t = 200 C with h just below h', which no compressed water has.
    bool onItsSideOfSaturation(bool water, const std::array<double, 6>& values) const {
        if (!m_haveSat) return true;
        if (firstIsT()) {
            const double p = numeric::shownValue(values[2], decimalsOf(Property::p));
            return water ? p >= m_sat.ps() : p <= m_sat.ps();
        }
        const double t = numeric::shownValue(values[1], decimalsOf(Property::t));
        return water ? t <= m_sat.ts() : t >= m_sat.ts();
    }

    const data::PropertyDatabase& m_db;
    StateSolution& m_out;
    CalculationSteps* m_steps;
    // Where the dryness of a mixture came from: the SWATER position of the saturated-water
    // value of the known property, and the known value (position 0: x given or at an edge).
    std::pair<int, double> m_drynessFrom{0, 0.0};
    search::Lookup m_lookup;
    int m_relayed = 0;
    Property m_first, m_second;
    double m_K1, m_K2;
    SaturationRow m_sat;  // at the first known, when below the critical point
    bool m_haveSat = false;
    bool m_insideDome = false;  // the second value lies between the interpolated saturated values
};

}  // namespace

int pairCaseOf(Property a, Property b) {
    if (a == b) return PairNone;
    const int first = std::min(static_cast<int>(a), static_cast<int>(b));
    const int second = std::max(static_cast<int>(a), static_cast<int>(b));
    if (second == static_cast<int>(Property::u)) return PairTU + first;  // (t,u) to (x,u)
    switch (first) {
        case 0: return second;               // (t,p) to (t,x)
        case 1: return second + 4;           // (p,v) to (p,x)
        case 2: return PairVH + second - 3;  // (v,h), (v,s), (v,x)
        case 3: return PairHS + second - 4;  // (h,s), (h,x)
        default: return PairSX;
    }
}

StateSolution solveState(const data::PropertyDatabase& db, Property a, double va, Property b, double vb,
                         CalculationSteps* steps) {
    StateSolution out;
    out.pairCase = pairCaseOf(a, b);
    if (out.pairCase == PairNone) {
        out.messages.push_back({MessageCode::TwoValuesNeeded, {}});
        return out;
    }
    if (static_cast<int>(a) > static_cast<int>(b)) {
        std::swap(a, b);
        std::swap(va, vb);
    }
    try {
        StateCalculation(db, out, a, va, b, vb, steps).run();
    } catch (const data::DataFault& fault) {
        const int pair = out.pairCase;
        out = StateSolution{};
        out.pairCase = pair;
        if (steps) steps->steps.clear();
        out.messages.push_back({MessageCode::DataFault, fault.file().string()});
    }
    return out;
}

}  // namespace steam::calc
