// The main window's layout: every control at its place in twips, back to front, with its
// colours and fonts, and the menu bar; and how each control follows when the window grows
// (anchorControls). Behaviour is wired in f_cal.cpp.
#include "f_cal.h"

#include "anchored_layout.h"
#include "calc/register_store.h"
#include "diagram_view.h"
#include "render/qimage_surface.h"
#include "secondary_windows.h"
#include "shapes.h"
#include "twips.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace steam::ui {

namespace {

const QColor kWindowGrey(192, 192, 192);
const QColor kShapeGrey(180, 180, 180);
const QColor kReadoutBlue(232, 233, 255);

// Every button of the main window has the window's grey.
QPushButton* greyButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    QPushButton* button = makeButton(parent, name, caption, geometry);
    setRole(button, QPalette::Button, kWindowGrey);
    return button;
}

QLineEdit* makeValueBox(QWidget* parent, int index, const QString& text, const QRect& geometry) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QStringLiteral("TXT(%1)").arg(index));
    box->setGeometry(geometry);
    box->setFont(defaultWindowFont());
    box->setTextMargins(0, 0, 0, 0);
    // Design background; the load step greys every box.
    setRole(box, QPalette::Base, QColor(242, 242, 242));
    return box;
}

QLineEdit* makeReadout(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                       QColor background) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    setRole(box, QPalette::Base, background);
    return box;
}

// Rows of the panels, 360 twips apart: the saturation panel's eight and u', u''; the state
// panel's six and u.
constexpr int kRow = 360;
constexpr int rowTop(int row) { return kRow * (row + 1); }
constexpr std::array<int, 5> kRegisterRowTop{240, 600, 960, 1320, 1680};

// The internal energies' rows and the two note lines (the second saturation state, the phase)
// make the panels taller than the first layout had them: the saturation panel by two rows and
// a line, the state panel by a row and a line. The right column grows by both; the chart
// takes the same height, so nothing is left empty beside the column.
constexpr int kNoteLine = 300;
constexpr int kSaturationGrowth = 2 * kRow + kNoteLine;
constexpr int kStateGrowth = kRow + kNoteLine;
constexpr int kGrowth = kSaturationGrowth + kStateGrowth;

}  // namespace

