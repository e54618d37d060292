#pragma once

#include "editor/TextSearch.h"

#include <QList>
#include <QString>

/// One find or replace over a document: the occurrences of a search, one
/// after the other in the run's direction, found in the text as it was when
/// the run started, and where each lies in the document's UTF-8 bytes while
/// earlier ones are being replaced.
///
/// The whole run costs time in proportion to the document's length, however
/// many occurrences it finds or replaces.
class SearchRun
{
public:
    /// Half-open range of UTF-8 byte positions in the document.
    struct ByteRange
    {
        qint64 start = 0;
        qint64 end = 0;

        friend bool operator==(const ByteRange &, const ByteRange &) = default;
    };

    /// The rest of a run replaced in one edit: the document's bytes in
    /// \a range become \a text.
    struct Edit
    {
        ByteRange range;
        QString text;
        int count = 0; ///< occurrences replaced
        ByteRange last; ///< where the run's last replacement lies after the edit
    };

    /// Searches \a text (the document's text when the run starts) within \a scope.
    SearchRun(const QString &text, const TextSearch &search, const SearchScope &scope, bool backwards);

    /// The next occurrence, or one that is not found() at the end of the run.
    TextMatch next();

    /// Where \a match, the last one next() gave, lies in the document now.
    ByteRange documentRange(const TextMatch &match);

    /// Records that \a match was replaced by \a byteLength bytes.
    void replaced(const TextMatch &match, qint64 byteLength);

    /// Replaces \a match, the last one next() gave, and every further
    /// occurrence as one edit. An editor pays for each change in proportion to
    /// its position, so many small changes to a long document would be slow.
    Edit replaceRest(const TextMatch &match, const QString &replacement);

    /// The text that replaces \a match.
    QString replacementFor(const TextMatch &match, const QString &replacement) const;

    /// How many bytes longer the document has grown through the replacements.
    qint64 growth() const { return m_growth; }

    /// The text as the run found it.
    const QString &text() const { return m_text; }

private:
    qint64 byteOffset(qsizetype index);

    QString m_text;
    const TextSearch &m_search;
    SearchScope m_scope;
    bool m_backwards;
    qsizetype m_position; ///< forwards: where the next search starts; backwards: where it ends
    bool m_collected = false;
    QList<TextMatch> m_pending; ///< a backward regular-expression run's occurrences, last at the back
    qsizetype m_cursorIndex = 0; ///< a text position and its byte offset, moved as the run goes
    qint64 m_cursorByte = 0;
    qint64 m_growth = 0;
};
