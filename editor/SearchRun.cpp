#include "editor/SearchRun.h"

#include <algorithm>

namespace {

/// The UTF-8 length of one UTF-16 code unit; a surrogate pair counts 2 + 2.
int utf8Length(char16_t unit)
{
    if (unit < 0x80) {
        return 1;
    }
    if (unit < 0x800 || QChar::isSurrogate(unit)) {
        return 2;
    }
    return 3;
}

/// \a text with every unpaired surrogate replaced, positions unchanged, so
/// that the regular expressions may skip checking it.
QString wellFormed(const QString &text)
{
    const qsizetype size = text.size();
    const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
    QString result = text;
    for (qsizetype i = 0; i < size; ++i) {
        if (!QChar::isSurrogate(data[i])) {
            continue;
        }
        if (QChar::isHighSurrogate(data[i]) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
            ++i;
            continue;
        }
        result[i] = QChar::ReplacementCharacter;
    }
    return result;
}

qint64 utf8Size(QStringView text)
{
    qint64 size = 0;
    for (const QChar c : text) {
        size += utf8Length(c.unicode());
    }
    return size;
}

} // namespace

SearchRun::SearchRun(const QString &text, const TextSearch &search, const SearchScope &scope, bool backwards)
    : m_text(wellFormed(text))
    , m_search(search)
    , m_scope(scope)
    , m_backwards(backwards)
    , m_position(scope.from)
{ }

TextMatch SearchRun::next()
{
    if (!m_backwards) {
        const TextMatch match = m_search.findForward(m_text, m_position, m_scope.end);
        if (match.found()) {
            m_position = match.end();
        }
        return match;
    }
    if (m_search.options().regularExpression) {
        // A regular expression only runs forwards: collect the occurrences
        // once and hand them out from the back.
        if (!m_collected) {
            m_collected = true;
            m_pending = m_search.findAll(m_text, m_scope.start, m_position);
        }
        return m_pending.isEmpty() ? TextMatch {} : m_pending.takeLast();
    }
    const TextMatch match = m_search.findBackward(m_text, m_scope.start, m_position);
    if (match.found()) {
        m_position = match.start;
    }
    return match;
}

qint64 SearchRun::byteOffset(qsizetype index)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(m_text.constData());
    while (m_cursorIndex < index) {
        m_cursorByte += utf8Length(data[m_cursorIndex++]);
    }
    while (m_cursorIndex > index) {
        m_cursorByte -= utf8Length(data[--m_cursorIndex]);
    }
    return m_cursorByte;
}

SearchRun::ByteRange SearchRun::documentRange(const TextMatch &match)
{
    // Replacements so far lie before a forward run's next occurrence and
    // after a backward run's, where they move nothing.
    const qint64 shift = m_backwards ? 0 : m_growth;
    const qint64 start = byteOffset(match.start);
    const qint64 end = byteOffset(match.end());
    return {start + shift, end + shift};
}

void SearchRun::replaced(const TextMatch &match, qint64 byteLength)
{
    const qint64 start = byteOffset(match.start);
    m_growth += byteLength - (byteOffset(match.end()) - start);
}

QString SearchRun::replacementFor(const TextMatch &match, const QString &replacement) const
{
    return m_search.replacementFor(m_text, match, m_backwards ? m_scope.from : m_scope.end, replacement);
}

SearchRun::Edit SearchRun::replaceRest(const TextMatch &match, const QString &replacement)
{
    QList<TextMatch> matches {match};
    for (TextMatch next = this->next(); next.found(); next = this->next()) {
        matches << next;
    }
    if (m_backwards) {
        std::reverse(matches.begin(), matches.end());
    }

    Edit edit;
    edit.count = int(matches.size());
    edit.range = {documentRange(matches.first()).start, documentRange(matches.last()).end};
    qsizetype copied = matches.first().start;
    edit.text.reserve(matches.last().end() - copied + matches.size() * replacement.size());
    qint64 bytes = 0;
    for (const TextMatch &each : matches) {
        const QStringView between = QStringView(m_text).mid(copied, each.start - copied);
        const QString replaced = replacementFor(each, replacement);
        edit.text += between;
        bytes += utf8Size(between);
        const qint64 replacedSize = utf8Size(replaced);
        // Forwards the last replacement is the one furthest down, backwards the first.
        if (!m_backwards || &each == &matches.first()) {
            edit.last = {edit.range.start + bytes, edit.range.start + bytes + replacedSize};
        }
        edit.text += replaced;
        bytes += replacedSize;
        copied = each.end();
    }
    m_growth += bytes - (edit.range.end - edit.range.start);
    return edit;
}
