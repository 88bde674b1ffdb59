#pragma once
// The diagram's drawing operations carried out by a QPainter, for the picture on screen
// (QImageSurface) and for files (QImageSurface, SvgSurface). Diagram coordinates are mapped
// onto the device's pixels. The device may be drawn larger than the picture on screen, by a
// print scale: fonts, line widths and dots grow with it and the surface reports its layout
// size as the picture on screen, so the same diagram comes out at any size. Lines are not
// antialiased, so grid lines and frames stay sharp; text is. Fonts that are not installed
// ("宋体", Arial) are mapped to installed ones that cover the text; sizes are points at
// 96 dpi. Needs a QGuiApplication for text.
#include "diagram/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

#include <string>
#include <unordered_map>

class QPainter;

namespace steam::render {

using diagram::DashStyle;
using diagram::Rgb;
using diagram::SurfacePoint;
using diagram::TextExtent;

class PainterSurface : public diagram::DrawingSurface {
public:
    /// Pixel size of the picture on screen, 7335 x 6975 twips at 15 twips per pixel.
    static constexpr int kWidth = 489;
    static constexpr int kHeight = 465;

    /// A device of width x height pixels, drawn at `scale` times the size on screen.
    PainterSurface(int width, int height, double scale);
    ~PainterSurface() override = default;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void setUserCoordinates(double left, double top, double right, double bottom) override;
    void setLineWidth(int pixels) override;
    void setDashStyle(DashStyle style) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void polyline(std::span<const SurfacePoint> points, Rgb colour) override;
    void rectangle(double x1, double y1, double x2, double y2, Rgb colour) override;
    void filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) override;
    void setFont(const std::string& family, double points, bool bold) override;
    void setTextColour(Rgb colour) override;
    void setCurrentPosition(double x, double y) override;
    void text(const std::string& utf8) override;
    double pixelWidth() const override { return m_width / m_scale; }
    double pixelHeight() const override { return m_height / m_scale; }
    TextExtent textExtent(const std::string& utf8) const override;

    /// Diagram coordinates of a device pixel position (pixel edges at whole numbers).
    QPointF toUser(QPointF pixel) const;
    /// Device pixel position of a diagram point, not rounded.
    QPointF toPixel(double x, double y) const;
    double scale() const { return m_scale; }

    /// Size of the device in its own pixels.
    int deviceWidth() const { return m_width; }
    int deviceHeight() const { return m_height; }

    /// Installed family used for a requested one: the family itself when installed;
    /// for "宋体" and other Chinese names a font covering Simplified Chinese; for Arial a
    /// metric-alike sans.
    static QString mappedFamily(const QString& requested);

protected:
    /// The painter of the current target, opened on first need.
    virtual QPainter& painter() = 0;
    /// Called after each drawing operation.
    virtual void drawn() {}
    /// The painter was opened afresh: its pen and font are not ours yet.
    void painterOpened(QPainter& p);
    /// The device changes size or print scale: the user coordinates keep their corners, the
    /// font its size in points. The derived surface replaces its target.
    void resizeDevice(int width, int height, double scale);
    /// Whether lines are drawn solid and one device pixel wide.
    bool thinSolidLines() const;
    QPointF pixelPoint(double x, double y) const;  // rounded to pixel positions

private:
    void applyLinePen(QPainter& p, Rgb colour);
    bool drawClippedLine(QPainter& p, QPointF a, QPointF b);

    int m_width, m_height;
    double m_scale;
    double m_left = 0.0, m_top = 0.0, m_right = 1.0, m_bottom = 1.0;
    double m_scaleX = 1.0, m_scaleY = 1.0;

    int m_lineWidth = 1;
    DashStyle m_dash = DashStyle::Solid;
    std::string m_fontFamily = "Arial";
    double m_fontPoints = 8.25;
    bool m_fontBold = false;
    QFont m_font;
    std::string m_fontKey;
    int m_ascent = 0;
    mutable std::unordered_map<std::string, TextExtent> m_extents;
    QColor m_textColour{Qt::black};
    double m_x = 0.0, m_y = 0.0;

    // Pen currently set on the painter, to skip redundant setPen calls.
    bool m_penValid = false;
    QColor m_penColour;
    int m_penWidth = 0;
    DashStyle m_penDash = DashStyle::Solid;
};

}  // namespace steam::render
