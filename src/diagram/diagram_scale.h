#pragma once
// Scale state of the h-s diagram: the default and current windows (s in kJ/(kg.K) across,
// h in kJ/kg up), the spans of the last DefineScale call and the tick parameters derived
// from them, the surface edges of the last drawing and the corners of a mouse drag.
// The single-precision fields are kept in single precision on purpose: the tick rule
// rounds through them, and the drawn tick values depend on it.
#include <vector>

namespace steam::diagram {

struct DiagramScale {
    double DefaultXmin = 0.0;
    double DefaultXmax = 9.99;
    double DefaultYmin = 0.0;
    double DefaultYmax = 5000.0;

    double ViewXmin = 0.0;
    double ViewXmax = 9.99;
    double ViewYmin = 0.0;
    double ViewYmax = 5000.0;

    double Xspan = 0.0;
    float Yspan = 0.0f;
    double Xpct = 0.0;
    float Ypct = 0.0f;
    float XtickEnd = 0.0f;
    float YtickEnd = 0.0f;
    int Xdecimals = 0;
    int Ydecimals = 0;
    double XtickUnit = 0.0;
    double YtickUnit = 0.0;

    double XminExt = 0.0;
    double XmaxExt = 0.0;
    double YminExt = 0.0;
    double YmaxExt = 0.0;

    float DragStartX = 0.0f;
    float DragStartY = 0.0f;
    float DragEndX = 0.0f;
    float DragEndY = 0.0f;

    /// Derives spans and tick parameters from a window; the bounds themselves are not
    /// stored. Both spans must be positive (a zero span yields end 2 and 0 decimals
    /// rather than an endless scaling loop).
    void DefineScale(double Xmin, double Xmax, double Ymin, double Ymax);

    /// Grid values of the s axis for a window drawn from Xmin to Xmax, from the last
    /// DefineScale: base sswr(Xmin, Xdecimals) plus multiples of the step, each rounded
    /// to single precision, only those <= Xmax. A value below Xmin is kept.
    std::vector<double> xTickValues(double Xmin, double Xmax) const;
    /// The same rule for the h axis, with the step formed from the single-precision Yspan.
    std::vector<double> yTickValues(double Ymin, double Ymax) const;

    /// Sets the current window to the dragged rectangle, whatever the drag direction.
    void setViewFromDrag();

    /// Surface edges for a window: 8 % of each span beyond each bound.
    void setSurfaceEdges(double Xmin, double Xmax, double Ymin, double Ymax);
};

}  // namespace steam::diagram
