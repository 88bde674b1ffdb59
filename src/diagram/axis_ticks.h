#pragma once
// Tick values of a chart axis and the texts written beside them. Every chart uses the same
// rule: a linear axis is ticked at the multiples of a step of 1, 2 or 5 times a power of
// ten that lie inside the window, so the grid covers the whole window and each number names
// the value where its line is. A logarithmic axis is ticked at 1, 2 and 5 of each decade,
// or at whole decades when it spans too many.
#include <string>
#include <vector>

namespace steam::diagram {

struct AxisTick {
    double value;
    std::string text;  ///< the value in general format, to the step's decimals
};

/// The smallest step of 1, 2 or 5 times a power of ten that cuts span into no more than
/// maxIntervals steps (span 9.99 -> 1 and span 5000 -> 500 for 12). 0 for a span that is
/// not positive and finite.
double tickStep(double span, int maxIntervals);

/// The multiples k * step with min <= k * step <= max, a ten-thousandth of a step of
/// slack at either end so a bound that is a multiple rounded to single precision keeps
/// its tick. Values are k * step rounded to the step's decimals. Empty when step is not
/// positive or the window holds more than 1000 steps.
std::vector<AxisTick> linearTicks(double min, double max, double step);

/// Ticks of a logarithmic axis from min to max (both positive): 1, 2 and 5 times each
/// power of ten when they are no more than maxTicks, else every decade, else every
/// second, fifth or tenth decade.
std::vector<AxisTick> logTicks(double min, double max, int maxTicks);

/// Ticks of a logarithmic axis drawn from 10^minPosition to 10^maxPosition, each tick's
/// value its position (the decimal logarithm) and its text the number itself. logTicks
/// where they give at least three; a window too narrow for that (less than a factor of
/// about five) is ticked at the multiples of a step of 1, 2 or 5 times a power of ten, as a
/// linear axis is, so every view has numbered grid lines.
std::vector<AxisTick> logAxisTicks(double minPosition, double maxPosition, int maxTicks);

/// Where a logarithmic axis numbered at whole decades (ticks from logAxisTicks) gets
/// unnumbered lines as well: the logarithms of 2 and 5 of each decade inside the window, so
/// values can be read between the decades. None when the numbered ticks are closer.
std::vector<double> logMinorTicks(double minPosition, double maxPosition, const std::vector<AxisTick>& ticks);

}  // namespace steam::diagram
