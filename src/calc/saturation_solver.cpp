#include "saturation_solver.h"

#include "data/data_fault.h"
#include "search/lookup.h"
#include "step_recording.h"

#include <cmath>

namespace steam::calc {

SaturationSolution solveSaturation(const data::PropertyDatabase& db, SatProperty known, double value,
                                   CalculationSteps* steps) {
    SaturationSolution out;
    const int k = static_cast<int>(known) + 1;  // its position in the saturation table
    try {
        search::RowSlots slots;
        search::Lookup lookup(db);
        const double slack = 0.5 * std::pow(10.0, -decimalsOf(known));
        if (lookup.FindData(static_cast<data::SatColumn>(k), value, slots.HrsSat, slots.LrsSat, 1, slack) != 1) {
            for (int i = 0; i < lookup.rangeMessages(); ++i) out.messages.push_back({MessageCode::OutOfRange, {}});
            return out;
        }
        for (int i = 0; i < kSaturationProperties; ++i) out.values[i] = search::cz(slots, i + 1, k, value);
        out.u1 = data::internalEnergy(out[SatProperty::h1], out[SatProperty::ps], out[SatProperty::v1]);
        out.u11 = data::internalEnergy(out[SatProperty::h11], out[SatProperty::ps], out[SatProperty::v11]);
        out.solved = true;
        if (steps) {
            data::SatRow results{};
            for (int i = 0; i < kSaturationProperties; ++i) results[static_cast<size_t>(i + 1)] = out.values[i];
            results[data::kSatLiquidEnergy] = out.u1;
            results[data::kSatVapourEnergy] = out.u11;
            steps->steps.push_back(record::line(StepTable::Saturation, slots.HrsSat, slots.LrsSat, k, value, results));
        }
        search::RowSlots other;
        if (lookup.otherCrossing(static_cast<data::SatColumn>(k), value, other.HrsSat, other.LrsSat) == 1)
            out.otherTs = search::cz(other, 1, k, value);
    } catch (const data::DataFault& fault) {
        out = SaturationSolution{};
        if (steps) steps->steps.clear();
        out.messages.push_back({MessageCode::DataFault, fault.file().string()});
    }
    return out;
}

}  // namespace steam::calc
