#include "transfer/SerialSender.h"

#include "i18n/Catalogue.h"
#include "support/PseudoTerminalPair.h"
#include "support/TestFiles.h"
#include "transfer/SerialLine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// Runs the event loop until \a done or \a ms have passed; true when done.
bool runUntil(const std::function<bool()> &done, int ms = 10000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

/// Our line on one end of a socat pseudo-terminal pair; the test plays the
/// machine on the other end.
class SerialSenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PseudoTerminalPair::available()) {
            GTEST_SKIP() << "socat is not installed";
        }
        Catalogue::current().load(u"EN"_s);
        m_pair = std::make_unique<PseudoTerminalPair>(m_dir.path());
        m_end = m_pair->end();
        m_machineEnd = m_pair->otherEnd();
        ASSERT_TRUE(m_pair->start());
        m_machine.setPortName(m_machineEnd);
        ASSERT_TRUE(m_machine.open(QIODevice::ReadWrite));
        QObject::connect(&m_machine, &QSerialPort::readyRead, [this] { m_received += m_machine.readAll(); });
    }

    void TearDown() override
    {
        m_machine.close();
        m_pair.reset();
    }

    /// Opens our line with flow code \a flow (3 none, 4 software) at 115200 baud.
    void openLine(int flow = 3)
    {
        m_line.configure(*SerialPortSettings::fromCodes(u"COM3"_s, 13, 4, 3, 2, flow), m_end);
        ASSERT_TRUE(m_line.open()) << m_line.errorString().toStdString();
    }

    QString file(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(u"O%1.nc"_s.arg(++m_files));
        TestFiles::write(path, bytes);
        return path;
    }

    /// Sends \a bytes as a file and returns what the machine received.
    QByteArray send(const QByteArray &bytes, int *lastPercent = nullptr)
    {
        m_received.clear();
        SerialSender sender;
        QSignalSpy finished(&sender, &SerialSender::finished);
        QSignalSpy failed(&sender, &SerialSender::failed);
        int percent = -1;
        QObject::connect(&sender, &SerialSender::progressed,
                         [&](qint64 sent, qint64 total) { percent = SerialSender::percent(sent, total); });
        EXPECT_TRUE(sender.start(m_line.port(), file(bytes)));
        EXPECT_TRUE(runUntil([&] { return !finished.isEmpty() || !failed.isEmpty(); }));
        EXPECT_TRUE(failed.isEmpty());
        // Let the last bytes cross the pair.
        const QDeadlineTimer settle(300);
        runUntil([&] { return settle.hasExpired(); });
        if (lastPercent) {
            *lastPercent = percent;
        }
        return m_received;
    }

    QTemporaryDir m_dir;
    QString m_end;
    QString m_machineEnd;
    std::unique_ptr<PseudoTerminalPair> m_pair;
    QSerialPort m_machine;
    QByteArray m_received;
    SerialLine m_line;
    int m_files = 0;
};

TEST_F(SerialSenderTest, SendsTheFileWithCrBeforeBareLfAndStopsAtCtrlZ)
{
    openLine();
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b) {
        high.append(char(b));
    }
    // The file is read in blocks of 16 KiB: a CR LF and a bare LF on block
    // edges, and a Ctrl-Z that opens a later block.
    const QByteArray edges = QByteArray(16383, 'A') + "\r\n" + QByteArray(16383, 'B') + "\n";
    const QByteArray edgesSent = QByteArray(16383, 'A') + "\r\n" + QByteArray(16383, 'B') + "\r\n";
    const QByteArray lateCtrlZ = QByteArray(16384, 'C') + "\x1a" + "N10\n";
    const struct
    {
        const char *name;
        QByteArray file;
        QByteArray sent;
        int percent;
    } cases[] = {
        {"CR LF", "%\r\nG01 X1.\r\n%\r\n", "%\r\nG01 X1.\r\n%\r\n", 100},
        {"bare LF", "%\nG01 X1.\n%\n", "%\r\nG01 X1.\r\n%\r\n", 100},
        {"bare CR", "%\rG01 X1.\r%\r", "%\rG01 X1.\r%\r", 100},
        {"LF first", "\nN10\n\r\n", "\r\nN10\r\n\r\n", 100},
        {"LF CR LF", "A\n\r\nB", "A\r\n\r\nB", 100},
        {"Ctrl-Z after the first byte", QByteArray("N10\nN20\x1aN30\n"), "N10\r\nN20", 58},
        {"Ctrl-Z first", QByteArray("\x1aN10\n"), QByteArray("\x1a"), 20},
        {"empty", QByteArray(), QByteArray(), 100},
        {"bytes 0x80 to 0xFF", high, high, 100},
        {"NUL and controls", QByteArray("\0\x01\x7f", 3), QByteArray("\0\x01\x7f", 3), 100},
        {"line ends on block edges", edges, edgesSent, 100},
        {"Ctrl-Z opening a later block", lateCtrlZ, QByteArray(16384, 'C'), 100},
    };
    for (const auto &c : cases) {
        int percent = -1;
        EXPECT_EQ(send(c.file, &percent), c.sent) << c.name;
        EXPECT_EQ(percent, c.percent) << c.name;
    }
}

