#include "property_sheet.h"

#include "calc/thermal_properties.h"
#include "numeric/number_text.h"
#include "property_texts.h"

#include <cmath>
#include <limits>

namespace steam::panels {

const std::array<SheetRow, kSheetRowCount> kSheetRows{{
    {"温度", "t", "°C"},
    {"压力", "p", "MPa"},
    {"比容", "v", "m³/kg"},
    {"比内能", "u", "kJ/kg"},
    {"比焓", "h", "kJ/kg"},
    {"比熵", "s", "kJ/(kg·K)"},
    {"干度", "x", ""},
    {"比定压热容", "cp", "kJ/(kg·K)"},
    {"比定容热容", "cv", "kJ/(kg·K)"},
    {"声速", "w", "m/s"},
    {"动力粘度", "μ", "µPa·s"},
    {"导热系数", "λ", "mW/(m·K)"},
    {"运动粘度", "ν", "mm²/s"},
    {"普朗特数", "Pr", ""},
    {"表面张力", "σ", "mN/m"},
}};

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
constexpr int kThermalRow = 7;  // cp

// One phase as numbers: NaN where the sheet shows "—".
struct PhaseNumbers {
    double t, p, v, u, h, s, x;
    calc::ThermalSet thermal;
    double sigma;
};

// Decimals of t p v u h s: the state panel's, or the saturation panel's for one phase of it.
struct Decimals {
    int t, p, v, u, h, s;
};

constexpr Decimals kStateDecimals{calc::decimalsOf(calc::Property::t), calc::decimalsOf(calc::Property::p),
                                  calc::decimalsOf(calc::Property::v), calc::kInternalEnergyDecimals,
                                  calc::decimalsOf(calc::Property::h), calc::decimalsOf(calc::Property::s)};
constexpr Decimals saturatedDecimals(bool vapour) {
    using calc::SatProperty;
    return {calc::decimalsOf(SatProperty::ts),
            calc::decimalsOf(SatProperty::ps),
            calc::decimalsOf(vapour ? SatProperty::v11 : SatProperty::v1),
            calc::kInternalEnergyDecimals,
            calc::decimalsOf(vapour ? SatProperty::h11 : SatProperty::h1),
            calc::decimalsOf(vapour ? SatProperty::s11 : SatProperty::s1)};
}

SheetColumn column(std::string heading, const PhaseNumbers& n, const Decimals& d) {
    SheetColumn c{std::move(heading), {}};
    const double values[] = {n.t, n.p, n.v, n.u, n.h, n.s, n.x};
    const int decimals[] = {d.t, d.p, d.v, d.u, d.h, d.s, kSheetDrynessDecimals};
    for (int i = 0; i < kThermalRow; ++i) c.cells[i] = propertyText(values[i], decimals[i]);
    const ThermalTexts thermal = thermalTexts(n.thermal);
    std::copy(thermal.begin(), thermal.end(), c.cells.begin() + kThermalRow);
    c.cells[kSheetRowCount - 1] = propertyText(n.sigma, kSurfaceTensionDecimals);
    return c;
}

// Both phases of a saturation state from its ten values ts ps v' v'' h' h'' s' s'' u' u''.
void addSaturation(std::vector<SheetColumn>& out, const std::string& name, const std::array<double, 10>& values,
                   const calc::SaturationThermal& thermal) {
    const auto [ts, ps, v1, v11, h1, h11, s1, s11, u1, u11] = values;
    out.push_back(column(name + " 饱和水", {ts, ps, v1, u1, h1, s1, 0.0, thermal.liquid, thermal.sigma},
                         saturatedDecimals(false)));
    out.push_back(column(name + " 饱和蒸汽", {ts, ps, v11, u11, h11, s11, 1.0, thermal.vapour, thermal.sigma},
                         saturatedDecimals(true)));
}

void addRegister(std::vector<SheetColumn>& out, const calc::RegisterStore& registers, int r) {
    const std::string name = "M" + std::to_string(r + 1);
    if (registers.kind(r) == calc::RegisterKind::Saturation) {
        std::array<double, 10> values;
        for (int k = 0; k < 10; ++k) values[k] = registers.SaturationMemory(r + 1, k + 1);
        const double ts = values[0];
        addSaturation(out, name, values,
                      {calc::thermalPropertiesAt(ts, values[2]), calc::thermalPropertiesAt(ts, values[3]),
                       calc::surfaceTensionAt(ts)});
        return;
    }
    const calc::RegisterStore::StateValues v = registers.registerState(r);  // t p v h s x u
    const bool hasDryness = registers.holdsNumber(r, 6);
    const double x = hasDryness ? v[5] : kUndefined;
    const bool wet = hasDryness && x > 0.0 && x < 1.0;
    const calc::ThermalSet thermal = wet ? calc::undefinedThermalSet() : calc::thermalPropertiesAt(v[0], v[2]);
    out.push_back(column(name, {v[0], v[1], v[2], v[6], v[3], v[4], x, thermal, kUndefined}, kStateDecimals));
}

}  // namespace

std::vector<SheetColumn> propertySheet(const SheetSources& sources) {
    std::vector<SheetColumn> out;
    if (const auto& sat = sources.saturation; sat && sat->solved) {
        std::array<double, 10> values;
        std::copy(sat->values.begin(), sat->values.begin() + 8, values.begin());
        values[8] = sat->u1;
        values[9] = sat->u11;
        addSaturation(out, "当前", values, calc::thermalPropertiesOf(*sat));
    }
    if (const auto& state = sources.state) {
        using Form = calc::StateSolution::Form;
        if (state->form == Form::SinglePhase || state->form == Form::CriticalPoint || state->form == Form::Mixture) {
            using calc::Property;
            const auto at = [&](Property p) { return (*state)[p]; };
            const double x = state->form == Form::Mixture ? at(Property::x) : kUndefined;
            out.push_back(column("当前 状态",
                                 {at(Property::t), at(Property::p), at(Property::v), at(Property::u), at(Property::h),
                                  at(Property::s), x, calc::thermalPropertiesOf(*state), kUndefined},
                                 kStateDecimals));
        }
    }
    if (const calc::RegisterStore* registers = sources.registers)
        for (int r = 0; r < calc::kRegisterCount; ++r)
            if (registers->isStored(r) && registers->isShown(r)) addRegister(out, *registers, r);
    return out;
}

std::string sheetTsv(const std::vector<SheetColumn>& columns) {
    std::string text = "性质\t单位";
    for (const SheetColumn& c : columns) text += "\t" + c.heading;
    text += "\n";
    for (int row = 0; row < kSheetRowCount; ++row) {
        text += std::string(kSheetRows[row].caption) + " " + kSheetRows[row].symbol + "\t" + kSheetRows[row].unit;
        for (const SheetColumn& c : columns) text += "\t" + c.cells[row];
        text += "\n";
    }
    return text;
}

}  // namespace steam::panels
