#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

/// A Windows-style initialisation file: "[section]" lines followed by
/// "key=value" lines, text in the Windows-1252 code page.
///
/// Section and key names are compared without regard to case; the first
/// matching section and key win. Reading never creates the file. Writing one
/// key rewrites only that key's line (or adds the key, and the section when it
/// is missing) and keeps every other line byte for byte; the file is replaced
/// atomically, so a failed write leaves the old file as it was.
class IniFile
{
public:
    /// Reads \a path once; a missing or unreadable file reads as empty.
    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    /// The key's value, blanks trimmed and one pair of enclosing quotes removed;
    /// \a defaultValue when the section or the key is missing.
    QString readString(QStringView section, QStringView key, const QString &defaultValue) const;

    /// The key's value as a decimal (or "0x"/"$" hexadecimal) integer;
    /// \a defaultValue when missing or not an integer.
    int readInteger(QStringView section, QStringView key, int defaultValue) const;

    /// Writes one key. On failure returns false, leaves the file unchanged and
    /// keeps the reason in errorString().
    bool writeString(QStringView section, QStringView key, const QString &value);
    bool writeInteger(QStringView section, QStringView key, int value);

    QString errorString() const { return m_error; }

private:
    struct Found
    {
        qsizetype sectionLine = -1; ///< index of the "[section]" line
        qsizetype keyLine = -1; ///< index of the key's line
        qsizetype lastContentLine = -1; ///< last non-blank line of the section
    };
    Found find(QStringView section, QStringView key) const;
    void split(const QByteArray &bytes);
    QByteArray lineBreak() const;

    QString m_path;
    QList<QByteArray> m_lines; ///< raw lines, each with its own line break
    QList<QString> m_text; ///< the same lines decoded, without their break
    QString m_error;
};
