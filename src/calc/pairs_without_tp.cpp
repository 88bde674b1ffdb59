#include "pairs_without_tp.h"

#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "property_columns.h"
#include "search/surface_pair_search.h"
#include "step_recording.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace steam::calc {
namespace {

using search::SaturatedValues;
using search::SaturationWalk;
using Outcome = search::SurfacePairSearch::Outcome;

// Where a property (v, h, s or u) stands in a row of SWATER (saturated water, saturated steam)
// and in a row of the grids.
struct Columns {
    int liquid, vapour, grid;
};

Columns columnsOf(Property p) {
    switch (p) {
        case Property::v: return {3, 4, 3};
        case Property::h: return {5, 6, 4};
        case Property::u: return {data::kSatLiquidEnergy, data::kSatVapourEnergy, data::kGridEnergy};
        default: return {7, 8, 5};
    }
}

double mixture(const SaturatedValues& s, const Columns& c, double x) {
    return s[c.liquid] + x * (s[c.vapour] - s[c.liquid]);
}

// Half a unit of the last decimal a box shows: a value typed as shown may miss the table's own
// by that much, at a turn of the line or at its end.
double halfUnit(Property p) { return 0.5 * std::pow(10.0, -decimalsOf(p)); }

PairState wet(const SaturatedValues& saturation, double x) {
    PairState state;
    state.kind = PairState::Wet;
    state.saturation = saturation;
    state.x = x;
    return state;
}

// With a record: the rows of the saturation line around the place found, and how many places
// the search looked at.
void recordPlace(const data::PropertyDatabase& db, CalculationSteps* steps, const SaturatedValues& place, int looked) {
    if (!steps) return;
    data::SatRow below{}, above{};
    if (!db.saturation().rowsAround(place[1], below, above)) return;
    steps->steps.push_back(record::saturationPlace(below, above, place, looked));
}

// The first place of the saturation line where g is zero, as SaturationWalk::firstZero finds it;
// with a record, each place looked at is counted.
std::optional<SaturatedValues> firstZero(const SaturationWalk& walk, const SaturationWalk::Function& g, double from,
                                         double to, double slack, CalculationSteps* steps, int& looked) {
    if (!steps) return walk.firstZero(g, from, to, slack);
    return walk.firstZero(
        [&](const SaturatedValues& s) {
            ++looked;
            return g(s);
        },
        from, to, slack);
}

PairState withDryness(const data::PropertyDatabase& db, Property box, double value, double x, CalculationSteps* steps) {
    if (!(x >= 0.0 && x <= 1.0) || !std::isfinite(value)) return {};
    const Columns c = columnsOf(box);
    int looked = 0;
    const auto found = firstZero(
        SaturationWalk(db), [&](const SaturatedValues& s) { return mixture(s, c, x) - value; },
        -SaturationWalk::kInfinity, SaturationWalk::kInfinity, halfUnit(box), steps, looked);
    if (!found) return {};
    recordPlace(db, steps, *found, looked);
    return wet(*found, x);
}

// Where the line of the held value meets the dome's edge: on the saturated-water side or the
// saturated-steam side, with the other value there.
struct DomeEdge {
    SaturatedValues saturation;
    bool liquid;
    double outer;
};

enum class Phase { Liquid, Wet, Steam };

class HeldValueSearch {
public:
    HeldValueSearch(const data::PropertyDatabase& db, Property inner, double innerValue, Property outer,
                    double outerValue, bool rises, CalculationSteps* steps)
        : m_db(db),
          m_steps(steps),
          m_walk(db),
          m_inner(columnsOf(inner)),
          m_outer(columnsOf(outer)),
          m_innerSlack(halfUnit(inner)),
          m_outerSlack(halfUnit(outer)),
          m_innerValue(innerValue),
          m_outerValue(outerValue),
          m_rises(rises) {}

