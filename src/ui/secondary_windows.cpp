#include "secondary_windows.h"

#include "artwork.h"
#include "f_login.h"
#include "shapes.h"
#include "twips.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace steam::ui {

// Given at configuration (src/ui/CMakeLists.txt); none unless given.
#ifndef STEAM_CONTACT_PHONE
#define STEAM_CONTACT_PHONE ""
#endif
#ifndef STEAM_CONTACT_EMAIL
#define STEAM_CONTACT_EMAIL ""
#endif

QString departmentLine() { return QStringLiteral("工程热力学教学组"); }

QString contactLine(const QString& phone, const QString& email) {
    QStringList ways;
    for (const QString& way : {phone.trimmed(), email.trimmed()})
        if (!way.isEmpty()) ways << way;
    if (ways.isEmpty()) return QStringLiteral("如有疑问，请联系任课教师。");
    return QStringLiteral("如有疑问，请联系：") + ways.join(QStringLiteral(" 或 "));
}

QString contactLine() {
    return contactLine(QString::fromUtf8(STEAM_CONTACT_PHONE), QString::fromUtf8(STEAM_CONTACT_EMAIL));
}

QString usageText() {
    const QString stars(72, u'*');
    const QStringList lines{
        QStringLiteral("1.菜单"),
        QStringLiteral("1.1 文件，可将目前图片保存；"),
        QStringLiteral("1.2 查看，可将图像区切换为s—h图、t—s图、p—v图或p—t图，“结果列表”列出本次运行的计算结果；"),
        QStringLiteral("1.3 帮助，功能介绍等。"),
        stars,
        QStringLiteral("2.计算主要分两部分：饱和区及非饱和区。"),
        QStringLiteral(
            "2.1 饱和区：除了饱和蒸汽的焓之外，其他7个参数变化均为单调，因此知道其中任一物理量即可计算其他所有物理量；"
            "选择单选框，输入参数，点击按钮计算即可；"),
        QStringLiteral(
            "2.2 "
            "非饱和区：对于非饱和态，知道两个参数即可确定其余参数；勾选温度、压力、比容、比焓、比熵、干度中任意两个，"
            "输入参数，点击按钮计算即可，压缩水、湿蒸汽、过热蒸汽或超临界区由程序判断。"),
        stars,
        QStringLiteral("3.数据暂存区"),
        QStringLiteral(
            "  当前显示数据可以读入暂存区，“M1”，如果要读出，选择“MR”，如果要在图中显示，请在后面的多选框点击，"
            "对应的点的颜色与多选框外围颜色相同；"),
        stars,
        QStringLiteral("4.图像区"),
        QStringLiteral("4.1 饱和线，系列等值线，临界点、文字说明选择框分别选中后有对应图像或区域说明；"),
        QStringLiteral("4.2 当然计算结果或从存储区调出的数据点会出现在图像上；"),
        QStringLiteral("4.3 当前鼠标点的坐标值（s—h图为s、h值，其他图为各自的两个坐标）在图下方的x，y坐标显示；"),
        QStringLiteral("4.4 鼠标左键拖动，可以放大图像，双击返回原始值；"),
        QStringLiteral("4.5 鼠标右键可将曲线移动；"),
        QStringLiteral(
            "4.6 对于饱和态，在s—h图和t—s图上可实现“图选s”进行计算的功能；对于非饱和态，可实现“图选sh”进行计算的功能，"
            "即取图中鼠标点的两个坐标值（s—h图为s、h，t—s图为s、t，p—v图为v、p，p—t图为t、p）计算。"),
        QString(),
        QString(72, u'+'),
    };
    return lines.join(u'\n');
}

void showOrRaise(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    return makeLabel(parent, QString::fromLatin1(name), text, geometry);
}

QLabel* brandLabel(QWidget* parent, const QRect& geometry, double points) {
    QLabel* l = label(parent, "Label15", QStringLiteral("Mirobant"), geometry);
    l->setFont(uiFont(QStringLiteral("Arial"), points, true, true));
    setTextColour(l, kHighlightText);
    return l;
}

QLabel* departmentLabel(QWidget* parent, const QRect& geometry, double points, bool bold, const QString& text) {
    QLabel* l = label(parent, "Label14", text, geometry);
    l->setFont(uiFont(QStringLiteral("BankGothic Lt BT"), points, bold));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    return makeButton(parent, QString::fromLatin1(name), caption, geometry);
}

}  // namespace

