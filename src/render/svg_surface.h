#pragma once
// The diagram drawn as an SVG file, for print: the same drawing operations as the picture
// on screen, written as vector shapes and text. One picture, no overlay: switching retained
// drawing does nothing, and a clear paints the background over whatever came before.
#include "painter_surface.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <memory>

class QSvgGenerator;

namespace steam::render {

class SvgSurface : public PainterSurface {
public:
    /// A picture of width x height pixels at `scale` times the size on screen, titled `title`,
    /// to be written to path. Nothing is written until finish.
    SvgSurface(const QString& path, int width, int height, double scale, const QString& title);
    ~SvgSurface() override;

    void setRetained(bool) override {}
    void clear() override;

    /// Ends the drawing and writes the file. On failure returns false with a reason.
    bool finish(QString* error);
    /// Why the file cannot be written, found when it was opened; empty when it can.
    const QString& error() const;

    void setBackground(Rgb colour) { m_background = colour; }

protected:
    QPainter& painter() override;

private:
    QFile m_file;
    std::unique_ptr<QSvgGenerator> m_generator;
    std::unique_ptr<QPainter> m_painter;
    Rgb m_background{240, 243, 240};
    QImage m_sink{1, 1, QImage::Format_ARGB32_Premultiplied};
    QString m_error;
};

}  // namespace steam::render
