#include "f_cal.h"

#include "artwork.h"
#include "cycle_window.h"
#include "data/data_fault.h"
#include "data/data_verification.h"
#include "data_check_window.h"
#include "diagram/diagram_startup.h"
#include "diagram_view.h"
#include "explanation_window.h"
#include "message_service.h"
#include "panels/property_texts.h"
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"
#include "property_window.h"
#include "render/qimage_surface.h"
#include "result_list_window.h"
#include "result_table_model.h"
#include "save_dialog_service.h"
#include "secondary_windows.h"
#include "table_page_window.h"
#include "twips.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace steam::ui {

namespace {

const QColor kMarginGrey(210, 215, 210);

void setBoxBackground(QLineEdit* box, bool white) {
    setRole(box, QPalette::Base, white ? toQColor(colour::kEditableBackground) : toQColor(colour::kLockedBackground));
}

// A text written by the program shows from its beginning, however long: the box scrolls to
// where the cursor stands.
void setBoxText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
    box->setCursorPosition(0);
}

}  // namespace

fCal::fCal(const ProgramContext& context, QWidget* parent)
    : QMainWindow(parent),
      m_context(context),
      m_surface(std::make_unique<render::QImageSurface>()),
      m_mouse(m_diagram, *m_surface, m_registers),
      m_results(std::make_unique<ResultTableModel>()) {
    setWindowTitle(programTitle());
    setFont(defaultWindowFont());
    // Greyed captions and texts must stay readable on the grey RGB(192,192,192) window, as
    // the classic grey-text colour is; the style's own disabled grey vanishes there.
    QPalette greyed = palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        greyed.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    setPalette(greyed);
    buildLayout();
    buildMenus();
    showChartControls();
    connectHandlers();
    connectViewControls();
    connectKeyboard();
    resize(firstSize());
}

fCal::~fCal() = default;

void fCal::connectHandlers() {
    // User clicks arrive through `clicked`, which program-side changes do not emit; those
    // call the handler themselves (setCheck, selectOption).
    for (int i = 0; i < 8; ++i) connect(OPT[i], &QRadioButton::clicked, this, [this, i] { OPT_Click(i); });
    connect(SCAL, &QPushButton::clicked, this, &fCal::SCAL_Click);
    connect(cmdClean, &QPushButton::clicked, this, &fCal::cmdClean_Click);
    for (int k = 0; k < panels::kStateBoxes; ++k)
        connect(CHK[k], &QCheckBox::clicked, this, [this, k] { CHK_Click(k); });
    connect(SCAL2, &QPushButton::clicked, this, &fCal::SCAL2_Click);
    connect(cmdClean2, &QPushButton::clicked, this, &fCal::cmdClean2_Click);
    for (int j = 0; j < 9; ++j) connect(CHKpic[j], &QCheckBox::clicked, this, [this, j] { CHKpic_Click(j); });
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        connect(CMDupM[r], &QPushButton::clicked, this, [this, r] { CMDupM_Click(r); });
        connect(CMDupMR[r], &QPushButton::clicked, this, [this, r] { CMDupMR_Click(r); });
        connect(CHKupM[r], &QCheckBox::clicked, this, [this, r] { CHKupM_Click(r); });
    }
    connect(CMDupClear, &QPushButton::clicked, this, &fCal::CMDupClear_Click);
    connect(CMDdownClear, &QPushButton::clicked, this, &fCal::CMDdownClear_Click);
    connect(CMDcancel, &QPushButton::clicked, this, &fCal::CMDcancel_Click);

    connect(Pic, &DiagramView::mouseMoved, this, [this](int button, int shift, QPointF pixel) {
        const QPointF user = toUser(pixel);
        Pic_MouseMove(button, shift, static_cast<float>(user.x()), static_cast<float>(user.y()));
    });
    connect(Pic, &DiagramView::released, this, [this](int button, int shift, QPointF pixel) {
        const QPointF user = toUser(pixel);
        Pic_MouseUp(button, shift, static_cast<float>(user.x()), static_cast<float>(user.y()));
    });
    connect(Pic, &DiagramView::clicked, this, &fCal::Pic_Click);
    connect(Pic, &DiagramView::doubleClicked, this, &fCal::Pic_DblClick);

    for (int i = 0; i < diagram::kChartCount; ++i)
        connect(menuView[i], &QAction::triggered, this, [this, i] { showChart(diagram::kCharts[i]); });
    connect(menuSavePicture, &QAction::triggered, this, &fCal::savePicture);
    connect(menuPrint, &QAction::triggered, this, &fCal::printChart);
    connect(menuExit, &QAction::triggered, this, &fCal::exitFromMenu);
    connect(menuUsage, &QAction::triggered, this, &fCal::showUsage);
    connect(menuAbout, &QAction::triggered, this, &fCal::showAbout);
    connect(menuCheckData, &QAction::triggered, this, &fCal::showDataCheck);
    connect(menuView[4], &QAction::triggered, this, &fCal::showResultList);
    connect(menuProperties, &QAction::triggered, this, &fCal::showPropertyWindow);
    connect(menuCycle, &QAction::triggered, this, &fCal::showCycleWindow);
    connect(menuExplanation, &QAction::triggered, this, &fCal::showExplanationWindow);
    connect(menuTablePage, &QAction::triggered, this, &fCal::showTablePageWindow);
}

