#pragma once
// The main window: the saturation and state calculator panels, the two register panels,
// the diagram box `Pic` (the h-s, T-s, p-v or p-t chart, chosen in the "查看" menu) with its
// layer switches and read-out, the exit button and the menu bar. Its handlers keep the names of the controls and events
// they serve. Working state that outlives a click lives in plain core objects: the data sources, the register store
// (with both current results), the diagram (scale, curves, layer switches), the panel
// mirrors, the diagram's mouse controller and the result list of the run; the widgets only
// show it. The layout is built in f_cal_layout.cpp; the window grows, the chart taking the
// extra room (f_cal_view.cpp, also the chart-only full-screen view).
#include "calc/register_store.h"
#include "calc/result_list.h"
#include "data/property_database.h"
#include "diagram/diagram.h"
#include "diagram/diagram_mouse.h"
#include "panels/panels.h"
#include "panels/result_texts.h"
#include "program_context.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShortcut;

namespace steam::render {
class QImageSurface;
}

namespace steam::ui {

class CycleWindow;
class DataCheckWindow;
class DiagramView;
class ExplanationWindow;
class Readme;
class PropertyWindow;
class ResultListWindow;
class ResultTableModel;
class TablePageWindow;
class AnchoredLayout;
class attachment;
class fGoodby;

class fCal : public QMainWindow {
    Q_OBJECT
public:
    explicit fCal(const ProgramContext& context, QWidget* parent = nullptr);
    ~fCal() override;

    /// The load step. False when a data source or the curve data could not be read: the
    /// user has been told which file, and the window must not be shown.
    bool Form_Load();

    // Saturation panel.
    void OPT_Click(int index);
    void SCAL_Click();
    void cmdClean_Click();
    // State panel.
    void CHK_Click(int index);
    void SCAL2_Click();
    void cmdClean2_Click();
    // Diagram layers and pick modes.
    void CHKpic_Click(int index);
    /// The "查看" menu's chart items: the chart shown in the diagram box, its switches'
    /// captions, the axis captions and the checked item follow.
    void showChart(diagram::Chart chart);
    // Registers.
    void CMDupM_Click(int r);
    void CMDupMR_Click(int r);
    void CHKupM_Click(int r);
    void CMDupClear_Click();
    void CMDdownClear_Click();
    // Mouse on the diagram; X across and Y up in chart coordinates (s and h on the h-s chart).
    void Pic_MouseMove(int Button, int Shift, float X, float Y);
    /// A button released over the diagram or, during a drag, anywhere; Button holds the
    /// buttons still pressed.
    void Pic_MouseUp(int Button, int Shift, float X, float Y);
    void Pic_Click();
    void Pic_DblClick();
    // Menus and exit.
    void savePicture();
    /// "打印": the chart and the table of its marked states on an A4 landscape page, through
    /// the print preview.
    void printChart();
    void exitFromMenu();
    void showUsage();
    void showAbout();
    /// 帮助 → 校验数据: the window that checks the data folder read, a new check each time.
    void showDataCheck();
    void showResultList();
    /// 查看 → 全部性质: the property sheet of the current results and the shown registers.
    void showPropertyWindow();
    /// "循环分析" (Ctrl+L): the cycle window, which draws its cycle on every chart.
    void showCycleWindow();
    /// "计算过程" (Ctrl+E): how the current results were found; it follows them while open
    /// (f_cal_tables.cpp).
    void showExplanationWindow();
    /// "性质表" (Ctrl+B): pages of a property table from the data.
    void showTablePageWindow();
    void CMDcancel_Click();
    /// "全屏图表" (F11): the chart alone with its layer switches and read-out over the whole
    /// screen; off again (F11, Esc) the window returns as it was.
    void setChartOnly(bool on);
    bool chartOnly() const { return m_chartOnly; }
    /// The window's first size: the client area at its places plus the menu bar.
    QSize firstSize() const;

