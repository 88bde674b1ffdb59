#pragma once
// The result list: every calculation of the run that ended with a result, newest last, as the
// calculators answered it. The windows, the clipboard, the CSV file and steamcalc's CSV show
// its entries as the panels' boxes showed them (panels/result_texts.h).
#include "saturation_solver.h"
#include "state_solver.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace steam::calc {

enum class ResultKind { Saturation, State };

struct ResultEntry {
    ResultKind kind = ResultKind::State;
    SaturationSolution saturation;  ///< a saturation result
    StateSolution state;            ///< a state result
};

/// The entry a saturation calculation leaves: one with values and no message.
std::optional<ResultEntry> saturationEntry(const SaturationSolution& solution);
/// The entry a state calculation leaves: one that ended with a state of water, steam or wet
/// steam and no message. A state that does not exist (a dryness above the critical point)
/// leaves nothing.
std::optional<ResultEntry> stateEntry(const StateSolution& solution);

/// The calculations of one run, newest last.
class ResultList {
public:
    void add(ResultEntry entry) { m_entries.push_back(std::move(entry)); }
    void clear() { m_entries.clear(); }
    const std::vector<ResultEntry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

private:
    std::vector<ResultEntry> m_entries;
};

}  // namespace steam::calc
