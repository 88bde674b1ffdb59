#include "critical_box.h"

#include "conditioning.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "panels/state_panel.h"
#include "report_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace accuracy {

void runCriticalBox(const steam::data::PropertyDatabase& db, int count, unsigned seed, MarkdownTables& markdown) {
    using namespace steam;
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> tDist(kBoxTmin, kBoxTmax), pDist(kBoxPmin, kBoxPmax);
    Quantiles h, v, s;
    long refused = 0, aboveOne = 0, aboveThree = 0;
    double worst = -1, worstT = 0, worstP = 0;
    for (int i = 0; i < count; ++i) {
        const double t = tDist(rng), p = pDist(rng);
        // Above the critical point both branches are the one fluid.
        const Properties truth = propertiesAt(t, p, iapws95::Branch::Liquid);
        const panels::StateOutcome out =
            panels::SCAL2_Click(db, typedPanel(calc::PairTP, numeric::shortestText(t), numeric::shortestText(p)));
        if (!out.answered) {
            ++refused;
            continue;
        }
        const double e = std::fabs(out.result[3] - truth[3]);
        h.add(e);
        v.add((out.result[2] - truth[2]) / truth[2]);
        s.add(out.result[4] - truth[4]);
        aboveOne += e > 1.0;
        aboveThree += e > 3.0;
        if (e > worst) worst = e, worstT = t, worstP = p;
    }
    const double answered = std::max(1.0, double(count - refused));
    std::printf(
        "\nNext to the critical point, %g-%g C by %g-%g MPa: %d (t,p) states drawn uniformly, typed as text; "
        "%ld refused.\n",
        kBoxTmin, kBoxTmax, kBoxPmin, kBoxPmax, count, refused);
    std::printf(
        "h error (kJ/kg): p50 %.3g, p99 %.3g, max %.3g (t %.5f C, p %.6f MPa); above 1 kJ/kg %.3g %%, above 3 "
        "kJ/kg %.3g %%. p99 of v (relative) %.2g, of s %.2g kJ/(kg K).\n",
        h.at(0.5), h.at(0.99), h.at(1.0), worstT, worstP, 100.0 * aboveOne / answered, 100.0 * aboveThree / answered,
        v.at(0.99), s.at(0.99));

    char box[120];
    std::snprintf(box, sizeof box, "(t,p) states drawn uniformly in %g-%g C by %g-%g MPa.", kBoxTmin, kBoxTmax,
                  kBoxPmin, kBoxPmax);
    markdown.heading("Next to the critical point");
    markdown.paragraph(box);
    markdown.table(
        {"tried", "refused", "h p50 / p99 / max (kJ/kg)", "above 1 kJ/kg", "above 3 kJ/kg", "v p99 (rel.)",
         "s p99 (kJ/(kg K))"},
        {{std::to_string(count), std::to_string(refused),
          figure(h.at(0.5)) + " / " + figure(h.at(0.99)) + " / " + figure(h.at(1.0)), percent(aboveOne / answered),
          percent(aboveThree / answered), figure(v.at(0.99)), figure(s.at(0.99))}});
}

}  // namespace accuracy
