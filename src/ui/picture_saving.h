#pragma once
// "保存图片": the file types offered (BMP first, as the window always saved), how the file's
// name and format follow the type chosen and the name typed, and the two sizes a picture is
// written at: as on screen, or for print (A4 landscape at 300 dpi, its text a quarter larger
// than on screen so that it reads well on paper). A BMP is what the window showed and carries
// no axis titles; every other format carries them.
#include "render/picture_file.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <utility>

namespace steam::calc {
class RegisterStore;
}
namespace steam::diagram {
class Diagram;
}
namespace steam::render {
class QImageSurface;
}

namespace steam::ui {

/// The picture for print: A4 landscape (297 x 210 mm) at 300 dpi.
inline constexpr int kPrintDotsPerInch = 300;
inline constexpr QSize kA4LandscapeAt300Dpi{3508, 2480};
/// Text and lines on paper against their size on screen at 96 dpi.
inline constexpr double kPrintEnlargement = 1.25;

enum class PictureSize { AsOnScreen, ForPrint };

/// The file types, as filters of the save dialog, in the order of render::PictureFormat.
QStringList pictureFilters();
/// The answers to the size question, in the order of PictureSize.
QStringList pictureSizeAnswers(QSize onScreen);

/// The file written and its format: a name with a known extension keeps it and is written in
/// that format; any other name gets the chosen type's extension.
std::pair<QString, render::PictureFormat> picturePath(const QString& typed, render::PictureFormat chosen);

/// Writes the chart shown at a size: BMP as on screen is the window's picture as it stands
/// (without the marks of a drag or a pick); the rest is drawn afresh for the file.
bool saveChartPicture(diagram::Diagram& diagram, const calc::RegisterStore& registers,
                      const render::QImageSurface& screen, render::PictureFormat format, PictureSize size,
                      const QString& path, QString* error);

}  // namespace steam::ui
