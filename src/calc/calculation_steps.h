#pragma once
// How a calculation found its values, as numbers: which table it read, the rows that bracket
// the known values as they stand there, the interpolation's inputs (the known values and the
// fractions between rows) and results, and how many places a search looked at before it held
// the final rows. The calculators fill a record only when given one (solveSaturation,
// solveState take a pointer, null by default); the texts that write the arithmetic out are
// made at the edges (panels/step_texts.h).
//
// Positions are the tables' column positions (data/schema.h): SWATER 1 ts, 2 ps, 3 v', 4 v'',
// 5 h', 6 h'', 7 s', 8 s'', then 9 u' and 10 u''; WATER and VAPOR 1 t, 2 p, 3 v, 4 h, 5 s,
// then 6 u. Units as in state_solver.h.
#include <array>
#include <limits>
#include <vector>

namespace steam::calc {

enum class StepTable { Saturation, Water, Vapor };

struct CalculationStep {
    enum class Kind {
        /// One row holds the known value(s): every value as it stands (rows[0]).
        Row,
        /// Two rows (ascending in the key column): every column straight between them at
        /// fraction[0] = (known[0] - key of rows[0]) / (key of rows[1] - key of rows[0]), the key
        /// being column keys[0]: value = row0 + fraction[0] (row1 - row0).
        Line,
        /// Four rows A B C D (rows[0..3]): A and B, then C and D, blended at fraction[0] (A + f
        /// (B - A)); the two points then blended at fraction[1]. With `from` Keys, fraction[0]
        /// puts column keys[0] at known[0] on A-B and fraction[1] puts column keys[1] at
        /// known[1] between the two points: bilinear interpolation on the (t, p) grid, or the
        /// point of that surface on the line of a known t or p where v, h or s takes its value.
        FourRows,
        /// The saturated values (saturated, by SWATER position) mixed with dryness x:
        /// value = (1 - x) value' + x value''. With keys[0] a SWATER position of a saturated-
        /// water value, x came from known[0] there: x = (known - value') / (value'' - value').
        Mixture,
    };
    /// How the last fraction (of a cell, both) was found.
    enum class From {
        Keys,       ///< from the key columns, as Kind says
        Energy,     ///< where u = h - 1000 p v along the segment takes known[1]
        TwoValues,  ///< a cell of the grid (A B on the lower isobar, C D on the upper; A C at
                    ///< the colder isotherm): fraction[0] along p, fraction[1] along t, solved
                    ///< so that columns keys[0] and keys[1] take known[0] and known[1]
    };
    /// What searched for the rows.
    enum class Search {
        None,             ///< the known values bracketed directly
        AlongLine,        ///< a line of the (t, p) surface at the known t or p (pieces read)
        OverIsobars,      ///< the tabulated isobars for two of v, h, s and u (isobars read)
        AlongSaturation,  ///< the saturation line (places looked at)
    };

    Kind kind = Kind::Row;
    StepTable table = StepTable::Saturation;
    From from = From::Keys;
    Search search = Search::None;
    int searchSteps = 0;
    /// Rows by position, as the table holds them (u' u'' or u made from their own h, p, v).
    std::vector<std::vector<double>> rows;
    std::array<int, 2> keys{0, 0};
    std::array<double, 2> known{0.0, 0.0};
    std::array<double, 2> fraction{0.0, 0.0};
    /// Mixture: the saturated values mixed and the dryness.
    std::vector<double> saturated;
    double x = std::numeric_limits<double>::quiet_NaN();
    /// The values found, by position of the step's table; a Mixture's by state property
    /// (t p v h s x u).
    std::vector<double> results;
};

struct CalculationSteps {
    std::vector<CalculationStep> steps;
};

}  // namespace steam::calc