    const calc::RegisterStore& registers() const { return m_registers; }
    const diagram::Diagram& diagram() const { return m_diagram; }
    const diagram::DiagramMouse& mouse() const { return m_mouse; }
    /// Every calculation of the run that ended with a result, newest last.
    const calc::ResultList& results() const;
    /// The same as the result list window shows them.
    const std::vector<panels::ResultRow>& resultRows() const;
    render::QImageSurface& surface() { return *m_surface; }
    /// Chart coordinates of a pixel of `Pic`.
    QPointF toUser(QPointF pixel) const;
    /// Pixel of `Pic` showing a point in chart coordinates ((s, h) on the h-s chart).
    QPointF toPixel(double x, double y) const;

    Readme* readmeWindow() const { return m_readme.get(); }
    attachment* aboutWindow() const { return m_about.get(); }
    fGoodby* farewellWindow() const { return m_goodbye.get(); }
    ResultListWindow* resultListWindow() const { return m_resultWindow.get(); }
    PropertyWindow* propertyWindow() const { return m_propertyWindow.get(); }
    DataCheckWindow* dataCheckWindow() const { return m_dataCheck.get(); }
    CycleWindow* cycleWindow() const { return m_cycleWindow.get(); }
    ExplanationWindow* explanationWindow() const { return m_explanationWindow.get(); }
    TablePageWindow* tablePageWindow() const { return m_tablePageWindow.get(); }

    // Controls, indexed as the control arrays are. TXT(0) to TXT(7) are the saturation
    // panel's ts ... s'', TXT(8) to TXT(13) the state panel's t ... x; the internal energies
    // came later: TXT(14) is the state's u, TXT(15) and TXT(16) are u' and u''.
    std::array<QLineEdit*, 17> TXT{};
    std::array<QRadioButton*, 8> OPT{};
    std::array<QCheckBox*, 7> CHK{};
    std::array<QCheckBox*, 9> CHKpic{};
    std::array<QPushButton*, 9> CMDupM{};
    std::array<QPushButton*, 9> CMDupMR{};
    std::array<QCheckBox*, 9> CHKupM{};
    QPushButton* SCAL = nullptr;
    QPushButton* cmdClean = nullptr;
    QPushButton* SCAL2 = nullptr;
    QPushButton* cmdClean2 = nullptr;
    QPushButton* CMDupClear = nullptr;
    QPushButton* CMDdownClear = nullptr;
    QPushButton* CMDcancel = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QWidget* FrameUp = nullptr;
    QWidget* FrameDown = nullptr;
    QWidget* Frame4 = nullptr;
    QWidget* Frame3 = nullptr;  ///< the sunken rule under the menu bar
    QWidget* Shape4 = nullptr;  ///< the strip behind the layer switches
    QWidget* Line1 = nullptr;   ///< the rule above the department line
    DiagramView* Pic = nullptr;
    QLabel* Labelx = nullptr;
    QLabel* Labely = nullptr;
    QLineEdit* TXTinfo = nullptr;
    QLineEdit* TXTmouseX = nullptr;
    QLineEdit* TXTmouseY = nullptr;
    QLabel* Text1 = nullptr;
    QLabel* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* LabelPhase = nullptr;       ///< under the state panel: the current state's phase
    QLabel* LabelOtherState = nullptr;  ///< in the saturation panel: a second saturation state
    /// Value box k of the saturation panel (ts ... s'', u', u'') and of the state panel
    /// (t ... x, u).
    QLineEdit* satBox(int i) const { return TXT[static_cast<size_t>(i < 8 ? i : i + 7)]; }
    QLineEdit* stateBox(int k) const { return TXT[static_cast<size_t>(k < 6 ? k + 8 : 14)]; }
    /// Menu items, each named by its caption. menuView: the four charts (in the order of
    /// diagram::kCharts, checkable, one checked) and "结果列表".
    QAction* menuSavePicture = nullptr;
    QAction* menuPrint = nullptr;
    QAction* menuExit = nullptr;
    std::array<QAction*, 5> menuView{};
    QAction* menuChartOnly = nullptr;    ///< "全屏图表"
    QAction* menuProperties = nullptr;   ///< "全部性质"
    QAction* menuCycle = nullptr;        ///< "循环分析"
    QAction* menuExplanation = nullptr;  ///< "计算过程"
    QAction* menuTablePage = nullptr;    ///< "性质表"
    QAction* menuUsage = nullptr;
    QAction* menuAbout = nullptr;
    QAction* menuCheckData = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildSaturationPanel(QWidget* client);
    void buildStatePanel(QWidget* client);
    void buildRegisterPanels(QWidget* client);
    void buildDiagramArea(QWidget* client);
    void buildMenus();
    void anchorControls(QWidget* client);
    void connectViewControls();
    void connectKeyboard();
    /// The focusable controls of a calculator panel, in the order Tab visits them.
    std::vector<QWidget*> panelTabs(const QWidget* panel) const;
    /// Tab order with the given panel first, then the registers, the chart's switches, the
    /// exit button and the other panel.
    void orderTabs(QWidget* active);
    /// The chart box has a new size: the picture follows it.
    void resizeChart(QSize size);
    bool shownWithChartOnly(const QWidget* widget) const;
    void present(WindowPresentation how);
    void connectHandlers();

