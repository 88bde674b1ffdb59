#include "table_command.h"

#include "calc/table_rows.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "utf8_text.h"

#include <cmath>
#include <sstream>

namespace steam::cli {
namespace {

using calc::RangeFault;
using calc::TableKind;

constexpr const char* kPrefix = "steamcalc table: ";

std::optional<double> number(const std::string& option, const std::string& text, std::string& error) {
    const std::optional<double> value = numeric::readWholeNumber(text);
    if (value && std::isfinite(*value)) return value;
    error = option + " \"" + text + "\" is not a number";
    return std::nullopt;
}

std::optional<std::vector<double>> mantissas(const std::string& text, std::string& error) {
    std::vector<double> values;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        const auto value = number("--per-decade", part, error);
        if (!value) return std::nullopt;
        if (!(*value >= 1.0 && *value < 10.0)) {
            error = "--per-decade " + part + " is not from 1 to below 10";
            return std::nullopt;
        }
        values.push_back(*value);
    }
    if (values.empty()) error = "--per-decade \"" + text + "\" names no mantissa";
    return values.empty() ? std::nullopt : std::optional(values);
}

std::string reachText(TableKind kind) {
    switch (kind) {
        case TableKind::SaturationByTemperature: return "the saturation line (0.01 to 373.95 C)";
        case TableKind::SaturationByPressure: return "the saturation line (0.000612 to 22.064 MPa)";
        default: return "the tables (0.01 to 1000 C)";
    }
}

// The values as typed (a default as the program writes it), to name them.
struct Typed {
    std::string from, to, step, p;
};

// The range's fault in one line naming the value.
std::string faultText(const calc::PageRange& r, const Typed& typed, RangeFault fault) {
    switch (fault) {
        case RangeFault::FromBeyond: return "--from " + typed.from + " lies beyond " + reachText(r.kind);
        case RangeFault::ToBeyond: return "--to " + typed.to + " lies beyond " + reachText(r.kind);
        case RangeFault::Reversed: return "--to " + typed.to + " lies below --from " + typed.from;
        case RangeFault::PressureBeyond: return "--p " + typed.p + " lies beyond the tables (above 0 to 100 MPa)";
        case RangeFault::StepNotPositive: return "--step " + typed.step + " is not above zero";
        case RangeFault::TooManyRows:
            return "--step " + typed.step + " gives more than " + std::to_string(calc::kMaxTableRows) + " rows";
        case RangeFault::NoMantissa: return "--per-decade names no mantissa from 1 to below 10";
        case RangeFault::None: break;
    }
    return "";
}

bool takesValue(const std::string& option) {
    return option == "--from" || option == "--to" || option == "--step" || option == "--p" ||
           option == "--per-decade" || option == "--pdf";
}

}  // namespace

std::optional<TableRequest> parseTableRequest(const std::vector<std::string>& args, std::string& error) {
    if (args.empty() || (args[0] != "sat-t" && args[0] != "sat-p" && args[0] != "isobar")) {
        error = args.empty() ? "which table? (sat-t, sat-p or isobar)"
                             : "unknown table \"" + args[0] + "\" (use sat-t, sat-p or isobar)";
        return std::nullopt;
    }
    const TableKind kind = args[0] == "sat-t"   ? TableKind::SaturationByTemperature
                           : args[0] == "sat-p" ? TableKind::SaturationByPressure
                                                : TableKind::Isobar;
    TableRequest request;
    calc::PageRange& r = request.range;
    r = calc::defaultRange(kind);
    Typed typed{numeric::generalText(r.from), numeric::generalText(r.to), "", ""};
    bool havePressure = false, haveDecades = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--csv" || option == "--pdf") {
            if (request.output != TableRequest::Output::Plain) {
                error = "--csv and --pdf go one at a time";
                return std::nullopt;
            }
            request.output = option == "--csv" ? TableRequest::Output::Csv : TableRequest::Output::Pdf;
            if (option == "--csv") continue;
        }
        if (!takesValue(option)) {
            error = "unknown option \"" + option + "\"";
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = option + (option == "--pdf" ? " needs a file name" : " needs a value");
            return std::nullopt;
        }
        const std::string& text = args[++i];
        if (option == "--pdf") {
            request.pdfFile = text;
            continue;
        }
        if ((option == "--per-decade" && kind != TableKind::SaturationByPressure) ||
            (option == "--p" && kind != TableKind::Isobar)) {
            error = option + (option == "--p" ? " goes with isobar" : " goes with sat-p");
            return std::nullopt;
        }
        if (option == "--per-decade") {
            const auto values = mantissas(text, error);
            if (!values) return std::nullopt;
            r.perDecade = *values;
            haveDecades = true;
            continue;
        }
        const auto value = number(option, text, error);
        if (!value) return std::nullopt;
        (option == "--from" ? r.from
         : option == "--to" ? r.to
         : option == "--p"  ? r.pressure
                            : r.step.emplace()) = *value;
        (option == "--from" ? typed.from : option == "--to" ? typed.to : option == "--p" ? typed.p : typed.step) = text;
        havePressure = havePressure || option == "--p";
    }
    if (kind == TableKind::Isobar && !havePressure) {
        error = "isobar needs its pressure: --p P";
        return std::nullopt;
    }
    if (haveDecades && r.step) {
        error = "--per-decade and --step go one at a time";
        return std::nullopt;
    }
    if (const RangeFault fault = calc::checkRange(r); fault != RangeFault::None) {
        error = faultText(r, typed, fault);
        return std::nullopt;
    }
    return request;
}

int runTableCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& dataPlaces,
                    std::ostream& out, std::ostream& err, const TablePdfWriter& writePdf) {
    std::string error;
    const auto request = parseTableRequest(args, error);
    if (!request) {
        err << kPrefix << wellFormed(error) << '\n';
        return 2;
    }
    if (request->output == TableRequest::Output::Pdf && !writePdf) {
        err << kPrefix << "this build has no PDF support\n";
        return 1;
    }
    data::PropertyDatabase db;
    if (!db.openFirst(dataPlaces, error)) {
        err << kPrefix << error << '\n';
        return 1;
    }
    const panels::TablePageTexts texts = panels::tablePageTexts(calc::tablePage(db, request->range));
    switch (request->output) {
        case TableRequest::Output::Plain: out << panels::tablePagePlain(texts); break;
        case TableRequest::Output::Csv: out << panels::tablePageCsv(texts); break;
        case TableRequest::Output::Pdf:
            if (!writePdf(texts, request->pdfFile, error)) {
                err << kPrefix << "cannot write " << wellFormed(request->pdfFile) << ": " << error << '\n';
                return 1;
            }
            out << request->pdfFile << '\n';
            break;
    }
    return 0;
}

}  // namespace steam::cli
