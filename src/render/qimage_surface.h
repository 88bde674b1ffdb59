#pragma once
// The diagram's drawing surface in pixels: a persistent image (what drawWindow draws and
// what is saved) and a transparent overlay above it for the rubber band and pick marks.
// Both are ARGB32 premultiplied, 489 x 465 pixels by default, or larger by a print scale;
// the window's picture follows the size of its box (resize).
#include "painter_surface.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace steam::render {

class QImageSurface : public PainterSurface {
public:
    static constexpr Rgb kDefaultBackground{240, 243, 240};

    explicit QImageSurface(int width = kWidth, int height = kHeight, double scale = 1.0);
    ~QImageSurface() override;

    /// Makes the picture width x height pixels at `scale` times the size on screen (fonts and
    /// lines scaled with it), erased to the background; the overlay goes. Nothing is drawn:
    /// the caller draws the diagram again.
    void resize(int width, int height, double scale);

    void setRetained(bool on) override;
    void clear() override;
    /// Thin solid polylines are written into the image directly; others through QPainter.
    void polyline(std::span<const SurfacePoint> points, Rgb colour) override;

    /// The persistent image (finishes any drawing in progress).
    const QImage& image() const;
    /// The transient overlay, transparent where nothing is drawn.
    const QImage& overlay() const;
    /// The image with the overlay on top, as the screen shows it.
    QImage composed() const;

    /// Writes the persistent image as BMP data, whatever the file name's extension.
    /// On failure returns false and, if error is given, a readable reason (without the path).
    bool saveBmp(const QString& path, QString* error) const;
    /// Writes the persistent image in a Qt image format ("BMP", "PNG", "JPEG"), whole
    /// (picture_file.h).
    bool saveImage(const QString& path, const char* format, QString* error) const;

    /// Colour a retained clear erases to; RGB(240, 243, 240) unless set.
    void setBackground(Rgb colour) { m_background = colour; }
    Rgb background() const { return m_background; }

    /// Called when the picture changed: after a retained drawing pass ends (retained
    /// switched off) and after each clear or drawing on the overlay.
    std::function<void()> onChanged;
    /// Number of such changes so far.
    std::uint64_t changeCount() const { return m_changes; }

protected:
    QPainter& painter() override;
    void drawn() override;

private:
    void finishPainting() const;
    QImage& overlayImage() const;
    void notifyChanged();

    mutable QImage m_image;
    mutable QImage m_overlay;
    mutable std::unique_ptr<QPainter> m_painter;
    mutable QImage* m_paintTarget = nullptr;  // image or overlay, while a painter is open
    std::vector<QPointF> m_pixels;            // reused by polyline
    bool m_retained = false;
    Rgb m_background = kDefaultBackground;
    std::uint64_t m_changes = 0;
};

}  // namespace steam::render