    PairState run() {
        const auto triple = m_walk.first();
        if (!triple || !std::isfinite(m_innerValue) || !std::isfinite(m_outerValue)) return {};
        const std::vector<DomeEdge> edges = domeEdges();
        // Up the line from the triple point: each edge passed changes the phase.
        Phase phase = m_innerValue < (*triple)[m_inner.liquid]   ? Phase::Liquid
                      : m_innerValue > (*triple)[m_inner.vapour] ? Phase::Steam
                                                                 : Phase::Wet;
        size_t k = 0;
        for (; k < edges.size() && beforeValue(edges[k].outer); ++k)
            phase = phase != Phase::Wet ? Phase::Wet : edges[k].liquid ? Phase::Liquid : Phase::Steam;
        const DomeEdge* below = k > 0 ? &edges[k - 1] : nullptr;
        const DomeEdge* above = k < edges.size() ? &edges[k] : nullptr;
        PairState state =
            phase == Phase::Wet ? wetState(*triple, below, above) : singlePhase(phase == Phase::Liquid, below, above);
        // (h, u): h falls along the line through steam and the dome but rises in water, so the
        // walk, which takes it to rise, may pick the wrong stretch where the line meets
        // saturated steam twice: then the wet stretch between the meetings and the steam beyond
        // the second are tried in turn.
        const size_t n = edges.size();
        if (state.kind == PairState::None && energyPair() && n >= 2 && !edges[n - 1].liquid && !edges[n - 2].liquid) {
            state = wetState(*triple, &edges[n - 2], &edges[n - 1]);
            if (state.kind == PairState::None) state = singlePhase(false, &edges[n - 1], nullptr);
        }
        // Likewise the wet stretch before saturated water, next to the critical point, where the
        // typed h lies a hair above h' there and the water beyond holds no state.
        if (state.kind == PairState::None && energyPair() && below && below->liquid)
            state = wetState(*triple, k >= 2 ? &edges[k - 2] : nullptr, below, false);
        return state;
    }

private:
    // True when the outer value at a place of the line lies below the known one in the order of
    // rising p.
    bool beforeValue(double outer) const { return m_rises ? outer < m_outerValue : outer > m_outerValue; }

    double dryness(const SaturatedValues& s) const {
        const double span = s[m_inner.vapour] - s[m_inner.liquid];
        return span > 0.0 ? (m_innerValue - s[m_inner.liquid]) / span : std::nan("");
    }

    std::vector<DomeEdge> domeEdges() const {
        std::vector<DomeEdge> edges;
        constexpr double kAll = SaturationWalk::kInfinity;
        const auto liquid = m_walk.firstZero([&](const SaturatedValues& s) { return s[m_inner.liquid] - m_innerValue; },
                                             -kAll, kAll, m_innerSlack);
        if (liquid) edges.push_back({*liquid, true, (*liquid)[m_outer.liquid]});
        const SaturationWalk::Function steam = [&](const SaturatedValues& s) {
            return s[m_inner.vapour] - m_innerValue;
        };
        const auto add = [&](const std::optional<SaturatedValues>& edge) {
            // The critical point closes both sides at once: it counts as one edge.
            if (edge && (!liquid || (*edge)[1] != (*liquid)[1]))
                edges.push_back({*edge, false, (*edge)[m_outer.vapour]});
        };
        const auto steamEdge = m_walk.firstZero(steam, -kAll, kAll, m_innerSlack);
        add(steamEdge);
        // h'' and u'' rise to a highest point and fall again, so the line of an h or a u may meet
        // them twice.
        const bool turns =
            m_inner.vapour == columnsOf(Property::h).vapour || m_inner.vapour == columnsOf(Property::u).vapour;
        if (steamEdge && turns) add(m_walk.firstZero(steam, (*steamEdge)[1] + 1e-6, kAll, m_innerSlack));
        std::sort(edges.begin(), edges.end(),
                  [](const DomeEdge& a, const DomeEdge& b) { return a.saturation[1] < b.saturation[1]; });
        return edges;
    }

