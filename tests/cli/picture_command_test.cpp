// `steamcalc diagram` refuses bad arguments with exit code 2 and a line naming the
// problem (a name without a picture's extension, a window too wide to draw among them),
// fails with 1 and one line naming the file when data or the file fail, and otherwise
// writes the diagram in the format its name's extension names (BMP, PNG, JPEG, SVG, PDF)
// after the curves are loaded, at the size asked for.
#include "cli/picture_command.h"

#include "support/fixture_database.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace steam::cli {
namespace {

using data::Source;
using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

struct CommandResult {
    int code = -1;
    std::string err;
};

CommandResult run(const std::vector<std::string>& args, const std::filesystem::path& dataDir) {
    std::ostringstream out, err;
    const int code = runPictureCommand(args, dataDir, out, err);
    return {code, err.str()};
}

TEST(PictureCommandTest, BadArgumentsAreRefusedWithOneLineNamingTheProblem) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "output file"},
        {{"--all"}, "output file"},
        {{"a.bmp", "--isotherm"}, "--isotherm"},
        {{"a.bmp", "b.bmp"}, "b.bmp"},
        {{"a.bmp", "--window", "0", "10", "0"}, "four numbers"},
        {{"a.bmp", "--window", "0", "ten", "0", "5000"}, "ten"},
        {{"a.bmp", "--window", "5", "2", "0", "5000"}, "smin < smax"},
        {{"a.bmp", "--window", "0", "10", "3000", "3000"}, "hmin < hmax"},
        {{"a.png", "--size", "800"}, "--size"},
        {{"a.png", "--size", "800", "60.5"}, "whole numbers"},
        {{"a.png", "--size", "8001", "600"}, "16 to 8000"},
        {{"a.png", "--size", "15", "600"}, "16 to 8000"},
        {{"a.png", "--chart", "sh"}, "--chart"},
        {{"a.png", "--cycle"}, "--cycle needs a cycle"},
        {{"a.png", "--cycle", "rankine p_high=8"}, "--cycle: p_low is missing"},
        {{"a.png", "--cycle", "rankine p_high=8 p_low=0.008 eta_pump=x"}, "(eta_pump=x)"},
        {{"a.png", "--chart"}, "--chart"},
        {{"a.png", "--isotherms", "--chart", "pt"}, "the pt chart has no isotherms"},
        {{"a.png", "--chart", "hs", "--isentropes"}, "the hs chart has no isentropes"},
        {{"a.png", "--chart", "pv", "--window", "1", "0.1", "0.1", "10"}, "vmin < vmax"},
        {{"a.png", "--chart", "pt", "--window", "0", "600", "0", "10"}, "logarithmic"},
        {{"a.gif"}, "a.gif: the picture's name must end in .bmp, .png, .jpg, .jpeg, .svg or .pdf"},
        {{"picture", "--all"}, "picture: the picture's name must end in .bmp, .png, .jpg, .jpeg, .svg or .pdf"},
        {{"-"}, "-: the picture's name must end in .bmp, .png, .jpg, .jpeg, .svg or .pdf"},
        {{"a.svg", "--window", "-1e308", "1e308", "-1e308", "1e308", "--all"}, "s from -1e308 to 1e308 is too wide"},
        {{"a.svg", "--window", "0", "10", "-1.5e308", "1.5e308"}, "h from -1.5e308 to 1.5e308 is too wide"},
        {{"a.png", "--window", "1e-300", "1.0000000000000002e-300", "0", "5000"}, "too narrow"},
    };
    TemporaryDirectory dir;  // arguments are checked before any data is read
    for (const auto& [args, mentions] : cases) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        const CommandResult r = run(args, dir.path());
        EXPECT_EQ(r.code, 2) << joined;
        EXPECT_TRUE(r.err.find(mentions) != std::string::npos && std::count(r.err.begin(), r.err.end(), '\n') == 1)
            << joined << "-> " << r.err;
    }
}

