#pragma once
// What the accuracy report counts per known pair, and how it prints it.
#include "markdown_tables.h"
#include "panels/state_panel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace accuracy {

struct Quantiles {
    std::vector<double> values;
    void add(double e) { values.push_back(std::fabs(e)); }
    double at(double q) {
        if (values.empty()) return 0.0;
        std::sort(values.begin(), values.end());
        return values[std::min(values.size() - 1, static_cast<size_t>(q * (values.size() - 1) + 0.5))];
    }
};

/// Counts of one pair, outside or inside the band, and per output (t p v h s x u, by box) the
/// errors and the errors over their allowance.
struct Bucket {
    long tried = 0, wet = 0, twice = 0, refused = 0, excused = 0, missed = 0;
    long near = 0;                   ///< (h,u): answers judged against a state the pair names within its targets
    long mixed = 0;                  ///< answers whose values belong to no one state (allowedAtShownState)
    long properties = 0;             ///< answers with some property beyond u outside its allowance
    std::array<Quantiles, 7> error;  // t K, p relative, v relative, h kJ/kg, s kJ/(kg K), x, u kJ/kg
    std::array<Quantiles, 7> ratio;  // error / allowed
};

using Buckets = std::map<std::string, Bucket>;

/// The boxes (0 t, 1 p, 2 v, 3 h, 4 s, 5 x, 6 u) of a pair, in box order.
inline std::pair<int, int> boxesOf(int pairCase) {
    static constexpr std::array<std::pair<int, int>, 22> kBoxes{
        {{-1, -1}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 3},
         {2, 4},   {2, 5}, {3, 4}, {3, 5}, {4, 5}, {0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}}};
    return kBoxes[static_cast<size_t>(pairCase)];
}

inline constexpr const char* kBoxNames = "tpvhsxu";

inline std::string pairName(int pairCase) {
    const auto [first, second] = boxesOf(pairCase);
    return std::string("(") + kBoxNames[first] + "," + kBoxNames[second] + ")";
}

/// The bucket's key: pairs in their calculator order, outside the band before inside.
inline std::string bucketKey(int pairCase, bool band) {
    char order[8];
    std::snprintf(order, sizeof order, "%02d%d", pairCase, band ? 1 : 0);
    return std::string(order) + pairName(pairCase) + (band ? "  inside the band" : "  outside the band");
}

/// One line per bucket: counts, then per output (box indices) the p99 error and the p99 of
/// error over allowed.
inline void printBuckets(Buckets& buckets, const std::vector<int>& outputs) {
    std::printf("%-26s %6s %5s %5s %5s %7s %7s %6s %5s %5s", "pair", "tried", "wet", "twice", "near", "refused",
                "excused", "missed", "mixed", "props");
    for (int k : outputs) std::printf(" | %-17s", std::string(1, kBoxNames[k]).c_str());
    std::printf("\n");
    for (auto& [key, b] : buckets) {
        std::printf("%-26s %6ld %5ld %5ld %5ld %7ld %7ld %6ld %5ld %5ld", key.substr(3).c_str(), b.tried, b.wet,
                    b.twice, b.near, b.refused, b.excused, b.missed, b.mixed, b.properties);
        for (int k : outputs) std::printf(" | %8.2g %8.2g", b.error[k].at(0.99), b.ratio[k].at(0.99));
        std::printf("\n");
    }
}

/// The same counts as a Markdown table, per output the p50, p99 and largest error (p and v
/// relative); "outside" counts the states with some output beyond its allowance.
inline void addBuckets(MarkdownTables& markdown, Buckets& buckets, const std::vector<int>& outputs) {
    static const char* const kUnits[] = {"t (K)",         "p (rel.)", "v (rel.)", "h (kJ/kg)",
                                         "s (kJ/(kg K))", "x",        "u (kJ/kg)"};
    std::vector<std::string> header{"pair",    "where",   "tried",   "wet",   "twice", "near",
                                    "refused", "excused", "outside", "mixed", "props"};
    for (int k : outputs) header.push_back(std::string(kUnits[k]) + " p50 / p99 / max");
    std::vector<std::vector<std::string>> rows;
    for (auto& [key, b] : buckets) {
        const bool band = key.find("inside") != std::string::npos;
        std::vector<std::string> row{key.substr(3, key.find(' ') - 3), band ? "band" : "outside"};
        for (long count : {b.tried, b.wet, b.twice, b.near, b.refused, b.excused, b.missed, b.mixed, b.properties})
            row.push_back(std::to_string(count));
        for (int k : outputs)
            row.push_back(figure(b.error[k].at(0.5)) + " / " + figure(b.error[k].at(0.99)) + " / " +
                          figure(b.error[k].at(1.0)));
        rows.push_back(std::move(row));
    }
    markdown.table(header, rows);
}

/// The panel with the pair's two boxes typed as given, the others "0", after the clicks.
inline steam::panels::StatePanel typedPanel(int pairCase, const std::string& first, const std::string& second) {
    const auto [a, b] = boxesOf(pairCase);
    steam::panels::StatePanel panel;
    panel.text.fill("0");
    panel.ticked[a] = panel.ticked[b] = true;
    panel.text[a] = first;
    panel.text[b] = second;
    steam::panels::CHK_Click(panel);
    return panel;
}

}  // namespace accuracy
