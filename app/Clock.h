#pragma once

#include <QDateTime>

#include <functional>

/// The time the program stamps on log entries and records; tests replace it.
class Clock
{
public:
    static QDateTime now();

    /// Makes now() return what \a source returns; an empty function restores the system clock.
    static void setSource(std::function<QDateTime()> source);
};
