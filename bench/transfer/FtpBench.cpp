// Uploads and downloads a 100 MB program over loopback FTP with our client
// and with the curl tool, and compares throughput and the progress rate.
#include "i18n/Catalogue.h"
#include "transfer/FtpClient.h"
#include "transfer/FtpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr qint64 kSize = 100 * 1024 * 1024;
const QString kUser = QStringLiteral("bench");
const QString kPassword = QStringLiteral("bench");

bool g_failed = false;

void verdict(bool pass, const QString &text)
{
    std::printf("%s: %s\n", pass ? "PASS" : "FAIL", qPrintable(text));
    g_failed = g_failed || !pass;
}

double megabytesPerSecond(qint64 bytes, qint64 milliseconds)
{
    return milliseconds > 0 ? double(bytes) / (1024.0 * 1024.0) / (double(milliseconds) / 1000.0) : 0.0;
}

bool sameContents(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly) || first.size() != second.size()) {
        return false;
    }
    while (!first.atEnd()) {
        if (first.read(1 << 20) != second.read(1 << 20)) {
            return false;
        }
    }
    return true;
}

/// Runs the curl tool in active mode, like our client; the time it took, or -1.
qint64 runCurl(const QStringList &arguments)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"),
               QStringList {QStringLiteral("-s"), QStringLiteral("-S"), QStringLiteral("-P"), QStringLiteral("-"),
                            QStringLiteral("--disable-eprt"), QStringLiteral("--noproxy"), QStringLiteral("*")}
                   + arguments);
    if (!curl.waitForFinished(600000) || curl.exitStatus() != QProcess::NormalExit || curl.exitCode() != 0) {
        std::printf("curl failed: %s\n", curl.readAllStandardError().constData());
        return -1;
    }
    return timer.elapsed();
}

/// What starting the curl tool costs before it moves a byte: not part of its throughput.
qint64 curlStartMs()
{
    qint64 best = -1;
    for (int i = 0; i < 5; ++i) {
        const qint64 ms = runCurl({QStringLiteral("--version")});
        if (ms >= 0 && (best < 0 || ms < best)) {
            best = ms;
        }
    }
    return qMax<qint64>(best, 0);
}

/// Flushes \a path to the disk and moves it over \a target, as our download
/// commits its temporary file.
bool syncAndRename(const QString &path, const QString &target)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0) {
        return false;
    }
    file.close();
    return ::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0;
}

/// The best (shortest) of the times seen.
struct Best
{
    qint64 ms = -1;
    int reports = 0; ///< progress reports of the best run

