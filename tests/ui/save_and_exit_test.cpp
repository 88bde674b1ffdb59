// Saving as BMP writes the diagram as last drawn, writes nothing on cancel and says why when
// the file cannot be written (the other types and sizes are PictureSavingTest's). Leaving goes
// through "退出程序？" and the farewell window, whose button (or close control) ends the
// program; every way of closing the main window asks first.
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "ui/secondary_windows.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

QString inDir(const testsupport::TemporaryDirectory& dir, const char* name) {
    return QString::fromStdString((dir.path() / name).string());
}

}  // namespace

class SaveAndExitTest : public QObject {
    Q_OBJECT
private slots:
    void savesTheBmpAsDrawnWithoutTheTransientMarks() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        testsupport::TemporaryDirectory dir;
        const QString path = inDir(dir, "chart.bmp");
        program.saveDialog.answer = path;
        // A rubber band on the overlay must not reach the file.
        const QPointF a = pixelOf(*window, 2, 3000), b = pixelOf(*window, 6, 1000);
        pressOnPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, a, Qt::LeftButton);
        moveOverPic(*window, b, Qt::LeftButton);

        window->menuSavePicture->trigger();

        QCOMPARE(program.saveDialog.asked, 1);
        QCOMPARE(program.saveDialog.lastPreset, QStringLiteral("水的h-s图"));
        QCOMPARE(program.saveDialog.lastFilter, QStringLiteral("BMP 图片 (*.bmp)"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        file.close();
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), QSize(489, 577));
        const QImage drawn = window->surface().image();
        QCOMPARE(saved.pixelColor(int(a.x()), int(b.y())).rgb(), drawn.pixelColor(int(a.x()), int(b.y())).rgb());
        QVERIFY(colourNear(window->surface().overlay(), QPointF(a.x(), b.y()), 1, QColor(128, 128, 128)));
        QVERIFY(!colourNear(saved, QPointF((a.x() + b.x()) / 2, b.y()), 0, QColor(128, 128, 128)));
        QVERIFY(program.messages.shown.empty());
    }

    void cancellingTheDialogWritesNothing() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        testsupport::TemporaryDirectory dir;
        // The user chose a file, then cancelled: that file must not appear.
        const QString path = inDir(dir, "chart.bmp");
        program.saveDialog.answer = path;
        program.saveDialog.cancels = true;
        window->menuSavePicture->trigger();
        QCOMPARE(program.saveDialog.asked, 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(std::filesystem::is_empty(dir.path()));
        QVERIFY(program.messages.shown.empty());
    }

    void aFailedWriteSaysThePictureWasNotSavedAndWhy() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        testsupport::TemporaryDirectory dir;
        const QString path = inDir(dir, "missing-folder/chart.bmp");
        program.saveDialog.answer = path;
        window->menuSavePicture->trigger();
        QCOMPARE(program.messages.shown.size(), size_t(1));
        const ShownMessage& m = program.messages.shown[0];
        QCOMPARE(m.title, QStringLiteral("提醒"));
        QVERIFY(m.text.contains(QStringLiteral("未能保存")));
        QCOMPARE(m.text.count(path), 1);
        // The reason follows the path.
        QVERIFY(m.text.size() > m.text.indexOf(path) + path.size() + 1);
        QVERIFY(!QFile::exists(path));
    }

    void exitButtonAnsweredNoChangesNothing() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        program.messages.answers = {ui::MessageAnswer::No};
        click(window->CMDcancel);
        QCOMPARE(program.messages.shown.size(), size_t(1));
        QCOMPARE(program.messages.shown[0].title, QStringLiteral("提醒"));
        QCOMPARE(program.messages.shown[0].text, QStringLiteral("退出程序？"));
        QCOMPARE(program.messages.shown[0].icon, ui::MessageIcon::Question);
        QCOMPARE(program.messages.shown[0].buttons, ui::MessageButtons::YesNo);
        QVERIFY(window->isVisible());
        QCOMPARE(window->farewellWindow(), nullptr);
        QVERIFY(program.endStatuses.empty());
    }

    void exitButtonAnsweredYesHidesTheMainWindowBehindTheFarewell() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        program.messages.answers = {ui::MessageAnswer::Yes};
        click(window->CMDcancel);
        ui::fGoodby* goodbye = window->farewellWindow();
        QVERIFY(goodbye);
        QVERIFY(QTest::qWaitForWindowExposed(goodbye));
        QCOMPARE(goodbye->windowTitle(), QStringLiteral("信息反馈"));
        QVERIFY(!window->isVisible());
        QVERIFY(program.endStatuses.empty());

        click(goodbye->CMDcancel);
        QVERIFY(!goodbye->isVisible());
        QCOMPARE(program.endStatuses, std::vector<int>{0});
    }

    void menuExitKeepsTheMainWindowWorking() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        program.messages.answers = {ui::MessageAnswer::Yes};
        QTest::keyClick(window.get(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("退出程序？")});
        QVERIFY(window->farewellWindow());
        QVERIFY(QTest::qWaitForWindowExposed(window->farewellWindow()));
        QVERIFY(window->isVisible());

        // Still usable behind the farewell window.
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        QCOMPARE(window->TXT[8]->text(), QStringLiteral("200.00"));
        QVERIFY(program.endStatuses.empty());
    }

    void closingTheMainWindowAsksFirst() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        program.messages.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};
        window->close();
        QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("退出程序？")});
        QVERIFY(window->isVisible());

        window->close();
        QCOMPARE(program.messages.shown.size(), size_t(2));
        QVERIFY(!window->isVisible());
        QVERIFY(window->farewellWindow() && window->farewellWindow()->isVisible());
        QVERIFY(program.endStatuses.empty());
    }

    void closingTheFarewellWindowEndsTheProgram() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        program.messages.answers = {ui::MessageAnswer::Yes};
        window->menuExit->trigger();
        ui::fGoodby* goodbye = window->farewellWindow();
        QVERIFY(goodbye);
        QVERIFY(QTest::qWaitForWindowExposed(goodbye));
        goodbye->close();
        QCOMPARE(program.endStatuses, std::vector<int>{0});
    }
};

REGISTER_UI_TEST(SaveAndExitTest);

#include "save_and_exit_test.moc"
