#include "saturation_calculator.h"

#include "data/lookup.h"
#include "data/property_database.h"
#include "numeric/interpolation.h"
#include "numeric/number_text.h"

namespace steam::calc {

SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel) {
    SaturationOutcome out{panel, {}, std::nullopt};
    const int k = panel.SatChoice;
    if (k < 1 || k > 8) return out;

    data::RowSetSlots slots;
    data::Lookup lookup(db, out.messages);
    const std::string swater = db.connectionText(data::Source::Swater);
    const double known = numeric::readNumber(out.panel.text[k - 1]);
    if (lookup.FindData(swater, "SWATER", PropertyColumn[k], known, "wf", 1, slots.HrsSat, slots.LrsSat, 1) != 1)
        return out;

    RegisterStore::SatValues shown{};
    for (int i = 0; i < 8; ++i) {
        out.panel.enabled[i] = true;
        // The known value is read again each round: once its own box has been rewritten with
        // fixed decimals, the remaining boxes follow the value as shown.
        const double current = numeric::readNumber(out.panel.text[k - 1]);
        const double r = numeric::cz(slots, i + 1, k, current);
        out.panel.text[i] = numeric::fixedText(r, PropertyDecimals[i + 1]);
        shown[i] = numeric::readNumber(out.panel.text[i]);
    }
    slots.HrsSat.Close();
    slots.LrsSat.Close();
    out.result = shown;
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
