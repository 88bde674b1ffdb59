#pragma once
// The print preview behind an interface, so that tests print the pages into a file instead of
// showing a modal preview; like the message and save-dialog services.
#include <functional>

class QPrinter;
class QWidget;

namespace steam::ui {

class PrintPreviewService {
public:
    virtual ~PrintPreviewService() = default;
    /// Shows the pages that `paint` draws for the printer, from which the user may print
    /// them; `paint` may be called again for another printer or page setup.
    virtual void preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
};

/// Qt's print preview dialog.
class QtPrintPreviewService final : public PrintPreviewService {
public:
    void preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
};

}  // namespace steam::ui
