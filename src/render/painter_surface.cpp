#include "painter_surface.h"

#include "diagram/pixel_geometry.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace steam::render {

namespace {

constexpr double kScreenDpi = 96.0;
// Beyond this many pixels from the surface, coordinates are clipped before they reach
// the raster engine, whose fixed-point arithmetic does not like huge values.
constexpr double kFarAway = 1.0e5;

QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Family names may carry a foundry ("Nimbus Sans [urw]"); a request names the family alone.
QString withoutFoundry(const QString& family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket < 0 ? family : family.left(bracket);
}

bool isInstalled(const QStringList& families, const QString& family) {
    return std::any_of(families.begin(), families.end(), [&](const QString& installed) {
        return withoutFoundry(installed).compare(family, Qt::CaseInsensitive) == 0;
    });
}

QString firstInstalled(const QStringList& families, std::initializer_list<const char*> candidates) {
    for (const char* candidate : candidates) {
        const QString name = QString::fromUtf8(candidate);
        if (isInstalled(families, name)) return name;
    }
    return {};
}

bool isLatin(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool isFar(QPointF p) { return std::abs(p.x()) > kFarAway || std::abs(p.y()) > kFarAway; }

// Cuts the segment to the box; false when nothing of it lies inside.
bool clipToBox(QPointF& a, QPointF& b, double x0, double y0, double x1, double y1) {
    diagram::PixelPoint p{a.x(), a.y()}, q{b.x(), b.y()};
    if (!diagram::clipSegment({x0, y0, x1, y1}, p, q)) return false;
    a = {p.x, p.y};
    b = {q.x, q.y};
    return true;
}

// Whole-pixel rectangle with both corners included, limited to just beyond the surface.
QRect pixelRect(QPointF a, QPointF b, int width, int height) {
    const auto limit = [](double v, int size) { return static_cast<int>(std::clamp(v, -4.0, size + 4.0)); };
    const int x1 = limit(a.x(), width), x2 = limit(b.x(), width);
    const int y1 = limit(a.y(), height), y2 = limit(b.y(), height);
    // Built from the ordered corners: QRect::normalized() would drop a row and a column.
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

}  // namespace

QString PainterSurface::mappedFamily(const QString& requested) {
    static QHash<QString, QString> cache;
    if (auto it = cache.constFind(requested); it != cache.constEnd()) return *it;

    const QStringList families = QFontDatabase::families();
    QString chosen;
    if (isInstalled(families, requested)) {
        chosen = requested;
    } else if (!isLatin(requested) || requested.compare("SimSun", Qt::CaseInsensitive) == 0 ||
               requested.compare("NSimSun", Qt::CaseInsensitive) == 0 ||
               requested.compare("SimHei", Qt::CaseInsensitive) == 0) {
        chosen = firstInstalled(
            families, {"SimSun", "NSimSun", "Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN",
                       "Noto Sans CJK SC", "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Droid Sans Fallback"});
        if (chosen.isEmpty()) {
            const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
            if (!chinese.isEmpty()) chosen = chinese.front();
        }
    } else {
        // Metric twins of Arial first; then DejaVu Sans, whose well-hinted small sizes
        // sit cleaner in the curve label boxes than the URW Helvetica clone.
        chosen = firstInstalled(families,
                                {"Arial", "Liberation Sans", "Arimo", "DejaVu Sans", "Nimbus Sans", "Nimbus Sans L"});
    }
    if (chosen.isEmpty()) chosen = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    cache.insert(requested, chosen);
    return chosen;
}

PainterSurface::PainterSurface(int width, int height, double scale)
    : m_width(width), m_height(height), m_scale(scale > 0.0 ? scale : 1.0), m_right(width), m_bottom(height) {
    setFont("Arial", 8.25, false);
}

void PainterSurface::painterOpened(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(m_font);
    m_penValid = false;
}

void PainterSurface::setUserCoordinates(double left, double top, double right, double bottom) {
    if (right == left || bottom == top) return;
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    m_scaleX = m_width / (right - left);
    m_scaleY = m_height / (bottom - top);
}

void PainterSurface::resizeDevice(int width, int height, double scale) {
    m_width = width;
    m_height = height;
    m_scale = scale > 0.0 ? scale : 1.0;
    m_scaleX = m_width / (m_right - m_left);
    m_scaleY = m_height / (m_bottom - m_top);
    m_penValid = false;
    m_ascent = 0;  // the font is made again at the new scale
    setFont(m_fontFamily, m_fontPoints, m_fontBold);
}

void PainterSurface::setLineWidth(int pixels) { m_lineWidth = std::max(1, pixels); }

void PainterSurface::setDashStyle(DashStyle style) { m_dash = style; }

QPointF PainterSurface::toPixel(double x, double y) const { return {(x - m_left) * m_scaleX, (y - m_top) * m_scaleY}; }

QPointF PainterSurface::toUser(QPointF pixel) const {
    return {m_left + pixel.x() / m_scaleX, m_top + pixel.y() / m_scaleY};
}

QPointF PainterSurface::pixelPoint(double x, double y) const {
    const QPointF p = toPixel(x, y);
    return {std::floor(p.x() + 0.5), std::floor(p.y() + 0.5)};
}

bool PainterSurface::thinSolidLines() const {
    return m_dash == DashStyle::Solid && std::lround(m_lineWidth * m_scale) <= 1;
}

void PainterSurface::applyLinePen(QPainter& p, Rgb colour) {
    const QColor c = toColor(colour);
    if (m_penValid && m_penColour == c && m_penWidth == m_lineWidth && m_penDash == m_dash) return;
    QPen pen(c);
    pen.setWidth(std::max(1, static_cast<int>(std::lround(m_lineWidth * m_scale))));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    // Cosmetic: the raster engine draws such polylines on its fast path, without stroking
    // joins; without a transform the width is the same.
    pen.setCosmetic(true);
    if (m_dash == DashStyle::Dotted) pen.setDashPattern({1.0, 2.0});  // dots one pen wide, gaps two
    if (m_dash == DashStyle::Dashed) pen.setDashPattern({4.0, 2.0});  // in pen widths
    p.setPen(pen);
    m_penValid = true;
    m_penColour = c;
    m_penWidth = m_lineWidth;
    m_penDash = m_dash;
}

bool PainterSurface::drawClippedLine(QPainter& p, QPointF a, QPointF b) {
    if (a == b) return false;  // a line of no length draws nothing
    if (isFar(a) || isFar(b)) {
        if (!clipToBox(a, b, -8.0, -8.0, m_width + 8.0, m_height + 8.0)) return false;
        a = QPointF(std::round(a.x()), std::round(a.y()));
        b = QPointF(std::round(b.x()), std::round(b.y()));
    }
    p.drawLine(QLineF(a, b));
    return true;
}

void PainterSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    const QPointF a = pixelPoint(x1, y1), b = pixelPoint(x2, y2);
    if (a == b) return;
    QPainter& p = painter();
    applyLinePen(p, colour);
    if (drawClippedLine(p, a, b)) drawn();
}

void PainterSurface::polyline(std::span<const SurfacePoint> points, Rgb colour) {
    if (points.size() < 2) return;
    QPolygonF pixels;
    pixels.reserve(static_cast<qsizetype>(points.size()));
    bool far = false;
    for (const SurfacePoint& point : points) {
        const QPointF p = pixelPoint(point.x, point.y);
        far = far || isFar(p);
        if (pixels.isEmpty() || pixels.back() != p) pixels.push_back(p);
    }
    if (pixels.size() < 2) return;
    QPainter& p = painter();
    applyLinePen(p, colour);
    if (far) {
        for (qsizetype i = 1; i < pixels.size(); ++i) drawClippedLine(p, pixels[i - 1], pixels[i]);
    } else {
        p.drawPolyline(pixels);
    }
    drawn();
}

void PainterSurface::rectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    const QRect r = pixelRect(pixelPoint(x1, y1), pixelPoint(x2, y2), m_width, m_height);
    QPainter& p = painter();
    applyLinePen(p, colour);
    p.setBrush(Qt::NoBrush);
    // An aliased one-pixel outline of QRect(x, y, w, h) covers columns x to x + w.
    p.drawRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
    drawn();
}

