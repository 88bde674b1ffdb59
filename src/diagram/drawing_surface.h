#pragma once
// The drawing operations the h-s diagram needs. Coordinates are diagram coordinates
// (s, h) once setUserCoordinates has mapped them onto the surface. A QPainter surface
// draws them for the screen and for files; a recording surface keeps them for tests.
#include "colour/colours.h"

#include <span>
#include <string>

namespace steam::diagram {

using colour::Rgb;

enum class DashStyle { Solid, Dotted, Dashed };

/// A point in diagram coordinates.
struct SurfacePoint {
    double x = 0.0;
    double y = 0.0;
};

/// Width and height of a text, in the surface's layout pixels.
struct TextExtent {
    double width = 0.0;
    double height = 0.0;
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    /// Maps the surface so that its top-left corner is (left, top) and its bottom-right
    /// corner is (right, bottom), in diagram coordinates.
    virtual void setUserCoordinates(double left, double top, double right, double bottom) = 0;
    /// On: drawing goes into the persistent image. Off: into the transient overlay above it.
    virtual void setRetained(bool on) = 0;
    /// Retained on: erases the image (and the overlay) to the background colour.
    /// Retained off: erases only the overlay.
    virtual void clear() = 0;
    virtual void setLineWidth(int pixels) = 0;
    virtual void setDashStyle(DashStyle style) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    /// Lines joining consecutive points, in the current width and dash style.
    virtual void polyline(std::span<const SurfacePoint> points, Rgb colour) = 0;
    virtual void rectangle(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    /// Fill and edge both in colour.
    virtual void filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void setFont(const std::string& family, double points, bool bold) = 0;
    virtual void setTextColour(Rgb colour) = 0;
    virtual void setCurrentPosition(double x, double y) = 0;
    /// UTF-8 text with its top-left corner at the current position.
    virtual void text(const std::string& utf8) = 0;

    /// Size of the surface in layout pixels: the pixels of the picture on screen at 96 dpi.
    /// A surface drawn larger (for print) reports the size of the same picture on screen and
    /// scales everything it draws, so whatever is laid out in these pixels comes out alike.
    virtual double pixelWidth() const = 0;
    virtual double pixelHeight() const = 0;
    /// Size of a text in the current font, in layout pixels.
    virtual TextExtent textExtent(const std::string& utf8) const = 0;
};

}  // namespace steam::diagram
