#pragma once
// Query texts are the interface between the lookups and the store. To keep a lookup in
// the microsecond range, a text is split into its shape (numbers replaced by parameters)
// and its numbers; the shape is prepared once and reused with the numbers bound.
#include <string>
#include <string_view>
#include <vector>

namespace steam::data {

struct ParsedQuery {
    std::string shape;            ///< the text with every numeric literal replaced by '?'
    std::vector<double> numbers;  ///< the literals in order of appearance
};

/// Splits a query text into shape and numbers. A numeric literal is a run such as
/// 12, 3.5, .5, 1e-05 or -0.25 that does not continue an identifier (v1 and h11 stay names).
/// A sign belongs to the literal when it follows an operator, '(' or ','.
ParsedQuery parseQuery(std::string_view text);

/// Shortest decimal text that reads back as the same double ("3.5", "1e-05", "200").
std::string numberText(double value);

}  // namespace steam::data
