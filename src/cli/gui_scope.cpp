#include "gui_scope.h"

namespace steam::cli {
namespace {

QtMessageHandler previousHandler = nullptr;
char programName[] = "steamcalc";
char* arguments[] = {programName, nullptr};
int argumentCount = 1;

// Without a desktop session Qt complains about XDG_RUNTIME_DIR, which the commands never use.
void quietStartup(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

GuiScope::GuiScope() {
    if (QCoreApplication::instance()) {
        m_ok = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(&quietStartup);
    m_app = std::make_unique<QGuiApplication>(argumentCount, arguments);
    qInstallMessageHandler(previousHandler);
}

}  // namespace steam::cli
