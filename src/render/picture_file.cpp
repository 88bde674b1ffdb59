#include "picture_file.h"

#include "page_surface.h"
#include "qimage_surface.h"
#include "svg_surface.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

namespace steam::render {

namespace {

constexpr double kScreenDpi = 96.0;
// PDF pages are drawn at this resolution: fine enough that whole device pixels of lines and
// fonts are invisible steps.
constexpr int kPdfDpi = 1200;
// JPEG keeps thin coloured lines and small text crisp only near the top of its scale.
constexpr int kJpegQuality = 95;

const char* qtFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png: return "PNG";
        case PictureFormat::Jpeg: return "JPEG";
        default: return "BMP";
    }
}

bool isPixelFormat(PictureFormat format) {
    return format == PictureFormat::Bmp || format == PictureFormat::Png || format == PictureFormat::Jpeg;
}

int dotsPerMeter(int dotsPerInch) { return static_cast<int>(std::lround(dotsPerInch / 0.0254)); }

bool encodeImage(const QImage& image, PictureFormat format, int dotsPerInch, QByteArray& bytes, QString* error) {
    QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    opaque.setDotsPerMeterX(dotsPerMeter(dotsPerInch));
    opaque.setDotsPerMeterY(dotsPerMeter(dotsPerInch));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, qtFormatName(format));
    if (format == PictureFormat::Jpeg) writer.setQuality(kJpegQuality);
    if (writer.write(opaque)) return true;
    if (error) *error = writer.errorString();
    return false;
}

bool drawPdf(const PictureRequest& request, const std::function<void(diagram::DrawingSurface&)>& draw,
             QByteArray& bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfDpi);
    pdf.setTitle(request.title);
    const double toPoints = 72.0 / request.dotsPerInch;
    pdf.setPageSize(QPageSize(QSizeF(request.width * toPoints, request.height * toPoints), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    PageSurface page(painter, QRect(0, 0, pdf.width(), pdf.height()), request.scale * kPdfDpi / request.dotsPerInch);
    page.setBackground(request.background);
    draw(page);
    page.finish();
    return painter.end();
}

}  // namespace

std::optional<PictureFormat> formatOfFileName(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFormat::Jpeg;
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

QString extensionOf(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bmp: return QStringLiteral("bmp");
        case PictureFormat::Png: return QStringLiteral("png");
        case PictureFormat::Jpeg: return QStringLiteral("jpg");
        case PictureFormat::Svg: return QStringLiteral("svg");
        case PictureFormat::Pdf: return QStringLiteral("pdf");
    }
    return {};
}

std::string knownExtensions() { return ".bmp, .png, .jpg, .jpeg, .svg or .pdf"; }

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or a pipe: written as it is, and errors show when the data are flushed.
        QFile file(path);
        const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
        if (written) return true;
        if (error) *error = file.errorString();
        return false;
    }
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (written) return true;
    if (error) *error = file.errorString();
    return false;
}

bool writeImage(const QImage& image, PictureFormat format, int dotsPerInch, const QString& path, QString* error) {
    QByteArray bytes;
    return encodeImage(image, format, dotsPerInch, bytes, error) && writeWholeFile(path, bytes, error);
}

bool writePicture(const PictureRequest& request, const QString& path,
                  const std::function<void(diagram::DrawingSurface&)>& draw, QString* error) {
    QByteArray bytes;
    if (isPixelFormat(request.format)) {
        QImageSurface pic(request.width, request.height, request.scale);
        pic.setBackground(request.background);
        draw(pic);
        return writeImage(pic.image(), request.format, request.dotsPerInch, path, error);
    }
    if (request.format == PictureFormat::Svg) {
        // The view box in pixels at 96 dpi, so the picture keeps its physical size.
        const double toScreen = kScreenDpi / request.dotsPerInch;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SvgSurface pic(&buffer, static_cast<int>(std::lround(request.width * toScreen)),
                       static_cast<int>(std::lround(request.height * toScreen)), request.scale * toScreen,
                       request.title);
        pic.setBackground(request.background);
        draw(pic);
        if (!pic.finish(error)) return false;
        return writeWholeFile(path, bytes, error);
    }
    if (!drawPdf(request, draw, bytes)) {
        if (error) *error = QStringLiteral("the PDF could not be drawn");
        return false;
    }
    return writeWholeFile(path, bytes, error);
}

}  // namespace steam::render
