#pragma once

#include "transfer/FtpListing.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

/// Where and how an FTP session connects.
struct FtpOptions
{
    QString host; ///< host name or IPv4 address
    quint16 port = 21;
    QString user;
    QString password;
    int connectTimeoutSeconds = 15; ///< to open the control connection
    int responseTimeoutSeconds = 30; ///< for each server reply
};

/// An FTP client for the machines' controllers, on libcurl: IPv4 only, active
/// mode (the server connects back for data), never through a proxy, logging
/// in as it connects.
///
/// A session (its control connection, reused from one operation to the next)
/// lives from connectToHost() to disconnectFromHost() or the end of the
/// object; a control connection the server dropped is opened again, with the
/// same login, by the next operation. Each operation blocks until it is done,
/// may run on any one thread at a time, and returns false on failure with the
/// reason in errorString(): the server's error reply when there is one,
/// otherwise libcurl's or the local file's text.
///
/// Transfers report progress through signals emitted on the thread that runs
/// them (so a window connected to them receives them queued), at most about
/// twenty times a second. abort() may be called from any thread.
class FtpClient : public QObject
{
    Q_OBJECT

public:
    enum class TransferType { Ascii, Binary };
    enum class Direction { Receiving, Sending };
    Q_ENUM(Direction)

    explicit FtpClient(QObject *parent = nullptr);
    ~FtpClient() override;

    /// A port typed as text: decimal digits (blanks around them allowed)
    /// giving 1–65535; nothing otherwise.
    static std::optional<quint16> parsePort(const QString &text);

    /// Connects, logs in, changes to \a directory (sent as given; none when
    /// empty) and disconnects. Nothing is transferred.
    bool testConnection(const FtpOptions &options, const QString &directory);

    /// The same with the port as typed; a port that is not a number fails.
    bool testConnection(const QString &host, const QString &port, const QString &user, const QString &password,
                        const QString &directory);

    /// Opens a session: connects and logs in, after closing any earlier one.
    /// The current directory is then "/".
    bool connectToHost(const FtpOptions &options);

    /// True between a successful connectToHost() and disconnectFromHost().
    bool isConnected() const;

    /// Ends the session, saying goodbye to the server when connected. An
    /// abort() still pending from that session is dropped.
    void disconnectFromHost();

    /// Enters \a directory (absolute, or relative to the current one); on
    /// failure the current directory stays as it was.
    bool changeDir(const QString &directory);

    /// The directory the last changeDir() entered, absolute and ending in "/".
    QString currentDirectory() const { return m_currentDir; }

    /// The type of the following file transfers: ASCII lets the server
    /// convert line ends, Binary keeps every byte.
    void setTransferType(TransferType type) { m_type = type; }
    TransferType transferType() const { return m_type; }

    /// The detailed listing of the current directory, files and others, in
    /// the server's order; nothing on failure.
    std::optional<QList<FtpListEntry>> list();

    /// Stores local file \a localPath as \a remoteName in the current directory,
    /// replacing a file of that name. A failed or aborted upload removes what
    /// reached the server; errorString() says so when that removal fails.
    bool upload(const QString &localPath, const QString &remoteName);

    /// Fetches \a remotePath (absolute, or relative to the current directory)
    /// into \a localPath. The bytes go to a temporary file beside the target,
    /// which replaces the target only once everything has arrived: after a
    /// failure or an abort an existing local file is untouched. \a expectedSize
    /// is the progress total when the server announces none (negative: unknown).
    bool download(const QString &remotePath, const QString &localPath, qint64 expectedSize = -1);

    /// Stops the running transfer as soon as possible; it then fails with
    /// wasAborted() true. Without a running transfer, the next one stops at once.
    void abort();

    /// True when the last operation ended because of abort().
    bool wasAborted() const { return m_aborted; }

    QString errorString() const { return m_error; }

Q_SIGNALS:
    /// A transfer begins; \a total is its size in bytes, or negative when unknown.
    void transferStarted(qint64 total, FtpClient::Direction direction);
    /// Bytes moved so far.
    void transferProgress(qint64 done, qint64 total, FtpClient::Direction direction);
    /// The transfer ended, whichever way.
    void transferEnded();

private:
    struct Session;
    struct Transfer;

    bool fail(const QString &reason);
    bool startSession(const FtpOptions &options);
    bool ensureSession();
    QByteArray urlFor(const QString &absolutePath) const;
    QString absolutePath(const QString &path) const;
    bool run(Transfer &transfer);

    std::unique_ptr<Session> m_session;
    FtpOptions m_options;
    bool m_connected = false;
    QString m_currentDir = QStringLiteral("/");
    TransferType m_type = TransferType::Binary;
    std::atomic<bool> m_abortRequested {false};
    bool m_aborted = false;
    QString m_error;
};