bool fCal::loadFailed(const QString& what) {
    m_context.messages->show(this, QStringLiteral("提醒"),
                             QStringLiteral("无法读取数据文件，程序将退出。\n%1").arg(what), MessageIcon::Warning,
                             MessageButtons::Ok);
    return false;
}

bool fCal::Form_Load() {
    // 1. The data sources.
    std::string error;
    if (!m_db.openFirst(m_context.dataPlaces, error)) return loadFailed(QString::fromStdString(error));
    const data::FolderResult startup = data::checkDataFolderAtStartup(m_db.directory());
    if (const data::FileResult* damaged = startup.firstFailure())
        return loadFailed(QString::fromStdString(data::damagedFileMessage(damaged->file)));

    // 2. Colours of the diagram box, its axis captions and the information line.
    m_surface->setBackground(colour::Rgb{240, 243, 240});
    for (QWidget* w : {static_cast<QWidget*>(Labelx), static_cast<QWidget*>(Labely)})
        setFilledBackground(w, kMarginGrey);
    setRole(TXTinfo, QPalette::Base, kMarginGrey);

    // 3. Every value box locked and grey.
    for (QLineEdit* box : TXT) {
        box->setEnabled(false);
        setBoxBackground(box, false);
    }
    m_sat.enabled.fill(false);
    m_sat.white.fill(false);
    m_state.enabled.fill(false);
    m_state.white.fill(false);

    // 4. No state-panel ticks.
    m_state.ticked.fill(false);

    // 5. No option selected, and no click raised for it.
    auto* group = OPT[0]->group();
    group->setExclusive(false);
    for (QRadioButton* option : OPT) option->setChecked(false);
    group->setExclusive(true);
    m_sat.selected = -1;

    // 6. Recall buttons and show boxes wait for something stored.
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        CHKupM[r]->setEnabled(false);
        CMDupMR[r]->setEnabled(false);
    }

    // 7. The column and decimals tables are constants of the core (calc/property_columns.h).

    // 8 to 11. Default and current window, readiness and no drag; curve colours are the
    // diagram's own; the first drawing (before the curves are there), then the curve points.
    m_mouse.reset();
    if (!diagram::startDiagram(m_diagram, *m_surface, m_registers, m_db, error))
        return loadFailed(QString::fromStdString(error));

    return true;
}

// ---- panels ----------------------------------------------------------------------------

void fCal::readPanelTexts() {
    for (int i = 0; i < panels::kSaturationBoxes; ++i) m_sat.text[i] = satBox(i)->text().toStdString();
    for (int k = 0; k < panels::kStateBoxes; ++k) {
        m_state.text[k] = stateBox(k)->text().toStdString();
        m_state.ticked[k] = CHK[k]->isChecked();
    }
}

void fCal::applySaturationPanel(const panels::SaturationPanel& panel) {
    m_sat = panel;
    for (int i = 0; i < panels::kSaturationBoxes; ++i) {
        QLineEdit* box = satBox(i);
        setBoxText(box, QString::fromStdString(panel.text[i]));
        box->setEnabled(panel.enabled[i]);
        setBoxBackground(box, panel.white[i]);
    }
    for (int i = 0; i < panels::kSaturationOptions; ++i)
        setTextColour(OPT[i], i == panel.selected ? QColor(255, 255, 255) : QColor(0, 0, 0));
    auto* group = OPT[0]->group();
    if (panel.selected >= 0 && panel.selected < 8) {
        OPT[panel.selected]->setChecked(true);
    } else {
        group->setExclusive(false);
        for (QRadioButton* option : OPT) option->setChecked(false);
        group->setExclusive(true);
    }
}

