// The desktop program: starts at the login window; the data files are looked for beside
// the executable, then in ../share/steamtables.
#include "data/property_database.h"
#include "ui/f_login.h"
#include "ui/message_service.h"
#include "ui/print_preview_service.h"
#include "ui/qt_translation.h"
#include "ui/save_dialog_service.h"
#include "ui/window_fonts.h"

#include <QApplication>
#include <QStyleFactory>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Windows end only through the program's own exit paths, never by the last one closing.
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    steam::ui::installFontSubstitutions();
    steam::ui::installQtChineseTranslation();
    QApplication::setFont(steam::ui::defaultWindowFont());

    steam::ui::QtMessageService messages;
    steam::ui::QtSaveDialogService saveDialog;
    steam::ui::QtPrintPreviewService printPreview;
    steam::ui::ProgramContext context;
    context.messages = &messages;
    context.saveDialog = &saveDialog;
    context.printPreview = &printPreview;
    context.dataPlaces = steam::data::dataPlaces();
    context.endProgram = [](int status) { QCoreApplication::exit(status); };

    auto login = std::make_unique<steam::ui::fLogin>(context);
    login->show();
    const int status = QApplication::exec();
    login.reset();
    return status;
}
