#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

/// One entry of the message log: a heading and its detail lines.
struct LogEntry
{
    QString text; ///< document, date and time, title joined by " - "
    QStringList details; ///< the non-blank detail lines, untrimmed
};

/// The date and time as the log writes them: the locale's short date, a blank
/// and its long time (without a time zone); at exactly midnight the date alone.
QString formatLogDateTime(const QDateTime &when, const QLocale &locale = QLocale::system());

/// Builds the entry for a change made to \a documentName at \a when.
LogEntry makeLogEntry(const QString &documentName, const QDateTime &when, const QString &title,
                      const std::array<QString, 4> &details, const QLocale &locale = QLocale::system());
