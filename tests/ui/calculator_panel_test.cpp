// The two calculator panels driven through their buttons: options and ticks show the core's
// panels, "计算" fills every box with its decimals and marks the result on the diagram, and
// failed checks show their messages in order without touching the texts.
#include "calc/property_columns.h"
#include "numeric/number_text.h"
#include "panels/panels.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

QColor base(const QLineEdit* box) { return box->palette().color(QPalette::Base); }
const QColor kWhite(255, 255, 255);
const QColor kGrey(220, 220, 220);

// Exactly `decimals` digits after the point, a leading digit before it.
bool hasDecimals(const QString& text, int decimals) {
    return QRegularExpression(QStringLiteral("^-?\\d+\\.\\d{%1}$").arg(decimals)).match(text).hasMatch();
}

double number(const QLineEdit* box) { return numeric::readNumber(box->text().toStdString()); }

}  // namespace

class CalculatorPanelTest : public QObject {
    Q_OBJECT
private slots:
    // The locking rules themselves are the core's (tests/panels/panels_test.cpp); here the
    // widgets must show the panels exactly as the core leaves them after each click.
    void optionAndTickClicksShowTheCoresPanelsInTheWidgets() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        panels::SaturationPanel sat;
        panels::StatePanel state;
        for (int option : {3, 0}) {
            click(window->OPT[option]);
            panels::OPT_Click(sat, option);
            for (int i = 0; i < 8; ++i) {
                QCOMPARE(window->OPT[i]->isChecked(), i == sat.selected);
                QCOMPARE(window->TXT[i]->isEnabled(), sat.enabled[i]);
                QCOMPARE(base(window->TXT[i]), sat.white[i] ? kWhite : kGrey);
                QCOMPARE(window->OPT[i]->palette().color(QPalette::WindowText),
                         i == sat.selected ? kWhite : QColor(0, 0, 0));
            }
        }
        for (int k : {0, 1, 1}) {
            click(window->CHK[k]);
            state.ticked[k] = !state.ticked[k];
            panels::CHK_Click(state);
            for (int j = 0; j < 6; ++j) {
                QCOMPARE(window->CHK[j]->isChecked(), state.ticked[j]);
                QCOMPARE(window->CHK[j]->isEnabled(), state.chkEnabled[j]);
                QCOMPARE(window->TXT[j + 8]->isEnabled(), state.enabled[j]);
                QCOMPARE(base(window->TXT[j + 8]), state.white[j] ? kWhite : kGrey);
            }
        }
    }

    void saturationAtOneHundredDegreesFillsEveryBoxWithItsDecimals() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const quint64 drawingsBefore = window->surface().changeCount();
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("100"));
        click(window->SCAL);

        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("100.00"));
        for (int i = 0; i < 8; ++i) {
            QVERIFY2(hasDecimals(window->TXT[i]->text(), calc::PropertyDecimals[i + 1]),
                     qPrintable(QStringLiteral("TXT(%1) = %2").arg(i).arg(window->TXT[i]->text())));
            QVERIFY(window->TXT[i]->isEnabled());
            QCOMPARE(base(window->TXT[i]), i == 0 ? kWhite : kGrey);
        }
        // Boiling at atmospheric pressure: a physical sanity check, not the table's digits.
        QVERIFY(std::abs(number(window->TXT[1]) - 0.1014) < 0.001);
        QVERIFY(number(window->TXT[5]) > number(window->TXT[4]) + 2000);
        QVERIFY(number(window->TXT[7]) > number(window->TXT[6]));

        // The values as shown become the current result, and the diagram was redrawn.
        const auto current = window->registers().CurrentSatPoint();
        for (int i = 0; i < 8; ++i) QCOMPARE(current[i], number(window->TXT[i]));
        QVERIFY(window->surface().changeCount() > drawingsBefore);
    }

    void valueOutsideTheTableShowsTheRangeMessageAndChangesNothing() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("500"));
        click(window->SCAL);
        QCOMPARE(program.messages.shown.size(), size_t(1));
        QCOMPARE(program.messages.shown[0].title, QStringLiteral("提醒"));
        QCOMPARE(program.messages.shown[0].text, QStringLiteral("超出可选范围，请重新输入"));
        QCOMPARE(program.messages.shown[0].icon, ui::MessageIcon::Warning);
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("500"));
        QCOMPARE(window->TXT[1]->text(), QStringLiteral("0"));
        QVERIFY(!window->TXT[1]->isEnabled());
        QCOMPARE(window->registers().CurrentSatPoint()[5], 0.0);
    }

    void saturationResetLocksTheBoxesAndForgetsTheResult() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("150"));
        click(window->SCAL);
        QVERIFY(window->registers().CurrentSatPoint()[5] > 0);
        click(window->cmdClean);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(window->TXT[i]->text(), QStringLiteral("0"));
            QVERIFY(!window->TXT[i]->isEnabled());
            QCOMPARE(base(window->TXT[i]), kGrey);
            QVERIFY(!window->OPT[i]->isChecked());
        }
        QCOMPARE(window->registers().CurrentSatPoint()[5], 0.0);
    }

    void compressedWaterAtTwoHundredDegreesAndThreeAndAHalfMegapascal() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);

        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        QCOMPARE(window->TXT[8]->text(), QStringLiteral("200.00"));
        QCOMPARE(window->TXT[9]->text(), QStringLiteral("3.500000"));
        QVERIFY(hasDecimals(window->TXT[10]->text(), 8));
        QVERIFY(hasDecimals(window->TXT[11]->text(), 2));
        QVERIFY(hasDecimals(window->TXT[12]->text(), 4));
        QCOMPARE(window->TXT[13]->text(), QStringLiteral("(none)"));
        // Liquid water: about a litre per kilogram, enthalpy a little above h' at 200 C.
        QVERIFY(number(window->TXT[10]) > 0.001 && number(window->TXT[10]) < 0.0012);
        QVERIFY(number(window->TXT[11]) > 840 && number(window->TXT[11]) < 870);
        for (int k = 0; k < 6; ++k) QVERIFY(window->TXT[k + 8]->isEnabled());

        const auto current = window->registers().CurrentStatePoint();
        QCOMPARE(current[3], number(window->TXT[11]));
        QCOMPARE(current[4], number(window->TXT[12]));
        QCOMPARE(current[5], 0.0);
        // The current state is marked at (s, h) in its colour.
        QVERIFY(
            colourNear(window->surface().image(), pixelOf(*window, current[4], current[3]), 3, QColor(0, 180, 255)));
    }

    void thePhaseLineAndTheSecondStateNoteFollowTheCurrentResults() {
        struct Case {
            const char* name;
            std::vector<std::pair<int, QString>> known;  // state boxes ticked and typed
            QString phase;
        };
        const Case cases[] = {
            {"compressed water", {{0, "200"}, {1, "3.5"}}, QStringLiteral("相态：压缩水")},
            {"supercritical, whatever the pair", {{1, "30"}, {3, "2500"}}, QStringLiteral("相态：超临界区")},
            {"saturated steam", {{1, "1"}, {5, "1"}}, QStringLiteral("相态：饱和蒸汽")},
            {"a rigid tank", {{2, "0.5"}, {6, "2000"}}, QStringLiteral("相态：湿蒸汽")},
            {"a message: no phase", {{0, "-5"}, {1, "1"}}, QString()},
        };
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        for (const Case& c : cases) {
            for (int k = 0; k < 7; ++k)
                if (window->CHK[k]->isChecked()) click(window->CHK[k]);
            for (const auto& [k, text] : c.known) {
                click(window->CHK[k]);
                typeInto(window->stateBox(k), text);
            }
            click(window->SCAL2);
            QVERIFY2(window->LabelPhase->text() == c.phase, c.name);
        }
        click(window->cmdClean2);
        QVERIFY(window->LabelPhase->text().isEmpty());

        // h'' names two saturation states below its maximum; the note names the other one.
        click(window->OPT[5]);
        typeInto(window->TXT[5], QStringLiteral("2700"));
        click(window->SCAL);
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("115.96"));
        QCOMPARE(window->LabelOtherState->text(), QStringLiteral("另一饱和状态：ts = 320.19 °C"));
        click(window->OPT[0]);
        typeInto(window->TXT[0], QStringLiteral("100"));
        click(window->SCAL);
        QVERIFY(window->LabelOtherState->text().isEmpty());
        QVERIFY(number(window->satBox(9)) > 2500 && number(window->satBox(9)) < 2510);  // u'' at 100 C
    }

    void failedChecksShowTheirMessagesInOrderAndKeepTheTexts_data() {
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing ticked") << QList<int>{} << QStringList{"必须输入2个参数!"};
        QTest::newRow("x alone") << QList<int>{5} << QStringList{"必须输入2个参数!"};
        QTest::newRow("t alone") << QList<int>{0} << QStringList{"必须输入2个参数!"};
    }

    void failedChecksShowTheirMessagesInOrderAndKeepTheTexts() {
        QFETCH(QList<int>, ticks);
        QFETCH(QStringList, expected);
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        for (int k : ticks) click(window->CHK[k]);
        click(window->SCAL2);

        QCOMPARE(program.messages.texts(), expected);
        for (const ShownMessage& m : program.messages.shown) {
            QCOMPARE(m.title, QStringLiteral("注意"));
            QCOMPARE(m.icon, ui::MessageIcon::Warning);
            QCOMPARE(m.buttons, ui::MessageButtons::Ok);
        }
        const QStringList texts{"200", "3.5", "0", "0", "0", "0"};
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(window->TXT[k + 8]->text(), texts[k]);
            QVERIFY(window->TXT[k + 8]->isEnabled());
        }
    }

    void stateResetWritesZerosKeepsTicksAndRemovesTheMarker() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        const auto before = window->registers().CurrentStatePoint();
        const QPointF marker = pixelOf(*window, before[4], before[3]);
        QVERIFY(colourNear(window->surface().image(), marker, 3, QColor(0, 180, 255)));

        click(window->cmdClean2);
        for (int k = 0; k < 6; ++k) QCOMPARE(window->TXT[k + 8]->text(), QStringLiteral("0"));
        QVERIFY(window->CHK[0]->isChecked());
        QVERIFY(window->CHK[1]->isChecked());
        QCOMPARE(window->registers().CurrentStatePoint()[3], 0.0);
        QVERIFY(!colourNear(window->surface().image(), marker, 3, QColor(0, 180, 255)));
    }
};

REGISTER_UI_TEST(CalculatorPanelTest);

#include "calculator_panel_test.moc"