void PainterSurface::filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    const QRect r = pixelRect(pixelPoint(x1, y1), pixelPoint(x2, y2), m_width, m_height);
    painter().fillRect(r, toColor(colour));
    drawn();
}

void PainterSurface::setFont(const std::string& family, double points, bool bold) {
    m_fontFamily = family;
    m_fontPoints = points;
    m_fontBold = bold;
    QFont font(mappedFamily(QString::fromStdString(family)));
    font.setBold(bold);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kScreenDpi / 72.0 * m_scale))));
    if (font == m_font && m_ascent > 0) return;
    m_font = font;
    m_fontKey = m_font.key().toStdString();
    m_ascent = QFontMetrics(m_font).ascent();
}

void PainterSurface::setTextColour(Rgb colour) { m_textColour = toColor(colour); }

void PainterSurface::setCurrentPosition(double x, double y) {
    m_x = x;
    m_y = y;
}

void PainterSurface::text(const std::string& utf8) {
    const QPointF topLeft = pixelPoint(m_x, m_y);
    if (isFar(topLeft)) return;
    QPainter& p = painter();
    if (p.font() != m_font) p.setFont(m_font);
    p.setPen(m_textColour);
    m_penValid = false;
    p.drawText(QPointF(topLeft.x(), topLeft.y() + m_ascent),
               QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
    drawn();
}

TextExtent PainterSurface::textExtent(const std::string& utf8) const {
    // Measured in the font as drawn, in layout pixels: a larger picture's font, hinted less,
    // runs a little narrower or wider than the one on screen times the scale, and labels laid
    // out by the screen font's measure would then touch. Laying out a text is slow next to
    // drawing lines, and a diagram measures the same few.
    const std::string key = m_fontKey + '\n' + utf8;
    if (auto it = m_extents.find(key); it != m_extents.end()) return it->second;
    const QFontMetrics metrics(m_font);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size()));
    const TextExtent extent{metrics.horizontalAdvance(text) / m_scale, metrics.height() / m_scale};
    m_extents.emplace(key, extent);
    return extent;
}

}  // namespace steam::render
