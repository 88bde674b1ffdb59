// "打印" (Ctrl+P) goes through the print preview with an A4 landscape page named after the
// chart; the page holds the chart with its axis titles and beneath it the table of the marked
// states (current saturation and state results, registers shown) with the texts their boxes
// show. The page is read back from the PDF it prints to.
#include "pdf_text.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/chart_page.h"
#include "ui/f_cal.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace steam;
using namespace steam::uitest;

namespace {

// Saturation at 100 C into M1 (shown), a state at 300 C and 1 MPa into M6 (shown) and M7 (not
// shown); the current results stay.
void markStates(ui::fCal& window) {
    click(window.OPT[0]);
    typeInto(window.TXT[0], QStringLiteral("100"));
    click(window.SCAL);
    click(window.CMDupM[0]);
    click(window.CHKupM[0]);
    click(window.CHK[0]);
    click(window.CHK[1]);
    typeInto(window.TXT[8], QStringLiteral("300"));
    typeInto(window.TXT[9], QStringLiteral("1"));
    click(window.SCAL2);
    click(window.CMDupM[5]);
    click(window.CHKupM[5]);
    click(window.CMDupM[6]);
}

// Qt's PDF maps a blank to a tab; blanks and line breaks do not count.
QString withoutBlanks(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void thePageHoldsTheChartWithTitlesAndTheMarkedStates() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        markStates(*window);
        QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
        testsupport::TemporaryDirectory dir;
        for (int item = 0; item < diagram::kChartCount; ++item) {
            window->menuView[item]->trigger();
            const diagram::ChartDescription& d = window->diagram().description();
            const QString context = QString::fromUtf8(d.pictureName);
            program.printPreview.pdfPath =
                QString::fromStdString((dir.path() / (std::string(d.name) + ".pdf")).string());
            window->menuPrint->trigger();
            QCOMPARE(program.printPreview.shown, item + 1);
            QCOMPARE(program.printPreview.documentName, context);
            QCOMPARE(program.printPreview.layout.orientation(), QPageLayout::Landscape);
            QCOMPARE(program.printPreview.layout.pageSize().id(), QPageSize::A4);

            QFile file(program.printPreview.pdfPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const std::vector<PdfPage> pages = readPdfPages(file.readAll());
            QCOMPARE(pages.size(), size_t(1));
            QVERIFY2(std::abs(pages[0].mediaBox.width() - 842) < 1 && std::abs(pages[0].mediaBox.height() - 595) < 1,
                     qPrintable(context));
            const QString text = withoutBlanks(pages[0].text);
            QStringList wanted{context, QString::fromUtf8(d.x.title), QString::fromUtf8(d.y.title)};
            wanted << ui::markedStateHeader();
            for (const char* name : {"当前饱和水", "当前饱和蒸汽", "当前状态", "M1饱和水", "M1饱和蒸汽", "M6"})
                wanted << QString::fromUtf8(name);
            // The current results as their boxes show them; M1 and M6 hold the same.
            for (int k : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) wanted << window->TXT[k]->text();
            for (const QString& w : wanted) QVERIFY2(text.contains(withoutBlanks(w)), qPrintable(context + ": " + w));
            QVERIFY2(!text.contains(QStringLiteral("M7")), qPrintable(context + ": M7 is not shown"));
        }
    }

    void theTableListsWhatTheChartMarks() {
        struct Case {
            const char* name;
            std::function<void(ui::fCal&)> act;
            QStringList names;
        };
        const Case cases[] = {
            {"nothing calculated", [](ui::fCal&) {}, {}},
            {"a saturation result",
             [](ui::fCal& w) {
                 click(w.OPT[0]);
                 typeInto(w.TXT[0], QStringLiteral("120"));
                 click(w.SCAL);
             },
             {"当前 饱和水", "当前 饱和蒸汽"}},
            {"states and shown registers",
             markStates,
             {"当前 饱和水", "当前 饱和蒸汽", "当前 状态", "M1 饱和水", "M1 饱和蒸汽", "M6"}},
        };
        for (const Case& c : cases) {
            TestProgram program;
            auto window = openMainWindow(program);
            QVERIFY(window);
            c.act(*window);
            std::array<QString, 14> boxes;
            for (int i = 0; i < 14; ++i) boxes[i] = window->TXT[i]->text();
            const std::vector<ui::MarkedState> states = ui::markedStates(window->registers(), boxes);
            QStringList names;
            for (const ui::MarkedState& s : states) names << s.name;
            QCOMPARE(names, c.names);
            for (const ui::MarkedState& s : states) {
                if (!s.name.startsWith(QStringLiteral("当前"))) continue;
                // ts and ps, then the water's or the steam's v, h, s; t p v h s x of a state.
                const bool steam = s.name.endsWith(QStringLiteral("饱和蒸汽"));
                const std::array<int, 6> from =
                    s.name.endsWith(QStringLiteral("状态"))
                        ? std::array<int, 6>{8, 9, 10, 11, 12, 13}
                        : std::array<int, 6>{0, 1, steam ? 3 : 2, steam ? 5 : 4, steam ? 7 : 6, -1};
                for (int k = 0; k < 6; ++k) QCOMPARE(s.values[k], from[k] < 0 ? QString() : boxes[from[k]]);
            }
        }
    }
};

REGISTER_UI_TEST(PrintTest);

#include "print_test.moc"
