#include "transfer/SerialLine.h"

#include "i18n/Catalogue.h"
#include "machines/CommunicationTests.h"
#include "support/PseudoTerminalPair.h"
#include "support/TestFiles.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <termios.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SerialPortSettings, CodesGiveTheSettingsOfTheirTables)
{
    Catalogue::current().load(QStringLiteral("EN"));
    const qint32 rates[]
        = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (int code = 1; code <= 15; ++code) {
        EXPECT_EQ(SerialPortSettings::fromCodes(u"COM1"_s, code, 4, 3, 2, 3)->baudRate, rates[code - 1]);
    }
    const QSerialPort::Parity parities[] = {QSerialPort::EvenParity, QSerialPort::MarkParity, QSerialPort::NoParity,
                                            QSerialPort::OddParity, QSerialPort::SpaceParity};
    for (int code = 1; code <= 5; ++code) {
        EXPECT_EQ(SerialPortSettings::fromCodes(u"COM1"_s, 7, 4, code, 2, 3)->parity, parities[code - 1]);
    }
    const auto s = SerialPortSettings::fromCodes(u"COM2"_s, 7, 1, 3, 1, 2);
    EXPECT_EQ(s->dataBits, QSerialPort::Data5);
    EXPECT_EQ(s->stopBits, QSerialPort::OneAndHalfStop) << "the entry shown as \"0\" is 1.5 stop bits";
    EXPECT_EQ(s->flow, SerialFlow::Hardware);
    EXPECT_EQ(SerialPortSettings::fromCodes(u"COM2"_s, 7, 4, 3, 2, 3)->stopBits, QSerialPort::OneStop);
    EXPECT_EQ(SerialPortSettings::fromCodes(u"COM2"_s, 7, 4, 3, 3, 1)->stopBits, QSerialPort::TwoStop);
    EXPECT_EQ(SerialPortSettings::fromCodes(u"COM2"_s, 7, 4, 3, 3, 1)->flow, SerialFlow::Custom);

    QString error;
    EXPECT_FALSE(SerialPortSettings::fromCodes(u"COM2"_s, 16, 4, 3, 2, 3, &error));
    EXPECT_EQ(error, u"No valid value for the setting \"Speed 16\"."_s);
    EXPECT_FALSE(SerialPortSettings::fromCodes(u"COM2"_s, 7, 4, 3, 2, 0, &error));
    EXPECT_EQ(error, u"No valid value for the setting \"Flow Control 0\"."_s);
}

TEST(SerialPortSettings, PortNamesMapThroughTheSettingsFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"VORNTransfer.ini"_s);
    TestFiles::write(ini, "[COMPORTS]\ncom3=/dev/ttyUSB0\nCOM12 = /dev/serial/by-id/cnc-lathe\n");
    EXPECT_EQ(SerialPortSettings::devicePath(u"COM3"_s, ini), u"/dev/ttyUSB0"_s);
    EXPECT_EQ(SerialPortSettings::devicePath(u"COM12"_s, ini), u"/dev/serial/by-id/cnc-lathe"_s);
    EXPECT_EQ(SerialPortSettings::devicePath(u"COM1"_s, ini), u"/dev/ttyS0"_s);
    EXPECT_EQ(SerialPortSettings::devicePath(u"COM10"_s, dir.filePath(u"absent.ini"_s)), u"/dev/ttyS9"_s);
    EXPECT_EQ(SerialPortSettings::devicePath(u"/dev/ttyACM0"_s, ini), u"/dev/ttyACM0"_s);
}

/// A pair of connected pseudo-terminals made by socat; COM3 is mapped to one end.
class SerialLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PseudoTerminalPair::available()) {
            GTEST_SKIP() << "socat is not installed";
        }
        Catalogue::current().load(QStringLiteral("EN"));
        m_pair = std::make_unique<PseudoTerminalPair>(m_dir.path());
        m_end = m_pair->end();
        m_other = m_pair->otherEnd();
        m_ini = m_dir.filePath(u"VORNTransfer.ini"_s);
        TestFiles::write(m_ini,
                         "[COMPORTS]\nCOM3=" + m_end.toUtf8() + "\nCOM4=" + m_dir.filePath(u"gone"_s).toUtf8() + "\n");
        ASSERT_TRUE(m_pair->start());
    }

    void TearDown() override { m_pair.reset(); }

    SerialPortSettings settings(int flow, int dataBits = 4, int parity = 3, int stopBits = 2)
    {
        return *SerialPortSettings::fromCodes(u"COM3"_s, 7, dataBits, parity, stopBits, flow);
    }

    QString device() const { return SerialPortSettings::devicePath(u"COM3"_s, m_ini); }

    /// The flow flags the open line really has.
    static std::tuple<bool, bool, bool> flowFlags(SerialLine &line)
    {
        termios tio {};
        EXPECT_EQ(::tcgetattr(int(line.port().handle()), &tio), 0);
        return {bool(tio.c_cflag & CRTSCTS), (tio.c_iflag & IXON) && (tio.c_iflag & IXOFF), bool(tio.c_iflag & IXANY)};
    }

    QTemporaryDir m_dir;
    QString m_end;
    QString m_other;
    QString m_ini;
    std::unique_ptr<PseudoTerminalPair> m_pair;
};

