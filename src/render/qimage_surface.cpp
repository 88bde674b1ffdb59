#include "qimage_surface.h"

#include "picture_file.h"
#include "pixel_lines.h"

#include <QPainter>

namespace steam::render {

namespace {
QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b); }
}  // namespace

QImageSurface::QImageSurface(int width, int height, double scale)
    : PainterSurface(width, height, scale), m_image(width, height, QImage::Format_ARGB32_Premultiplied) {
    m_image.fill(toColor(m_background));
}

// The overlay is made when first needed: a picture for a file never uses it, and at print
// sizes it would double the memory.
QImage& QImageSurface::overlayImage() const {
    if (m_overlay.isNull()) {
        m_overlay = QImage(m_image.size(), QImage::Format_ARGB32_Premultiplied);
        m_overlay.fill(Qt::transparent);
    }
    return m_overlay;
}

QImageSurface::~QImageSurface() { finishPainting(); }

void QImageSurface::resize(int width, int height, double scale) {
    finishPainting();
    resizeDevice(width, height, scale);
    m_image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(toColor(m_background));
    m_overlay = QImage();
}

QPainter& QImageSurface::painter() {
    QImage* target = m_retained ? &m_image : &overlayImage();
    if (m_painter && m_paintTarget == target) return *m_painter;
    finishPainting();
    m_painter = std::make_unique<QPainter>(target);
    m_paintTarget = target;
    painterOpened(*m_painter);
    return *m_painter;
}

void QImageSurface::finishPainting() const {
    if (!m_painter) return;
    m_painter->end();
    m_painter.reset();
    m_paintTarget = nullptr;
}

void QImageSurface::notifyChanged() {
    ++m_changes;
    if (onChanged) onChanged();
}

void QImageSurface::drawn() {
    if (!m_retained) notifyChanged();
}

void QImageSurface::setRetained(bool on) {
    const bool passEnds = m_retained && !on;
    m_retained = on;
    if (passEnds) {
        finishPainting();
        notifyChanged();
    }
}

void QImageSurface::clear() {
    finishPainting();
    if (!m_overlay.isNull()) m_overlay.fill(Qt::transparent);
    if (m_retained)
        m_image.fill(toColor(m_background));
    else
        notifyChanged();
}

void QImageSurface::polyline(std::span<const SurfacePoint> points, Rgb colour) {
    if (!thinSolidLines()) {
        PainterSurface::polyline(points, colour);
        return;
    }
    if (points.size() < 2) return;
    m_pixels.clear();
    for (const SurfacePoint& p : points) m_pixels.push_back(pixelPoint(p.x, p.y));
    // Whatever the painter drew so far is already in the image: the raster engine paints
    // as it is called.
    drawPixelPolyline(m_retained ? m_image : overlayImage(), m_pixels, qRgb(colour.r, colour.g, colour.b));
    drawn();
}

const QImage& QImageSurface::image() const {
    finishPainting();
    return m_image;
}

const QImage& QImageSurface::overlay() const {
    finishPainting();
    return overlayImage();
}

QImage QImageSurface::composed() const {
    finishPainting();
    QImage out = m_image.copy();
    if (m_overlay.isNull()) return out;
    QPainter p(&out);
    p.drawImage(0, 0, m_overlay);
    p.end();
    return out;
}

bool QImageSurface::saveBmp(const QString& path, QString* error) const { return saveImage(path, "BMP", error); }

bool QImageSurface::saveImage(const QString& path, const char* format, QString* error) const {
    finishPainting();
    const QByteArray name = QByteArray(format).toUpper();
    const PictureFormat as = name == "PNG"                     ? PictureFormat::Png
                             : name == "JPEG" || name == "JPG" ? PictureFormat::Jpeg
                                                               : PictureFormat::Bmp;
    return writeImage(m_image, as, 96, path, error);
}

}  // namespace steam::render
