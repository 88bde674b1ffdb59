#pragma once
// What every window of the program shares: the boxes and dialogs it may show, where the
// data files are, and how the program ends. main() fills it with the real services; tests
// fill it with scripted ones and record the end instead of quitting.
#include <filesystem>
#include <functional>
#include <vector>

class QWidget;

namespace steam::ui {

enum class WindowPresentation { Normal, Maximized, FullScreen };

class MessageService;
class PrintPreviewService;
class SaveDialogService;

struct ProgramContext {
    MessageService* messages = nullptr;
    SaveDialogService* saveDialog = nullptr;
    PrintPreviewService* printPreview = nullptr;
    /// Folders that may hold the data files, in the order they are tried.
    std::vector<std::filesystem::path> dataPlaces;
    /// Ends the program with the given exit status; the windows are already hidden.
    std::function<void(int)> endProgram;
    /// Shows a window normal, maximised or over the whole screen. Empty: the window asks the
    /// window system itself; tests record the request instead.
    std::function<void(QWidget*, WindowPresentation)> presentWindow;
};

}  // namespace steam::ui
