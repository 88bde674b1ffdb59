// The cycle window: Ctrl+L opens it; "生成循环" stores the Rankine cycle's states into the
// registers (asking first when that overwrites any), fills the picks, the table and the figures
// and draws the cycle on the chart; a state in M1 to M5 is recalled into the state panel; a
// cycle picked by hand takes a saturation register's water or steam; Ctrl+C and "导出" give the
// table with its header; the switch hides the cycle from the chart and from the printed page.
#include "ui/cycle_window.h"
#include "calc/register_store.h"
#include "colour/colours.h"
#include "pdf_text.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

bool drawsTheCycle(ui::fCal& window) {
    const QImage image = window.surface().image();
    const colour::Rgb c = colour::kCycleColour;
    const QRgb wanted = qRgb(c.r, c.g, c.b);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) return true;
    return false;
}

ui::CycleWindow* openCycleWindow(ui::fCal& window) {
    QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
    ui::CycleWindow* cycle = window.cycleWindow();
    return cycle && QTest::qWaitForWindowExposed(cycle) ? cycle : nullptr;
}

// Types the design values p_high t_high p_low eta_turbine eta_pump p_reheat t_reheat p_fwh ("" for
// a box left empty) and presses "生成循环".
void build(ui::CycleWindow& cycle, const QStringList& values) {
    for (int k = 0; k < values.size(); ++k) typeInto(cycle.TXTdesign[k], values[k]);
    click(cycle.CMDbuild);
}

QString cell(const ui::CycleWindow& cycle, int row, int column) { return cycle.Table->item(row, column)->text(); }

}  // namespace

class CycleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void buildingFillsTheStateRegistersTheTableAndTheChart() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        QVERIFY(!drawsTheCycle(*window));
        build(*cycle, {"8", "480", "0.008"});
        QVERIFY(program.messages.shown.empty());  // nothing overwritten, nothing asked
        for (int r = 0; r < calc::kRegisterCount; ++r) {
            QCOMPARE(window->CMDupMR[r]->isEnabled(), r >= 5);
            QCOMPARE(window->registers().isStored(r), r >= 5);
        }
        QCOMPARE(cycle->Table->rowCount(), 4);
        QCOMPARE(cell(*cycle, 0, 1), QStringLiteral("冷凝器出口"));
        QCOMPARE(cell(*cycle, 2, 2), QStringLiteral("480.00"));
        QVERIFY2(cycle->LabelFigures->text().contains(QStringLiteral("热效率 (%)：39.72")),
                 qPrintable(cycle->LabelFigures->text()));
        QCOMPARE(cycle->SPNcount->value(), 4);
        QCOMPARE(cycle->CBOregister[0]->currentText(), QStringLiteral("M6"));
        QCOMPARE(window->diagram().cycle.states.size(), size_t(4));
        QVERIFY(drawsTheCycle(*window));
        // On every chart.
        for (QAction* chart : {window->menuView[1], window->menuView[2], window->menuView[3]}) {
            chart->trigger();
            QVERIFY2(drawsTheCycle(*window), qPrintable(chart->text()));
        }
    }

    void overwritingRegistersIsAskedFirst() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CMDupM[6]);  // M7 holds the state panel's 200 and 3.5
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        program.messages.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};
        build(*cycle, {"8", "", "0.008"});
        QCOMPARE(program.messages.shown.size(), size_t(1));
        QVERIFY2(program.messages.shown[0].text.contains(QStringLiteral("M7")),
                 qPrintable(program.messages.shown[0].text));
        QCOMPARE(program.messages.shown[0].buttons, ui::MessageButtons::YesNo);
        QCOMPARE(window->registers().recall(6).front(), std::string("200"));
        QVERIFY(!window->registers().isStored(5));
        click(cycle->CMDbuild);
        QCOMPARE(program.messages.shown.size(), size_t(2));
        QVERIFY(window->registers().isStored(5));
        QCOMPARE(window->registers().recall(7).front(), std::string("295.01"));  // saturated steam at 8 MPa
    }

    void aNineStateCycleFillsEveryRegisterAndM1IsRecalledIntoTheStatePanel() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        build(*cycle, {"8", "480", "0.008", "0.85", "0.8", "2", "440", "0.7"});
        QCOMPARE(cycle->Table->rowCount(), 9);
        QVERIFY(cycle->LabelFigures->text().contains(QStringLiteral("抽汽份额 y")));
        for (int r = 0; r < calc::kRegisterCount; ++r) QCOMPARE(window->registers().kind(r), calc::RegisterKind::State);
        click(window->CMDupMR[0]);
        QCOMPARE(window->TXT[8]->text(), QStringLiteral("41.51"));
        QCOMPARE(window->TXT[9]->text(), QStringLiteral("0.008"));
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("10.001"));  // the saturation panel as it was
        // A design value that is no number is named.
        build(*cycle, {"8", "4x0"});
        QVERIFY(program.messages.texts().last().contains(QStringLiteral("t_high")));
    }

    void aCyclePickedByHandTakesASaturationRegistersWaterOrSteam() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("100"));
        click(window->SCAL);
        click(window->CMDupM[0]);  // M1: saturation at 100 C
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        cycle->SPNcount->setValue(3);
        cycle->CBOregister[0]->setCurrentIndex(0);
        cycle->CBOregister[1]->setCurrentIndex(0);
        cycle->CBOphase[1]->setCurrentIndex(1);
        cycle->CBOregister[2]->setCurrentIndex(5);  // M6, still empty
        QVERIFY(!cycle->currentCycle());
        QVERIFY(cycle->LabelHint->text().contains(QStringLiteral("M6")));
        QVERIFY(cycle->CBOphase[0]->isEnabled());
        QVERIFY(!cycle->CBOphase[2]->isEnabled());
        cycle->CBOregister[2]->setCurrentIndex(0);  // back to saturated water: 1 -> 2 -> 3
        cycle->CBOprocess[0]->setCurrentIndex(static_cast<int>(cycle::Process::Isobaric));
        cycle->CBOprocess[1]->setCurrentIndex(static_cast<int>(cycle::Process::Line));
        QVERIFY(cycle->currentCycle());
        QCOMPARE(cell(*cycle, 0, 8), QStringLiteral("0"));
        QCOMPARE(cell(*cycle, 1, 8), QStringLiteral("1"));
        QCOMPARE(cell(*cycle, 0, 11), QStringLiteral("2256.40"));  // h'' - h' of the register at 100 C
        QCOMPARE(cell(*cycle, 1, 11), QStringLiteral("—"));        // a line: q unknown
        QVERIFY(cycle->LabelFigures->text().contains(QStringLiteral("热效率 (%)：—")));
    }

    void copyAndExportGiveTheTableWithItsHeader() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        build(*cycle, {"8", "480", "0.008"});
        cycle->Table->setFocus();
        QTest::keyClick(cycle->Table, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("状态\t说明\tt (°C)\tp (MPa)")), qPrintable(copied));
        QCOMPARE(copied.count(QLatin1Char('\n')), 1 + 4 + 6);

        QTemporaryDir dir;
        program.saveDialog.answer = dir.filePath(QStringLiteral("rankine.csv"));
        click(cycle->CMDexport);
        QFile file(*program.saveDialog.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        QVERIFY(csv.startsWith(QByteArray("\xEF\xBB\xBF") + QStringLiteral("状态,说明,t (°C)").toUtf8()));
        QCOMPARE(csv.count("\r\n"), 1 + 4 + 6);
    }

    void theSwitchHidesTheCycleFromTheChartAndThePrintedPage() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        ui::CycleWindow* cycle = openCycleWindow(*window);
        QVERIFY(cycle);
        build(*cycle, {"8", "480", "0.008"});
        QVERIFY(drawsTheCycle(*window));
        click(cycle->CHKshow);
        QVERIFY(!window->diagram().showCycle);
        QVERIFY(!drawsTheCycle(*window));
        click(cycle->CHKshow);
        QVERIFY(drawsTheCycle(*window));
        // Printed, the page lists the cycle's states under the chart while it is shown.
        QTemporaryDir dir;
        for (bool shown : {true, false}) {
            if (cycle->CHKshow->isChecked() != shown) click(cycle->CHKshow);
            program.printPreview.pdfPath =
                dir.filePath(shown ? QStringLiteral("shown.pdf") : QStringLiteral("hidden.pdf"));
            window->menuPrint->trigger();
            QFile file(program.printPreview.pdfPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const std::vector<PdfPage> pages = readPdfPages(file.readAll());
            QCOMPARE(pages.size(), size_t(1));
            QString text = pages[0].text;
            text.remove(QRegularExpression(QStringLiteral("\\s")));
            for (int i = 1; i <= 4; ++i)
                QVERIFY2(text.contains(QStringLiteral("循环%1").arg(i)) == shown, qPrintable(text));
        }
        click(cycle->CHKshow);
        // Clearing the state registers takes the cycle's states away.
        click(window->CMDdownClear);
        QVERIFY(!cycle->currentCycle());
        QVERIFY(!drawsTheCycle(*window));
    }
};

REGISTER_UI_TEST(CycleWindowTest);
#include "cycle_window_test.moc"
