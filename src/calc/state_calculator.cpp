#include "state_calculator.h"

#include "data/lookup.h"
#include "data/property_database.h"
#include "numeric/interpolation.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "pairs_without_tp.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace steam::calc {
namespace {

using numeric::generalText;
using numeric::readNumber;
using numeric::sswr;
using data::SaturatedValues;

constexpr const char* kNoticeTitle = "注意";

data::Message notice(const char* text) { return {kNoticeTitle, text, data::MessageIcon::Exclamation}; }

// Saturation values at the known t or p: ts ps v' v'' h' h'' s' s''. The region is decided on
// the values rounded as the saturation panel displays them; a wet state mixes the values as
// interpolated, since rounding v'' to five decimals alone would shift a mixture's v by up to
// 0.1 % near the critical point.
struct SaturationRow {
    SaturatedValues f{};      // 1-based, rounded as displayed
    SaturatedValues exact{};  // 1-based, as interpolated
    double ts() const { return f[1]; }
    double ps() const { return f[2]; }
};

// Box index (0 to 5) and grid column of the second known of each pair.
struct PairSetting {
    int box;
    const char* column;
    int field;  // position of the column in the grids, 0 for x
};

PairSetting secondOf(int pairCase) {
    switch (pairCase) {
        case PairTP: return {1, "p", 2};
        case PairTV: case PairPV: return {2, "v", 3};
        case PairTH: case PairPH: return {3, "h", 4};
        case PairTS: case PairPS: return {4, "s", 5};
        default: return {5, "x", 0};
    }
}

class StateCalculation {
public:
    StateCalculation(const data::PropertyDatabase& db, StateOutcome& out) : m_db(db), m_out(out), m_lookup(db, out.messages) {}

    void run() {
        if (inputCheck()) {
            decideRegion();
            // Pairs without t or p are found whole by their own search.
            const bool withTP = m_out.pairCase < PairVH;
            if (withTP && (m_out.region == RegionWater || m_out.region == RegionVapor)) {
                search();
                // A value between the displayed saturated-water value and the one it rounds
                // lies inside the dome although the displayed value puts it outside; when the
                // water table holds no state with it (h of compressed water mostly exceeds h'),
                // it is the wet state it names.
                if (!m_out.messages.empty() && m_insideDome) {
                    m_out.messages.clear();
                    m_out.Choose = 0;  // the answer comes from no table match
                    const int liquidField = liquidFieldOf(secondOf(m_out.pairCase).box);
                    wetResults(m_sat, m_sat.f[liquidField], m_sat.f[liquidField + 1]);
                }
            }
            if (!m_out.messages.empty()) clearUnticked();
        }
        m_out.answered = m_out.messages.empty();
        closingStep();
    }

private:
    std::string& box(int k) { return m_out.panel.text[k]; }

    // Any two boxes; the first ticked in box order is the first known.
    bool inputCheck() {
        if (check2(m_out.panel) != 2) {
            m_out.messages.push_back(notice("必须输入2个参数!"));
            return false;
        }
        m_first = -1;
        m_second = -1;
        for (int k = 0; k < 6; ++k)
            if (m_out.panel.ticked[k]) (m_first < 0 ? m_first : m_second) = k;
        m_firstIsT = m_first == 0;
        m_out.pairCase = pairCaseOf(m_first, m_second);
        return true;
    }

    static int pairCaseOf(int first, int second) {
        switch (first) {
            case 0: return second;                  // (t,p) to (t,x)
            case 1: return second + 4;              // (p,v) to (p,x)
            case 2: return PairVH + second - 3;     // (v,h), (v,s), (v,x)
            case 3: return PairHS + second - 4;     // (h,s), (h,x)
            default: return PairSX;
        }
    }

    void decideRegion() {
        const int pair = m_out.pairCase;
        if (pair >= PairVH) {
            withoutTP();
            return;
        }
        m_K1 = readNumber(box(m_firstIsT ? 0 : 1));
        const bool belowCritical = m_firstIsT ? !(m_K1 > kCriticalTemperature) : !(m_K1 > kCriticalPressure);
        const PairSetting second = secondOf(pair);
        if (!belowCritical) {
            aboveCritical(pair, second);
            return;
        }
        SaturationRow& sat = m_sat;
        if (!saturationAtKnown(sat)) {
            // Below the triple point (or below 0.01 C) the tables hold no state of the pair.
            m_out.messages.push_back(data::outOfRangeMessage());
            return;
        }
        m_haveSat = true;
        if (pair == PairTX || pair == PairPX) {
            drynessResults(sat);
            return;
        }
        m_K2 = readNumber(box(second.box));
        if (pair == PairTP) {
            m_out.region = m_K2 > sat.ps() ? RegionWater : m_K2 < sat.ps() ? RegionVapor : RegionNeedsDryness;
        } else {
            // v, h or s against the saturated water and steam values as displayed.
            const int liquidField = liquidFieldOf(second.box);
            const double liquid = sat.f[liquidField];
            const double steam = sat.f[liquidField + 1];
            // v, h and s of steam at a given t or p all exceed their saturated-steam values, so
            // a value beyond the displayed v'', h'' or s'' but short of the interpolated one is
            // no steam: it is the wet state next to x = 1.
            m_insideDome = m_K2 >= sat.exact[liquidField] && m_K2 <= sat.exact[liquidField + 1];
            if (m_K2 < liquid)
                m_out.region = RegionWater;
            else if (m_K2 > steam && !m_insideDome)
                m_out.region = RegionVapor;
            else
                wetResults(sat, liquid, steam);
        }
        reportRegion();
    }

