#include "diagram_startup.h"

namespace steam::diagram {

bool startDiagram(Diagram& diagram, DrawingSurface& pic, const calc::RegisterStore& registers,
                  const data::PropertyDatabase& db, std::string& error) {
    DiagramScale& scale = diagram.scale;
    diagram.showDefaultWindow();
    diagram.DiagramReady = 1;
    diagram.drawWindow(pic, registers, scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    return diagram.curves.ReadCurveData(db, error);
}

}  // namespace steam::diagram
