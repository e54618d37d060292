#include "app/IniFile.h"

#include "app/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

/// The section name of a "[name]" line, or a null view.
QStringView sectionName(QStringView line)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(u'[')) {
        return {};
    }
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        split(file.readAll());
    }
}

void IniFile::split(const QByteArray &bytes)
{
    m_lines.clear();
    m_text.clear();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        const QByteArray raw = bytes.mid(start, end - start);
        QByteArray body = raw;
        while (body.endsWith('\n') || body.endsWith('\r')) {
            body.chop(1);
        }
        m_lines.append(raw);
        m_text.append(Cp1252::decode(body));
        start = end;
    }
}

IniFile::Found IniFile::find(QStringView section, QStringView key) const
{
    Found found;
    bool inSection = false;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const QStringView line = m_text[i];
        const QStringView name = sectionName(line);
        if (!name.isNull()) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = sameName(name, section);
            if (inSection) {
                found.sectionLine = found.lastContentLine = i;
            }
            continue;
        }
        if (!inSection || line.trimmed().isEmpty()) {
            continue;
        }
        found.lastContentLine = i;
        const QStringView t = line.trimmed();
        if (t.startsWith(u';')) {
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (found.keyLine < 0 && eq >= 0 && sameName(line.left(eq).trimmed(), key)) {
            found.keyLine = i;
        }
    }
    return found;
}

QString IniFile::readString(QStringView section, QStringView key, const QString &defaultValue) const
{
    const Found found = find(section, key);
    if (found.keyLine < 0) {
        return defaultValue;
    }
    const QString &line = m_text[found.keyLine];
    QStringView value = QStringView(line).mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return value.toString();
}

int IniFile::readInteger(QStringView section, QStringView key, int defaultValue) const
{
    const QString text = readString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        value = static_cast<int>(QStringView(text).mid(2).toUInt(&ok, 16));
    } else if (text.startsWith(u'$')) {
        value = static_cast<int>(QStringView(text).mid(1).toUInt(&ok, 16));
    } else {
        value = text.toInt(&ok, 10);
    }
    return ok ? value : defaultValue;
}

QByteArray IniFile::lineBreak() const
{
    for (const QByteArray &line : m_lines) {
        if (line.endsWith("\r\n")) {
            return QByteArrayLiteral("\r\n");
        }
        if (line.endsWith('\n')) {
            return QByteArrayLiteral("\n");
        }
    }
    return QByteArrayLiteral("\n");
}

bool IniFile::writeString(QStringView section, QStringView key, const QString &value)
{
    m_error.clear();
    // Start from the file as it is now, not as it was when this object read it.
    {
        QFile current(m_path);
        if (current.exists()) {
            if (!current.open(QIODevice::ReadOnly)) {
                m_error = current.errorString();
                return false;
            }
            split(current.readAll());
        } else {
            split(QByteArray());
        }
    }
    // A file without any write permission is read-only for everybody, the
    // administrator included, as on the workstations' own file systems.
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (QFileInfo info(m_path); info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite))) {
        m_error = QStringLiteral("Permission denied");
        return false;
    }

    const QByteArray eol = lineBreak();
    const QByteArray keyLine = Cp1252::encode(key.toString() + u'=' + value) + eol;
    QList<QByteArray> lines = m_lines;
    const Found found = find(section, key);
    if (found.keyLine >= 0) {
        QByteArray old = lines[found.keyLine];
        const qsizetype bodyEnd = old.size() - (old.endsWith("\r\n") ? 2 : old.endsWith('\n') ? 1 : 0);
        lines[found.keyLine] = keyLine.left(keyLine.size() - eol.size()) + old.mid(bodyEnd);
    } else {
        if (!lines.isEmpty() && !lines.last().endsWith('\n')) {
            lines.last().append(eol);
        }
        if (found.sectionLine >= 0) {
            lines.insert(found.lastContentLine + 1, keyLine);
        } else {
            lines.append(Cp1252::encode(u'[' + section.toString() + u']') + eol);
            lines.append(keyLine);
        }
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    for (const QByteArray &line : lines) {
        file.write(line);
    }
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    split(lines.join());
    return true;
}

bool IniFile::writeInteger(QStringView section, QStringView key, int value)
{
    return writeString(section, key, QString::number(value));
}
