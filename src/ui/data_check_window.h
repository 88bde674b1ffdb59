#pragma once
// The window of 帮助 → 校验数据: checks the data folder the program reads against its manifest
// and with SQLite's own check (data/data_verification.h), then lists each file's result. The
// check runs on a worker thread, so the window and the main window keep answering for the
// second or two it takes; the bar shows the bytes read. Not modal. Closing the window stops
// a check under way; showing it again starts a new one.
#include <QWidget>

#include <atomic>
#include <filesystem>
#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;

namespace steam::data {
struct FolderResult;
}

namespace steam::ui {

class DataCheckWindow : public QWidget {
    Q_OBJECT
public:
    explicit DataCheckWindow(std::filesystem::path folder, QWidget* parent = nullptr);
    /// Stops a check under way and waits for its thread.
    ~DataCheckWindow() override;

    /// Starts a check of the folder, unless one is running.
    void start();
    bool isChecking() const { return m_worker != nullptr; }

    QLabel* LabelStatus = nullptr;     ///< what is checked, then the outcome
    QProgressBar* Progress = nullptr;  ///< bytes read, in KiB
    QListWidget* Results = nullptr;    ///< "NAME：正常" or "NAME：" and what failed, per file
    QPushButton* CMDagain = nullptr;   ///< 重新校验
    QPushButton* CMDclose = nullptr;   ///< 关闭

signals:
    /// A check has ended (or was stopped) and its outcome is shown.
    void checkFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showProgress(quint64 done, quint64 total);
    void showOutcome(const data::FolderResult& result);
    void stop();

    std::filesystem::path m_folder;
    std::atomic<bool> m_stopRequested{false};
    QThread* m_worker = nullptr;
};

}  // namespace steam::ui
