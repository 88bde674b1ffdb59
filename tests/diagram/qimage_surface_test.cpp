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

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace steam::render {
namespace {

using diagram::Rgb;

Rgb pixelAt(const QImage& image, QPoint p) {
    const QColor c = image.pixelColor(p);
    return Rgb{c.red(), c.green(), c.blue()};
}

std::string text(Rgb c) { return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b); }

QPoint pixelOf(const QImageSurface& pic, double s, double h) {
    const QPointF p = pic.toPixel(s, h);
    return QPoint(static_cast<int>(std::floor(p.x() + 0.5)), static_cast<int>(std::floor(p.y() + 0.5)));
}

struct DrawnDiagram {
    QImageSurface pic;
    diagram::Diagram diagram;
    calc::RegisterStore registers;
    DrawnDiagram() {
        diagram.scale.DefineScale(0, 9.99, 0, 5000);
        diagram.drawWindow(pic, registers, 0, 9.99, 0, 5000);
    }
};

TEST(QImageSurfaceTest, DefaultDiagramShowsBackgroundMarginsFrameAndDottedGrid) {
    auto scene = std::make_unique<DrawnDiagram>();
    const QImage& image = scene->pic.image();
    ASSERT_EQ(image.size(), QSize(489, 465));
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    const Rgb background{240, 243, 240}, margin{210, 215, 210}, black{0, 0, 0};
    const std::pair<const char*, std::pair<QPoint, Rgb>> probes[] = {
        {"inside, between grid lines", {pixelOf(scene->pic, 0.5, 250), background}},
        {"inside, upper right", {pixelOf(scene->pic, 9.5, 4750), background}},
        {"surface top left", {QPoint(2, 2), margin}},
        {"surface bottom right", {QPoint(486, 462), margin}},
        {"right margin", {pixelOf(scene->pic, 10.5, 2750), margin}},
        {"left frame edge", {pixelOf(scene->pic, 0, 2750), black}},
        {"right frame edge", {pixelOf(scene->pic, 9.99, 2750), black}},
        {"bottom frame edge", {pixelOf(scene->pic, 5.5, 0), black}},
        {"top frame edge", {pixelOf(scene->pic, 5.5, 5000), black}},
        {"s = 5 grid line", {pixelOf(scene->pic, 5, 3200), Rgb{150, 150, 150}}},
    };
    for (const auto& [where, probe] : probes)
        EXPECT_EQ(pixelAt(image, probe.first), probe.second)
            << where << " at " << probe.first.x() << ", " << probe.first.y() << " is "
            << text(pixelAt(image, probe.first));

    // h = 2500 is dotted: one-pixel dots, never two side by side.
    const int row = pixelOf(scene->pic, 5, 2500).y();
    int dots = 0;
    bool previous = false;
    for (int x = pixelOf(scene->pic, 0.5, 0).x(); x <= pixelOf(scene->pic, 9.5, 0).x(); ++x) {
        const bool dot = pixelAt(image, QPoint(x, row)) == Rgb{100, 100, 100};
        EXPECT_FALSE(dot && previous) << "adjacent grid pixels at x = " << x;
        dots += dot;
        previous = dot;
    }
    EXPECT_GT(dots, 80);
}

TEST(QImageSurfaceTest, OverlayComesAndGoesWithoutTouchingTheImage) {
    auto scene = std::make_unique<DrawnDiagram>();
    QImageSurface& pic = scene->pic;
    int changes = 0;
    pic.onChanged = [&changes] { ++changes; };
    const QImage before = pic.image().copy();
    pic.rectangle(2, 1000, 6, 3000, Rgb{0, 0, 0});
    const QPoint corner = pixelOf(pic, 2, 1000);
    EXPECT_EQ(qAlpha(pic.overlay().pixel(corner)), 255);
    EXPECT_EQ(pixelAt(pic.composed(), corner), (Rgb{0, 0, 0}));
    pic.clear();
    EXPECT_EQ(qAlpha(pic.overlay().pixel(corner)), 0);
    EXPECT_EQ(pic.image(), before) << "overlay drawing or clearing reached the image";
    EXPECT_EQ(changes, 2) << "the widget must hear of each overlay change";
    scene->diagram.drawWindow(pic, scene->registers, 0, 9.99, 0, 5000);
    EXPECT_EQ(changes, 3) << "one notice per retained pass";
}

TEST(QImageSurfaceTest, SaveWritesBmpDataWhateverTheNameOrGivesAReason) {
    auto scene = std::make_unique<DrawnDiagram>();
    testsupport::TemporaryDirectory dir;
    for (const char* name : {"diagram.bmp", "diagram.jpg"}) {
        const QString path = QString::fromStdString((dir.path() / name).string());
        QString error;
        ASSERT_TRUE(scene->pic.saveBmp(path, &error)) << name << ": " << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(2), QByteArray("BM")) << name;
        const QImage back = QImageReader(path, "bmp").read();
        ASSERT_EQ(back.size(), QSize(489, 465)) << name;
        EXPECT_EQ(pixelAt(back, pixelOf(scene->pic, 0.5, 250)), (Rgb{240, 243, 240})) << name;
    }
    for (const auto& target : {dir.path() / "missing-folder" / "diagram.bmp", dir.path()}) {
        const QString path = QString::fromStdString(target.string());
        QString error;
        EXPECT_FALSE(scene->pic.saveBmp(path, &error)) << target;
        // A reason only: whoever reports the failure names the path.
        EXPECT_TRUE(!error.isEmpty() && !error.contains(path)) << error.toStdString();
    }
}

