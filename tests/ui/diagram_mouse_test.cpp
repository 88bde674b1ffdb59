// The diagram's mouse wiring with real events (the rules themselves are tested on the core's
// controller): moves reach the read-out in diagram coordinates, a drag zooms when released
// even outside the box, the reminder shows with the rubber band gone, a right drag pans with
// the arrow pointer, a double-click restores, and the pick modes move the panels' widgets.
#include "numeric/number_text.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/diagram_view.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>

using namespace steam;
using namespace steam::uitest;

namespace {

QString threeDecimals(double value) { return QString::fromStdString(numeric::fixedText(value, 3)); }

// Diagram coordinates of a pixel as the handlers receive them: single precision.
QPointF userAt(const ui::fCal& window, QPointF pixel) {
    const QPointF u = window.toUser(pixel);
    return QPointF(static_cast<float>(u.x()), static_cast<float>(u.y()));
}

void dragLeft(ui::fCal& window, QPointF from, QPointF to) {
    pressOnPic(window, from, Qt::LeftButton);
    moveOverPic(window, from, Qt::LeftButton);
    moveOverPic(window, (from + to) / 2, Qt::LeftButton);
    moveOverPic(window, to, Qt::LeftButton);
    releaseOnPic(window, to, Qt::LeftButton);
}

}  // namespace

