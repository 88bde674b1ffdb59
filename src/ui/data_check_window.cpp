#include "data_check_window.h"

#include "data/data_verification.h"
#include "f_login.h"
#include "window_fonts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace steam::ui {

namespace {

QString fileLine(const data::FileResult& file) {
    const QString name = QString::fromStdString(file.file.filename().string());
    return name + QStringLiteral("：") +
           (file.holds() ? QStringLiteral("正常") : QString::fromStdString(data::failureText(file)));
}

}  // namespace

DataCheckWindow::DataCheckWindow(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(folder)) {
    setWindowTitle(QStringLiteral("校验数据"));
    setFont(defaultWindowFont());
    setWindowModality(Qt::NonModal);
    resize(520, 300);

    LabelStatus = new QLabel(this);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    LabelStatus->setWordWrap(true);
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Results = new QListWidget(this);
    Results->setObjectName(QStringLiteral("Results"));
    CMDagain = new QPushButton(QStringLiteral("重新校验"), this);
    CMDagain->setObjectName(QStringLiteral("CMDagain"));
    CMDclose = new QPushButton(QStringLiteral("关闭"), this);
    CMDclose->setObjectName(QStringLiteral("CMDclose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CMDagain);
    buttons->addWidget(CMDclose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelStatus);
    layout->addWidget(Progress);
    layout->addWidget(Results);
    layout->addLayout(buttons);

    connect(CMDagain, &QPushButton::clicked, this, &DataCheckWindow::start);
    connect(CMDclose, &QPushButton::clicked, this, &QWidget::close);
    centreOnScreen(this);
}

DataCheckWindow::~DataCheckWindow() {
    stop();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void DataCheckWindow::start() {
    if (m_worker) return;
    m_stopRequested = false;
    Results->clear();
    Progress->setRange(0, 1);
    Progress->setValue(0);
    CMDagain->setEnabled(false);
    LabelStatus->setText(QStringLiteral("正在校验 %1 中的数据文件……").arg(QString::fromStdString(m_folder.string())));

    const std::filesystem::path folder = m_folder;
    m_worker = QThread::create([this, folder] {
        int shown = -1;  // per mille: a few hundred updates at most reach the window
        auto result = std::make_shared<data::FolderResult>(
            data::verifyDataFolder(folder, [this, &shown](std::uint64_t done, std::uint64_t total) {
                const int perMille = total ? int(done * 1000 / total) : 1000;
                if (perMille != shown) {
                    shown = perMille;
                    QMetaObject::invokeMethod(
                        this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
                }
                return !m_stopRequested.load();
            }));
        QMetaObject::invokeMethod(
            this, [this, result] { showOutcome(*result); }, Qt::QueuedConnection);
    });
    m_worker->start();
}

void DataCheckWindow::showProgress(quint64 done, quint64 total) {
    // In KiB, so that the bar's int holds any size.
    Progress->setRange(0, int(total / 1024));
    Progress->setValue(int(done / 1024));
}

void DataCheckWindow::showOutcome(const data::FolderResult& result) {
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    CMDagain->setEnabled(true);
    for (const data::FileResult& file : result.files) {
        auto* item = new QListWidgetItem(fileLine(file), Results);
        if (!file.holds()) item->setForeground(QColor(192, 0, 0));
    }
    int failed = 0;
    for (const data::FileResult& file : result.files) failed += !file.holds();
    if (result.stopped)
        LabelStatus->setText(QStringLiteral("校验已停止。"));
    else if (result.manifest != data::ManifestRead::Read)
        LabelStatus->setText(QString::fromStdString(data::manifestProblemText(result)));
    else if (failed > 0)
        LabelStatus->setText(QStringLiteral("有 %1 个数据文件未通过校验。").arg(failed));
    else
        LabelStatus->setText(QStringLiteral("全部数据文件完好。"));
    if (!result.stopped) Progress->setValue(Progress->maximum());
    emit checkFinished();
}

void DataCheckWindow::stop() { m_stopRequested = true; }

void DataCheckWindow::closeEvent(QCloseEvent* event) {
    stop();
    QWidget::closeEvent(event);
}

}  // namespace steam::ui
