#include "table_page_window.h"

#include "f_login.h"
#include "message_service.h"
#include "print_preview_service.h"
#include "save_dialog_service.h"
#include "widget_style.h"
#include "window_fonts.h"

#include "calc/table_page.h"
#include "numeric/number_text.h"
#include "render/picture_file.h"
#include "render/table_print.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace steam::ui {
namespace {

using calc::RangeFault;
using calc::TableKind;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString valueText(double value) { return text(numeric::generalText(value)); }

QString reachText(TableKind kind) {
    switch (kind) {
        case TableKind::SaturationByTemperature: return QStringLiteral("饱和线 0.01～373.95 °C");
        case TableKind::SaturationByPressure: return QStringLiteral("饱和线 0.000612～22.064 MPa");
        default: return QStringLiteral("0.01～1000 °C");
    }
}

QString faultText(const calc::PageRange& r, RangeFault fault) {
    switch (fault) {
        case RangeFault::FromBeyond:
            return QStringLiteral("起始值 %1 超出范围（%2）。").arg(valueText(r.from), reachText(r.kind));
        case RangeFault::ToBeyond:
            return QStringLiteral("终止值 %1 超出范围（%2）。").arg(valueText(r.to), reachText(r.kind));
        case RangeFault::Reversed:
            return QStringLiteral("终止值 %1 小于起始值 %2。").arg(valueText(r.to), valueText(r.from));
        case RangeFault::PressureBeyond:
            return QStringLiteral("压力 %1 MPa 超出范围（大于 0，至多 100 MPa）。").arg(valueText(r.pressure));
        case RangeFault::StepNotPositive: return QStringLiteral("步长必须大于 0。");
        case RangeFault::TooManyRows:
            return QStringLiteral("步长 %1 太小：一页至多 %2 行。")
                .arg(valueText(r.step.value_or(0)))
                .arg(calc::kMaxTableRows);
        case RangeFault::NoMantissa: return QStringLiteral("每十倍的取值须在 1 与 10 之间（不含 10），如 1,2,5。");
        case RangeFault::None: break;
    }
    return {};
}

// "1,2,5", "1，2，5" or "1 2 5".
std::optional<std::vector<double>> readMantissas(QString typed) {
    typed.replace(QChar(0xFF0C), QLatin1Char(','));
    std::vector<double> values;
    for (const QString& part : typed.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts)) {
        const std::optional<double> value = numeric::readWholeNumber(part.toStdString());
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

QLineEdit* valueBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(110);
    return box;
}

}  // namespace

