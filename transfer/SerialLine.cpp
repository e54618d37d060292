#include "transfer/SerialLine.h"

#include "i18n/Catalogue.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <termios.h>
#endif

namespace {

constexpr unsigned char kXon = 17; // DC1
constexpr unsigned char kXoff = 19; // DC3

QSerialPort::FlowControl qtFlow(SerialFlow flow)
{
    switch (flow) {
    case SerialFlow::Hardware:
        return QSerialPort::HardwareControl;
    case SerialFlow::Software:
        return QSerialPort::SoftwareControl;
    case SerialFlow::None:
    case SerialFlow::Custom:
        break;
    }
    return QSerialPort::NoFlowControl;
}

/// The text the register window shows for a setting's value.
QString parityText(QSerialPort::Parity parity)
{
    using SerialCodes::kParityTexts;
    switch (parity) {
    case QSerialPort::EvenParity:
        return kParityTexts[0].toString();
    case QSerialPort::MarkParity:
        return kParityTexts[1].toString();
    case QSerialPort::OddParity:
        return kParityTexts[3].toString();
    case QSerialPort::SpaceParity:
        return kParityTexts[4].toString();
    default:
        return kParityTexts[2].toString();
    }
}

QString stopBitsText(QSerialPort::StopBits stopBits)
{
    using SerialCodes::kStopBitsTexts;
    switch (stopBits) {
    case QSerialPort::OneAndHalfStop:
        return kStopBitsTexts[0].toString();
    case QSerialPort::TwoStop:
        return kStopBitsTexts[2].toString();
    default:
        return kStopBitsTexts[1].toString();
    }
}

QString flowText(SerialFlow flow)
{
    return SerialCodes::kFlowTexts[std::size_t(flow) - 1].toString();
}

} // namespace

SerialLine::SerialLine(SerialFlow preset, QObject *parent)
    : QObject(parent)
    , m_flow(preset == SerialFlow::Custom ? SerialFlow::None : preset)
{
    m_settings.flow = m_flow;
}

SerialLine::~SerialLine()
{
    close();
}

void SerialLine::configure(const SerialPortSettings &settings, const QString &devicePath)
{
    m_settings = settings;
    m_devicePath = devicePath;
    if (settings.flow != SerialFlow::Custom) {
        m_flow = settings.flow;
    }
}

bool SerialLine::fail(const QString &reason)
{
    m_error = m_devicePath + u": " + reason;
    return false;
}

bool SerialLine::refused(const QString &setting)
{
    return fail(T(u"Msg.Machine.PortSettingRefusedPrefix") + setting + u"\".");
}

bool SerialLine::open(QIODevice::OpenMode mode)
{
    m_error.clear();
    close();
#ifndef Q_OS_WIN
    // The serial drivers here know one or two stop bits only; Qt would quietly use one.
    if (m_settings.stopBits == QSerialPort::OneAndHalfStop) {
        return fail(T(u"Msg.Machine.PortStopBitsUnsupported"));
    }
#endif
    m_port.setPortName(m_devicePath);
    m_port.setBaudRate(m_settings.baudRate);
    m_port.setDataBits(m_settings.dataBits);
    m_port.setParity(m_settings.parity);
    m_port.setStopBits(m_settings.stopBits);
    m_port.setFlowControl(qtFlow(m_flow));
    if (!m_port.open(mode)) {
        return fail(m_port.errorString());
    }
    bool ok = true;
#ifdef Q_OS_UNIX
    ok = applyAndCheckTermios();
#endif
    ok = ok && setModemLines();
    if (!ok) {
        m_port.close();
    }
    return ok;
}

void SerialLine::close()
{
    if (m_port.isOpen()) {
        m_port.close();
    }
}