    void add(qint64 time, int count)
    {
        if (ms < 0 || time < ms) {
            ms = time;
            reports = count;
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    Catalogue::current().load(QStringLiteral("EN"));
    if (!FtpTestServer::available()) {
        verdict(false, QStringLiteral("python3-pyftpdlib is not installed"));
        return 1;
    }
    QTemporaryDir home;
    QTemporaryDir local;
    FtpTestServer server;
    const quint16 port = server.start(home.path(), kUser, kPassword);
    if (port == 0) {
        verdict(false, QStringLiteral("the FTP server did not start"));
        return 1;
    }
    const QString source = local.filePath(QStringLiteral("program.nc"));
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly)) {
            verdict(false, QStringLiteral("cannot write the test program"));
            return 1;
        }
        QByteArray block;
        for (int i = 0; block.size() < (1 << 20); ++i) {
            block += "N" + QByteArray::number(i) + " G1 X" + QByteArray::number(i % 997) + ".125 Y-3.5 F1200\r\n";
        }
        block.truncate(1 << 20);
        for (qint64 written = 0; written < kSize; written += block.size()) {
            file.write(block);
        }
    }

    FtpClient client;
    FtpOptions options;
    options.host = QStringLiteral("127.0.0.1");
    options.port = port;
    options.user = kUser;
    options.password = kPassword;
    int progressSignals = 0;
    QObject::connect(&client, &FtpClient::transferProgress, &client, [&] { ++progressSignals; });

    // Each run is a whole session, as each run of the curl tool is: connect,
    // log in, transfer, say goodbye. Our download commits its temporary file
    // with an fsync and a rename; curl's file gets the same before its clock stops.
    const QString url = QStringLiteral("ftp://%1:%2@127.0.0.1:%3/").arg(kUser, kPassword).arg(port);
    const QString ours = local.filePath(QStringLiteral("ours.nc"));
    const QString curls = local.filePath(QStringLiteral("curl.nc"));
    const QString curlPart = local.filePath(QStringLiteral("curl.nc.part"));
    QString failure;
    const auto oursRun = [&](bool upload) -> qint64 {
        progressSignals = 0;
        QElapsedTimer timer;
        timer.start();
        bool ok = client.connectToHost(options) && client.changeDir(QStringLiteral("/"));
        client.setTransferType(FtpClient::TransferType::Binary);
        ok = ok
            && (upload ? client.upload(source, QStringLiteral("ours.nc"))
                       : client.download(QStringLiteral("/ours.nc"), ours, kSize));
        client.disconnectFromHost();
        if (!ok) {
            failure = QStringLiteral("our transfer failed: ") + client.errorString();
            return -1;
        }
        return timer.elapsed();
    };
    const qint64 curlStart = curlStartMs();
    const auto curlRun = [&](bool upload) -> qint64 {
        QElapsedTimer timer;
        timer.start();
        const qint64 ms = upload ? runCurl({QStringLiteral("-T"), source, url + QStringLiteral("curl.nc")})
                                 : runCurl({QStringLiteral("-o"), curlPart, url + QStringLiteral("curl.nc")});
        if (ms < 0 || (!upload && !syncAndRename(curlPart, curls))) {
            failure = QStringLiteral("the curl tool failed");
            return -1;
        }
        return qMax<qint64>(timer.elapsed() - curlStart, 1);
    };

    // One round to warm up (page cache, server), then rounds in which ours
    // and curl take turns at going first; the best of each counts.
    constexpr int kRounds = 7;
    Best oursUp;
    Best oursDown;
    Best curlUp;
    Best curlDown;
    for (int round = -1; round < kRounds; ++round) {
        for (const bool upload : {true, false}) {
            qint64 oursMs = -1;
            qint64 curlMs = -1;
            if (round % 2 == 0) {
                oursMs = oursRun(upload);
                curlMs = curlRun(upload);
            } else {
                curlMs = curlRun(upload);
                oursMs = oursRun(upload);
            }
            if (oursMs < 0 || curlMs < 0) {
                verdict(false, failure);
                return 1;
            }
            if (round >= 0) {
                (upload ? oursUp : oursDown).add(oursMs, progressSignals);
                (upload ? curlUp : curlDown).add(curlMs, 0);
            }
        }
    }
    verdict(sameContents(source, ours), QStringLiteral("our round trip keeps every byte"));
    verdict(sameContents(source, curls), QStringLiteral("curl's round trip keeps every byte"));
    std::printf("best of %d rounds after a warm-up; curl's start-up (%lld ms) not counted\n", kRounds,
                static_cast<long long>(curlStart));

    const double oursUpRate = megabytesPerSecond(kSize, oursUp.ms);
    const double oursDownRate = megabytesPerSecond(kSize, oursDown.ms);
    const double curlUpRate = megabytesPerSecond(kSize, curlUp.ms);
    const double curlDownRate = megabytesPerSecond(kSize, curlDown.ms);
    std::printf("upload   100 MB: ours %.1f MB/s, curl %.1f MB/s, ratio %.2f\n", oursUpRate, curlUpRate,
                oursUpRate / curlUpRate);
    std::printf("download 100 MB: ours %.1f MB/s, curl %.1f MB/s, ratio %.2f\n", oursDownRate, curlDownRate,
                oursDownRate / curlDownRate);
    verdict(oursUpRate >= 0.9 * curlUpRate, QStringLiteral("upload throughput at least 0.9 x curl"));
    verdict(oursDownRate >= 0.9 * curlDownRate, QStringLiteral("download throughput at least 0.9 x curl"));

    // A short transfer may report once more than its duration allows: the final count.
    const auto rate = [](int count, qint64 ms) {
        return double(count) * 1000.0 / double(qMax<qint64>(ms, 1));
    };
    std::printf("progress reports: upload %d in %lld ms (%.1f/s), download %d in %lld ms (%.1f/s)\n", oursUp.reports,
                static_cast<long long>(oursUp.ms), rate(oursUp.reports, oursUp.ms), oursDown.reports,
                static_cast<long long>(oursDown.ms), rate(oursDown.reports, oursDown.ms));
    verdict(oursUp.reports <= 21 * oursUp.ms / 1000 + 2 && oursDown.reports <= 21 * oursDown.ms / 1000 + 2,
            QStringLiteral("at most about 20 progress reports a second"));
    return g_failed ? 1 : 0;
}
