// One main for every window test class: offscreen unless a display is chosen, the
// program's style and fonts, then each class in turn (or only those named on the command
// line, e.g. `ui_tests LoginTest`).
#include "test_registry.h"

#include "ui/qt_translation.h"
#include "ui/window_fonts.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTest>

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
