#include "property_errors.h"

#include "numeric/number_text.h"
#include "panels/property_texts.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace accuracy {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const char* const kRegionNames[kRegions] = {"compressed water",      "superheated steam",     "supercritical",
                                            "near-critical band",    "saturated water",       "saturated steam",
                                            "saturated water, band", "saturated steam, band", "saturation line",
                                            "saturation line, band"};
const char* const kPropertyNames[] = {"cp", "cv", "w", "mu", "lambda", "nu", "Pr", "sigma"};

}  // namespace

bool beyondTransportRange(double t, double p) { return t > 900.0 || p > 100.0; }

Region regionOf(const Properties& state, iapws95::Branch branch) {
    if (inCriticalBand(state[kT], state[kP])) return kBand;
    const bool hot = state[kT] + kKelvin >= iapws95::Tc, dense = state[kP] >= iapws95::pc;
    if (hot && dense) return kSupercritical;
    if (hot) return kSuperheatedSteam;
    if (dense) return kCompressedWater;
    return branch == iapws95::Branch::Liquid ? kCompressedWater : kSuperheatedSteam;
}

Properties shownProperties(const steam::calc::ThermalSet& set) {
    const steam::panels::ThermalTexts texts = steam::panels::thermalTexts(set);
    Properties shown;
    shown.fill(kNaN);
    for (int i = 0; i < steam::panels::kThermalCount; ++i)
        shown[kFirstThermal + i] = texts[i] == "—" ? kNaN : steam::numeric::readNumber(texts[i]);
    return shown;
}

bool PropertyErrors::judgeOne(int property, Region region, double truth, double shown, double allowed,
                              bool beyondRange) {
    Tally& tally = m_tallies[{property, region}];
    if (std::isnan(truth) || std::isnan(shown)) {
        if (beyondRange) {
            ++tally.undefined;
            return false;
        }
        ++tally.judged;
        ++tally.outside;
        tally.error.add(INFINITY);
        tally.ratio.add(INFINITY);
        return true;
    }
    const double e = std::fabs(shown - truth);
    ++tally.judged;
    tally.error.add(truth != 0.0 ? e / std::fabs(truth) : e);
    tally.ratio.add(e / allowed);
    const bool outside = !(e <= allowed);
    tally.outside += outside;
    return outside;
}

bool PropertyErrors::judge(Region region, const Properties& truth, const Properties& shown, const Properties& allowed,
                           bool beyondRange) {
    bool outside = false;
    for (int k = kFirstThermal; k < kOutputs; ++k)
        outside = judgeOne(k, region, truth[k], shown[k], allowed[k], beyondRange) || outside;
    return outside;
}

void PropertyErrors::print() {
    std::printf("%-7s %-22s %7s %9s | %9s %9s %9s | %9s | %7s\n", "", "region", "judged", "undefined", "p50", "p99",
                "max", "p99 e/al", "outside");
    for (auto& [key, tally] : m_tallies) {
        std::printf("%-7s %-22s %7ld %9ld | %9.2g %9.2g %9.2g | %9.2g | %7ld\n",
                    kPropertyNames[key.first - kFirstThermal], kRegionNames[key.second], tally.judged, tally.undefined,
                    tally.error.at(0.5), tally.error.at(0.99), tally.error.at(1.0), tally.ratio.at(0.99),
                    tally.outside);
    }
}

void PropertyErrors::addTo(MarkdownTables& markdown) {
    std::vector<std::vector<std::string>> rows;
    for (auto& [key, tally] : m_tallies)
        rows.push_back({kPropertyNames[key.first - kFirstThermal], kRegionNames[key.second],
                        std::to_string(tally.judged), std::to_string(tally.undefined), figure(tally.error.at(0.5)),
                        figure(tally.error.at(0.99)), figure(tally.error.at(1.0)), figure(tally.ratio.at(0.99)),
                        std::to_string(tally.outside)});
    markdown.table(
        {"property", "region", "judged", "not defined", "p50", "p99", "max", "p99 error / allowed", "outside"}, rows);
}

}  // namespace accuracy
