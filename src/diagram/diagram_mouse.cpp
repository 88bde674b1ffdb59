#include "diagram_mouse.h"

#include "marker_colours.h"

#include "numeric/number_text.h"

#include <algorithm>
#include <cmath>

namespace steam::diagram {

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;

// Saturation panel rows of s' and s''.
constexpr int kWaterEntropyOption = 6;
constexpr int kSteamEntropyOption = 7;

}  // namespace

DiagramMouse::DiagramMouse(Diagram& diagram, DrawingSurface& pic, const calc::RegisterStore& registers)
    : m_diagram(diagram), m_pic(pic), m_registers(registers) {}

void DiagramMouse::reset() {
    ZoomDragCount = 0;
    PanDragCount = 0;
}

std::string DiagramMouse::readout(const ChartAxis& axis, float position) {
    if (!axis.logarithmic) return numeric::fixedText(position, 3);
    // At most six decimals, so the text fits its box: three significant digits below 0.001,
    // finer than a pixel of the default window there.
    const double value = axis.fromChart(position);
    const int decimals = std::clamp(3 - static_cast<int>(std::floor(std::log10(value))), 0, 6);
    return numeric::fixedText(value, decimals);
}

bool DiagramMouse::picking() const { return m_diagram.CHKpic[kPickEntropy] || m_diagram.CHKpic[kPickEntropyEnthalpy]; }

MouseReaction DiagramMouse::Pic_MouseMove(int Button, float X, float Y) {
    MouseReaction reaction;
    if (m_diagram.DiagramReady != 1) {
        reaction.ignored = true;
        return reaction;
    }
    reaction.readoutX = readout(m_diagram.description().x, X);
    reaction.readoutY = readout(m_diagram.description().y, Y);
    DiagramScale& scale = m_diagram.scale;

    if (picking()) {
        if (m_diagram.CHKpic[kPickEntropy] && m_diagram.description().entropyAcross())
            reaction.entropyPick = pickEntropy(X, reaction.readoutX);
        if (m_diagram.CHKpic[kPickEntropyEnthalpy])
            reaction.statePick = pickState(X, Y, reaction.readoutX, reaction.readoutY);
        return reaction;
    }

    if (Button == kLeft) {
        ++ZoomDragCount;
        if (ZoomDragCount == 1) {
            scale.DragStartX = X;
            scale.DragStartY = Y;
        }
        m_pic.setRetained(false);
        m_pic.clear();
        m_pic.rectangle(scale.DragStartX, scale.DragStartY, X, Y, kRubberBand);
    } else if (Button == kRight) {
        reaction.pointer = Pointer::Arrow;
        ++PanDragCount;
        if (PanDragCount == 1) {
            scale.DragStartX = X;
            scale.DragStartY = Y;
        }
        // X and Y are measured in the window in force, so the grabbed point stays under the
        // mouse and the spans do not change.
        scale.ViewXmin = scale.DragStartX + (scale.ViewXmin - X);
        scale.ViewXmax = scale.DragStartX + (scale.ViewXmax - X);
        scale.ViewYmin = scale.DragStartY + (scale.ViewYmin - Y);
        scale.ViewYmax = scale.DragStartY + (scale.ViewYmax - Y);
        m_diagram.redraw(m_pic, m_registers);
    } else if (Button == 0) {
        MouseReaction ended = endDrag(X, Y);
        reaction.pointer = ended.pointer;
        reaction.messages = std::move(ended.messages);
    }
    return reaction;
}

MouseReaction DiagramMouse::buttonReleased(int Button, float X, float Y) {
    MouseReaction reaction;
    if (m_diagram.DiagramReady != 1 || picking() || Button != 0) {
        reaction.ignored = m_diagram.DiagramReady != 1;
        return reaction;
    }
    return endDrag(X, Y);
}

MouseReaction DiagramMouse::endDrag(float X, float Y) {
    MouseReaction reaction;
    DiagramScale& scale = m_diagram.scale;
    if (ZoomDragCount != 0) {
        scale.DragEndX = X;
        scale.DragEndY = Y;
        ZoomDragCount = 0;
        // The thresholds are fractions of the default window, not of the current one.
        if (std::abs(scale.DragEndX - scale.DragStartX) > 0.00001 * (scale.DefaultXmax - scale.DefaultXmin) &&
            std::abs(scale.DragEndY - scale.DragStartY) > 0.00001 * (scale.DefaultYmax - scale.DefaultYmin)) {
            m_diagram.ZoomWindow(m_pic, m_registers);
        } else {
            // The rubber band goes before the reminder shows.
            m_pic.setRetained(false);
            m_pic.clear();
            reaction.messages.push_back({calc::MessageCode::ZoomAtLimit, {}});
        }
    }
    if (PanDragCount != 0) PanDragCount = 0;
    reaction.pointer = Pointer::Cross;
    return reaction;
}

EntropyPick DiagramMouse::pickEntropy(float X, const std::string& text) {
    const DiagramScale& scale = m_diagram.scale;
    if (scale.ViewXmin <= X && X <= scale.ViewXmax) {
        m_pic.setRetained(false);
        m_pic.clear();
        m_pic.line(X, scale.ViewYmin, X, scale.ViewYmax, kCurrentSatDot);
    }
    // The vapour branch starts at the critical entropy itself.
    const int option = X < static_cast<float>(kCriticalEntropy) ? kWaterEntropyOption : kSteamEntropyOption;
    return {option, text};
}

StatePick DiagramMouse::pickState(float X, float Y, const std::string& xText, const std::string& yText) {
    const DiagramScale& scale = m_diagram.scale;
    m_pic.setRetained(false);
    m_pic.clear();
    if (scale.ViewXmin <= X && X <= scale.ViewXmax) m_pic.line(X, scale.ViewYmin, X, scale.ViewYmax, kCurrentStateDot);
    if (scale.ViewYmin <= Y && Y <= scale.ViewYmax) m_pic.line(scale.ViewXmin, Y, scale.ViewXmax, Y, kCurrentStateDot);
    // The state panel's rows are in the order of the properties (t, p, v, h, s, x).
    return {static_cast<int>(m_diagram.description().x.quantity), xText,
            static_cast<int>(m_diagram.description().y.quantity), yText};
}

ClickReaction DiagramMouse::Pic_Click() const {
    ClickReaction reaction;
    reaction.calculateSaturation = m_diagram.CHKpic[kPickEntropy];
    reaction.calculateState = m_diagram.CHKpic[kPickEntropyEnthalpy];
    reaction.untickPickEntropy = m_diagram.CHKpic[kPickEntropy];
    reaction.untickPickEntropyEnthalpy = m_diagram.CHKpic[kPickEntropyEnthalpy];
    return reaction;
}

void DiagramMouse::Pic_DblClick() { m_diagram.restoreDefault(m_pic, m_registers); }

}  // namespace steam::diagram
