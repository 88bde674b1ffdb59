#include "f_cal.h"

#include "artwork.h"
#include "calc/saturation_calculator.h"
#include "calc/state_calculator.h"
#include "diagram_view.h"
#include "f_login.h"
#include "message_service.h"
#include "numeric/number_text.h"
#include "render/qimage_surface.h"
#include "save_dialog_service.h"
#include "secondary_windows.h"
#include "shapes.h"
#include "twips.h"
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

#include <cmath>

namespace steam::ui {

namespace {

const QColor kWindowGrey(192, 192, 192);
const QColor kShapeGrey(180, 180, 180);
const QColor kReadoutBlue(232, 233, 255);
const QColor kMarginGrey(210, 215, 210);
const QColor kHighlightText(255, 255, 255);  // highlight-text colour of the classic scheme
const QColor kCaptionText(255, 255, 255);    // caption-text colour of the classic scheme
const QColor kWindowText(0, 0, 0);

QColor toQColor(calc::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

void setRole(QWidget* w, QPalette::ColorRole role, QColor colour) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    palette.setColor(QPalette::Disabled, role, colour);
    w->setPalette(palette);
}

// Buttons and check boxes fill with the Button role, other widgets with Window; both are
// set so that either kind shows the colour.
void setFilledBackground(QWidget* w, QColor colour) {
    setRole(w, QPalette::Window, colour);
    setRole(w, QPalette::Button, colour);
    w->setAutoFillBackground(true);
}

// Caption colour of a label, check box or option button (their indicators keep theirs).
void setTextColour(QWidget* w, QColor colour) {
    QPalette palette = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    w->setPalette(palette);
}

void setBoxBackground(QLineEdit* box, bool white) {
    setRole(box, QPalette::Base, white ? toQColor(colour::kEditableBackground) : toQColor(colour::kLockedBackground));
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(defaultWindowFont());
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

QLineEdit* makeReadout(QWidget* parent, const QString& name, const QString& text, const QRect& geometry, QColor background) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    setRole(box, QPalette::Base, background);
    return box;
}

constexpr std::array<int, 8> kSatRowTop{360, 720, 1080, 1440, 1800, 2160, 2520, 2880};
constexpr std::array<int, 6> kStateRowTop{360, 720, 1080, 1440, 1800, 2160};
constexpr std::array<int, 5> kRegisterRowTop{240, 600, 960, 1320, 1680};

}  // namespace

fCal::fCal(const ProgramContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_surface(std::make_unique<render::QImageSurface>()) {
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
    connectHandlers();
    // Fixed layout: the client area plus the menu bar, no resizing.
    setFixedSize(twipSize(12975, 8295) + QSize(0, menuBar()->sizeHint().height()));
}

fCal::~fCal() = default;

void fCal::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipSize(12975, 8295));
    setFilledBackground(client, kWindowGrey);
    setRole(client, QPalette::Button, kWindowGrey);
    setCentralWidget(client);

    // Built back to front: later widgets lie above earlier ones.
    auto* shape4 = new RoundedPanel(kShapeGrey, QColor(255, 255, 255), client);
    shape4->setObjectName(QStringLiteral("Shape4"));
    shape4->setGeometry(twipRect(120, 7440, 7335, 375));

    auto* line1 = new RuleLine(kCaptionText, client);
    line1->setObjectName(QStringLiteral("Line1"));
    placeRule(line1, 120, 11160, 8160);

    Label14 = makeLabel(client, QStringLiteral("Label14"), departmentLine(), twipRect(120, 7935, 5055, 255));
    Label14->setFont(uiFont(QStringLiteral("BankGothic Lt BT"), 10.5, true));
    setTextColour(Label14, kHighlightText);

    Label15 = makeLabel(client, QStringLiteral("Label15"), QStringLiteral("Mirobant"), twipRect(9120, 7740, 2295, 375));
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

