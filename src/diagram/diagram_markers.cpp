// The markers of the diagram: the shown registers and the current results at their own
// coordinates, then the cycle's states, each a square with its caption where the pass's layout
// put it (mark_layout.h).
#include "diagram.h"

#include "marker_colours.h"

#include "calc/register_store.h"

#include <cmath>
#include <stdexcept>

namespace steam::diagram {

namespace {

// Saturation value 6 of a slot (h'') and state value 4 (h): non-zero once a result is there.
constexpr int kSteamEnthalpy = 6;
constexpr int kStateEnthalpy = 4;

constexpr int kSaturationLabelDivisor = 16;
constexpr int kStateLabelDivisor = 19;

}  // namespace

void Diagram::drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const {
    // Saturation registers show whenever ticked; state registers (M1 to M5 holding a state
    // among them) also need a non-zero h.
    for (int k = 1; k <= 5; ++k) {
        if (!registers.isShown(k - 1)) continue;
        const Rgb colour = colour::kRegisterColours[static_cast<size_t>(k - 1)];
        if (registers.kind(k - 1) == calc::RegisterKind::Saturation)
            drawUpDot(pic, registers, k, " M" + std::to_string(k), colour, kRegisterDotEdge, kSaturationLabelBox);
        else if (registers.registerState(k - 1)[kStateEnthalpy - 1] != 0.0)
            drawStateValues(pic, registers.registerState(k - 1), " M" + std::to_string(k), colour, kRegisterDotEdge,
                            kStateLabelBox);
    }
    for (int k = 1; k <= 4; ++k) {
        if (registers.isShown(k + 4) && registers.StateMemory(k, kStateEnthalpy) != 0.0)
            drawDownDot(pic, registers, k, " M" + std::to_string(k + 5),
                        colour::kRegisterColours[static_cast<size_t>(k + 4)], kRegisterDotEdge, kStateLabelBox);
    }
    if (registers.SaturationMemory(calc::kCurrentSatSlot, kSteamEnthalpy) != 0.0)
        drawUpDot(pic, registers, calc::kCurrentSatSlot, "", kCurrentSatDot, kCurrentSatEdge, kSaturationLabelBox);
    if (registers.StateMemory(calc::kCurrentStateSlot, kStateEnthalpy) != 0.0)
        drawDownDot(pic, registers, calc::kCurrentStateSlot, "", kCurrentStateDot, kCurrentStateEdge, kStateLabelBox);
    if (cycleVisible()) drawCycleStates(pic);
}

// Sizes are fractions of the spans, so a marker keeps its size on screen at every zoom. The
// caption (its box and text) stands at the place the pass's layout gave it, by default with
// its corner at the point; a caption without a place is left out, the square never.
void Diagram::drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                        Rgb dotLine, Rgb label) const {
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const float labelBottom = y - scale.Yspan / 37.0f;
    const float below = y - halfHeight;
    const float above = y + halfHeight;
    const double captionWidth = labelDivisor > 0 ? scale.Xspan / labelDivisor : pic.textExtent(text).width / m_map.perX;
    if (m_planning) {
        const TextExtent extent = pic.textExtent(text);
        const PixelBox box = m_map.box(x, labelBottom, x + captionWidth, y);
        m_plannedMarkers.push_back({m_map.box(x - halfWidth, below, x + halfWidth, above),
                                    std::max(box.width(), extent.width), std::max(box.height(), extent.height)});
        return;
    }
    const std::optional<PixelPoint> place =
        m_nextMarker < m_captionPlaces.size() ? m_captionPlaces[m_nextMarker] : std::nullopt;
    ++m_nextMarker;
    // The caption's shift from its corner at the point, in chart units.
    double dx = 0.0, dy = 0.0;
    if (place) {
        const PixelPoint corner = m_map.toPixel(x, y);
        if (std::abs(place->x - corner.x) > 1e-6 || std::abs(place->y - corner.y) > 1e-6) {
            dx = (place->x - corner.x) / m_map.perX;
            dy = (place->y - corner.y) / m_map.perY;
        }
        pic.filledRectangle(x + dx, below + dy, x + dx + captionWidth, labelBottom + dy, label);
    }
    pic.filledRectangle(x - halfWidth, below, x + halfWidth, above, dot);
    pic.rectangle(x - halfWidth, below, x + halfWidth, above, dotLine);
    if (!place) return;
    pic.setCurrentPosition(x + dx, y + dy);
    pic.text(text);
}

void Diagram::drawValuePoint(DrawingSurface& pic, float xValue, float yValue, int labelDivisor, const std::string& text,
                             Rgb dot, Rgb dotLine, Rgb label) const {
    const double x = description().x.toChart(xValue), y = description().y.toChart(yValue);
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    drawPoint(pic, static_cast<float>(x), static_cast<float>(y), labelDivisor, text, dot, dotLine, label);
}

void Diagram::drawUpDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                        Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentSatSlot)
        throw std::out_of_range("drawUpDot: no saturation slot " + std::to_string(ii));
    const auto value = [&](int k) { return static_cast<float>(registers.SaturationMemory(ii, k)); };
    for (const MarkedPoint& mark : description().saturationMarks)
        drawValuePoint(pic, value(mark.xValue), value(mark.yValue), kSaturationLabelDivisor, mark.text + LabName,
                       ColoDot, ColoDotLine, ColoLabel);
}

void Diagram::drawDownDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                          Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentStateSlot)
        throw std::out_of_range("drawDownDot: no state slot " + std::to_string(ii));
    std::array<double, 7> values{};
    for (int k = 1; k <= 7; ++k) values[static_cast<size_t>(k - 1)] = registers.StateMemory(ii, k);
    drawStateValues(pic, values, LabName, ColoDot, ColoDotLine, ColoLabel);
}

void Diagram::drawStateValues(DrawingSurface& pic, const std::array<double, 7>& values, const std::string& LabName,
                              Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    const auto value = [&](int k) { return static_cast<float>(values[static_cast<size_t>(k - 1)]); };
    const MarkedPoint& mark = description().stateMark;
    drawValuePoint(pic, value(mark.xValue), value(mark.yValue), kStateLabelDivisor, mark.text + LabName, ColoDot,
                   ColoDotLine, ColoLabel);
}

}  // namespace steam::diagram
