#pragma once
// A drawing surface that draws nothing and keeps every call, with the surface state in
// force at the time, so tests can check what the diagram drew, where, and in what order.
// It is 489 x 465 layout pixels unless told otherwise and measures text by a rule of thumb:
// a line 1.2 font heights tall, Latin characters 0.55 of the font height wide, others 1.
#include "drawing_surface.h"

#include <string>
#include <vector>

namespace steam::diagram {

enum class CallKind {
    UserCoordinates,
    Retained,
    Clear,
    LineWidth,
    Dash,
    Line,
    Polyline,
    Rectangle,
    FilledRectangle,
    Font,
    TextColour,
    CurrentPosition,
    Text,
};

struct RecordedCall {
    CallKind kind = CallKind::Clear;
    /// Corners of lines and rectangles, the two corners of setUserCoordinates
    /// (left, top, right, bottom), or the position of a text in x1, y1.
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    /// Drawing colour of lines and rectangles; the text colour for texts.
    Rgb colour{};
    int width = 1;
    DashStyle dash = DashStyle::Solid;
    std::string fontFamily;
    double fontPoints = 0.0;
    bool bold = false;
    std::string text;
    /// Points of a polyline.
    std::vector<SurfacePoint> points;
    /// Whether retained drawing was on: the call went into the image, not the overlay.
    bool retained = false;
    /// New value of setRetained.
    bool on = false;
};

class RecordingSurface : public DrawingSurface {
public:
    void setUserCoordinates(double left, double top, double right, double bottom) override;
    void setRetained(bool on) override;
    void clear() override;
    void setLineWidth(int pixels) override;
    void setDashStyle(DashStyle style) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Rgb colour) override;
    void filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) override;
    void setFont(const std::string& family, double points, bool bold) override;
    void setTextColour(Rgb colour) override;
    void setCurrentPosition(double x, double y) override;
    void text(const std::string& utf8) override;
    void polyline(std::span<const SurfacePoint> points, Rgb colour) override;
    double pixelWidth() const override { return m_pixelWidth; }
    double pixelHeight() const override { return m_pixelHeight; }
    TextExtent textExtent(const std::string& utf8) const override;

    void setPixelSize(double width, double height);

    const std::vector<RecordedCall>& calls() const { return m_calls; }
    /// The calls of one kind, in order.
    std::vector<RecordedCall> callsOf(CallKind kind) const;
    /// Every line and every segment of every polyline, in order, each as a Line call.
    std::vector<RecordedCall> segments() const;
    /// Index in calls() of the first call of a kind with the given text, or -1.
    int indexOfText(const std::string& utf8) const;
    void reset();

private:
    RecordedCall stamped(CallKind kind) const;

    std::vector<RecordedCall> m_calls;
    int m_width = 1;
    DashStyle m_dash = DashStyle::Solid;
    std::string m_fontFamily = "Arial";
    double m_fontPoints = 8.25;
    bool m_bold = false;
    Rgb m_textColour{};
    double m_x = 0.0, m_y = 0.0;
    bool m_retained = false;
    double m_pixelWidth = 489.0;
    double m_pixelHeight = 465.0;
};

}  // namespace steam::diagram
