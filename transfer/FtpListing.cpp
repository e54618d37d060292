#include "transfer/FtpListing.h"

#include <QRegularExpression>

namespace {

int monthNumber(QStringView name)
{
    static const QStringView months[]
        = {u"jan", u"feb", u"mar", u"apr", u"may", u"jun", u"jul", u"aug", u"sep", u"oct", u"nov", u"dec"};
    for (int i = 0; i < 12; ++i) {
        if (name.compare(months[i], Qt::CaseInsensitive) == 0) {
            return i + 1;
        }
    }
    return 0;
}

/// Two-digit years as IIS and OS-9 give them: 70–99 are the 1900s.
int fullYear(int year)
{
    if (year >= 100) {
        return year;
    }
    return year < 70 ? 2000 + year : 1900 + year;
}

std::optional<FtpListEntry> parseUnix(QStringView line, QDate today)
{
    // type+permissions, links/owner/group (any count), size, month, day, time or year, name
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([-dlbcpsDn])[-rwxsStTlL]{9}\S*\s+(?:\S+\s+)*?(\d+)\s+([A-Za-z]{3})\s+(\d{1,2})\s+)"
                       R"((?:(\d{1,2}):(\d{2})(?::(\d{2}))?|(\d{4}))\s+(.+)$)"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    FtpListEntry entry;
    entry.isFile = match.capturedView(1) == u"-";
    entry.size = match.capturedView(2).toLongLong();
    entry.name = match.captured(9);
    const int month = monthNumber(match.capturedView(3));
    const int day = match.capturedView(4).toInt();
    if (match.capturedLength(8) > 0) {
        const QDate date(match.capturedView(8).toInt(), month, day);
        entry.modified = QDateTime(date, QTime(0, 0));
    } else {
        // Without a year: this year, unless that lies in the future (then last year).
        QDate date(today.year(), month, day);
        if (date.isValid() && date > today.addDays(1)) {
            date = QDate(today.year() - 1, month, day);
        }
        const QTime time(match.capturedView(5).toInt(), match.capturedView(6).toInt(),
                         match.capturedLength(7) > 0 ? match.capturedView(7).toInt() : 0);
        entry.modified = QDateTime(date, time);
    }
    if (!entry.modified.date().isValid() || !entry.modified.time().isValid()) {
        entry.modified = QDateTime();
    }
    if (entry.name.isEmpty() || entry.name == u"." || entry.name == u"..") {
        return std::nullopt;
    }
    if (match.capturedView(1) == u"l") {
        // "name -> target": the link's own name only.
        if (const qsizetype arrow = entry.name.indexOf(u" -> "); arrow > 0) {
            entry.name.truncate(arrow);
        }
    }
    return entry;
}

std::optional<FtpListEntry> parseDos(QStringView line)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,2})[-/.](\d{1,2})[-/.](\d{2}|\d{4})\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)"
                       R"(\s+(<DIR>|<JUNCTION>|\d+)\s+(.+)$)"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    FtpListEntry entry;
    const QStringView kind = match.capturedView(8);
    entry.isFile = !kind.startsWith(u'<');
    entry.size = entry.isFile ? kind.toLongLong() : 0;
    entry.name = match.captured(9);
    int hour = match.capturedView(4).toInt();
    if (match.capturedLength(7) > 0) {
        const bool pm = match.capturedView(7).compare(u"pm", Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QDate date(fullYear(match.capturedView(3).toInt()), match.capturedView(1).toInt(),
                     match.capturedView(2).toInt());
    const QTime time(hour, match.capturedView(5).toInt(),
                     match.capturedLength(6) > 0 ? match.capturedView(6).toInt() : 0);
    if (date.isValid() && time.isValid()) {
        entry.modified = QDateTime(date, time);
    }
    return entry;
}

/// OS-9: "owner  yy/mm/dd hhmm  attributes  sector(hex)  bytecount  name".
std::optional<FtpListEntry> parseOs9(QStringView line)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\S+\s+(\d{2})/(\d{2})/(\d{2})\s+(\d{2})(\d{2})\s+([-d])[-a-z]{7}\s+[0-9A-Fa-f]+\s+(\d+)\s+(.+)$)"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    FtpListEntry entry;
    entry.isFile = match.capturedView(6) == u"-";
    entry.size = match.capturedView(7).toLongLong();
    entry.name = match.captured(8);
    const QDate date(fullYear(match.capturedView(1).toInt()), match.capturedView(2).toInt(),
                     match.capturedView(3).toInt());
    const QTime time(match.capturedView(4).toInt(), match.capturedView(5).toInt());
    if (date.isValid() && time.isValid()) {
        entry.modified = QDateTime(date, time);
    }
    return entry;
}

