#include "save_dialog_service.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace steam::ui {

namespace {

// Qt's dialog splits a filter's patterns on blanks only, so "*.bmp;*.jpg" would match no
// file. The patterns go again, blank-separated, in a trailing group that the dialog filters
// on and hides, leaving the label as given.
QString dialogFilter(const QString& filter) {
    return filter + QStringLiteral(" (") + filterPatterns(filter).join(u' ') + u')';
}

QString suffixOf(const QString& filter) {
    const QStringList patterns = filterPatterns(filter);
    return !patterns.isEmpty() && patterns.front().startsWith(QStringLiteral("*.")) ? patterns.front().mid(2)
                                                                                    : QString();
}

QString existingOrHome(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

}  // namespace

QStringList filterPatterns(const QString& filter) {
    const auto open = filter.indexOf(u'(');
    const auto close = filter.lastIndexOf(u')');
    const QString inner = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    return inner.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
}

void prepareSaveDialog(QFileDialog& dialog, const SaveRequest& request) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const QString& filter : request.filters) filters << dialogFilter(filter);
    dialog.setNameFilters(filters);
    const int chosen =
        request.selectedFilter >= 0 && request.selectedFilter < filters.size() ? request.selectedFilter : 0;
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters[chosen]);
        // A name typed without an extension gets the chosen type's: a picture stays a .bmp,
        // a table a .csv.
        dialog.setDefaultSuffix(suffixOf(request.filters[chosen]));
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, request, filters](const QString& filter) {
                         const qsizetype index = filters.indexOf(filter);
                         if (index >= 0) dialog.setDefaultSuffix(suffixOf(request.filters[index]));
                     });
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    dialog.selectFile(request.presetName);
}

void prepareSaveDialog(QFileDialog& dialog, const QString& presetName, const QString& filter) {
    prepareSaveDialog(dialog, SaveRequest{presetName, {filter}, 0, {}});
}

QString picturesFolder() { return existingOrHome(QStandardPaths::PicturesLocation); }

QString documentsFolder() { return existingOrHome(QStandardPaths::DocumentsLocation); }

std::optional<SaveChoice> QtSaveDialogService::askSave(QWidget* parent, const SaveRequest& request) {
    QFileDialog dialog(parent);
    prepareSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    QStringList filters;
    for (const QString& filter : request.filters) filters << dialogFilter(filter);
    return SaveChoice{chosen.front(),
                      static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<int> QtSaveDialogService::askChoice(QWidget* parent, const QString& title, const QString& question,
                                                  const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Cancel, parent);
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("取消"));
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers) buttons << box.addButton(answer, QMessageBox::AcceptRole);
    if (!buttons.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    box.exec();
    const qsizetype index = buttons.indexOf(box.clickedButton());
    if (index < 0) return std::nullopt;
    return static_cast<int>(index);
}

}  // namespace steam::ui