    void readPanelTexts();
    void applySaturationPanel(const panels::SaturationPanel& panel);
    void applyStatePanel(const panels::StatePanel& panel);
    void showMessages(const calc::Messages& messages);
    void applyMouseReaction(const diagram::MouseReaction& reaction);
    /// The chart, and the property sheet when its window is open, after the current results
    /// or the registers changed.
    void redraw();
    /// The phase line and the second-state note follow the current results.
    void showCurrentNotes();
    /// The property sheet, when its window is open, shows the current results and registers.
    void refreshPropertyWindow();
    /// The explanation, when its window is open, shows how the current results were found.
    void refreshExplanationWindow();
    /// The layer switches, axis captions and chart items as the chart shown wants them.
    void showChartControls();

    /// Program-side changes of boxes and options raise their click handlers, as a user's
    /// click would; nothing happens when the value does not change.
    void setCheck(QCheckBox* box, bool ticked);
    void selectOption(int index);

    /// Register r holds something: its recall button and show box follow (f_cal_cycle.cpp).
    void showRegisterStored(int r);
    /// M(first+1) to M(end) shown empty: white-grey, unticked, neither shown nor recalled.
    void showRegistersEmptied(int first, int end);
    /// The registers changed: a cycle taken from them is worked again.
    void registersChanged();

    bool confirmExit();
    void showFarewell();
    bool loadFailed(const QString& what);

    ProgramContext m_context;
    AnchoredLayout* m_layout = nullptr;  // owned by the client area
    bool m_chartOnly = false;
    QSize m_firstClientSize;                // the client area at the window's first size
    QSize m_chartOnlyBaseSize;              // the chart-only view's controls at their first places
    QShortcut* m_leaveChartOnly = nullptr;  // Esc, while the chart is shown alone
    QWidget* m_tabsFor = nullptr;           // the panel Tab goes through first
    Qt::WindowStates m_windowStateBeforeChartOnly;
    data::PropertyDatabase m_db;
    calc::RegisterStore m_registers;
    diagram::Diagram m_diagram;
    std::unique_ptr<render::QImageSurface> m_surface;
    panels::SaturationPanel m_sat;
    panels::StatePanel m_state;
    // The current results as the calculators answered them, for the property sheet and the
    // notes; none after a message or a reset.
    std::optional<calc::SaturationSolution> m_currentSaturation;
    std::optional<calc::StateSolution> m_currentState;
    // How the current results were found, written out (panels/explanation_texts.h); empty
    // with no result.
    std::string m_saturationExplanation;
    std::string m_stateExplanation;
    diagram::DiagramMouse m_mouse;

    // Declared before its window, which shows it and so must go first.
    std::unique_ptr<ResultTableModel> m_results;

    std::unique_ptr<Readme> m_readme;
    std::unique_ptr<attachment> m_about;
    std::unique_ptr<fGoodby> m_goodbye;
    std::unique_ptr<ResultListWindow> m_resultWindow;
    std::unique_ptr<PropertyWindow> m_propertyWindow;
    std::unique_ptr<DataCheckWindow> m_dataCheck;
    std::unique_ptr<CycleWindow> m_cycleWindow;
    std::unique_ptr<ExplanationWindow> m_explanationWindow;
    std::unique_ptr<TablePageWindow> m_tablePageWindow;
};

}  // namespace steam::ui
