// steamcalc: the calculators of the desktop program from the command line.
//   steamcalc [--json] sat COLUMN VALUE
//   steamcalc [--json] state NAME=VALUE NAME=VALUE
//   steamcalc [--json] -            one request per line from standard input
//   steamcalc [--json] cycle rankine NAME=VALUE ...   a Rankine cycle (cycle_command.h)
//   --csv instead of --json: the result list's columns, header once (csv_output.h)
//   --explain (with --json or plain): the steps of each calculation (step_json.h)
//   steamcalc diagram FILE [options]   a chart (h-s unless --chart names another) as a picture
//   steamcalc table KIND [options]     a page of a property table (table_command.h)
// Exit status: 0 when every calculation ran (messages included), 2 for a malformed request,
// 1 when the data sources cannot be read, a data file failed during a calculation (the
// answer names it; a batch goes on and exits 1 at the end) or the output cannot be written.
#include "answers.h"
#include "csv_output.h"
#include "cycle_command.h"
#include "requests.h"
#include "table_command.h"
#include "utf8_text.h"
#include "verify_command.h"

#include "data/property_database.h"

#ifdef STEAMCALC_HAS_PICTURE
#include "picture_command.h"
#include "table_pdf.h"
#endif

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

using namespace steam;

namespace {

constexpr const char* kUsage =
    "usage: steamcalc [--json | --csv] [--explain] sat COLUMN VALUE | state NAME=VALUE NAME=VALUE | -\n"
    "         COLUMN: ts ps v1 v11 h1 h11 s1 s11; NAME: t p v h s x u (oC, MPa, m^3/kg, kJ/kg, kJ/(kg.K));\n"
    "         - reads one request per line from standard input\n"
    "       steamcalc diagram FILE [--chart hs|ts|pv|pt] [--isotherms] [--isobars] [--isochores]\n"
    "                              [--isenthalps] [--isentropes] [--dryness] [--saturation] [--critical]\n"
    "                              [--labels] [--all] [--window xmin xmax ymin ymax]\n"
    "                              [--size width height]   (FILE .bmp, .png, .jpg, .jpeg, .svg or .pdf)\n"
    "       steamcalc [--json | --csv] cycle rankine p_high=P t_high=T p_low=P [eta_turbine=E] [eta_pump=E]\n"
    "                              [p_reheat=P t_reheat=T] [p_fwh=P]\n"
    "       steamcalc diagram FILE ... --cycle \"rankine p_high=P ...\"   draws the cycle on the chart\n"
    "       steamcalc table sat-t|sat-p|isobar [--p P] [--from X] [--to X] [--step X] [--per-decade 1,2,5]\n"
    "                              [--csv | --pdf FILE]   a page of a property table\n"
    "       steamcalc verify   checks the data files against their manifest\n";

bool openData(data::PropertyDatabase& db) {
    std::string error;
    if (db.openFirst(data::dataPlaces(), error)) return true;
    std::cerr << "steamcalc: " << error << "\n";
    return false;
}

enum class Form { Text, Json, Csv };

// A calculation met a damaged data file: its answer says which, and the run ends with 1.
bool metDataFault(const cli::Answer& answer) {
    for (const calc::Message& m : answer.messages)
        if (m.code == calc::MessageCode::DataFault) return true;
    return false;
}

// Whether everything written so far reached the output; when not, one line on stderr.
bool outputWritten() {
    std::cout.flush();
    if (std::cout) return true;
    std::cerr << "steamcalc: the output cannot be written: " << std::strerror(errno ? errno : EIO) << "\n";
    return false;
}

int runLines(const data::PropertyDatabase& db, Form form, bool explain) {
    const bool json = form == Form::Json;
    if (form == Form::Csv) std::cout << cli::csvHeader();
    int status = 0;
    bool fault = false;
    for (std::string line; std::getline(std::cin, line) && std::cout;) {
        const auto words = cli::splitWords(line);
        if (words.empty()) {
            // One answer per line, so answers stay beside their requests: an empty one.
            if (form == Form::Csv)
                std::cout << cli::blankCsv();
            else
                std::cout << (json ? "{}\n" : "\n");
            continue;
        }
        std::string error;
        const auto request = cli::parseRequest(words, error);
        if (!request) {
            status = 2;
            if (form == Form::Csv)
                std::cout << cli::errorCsv(error);
            else
                std::cout << (json ? cli::errorJson(error) : cli::errorText(error)) << "\n";
            continue;
        }
        const cli::Answer a = cli::answer(db, *request, explain);
        fault = fault || metDataFault(a);
        if (form == Form::Csv)
            std::cout << cli::toCsv(a);
        else
            std::cout << (json ? cli::toJson(a) + "\n" : cli::toText(a) + "\n");
        // A program waiting for each answer gets it at once; a batch is written in blocks.
        if (std::cin.rdbuf()->in_avail() <= 0) std::cout.flush();
    }
    if (!outputWritten()) return 1;
    return fault ? 1 : status;
}

// A cycle request: malformed ones exit 2 naming the value; one that ends with a message is
// answered like any other calculation.
int runCycle(data::PropertyDatabase& db, const std::vector<std::string>& words, Form form) {
    std::string error;
    const auto inputs = cli::parseCycleRequest(words, error);
    if (!inputs) {
        std::cerr << "steamcalc: " << cli::wellFormed(error) << "\n" << kUsage;
        return 2;
    }
    if (!openData(db)) return 1;
    const cli::CycleAnswer a = cli::cycleAnswer(db, *inputs);
    std::cout << (form == Form::Csv    ? cli::cycleCsvText(a)
                  : form == Form::Json ? cli::cycleJson(a) + "\n"
                                       : cli::cycleText(a));
    if (!outputWritten()) return 1;
    for (const calc::Message& m : a.built.messages)
        if (m.code == calc::MessageCode::DataFault) return 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The streams are used alone, so they need not keep in step with C's stdio.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> words(argv + 1, argv + argc);
    Form form = Form::Text;
    bool explain = false;
    // The output options, in any order before the request.
    while (!words.empty() && (words[0] == "--json" || words[0] == "--csv" || words[0] == "--explain")) {
        if (words[0] == "--explain")
            explain = true;
        else
            form = words[0] == "--json" ? Form::Json : Form::Csv;
        words.erase(words.begin());
    }
    if (explain && form == Form::Csv) {
        std::cerr << "steamcalc: --explain goes with --json or the plain form, not with --csv\n" << kUsage;
        return 2;
    }
    const bool json = form == Form::Json;
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::cerr << kUsage;
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "verify") {
        const int status =
            cli::runVerifyCommand({words.begin() + 1, words.end()}, data::dataPlaces(), std::cout, std::cerr);
        return outputWritten() ? status : 1;
    }
    if (words[0] == "diagram") {
#ifdef STEAMCALC_HAS_PICTURE
        return cli::runPictureCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
#else
        std::cerr << "steamcalc: this build has no picture support\n";
        return 1;
#endif
    }
    if (words[0] == "table") {
        cli::TablePdfWriter writePdf;
#ifdef STEAMCALC_HAS_PICTURE
        writePdf = cli::writeTablePdfFile;
#endif
        const int status =
            cli::runTableCommand({words.begin() + 1, words.end()}, data::dataPlaces(), std::cout, std::cerr, writePdf);
        return outputWritten() ? status : 1;
    }
    data::PropertyDatabase db;
    if (words[0] == "cycle") return runCycle(db, {words.begin() + 1, words.end()}, form);
    if (words.size() == 1 && words[0] == "-") {
        if (!openData(db)) return 1;
        return runLines(db, form, explain);
    }
    std::string error;
    const auto request = cli::parseRequest(words, error);
    if (!request) {
        std::cerr << "steamcalc: " << cli::wellFormed(error) << "\n" << kUsage;
        return 2;
    }
    if (!openData(db)) return 1;
    const cli::Answer a = cli::answer(db, *request, explain);
    if (form == Form::Csv)
        std::cout << cli::csvHeader() << cli::toCsv(a);
    else
        std::cout << (json ? cli::toJson(a) + "\n" : cli::toText(a));
    if (!outputWritten()) return 1;
    return metDataFault(a) ? 1 : 0;
}
