#include "scripted_services.h"

#include "data/property_database.h"

#include <QPrinter>

namespace steam::uitest {

ui::MessageAnswer ScriptedMessages::show(QWidget*, const QString& title, const QString& text, ui::MessageIcon icon,
                                         ui::MessageButtons buttons) {
    shown.push_back({title, text, icon, buttons});
    if (buttons == ui::MessageButtons::Ok) return ui::MessageAnswer::Ok;
    if (answers.empty()) return ui::MessageAnswer::No;
    const ui::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList ScriptedMessages::texts() const {
    QStringList result;
    for (const ShownMessage& m : shown) result << m.text;
    return result;
}

std::optional<ui::SaveChoice> ScriptedSaveDialog::askSave(QWidget*, const ui::SaveRequest& request) {
    ++asked;
    lastRequest = request;
    lastPreset = request.presetName;
    lastFilter = request.filters.value(request.selectedFilter);
    if (cancels || !answer) return std::nullopt;
    return ui::SaveChoice{*answer, answerFilter >= 0 ? answerFilter : request.selectedFilter};
}

std::optional<int> ScriptedSaveDialog::askChoice(QWidget*, const QString&, const QString&, const QStringList& answers) {
    questions.push_back(answers);
    if (choices.empty()) return 0;
    const std::optional<int> choice = choices.front();
    choices.pop_front();
    return choice;
}

void ScriptedPrintPreview::preview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    ++shown;
    layout = printer.pageLayout();
    documentName = printer.docName();
    if (pdfPath.isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    paint(printer);
}

ui::ProgramContext TestProgram::context() { return context(data::executableDirectory()); }

ui::ProgramContext TestProgram::context(const std::filesystem::path& dataDirectory) {
    ui::ProgramContext c;
    c.messages = &messages;
    c.saveDialog = &saveDialog;
    c.printPreview = &printPreview;
    c.dataPlaces = {dataDirectory};
    c.endProgram = [this](int status) { endStatuses.push_back(status); };
    c.presentWindow = [this](QWidget*, ui::WindowPresentation how) { presentations.push_back(how); };
    return c;
}

}  // namespace steam::uitest
