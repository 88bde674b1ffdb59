#include "diagram_scale.h"

namespace steam::diagram {

void DiagramScale::DefineScale(double Xmin, double Xmax, double Ymin, double Ymax) {
    Xspan = Xmax - Xmin;
    Yspan = static_cast<float>(Ymax - Ymin);
    Ypct = Yspan / 100.0f;
    Xpct = Xspan / 100.0;
    XtickStep = tickStep(Xspan, kMaxTickIntervals);
    YtickStep = tickStep(Yspan, kMaxTickIntervals);
}

std::vector<AxisTick> DiagramScale::xTicks(double Xmin, double Xmax) const {
    return Xlog ? logAxisTicks(Xmin, Xmax, kMaxLogTicksAcross) : linearTicks(Xmin, Xmax, XtickStep);
}

std::vector<AxisTick> DiagramScale::yTicks(double Ymin, double Ymax) const {
    return Ylog ? logAxisTicks(Ymin, Ymax, kMaxLogTicksUp) : linearTicks(Ymin, Ymax, YtickStep);
}

std::vector<double> DiagramScale::xMinorTicks(double Xmin, double Xmax, const std::vector<AxisTick>& ticks) const {
    return Xlog ? logMinorTicks(Xmin, Xmax, ticks) : std::vector<double>{};
}

std::vector<double> DiagramScale::yMinorTicks(double Ymin, double Ymax, const std::vector<AxisTick>& ticks) const {
    return Ylog ? logMinorTicks(Ymin, Ymax, ticks) : std::vector<double>{};
}

void DiagramScale::setViewFromDrag() {
    ViewXmin = DragStartX < DragEndX ? DragStartX : DragEndX;
    ViewYmin = DragEndY < DragStartY ? DragEndY : DragStartY;
    ViewXmax = DragStartX > DragEndX ? DragStartX : DragEndX;
    ViewYmax = DragEndY > DragStartY ? DragEndY : DragStartY;
}

void DiagramScale::setSurfaceEdges(double Xmin, double Xmax, double Ymin, double Ymax) {
    XminExt = Xmin - 0.08 * Xspan;
    XmaxExt = Xmax + 0.08 * Xspan;
    YminExt = Ymin - 0.08 * Yspan;
    YmaxExt = Ymax + 0.08 * Yspan;
}

}  // namespace steam::diagram
