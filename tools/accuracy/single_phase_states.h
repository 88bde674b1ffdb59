#pragma once
// The accuracy report's single-phase states: random stable states, each fed through the state
// calculation by every pair that names a single-phase state (the dryness pairs aside), and
// judged on the values the boxes show against IAPWS-95 (conditioning.h).
namespace steam::data {
class PropertyDatabase;
}

namespace accuracy {

class MarkdownTables;

/// COUNT states over t 0.01-1000 C and log p 0.001-100 MPa outside the near-critical band and
/// BAND_COUNT inside it (360-390 C, 18-26 MPa), all more than 0.05 K off saturation; prints the
/// table and adds it, with the properties beyond the boxes, to `markdown`. Shows up to
/// `showFailures` refused or missed states.
void runSinglePhaseStates(const steam::data::PropertyDatabase& db, int count, int bandCount, unsigned seed,
                          int showFailures, MarkdownTables& markdown);

}  // namespace accuracy
