#include "app/LogEntry.h"

namespace {

/// The locale's long time format without its time-zone part, which a clock on
/// the shop floor never shows.
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        }
        if (!quoted && c == u't') {
            continue;
        }
        result += c;
    }
    return result.trimmed();
}

} // namespace

QString formatLogDateTime(const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() == QTime(0, 0)) {
        return date;
    }
    return date + u' ' + locale.toString(when.time(), longTimeFormatWithoutZone(locale));
}

LogEntry makeLogEntry(const QString &documentName, const QDateTime &when, const QString &title,
                      const std::array<QString, 4> &details, const QLocale &locale)
{
    LogEntry entry;
    entry.text = documentName + u" - " + formatLogDateTime(when, locale) + u" - " + title;
    for (const QString &line : details) {
        if (!line.trimmed().isEmpty()) {
            entry.details.append(line);
        }
    }
    return entry;
}
