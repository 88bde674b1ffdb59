// The keyboard in the main window: Enter (or the keypad's Enter) in a value box computes its
// panel as the panel's "计算" button does; Tab goes through the panel being worked in, its
// boxes and buttons, before the registers and the chart's switches.
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>

using namespace steam;
using namespace steam::uitest;

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void enterInAValueBoxComputesItsPanelAsItsButtonDoes() {
        struct Case {
            const char* name;
            std::vector<int> choose;  // options (0-7) or ticks (8-14: the state boxes' TXT) to click first
            std::vector<std::pair<int, QString>> typed;
            int enterIn;
            Qt::Key key;
        };
        const Case cases[] = {
            {"saturation from ts", {0}, {{0, "100"}}, 0, Qt::Key_Return},
            {"saturation from ps, keypad", {1}, {{1, "1"}}, 1, Qt::Key_Enter},
            {"state from t and p, in the first box", {8, 9}, {{8, "200"}, {9, "3.5"}}, 8, Qt::Key_Return},
            {"state from p and h, in the second box", {9, 11}, {{9, "1"}, {11, "2900"}}, 11, Qt::Key_Enter},
            {"a state that ends with a message", {8, 12}, {{8, "-5"}, {12, "1"}}, 12, Qt::Key_Return},
            {"a rigid tank from v and u, in the u box", {10, 14}, {{10, "0.5"}, {14, "2000"}}, 14, Qt::Key_Return},
        };
        for (const Case& c : cases) {
            // The boxes and messages after Enter, and after the button.
            std::array<QStringList, 2> boxes, messages;
            for (int way = 0; way < 2; ++way) {
                TestProgram program;
                auto window = openMainWindow(program);
                QVERIFY(window);
                for (int k : c.choose)
                    click(k < 8 ? static_cast<QWidget*>(window->OPT[k]) : window->CHK[k == 14 ? 6 : k - 8]);
                for (const auto& [box, text] : c.typed) typeInto(window->TXT[box], text);
                if (way == 0)
                    QTest::keyClick(window->TXT[c.enterIn], c.key);
                else
                    click(c.enterIn < 8 ? window->SCAL : window->SCAL2);
                for (QLineEdit* box : window->TXT) boxes[way] << box->text();
                messages[way] = program.messages.texts();
            }
            QVERIFY2(boxes[0] == boxes[1], qPrintable(QString::fromLatin1(c.name) + ": " + boxes[0].join(u' ')));
            QCOMPARE(messages[0], messages[1]);
            // The panel was computed: a box other than those typed changed from its design text.
            const QStringList design{"10.001", "0", "0", "0", "0", "0", "0", "0", "200",
                                     "3.5",    "0", "0", "0", "0", "0", "0", "0"};
            QCOMPARE(boxes[0].size(), design.size());
            QVERIFY2(messages[0].size() > 0 || boxes[0] != design, c.name);
        }
    }

    void tabGoesThroughTheActivePanelBeforeTheRegistersAndSwitches() {
        struct Case {
            const char* name;
            bool saturation;   // the panel worked in
            bool otherBefore;  // the other panel held the focus first
        };
        const Case cases[] = {
            {"saturation panel", true, false},
            {"state panel", false, false},
            {"state panel after the saturation panel", false, true},
            {"saturation panel after the state panel", true, true},
        };
        for (const Case& c : cases) {
            TestProgram program;
            auto window = openMainWindow(program);
            QVERIFY(window);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            QWidget* panel = c.saturation ? window->Frame1 : window->Frame2;
            if (c.saturation)
                click(window->OPT[2]);
            else
                click(window->CHK[3]);
            if (c.otherBefore) {
                QWidget* before = c.saturation ? static_cast<QWidget*>(window->CHK[0]) : window->OPT[2];
                before->setFocus();
                QVERIFY(QTest::qWaitFor([&] { return before->hasFocus(); }));
            }
            // From the panel's first stop: the chosen option, the first tick box.
            QWidget* start = c.saturation ? static_cast<QWidget*>(window->OPT[2]) : window->CHK[0];
            start->setFocus();
            QVERIFY(QTest::qWaitFor([&] { return start->hasFocus(); }));
            QList<QWidget*> visited{start};
            QWidget* other = c.saturation ? window->Frame2 : window->Frame1;
            // Up to the other panel, which then becomes the one worked in.
            for (int step = 0; step < 80; ++step) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                if (!now || other->isAncestorOf(now) || now == start) break;
                visited << now;
            }
            const QString context = QString::fromLatin1(c.name);
            const auto at = [&](QWidget* w) { return visited.indexOf(w); };
            int lastOwn = -1;
            for (int i = 0; i < visited.size(); ++i)
                if (panel->isAncestorOf(visited[i])) lastOwn = i;
            // Every box that takes input and both buttons of the panel, then the registers, then
            // the chart's switches.
            for (QWidget* w : panel->findChildren<QWidget*>()) {
                if (qobject_cast<QLineEdit*>(w) && w->isEnabled()) {
                    QVERIFY2(at(w) >= 0, qPrintable(context + ": " + w->objectName()));
                }
            }
            const std::array<QPushButton*, 2> buttons = c.saturation ? std::array{window->SCAL, window->cmdClean}
                                                                     : std::array{window->SCAL2, window->cmdClean2};
            for (QPushButton* b : buttons)
                QVERIFY2(at(b) >= 0 && at(b) <= lastOwn, qPrintable(context + ": " + b->objectName()));
            QVERIFY2(lastOwn < at(window->CMDupM[0]), qPrintable(context));
            QVERIFY2(at(window->CMDupM[0]) < at(window->CMDupM[8]) && at(window->CMDupM[8]) < at(window->CHKpic[0]),
                     qPrintable(context));
        }
    }
};

REGISTER_UI_TEST(KeyboardTest);

#include "keyboard_test.moc"
