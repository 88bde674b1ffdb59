#pragma once
// Where the points of a chart's curve go: a curve is walked as stretches of its own parameter,
// each halved until its points lie within a quarter of the tolerance of the chord in the
// pixels of the chart's default window zoomed ten times (log space on a logarithmic axis),
// then cropped to the window and thinned to the tolerance (Douglas-Peucker).
#include "diagram/chart.h"
#include "iapws/iapws95.h"

#include <array>
#include <functional>
#include <vector>

namespace tables {

inline constexpr double kKelvin = 273.15;

// A state on a curve: t in C, p in MPa, v, h, s; a wet mixture has the saturation t and p.
struct State {
    double t, p, v, h, s;
};

double valueOf(const State& st, steam::diagram::Quantity q);

struct Pixel {
    double x, y;
};

// A chart as the curves are placed for it: where a state lies, in pixels of the default
// window zoomed ten times, and whether a state lies inside that window.
class Plane {
public:
    explicit Plane(steam::diagram::Chart chart)
        : m_d(steam::diagram::chartDescription(chart)),
          m_xPerPixel(steam::diagram::unitsPerPixelAtTenfoldZoom(m_d.x, steam::diagram::kPicturePixelsAcross)),
          m_yPerPixel(steam::diagram::unitsPerPixelAtTenfoldZoom(m_d.y, steam::diagram::kPicturePixelsUp)) {}

    Pixel pixels(const State& st) const {
        return {m_d.x.toChart(valueOf(st, m_d.x.quantity)) / m_xPerPixel,
                m_d.y.toChart(valueOf(st, m_d.y.quantity)) / m_yPerPixel};
    }
    bool inside(const State& st) const {
        const auto within = [](const steam::diagram::ChartAxis& axis, double value) {
            return value >= axis.defaultMin && value <= axis.defaultMax;
        };
        return within(m_d.x, valueOf(st, m_d.x.quantity)) && within(m_d.y, valueOf(st, m_d.y.quantity));
    }
    /// On a chart of t and p every wet state lies on the saturation line itself.
    bool wetStatesOnTheLine() const {
        const auto tp = [](steam::diagram::Quantity q) {
            return q == steam::diagram::Quantity::t || q == steam::diagram::Quantity::p;
        };
        return tp(m_d.x.quantity) && tp(m_d.y.quantity);
    }
    std::array<double, 2> axisValues(const State& st) const {
        return {valueOf(st, m_d.x.quantity), valueOf(st, m_d.y.quantity)};
    }

private:
    const steam::diagram::ChartDescription& m_d;
    double m_xPerPixel, m_yPerPixel;
};

/// Distance between two states, and of p from the segment ab, in the plane's pixels.
double pixelDistance(const Plane& plane, const State& a, const State& b);
double offSegment(const Plane& plane, const State& p, const State& a, const State& b);

State at(const iapws95::State& st);
/// The wet mixture of dryness x at a saturation state.
State mixture(const iapws95::Saturation& sat, double x);
/// The saturation state at t (C), clamped to the triple and critical points.
iapws95::Saturation saturationAtC(double t);

using Curve = std::function<State(double)>;

/// One smooth stretch of a curve for u from a to b, the ends given exactly (where the curve
/// meets the saturation line, or the ends of the range), in `steps` base steps each refined.
void appendStretch(const Plane& plane, std::vector<State>& out, const Curve& curve, double a, const State& first,
                   double b, const State& last, int steps);

/// From the point before the curve first enters the window to the point after it last leaves:
/// the margins of the picture hide the rest.
std::vector<State> cropToWindow(const Plane& plane, const std::vector<State>& curve);

/// Drops the points that lie within the tolerance of the line kept.
std::vector<State> simplified(const Plane& plane, const std::vector<State>& in);

}  // namespace tables
