#pragma once
// The steps of a calculation in steamcalc's JSON (--explain): an array of objects, one a step,
// with the table read ("SWATER", "WATER", "VAPOR"), the kind of step ("row", "line",
// "four_rows", "mixture"), a heading, the rows' names and the rows themselves (objects of their
// columns as numbers, as the table holds them: ts ps v1 v11 h1 h11 s1 s11 u1 u11, or t p v h s
// u; a mixture's one row is the saturated values it mixes), the formula written out with the
// numbers (lines joined by "\n") and, after a search, how many places it looked at.
#include "panels/step_texts.h"

#include <string>
#include <vector>

namespace steam::cli {

std::string stepsJson(const std::vector<panels::StepText>& steps);

}  // namespace steam::cli
