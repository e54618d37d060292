#include "transfer/FtpClient.h"

#include "i18n/Catalogue.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

/// How often a running transfer reports its byte count.
constexpr qint64 kProgressIntervalMs = 50;
/// How long the transfer loop sleeps at most before it looks at abort() again.
constexpr int kPollMs = 100;

} // namespace

struct FtpClient::Session
{
    CURL *curl = nullptr;
    CURLM *multi = nullptr; ///< owns the connection kept between operations
    QByteArray url; ///< the server's root, "ftp://host:port/"
    QByteArray lastReply; ///< the server's last reply line
    char errorBuffer[CURL_ERROR_SIZE] = {};

    ~Session()
    {
        if (curl) {
            curl_easy_cleanup(curl);
        }
        if (multi) {
            curl_multi_cleanup(multi); // says goodbye on the kept connection
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

/// One operation on the session: what to send, where the bytes go, and its progress.
struct FtpClient::Transfer
{
    enum class Kind { Command, List, Upload, Download };

    FtpClient *client = nullptr;
    Kind kind = Kind::Command;
    QByteArray url;
    curl_slist *commands = nullptr; ///< run before the transfer (Command only)
    QFile *source = nullptr;
    QSaveFile *target = nullptr;
    QByteArray listing;
    qint64 total = -1;
    qint64 done = 0;
    qint64 reported = -1;
    bool readStarted = false; ///< the server accepted the upload and asked for data
    QString localError; ///< a local file that could not be read or written
    QElapsedTimer sinceReport;

    bool reportsProgress() const { return kind == Kind::Upload || kind == Kind::Download; }
    Direction direction() const { return kind == Kind::Upload ? Direction::Sending : Direction::Receiving; }

    void report(bool force)
    {
        if (!reportsProgress() || done == reported) {
            return;
        }
        if (force || !sinceReport.isValid() || sinceReport.elapsed() >= kProgressIntervalMs) {
            reported = done;
            sinceReport.start();
            Q_EMIT client->transferProgress(done, total, direction());
        }
    }

    static size_t onWrite(char *data, size_t size, size_t count, void *userData)
    {
        auto *transfer = static_cast<Transfer *>(userData);
        const qsizetype bytes = qsizetype(size * count);
        if (transfer->kind == Kind::Download) {
            if (transfer->target->write(data, bytes) != bytes) {
                transfer->localError = transfer->target->errorString();
                return 0;
            }
        } else {
            transfer->listing.append(data, bytes);
        }
        return size_t(bytes);
    }

    static size_t onRead(char *buffer, size_t size, size_t count, void *userData)
    {
        auto *transfer = static_cast<Transfer *>(userData);
        transfer->readStarted = true;
        const qint64 bytes = transfer->source->read(buffer, qint64(size * count));
        if (bytes < 0) {
            transfer->localError = transfer->source->errorString();
            return CURL_READFUNC_ABORT;
        }
        return size_t(bytes);
    }

    static int onProgress(void *userData, curl_off_t downTotal, curl_off_t downNow, curl_off_t, curl_off_t upNow)
    {
        auto *transfer = static_cast<Transfer *>(userData);
        if (transfer->client->m_abortRequested.load()) {
            return 1;
        }
        if (transfer->kind == Kind::Download) {
            if (downTotal > 0) {
                transfer->total = downTotal;
            }
            transfer->done = downNow;
        } else if (transfer->kind == Kind::Upload) {
            transfer->done = upNow;
        }
        transfer->report(false);
        return 0;
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
    if (hasControlCharacter(options.host) || hasControlCharacter(options.user)
        || hasControlCharacter(options.password)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
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
    session->multi = curl_multi_init();
    if (!session->curl || !session->multi) {
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
    // Larger buffers than the default: fewer calls and writes per megabyte on fast links.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 256L * 1024L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD_BUFFERSIZE, 64L * 1024L);
    m_session = std::move(session);
    m_options = options;
    m_currentDir = QStringLiteral("/");
    return true;
}

bool FtpClient::ensureSession()
{
    if (m_session) {
        return true;
    }
    return fail(T(u"Msg.Ftp.NotConnected"));
}

void FtpClient::disconnectFromHost()
{
    m_session.reset();
    m_connected = false;
    // A Cancel that came after the last transfer had finished belongs to the
    // ended session; left standing it would stop the next session's login.
    m_abortRequested.store(false);
}

bool FtpClient::isConnected() const
{
    return m_connected && m_session;
}

QString FtpClient::absolutePath(const QString &path) const
{
    return path.startsWith(u'/') ? path : m_currentDir + path;
}

QByteArray FtpClient::urlFor(const QString &path) const
{
    // "%2F/" makes libcurl start at the server's root instead of the login directory.
    QByteArray url = m_session->url + "%2F/";
    const QStringList segments = path.mid(1).split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0) {
            url += '/';
        }
        url += QUrl::toPercentEncoding(segments[i]);
    }
    return url;
}

void FtpClient::abort()
{
    m_abortRequested.store(true);
    if (m_session) {
        curl_multi_wakeup(m_session->multi);
    }
}

bool FtpClient::run(Transfer &transfer)
{
    Session &session = *m_session;
    CURL *curl = session.curl;
    transfer.client = this;
    session.lastReply.clear();
    session.errorBuffer[0] = '\0';
    m_aborted = false;

    const bool isList = transfer.kind == Transfer::Kind::List;
    curl_easy_setopt(curl, CURLOPT_URL, transfer.url.constData());
    curl_easy_setopt(curl, CURLOPT_NOBODY, long(transfer.kind == Transfer::Kind::Command));
    curl_easy_setopt(curl, CURLOPT_QUOTE, transfer.commands);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, long(transfer.kind == Transfer::Kind::Upload));
    curl_easy_setopt(curl, CURLOPT_DIRLISTONLY, 0L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, long(isList || m_type == TransferType::Ascii));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Transfer::onRead);
    curl_easy_setopt(curl, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE,
                     curl_off_t(transfer.kind == Transfer::Kind::Upload ? transfer.total : -1));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);

    if (transfer.reportsProgress()) {
        Q_EMIT transferStarted(transfer.total, transfer.direction());
    }
    CURLcode code = CURLE_OK;
    bool aborted = false;
    curl_multi_add_handle(session.multi, curl);
    for (int running = 1; running;) {
        const CURLMcode status = curl_multi_perform(session.multi, &running);
        if (status != CURLM_OK) {
            code = CURLE_RECV_ERROR;
            break;
        }
        if (!running) {
            break;
        }
        if (m_abortRequested.load()) {
            aborted = true;
            break;
        }
        curl_multi_poll(session.multi, nullptr, 0, kPollMs, nullptr);
    }
    int queued = 0;
    while (CURLMsg *message = curl_multi_info_read(session.multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl) {
            code = message->data.result;
        }
    }
    curl_multi_remove_handle(session.multi, curl);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);