void fCal::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->resize(twipSize(12975, 8295 + kGrowth));
    setFilledBackground(client, kWindowGrey);
    setRole(client, QPalette::Button, kWindowGrey);
    setCentralWidget(client);

    // Built back to front: later widgets lie above earlier ones.
    Shape4 = new RoundedPanel(kShapeGrey, QColor(255, 255, 255), client);
    Shape4->setObjectName(QStringLiteral("Shape4"));
    Shape4->setGeometry(twipRect(120, 7440 + kGrowth, 7335, 375));

    auto* line1 = new RuleLine(kCaptionText, client);
    line1->setObjectName(QStringLiteral("Line1"));
    placeRule(line1, 120, 11160, 8160 + kGrowth);
    Line1 = line1;

    Label14 = makeLabel(client, QStringLiteral("Label14"), departmentLine(), twipRect(120, 7935 + kGrowth, 5055, 255));
    Label14->setFont(uiFont(QStringLiteral("BankGothic Lt BT"), 10.5, true));
    setTextColour(Label14, kHighlightText);

    Label15 = makeLabel(client, QStringLiteral("Label15"), QStringLiteral("Mirobant"),
                        twipRect(9120, 7740 + kGrowth, 2295, 375));
    Label15->setFont(uiFont(QStringLiteral("MS Sans Serif"), 18, true, true));
    setTextColour(Label15, kHighlightText);

    buildStatePanel(client);
    buildSaturationPanel(client);
    buildDiagramArea(client);
    buildRegisterPanels(client);

    auto* frame3 = new QFrame(client);
    frame3->setObjectName(QStringLiteral("Frame3"));
    frame3->setFrameShape(QFrame::Box);
    frame3->setFrameShadow(QFrame::Sunken);
    frame3->setGeometry(twipRect(0, -240, 15255, 270));
    Frame3 = frame3;

    // The first four switches carry the families of the chart shown (showChartControls);
    // they start with the h-s chart's.
    static const std::array<const char*, 9> captions{"", "", "", "", "饱和线", "临界点", "文字说明", "图选s", "图选sh"};
    // The two pick switches stand in the sunken boxes beside the panels' buttons.
    constexpr int strip = 7500 + kGrowth;
    static const std::array<QRect, 9> places{twipRect(240, strip, 975, 255),
                                             twipRect(1200, strip, 975, 255),
                                             twipRect(2160, strip, 1095, 255),
                                             twipRect(3240, strip, 1070, 255),
                                             twipRect(4320, strip, 975, 255),
                                             twipRect(5280, strip, 975, 255),
                                             twipRect(6240, strip, 1095, 255),
                                             twipRect(7920, 3540 + 2 * kRow, 810, 275),
                                             twipRect(7920, 6900 + kSaturationGrowth + kRow, 930, 275)};
    static const std::array<QColor, 9> textColours{kWindowText,        kWindowText, kWindowText,
                                                   kWindowText,        kWindowText, kWindowText,
                                                   QColor(128, 64, 0), kWindowText, kWindowText};
    for (int j = 0; j < 9; ++j) {
        auto* box = new QCheckBox(QString::fromUtf8(captions[j]), client);
        box->setObjectName(QStringLiteral("CHKpic(%1)").arg(j));
        box->setGeometry(places[j]);
        box->setFont(defaultWindowFont());
        setFilledBackground(box, j < 7 ? kShapeGrey : kWindowGrey);
        setTextColour(box, textColours[j]);
        CHKpic[j] = box;
    }

    Frame4 = new QWidget(client);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setGeometry(twipRect(11400, 7560 + kGrowth, 1455, 615));
    auto* shape2 = new RoundedPanel(kShapeGrey, QColor(255, 255, 255), Frame4);
    shape2->setObjectName(QStringLiteral("Shape2"));
    shape2->setGeometry(QRect(QPoint(0, 0), Frame4->size()));

    CMDcancel = greyButton(client, QStringLiteral("CMDcancel"), QStringLiteral("退出"),
                           twipRect(11520, 7680 + kGrowth, 1215, 375));
    m_firstClientSize = client->size();
    // The chart-only view: the chart with the strip of switches below it, in the same 8-pixel
    // edges as in the window.
    constexpr int edge = 8;
    m_chartOnlyBaseSize = QSize(Pic->geometry().right() + 1 + edge, Shape4->geometry().bottom() + 1 + edge);
    anchorControls(client);
}

// The chart takes the extra room in both directions; the calculator and register panels keep
// their size in the column at the right; the layer switches, the read-out and the lines
// below the chart follow its bottom edge.
void fCal::anchorControls(QWidget* client) {
    using A = AnchoredLayout;
    m_layout = new AnchoredLayout(client, client->size());
    const std::pair<QWidget*, int> anchors[] = {
        {Shape4, A::FollowBottom | A::StretchWidth},
        {Line1, A::FollowBottom | A::StretchWidth},
        {Label14, A::FollowBottom},
        {Label15, A::FollowBottom | A::FollowRight},
        {Frame2, A::FollowRight},
        {Frame1, A::FollowRight},
        {Pic, A::StretchWidth | A::StretchHeight},
        {Text3, A::FollowBottom},
        {Text1, A::FollowBottom},
        {TXTmouseX, A::FollowBottom},
        {Text2, A::FollowBottom},
        {TXTmouseY, A::FollowBottom},
        {TXTinfo, A::FollowBottom | A::StretchWidth},
        {FrameUp, A::FollowRight},
        {FrameDown, A::FollowRight},
        {Frame3, A::StretchWidth},
        {Frame4, A::FollowRight | A::FollowBottom},
        {CMDcancel, A::FollowRight | A::FollowBottom},
    };
    for (const auto& [widget, anchor] : anchors) m_layout->addAnchored(widget, anchor);
    for (int j = 0; j < 9; ++j) m_layout->addAnchored(CHKpic[j], j < 7 ? A::FollowBottom : A::FollowRight);
}

