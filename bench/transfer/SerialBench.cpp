// A 10 MB program sent over a socat pseudo-terminal pair at the highest speed
// code: our sender against cat writing the same file, both received by our
// receiver, which must keep every byte.
#include "transfer/SerialLine.h"
#include "transfer/SerialReceiver.h"
#include "transfer/SerialSender.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kProgramBytes = 10 * 1024 * 1024;
constexpr int kHighestSpeedCode = 15;
constexpr int kTimeoutMs = 300'000;

QByteArray program()
{
    QByteArray bytes;
    bytes.reserve(kProgramBytes + 64);
    bytes += "%\r\nO1000 (BENCH)\r\n";
    for (int n = 1; bytes.size() < kProgramBytes - 32; ++n) {
        bytes += "N" + QByteArray::number(n) + " G01 X" + QByteArray::number(n % 500) + ".125 Y-"
            + QByteArray::number(n % 300) + ".5 F800\r\n";
    }
    bytes += "M30\r\n%\r\n";
    return bytes;
}

bool runUntil(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done();
}

/// A socat pseudo-terminal pair: "ours" is where the program is written, "machine" where it arrives.
struct PtyPair
{
    QProcess socat;
    QString ours;
    QString machine;

    bool start(const QString &socatPath, const QTemporaryDir &dir, const QString &name)
    {
        ours = dir.filePath(name + u"-a"_s);
        machine = dir.filePath(name + u"-b"_s);
        socat.start(socatPath, {u"pty,raw,echo=0,link="_s + ours, u"pty,raw,echo=0,link="_s + machine});
        return socat.waitForStarted(10000)
            && runUntil([&] { return QFileInfo::exists(ours) && QFileInfo::exists(machine); }, 10000);
    }

    ~PtyPair()
    {
        if (socat.state() != QProcess::NotRunning) {
            socat.kill();
            socat.waitForFinished(5000);
        }
    }
};

/// Receives on the machine end with our receiver until \a expected bytes came; the bytes received.
struct MachineEnd
{
    QSerialPort port;
    SerialReceiver receiver;

    bool open(const QString &device)
    {
        port.setPortName(device);
        port.setBaudRate(256000);
        if (!port.open(QIODevice::ReadWrite)) {
            std::printf("cannot open %s: %s\n", qPrintable(device), qPrintable(port.errorString()));
            return false;
        }
        receiver.start(port);
        return true;
    }
};

int g_failures = 0;

void verdict(bool pass, const char *what)
{
    std::printf("%s: %s\n", pass ? "PASS" : "FAIL", what);
    if (!pass) {
        ++g_failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QString socatPath = QStandardPaths::findExecutable(u"socat"_s);
    if (socatPath.isEmpty()) {
        std::printf("FAIL: socat is not installed\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(u"O1000.nc"_s);
    const QByteArray bytes = program();
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::printf("FAIL: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("program: %lld bytes, speed code %d\n", qint64(bytes.size()), kHighestSpeedCode);

    // cat into its own pair.
    double catRate = 0;
    {
        PtyPair pair;
        MachineEnd machine;
        if (!pair.start(socatPath, dir, u"cat"_s) || !machine.open(pair.machine)) {
            std::printf("FAIL: no pseudo-terminal pair for cat\n");
            return 1;
        }
        QProcess cat;
        QElapsedTimer clock;
        clock.start();
        cat.start(u"sh"_s, {u"-c"_s, u"cat \"$0\" > \"$1\""_s, file, pair.ours});
        const bool all = runUntil([&] { return machine.receiver.data().size() >= bytes.size(); }, kTimeoutMs);
        const qint64 ms = std::max<qint64>(1, clock.elapsed());
        cat.waitForFinished(10000);
        catRate = double(bytes.size()) / 1024.0 / 1024.0 / (double(ms) / 1000.0);
        std::printf("cat:  %8.2f MB/s (%lld ms)\n", catRate, ms);
        verdict(all && machine.receiver.data() == bytes, "cat's stream arrived complete");
    }

    // Our sender into a fresh pair, received by our receiver.
    {
        PtyPair pair;
        MachineEnd machine;
        if (!pair.start(socatPath, dir, u"ours"_s) || !machine.open(pair.machine)) {
            std::printf("FAIL: no pseudo-terminal pair for the sender\n");
            return 1;
        }
        SerialLine line;
        line.configure(*SerialPortSettings::fromCodes(u"COM1"_s, kHighestSpeedCode, 4, 3, 2, 3), pair.ours);
        if (!line.open()) {
            std::printf("FAIL: %s\n", qPrintable(line.errorString()));
            return 1;
        }
        SerialSender sender;
        bool finished = false;
        bool failed = false;
        QObject::connect(&sender, &SerialSender::finished, [&] { finished = true; });
        QObject::connect(&sender, &SerialSender::failed, [&](const QString &reason) {
            failed = true;
            std::printf("send failed: %s\n", qPrintable(reason));
        });
        QElapsedTimer clock;
        clock.start();
        if (!sender.start(line.port(), file)) {
            std::printf("FAIL: %s\n", qPrintable(sender.errorString()));
            return 1;
        }
        const bool all = runUntil(
            [&] { return failed || (finished && machine.receiver.data().size() >= bytes.size()); }, kTimeoutMs);
        const qint64 ms = std::max<qint64>(1, clock.elapsed());
        const double ourRate = double(bytes.size()) / 1024.0 / 1024.0 / (double(ms) / 1000.0);
        std::printf("ours: %8.2f MB/s (%lld ms)\n", ourRate, ms);
        std::printf("ratio ours/cat: %.2f (target >= 0.50)\n", catRate > 0 ? ourRate / catRate : 0.0);
        verdict(all && !failed, "our sender finished");
        verdict(catRate > 0 && ourRate >= 0.5 * catRate, "our sender runs at half of cat or better");
        verdict(machine.receiver.data() == bytes, "the receiver kept every byte");
    }
    return g_failures == 0 ? 0 : 1;
}
