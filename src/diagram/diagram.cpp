#include "diagram.h"

#include "calc/register_store.h"
#include "numeric/number_text.h"

#include <stdexcept>

namespace steam::diagram {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kHorizontalGrid{100, 100, 100};
constexpr Rgb kVerticalGrid{150, 150, 150};
constexpr Rgb kSaturationColour{50, 50, 50};
constexpr Rgb kRegionLabelColour{192, 192, 192};
constexpr Rgb kCriticalFill{255, 100, 0};
constexpr Rgb kCriticalEdge{30, 30, 0};
constexpr Rgb kCurveLabelBox{220, 220, 220};
constexpr Rgb kMargin{210, 215, 210};

constexpr Rgb kRegisterDotEdge{0, 255, 50};
constexpr Rgb kSaturationLabelBox{255, 255, 180};
constexpr Rgb kStateLabelBox{155, 255, 180};
constexpr Rgb kCurrentSatDot{250, 60, 160};
constexpr Rgb kCurrentSatEdge{140, 0, 50};
constexpr Rgb kCurrentStateDot{0, 180, 255};
constexpr Rgb kCurrentStateEdge{0, 60, 120};

struct RegionLabel {
    const char* text;
    double s;
    double h;
};

constexpr std::array<RegionLabel, 6> kRegionLabelTexts{{
    {"饱和蒸汽", 7.5, 2750},
    {"饱和水", 0.5, 500},
    {"湿蒸汽(两相区)", 5.0, 1800},
    {"水", 2.5, 1700},
    {"过热蒸汽", 7.5, 3700},
    {"超临界区", 2.5, 3500},
}};

// Saturation values 5 to 8 of a slot: h', h'', s', s''.
constexpr int kWaterEnthalpy = 5;
constexpr int kSteamEnthalpy = 6;
constexpr int kWaterEntropy = 7;
constexpr int kSteamEntropy = 8;
// State values 4 and 5: h, s.
constexpr int kStateEnthalpy = 4;
constexpr int kStateEntropy = 5;

constexpr int kSaturationLabelDivisor = 16;
constexpr int kStateLabelDivisor = 19;

}  // namespace

void Diagram::drawWindow(DrawingSurface& pic, const calc::RegisterStore& registers, double Xmin, double Xmax,
                         double Ymin, double Ymax) {
    DiagramReady = 0;
    scale.setSurfaceEdges(Xmin, Xmax, Ymin, Ymax);
    pic.setUserCoordinates(scale.XminExt, scale.YmaxExt, scale.XmaxExt, scale.YminExt);
    pic.setRetained(true);
    pic.clear();

    const std::vector<AxisTick> yTicks = scale.yTicks(Ymin, Ymax);
    const std::vector<AxisTick> xTicks = scale.xTicks(Xmin, Xmax);
    for (const AxisTick& y : yTicks) {
        pic.setDashStyle(DashStyle::Dotted);
        pic.line(Xmax, y.value, Xmin - scale.Xpct, y.value, kHorizontalGrid);
        pic.setDashStyle(DashStyle::Solid);
    }
    for (const AxisTick& x : xTicks) pic.line(x.value, Ymax, x.value, Ymin - scale.Ypct, kVerticalGrid);

    for (int f = 1; f <= kFamilyCount; ++f)
        if (CHKpic[f - 1]) drawFamily(pic, f);
    if (CHKpic[kSaturationLayer]) drawSaturationLine(pic);
    if (CHKpic[kRegionLabels]) drawRegionLabels(pic);
    if (CHKpic[kCriticalPointLayer]) drawCriticalPoint(pic);
    drawMarkers(pic, registers);

    // The bands are the only clipping: they cover whatever the steps above drew outside.
    drawMarginBands(pic, Xmin, Xmax, Ymin, Ymax);

    for (const AxisTick& y : yTicks) {
        pic.setCurrentPosition(scale.XminExt, y.value);
        pic.text(y.text);
    }
    for (const AxisTick& x : xTicks) {
        pic.setCurrentPosition(x.value, Ymin - scale.Ypct);
        pic.text(x.text);
    }
    pic.rectangle(Xmin, Ymin, Xmax, Ymax, kBlack);
    pic.setRetained(false);
    DiagramReady = 1;
}

