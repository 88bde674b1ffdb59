#pragma once
// The accuracy report's saturation section: saturation states, each known property typed as it
// would be displayed (its fixed decimals), all ten outputs of the saturation calculation (u'
// and u'' with them) checked against IAPWS-95 at the typed value, in units of the last displayed decimal.
namespace steam::data {
class PropertyDatabase;
}

namespace accuracy {

class MarkdownTables;

/// COUNT states per known property, ts uniform in 0.01-373.94 C; prints one line per property
/// and the properties of the saturated phases, and adds both tables to `markdown`.
void runSaturationInputs(const steam::data::PropertyDatabase& db, int count, unsigned seed, MarkdownTables& markdown);

}  // namespace accuracy
