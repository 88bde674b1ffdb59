#pragma once
// The answers of the command-line calculator: the calculators' results, each value as the
// panel's box would show it, with the region and the messages; as JSON, text or CSV
// (csv_output.h). Always well-formed UTF-8.
#include "calc/message.h"
#include "data/property_database.h"
#include "panels/result_texts.h"
#include "requests.h"

#include <optional>
#include <string>
#include <vector>

namespace steam::cli {

struct Answer {
    bool saturation = true;
    std::vector<std::string> names;  ///< box names in panel order
    std::vector<std::string> texts;  ///< box texts as the panel shows them
    std::vector<std::string> units;
    std::string region;              ///< state requests only
    /// The row the desktop program's result list keeps, when the calculation ended with a result.
    std::optional<panels::ResultRow> result;
    calc::Messages messages;
    bool answered = true;            ///< false when the calculation ended with a message
};

/// Runs the request on the data sources.
Answer answer(const data::PropertyDatabase& db, const Request& request);

/// One JSON object: for sat the keys ts ps v1 v11 h1 h11 s1 s11, for state t p v h s x and
/// region; both with messages (objects with title and text). The box keys are null when the
/// calculation ended with a message.
std::string toJson(const Answer& answer);
/// Lines of names, texts and units (none when the calculation ended with a message), the
/// region and the messages.
std::string toText(const Answer& answer);
/// {"error": "..."} for a malformed request.
std::string errorJson(const std::string& error);
/// "error: ..." for a malformed request, as one line of plain output.
std::string errorText(const std::string& error);

}  // namespace steam::cli