// A small dome, one isotherm and one p-t isochore.
FixtureDatabase smallCharts() {
    FixtureDatabase fixture;
    for (int r = 1; r <= 40; ++r) {
        const double f = (r - 1) / 39.0;
        fixture.addSaturationRow(10 * r, 0.001 * r, 0.001, 10.0 / r, 42 + 2000 * f, 2500 + 200 * f, 0.15 + 4.2 * f,
                                 8.9 - 4.4 * f);
    }
    fixture.addCurvePoint(Source::DengT, 300, 1340, 3.25).addCurvePoint(Source::DengT, 300, 3050, 7.0);
    fixture.addChartPoint("PT_V", 0.1, 200, 1.5).addChartPoint("PT_V", 0.1, 500, 3.0);
    return fixture;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PictureCommandTest, WritesTheRequestedPictureOrFailsNamingTheData) {
    TemporaryDirectory dir;
    FixtureDatabase fixture = smallCharts();
    std::string error;
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    struct Case {
        const char* file;
        std::vector<std::string> options;
        const char* magic;
        bool isotherm;
        QSize size;
    };
    const Case cases[] = {
        {"plain.bmp", {}, "BM", false, {489, 465}},
        {"all.png", {"--all"}, "\x89PNG", true, {489, 465}},
        {"zoomed.bmp", {"--isotherms", "--window", "5", "7", "2500", "3100"}, "BM", true, {489, 465}},
        {"beside.png", {"--all", "--window", "8", "9.5", "100", "600"}, "\x89PNG", false, {489, 465}},
        {"print.png", {"--all", "--size", "1528", "1453"}, "\x89PNG", true, {1528, 1453}},
        {"print.svg", {"--all", "--size", "978", "930"}, "<?xm", true, {978, 930}},
        {"pv.svg", {"--chart", "pv", "--all"}, "<?xm", false, {489, 465}},
        {"pt.png",
         {"--chart", "pt", "--isochores", "--window", "100", "600", "0.1", "100"},
         "\x89PNG",
         false,
         {489, 465}},
    };
    for (const Case& c : cases) {
        const std::string path = (dir.path() / c.file).string();
        std::vector<std::string> args{path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandResult r = run(args, dir.path());
        ASSERT_EQ(r.code, 0) << c.file << ": " << r.err;
        std::string head(4, '\0');
        std::ifstream(path, std::ios::binary).read(head.data(), 4);
        EXPECT_EQ(head.substr(0, std::string(c.magic).size()), c.magic) << c.file;
        QImage image;
        if (c.magic[0] == '<') {
            QSvgRenderer svg(QString::fromStdString(path));
            ASSERT_TRUE(svg.isValid()) << c.file;
            image = QImage(svg.viewBox().size(), QImage::Format_RGB32);  // pixels; its width and height are in mm
            QPainter painter(&image);
            svg.render(&painter);
        } else {
            image = QImage(QString::fromStdString(path), c.magic[0] == 'B' ? "BMP" : "PNG");
        }
        ASSERT_EQ(image.size(), c.size) << c.file;
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x) red = image.pixelColor(x, y) == QColor(200, 0, 0);
        EXPECT_EQ(red, c.isotherm) << c.file << ": isotherm pixels";
    }
    std::ifstream svg((dir.path() / "print.svg").string());
    const std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    for (const char* title : {"<title>水的h-s图</title>", "s (kJ/kg.K)", "h (kJ/kg)", "t=300"})
        EXPECT_NE(text.find(title), std::string::npos) << title;
    std::ifstream pvFile((dir.path() / "pv.svg").string());
    const std::string pv((std::istreambuf_iterator<char>(pvFile)), std::istreambuf_iterator<char>());
    // The file is titled after the chart it holds.
    for (const char* title : {"<title>水的p-v图</title>", "v (m^3/kg)", "p (MPa)"})
        EXPECT_NE(pv.find(title), std::string::npos) << title;
    const QImage pt(QString::fromStdString((dir.path() / "pt.png").string()), "PNG");
    bool isochore = false;
    for (int y = 0; y < pt.height() && !isochore; ++y)
        for (int x = 0; x < pt.width() && !isochore; ++x) isochore = pt.pixelColor(x, y) == QColor(0, 170, 0);
    EXPECT_TRUE(isochore) << "the p-t chart's isochore";
    const CommandResult unwritable = run({(dir.path() / "no" / "such.svg").string()}, dir.path());
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("such.svg"), std::string::npos) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no"));
    fixture.leaveOutFile(Source::DengP);
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    const CommandResult broken = run({(dir.path() / "out.bmp").string(), "--all"}, dir.path());
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("DengP"), std::string::npos) << broken.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.bmp"));
}

