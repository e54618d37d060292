#include "editor/TSynSampleSyn.h"

#include <string_view>

namespace {

using Syn = TSynSampleSyn;

enum class Routine : quint8 {
    EndOfText,
    LineFeed,
    CarriageReturn,
    Space,
    LetterWord,
    DelimitedRun,
    Word,
    Unknown,
};

/// What the scanner does with a (lowercased) character that starts a token.
struct CharRule
{
    Routine routine = Routine::Unknown;
    Syn::TtkTokenKind kind = Syn::tkUnknown;
    Syn::TRangeState range = Syn::rsUnknown;
    quint8 closer = 0;
};

constexpr std::array<Syn::TtkTokenKind, 22> kStringKinds = {
    Syn::tkString0,  Syn::tkString1,  Syn::tkString2,  Syn::tkString3,  Syn::tkString4,  Syn::tkString5,
    Syn::tkString6,  Syn::tkString7,  Syn::tkString8,  Syn::tkString9,  Syn::tkString10, Syn::tkString11,
    Syn::tkString12, Syn::tkString13, Syn::tkString14, Syn::tkString15, Syn::tkString16, Syn::tkString17,
    Syn::tkString18, Syn::tkString19, Syn::tkString20, Syn::tkString21,
};

constexpr Syn::TRangeState rangeOfString(int n)
{
    return static_cast<Syn::TRangeState>(n + 1);
}

// Bytes 0x80 and above are either a UTF-8 byte or stand for a 16-bit character outside
// ASCII (see SetLine); none of them is a letter, a terminator or white space.
constexpr std::array<CharRule, 256> kRules = [] {
    std::array<CharRule, 256> rules {};
    rules[0] = {Routine::EndOfText, Syn::tkNull};
    rules['\n'] = {Routine::LineFeed, Syn::tkSpace};
    rules['\r'] = {Routine::CarriageReturn, Syn::tkSpace};
    for (int c = 1; c <= 32; ++c) {
        if (c != '\n' && c != '\r') {
            rules[c] = {Routine::Space, Syn::tkSpace};
        }
    }
    // Address letters in the order of their String attributes: tkString13 is X, 14 is Z, 15 is Y.
    constexpr char letters[] = "abcfgijkmnrstxzy";
    for (int n = 0; n < 16; ++n) {
        rules[static_cast<quint8>(letters[n])] = {Routine::LetterWord, kStringKinds[n], rangeOfString(n)};
    }
    constexpr char openers[] = "%#<({[";
    constexpr char closers[] = "%#>)}]";
    for (int i = 0; i < 6; ++i) {
        const int n = 16 + i;
        rules[static_cast<quint8>(openers[i])]
            = {Routine::DelimitedRun, kStringKinds[n], rangeOfString(n), static_cast<quint8>(closers[i])};
    }
    for (const char c : {'d', 'e', 'h', 'l', 'o', 'p', 'q', 'u', 'v', '_'}) {
        rules[static_cast<quint8>(c)] = {Routine::Word, Syn::tkIdentifier};
    }
    return rules;
}();

/// Characters at which a letter word ends.
constexpr std::array<bool, 256> kRunTerminators = [] {
    std::array<bool, 256> terminators {};
    for (int c = 1; c <= 32; ++c) {
        terminators[c] = c != '\n' && c != '\r';
    }
    for (const char c : {'#', '%', '(', ')', '*', '<', '>', '[', ']', '{', '}'}) {
        terminators[static_cast<quint8>(c)] = true;
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        terminators[c] = true;
    }
    return terminators;
}();

/// ASCII lowercase; every other byte unchanged.
constexpr std::array<quint8, 256> kLowercase = [] {
    std::array<quint8, 256> lower {};
    for (int c = 0; c < 256; ++c) {
        lower[c] = static_cast<quint8>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return lower;
}();

constexpr std::array<bool, 256> kIdentChars = [] {
    std::array<bool, 256> ident {};
    for (int c = 0; c < 128; ++c) {
        ident[c] = Syn::IsIdentChar(static_cast<char16_t>(c));
    }
    return ident;
}();

/// Colour row (0-based) of each String attribute: the rows list Y before Z.
constexpr std::array<int, 22> kColourRowOfString
    = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 16, 17, 18, 19, 20, 21};

constexpr WindowsColour clBlue = 0x00FF0000;
constexpr WindowsColour clSilver = 0x00C0C0C0;

const QString &allFilesFilter()
{
    static const QString filter = QStringLiteral("All files (*.*)|*.*");
    return filter;
}

TSynHighlighterAttributes attribute(const QString &name, const QString &displayName)
{
    TSynHighlighterAttributes a;
    a.name = name;
    a.displayName = displayName;
    return a;
}

} // namespace