    // Two of v, h, s and x: wet, compressed water or steam, as the tables hold the pair.
    void withoutTP() {
        const PairState state = findPairState(m_db, m_first, readNumber(box(m_first)), m_second, readNumber(box(m_second)));
        switch (state.kind) {
            case PairState::Wet: {
                m_out.region = RegionWet;
                const SaturatedValues& sat = state.saturation;
                writeMixture(sat, sat[1], sat[2], state.x);
                return;
            }
            case PairState::Water:
            case PairState::Vapor:
                m_out.region = state.kind == PairState::Water ? RegionWater : RegionVapor;
                m_out.Choose = 4;
                m_out.panel.enabled.fill(true);
                writeSinglePhase(state.values);
                return;
            default: m_out.messages.push_back(data::outOfRangeMessage());
        }
    }

    void aboveCritical(int pair, const PairSetting& second) {
        if (pair == PairTX || pair == PairPX) {
            for (int k = 0; k < 6; ++k) box(k) = "none";
            return;
        }
        m_K2 = readNumber(box(second.box));
        switch (pair) {
            case PairTP:
                m_out.region = m_K2 > kCriticalPressure   ? RegionWater
                               : m_K2 < kCriticalPressure ? RegionVapor
                                                          : RegionInvalid;
                break;
            case PairTV:
                m_out.region = m_K2 > kCriticalVolume   ? RegionVapor
                               : m_K2 < kCriticalVolume ? RegionWater
                                                        : RegionInvalid;
                break;
            case PairTH: case PairTS: m_out.region = RegionVapor; break;
            default: m_out.region = RegionWater; break;  // (p,v), (p,h), (p,s)
        }
        reportRegion();
    }

    // Field of the saturated-water value of the box's property (v, h or s) in a saturation row.
    static int liquidFieldOf(int box) { return box == 2 ? 3 : box == 3 ? 5 : 7; }

    void reportRegion() {
        if (m_out.region == RegionInvalid) m_out.messages.push_back(notice("输入数值有误，请重新输入"));
        if (m_out.region == RegionNeedsDryness) m_out.messages.push_back(notice("湿蒸汽，请输入干度"));
    }

    // The saturation row at the known t or p. A t between the last row (the critical point,
    // 373.946 C) and 373.95 lies within half a unit of the box's last decimal of that row, and
    // so does a p typed as 22.064 with more digits: both are taken as the critical state.
    bool saturationAtKnown(SaturationRow& sat) {
        data::RowSetSlots slots;
        const int i1 = m_firstIsT ? 1 : 2;
        const double slack = 0.5 * std::pow(10.0, -PropertyDecimals[i1]);
        if (m_lookup.FindData(m_db.connectionText(data::Source::Swater), "SWATER", m_firstIsT ? "ts" : "ps", m_K1, "wf",
                              1, slots.HrsSat, slots.LrsSat, 0, slack) != 1)
            return false;
        for (int f = 1; f <= 8; ++f) {
            sat.exact[f] = numeric::cz(slots, f, i1, m_K1);
            sat.f[f] = sswr(sat.exact[f], PropertyDecimals[f]);
        }
        return true;
    }

    // Writes a two-phase state of dryness x from the saturation row, or the range message
    // when x is so large that the values leave the range of numbers.
    void writeMixture(const SaturatedValues& sat, double t, double p, double x) {
        const double v = (1 - x) * sat[3] + x * sat[4];
        const double h = (1 - x) * sat[5] + x * sat[6];
        const double s = (1 - x) * sat[7] + x * sat[8];
        if (!std::isfinite(v) || !std::isfinite(h) || !std::isfinite(s) || !std::isfinite(x)) {
            m_out.messages.push_back(data::outOfRangeMessage());
            return;
        }
        box(0) = generalText(sswr(t, 2));
        box(1) = generalText(sswr(p, 6));
        box(2) = generalText(sswr(v, 8));
        box(3) = generalText(sswr(h, 2));
        box(4) = generalText(sswr(s, 4));
        box(5) = generalText(sswr(x, 2));
    }

    void drynessResults(const SaturationRow& sat) {
        m_out.region = RegionWet;
        const double x = readNumber(box(5));
        const double t = m_firstIsT ? m_K1 : sat.ts();
        const double p = m_firstIsT ? sat.ps() : m_K1;
        writeMixture(sat.exact, t, p, x);
    }

