#include "transfer/FtpClient.h"

#include "i18n/Catalogue.h"

#include <QUrl>

#include <curl/curl.h>

namespace {

void initialiseCurl()
{
    // Once per process, before the first handle; thread-safe as a static.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    Q_UNUSED(initialised);
}

/// Line breaks in a value would let it add commands of its own to the session.
bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return true;
        }
    }
    return false;
}

bool isErrorReply(const QByteArray &reply)
{
    return reply.size() >= 3 && (reply.at(0) == '4' || reply.at(0) == '5');
}

} // namespace

struct FtpClient::Session
{
    CURL *curl = nullptr;
    QByteArray url; ///< the server's root, "ftp://host:port/"
    QByteArray lastReply; ///< the server's last reply line
    char errorBuffer[CURL_ERROR_SIZE] = {};

    ~Session()
    {
        if (curl) {
            curl_easy_cleanup(curl); // says goodbye; the reply still lands in lastReply
        }
    }

    /// libcurl hands every FTP server reply line to the header callback.
    static size_t onReply(char *data, size_t size, size_t count, void *userData)
    {
        auto *session = static_cast<Session *>(userData);
        const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
        if (!line.isEmpty()) {
            session->lastReply = line;
        }
        return size * count;
    }

    CURLcode perform()
    {
        lastReply.clear();
        errorBuffer[0] = '\0';
        curl_easy_setopt(curl, CURLOPT_URL, url.constData());
        return curl_easy_perform(curl);
    }

    /// The server's error reply, or libcurl's own words for \a code.
    QString reason(CURLcode code) const
    {
        if (isErrorReply(lastReply)) {
            return QString::fromUtf8(lastReply);
        }
        if (errorBuffer[0] != '\0') {
            return QString::fromUtf8(errorBuffer);
        }
        return QString::fromUtf8(curl_easy_strerror(code));
    }
};

FtpClient::FtpClient(QObject *parent)
    : QObject(parent)
{
    initialiseCurl();
}

FtpClient::~FtpClient() = default;

std::optional<quint16> FtpClient::parsePort(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 5) {
        return std::nullopt;
    }
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
    }
    const int value = digits.toInt();
    if (value < 1 || value > 65535) {
        return std::nullopt;
    }
    return quint16(value);
}

bool FtpClient::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool FtpClient::startSession(const FtpOptions &options)
{
    disconnectFromHost();
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(options.host, QUrl::StrictMode);
    if (url.host().isEmpty() || !url.isValid()) {
        return fail(T(u"Msg.Ftp.InvalidHostPrefix") + options.host + T(u"Msg.Ftp.InvalidHostSuffix"));
    }
    url.setPort(options.port);
    url.setPath(QStringLiteral("/"));

    auto session = std::make_unique<Session>();
    session->curl = curl_easy_init();
    if (!session->curl) {
        return fail(QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
    }
    session->url = url.toEncoded();
    CURL *curl = session->curl;
    const QByteArray user = options.user.toUtf8();
    const QByteArray password = options.password.toUtf8();
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, session->errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Session::onReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, session.get());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
#endif
    curl_easy_setopt(curl, CURLOPT_IPRESOLVE, long(CURL_IPRESOLVE_V4));
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    // Active mode: the server opens data connections to us, over PORT (IPv4 only).
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(options.connectTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(options.responseTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    m_session = std::move(session);
    return true;
}

void FtpClient::disconnectFromHost()
{
    m_session.reset();
}

bool FtpClient::testConnection(const FtpOptions &options, const QString &directory)
{
    m_error.clear();
    if (hasControlCharacter(options.host) || hasControlCharacter(options.user) || hasControlCharacter(options.password)
        || hasControlCharacter(directory)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
    if (!startSession(options)) {
        return false;
    }
    CURL *curl = m_session->curl;
    curl_slist *commands = nullptr;
    if (!directory.isEmpty()) {
        commands = curl_slist_append(commands, QByteArray("CWD " + directory.toUtf8()).constData());
    }
    // No transfer: log in, run the directory change, done.
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_QUOTE, commands);
    const CURLcode code = m_session->perform();
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(commands);
    const bool ok = code == CURLE_OK;
    if (!ok) {
        m_error = m_session->reason(code);
    }
    disconnectFromHost();
    return ok;
}

bool FtpClient::testConnection(const QString &host, const QString &port, const QString &user, const QString &password,
                               const QString &directory)
{
    const std::optional<quint16> number = parsePort(port);
    if (!number) {
        m_error.clear();
        return fail(T(u"Msg.Ftp.InvalidPortPrefix") + port.trimmed() + T(u"Msg.Ftp.InvalidPortSuffix"));
    }
    FtpOptions options;
    options.host = host.trimmed();
    options.port = *number;
    options.user = user.trimmed();
    options.password = password.trimmed();
    return testConnection(options, directory.trimmed());
}
