// The main window grows: at its first size every control stands where it always stood; larger,
// the chart takes the extra room in both directions, its picture drawn at the box's pixels
// with text and lines scaled (within bounds), the panels keep their size in the column at the
// right, and the strip below the chart follows its bottom edge. The mouse maps onto the larger
// chart. "全屏图表" (F11) shows the chart alone with its switches and read-out until F11 or
// Esc brings the window back.
#include "calc/register_store.h"
#include "numeric/number_text.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/chart_box_size.h"
#include "ui/diagram_view.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <map>

using namespace steam;
using namespace steam::uitest;

namespace {

// Every widget of the client area, by object name, with its place in the client area.
std::map<QString, QRect> places(const ui::fCal& window) {
    std::map<QString, QRect> out;
    for (QWidget* w : window.centralWidget()->findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            out[w->objectName()] = QRect(w->mapTo(window.centralWidget(), QPoint(0, 0)), w->size());
    return out;
}

// Gives the window a size as the window system would; true once the client area has it.
bool resizeTo(ui::fCal& window, QSize size) {
    window.resize(size);
    const QSize client = size - QSize(0, window.menuBar()->isVisible() ? window.menuBar()->height() : 0);
    return QTest::qWaitFor([&] { return window.centralWidget()->size() == client; }, 1000);
}

double readout(const QLineEdit* box) { return numeric::readNumber(box->text().toStdString()); }

}  // namespace

class WindowSizeTest : public QObject {
    Q_OBJECT
private slots:
    void atItsFirstSizeEveryControlStandsWhereItAlwaysStood() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const std::map<QString, QRect> first = places(*window);
        // Places as laid out in twips (15 to a pixel), a few of each kind.
        const std::pair<const char*, QRect> expected[] = {
            {"Pic", QRect(8, 13, 489, 577)},         {"Frame1", QRect(504, 8, 297, 333)},
            {"Frame2", QRect(504, 348, 297, 261)},   {"FrameUp", QRect(760, 48, 97, 185)},
            {"FrameDown", QRect(760, 380, 97, 161)}, {"CHKpic(0)", QRect(16, 612, 65, 17)},
            {"TXTinfo", QRect(144, 589, 353, 20)},   {"CMDcancel", QRect(768, 624, 81, 25)},
            {"Labelx", QRect(232, 571, 73, 17)},     {"Labely", QRect(16, 21, 65, 17)},
            {"TXT(14)", QRect(616, 516, 73, 18)},    {"TXT(16)", QRect(616, 248, 73, 18)},
        };
        for (const auto& [name, rect] : expected) QCOMPARE(first.at(QString::fromLatin1(name)), rect);
        QCOMPARE(window->surface().scale(), 1.0);

        // Back from a larger size, every control is where it was.
        QVERIFY(resizeTo(*window, window->firstSize() + QSize(300, 200)));
        QVERIFY(resizeTo(*window, window->firstSize()));
        const std::map<QString, QRect> again = places(*window);
        for (const auto& [name, rect] : first) QVERIFY2(again.at(name) == rect, qPrintable(name));
        QCOMPARE(window->surface().image().size(), QSize(489, 577));
        QCOMPARE(window->Labelx->font().pointSizeF(), 8.25);
    }

    void aLargerWindowGivesTheChartTheRoomAndKeepsThePanels() {
        struct Case {
            QSize extra;   // beyond the first size
            double scale;  // of the chart's text and lines
        };
        const Case cases[] = {
            {{200, 0}, 1.241},     // wider only: by the height, 577/465
            {{0, 150}, 1.0},       // taller only: as wide as before
            {{400, 300}, 1.818},   // both: by the smaller ratio, 889/489
            {{1055, 355}, 2.004},  // maximised on 1920 x 1080: 932/465
            {{5000, 3000}, 3.0},   // a wall: capped
        };
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const std::map<QString, QRect> first = places(*window);
        for (const Case& c : cases) {
            const QString context = QStringLiteral("%1 x %2 more").arg(c.extra.width()).arg(c.extra.height());
            QVERIFY(resizeTo(*window, window->firstSize() + c.extra));
            const std::map<QString, QRect> now = places(*window);
            const int dx = c.extra.width(), dy = c.extra.height();
            QVERIFY2(now.at("Pic") == first.at("Pic").adjusted(0, 0, dx, dy), qPrintable(context));
            for (const char* panel :
                 {"Frame1", "Frame2", "FrameUp", "FrameDown", "CHKpic(7)", "CHKpic(8)", "SCAL", "TXT(8)"})
                QVERIFY2(now.at(panel) == first.at(panel).translated(dx, 0), qPrintable(context + " " + panel));
            for (const char* below : {"CHKpic(0)", "CHKpic(6)", "Text3", "TXTmouseX", "TXTmouseY", "Label14"})
                QVERIFY2(now.at(below) == first.at(below).translated(0, dy), qPrintable(context + " " + below));
            QVERIFY2(now.at("TXTinfo").right() == now.at("Pic").right(), qPrintable(context));
            QVERIFY2(now.at("CMDcancel") == first.at("CMDcancel").translated(dx, dy), qPrintable(context));
            // The column stays clear of the chart; the picture fills the box.
            QVERIFY(now.at("Pic").right() < now.at("Frame1").left());
            QCOMPARE(window->surface().image().size(), window->Pic->size());
            QVERIFY2(std::abs(window->surface().scale() - c.scale) < 0.002,
                     qPrintable(context + QStringLiteral(": scale %1").arg(window->surface().scale())));
            QVERIFY(std::abs(window->Labelx->font().pointSizeF() - 8.25 * window->surface().scale()) < 0.01);
            QVERIFY(window->Pic->rect().contains(window->Labelx->geometry()));
        }
    }

