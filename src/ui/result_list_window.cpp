#include "result_list_window.h"

#include "f_login.h"
#include "message_service.h"
#include "result_table_model.h"
#include "save_dialog_service.h"
#include "widget_style.h"
#include "window_fonts.h"

#include "render/picture_file.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace steam::ui {

ResultListWindow::ResultListWindow(const ProgramContext& context, ResultTableModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_model(model) {
    setWindowTitle(QStringLiteral("结果列表"));
    setFont(defaultWindowFont());
    const QColor grey(192, 192, 192);
    setFilledBackground(this, grey);

    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setModel(&m_model);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setAlternatingRowColors(true);
    // Widths follow the rows as they arrive (fitColumns): sizing to contents would look at
    // the rows in sight only, before the newest scrolls into view.
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Table->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Rows as close as a spreadsheet's, so that a session's results stay in sight.
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);

    copyAction = new QAction(QStringLiteral("复制"), Table);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    Table->addAction(copyAction);
    Table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyAction, &QAction::triggered, this, &ResultListWindow::copySelection);

    LabelHint = new QLabel(QStringLiteral("选中若干行后按 Ctrl+C 复制（含表头），可直接粘贴到电子表格；"
                                          "“导出”把全部结果存为 CSV 文件。"),
                           this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    CMDexport = new QPushButton(QStringLiteral("导出"), this);
    CMDexport->setObjectName(QStringLiteral("CMDexport"));
    CMDclear = new QPushButton(QStringLiteral("清空"), this);
    CMDclear->setObjectName(QStringLiteral("CMDclear"));
    for (QPushButton* button : {CMDexport, CMDclear}) setRole(button, QPalette::Button, grey);
    connect(CMDexport, &QPushButton::clicked, this, &ResultListWindow::CMDexport_Click);
    connect(CMDclear, &QPushButton::clicked, this, &ResultListWindow::CMDclear_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LabelHint, 1);
    buttons->addWidget(CMDexport);
    buttons->addWidget(CMDclear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Table, 1);
    layout->addLayout(buttons);

    connect(&m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        followList();
        fitColumns(first, last, false);
        Table->scrollToBottom();  // the newest row in sight
    });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        followList();
        fitColumns(0, m_model.rowCount() - 1, true);
    });
    followList();
    fitColumns(0, m_model.rowCount() - 1, true);
    resize(900, 380);
    centreOnScreen(this);
}

void ResultListWindow::fitColumns(int first, int last, bool afresh) {
    QHeaderView* header = Table->horizontalHeader();
    for (int c = 0; c < m_model.columnCount(); ++c) {
        int width = afresh ? header->sectionSizeHint(c) : Table->columnWidth(c);
        for (int r = first; r <= last; ++r)
            width = std::max(width, Table->sizeHintForIndex(m_model.index(r, c)).width());
        Table->setColumnWidth(c, width);
    }
}

void ResultListWindow::followList() {
    const bool any = !m_model.list().empty();
    CMDexport->setEnabled(any);
    CMDclear->setEnabled(any);
}

void ResultListWindow::copySelection() {
    std::vector<std::size_t> chosen;
    for (const QModelIndex& index : Table->selectionModel()->selectedRows())
        chosen.push_back(static_cast<std::size_t>(index.row()));
    if (chosen.empty()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(panels::toTsv(m_model.rows(), chosen)));
}

void ResultListWindow::CMDexport_Click() {
    const std::optional<SaveChoice> choice = m_context.saveDialog->askSave(
        this, {QStringLiteral("结果列表"), {QStringLiteral("CSV 文件(*.csv)")}, 0, documentsFolder()});
    if (!choice) return;
    const QString& path = choice->path;
    const std::string csv = panels::toCsv(m_model.rows());
    // Written beside the target and moved over it only when complete: a failed export leaves
    // an earlier file of that name as it was.
    QString error;
    if (!render::writeWholeFile(path, QByteArray::fromStdString(csv), &error))
        m_context.messages->show(this, QStringLiteral("提醒"),
                                 QStringLiteral("结果列表未能导出到 %1：%2").arg(path, error), MessageIcon::Warning,
                                 MessageButtons::Ok);
}

void ResultListWindow::CMDclear_Click() {
    if (m_context.messages->show(this, QStringLiteral("提醒"), QStringLiteral("清空结果列表？"), MessageIcon::Question,
                                 MessageButtons::YesNo) == MessageAnswer::Yes)
        m_model.clear();
}

}  // namespace steam::ui
