#pragma once
// `steamcalc [--json | --csv] cycle rankine p_high=8 t_high=480 p_low=0.008 [eta_turbine=0.85]
// [eta_pump=0.8] [p_reheat=0.7 t_reheat=440] [p_fwh=0.7]`: the Rankine cycle built from its
// design values (cycle/rankine.h), its states as the state panel shows them and its figures.
// p_high and p_low are needed; without t_high the steam leaves the boiler saturated; the
// efficiencies are 1 unless given. Each value is one whole number as the boxes read it; a
// value that is not, a name given twice, an unknown name or a value the builder cannot use
// makes the request malformed, naming the value. A cycle whose states the tables do not hold
// ends with a message.
//   plain: the cycle table (panels/cycle_texts.h) in aligned columns, then its figures
//   --json: {"states": [{"t","p","v","u","h","s","x"} as texts], "legs": [...], "heat_in",
//           "heat_out", "net_work" (kJ/kg), "efficiency", "back_work_ratio",
//           "carnot_efficiency" (fractions), "y" with a feedwater heater, "messages"}
//   --csv: the cycle window's CSV file
#include "cycle/cycle_figures.h"
#include "cycle/rankine.h"
#include "data/property_database.h"

#include <optional>
#include <string>
#include <vector>

namespace steam::cli {

/// The words after "cycle". On failure nothing, and error names what is wrong.
std::optional<cycle::RankineInputs> parseCycleRequest(const std::vector<std::string>& words, std::string& error);

struct CycleAnswer {
    cycle::RankineResult built;
    cycle::CycleFigures figures{};  ///< of a built cycle
    bool answered() const { return built.outcome == cycle::BuildOutcome::Built; }
};

CycleAnswer cycleAnswer(const data::PropertyDatabase& db, const cycle::RankineInputs& inputs);

std::string cycleJson(const CycleAnswer& answer);
std::string cycleText(const CycleAnswer& answer);
/// The CSV file; a cycle that ended with a message gives the message as its one line.
std::string cycleCsvText(const CycleAnswer& answer);

}  // namespace steam::cli
