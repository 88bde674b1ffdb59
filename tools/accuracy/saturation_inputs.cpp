#include "saturation_inputs.h"

#include "conditioning.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "panels/property_texts.h"
#include "panels/saturation_panel.h"
#include "property_errors.h"
#include "report_table.h"

#include "iapws/iapws95.h"
#include "iapws/surface_tension.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace accuracy {
namespace {

using namespace steam;

// The saturation panel's outputs: the eight that may be known, then u' and u''.
constexpr int kKnown = 8, kShown = 10;

// Saturation values of ts ps v' v'' h' h'' s' s'' u' u'' at T.
std::array<double, kShown> saturationValues(double T) {
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(T, iapws95::Tt, iapws95::Tc));
    return {T - kKelvin,  sat.p,        sat.liquid.v, sat.vapour.v, sat.liquid.h,
            sat.vapour.h, sat.liquid.s, sat.vapour.s, sat.liquid.u, sat.vapour.u};
}

// The temperature at which column c takes the value x, on the branch below Thigh.
double temperatureOf(int c, double x, double Tlow, double Thigh) {
    const bool rising = saturationValues(Thigh)[c] > saturationValues(Tlow)[c];
    for (int i = 0; i < 80; ++i) {
        const double mid = 0.5 * (Tlow + Thigh);
        const bool above = saturationValues(mid)[c] > x;
        if (above == rising)
            Thigh = mid;
        else
            Tlow = mid;
    }
    return 0.5 * (Tlow + Thigh);
}

// Temperature of the extreme of column c (h'' has a maximum, v' a minimum) by golden section.
double temperatureOfExtreme(int c, double lo, double hi, bool maximum) {
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    for (int i = 0; i < 100; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        const double fa = saturationValues(a)[c], fb = saturationValues(b)[c];
        if ((fa > fb) == maximum)
            hi = b;
        else
            lo = a;
    }
    return 0.5 * (lo + hi);
}
double temperatureOfPeak() { return temperatureOfExtreme(5, 400.0, 600.0, true); }
double temperatureOfMinimum() { return temperatureOfExtreme(2, iapws95::Tt, 300.0, false); }

// The properties of both saturated phases and the surface tension as the panel shows them for
// known property c, judged against the formulations at T. The typed value carries the tables'
// error of up to one unit of its last decimal (ts, the saturation table's own coordinate,
// none): each property is widened by |d property / d known| times that unit.
bool judgeProperties(PropertyErrors& errors, int c, double unit, double T, const calc::SaturationSolution& solution) {
    const double ts = T - kKelvin;
    const double lo = std::max(T - 1e-3, iapws95::Tt), hi = std::min(T + 1e-3, iapws95::Tc);
    const double knownChange = std::fabs(saturationValues(hi)[c] - saturationValues(lo)[c]);
    const double widening = c == 0 ? 0.0 : unit / knownChange;  // per change of a property from lo to hi
    const calc::SaturationThermal shown = calc::thermalPropertiesOf(solution);
    const bool band = inCriticalBand(ts, saturationValues(T)[1]);
    bool outside = false;
    for (bool vapour : {false, true}) {
        const Properties truth = saturatedPhaseAt(ts, vapour);
        const Properties below = saturatedPhaseAt(lo - kKelvin, vapour), above = saturatedPhaseAt(hi - kKelvin, vapour);
        Properties allowed = targets(truth);
        for (int k = kFirstThermal; k < kOutputs; ++k) allowed[k] += std::fabs(above[k] - below[k]) * widening;
        const Region region = vapour ? (band ? kSaturatedSteamInBand : kSaturatedSteam)
                                     : (band ? kSaturatedWaterInBand : kSaturatedWater);
        outside = errors.judge(region, truth, shownProperties(vapour ? shown.vapour : shown.liquid), allowed, false) ||
                  outside;
    }
    const double sigma = iapws::surfaceTension(std::min(T, iapws95::Tc));
    const std::string text = panels::propertyText(shown.sigma, panels::kSurfaceTensionDecimals);
    const double allowed = std::max((band ? 5e-2 : 1e-3) * sigma, 0.005) +
                           std::fabs(iapws::surfaceTension(hi) - iapws::surfaceTension(lo)) * widening;
    return errors.judgeOne(kSigma, band ? kSaturationLineInBand : kSaturationLine, sigma,
                           text == "—" ? NAN : numeric::readNumber(text), allowed, false) ||
           outside;
}

}  // namespace