    PairState wetState(const SaturatedValues& triple, const DomeEdge* below, const DomeEdge* above,
                       bool fromTriple = true) const {
        if (!above) return {};
        // Below the triple point the line leaves the tables.
        if (!below && fromTriple && !beforeValue(mixture(triple, m_outer, dryness(triple)))) return {};
        const double from = below ? below->saturation[1] : triple[1];
        int looked = 0;
        const auto found = firstZero(
            m_walk, [&](const SaturatedValues& s) { return mixture(s, m_outer, dryness(s)) - m_outerValue; }, from,
            above->saturation[1], m_outerSlack, m_steps, looked);
        if (!found) return {};
        double x = dryness(*found);
        if (!std::isfinite(x)) return {};
        // A held value within half a unit of its saturated water's (steam's) is that phase: the
        // box cannot tell it from the edge, and the edge has the phase's properties.
        if (std::fabs(m_innerValue - (*found)[m_inner.liquid]) <= m_innerSlack) x = 0.0;
        if (std::fabs(m_innerValue - (*found)[m_inner.vapour]) <= m_innerSlack) x = 1.0;
        recordPlace(m_db, m_steps, *found, looked);
        PairState state = wet(*found, std::clamp(x, 0.0, 1.0));
        state.drynessColumn = m_inner.liquid;
        state.drynessValue = m_innerValue;
        return state;
    }

    PairState singlePhase(bool liquid, const DomeEdge* below, const DomeEdge* above) const {
        const auto triple = m_walk.first();
        const auto vapourPressures = m_db.vapor().range(data::GridColumn::p);
        const auto waterPressures = m_db.water().range(data::GridColumn::p);
        if (!triple || !vapourPressures || !waterPressures) return {};
        const double lowest = vapourPressures->lowest;
        const double highest = waterPressures->highest;
        search::PressureEnd from{below    ? below->saturation[2]
                                 : liquid ? (*triple)[2]
                                          : lowest,
                                 below ? below->outer : std::nan("")};
        const search::PressureEnd to{above ? above->saturation[2] : highest, above ? above->outer : std::nan("")};
        std::array<double, 6> values{};
        const auto answer = [&](Outcome outcome, PairState::Kind kind) {
            if (outcome == Outcome::AtLowerEnd && below) return atEdge(*below);
            if (outcome == Outcome::AtUpperEnd && above) return atEdge(*above);
            if (outcome != Outcome::Found) return PairState{};
            if (onItsSide(kind, values)) {
                recordCell(values);
                return singlePhaseState(kind, values);
            }
            // Across the saturation line by the surface's own error: the dome's edge is the state.
            const DomeEdge* edge =
                below && (!above || values[2] - below->saturation[2] < above->saturation[2] - values[2]) ? below
                                                                                                         : above;
            return edge ? atEdge(*edge) : PairState{};
        };
        if (liquid) return answer(searchSurface(m_db.water(), false, from, to, values, m_rises), PairState::Water);
        const double lowEnd = from.p, highEnd = std::min(to.p, kCriticalPressure);
        // The searches may miss an (h, u) of steam (see alongLine): the line then tells.
        const auto orAlongLine = [&](PairState state) {
            if (state.kind != PairState::None || !energyPair() || !(lowEnd < highEnd)) return state;
            // The saturated steam where the stretch leaves the dome, which the tables' isobar
            // there may not reach.
            if (below && withinEnergyError(below->outer)) return atEdge(*below);
            bool atLowEnd = false;
            if (!alongLine(lowEnd, highEnd, values, atLowEnd)) return state;
            // At the dome's edge the state is the saturated steam there.
            return atLowEnd && below ? atEdge(*below) : answer(Outcome::Found, PairState::Vapor);
        };
        // Steam: VAPOR up to the critical pressure, WATER above it.
        if (from.p < kCriticalPressure) {
            const search::PressureEnd critical{kCriticalPressure, std::nan("")};
            // Along a line of u, h - u = p v of steam falls as p rises, down to a lowest value
            // near the critical pressure; a p v above the steam's is reached again on the dense
            // side, where it rises.
            const bool rises = m_rises && !energyPair();
            const auto outcome =
                searchSurface(m_db.vapor(), true, from, to.p <= kCriticalPressure ? to : critical, values, rises);
            const bool beyond = outcome == Outcome::Above || (energyPair() && outcome == Outcome::Below);
            if (!beyond || to.p <= kCriticalPressure) return orAlongLine(answer(outcome, PairState::Vapor));
            from = critical;
        }
        auto outcome = searchSurface(m_db.water(), true, from, to, values, m_rises);
        // Above the critical pressure p v of a line of u may still fall before it rises.
        if (energyPair() && outcome != Outcome::Found) {
            std::array<double, 6> falling{};
            if (searchSurface(m_db.water(), true, from, to, falling, false) == Outcome::Found) {
                outcome = Outcome::Found;
                values = falling;
            }
        }
        return orAlongLine(answer(outcome, PairState::Water));
    }

