#pragma once
// The accuracy report's wet states: random states of saturated water and steam mixed to a
// random dryness, each fed through the state calculation by every pair that can name it.
namespace steam::data {
class PropertyDatabase;
}

namespace accuracy {

class MarkdownTables;

/// COUNT states with ts from 0.01 to 360 C (outside the near-critical band) and BAND_COUNT with
/// ts from 360 to 373.9 C (inside it), dryness uniform from 0 to 1; prints the table and adds it
/// to `markdown`. Shows up to `showFailures` refused or missed states.
void runWetStates(const steam::data::PropertyDatabase& db, int count, int bandCount, unsigned seed, int showFailures,
                  MarkdownTables& markdown);

}  // namespace accuracy
