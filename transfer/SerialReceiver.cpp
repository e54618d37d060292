#include "transfer/SerialReceiver.h"

#include <QSaveFile>
#include <QSerialPort>

SerialReceiver::SerialReceiver(QObject *parent)
    : QObject(parent)
{
    m_idle.setInterval(1000);
    connect(&m_idle, &QTimer::timeout, this, &SerialReceiver::onIdleTick);
}

void SerialReceiver::start(QSerialPort &port)
{
    stop();
    m_data.clear();
    m_length = 0;
    m_previousLength = 0;
    m_port = &port;
    connect(m_port, &QSerialPort::readyRead, this, &SerialReceiver::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialReceiver::onPortError);
    m_state = State::Receiving;
    m_idle.start();
}

void SerialReceiver::stop()
{
    m_idle.stop();
    if (m_port) {
        disconnect(m_port, nullptr, this, nullptr);
        m_port = nullptr;
    }
    if (m_state == State::Receiving || m_state == State::Complete) {
        m_state = State::Idle;
    }
}

void SerialReceiver::onReadyRead()
{
    const QByteArray bytes = m_port->readAll();
    if (bytes.isEmpty()) {
        return;
    }
    const char previous = m_data.isEmpty() ? char(0) : m_data.back();
    m_data.append(bytes);
    emit bytesArrived(bytes.size(), displayText(bytes, previous));
}

void SerialReceiver::onPortError()
{
    const QSerialPort::SerialPortError error = m_port->error();
    // A line without modem signals refuses the lamps' query; that is no line error.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError
        || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    const QString reason = m_port->errorString();
    m_port->clearError();
    stop();
    m_state = State::Failed;
    emit failed(reason);
}

void SerialReceiver::onIdleTick()
{
    m_length = m_data.size();
    if (m_length == 0) {
        return; // the first byte may take as long as the operator needs at the machine
    }
    if (m_length == m_previousLength) {
        m_idle.stop();
        m_state = State::Complete;
        emit completed();
    }
    m_previousLength = m_length;
}

bool SerialReceiver::save(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!ok && error) {
        *error = path + u": " + file.errorString();
    }
    return ok;
}

QString SerialReceiver::displayText(QByteArrayView bytes, char previous)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = uchar(c);
        if (byte == '\n') {
            if (previous != '\r') {
                text.append(u'\n');
            }
        } else if (byte == '\r') {
            text.append(u'\n');
        } else if (byte == '\t') {
            text.append(u'\t');
        } else if (byte < 0x20) {
            text.append(QChar(char16_t(0x2400 + byte))); // the control picture of the byte
        } else if (byte == 0x7F) {
            text.append(QChar(char16_t(0x2421)));
        } else if (byte >= 0x80 && byte < 0xA0) {
            text.append(u'<' + QString::number(byte, 16).toUpper() + u'>');
        } else {
            text.append(QChar(char16_t(byte)));
        }
        previous = c;
    }
    return text;
}
