#include "transfer/SerialWindowSettings.h"

#include "machines/CurrentMachine.h"

namespace {

/// The code as an integer, or 0 when it is not plain decimal digits.
int codeOf(const QString &text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    return ok ? code : 0;
}

} // namespace

void SerialWindowSettings::apply(const CurrentMachine &machine)
{
    using namespace SerialCodes;
    port.portName = machine.SerialPort;
    shownPort = machine.SerialPort;

    if (const qint32 rate = baudRate(codeOf(machine.SerialSpeed)); rate != 0) {
        port.baudRate = rate;
        shownSpeed = QString::number(rate);
    }
    if (const int bits = dataBits(codeOf(machine.SerialDataBits)); bits != 0) {
        port.dataBits = QSerialPort::DataBits(bits);
        shownDataBits = QString::number(bits);
    }
    if (const int code = codeOf(machine.SerialParity); isParityCode(code)) {
        static constexpr QSerialPort::Parity kParities[]
            = {QSerialPort::EvenParity, QSerialPort::MarkParity, QSerialPort::NoParity, QSerialPort::OddParity,
               QSerialPort::SpaceParity};
        port.parity = kParities[code - 1];
        shownParity = kParityTexts[std::size_t(code - 1)].toString();
    }
    if (const int code = codeOf(machine.SerialStopBits); isStopBitsCode(code)) {
        static constexpr QSerialPort::StopBits kStopBits[]
            = {QSerialPort::OneAndHalfStop, QSerialPort::OneStop, QSerialPort::TwoStop};
        port.stopBits = kStopBits[code - 1];
        shownStopBits = kStopBitsTexts[std::size_t(code - 1)].toString();
    }
    if (const int code = codeOf(machine.SerialFlow); isFlowCode(code)) {
        port.flow = SerialFlow(code);
        shownFlow = kFlowTexts[std::size_t(code - 1)].toString();
    }
}
