#include "transfer/FtpClient.h"

#include "i18n/Catalogue.h"
#include "machines/CommunicationTests.h"
#include "transfer/FtpTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
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
                        {u"-m"_s, u"pyftpdlib"_s, u"-w"_s, u"-i"_s, u"127.0.0.1"_s, u"-p"_s, u"0"_s, u"-u"_s, kUser,
                         u"-P"_s, kPassword, u"-d"_s, s_home->path()});
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

/// Writes \a bytes to \a path, replacing what was there.
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A program with every byte value and both line-end styles, to catch any conversion.
QByteArray binaryProgram(qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = 0; bytes.size() < size; ++i) {
        bytes += (i % 7 == 0) ? QByteArray("\r\n") : QByteArray(1, char(i % 256));
    }
    bytes.truncate(size);
    return bytes;
}

FtpOptions options(quint16 port, const QString &password = kPassword)
{
    FtpOptions result;
    result.host = u"127.0.0.1"_s;
    result.port = port;
    result.user = kUser;
    result.password = password;
    return result;
}

QStringList namesIn(const QString &directory)
{
    return QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST_F(FtpClientTest, ASessionListsEntersAndMovesFilesByteForByte)
{
    const QString progs = s_home->filePath(u"progs"_s);
    writeFile(progs + u"/small.nc"_s, QByteArray(1023, 'G'));
    writeFile(progs + u"/two.nc"_s, QByteArray(2048, 'X'));

    FtpClient client;
    ASSERT_TRUE(client.connectToHost(options(s_port))) << client.errorString().toStdString();
    EXPECT_TRUE(client.isConnected());
    ASSERT_TRUE(client.changeDir(u"/progs"_s)) << client.errorString().toStdString();
    EXPECT_EQ(client.currentDirectory(), u"/progs/"_s);

    auto entries = client.list();
    ASSERT_TRUE(entries.has_value()) << client.errorString().toStdString();
    QMap<QString, FtpListEntry> byName;
    for (const FtpListEntry &entry : *entries) {
        byName.insert(entry.name, entry);
    }
    ASSERT_TRUE(byName.contains(u"lathe"_s));
    EXPECT_FALSE(byName[u"lathe"_s].isFile);
    EXPECT_TRUE(byName[u"small.nc"_s].isFile);
    EXPECT_EQ(byName[u"small.nc"_s].size, 1023);
    EXPECT_EQ(byName[u"two.nc"_s].size, 2048);
    EXPECT_TRUE(byName[u"two.nc"_s].modified.isValid());

    // A missing directory fails with the server's reply and leaves the session where it was.
    EXPECT_FALSE(client.changeDir(u"/missing/"_s));
    EXPECT_TRUE(client.errorString().startsWith(u"550")) << client.errorString().toStdString();
    EXPECT_EQ(client.currentDirectory(), u"/progs/"_s);

    // Upload under another name, then fetch it back over an existing local file.
    QTemporaryDir local;
    const QByteArray program = binaryProgram(300000);
    writeFile(local.filePath(u"O1000.nc"_s), program);
    client.setTransferType(FtpClient::TransferType::Binary);
    ASSERT_TRUE(client.upload(local.filePath(u"O1000.nc"_s), u"O2000 copy.nc"_s)) << client.errorString().toStdString();
    EXPECT_EQ(readFile(progs + u"/O2000 copy.nc"_s), program);

    writeFile(local.filePath(u"back.nc"_s), "old");
    ASSERT_TRUE(client.download(u"/progs/O2000 copy.nc"_s, local.filePath(u"back.nc"_s)))
        << client.errorString().toStdString();
    EXPECT_EQ(readFile(local.filePath(u"back.nc"_s)), program);
    // Relative to the current directory too.
    ASSERT_TRUE(client.download(u"two.nc"_s, local.filePath(u"two.nc"_s)));
    EXPECT_EQ(readFile(local.filePath(u"two.nc"_s)), QByteArray(2048, 'X'));
    EXPECT_EQ(namesIn(local.path()), (QStringList {u"O1000.nc"_s, u"back.nc"_s, u"two.nc"_s}));
}

TEST_F(FtpClientTest, AFailedDownloadLeavesTheLocalFileAlone)
{
    FtpClient client;
    ASSERT_TRUE(client.connectToHost(options(s_port)));
    ASSERT_TRUE(client.changeDir(u"/progs/"_s));
    QTemporaryDir local;
    writeFile(local.filePath(u"keep.nc"_s), "O1 (KEEP)\n");
    EXPECT_FALSE(client.download(u"/progs/absent.nc"_s, local.filePath(u"keep.nc"_s)));
    EXPECT_TRUE(client.errorString().startsWith(u"550")) << client.errorString().toStdString();
    EXPECT_FALSE(client.wasAborted());
    EXPECT_EQ(readFile(local.filePath(u"keep.nc"_s)), "O1 (KEEP)\n");
    EXPECT_EQ(namesIn(local.path()), QStringList {u"keep.nc"_s});

    // A local file that cannot be read is refused before the server is asked.
    EXPECT_FALSE(client.upload(local.filePath(u"none.nc"_s), u"none.nc"_s));
    EXPECT_TRUE(client.errorString().contains(local.filePath(u"none.nc"_s)));
    EXPECT_FALSE(QFileInfo::exists(s_home->filePath(u"progs/none.nc"_s)));
}

TEST_F(FtpClientTest, BadLoginAndOperationsWithoutASession)
{
    FtpClient client;
    EXPECT_FALSE(client.connectToHost(options(s_port, u"wrong"_s)));
    EXPECT_TRUE(client.errorString().startsWith(u"530")) << client.errorString().toStdString();
    EXPECT_FALSE(client.isConnected());
    EXPECT_FALSE(client.changeDir(u"/progs/"_s));
    EXPECT_EQ(client.errorString(), u"There is no open FTP connection."_s);
    EXPECT_FALSE(client.list().has_value());

    ASSERT_TRUE(client.connectToHost(options(s_port)));
    EXPECT_FALSE(client.changeDir(u"/progs\r\nDELE x"_s));
    client.disconnectFromHost();
    EXPECT_FALSE(client.isConnected());
}

TEST_F(FtpClientTest, ACancelArrivingAfterTheTransferDoesNotStopTheNextSession)
{
    // Cancel pressed just as a transfer ended: the abort finds nothing running.
    FtpClient client;
    ASSERT_TRUE(client.connectToHost(options(s_port)));
    client.abort();
    client.disconnectFromHost();

    // The window always connects anew; that login must not be taken for the cancelled transfer.
    EXPECT_TRUE(client.connectToHost(options(s_port))) << client.errorString().toStdString();
    EXPECT_FALSE(client.wasAborted());
    EXPECT_TRUE(client.changeDir(u"/progs/"_s)) << client.errorString().toStdString();
}

/// Transfers against a server that sends and takes 128 KB a second.
class FtpThrottledTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FtpTestServer::available()) {
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        }
        Catalogue::current().load(QStringLiteral("EN"));
        ASSERT_TRUE(m_home.isValid());
        ASSERT_NE(m_server.start(m_home.path(), kUser, kPassword, 128 * 1024), 0);
        ASSERT_TRUE(m_client.connectToHost(options(m_server.port())));
        ASSERT_TRUE(m_client.changeDir(u"/"_s));
    }

    QTemporaryDir m_home;
    QTemporaryDir m_local;
    FtpTestServer m_server;
    FtpClient m_client;
};

