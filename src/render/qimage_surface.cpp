#include "qimage_surface.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QImageWriter>
#include <QLineF>
#include <QPainter>
#include <QPen>
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

// Liang-Barsky: cuts the segment to the box; false when nothing of it lies inside.
bool clipToBox(QPointF& a, QPointF& b, double x0, double y0, double x1, double y1) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - x0, x1 - a.x(), a.y() - y0, y1 - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    b = start + QPointF(dx, dy) * t1;
    return true;
}

}  // namespace

QString QImageSurface::mappedFamily(const QString& requested) {
    static QHash<QString, QString> cache;
    if (auto it = cache.constFind(requested); it != cache.constEnd()) return *it;

    const QStringList families = QFontDatabase::families();
    QString chosen;
    if (isInstalled(families, requested)) {
        chosen = requested;
    } else if (!isLatin(requested) || requested.compare("SimSun", Qt::CaseInsensitive) == 0 ||
               requested.compare("NSimSun", Qt::CaseInsensitive) == 0 ||
               requested.compare("SimHei", Qt::CaseInsensitive) == 0) {
        chosen = firstInstalled(families, {"SimSun", "NSimSun", "Noto Serif CJK SC", "Source Han Serif SC",
                                           "AR PL UMing CN", "Noto Sans CJK SC", "WenQuanYi Micro Hei",
                                           "WenQuanYi Zen Hei", "Droid Sans Fallback"});
        if (chosen.isEmpty()) {
            const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
            if (!chinese.isEmpty()) chosen = chinese.front();
        }
    } else {
        // Metric twins of Arial first; then DejaVu Sans, whose well-hinted small sizes
        // sit cleaner in the curve label boxes than the URW Helvetica clone.
        chosen = firstInstalled(families, {"Arial", "Liberation Sans", "Arimo", "DejaVu Sans", "Nimbus Sans",
                                           "Nimbus Sans L"});
    }
    if (chosen.isEmpty()) chosen = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    cache.insert(requested, chosen);
    return chosen;
}

QImageSurface::QImageSurface(int width, int height)
    : m_image(width, height, QImage::Format_ARGB32_Premultiplied),
      m_overlay(width, height, QImage::Format_ARGB32_Premultiplied),
      m_right(width),
      m_bottom(height) {
    m_image.fill(toColor(m_background));
    m_overlay.fill(Qt::transparent);
    setFont("Arial", 8.25, false);
}

QImageSurface::~QImageSurface() { finishPainting(); }

QPainter& QImageSurface::painter() {
    QImage* target = m_retained ? &m_image : &m_overlay;
    if (m_painter && m_paintTarget == target) return *m_painter;
    finishPainting();
    m_painter = std::make_unique<QPainter>(target);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_painter->setFont(m_font);
    m_paintTarget = target;
    m_penValid = false;
    return *m_painter;
}

void QImageSurface::finishPainting() const {
    if (!m_painter) return;
    m_painter->end();
    m_painter.reset();
    m_paintTarget = nullptr;
    m_penValid = false;
}

void QImageSurface::notifyChanged() {
    ++m_changes;
    if (onChanged) onChanged();
}

void QImageSurface::setUserCoordinates(double left, double top, double right, double bottom) {
    if (right == left || bottom == top) return;
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    m_scaleX = m_image.width() / (right - left);
    m_scaleY = m_image.height() / (bottom - top);
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
    m_overlay.fill(Qt::transparent);
    if (m_retained)
        m_image.fill(toColor(m_background));
    else
        notifyChanged();
}

void QImageSurface::setLineWidth(int pixels) { m_lineWidth = std::max(1, pixels); }

void QImageSurface::setDashStyle(DashStyle style) { m_dash = style; }

QPointF QImageSurface::toPixel(double x, double y) const {
    return {(x - m_left) * m_scaleX, (y - m_top) * m_scaleY};
}

QPointF QImageSurface::toUser(QPointF pixel) const {
    return {m_left + pixel.x() / m_scaleX, m_top + pixel.y() / m_scaleY};
}

QPointF QImageSurface::pixelPoint(double x, double y) const {
    const QPointF p = toPixel(x, y);
    return {std::floor(p.x() + 0.5), std::floor(p.y() + 0.5)};
}

