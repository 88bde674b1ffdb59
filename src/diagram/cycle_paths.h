#pragma once
// The lines a cycle is drawn with on every chart, as states (t p v h s x u) from which each
// chart takes its own two properties. A leg follows its process: the held property runs
// evenly from the start's value to the end's while a second property steps between the ends,
// and each point is the state the calculators give for that pair (calc::solveState):
//   等压  p held, h stepped (with the saturated water and steam of p where the leg crosses
//         them, so the isobar turns exactly at the dome)
//   等熵  s held, p stepped evenly in its logarithm
//   节流  h held, p stepped evenly in its logarithm
//   等温  t held, s stepped (with the saturated water and steam of t where the leg crosses them)
//   等容  v held, t stepped
//   绝热, 直线  the two ends only (a real machine's path is not known; it is drawn dashed)
// A point the tables do not hold is left out; the ends are the cycle's states themselves.
#include "cycle/cycle.h"
#include "data/property_database.h"

#include <vector>

namespace steam::diagram {

struct CyclePath {
    std::vector<cycle::StateValues> points;  ///< from the leg's start to its end
    bool dashed = false;                     ///< a real pump or turbine (绝热)
};

struct CycleDrawing {
    std::vector<cycle::StateValues> states;  ///< in cycle order, numbered from 1
    std::vector<CyclePath> legs;             ///< leg i from state i to the next

    bool empty() const { return states.empty(); }
};

/// Points between two states along a process (the ends included).
CyclePath legPath(const data::PropertyDatabase& db, const cycle::StateValues& from, const cycle::StateValues& to,
                  cycle::Process process);

/// The paths of every leg of a well-formed cycle.
CycleDrawing cycleDrawing(const data::PropertyDatabase& db, const cycle::Cycle& cycle);

}  // namespace steam::diagram
