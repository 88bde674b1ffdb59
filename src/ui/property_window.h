#pragma once
// The property-sheet window ("性质详情"): every property of the current results and of the
// registers shown on the charts, one column per state, one row per property with its unit.
// The main window hands it a new sheet whenever the results or the registers change. Ctrl+C
// copies the whole sheet as tab-separated text with its captions.
#include "panels/property_sheet.h"

#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QTableWidget;

namespace steam::ui {

class PropertyWindow : public QWidget {
    Q_OBJECT
public:
    explicit PropertyWindow(QWidget* parent = nullptr);

    /// Shows these columns; with none, a line says what the window waits for.
    void showSheet(const std::vector<panels::SheetColumn>& columns);
    const std::vector<panels::SheetColumn>& sheet() const { return m_columns; }
    /// The sheet on the clipboard as tab-separated text.
    void copySheet();

    QTableWidget* Table = nullptr;
    QLabel* LabelHint = nullptr;
    QAction* copyAction = nullptr;

private:
    std::vector<panels::SheetColumn> m_columns;
};

}  // namespace steam::ui
