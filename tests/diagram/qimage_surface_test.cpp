// The QImage surface turns diagram coordinates into pixels of a 489 x 465 image: the
// window sits on the background inside grey margins and a black frame, the overlay
// comes and goes without touching the image, and the image is saved as BMP data.
#include "render/qimage_surface.h"

#include "calc/register_store.h"
#include "diagram/diagram.h"
#include "support/fixture_database.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>

#include <gtest/gtest.h>

#include <string>

namespace steam::render {
namespace {

using diagram::Rgb;

Rgb pixelAt(const QImage& image, QPoint p) {
    const QColor c = image.pixelColor(p);
    return Rgb{c.red(), c.green(), c.blue()};
}

std::string text(Rgb c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

QPoint pixelOf(const QImageSurface& pic, double s, double h) {
    const QPointF p = pic.toPixel(s, h);
    return QPoint(static_cast<int>(std::floor(p.x() + 0.5)), static_cast<int>(std::floor(p.y() + 0.5)));
}

struct DrawnDiagram {
    QImageSurface pic;
    diagram::Diagram diagram;
    calc::RegisterStore registers;
    void draw(double xmin = 0, double xmax = 9.99, double ymin = 0, double ymax = 5000) {
        diagram.scale.DefineScale(xmin, xmax, ymin, ymax);
        diagram.drawWindow(pic, registers, xmin, xmax, ymin, ymax);
    }
};

TEST(QImageSurfaceTest, ImageHasThePictureBoxSizeInPremultipliedArgb) {
    QImageSurface pic;
    EXPECT_EQ(pic.image().size(), QSize(489, 465));
    EXPECT_EQ(pic.image().format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(pic.overlay().size(), QSize(489, 465));
}

TEST(QImageSurfaceTest, DefaultDiagramShowsBackgroundMarginsAndFrame) {
    auto scene = std::make_unique<DrawnDiagram>();
    scene->draw();
    const QImage& image = scene->pic.image();
    struct Probe {
        const char* where;
        QPoint pixel;
        Rgb expected;
    };
    const Rgb background{240, 243, 240}, margin{210, 215, 210}, black{0, 0, 0};
    const Probe probes[] = {
        {"inside the window between grid lines", pixelOf(scene->pic, 0.5, 250), background},
        {"inside the window upper right", pixelOf(scene->pic, 9.5, 4750), background},
        {"top left corner of the surface", QPoint(2, 2), margin},
        {"bottom right corner of the surface", QPoint(486, 462), margin},
        {"right margin, mid height", pixelOf(scene->pic, 10.5, 2750), margin},
        {"left frame edge", pixelOf(scene->pic, 0, 2750), black},
        {"right frame edge", pixelOf(scene->pic, 9.99, 2750), black},
        {"bottom frame edge", pixelOf(scene->pic, 5.5, 0), black},
        {"top frame edge", pixelOf(scene->pic, 5.5, 5000), black},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(pixelAt(image, p.pixel), p.expected)
            << p.where << " at (" << p.pixel.x() << ", " << p.pixel.y() << ") is " << text(pixelAt(image, p.pixel));
}

TEST(QImageSurfaceTest, HorizontalGridIsDottedInOnePixelDots) {
    auto scene = std::make_unique<DrawnDiagram>();
    scene->draw();
    const QImage& image = scene->pic.image();
    const int row = pixelOf(scene->pic, 5, 2500).y();
    const int from = pixelOf(scene->pic, 0.5, 2500).x(), to = pixelOf(scene->pic, 9.5, 2500).x();
    int dots = 0;
    bool previousDot = false;
    for (int x = from; x <= to; ++x) {
        const bool dot = pixelAt(image, QPoint(x, row)) == Rgb{100, 100, 100};
        EXPECT_FALSE(dot && previousDot) << "two grid pixels side by side at x = " << x;
        dots += dot;
        previousDot = dot;
    }
    EXPECT_GT(dots, (to - from) / 4) << "too few dots on the h = 2500 line";
    // The vertical grid lines are solid.
    const int column = pixelOf(scene->pic, 5, 2500).x();
    for (int y = pixelOf(scene->pic, 5, 4900).y(); y <= pixelOf(scene->pic, 5, 2600).y(); ++y)
        EXPECT_EQ(pixelAt(image, QPoint(column, y)), (Rgb{150, 150, 150})) << "s = 5 line at y = " << y;
}

TEST(QImageSurfaceTest, OverlayIsClearedWithoutTouchingTheImage) {
    auto scene = std::make_unique<DrawnDiagram>();
    scene->draw();
    const QImage before = scene->pic.image().copy();
    QImageSurface& pic = scene->pic;
    pic.setRetained(false);
    pic.rectangle(2, 1000, 6, 3000, Rgb{0, 0, 0});
    const QPoint corner = pixelOf(pic, 2, 1000);
    EXPECT_EQ(qAlpha(pic.overlay().pixel(corner)), 255);
    EXPECT_EQ(pic.image(), before) << "overlay drawing reached the image";
    EXPECT_EQ(pixelAt(pic.composed(), corner), (Rgb{0, 0, 0}));

    pic.clear();
    EXPECT_EQ(qAlpha(pic.overlay().pixel(corner)), 0);
    EXPECT_EQ(pic.image(), before) << "clearing the overlay touched the image";
    EXPECT_EQ(pic.composed(), before.convertToFormat(pic.composed().format()));
}

TEST(QImageSurfaceTest, ChangesAreAnnouncedAtTheEndOfAPassAndForOverlayDrawing) {
    auto scene = std::make_unique<DrawnDiagram>();
    int calls = 0;
    scene->pic.onChanged = [&calls] { ++calls; };
    scene->draw();
    EXPECT_EQ(calls, 1) << "one retained pass";
    scene->pic.line(1, 100, 2, 200, Rgb{255, 0, 0});
    scene->pic.clear();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(scene->pic.changeCount(), 3u);
}

TEST(QImageSurfaceTest, RetainedClearUsesTheBackgroundColour) {
    const Rgb colours[] = {{240, 243, 240}, {255, 255, 255}, {10, 20, 30}};
    for (Rgb colour : colours) {
        QImageSurface pic;
        pic.setBackground(colour);
        pic.setRetained(true);
        pic.clear();
        pic.setRetained(false);
        EXPECT_EQ(pixelAt(pic.image(), QPoint(100, 100)), colour) << text(colour);
    }
}

TEST(QImageSurfaceTest, PixelAndDiagramCoordinatesConvertBothWays) {
    QImageSurface pic;
    pic.setUserCoordinates(-0.7992, 5400, 10.7892, -400);
    const QPointF topLeft = pic.toPixel(-0.7992, 5400);
    const QPointF bottomRight = pic.toPixel(10.7892, -400);
    EXPECT_NEAR(topLeft.x(), 0, 1e-9);
    EXPECT_NEAR(topLeft.y(), 0, 1e-9);
    EXPECT_NEAR(bottomRight.x(), 489, 1e-9);
    EXPECT_NEAR(bottomRight.y(), 465, 1e-9);
    const QPointF samples[] = {{0, 0}, {244.5, 232.5}, {100.25, 400.75}};
    for (QPointF px : samples) {
        const QPointF user = pic.toUser(px);
        const QPointF back = pic.toPixel(user.x(), user.y());
        EXPECT_NEAR(back.x(), px.x(), 1e-9) << px.x() << ", " << px.y();
        EXPECT_NEAR(back.y(), px.y(), 1e-9) << px.x() << ", " << px.y();
    }
    EXPECT_GT(pic.toUser({0, 100}).y(), pic.toUser({0, 200}).y()) << "h must grow upward";
}

TEST(QImageSurfaceTest, SaveWritesBmpDataWhateverTheExtension) {
    auto scene = std::make_unique<DrawnDiagram>();
    scene->draw();
    testsupport::TemporaryDirectory dir;
    for (const char* name : {"diagram.bmp", "diagram.jpg", "diagram"}) {
        const QString path = QString::fromStdString((dir.path() / name).string());
        QString error;
        ASSERT_TRUE(scene->pic.saveBmp(path, &error)) << name << ": " << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.read(2), QByteArray("BM")) << name;
        QImageReader reader(path, "bmp");
        const QImage back = reader.read();
        ASSERT_FALSE(back.isNull()) << name << ": " << reader.errorString().toStdString();
        EXPECT_EQ(back.size(), QSize(489, 465)) << name;
        const QPoint inside = pixelOf(scene->pic, 0.5, 250);
        EXPECT_EQ(pixelAt(back, inside), (Rgb{240, 243, 240})) << name;
        EXPECT_EQ(pixelAt(back, QPoint(2, 2)), (Rgb{210, 215, 210})) << name;
    }
}

TEST(QImageSurfaceTest, SaveFailureGivesAReason) {
    QImageSurface pic;
    testsupport::TemporaryDirectory dir;
    const QString cases[] = {
        QString::fromStdString((dir.path() / "missing-folder" / "diagram.bmp").string()),
        QString::fromStdString(dir.path().string()),  // a folder, not a file
    };
    for (const QString& path : cases) {
        QString error;
        EXPECT_FALSE(pic.saveBmp(path, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

TEST(QImageSurfaceTest, MissingFontsMapToInstalledOnesThatCoverTheText) {
    struct Case {
        const char* requested;
        QFontDatabase::WritingSystem needs;
    };
    const Case cases[] = {{"宋体", QFontDatabase::SimplifiedChinese},
                          {"SimSun", QFontDatabase::SimplifiedChinese},
                          {"Arial", QFontDatabase::Latin}};
    for (const Case& c : cases) {
        const QString mapped = QImageSurface::mappedFamily(QString::fromUtf8(c.requested));
        // An installed family resolves to itself rather than to a substitute.
        QFont font(mapped);
        font.setPixelSize(11);
        const QString resolved = QFontInfo(font).family();
        EXPECT_EQ(resolved.left(resolved.indexOf(" [")).toStdString(), mapped.toStdString()) << c.requested;
        EXPECT_TRUE(QFontDatabase::writingSystems(mapped).contains(c.needs))
            << c.requested << " -> " << mapped.toStdString();
    }
}

TEST(QImageSurfaceTest, ChineseRegionLabelsLeaveInkWhereTheyAreWritten) {
    auto scene = std::make_unique<DrawnDiagram>();
    scene->diagram.CHKpic[diagram::kRegionLabels] = true;
    scene->draw();
    const QImage& image = scene->pic.image();
    struct Label {
        const char* text;
        double s, h;
    };
    for (const Label& label : {Label{"过热蒸汽", 7.5, 3700}, Label{"超临界区", 2.5, 3500}, Label{"饱和水", 0.5, 500}}) {
        const QPoint at = pixelOf(scene->pic, label.s, label.h);
        int ink = 0;
        for (int y = at.y(); y < at.y() + 22; ++y)
            for (int x = at.x(); x < at.x() + 60; ++x) {
                const Rgb p = pixelAt(image, QPoint(x, y));
                if (p.r < 225 && p.r == p.g && p.g == p.b) ++ink;  // grey text, not the greenish background
            }
        EXPECT_GT(ink, 40) << label.text;
    }
}

TEST(QImageSurfaceTest, FarAwayCoordinatesAreClippedNotLost) {
    QImageSurface pic;
    pic.setUserCoordinates(0, 1, 1, 0);
    pic.setRetained(true);
    pic.clear();
    // A line from far outside through the middle of the surface still shows there.
    pic.line(-1e9, 0.5, 1e9, 0.5, Rgb{255, 0, 0});
    pic.filledRectangle(-1e12, -1e12, 0.1, 0.1, Rgb{0, 0, 255});
    pic.setRetained(false);
    EXPECT_EQ(pixelAt(pic.image(), pixelOf(pic, 0.5, 0.5)), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(pic.image(), QPoint(5, 460)), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace steam::render