void fCal::applyStatePanel(const panels::StatePanel& panel) {
    m_state = panel;
    for (int k = 0; k < panels::kStateBoxes; ++k) {
        QLineEdit* box = stateBox(k);
        setBoxText(box, QString::fromStdString(panel.text[k]));
        box->setEnabled(panel.enabled[k]);
        setBoxBackground(box, panel.white[k]);
        CHK[k]->setChecked(panel.ticked[k]);
        CHK[k]->setEnabled(panel.chkEnabled[k]);
    }
}

void fCal::showMessages(const calc::Messages& messages) {
    for (const calc::Message& message : messages) m_context.messages->showCore(this, message);
}

void fCal::redraw() {
    m_diagram.redraw(*m_surface, m_registers);
    refreshPropertyWindow();
    refreshExplanationWindow();
}

void fCal::showCurrentNotes() {
    const char* phase = m_currentState ? panels::phaseName(calc::phaseOf(*m_currentState)) : "";
    LabelPhase->setText(*phase ? QStringLiteral("相态：%1").arg(QString::fromUtf8(phase)) : QString());
    LabelOtherState->setText(
        m_currentSaturation ? QString::fromStdString(panels::otherSaturationNote(*m_currentSaturation)) : QString());
}

void fCal::OPT_Click(int index) {
    readPanelTexts();
    panels::SaturationPanel panel = m_sat;
    panels::OPT_Click(panel, index);
    applySaturationPanel(panel);
}

void fCal::SCAL_Click() {
    readPanelTexts();
    const panels::SaturationOutcome outcome = panels::SCAL_Click(m_db, m_sat, true);
    // The panel and the diagram show the outcome before a message box covers them, so no
    // earlier answer stands behind the message.
    applySaturationPanel(outcome.panel);
    if (outcome.solution)
        if (auto entry = calc::saturationEntry(*outcome.solution)) m_results->append(std::move(*entry));
    if (outcome.result) {
        m_currentSaturation = outcome.answered ? outcome.solution : std::nullopt;
        m_saturationExplanation = outcome.answered ? outcome.explanation : std::string();
        showCurrentNotes();
        m_registers.setCurrentSatPoint(*outcome.result);
        redraw();
    }
    showMessages(outcome.messages);
}

void fCal::cmdClean_Click() {
    readPanelTexts();
    applySaturationPanel(panels::cmdClean_Click(m_sat));
    m_currentSaturation.reset();
    m_saturationExplanation.clear();
    showCurrentNotes();
    m_registers.setCurrentSatPoint({});
    redraw();
}

void fCal::CHK_Click(int) {
    readPanelTexts();
    panels::StatePanel panel = m_state;
    panels::CHK_Click(panel);
    applyStatePanel(panel);
}

void fCal::SCAL2_Click() {
    readPanelTexts();
    const panels::StateOutcome outcome = panels::SCAL2_Click(m_db, m_state, true);
    applyStatePanel(outcome.panel);
    if (outcome.solution)
        if (auto entry = calc::stateEntry(*outcome.solution)) m_results->append(std::move(*entry));
    m_currentState = outcome.answered ? outcome.solution : std::nullopt;
    m_stateExplanation = outcome.answered ? outcome.explanation : std::string();
    showCurrentNotes();
    m_registers.setCurrentStatePoint(outcome.result);
    redraw();
    showMessages(outcome.messages);
}

void fCal::cmdClean2_Click() {
    readPanelTexts();
    applyStatePanel(panels::cmdClean2_Click(m_state));
    m_currentState.reset();
    m_stateExplanation.clear();
    showCurrentNotes();
    m_registers.setCurrentStatePoint({});
    redraw();
}

void fCal::setCheck(QCheckBox* box, bool ticked) {
    if (box->isChecked() == ticked) return;
    box->setChecked(ticked);
    for (int k = 0; k < panels::kStateBoxes; ++k)
        if (box == CHK[k]) return CHK_Click(k);
    for (int j = 0; j < 9; ++j)
        if (box == CHKpic[j]) return CHKpic_Click(j);
    for (int r = 0; r < calc::kRegisterCount; ++r)
        if (box == CHKupM[r]) return CHKupM_Click(r);
}

