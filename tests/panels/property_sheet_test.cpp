// The property sheet lists one column per phase shown: both saturated phases of the current
// saturation result, the current state, each shown register; what a phase does not define
// shows "—", the dryness four decimals, and the clipboard text has the captions and headings.
#include "panels/property_sheet.h"

#include "calc/thermal_properties.h"
#include "panels/property_texts.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace steam::panels {
namespace {

using calc::Property;
using testsupport::realTables;

constexpr int kX = 6, kCp = 7, kPr = 13, kSigma = 14;

bool defined(const std::string& cell) { return !cell.empty() && cell != "—"; }

TEST(PropertySheetTest, EachPhaseShownHasAColumnWithWhatItDefines) {
    struct Case {
        const char* name;
        SheetSources sources;
        std::vector<std::string> headings;
        std::vector<std::string> dryness;
        std::vector<bool> thermal;  // cp ... Pr defined
        std::vector<bool> sigma;
    };
    const auto state = [](Property a, double va, Property b, double vb) {
        return std::optional(calc::solveState(realTables(), a, va, b, vb));
    };
    const auto sat = std::optional(calc::solveSaturation(realTables(), calc::SatProperty::ts, 100));
    const Case cases[] = {
        {"nothing yet", {}, {}, {}, {}, {}},
        {"saturation",
         {sat, std::nullopt, nullptr},
         {"当前 饱和水", "当前 饱和蒸汽"},
         {"0.0000", "1.0000"},
         {true, true},
         {true, true}},
        {"superheated",
         {std::nullopt, state(Property::t, 300, Property::p, 1), nullptr},
         {"当前 状态"},
         {"—"},
         {true},
         {false}},
        {"wet",
         {std::nullopt, state(Property::t, 100, Property::x, 0.25), nullptr},
         {"当前 状态"},
         {"0.2500"},
         {false},
         {false}},
        {"saturated steam as a state",
         {std::nullopt, state(Property::p, 1, Property::x, 1), nullptr},
         {"当前 状态"},
         {"1.0000"},
         {true},
         {false}},
        {"a state that does not exist",
         {std::nullopt, state(Property::t, 400, Property::x, 0.5), nullptr},
         {},
         {},
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<SheetColumn> sheet = propertySheet(c.sources);
        ASSERT_EQ(sheet.size(), c.headings.size());
        for (size_t i = 0; i < sheet.size(); ++i) {
            EXPECT_EQ(sheet[i].heading, c.headings[i]);
            EXPECT_EQ(sheet[i].cells[kX], c.dryness[i]);
            for (int row = kCp; row <= kPr; ++row) EXPECT_EQ(defined(sheet[i].cells[row]), c.thermal[i]) << row;
            EXPECT_EQ(defined(sheet[i].cells[kSigma]), c.sigma[i]);
            for (int row = 0; row < kX; ++row) EXPECT_TRUE(defined(sheet[i].cells[row])) << row;
        }
    }
}

TEST(PropertySheetTest, ShownRegistersFollowTheCurrentResultsInRegisterOrder) {
    calc::RegisterStore registers;
    registers.store(6, {"300", "1", "0.25799", "3051.7", "7.1246", "(none)", "2793.7"});
    registers.store(5, {"100", "0.101418", "0.836", "1547.3", "4.3306", "0.5", "1462.5"});
    registers.store(
        1, {"100", "0.101418", "0.00104346", "1.67177", "419.17", "2675.57", "1.3072", "7.3541", "419.06", "2506.02"});
    registers.store(7, {"200", "1", "0.2", "2800", "6.7", "(none)", "2600"});  // stored, not shown
    for (int r : {1, 5, 6}) registers.setShown(r, true);
    const auto state = calc::solveState(realTables(), Property::t, 200, Property::p, 3.5);
    const std::vector<SheetColumn> sheet = propertySheet({std::nullopt, state, &registers});
    std::vector<std::string> headings;
    for (const SheetColumn& c : sheet) headings.push_back(c.heading);
    EXPECT_EQ(headings, (std::vector<std::string>{"当前 状态", "M2 饱和水", "M2 饱和蒸汽", "M6", "M7"}));
    EXPECT_EQ(sheet[3].cells[kX], "0.5000");
    EXPECT_FALSE(defined(sheet[3].cells[kCp]));  // wet
    EXPECT_EQ(sheet[4].cells[kX], "—");          // superheated: none
    EXPECT_TRUE(defined(sheet[4].cells[kCp]));
    // A register's properties are those at its t and v.
    const calc::ThermalSet at = calc::thermalPropertiesAt(300, 0.25799);
    EXPECT_EQ(sheet[4].cells[kCp], propertyText(at.cp, 4));
}

TEST(PropertySheetTest, ClipboardTextHasCaptionsUnitsAndHeadings) {
    const auto sat = calc::solveSaturation(realTables(), calc::SatProperty::ts, 100);
    const std::vector<SheetColumn> sheet = propertySheet({sat, std::nullopt, nullptr});
    const std::string tsv = sheetTsv(sheet);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = tsv.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(tsv.substr(start, end - start));
    ASSERT_EQ(lines.size(), 1u + kSheetRowCount);
    EXPECT_EQ(lines[0], "性质\t单位\t当前 饱和水\t当前 饱和蒸汽");
    EXPECT_EQ(lines[1], "温度 t\t°C\t100.00\t100.00");
    EXPECT_EQ(lines[1 + kSigma], "表面张力 σ\tmN/m\t" + sheet[0].cells[kSigma] + "\t" + sheet[1].cells[kSigma]);
}

}  // namespace
}  // namespace steam::panels
