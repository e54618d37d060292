#include "i18n/Catalogue.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject readObject(const QString &resource)
{
    QFile file(resource);
    if (resource.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

/// The keys of the English file in the order the file lists them (a JSON
/// object does not keep its order, so the order is read from the text).
QStringList keysInFileOrder(const QString &resource)
{
    QFile file(resource);
    QStringList keys;
    if (!file.open(QIODevice::ReadOnly)) {
        return keys;
    }
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    file.seek(0);
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.startsWith('"')) {
            continue;
        }
        const qsizetype end = line.indexOf("\":");
        const QString key = QString::fromUtf8(line.mid(1, end - 1));
        if (end > 0 && object.contains(key)) {
            keys.append(key);
        }
    }
    return keys;
}

} // namespace

Catalogue::Catalogue()
    : m_keys(keysInFileOrder(resourceFor(QStringLiteral("EN"))))
{ }

QString Catalogue::resourceFor(const QString &languageCode)
{
    if (languageCode == u"PT-BR") {
        return QStringLiteral(":/catalogue/pt-BR.json");
    }
    if (languageCode == u"EN") {
        return QStringLiteral(":/catalogue/en.json");
    }
    if (languageCode == u"ES") {
        return QStringLiteral(":/catalogue/es.json");
    }
    return {};
}

QHash<QString, QString> Catalogue::readLanguage(const QString &languageCode)
{
    QHash<QString, QString> texts;
    const QJsonObject object = readObject(resourceFor(languageCode));
    for (auto it = object.begin(); it != object.end(); ++it) {
        texts.insert(it.key(), it.value().toString());
    }
    return texts;
}

bool Catalogue::load(const QString &languageCode)
{
    m_code = languageCode;
    m_texts = readLanguage(languageCode);
    return !m_texts.isEmpty();
}

QString Catalogue::text(QStringView key) const
{
    return m_texts.value(key.toString());
}

QString Catalogue::format(QStringView key, const QString &argument) const
{
    QString result = text(key);
    const qsizetype at = result.indexOf(u"%s");
    if (at >= 0) {
        result.replace(at, 2, argument);
    }
    return result;
}

Catalogue &Catalogue::current()
{
    static Catalogue table;
    return table;
}

QString T(QStringView key)
{
    return Catalogue::current().text(key);
}
