#include "recording_surface.h"

namespace steam::diagram {

RecordedCall RecordingSurface::stamped(CallKind kind) const {
    RecordedCall call;
    call.kind = kind;
    call.width = m_width;
    call.dash = m_dash;
    call.fontFamily = m_fontFamily;
    call.fontPoints = m_fontPoints;
    call.bold = m_bold;
    call.colour = m_textColour;
    call.retained = m_retained;
    return call;
}

void RecordingSurface::setUserCoordinates(double left, double top, double right, double bottom) {
    RecordedCall call = stamped(CallKind::UserCoordinates);
    call.x1 = left;
    call.y1 = top;
    call.x2 = right;
    call.y2 = bottom;
    m_calls.push_back(call);
}

void RecordingSurface::setRetained(bool on) {
    m_retained = on;
    RecordedCall call = stamped(CallKind::Retained);
    call.on = on;
    m_calls.push_back(call);
}

void RecordingSurface::clear() { m_calls.push_back(stamped(CallKind::Clear)); }

void RecordingSurface::setLineWidth(int pixels) {
    m_width = pixels;
    m_calls.push_back(stamped(CallKind::LineWidth));
}

void RecordingSurface::setDashStyle(DashStyle style) {
    m_dash = style;
    m_calls.push_back(stamped(CallKind::Dash));
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    RecordedCall call = stamped(CallKind::Line);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    m_calls.push_back(call);
}

void RecordingSurface::rectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    line(x1, y1, x2, y2, colour);
    m_calls.back().kind = CallKind::Rectangle;
}

void RecordingSurface::filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    line(x1, y1, x2, y2, colour);
    m_calls.back().kind = CallKind::FilledRectangle;
}

void RecordingSurface::setFont(const std::string& family, double points, bool bold) {
    m_fontFamily = family;
    m_fontPoints = points;
    m_bold = bold;
    m_calls.push_back(stamped(CallKind::Font));
}

void RecordingSurface::setTextColour(Rgb colour) {
    m_textColour = colour;
    m_calls.push_back(stamped(CallKind::TextColour));
}

void RecordingSurface::setCurrentPosition(double x, double y) {
    m_x = x;
    m_y = y;
    RecordedCall call = stamped(CallKind::CurrentPosition);
    call.x1 = x;
    call.y1 = y;
    m_calls.push_back(call);
}

void RecordingSurface::text(const std::string& utf8) {
    RecordedCall call = stamped(CallKind::Text);
    call.x1 = m_x;
    call.y1 = m_y;
    call.text = utf8;
    m_calls.push_back(call);
}

std::vector<RecordedCall> RecordingSurface::callsOf(CallKind kind) const {
    std::vector<RecordedCall> out;
    for (const RecordedCall& call : m_calls)
        if (call.kind == kind) out.push_back(call);
    return out;
}

int RecordingSurface::indexOfText(const std::string& utf8) const {
    for (size_t i = 0; i < m_calls.size(); ++i)
        if (m_calls[i].kind == CallKind::Text && m_calls[i].text == utf8) return static_cast<int>(i);
    return -1;
}

void RecordingSurface::reset() { *this = RecordingSurface(); }

}  // namespace steam::diagram