TEST_F(SerialLineTest, OpensWithEveryFlowModeExactlyAsAsked)
{
    SerialLine line(SerialFlow::None);
    const struct
    {
        int code;
        bool hardware;
        bool software;
    } modes[] = {{2, true, false}, {1, true, false},  {4, false, true},
                 {1, false, true}, {3, false, false}, {1, false, false}};
    for (const auto &mode : modes) {
        line.configure(settings(mode.code), device());
        ASSERT_TRUE(line.open()) << line.errorString().toStdString();
        const auto [hardware, software, anyRestarts] = flowFlags(line);
        EXPECT_EQ(hardware, mode.hardware) << "flow code " << mode.code;
        EXPECT_EQ(software, mode.software) << "flow code " << mode.code;
        EXPECT_FALSE(anyRestarts) << "only XON restarts the output";
        line.close();
        EXPECT_FALSE(line.isOpen());
    }

    // CUSTOM on a fresh line keeps the line's own preset.
    SerialLine testPort(SerialFlow::Software);
    testPort.configure(settings(1), device());
    ASSERT_TRUE(testPort.open());
    EXPECT_EQ(flowFlags(testPort), std::make_tuple(false, true, false));
}

TEST_F(SerialLineTest, TheOpenPortCarriesBytesToTheOtherEnd)
{
    SerialLine line;
    line.configure(settings(3), device());
    ASSERT_TRUE(line.open()) << line.errorString().toStdString();
    QSerialPort other;
    other.setPortName(m_other);
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    line.port().write("G01 X1.\n");
    ASSERT_TRUE(line.port().waitForBytesWritten(2000));
    QByteArray received;
    const QDeadlineTimer deadline(3000);
    while (received.size() < 8 && !deadline.hasExpired()) {
        other.waitForReadyRead(100);
        received += other.readAll();
    }
    EXPECT_EQ(received, QByteArray("G01 X1.\n"));
}

TEST_F(SerialLineTest, SettingsTheSystemCannotGiveFailNamingThem)
{
    SerialLine line;
    line.configure(settings(3, 4, 3, 1), device()); // stop bits "0": 1.5
    EXPECT_FALSE(line.open());
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.errorString(), m_end + u": 1.5 stop bits are not available on this system."_s);

    // A pseudo-terminal always frames 8 data bits without parity.
    line.configure(settings(3, 3, 1, 2), device());
    EXPECT_FALSE(line.open());
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.errorString(), m_end + u": The port does not accept the setting \"Data Bits 7\"."_s);
    line.configure(settings(3, 4, 4, 2), device());
    EXPECT_FALSE(line.open());
    EXPECT_EQ(line.errorString(), m_end + u": The port does not accept the setting \"Parity ODD\"."_s);
}

TEST_F(SerialLineTest, TheRegisterWindowsTestOpensAndClosesThePort)
{
    MachineForm form;
    form.ComPortIndex = 3;
    form.SpeedIndex = 13;
    form.DataBitsIndex = 4;
    form.ParityIndex = 3;
    form.StopBitsIndex = 2;
    form.FlowIndex = 3;
    SerialLine testPort(SerialFlow::Software);
    CommunicationTestResult result = testSerialCommunication(form, testPort, m_ini);
    EXPECT_TRUE(result.passed) << result.message.toStdString();
    EXPECT_EQ(result.message, u"INFORMATION: Testing the Communication Port \"COM3\" performed successfully."_s);
    EXPECT_FALSE(testPort.isOpen());
    EXPECT_EQ(testPort.flow(), SerialFlow::None);

    form.ComPortIndex = 4; // mapped to a device that does not exist
    result = testSerialCommunication(form, testPort, m_ini);
    EXPECT_FALSE(result.passed);
    const QString head = u"ERROR: Failed Test Port Communication \"COM4\".\n"
                         "Please check the serial communication parameters.\n"_s
        + m_dir.filePath(u"gone"_s) + u": "_s;
    EXPECT_TRUE(result.message.startsWith(head)) << result.message.toStdString();
    EXPECT_GT(result.message.size(), head.size()) << "the reason follows the device";

    form.ParityIndex = 0;
    result = testSerialCommunication(form, testPort, m_ini);
    EXPECT_EQ(result.focus, MachineField::Parity);
    EXPECT_TRUE(result.message.isEmpty());
}

} // namespace
