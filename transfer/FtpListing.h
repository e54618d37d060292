#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

/// One entry of an FTP directory listing.
struct FtpListEntry
{
    QString name;
    bool isFile = false; ///< false for directories, links and devices
    qint64 size = 0; ///< in bytes
    QDateTime modified; ///< as the server gives it; invalid when it gives none that makes sense
};

/// Parses one line of a LIST reply: Unix "ls -l" lines, MS-DOS/IIS lines
/// ("07-20-26  09:52AM  <DIR>  name"), OS-9 lines and MLSD-style facts.
/// Header and summary lines ("total 0", column titles) give nothing.
/// \a today places Unix dates that carry a time instead of a year.
std::optional<FtpListEntry> parseFtpListLine(QStringView line, QDate today = QDate::currentDate());

/// Every entry of a whole LIST reply, in the order the server sent them.
QList<FtpListEntry> parseFtpListing(const QByteArray &listing, QDate today = QDate::currentDate());

/// The listing's size column: whole kilobytes, rounded down, then " KB" (1023 → "0 KB").
QString FtpSizeText(qint64 bytes);

/// The listing's date column: short date and long time of \a locale, without
/// a time zone; empty for an invalid time.
QString FtpDateText(const QDateTime &modified, const QLocale &locale = QLocale::system());
