// steamcalc: the calculators of the desktop program from the command line.
//   steamcalc [--json] sat COLUMN VALUE
//   steamcalc [--json] state NAME=VALUE NAME=VALUE
//   steamcalc [--json] -            one request per line from standard input
//   steamcalc diagram FILE [options]   the h-s diagram as a picture
// Exit status: 0 when every calculation ran (messages included), 2 for a malformed request,
// 1 when the data sources cannot be read.
#include "requests.h"

#include "data/property_database.h"

#ifdef STEAMCALC_HAS_PICTURE
#include "render/picture_command.h"
#endif

#include <iostream>
#include <string>
#include <vector>

using namespace steam;

namespace {

constexpr const char* kUsage =
    "usage: steamcalc [--json] sat COLUMN VALUE | state NAME=VALUE NAME=VALUE | -\n"
    "       steamcalc diagram FILE [--isotherms] [--isobars] [--isochores] [--dryness] [--saturation]\n"
    "                              [--critical] [--labels] [--all] [--window smin smax hmin hmax]\n";

bool openData(data::PropertyDatabase& db) {
    std::string error;
    if (db.open(data::executableDirectory(), error)) return true;
    std::cerr << "steamcalc: " << error << "\n";
    return false;
}

int runLines(const data::PropertyDatabase& db, bool json) {
    int status = 0;
    for (std::string line; std::getline(std::cin, line);) {
        const auto words = cli::splitWords(line);
        if (words.empty()) {
            // One answer per line, so answers stay beside their requests: an empty one.
            std::cout << (json ? "{}\n" : "\n");
            continue;
        }
        std::string error;
        const auto request = cli::parseRequest(words, error);
        if (!request) {
            status = 2;
            std::cout << (json ? cli::errorJson(error) : cli::errorText(error)) << "\n";
            continue;
        }
        const cli::Answer a = cli::answer(db, *request);
        std::cout << (json ? cli::toJson(a) + "\n" : cli::toText(a) + "\n");
        std::cout.flush();
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    bool json = false;
    if (!words.empty() && words[0] == "--json") {
        json = true;
        words.erase(words.begin());
    }
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::cerr << kUsage;
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "diagram") {
#ifdef STEAMCALC_HAS_PICTURE
        return render::runPictureCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
#else
        std::cerr << "steamcalc: this build has no picture support\n";
        return 1;
#endif
    }
    data::PropertyDatabase db;
    if (words.size() == 1 && words[0] == "-") {
        if (!openData(db)) return 1;
        return runLines(db, json);
    }
    std::string error;
    const auto request = cli::parseRequest(words, error);
    if (!request) {
        std::cerr << "steamcalc: " << cli::wellFormed(error) << "\n" << kUsage;
        return 2;
    }
    if (!openData(db)) return 1;
    const cli::Answer a = cli::answer(db, *request);
    std::cout << (json ? cli::toJson(a) + "\n" : cli::toText(a));
    return 0;
}