Readme::Readme(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Form1"));
    setFont(defaultWindowFont());
    setFixedSize(twipSize(8775, 7335));
    setFilledBackground(this, QColor(192, 192, 192));

    auto* line = new RuleLine(kCaptionText, this);
    placeRule(line, 120, 6960, 7200);

    Label2 = label(this, "Label2",
                   QStringLiteral("=================================功能介绍==============================="),
                   twipRect(360, 360, 7815, 495));
    Label2->setFont(uiFont(QStringLiteral("宋体"), 10.5));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shrinkToFit(Label2, 8);

    // The 21 lines with their wrapped paragraphs need more room than their box gives in the
    // installed face: the box takes the free margins down to the contact line, which moves
    // down by the width of the gap above the button.
    Label1 = label(this, "Label1", usageText(), twipRect(600, 900, 7695, 4920));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shrinkToFit(Label1, 7.5);

    Label3 = label(this, "Label3", contactLine(), twipRect(1560, 5880, 5415, 495));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CMDsure = button(this, "CMDsure", QStringLiteral("确定"), twipRect(6960, 6600, 1215, 375));
    connect(CMDsure, &QPushButton::clicked, this, &Readme::CMDsure_Click);

    Label15 = brandLabel(this, twipRect(5400, 6900, 1815, 375), 14.25);
    Label14 = departmentLabel(this, twipRect(120, 7000, 5055, 255), 10.5, true, departmentLine());
    setTextColour(Label14, kHighlightText);

    centreOnScreen(this);
}

void Readme::CMDsure_Click() { hide(); }

attachment::attachment(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Form1"));
    setFont(defaultWindowFont());
    setFixedSize(twipSize(8550, 4785));
    setFilledBackground(this, QColor(192, 192, 192));

    Label1 = label(this, "Label1", QStringLiteral("关于本软件"), twipRect(3240, 120, 2175, 495));
    Label1->setFont(uiFont(QStringLiteral("宋体"), 13.5));
    Label1->setAlignment(Qt::AlignCenter);

    const QString reference =
        QStringLiteral("本软件计算数据参考：\n") + QStringLiteral("W. Wagner and A. Pruß\n") +
        QStringLiteral("\"The IAPWS Formulation 1995 for the Thermodynamic Properties of Ordinary\n") +
        QStringLiteral("Water Substance for General and Scientific Use,\"\n") +
        QStringLiteral("J. Phys. Chem. Ref. Data, 31(2): 387-535, 2002.");
    // Wider than its twips so that the title of the paper keeps its line breaks.
    Label2 = label(this, "Label2", reference, twipRect(600, 1080, 7200, 1455));
    Label2->setFont(uiFont(QStringLiteral("宋体"), 10.5));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setWordWrap(true);
    shrinkToFit(Label2, 7.5);

    Label3 = label(this, "Label3", QStringLiteral("本软件为测试版，仅供工程热力学课程教学使用。"),
                   twipRect(1800, 3000, 5055, 495));
    Label3->setFont(uiFont(QStringLiteral("宋体"), 10.5));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    CMDsure = button(this, "CMDsure", QStringLiteral("确定"), twipRect(6960, 4080, 1215, 375));
    connect(CMDsure, &QPushButton::clicked, this, &attachment::CMDsure_Click);

    Label15 = brandLabel(this, twipRect(5280, 4200, 1815, 375), 14.25);
    Label14 = departmentLabel(this, twipRect(0, 4305, 5055, 255), 10.5, true, departmentLine());
    setTextColour(Label14, kHighlightText);
}

void attachment::CMDsure_Click() { hide(); }

fGoodby::fGoodby(const ProgramContext& context, QWidget* parent) : QWidget(parent, Qt::Window), m_context(context) {
    setWindowTitle(QStringLiteral("信息反馈"));
    setFont(defaultWindowFont());
    setFixedSize(twipSize(6555, 2175));
    const QColor background(224, 224, 224);
    setFilledBackground(this, background);

    Image1 = label(this, "Image1", QString(), twipRect(240, 120, 1500, 1545));
    Image1->setPixmap(QPixmap::fromImage(farewellPicture()));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A named telephone number or address goes on a line of its own.
    Label1 =
        label(this, "Label1",
              QStringLiteral("感谢您的使用！\n") + contactLine().replace(QStringLiteral("："), QStringLiteral("：\n")),
              twipRect(1920, 360, 4575, 1215));
    Label1->setFont(uiFont(QStringLiteral("STSong"), 15.75));
    Label1->setAlignment(Qt::AlignCenter);
    shrinkToFit(Label1, 9);

    Label2 =
        departmentLabel(this, twipRect(240, 1800, 4215, 255), 9, false, departmentLine() + QStringLiteral("  2026"));

    auto* line = new RuleLine(palette().color(QPalette::WindowText), this);
    placeRule(line, 0, 6600, 1982);

    CMDcancel = button(this, "CMDcancel", QStringLiteral("退出"), twipRect(4680, 1680, 1455, 375));
    connect(CMDcancel, &QPushButton::clicked, this, &fGoodby::CMDcancel_Click);

    centreOnScreen(this);
}

void fGoodby::CMDcancel_Click() {
    hide();
    endProgram();
}

void fGoodby::closeEvent(QCloseEvent* event) {
    // The close control ends the program as the button does, so that no hidden window
    // keeps it running.
    event->accept();
    endProgram();
}

void fGoodby::endProgram() {
    if (m_ended) return;
    m_ended = true;
    if (m_context.endProgram) m_context.endProgram(0);
}

}  // namespace steam::ui
