#include "save_dialog_service.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace steam::ui {

QStringList filterPatterns(const QString& filter) {
    const auto open = filter.indexOf(u'(');
    const auto close = filter.lastIndexOf(u')');
    const QString inner = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    return inner.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
}

void prepareSaveDialog(QFileDialog& dialog, const QString& presetName, const QString& filter) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's dialog splits a filter's patterns on blanks only, so "*.bmp;*.jpg" would match
    // no file. The patterns go again, blank-separated, in a trailing group that the dialog
    // filters on and hides, leaving the label as given.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filter + QStringLiteral(" (") + filterPatterns(filter).join(u' ') + u')');
    // A name typed without an extension gets the first pattern's: a picture stays a .bmp,
    // a table a .csv.
    const QStringList patterns = filterPatterns(filter);
    if (!patterns.isEmpty() && patterns.front().startsWith(QStringLiteral("*.")))
        dialog.setDefaultSuffix(patterns.front().mid(2));
    dialog.selectFile(presetName);
}

std::optional<QString> QtSaveDialogService::askSavePath(QWidget* parent, const QString& presetName,
                                                        const QString& filter) {
    QFileDialog dialog(parent);
    prepareSaveDialog(dialog, presetName, filter);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.front();
}

}  // namespace steam::ui
