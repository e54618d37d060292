#include "transfer/SerialPortSettings.h"

#include "app/IniFile.h"
#include "app/SettingsKeys.h"
#include "i18n/Catalogue.h"

namespace {

QString invalidCode(const QString &setting, int code)
{
    return T(u"Msg.Machine.PortCodeInvalidPrefix") + setting + u' ' + QString::number(code) + u"\".";
}

} // namespace

std::optional<SerialPortSettings> SerialPortSettings::fromCodes(const QString &portName, int speed, int dataBits,
                                                                int parity, int stopBits, int flow, QString *error)
{
    using namespace SerialCodes;
    const auto refuse = [error](const QString &text) {
        if (error) {
            *error = text;
        }
        return std::nullopt;
    };
    SerialPortSettings settings;
    settings.portName = portName;
    settings.baudRate = SerialCodes::baudRate(speed);
    if (settings.baudRate == 0) {
        return refuse(invalidCode(speedName(), speed));
    }
    if (SerialCodes::dataBits(dataBits) == 0) {
        return refuse(invalidCode(dataBitsName(), dataBits));
    }
    settings.dataBits = QSerialPort::DataBits(SerialCodes::dataBits(dataBits));
    if (!isParityCode(parity)) {
        return refuse(invalidCode(parityName(), parity));
    }
    switch (SerialParity(parity)) {
    case SerialParity::Even:
        settings.parity = QSerialPort::EvenParity;
        break;
    case SerialParity::Mark:
        settings.parity = QSerialPort::MarkParity;
        break;
    case SerialParity::None:
        settings.parity = QSerialPort::NoParity;
        break;
    case SerialParity::Odd:
        settings.parity = QSerialPort::OddParity;
        break;
    case SerialParity::Space:
        settings.parity = QSerialPort::SpaceParity;
        break;
    }
    if (!isStopBitsCode(stopBits)) {
        return refuse(invalidCode(stopBitsName(), stopBits));
    }
    switch (SerialStopBits(stopBits)) {
    case SerialStopBits::OneAndHalf:
        settings.stopBits = QSerialPort::OneAndHalfStop;
        break;
    case SerialStopBits::One:
        settings.stopBits = QSerialPort::OneStop;
        break;
    case SerialStopBits::Two:
        settings.stopBits = QSerialPort::TwoStop;
        break;
    }
    if (!isFlowCode(flow)) {
        return refuse(invalidCode(flowName(), flow));
    }
    settings.flow = SerialFlow(flow);
    return settings;
}

QString SerialPortSettings::devicePath(const QString &portName, const QString &transferIniPath)
{
    const QString name = portName.trimmed();
    bool isNumber = false;
    const int number = name.startsWith(u"COM", Qt::CaseInsensitive) ? name.mid(3).toInt(&isNumber) : 0;
    if (!isNumber || number < 1) {
        return name;
    }
    const QString key = u"COM" + QString::number(number);
    const QString mapped = IniFile(transferIniPath).readString(SettingsKeys::kComPortsSection, key, QString());
    if (!mapped.isEmpty()) {
        return mapped;
    }
#ifdef Q_OS_WIN
    return key;
#else
    return u"/dev/ttyS" + QString::number(number - 1);
#endif
}

QString SerialPortSettings::speedName()
{
    return T(u"Msg.Machine.SettingSpeed");
}

QString SerialPortSettings::dataBitsName()
{
    return T(u"Msg.Machine.SettingDataBits");
}

QString SerialPortSettings::parityName()
{
    return T(u"Msg.Machine.SettingParity");
}

QString SerialPortSettings::stopBitsName()
{
    return T(u"Msg.Machine.SettingStopBits");
}

QString SerialPortSettings::flowName()
{
    return T(u"Msg.Machine.SettingFlowControl");
}
