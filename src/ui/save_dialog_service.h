#pragma once
// The save-file dialog behind an interface, so that tests choose the path, the file type (or
// cancel) without a real modal dialog; with it the one question a save may need (a picture's
// size), asked the same way.
#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;
class QWidget;

namespace steam::ui {

/// What a save dialog offers: the name it is preset to, the file types (filters such as
/// "PNG 图片 (*.png)"), the one chosen at first, and the folder it opens in.
struct SaveRequest {
    QString presetName;
    QStringList filters;
    int selectedFilter = 0;
    QString folder;
};

/// The answer: the path as typed or picked, and the index of the file type chosen.
struct SaveChoice {
    QString path;
    int filter = 0;
};

class SaveDialogService {
public:
    virtual ~SaveDialogService() = default;
    /// Asks for a file to save into; nothing when the user cancels.
    virtual std::optional<SaveChoice> askSave(QWidget* parent, const SaveRequest& request) = 0;
    /// Asks a question with a few answers, such as the size of a picture; the index of the
    /// answer, or nothing when the user cancels.
    virtual std::optional<int> askChoice(QWidget* parent, const QString& title, const QString& question,
                                         const QStringList& answers) = 0;
};

/// A real QFileDialog, and a box with one button per answer.
class QtSaveDialogService final : public SaveDialogService {
public:
    std::optional<SaveChoice> askSave(QWidget* parent, const SaveRequest& request) override;
    std::optional<int> askChoice(QWidget* parent, const QString& title, const QString& question,
                                 const QStringList& answers) override;
};

/// Sets up Qt's file dialog for saving as asked: the file types, the chosen one, the folder
/// and the preset name; a name typed without an extension gets that of the chosen type's
/// first pattern, and follows the type when another is chosen.
void prepareSaveDialog(QFileDialog& dialog, const SaveRequest& request);
/// The same with one file type and no folder.
void prepareSaveDialog(QFileDialog& dialog, const QString& presetName, const QString& filter);

/// The patterns of a filter such as "pictures(*.bmp;*.jpg)": "*.bmp", "*.jpg".
QStringList filterPatterns(const QString& filter);

/// The folder a save dialog opens in for a kind of file: the user's pictures or documents
/// folder where it exists, else the home folder.
QString picturesFolder();
QString documentsFolder();

}  // namespace steam::ui