TSynSampleSyn::TSynSampleSyn(const Colours &colours)
    : m_identifierAttri(attribute(QStringLiteral("Identifier"), QStringLiteral("Identifier")))
    , m_keyAttri(attribute(QStringLiteral("ReservedWord"), QStringLiteral("Reserved Word")))
    , m_spaceAttri(attribute(QStringLiteral("Space"), QStringLiteral("Space")))
    , m_testAttri(attribute(QStringLiteral("Test"), QStringLiteral("Test")))
    , m_defaultFilter(allFilesFilter())
{
    m_keyAttri.style = TSynHighlighterAttributes::fsBold;
    for (int n = 0; n < 22; ++n) {
        const QString name = QStringLiteral("String") + QString::number(n);
        m_stringAttri[n] = attribute(name, name);
        m_stringAttri[n].foreground = static_cast<WindowsColour>(colours[kColourRowOfString[n]]);
    }
    m_testAttri.style = TSynHighlighterAttributes::fsItalic | TSynHighlighterAttributes::fsUnderline;
    m_testAttri.foreground = clBlue;
    m_testAttri.background = clSilver;

    m_kindAttributes[tkIdentifier] = &m_identifierAttri;
    m_kindAttributes[tkKey] = &m_keyAttri;
    m_kindAttributes[tkNull] = nullptr;
    m_kindAttributes[tkSpace] = &m_spaceAttri;
    for (int n = 0; n < 22; ++n) {
        m_kindAttributes[kStringKinds[n]] = &m_stringAttri[n];
    }
    m_kindAttributes[tkTest] = &m_testAttri;
    m_kindAttributes[tkUnknown] = &m_identifierAttri;

    m_line.assign(2, 0);
}

void TSynSampleSyn::SetLine(QStringView line)
{
    m_lineLength = static_cast<int>(line.size());
    m_line.resize(m_lineLength + 2);
    quint8 *out = m_line.data();
    for (const QChar c : line) {
        // Only ASCII characters take part in any rule; 0xFF stands for all others.
        *out++ = c.unicode() < 0x80 ? kLowercase[c.unicode()] : 0xFF;
    }
    out[0] = out[1] = 0;
    m_run = 0;
    Next();
}

void TSynSampleSyn::SetLineUtf8(QByteArrayView line)
{
    m_lineLength = static_cast<int>(line.size());
    m_line.resize(m_lineLength + 2);
    quint8 *out = m_line.data();
    for (const char c : line) {
        *out++ = kLowercase[static_cast<quint8>(c)];
    }
    out[0] = out[1] = 0;
    m_run = 0;
    Next();
}

void TSynSampleSyn::Next()
{
    m_tokenPos = m_run;
    if (m_run > m_lineLength) {
        m_tokenKind = tkNull;
        return;
    }
    const CharRule &rule = kRules[m_line[m_run]];
    switch (rule.routine) {
    case Routine::EndOfText:
        ++m_run;
        m_tokenKind = tkNull;
        break;
    case Routine::LineFeed:
        ++m_run;
        m_tokenKind = tkSpace;
        break;
    case Routine::CarriageReturn:
        ++m_run;
        if (m_line[m_run] == '\n') {
            ++m_run;
        }
        m_tokenKind = tkSpace;
        break;
    case Routine::Space:
        ++m_run;
        while (m_line[m_run] <= 32 && !atLineEnd(m_run)) {
            ++m_run;
        }
        m_tokenKind = tkSpace;
        break;
    case Routine::LetterWord:
        scanLetterWord(rule.kind, rule.range);
        break;
    case Routine::DelimitedRun:
        scanDelimitedRun(rule.closer, rule.kind, rule.range);
        break;
    case Routine::Word:
        scanWord();
        break;
    case Routine::Unknown:
        ++m_run;
        // The remaining bytes of a UTF-8 character belong to the same token.
        while ((m_line[m_run] & 0xC0) == 0x80) {
            ++m_run;
        }
        m_tokenKind = tkUnknown;
        break;
    }
}

