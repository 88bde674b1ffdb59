#pragma once
// The steps of a calculation (calc/calculation_steps.h) written out for a student: for each
// step the table read, its rows as they stand there and the interpolation with the numbers,
// each result followed by the text its box shows. The 计算过程 window and steamcalc --explain
// show the same texts (the whole explanation: explanation_texts.h).
//
// Numbers in the rows and formulas carry four decimals more than their boxes (trailing zeros
// dropped), fractions and dryness eight significant digits: redone by hand from these, every
// result comes to the text its box shows.
#include "calc/calculation_steps.h"
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"

#include <string>
#include <vector>

namespace steam::panels {

struct StepText {
    std::string table;    ///< "SWATER", "WATER" or "VAPOR"
    std::string kind;     ///< "row", "line", "four_rows" or "mixture"
    std::string heading;  ///< what was read and how, one line
    /// The rows: their names ("1", "2"; "A" to "D"; "饱和"), the columns' keys (steamcalc's
    /// names: ts ps v1 v11 h1 h11 s1 s11 u1 u11, or t p v h s u), captions with units, the
    /// numbers as the table holds them and their texts.
    std::vector<std::string> rowNames;
    std::vector<std::string> keys;
    std::vector<std::string> captions;
    std::vector<std::vector<double>> rows;
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> formula;  ///< lines
    int searchSteps = 0;               ///< places a search looked at; 0 without one
};

std::vector<StepText> stepTexts(const calc::CalculationSteps& steps);

/// The formula's lines joined by line feeds.
std::string formulaText(const StepText& step);

}  // namespace steam::panels
