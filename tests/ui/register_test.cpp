// A register parks the boxes of its panel at full precision, shows its point in its own
// colour while its box is ticked, writes the values back in the general number form and
// empties with its panel's "清空"; the current results are never touched by a clear.
#include "calc/register_store.h"
#include "numeric/number_text.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "test_registry.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

QColor registerColour(int r) {
    const colour::Rgb c = colour::kRegisterColours[static_cast<size_t>(r)];
    return QColor(c.r, c.g, c.b);
}

// The colour painted beside the box's indicator, as the user sees it.
QColor fill(QWidget* w) {
    const QImage shot = w->grab().toImage();
    return shot.pixelColor(shot.width() - 1, shot.height() / 2);
}

void calculateSaturation(ui::fCal& window, const QString& ts) {
    click(window.OPT[0]);
    typeInto(window.TXT[0], ts);
    click(window.SCAL);
}

}  // namespace

class RegisterTest : public QObject {
    Q_OBJECT
private slots:
    void storingRightAfterOpeningKeepsTheDesignTexts() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        const quint64 drawings = window->surface().changeCount();
        click(window->CMDupM[0]);
        QVERIFY(window->CMDupMR[0]->isEnabled());
        QVERIFY(window->CHKupM[0]->isEnabled());
        QVERIFY(!window->CHKupM[0]->isChecked());
        QCOMPARE(fill(window->CHKupM[0]), registerColour(0));
        // An unticked register causes no redraw.
        QCOMPARE(window->surface().changeCount(), drawings);

