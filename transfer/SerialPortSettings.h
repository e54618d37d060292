#pragma once

#include "machines/SerialCodes.h"

#include <QSerialPort>
#include <QString>

#include <optional>

/// The settings a serial port is given, taken from a machine's stored codes.
struct SerialPortSettings
{
    QString portName; ///< as stored, "COM1" … "COM12"
    qint32 baudRate = 9600;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    /// Custom keeps the flow settings the port already has.
    SerialFlow flow = SerialFlow::None;

    /// The settings for the stored codes (speed 1–15, data bits 1–4, parity
    /// 1–5, stop bits 1–3, flow 1–4). A code outside its table gives nothing
    /// and, in \a error, a text naming that setting.
    static std::optional<SerialPortSettings> fromCodes(const QString &portName, int speed, int dataBits, int parity,
                                                       int stopBits, int flow, QString *error = nullptr);

    /// The device a port name stands for: the value of its key in the COMPORTS
    /// section of the settings file \a transferIniPath when there is one;
    /// otherwise "COMn" is /dev/ttyS(n−1) (COMn itself on Windows). A name
    /// that is not "COM" and a number is taken as the device itself.
    static QString devicePath(const QString &portName, const QString &transferIniPath);

    /// The setting's name in the current language, for messages.
    static QString speedName();
    static QString dataBitsName();
    static QString parityName();
    static QString stopBitsName();
    static QString flowName();
};