    aborted = aborted || code == CURLE_ABORTED_BY_CALLBACK;
    if (aborted && transfer.localError.isEmpty()) {
        m_aborted = true;
        m_abortRequested.store(false);
        if (transfer.reportsProgress()) {
            Q_EMIT transferEnded();
        }
        return fail(T(u"Msg.Ftp.Aborted"));
    }
    m_abortRequested.store(false);
    if (transfer.reportsProgress()) {
        transfer.report(true);
        Q_EMIT transferEnded();
    }
    if (!transfer.localError.isEmpty()) {
        return fail(transfer.localError);
    }
    if (code != CURLE_OK) {
        return fail(session.reason(code));
    }
    return true;
}

bool FtpClient::testConnection(const FtpOptions &options, const QString &directory)
{
    m_error.clear();
    if (hasControlCharacter(directory)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
    if (!startSession(options)) {
        return false;
    }
    Transfer transfer;
    transfer.url = m_session->url;
    if (!directory.isEmpty()) {
        transfer.commands = curl_slist_append(nullptr, QByteArray("CWD " + directory.toUtf8()).constData());
    }
    // No transfer: log in, run the directory change, done.
    const bool ok = run(transfer);
    curl_slist_free_all(transfer.commands);
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

bool FtpClient::connectToHost(const FtpOptions &options)
{
    m_error.clear();
    if (!startSession(options)) {
        return false;
    }
    Transfer transfer;
    transfer.url = m_session->url;
    if (!run(transfer)) {
        disconnectFromHost();
        return false;
    }
    m_connected = true;
    return true;
}

bool FtpClient::changeDir(const QString &directory)
{
    m_error.clear();
    if (!ensureSession()) {
        return false;
    }
    if (hasControlCharacter(directory)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
    QString path = absolutePath(directory);
    if (!path.endsWith(u'/')) {
        path += u'/';
    }
    Transfer transfer;
    transfer.url = urlFor(path);
    if (!run(transfer)) {
        return false;
    }
    m_currentDir = path;
    return true;
}

std::optional<QList<FtpListEntry>> FtpClient::list()
{
    m_error.clear();
    if (!ensureSession()) {
        return std::nullopt;
    }
    Transfer transfer;
    transfer.kind = Transfer::Kind::List;
    transfer.url = urlFor(m_currentDir);
    if (!run(transfer)) {
        return std::nullopt;
    }
    return parseFtpListing(transfer.listing);
}

bool FtpClient::upload(const QString &localPath, const QString &remoteName)
{
    m_error.clear();
    if (!ensureSession()) {
        return false;
    }
    if (hasControlCharacter(remoteName)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
    QFile source(localPath);
    if (!source.open(QIODevice::ReadOnly)) {
        return fail(source.errorString() + u": " + localPath);
    }
    const QString remotePath = m_currentDir + remoteName;
    Transfer transfer;
    transfer.kind = Transfer::Kind::Upload;
    transfer.url = urlFor(remotePath);
    transfer.source = &source;
    transfer.total = source.size();
    if (run(transfer)) {
        return true;
    }
    if (!transfer.readStarted) {
        return false; // refused before anything was stored
    }
    // Whatever reached the server is an incomplete program: remove it.
    const QString reason = m_error;
    const bool aborted = m_aborted;
    Transfer removal;
    removal.url = m_session->url;
    removal.commands = curl_slist_append(nullptr, QByteArray("DELE " + remotePath.toUtf8()).constData());
    const bool removed = run(removal);
    curl_slist_free_all(removal.commands);
    const QString removalError = m_error;
    m_aborted = aborted;
    m_error = reason;
    if (!removed) {
        m_error += u'\n' + T(u"Msg.Ftp.PartialNotRemovedPrefix") + remotePath + T(u"Msg.Ftp.PartialNotRemovedSuffix")
            + removalError;
    }
    return false;
}

bool FtpClient::download(const QString &remotePath, const QString &localPath, qint64 expectedSize)
{
    m_error.clear();
    if (!ensureSession()) {
        return false;
    }
    if (hasControlCharacter(remotePath)) {
        return fail(T(u"Msg.Ftp.ControlCharacters"));
    }
    if (QFileInfo(localPath).isDir()) {
        return fail(T(u"Msg.Ftp.TargetIsFolderPrefix") + localPath + T(u"Msg.Ftp.TargetIsFolderSuffix"));
    }
    QSaveFile target(localPath);
    if (!target.open(QIODevice::WriteOnly)) {
        return fail(target.errorString() + u": " + localPath);
    }
    Transfer transfer;
    transfer.kind = Transfer::Kind::Download;
    transfer.url = urlFor(absolutePath(remotePath));
    transfer.target = &target;
    transfer.total = expectedSize;
    if (!run(transfer)) {
        target.cancelWriting();
        return false;
    }
    if (!target.commit()) {
        return fail(target.errorString() + u": " + localPath);
    }
    return true;
}
