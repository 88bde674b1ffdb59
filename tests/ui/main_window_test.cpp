// Right after the load step the main window shows the design texts with every value box
// locked and grey, nothing chosen or ticked, and the registers empty; the layer and
// menu controls carry their captions and shortcuts.
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/diagram_view.h"
#include "ui/f_cal.h"
#include "ui/secondary_windows.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

QColor base(const QLineEdit* box) { return box->palette().color(QPalette::Base); }
QColor fill(QWidget* w) {
    const QImage shot = w->grab().toImage();
    return shot.pixelColor(shot.width() - 1, shot.height() / 2);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadLeavesTheDesignTextsLockedAndNothingChosen() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);

        const QStringList expected{"10.001", "0", "0", "0", "0", "0", "0", "0", "200", "3.5", "0", "0", "0", "0"};
        for (int n = 0; n < 14; ++n) {
            QVERIFY2(!window->TXT[n]->isEnabled(), qPrintable(QStringLiteral("TXT(%1)").arg(n)));
            QCOMPARE(base(window->TXT[n]), QColor(220, 220, 220));
            QCOMPARE(window->TXT[n]->text(), expected[n]);
        }
        for (QRadioButton* option : window->OPT) QVERIFY(!option->isChecked());
        for (QCheckBox* box : window->CHK) {
            QVERIFY(!box->isChecked());
            QVERIFY(box->isEnabled());
        }
        for (QCheckBox* box : window->CHKpic) QVERIFY(!box->isChecked());
        for (int r = 0; r < 9; ++r) {
            QVERIFY(window->CMDupM[r]->isEnabled());
            QCOMPARE(window->CMDupM[r]->text(), QStringLiteral("M%1").arg(r + 1));
            QVERIFY(!window->CMDupMR[r]->isEnabled());
            QVERIFY(!window->CHKupM[r]->isEnabled());
            QVERIFY(!window->CHKupM[r]->isChecked());
            QCOMPARE(fill(window->CHKupM[r]), QColor(180, 180, 180));
        }
        QCOMPARE(window->TXTmouseX->text(), QStringLiteral("Mouse X"));
        QCOMPARE(window->TXTmouseY->text(), QStringLiteral("Mouse Y"));
        QCOMPARE(window->TXTinfo->text(), QStringLiteral(" 临界点:tcr=373.95 C,pcr=22.064 MPa,vcr=0.0031056 m^3/kg"));

        const diagram::DiagramScale& scale = window->diagram().scale;
        QCOMPARE(scale.ViewXmin, 0.0);
        QCOMPARE(scale.ViewXmax, 9.99);
        QCOMPARE(scale.ViewYmin, 0.0);
        QCOMPARE(scale.ViewYmax, 5000.0);
        QCOMPARE(window->diagram().DiagramReady, 1);
        QCOMPARE(window->mouse().ZoomDragCount, 0);
        QCOMPARE(window->mouse().PanDragCount, 0);
        // The curves are in memory for the next drawing.
        QVERIFY(window->diagram().curves.SaturationLine[1].h > 2000.0f);
        QVERIFY(program.messages.shown.empty());
    }

    void windowOpensAtItsFirstSizeWithPanelsInPlace() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->centralWidget()->size(), QSize(865, 665));
        QCOMPARE(window->Pic->geometry(), QRect(8, 13, 489, 577));
        QCOMPARE(window->surface().image().size(), QSize(489, 577));
        QCOMPARE(window->Frame1->title(), QStringLiteral("饱和水和饱和蒸汽"));
        QCOMPARE(window->Frame2->title(), QStringLiteral("水，湿蒸汽及过热蒸气"));
        // The pick boxes sit in the lower left corners of their panels.
        QVERIFY(window->Frame1->geometry().contains(window->CHKpic[7]->geometry()));
        QVERIFY(window->Frame2->geometry().contains(window->CHKpic[8]->geometry()));
        const QStringList layers{"等温线", "等压线",   "等比容线", "等干度线", "饱和线",
                                 "临界点", "文字说明", "图选s",    "图选sh"};
        for (int j = 0; j < 9; ++j) QCOMPARE(window->CHKpic[j]->text(), layers[j]);
        // The first size is the smallest; growing is WindowSizeTest's.
        QCOMPARE(window->size(), window->firstSize());
        QCOMPARE(window->minimumSize(), window->firstSize());
    }

    void menuItemsCarryTheirCaptionsAndShortcuts() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->menuExit->objectName(), QStringLiteral("退出"));
        QCOMPARE(window->menuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(window->menuSavePicture->shortcut(), QKeySequence());
        const QStringList items{"s—h图", "t—s图", "p—v图", "p—t图", "结果列表"};
        const QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::CTRL | Qt::Key_S),
                                       QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::CTRL | Qt::Key_T),
                                       QKeySequence(Qt::CTRL | Qt::Key_R)};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(window->menuView[i]->text(), items[i]);
            QCOMPARE(window->menuView[i]->shortcut(), keys[i]);
            QVERIFY(window->menuView[i]->isEnabled());
            QCOMPARE(window->menuView[i]->isCheckable(), i < 4);  // the charts (ChartMenuTest)
        }
        // The charts are switched in ChartMenuTest, "结果列表" opens its window in ResultListTest;
        // reading the items changed nothing.
        QVERIFY(program.messages.shown.empty());
        QVERIFY(window->isVisible());
        QCOMPARE(window->readmeWindow(), nullptr);
        QCOMPARE(window->TXT[8]->text(), QStringLiteral("200"));
    }

    void usageWindowShowsTheTextAndComesBackUnchanged() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->menuUsage->trigger();
        ui::Readme* readme = window->readmeWindow();
        QVERIFY(readme);
        QVERIFY(QTest::qWaitForWindowExposed(readme));
        QCOMPARE(readme->windowTitle(), QStringLiteral("Form1"));
        const QStringList lines = readme->Label1->text().split(u'\n');
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines[0], QStringLiteral("1.菜单"));
        for (const char* item : {"s—h图", "t—s图", "p—v图", "p—t图", "结果列表"})
            QVERIFY2(lines[2].startsWith(QStringLiteral("1.2 查看，")) && lines[2].contains(QString::fromUtf8(item)),
                     item);
        QCOMPARE(lines[4], QString(72, u'*'));
        QVERIFY(lines[10].startsWith(QStringLiteral("  当前显示数据可以读入暂存区")));
        QCOMPARE(lines[19], QString());
        QCOMPARE(lines[20], QString(72, u'+'));
        const QString text = readme->Label1->text();

        click(readme->CMDsure);
        QVERIFY(!readme->isVisible());
        window->menuUsage->trigger();
        QCOMPARE(window->readmeWindow(), readme);
        QVERIFY(QTest::qWaitForWindowExposed(readme));
        QCOMPARE(readme->Label1->text(), text);
    }

    void aboutWindowNamesTheReferenceAndHidesOnConfirm() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->menuAbout->trigger();
        ui::attachment* about = window->aboutWindow();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->Label1->text(), QStringLiteral("关于本软件"));
        const QStringList lines = about->Label2->text().split(u'\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("本软件计算数据参考："));
        QCOMPARE(lines[2], QStringLiteral("\"The IAPWS Formulation 1995 for the Thermodynamic Properties of Ordinary"));
        QCOMPARE(lines[4], QStringLiteral("J. Phys. Chem. Ref. Data, 31(2): 387-535, 2002."));
        click(about->CMDsure);
        QVERIFY(!about->isVisible());
    }
};

REGISTER_UI_TEST(MainWindowTest);

#include "main_window_test.moc"
