// Measures the calculators end to end against IAPWS-95.
//   accuracy_report [STATES] [BAND_STATES] [SATURATION_INPUTS] [SEED] [SHOW_FAILURES] [--markdown=FILE]
// Draws random stable single-phase states (fixed seed): STATES over t 0.01-1000 C and log p
// 0.001-100 MPa, and BAND_STATES over the near-critical band 360-390 C, 18-26 MPa. Each state
// is evaluated with IAPWS-95 and every known pair but the dryness pairs is fed through the
// state calculation as typed text. Per pair, outside and inside the band, it prints how many
// were tried, how many the pair also names as a wet state or names twice (counted apart), how
// many were refused, how many missed their allowed error, and per output the p99 error and the
// p99 of the error in units of its allowance (see conditioning.h; at most 1 where the targets
// are met) (single_phase_states.h); then, for the same answers, the properties shown beyond
// the boxes (cp, cv, w, mu, lambda, nu, Pr) against the formulations, per property and region
// (property_errors.h). Then as many wet states, STATES outside the band and BAND_STATES inside
// it, with every pair that can name them (wet_states.h). Then STATES (t, p) states in the box
// next to the critical point (critical_box.h). Then SATURATION_INPUTS saturation states per
// known property, with the properties of both saturated phases and the surface tension
// (saturation_inputs.h).
// With --markdown=FILE the summary tables are also written to FILE as Markdown
// (markdown_tables.h). The data sources are read from the folder of this executable.
#include "critical_box.h"
#include "markdown_tables.h"
#include "saturation_inputs.h"
#include "single_phase_states.h"
#include "wet_states.h"

#include "data/property_database.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace steam;
    // --markdown=FILE may stand anywhere; the rest are the positional arguments.
    const std::string markdownOption = "--markdown=";
    std::string markdownPath;
    std::vector<const char*> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(markdownOption, 0) == 0 && arg.size() > markdownOption.size()) {
            markdownPath = arg.substr(markdownOption.size());
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr,
                         "usage: accuracy_report [STATES] [BAND_STATES] [SATURATION_INPUTS] [SEED] [SHOW_FAILURES] "
                         "[--markdown=FILE]\n");
            return 2;
        } else {
            positional.push_back(argv[i]);
        }
    }
    const auto number = [&](size_t k, int otherwise) {
        return k < positional.size() ? std::atoi(positional[k]) : otherwise;
    };
    const int states = number(0, 20000);
    const int band = number(1, 4000);
    const int saturation = number(2, 2000);
    const unsigned seed = positional.size() > 3 ? static_cast<unsigned>(std::atoi(positional[3])) : 20261207u;
    const int showFailures = number(4, 0);
    data::PropertyDatabase db;
    std::string error;
    if (!db.open(data::executableDirectory(), error)) {
        std::fprintf(stderr, "accuracy_report: %s\n", error.c_str());
        return 1;
    }
    accuracy::MarkdownTables markdown;
    accuracy::runSinglePhaseStates(db, states, band, seed, showFailures, markdown);
    accuracy::runWetStates(db, states, band, seed, showFailures, markdown);
    accuracy::runCriticalBox(db, states, seed, markdown);
    accuracy::runSaturationInputs(db, saturation, seed, markdown);
    if (!markdownPath.empty() && !markdown.write(markdownPath, error)) {
        std::fprintf(stderr, "accuracy_report: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
