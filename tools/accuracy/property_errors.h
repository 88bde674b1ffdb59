#pragma once
// The accuracy report's judgement of the properties shown beyond the boxes: cp, cv, w, mu,
// lambda, nu and Pr of a state or a saturated phase, and the surface tension. The texts the
// program shows are read back and compared with the formulations at the true state, each
// within its allowance (conditioning.h: its target, widened where the known values barely
// determine the state). Tallied per property and per region: the p50, p99 and largest
// relative error, the p99 of the error over its allowance, and how many lie outside it. Where
// the program shows "—" because the formulations end there (the transport releases at 900 C
// and 100 MPa, for the true or the shown state) the property is counted as not defined, not
// judged; a "—" anywhere else is outside.
#include "conditioning.h"
#include "report_table.h"

#include "calc/thermal_properties.h"

#include <array>
#include <map>
#include <utility>

namespace accuracy {

/// Where a state lies, for the tallies.
enum Region : int {
    kCompressedWater,
    kSuperheatedSteam,
    kSupercritical,
    kBand,  ///< single phase inside the near-critical band
    kSaturatedWater,
    kSaturatedSteam,
    kSaturatedWaterInBand,
    kSaturatedSteamInBand,
    kSaturationLine,  ///< the surface tension
    kSaturationLineInBand,
    kRegions
};

/// The region of a single-phase state: the band, then by t and p as the program names phases.
Region regionOf(const Properties& state, iapws95::Branch branch);

/// cp to Pr as the program shows them for `set`, read back from their texts (NaN for "—");
/// the other outputs NaN.
Properties shownProperties(const steam::calc::ThermalSet& set);

/// The surface tension, next to Pr in the tallies.
inline constexpr int kSigma = kOutputs;

class PropertyErrors {
public:
    /// Judges cp to Pr of `shown` against `truth` within `allowed`; `beyondRange` when the true
    /// or the shown state lies beyond the transport releases. True when some property lies
    /// outside its allowance.
    bool judge(Region region, const Properties& truth, const Properties& shown, const Properties& allowed,
               bool beyondRange);
    /// One property (kCp to kPr, or kSigma) alone.
    bool judgeOne(int property, Region region, double truth, double shown, double allowed, bool beyondRange);

    /// One line per property and region: judged, not defined, p50 p99 max relative error, p99
    /// of error over allowed, outside.
    void print();
    /// The same lines as a Markdown table.
    void addTo(MarkdownTables& markdown);

private:
    struct Tally {
        long judged = 0, undefined = 0, outside = 0;
        Quantiles error, ratio;
    };
    std::map<std::pair<int, int>, Tally> m_tallies;  // by property, region
};

/// True beyond the transport releases: t above 900 C or p above 100 MPa.
bool beyondTransportRange(double t, double p);

}  // namespace accuracy
