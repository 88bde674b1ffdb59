#pragma once
// A chart's picture written to a file: BMP, PNG and JPEG as pixels, SVG and PDF as vectors
// and text, the format named by the file's extension. A picture is asked for by its size in
// pixels at a resolution (96 dpi on screen, 300 dpi for print) and the scale of its fonts and
// lines against the picture on screen; each format gets the same layout. Files are written
// whole: a regular file appears only complete (an earlier one of the name stays as it was when
// writing fails), and a device or pipe is written directly and never removed.
#include "diagram/drawing_surface.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace steam::render {

enum class PictureFormat { Bmp, Png, Jpeg, Svg, Pdf };

/// The format named by a file name's extension, case aside: .bmp, .png, .jpg or .jpeg, .svg,
/// .pdf. Nothing for any other name, or none.
std::optional<PictureFormat> formatOfFileName(const QString& name);
/// The extension a format is written under, without the dot: "bmp", "png", "jpg", "svg", "pdf".
QString extensionOf(PictureFormat format);
/// The extensions formatOfFileName knows, for messages: ".bmp, .png, .jpg, .jpeg, .svg or .pdf".
std::string knownExtensions();

struct PictureRequest {
    PictureFormat format = PictureFormat::Bmp;
    /// Size in pixels at dotsPerInch: the image of a pixel format, the page of a PDF, the
    /// view of an SVG.
    int width = 489;
    int height = 465;
    int dotsPerInch = 96;
    /// Fonts and lines, times the picture on screen's at 96 dpi: 1 draws 489 x 465 pixels as
    /// the window shows them, 300 / 96 the same picture at 300 dpi.
    double scale = 1.0;
    /// The SVG's or PDF's title.
    QString title;
    diagram::Rgb background{240, 243, 240};
};

/// Draws the picture through `draw` (one whole drawing pass onto the surface it is given)
/// and writes it to path. On failure false and, if error is given, a readable reason without
/// the path.
bool writePicture(const PictureRequest& request, const QString& path,
                  const std::function<void(diagram::DrawingSurface&)>& draw, QString* error);

/// Writes an image in a pixel format (BMP, PNG or JPEG) at the given resolution.
bool writeImage(const QImage& image, PictureFormat format, int dotsPerInch, const QString& path, QString* error);

/// Writes bytes to path as a whole (see above).
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace steam::render
