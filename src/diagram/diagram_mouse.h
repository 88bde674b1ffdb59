#pragma once
// The mouse on the diagram, in chart coordinates (X across, Y up, single precision as the
// reports arrive; logarithms on a logarithmic axis, so zoom and pan work in log space there).
// Every move updates the read-out with the values under the mouse; without a pick mode a left
// drag shows a rubber band and zooms to it when the drag ends, a right drag pans with a
// redraw per move, and a double-click restores the chart's default window. The pick modes
// ("图选s", "图选sh": layer switches 7 and 8 of the diagram) pick values for the calculator
// panels instead: "图选s" takes s where it runs across, "图选sh" the chart's two properties, as
// the read-out shows them. The controller draws on the surface itself (overlay marks, redraws)
// and tells the window what else to do.
#include "diagram.h"

#include "calc/message.h"

#include <optional>
#include <string>

namespace steam::calc {
class RegisterStore;
}

namespace steam::diagram {

enum class Pointer { Cross, Arrow };

/// The "图选s" pick: the saturation panel's option for s' (6) or s'' (7) and the s under the
/// mouse, as the read-out shows it, for its box.
struct EntropyPick {
    int option = 6;
    std::string text;
};

/// The "图选sh" pick: the state panel's rows (t p v h s x = 0 to 5) of the property across and
/// the one up, with the values under the mouse as the read-out shows them.
struct StatePick {
    int across = 4;
    std::string acrossText;
    int up = 3;
    std::string upText;
};

/// What the window shows after a mouse report, beyond what was drawn.
struct MouseReaction {
    /// True while the diagram is being drawn: the report changed nothing.
    bool ignored = false;
    /// New texts of the read-out boxes TXTmouseX and TXTmouseY, the values under the mouse;
    /// empty when unchanged.
    std::string readoutX, readoutY;
    std::optional<Pointer> pointer;
    /// What a pick mode takes from the chart for the panels.
    std::optional<EntropyPick> entropyPick;
    std::optional<StatePick> statePick;
    /// Messages to show, in order (the reminder after too small a zoom rectangle).
    calc::Messages messages;
};

/// What a click on the diagram asks of the window, in this order.
struct ClickReaction {
    /// Run "计算" of the saturation panel on what the pick left there.
    bool calculateSaturation = false;
    /// Run "计算" of the state panel on the two properties the pick left there.
    bool calculateState = false;
    /// Untick the pick boxes (their click handlers then redraw).
    bool untickPickEntropy = false;
    bool untickPickEntropyEnthalpy = false;
};

class DiagramMouse {
public:
    DiagramMouse(Diagram& diagram, DrawingSurface& pic, const calc::RegisterStore& registers);

    /// Move reports counted per drag; 0 when no drag of that kind is under way.
    int ZoomDragCount = 0;
    int PanDragCount = 0;

    /// A move report with the button state (1 left, 2 right, 4 middle, summed).
    MouseReaction Pic_MouseMove(int Button, float X, float Y);
    /// A button released, wherever the mouse is, with the buttons still held: when none is,
    /// a drag under way ends here, as the next move report without buttons would end it.
    /// A zoom drag released outside the diagram thus never waits for the mouse to come back.
    MouseReaction buttonReleased(int Button, float X, float Y);
    ClickReaction Pic_Click() const;
    /// Back to the default window.
    void Pic_DblClick();

    /// No drag under way (the load step).
    void reset();

    /// The read-out text of a position on an axis: the value with 3 decimals on a linear
    /// axis (4.4 as 4.400), with 4 significant digits on a logarithmic one (0.001053; at most
    /// six decimals, so 0.000614).
    static std::string readout(const ChartAxis& axis, float position);

private:
    MouseReaction endDrag(float X, float Y);
    bool picking() const;
    EntropyPick pickEntropy(float X, const std::string& text);
    StatePick pickState(float X, float Y, const std::string& xText, const std::string& yText);

    Diagram& m_diagram;
    DrawingSurface& m_pic;
    const calc::RegisterStore& m_registers;
};

}  // namespace steam::diagram
