// Shared helpers of the calculator tests: the generated tables, panels set up as a user
// leaves them, and IAPWS-95 reference values in the panels' units.
#pragma once

#include "calc/property_columns.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "panels/message_texts.h"
#include "panels/panels.h"
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"
#include "support/real_tables.h"

#include "iapws/iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace steam::calc::test {

inline constexpr double kKelvin = 273.15;

using namespace steam::panels;
using testsupport::realTables;

/// Index of a state property in the panel: t p v h s x u.
enum StateBox { T = 0, P = 1, V = 2, H = 3, S = 4, X = 5, U = 6 };

/// A state panel with exactly the given boxes ticked and typed (others "0"), after the clicks.
inline StatePanel statePanel(std::vector<std::pair<int, std::string>> known) {
    StatePanel panel;
    panel.text.fill("0");
    for (const auto& [box, text] : known) {
        panel.ticked[box] = true;
        panel.text[box] = text;
    }
    CHK_Click(panel);
    return panel;
}

inline StateOutcome calculate(std::vector<std::pair<int, std::string>> known) {
    return SCAL2_Click(realTables(), statePanel(std::move(known)));
}

/// The panel as a user leaves it after an answer (t = 200, p = 3.5 in every box), with other
/// boxes ticked and typed: the earlier answer still stands in the unticked boxes.
inline StatePanel afterAnAnswer(const std::vector<std::pair<int, std::string>>& known) {
    StatePanel panel = calculate({{T, "200"}, {P, "3.5"}}).panel;
    panel.ticked = {};
    for (const auto& [box, text] : known) {
        panel.ticked[box] = true;
        panel.text[box] = text;
    }
    CHK_Click(panel);
    return panel;
}

/// A saturation panel with option `index` chosen and `text` typed into its box.
inline SaturationPanel saturationPanel(int index, const std::string& text) {
    SaturationPanel panel;
    OPT_Click(panel, index);
    panel.text[index] = text;
    return panel;
}

inline std::string typed(double value) { return numeric::generalText(value); }

/// One displayed unit of box n (1 to 14).
inline double unit(int n) { return std::pow(10.0, -PropertyDecimals[n]); }

/// Saturation values ts ps v' v'' h' h'' s' s'' at ts (degrees C) from IAPWS-95.
inline std::array<double, 8> saturationReference(double ts) {
    const iapws95::Saturation sat = iapws95::saturationT(std::max(ts + kKelvin, iapws95::Tt));
    return {ts, sat.p, sat.liquid.v, sat.vapour.v, sat.liquid.h, sat.vapour.h, sat.liquid.s, sat.vapour.s};
}

/// t p v h s of a single-phase state from IAPWS-95.
inline std::array<double, 5> stateReference(const iapws95::State& st) {
    return {st.T - kKelvin, st.p, st.v, st.h, st.s};
}

/// The state (stable phase) at t (C), p (MPa).
inline iapws95::State stableState(double t, double p) {
    const double T = t + kKelvin;
    if (T >= iapws95::Tc || p >= iapws95::pc) return iapws95::stateTP(T, p, iapws95::Branch::Liquid);
    const double ps = iapws95::saturationT(T).p;
    return iapws95::stateTP(T, p, p > ps ? iapws95::Branch::Liquid : iapws95::Branch::Vapour);
}

/// Root of f in [a, b] by bisection (f(a) and f(b) of opposite signs).
inline double bisect(const std::function<double(double)>& f, double a, double b) {
    double fa = f(a);
    for (int i = 0; i < 200 && b - a > 1e-13 * (std::fabs(a) + std::fabs(b) + 1e-300); ++i) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

/// True when no box text carries a non-finite number.
inline bool showsNoNonFinite(const std::string& text) {
    std::string lower;
    for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos;
}

}  // namespace steam::calc::test
