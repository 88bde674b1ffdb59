#include "result_list.h"

namespace steam::calc {

std::optional<ResultEntry> saturationEntry(const SaturationSolution& solution) {
    if (!solution.solved || !solution.messages.empty()) return std::nullopt;
    ResultEntry entry;
    entry.kind = ResultKind::Saturation;
    entry.saturation = solution;
    return entry;
}

std::optional<ResultEntry> stateEntry(const StateSolution& solution) {
    if (!solution.solved()) return std::nullopt;
    const int region = solution.region;
    if (region != RegionWater && region != RegionVapor && region != RegionWet) return std::nullopt;
    ResultEntry entry;
    entry.kind = ResultKind::State;
    entry.state = solution;
    return entry;
}

}  // namespace steam::calc
