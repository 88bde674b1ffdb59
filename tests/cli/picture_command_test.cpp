// `steamcalc diagram` refuses bad arguments with exit code 2 and a line naming the
// problem, fails with 1 naming the file when data fail, and otherwise writes the
// diagram (BMP, PNG for a .png name, SVG for a .svg name) after the curves are loaded,
// at the size asked for.
#include "cli/picture_command.h"

#include "support/fixture_database.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
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
        {{"a.png", "--chart"}, "--chart"},
        {{"a.png", "--isotherms", "--chart", "pt"}, "the pt chart has no isotherms"},
        {{"a.png", "--chart", "hs", "--isentropes"}, "the hs chart has no isentropes"},
        {{"a.png", "--chart", "pv", "--window", "1", "0.1", "0.1", "10"}, "vmin < vmax"},
        {{"a.png", "--chart", "pt", "--window", "0", "600", "0", "10"}, "logarithmic"},
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

TEST(PictureCommandTest, WritesTheRequestedPictureOrFailsNamingTheData) {
    TemporaryDirectory dir;
    FixtureDatabase fixture;
    for (int r = 1; r <= 40; ++r) {
        const double f = (r - 1) / 39.0;
        fixture.addSaturationRow(10 * r, 0.001 * r, 0.001, 10.0 / r, 42 + 2000 * f, 2500 + 200 * f, 0.15 + 4.2 * f,
                                 8.9 - 4.4 * f);
    }
    fixture.addCurvePoint(Source::DengT, 300, 1340, 3.25).addCurvePoint(Source::DengT, 300, 3050, 7.0);
    fixture.addChartPoint("PT_V", 0.1, 200, 1.5).addChartPoint("PT_V", 0.1, 500, 3.0);
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
        {"zoomed.jpg", {"--isotherms", "--window", "5", "7", "2500", "3100"}, "BM", true, {489, 465}},
        {"beside.png", {"--all", "--window", "8", "9.5", "100", "600"}, "\x89PNG", false, {489, 465}},
        {"print.png", {"--all", "--size", "1528", "1453"}, "\x89PNG", true, {1528, 1453}},
        {"print.svg", {"--all", "--size", "978", "930"}, "<?xm", true, {978, 930}},
        {"pv.svg", {"--chart", "pv", "--all"}, "<?xm", false, {489, 465}},
        {"pt.png", {"--chart", "pt", "--isochores", "--window", "100", "600", "0.1", "100"}, "\x89PNG", false, {489, 465}},
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

}  // namespace
}  // namespace steam::cli
