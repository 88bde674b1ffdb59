#pragma once
// The accuracy report's box next to the critical point, 373.95-374.3 C by 22.064-22.2 MPa,
// where cp grows without bound and h of a (t, p) state changes by tens of kJ/kg within a few
// kPa across the pseudo-critical line: random (t, p) states, the absolute error of h.
namespace steam::data {
class PropertyDatabase;
}

namespace accuracy {

class MarkdownTables;

inline constexpr double kBoxTmin = 373.95, kBoxTmax = 374.3;  // C
inline constexpr double kBoxPmin = 22.064, kBoxPmax = 22.2;   // MPa

/// COUNT states uniform in the box, each typed as (t, p) text; prints how many were refused,
/// the p50, p99 and largest error of h in kJ/kg (with the state of the largest), the shares
/// above 1 and 3 kJ/kg, and the p99 relative error of v and absolute error of s; the same as a
/// row of `markdown`.
void runCriticalBox(const steam::data::PropertyDatabase& db, int count, unsigned seed, MarkdownTables& markdown);

}  // namespace accuracy
