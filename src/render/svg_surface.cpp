#include "svg_surface.h"

#include <QIODevice>
#include <QPainter>
#include <QSvgGenerator>

namespace steam::render {

SvgSurface::SvgSurface(QIODevice* output, int width, int height, double scale, const QString& title)
    : PainterSurface(width, height, scale), m_output(output), m_generator(std::make_unique<QSvgGenerator>()) {
    m_generator->setSize(QSize(width, height));
    m_generator->setViewBox(QRect(0, 0, width, height));
    m_generator->setResolution(96);  // font sizes are points at 96 dpi, as on screen
    m_generator->setTitle(title);
    m_generator->setOutputDevice(m_output);
}

SvgSurface::~SvgSurface() {
    if (m_painter) m_painter->end();
}

QPainter& SvgSurface::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(m_generator.get());
        painterOpened(*m_painter);
    }
    return *m_painter;
}

void SvgSurface::clear() {
    painter().fillRect(QRect(0, 0, deviceWidth(), deviceHeight()),
                       QColor(m_background.r, m_background.g, m_background.b));
}

bool SvgSurface::finish(QString* error) {
    painter();  // an empty picture is still a picture
    const bool ended = m_painter->end();
    m_painter.reset();
    if (ended && m_output->isWritable()) return true;
    if (error)
        *error = m_output->errorString().isEmpty() ? QStringLiteral("the SVG could not be written")
                                                   : m_output->errorString();
    return false;
}

}  // namespace steam::render
