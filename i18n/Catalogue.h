#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/// The text table: every language-dependent text of the program, by key.
///
/// The key set is fixed (the English catalogue defines it). Loading a language
/// code fills every key with that language's text; an unknown code leaves every
/// key empty. Texts are read at the moment they are shown.
class Catalogue
{
public:
    Catalogue();

    /// Fills the table for "PT-BR", "EN" or "ES" (compared exactly) and returns
    /// true; any other code empties every text and returns false.
    bool load(const QString &languageCode);

    const QString &languageCode() const { return m_code; }

    /// The current text of \a key; empty for an unknown key or an empty table.
    QString text(QStringView key) const;

    /// \a key's text with its one "%s" replaced by \a argument.
    QString format(QStringView key, const QString &argument) const;

    /// Every key, in catalogue order.
    const QStringList &keys() const { return m_keys; }

    /// The texts a language file holds, or an empty map when there is none.
    static QHash<QString, QString> readLanguage(const QString &languageCode);

    /// The resource file of a language code, or an empty text for an unknown code.
    static QString resourceFor(const QString &languageCode);

    /// The table the program shows its texts from.
    static Catalogue &current();

private:
    QStringList m_keys;
    QHash<QString, QString> m_texts;
    QString m_code;
};

/// Shorthand for Catalogue::current().text(key).
QString T(QStringView key);