        click(window->CMDupMR[0]);
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("10.001"));
        for (int i = 0; i < 8; ++i) {
            QVERIFY(window->TXT[i]->isEnabled());
            if (i > 0) QCOMPARE(window->TXT[i]->text(), QStringLiteral("0"));
        }
    }

    void aSavedSaturationStateIsShownRecalledAndCleared() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        calculateSaturation(*window, QStringLiteral("120"));
        QStringList shownTexts;
        for (int i = 0; i < 8; ++i) shownTexts << window->TXT[i]->text();
        click(window->CMDupM[1]);
        // Reset removes the current result, so only the register can mark the state.
        click(window->cmdClean);

        const double s2 = numeric::readNumber(shownTexts[7].toStdString());
        const double h2 = numeric::readNumber(shownTexts[5].toStdString());
        const QPointF steamPoint = pixelOf(*window, s2, h2);
        QVERIFY(!colourNear(window->surface().image(), steamPoint, 3, registerColour(1)));

        click(window->CHKupM[1]);
        QVERIFY(window->CHKupM[1]->isChecked());
        QVERIFY(window->registers().isShown(1));
        QVERIFY(colourNear(window->surface().image(), steamPoint, 3, registerColour(1)));

        // Recall in the general number form: trailing zeros of the fixed decimals are gone.
        click(window->CMDupMR[1]);
        for (int i = 0; i < 8; ++i) {
            const double shown = numeric::readNumber(shownTexts[i].toStdString());
            QCOMPARE(window->TXT[i]->text(), QString::fromStdString(numeric::generalText(shown)));
            QVERIFY(window->TXT[i]->isEnabled());
        }
        QCOMPARE(window->TXT[0]->text(), QStringLiteral("120"));
        // Recall leaves options and the current result alone.
        QVERIFY(!window->OPT[0]->isChecked());
        QCOMPARE(window->registers().CurrentSatPoint()[5], 0.0);

        click(window->CMDupClear);
        QVERIFY(!window->CHKupM[1]->isChecked());
        QVERIFY(!window->CHKupM[1]->isEnabled());
        QVERIFY(!window->CMDupMR[1]->isEnabled());
        QVERIFY(window->CMDupM[1]->isEnabled());
        QCOMPARE(fill(window->CHKupM[1]), QColor(180, 180, 180));
        QVERIFY(!window->registers().isStored(1));
        QVERIFY(!colourNear(window->surface().image(), steamPoint, 3, registerColour(1)));
    }

    void storingIntoATickedRegisterRedrawsWithTheNewPoint() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        click(window->CMDupM[6]);
        click(window->CHKupM[6]);

        typeInto(window->TXT[8], QStringLiteral("300"));
        typeInto(window->TXT[9], QStringLiteral("1"));
        click(window->SCAL2);
        const double s = numeric::readNumber(window->TXT[12]->text().toStdString());
        const double h = numeric::readNumber(window->TXT[11]->text().toStdString());
        const quint64 drawings = window->surface().changeCount();
        click(window->CMDupM[6]);
        QVERIFY(window->surface().changeCount() > drawings);
        QVERIFY(window->CHKupM[6]->isChecked());
        QCOMPARE(window->registers().StateMemory(2, 4), h);

        // With the current result gone only the register marks the new state.
        click(window->cmdClean2);
        QVERIFY(colourNear(window->surface().image(), pixelOf(*window, s, h), 3, registerColour(6)));
    }

    void clearingTheStateRegistersLeavesTheSaturationOnesAndTheCurrentResults() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        calculateSaturation(*window, QStringLiteral("100"));
        click(window->CMDupM[0]);
        click(window->CHKupM[0]);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        click(window->CMDupM[5]);
        click(window->CHKupM[5]);

        click(window->CMDdownClear);
        QVERIFY(!window->CHKupM[5]->isChecked());
        QVERIFY(!window->registers().isStored(5));
        QVERIFY(window->CHKupM[0]->isChecked());
        QVERIFY(window->registers().isStored(0));
        QVERIFY(window->registers().CurrentSatPoint()[5] > 0);
        QVERIFY(window->registers().CurrentStatePoint()[3] > 0);
    }

    void aRecalledStateShowsItsEnergyAndNoDrynessWhereItHadNone() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);  // 200 C, 3.5 MPa: compressed water
        const QString energy = window->stateBox(6)->text();
        QCOMPARE(window->stateBox(5)->text(), QStringLiteral("(none)"));
        click(window->CMDupM[5]);
        click(window->cmdClean2);
        click(window->CMDupMR[5]);
        QCOMPARE(window->stateBox(5)->text(), QStringLiteral("(none)"));
        QCOMPARE(window->stateBox(6)->text(), energy);

        calculateSaturation(*window, QStringLiteral("100"));
        const QString liquid = window->satBox(8)->text(), vapour = window->satBox(9)->text();
        click(window->CMDupM[0]);
        click(window->cmdClean);
        click(window->CMDupMR[0]);
        QCOMPARE(window->satBox(8)->text(), liquid);
        QCOMPARE(window->satBox(9)->text(), vapour);
    }

    void aStateRegisterRecallsAllSixBoxesAtFullPrecision() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        click(window->CHK[0]);
        click(window->CHK[2]);
        typeInto(window->TXT[10], QStringLiteral("-0.000123456789012345"));
        typeInto(window->TXT[8], QStringLiteral("12.5abc"));
        click(window->CMDupM[8]);
        click(window->cmdClean2);
        click(window->CMDupMR[8]);
        QCOMPARE(window->TXT[8]->text(), QStringLiteral("12.5"));
        QCOMPARE(window->TXT[10]->text(), QStringLiteral("-0.000123456789012345"));
        QCOMPARE(window->TXT[9]->text(), QStringLiteral("3.5"));
        for (int k = 0; k < 6; ++k) {
            QVERIFY(window->TXT[k + 8]->isEnabled());
            // A value longer than its box shows its beginning, where the sign and the
            // leading digits are.
            QCOMPARE(window->TXT[k + 8]->cursorPosition(), 0);
        }
        QVERIFY(window->TXT[10]->fontMetrics().horizontalAdvance(window->TXT[10]->text()) > window->TXT[10]->width());
    }
};

REGISTER_UI_TEST(RegisterTest);

#include "register_test.moc"