void Diagram::redraw(DrawingSurface& pic, const calc::RegisterStore& registers) {
    drawWindow(pic, registers, scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
}

void Diagram::ZoomWindow(DrawingSurface& pic, const calc::RegisterStore& registers) {
    scale.setViewFromDrag();
    scale.DefineScale(scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
    drawWindow(pic, registers, scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
}

void Diagram::restoreDefault(DrawingSurface& pic, const calc::RegisterStore& registers) {
    scale.ViewXmin = scale.DefaultXmin;
    scale.ViewXmax = scale.DefaultXmax;
    scale.ViewYmin = scale.DefaultYmin;
    scale.ViewYmax = scale.DefaultYmax;
    scale.DefineScale(scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    drawWindow(pic, registers, scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
}

// Consecutive slots with the same key are one curve; a change of key ends the curve and
// puts its label at the last point. The zero slots after the last row join into lines of
// no length at (0, 0).
void Diagram::drawFamily(DrawingSurface& pic, int f) const {
    const auto& points = curves.CurveFamily[f];
    const Rgb colour = CurveColour[f];
    const float labelTop = scale.Yspan / 200.0f;
    const float labelBottom = scale.Yspan / 35.0f;
    const double labelWidth = scale.Xspan / 11.0;
    for (int j = 1; j < kCurveSlots; ++j) {
        const CurvePoint& here = points[j];
        const CurvePoint& next = points[j + 1];
        if (next.key == here.key) {
            pic.line(here.s, here.h, next.s, next.h, colour);
            continue;
        }
        const double x1 = here.s;
        const double y1 = here.h - labelTop;
        const double x2 = here.s + labelWidth;
        const double y2 = here.h - labelBottom;
        pic.filledRectangle(x1, y1, x2, y2, kCurveLabelBox);
        pic.rectangle(x1, y1, x2, y2, colour);
        pic.setTextColour(colour);
        pic.setCurrentPosition(here.s, here.h);
        pic.text(" " + curves.CurveKeyName[f] + "=" + numeric::generalText(here.key));
        pic.setTextColour(kBlack);
    }
}

void Diagram::drawSaturationLine(DrawingSurface& pic) const {
    pic.setLineWidth(2);
    const auto& line = curves.SaturationLine;
    for (int i = 1; i < kSaturationSlots; ++i)
        pic.line(line[i].s, line[i].h, line[i + 1].s, line[i + 1].h, kSaturationColour);
    pic.setLineWidth(1);
}

void Diagram::drawRegionLabels(DrawingSurface& pic) const {
    pic.setFont("宋体", 16, true);
    pic.setTextColour(kRegionLabelColour);
    for (const RegionLabel& label : kRegionLabelTexts) {
        pic.setCurrentPosition(label.s, label.h);
        pic.text(label.text);
    }
    pic.setTextColour(kBlack);
    pic.setFont("Arial", 8, false);
}

void Diagram::drawCriticalPoint(DrawingSurface& pic) const {
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const double x1 = kCriticalEntropy - halfWidth;
    const double y1 = kCriticalEnthalpy - halfHeight;
    const double x2 = kCriticalEntropy + halfWidth;
    const double y2 = kCriticalEnthalpy + halfHeight;
    pic.filledRectangle(x1, y1, x2, y2, kCriticalFill);
    pic.rectangle(x1, y1, x2, y2, kCriticalEdge);
}

void Diagram::drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const {
    // Saturation registers show whenever ticked; state registers also need a non-zero h.
    for (int k = 1; k <= 5; ++k) {
        if (registers.isShown(k - 1))
            drawUpDot(pic, registers, k, " M" + std::to_string(k), calc::RegisterStore::registerColour(k - 1),
                      kRegisterDotEdge, kSaturationLabelBox);
    }
    for (int k = 1; k <= 4; ++k) {
        if (registers.isShown(k + 4) && registers.StateMemory(k, kStateEnthalpy) != 0.0)
            drawDownDot(pic, registers, k, " M" + std::to_string(k + 5), calc::RegisterStore::registerColour(k + 4),
                        kRegisterDotEdge, kStateLabelBox);
    }
    if (registers.SaturationMemory(calc::kCurrentSatSlot, kSteamEnthalpy) != 0.0)
        drawUpDot(pic, registers, calc::kCurrentSatSlot, "", kCurrentSatDot, kCurrentSatEdge, kSaturationLabelBox);
    if (registers.StateMemory(calc::kCurrentStateSlot, kStateEnthalpy) != 0.0)
        drawDownDot(pic, registers, calc::kCurrentStateSlot, "", kCurrentStateDot, kCurrentStateEdge,
                    kStateLabelBox);
}

void Diagram::drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const {
    pic.filledRectangle(scale.XminExt, scale.YminExt, scale.XmaxExt, Ymin, kMargin);
    pic.filledRectangle(scale.XminExt, Ymax, scale.XmaxExt, scale.YmaxExt, kMargin);
    pic.filledRectangle(scale.XminExt, scale.YminExt, Xmin, scale.YmaxExt, kMargin);
    pic.filledRectangle(Xmax, scale.YminExt, scale.XmaxExt, scale.YmaxExt, kMargin);
}

// Sizes are fractions of the spans, so a marker keeps its size on screen at every zoom.
void Diagram::drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                        Rgb dotLine, Rgb label) const {
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const float labelBottom = y - scale.Yspan / 37.0f;
    const float below = y - halfHeight;
    const float above = y + halfHeight;
    pic.filledRectangle(x, below, x + scale.Xspan / labelDivisor, labelBottom, label);
    pic.filledRectangle(x - halfWidth, below, x + halfWidth, above, dot);
    pic.rectangle(x - halfWidth, below, x + halfWidth, above, dotLine);
    pic.setCurrentPosition(x, y);
    pic.text(text);
}

void Diagram::drawUpDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                        Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentSatSlot) throw std::out_of_range("drawUpDot: no saturation slot " + std::to_string(ii));
    const auto value = [&](int k) { return static_cast<float>(registers.SaturationMemory(ii, k)); };
    drawPoint(pic, value(kWaterEntropy), value(kWaterEnthalpy), kSaturationLabelDivisor, " ( s', h')" + LabName,
              ColoDot, ColoDotLine, ColoLabel);
    drawPoint(pic, value(kSteamEntropy), value(kSteamEnthalpy), kSaturationLabelDivisor, "(s'', h'')" + LabName,
              ColoDot, ColoDotLine, ColoLabel);
}

void Diagram::drawDownDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii,
                          const std::string& LabName, Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentStateSlot) throw std::out_of_range("drawDownDot: no state slot " + std::to_string(ii));
    const auto value = [&](int k) { return static_cast<float>(registers.StateMemory(ii, k)); };
    drawPoint(pic, value(kStateEntropy), value(kStateEnthalpy), kStateLabelDivisor, "( s , h )" + LabName, ColoDot,
              ColoDotLine, ColoLabel);
}

}  // namespace steam::diagram
