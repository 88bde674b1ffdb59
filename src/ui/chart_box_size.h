#pragma once
// The chart's picture in a box of any size: drawn at the box's pixels with fonts and lines
// scaled as `steamcalc diagram --size` scales them, by the smaller of the two ratios to the
// picture on screen (489 x 465), never below 1 and at most kMaxChartScale, so that a
// maximised window or a projector shows larger text while a wall-sized screen still gets a
// chart of more room rather than of huge letters.
#include <QSize>

class QLabel;

namespace steam::ui {

inline constexpr double kMaxChartScale = 3.0;

/// The scale of the chart's fonts and lines in a box of this size.
double chartScaleFor(QSize box);

/// Places the window's axis captions (labels inside the chart box) for a box of this size:
/// the caption up at the top left, the caption across under the axis numbers, both in a font
/// grown by the chart's scale. At the picture on screen's size they stand where they always
/// stood.
void placeAxisCaptions(QLabel* across, QLabel* up, QSize box, double scale);

}  // namespace steam::ui
