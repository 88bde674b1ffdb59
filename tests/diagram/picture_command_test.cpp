// `steamcalc diagram` refuses bad arguments with exit code 2 and a line naming the
// problem, fails with 1 naming the file when data or output fail, and otherwise writes
// the diagram (BMP, or PNG for a .png name) after the curves are loaded.
#include "render/picture_command.h"

#include "data/property_database.h"
#include "support/fixture_database.h"

#include <QColor>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

namespace steam::render {
namespace {

using data::Source;
using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

// A dome of 40 rows and one isotherm, enough to see curves on the picture.
FixtureDatabase smallTables() {
    FixtureDatabase fixture;
    for (int r = 1; r <= 40; ++r) {
        const double f = (r - 1) / 39.0;
        fixture.addSaturationRow(10 * r, 0.001 * r, 0.001, 10.0 / r, 42 + 2000 * f, 2500 + 200 * f, 0.15 + 4.2 * f,
                                 8.9 - 4.4 * f);
    }
    fixture.addCurvePoint(Source::DengT, 300, 1340, 3.25)
        .addCurvePoint(Source::DengT, 300, 2750, 5.7)
        .addCurvePoint(Source::DengT, 300, 3050, 7.0);
    return fixture;
}

struct CommandResult {
    int code = -1;
    std::string out, err;
};

CommandResult run(const std::vector<std::string>& args, const std::filesystem::path& dataDir) {
    std::ostringstream out, err;
    CommandResult r;
    r.code = runPictureCommand(args, dataDir, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

TEST(PictureCommandTest, BadArgumentsAreRefusedWithAnExplanation) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{}, "输出文件"},
        {{"--all"}, "输出文件"},
        {{"a.bmp", "--isotherm"}, "--isotherm"},
        {{"a.bmp", "b.bmp"}, "b.bmp"},
        {{"a.bmp", "--window", "0", "10", "0"}, "--window"},
        {{"a.bmp", "--window", "0", "ten", "0", "5000"}, "ten"},
        {{"a.bmp", "--window", "0", "10", "0", "5000x"}, "5000x"},
        {{"a.bmp", "--window", "5", "2", "0", "5000"}, "smin < smax"},
        {{"a.bmp", "--window", "0", "10", "3000", "3000"}, "hmin < hmax"},
    };
    TemporaryDirectory dir;  // no data needed: arguments are checked first
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        const CommandResult r = run(c.args, dir.path());
        EXPECT_EQ(r.code, 2) << joined;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << joined << "-> " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << "-> " << r.err;
    }
}

TEST(PictureCommandTest, MissingOrBrokenDataFailsNamingTheFile) {
    struct Case {
        const char* name;
        std::function<void(FixtureDatabase&)> spoil;
        const char* mentions;
    };
    const Case cases[] = {
        {"no isobar file", [](FixtureDatabase& f) { f.leaveOutFile(Source::DengP); }, "DengP"},
        {"empty saturation table", [](FixtureDatabase&) {}, "SWATER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory dir;
        FixtureDatabase fixture = std::string(c.name) == "empty saturation table" ? FixtureDatabase() : smallTables();
        c.spoil(fixture);
        std::string error;
        ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
        const CommandResult r = run({(dir.path() / "out.bmp").string(), "--all"}, dir.path());
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.bmp"));
    }
}

TEST(PictureCommandTest, UnwritableOutputFailsNamingTheFile) {
    TemporaryDirectory dir;
    std::string error;
    ASSERT_TRUE(smallTables().write(dir.path(), error)) << error;
    const std::string target = (dir.path() / "no-such-folder" / "out.bmp").string();
    const CommandResult r = run({target}, dir.path());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(target), std::string::npos) << r.err;
}

TEST(PictureCommandTest, WritesBmpOrPngOfTheRequestedLayersAndWindow) {
    TemporaryDirectory dir;
    std::string error;
    ASSERT_TRUE(smallTables().write(dir.path(), error)) << error;
    struct Case {
        const char* file;
        std::vector<std::string> options;
        const char* magic;
        bool isothermShown;
    };
    const Case cases[] = {
        {"plain.bmp", {}, "BM", false},
        {"isotherms.bmp", {"--isotherms"}, "BM", true},
        {"all.png", {"--all"}, "\x89PNG", true},
        {"zoomed.BMP", {"--isotherms", "--window", "5", "7", "2500", "3100"}, "BM", true},
        {"beside.png", {"--all", "--window", "8", "9.5", "100", "600"}, "\x89PNG", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = (dir.path() / c.file).string();
        std::vector<std::string> args{path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandResult r = run(args, dir.path());
        ASSERT_EQ(r.code, 0) << r.err;
        std::ifstream file(path, std::ios::binary);
        std::string head(4, '\0');
        file.read(head.data(), 4);
        EXPECT_EQ(head.substr(0, std::string(c.magic).size()), c.magic);
        const QImage image(QString::fromStdString(path));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(489, 465));
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(200, 0, 0)) ++red;
        EXPECT_EQ(red > 0, c.isothermShown) << red << " isotherm pixels";
    }
}

}  // namespace
}  // namespace steam::render
