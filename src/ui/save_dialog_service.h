#pragma once
// The save-file dialog behind an interface, so that tests choose the path (or cancel)
// without a real modal dialog.
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace steam::ui {

class SaveDialogService {
public:
    virtual ~SaveDialogService() = default;
    /// Asks for a file to save into, preset to presetName and offering the one filter;
    /// nothing when the user cancels.
    virtual std::optional<QString> askSavePath(QWidget* parent, const QString& presetName,
                                               const QString& filter) = 0;
};

/// A real QFileDialog.
class QtSaveDialogService final : public SaveDialogService {
public:
    std::optional<QString> askSavePath(QWidget* parent, const QString& presetName, const QString& filter) override;
};

/// Sets up Qt's file dialog for saving under presetName with the one filter; a name typed
/// without an extension gets that of the filter's first pattern.
void prepareSaveDialog(QFileDialog& dialog, const QString& presetName, const QString& filter);

/// The patterns of a filter such as "pictures(*.bmp;*.jpg)": "*.bmp", "*.jpg".
QStringList filterPatterns(const QString& filter);

}  // namespace steam::ui
