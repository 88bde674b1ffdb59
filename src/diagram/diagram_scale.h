#pragma once
// Scale state of the chart shown: the default and current windows, the spans of the last
// DefineScale call and the tick steps derived from them, the surface edges of the last
// drawing and the corners of a mouse drag. Everything is in chart coordinates: the values on
// a linear axis (s in kJ/(kg.K) across and h in kJ/kg up on the h-s chart), their decimal
// logarithms on a logarithmic one, so zoom and pan work in log space there.
// Yspan and Ypct are single precision, as the sizes drawn from them have always been.
#include "axis_ticks.h"

#include <vector>

namespace steam::diagram {

/// Grid lines per span at most: the default window gets 0 to 9 by 1 and 0 to 5000 by 500.
inline constexpr int kMaxTickIntervals = 12;
/// Numbered ticks of a logarithmic axis at most: numbers across are wider than they are tall.
inline constexpr int kMaxLogTicksAcross = 8;
inline constexpr int kMaxLogTicksUp = 16;

struct DiagramScale {
    double DefaultXmin = 0.0;
    double DefaultXmax = 9.99;
    double DefaultYmin = 0.0;
    double DefaultYmax = 5000.0;

    double ViewXmin = 0.0;
    double ViewXmax = 9.99;
    double ViewYmin = 0.0;
    double ViewYmax = 5000.0;

    /// Whether an axis is logarithmic: its positions are decimal logarithms.
    bool Xlog = false;
    bool Ylog = false;

    double Xspan = 0.0;
    float Yspan = 0.0f;
    double Xpct = 0.0;
    float Ypct = 0.0f;
    /// Grid spacing: 1, 2 or 5 times a power of ten, at most kMaxTickIntervals per span.
    double XtickStep = 0.0;
    double YtickStep = 0.0;

    double XminExt = 0.0;
    double XmaxExt = 0.0;
    double YminExt = 0.0;
    double YmaxExt = 0.0;

    float DragStartX = 0.0f;
    float DragStartY = 0.0f;
    float DragEndX = 0.0f;
    float DragEndY = 0.0f;

    /// Derives spans and tick steps from a window; the bounds themselves are not stored.
    /// A span that is not positive gives a step of 0 and no ticks.
    void DefineScale(double Xmin, double Xmax, double Ymin, double Ymax);

    /// Grid lines of the axis across for a window drawn from Xmin to Xmax, each tick's value
    /// its position and its text the number there. A linear axis: the multiples of XtickStep
    /// inside the window (a pan keeps the step; the first tick follows the lower bound). A
    /// logarithmic axis: logAxisTicks.
    std::vector<AxisTick> xTicks(double Xmin, double Xmax) const;
    /// The same for the axis up with YtickStep.
    std::vector<AxisTick> yTicks(double Ymin, double Ymax) const;
    /// Unnumbered grid lines between the ticks of a logarithmic axis numbered at whole
    /// decades (logMinorTicks); none on a linear axis.
    std::vector<double> xMinorTicks(double Xmin, double Xmax, const std::vector<AxisTick>& ticks) const;
    std::vector<double> yMinorTicks(double Ymin, double Ymax, const std::vector<AxisTick>& ticks) const;

    /// Sets the current window to the dragged rectangle, whatever the drag direction.
    void setViewFromDrag();

    /// Surface edges for a window: 8 % of each span beyond each bound.
    void setSurfaceEdges(double Xmin, double Xmax, double Ymin, double Ymax);
};

}  // namespace steam::diagram
