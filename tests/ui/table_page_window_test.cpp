// 查看 → 性质表 (Ctrl+B) shows a page of a property table: by default the textbook's
// temperatures from the triple point to the critical point, each row as the saturation panel
// answers it; another kind fills its own range; a range beyond the tables is named in a
// message and the page stays; the page is copied, exported as CSV and printed on A4 pages that
// each repeat the header.
#include "ui/table_page_window.h"
#include "panels/table_page_texts.h"
#include "pdf_text.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

QString cell(const ui::TablePageWindow& page, int row, int column) { return page.Table->item(row, column)->text(); }

void chooseKind(ui::TablePageWindow& page, int kind) {
    page.CBOkind->setCurrentIndex(kind);
    emit page.CBOkind->activated(kind);
}

}  // namespace

class TablePageWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aPageListsItsRangeAsThePanelsShowIt() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->menuTablePage->text(), QStringLiteral("性质表"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
        ui::TablePageWindow* page = window->tablePageWindow();
        QVERIFY(page);
        QVERIFY(QTest::qWaitForWindowExposed(page));

        // 0.01, every 5 C to 100, every 10 C to 370, and 373.95.
        QCOMPARE(page->Table->rowCount(), 49);
        QCOMPARE(cell(*page, 0, 0), QStringLiteral("0.01"));
        QCOMPARE(cell(*page, 48, 0), QStringLiteral("373.95"));
        QCOMPARE(cell(*page, 20, 0), QStringLiteral("100.00"));
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("100"));
        click(window->SCAL);
        for (int column : {1, 2, 3, 4, 5}) QCOMPARE(cell(*page, 20, column), window->satBox(column)->text());
        QCOMPARE(cell(*page, 20, 9), window->satBox(8)->text());  // u'

        // Along an isobar: its saturation state at the head, then one row per step.
        chooseKind(*page, 2);
        QVERIFY(page->TXTpressure->isEnabled());
        typeInto(page->TXTfrom, QStringLiteral("100"));
        typeInto(page->TXTstep, QStringLiteral("50"));
        click(page->CMDshow);
        QCOMPARE(page->Table->rowCount(), 2 + 15);
        QCOMPARE(cell(*page, 0, 0), QStringLiteral("饱和水"));
        QCOMPARE(cell(*page, 16, 1), QStringLiteral("800.00"));

        // Beyond the tables: the message names the value, the page stays.
        typeInto(page->TXTto, QStringLiteral("1200"));
        click(page->CMDshow);
        QCOMPARE(program.messages.shown.size(), size_t(1));
        QVERIFY2(program.messages.shown[0].text.contains(QStringLiteral("1200")),
                 qPrintable(program.messages.shown[0].text));
        QCOMPARE(page->Table->rowCount(), 17);

        // Pressures 1-2-5 per decade from 0.001 to 22.064 MPa.
        chooseKind(*page, 1);
        QCOMPARE(page->TXTdecades->text(), QStringLiteral("1,2,5"));
        QCOMPARE(page->Table->rowCount(), 15);
        QCOMPARE(cell(*page, 14, 0), QStringLiteral("22.064000"));
    }

    void thePageIsCopiedExportedAndPrintedWithItsHeaderOnEveryPage() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->menuTablePage->trigger();
        ui::TablePageWindow* page = window->tablePageWindow();
        QVERIFY(page);
        typeInto(page->TXTstep, QStringLiteral("1"));
        click(page->CMDshow);
        QCOMPARE(page->Table->rowCount(), 375);  // 0.01, 1 ... 373, 373.95

        // Two rows chosen: the captions and those two.
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page));
        page->Table->selectRow(3);
        page->Table->setFocus();
        QTest::keyClick(page->Table, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("ts (°C)\tps (MPa)\t")), qPrintable(copied));
        QCOMPARE(copied.count(QLatin1Char('\n')), 2);
        QVERIFY(copied.contains(QStringLiteral("\n3.00\t")));

        QTemporaryDir dir;
        program.saveDialog.answer = dir.filePath(QStringLiteral("sat.csv"));
        click(page->CMDexport);
        QFile csv(*program.saveDialog.answer);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().toStdString(), panels::tablePageCsv(*page->page()));

        program.printPreview.pdfPath = dir.filePath(QStringLiteral("sat.pdf"));
        click(page->CMDprint);
        QFile file(program.printPreview.pdfPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::vector<PdfPage> pages = readPdfPages(file.readAll());
        QVERIFY2(pages.size() > 4, qPrintable(QString::number(pages.size())));
        for (size_t n = 0; n < pages.size(); ++n) {
            QString text = pages[n].text;
            text.remove(QRegularExpression(QStringLiteral("\\s")));
            QVERIFY(std::abs(pages[n].mediaBox.width() - 595) < 1 && std::abs(pages[n].mediaBox.height() - 842) < 1);
            QVERIFY2(text.contains(QStringLiteral("饱和水与饱和蒸汽表（按温度）")), qPrintable(text.left(80)));
            QVERIFY(text.contains(QStringLiteral("kJ/(kg·K)")));
            QVERIFY(text.contains(QStringLiteral("第%1页，共%2页").arg(n + 1).arg(pages.size())));
        }
        QVERIFY(pages.back().text.contains(QStringLiteral("373.95")));
    }
};

REGISTER_UI_TEST(TablePageWindowTest);

#include "table_page_window_test.moc"
