#include "PseudoTerminalPair.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

PseudoTerminalPair::PseudoTerminalPair(const QString &folder)
{
    const QDir dir(folder);
    const QString stem = QFileInfo(folder).fileName();
    m_end = dir.filePath(stem + QStringLiteral("-a"));
    m_otherEnd = dir.filePath(stem + QStringLiteral("-b"));
}

PseudoTerminalPair::~PseudoTerminalPair()
{
    stop();
}

void PseudoTerminalPair::stop()
{
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.kill();
        m_socat.waitForFinished(5000);
    }
}

bool PseudoTerminalPair::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

bool PseudoTerminalPair::start()
{
    m_socat.start(
        QStandardPaths::findExecutable(QStringLiteral("socat")),
        {QStringLiteral("pty,raw,echo=0,link=") + m_end, QStringLiteral("pty,raw,echo=0,link=") + m_otherEnd});
    if (!m_socat.waitForStarted(10000)) {
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!(QFileInfo::exists(m_end) && QFileInfo::exists(m_otherEnd))) {
        if (deadline.hasExpired() || m_socat.state() == QProcess::NotRunning) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}
