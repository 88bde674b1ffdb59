#include "picture_saving.h"

#include "calc/register_store.h"
#include "diagram/diagram.h"
#include "render/qimage_surface.h"

namespace steam::ui {

using render::PictureFormat;

QStringList pictureFilters() {
    return {QStringLiteral("BMP 图片 (*.bmp)"), QStringLiteral("PNG 图片 (*.png)"),
            QStringLiteral("JPEG 图片 (*.jpg *.jpeg)"), QStringLiteral("SVG 矢量图 (*.svg)"),
            QStringLiteral("PDF 文档 (*.pdf)")};
}

QStringList pictureSizeAnswers(QSize onScreen) {
    return {QStringLiteral("与屏幕相同（%1 × %2 像素）").arg(onScreen.width()).arg(onScreen.height()),
            QStringLiteral("打印尺寸（A4 横向，300 dpi）")};
}

std::pair<QString, PictureFormat> picturePath(const QString& typed, PictureFormat chosen) {
    if (const std::optional<PictureFormat> named = render::formatOfFileName(typed)) return {typed, *named};
    return {typed + u'.' + render::extensionOf(chosen), chosen};
}

bool saveChartPicture(diagram::Diagram& diagram, const calc::RegisterStore& registers,
                      const render::QImageSurface& screen, PictureFormat format, PictureSize size, const QString& path,
                      QString* error) {
    if (format == PictureFormat::Bmp && size == PictureSize::AsOnScreen)
        return render::writeImage(screen.image(), format, 96, path, error);
    render::PictureRequest request;
    request.format = format;
    request.title = QString::fromUtf8(diagram.description().pictureName);
    request.background = screen.background();
    if (size == PictureSize::AsOnScreen) {
        request.width = screen.deviceWidth();
        request.height = screen.deviceHeight();
        request.scale = screen.scale();
    } else {
        request.width = kA4LandscapeAt300Dpi.width();
        request.height = kA4LandscapeAt300Dpi.height();
        request.dotsPerInch = kPrintDotsPerInch;
        request.scale = kPrintDotsPerInch / 96.0 * kPrintEnlargement;
    }
    const diagram::DiagramScale& s = diagram.scale;
    const bool titles = diagram.axisTitles;
    diagram.axisTitles = format != PictureFormat::Bmp;
    const bool written = render::writePicture(
        request, path,
        [&](diagram::DrawingSurface& pic) {
            diagram.drawWindow(pic, registers, s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax);
        },
        error);
    diagram.axisTitles = titles;
    return written;
}

}  // namespace steam::ui
