#include "saturation_calculator.h"

#include "data/lookup.h"
#include "data/property_database.h"
#include "numeric/interpolation.h"
#include "numeric/number_text.h"

#include <cmath>

namespace steam::calc {

SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel) {
    SaturationOutcome out{panel, {}, std::nullopt};
    const int k = panel.SatChoice;
    if (k < 1 || k > 8) return out;

    data::RowSetSlots slots;
    data::Lookup lookup(db, out.messages);
    const std::string swater = db.connectionText(data::Source::Swater);
    const double known = numeric::readNumber(out.panel.text[k - 1]);
    // A value the panel shows at the end of its column (h' 0.00 at the triple point, s'' 9.1555,
    // ts 373.95 at the critical point) lies within half a unit of its last decimal of the end row.
    const double slack = 0.5 * std::pow(10.0, -PropertyDecimals[k]);
    if (lookup.FindData(swater, "SWATER", PropertyColumn[k], known, "wf", 1, slots.HrsSat, slots.LrsSat, 1, slack) != 1) {
        // No answer: nothing of an earlier one stays beside the typed value.
        for (int i = 0; i < 8; ++i)
            if (i != k - 1) out.panel.text[i] = "0";
        out.result = RegisterStore::SatValues{};
        return out;
    }

    // All eight from the value as typed; its own box then shows it with its fixed decimals.
    RegisterStore::SatValues shown{};
    for (int i = 0; i < 8; ++i) {
        out.panel.enabled[i] = true;
        const double r = numeric::cz(slots, i + 1, k, known);
        out.panel.text[i] = numeric::fixedText(r, PropertyDecimals[i + 1]);
        shown[i] = numeric::readNumber(out.panel.text[i]);
    }
    slots.HrsSat.Close();
    slots.LrsSat.Close();
    out.result = shown;
    out.answered = true;
    return out;
}

SaturationPanel cmdClean_Click(const SaturationPanel& panel) {
    SaturationPanel out = panel;
    for (int i = 0; i < 8; ++i) {
        out.enabled[i] = false;
        out.white[i] = false;
        out.text[i] = "0";
    }
    out.selected = -1;
    return out;
}

}  // namespace steam::calc