// The extension names the format, in any case; a PDF is one page of the picture's size at
// 96 dpi, drawn as text and lines; a JPEG is the same picture as the PNG within JPEG's loss.
TEST(PictureCommandTest, TheNamesExtensionChoosesTheFormat) {
    TemporaryDirectory dir;
    FixtureDatabase fixture = smallCharts();
    std::string error;
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    struct Case {
        const char* file;
        std::vector<std::string> options;
        const char* magic;
        QSizeF size;  // pixels, or points of a PDF page
    };
    const Case cases[] = {
        {"a.jpg", {"--all"}, "\xFF\xD8\xFF", {489, 465}},
        {"b.JPEG", {"--chart", "ts", "--all"}, "\xFF\xD8\xFF", {489, 465}},
        {"c.Png", {}, "\x89PNG", {489, 465}},
        {"d.BMP", {}, "BM", {489, 465}},
        {"e.pdf", {"--all"}, "%PDF", {366.75, 348.75}},
        {"f.PDF", {"--chart", "pv", "--all", "--size", "978", "930"}, "%PDF", {733.5, 697.5}},
        {"g.svg", {"--chart", "pt", "--all"}, "<?xm", {489, 465}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::filesystem::path path = dir.path() / c.file;
        std::vector<std::string> args{path.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandResult r = run(args, dir.path());
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string bytes = contents(path);
        EXPECT_EQ(bytes.substr(0, std::string(c.magic).size()), c.magic);
        if (c.magic[0] == '%') {
            // One page, its media box the picture's size in points; text as text, no image.
            size_t pages = 0;
            for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
                 at = bytes.find("/Type /Page\n", at + 1))
                ++pages;
            EXPECT_EQ(pages, 1u);
            // PDF pages are whole points.
            const size_t box = bytes.find("/MediaBox [0 0 ");
            ASSERT_NE(box, std::string::npos);
            char* end = nullptr;
            const double width = std::strtod(bytes.c_str() + box + 15, &end);
            const double height = std::strtod(end, nullptr);
            EXPECT_NEAR(width, c.size.width(), 0.5);
            EXPECT_NEAR(height, c.size.height(), 0.5);
            EXPECT_NE(bytes.find("/Font"), std::string::npos);
            EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos);
        } else if (c.magic[0] != '<') {
            const QImage image(QString::fromStdString(path.string()));
            EXPECT_EQ(QSizeF(image.size()), c.size);
        }
    }
    // The JPEG shows what the PNG shows.
    ASSERT_EQ(run({(dir.path() / "same.png").string(), "--all"}, dir.path()).code, 0);
    const QImage png(QString::fromStdString((dir.path() / "same.png").string()));
    const QImage jpeg(QString::fromStdString((dir.path() / "a.jpg").string()));
    ASSERT_EQ(png.size(), jpeg.size());
    double difference = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QColor a = png.pixelColor(x, y), b = jpeg.pixelColor(x, y);
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
        }
    EXPECT_LT(difference / (png.width() * png.height() * 3), 4.0) << "mean difference per channel";
}

// Whatever the window, the picture is drawn with finite coordinates or the window is refused.
TEST(PictureCommandTest, ExtremeWindowsAreDrawnRightOrRefused) {
    TemporaryDirectory dir;
    FixtureDatabase fixture = smallCharts();
    std::string error;
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    const std::vector<std::vector<std::string>> windows = {
        {"--chart", "pt", "--window", "0", "600", "0.001", "1e307"},
        {"--chart", "pv", "--window", "1e-300", "1e300", "1e-300", "1e300"},
        {"--window", "-1e300", "1e300", "0", "5000"},
        {"--window", "-1e308", "1e308", "-1e308", "1e308"},
        {"--window", "5", "5.000000001", "2000", "2000.0000001"},
        {"--chart", "ts", "--window", "0", "1e-200", "0", "1e-200"},
    };
    for (const auto& window : windows) {
        std::string joined;
        for (const auto& w : window) joined += w + " ";
        SCOPED_TRACE(joined);
        const std::filesystem::path path = dir.path() / "w.svg";
        std::filesystem::remove(path);
        std::vector<std::string> args{path.string(), "--all"};
        args.insert(args.end(), window.begin(), window.end());
        const CommandResult r = run(args, dir.path());
        ASSERT_TRUE(r.code == 0 || r.code == 2) << r.err;
        if (r.code == 2) {
            EXPECT_NE(r.err.find("--window"), std::string::npos) << r.err;
            EXPECT_FALSE(std::filesystem::exists(path));
            continue;
        }
        const std::string svg = contents(path);
        for (const char* bad : {"nan", "inf"}) EXPECT_EQ(svg.find(bad), std::string::npos) << bad;
        EXPECT_TRUE(QSvgRenderer(QByteArray::fromStdString(svg)).isValid());
    }
}

// A file that cannot be written ends with exit 1 and one line naming it; a device is written
// to as it is and never replaced, and no half-written file is left.
TEST(PictureCommandTest, AnUnwritablePictureFailsWithOneLine) {
    TemporaryDirectory dir;
    FixtureDatabase fixture = smallCharts();
    std::string error;
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    std::vector<std::filesystem::path> targets{dir.path() / "missing" / "a.png", dir.path() / "missing" / "a.pdf"};
    const bool haveFullDevice = std::filesystem::is_character_file("/dev/full");
    if (haveFullDevice) {
        for (const char* name : {"full.png", "full.svg", "full.pdf"}) {
            std::filesystem::create_symlink("/dev/full", dir.path() / name);
            targets.push_back(dir.path() / name);
        }
    }
    for (const auto& target : targets) {
        const CommandResult r = run({target.string(), "--all"}, dir.path());
        EXPECT_EQ(r.code, 1) << target;
        EXPECT_TRUE(r.err.find(target.filename().string()) != std::string::npos &&
                    std::count(r.err.begin(), r.err.end(), '\n') == 1)
            << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
    if (haveFullDevice) {
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "full.png"));
    }
}

}  // namespace
}  // namespace steam::cli
