#include "diagram_scale.h"

#include "numeric/rounding.h"

#include <cmath>

namespace steam::diagram {

using numeric::firstINT;
using numeric::firstMi;
using numeric::sswr;

namespace {

// The counter runs 0, unit, 2 unit, ... up to end inclusive. End / unit is always a whole
// number (units are 1/5, 1/3, 1/2 or 1), so an integer count avoids the drift of adding
// the unit repeatedly.
std::vector<double> ticks(double step, double base, float tickEnd, double tickUnit, double max) {
    std::vector<double> values;
    if (!(tickUnit > 0.0) || !std::isfinite(step) || !std::isfinite(base)) return values;
    const long long count = std::llround(static_cast<double>(tickEnd) / tickUnit);
    values.reserve(static_cast<size_t>(count + 1));
    for (long long k = 0; k <= count; ++k) {
        const double i = static_cast<double>(k) * tickUnit;
        const float value = static_cast<float>(base + i * step);
        if (static_cast<double>(value) <= max) values.push_back(value);
    }
    return values;
}

}  // namespace

void DiagramScale::DefineScale(double Xmin, double Xmax, double Ymin, double Ymax) {
    Xspan = Xmax - Xmin;
    Yspan = static_cast<float>(Ymax - Ymin);
    Ypct = Yspan / 100.0f;
    Xpct = Xspan / 100.0;
    XtickEnd = firstINT(Xspan);
    YtickEnd = firstINT(Yspan);
    Xdecimals = firstMi(Xspan);
    Ydecimals = firstMi(Yspan);
    XtickUnit = 1.0 / sswr(10.0 / XtickEnd, 0);
    YtickUnit = 1.0 / sswr(10.0 / YtickEnd, 0);
}

std::vector<double> DiagramScale::xTickValues(double Xmin, double Xmax) const {
    const double step = sswr(Xspan / XtickEnd, Xdecimals);
    return ticks(step, sswr(Xmin, Xdecimals), XtickEnd, XtickUnit, Xmax);
}

std::vector<double> DiagramScale::yTickValues(double Ymin, double Ymax) const {
    const float quotient = Yspan / YtickEnd;
    const double step = sswr(quotient, Ydecimals);
    return ticks(step, sswr(Ymin, Ydecimals), YtickEnd, YtickUnit, Ymax);
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
