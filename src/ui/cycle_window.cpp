#include "cycle_window.h"

#include "f_login.h"
#include "message_service.h"
#include "save_dialog_service.h"
#include "widget_style.h"
#include "window_fonts.h"

#include "calc/register_store.h"
#include "cycle/register_states.h"
#include "numeric/number_text.h"
#include "panels/cycle_texts.h"
#include "render/picture_file.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace steam::ui {

namespace {

using cycle::Process;

constexpr std::array<const char*, cycle::kRankineValueCount> kDesignCaptions{
    "高压 p_high (MPa)", "新汽温度 t_high (°C)",    "低压 p_low (MPa)",       "汽轮机效率 eta_turbine",
    "水泵效率 eta_pump", "再热压力 p_reheat (MPa)", "再热温度 t_reheat (°C)", "回热压力 p_fwh (MPa)"};
constexpr std::array<const char*, cycle::kRankineValueCount> kDesignDefaults{"8", "480", "0.008", "", "", "", "", ""};
// The ideal Rankine cycle of M6 to M9 until the user picks another.
constexpr std::array<Process, 4> kFirstProcesses{Process::Isentropic, Process::Isobaric, Process::Isentropic,
                                                 Process::Isobaric};

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString registerName(int r) { return QStringLiteral("M%1").arg(r + 1); }

}  // namespace

