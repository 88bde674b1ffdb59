// The "查看" menu's chart items: each switches the diagram box to its chart, is the one
// checked, and brings the chart's switch captions (greyed where the chart has no family
// there), axis captions and picture name; a family's tick follows it; within a value box
// Ctrl+V pastes, elsewhere it shows the p-v chart.
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

class ChartMenuTest : public QObject {
    Q_OBJECT
private slots:
    void eachChartItemShowsItsChartWithItsOwnControls() {
        struct Case {
            diagram::Chart chart;
            QStringList captions;  // CHKpic(0) to CHKpic(3)
            QList<bool> enabled;   // CHKpic(0) to CHKpic(3) and 图选s
            QString across, up, picture;
        };
        const QStringList hsCaptions{"等温线", "等压线", "等比容线", "等干度线"};
        const Case cases[] = {
            {diagram::Chart::TS,
             {"等焓线", "等压线", "等比容线", "等干度线"},
             {true, true, true, true, true},
             "s (kJ/kg.K)",
             "t (°C)",
             "水的T-s图"},
            {diagram::Chart::PV,
             {"等温线", "等熵线", "等比容线", "等干度线"},
             {true, true, false, true, false},
             "v (m^3/kg)",
             "p (MPa)",
             "水的p-v图"},
            {diagram::Chart::PT, hsCaptions, {false, false, true, false, false}, "t (°C)", "p (MPa)", "水的p-t图"},
            {diagram::Chart::HS, hsCaptions, {true, true, true, true, true}, "s (kJ/kg.K)", "h (kJ/kg)", "水的h-s图"},
        };
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QVERIFY(window->menuView[0]->isChecked());
        for (const Case& c : cases) {
            const int item = static_cast<int>(c.chart);
            const QImage before = window->surface().image().copy();
            window->menuView[item]->trigger();
            QCOMPARE(window->diagram().chart(), c.chart);
            for (int i = 0; i < diagram::kChartCount; ++i) QCOMPARE(window->menuView[i]->isChecked(), i == item);
            for (int j = 0; j < 4; ++j) {
                QCOMPARE(window->CHKpic[j]->text(), c.captions[j]);
                QCOMPARE(window->CHKpic[j]->isEnabled(), c.enabled[j]);
            }
            QCOMPARE(window->CHKpic[7]->isEnabled(), c.enabled[4]);
            QCOMPARE(window->Labelx->text(), c.across);
            QCOMPARE(window->Labely->text(), c.up);
            QVERIFY(window->surface().image() != before);
            program.saveDialog.answer.reset();
            window->menuSavePicture->trigger();
            QCOMPARE(program.saveDialog.lastPreset, c.picture);
        }
        QVERIFY(program.messages.shown.empty());
    }

    void aTickedFamilyStaysTickedOnEveryChartThatShowsIt() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHKpic[2]);  // isochores on the h-s chart
        window->menuView[1]->trigger();
        QVERIFY(window->CHKpic[2]->isChecked());
        QVERIFY(!window->CHKpic[0]->isChecked());  // isenthalps
        QVERIFY(window->diagram().CHKpic[2]);
        window->menuView[2]->trigger();  // p-v: no isochores
        QVERIFY(!window->CHKpic[2]->isChecked() && !window->CHKpic[2]->isEnabled());
        window->menuView[3]->trigger();  // p-t: isochores again
        QVERIFY(window->CHKpic[2]->isChecked());
        click(window->CHKpic[2]);
        window->menuView[0]->trigger();
        QVERIFY(!window->CHKpic[2]->isChecked());
    }

    void aDragUnderWayWhenTheChartChangesZoomsNothing() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const QPointF a = pixelOf(*window, 2, 3000), b = pixelOf(*window, 6, 1000);
        pressOnPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, b, Qt::LeftButton);
        window->menuView[2]->trigger();
        releaseOnPic(*window, b, Qt::LeftButton);
        const diagram::DiagramScale& s = window->diagram().scale;
        QCOMPARE(window->mouse().ZoomDragCount, 0);
        QCOMPARE(s.ViewXmin, s.DefaultXmin);
        QCOMPARE(s.ViewYmax, s.DefaultYmax);
        QVERIFY(program.messages.shown.empty());
    }

    void ctrlVPastesInAValueBoxAndShowsThePvChartElsewhere() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        click(window->CHK[0]);  // the t box takes input
        QLineEdit* box = window->TXT[8];
        QVERIFY(box->isEnabled());
        box->setFocus();
        box->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("250"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("250"));
        QCOMPARE(window->diagram().chart(), diagram::Chart::HS);

        window->CMDcancel->setFocus();
        QTest::keyClick(window->CMDcancel, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(window->diagram().chart(), diagram::Chart::PV);
        QTest::keyClick(box, Qt::Key_T, Qt::ControlModifier);  // a key the box does not use
        QCOMPARE(window->diagram().chart(), diagram::Chart::PT);
    }
};

REGISTER_UI_TEST(ChartMenuTest);

#include "chart_menu_test.moc"
