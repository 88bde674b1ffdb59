// `steamcalc diagram` refuses bad arguments with exit code 2 and a line naming the
// problem, fails with 1 naming the file when data fail, and otherwise writes the
// diagram (BMP, or PNG for a .png name) after the curves are loaded.
#include "cli/picture_command.h"

#include "support/fixture_database.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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
    std::string error;
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    struct Case {
        const char* file;
        std::vector<std::string> options;
        const char* magic;
        bool isotherm;
    };
    const Case cases[] = {
        {"plain.bmp", {}, "BM", false},
        {"all.png", {"--all"}, "\x89PNG", true},
        {"zoomed.jpg", {"--isotherms", "--window", "5", "7", "2500", "3100"}, "BM", true},
        {"beside.png", {"--all", "--window", "8", "9.5", "100", "600"}, "\x89PNG", false},
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
        const QImage image(QString::fromStdString(path), c.magic[0] == 'B' ? "BMP" : "PNG");
        ASSERT_EQ(image.size(), QSize(489, 465)) << c.file;
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x) red = image.pixelColor(x, y) == QColor(200, 0, 0);
        EXPECT_EQ(red, c.isotherm) << c.file << ": isotherm pixels";
    }
    fixture.leaveOutFile(Source::DengP);
    ASSERT_TRUE(fixture.write(dir.path(), error)) << error;
    const CommandResult broken = run({(dir.path() / "out.bmp").string(), "--all"}, dir.path());
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("DengP"), std::string::npos) << broken.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.bmp"));
}

}  // namespace
}  // namespace steam::cli
