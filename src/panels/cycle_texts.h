#pragma once
// How a cycle is written wherever it is shown: the names of the processes and of the states of
// a built cycle, a state's values as the state panel's boxes show them, the figures with their
// decimals, the cycle as one table (the cycle window, its clipboard and CSV file, steamcalc's
// plain and CSV forms), the messages of a build that ended without a cycle, and the storing of
// a cycle's states into the registers as their boxes would show them.
//
// The table: a header, then one row per state with the leg leaving it (its process, "（回热）"
// where it is heated inside the cycle, its mass fraction, q, w and isentropic efficiency), then
// one row per figure (its caption, its value).
#include "box_texts.h"
#include "message_texts.h"
#include "result_texts.h"

#include "calc/register_store.h"
#include "cycle/cycle_figures.h"
#include "cycle/rankine.h"

#include <string>
#include <vector>

namespace steam::panels {

/// "等压", "等熵", "绝热", "节流", "等温", "等容", "直线".
const char* processName(cycle::Process process);
/// steamcalc's words: isobaric isentropic adiabatic throttle isothermal isochoric line.
const char* processKey(cycle::Process process);
/// "冷凝器出口", "水泵出口", ...; "" for a state picked by hand.
const char* stateRoleName(cycle::StateRole role);

/// t p v h s x u as the state panel shows such a state: with x a mixture's, else a single
/// phase's (x "(none)").
StateTexts cycleStateTexts(const cycle::StateValues& state);

/// Heat and work with two decimals; "—" where unknown.
std::string energyText(double kilojoules);
/// A fraction as a percentage with two decimals ("37.12"); "—" where unknown.
std::string percentText(double fraction);
/// A fraction with four decimals ("0.3712"); "—" where unknown.
std::string fractionText(double fraction);

/// The cycle table's rows, header first.
std::vector<std::vector<std::string>> cycleTable(const cycle::Cycle& cycle, const cycle::CycleFigures& figures);
/// Tab-separated, every line ending in LF.
std::string cycleTsv(const cycle::Cycle& cycle, const cycle::CycleFigures& figures);
/// Byte-order mark, comma-separated, every line ending in CRLF.
std::string cycleCsv(const cycle::Cycle& cycle, const cycle::CycleFigures& figures);

/// The design value's name as steamcalc reads it: "p_high", "t_high", ...
const char* rankineValueKey(cycle::RankineValue value);
/// Why a value cannot be used, naming it: "p_low 须低于 p_high".
std::string inputFaultText(const cycle::InputFault& fault);
/// The message of a build that ended without a cycle (NoState, NotSteam): which state, and why.
MessageText buildMessage(const cycle::RankineResult& result);

/// Stores state i of the cycle into register cycleRegisters(n)[i] as the state panel's box
/// texts; returns those registers.
std::vector<int> storeCycleStates(calc::RegisterStore& registers, const cycle::Cycle& cycle);

}  // namespace steam::panels