    void wetResults(const SaturationRow& sat, double liquid, double steam) {
        m_out.region = RegionWet;
        if (steam == liquid) {
            // The top row of the saturation table is the critical point itself: no two phases
            // and no dryness, so the state is shown as the critical state.
            box(0) = generalText(sat.ts());
            box(1) = generalText(sat.ps());
            box(2) = generalText(sat.f[3]);
            box(3) = generalText(sat.f[5]);
            box(4) = generalText(sat.f[7]);
            box(5) = "(none)";
            return;
        }
        // The dryness from the interpolated values, held within 0-1: the region rule has put
        // the value between the displayed ones, which may differ from these in the last digit.
        // x passes through its box as general text and is read back before use.
        const int liquidField = liquidFieldOf(secondOf(m_out.pairCase).box);
        const double exactLiquid = sat.exact[liquidField], exactSteam = sat.exact[liquidField + 1];
        const double x = std::clamp((m_K2 - exactLiquid) / (exactSteam - exactLiquid), 0.0, 1.0);
        box(5) = generalText(x == 0.0 ? 0.0 : x);  // never "-0"
        writeMixture(sat.exact, sat.ts(), sat.ps(), readNumber(box(5)));
    }

    void search() {
        m_out.panel.enabled.fill(true);
        const bool water = m_out.region == RegionWater;
        const std::string table = water ? "WATER" : "VAPOR";
        const std::string path = m_db.connectionText(water ? data::Source::Water : data::Source::Vapor);
        const PairSetting second = secondOf(m_out.pairCase);
        const int i1 = m_firstIsT ? 1 : 2;
        const int i2 = second.field;
        data::RowSetSlots s;
        bool found = false;
        m_lookup.SQL(path, table, m_firstIsT ? "t" : "p", second.column, m_K1, m_K2, s, m_out.Choose, found,
                     stableStretch(water));
        if (!found) return;  // the range message has been given; the boxes stay as they were
        std::array<double, 6> values{};
        for (int k = 1; k <= 5; ++k) {
            switch (m_out.Choose) {
                case 1: values[k] = s.ExactRs.Fields(k); break;
                case 2: values[k] = numeric::cz2(s, k, i2, m_K2); break;
                case 3: values[k] = numeric::cz3(s, k, i1, m_K1); break;
                default: values[k] = numeric::cz4(s, k, i1, i2, m_K1, m_K2);
            }
        }
        if (!onItsSideOfSaturation(water, values)) {
            m_out.messages.push_back(data::outOfRangeMessage());
            return;
        }
        writeSinglePhase(values);
    }

    // Single-phase boxes: t p v h s with their fixed decimals, no dryness.
    void writeSinglePhase(const std::array<double, 6>& values) {
        for (int k = 1; k <= 5; ++k) box(k - 1) = numeric::fixedText(values[k], PropertyDecimals[8 + k]);
        box(5) = "(none)";
    }

    // Where on its line (the isotherm or isobar of the first known) a state of the region may
    // lie: on the side of the saturation point that belongs to the region. The tables reach a
    // little past it, on the metastable continuation, only to bracket states close to it.
    data::LineDomain stableStretch(bool water) const {
        data::LineDomain domain;
        if (!m_haveSat) return domain;
        if (m_firstIsT)
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
        if (m_firstIsT) {
            const double p = readNumber(numeric::fixedText(values[2], PropertyDecimals[10]));
            return water ? p >= m_sat.ps() : p <= m_sat.ps();
        }
        const double t = readNumber(numeric::fixedText(values[1], PropertyDecimals[9]));
        return water ? t <= m_sat.ts() : t >= m_sat.ts();
    }

    // After a message no earlier answer may stand beside the typed values.
    void clearUnticked() {
        for (int k = 0; k < 6; ++k)
            if (!m_out.panel.ticked[k]) box(k) = "0";
    }

    void closingStep() {
        m_out.panel.enabled.fill(true);
        if (!m_out.answered) return;  // no state to mark: the result stays all zeros
        for (int k = 0; k < 6; ++k) {
            const double value = readNumber(box(k));
            m_out.result[k] = std::isfinite(value) ? value : 0.0;
        }
    }

    const data::PropertyDatabase& m_db;
    StateOutcome& m_out;
    data::Lookup m_lookup;
    int m_first = -1, m_second = -1;  // the ticked boxes, in box order
    bool m_firstIsT = true;
    double m_K1 = 0.0;
    double m_K2 = 0.0;
    SaturationRow m_sat;  // at the first known, when below the critical point
    bool m_haveSat = false;
    bool m_insideDome = false;  // the second value lies between the interpolated saturated values
};

}  // namespace

StateOutcome SCAL2_Click(const data::PropertyDatabase& db, const StatePanel& panel) {
    StateOutcome out;
    out.panel = panel;
    StateCalculation(db, out).run();
    return out;
}

StatePanel cmdClean2_Click(const StatePanel& panel) {
    StatePanel out = panel;
    for (auto& t : out.text) t = "0";
    check2(out);
    return out;
}

}  // namespace steam::calc