void runSaturationInputs(const data::PropertyDatabase& db, int count, unsigned seed, MarkdownTables& markdown) {
    static const int decimals[kShown] = {2, 6, 8, 5, 2, 2, 4, 4, 2, 2};
    static const char* names[kShown] = {"ts", "ps", "v'", "v''", "h'", "h''", "s'", "s''", "u'", "u''"};
    std::printf(
        "\nSaturation calculation: %d states per known property, ts uniform in 0.01-373.94 C, the known value "
        "typed with its displayed decimals.\n",
        count);
    std::printf(
        "Per output: share within one unit of the last displayed decimal, p99 and max error in those units; "
        "props: states with some property of the saturated phases or the surface tension outside its allowance "
        "(below).\n");
    PropertyErrors properties;
    std::vector<std::vector<std::string>> rows;
    for (int c = 0; c < kKnown; ++c) {
        std::mt19937_64 rng(seed + c);
        std::uniform_real_distribution<double> tDist(0.01, 373.94);
        long tried = 0, messages = 0, propertiesOutside = 0;
        std::array<long, kShown> within{};
        std::array<Quantiles, kShown> errors;
        for (int i = 0; i < count; ++i) {
            const double ts = tDist(rng);
            const double typed =
                numeric::readNumber(numeric::fixedText(saturationValues(ts + kKelvin)[c], decimals[c]));
            // The state the typed value names (h'' and v' on the branch the calculator takes: the
            // first in table order that reaches the value).
            double T;
            if (c == 0) {
                T = typed + kKelvin;
            } else if (c == 5 || c == 2) {
                const double turn = c == 5 ? temperatureOfPeak() : temperatureOfMinimum();
                const double first = saturationValues(iapws95::Tt)[c];
                const bool onFirst = c == 5 ? typed >= first : typed <= first;
                T = onFirst ? temperatureOf(c, typed, iapws95::Tt, turn) : temperatureOf(c, typed, turn, iapws95::Tc);
            } else {
                T = temperatureOf(c, typed, iapws95::Tt, iapws95::Tc);
            }
            const auto truth = saturationValues(T);
            panels::SaturationPanel panel;
            panels::OPT_Click(panel, c);
            panel.text[c] = numeric::fixedText(typed, decimals[c]);
            const panels::SaturationOutcome out = panels::SCAL_Click(db, panel);
            ++tried;
            if (!out.answered) {
                ++messages;
                continue;
            }
            for (int g = 0; g < kShown; ++g) {
                const double units = std::fabs((*out.result)[g] - truth[g]) / std::pow(10.0, -decimals[g]);
                errors[g].add(units);
                if (units <= 1.0 + 1e-9) ++within[g];
            }
            propertiesOutside += judgeProperties(properties, c, std::pow(10.0, -decimals[c]), T, *out.solution);
        }
        std::printf("known %-4s tried %5ld messages %4ld props %4ld:", names[c], tried, messages, propertiesOutside);
        for (int g = 0; g < kShown; ++g)
            std::printf("  %s %.1f%% (%.2g/%.2g)", names[g], 100.0 * within[g] / std::max(1L, tried - messages),
                        errors[g].at(0.99), errors[g].at(1.0));
        std::printf("\n");
        std::vector<std::string> row{names[c], std::to_string(tried), std::to_string(messages),
                                     std::to_string(propertiesOutside)};
        for (int g = 0; g < kShown; ++g)
            row.push_back(percent(double(within[g]) / std::max(1L, tried - messages)) + " / " +
                          figure(errors[g].at(0.99)) + " / " + figure(errors[g].at(1.0)));
        rows.push_back(std::move(row));
    }
    std::printf(
        "\nProperties of the saturated phases (cp to Pr) and the surface tension, as shown, against the "
        "formulations at the true ts: relative errors; targets cp, cv, w and sigma 0.1 %%, mu, lambda and nu "
        "0.2 %%, Pr 0.3 %%, 5 %% in the band (ts 360 C and above), widened by |d property / d known| times "
        "one unit of the known value's last decimal.\n");
    properties.print();

    markdown.heading("Saturation");
    markdown.paragraph(std::to_string(count) +
                       " states per known property, ts uniform in 0.01-373.94 C, the known "
                       "value typed with its displayed decimals. Per output: the share within one unit of the last "
                       "displayed decimal, the p99 and the largest error in those units. props: states with some "
                       "property of the saturated phases or the surface tension outside its allowance.");
    std::vector<std::string> header{"known", "tried", "messages", "props"};
    for (int g = 0; g < kShown; ++g) header.push_back(names[g]);
    markdown.table(header, rows);
    markdown.heading("Properties of the saturated phases");
    markdown.paragraph("Relative errors against the formulations at the true ts; the surface tension as sigma.");
    properties.addTo(markdown);
}

}  // namespace accuracy
