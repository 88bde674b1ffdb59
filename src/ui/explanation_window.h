#pragma once
// The 计算过程 window (查看 → 计算过程, Ctrl+E): how the current saturation result and the
// current state were found, written out for a student (panels/explanation_texts.h): the table
// read, its bracketing rows as they stand there, the interpolation with the numbers, a
// search's final rows and steps, a wet state's mixing with x. The main window hands it new
// texts whenever its results change; "复制" (Ctrl+C) puts the whole text on the clipboard.
#include <QWidget>

#include <string>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace steam::ui {

class ExplanationWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExplanationWindow(QWidget* parent = nullptr);

    /// Shows the explanations of the current saturation result and state; an empty one is
    /// left out, and with neither a line says what the window waits for.
    void showExplanations(const std::string& saturation, const std::string& state);
    /// The text shown, as the clipboard takes it.
    QString text() const;
    void copyText();

    QPlainTextEdit* Text = nullptr;
    QLabel* LabelHint = nullptr;
    QPushButton* CMDcopy = nullptr;
    QAction* copyAction = nullptr;
};

}  // namespace steam::ui
