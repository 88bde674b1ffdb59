// 查看 → 计算过程 (Ctrl+E) writes out how the current results were found: each value the
// boxes show ends a line of the explanation ("→ box text"); it follows every calculation and
// reset while open, a message leaves no stale explanation, and "复制" puts the whole text on
// the clipboard.
#include "ui/explanation_window.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

// Every box of the list (but the known one, typed) shows a value the explanation arrives at.
QStringList missingResults(const QString& text, const std::vector<QLineEdit*>& boxes) {
    QStringList missing;
    for (QLineEdit* box : boxes)
        if (!(text + QLatin1Char('\n')).contains(QStringLiteral("→ %1\n").arg(box->text()))) missing << box->text();
    return missing;
}

}  // namespace

class ExplanationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theStepsFollowTheCurrentResultsAndCopy() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        QCOMPARE(window->menuExplanation->text(), QStringLiteral("计算过程"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        ui::ExplanationWindow* steps = window->explanationWindow();
        QVERIFY(steps);
        QVERIFY(QTest::qWaitForWindowExposed(steps));
        QCOMPARE(steps->windowTitle(), QStringLiteral("计算过程"));
        QVERIFY(steps->text().isEmpty());
        QVERIFY(!steps->CMDcopy->isEnabled());

        // Saturation at a pressure between rows: a line of SWATER.
        click(window->OPT[1]);
        typeInto(window->TXT[1], QStringLiteral("0.5"));
        click(window->SCAL);
        QVERIFY(steps->text().contains(QStringLiteral("SWATER")));
        const std::vector<QLineEdit*> saturated{window->satBox(0), window->satBox(2), window->satBox(3),
                                                window->satBox(4), window->satBox(5), window->satBox(8)};
        QVERIFY2(missingResults(steps->text(), saturated).isEmpty(),
                 qPrintable(missingResults(steps->text(), saturated).join(QLatin1Char(' '))));

        // A wet state from p and x joins it: the saturation row and the mixing with x.
        click(window->CHK[1]);
        click(window->CHK[5]);
        typeInto(window->stateBox(1), QStringLiteral("1"));
        typeInto(window->stateBox(5), QStringLiteral("0.9"));
        click(window->SCAL2);
        const std::vector<QLineEdit*> wet{window->stateBox(0), window->stateBox(2), window->stateBox(3),
                                          window->stateBox(4), window->stateBox(6)};
        QVERIFY2(missingResults(steps->text(), wet).isEmpty(),
                 qPrintable(missingResults(steps->text(), wet).join(QLatin1Char(' '))));
        QVERIFY(steps->text().contains(QStringLiteral("x = 0.9")));

        // Reset: the saturation's steps go, the state's stay.
        click(window->cmdClean);
        QVERIFY(!steps->text().contains(QStringLiteral("饱和状态：已知")));
        QVERIFY(steps->text().contains(QStringLiteral("状态：已知 p = 1")));

        click(steps->CMDcopy);
        QCOMPARE(QGuiApplication::clipboard()->text(), steps->text());
        // Ctrl+C in the text: the whole text, or the part selected.
        steps->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(steps));
        QGuiApplication::clipboard()->clear();
        steps->Text->setFocus();
        QTest::keyClick(steps->Text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), steps->text());
        QTest::keyClick(steps->Text, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(steps->Text, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(steps->Text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), steps->text().section(QLatin1Char('\n'), 0, 0));

        // A calculation that ends with a message leaves no explanation of an earlier answer.
        typeInto(window->stateBox(5), QStringLiteral("2"));
        click(window->SCAL2);
        QVERIFY(!program.messages.shown.empty());
        QVERIFY(steps->text().isEmpty());
    }
};

REGISTER_UI_TEST(ExplanationWindowTest);

#include "explanation_window_test.moc"