    void theMouseMapsOntoTheLargerChart() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QVERIFY(resizeTo(*window, window->firstSize() + QSize(700, 400)));
        QCOMPARE(window->surface().image().size(), window->Pic->size());

        // The read-out names what lies under the mouse.
        moveOverPic(*window, pixelOf(*window, 4.4, 2500));
        QVERIFY(std::abs(readout(window->TXTmouseX) - 4.4) < 0.01);
        QVERIFY(std::abs(readout(window->TXTmouseY) - 2500) < 5);

        // A drag zooms to the rectangle under it; a double-click restores.
        const QPointF a = pixelOf(*window, 2, 3000), b = pixelOf(*window, 6, 1000);
        pressOnPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, b, Qt::LeftButton);
        releaseOnPic(*window, b, Qt::LeftButton);
        const diagram::DiagramScale& scale = window->diagram().scale;
        QVERIFY2(std::abs(scale.ViewXmin - 2) < 0.01 && std::abs(scale.ViewXmax - 6) < 0.01,
                 qPrintable(QString::number(scale.ViewXmax)));
        QVERIFY(std::abs(scale.ViewYmin - 1000) < 5 && std::abs(scale.ViewYmax - 3000) < 5);
        doubleClickPic(*window, a);
        QCOMPARE(scale.ViewXmax, 9.99);

        // A right drag pans by what the mouse went over, and the double-click restores again.
        const QPointF from = pixelOf(*window, 3, 2000), to = pixelOf(*window, 4, 2000);
        pressOnPic(*window, from, Qt::RightButton);
        moveOverPic(*window, from, Qt::RightButton);
        moveOverPic(*window, to, Qt::RightButton);
        releaseOnPic(*window, to, Qt::RightButton);
        moveOverPic(*window, to);
        QVERIFY2(std::abs(scale.ViewXmin + 1) < 0.01, qPrintable(QString::number(scale.ViewXmin)));
        doubleClickPic(*window, a);
        QCOMPARE(scale.ViewXmin, 0.0);

        // "图选s" takes s under the mouse into the saturation panel.
        click(window->CHKpic[7]);
        moveOverPic(*window, pixelOf(*window, 7.5, 2500));
        QVERIFY(window->OPT[7]->isChecked());
        QVERIFY(std::abs(readout(window->TXT[7]) - 7.5) < 0.01);
        click(window->CHKpic[7]);

        // The pick takes the values under the mouse, and the state computed is marked there.
        click(window->CHKpic[8]);
        const QPointF p = pixelOf(*window, 6.5, 2900);
        moveOverPic(*window, p);
        QVERIFY(std::abs(readout(window->TXT[12]) - 6.5) < 0.01);
        QVERIFY(std::abs(readout(window->TXT[11]) - 2900) < 5);
        pressOnPic(*window, p, Qt::LeftButton);
        releaseOnPic(*window, p, Qt::LeftButton);
        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        const auto state = window->registers().CurrentStatePoint();
        QVERIFY(colourNear(window->surface().image(), pixelOf(*window, state[4], state[3]), 2, QColor(0, 180, 255)));
    }

    void theChartAloneFillsTheScreenUntilF11OrEsc() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const std::map<QString, QRect> first = places(*window);
        for (const int leaveWith : {Qt::Key_F11, Qt::Key_Escape}) {
            QTest::keyClick(window.get(), Qt::Key_F11);
            QVERIFY(window->chartOnly());
            QCOMPARE(program.presentations.back(), ui::WindowPresentation::FullScreen);
            QVERIFY(!window->menuBar()->isVisible());
            for (QWidget* hidden :
                 std::initializer_list<QWidget*>{window->Frame1, window->Frame2, window->FrameUp, window->FrameDown,
                                                 window->CMDcancel, window->CHKpic[8]})
                QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
            for (QWidget* shown : std::initializer_list<QWidget*>{window->Pic, window->CHKpic[0], window->CHKpic[6],
                                                                  window->TXTmouseX, window->TXTmouseY})
                QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));

            // As the window system would give it the screen.
            QVERIFY(resizeTo(*window, QSize(1920, 1080)));
            const QRect chart = window->Pic->geometry();
            QCOMPARE(chart.left(), 8);
            QCOMPARE(chart.right(), 1920 - 8 - 1);
            const QRect strip = window->CHKpic[0]->geometry();
            QVERIFY(strip.top() > chart.bottom() - 2 && strip.bottom() < 1080 - 8);
            QCOMPARE(window->surface().image().size(), chart.size());

            // The keys still switch charts.
            QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
            QCOMPARE(window->diagram().chart(), diagram::Chart::PT);
            QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);

            QTest::keyClick(window.get(), static_cast<Qt::Key>(leaveWith));
            QVERIFY(!window->chartOnly());
            QCOMPARE(program.presentations.back(), ui::WindowPresentation::Normal);
            QVERIFY(resizeTo(*window, window->firstSize()));
            QVERIFY(window->menuBar()->isVisible());
            const std::map<QString, QRect> back = places(*window);
            for (const auto& [name, rect] : first) QVERIFY2(back.at(name) == rect, qPrintable(name));
            for (QWidget* w : window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        }
        // Esc alone changes nothing in the usual window.
        const size_t asked = program.presentations.size();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->chartOnly());
        QCOMPARE(program.presentations.size(), asked);
    }
};

REGISTER_UI_TEST(WindowSizeTest);

#include "window_size_test.moc"
