#pragma once

#include <QString>
#include <QStringView>

/// Scratch text for a line transformation made of steps, each working on the
/// result of the one before, without allocating for every line.
class StepBuffers
{
public:
    /// Starts over from \a line.
    void start(QStringView line)
    {
        m_current = line;
        m_holder = -1;
    }

    /// The text reached so far.
    QStringView current() const { return m_current; }

    /// The emptied buffer for the next step's result (never the one holding
    /// current()).
    QString &target()
    {
        QString &buffer = m_buffers[m_holder == 0 ? 1 : 0];
        buffer.resize(0);
        return buffer;
    }

    /// Makes the buffer returned by target() the current text.
    void commit()
    {
        m_holder = m_holder == 0 ? 1 : 0;
        m_current = m_buffers[m_holder];
    }

private:
    QString m_buffers[2];
    int m_holder = -1;
    QStringView m_current;
};
