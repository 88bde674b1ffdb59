#include "table_pdf.h"

#include "gui_scope.h"
#include "render/table_print.h"

namespace steam::cli {

bool writeTablePdfFile(const panels::TablePageTexts& texts, const std::string& file, std::string& error) {
    GuiScope gui;
    if (!gui.ok()) {
        error = "text needs a QGuiApplication, but another kind of application object exists";
        return false;
    }
    QString why;
    if (render::writeTablePdf(texts, QString::fromStdString(file), &why)) return true;
    error = why.toStdString();
    return false;
}

}  // namespace steam::cli