    static const std::array<const char*, 9> captions{"等温线", "等压线", "等比容线", "等干度线", "饱和线",
                                                     "临界点", "文字说明", "图选s",  "图选sh"};
    static const std::array<QRect, 9> places{
        twipRect(240, 7500, 975, 255),  twipRect(1200, 7500, 975, 255), twipRect(2160, 7500, 1095, 255),
        twipRect(3240, 7500, 1070, 255), twipRect(4320, 7500, 975, 255), twipRect(5280, 7500, 975, 255),
        twipRect(6240, 7500, 1095, 255), twipRect(7920, 3540, 810, 275), twipRect(7920, 6900, 930, 275)};
    static const std::array<QColor, 9> textColours{QColor(128, 0, 0), QColor(0, 0, 128), QColor(0, 64, 64),
                                                   kWindowText,       kWindowText,       QColor(128, 64, 0),
                                                   kWindowText,       kWindowText,       kWindowText};
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
    Frame4->setGeometry(twipRect(11400, 7560, 1455, 615));
    auto* shape2 = new RoundedPanel(kShapeGrey, QColor(255, 255, 255), Frame4);
    shape2->setObjectName(QStringLiteral("Shape2"));
    shape2->setGeometry(QRect(QPoint(0, 0), Frame4->size()));

    CMDcancel = makeButton(client, QStringLiteral("CMDcancel"), QStringLiteral("退出"), twipRect(11520, 7680, 1215, 375));
}

void fCal::buildSaturationPanel(QWidget* client) {
    Frame1 = new QGroupBox(QStringLiteral("饱和水和饱和蒸汽"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipRect(7560, 120, 4455, 3975));
    Frame1->setFont(uiFont(QStringLiteral("宋体"), 9, true));

    static const std::array<const char*, 8> captions{"温度 ts",   "压力 ps ",    "水比容 v'", "蒸汽比容 v''",
                                                     "水比焓 h'", "蒸汽比焓 h''", "水比熵 s'", "蒸汽比熵 s''"};
    static const std::array<const char*, 8> units{"oC",    "MPa",   "m^3/kg",    "m^3/kg",
                                                  "kJ/kg", "kJ/kg", "kJ/(kg.K)", "kJ/(kg.K)"};
    static const std::array<const char*, 8> texts{"10.001", "0", "0", "0", "0", "0", "0", "0"};

    auto* options = new QButtonGroup(Frame1);
    options->setExclusive(true);
    for (int i = 0; i < 8; ++i) {
        const int top = kSatRowTop[i];
        auto* frame5 = i == 0 ? new QFrame(Frame1) : nullptr;
        if (frame5) {
            frame5->setObjectName(QStringLiteral("Frame5(0)"));
            frame5->setFrameShape(QFrame::Box);
            frame5->setFrameShadow(QFrame::Sunken);
            frame5->setGeometry(twipRect(240, 3285, 1095, 430));
        }
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), Frame1);
        option->setObjectName(QStringLiteral("OPT(%1)").arg(i));
        // The option reaches under its value box; only the part left of the box is its own.
        option->setGeometry(twipRect(240, top, 1440, 255));
        option->setFont(defaultWindowFont());
        options->addButton(option, i);
        OPT[i] = option;

        TXT[i] = makeValueBox(Frame1, i, QString::fromUtf8(texts[i]), twipRect(1680, top, 1095, 270));

        auto* unit = makeLabel(Frame1, QStringLiteral("Label%1").arg(i + 1), QString::fromUtf8(units[i]),
                               twipRect(2880, top, i == 0 ? 615 : 855, 255));
        unit->setFont(defaultWindowFont());
    }
    SCAL = makeButton(Frame1, QStringLiteral("SCAL"), QStringLiteral("计算"), twipRect(1680, 3360, 855, 375));
    cmdClean = makeButton(Frame1, QStringLiteral("cmdClean"), QStringLiteral("重设"), twipRect(2760, 3360, 855, 375));
}

