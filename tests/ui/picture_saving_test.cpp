// "保存图片" offers BMP (preset, as the window always saved), PNG, JPEG, SVG and PDF; the
// format follows the type chosen and the name's extension (a known extension wins, a name
// without one gets the chosen type's), at the size on screen or for print (A4 landscape at
// 300 dpi), asked through the dialog service. Every type but BMP carries the axis titles.
// Save dialogs open in the pictures folder, the result list's export in the documents folder.
#include "ui/picture_saving.h"
#include "render/qimage_surface.h"
#include "scripted_services.h"
#include "support/fixture_database.h"
#include "test_registry.h"
#include "ui/diagram_view.h"
#include "ui/f_cal.h"
#include "ui/result_list_window.h"
#include "window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QPushButton>
#include <QTest>

#include <filesystem>

using namespace steam;
using namespace steam::uitest;

namespace {

QByteArray head(const QString& path, int bytes) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

// Pixels unlike the margin's grey in the strip under the axis numbers, where the title across
// stands when a picture carries it.
int inkUnderTheNumbers(const QImage& image) {
    const QColor margin(210, 215, 210);
    int ink = 0;
    const int top = image.height() * 453 / 465, left = image.width() * 2 / 5, right = image.width() * 3 / 5;
    for (int y = top; y < image.height() - 1; ++y)
        for (int x = left; x < right; ++x) {
            const QColor c = image.pixelColor(x, y);
            ink += std::abs(c.red() - margin.red()) + std::abs(c.green() - margin.green()) > 120;
        }
    return ink;
}

}  // namespace

class PictureSavingTest : public QObject {
    Q_OBJECT
private slots:
    void theTypeAndTheNamesExtensionChooseTheFormatAtEitherSize() {
        struct Case {
            const char* typed;
            int type;  // BMP, PNG, JPEG, SVG, PDF
            int size;  // as on screen, for print
            const char* written;
            QByteArray magic;
            QSize pixels;  // of a pixel format
            bool titles;
        };
        const Case cases[] = {
            {"a", 0, 0, "a.bmp", "BM", {489, 577}, false},
            {"b", 1, 0, "b.png", "\x89PNG", {489, 577}, true},
            {"c.jpg", 0, 0, "c.jpg", "\xFF\xD8\xFF", {489, 577}, true},
            {"d.gif", 1, 0, "d.gif.png", "\x89PNG", {489, 577}, true},
            {"e.svg", 4, 0, "e.svg", "<?xml", {}, true},
            {"f", 4, 1, "f.pdf", "%PDF", {}, true},
            {"g", 2, 1, "g.jpg", "\xFF\xD8\xFF", {3508, 2480}, true},
            {"h.BMP", 3, 1, "h.BMP", "BM", {3508, 2480}, false},
        };
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        testsupport::TemporaryDirectory dir;
        for (const Case& c : cases) {
            const QString context = QString::fromLatin1(c.typed);
            program.saveDialog.answer = QString::fromStdString((dir.path() / c.typed).string());
            program.saveDialog.answerFilter = c.type;
            program.saveDialog.choices = {c.size};
            window->menuSavePicture->trigger();
            QVERIFY2(program.messages.shown.empty(), qPrintable(program.messages.texts().join(u'|')));
            const QString path = QString::fromStdString((dir.path() / c.written).string());
            QVERIFY2(head(path, c.magic.size()) == c.magic, qPrintable(context));
            if (c.pixels.isValid()) {
                const QImage image(path);
                QCOMPARE(image.size(), c.pixels);
                QCOMPARE(inkUnderTheNumbers(image) > 20, c.titles);
                if (c.size == 1) QCOMPARE(image.dotsPerMeterX(), 11811);  // 300 dpi
            }
            if (c.magic == "<?xml") {
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray svg = file.readAll();
                QVERIFY(svg.contains("s (kJ/kg.K)") && svg.contains("h (kJ/kg)"));
            }
            if (c.magic == "%PDF") {
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QVERIFY2(file.readAll().contains("/MediaBox [0 0 842"), "an A4 landscape page");
            }
        }
        // The BMP as on screen is the window's picture itself.
        const QImage bmp(QString::fromStdString((dir.path() / "a.bmp").string()));
        QCOMPARE(bmp, window->surface().image().convertToFormat(bmp.format()));
        QCOMPARE(program.saveDialog.questions.back(), ui::pictureSizeAnswers(QSize(489, 577)));
    }

    void cancellingTheSizeQuestionWritesNothing() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        testsupport::TemporaryDirectory dir;
        program.saveDialog.answer = QString::fromStdString((dir.path() / "chart.png").string());
        program.saveDialog.choices = {std::nullopt};
        window->menuSavePicture->trigger();
        QCOMPARE(program.saveDialog.questions.size(), size_t(1));
        QVERIFY(std::filesystem::is_empty(dir.path()));
        QVERIFY(program.messages.shown.empty());
    }

    void picturesOpenInThePicturesFolderAndTheListInTheDocumentsFolder() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->menuSavePicture->trigger();
        const ui::SaveRequest& picture = program.saveDialog.lastRequest;
        QCOMPARE(picture.folder, ui::picturesFolder());
        QCOMPARE(picture.presetName, QStringLiteral("水的h-s图"));
        QCOMPARE(picture.filters, ui::pictureFilters());
        QCOMPARE(picture.selectedFilter, 0);
        QVERIFY(picture.filters.front().contains(QStringLiteral("*.bmp")));

        click(window->CHK[0]);
        click(window->CHK[1]);
        click(window->SCAL2);
        window->menuView[4]->trigger();
        QVERIFY(window->resultListWindow());
        click(window->resultListWindow()->CMDexport);
        QCOMPARE(program.saveDialog.lastRequest.folder, ui::documentsFolder());
        QCOMPARE(program.saveDialog.lastRequest.filters, QStringList{QStringLiteral("CSV 文件(*.csv)")});
    }

    void aLargerWindowSavesItsLargerPicture() {
        TestProgram program;
        auto window = openMainWindow(program);
        QVERIFY(window);
        window->resize(window->firstSize() + QSize(400, 300));
        QVERIFY(QTest::qWaitFor([&] { return window->Pic->size() == QSize(889, 877); }));
        testsupport::TemporaryDirectory dir;
        for (const char* name : {"big.bmp", "big.png"}) {
            program.saveDialog.answer = QString::fromStdString((dir.path() / name).string());
            window->menuSavePicture->trigger();
            QCOMPARE(QImage(*program.saveDialog.answer).size(), QSize(889, 877));
        }
        QCOMPARE(program.saveDialog.questions.back(), ui::pictureSizeAnswers(QSize(889, 877)));
    }
};

REGISTER_UI_TEST(PictureSavingTest);

#include "picture_saving_test.moc"
