#pragma once

#include <QObject>
#include <QString>

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
/// One session (one libcurl handle and its control connection) lives from the
/// first operation to disconnectFromHost() or the end of the object. Each
/// operation returns false on failure and leaves the reason in errorString():
/// the server's error reply when there is one, otherwise libcurl's text.
class FtpClient : public QObject
{
    Q_OBJECT

public:
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

    /// Ends the session, saying goodbye to the server when connected.
    void disconnectFromHost();

    QString errorString() const { return m_error; }

private:
    struct Session;

    bool fail(const QString &reason);
    bool startSession(const FtpOptions &options);

    std::unique_ptr<Session> m_session;
    QString m_error;
};
