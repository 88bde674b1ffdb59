// 帮助 → 校验数据 opens a window of its own, not modal, that checks the data folder the program
// reads while the windows keep answering, shows the bytes read on its bar and then lists
// every file as 正常 or with what failed; a folder without a manifest is not passed, and
// closing the window stops a check under way.
#include "data/data_manifest.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/data_check_window.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <set>

using namespace steam;
using namespace steam::uitest;
namespace fs = std::filesystem;

namespace {

QStringList listed(const ui::DataCheckWindow& window) {
    QStringList lines;
    for (int i = 0; i < window.Results->count(); ++i) lines << window.Results->item(i)->text();
    return lines;
}

}  // namespace

class DataCheckTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuItemChecksTheDataReadWhileTheWindowsKeepAnswering() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->menuCheckData->text(), QStringLiteral("校验数据"));
        // The event loop of the windows runs while the check does: a timer keeps firing
        // and the bar takes values on its way.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(5);

        window->menuCheckData->trigger();
        ui::DataCheckWindow* check = window->dataCheckWindow();
        QVERIFY(check);
        QSignalSpy finished(check, &ui::DataCheckWindow::checkFinished);
        std::set<int> values;
        connect(check->Progress, &QProgressBar::valueChanged, [&](int v) { values.insert(v); });
        QVERIFY(check->isVisible());
        QCOMPARE(check->windowModality(), Qt::NonModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(check->isChecking());
        const int ticksAtStart = ticks;

        QVERIFY(finished.wait(120000));
        QVERIFY2(ticks - ticksAtStart >= 3, qPrintable(QString::number(ticks - ticksAtStart)));
        const int inside = int(std::count_if(values.begin(), values.end(),
                                             [&](int v) { return v > 0 && v < check->Progress->maximum(); }));
        QVERIFY2(inside >= 3, qPrintable(QString::number(inside)));
        QCOMPARE(check->Progress->value(), check->Progress->maximum());
        QStringList expected;
        for (const data::SourceInfo& info : data::kSources)
            expected << QString::fromStdString(data::dataFileName(info.source)) + QStringLiteral("：正常");
        QCOMPARE(listed(*check), expected);
        QCOMPARE(check->LabelStatus->text(), QStringLiteral("全部数据文件完好。"));
        QVERIFY(program.messages.shown.empty());
    }

    void eachDamagedFileIsListedWithWhatFailed_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("status");
        QTest::newRow("byte flipped") << QStringLiteral("flip water")
                                      << QStringLiteral("water.sqlite：SHA-256 与清单不符")
                                      << QStringLiteral("有 1 个数据文件未通过校验。");
        QTest::newRow("no manifest") << QStringLiteral("remove manifest") << QString()
                                     << QStringLiteral("数据文件夹中没有清单 tables.manifest，数据文件无法校验：");
    }

    void eachDamagedFileIsListedWithWhatFailed() {
        QFETCH(QString, damage);
        QFETCH(QString, line);
        QFETCH(QString, status);
        testsupport::TemporaryDirectory dir;
        std::string error;
        testsupport::FixtureDatabase fixture;
        for (int i = 0; i < 100; ++i) fixture.addGridRow(data::Source::Water, i, 1, 0.001, 4.2 * i, 0.01 * i);
        QVERIFY2(fixture.write(dir.path(), error), error.c_str());
        QVERIFY2(data::writeManifest(dir.path(), error), error.c_str());
        if (damage == QStringLiteral("flip water")) {
            std::fstream f(dir.path() / "water.sqlite", std::ios::binary | std::ios::in | std::ios::out);
            const auto middle = static_cast<std::streamoff>(fs::file_size(dir.path() / "water.sqlite") / 2);
            f.seekg(middle);
            const char byte = static_cast<char>(f.get());
            f.seekp(middle);
            f.put(static_cast<char>(byte ^ 0x40));
        } else {
            fs::remove(dir.path() / data::kManifestFileName);
        }

        ui::DataCheckWindow check(dir.path());
        QSignalSpy finished(&check, &ui::DataCheckWindow::checkFinished);
        check.show();
        check.start();
        QVERIFY(finished.wait(20000));
        const QStringList lines = listed(check);
        if (line.isEmpty()) {
            QVERIFY(lines.isEmpty());
        } else {
            QCOMPARE(lines.size(), int(data::kSources.size()));
            QCOMPARE(lines.filter(QStringLiteral("正常")).size(), lines.size() - 1);
            QVERIFY2(lines.contains(line), qPrintable(lines.join(u'|')));
        }
        QVERIFY2(check.LabelStatus->text().startsWith(status), qPrintable(check.LabelStatus->text()));
    }

    void closingTheWindowStopsTheCheckAndShowingItStartsAnother() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->menuCheckData->trigger();
        ui::DataCheckWindow* check = window->dataCheckWindow();
        QVERIFY(check);
        QSignalSpy finished(check, &ui::DataCheckWindow::checkFinished);
        check->close();
        QVERIFY(finished.wait(20000));
        QCOMPARE(check->LabelStatus->text(), QStringLiteral("校验已停止。"));
        QVERIFY(!check->isChecking());
        QVERIFY(check->Progress->value() < check->Progress->maximum());

        window->menuCheckData->trigger();
        QCOMPARE(window->dataCheckWindow(), check);
        QVERIFY(check->isVisible());
        QVERIFY(check->isChecking());
        QVERIFY(finished.wait(120000));
        QCOMPARE(check->LabelStatus->text(), QStringLiteral("全部数据文件完好。"));
    }
};

REGISTER_UI_TEST(DataCheckTest);

#include "data_check_test.moc"
