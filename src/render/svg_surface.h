#pragma once
// The diagram drawn as an SVG picture, for print: the same drawing operations as the picture
// on screen, written as vector shapes and text. One picture, no overlay: switching retained
// drawing does nothing, and a clear paints the background over whatever came before.
#include "painter_surface.h"

#include <QImage>
#include <QString>

#include <memory>

class QIODevice;
class QSvgGenerator;

namespace steam::render {

class SvgSurface : public PainterSurface {
public:
    /// A picture of width x height pixels at `scale` times the size on screen, titled `title`,
    /// written to output (open for writing) when finished.
    SvgSurface(QIODevice* output, int width, int height, double scale, const QString& title);
    ~SvgSurface() override;

    void setRetained(bool) override {}
    void clear() override;

    /// Ends the drawing and writes the picture. On failure returns false with a reason.
    bool finish(QString* error);

    void setBackground(Rgb colour) { m_background = colour; }

protected:
    QPainter& painter() override;

private:
    QIODevice* m_output;
    std::unique_ptr<QSvgGenerator> m_generator;
    std::unique_ptr<QPainter> m_painter;
    Rgb m_background{240, 243, 240};
};

}  // namespace steam::render