bool SerialLine::setModemLines()
{
    m_port.clearError();
    m_port.pinoutSignals();
    if (m_port.error() == QSerialPort::UnsupportedOperationError) {
        // A device without modem control lines (a pseudo-terminal): nothing to switch off.
        m_port.clearError();
        return true;
    }
    if (m_port.error() != QSerialPort::NoError) {
        return fail(m_port.errorString());
    }
    if (!m_port.setDataTerminalReady(false)) {
        return refused(T(u"Msg.Machine.SettingDtr"));
    }
    if (m_flow != SerialFlow::Hardware && !m_port.setRequestToSend(false)) {
        return refused(T(u"Msg.Machine.SettingRts"));
    }
    return true;
}

#ifdef Q_OS_UNIX
bool SerialLine::applyAndCheckTermios()
{
    const int fd = int(m_port.handle());
    termios tio {};
    if (::tcgetattr(fd, &tio) == -1) {
        return fail(qt_error_string(errno));
    }
    // Qt's software flow also lets any character restart the output; the line wants XON only.
    tio.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~tcflag_t(CRTSCTS);
    if (m_flow == SerialFlow::Hardware) {
        tio.c_cflag |= CRTSCTS;
    } else if (m_flow == SerialFlow::Software) {
        tio.c_iflag |= IXON | IXOFF;
    }
    tio.c_cc[VSTART] = kXon;
    tio.c_cc[VSTOP] = kXoff;
    if (::tcsetattr(fd, TCSANOW, &tio) == -1) {
        return fail(qt_error_string(errno));
    }

    // The driver reports what it really does; anything else than asked is refused.
    termios got {};
    if (::tcgetattr(fd, &got) == -1) {
        return fail(qt_error_string(errno));
    }
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    if ((got.c_cflag & CSIZE) != sizes[m_settings.dataBits - QSerialPort::Data5]) {
        return refused(SerialPortSettings::dataBitsName() + u' ' + QString::number(int(m_settings.dataBits)));
    }

    const bool enabled = got.c_cflag & PARENB;
    const bool odd = got.c_cflag & PARODD;
#ifdef CMSPAR
    const bool sticky = got.c_cflag & CMSPAR;
#else
    const bool sticky = false;
#endif
    bool parityOk = false;
    switch (m_settings.parity) {
    case QSerialPort::EvenParity:
        parityOk = enabled && !odd && !sticky;
        break;
    case QSerialPort::OddParity:
        parityOk = enabled && odd && !sticky;
        break;
    case QSerialPort::MarkParity:
        parityOk = enabled && odd && sticky;
        break;
    case QSerialPort::SpaceParity:
        parityOk = enabled && !odd && sticky;
        break;
    default:
        parityOk = !enabled;
        break;
    }
    if (!parityOk) {
        return refused(SerialPortSettings::parityName() + u' ' + parityText(m_settings.parity));
    }

    if (bool(got.c_cflag & CSTOPB) != (m_settings.stopBits == QSerialPort::TwoStop)) {
        return refused(SerialPortSettings::stopBitsName() + u' ' + stopBitsText(m_settings.stopBits));
    }

    const bool hardware = got.c_cflag & CRTSCTS;
    const bool software = (got.c_iflag & IXON) && (got.c_iflag & IXOFF);
    const bool anySoftware = got.c_iflag & (IXON | IXOFF | IXANY);
    const bool flowOk = hardware == (m_flow == SerialFlow::Hardware)
        && (m_flow == SerialFlow::Software ? software && !(got.c_iflag & IXANY) : !anySoftware)
        && got.c_cc[VSTART] == kXon && got.c_cc[VSTOP] == kXoff;
    if (!flowOk) {
        return refused(SerialPortSettings::flowName() + u' ' + flowText(m_flow));
    }

    struct StandardRate
    {
        qint32 rate;
        speed_t code;
    };
    static constexpr StandardRate kRates[]
        = {{110, B110},   {300, B300},     {600, B600},     {1200, B1200},   {2400, B2400},    {4800, B4800},
           {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const StandardRate &rate : kRates) {
        if (rate.rate == m_settings.baudRate && ::cfgetospeed(&got) != rate.code) {
            return refused(SerialPortSettings::speedName() + u' ' + QString::number(m_settings.baudRate));
        }
    }
    return true;
}
#endif
