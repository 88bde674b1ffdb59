#include "property_window.h"

#include "f_login.h"
#include "widget_style.h"
#include "window_fonts.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace steam::ui {

PropertyWindow::PropertyWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("性质详情"));
    setFont(defaultWindowFont());
    setFilledBackground(this, QColor(192, 192, 192));

    Table = new QTableWidget(panels::kSheetRowCount, 0, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setAlternatingRowColors(true);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    QStringList rows;
    for (const panels::SheetRow& row : panels::kSheetRows) {
        const QString unit = *row.unit ? QStringLiteral(" (%1)").arg(QString::fromUtf8(row.unit)) : QString();
        rows << QStringLiteral("%1 %2%3").arg(QString::fromUtf8(row.caption), QString::fromUtf8(row.symbol), unit);
    }
    Table->setVerticalHeaderLabels(rows);

    copyAction = new QAction(QStringLiteral("复制"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WindowShortcut);
    addAction(copyAction);
    Table->addAction(copyAction);
    Table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyAction, &QAction::triggered, this, &PropertyWindow::copySheet);

    LabelHint = new QLabel(this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Table, 1);
    layout->addWidget(LabelHint);
    showSheet({});
    resize(560, 470);
    centreOnScreen(this);
}

void PropertyWindow::showSheet(const std::vector<panels::SheetColumn>& columns) {
    m_columns = columns;
    Table->setColumnCount(static_cast<int>(columns.size()));
    QStringList headings;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        headings << QString::fromStdString(columns[c].heading);
        for (int r = 0; r < panels::kSheetRowCount; ++r) {
            auto* item = new QTableWidgetItem(QString::fromStdString(columns[c].cells[r]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Table->setItem(r, c, item);
        }
    }
    Table->setHorizontalHeaderLabels(headings);
    Table->resizeColumnsToContents();
    LabelHint->setText(columns.empty() ? QStringLiteral("计算一个饱和状态或状态后，这里列出它的全部性质；"
                                                        "在图上显示的寄存器也各占一列。")
                                       : QStringLiteral("按 Ctrl+C 复制整张表（制表符分隔，含表头）。"
                                                        "“—”表示该性质在此状态下无定义。"));
}

void PropertyWindow::copySheet() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(panels::sheetTsv(m_columns)));
}

}  // namespace steam::ui
