#include "diagram_startup.h"

namespace steam::diagram {

bool startDiagram(Diagram& diagram, DrawingSurface& pic, const calc::RegisterStore& registers,
                  const data::PropertyDatabase& db, std::string& error) {
    DiagramScale& scale = diagram.scale;
    scale.DefaultXmin = 0;
    scale.DefaultXmax = 9.99;
    scale.DefaultYmin = 0;
    scale.DefaultYmax = 5000;
    diagram.DiagramReady = 1;
    scale.ViewXmin = scale.DefaultXmin;
    scale.ViewXmax = scale.DefaultXmax;
    scale.ViewYmin = scale.DefaultYmin;
    scale.ViewYmax = scale.DefaultYmax;
    scale.DefineScale(scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    diagram.drawWindow(pic, registers, scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    return diagram.curves.ReadCurveData(db, error);
}

}  // namespace steam::diagram
