#pragma once

#include <QProcess>
#include <QString>

/// Two connected pseudo-terminals made by socat, standing in for a serial
/// cable: whatever is written to one end arrives at the other. The ends are
/// links in \a folder named after the folder, so each pair's port lock files
/// are its own. socat ends with the object.
class PseudoTerminalPair
{
public:
    explicit PseudoTerminalPair(const QString &folder);
    ~PseudoTerminalPair();
    PseudoTerminalPair(const PseudoTerminalPair &) = delete;
    PseudoTerminalPair &operator=(const PseudoTerminalPair &) = delete;

    /// Whether socat is installed; tests skip without it.
    static bool available();

    /// Starts socat and waits until both ends exist; false on failure.
    bool start();
    /// Ends socat: the line goes away under whoever has an end open.
    void stop();

    /// The end the program under test opens.
    QString end() const { return m_end; }
    /// The end the test opens to play the machine.
    QString otherEnd() const { return m_otherEnd; }

private:
    QString m_end;
    QString m_otherEnd;
    QProcess m_socat;
};