void fCal::buildStatePanel(QWidget* client) {
    Frame2 = new QGroupBox(QStringLiteral("水，湿蒸汽及过热蒸气"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipRect(7560, 4200, 4455, 3255));
    Frame2->setFont(uiFont(QStringLiteral("宋体"), 9, true));

    static const std::array<const char*, 6> captions{"温度 t ", "压力 p", "比容 v", "比焓 h", "比熵 s", "干度 x"};
    static const std::array<const char*, 5> units{"oC", "MPa", "m^3/kg", "kJ/kg", "kJ/(kg.K)"};
    static const std::array<const char*, 6> texts{"200", "3.5", "0", "0", "0", "0"};

    auto* frame5 = new QFrame(Frame2);
    frame5->setObjectName(QStringLiteral("Frame5(1)"));
    frame5->setFrameShape(QFrame::Box);
    frame5->setFrameShadow(QFrame::Sunken);
    frame5->setGeometry(twipRect(240, 2565, 1095, 430));

    for (int k = 0; k < 6; ++k) {
        const int top = kStateRowTop[k];
        auto* box = new QCheckBox(QString::fromUtf8(captions[k]), Frame2);
        box->setObjectName(QStringLiteral("CHK(%1)").arg(k));
        box->setGeometry(twipRect(240, top, 1440, 255));
        box->setFont(defaultWindowFont());
        CHK[k] = box;

        TXT[k + 8] = makeValueBox(Frame2, k + 8, QString::fromUtf8(texts[k]), twipRect(1680, top, 1095, 270));
        if (k < 5) {
            auto* unit = makeLabel(Frame2, QStringLiteral("Label%1").arg(k + 9), QString::fromUtf8(units[k]),
                                   twipRect(2880, top, 975, 255));
            unit->setFont(defaultWindowFont());
        }
    }
    SCAL2 = makeButton(Frame2, QStringLiteral("SCAL2"), QStringLiteral("计算"), twipRect(1680, 2640, 855, 375));
    cmdClean2 = makeButton(Frame2, QStringLiteral("cmdClean2"), QStringLiteral("重设"), twipRect(2760, 2640, 855, 375));
}

void fCal::buildRegisterPanels(QWidget* client) {
    FrameUp = new QWidget(client);
    FrameUp->setObjectName(QStringLiteral("FrameUp"));
    FrameUp->setGeometry(twipRect(11400, 720, 1455, 2775));
    FrameDown = new QWidget(client);
    FrameDown->setObjectName(QStringLiteral("FrameDown"));
    FrameDown->setGeometry(twipRect(11400, 4680, 1455, 2415));
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
        CMDupM[r] = makeButton(panel, QStringLiteral("CMDupM(%1)").arg(r), QStringLiteral("M%1").arg(r + 1),
                               twipRect(240, top, 375, 255));
        CMDupM[r]->setFont(registerFont);
        CMDupMR[r] = makeButton(panel, QStringLiteral("CMDupMR(%1)").arg(r), QStringLiteral("MR"),
                                twipRect(600, top, 375, 255));
        CMDupMR[r]->setFont(registerFont);
        auto* show = new QCheckBox(panel);
        show->setObjectName(QStringLiteral("CHKupM(%1)").arg(r));
        show->setGeometry(twipRect(1080, top, 255, r == 1 ? 300 : 255));
        setFilledBackground(show, toQColor(calc::RegisterStore::kEmptyRegisterBackground));
        CHKupM[r] = show;
    }
    CMDupClear = makeButton(FrameUp, QStringLiteral("CMDupClear"), QStringLiteral("清空"), twipRect(360, 2160, 735, 375));
    CMDdownClear =
        makeButton(FrameDown, QStringLiteral("CMDdownClear"), QStringLiteral("清空"), twipRect(360, 1800, 735, 375));
}

