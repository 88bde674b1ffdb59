// 查看 → 全部性质 (Ctrl+D) opens the property sheet of the current results and the shown
// registers; it follows each calculation, register and reset while open, and Ctrl+C puts the
// whole sheet on the clipboard.
#include "ui/property_window.h"
#include "panels/property_sheet.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

class PropertyWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theSheetFollowsTheResultsAndRegistersAndCopies() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->menuProperties->text(), QStringLiteral("全部性质"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
        ui::PropertyWindow* sheet = window->propertyWindow();
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        QCOMPARE(sheet->windowTitle(), QStringLiteral("性质详情"));
        QCOMPARE(sheet->Table->columnCount(), 0);
        QCOMPARE(sheet->Table->rowCount(), panels::kSheetRowCount);

        const auto headings = [&] {
            QStringList out;
            for (int c = 0; c < sheet->Table->columnCount(); ++c) out << sheet->Table->horizontalHeaderItem(c)->text();
            return out;
        };
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("100"));
        click(window->SCAL);
        QCOMPARE(headings(), (QStringList{"当前 饱和水", "当前 饱和蒸汽"}));
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        click(window->CMDupM[5]);
        click(window->CHKupM[5]);
        QCOMPARE(headings(), (QStringList{"当前 饱和水", "当前 饱和蒸汽", "当前 状态", "M6"}));
        // The state's column shows what its boxes show.
        QCOMPARE(sheet->Table->item(0, 2)->text(), window->stateBox(0)->text());
        QCOMPARE(sheet->Table->item(4, 2)->text(), window->stateBox(3)->text());
        click(window->cmdClean);
        QCOMPARE(headings(), (QStringList{"当前 状态", "M6"}));

        sheet->copyAction->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), panels::sheetTsv(sheet->sheet()));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("性质\t单位\t当前 状态\tM6\n")));
    }
};

REGISTER_UI_TEST(PropertyWindowTest);

#include "property_window_test.moc"
