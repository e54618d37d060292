#include "transfer/SerialSender.h"

#include <QSerialPort>

#include <algorithm>
#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = 26; // Ctrl-Z
constexpr qint64 kReadBlock = 16 * 1024;
constexpr int kLineCheckInterval = 100;

} // namespace

SerialSender::SerialSender(QObject *parent)
    : QObject(parent)
{
    m_lineTimer.setInterval(kLineCheckInterval);
    connect(&m_lineTimer, &QTimer::timeout, this, &SerialSender::checkLine);
}

SerialSender::~SerialSender() = default;

int SerialSender::percent(qint64 sent, qint64 total)
{
    if (total <= 0) {
        return 100;
    }
    return int(std::lround(double(sent) * 100.0 / double(total)));
}

bool SerialSender::start(QSerialPort &port, const QString &path)
{
    stop();
    m_error.clear();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = path + u": " + m_file.errorString();
        return false;
    }
    m_port = &port;
    m_total = m_file.size();
    m_sent = 0;
    m_discarded = 0;
    m_lastPercent = -1;
    m_previous = 0;
    m_firstByte = true;
    m_endOfFile = false;
    m_waiting = false;
    m_out.clear();
    m_outPos = 0;
    m_insertedCr.clear();
    m_outFileStart = 0;
    m_lastPending = -1;
    // About a quarter of a second of line time in Qt's buffer keeps the line
    // busy without making a cancel wait for much.
    m_highWater = std::max<qint64>(4096, port.baudRate() / 40);

    connect(m_port, &QSerialPort::bytesWritten, this, &SerialSender::onBytesWritten);
    connect(m_port, &QSerialPort::readyRead, this, &SerialSender::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialSender::onPortError);
    m_sinceProgress.start();
    m_lineTimer.start();
    emit progressed(0, m_total);
    // The first bytes go out from the event loop, after the caller has wired its signals.
    QTimer::singleShot(0, this, &SerialSender::fillPort);
    return true;
}

void SerialSender::cancel()
{
    if (!m_port) {
        return;
    }
    QSerialPort *port = m_port;
    stop();
    // What is still queued must not keep the line busy after a cancel.
    port->clear(QSerialPort::Output);
    emit cancelled();
}

bool SerialSender::readMore()
{
    m_out.clear();
    m_outPos = 0;
    m_insertedCr.clear();
    m_outFileStart = m_sent;
    if (m_endOfFile) {
        return false;
    }
    const QByteArray block = m_file.read(kReadBlock);
    if (block.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError) {
            const QString reason = m_file.fileName() + u": " + m_file.errorString();
            QSerialPort *port = m_port;
            stop();
            port->clear(QSerialPort::Output);
            emit failed(reason);
            return false;
        }
        m_endOfFile = true;
        return false;
    }
    m_out.reserve(block.size() + block.size() / 16);
    for (const char byte : block) {
        if (byte == kEndOfFile) {
            // The file ends here; only a file that starts with it sends it.
            if (m_firstByte) {
                m_out.append(byte);
            }
            m_endOfFile = true;
            break;
        }
        if (byte == kLineFeed && m_previous != kCarriageReturn) {
            m_insertedCr.append(m_out.size());
            m_out.append(kCarriageReturn);
        }
        m_out.append(byte);
        m_previous = byte;
        m_firstByte = false;
    }
    return !m_out.isEmpty();
}

void SerialSender::countHanded()
{
    // File bytes are counted when they go to the port, not when they are read,
    // so that the progress never runs ahead of the line.
    const auto inserted
        = std::lower_bound(m_insertedCr.cbegin(), m_insertedCr.cend(), m_outPos) - m_insertedCr.cbegin();
    m_sent = m_outFileStart + m_outPos - inserted;
    if (const int now = percent(m_sent, m_total); now != m_lastPercent) {
        m_lastPercent = now;
        emit progressed(m_sent, m_total);
    }
}

void SerialSender::fillPort()
{
    while (m_port && m_port->bytesToWrite() < m_highWater) {
        if (m_outPos >= m_out.size() && !readMore()) {
            break;
        }
        if (!m_port) {
            return; // reading failed
        }
        const qint64 room = m_highWater - m_port->bytesToWrite();
        const qint64 count = std::min<qint64>(room, m_out.size() - m_outPos);
        const qint64 written = m_port->write(m_out.constData() + m_outPos, count);
        if (written < 0) {
            onPortError();
            return;
        }
        if (!m_port) {
            return; // the port reported an error while taking the bytes
        }
        m_outPos += written;
        countHanded();
    }
    checkLine();
}

void SerialSender::onBytesWritten(qint64)
{
    noteProgress();
    fillPort();
}

void SerialSender::onReadyRead()
{
    const qint64 count = m_port->readAll().size();
    if (count > 0) {
        m_discarded += count;
        emit receivedDiscarded(count);
    }
}

void SerialSender::onPortError()
{
    if (!m_port) {
        return;
    }
    const QSerialPort::SerialPortError error = m_port->error();
    // A line without modem signals refuses the lamps' query; that is no line error.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError
        || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    const QString reason = m_port->errorString();
    m_port->clearError();
    stop();
    emit failed(reason);
}

qint64 SerialSender::pendingInDriver() const
{
#ifdef Q_OS_UNIX
    int queued = 0;
    if (m_port && ::ioctl(int(m_port->handle()), TIOCOUTQ, &queued) == 0) {
        return queued;
    }
#endif
    return 0;
}

void SerialSender::noteProgress()
{
    m_sinceProgress.restart();
    if (m_waiting) {
        m_waiting = false;
        emit waitingForMachine(false);
    }
}

void SerialSender::checkLine()
{
    if (!m_port) {
        return;
    }
    const qint64 pending = pendingInDriver();
    if (m_lastPending >= 0 && pending < m_lastPending) {
        noteProgress();
    }
    m_lastPending = pending;
    const bool allHanded = m_endOfFile && m_outPos >= m_out.size();
    const bool queued = m_port->bytesToWrite() > 0 || pending > 0;
    if (allHanded && !queued) {
        // Closing a port with bytes still in the driver could drop them: finish only once they are gone.
        stop();
        emit progressed(m_sent, m_total);
        emit finished();
        return;
    }
    if (queued && !m_waiting && m_sinceProgress.elapsed() >= m_holdThreshold) {
        m_waiting = true;
        emit waitingForMachine(true);
    }
}

void SerialSender::stop()
{
    if (m_port) {
        disconnect(m_port, nullptr, this, nullptr);
        m_port = nullptr;
    }
    m_lineTimer.stop();
    if (m_file.isOpen()) {
        m_file.close();
    }
    m_out.clear();
    m_outPos = 0;
    m_insertedCr.clear();
}
