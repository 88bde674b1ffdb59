#include "chart_box_size.h"

#include "render/painter_surface.h"
#include "twips.h"
#include "window_fonts.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

namespace steam::ui {

namespace {

// The captions at the picture on screen's size, in twips of the box.
constexpr QRect kAcross = twipRect(3360, 6690, 1095, 255);
constexpr QRect kUp = twipRect(120, 120, 975, 255);
constexpr double kCaptionPoints = 8.25;

int scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

}  // namespace

double chartScaleFor(QSize box) {
    const double across = box.width() / double(render::PainterSurface::kWidth);
    const double up = box.height() / double(render::PainterSurface::kHeight);
    return std::clamp(std::min(across, up), 1.0, kMaxChartScale);
}

// The caption across keeps its centre at the same fraction of the width and its distance from
// the bottom edge in scaled pixels; the caption up its corner.
void placeAxisCaptions(QLabel* across, QLabel* up, QSize box, double scale) {
    const QFont font = uiFont(QStringLiteral("Arial"), kCaptionPoints * scale, true);
    for (QLabel* caption : {across, up}) {
        caption->setFont(font);
        // The margin shows through: the caption across reaches over the bottom of the axis
        // numbers, which an opaque box would cut at larger sizes.
        caption->setAutoFillBackground(false);
    }
    up->setGeometry(scaled(kUp.x(), scale), scaled(kUp.y(), scale), scaled(kUp.width(), scale),
                    scaled(kUp.height(), scale));
    const double centre = (kAcross.x() + kAcross.width() / 2.0) / render::PainterSurface::kWidth * box.width();
    const int width = scaled(kAcross.width(), scale);
    const int fromBottom = render::PainterSurface::kHeight - kAcross.y();
    across->setGeometry(static_cast<int>(std::lround(centre - width / 2.0)), box.height() - scaled(fromBottom, scale),
                        width, scaled(kAcross.height(), scale));
}

}  // namespace steam::ui