TEST(QImageSurfaceTest, MissingFontsMapToInstalledOnesAndChineseLabelsRender) {
    const std::pair<const char*, QFontDatabase::WritingSystem> requests[] = {
        {"宋体", QFontDatabase::SimplifiedChinese},
        {"SimSun", QFontDatabase::SimplifiedChinese},
        {"Arial", QFontDatabase::Latin}};
    for (const auto& [requested, needs] : requests) {
        const QString mapped = QImageSurface::mappedFamily(QString::fromUtf8(requested));
        QFont font(mapped);  // an installed family resolves to itself, not to a substitute
        const QString resolved = QFontInfo(font).family();
        EXPECT_EQ(resolved.left(resolved.indexOf(" [")).toStdString(), mapped.toStdString()) << requested;
        EXPECT_TRUE(QFontDatabase::writingSystems(mapped).contains(needs))
            << requested << " -> " << mapped.toStdString();
    }
    auto scene = std::make_unique<DrawnDiagram>();
    scene->diagram.CHKpic[diagram::kRegionLabels] = true;
    scene->diagram.drawWindow(scene->pic, scene->registers, 0, 9.99, 0, 5000);
    const QPoint at = pixelOf(scene->pic, 2.5, 3500);  // 超临界区
    int ink = 0;
    for (int y = at.y(); y < at.y() + 22; ++y)
        for (int x = at.x(); x < at.x() + 80; ++x) {
            const Rgb p = pixelAt(scene->pic.image(), QPoint(x, y));
            ink += p.r < 225 && p.r == p.g && p.g == p.b;  // grey glyphs, not the greenish background
        }
    EXPECT_GT(ink, 60);
}

TEST(QImageSurfaceTest, CoordinatesConvertBothWaysAndFarPointsAreClipped) {
    QImageSurface pic;
    pic.setUserCoordinates(-0.7992, 5400, 10.7892, -400);
    for (QPointF px : {QPointF(0, 0), QPointF(489, 465), QPointF(100.25, 400.75)}) {
        const QPointF user = pic.toUser(px);
        const QPointF back = pic.toPixel(user.x(), user.y());
        EXPECT_TRUE(std::abs(back.x() - px.x()) < 1e-9 && std::abs(back.y() - px.y()) < 1e-9)
            << px.x() << ", " << px.y();
    }
    EXPECT_NEAR(pic.toUser({489, 465}).y(), -400, 1e-9);
    pic.setRetained(true);
    pic.clear();
    pic.line(-1e9, 2500, 1e9, 2500, Rgb{255, 0, 0});
    pic.filledRectangle(-1e12, -1e12, 0, 0, Rgb{0, 0, 255});
    pic.setRetained(false);
    EXPECT_EQ(pixelAt(pic.image(), pixelOf(pic, 5, 2500)), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(pic.image(), QPoint(5, 460)), (Rgb{0, 0, 255}));
}

