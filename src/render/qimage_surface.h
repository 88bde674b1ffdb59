#pragma once
// The diagram's drawing surface in pixels: a persistent image (what drawWindow draws and
// what is saved) and a transparent overlay above it for the rubber band and pick marks.
// Both are ARGB32 premultiplied, 489 x 465 pixels by default (the picture box of
// 7335 x 6975 twips at 15 twips per pixel). Lines are not antialiased, so grid lines
// and frames stay one pixel sharp; text is. Fonts that are not installed ("宋体",
// Arial) are mapped to installed ones that cover the text; sizes are points at 96 dpi.
// Needs a QGuiApplication for text.
#include "diagram/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QPainter;

namespace steam::render {

using diagram::DashStyle;
using diagram::Rgb;

class QImageSurface : public diagram::DrawingSurface {
public:
    static constexpr int kWidth = 489;
    static constexpr int kHeight = 465;
    static constexpr Rgb kDefaultBackground{240, 243, 240};

    explicit QImageSurface(int width = kWidth, int height = kHeight);
    ~QImageSurface() override;
    QImageSurface(const QImageSurface&) = delete;
    QImageSurface& operator=(const QImageSurface&) = delete;

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

    /// The persistent image (finishes any drawing in progress).
    const QImage& image() const;
    /// The transient overlay, transparent where nothing is drawn.
    const QImage& overlay() const;
    /// The image with the overlay on top, as the screen shows it.
    QImage composed() const;

    /// Diagram coordinates of a pixel position (pixel edges at whole numbers).
    QPointF toUser(QPointF pixel) const;
    /// Pixel position of a diagram point, not rounded.
    QPointF toPixel(double x, double y) const;

    /// Writes the persistent image as BMP data, whatever the file name's extension.
    /// On failure returns false and, if error is given, a readable reason (without the path).
    bool saveBmp(const QString& path, QString* error) const;
    /// Writes the persistent image in a Qt image format ("BMP", "PNG").
    bool saveImage(const QString& path, const char* format, QString* error) const;

    /// Colour a retained clear erases to; RGB(240, 243, 240) unless set.
    void setBackground(Rgb colour) { m_background = colour; }
    Rgb background() const { return m_background; }

    /// Called when the picture changed: after a retained drawing pass ends (retained
    /// switched off) and after each clear or drawing on the overlay.
    std::function<void()> onChanged;
    /// Number of such changes so far.
    std::uint64_t changeCount() const { return m_changes; }

    /// Installed family used for a requested one: the family itself when installed;
    /// for "宋体" and other Chinese names a font covering Simplified Chinese; for Arial a
    /// metric-alike sans.
    static QString mappedFamily(const QString& requested);

private:
    QPainter& painter();
    void finishPainting() const;
    void notifyChanged();
    void applyLinePen(Rgb colour);
    QPointF pixelPoint(double x, double y) const;  // rounded to pixel positions

    mutable QImage m_image;
    mutable QImage m_overlay;
    mutable std::unique_ptr<QPainter> m_painter;
    mutable QImage* m_paintTarget = nullptr;  // image or overlay, while a painter is open

    double m_left = 0.0, m_top = 0.0, m_right = 1.0, m_bottom = 1.0;
    double m_scaleX = 1.0, m_scaleY = 1.0;
    bool m_retained = false;
    Rgb m_background = kDefaultBackground;

    int m_lineWidth = 1;
    DashStyle m_dash = DashStyle::Solid;
    QFont m_font;
    int m_ascent = 0;
    QColor m_textColour{Qt::black};
    double m_x = 0.0, m_y = 0.0;

    // Pen currently set on the painter, to skip redundant setPen calls.
    mutable bool m_penValid = false;
    QColor m_penColour;
    int m_penWidth = 0;
    DashStyle m_penDash = DashStyle::Solid;

    std::uint64_t m_changes = 0;
};

}  // namespace steam::render
