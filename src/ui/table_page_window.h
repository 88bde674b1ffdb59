#pragma once
// The 性质表 window (查看 → 性质表, Ctrl+B): a page of a property table as printed steam tables
// lay it out (calc/table_page.h, panels/table_page_texts.h): saturation by temperature or by
// pressure, or the states along one isobar with its saturation state at the head. The user
// picks the kind, the range, the step (empty: the textbook's temperatures, or for pressures
// the mantissas per decade) and the isobar's pressure; "生成" (or Enter in a box) makes the
// page. "复制" (Ctrl+C) copies the rows chosen, or all, with the captions as tab-separated
// text; "导出" writes a CSV file through the save dialog; "打印" prints A4 pages with the
// header repeated (render/table_print.h) through the print preview. A range that makes no
// page is named in a message box and the page shown stays.
#include "calc/table_rows.h"
#include "panels/table_page_texts.h"
#include "program_context.h"

#include <QWidget>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace steam::data {
class PropertyDatabase;
}

namespace steam::ui {

class TablePageWindow : public QWidget {
    Q_OBJECT
public:
    TablePageWindow(const ProgramContext& context, const data::PropertyDatabase& db, QWidget* parent = nullptr);

    /// Kinds in the order of calc::TableKind.
    QComboBox* CBOkind = nullptr;
    QLineEdit* TXTfrom = nullptr;
    QLineEdit* TXTto = nullptr;
    QLineEdit* TXTstep = nullptr;
    QLineEdit* TXTdecades = nullptr;   ///< mantissas per decade, "1,2,5"; pressures only
    QLineEdit* TXTpressure = nullptr;  ///< the isobar's p in MPa; isobars only
    QLabel* LabelTitle = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* LabelHint = nullptr;
    QPushButton* CMDshow = nullptr;
    QPushButton* CMDcopy = nullptr;
    QPushButton* CMDexport = nullptr;
    QPushButton* CMDprint = nullptr;
    QAction* copyAction = nullptr;

    /// A kind chosen: its whole reach in the boxes, and its page.
    void CBOkind_Click(int kind);
    /// "生成": the page of the boxes' range.
    void CMDshow_Click();
    void copyRows();
    void CMDexport_Click();
    void CMDprint_Click();

    /// The page shown; none before the first or when the first range was refused.
    const std::optional<panels::TablePageTexts>& page() const { return m_page; }

private:
    /// The boxes read as a range; none, after naming the box, when one is not a number.
    std::optional<calc::PageRange> readRange();
    void showPage(const panels::TablePageTexts& page);

    ProgramContext m_context;
    const data::PropertyDatabase& m_db;
    std::optional<panels::TablePageTexts> m_page;
};

}  // namespace steam::ui