// A thin polyline is written pixel by pixel: every coloured pixel lies on a segment, the
// segments are unbroken from end to end, and far points are cut at the image's edge. Wide
// or dotted polylines go through the painter.
TEST(QImageSurfaceTest, PolylinesAreUnbrokenAndStayOnTheirSegments) {
    struct Case {
        const char* name;
        std::vector<QPointF> pixels;  // vertices in pixels
        int width;
    };
    const Case cases[] = {
        {"zigzag", {{10, 10}, {200, 60}, {210, 400}, {480, 455}, {30, 300}}, 1},
        {"steep and flat", {{100, 5}, {101, 460}, {102, 460}, {400, 459}}, 1},
        {"far beyond the edges", {{-1e7, 200}, {1e7, 260}, {240, -1e8}}, 1},
        {"two pixels wide", {{10, 10}, {200, 60}, {210, 400}}, 2},
    };
    const Rgb ink{200, 0, 0};
    for (const Case& c : cases) {
        QImageSurface pic;
        pic.setUserCoordinates(0, 0, 489, 465);  // diagram units are pixels
        pic.setRetained(true);
        pic.clear();
        pic.setLineWidth(c.width);
        std::vector<diagram::SurfacePoint> points;
        for (const QPointF& p : c.pixels) points.push_back({p.x(), p.y()});
        pic.polyline(points, ink);
        pic.setRetained(false);
        const QImage& image = pic.image();
        const auto distance = [&](QPointF p) {
            double best = 1e300;
            for (size_t i = 1; i < c.pixels.size(); ++i) {
                const QPointF a = c.pixels[i - 1], d = c.pixels[i] - a;
                const double t = std::clamp(QPointF::dotProduct(p - a, d) / QPointF::dotProduct(d, d), 0.0, 1.0);
                const QPointF off = p - (a + t * d);
                best = std::min(best, std::hypot(off.x(), off.y()));
            }
            return best;
        };
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (pixelAt(image, QPoint(x, y)) == ink) {
                    ++inked;
                    ASSERT_LE(distance(QPointF(x, y)), 0.5 + c.width) << c.name << ": stray pixel " << x << ", " << y;
                }
        EXPECT_GT(inked, 300) << c.name;
        // Along the longer axis of each segment, every column (or row) short of its ends
        // (a wide pen's flat caps stop there) is inked at one of the two pixels beside the
        // true line.
        for (size_t i = 1; i < c.pixels.size(); ++i) {
            const QPointF a = c.pixels[i - 1], b = c.pixels[i];
            const bool across = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
            const double from = across ? std::min(a.x(), b.x()) : std::min(a.y(), b.y());
            const double to = across ? std::max(a.x(), b.x()) : std::max(a.y(), b.y());
            const int limit = across ? image.width() : image.height();
            for (int u = std::max(0, static_cast<int>(std::ceil(from)) + 1);
                 u <= std::min(limit - 1.0, std::floor(to) - 1); ++u) {
                const double f = across ? (u - a.x()) / (b.x() - a.x()) : (u - a.y()) / (b.y() - a.y());
                const double v = across ? a.y() + f * (b.y() - a.y()) : a.x() + f * (b.x() - a.x());
                if (v < 0 || v > (across ? image.height() : image.width()) - 1) continue;
                bool inked = false;
                for (int w : {static_cast<int>(std::floor(v)), static_cast<int>(std::ceil(v))})
                    inked = inked || pixelAt(image, across ? QPoint(u, w) : QPoint(w, u)) == ink;
                ASSERT_TRUE(inked) << c.name << ": gap at " << (across ? "x " : "y ") << u;
            }
        }
    }
}

// Drawn at three times the size, the picture keeps its layout: the surface reports the size
// on screen, texts measure the same, and lines and letters are three times as thick.
TEST(QImageSurfaceTest, APrintScaleEnlargesTheSamePicture) {
    QImageSurface screen;
    QImageSurface print(3 * 489, 3 * 465, 3.0);
    EXPECT_EQ(print.pixelWidth(), 489);
    EXPECT_EQ(print.pixelHeight(), 465);
    for (const char* text : {" t=300", "5000", "饱和蒸汽"}) {
        const diagram::TextExtent a = screen.textExtent(text), b = print.textExtent(text);
        EXPECT_NEAR(b.width, a.width, 0.15 * a.width) << text;
        EXPECT_NEAR(b.height, a.height, 0.15 * a.height) << text;
    }
    for (QImageSurface* pic : {&screen, &print}) {
        pic->setUserCoordinates(0, 100, 100, 0);
        pic->setRetained(true);
        pic->clear();
        pic->line(10, 50, 90, 50, Rgb{0, 0, 0});
        pic->setRetained(false);
    }
    const auto thickness = [](const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) dark += pixelAt(image, QPoint(image.width() / 2, y)) == Rgb{0, 0, 0};
        return dark;
    };
    EXPECT_EQ(thickness(screen.image()), 1);
    EXPECT_EQ(thickness(print.image()), 3);
}

}  // namespace
}  // namespace steam::render