/// "type=file;size=993;modify=19980218161629; NAME".
std::optional<FtpListEntry> parseFacts(QStringView line)
{
    const qsizetype space = line.indexOf(u"; ");
    if (space < 0 || !line.contains(u'=')) {
        return std::nullopt;
    }
    FtpListEntry entry;
    entry.name = line.mid(space + 2).toString();
    bool typed = false;
    for (const QStringView fact : line.left(space).split(u';')) {
        const qsizetype equals = fact.indexOf(u'=');
        if (equals <= 0) {
            continue;
        }
        const QStringView key = fact.left(equals);
        const QStringView value = fact.mid(equals + 1);
        if (key.compare(u"type", Qt::CaseInsensitive) == 0) {
            typed = true;
            entry.isFile = value.compare(u"file", Qt::CaseInsensitive) == 0;
        } else if (key.compare(u"size", Qt::CaseInsensitive) == 0) {
            entry.size = value.toLongLong();
        } else if (key.compare(u"modify", Qt::CaseInsensitive) == 0) {
            entry.modified = QDateTime::fromString(value.left(14).toString(), QStringLiteral("yyyyMMddHHmmss"));
        }
    }
    if (!typed || entry.name.isEmpty()) {
        return std::nullopt;
    }
    return entry;
}

std::optional<FtpListEntry> parseAnyStyle(QStringView line, QDate today)
{
    if (auto entry = parseUnix(line, today)) {
        return entry;
    }
    if (auto entry = parseDos(line)) {
        return entry;
    }
    if (auto entry = parseOs9(line)) {
        return entry;
    }
    return parseFacts(line);
}

/// A name the server gives can become a local file name: one with a path
/// separator, a control character or a dot name could point outside the
/// folder it is received into, so it is never offered as a file.
bool isPlainFileName(const QString &name)
{
    if (name == u"." || name == u"..") {
        return false;
    }
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<FtpListEntry> parseFtpListLine(QStringView line, QDate today)
{
    while (!line.isEmpty() && (line.back() == u'\r' || line.back() == u'\n')) {
        line.chop(1);
    }
    if (line.trimmed().isEmpty()) {
        return std::nullopt;
    }
    std::optional<FtpListEntry> entry = parseAnyStyle(line, today);
    if (entry && entry->isFile && !isPlainFileName(entry->name)) {
        entry->isFile = false;
    }
    return entry;
}

QList<FtpListEntry> parseFtpListing(const QByteArray &listing, QDate today)
{
    QList<FtpListEntry> entries;
    QString text = QString::fromUtf8(listing);
    if (text.contains(QChar::ReplacementCharacter)) {
        // Not UTF-8: older controllers send their 8-bit code page.
        text = QString::fromLatin1(listing);
    }
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (auto entry = parseFtpListLine(line, today)) {
            entries.append(*entry);
        }
    }
    return entries;
}

QString FtpSizeText(qint64 bytes)
{
    return QString::number(qMax<qint64>(bytes, 0) / 1024) + u" KB";
}

QString FtpDateText(const QDateTime &modified, const QLocale &locale)
{
    if (!modified.isValid()) {
        return QString();
    }
    // Qt's long time formats end in the zone name; the listing shows none.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(u't');
    return locale.toString(modified.date(), QLocale::ShortFormat) + u' '
        + locale.toString(modified.time(), timeFormat.trimmed());
}