    // (h, u): u held, h the outer value, whose p v share does not change one way along the line.
    bool energyPair() const {
        return m_inner.grid == columnsOf(Property::u).grid && m_outer.grid == columnsOf(Property::h).grid;
    }

    // Whether h lies within the tables' error of the typed one, for (h, u): half a unit of each
    // box and 2e-4 of p and of v each in p v = h - u.
    bool withinEnergyError(double h) const {
        const double pv = std::fabs(m_outerValue - m_innerValue);
        return std::fabs(h - m_outerValue) <= m_innerSlack + m_outerSlack + 4e-4 * pv;
    }

    // Along much of a line of u, p v of steam changes by less than the tables' own error in it,
    // and not one way (it falls to a lowest value and rises again), so the searches may miss a
    // typed value a hair beyond the values they meet. Samples of the line in VAPOR from `lowEnd`
    // find the first place the pair names: a sample whose h lies within the tables' error of
    // the typed one (`atLowEnd` for the first), the crossing of the typed h between two samples,
    // or one within the dip of h between samples, found by narrowing down its lowest point.
    bool alongLine(double lowEnd, double highEnd, std::array<double, 6>& values, bool& atLowEnd) const {
        constexpr int kSamples = 32;
        const auto place = [&](double i) { return lowEnd * std::pow(highEnd / lowEnd, i / kSamples); };
        const auto crossing = [&](double from, double to, bool rises) {
            const search::PressureEnd a{from, std::nan("")}, b{to, std::nan("")};
            return searchSurface(m_db.vapor(), true, a, b, values, rises) == Outcome::Found;
        };
        std::array<double, 6> sample{};
        double previousP = std::nan(""), previousGap = 0.0, lowestH = INFINITY;
        int lowest = -1;
        for (int i = 0; i <= kSamples; ++i) {
            const double p = place(i);
            if (!onIsobar(m_db.vapor(), p, sample)) continue;
            const double gap = sample[4] - m_outerValue;
            if (std::isfinite(previousP) && (gap < 0) != (previousGap < 0) && crossing(previousP, p, gap > 0))
                return true;
            if (withinEnergyError(sample[4])) {
                atLowEnd = i == 0;
                values = sample;
                return true;
            }
            if (sample[4] < lowestH) lowestH = sample[4], lowest = i;
            previousP = p;
            previousGap = gap;
        }
        if (lowest <= 0) return false;
        const auto hAt = [&](double p) { return onIsobar(m_db.vapor(), p, sample) ? sample[4] : INFINITY; };
        double a = lowest - 1.0, b = std::min(lowest + 1.0, double(kSamples));
        const double g = 0.5 * (std::sqrt(5.0) - 1.0);
        for (int k = 0; k < 30; ++k) {
            const double c = b - g * (b - a), d = a + g * (b - a);
            const bool left = hAt(place(c)) < hAt(place(d));
            (left ? b : a) = left ? d : c;
        }
        const double bottom = place(0.5 * (a + b));
        return hAt(bottom) < m_outerValue && crossing(place(lowest - 1.0), bottom, false);
    }

    // The state of the table's isobar p where the inner value is taken: t p v h s at 1 to 5.
    bool onIsobar(data::GridTable& table, double p, std::array<double, 6>& values) const {
        auto line = search::SurfaceLine::around(table, data::GridColumn::p, p);
        search::LineNode first, second;
        if (!line || !line->findCrossing(m_inner.grid, m_innerValue, {}, first, second)) return false;
        const double a = line->at(first, m_inner.grid), b = line->at(second, m_inner.grid);
        const double f = b != a ? (m_innerValue - a) / (b - a) : 0.0;
        for (int k = 1; k <= 5; ++k) values[k] = line->at(first, k) + f * (line->at(second, k) - line->at(first, k));
        values[2] = p;
        return std::isfinite(values[1]) && std::isfinite(values[4]);
    }

