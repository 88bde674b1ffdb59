#include "scripted_services.h"

#include "data/property_database.h"

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

std::optional<QString> ScriptedSaveDialog::askSavePath(QWidget*, const QString& presetName, const QString& filter) {
    ++asked;
    lastPreset = presetName;
    lastFilter = filter;
    if (cancels) return std::nullopt;
    return answer;
}

ui::ProgramContext TestProgram::context() { return context(data::executableDirectory()); }

ui::ProgramContext TestProgram::context(const std::filesystem::path& dataDirectory) {
    ui::ProgramContext c;
    c.messages = &messages;
    c.saveDialog = &saveDialog;
    c.dataPlaces = {dataDirectory};
    c.endProgram = [this](int status) { endStatuses.push_back(status); };
    c.presentWindow = [this](QWidget*, ui::WindowPresentation how) { presentations.push_back(how); };
    return c;
}

}  // namespace steam::uitest
