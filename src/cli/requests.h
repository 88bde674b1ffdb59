#pragma once
// The requests of the command-line calculator:
//   sat COLUMN VALUE              COLUMN: ts ps v1 v11 h1 h11 s1 s11
//   state NAME=VALUE NAME=VALUE   NAME: t p v h s x u
// A value is a whole number between blanks, in the forms a box reads (full-width digits,
// signs and full stops included); anything else makes the request malformed, naming the value.
#include "calc/property_columns.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace steam::cli {

struct SaturationRequest {
    calc::SatProperty known = calc::SatProperty::ts;
    double value = 0.0;
};

struct StateRequest {
    calc::Property first = calc::Property::t, second = calc::Property::p;
    double firstValue = 0.0, secondValue = 0.0;
};

using Request = std::variant<SaturationRequest, StateRequest>;

/// Parses the words of one request; on failure returns nothing and sets error to one line
/// naming what is wrong.
std::optional<Request> parseRequest(const std::vector<std::string>& words, std::string& error);

/// Splits a request line at blanks.
std::vector<std::string> splitWords(const std::string& line);

/// Names of the saturation columns and of the state properties, in panel order.
inline constexpr const char* kSatColumnNames[] = {"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11"};
inline constexpr const char* kStateNames[] = {"t", "p", "v", "h", "s", "x", "u"};

}  // namespace steam::cli