void fCal::selectOption(int index) {
    OPT[index]->setChecked(true);
    OPT_Click(index);
}

// ---- diagram layers ----------------------------------------------------------------------

void fCal::CHKpic_Click(int index) {
    m_diagram.CHKpic[index] = CHKpic[index]->isChecked();
    redraw();
}

void fCal::showChart(diagram::Chart chart) {
    // A drag under way belongs to the chart it began on.
    m_mouse.reset();
    m_diagram.setChart(chart);
    showChartControls();
    redraw();
}

// A switch without a family on this chart keeps the h-s chart's caption, greyed and unticked;
// the family keeps its tick for the charts that have it.
void fCal::showChartControls() {
    const diagram::ChartDescription& d = m_diagram.description();
    const diagram::ChartDescription& hs = diagram::chartDescription(diagram::Chart::HS);
    for (int j = 0; j < diagram::kFamilySwitches; ++j) {
        const diagram::FamilyStyle& family = diagram::familyStyle(d.switches[j].value_or(*hs.switches[j]));
        CHKpic[j]->setText(QString::fromUtf8(family.caption));
        setTextColour(CHKpic[j], toQColor(family.captionColour));
        CHKpic[j]->setEnabled(d.switches[j].has_value());
    }
    CHKpic[diagram::kPickEntropy]->setEnabled(d.entropyAcross());
    for (int j = 0; j < 9; ++j) CHKpic[j]->setChecked(m_diagram.CHKpic[j]);
    Labelx->setText(QString::fromUtf8(d.x.title));
    Labely->setText(QString::fromUtf8(d.y.title));
    menuView[static_cast<int>(d.chart)]->setChecked(true);
}

// ---- mouse on the diagram ------------------------------------------------------------------

QPointF fCal::toUser(QPointF pixel) const { return m_surface->toUser(pixel); }

QPointF fCal::toPixel(double x, double y) const { return m_surface->toPixel(x, y); }

void fCal::Pic_MouseMove(int Button, int /*Shift*/, float X, float Y) {
    const diagram::MouseReaction reaction = m_mouse.Pic_MouseMove(Button, X, Y);
    // Only the pick modes touch the panels; they start from what the boxes show.
    if (reaction.entropyPick || reaction.statePick) readPanelTexts();
    if (const auto& pick = reaction.entropyPick) {
        panels::SaturationPanel sat = m_sat;
        panels::pickEntropy(sat, pick->option, pick->text);
        applySaturationPanel(sat);
    }
    if (const auto& pick = reaction.statePick) {
        panels::StatePanel state = m_state;
        panels::pickState(state, pick->across, pick->acrossText, pick->up, pick->upText);
        applyStatePanel(state);
    }
    applyMouseReaction(reaction);
}

void fCal::Pic_MouseUp(int Button, int /*Shift*/, float X, float Y) {
    applyMouseReaction(m_mouse.buttonReleased(Button, X, Y));
}

void fCal::applyMouseReaction(const diagram::MouseReaction& reaction) {
    if (!reaction.readoutX.empty()) setBoxText(TXTmouseX, QString::fromStdString(reaction.readoutX));
    if (!reaction.readoutY.empty()) setBoxText(TXTmouseY, QString::fromStdString(reaction.readoutY));
    if (reaction.pointer)
        Pic->setCursor(*reaction.pointer == diagram::Pointer::Arrow ? Qt::ArrowCursor : Qt::CrossCursor);
    showMessages(reaction.messages);
}

void fCal::Pic_Click() {
    const diagram::ClickReaction reaction = m_mouse.Pic_Click();
    if (reaction.calculateSaturation) SCAL_Click();
    if (reaction.untickPickEntropy) setCheck(CHKpic[diagram::kPickEntropy], false);
    if (reaction.calculateState) SCAL2_Click();
    if (reaction.untickPickEntropyEnthalpy) setCheck(CHKpic[diagram::kPickEntropyEnthalpy], false);
}

void fCal::Pic_DblClick() { m_mouse.Pic_DblClick(); }

}  // namespace steam::ui
