// The result list window: "结果列表" (Ctrl+R) shows every calculation of the run that ended with
// a result, newest last, and follows new ones while open; the rows outlive the window; Ctrl+C
// puts the selected rows with the header on the clipboard; "导出" writes the CSV file through
// the save dialog and says why when it cannot; "清空" empties the list once confirmed.
#include "calc/result_list.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "ui/result_list_window.h"
#include "ui/save_dialog_service.h"
#include "window_driver.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

void calculateSaturation(ui::fCal& window, int option, const QString& typed) {
    click(window.OPT[option]);
    typeInto(window.TXT[option], typed);
    click(window.SCAL);
}

// Ticks exactly the two boxes, types the values and presses "计算".
void calculateState(ui::fCal& window, int first, const QString& a, int second, const QString& b) {
    for (QCheckBox* box : window.CHK)
        if (box->isChecked()) click(box);
    click(window.CHK[first]);
    click(window.CHK[second]);
    typeInto(window.TXT[8 + first], a);
    typeInto(window.TXT[8 + second], b);
    click(window.SCAL2);
}

QString cell(const QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column)).toString();
}

ui::ResultListWindow* openList(ui::fCal& window) {
    window.menuView[4]->trigger();
    ui::ResultListWindow* list = window.resultListWindow();
    return list && QTest::qWaitForWindowExposed(list) ? list : nullptr;
}

// The main window with three rows: saturation at 100 C, water at (200 C, 3.5 MPa), wet steam
// at (100 C, x 0.5).
std::unique_ptr<ui::fCal> windowWithThreeResults(TestProgram& program) {
    auto window = openMainWindow(program);
    if (!window) return nullptr;
    calculateSaturation(*window, 0, QStringLiteral("100"));
    calculateState(*window, 0, QStringLiteral("200"), 1, QStringLiteral("3.5"));
    calculateState(*window, 0, QStringLiteral("100"), 5, QStringLiteral("0.5"));
    return window;
}

}  // namespace

class ResultListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuItemShowsEveryResultNewestLastAndFollowsNewOnes() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        calculateSaturation(*window, 0, QStringLiteral("100"));
        calculateSaturation(*window, 0, QStringLiteral("400"));  // the range message: no row
        calculateState(*window, 0, QStringLiteral("200"), 1, QStringLiteral("3.5"));
        click(window->CHK[1]);
        click(window->SCAL2);  // one box ticked: a message, no row
        QCOMPARE(program.messages.shown.size(), size_t(2));

        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
        ui::ResultListWindow* list = window->resultListWindow();
        QVERIFY(list);
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QCOMPARE(list->windowTitle(), QStringLiteral("结果列表"));
        const QAbstractItemModel* model = list->Table->model();
        QCOMPARE(model->columnCount(), panels::kResultColumnCount);
        for (int c = 0; c < panels::kResultColumnCount; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(),
                     QString::fromStdString(panels::resultHeader()[c]));
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(cell(model, 0, 0), QStringLiteral("饱和"));
        QCOMPARE(cell(model, 0, 2), QStringLiteral("100.00"));
        QCOMPARE(cell(model, 1, 0), QStringLiteral("状态"));
        QCOMPARE(cell(model, 1, 1), QStringLiteral("压缩水"));
        QCOMPARE(cell(model, 1, 2), QStringLiteral("200.00"));

        // While the window is open, a calculation run by the diagram's pick adds its row.
        click(window->CHKpic[7]);
        const QPointF vapour = pixelOf(*window, 7.5, 2500);
        moveOverPic(*window, vapour);
        pressOnPic(*window, vapour, Qt::LeftButton);
        releaseOnPic(*window, vapour, Qt::LeftButton);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(cell(model, 2, 0), QStringLiteral("饱和"));
        QCOMPARE(cell(model, 2, 2 + panels::kSaturatedAt + 5), window->TXT[7]->text());  // s''

        // Hidden and shown again: the same window, nothing lost; the menu brings it forward.
        list->close();
        calculateState(*window, 0, QStringLiteral("100"), 5, QStringLiteral("0.5"));
        QCOMPARE(openList(*window), list);
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(cell(model, 3, 1), QStringLiteral("湿蒸汽"));
        for (int c = 0; c < 6; ++c) QCOMPARE(cell(model, 3, 2 + c), window->TXT[8 + c]->text());
    }

    void ctrlCPutsTheSelectedRowsWithTheHeaderOnTheClipboard() {
        TestProgram program;
        auto window = windowWithThreeResults(program);
        QVERIFY(window);
        ui::ResultListWindow* list = openList(*window);
        QVERIFY(list);
        list->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(list));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));

        list->Table->setFocus();
        QTest::keyClick(list->Table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));  // nothing selected

        QItemSelectionModel* selection = list->Table->selectionModel();
        for (int row : {2, 0})
            selection->select(list->Table->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(list->Table, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, QString::fromStdString(panels::toTsv(window->resultRows(), {0, 2})));
        const QStringList lines = copied.split(u'\n');
        QCOMPARE(lines.size(), 4);  // header, two rows, nothing after the last line end
        QVERIFY(lines[0].startsWith(QStringLiteral("种类\t区域\tt (°C)")));
        QVERIFY(lines[1].startsWith(QStringLiteral("饱和\t饱和区\t100.00\t")));
        QVERIFY(lines[2].startsWith(QStringLiteral("状态\t湿蒸汽\t100\t")));
    }

    void exportWritesTheCsvFileChosenInTheSaveDialog_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("cancels");
        QTest::addColumn<bool>("written");
        QTest::newRow("chosen") << "results.csv" << false << true;
        QTest::newRow("cancelled") << "results.csv" << true << false;
        QTest::newRow("folder missing") << "missing-folder/results.csv" << false << false;
    }

    void exportWritesTheCsvFileChosenInTheSaveDialog() {
        QFETCH(QString, name);
        QFETCH(bool, cancels);
        QFETCH(bool, written);
        TestProgram program;
        auto window = windowWithThreeResults(program);
        QVERIFY(window);
        ui::ResultListWindow* list = openList(*window);
        QVERIFY(list);
        testsupport::TemporaryDirectory dir;
        const QString path = QString::fromStdString(dir.path().string()) + u'/' + name;
        program.saveDialog.answer = path;
        program.saveDialog.cancels = cancels;

        click(list->CMDexport);

        QCOMPARE(program.saveDialog.asked, 1);
        QCOMPARE(program.saveDialog.lastPreset, QStringLiteral("结果列表"));
        // A name typed without an extension becomes a .csv file.
        QFileDialog dialog;
        ui::prepareSaveDialog(dialog, program.saveDialog.lastPreset, program.saveDialog.lastFilter);
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("csv"));

        QFile file(path);
        QCOMPARE(file.exists(), written);
        if (written) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes, QByteArray::fromStdString(panels::toCsv(window->resultRows())));
            QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
            QCOMPARE(bytes.count("\r\n"), 4);
        }
        const bool failed = !cancels && !written;
        QCOMPARE(program.messages.shown.size(), size_t(failed ? 1 : 0));
        if (failed) {
            QCOMPARE(program.messages.shown[0].title, QStringLiteral("提醒"));
            QVERIFY(program.messages.shown[0].text.contains(QStringLiteral("未能导出")));
            QVERIFY(program.messages.shown[0].text.contains(path));
        }
    }

    // Columns fit what they hold as rows arrive, wider values later included, and never cut
    // a row shown before.
    void rowsAddedWhileTheWindowIsOpenShowInFull() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        ui::ResultListWindow* list = openList(*window);
        QVERIFY(list);
        QTableView* table = list->Table;
        const auto fits = [&](int row) {
            for (int c = 0; c < table->model()->columnCount(); ++c)
                if (table->sizeHintForIndex(table->model()->index(row, c)).width() > table->columnWidth(c))
                    return false;
            return true;
        };
        // Short texts first, then wet steam with long v and s, then many rows that scroll.
        calculateState(*window, 0, QStringLiteral("200"), 1, QStringLiteral("3.5"));
        calculateState(*window, 0, QStringLiteral("100"), 5, QStringLiteral("0.123456"));
        for (int k = 0; k < 25; ++k)
            calculateState(*window, 0, QString::number(20 + 10 * k), 1, QStringLiteral("0.001"));
        calculateSaturation(*window, 0, QStringLiteral("373.9"));
        QCoreApplication::processEvents();
        const int rows = table->model()->rowCount();
        QCOMPARE(rows, 28);
        for (int row = 0; row < rows; ++row) QVERIFY2(fits(row), qPrintable(QStringLiteral("row %1").arg(row)));
        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
    }

    void clearEmptiesTheListOnlyOnceConfirmed() {
        TestProgram program;
        auto window = windowWithThreeResults(program);
        QVERIFY(window);
        ui::ResultListWindow* list = openList(*window);
        QVERIFY(list);
        program.messages.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};

        click(list->CMDclear);
        QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("清空结果列表？")});
        QCOMPARE(list->Table->model()->rowCount(), 3);

        click(list->CMDclear);
        QCOMPARE(list->Table->model()->rowCount(), 0);
        QVERIFY(window->results().empty());
        QVERIFY(!list->CMDexport->isEnabled());
        QVERIFY(!list->CMDclear->isEnabled());

        // The next result starts the list again.
        calculateSaturation(*window, 0, QStringLiteral("50"));
        QCOMPARE(list->Table->model()->rowCount(), 1);
        QVERIFY(list->CMDexport->isEnabled());
    }
};

REGISTER_UI_TEST(ResultListWindowTest);

#include "result_list_test.moc"