TablePageWindow::TablePageWindow(const ProgramContext& context, const data::PropertyDatabase& db, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_db(db) {
    setWindowTitle(QStringLiteral("性质表"));
    setFont(defaultWindowFont());
    setFilledBackground(this, QColor(192, 192, 192));

    CBOkind = new QComboBox(this);
    CBOkind->setObjectName(QStringLiteral("CBOkind"));
    CBOkind->addItems({QStringLiteral("饱和水与饱和蒸汽（按温度）"), QStringLiteral("饱和水与饱和蒸汽（按压力）"),
                       QStringLiteral("未饱和水与过热蒸汽（按压力 p）")});
    TXTfrom = valueBox("TXTfrom", this);
    TXTto = valueBox("TXTto", this);
    TXTstep = valueBox("TXTstep", this);
    TXTdecades = valueBox("TXTdecades", this);
    TXTpressure = valueBox("TXTpressure", this);
    CMDshow = new QPushButton(QStringLiteral("生成"), this);
    CMDcopy = new QPushButton(QStringLiteral("复制"), this);
    CMDexport = new QPushButton(QStringLiteral("导出"), this);
    CMDprint = new QPushButton(QStringLiteral("打印"), this);

    auto* inputs = new QGridLayout;
    const auto caption = [&](const QString& words, int row, int column) {
        inputs->addWidget(new QLabel(words, this), row, column, Qt::AlignRight);
    };
    caption(QStringLiteral("表"), 0, 0);
    inputs->addWidget(CBOkind, 0, 1, 1, 3);
    caption(QStringLiteral("压力 p (MPa)"), 0, 4);
    inputs->addWidget(TXTpressure, 0, 5);
    caption(QStringLiteral("从"), 1, 0);
    inputs->addWidget(TXTfrom, 1, 1);
    caption(QStringLiteral("到"), 1, 2);
    inputs->addWidget(TXTto, 1, 3);
    caption(QStringLiteral("步长"), 1, 4);
    inputs->addWidget(TXTstep, 1, 5);
    caption(QStringLiteral("每十倍取"), 1, 6);
    inputs->addWidget(TXTdecades, 1, 7);
    inputs->addWidget(CMDshow, 1, 8);
    inputs->setColumnStretch(9, 1);

    LabelTitle = new QLabel(this);
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    LabelTitle->setAlignment(Qt::AlignCenter);
    Table = new QTableWidget(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    LabelHint = new QLabel(this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setWordWrap(true);

    // The table's own Ctrl+C copies one cell: the table's shortcut copies the rows instead.
    copyAction = new QAction(QStringLiteral("复制"), Table);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    Table->addAction(copyAction);
    Table->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* foot = new QHBoxLayout;
    foot->addWidget(LabelHint, 1);
    for (QPushButton* button : {CMDcopy, CMDexport, CMDprint}) foot->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(LabelTitle);
    layout->addWidget(Table, 1);
    layout->addLayout(foot);

    connect(CBOkind, &QComboBox::activated, this, &TablePageWindow::CBOkind_Click);
    connect(CMDshow, &QPushButton::clicked, this, &TablePageWindow::CMDshow_Click);
    for (QLineEdit* box : {TXTfrom, TXTto, TXTstep, TXTdecades, TXTpressure})
        connect(box, &QLineEdit::returnPressed, CMDshow, &QPushButton::click);
    connect(copyAction, &QAction::triggered, this, &TablePageWindow::copyRows);
    connect(CMDcopy, &QPushButton::clicked, this, &TablePageWindow::copyRows);
    connect(CMDexport, &QPushButton::clicked, this, &TablePageWindow::CMDexport_Click);
    connect(CMDprint, &QPushButton::clicked, this, &TablePageWindow::CMDprint_Click);

    CBOkind_Click(0);
    resize(1000, 620);
    centreOnScreen(this);
}

void TablePageWindow::CBOkind_Click(int kind) {
    const calc::PageRange range = calc::defaultRange(static_cast<TableKind>(kind));
    CBOkind->setCurrentIndex(kind);
    TXTfrom->setText(valueText(range.from));
    TXTto->setText(valueText(range.to));
    TXTstep->clear();
    const bool pressures = range.kind == TableKind::SaturationByPressure;
    TXTdecades->setText(pressures ? QStringLiteral("1,2,5") : QString());
    TXTdecades->setEnabled(pressures);
    TXTpressure->setText(range.kind == TableKind::Isobar ? valueText(range.pressure) : QString());
    TXTpressure->setEnabled(range.kind == TableKind::Isobar);
    CMDshow_Click();
}

std::optional<calc::PageRange> TablePageWindow::readRange() {
    calc::PageRange range = calc::defaultRange(static_cast<TableKind>(CBOkind->currentIndex()));
    const auto read = [&](QLineEdit* box, const QString& name) -> std::optional<double> {
        const std::optional<double> value = numeric::readWholeNumber(box->text().toStdString());
        if (!value)
            m_context.messages->show(this, QStringLiteral("提醒"),
                                     QStringLiteral("%1“%2”不是数。").arg(name, box->text()), MessageIcon::Warning,
                                     MessageButtons::Ok);
        return value;
    };
    const auto from = read(TXTfrom, QStringLiteral("起始值"));
    if (!from) return std::nullopt;
    const auto to = read(TXTto, QStringLiteral("终止值"));
    if (!to) return std::nullopt;
    range.from = *from;
    range.to = *to;
    if (!TXTstep->text().trimmed().isEmpty()) {
        const auto step = read(TXTstep, QStringLiteral("步长"));
        if (!step) return std::nullopt;
        range.step = *step;
    }
    if (range.kind == TableKind::Isobar) {
        const auto p = read(TXTpressure, QStringLiteral("压力"));
        if (!p) return std::nullopt;
        range.pressure = *p;
    }
    if (range.kind == TableKind::SaturationByPressure && !range.step) {
        const auto mantissas = readMantissas(TXTdecades->text());
        range.perDecade = mantissas.value_or(std::vector<double>{});
    }
    if (const RangeFault fault = calc::checkRange(range); fault != RangeFault::None) {
        m_context.messages->show(this, QStringLiteral("提醒"), faultText(range, fault), MessageIcon::Warning,
                                 MessageButtons::Ok);
        return std::nullopt;
    }
    return range;
}

void TablePageWindow::CMDshow_Click() {
    const std::optional<calc::PageRange> range = readRange();
    if (!range) return;
    showPage(panels::tablePageTexts(calc::tablePage(m_db, *range)));
}

void TablePageWindow::showPage(const panels::TablePageTexts& page) {
    m_page = page;
    LabelTitle->setText(page.subtitle.empty() ? text(page.title) : text(page.title + "    " + page.subtitle));
    Table->clear();
    Table->setColumnCount(static_cast<int>(page.symbols.size()));
    Table->setRowCount(static_cast<int>(page.rows.size()));
    QStringList headings;
    for (size_t c = 0; c < page.symbols.size(); ++c)
        headings << (page.units[c].empty() ? text(page.symbols[c]) : text(page.symbols[c] + "\n" + page.units[c]));
    Table->setHorizontalHeaderLabels(headings);
    const bool names = !page.symbols.empty() && page.symbols[0] == "相态";
    for (size_t r = 0; r < page.rows.size(); ++r) {
        for (size_t c = 0; c < page.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(text(page.rows[r][c]));
            item->setTextAlignment((names && c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            // The saturation state at an isobar's head stands apart from the states below it.
            if (r < page.headRows) item->setBackground(QColor(225, 232, 240));
            Table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    Table->resizeColumnsToContents();
    const bool any = !page.rows.empty();
    for (QPushButton* button : {CMDcopy, CMDexport, CMDprint}) button->setEnabled(any);
    LabelHint->setText(QStringLiteral("共 %1 行。选中几行按 Ctrl+C 只复制这几行；不选则复制全表。“—”表示该行没有值。")
                           .arg(page.rows.size()));
}

void TablePageWindow::copyRows() {
    if (!m_page) return;
    std::set<std::size_t> chosen;
    for (const QModelIndex& index : Table->selectionModel()->selectedIndexes())
        chosen.insert(static_cast<std::size_t>(index.row()));
    QGuiApplication::clipboard()->setText(text(panels::tablePageTsv(*m_page, {chosen.begin(), chosen.end()})));
}

void TablePageWindow::CMDexport_Click() {
    if (!m_page) return;
    const std::optional<SaveChoice> choice = m_context.saveDialog->askSave(
        this, {text(m_page->title), {QStringLiteral("CSV 文件(*.csv)")}, 0, documentsFolder()});
    if (!choice) return;
    const std::string csv = panels::tablePageCsv(*m_page);
    // Written beside the target and moved over it only when complete.
    QString error;
    if (!render::writeWholeFile(choice->path, QByteArray::fromStdString(csv), &error))
        m_context.messages->show(this, QStringLiteral("提醒"),
                                 QStringLiteral("性质表未能导出到 %1：%2").arg(choice->path, error),
                                 MessageIcon::Warning, MessageButtons::Ok);
}

void TablePageWindow::CMDprint_Click() {
    if (!m_page || !m_context.printPreview) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(render::tablePageLayout());
    printer.setDocName(text(m_page->title));
    const panels::TablePageTexts page = *m_page;
    m_context.printPreview->preview(this, printer, [&page](QPrinter& target) {
        QPainter painter(&target);
        render::paintTablePages(painter, target, page);
    });
}

}  // namespace steam::ui
