#pragma once
// The requests of the command-line calculator:
//   sat COLUMN VALUE              COLUMN: ts ps v1 v11 h1 h11 s1 s11
//   state NAME=VALUE NAME=VALUE   NAME: t p v h s x
// Values are read as the panels' boxes read them.
#include "calc/property_columns.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace steam::cli {

struct SaturationRequest {
    calc::SatProperty known = calc::SatProperty::ts;
    std::string value;  ///< as typed
};

struct StateRequest {
    calc::Property first = calc::Property::t, second = calc::Property::p;
    std::string firstValue, secondValue;  ///< as typed
};

using Request = std::variant<SaturationRequest, StateRequest>;

/// Parses the words of one request; on failure returns nothing and sets error to one line
/// naming what is wrong.
std::optional<Request> parseRequest(const std::vector<std::string>& words, std::string& error);

/// Splits a request line at blanks.
std::vector<std::string> splitWords(const std::string& line);

/// Names of the saturation columns and of the state properties, in panel order.
inline constexpr const char* kSatColumnNames[] = {"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11"};
inline constexpr const char* kStateNames[] = {"t", "p", "v", "h", "s", "x"};

}  // namespace steam::cli
