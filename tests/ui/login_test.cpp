// The login window lets only the exact access code through; a wrong one clears the entry
// and shows the error line, and a data folder that cannot be read ends the program with
// a message naming the file instead of opening a half-working main window: a missing file as
// not found, a file that is there but empty, garbage, without its table or not of the size
// its manifest gives as damaged ("数据文件已损坏：" and its path).
#include "data/data_manifest.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "ui/f_login.h"
#include "ui/secondary_windows.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <fstream>

using namespace steam;
using namespace steam::uitest;

namespace {

const QString kWrongCode = QStringLiteral("密码不正确,请重新输入！");

// Presses and releases the login button with the mouse, as the user does.
void pressLoginButton(ui::fLogin& login) {
    QTest::mousePress(login.PIC1, Qt::LeftButton, Qt::NoModifier, login.PIC1->rect().center());
    QTest::mouseRelease(login.PIC1, Qt::LeftButton, Qt::NoModifier, login.PIC1->rect().center());
}

}  // namespace

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void refusesAnythingButTheExactCode_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("trailing blank") << QStringLiteral("zq ");
        QTest::newRow("capitals") << QStringLiteral("ZQ");
        QTest::newRow("leading blank") << QStringLiteral(" zq");
    }

    void refusesAnythingButTheExactCode() {
        QFETCH(QString, typed);
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QTest::mouseClick(login.TXTcode, Qt::LeftButton);
        QTest::keyClicks(login.TXTcode, typed);
        QCOMPARE(login.TXTcode->text(), typed);

        pressLoginButton(login);

        QCOMPARE(login.LAB3->text(), kWrongCode);
        QCOMPARE(login.TXTcode->text(), QString());
        QVERIFY(login.PIC1->isVisible());
        QVERIFY(login.isVisible());
        QCOMPARE(login.mainWindow(), nullptr);
        QVERIFY(program.messages.shown.empty());
    }

    void pressingShowsThePressedLook() {
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QTest::keyClicks(login.TXTcode, QStringLiteral("zq"));

        QTest::mousePress(login.PIC1, Qt::LeftButton, Qt::NoModifier, login.PIC1->rect().center());
        QVERIFY(!login.PIC1->isVisible());
        QVERIFY(login.PIC2->isVisible());
        // Hidden PIC1 no longer takes the release; it lands on the pressed look.
        QTest::mouseRelease(login.PIC2, Qt::LeftButton, Qt::NoModifier, login.PIC2->rect().center());
        QVERIFY(login.mainWindow() != nullptr);
    }

    // Enter or the keypad's Enter in the code box does what the button does.
    void enterInTheCodeBoxLogsInAsTheButtonDoes() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            TestProgram program;
            ui::fLogin login(program.context());
            login.show();
            QVERIFY(QTest::qWaitForWindowExposed(&login));
            QSignalSpy loggedIn(&login, &ui::fLogin::loggedIn);
            QTest::keyClicks(login.TXTcode, QStringLiteral("qz"));
            QTest::keyClick(login.TXTcode, key);
            QCOMPARE(login.LAB3->text(), kWrongCode);
            QCOMPARE(login.TXTcode->text(), QString());
            QCOMPARE(login.mainWindow(), nullptr);

            QTest::keyClicks(login.TXTcode, QStringLiteral("zq"));
            QTest::keyClick(login.TXTcode, key);
            QCOMPARE(loggedIn.count(), 1);
            QVERIFY(login.mainWindow() != nullptr);
            QVERIFY(!login.isVisible());
            QVERIFY(program.messages.shown.empty());
        }
    }

    void releasingOutsideTheButtonChecksNothing() {
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QTest::mousePress(login.PIC1, Qt::LeftButton, Qt::NoModifier, login.PIC1->rect().center());
        QTest::mouseRelease(login.PIC2, Qt::LeftButton, Qt::NoModifier, QPoint(-30, -30));
        QVERIFY(login.PIC1->isVisible());
        QCOMPARE(login.LAB3->text(), QString());
    }

    void clickingIntoTheEntryClearsTheErrorLineUntilTheNextRefusal() {
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        pressLoginButton(login);
        QCOMPARE(login.LAB3->text(), kWrongCode);
        QTest::mouseClick(login.TXTcode, Qt::LeftButton);
        QCOMPARE(login.LAB3->text(), QString());
        QTest::keyClicks(login.TXTcode, QStringLiteral("zz"));
        pressLoginButton(login);
        QCOMPARE(login.LAB3->text(), kWrongCode);
    }

    void theCodeOpensTheMainWindowAndHidesTheLogin() {
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QSignalSpy loggedIn(&login, &ui::fLogin::loggedIn);
        QTest::mouseClick(login.TXTcode, Qt::LeftButton);
        QTest::keyClicks(login.TXTcode, QStringLiteral("zq"));
        QCOMPARE(login.TXTcode->displayText(), QStringLiteral("**"));

        pressLoginButton(login);

        QCOMPARE(loggedIn.count(), 1);
        QVERIFY(login.mainWindow() != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(login.mainWindow()));
        QVERIFY(!login.isVisible());
        QVERIFY(!login.PIC1->isVisible());
        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        QVERIFY(program.endStatuses.empty());
    }

    void closingTheLoginWindowEndsTheProgram() {
        TestProgram program;
        ui::fLogin login(program.context());
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        login.close();
        QCOMPARE(program.endStatuses, std::vector<int>{0});
    }

    void unreadableDataEndsTheProgramNamingTheFile_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("named");
        QTest::newRow("no water file") << int(data::Source::Water) << QStringLiteral("missing")
                                       << QStringLiteral("找不到数据文件");
        QTest::newRow("no dryness curves")
            << int(data::Source::DengX) << QStringLiteral("missing") << QStringLiteral("找不到数据文件");
        QTest::newRow("steam file without its table")
            << int(data::Source::Vapor) << QStringLiteral("without table") << QStringLiteral("数据文件已损坏：");
        QTest::newRow("empty water file")
            << int(data::Source::Water) << QStringLiteral("empty") << QStringLiteral("数据文件已损坏：");
        QTest::newRow("garbage saturation file")
            << int(data::Source::Swater) << QStringLiteral("garbage") << QStringLiteral("数据文件已损坏：");
        QTest::newRow("charts file longer than its manifest says")
            << int(data::Source::Charts) << QStringLiteral("grown") << QStringLiteral("数据文件已损坏：");
    }

    void unreadableDataEndsTheProgramNamingTheFile() {
        QFETCH(int, source);
        QFETCH(QString, damage);
        QFETCH(QString, named);
        testsupport::TemporaryDirectory dir;
        testsupport::FixtureDatabase fixture;
        fixture.addSaturationRow(100, 0.101418, 0.00104346, 1.67177, 419.17, 2675.57, 1.3072, 7.3541);
        const auto file = dir.path() / data::dataFileName(static_cast<data::Source>(source));
        if (damage == QStringLiteral("without table")) fixture.leaveOutTable(static_cast<data::Source>(source));
        if (damage == QStringLiteral("missing")) fixture.leaveOutFile(static_cast<data::Source>(source));
        std::string error;
        QVERIFY2(fixture.write(dir.path(), error), error.c_str());
        if (damage == QStringLiteral("empty")) std::ofstream(file, std::ios::trunc);
        if (damage == QStringLiteral("garbage")) std::ofstream(file, std::ios::trunc) << "no tables here\n";
        if (damage == QStringLiteral("grown")) {
            QVERIFY2(data::writeManifest(dir.path(), error), error.c_str());
            std::ofstream(file, std::ios::app | std::ios::binary) << std::string(4096, '\0');
        }

        TestProgram program;
        ui::fLogin login(program.context(dir.path()));
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QTest::keyClicks(login.TXTcode, QStringLiteral("zq"));
        pressLoginButton(login);

        QCOMPARE(program.messages.shown.size(), size_t(1));
        const QString text = program.messages.shown[0].text;
        const QString path = QString::fromStdString(file.string());
        if (damage == QStringLiteral("missing")) {
            // Not found: the place looked in, with the file missing there.
            QVERIFY2(text.contains(named) && text.contains(QString::fromStdString(dir.path().string())) &&
                         text.contains(QString::fromStdString(file.filename().string())),
                     qPrintable(text));
        } else {
            QCOMPARE(text, QStringLiteral("无法读取数据文件，程序将退出。\n") + named + path);
        }
        QCOMPARE(program.endStatuses, std::vector<int>{1});
        QCOMPARE(login.mainWindow(), nullptr);
        QVERIFY(!login.isVisible());
    }
};

REGISTER_UI_TEST(LoginTest);

#include "login_test.moc"
