#pragma once
// The result-list window: the calculations of the run in a table, newest last, its columns
// widening to show every row in full as rows arrive. Selected rows
// copy with Ctrl+C as tab-separated text with the header, "导出" writes the whole list as a
// CSV file, "清空" empties it after asking. The rows belong to the main window's model, so
// closing this window loses nothing.
#include "program_context.h"

#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace steam::ui {

class ResultTableModel;

class ResultListWindow : public QWidget {
    Q_OBJECT
public:
    ResultListWindow(const ProgramContext& context, ResultTableModel& model, QWidget* parent = nullptr);

    QTableView* Table = nullptr;
    QLabel* LabelHint = nullptr;
    QPushButton* CMDexport = nullptr;
    QPushButton* CMDclear = nullptr;
    QAction* copyAction = nullptr;

    /// Puts the selected rows, with the header, on the clipboard; nothing when none is selected.
    void copySelection();
    void CMDexport_Click();
    void CMDclear_Click();

private:
    void followList();
    /// Widens the columns to show rows first to last in full; afresh, from the captions' widths.
    void fitColumns(int first, int last, bool afresh);

    ProgramContext m_context;
    ResultTableModel& m_model;
};

}  // namespace steam::ui
