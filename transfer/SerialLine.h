#pragma once

#include "transfer/SerialPortSettings.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

/// A serial port as the machines use it: settings from the stored codes, a
/// flow mode applied exactly (HARDWARE: RTS handshake and CTS flow; SOFTWARE:
/// XON 17 / XOFF 19 both ways; NONE: nothing; CUSTOM: the flow the port already
/// has), DTR and DSR flow always off.
///
/// open() checks that the system gave every setting; one it cannot give (1.5
/// stop bits on Linux, 7 data bits on a pseudo-terminal, ...) fails naming that
/// setting instead of running the line with another one.
class SerialLine : public QObject
{
    Q_OBJECT

public:
    /// \a preset is the flow the port has before any flow mode is applied,
    /// which is what a Custom flow keeps until another mode is applied.
    explicit SerialLine(SerialFlow preset = SerialFlow::None, QObject *parent = nullptr);
    ~SerialLine() override;

    /// Settings and device for the next open(); a flow mode other than
    /// Custom becomes the port's flow from now on.
    void configure(const SerialPortSettings &settings, const QString &devicePath);

    /// Opens the device with the configured settings. On failure the port is
    /// closed and errorString() names the device and the reason.
    bool open(QIODevice::OpenMode mode = QIODevice::ReadWrite);
    void close();
    bool isOpen() const { return m_port.isOpen(); }

    /// The flow the port has: Hardware, Software or None.
    SerialFlow flow() const { return m_flow; }
    const SerialPortSettings &settings() const { return m_settings; }
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_error; }

    /// The open port, for reading and writing.
    QSerialPort &port() { return m_port; }

private:
    bool fail(const QString &reason);
    bool refused(const QString &setting);
    bool setModemLines();
#ifdef Q_OS_UNIX
    bool applyAndCheckTermios();
#endif

    QSerialPort m_port;
    SerialPortSettings m_settings;
    SerialFlow m_flow;
    QString m_devicePath;
    QString m_error;
};