TEST_F(SerialSenderTest, CancelStopsTheSendWithoutFinishing)
{
    openLine();
    SerialSender sender;
    QSignalSpy finished(&sender, &SerialSender::finished);
    QSignalSpy cancelled(&sender, &SerialSender::cancelled);
    const QByteArray program = QByteArray("G01 X1. Y2.\n").repeated(400000);
    ASSERT_TRUE(sender.start(m_line.port(), file(program)));
    ASSERT_TRUE(runUntil([&] { return m_received.size() > 1000; }));
    sender.cancel();
    EXPECT_EQ(cancelled.size(), 1);
    EXPECT_FALSE(sender.isRunning());
    const QDeadlineTimer settle(500);
    runUntil([&] { return settle.hasExpired(); });
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_LT(m_received.size(), program.size());
    sender.cancel(); // a second cancel does nothing
    EXPECT_EQ(cancelled.size(), 1);
}

TEST_F(SerialSenderTest, AHeldLineWaitsAndLosesNothing)
{
    openLine(4);
    m_machine.write("\x13"); // XOFF: the machine is not ready
    ASSERT_TRUE(m_machine.waitForBytesWritten(2000));
    QThread::msleep(100);

    SerialSender sender;
    sender.setHoldThreshold(300);
    QSignalSpy finished(&sender, &SerialSender::finished);
    QSignalSpy failed(&sender, &SerialSender::failed);
    QList<bool> waiting;
    QObject::connect(&sender, &SerialSender::waitingForMachine, [&](bool w) { waiting << w; });
    QByteArray program;
    for (int n = 1; n <= 3000; ++n) {
        program += "N" + QByteArray::number(n) + " G01 X" + QByteArray::number(n) + ".\n";
    }
    ASSERT_TRUE(sender.start(m_line.port(), file(program)));

    // Held for longer than any write time-out would allow.
    const QDeadlineTimer held(2500);
    runUntil([&] { return held.hasExpired() || !finished.isEmpty() || !failed.isEmpty(); }, 3000);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_TRUE(m_received.isEmpty());
    // Nothing reached the machine: no more than what waits in the port may count as sent.
    EXPECT_LE(sender.sentBytes(), m_line.port().bytesToWrite());
    EXPECT_EQ(waiting, QList<bool> {true});
    EXPECT_TRUE(sender.isRunning());

    m_machine.write("\x11"); // XON
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty() || !failed.isEmpty(); }));
    ASSERT_TRUE(failed.isEmpty());
    ASSERT_TRUE(runUntil([&] { return m_received.size() >= program.size() + 3000; }));
    QByteArray expected = program;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(m_received, expected);
    EXPECT_EQ(waiting, (QList<bool> {true, false}));
}

TEST_F(SerialSenderTest, BytesFromTheMachineAreCountedAndDiscarded)
{
    openLine();
    SerialSender sender;
    QSignalSpy finished(&sender, &SerialSender::finished);
    const QByteArray program = QByteArray("G01 X1. Y2.\r\n").repeated(20000);
    ASSERT_TRUE(sender.start(m_line.port(), file(program)));
    m_machine.write("ABC");
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty(); }));
    runUntil([&] { return sender.discardedBytes() == 3; }, 1000);
    EXPECT_EQ(sender.discardedBytes(), 3);
}

TEST_F(SerialSenderTest, ALineErrorStopsTheSendWithoutSuccess)
{
    openLine();
    SerialSender sender;
    QSignalSpy finished(&sender, &SerialSender::finished);
    QSignalSpy failed(&sender, &SerialSender::failed);
    const QByteArray program = QByteArray("G01 X1. Y2.\n").repeated(400000);
    ASSERT_TRUE(sender.start(m_line.port(), file(program)));
    ASSERT_TRUE(runUntil([&] { return m_received.size() > 1000; }));
    m_machine.close();
    m_pair->stop(); // the line goes away under the send
    ASSERT_TRUE(runUntil([&] { return !failed.isEmpty() || !finished.isEmpty(); }));
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_FALSE(sender.isRunning());
}

TEST_F(SerialSenderTest, AMissingFileDoesNotStart)
{
    openLine();
    SerialSender sender;
    EXPECT_FALSE(sender.start(m_line.port(), m_dir.filePath(u"absent.nc"_s)));
    EXPECT_TRUE(sender.errorString().startsWith(m_dir.filePath(u"absent.nc"_s) + u": "_s));
    EXPECT_FALSE(sender.isRunning());
}

TEST(SerialSenderPercent, RoundsToTheNearestWholeNumber)
{
    EXPECT_EQ(SerialSender::percent(574, 1000), 57);
    EXPECT_EQ(SerialSender::percent(575, 1000), 58);
    EXPECT_EQ(SerialSender::percent(0, 7), 0);
    EXPECT_EQ(SerialSender::percent(7, 7), 100);
    EXPECT_EQ(SerialSender::percent(0, 0), 100);
}

} // namespace
