#pragma once
// The answers of the command-line calculator: the calculators' results, each value as the
// panel's box would show it, with the region and the messages; as JSON, text or CSV
// (csv_output.h). Always well-formed UTF-8.
#include "calc/message.h"
#include "calc/result_list.h"
#include "data/property_database.h"
#include "panels/result_texts.h"
#include "panels/step_texts.h"
#include "requests.h"

#include <optional>
#include <string>
#include <vector>

namespace steam::cli {

/// A property beyond the boxes: its JSON key, its text (none where it is not defined) and the
/// unit of the plain form.
struct PropertyLine {
    std::string key;
    std::optional<std::string> text;
    std::string unit;
};

struct Answer {
    bool saturation = true;
    std::vector<std::string> names;  ///< box names in panel order
    std::vector<std::string> texts;  ///< box texts as the panel shows them
    std::vector<std::string> units;
    std::string region;  ///< state requests only
    std::string phase;   ///< state requests only: liquid, vapour, supercritical, wet or ""
    /// The other properties, in the order of their JSON keys.
    std::vector<PropertyLine> properties;
    /// Notes that do not stop the calculation (a second saturation state with the value).
    std::vector<std::string> notes;
    /// The entry the desktop program's result list keeps, when the calculation ended with a result.
    std::optional<calc::ResultEntry> result;
    calc::Messages messages;
    bool answered = true;  ///< false when the calculation ended with a message
    /// Asked for with --explain: the steps of the calculation (none after a message) and the
    /// whole explanation as the 计算过程 window shows it.
    bool explained = false;
    std::vector<panels::StepText> steps;
    std::string explanation;
};

/// Runs the request on the data sources; with `explain`, records and writes out its steps.
Answer answer(const data::PropertyDatabase& db, const Request& request, bool explain = false);

/// One JSON object: for sat the keys ts ps v1 v11 h1 h11 s1 s11, then u1 u11 cp1 cp11 cv1 cv11
/// w1 w11 mu1 mu11 k1 k11 nu1 nu11 pr1 pr11 sigma and notes; for state t p v h s x u, then cp cv w mu k
/// nu pr, region and phase; both with messages (objects with title and text). Values are the
/// texts the program shows them with; a box key is null when the calculation ended with a
/// message, a property key where the property is not defined. An explained answer ends with
/// "steps" (step_json.h).
std::string toJson(const Answer& answer);
/// Lines of names, texts and units for the boxes and the other properties ("—" where one is
/// not defined; none when the calculation ended with a message), the region, notes and
/// messages; an explained answer then the explanation.
std::string toText(const Answer& answer);
/// {"error": "..."} for a malformed request.
std::string errorJson(const std::string& error);
/// "error: ..." for a malformed request, as one line of plain output.
std::string errorText(const std::string& error);

}  // namespace steam::cli
