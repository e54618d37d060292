#pragma once

#include "tools/ToolRun.h"

#include <QDialog>

#include <atomic>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class TForm_Main;

/// The progress window of the CNC program tools: a borderless box with a
/// progress bar, the percentage, Cancel and the running tool's description.
/// It runs one tool at a time on a worker thread while the window stays
/// responsive; Cancel (or closing the window) asks the tool to stop.
class TForm_EDT_Progress : public QDialog
{
    Q_OBJECT

public:
    /// The tool's work: called once on the worker thread with the cancel
    /// check and the progress report to pass on to the tool.
    using Job = std::function<ToolResult(const ToolControl &control)>;

    explicit TForm_EDT_Progress(TForm_Main &main);

    /// Shows the window modally for the whole application with
    /// \a description in its status bar, runs \a job on a worker thread and
    /// returns its result once it has ended; the window is closed by then.
    ToolResult execute(const QString &description, const Job &job);

    /// True between the start and the end of execute().
    bool isRunning() const { return m_running; }
    /// True once Cancel was pressed during the current run.
    bool cancelRequested() const { return m_cancel.load(std::memory_order_relaxed); }

    /// The Cancel button: asks the running tool to stop and closes the window.
    void BitBtn3Click();

Q_SIGNALS:
    /// The window is shown and the job is about to start.
    void runStarted();
    /// Emitted by the worker thread with the percentage reached.
    void progressed(int percent);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void showPercent(int percent);

    TForm_Main &m_main;
    QProgressBar *m_bar;
    QLabel *m_percent;
    QPushButton *m_cancelButton;
    QStatusBar *m_statusBar;
    QLabel *m_status;
    std::atomic<bool> m_cancel {false};
    bool m_running = false;
};
