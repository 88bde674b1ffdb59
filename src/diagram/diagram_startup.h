#pragma once
// The diagram's part of the program's start: the same sequence for the main window, the
// picture command and the benchmark.
#include "diagram.h"

#include <string>

namespace steam::calc {
class RegisterStore;
}
namespace steam::data {
class PropertyDatabase;
}

namespace steam::diagram {

/// Sets the default window of the chart shown (the h-s chart's s 0 to 9.99, h 0 to 5000 at
/// start) and makes it the current one, marks the diagram ready, scales and draws it once
/// (before any curve is loaded, so without curves), then reads the curve points of every chart. False when the curve
/// data cannot be read: error names the table, and the first drawing stays on the surface.
bool startDiagram(Diagram& diagram, DrawingSurface& pic, const calc::RegisterStore& registers,
                  const data::PropertyDatabase& db, std::string& error);

}  // namespace steam::diagram
