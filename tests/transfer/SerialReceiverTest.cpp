#include "transfer/SerialReceiver.h"

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

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool runUntil(const std::function<bool()> &done, int ms = 10000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

void runFor(int ms)
{
    const QDeadlineTimer deadline(ms);
    runUntil([&] { return deadline.hasExpired(); }, ms + 100);
}

/// Our line on one end of a socat pseudo-terminal pair; the test plays the
/// machine that sends on the other end.
class SerialReceiverTest : public ::testing::Test
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
        m_line.configure(*SerialPortSettings::fromCodes(u"COM3"_s, 13, 4, 3, 2, 3), m_end);
        ASSERT_TRUE(m_line.open()) << m_line.errorString().toStdString();
    }

    void TearDown() override
    {
        m_machine.close();
        m_pair.reset();
    }

    void machineSends(const QByteArray &bytes)
    {
        m_machine.write(bytes);
        ASSERT_TRUE(m_machine.waitForBytesWritten(2000));
    }

    QTemporaryDir m_dir;
    QString m_end;
    QString m_machineEnd;
    std::unique_ptr<PseudoTerminalPair> m_pair;
    QSerialPort m_machine;
    SerialLine m_line;
};

TEST_F(SerialReceiverTest, KeepsAndSavesEveryByteExactly)
{
    SerialReceiver receiver;
    receiver.setIdleInterval(200);
    QSignalSpy completed(&receiver, &SerialReceiver::completed);
    QString shown;
    QObject::connect(&receiver, &SerialReceiver::bytesArrived, [&](qsizetype, const QString &text) { shown += text; });
    receiver.start(m_line.port());
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(char(b));
    }
    const QByteArray program = "%\r\nO1000\nN10 G00\rN20\x1a" + all + "\r\n%";
    machineSends(program);
    ASSERT_TRUE(runUntil([&] { return !completed.isEmpty(); }));
    EXPECT_EQ(receiver.state(), SerialReceiver::State::Complete);
    EXPECT_EQ(receiver.data(), program);
    EXPECT_TRUE(shown.contains(QChar(0x2400))) << "a NUL is shown, not dropped";
    EXPECT_TRUE(shown.endsWith(u"\n%"_s));

    const QString path = m_dir.filePath(u"O1000.nc"_s);
    QString error;
    ASSERT_TRUE(SerialReceiver::save(path, receiver.data(), &error)) << error.toStdString();
    EXPECT_EQ(TestFiles::read(path), program);
}

TEST_F(SerialReceiverTest, CompletesAfterOneQuietSecondAndNeverBeforeTheFirstByte)
{
    SerialReceiver receiver;
    EXPECT_EQ(receiver.idleInterval(), 1000);
    QSignalSpy completed(&receiver, &SerialReceiver::completed);
    receiver.start(m_line.port());
    runFor(2300);
    EXPECT_TRUE(completed.isEmpty()) << "the wait for the first byte has no limit";
    EXPECT_EQ(receiver.state(), SerialReceiver::State::Receiving);

    QElapsedTimer clock;
    clock.start();
    machineSends("%\r\nN10 G00 X0\r\n%\r\n");
    ASSERT_TRUE(runUntil([&] { return !completed.isEmpty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LE(clock.elapsed(), 2600);
}

TEST_F(SerialReceiverTest, AMachineThatPausesEndsTheReceptionEarlyButNothingIsLost)
{
    SerialReceiver receiver;
    receiver.setIdleInterval(150);
    QSignalSpy completed(&receiver, &SerialReceiver::completed);
    receiver.start(m_line.port());
    machineSends("%\r\nN10 G00\r\n");
    runFor(500); // more than two idle intervals: the reception counts as complete
    EXPECT_EQ(completed.size(), 1);
    machineSends("N20 G01 X1.\r\n%\r\n");
    runFor(600);
    EXPECT_EQ(completed.size(), 1) << "no second completion";
    EXPECT_EQ(receiver.data(), QByteArray("%\r\nN10 G00\r\nN20 G01 X1.\r\n%\r\n"));

    // A new reception starts from nothing.
    receiver.start(m_line.port());
    EXPECT_TRUE(receiver.data().isEmpty());
    EXPECT_EQ(receiver.state(), SerialReceiver::State::Receiving);
}

TEST_F(SerialReceiverTest, ALineErrorKeepsWhatWasReceived)
{
    SerialReceiver receiver;
    receiver.setIdleInterval(10000);
    QSignalSpy failed(&receiver, &SerialReceiver::failed);
    QSignalSpy completed(&receiver, &SerialReceiver::completed);
    receiver.start(m_line.port());
    machineSends("%\r\nN10 G00\r\n");
    ASSERT_TRUE(runUntil([&] { return receiver.data().size() == 12; }));
    m_machine.close();
    m_pair->stop();
    ASSERT_TRUE(runUntil([&] { return !failed.isEmpty(); }));
    EXPECT_EQ(receiver.state(), SerialReceiver::State::Failed);
    EXPECT_EQ(receiver.data(), QByteArray("%\r\nN10 G00\r\n"));
    EXPECT_TRUE(completed.isEmpty());
}

TEST(SerialReceiverSave, ReplacesInOneStepAndKeepsTheOldFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"O1.nc"_s);
    TestFiles::write(path, "old");
    QString error;
    ASSERT_TRUE(SerialReceiver::save(path, QByteArray("N1\0N2\r", 6), &error));
    EXPECT_EQ(TestFiles::read(path), QByteArray("N1\0N2\r", 6));
    EXPECT_FALSE(SerialReceiver::save(dir.filePath(u"missing/O2.nc"_s), "N1", &error));
    EXPECT_TRUE(error.startsWith(dir.filePath(u"missing/O2.nc"_s) + u": "_s));
}

TEST(SerialReceiverDisplay, ShowsControlBytesAndBreaksLinesOnce)
{
    const struct
    {
        QByteArray bytes;
        char previous;
        QString shown;
    } cases[] = {
        {"A\r\nB\rC\nD", 0, u"A\nB\nC\nD"_s},
        {"\nB", '\r', u"B"_s},
        {"\nB", 'A', u"\nB"_s},
        {QByteArray("A\0B\x1a\x7f\t", 6), 0, u"A\u2400B\u241a\u2421\t"_s},
        {"\x80\x9f\xa0\xe9", 0, u"<80><9F>\u00a0\u00e9"_s},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SerialReceiver::displayText(c.bytes, c.previous), c.shown) << c.bytes.toHex().constData();
    }
}

} // namespace
