#include "transfer/FtpClient.h"

#include "i18n/Catalogue.h"
#include "machines/CommunicationTests.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPython = u"/usr/bin/python3"_s;
const QString kUser = u"operator"_s;
const QString kPassword = u"s3cret"_s;

/// Connects to 127.0.0.1:port and closes again; true when something listens.
bool accepts(quint16 port)
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

/// A loopback port nobody listens on (taken from the system, then given back).
quint16 unusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

/// A real FTP server (pyftpdlib) on loopback with one user, for the whole suite.
class FtpClientTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        QProcess probe;
        probe.start(kPython, {u"-c"_s, u"import pyftpdlib"_s});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
            s_skipReason = "python3-pyftpdlib is not installed";
            return;
        }
        s_home = new QTemporaryDir;
        QDir(s_home->path()).mkpath(u"progs/lathe"_s);
        s_server = new QProcess;
        s_server->setProcessChannelMode(QProcess::MergedChannels);
        s_server->start(kPython,
                        {u"-m"_s, u"pyftpdlib"_s, u"-i"_s, u"127.0.0.1"_s, u"-p"_s, u"0"_s, u"-u"_s, kUser, u"-P"_s,
                         kPassword, u"-d"_s, s_home->path()});
        ASSERT_TRUE(s_server->waitForStarted(10000));
        // The server reports the port the system gave it.
        const QRegularExpression started(u"starting FTP server on 127\\.0\\.0\\.1:(\\d+)"_s);
        QString log;
        const QDeadlineTimer deadline(20000);
        while (s_port == 0 && !deadline.hasExpired()) {
            s_server->waitForReadyRead(200);
            log += QString::fromUtf8(s_server->readAll());
            if (const auto match = started.match(log); match.hasMatch()) {
                s_port = quint16(match.captured(1).toUInt());
            }
        }
        ASSERT_NE(s_port, 0) << log.toStdString();
        while (!accepts(s_port) && !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        ASSERT_TRUE(accepts(s_port));
    }

    static void TearDownTestSuite()
    {
        if (s_server) {
            s_server->kill();
            s_server->waitForFinished(5000);
        }
        delete s_server;
        delete s_home;
        s_server = nullptr;
        s_home = nullptr;
    }

    void SetUp() override
    {
        if (!s_skipReason.empty()) {
            GTEST_SKIP() << s_skipReason;
        }
        ASSERT_NE(s_port, 0);
        Catalogue::current().load(QStringLiteral("EN"));
    }

    static QString port() { return QString::number(s_port); }

    static inline QProcess *s_server = nullptr;
    static inline QTemporaryDir *s_home = nullptr;
    static inline quint16 s_port = 0;
    static inline std::string s_skipReason;
};

TEST_F(FtpClientTest, LogsInAndEntersTheDirectory)
{
    FtpClient client;
    for (const QString &directory : {u"/progs/"_s, u"progs"_s, u"/progs/lathe"_s, u" progs/lathe/ "_s, u"/"_s}) {
        EXPECT_TRUE(client.testConnection(u" 127.0.0.1 "_s, u" "_s + port(), kUser, kPassword, directory))
            << directory.toStdString() << ": " << client.errorString().toStdString();
    }
}

TEST_F(FtpClientTest, FailuresCarryTheServersOrLibcurlsReason)
{
    FtpClient client;
    EXPECT_FALSE(client.testConnection(u"127.0.0.1"_s, port(), kUser, u"wrong"_s, u"/progs/"_s));
    EXPECT_TRUE(client.errorString().startsWith(u"530")) << client.errorString().toStdString();

    EXPECT_FALSE(client.testConnection(u"127.0.0.1"_s, port(), kUser, kPassword, u"/missing/"_s));
    EXPECT_TRUE(client.errorString().startsWith(u"550")) << client.errorString().toStdString();

    EXPECT_FALSE(client.testConnection(u"127.0.0.1"_s, QString::number(unusedPort()), kUser, kPassword, u"/"_s));
    EXPECT_FALSE(client.errorString().isEmpty());

    for (const QString &bad : {u"21a"_s, u"0"_s, u"65536"_s, u"-21"_s, u"0x15"_s}) {
        EXPECT_FALSE(client.testConnection(u"127.0.0.1"_s, bad, kUser, kPassword, u"/"_s)) << bad.toStdString();
        EXPECT_EQ(client.errorString(), u"The port \""_s + bad + u"\" is not a number from 1 to 65535."_s);
    }

    // A line break would smuggle a command of its own into the session.
    EXPECT_FALSE(client.testConnection(u"127.0.0.1"_s, port(), kUser, kPassword, u"/progs\r\nDELE x"_s));
    EXPECT_EQ(client.errorString(), u"A value holds a line break or another control character."_s);
    EXPECT_FALSE(client.testConnection(u"127.0.0.1/x@y"_s, port(), kUser, kPassword, u"/"_s));
}

TEST_F(FtpClientTest, TheRegisterWindowsTestComposesItsMessages)
{
    FtpClient client;
    MachineForm form;
    form.FtpHost = u"127.0.0.1"_s;
    form.FtpPort = port();
    form.FtpUser = kUser;
    form.FtpPassword = kPassword;
    form.FtpDirectory = u"/progs/"_s;
    CommunicationTestResult result = testFtpCommunication(form, client);
    EXPECT_TRUE(result.passed);
    EXPECT_EQ(result.message, u"INFORMATION: Testing FTP communication \"127.0.0.1/progs/\" performed successfully."_s);

    form.FtpPort = u"ftp"_s;
    result = testFtpCommunication(form, client);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.message,
              u"ERROR: Failed Communication Test FTP \"127.0.0.1/progs/\".\n"
              "Please check the parameters for FTP communication.\n"
              "The port \"ftp\" is not a number from 1 to 65535."_s);

    form.FtpUser = u" "_s;
    form.FtpDirectory.clear();
    result = testFtpCommunication(form, client);
    EXPECT_EQ(result.focus, MachineField::FtpUser);
    EXPECT_TRUE(result.message.isEmpty());
}

} // namespace
