#include "editor/TextSearch.h"

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

constexpr QStringView kNotWordBefore = u"(?<![\\p{L}\\p{N}_])(?:";
constexpr QStringView kNotWordAfter = u")(?![\\p{L}\\p{N}_])";

} // namespace

SearchScope searchScope(qsizetype limitStart, qsizetype limitEnd, qsizetype selectionStart, qsizetype selectionEnd,
                        bool backwards, bool fromCaret)
{
    SearchScope scope {limitStart, limitEnd, backwards ? limitEnd : limitStart};
    if (fromCaret) {
        scope.from
            = std::clamp(backwards ? std::min(selectionStart, selectionEnd) : std::max(selectionStart, selectionEnd),
                         limitStart, limitEnd);
    }
    return scope;
}

TextSearch::TextSearch(const QString &pattern, const SearchOptions &options)
    : m_pattern(pattern)
    , m_options(options)
{
    if (!options.regularExpression) {
        return;
    }
    QRegularExpression::PatternOptions flags = QRegularExpression::MultilineOption;
    if (!options.caseSensitive) {
        flags |= QRegularExpression::CaseInsensitiveOption;
    }
    m_regex = QRegularExpression(pattern, flags);
    if (!m_regex.isValid()) {
        m_error = m_regex.errorString();
        return;
    }
    if (options.wholeWords) {
        // Bounding the pattern lets it pick an alternative that is a whole
        // word; a pattern that cannot be wrapped is checked match by match.
        QRegularExpression bounded(kNotWordBefore + pattern + kNotWordAfter, flags);
        if (bounded.isValid()) {
            m_regex = bounded;
        }
    }
    m_regex.optimize();
}

bool TextSearch::isValid() const
{
    return m_error.isEmpty();
}

QString TextSearch::errorString() const
{
    return m_error;
}

bool TextSearch::isWholeWord(QStringView text, qsizetype start, qsizetype length) const
{
    const qsizetype end = start + length;
    return (start == 0 || !isWordChar(text[start - 1])) && (end >= text.size() || !isWordChar(text[end]));
}

TextMatch TextSearch::regexForward(QStringView text, qsizetype from, qsizetype end) const
{
    // The text is well-formed: checking it again on every call would make a
    // run over a long document quadratic.
    const QStringView subject = text.first(end);
    qsizetype position = from;
    while (position < end) {
        const QRegularExpressionMatch match = m_regex.match(subject, position, QRegularExpression::NormalMatch,
                                                            QRegularExpression::DontCheckSubjectStringMatchOption);
        if (!match.hasMatch()) {
            return {};
        }
        const qsizetype start = match.capturedStart();
        const qsizetype length = match.capturedLength();
        if (length > 0 && (!m_options.wholeWords || isWholeWord(text, start, length))) {
            return {start, length};
        }
        position = start + 1;
        if (position < end && text[position].isLowSurrogate()) {
            ++position;
        }
    }
    return {};
}

TextMatch TextSearch::findForward(QStringView text, qsizetype from, qsizetype end) const
{
    end = std::min(end, text.size());
    if (!isValid() || m_pattern.isEmpty() || from < 0 || from >= end) {
        return {};
    }
    if (m_options.regularExpression) {
        return regexForward(text, from, end);
    }
    const Qt::CaseSensitivity cs = m_options.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype length = m_pattern.size();
    for (qsizetype position = from; position + length <= end;) {
        const qsizetype start = text.indexOf(m_pattern, position, cs);
        if (start < 0 || start + length > end) {
            return {};
        }
        if (!m_options.wholeWords || isWholeWord(text, start, length)) {
            return {start, length};
        }
        position = start + 1;
    }
    return {};
}

TextMatch TextSearch::findBackward(QStringView text, qsizetype start, qsizetype to) const
{
    to = std::min(to, text.size());
    if (!isValid() || m_pattern.isEmpty() || start < 0 || start >= to) {
        return {};
    }
    if (m_options.regularExpression) {
        // Backwards means the last of the occurrences a forward search would visit.
        TextMatch last;
        for (TextMatch match = regexForward(text, start, to); match.found();
             match = regexForward(text, match.end(), to)) {
            last = match;
        }
        return last;
    }
    const Qt::CaseSensitivity cs = m_options.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype length = m_pattern.size();
    for (qsizetype last = to - length; last >= start;) {
        const qsizetype found = text.lastIndexOf(m_pattern, last, cs);
        if (found < start) {
            return {};
        }
        if (!m_options.wholeWords || isWholeWord(text, found, length)) {
            return {found, length};
        }
        last = found - 1;
    }
    return {};
}

QList<TextMatch> TextSearch::findAll(QStringView text, qsizetype start, qsizetype end) const
{
    QList<TextMatch> matches;
    for (TextMatch match = findForward(text, start, end); match.found(); match = findForward(text, match.end(), end)) {
        matches << match;
    }
    return matches;
}

QString TextSearch::replacementFor(QStringView text, const TextMatch &match, qsizetype end,
                                   const QString &replacement) const
{
    if (!m_options.regularExpression || !replacement.contains(u'\\')) {
        return replacement;
    }
    // Anchored at the occurrence's start the expression finds the same occurrence again.
    const QRegularExpressionMatch captured = m_regex.match(
        text.first(std::min(end, text.size())), match.start, QRegularExpression::NormalMatch,
        QRegularExpression::AnchorAtOffsetMatchOption | QRegularExpression::DontCheckSubjectStringMatchOption);
    QString result;
    result.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        if (c == u'\\' && i + 1 < replacement.size()) {
            const QChar next = replacement[i + 1];
            if (next >= u'0' && next <= u'9') {
                result += captured.captured(next.unicode() - u'0');
                ++i;
                continue;
            }
            if (next == u'\\') {
                result += u'\\';
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}