class DiagramMouseTest : public QObject {
    Q_OBJECT
private slots:
    void moveShowsTheEntropyAndEnthalpyWithThreeDecimals() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF pixel = pixelOf(*window, 4.4, 2500);
        moveOverPic(*window, pixel);
        const QPointF user = userAt(*window, pixel);
        QCOMPARE(window->TXTmouseX->text(), threeDecimals(user.x()));
        QCOMPARE(window->TXTmouseY->text(), threeDecimals(user.y()));
        QVERIFY(std::abs(user.x() - 4.4) < 0.03);
        // The margin left of the window reports negative entropy.
        moveOverPic(*window, QPointF(2.5, pixel.y()));
        QVERIFY(window->TXTmouseX->text().startsWith(u'-'));
        QCOMPARE(window->Pic->cursor().shape(), Qt::CrossCursor);
    }

    void leftDragZoomsToTheRectangleWhenReleased() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF a = pixelOf(*window, 2.0, 3000);
        const QPointF b = pixelOf(*window, 6.0, 1000);
        const QPointF ua = userAt(*window, a), ub = userAt(*window, b);

        pressOnPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, b, Qt::LeftButton);
        // While dragging only the overlay shows the rectangle; the window is unchanged.
        QVERIFY(colourNear(window->surface().overlay(), QPointF((a.x() + b.x()) / 2, a.y()), 1, QColor(128, 128, 128)));
        QCOMPARE(window->diagram().scale.ViewXmax, 9.99);

        releaseOnPic(*window, b, Qt::LeftButton);
        const diagram::DiagramScale& scale = window->diagram().scale;
        QCOMPARE(window->mouse().ZoomDragCount, 0);
        QCOMPARE(scale.ViewXmin, std::min(ua.x(), ub.x()));
        QCOMPARE(scale.ViewXmax, std::max(ua.x(), ub.x()));
        QCOMPARE(scale.ViewYmin, std::min(ua.y(), ub.y()));
        QCOMPARE(scale.ViewYmax, std::max(ua.y(), ub.y()));
        // Rescaled for the new spans, and the rubber band is gone.
        QCOMPARE(scale.Xspan, scale.ViewXmax - scale.ViewXmin);
        QVERIFY(!colourNear(window->surface().overlay(), a, 2, QColor(128, 128, 128)));
        QVERIFY(program.messages.shown.empty());
    }

    void aDragReleasedOutsideTheDiagramEndsAtItsEdge() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF a = pixelOf(*window, 2.0, 3000);
        const QPointF outside(window->Pic->width() + 40.0, a.y() + 60);
        // Where the release lands: the box's right edge at the release height.
        const QPointF edge = userAt(*window, QPointF(window->Pic->width(), outside.y()));
        const QPointF start = userAt(*window, a);
        pressOnPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, outside, Qt::LeftButton);
        releaseOnPic(*window, outside, Qt::LeftButton);

        const diagram::DiagramScale& scale = window->diagram().scale;
        QCOMPARE(window->mouse().ZoomDragCount, 0);
        QCOMPARE(scale.ViewXmin, start.x());
        QCOMPARE(scale.ViewXmax, edge.x());
        QCOMPARE(scale.ViewYmin, edge.y());
        QCOMPARE(scale.ViewYmax, start.y());
        // Coming back in without a button zooms nothing more.
        moveOverPic(*window, pixelOf(*window, 3, 2800));
        QCOMPARE(scale.ViewXmax, edge.x());
        QVERIFY(program.messages.shown.empty());
    }

    void aClickWithoutMovingNeitherZoomsNorWarns() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF p = pixelOf(*window, 5, 2000);
        pressOnPic(*window, p, Qt::LeftButton);
        releaseOnPic(*window, p, Qt::LeftButton);
        moveOverPic(*window, p);
        QVERIFY(program.messages.shown.empty());
        QCOMPARE(window->diagram().scale.ViewXmax, 9.99);
    }

    void aRectangleWithoutAreaIsRefusedWithTheReminder() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF p = pixelOf(*window, 5, 2000);
        dragLeft(*window, p, p);
        moveOverPic(*window, p);
        QCOMPARE(program.messages.shown.size(), size_t(1));
        QCOMPARE(program.messages.shown[0].title, QStringLiteral("提醒"));
        QCOMPARE(program.messages.shown[0].text, QStringLiteral("所选区域已放至最大，图中双击鼠标左键恢复原始比例。"));
        QCOMPARE(program.messages.shown[0].icon, ui::MessageIcon::Warning);
        // The rubber band went before the reminder.
        QVERIFY(window->surface().overlay().isNull() ||
                !colourNear(window->surface().overlay(), p, 3, QColor(128, 128, 128)));
        const diagram::DiagramScale& scale = window->diagram().scale;
        QCOMPARE(scale.ViewXmin, 0.0);
        QCOMPARE(scale.ViewXmax, 9.99);
        QCOMPARE(scale.ViewYmax, 5000.0);
    }

    void rightDragPansRedrawingOnEveryMoveAndKeepsTheSpans() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF start = pixelOf(*window, 3, 2000);
        const QPointF end = pixelOf(*window, 4, 2000);
        const double grabbed = userAt(*window, start).x();
        const double released = userAt(*window, end).x();
        const double xspan = window->diagram().scale.Xspan;

        pressOnPic(*window, start, Qt::RightButton);
        quint64 drawings = window->surface().changeCount();
        moveOverPic(*window, start, Qt::RightButton);
        QVERIFY(window->surface().changeCount() > drawings);
        QCOMPARE(window->Pic->cursor().shape(), Qt::ArrowCursor);
        drawings = window->surface().changeCount();
        moveOverPic(*window, end, Qt::RightButton);
        QVERIFY(window->surface().changeCount() > drawings);
        QCOMPARE(window->mouse().PanDragCount, 2);

        const diagram::DiagramScale& scale = window->diagram().scale;
        // Dragged one unit of s to the right: the window moved that much towards smaller s.
        QVERIFY(std::abs(scale.ViewXmin - (grabbed - released)) < 1e-5);
        QVERIFY(std::abs((scale.ViewXmax - scale.ViewXmin) - 9.99) < 1e-9);
        QVERIFY(std::abs((scale.ViewYmax - scale.ViewYmin) - 5000.0) < 1e-6);
        QCOMPARE(scale.Xspan, xspan);
        // The grabbed point is under the mouse again.
        QVERIFY(std::abs(userAt(*window, end).x() - grabbed) < 1e-4);

        releaseOnPic(*window, end, Qt::RightButton);
        moveOverPic(*window, end);
        QCOMPARE(window->mouse().PanDragCount, 0);
        QCOMPARE(window->Pic->cursor().shape(), Qt::CrossCursor);
        QVERIFY(program.messages.shown.empty());
    }

    void doubleClickRestoresTheDefaultWindowAfterZoomAndPan() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        dragLeft(*window, pixelOf(*window, 2, 3000), pixelOf(*window, 5, 1500));
        moveOverPic(*window, pixelOf(*window, 5, 1500));
        const QPointF p = pixelOf(*window, 3, 2000);
        pressOnPic(*window, p, Qt::RightButton);
        moveOverPic(*window, p, Qt::RightButton);
        moveOverPic(*window, p + QPointF(40, 25), Qt::RightButton);
        releaseOnPic(*window, p + QPointF(40, 25), Qt::RightButton);
        moveOverPic(*window, p + QPointF(40, 25));
        QVERIFY(window->diagram().scale.ViewXmax < 9.0);

        doubleClickPic(*window, p);
        const diagram::DiagramScale& scale = window->diagram().scale;
        QCOMPARE(scale.ViewXmin, 0.0);
        QCOMPARE(scale.ViewXmax, 9.99);
        QCOMPARE(scale.ViewYmin, 0.0);
        QCOMPARE(scale.ViewYmax, 5000.0);
        QCOMPARE(scale.Xspan, 9.99);
        QVERIFY(program.messages.shown.empty());
    }

    void pickingEntropyChoosesTheBranchAndAClickComputesTheSaturationState() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHKpic[7]);
        QVERIFY(window->CHKpic[7]->isChecked());

        const QPointF liquid = pixelOf(*window, 1.5, 2500);
        moveOverPic(*window, liquid);
        QVERIFY(window->OPT[6]->isChecked());
        QCOMPARE(window->TXT[6]->text(), window->TXTmouseX->text());
        QVERIFY(window->TXT[6]->isEnabled());
        QVERIFY(columnHasColour(window->surface().overlay(), int(liquid.x()), QColor(250, 60, 160)));

        const QPointF vapour = pixelOf(*window, 7.5, 2500);
        moveOverPic(*window, vapour);
        QVERIFY(window->OPT[7]->isChecked());
        QVERIFY(!window->TXT[6]->isEnabled());
        QCOMPARE(window->TXT[7]->text(), window->TXTmouseX->text());
        QVERIFY(!columnHasColour(window->surface().overlay(), int(liquid.x()), QColor(250, 60, 160)));
        // Buttons are not evaluated while picking: a left drag zooms nothing.
        moveOverPic(*window, vapour, Qt::LeftButton);
        QCOMPARE(window->mouse().ZoomDragCount, 0);

        const double picked = numeric::readNumber(window->TXTmouseX->text().toStdString());
        pressOnPic(*window, vapour, Qt::LeftButton);
        releaseOnPic(*window, vapour, Qt::LeftButton);

        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        QVERIFY(!window->CHKpic[7]->isChecked());
        const double s2 = numeric::readNumber(window->TXT[7]->text().toStdString());
        QVERIFY(std::abs(s2 - picked) < 0.00051);
        const double ts = numeric::readNumber(window->TXT[0]->text().toStdString());
        QVERIFY(ts > 0 && ts < 374);
        QCOMPARE(window->registers().CurrentSatPoint()[7], s2);
        // The redraw after the untick took the pick line away.
        QVERIFY(!columnHasColour(window->surface().overlay(), int(vapour.x()), QColor(250, 60, 160)));
    }

    // On the h-s chart the pair (s, h) goes to the calculator as it is, and the click runs it.
    void pickingEntropyAndEnthalpyFillsTheStatePanelAndAClickComputes() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->CHKpic[8]);

        const QPointF p = pixelOf(*window, 6.5, 2900);
        moveOverPic(*window, p);
        for (int k = 0; k < 6; ++k) QCOMPARE(window->CHK[k]->isChecked(), k == 3 || k == 4);
        for (int k : {0, 1, 2, 5}) {
            QVERIFY(!window->CHK[k]->isEnabled());
            QVERIFY(!window->TXT[k + 8]->isEnabled());
        }
        QVERIFY(window->TXT[11]->isEnabled());
        QVERIFY(window->TXT[12]->isEnabled());
        QCOMPARE(window->TXT[12]->text(), window->TXTmouseX->text());
        QCOMPARE(window->TXT[11]->text(), window->TXTmouseY->text());
        QVERIFY(columnHasColour(window->surface().overlay(), int(p.x()), QColor(0, 180, 255)));
        QCOMPARE(window->registers().CurrentStatePoint()[3], 0.0);

        const double s = numeric::readNumber(window->TXT[12]->text().toStdString());
        const double h = numeric::readNumber(window->TXT[11]->text().toStdString());
        pressOnPic(*window, p, Qt::LeftButton);
        releaseOnPic(*window, p, Qt::LeftButton);
        QVERIFY(!window->CHKpic[8]->isChecked());
        QVERIFY(window->CHK[3]->isChecked() && window->CHK[4]->isChecked());
        // The click computed the state at the picked s and h: steam there.
        const auto state = window->registers().CurrentStatePoint();
        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        QVERIFY2(std::abs(state[3] - h) <= 0.01 && std::abs(state[4] - s) <= 0.0001 && state[0] > 0,
                 qPrintable(QString("h %1 s %2 t %3").arg(state[3]).arg(state[4]).arg(state[0])));
    }

    // On the other charts the pick takes their own pair and the click computes the state:
    // superheated steam on the T-s chart, wet steam on the p-v chart, steam on the p-t chart.
    void pickingOnTheOtherChartsComputesTheStateUnderTheMouse() {
        struct Case {
            int item;             // menu item of the chart
            double x, y;          // values under the mouse
            int across, up;       // state panel rows of the two
            double h, tolerance;  // h of the state there, within what a pixel moves it
        };
        const Case cases[] = {
            {1, 6.5, 300, 4, 0, 2986, 25},  // s 6.5, t 300 C: p about 3.2 MPa
            {2, 0.1, 1, 2, 1, 1793, 60},    // v 0.1, p 1 MPa: x about 0.51
            {3, 300, 1, 0, 1, 3051.7, 5},   // t 300 C, p 1 MPa
        };
        for (const Case& c : cases) {
            TestProgram program;
            auto window = openMainWindow(program);
            QVERIFY(window);
            window->menuView[c.item]->trigger();
            click(window->CHKpic[8]);
            const diagram::ChartDescription& d = window->diagram().description();
            const QPointF p = pixelOf(*window, d.x.toChart(c.x), d.y.toChart(c.y));
            moveOverPic(*window, p);
            QCOMPARE(window->TXT[8 + c.across]->text(), window->TXTmouseX->text());
            QCOMPARE(window->TXT[8 + c.up]->text(), window->TXTmouseY->text());
            pressOnPic(*window, p, Qt::LeftButton);
            releaseOnPic(*window, p, Qt::LeftButton);
            QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
            QVERIFY(!window->CHKpic[8]->isChecked());
            const auto state = window->registers().CurrentStatePoint();
            QVERIFY2(std::abs(state[3] - c.h) < c.tolerance, qPrintable(QString::number(state[3])));
            QVERIFY(std::abs(state[c.across] - c.x) < 0.04 * c.x && std::abs(state[c.up] - c.y) < 0.04 * c.y);
        }
    }
};

REGISTER_UI_TEST(DiagramMouseTest);

#include "diagram_mouse_test.moc"
