#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QSerialPort;

/// Receives a program a machine sends over an open serial port. Every byte is
/// kept as it comes, NUL included. The machine has finished when the idle
/// check (every second) sees received data that did not grow since the check
/// before; bytes arriving later are still kept, without a second completion.
class SerialReceiver : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Idle, ///< no reception started
        Receiving, ///< waiting for the first byte or for the machine to finish
        Complete, ///< the machine went quiet; later bytes are still kept
        Failed, ///< a line error ended the reception; what came is kept
    };

    explicit SerialReceiver(QObject *parent = nullptr);

    /// Starts a new reception on the open \a port: what was received before is
    /// dropped and the idle check starts. Start only once the port is open: the
    /// port reports a failed open as an error, which would end the reception.
    void start(QSerialPort &port);
    /// Ends the reception: the port is let go and the idle check stops. The
    /// received bytes stay until the next start() or clear().
    void stop();
    /// Drops the received bytes.
    void clear() { m_data.clear(); }

    State state() const { return m_state; }
    const QByteArray &data() const { return m_data; }

    /// The idle check's interval (1000 ms unless a test shortens it).
    void setIdleInterval(int milliseconds) { m_idle.setInterval(milliseconds); }
    int idleInterval() const { return m_idle.interval(); }

    /// Writes exactly \a data to \a path, replacing the file in one step; on
    /// failure the old file is untouched, false is returned and \a error
    /// holds the reason.
    static bool save(const QString &path, const QByteArray &data, QString *error);

    /// \a bytes as text for showing: each byte is the character of the same
    /// code, line ends (CR LF, CR, LF) break lines, and other control bytes are
    /// shown as visible symbols, so that a NUL does not cut the text.
    /// \a previous is the byte received just before \a bytes (0 for none), so
    /// that a CR LF split between two arrivals breaks one line only.
    static QString displayText(QByteArrayView bytes, char previous = 0);

Q_SIGNALS:
    /// \a count bytes arrived; \a text is how they are shown.
    void bytesArrived(qsizetype count, const QString &text);
    /// The machine went quiet: the reception is complete.
    void completed();
    /// A line error ended the reception; \a reason is the port's text.
    void failed(const QString &reason);

private:
    void onReadyRead();
    void onPortError();
    void onIdleTick();

    QSerialPort *m_port = nullptr;
    QTimer m_idle;
    QByteArray m_data;
    qsizetype m_length = 0;
    qsizetype m_previousLength = 0;
    State m_state = State::Idle;
};
