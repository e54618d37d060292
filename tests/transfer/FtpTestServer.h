#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

/// A pyftpdlib server on loopback for tests and benchmarks: one user with
/// full rights in \a home, data connections optionally limited to a number
/// of bytes per second so that a transfer lasts long enough to be cancelled.
class FtpTestServer
{
public:
    static inline const QString kPython = QStringLiteral("/usr/bin/python3");

    /// True when python3 and pyftpdlib are there.
    static bool available()
    {
        QProcess probe;
        probe.start(kPython, {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")});
        return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
    }

    FtpTestServer() = default;
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;
    ~FtpTestServer() { stop(); }

    /// Starts the server; the port it listens on, or 0 when it did not start.
    quint16 start(const QString &home, const QString &user, const QString &password, int bytesPerSecond = 0)
    {
        static const QString script
            = QStringLiteral("import sys\n"
                             "from pyftpdlib.authorizers import DummyAuthorizer\n"
                             "from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler\n"
                             "from pyftpdlib.servers import FTPServer\n"
                             "home, user, password, rate = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])\n"
                             "authorizer = DummyAuthorizer()\n"
                             "authorizer.add_user(user, password, home, perm='elradfmwMT')\n"
                             "class Handler(FTPHandler):\n"
                             "    pass\n"
                             "Handler.authorizer = authorizer\n"
                             "if rate > 0:\n"
                             "    class Throttled(ThrottledDTPHandler):\n"
                             "        pass\n"
                             "    Throttled.read_limit = rate\n"
                             "    Throttled.write_limit = rate\n"
                             "    Handler.dtp_handler = Throttled\n"
                             "server = FTPServer(('127.0.0.1', 0), Handler)\n"
                             "print('listening on', server.socket.getsockname()[1], flush=True)\n"
                             "server.serve_forever()\n");
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(kPython, {QStringLiteral("-c"), script, home, user, password, QString::number(bytesPerSecond)});
        if (!m_process.waitForStarted(10000)) {
            return 0;
        }
        const QRegularExpression listening(QStringLiteral("listening on (\\d+)"));
        QString out;
        const QDeadlineTimer deadline(20000);
        while (m_port == 0 && !deadline.hasExpired() && m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(200);
            out += QString::fromUtf8(m_process.readAllStandardOutput());
            if (const auto match = listening.match(out); match.hasMatch()) {
                m_port = quint16(match.captured(1).toUInt());
            }
        }
        while (m_port != 0 && !accepts(m_port) && !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        return m_port;
    }

    void stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        m_port = 0;
    }

    quint16 port() const { return m_port; }

private:
    static bool accepts(quint16 port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(fd);
        return ok;
    }

    QProcess m_process;
    quint16 m_port = 0;
};
