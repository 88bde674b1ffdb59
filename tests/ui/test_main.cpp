// One main for every window test class: offscreen unless a display is chosen, the
// program's style and fonts, then each class in turn (or only those named on the command
// line, e.g. `ui_tests LoginTest`). The classes registered in the sources must be exactly
// those the build lists (STEAM_UI_TEST_CLASSES), or nothing runs.
#include "test_registry.h"

#include "ui/qt_translation.h"
#include "ui/window_fonts.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    steam::ui::installFontSubstitutions();
    // As the program does; the translation test fails when it is missing.
    steam::ui::installQtChineseTranslation();
    QApplication::setFont(steam::ui::defaultWindowFont());

    const QStringList listed = QStringLiteral(STEAM_UI_TEST_CLASSES).split(QLatin1Char(','));
    QStringList registered;
    for (const auto& entry : steam::uitest::testRegistry()) registered << QString::fromLatin1(entry.name);
    if (QStringList(listed).size() != registered.size() ||
        !std::all_of(listed.begin(), listed.end(), [&](const QString& name) { return registered.contains(name); })) {
        std::fprintf(stderr, "ui_tests: the test classes in the sources (%s) differ from those the build lists (%s)\n",
                     qPrintable(registered.join(QLatin1Char(' '))), qPrintable(listed.join(QLatin1Char(' '))));
        return EXIT_FAILURE;
    }

    QStringList only;
    for (int i = 1; i < argc; ++i) only << QString::fromLocal8Bit(argv[i]);
    int failed = 0;
    for (const auto& entry : steam::uitest::testRegistry()) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(entry.name))) continue;
        auto test = entry.make();
        failed += QTest::qExec(test.get(), QStringList{QString::fromLocal8Bit(argv[0])});
    }
    return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