CycleWindow::CycleWindow(const ProgramContext& context, const data::PropertyDatabase& db,
                         calc::RegisterStore& registers, CycleWindowLinks links, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_db(db), m_registers(registers), m_links(std::move(links)) {
    setWindowTitle(QStringLiteral("循环分析"));
    setFont(defaultWindowFont());
    auto* design = new QGroupBox(QStringLiteral("兰金循环"), this);
    buildDesignBox(design);
    auto* picks = new QGroupBox(QStringLiteral("状态与过程"), this);
    buildPicksBox(picks);

    Table = new QTableWidget(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    LabelFigures = new QLabel(this);
    LabelFigures->setObjectName(QStringLiteral("LabelFigures"));
    LabelFigures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelHint = new QLabel(this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setWordWrap(true);

    CHKshow = new QCheckBox(QStringLiteral("在图上显示循环"), this);
    CHKshow->setObjectName(QStringLiteral("CHKshow"));
    CHKshow->setChecked(true);
    CMDcopy = new QPushButton(QStringLiteral("复制"), this);
    CMDcopy->setObjectName(QStringLiteral("CMDcopy"));
    CMDexport = new QPushButton(QStringLiteral("导出"), this);
    CMDexport->setObjectName(QStringLiteral("CMDexport"));
    copyAction = new QAction(QStringLiteral("复制"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WindowShortcut);
    addAction(copyAction);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CHKshow);
    buttons->addStretch(1);
    buttons->addWidget(CMDcopy);
    buttons->addWidget(CMDexport);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(design);
    layout->addWidget(picks);
    layout->addWidget(Table, 1);
    layout->addWidget(LabelFigures);
    layout->addWidget(LabelHint);
    layout->addLayout(buttons);

    connect(CMDbuild, &QPushButton::clicked, this, &CycleWindow::CMDbuild_Click);
    connect(copyAction, &QAction::triggered, this, &CycleWindow::copyCycle);
    connect(CMDcopy, &QPushButton::clicked, this, &CycleWindow::copyCycle);
    connect(CMDexport, &QPushButton::clicked, this, &CycleWindow::CMDexport_Click);
    connect(CHKshow, &QCheckBox::toggled, this, [this](bool on) {
        if (m_links.cycleChanged) m_links.cycleChanged(m_drawing, on);
    });
    resize(980, 620);
    centreOnScreen(this);
    recompute();
}

void CycleWindow::buildDesignBox(QWidget* box) {
    auto* grid = new QGridLayout(box);
    for (int k = 0; k < cycle::kRankineValueCount; ++k) {
        const auto key = static_cast<cycle::RankineValue>(k);
        TXTdesign[k] = new QLineEdit(QString::fromUtf8(kDesignDefaults[k]), box);
        TXTdesign[k]->setObjectName(QString::fromUtf8(panels::rankineValueKey(key)));
        TXTdesign[k]->setPlaceholderText(k == 1             ? QStringLiteral("空：饱和蒸汽")
                                         : k == 3 || k == 4 ? QStringLiteral("1")
                                                            : QString());
        grid->addWidget(new QLabel(QString::fromUtf8(kDesignCaptions[k]), box), k / 4 * 2, k % 4);
        grid->addWidget(TXTdesign[k], k / 4 * 2 + 1, k % 4);
        connect(TXTdesign[k], &QLineEdit::returnPressed, this, &CycleWindow::CMDbuild_Click);
    }
    CMDbuild = new QPushButton(QStringLiteral("生成循环"), box);
    CMDbuild->setObjectName(QStringLiteral("CMDbuild"));
    grid->addWidget(CMDbuild, 3, 4);
}

void CycleWindow::buildPicksBox(QWidget* box) {
    auto* grid = new QGridLayout(box);
    SPNcount = new QSpinBox(box);
    SPNcount->setObjectName(QStringLiteral("SPNcount"));
    SPNcount->setRange(cycle::kMinStates, cycle::kMaxStates);
    SPNcount->setValue(4);
    grid->addWidget(new QLabel(QStringLiteral("状态数"), box), 0, 0);
    grid->addWidget(SPNcount, 1, 0);
    for (int i = 0; i < cycle::kMaxStates; ++i) {
        CBOregister[i] = new QComboBox(box);
        for (int r = 0; r < calc::kRegisterCount; ++r) CBOregister[i]->addItem(registerName(r));
        CBOregister[i]->setCurrentIndex(i < 4 ? 5 + i : i - 4);
        CBOphase[i] = new QComboBox(box);
        CBOphase[i]->addItems({QStringLiteral("饱和水"), QStringLiteral("饱和蒸汽")});
        CBOprocess[i] = new QComboBox(box);
        for (int p = 0; p < cycle::kProcessCount; ++p)
            CBOprocess[i]->addItem(QString::fromUtf8(panels::processName(static_cast<Process>(p))));
        CBOprocess[i]->setCurrentIndex(
            static_cast<int>(i < 4 ? kFirstProcesses[static_cast<size_t>(i)] : Process::Isobaric));
        grid->addWidget(new QLabel(QStringLiteral("状态 %1").arg(i + 1), box), 0, i + 1);
        grid->addWidget(CBOregister[i], 1, i + 1);
        grid->addWidget(CBOphase[i], 2, i + 1);
        grid->addWidget(CBOprocess[i], 3, i + 1);
        connect(CBOregister[i], &QComboBox::currentIndexChanged, this, &CycleWindow::picksChanged);
        connect(CBOphase[i], &QComboBox::currentIndexChanged, this, &CycleWindow::picksChanged);
        connect(CBOprocess[i], &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling) recompute();
        });
    }
    grid->addWidget(new QLabel(QStringLiteral("寄存器"), box), 1, 10);
    grid->addWidget(new QLabel(QStringLiteral("饱和寄存器取"), box), 2, 10);
    grid->addWidget(new QLabel(QStringLiteral("到下一状态的过程"), box), 3, 10);
    connect(SPNcount, &QSpinBox::valueChanged, this, &CycleWindow::picksChanged);
}

void CycleWindow::picksChanged() {
    if (m_filling) return;
    m_built.reset();
    recompute();
}

void CycleWindow::registersChanged() {
    m_built.reset();
    recompute();
}

void CycleWindow::recompute() {
    const int count = SPNcount->value();
    std::vector<cycle::StatePick> picks;
    std::vector<Process> processes;
    QStringList empty;
    for (int i = 0; i < cycle::kMaxStates; ++i) {
        const bool used = i < count;
        const int r = CBOregister[i]->currentIndex();
        for (QWidget* w : {static_cast<QWidget*>(CBOregister[i]), static_cast<QWidget*>(CBOphase[i]),
                           static_cast<QWidget*>(CBOprocess[i])})
            w->setEnabled(used);
        CBOphase[i]->setEnabled(used && m_registers.kind(r) == calc::RegisterKind::Saturation);
        if (!used) continue;
        const auto phase =
            CBOphase[i]->currentIndex() == 1 ? cycle::SaturatedPhase::Steam : cycle::SaturatedPhase::Water;
        picks.push_back({r, phase});
        processes.push_back(static_cast<Process>(CBOprocess[i]->currentIndex()));
        if (!cycle::pickedState(m_registers, picks.back())) empty << registerName(r);
    }
    m_cycle = m_built ? m_built : cycle::cycleFromPicks(m_registers, picks, processes);
    if (m_cycle)
        for (size_t i = 0; i < processes.size(); ++i) m_cycle->legs[i].process = processes[i];
    m_figures = m_cycle ? cycle::workCycle(m_db, *m_cycle) : cycle::CycleFigures{};
    m_drawing = m_cycle ? diagram::cycleDrawing(m_db, *m_cycle) : diagram::CycleDrawing{};
    QString hint;
    if (!empty.isEmpty()) hint = QStringLiteral("所选寄存器中没有状态：%1").arg(empty.join(QStringLiteral("、")));
    QStringList apart;
    for (int i = 0; m_cycle && i < m_cycle->size(); ++i)
        if (!m_figures.legs[static_cast<size_t>(i)].endsAgree)
            apart << QStringLiteral("%1→%2 %3")
                         .arg(i + 1)
                         .arg((i + 1) % m_cycle->size() + 1)
                         .arg(QString::fromUtf8(panels::processName(processes[static_cast<size_t>(i)])));
    if (!apart.isEmpty()) hint = QStringLiteral("注意：两端不符合所选过程：%1").arg(apart.join(QStringLiteral("，")));
    LabelHint->setText(hint);
    showTable();
    CMDcopy->setEnabled(m_cycle.has_value());
    CMDexport->setEnabled(m_cycle.has_value());
    copyAction->setEnabled(m_cycle.has_value());
    if (m_links.cycleChanged) m_links.cycleChanged(m_drawing, CHKshow->isChecked());
}

void CycleWindow::showTable() {
    Table->clear();
    Table->setRowCount(0);
    LabelFigures->clear();
    if (!m_cycle) return;
    const std::vector<std::vector<std::string>> rows = panels::cycleTable(*m_cycle, m_figures);
    const std::vector<std::string>& header = rows.front();
    Table->setColumnCount(static_cast<int>(header.size()));
    QStringList captions;
    for (const std::string& caption : header) captions << text(caption);
    Table->setHorizontalHeaderLabels(captions);
    Table->setRowCount(m_cycle->size());
    for (int r = 0; r < m_cycle->size(); ++r)
        for (size_t c = 0; c < header.size(); ++c)
            Table->setItem(r, static_cast<int>(c), new QTableWidgetItem(text(rows[static_cast<size_t>(r) + 1][c])));
    Table->resizeColumnsToContents();
    QStringList figures;
    for (size_t r = static_cast<size_t>(m_cycle->size()) + 1; r < rows.size(); ++r)
        figures << text(rows[r][0]) + QStringLiteral("：") + text(rows[r][1]);
    LabelFigures->setText(figures.join(QStringLiteral("    ")));
}

std::optional<cycle::RankineInputs> CycleWindow::readDesign() {
    std::array<std::optional<double>, cycle::kRankineValueCount> values;
    for (int k = 0; k < cycle::kRankineValueCount; ++k) {
        const QString typed = TXTdesign[k]->text().trimmed();
        if (typed.isEmpty()) continue;
        values[k] = numeric::readWholeNumber(typed.toStdString());
        if (!values[k]) {
            m_context.messages->show(
                this, QStringLiteral("提醒"),
                QStringLiteral("%1 的值“%2”不是数")
                    .arg(QString::fromUtf8(panels::rankineValueKey(static_cast<cycle::RankineValue>(k))), typed),
                MessageIcon::Warning, MessageButtons::Ok);
            return std::nullopt;
        }
    }
    return cycle::RankineInputs{values[0], values[1], values[2], values[3].value_or(1.0), values[4].value_or(1.0),
                                values[5], values[6], values[7]};
}

void CycleWindow::CMDbuild_Click() {
    const std::optional<cycle::RankineInputs> inputs = readDesign();
    if (!inputs) return;
    const cycle::RankineResult built = cycle::buildRankine(m_db, *inputs);
    if (built.outcome != cycle::BuildOutcome::Built) {
        const panels::MessageText m = panels::buildMessage(built);
        m_context.messages->show(this, text(m.title), text(m.text), MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const std::vector<int> occupied = cycle::occupiedRegisters(m_registers, built.cycle.size());
    if (!occupied.empty()) {
        QStringList names;
        for (int r : occupied) names << registerName(r);
        const std::vector<int> targets = cycle::cycleRegisters(built.cycle.size());
        const QString question =
            QStringLiteral("循环的 %1 个状态将存入 %2 至 %3，覆盖 %4 中已存的数据。继续吗？")
                .arg(built.cycle.size())
                .arg(registerName(targets.front()), registerName(targets.back()), names.join(QStringLiteral("、")));
        if (m_context.messages->show(this, QStringLiteral("提醒"), question, MessageIcon::Question,
                                     MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
    }
    const std::vector<int> stored = panels::storeCycleStates(m_registers, built.cycle);
    if (m_links.registersStored) m_links.registersStored(stored);
    fillPicks(stored, built.cycle);
    m_built = built.cycle;
    recompute();
}

void CycleWindow::fillPicks(const std::vector<int>& registers, const cycle::Cycle& cycle) {
    m_filling = true;
    SPNcount->setValue(cycle.size());
    for (size_t i = 0; i < registers.size(); ++i) {
        CBOregister[i]->setCurrentIndex(registers[i]);
        CBOphase[i]->setCurrentIndex(0);
        CBOprocess[i]->setCurrentIndex(static_cast<int>(cycle.legs[i].process));
    }
    m_filling = false;
}

void CycleWindow::copyCycle() {
    if (!m_cycle) return;
    QGuiApplication::clipboard()->setText(text(panels::cycleTsv(*m_cycle, m_figures)));
}

void CycleWindow::CMDexport_Click() {
    if (!m_cycle) return;
    const std::optional<SaveChoice> choice = m_context.saveDialog->askSave(
        this, {QStringLiteral("循环"), {QStringLiteral("CSV 文件(*.csv)")}, 0, documentsFolder()});
    if (!choice) return;
    const std::string csv = panels::cycleCsv(*m_cycle, m_figures);
    // Written beside the target and moved over it only when complete.
    QString error;
    if (!render::writeWholeFile(choice->path, QByteArray::fromStdString(csv), &error))
        m_context.messages->show(this, QStringLiteral("提醒"),
                                 QStringLiteral("循环未能导出到 %1：%2").arg(choice->path, error), MessageIcon::Warning,
                                 MessageButtons::Ok);
}

}  // namespace steam::ui
