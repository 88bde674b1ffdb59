#pragma once
// Stand-ins for the modal boxes and the save dialog: they answer from a script and keep
// what they were asked, so tests can check titles, texts, icons and their order.
#include "ui/message_service.h"
#include "ui/print_preview_service.h"
#include "ui/program_context.h"
#include "ui/save_dialog_service.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace steam::uitest {

struct ShownMessage {
    QString title;
    QString text;
    ui::MessageIcon icon;
    ui::MessageButtons buttons;
};

class ScriptedMessages final : public ui::MessageService {
public:
    /// Answers to Yes/No questions, used in order; a question beyond the script gets No.
    std::deque<ui::MessageAnswer> answers;
    std::vector<ShownMessage> shown;

    ui::MessageAnswer show(QWidget*, const QString& title, const QString& text, ui::MessageIcon icon,
                           ui::MessageButtons buttons) override;
    QStringList texts() const;
};

class ScriptedSaveDialog final : public ui::SaveDialogService {
public:
    /// The path the "user" picks; nothing means Cancel.
    std::optional<QString> answer;
    /// The file type the "user" picks; -1 keeps the one preselected.
    int answerFilter = -1;
    /// Cancel after choosing `answer`: the dialog gives nothing back.
    bool cancels = false;
    int asked = 0;
    QString lastPreset;
    /// The file type preselected, and the whole request.
    QString lastFilter;
    ui::SaveRequest lastRequest;

    /// Answers to questions (askChoice) in order, nothing meaning Cancel; beyond the script
    /// the first answer.
    std::deque<std::optional<int>> choices;
    /// The answers offered by each question asked.
    std::vector<QStringList> questions;

    std::optional<ui::SaveChoice> askSave(QWidget*, const ui::SaveRequest& request) override;
    std::optional<int> askChoice(QWidget*, const QString& title, const QString& question,
                                 const QStringList& answers) override;
};

/// Instead of the preview, prints the pages into a PDF file when one is named.
class ScriptedPrintPreview final : public ui::PrintPreviewService {
public:
    QString pdfPath;
    int shown = 0;
    /// The printer's page as the program set it up, before the file was named.
    QPageLayout layout;
    QString documentName;

    void preview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
};

/// Services, the data folder beside the test executable and a recorder of the end.
struct TestProgram {
    ScriptedMessages messages;
    ScriptedSaveDialog saveDialog;
    ScriptedPrintPreview printPreview;
    std::vector<int> endStatuses;
    /// How the windows asked to be shown (normal, maximised, full screen), in order; the
    /// window system is not asked.
    std::vector<ui::WindowPresentation> presentations;

    ui::ProgramContext context();
    ui::ProgramContext context(const std::filesystem::path& dataDirectory);
};

}  // namespace steam::uitest