void TSynSampleSyn::scanLetterWord(TtkTokenKind kind, TRangeState range)
{
    // The character right after the letter always belongs to the word, whatever it is.
    m_run = m_tokenPos + 1;
    m_range = range;
    for (;;) {
        if (kRunTerminators[m_line[m_run + 1]]) {
            ++m_run;
            m_range = rsUnknown;
            break;
        }
        if (!atLineEnd(m_run)) {
            ++m_run;
        }
        if (atLineEnd(m_run)) {
            break;
        }
    }
    m_tokenKind = kind;
}

void TSynSampleSyn::scanDelimitedRun(quint8 closer, TtkTokenKind kind, TRangeState range)
{
    m_run = m_tokenPos + 1;
    m_range = range;
    for (;;) {
        if (m_line[m_run] == closer) {
            ++m_run;
            m_range = rsUnknown;
            break;
        }
        if (!atLineEnd(m_run)) {
            ++m_run;
        }
        if (atLineEnd(m_run)) {
            break;
        }
    }
    m_tokenKind = kind;
}

void TSynSampleSyn::scanWord()
{
    const int start = m_run;
    while (kIdentChars[m_line[m_run]]) {
        ++m_run;
    }
    m_tokenKind = keywordKind(start, m_run - start);
}

TSynSampleSyn::TtkTokenKind TSynSampleSyn::keywordKind(int start, int length) const
{
    // Two-slot table reached by the parity of the sum of the character codes.
    unsigned sum = 0;
    for (int i = 0; i < length; ++i) {
        sum += m_line[start + i];
    }
    const bool odd = sum % 2 == 1;
    const std::string_view keyword = odd ? std::string_view("pelvora") : std::string_view("kolvessa");
    if (length != static_cast<int>(keyword.size())) {
        return tkIdentifier;
    }
    for (int i = 0; i < length; ++i) {
        if (m_line[start + i] != static_cast<quint8>(keyword[i])) {
            return tkIdentifier;
        }
    }
    return odd ? tkKey : tkTest;
}

const TSynHighlighterAttributes *TSynSampleSyn::GetDefaultAttribute(int attributeClass) const
{
    switch (attributeClass) {
    case SYN_ATTR_IDENTIFIER:
        return &m_identifierAttri;
    case SYN_ATTR_KEYWORD:
        return &m_keyAttri;
    case SYN_ATTR_WHITESPACE:
        return &m_spaceAttri;
    default:
        return nullptr;
    }
}

QString TSynSampleSyn::GetKeyWords()
{
    return QStringLiteral("Pelvora,Kolvessa");
}

QString TSynSampleSyn::GetSampleSource()
{
    return QStringLiteral("{ Sample source for the demo highlighter }\r\n"
                          "\r\n"
                          "This highlighter will recognize the words Hello and\r\n"
                          "World as keywords. It will also highlight \"Strings\".\r\n"
                          "\r\n"
                          "And a special keyword type: SynEdit\r\n"
                          "/* This style of comments is also highlighted */");
}

QString TSynSampleSyn::GetLanguageName()
{
    return QStringLiteral("Sample");
}

bool TSynSampleSyn::IsFilterStored() const
{
    return m_defaultFilter != allFilesFilter();
}

const TSynHighlighterAttributes &TSynSampleSyn::Attribute(int index) const
{
    // The String attributes are created in the order of their token kinds.
    if (index == 0) {
        return m_identifierAttri;
    }
    if (index == 1) {
        return m_keyAttri;
    }
    if (index == 2) {
        return m_spaceAttri;
    }
    if (index >= 3 && index < 25) {
        return *m_kindAttributes[index + 1];
    }
    return m_testAttri;
}

TSynSampleSyn::TtkTokenKind TSynSampleSyn::stringKind(int n)
{
    return kStringKinds.at(n);
}

int TSynSampleSyn::stringNumber(TtkTokenKind kind)
{
    for (int n = 0; n < 22; ++n) {
        if (kStringKinds[n] == kind) {
            return n;
        }
    }
    return -1;
}