    // Saturated water or steam at the edge of the dome.
    PairState atEdge(const DomeEdge& edge) const {
        recordPlace(m_db, m_steps, edge.saturation, 0);
        return wet(edge.saturation, edge.liquid ? 0.0 : 1.0);
    }

    Outcome searchSurface(data::GridTable& table, bool logPressure, const search::PressureEnd& from,
                          const search::PressureEnd& to, std::array<double, 6>& values, bool rises) const {
        search::SurfacePairSearch surface(table, m_inner.grid, m_innerValue, m_outer.grid, m_outerValue, rises,
                                          logPressure);
        const Outcome outcome = surface.find(from, to, values);
        if (m_steps) {
            m_isobarsRead += surface.isobarsRead();
            m_cell = surface.cell();
            m_cellTable = table.name() == "WATER" ? StepTable::Water : StepTable::Vapor;
        }
        return outcome;
    }

    // With a record: the cell the state was found in.
    void recordCell(const std::array<double, 6>& values) const {
        if (!m_steps) return;
        const data::GridRow results{0,
                                    values[1],
                                    values[2],
                                    values[3],
                                    values[4],
                                    values[5],
                                    data::internalEnergy(values[4], values[2], values[3])};
        m_steps->steps.push_back(record::cell(m_cellTable, m_cell, m_inner.grid, m_innerValue, m_outer.grid,
                                              m_outerValue, m_isobarsRead, results));
    }

    // Whether a state found by the search lies on its table's side of the saturation line (the
    // tables hold metastable rows beyond it to bracket states close to it), as the boxes show
    // its t and p.
    bool onItsSide(PairState::Kind kind, const std::array<double, 6>& values) const {
        const double t = numeric::readNumber(numeric::fixedText(values[1], PropertyDecimals[9]));
        const double p = numeric::readNumber(numeric::fixedText(values[2], PropertyDecimals[10]));
        if (p >= kCriticalPressure) return true;
        const auto saturation = m_walk.at(t);
        if (!saturation) return true;
        const double ps = numeric::sswr((*saturation)[2], PropertyDecimals[10]);
        return kind == PairState::Water ? p >= ps : p <= ps;
    }

    static PairState singlePhaseState(PairState::Kind kind, const std::array<double, 6>& values) {
        PairState state;
        state.kind = kind;
        state.values = values;
        return state;
    }

    const data::PropertyDatabase& m_db;
    CalculationSteps* m_steps;
    // Of the searches on the surface, for the record.
    mutable int m_isobarsRead = 0;
    mutable search::SurfacePairSearch::Cell m_cell;
    mutable StepTable m_cellTable = StepTable::Water;
    SaturationWalk m_walk;
    Columns m_inner, m_outer;
    double m_innerSlack, m_outerSlack;
    double m_innerValue, m_outerValue;
    bool m_rises;  // the outer value rises with p along the line (h at constant s); v falls
};

}  // namespace

PairState findPairState(const data::PropertyDatabase& db, Property a, double va, Property b, double vb,
                        CalculationSteps* steps) {
    if (b == Property::x) return withDryness(db, a, va, vb, steps);
    if (a == Property::x) return withDryness(db, b, vb, va, steps);  // (x, u)
    // s is held when given, else u, else h; the outer value is the other. Along the line of the
    // held value as p rises, v falls, h rises (at constant s or u), u rises at constant s.
    const auto held = [&](Property p) { return a == p || b == p; };
    const Property inner = held(Property::s) ? Property::s : held(Property::u) ? Property::u : Property::h;
    const bool bHeld = b == inner;
    const Property outer = bHeld ? a : b;
    const double innerValue = bHeld ? vb : va, outerValue = bHeld ? va : vb;
    return HeldValueSearch(db, inner, innerValue, outer, outerValue, outer != Property::v, steps).run();
}

}  // namespace steam::calc