void fCal::buildDiagramArea(QWidget* client) {
    Pic = new DiagramView(client);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setGeometry(twipRect(120, 200, 7335, 6975));
    Pic->setPictureSource([this] { return m_surface->composed(); });
    m_surface->onChanged = [this] { Pic->update(); };

    Labely = makeLabel(Pic, QStringLiteral("Labely"), QStringLiteral("h (kJ/kg)"), twipRect(120, 120, 975, 255));
    Labelx = makeLabel(Pic, QStringLiteral("Labelx"), QStringLiteral("s (kJ/kg.K)"), twipRect(3360, 6690, 1095, 255));
    for (QLabel* axis : {Labely, Labelx}) {
        axis->setFont(uiFont(QStringLiteral("Arial"), 8.25, true));
        axis->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    // The read-out strip under the diagram. Its captions are drawn as labels: a text box
    // nine pixels wide has no room left for text inside its own margins.
    Text3 = makeReadout(client, QStringLiteral("Text3"), QString(), twipRect(120, 7160, 3615, 300), kReadoutBlue);
    // The boxes are narrowed a little against their twips so that "Mouse X" and "Y:" do not
    // cover each other in the installed face.
    Text1 = makeLabel(client, QStringLiteral("Text1"), QStringLiteral("X:"), twipRect(240, 7205, 240, 230));
    TXTmouseX = makeReadout(client, QStringLiteral("TXTmouseX"), QStringLiteral("Mouse X"),
                            twipRect(480, 7205, 690, 230), kReadoutBlue);
    TXTmouseX->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    Text2 = makeLabel(client, QStringLiteral("Text2"), QStringLiteral("Y:"), twipRect(1170, 7205, 150, 230));
    TXTmouseY = makeReadout(client, QStringLiteral("TXTmouseY"), QStringLiteral("Mouse Y"),
                            twipRect(1320, 7205, 840, 230), kReadoutBlue);
    TXTmouseY->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    for (QLineEdit* readout : {TXTmouseX, TXTmouseY}) {
        readout->setFrame(false);
        setRole(readout, QPalette::Text, palette().color(QPalette::ButtonText));
    }
    for (QLabel* caption : {Text1, Text2}) caption->setFont(uiFont(QStringLiteral("宋体"), 8.25));
    for (QLabel* caption : {Text1, Text2}) setFilledBackground(caption, kReadoutBlue);

    TXTinfo = makeReadout(client, QStringLiteral("TXTinfo"),
                          QStringLiteral(" 临界点:tcr=373.95 C,pcr=22.064 MPa,vcr=0.0031056 m^3/kg"),
                          twipRect(2160, 7160, 5295, 300), palette().color(QPalette::Base));
    TXTinfo->setCursorPosition(0);
}

void fCal::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    menuSavePicture = file->addAction(QStringLiteral("保存图片"));
    menuExit = file->addAction(QStringLiteral("退出"));
    menuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* view = menuBar()->addMenu(QStringLiteral("查看"));
    static const std::array<const char*, 5> viewItems{"s—h图", "t—s图", "p—v图", "p—t图", "结果列表"};
    static const std::array<Qt::Key, 5> viewKeys{Qt::Key_H, Qt::Key_S, Qt::Key_V, Qt::Key_T, Qt::Key_R};
    for (int i = 0; i < 5; ++i) {
        menuView[i] = view->addAction(QString::fromUtf8(viewItems[i]));
        menuView[i]->setShortcut(QKeySequence(Qt::CTRL | viewKeys[i]));
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助"));
    menuUsage = help->addAction(QStringLiteral("程序使用说明"));
    menuAbout = help->addAction(QStringLiteral("关于"));

    for (QAction* item : {menuSavePicture, menuExit, menuView[0], menuView[1], menuView[2], menuView[3],
                          menuView[4], menuUsage, menuAbout})
        item->setObjectName(item->text());
}

void fCal::connectHandlers() {
    // User clicks arrive through `clicked`, which program-side changes do not emit; those
    // call the handler themselves (setCheck, selectOption).
    for (int i = 0; i < 8; ++i) connect(OPT[i], &QRadioButton::clicked, this, [this, i] { OPT_Click(i); });
    connect(SCAL, &QPushButton::clicked, this, &fCal::SCAL_Click);
    connect(cmdClean, &QPushButton::clicked, this, &fCal::cmdClean_Click);
    for (int k = 0; k < 6; ++k) connect(CHK[k], &QCheckBox::clicked, this, [this, k] { CHK_Click(k); });
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
    connect(Pic, &DiagramView::clicked, this, &fCal::Pic_Click);
    connect(Pic, &DiagramView::doubleClicked, this, &fCal::Pic_DblClick);

    connect(menuSavePicture, &QAction::triggered, this, &fCal::savePicture);
    connect(menuExit, &QAction::triggered, this, &fCal::exitFromMenu);
    connect(menuUsage, &QAction::triggered, this, &fCal::showUsage);
    connect(menuAbout, &QAction::triggered, this, &fCal::showAbout);
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

    // 2. Colours of the diagram box, its axis captions and the information line.
    m_surface->setBackground(calc::Rgb{240, 243, 240});
    for (QWidget* w : {static_cast<QWidget*>(Labelx), static_cast<QWidget*>(Labely)})
        setFilledBackground(w, kMarginGrey);
    setRole(TXTinfo, QPalette::Base, kMarginGrey);

    // 3. All fourteen value boxes locked and grey.
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

    // 8. Default and current window, drag counters, readiness.
    diagram::DiagramScale& scale = m_diagram.scale;
    scale.DefaultXmin = 0;
    scale.DefaultXmax = 9.99;
    scale.DefaultYmin = 0;
    scale.DefaultYmax = 5000;
    m_drag = DragCounters{};
    m_diagram.DiagramReady = 1;
    scale.ViewXmin = scale.DefaultXmin;
    scale.ViewXmax = scale.DefaultXmax;
    scale.ViewYmin = scale.DefaultYmin;
    scale.ViewYmax = scale.DefaultYmax;

    // 9. Curve colours: the diagram's own defaults.

    // 10. First drawing, before the curves are there.
    scale.DefineScale(scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    m_diagram.drawWindow(*m_surface, m_registers, scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin,
                         scale.DefaultYmax);

    // 11. The curve points.
    if (!m_diagram.curves.ReadCurveData(m_db, error)) return loadFailed(QString::fromStdString(error));

    return true;
}

// ---- panels ----------------------------------------------------------------------------

void fCal::readPanelTexts() {
    for (int i = 0; i < 8; ++i) m_sat.text[i] = TXT[i]->text().toStdString();
    for (int k = 0; k < 6; ++k) {
        m_state.text[k] = TXT[k + 8]->text().toStdString();
        m_state.ticked[k] = CHK[k]->isChecked();
    }
}

void fCal::applySaturationPanel(const calc::SaturationPanel& panel) {
    m_sat = panel;
    for (int i = 0; i < 8; ++i) {
        const QString text = QString::fromStdString(panel.text[i]);
        if (TXT[i]->text() != text) TXT[i]->setText(text);
        TXT[i]->setEnabled(panel.enabled[i]);
        setBoxBackground(TXT[i], panel.white[i]);
        setTextColour(OPT[i], i == panel.selected ? QColor(255, 255, 255) : QColor(0, 0, 0));
    }
    auto* group = OPT[0]->group();
    if (panel.selected >= 0 && panel.selected < 8) {
        OPT[panel.selected]->setChecked(true);
    } else {
        group->setExclusive(false);
        for (QRadioButton* option : OPT) option->setChecked(false);
        group->setExclusive(true);
    }
}

void fCal::applyStatePanel(const calc::StatePanel& panel) {
    m_state = panel;
    for (int k = 0; k < 6; ++k) {
        QLineEdit* box = TXT[k + 8];
        const QString text = QString::fromStdString(panel.text[k]);
        if (box->text() != text) box->setText(text);
        box->setEnabled(panel.enabled[k]);
        setBoxBackground(box, panel.white[k]);
        CHK[k]->setChecked(panel.ticked[k]);
        CHK[k]->setEnabled(panel.chkEnabled[k]);
    }
}

void fCal::showMessages(const data::Messages& messages) {
    for (const data::Message& message : messages) m_context.messages->showCore(this, message);
}

void fCal::redraw() { m_diagram.redraw(*m_surface, m_registers); }

void fCal::OPT_Click(int index) {
    readPanelTexts();
    calc::SaturationPanel panel = m_sat;
    calc::OPT_Click(panel, index);
    applySaturationPanel(panel);
}

void fCal::SCAL_Click() {
    readPanelTexts();
    const calc::SaturationOutcome outcome = calc::SCAL_Click(m_db, m_sat);
    showMessages(outcome.messages);
    applySaturationPanel(outcome.panel);
    if (outcome.result) {
        m_registers.setCurrentSatPoint(*outcome.result);
        redraw();
    }
}

void fCal::cmdClean_Click() {
    readPanelTexts();
    applySaturationPanel(calc::cmdClean_Click(m_sat));
    m_registers.setCurrentSatPoint({});
    redraw();
}

void fCal::CHK_Click(int) {
    readPanelTexts();
    calc::StatePanel panel = m_state;
    calc::CHK_Click(panel);
    applyStatePanel(panel);
}

void fCal::SCAL2_Click() {
    readPanelTexts();
    const calc::StateOutcome outcome = calc::SCAL2_Click(m_db, m_state);
    showMessages(outcome.messages);
    applyStatePanel(outcome.panel);
    m_registers.setCurrentStatePoint(outcome.result);
    redraw();
}

void fCal::cmdClean2_Click() {
    readPanelTexts();
    applyStatePanel(calc::cmdClean2_Click(m_state));
    m_registers.setCurrentStatePoint({});
    redraw();
}

void fCal::setCheck(QCheckBox* box, bool ticked) {
    if (box->isChecked() == ticked) return;
    box->setChecked(ticked);
    for (int k = 0; k < 6; ++k)
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

// ---- registers ---------------------------------------------------------------------------

void fCal::CMDupM_Click(int r) {
    std::vector<std::string> texts;
    if (r >= 5) {
        for (int k = 8; k < 14; ++k) texts.push_back(TXT[k]->text().toStdString());
    } else {
        for (int k = 0; k < 8; ++k) texts.push_back(TXT[k]->text().toStdString());
    }
    m_registers.store(r, texts);
    CMDupMR[r]->setEnabled(true);
    CHKupM[r]->setEnabled(true);
    setFilledBackground(CHKupM[r], toQColor(calc::RegisterStore::registerColour(r)));
    if (CHKupM[r]->isChecked()) redraw();
}

void fCal::CMDupMR_Click(int r) {
    const std::vector<std::string> texts = m_registers.recall(r);
    const int first = r >= 5 ? 8 : 0;
    for (size_t k = 0; k < texts.size(); ++k) {
        QLineEdit* box = TXT[first + static_cast<int>(k)];
        box->setEnabled(true);
        box->setText(QString::fromStdString(texts[k]));
        if (r >= 5)
            m_state.enabled[k] = true;
        else
            m_sat.enabled[k] = true;
    }
}

void fCal::CHKupM_Click(int r) {
    m_registers.setShown(r, CHKupM[r]->isChecked());
    redraw();
}

void fCal::CMDupClear_Click() {
    m_registers.clearSaturationRegisters();
    for (int r = 0; r < 5; ++r) {
        setFilledBackground(CHKupM[r], toQColor(calc::RegisterStore::kEmptyRegisterBackground));
        CHKupM[r]->setEnabled(false);
        setCheck(CHKupM[r], false);
        CMDupMR[r]->setEnabled(false);
    }
    redraw();
}

void fCal::CMDdownClear_Click() {
    m_registers.clearStateRegisters();
    for (int r = 5; r < calc::kRegisterCount; ++r) {
        setFilledBackground(CHKupM[r], toQColor(calc::RegisterStore::kEmptyRegisterBackground));
        CHKupM[r]->setEnabled(false);
        setCheck(CHKupM[r], false);
        CMDupMR[r]->setEnabled(false);
    }
    redraw();
}

// ---- mouse on the diagram ------------------------------------------------------------------

QPointF fCal::toUser(QPointF pixel) const { return m_surface->toUser(pixel); }

QPointF fCal::toPixel(double s, double h) const { return m_surface->toPixel(s, h); }

void fCal::Pic_MouseMove(int Button, int /*Shift*/, float X, float Y) {
    if (m_diagram.DiagramReady != 1) return;
    TXTmouseX->setText(QString::fromStdString(numeric::fixedText(X, 3)));
    TXTmouseY->setText(QString::fromStdString(numeric::fixedText(Y, 3)));
    diagram::DiagramScale& scale = m_diagram.scale;

    if (CHKpic[7]->isChecked() || CHKpic[8]->isChecked()) {
        if (CHKpic[7]->isChecked()) {
            if (scale.ViewXmin <= X && X <= scale.ViewXmax) {
                m_surface->setRetained(false);
                m_surface->clear();
                m_surface->line(X, scale.ViewYmin, X, scale.ViewYmax, calc::Rgb{250, 60, 160});
            }
            // The vapour branch starts at the critical entropy itself.
            const int option = X < static_cast<float>(diagram::kCriticalEntropy) ? 6 : 7;
            selectOption(option);
            TXT[option]->setText(TXTmouseX->text());
        }
        if (CHKpic[8]->isChecked()) {
            m_surface->setRetained(false);
            m_surface->clear();
            const calc::Rgb pickBlue{0, 180, 255};
            if (scale.ViewXmin <= X && X <= scale.ViewXmax) m_surface->line(X, scale.ViewYmin, X, scale.ViewYmax, pickBlue);
            if (scale.ViewYmin <= Y && Y <= scale.ViewYmax) m_surface->line(scale.ViewXmin, Y, scale.ViewXmax, Y, pickBlue);
            for (int k : {0, 1, 2, 5}) setCheck(CHK[k], false);
            setCheck(CHK[4], true);
            TXT[12]->setText(TXTmouseX->text());
            setCheck(CHK[3], true);
            TXT[11]->setText(TXTmouseY->text());
        }
        return;
    }

    if (Button == 1) {
        ++m_drag.ZoomDragCount;
        if (m_drag.ZoomDragCount == 1) {
            scale.DragStartX = X;
            scale.DragStartY = Y;
        }
        m_surface->setRetained(false);
        m_surface->clear();
        m_surface->rectangle(scale.DragStartX, scale.DragStartY, X, Y, calc::Rgb{128, 128, 128});
    } else if (Button == 2) {
        Pic->setCursor(Qt::ArrowCursor);
        ++m_drag.PanDragCount;
        if (m_drag.PanDragCount == 1) {
            scale.DragStartX = X;
            scale.DragStartY = Y;
        }
        scale.ViewXmin = scale.DragStartX + (scale.ViewXmin - X);
        scale.ViewXmax = scale.DragStartX + (scale.ViewXmax - X);
        scale.ViewYmin = scale.DragStartY + (scale.ViewYmin - Y);
        scale.ViewYmax = scale.DragStartY + (scale.ViewYmax - Y);
        redraw();
    } else if (Button == 0) {
        if (m_drag.ZoomDragCount != 0) {
            scale.DragEndX = X;
            scale.DragEndY = Y;
            m_drag.ZoomDragCount = 0;
            if (std::abs(scale.DragEndX - scale.DragStartX) > 0.00001 * (scale.DefaultXmax - scale.DefaultXmin) &&
                std::abs(scale.DragEndY - scale.DragStartY) > 0.00001 * (scale.DefaultYmax - scale.DefaultYmin)) {
                m_diagram.ZoomWindow(*m_surface, m_registers);
            } else {
                m_context.messages->show(this, QStringLiteral("提醒"),
                                         QStringLiteral("所选区域已放至最大，图中双击鼠标左键恢复原始比例。"),
                                         MessageIcon::Warning, MessageButtons::Ok);
            }
        }
        if (m_drag.PanDragCount != 0) m_drag.PanDragCount = 0;
        Pic->setCursor(Qt::CrossCursor);
    }
}

void fCal::Pic_Click() {
    if (CHKpic[7]->isChecked()) {
        SCAL_Click();
        setCheck(CHKpic[7], false);
    }
    if (CHKpic[8]->isChecked()) setCheck(CHKpic[8], false);
}

void fCal::Pic_DblClick() { m_diagram.restoreDefault(*m_surface, m_registers); }

// ---- menus and exit --------------------------------------------------------------------------

void fCal::savePicture() {
    const std::optional<QString> path = m_context.saveDialog->askSavePath(
        this, QStringLiteral("水的h-s图"), QStringLiteral("pictures(*.bmp;*.jpg)"));
    if (!path) return;
    QString error;
    if (!m_surface->saveBmp(*path, &error))
        m_context.messages->show(this, QStringLiteral("提醒"),
                                 QStringLiteral("图片未能保存到 %1：%2").arg(*path, error), MessageIcon::Warning,
                                 MessageButtons::Ok);
}

void fCal::showUsage() {
    if (!m_readme) m_readme = std::make_unique<Readme>();
    showOrRaise(m_readme.get());
}

void fCal::showAbout() {
    if (!m_about) m_about = std::make_unique<attachment>();
    showOrRaise(m_about.get());
}

bool fCal::confirmExit() {
    return m_context.messages->show(this, QStringLiteral("提醒"), QStringLiteral("退出程序？"), MessageIcon::Question,
                                    MessageButtons::YesNo) == MessageAnswer::Yes;
}

void fCal::showFarewell() {
    if (!m_goodbye) m_goodbye = std::make_unique<fGoodby>(m_context);
    showOrRaise(m_goodbye.get());
}

void fCal::CMDcancel_Click() {
    if (!confirmExit()) return;
    showFarewell();
    hide();
}

void fCal::exitFromMenu() {
    if (!confirmExit()) return;
    showFarewell();
}

void fCal::closeEvent(QCloseEvent* event) {
    // The close control takes the exit button's path: confirmation, farewell window.
    event->ignore();
    CMDcancel_Click();
}

}  // namespace steam::ui
