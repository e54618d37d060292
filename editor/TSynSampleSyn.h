#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

/// A Windows colour value 0x00BBGGRR (red in the low byte).
using WindowsColour = quint32;

/// How one kind of token is painted. A colour that is not set leaves the editor's own.
struct TSynHighlighterAttributes
{
    enum FontStyle : quint8 {
        fsBold = 1,
        fsItalic = 2,
        fsUnderline = 4,
        fsStrikeOut = 8,
    };

    QString name; ///< internal name, e.g. "ReservedWord"
    QString displayName; ///< name shown to the user, e.g. "Reserved Word"
    std::optional<WindowsColour> foreground;
    std::optional<WindowsColour> background;
    quint8 style = 0; ///< FontStyle flags
};

/// The G-code scanner shared by every editor. It splits one line at a time into
/// tokens and gives each a kind and an attribute: a word such as "X12.5" takes the
/// colour of its address letter, and the runs "(...)", "%...%", "#...#", "<...>",
/// "{...}" and "[...]" take colours of their own. It ignores letter case.
///
/// Scanning a line: set the previous line's range with SetRange (or ResetRange),
/// call SetLine (which scans the first token), then read the token and call Next
/// until GetEol. GetRange then tells the range the line ends in. Nothing is
/// allocated per token; the line buffer is reused from line to line. The scanning
/// state lives in the object: editors sharing it scan one line after another on
/// the user-interface thread.
class TSynSampleSyn
{
public:
    /// Token kinds; the values are those GetTokenKind reports (names in alphabetical order).
    enum TtkTokenKind : quint8 {
        tkIdentifier = 0,
        tkKey = 1,
        tkNull = 2,
        tkSpace = 3,
        tkString0 = 4,
        tkString1 = 5,
        tkString10 = 6,
        tkString11 = 7,
        tkString12 = 8,
        tkString13 = 9,
        tkString14 = 10,
        tkString15 = 11,
        tkString16 = 12,
        tkString17 = 13,
        tkString18 = 14,
        tkString19 = 15,
        tkString2 = 16,
        tkString20 = 17,
        tkString21 = 18,
        tkString3 = 19,
        tkString4 = 20,
        tkString5 = 21,
        tkString6 = 22,
        tkString7 = 23,
        tkString8 = 24,
        tkString9 = 25,
        tkTest = 26,
        tkUnknown = 27,
    };
    static constexpr int TokenKindCount = 28;

    /// The run a line opened and did not close: rsStringN = N + 1, rsUnknown when none.
    enum TRangeState : quint8 {
        rsUnknown = 0,
        rsString0,
        rsString1,
        rsString2,
        rsString3,
        rsString4,
        rsString5,
        rsString6,
        rsString7,
        rsString8,
        rsString9,
        rsString10,
        rsString11,
        rsString12,
        rsString13,
        rsString14,
        rsString15,
        rsString16,
        rsString17,
        rsString18,
        rsString19,
        rsString20,
        rsString21,
    };

    /// Attribute classes of GetDefaultAttribute.
    enum DefaultAttributeClass {
        SYN_ATTR_COMMENT = 0,
        SYN_ATTR_IDENTIFIER = 1,
        SYN_ATTR_KEYWORD = 2,
        SYN_ATTR_STRING = 3,
        SYN_ATTR_WHITESPACE = 4,
        SYN_ATTR_SYMBOL = 5,
    };

    /// The 22 colour settings in their row order: A, B, C, F, G, I, J, K, M, N, R, S,
    /// T, X, Y, Z, then "%", "#", "<>", "()", "{}", "[]" (Windows colour values).
    using Colours = std::array<qint32, 22>;

    /// A scanner whose String attributes take \a colours.
    explicit TSynSampleSyn(const Colours &colours);
    TSynSampleSyn(const TSynSampleSyn &) = delete;
    TSynSampleSyn &operator=(const TSynSampleSyn &) = delete;

