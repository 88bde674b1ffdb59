#include "svg_surface.h"

#include <QPainter>
#include <QSvgGenerator>

namespace steam::render {

SvgSurface::SvgSurface(const QString& path, int width, int height, double scale, const QString& title)
    : PainterSurface(width, height, scale), m_file(path), m_generator(std::make_unique<QSvgGenerator>()) {
    m_generator->setSize(QSize(width, height));
    m_generator->setViewBox(QRect(0, 0, width, height));
    m_generator->setResolution(96);  // font sizes are points at 96 dpi, as on screen
    m_generator->setTitle(title);
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        m_generator->setOutputDevice(&m_file);
    else
        m_error = m_file.errorString();
}

SvgSurface::~SvgSurface() {
    if (m_painter) m_painter->end();
    // A picture that was never finished leaves no half-written file behind.
    if (m_file.isOpen()) {
        m_file.close();
        m_file.remove();
    }
}

QPainter& SvgSurface::painter() {
    if (m_painter) return *m_painter;
    // Without a file the drawing goes to a pixel that is thrown away; finish says why.
    if (m_error.isEmpty())
        m_painter = std::make_unique<QPainter>(m_generator.get());
    else
        m_painter = std::make_unique<QPainter>(&m_sink);
    painterOpened(*m_painter);
    return *m_painter;
}

void SvgSurface::clear() {
    painter().fillRect(QRect(0, 0, deviceWidth(), deviceHeight()), QColor(m_background.r, m_background.g, m_background.b));
}

const QString& SvgSurface::error() const { return m_error; }

bool SvgSurface::finish(QString* error) {
    painter();  // an empty picture is still a picture
    m_painter->end();
    m_painter.reset();
    if (m_error.isEmpty() && m_file.error() != QFileDevice::NoError) m_error = m_file.errorString();
    if (m_file.isOpen()) m_file.close();
    if (!m_error.isEmpty()) {
        if (m_file.exists() && m_file.size() == 0) m_file.remove();
        if (error) *error = m_error;
        return false;
    }
    return true;
}

}  // namespace steam::render
