#include "tools/TForm_EDT_Progress.h"

#include "app/TForm_Main.h"
#include "tools/ToolWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

TForm_EDT_Progress::TForm_EDT_Progress(TForm_Main &main)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
    , m_main(main)
    , m_bar(new QProgressBar(this))
    , m_percent(new QLabel(QStringLiteral("0%"), this))
    , m_cancelButton(new QPushButton(QStringLiteral("&Cancelar"), this))
    , m_statusBar(new QStatusBar(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("Form_EDT_Progress"));
    setWindowTitle(QStringLiteral("VORN - Transfer"));
    setWindowModality(Qt::ApplicationModal);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(360);
    m_percent->setObjectName(QStringLiteral("Label1"));
    m_percent->setAlignment(Qt::AlignCenter);
    m_percent->setMinimumWidth(48);
    m_cancelButton->setObjectName(QStringLiteral("BitBtn3"));
    connect(m_cancelButton, &QPushButton::clicked, this, &TForm_EDT_Progress::BitBtn3Click);

    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_status->setObjectName(QStringLiteral("StatusText"));
    m_statusBar->addWidget(m_status, 1);

    auto *row = new QHBoxLayout;
    row->addWidget(m_bar, 1);
    row->addWidget(m_percent);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    auto *inside = new QVBoxLayout(panel);
    inside->addLayout(row);
    inside->addLayout(buttons);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel, 1);
    column->addWidget(m_statusBar);

    // The worker reports through the event queue; the window never waits on it.
    connect(this, &TForm_EDT_Progress::progressed, this, &TForm_EDT_Progress::showPercent, Qt::QueuedConnection);
}

ToolResult TForm_EDT_Progress::execute(const QString &description, const Job &job)
{
    m_cancel.store(false);
    m_running = true;
    m_bar->setValue(0);
    m_percent->setText(QStringLiteral("0%"));
    m_status->setText(description);
    m_bar->setAccessibleName(description);
    setWindowTitle(description);
    setWindowState(Qt::WindowNoState);
    ToolWindow::centreOnScreen(this, &m_main);
    show();

    ToolControl control;
    control.isCancelled = [this] {
        return m_cancel.load(std::memory_order_relaxed);
    };
    control.progress = [this](int percent) {
        Q_EMIT progressed(percent);
    };

    ToolResult result;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&result, &job, &control] { result = job(control); }));
    worker->setObjectName(QStringLiteral("ToolRun"));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    Q_EMIT runStarted();
    worker->start();
    loop.exec();
    worker->wait();

    m_running = false;
    hide();
    return result;
}

void TForm_EDT_Progress::BitBtn3Click()
{
    m_cancel.store(true);
    hide();
}

void TForm_EDT_Progress::showPercent(int percent)
{
    // Reports still queued when a run has ended belong to no run.
    if (!m_running) {
        return;
    }
    m_bar->setValue(percent);
    m_percent->setText(QString::number(percent) + u'%');
}

void TForm_EDT_Progress::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        m_cancel.store(true);
    }
    QDialog::closeEvent(event);
}

void TForm_EDT_Progress::reject()
{
    if (m_running) {
        m_cancel.store(true);
    }
    QDialog::reject();
}