    /// Takes a lowercased copy of \a line and scans its first token; positions are
    /// indexes of 16-bit characters.
    void SetLine(QStringView line);
    /// Same for a line of UTF-8 bytes; positions are byte offsets. A character
    /// outside ASCII scans as it does in SetLine, as one unknown token of all its bytes.
    void SetLineUtf8(QByteArrayView line);

    /// Scans the next token.
    void Next();
    /// True once the end of the line has been consumed as a token.
    bool GetEol() const { return m_run == m_lineLength + 1; }

    /// Where the current token starts in the line.
    int GetTokenPos() const { return m_tokenPos; }
    /// How many characters (or bytes) the current token spans.
    int GetTokenLength() const { return m_run - m_tokenPos; }
    /// The current token's kind.
    TtkTokenKind GetTokenKind() const { return m_tokenKind; }
    /// The current token's attribute; none for tkNull (the editor paints it with its defaults).
    const TSynHighlighterAttributes *GetTokenAttribute() const { return m_kindAttributes[m_tokenKind]; }

    /// The attribute standing for one of the editor's generic attribute classes, if any.
    const TSynHighlighterAttributes *GetDefaultAttribute(int attributeClass) const;

    TRangeState GetRange() const { return m_range; }
    void SetRange(TRangeState range) { m_range = range; }
    void ResetRange() { m_range = rsUnknown; }

    /// Characters that make up a word: digits, ASCII letters and "_".
    static constexpr bool IsIdentChar(char16_t c)
    {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    }

    static QString GetKeyWords();
    static QString GetSampleSource();
    static QString GetLanguageName();

    QString DefaultFilter() const { return m_defaultFilter; }
    void SetDefaultFilter(const QString &filter) { m_defaultFilter = filter; }
    /// True when the filter differs from the one the scanner starts with.
    bool IsFilterStored() const;

    const TSynHighlighterAttributes &IdentifierAttri() const { return m_identifierAttri; }
    const TSynHighlighterAttributes &KeyAttri() const { return m_keyAttri; }
    const TSynHighlighterAttributes &SpaceAttri() const { return m_spaceAttri; }
    /// String0Attri … String21Attri.
    const TSynHighlighterAttributes &StringAttri(int n) const { return m_stringAttri.at(n); }
    const TSynHighlighterAttributes &TestAttri() const { return m_testAttri; }

    /// The attribute of a token kind (none for tkNull).
    const TSynHighlighterAttributes *attributeOfKind(TtkTokenKind kind) const { return m_kindAttributes[kind]; }

    /// Number of attributes.
    static constexpr int AttrCount() { return 26; }
    /// Attribute \a index (0 … AttrCount() - 1) in the order the scanner creates them:
    /// Identifier, ReservedWord, Space, String0, String1, String10 … String19, String2,
    /// String20, String21, String3 … String9, Test.
    const TSynHighlighterAttributes &Attribute(int index) const;

    /// The token kind tkStringN of String attribute \a n.
    static TtkTokenKind stringKind(int n);
    /// The String attribute number of a tkString kind, or -1.
    static int stringNumber(TtkTokenKind kind);

private:
    void scanLetterWord(TtkTokenKind kind, TRangeState range);
    void scanDelimitedRun(quint8 closer, TtkTokenKind kind, TRangeState range);
    void scanWord();
    TtkTokenKind keywordKind(int start, int length) const;
    bool atLineEnd(int position) const
    {
        return position >= m_lineLength || m_line[position] == '\n' || m_line[position] == '\r';
    }

    TSynHighlighterAttributes m_identifierAttri;
    TSynHighlighterAttributes m_keyAttri;
    TSynHighlighterAttributes m_spaceAttri;
    std::array<TSynHighlighterAttributes, 22> m_stringAttri;
    TSynHighlighterAttributes m_testAttri;
    std::array<const TSynHighlighterAttributes *, TokenKindCount> m_kindAttributes {};
    QString m_defaultFilter;

    // The lowercased line, followed by two zero bytes so that looking one past the end is safe.
    std::vector<quint8> m_line;
    int m_lineLength = 0;
    int m_run = 0;
    int m_tokenPos = 0;
    TtkTokenKind m_tokenKind = tkNull;
    TRangeState m_range = rsUnknown;
};
