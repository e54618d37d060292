#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>

/// How a search text is matched.
struct SearchOptions
{
    bool caseSensitive = false;
    bool wholeWords = false; ///< letters, digits and '_' may not touch the match on either side
    bool regularExpression = false;
};

/// One occurrence: \a length characters (UTF-16 code units) from \a start.
struct TextMatch
{
    qsizetype start = -1;
    qsizetype length = 0;

    bool found() const { return start >= 0; }
    qsizetype end() const { return start + length; }

    friend bool operator==(const TextMatch &, const TextMatch &) = default;
};

/// The part of a text a search looks at, [start, end), and the position it
/// starts from: forwards it looks at [from, end), backwards at [start, from).
struct SearchScope
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype from = 0;

    friend bool operator==(const SearchScope &, const SearchScope &) = default;
};

/// The scope of a search limited to [\a limitStart, \a limitEnd) with the
/// selection [\a selectionStart, \a selectionEnd). From the caret, a forward
/// search starts at the selection's end and a backward one at its start, so
/// the selected text is never found again; otherwise the whole limit is searched.
SearchScope searchScope(qsizetype limitStart, qsizetype limitEnd, qsizetype selectionStart, qsizetype selectionEnd,
                        bool backwards, bool fromCaret);

/// A search text compiled with its options: finds occurrences in either
/// direction and builds the text that replaces one.
///
/// A plain search text matches literally. A regular expression uses the Perl
/// syntax, with ^ and $ at every line; in its replacement \0 to \9 stand for
/// the captured texts and \\ for a backslash. Empty matches are never found.
/// The texts searched must be well-formed UTF-16 (SearchRun sees to that).
class TextSearch
{
public:
    TextSearch(const QString &pattern, const SearchOptions &options);

    const SearchOptions &options() const { return m_options; }

    /// False only for a regular expression with an error.
    bool isValid() const;
    /// The regular expression's own description of its error.
    QString errorString() const;

    /// The first occurrence that starts at \a from or later and ends at \a end or earlier.
    TextMatch findForward(QStringView text, qsizetype from, qsizetype end) const;
    /// The last occurrence that starts at \a start or later and ends at \a to or earlier.
    TextMatch findBackward(QStringView text, qsizetype start, qsizetype to) const;

    /// Every occurrence in [\a start, \a end) in the order a forward search finds them.
    QList<TextMatch> findAll(QStringView text, qsizetype start, qsizetype end) const;

    /// The text that replaces \a match, found by a search that ended at \a end.
    QString replacementFor(QStringView text, const TextMatch &match, qsizetype end, const QString &replacement) const;

private:
    bool isWholeWord(QStringView text, qsizetype start, qsizetype length) const;
    TextMatch regexForward(QStringView text, qsizetype from, qsizetype end) const;

    QString m_pattern;
    SearchOptions m_options;
    QRegularExpression m_regex;
    QString m_error;
};