void fCal::buildSaturationPanel(QWidget* client) {
    Frame1 = new QGroupBox(QStringLiteral("饱和水和饱和蒸汽"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipRect(7560, 120, 4455, 3975 + kSaturationGrowth));
    Frame1->setFont(uiFont(QStringLiteral("宋体"), 9, true));

    static const std::array<const char*, 10> captions{"温度 ts",     "压力 ps ",      "水比容 v'", "蒸汽比容 v''",
                                                      "水比焓 h'",   "蒸汽比焓 h''",  "水比熵 s'", "蒸汽比熵 s''",
                                                      "水比内能 u'", "蒸汽比内能 u''"};
    static const std::array<const char*, 10> units{"oC",    "MPa",       "m^3/kg",    "m^3/kg", "kJ/kg",
                                                   "kJ/kg", "kJ/(kg.K)", "kJ/(kg.K)", "kJ/kg",  "kJ/kg"};
    static const std::array<const char*, 10> texts{"10.001", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    // u' and u'' are answers only: their captions stand where an option's text would.
    constexpr int optionIndent = 285;

    auto* frame5 = new QFrame(Frame1);
    frame5->setObjectName(QStringLiteral("Frame5(0)"));
    frame5->setFrameShape(QFrame::Box);
    frame5->setFrameShadow(QFrame::Sunken);
    frame5->setGeometry(twipRect(240, 3285 + 2 * kRow, 1095, 430));

    auto* options = new QButtonGroup(Frame1);
    options->setExclusive(true);
    for (int i = 0; i < 10; ++i) {
        const int top = rowTop(i);
        if (i < 8) {
            auto* option = new QRadioButton(QString::fromUtf8(captions[i]), Frame1);
            option->setObjectName(QStringLiteral("OPT(%1)").arg(i));
            // The option reaches under its value box; only the part left of the box is its own.
            option->setGeometry(twipRect(240, top, 1440, 255));
            option->setFont(defaultWindowFont());
            options->addButton(option, i);
            OPT[i] = option;
        } else {
            auto* caption =
                makeLabel(Frame1, QStringLiteral("LabelEnergy(%1)").arg(i - 8), QString::fromUtf8(captions[i]),
                          twipRect(240 + optionIndent, top, 1440 - optionIndent, 255));
            caption->setFont(defaultWindowFont());
        }
        const int box = i < 8 ? i : i + 7;
        TXT[box] = makeValueBox(Frame1, box, QString::fromUtf8(texts[i]), twipRect(1680, top, 1095, 270));

        auto* unit = makeLabel(Frame1, QStringLiteral("Label%1").arg(i < 8 ? i + 1 : i + 12),
                               QString::fromUtf8(units[i]), twipRect(2880, top, i == 0 ? 615 : 855, 255));
        unit->setFont(defaultWindowFont());
    }
    constexpr int buttons = 3360 + 2 * kRow;
    SCAL = greyButton(Frame1, QStringLiteral("SCAL"), QStringLiteral("计算"), twipRect(1680, buttons, 855, 375));
    cmdClean =
        greyButton(Frame1, QStringLiteral("cmdClean"), QStringLiteral("重设"), twipRect(2760, buttons, 855, 375));
    LabelOtherState =
        makeLabel(Frame1, QStringLiteral("LabelOtherState"), QString(), twipRect(240, buttons + 420, 3975, 255));
    LabelOtherState->setFont(defaultWindowFont());
    setTextColour(LabelOtherState, QColor(0, 0, 160));
}

void fCal::buildStatePanel(QWidget* client) {
    Frame2 = new QGroupBox(QStringLiteral("水，湿蒸汽及过热蒸气"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipRect(7560, 4200 + kSaturationGrowth, 4455, 3255 + kStateGrowth));
    Frame2->setFont(uiFont(QStringLiteral("宋体"), 9, true));

    static const std::array<const char*, 7> captions{"温度 t ", "压力 p", "比容 v",  "比焓 h",
                                                     "比熵 s",  "干度 x", "比内能 u"};
    static const std::array<const char*, 7> units{"oC", "MPa", "m^3/kg", "kJ/kg", "kJ/(kg.K)", "", "kJ/kg"};
    static const std::array<const char*, 7> texts{"200", "3.5", "0", "0", "0", "0", "0"};

    auto* frame5 = new QFrame(Frame2);
    frame5->setObjectName(QStringLiteral("Frame5(1)"));
    frame5->setFrameShape(QFrame::Box);
    frame5->setFrameShadow(QFrame::Sunken);
    frame5->setGeometry(twipRect(240, 2565 + kRow, 1095, 430));

    for (int k = 0; k < 7; ++k) {
        const int top = rowTop(k);
        auto* box = new QCheckBox(QString::fromUtf8(captions[k]), Frame2);
        box->setObjectName(QStringLiteral("CHK(%1)").arg(k));
        box->setGeometry(twipRect(240, top, 1440, 255));
        box->setFont(defaultWindowFont());
        CHK[k] = box;

        const int index = k < 6 ? k + 8 : 14;
        TXT[index] = makeValueBox(Frame2, index, QString::fromUtf8(texts[k]), twipRect(1680, top, 1095, 270));
        if (*units[k]) {
            auto* unit = makeLabel(Frame2, QStringLiteral("Label%1").arg(k < 6 ? k + 9 : 22),
                                   QString::fromUtf8(units[k]), twipRect(2880, top, 975, 255));
            unit->setFont(defaultWindowFont());
        }
    }
    constexpr int buttons = 2640 + kRow;
    SCAL2 = greyButton(Frame2, QStringLiteral("SCAL2"), QStringLiteral("计算"), twipRect(1680, buttons, 855, 375));
    cmdClean2 =
        greyButton(Frame2, QStringLiteral("cmdClean2"), QStringLiteral("重设"), twipRect(2760, buttons, 855, 375));
    LabelPhase = makeLabel(Frame2, QStringLiteral("LabelPhase"), QString(), twipRect(240, buttons + 420, 3975, 255));
    LabelPhase->setFont(defaultWindowFont());
    setTextColour(LabelPhase, QColor(0, 0, 160));
}

void fCal::buildRegisterPanels(QWidget* client) {
    FrameUp = new QWidget(client);
    FrameUp->setObjectName(QStringLiteral("FrameUp"));
    FrameUp->setGeometry(twipRect(11400, 720, 1455, 2775));
    FrameDown = new QWidget(client);
    FrameDown->setObjectName(QStringLiteral("FrameDown"));
    FrameDown->setGeometry(twipRect(11400, 4680 + kSaturationGrowth, 1455, 2415));
    for (QWidget* panel : {FrameUp, FrameDown}) {
        panel->setFont(uiFont(QStringLiteral("宋体"), 9, true));
        auto* shape = new RoundedPanel(kShapeGrey, QColor(255, 255, 255), panel);
        shape->setObjectName(panel == FrameUp ? QStringLiteral("Shape1") : QStringLiteral("Shape3"));
        shape->setGeometry(QRect(QPoint(0, 0), panel->size()));
    }

    const QFont registerFont = uiFont(QStringLiteral("Arial"), 8.25, true);
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        QWidget* panel = r < 5 ? FrameUp : FrameDown;
        const int top = kRegisterRowTop[r < 5 ? r : r - 5];
        CMDupM[r] = greyButton(panel, QStringLiteral("CMDupM(%1)").arg(r), QStringLiteral("M%1").arg(r + 1),
                               twipRect(240, top, 375, 255));
        CMDupM[r]->setFont(registerFont);
        CMDupMR[r] =
            greyButton(panel, QStringLiteral("CMDupMR(%1)").arg(r), QStringLiteral("MR"), twipRect(600, top, 375, 255));
        CMDupMR[r]->setFont(registerFont);
        auto* show = new QCheckBox(panel);
        show->setObjectName(QStringLiteral("CHKupM(%1)").arg(r));
        show->setGeometry(twipRect(1080, top, 255, r == 1 ? 300 : 255));
        setFilledBackground(show, toQColor(colour::kEmptyRegisterBackground));
        CHKupM[r] = show;
    }
    CMDupClear =
        greyButton(FrameUp, QStringLiteral("CMDupClear"), QStringLiteral("清空"), twipRect(360, 2160, 735, 375));
    CMDdownClear =
        greyButton(FrameDown, QStringLiteral("CMDdownClear"), QStringLiteral("清空"), twipRect(360, 1800, 735, 375));
}

void fCal::buildDiagramArea(QWidget* client) {
    Pic = new DiagramView(client);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setGeometry(twipRect(120, 200, 7335, 6975 + kGrowth));
    Pic->setPictureSource([this] { return m_surface->composed(); });
    m_surface->onChanged = [this] { Pic->update(); };

    Labely = makeLabel(Pic, QStringLiteral("Labely"), QStringLiteral("h (kJ/kg)"), twipRect(120, 120, 975, 255));
    Labelx = makeLabel(Pic, QStringLiteral("Labelx"), QStringLiteral("s (kJ/kg.K)"),
                       twipRect(3360, 6690 + kGrowth, 1095, 255));
    for (QLabel* axis : {Labely, Labelx}) {
        axis->setFont(uiFont(QStringLiteral("Arial"), 8.25, true));
        axis->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    // The read-out strip under the diagram. Its captions are drawn as labels: a text box
    // nine pixels wide has no room left for text inside its own margins.
    Text3 =
        makeReadout(client, QStringLiteral("Text3"), QString(), twipRect(120, 7160 + kGrowth, 3615, 300), kReadoutBlue);
    // The boxes are narrowed a little against their twips so that "Mouse X" and "Y:" do not
    // cover each other in the installed face.
    Text1 = makeLabel(client, QStringLiteral("Text1"), QStringLiteral("X:"), twipRect(240, 7205 + kGrowth, 240, 230));
    TXTmouseX = makeReadout(client, QStringLiteral("TXTmouseX"), QStringLiteral("Mouse X"),
                            twipRect(480, 7205 + kGrowth, 690, 230), kReadoutBlue);
    TXTmouseX->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    Text2 = makeLabel(client, QStringLiteral("Text2"), QStringLiteral("Y:"), twipRect(1170, 7205 + kGrowth, 150, 230));
    TXTmouseY = makeReadout(client, QStringLiteral("TXTmouseY"), QStringLiteral("Mouse Y"),
                            twipRect(1320, 7205 + kGrowth, 840, 230), kReadoutBlue);
    TXTmouseY->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    for (QLineEdit* readout : {TXTmouseX, TXTmouseY}) {
        readout->setFrame(false);
        setRole(readout, QPalette::Text, palette().color(QPalette::ButtonText));
    }
    for (QLabel* caption : {Text1, Text2}) caption->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    for (QLabel* caption : {Text1, Text2}) setFilledBackground(caption, kReadoutBlue);

    TXTinfo = makeReadout(client, QStringLiteral("TXTinfo"),
                          QStringLiteral(" 临界点:tcr=373.95 C,pcr=22.064 MPa,vcr=0.0031056 m^3/kg"),
                          twipRect(2160, 7160 + kGrowth, 5295, 300), palette().color(QPalette::Base));
    TXTinfo->setCursorPosition(0);
}

void fCal::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    menuSavePicture = file->addAction(QStringLiteral("保存图片"));
    menuPrint = file->addAction(QStringLiteral("打印"));
    menuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    menuExit = file->addAction(QStringLiteral("退出"));
    menuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* view = menuBar()->addMenu(QStringLiteral("查看"));
    // Within a value box the shortcuts the box knows (Ctrl+V pastes) stay the box's: a line
    // edit claims them before the window's shortcuts are looked at.
    static const std::array<Qt::Key, 5> viewKeys{Qt::Key_H, Qt::Key_S, Qt::Key_V, Qt::Key_T, Qt::Key_R};
    auto* charts = new QActionGroup(this);
    charts->setExclusive(true);
    for (int i = 0; i < 5; ++i) {
        const bool chart = i < diagram::kChartCount;
        const QString caption = chart ? QString::fromUtf8(diagram::chartDescription(diagram::kCharts[i]).menuItem)
                                      : QStringLiteral("结果列表");
        menuView[i] = view->addAction(caption);
        menuView[i]->setShortcut(QKeySequence(Qt::CTRL | viewKeys[i]));
        if (chart) {
            menuView[i]->setCheckable(true);
            charts->addAction(menuView[i]);
        }
    }

    menuProperties = view->addAction(QStringLiteral("全部性质"));
    menuProperties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    menuCycle = view->addAction(QStringLiteral("循环分析"));
    menuCycle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menuExplanation = view->addAction(QStringLiteral("计算过程"));
    menuExplanation->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    menuTablePage = view->addAction(QStringLiteral("性质表"));
    menuTablePage->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));

    view->addSeparator();
    menuChartOnly = view->addAction(QStringLiteral("全屏图表"));
    menuChartOnly->setShortcut(QKeySequence(Qt::Key_F11));
    menuChartOnly->setCheckable(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助"));
    menuUsage = help->addAction(QStringLiteral("程序使用说明"));
    menuAbout = help->addAction(QStringLiteral("关于"));
    menuCheckData = help->addAction(QStringLiteral("校验数据"));

    for (QAction* item : {menuSavePicture, menuPrint, menuExit, menuView[0], menuView[1], menuView[2], menuView[3],
                          menuView[4], menuProperties, menuCycle, menuExplanation, menuTablePage, menuChartOnly,
                          menuUsage, menuAbout, menuCheckData})
        item->setObjectName(item->text());
}

}  // namespace steam::ui
