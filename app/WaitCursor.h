#pragma once

#include <QGuiApplication>

/// The hourglass for as long as it lives, or until restore().
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    /// Takes the hourglass down early, before a message box, say.
    void restore()
    {
        if (m_shown) {
            QGuiApplication::restoreOverrideCursor();
            m_shown = false;
        }
    }

private:
    bool m_shown = true;
};
