#pragma once
// Requests of the command-line calculator and the answers it prints. A request runs exactly
// the calculation behind a panel's "计算" button and reports exactly the texts the boxes
// would show.
//   sat COLUMN VALUE          COLUMN: ts ps v1 v11 h1 h11 s1 s11; VALUE as typed into its box
//   state NAME=VALUE NAME=VALUE   NAME: t p v h s x (the two ticked boxes; the others hold "0")
#include "calc/result_list.h"
#include "calc/saturation_calculator.h"
#include "calc/state_calculator.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace steam::cli {

struct SaturationRequest {
    int column = 0;  ///< 0 to 7: ts ps v' v'' h' h'' s' s''
    std::string value;
};

struct StateRequest {
    std::array<bool, 6> ticked{};
    std::array<std::string, 6> text{"0", "0", "0", "0", "0", "0"};
};

using Request = std::variant<SaturationRequest, StateRequest>;

/// Parses the words of one request; on failure returns nothing and sets error to one line
/// naming what is wrong.
std::optional<Request> parseRequest(const std::vector<std::string>& words, std::string& error);

/// Splits a request line at blanks.
std::vector<std::string> splitWords(const std::string& line);

struct Answer {
    bool saturation = true;
    std::vector<std::string> names;  ///< box names in panel order
    std::vector<std::string> texts;  ///< box texts as the panel shows them
    std::vector<std::string> units;
    std::string region;              ///< state requests only
    /// The row the desktop program's result list keeps, when the calculation ended with a result.
    std::optional<calc::ResultRow> result;
    data::Messages messages;
    bool answered = true;            ///< false when the calculation ended with a message
};

/// Runs the request on the data sources.
Answer answer(const data::PropertyDatabase& db, const Request& request);

/// One JSON object: for sat the keys ts ps v1 v11 h1 h11 s1 s11, for state t p v h s x and
/// region; both with messages (objects with title and text). The box keys are null when the
/// calculation ended with a message. Always well-formed UTF-8: bytes of the typed text that
/// are not become U+FFFD.
std::string toJson(const Answer& answer);
/// Lines of names, texts and units (none when the calculation ended with a message), the
/// region and the messages; well-formed UTF-8 as toJson.
std::string toText(const Answer& answer);
/// {"error": "..."} for a malformed request.
std::string errorJson(const std::string& error);
/// The text with every byte that is not part of well-formed UTF-8 (overlong forms, surrogates
/// and code points above U+10FFFF included) replaced by U+FFFD.
std::string wellFormed(const std::string& text);
/// "error: ..." for a malformed request, as one line of plain output.
std::string errorText(const std::string& error);

}  // namespace steam::cli
