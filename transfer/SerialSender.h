#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSerialPort;

/// Sends one program file over an open serial port, byte for byte as the file
/// holds it, with a CR put before every LF that does not follow a CR. The file
/// ends at its first Ctrl-Z byte (26), which is not sent, except that a file
/// starting with Ctrl-Z sends that one byte.
///
/// The send is driven by the port's events and never blocks: the port's flow
/// control (XON/XOFF or RTS/CTS, done by the driver) may hold the line for as
/// long as the machine wants, and no byte is dropped while it does. Bytes the
/// machine sends meanwhile are read and discarded.
class SerialSender : public QObject
{
    Q_OBJECT

public:
    explicit SerialSender(QObject *parent = nullptr);
    ~SerialSender() override;

    /// Starts sending \a path over \a port, which must be open. Returns false
    /// with errorString() set when the file cannot be opened; nothing is sent then.
    bool start(QSerialPort &port, const QString &path);

    /// Stops a running send at once: what is still queued is discarded and
    /// cancelled() follows. Does nothing when no send runs.
    void cancel();

    bool isRunning() const { return m_port != nullptr; }
    QString errorString() const { return m_error; }

    /// File bytes handed to the port so far (an inserted CR is not counted).
    qint64 sentBytes() const { return m_sent; }
    qint64 totalBytes() const { return m_total; }
    /// Bytes received from the machine and discarded during this send.
    qint64 discardedBytes() const { return m_discarded; }

    /// How long the line may make no progress before waitingForMachine(true).
    void setHoldThreshold(int milliseconds) { m_holdThreshold = milliseconds; }

    /// The whole percentage for \a sent of \a total file bytes, rounded to
    /// the nearest; an empty file is complete (100).
    static int percent(qint64 sent, qint64 total);

Q_SIGNALS:
    /// Coarse progress: emitted when the percentage changes and at the end.
    void progressed(qint64 sent, qint64 total);
    /// \a count bytes arrived from the machine and were discarded.
    void receivedDiscarded(qint64 count);
    /// True when the machine holds the line (nothing moves for a while),
    /// false once the line moves again.
    void waitingForMachine(bool waiting);
    /// Every byte has left the port.
    void finished();
    /// The send was cancelled.
    void cancelled();
    /// A line or read error stopped the send; \a reason is the port's text.
    void failed(const QString &reason);

private:
    void fillPort();
    bool readMore();
    void countHanded();
    void onBytesWritten(qint64 bytes);
    void onReadyRead();
    void onPortError();
    void checkLine();
    qint64 pendingInDriver() const;
    void noteProgress();
    void stop();

    QSerialPort *m_port = nullptr;
    QFile m_file;
    QByteArray m_out; ///< bytes ready for the port, CRs inserted
    qsizetype m_outPos = 0;
    QList<qsizetype> m_insertedCr; ///< where in m_out a CR was put before a bare LF
    qint64 m_outFileStart = 0; ///< file bytes handed to the port before m_out
    qint64 m_sent = 0;
    qint64 m_total = 0;
    qint64 m_discarded = 0;
    int m_lastPercent = -1;
    char m_previous = 0; ///< previous file byte; 0 before the first
    bool m_firstByte = true;
    bool m_endOfFile = false;
    bool m_waiting = false;
    qint64 m_lastPending = -1;
    int m_holdThreshold = 1000;
    qint64 m_highWater = 4096;
    QElapsedTimer m_sinceProgress;
    QTimer m_lineTimer;
    QString m_error;
};