void QImageSurface::applyLinePen(Rgb colour) {
    const QColor c = toColor(colour);
    if (m_penValid && m_penColour == c && m_penWidth == m_lineWidth && m_penDash == m_dash) return;
    QPen pen(c);
    pen.setWidth(m_lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (m_dash == DashStyle::Dotted) pen.setDashPattern({1.0, 2.0});  // one-pixel dots, two-pixel gaps
    m_painter->setPen(pen);
    m_penValid = true;
    m_penColour = c;
    m_penWidth = m_lineWidth;
    m_penDash = m_dash;
}

void QImageSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    QPointF a = pixelPoint(x1, y1);
    QPointF b = pixelPoint(x2, y2);
    // A line of no length draws nothing: the zero slots after a curve family's last row join
    // into such lines at (0, 0), which must leave no dot there.
    if (a == b) return;
    const auto far = [](QPointF p) { return std::abs(p.x()) > kFarAway || std::abs(p.y()) > kFarAway; };
    if (far(a) || far(b)) {
        if (!clipToBox(a, b, -8.0, -8.0, m_image.width() + 8.0, m_image.height() + 8.0)) return;
        a = QPointF(std::round(a.x()), std::round(a.y()));
        b = QPointF(std::round(b.x()), std::round(b.y()));
    }
    QPainter& p = painter();
    applyLinePen(colour);
    p.drawLine(QLineF(a, b));
    if (!m_retained) notifyChanged();
}

namespace {
// Whole-pixel rectangle with both corners included, limited to just beyond the surface.
QRect pixelRect(QPointF a, QPointF b, int width, int height) {
    const auto limit = [](double v, int size) { return static_cast<int>(std::clamp(v, -4.0, size + 4.0)); };
    const int x1 = limit(a.x(), width), x2 = limit(b.x(), width);
    const int y1 = limit(a.y(), height), y2 = limit(b.y(), height);
    // Built from the ordered corners: QRect::normalized() would drop a row and a column.
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}
}  // namespace

void QImageSurface::rectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    const QRect r = pixelRect(pixelPoint(x1, y1), pixelPoint(x2, y2), m_image.width(), m_image.height());
    QPainter& p = painter();
    applyLinePen(colour);
    p.setBrush(Qt::NoBrush);
    // An aliased one-pixel outline of QRect(x, y, w, h) covers columns x to x + w.
    p.drawRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
    if (!m_retained) notifyChanged();
}

void QImageSurface::filledRectangle(double x1, double y1, double x2, double y2, Rgb colour) {
    const QRect r = pixelRect(pixelPoint(x1, y1), pixelPoint(x2, y2), m_image.width(), m_image.height());
    painter().fillRect(r, toColor(colour));
    if (!m_retained) notifyChanged();
}

void QImageSurface::setFont(const std::string& family, double points, bool bold) {
    QFont font(mappedFamily(QString::fromStdString(family)));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kScreenDpi / 72.0))));
    font.setBold(bold);
    if (font == m_font && m_ascent > 0) return;
    m_font = font;
    m_ascent = QFontMetrics(m_font).ascent();
    if (m_painter) m_painter->setFont(m_font);
}

void QImageSurface::setTextColour(Rgb colour) { m_textColour = toColor(colour); }

void QImageSurface::setCurrentPosition(double x, double y) {
    m_x = x;
    m_y = y;
}

void QImageSurface::text(const std::string& utf8) {
    const QPointF topLeft = pixelPoint(m_x, m_y);
    if (std::abs(topLeft.x()) > kFarAway || std::abs(topLeft.y()) > kFarAway) return;
    QPainter& p = painter();
    p.setPen(m_textColour);
    m_penValid = false;
    p.drawText(QPointF(topLeft.x(), topLeft.y() + m_ascent), QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
    if (!m_retained) notifyChanged();
}

const QImage& QImageSurface::image() const {
    finishPainting();
    return m_image;
}

const QImage& QImageSurface::overlay() const {
    finishPainting();
    return m_overlay;
}

QImage QImageSurface::composed() const {
    finishPainting();
    QImage out = m_image.copy();
    QPainter p(&out);
    p.drawImage(0, 0, m_overlay);
    p.end();
    return out;
}

bool QImageSurface::saveBmp(const QString& path, QString* error) const { return saveImage(path, "BMP", error); }

bool QImageSurface::saveImage(const QString& path, const char* format, QString* error) const {
    finishPainting();
    const QImage opaque = m_image.convertToFormat(QImage::Format_RGB32);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(opaque)) {
        if (error) *error = writer.errorString();
        file.remove();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace steam::render