TEST_F(FtpThrottledTest, CancelStopsADownloadAndKeepsTheOldFile)
{
    writeFile(m_home.filePath(u"big.nc"_s), binaryProgram(4 * 1024 * 1024));
    writeFile(m_local.filePath(u"big.nc"_s), "old contents");
    int progressCalls = 0;
    QObject::connect(&m_client, &FtpClient::transferProgress, &m_client, [&](qint64 done, qint64 total, auto) {
        ++progressCalls;
        EXPECT_EQ(total, 4 * 1024 * 1024);
        if (done > 0) {
            m_client.abort();
        }
    });
    EXPECT_FALSE(m_client.download(u"big.nc"_s, m_local.filePath(u"big.nc"_s), 4 * 1024 * 1024));
    EXPECT_TRUE(m_client.wasAborted());
    EXPECT_GE(progressCalls, 1);
    EXPECT_EQ(readFile(m_local.filePath(u"big.nc"_s)), "old contents");
    EXPECT_EQ(namesIn(m_local.path()), QStringList {u"big.nc"_s});

    // The session goes on after the abort.
    QObject::disconnect(&m_client, &FtpClient::transferProgress, nullptr, nullptr);
    writeFile(m_home.filePath(u"small.nc"_s), "O2\n");
    EXPECT_TRUE(m_client.download(u"small.nc"_s, m_local.filePath(u"small.nc"_s)))
        << m_client.errorString().toStdString();
    EXPECT_FALSE(m_client.wasAborted());
}

TEST_F(FtpThrottledTest, ACancelledUploadLeavesNoPartialFileOnTheServer)
{
    writeFile(m_local.filePath(u"big.nc"_s), binaryProgram(4 * 1024 * 1024));
    QObject::connect(&m_client, &FtpClient::transferProgress, &m_client, [&](qint64 done, qint64, auto) {
        if (done > 0) {
            m_client.abort();
        }
    });
    EXPECT_FALSE(m_client.upload(m_local.filePath(u"big.nc"_s), u"partial.nc"_s));
    EXPECT_TRUE(m_client.wasAborted());
    EXPECT_EQ(m_client.errorString(), u"The transfer was cancelled."_s);
    EXPECT_EQ(namesIn(m_home.path()), QStringList {});
}

TEST_F(FtpThrottledTest, AnUploadCutOffByTheServerSaysWhenThePartCannotBeRemoved)
{
    writeFile(m_local.filePath(u"big.nc"_s), binaryProgram(4 * 1024 * 1024));
    QObject::connect(&m_client, &FtpClient::transferProgress, &m_client, [&](qint64 done, qint64, auto) {
        if (done > 0 && m_server.port() != 0) {
            m_server.stop();
        }
    });
    EXPECT_FALSE(m_client.upload(m_local.filePath(u"big.nc"_s), u"cut.nc"_s));
    EXPECT_FALSE(m_client.wasAborted());
    EXPECT_TRUE(
        m_client.errorString().contains(u"The incomplete file \"/cut.nc\" could not be removed from the server: "_s))
        << m_client.errorString().toStdString();
}

} // namespace
