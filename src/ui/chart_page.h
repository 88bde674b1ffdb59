#pragma once
// The printed page of a chart: A4 landscape, the chart's name as a heading, the chart shown
// (its window, layers and markers) with its axis titles, and beneath it a table of the states
// marked on it: the current saturation and state results, the registers shown and the cycle's
// states, each with t or ts, p or ps, v, h, s and x as the boxes show them. A saturated state is
// two rows, its saturated water and its saturated steam.
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class QPainter;
class QPrinter;
class QRect;

namespace steam::calc {
class RegisterStore;
}
namespace steam::diagram {
class Diagram;
struct CycleDrawing;
}  // namespace steam::diagram

namespace steam::ui {

struct MarkedState {
    QString name;
    std::array<QString, 6> values;  ///< t or ts, p or ps, v, h, s, x
};

/// The table's column captions: "名称", "t/ts (°C)", ..., "x".
QStringList markedStateHeader();

/// The states the chart marks, in the order current saturation, current state, M1 to M9.
/// boxTexts are the fourteen value boxes (TXT(0) to TXT(13)); the current results show as
/// their boxes do, the registers as recalling them would.
std::vector<MarkedState> markedStates(const calc::RegisterStore& registers, const std::array<QString, 14>& boxTexts);

/// The cycle's states, "循环 1" on, as the state panel shows them.
std::vector<MarkedState> cycleStates(const diagram::CycleDrawing& cycle);

/// A4 landscape, margins of 10 mm, the document named after the chart.
void preparePrinter(QPrinter& printer, const QString& documentName);

/// Paints the page into `area`, in device pixels at dotsPerInch.
void paintChartPage(QPainter& painter, const QRect& area, int dotsPerInch, diagram::Diagram& diagram,
                    const calc::RegisterStore& registers, const std::vector<MarkedState>& states);

/// Prints the page on the printer as it is set up.
void printChartPage(QPrinter& printer, diagram::Diagram& diagram, const calc::RegisterStore& registers,
                    const std::vector<MarkedState>& states);

}  // namespace steam::ui
