#include "recording_surface.h"

#include <cmath>

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

void RecordingSurface::polyline(std::span<const SurfacePoint> points, Rgb colour) {
    RecordedCall call = stamped(CallKind::Polyline);
    call.points.assign(points.begin(), points.end());
    call.colour = colour;
    if (!points.empty()) {
        call.x1 = points.front().x;
        call.y1 = points.front().y;
        call.x2 = points.back().x;
        call.y2 = points.back().y;
    }
    m_calls.push_back(call);
}

TextExtent RecordingSurface::textExtent(const std::string& utf8) const {
    const double pixels = std::round(m_fontPoints * 96.0 / 72.0);
    double width = 0.0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80)
            width += 0.55 * pixels;
        else if ((byte & 0xC0) == 0xC0)  // the first byte of a wider character
            width += pixels;
    }
    return {width, 1.2 * pixels};
}

void RecordingSurface::setPixelSize(double width, double height) {
    m_pixelWidth = width;
    m_pixelHeight = height;
}

std::vector<RecordedCall> RecordingSurface::segments() const {
    std::vector<RecordedCall> out;
    for (const RecordedCall& call : m_calls) {
        if (call.kind == CallKind::Line) out.push_back(call);
        if (call.kind != CallKind::Polyline) continue;
        for (size_t i = 1; i < call.points.size(); ++i) {
            RecordedCall segment = call;
            segment.kind = CallKind::Line;
            segment.points.clear();
            segment.x1 = call.points[i - 1].x;
            segment.y1 = call.points[i - 1].y;
            segment.x2 = call.points[i].x;
            segment.y2 = call.points[i].y;
            out.push_back(segment);
        }
    }
    return out;
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

void RecordingSurface::reset() {
    const double width = m_pixelWidth, height = m_pixelHeight;
    *this = RecordingSurface();
    setPixelSize(width, height);
}

}  // namespace steam::diagram
