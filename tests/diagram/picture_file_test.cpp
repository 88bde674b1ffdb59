// A picture's format is the one its name's extension names, case aside, and nothing for any
// other name; a file is written whole, and a failed write leaves an earlier file as it was.
#include "render/picture_file.h"

#include "support/fixture_database.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace steam::render {
namespace {

TEST(PictureFileTest, TheExtensionNamesTheFormat) {
    const std::pair<const char*, std::optional<PictureFormat>> cases[] = {
        {"chart.bmp", PictureFormat::Bmp},
        {"chart.PNG", PictureFormat::Png},
        {"a.b.jpg", PictureFormat::Jpeg},
        {"x.JpEg", PictureFormat::Jpeg},
        {"/tmp/d.svg", PictureFormat::Svg},
        {"水的h-s图.pdf", PictureFormat::Pdf},
        {"chart.gif", std::nullopt},
        {"chart", std::nullopt},
        {"-", std::nullopt},
        {"chart.png.txt", std::nullopt},
        {"chart.", std::nullopt},
        {"pictures.png/chart", std::nullopt},
    };
    for (const auto& [name, format] : cases) EXPECT_EQ(formatOfFileName(QString::fromUtf8(name)), format) << name;
    for (PictureFormat f :
         {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Svg, PictureFormat::Pdf})
        EXPECT_EQ(formatOfFileName(QStringLiteral("a.") + extensionOf(f)), f);
}

TEST(PictureFileTest, FilesAreWrittenWholeOrLeftAsTheyWere) {
    testsupport::TemporaryDirectory dir;
    const QString path = QString::fromStdString((dir.path() / "a.png").string());
    QString error;
    ASSERT_TRUE(writeWholeFile(path, "first", &error)) << error.toStdString();
    ASSERT_TRUE(writeWholeFile(path, "second, longer", &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("second, longer"));
    file.close();

    // The folder cannot take the temporary file: the earlier file stays as it was.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool folderLocked = !std::ofstream((dir.path() / "probe").string());  // root may write anyway
    if (folderLocked) {
        EXPECT_FALSE(writeWholeFile(path, "third", &error));
        EXPECT_FALSE(error.isEmpty());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("second, longer"));
        file.close();
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);

    for (const auto& target : {dir.path() / "missing" / "a.png", dir.path()}) {
        error.clear();
        EXPECT_FALSE(writeWholeFile(QString::fromStdString(target.string()), "x", &error)) << target;
        EXPECT_FALSE(error.isEmpty()) << target;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

}  // namespace
}  // namespace steam::render
