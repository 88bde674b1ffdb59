#include "print_preview_service.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace steam::ui {

void QtPrintPreviewService::preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(*target); });
    dialog.exec();
}

}  // namespace steam::ui
