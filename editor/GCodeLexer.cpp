#include "editor/GCodeLexer.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <cstring>

namespace {

using Syn = TSynSampleSyn;

/// Lines styled in one go below the last styled line before a far-away screen is
/// styled on its own (about a millisecond of scanning).
constexpr int kLongestGapStyled = 2000;
/// Lines styled before the end of a request that lies above the screen.
constexpr int kLinesAboveScreen = 200;

} // namespace

GCodeLexer::GCodeLexer(std::shared_ptr<TSynSampleSyn> scanner, const QFont &font, QObject *parent)
    : QsciLexerCustom(parent)
    , m_scanner(std::move(scanner))
    , m_font(font)
{
    applyStyles();
}

GCodeLexer::GCodeLexer(const TSynSampleSyn::Colours &colours, const QFont &font, QObject *parent)
    : GCodeLexer(std::make_shared<TSynSampleSyn>(colours), font, parent)
{ }

void GCodeLexer::setScanner(std::shared_ptr<TSynSampleSyn> scanner)
{
    m_scanner = std::move(scanner);
    applyStyles();
}

void GCodeLexer::setEditorFont(const QFont &font)
{
    m_font = font;
    applyStyles();
}

void GCodeLexer::setEditorColours(const QColor &text, const QColor &paper)
{
    setDefaultColor(text);
    setDefaultPaper(paper);
    applyStyles();
}

QColor GCodeLexer::toColor(WindowsColour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

const char *GCodeLexer::language() const
{
    return "Sample";
}

QString GCodeLexer::description(int style) const
{
    if (style < 0 || style >= Syn::TokenKindCount) {
        return {};
    }
    const auto kind = static_cast<Syn::TtkTokenKind>(style);
    if (kind == Syn::tkNull) {
        return QStringLiteral("Null");
    }
    if (kind == Syn::tkUnknown) {
        return QStringLiteral("Unknown");
    }
    return m_scanner->attributeOfKind(kind)->displayName;
}

QColor GCodeLexer::defaultColor(int style) const
{
    if (style >= 0 && style < Syn::TokenKindCount) {
        const TSynHighlighterAttributes *attribute = m_scanner->attributeOfKind(static_cast<Syn::TtkTokenKind>(style));
        if (attribute && attribute->foreground) {
            return toColor(*attribute->foreground);
        }
    }
    return defaultColor();
}

QColor GCodeLexer::defaultPaper(int style) const
{
    if (style >= 0 && style < Syn::TokenKindCount) {
        const TSynHighlighterAttributes *attribute = m_scanner->attributeOfKind(static_cast<Syn::TtkTokenKind>(style));
        if (attribute && attribute->background) {
            return toColor(*attribute->background);
        }
    }
    return defaultPaper();
}

QFont GCodeLexer::defaultFont(int style) const
{
    QFont font = m_font;
    if (style >= 0 && style < Syn::TokenKindCount) {
        if (const TSynHighlighterAttributes *attribute
            = m_scanner->attributeOfKind(static_cast<Syn::TtkTokenKind>(style))) {
            font.setBold(attribute->style & TSynHighlighterAttributes::fsBold);
            font.setItalic(attribute->style & TSynHighlighterAttributes::fsItalic);
            font.setUnderline(attribute->style & TSynHighlighterAttributes::fsUnderline);
            font.setStrikeOut(attribute->style & TSynHighlighterAttributes::fsStrikeOut);
        }
    }
    return font;
}

void GCodeLexer::applyStyles()
{
    // Each change is signalled to the attached editor, which updates that style.
    setDefaultFont(m_font);
    for (int style = 0; style < Syn::TokenKindCount; ++style) {
        setColor(defaultColor(style), style);
        setPaper(defaultPaper(style), style);
        setFont(defaultFont(style), style);
    }
}

long GCodeLexer::send(unsigned int message, unsigned long wParam, long lParam) const
{
    return editor()->SendScintilla(message, wParam, lParam);
}

const char *GCodeLexer::textAt(long position, long length) const
{
    return reinterpret_cast<const char *>(send(QsciScintillaBase::SCI_GETRANGEPOINTER, position, length));
}

void GCodeLexer::styleText(int start, int end)
{
    if (!editor() || end <= start) {
        return;
    }
    const int firstLine = static_cast<int>(send(QsciScintillaBase::SCI_LINEFROMPOSITION, start));
    const int lastLine = static_cast<int>(send(QsciScintillaBase::SCI_LINEFROMPOSITION, end - 1));

    // Scintilla asks for everything from its last styled position, which after a jump
    // through a huge program is most of the file. The lines far above the screen are
    // left unstyled and Scintilla's styled position stays before them, so it asks
    // for them again when they are shown.
    const int topLine = static_cast<int>(
        send(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, send(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE)));
    const int windowTop = lastLine >= topLine ? topLine : lastLine - kLinesAboveScreen;
    if (windowTop - firstLine > kLongestGapStyled) {
        styleLines(windowTop, lastLine, rangeBefore(windowTop, firstLine));
        startStyling(start);
    } else {
        styleLines(firstLine, lastLine, storedRangeBefore(firstLine));
    }
}

void GCodeLexer::styleLines(int firstLine, int lastLine, TSynSampleSyn::TRangeState range)
{
    const long from = send(QsciScintillaBase::SCI_POSITIONFROMLINE, firstLine);
    const long to = send(QsciScintillaBase::SCI_POSITIONFROMLINE, lastLine + 1);
    if (from < 0 || to < from) {
        return;
    }
    // An empty last line has no bytes to style but still passes its range on.
    const char *text = to > from ? textAt(from, to - from) : "";
    m_styles.resize(static_cast<std::size_t>(std::max(to - from, 1L)));
    char *styles = m_styles.data();

    TSynSampleSyn &scanner = *m_scanner;
    scanner.SetRange(range);
    long lineStart = from;
    for (int line = firstLine; line <= lastLine; ++line) {
        const long contentEnd = send(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
        const long nextLineStart = line == lastLine ? to : send(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1);
        char *lineStyles = styles + (lineStart - from);
        scanner.SetLineUtf8(QByteArrayView(text + (lineStart - from), contentEnd - lineStart));
        while (!scanner.GetEol()) {
            std::memset(lineStyles + scanner.GetTokenPos(), styleOf(scanner.GetTokenKind()),
                        static_cast<std::size_t>(scanner.GetTokenLength()));
            scanner.Next();
        }
        std::memset(lineStyles + (contentEnd - lineStart), styleOf(Syn::tkSpace),
                    static_cast<std::size_t>(nextLineStart - contentEnd));
        send(QsciScintillaBase::SCI_SETLINESTATE, line, scanner.GetRange());
        lineStart = nextLineStart;
    }

    if (to == from) {
        return;
    }
    startStyling(from);
    editor()->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(to - from), styles);
}

TSynSampleSyn::TRangeState GCodeLexer::storedRangeBefore(int line) const
{
    if (line <= 0) {
        return Syn::rsUnknown;
    }
    const long state = send(QsciScintillaBase::SCI_GETLINESTATE, line - 1);
    return state >= Syn::rsUnknown && state <= Syn::rsString21 ? static_cast<Syn::TRangeState>(state) : Syn::rsUnknown;
}

TSynSampleSyn::TRangeState GCodeLexer::rangeBefore(int line, int firstKnownLine)
{
    // A line's end range is that of its last letter word or delimited run; a line
    // without one passes on the range it started with.
    TSynSampleSyn &scanner = *m_scanner;
    for (int previous = line - 1; previous >= firstKnownLine; --previous) {
        const long lineStart = send(QsciScintillaBase::SCI_POSITIONFROMLINE, previous);
        const long contentEnd = send(QsciScintillaBase::SCI_GETLINEENDPOSITION, previous);
        scanner.ResetRange();
        scanner.SetLineUtf8(QByteArrayView(textAt(lineStart, contentEnd - lineStart), contentEnd - lineStart));
        bool setsRange = false;
        while (!scanner.GetEol() && !setsRange) {
            setsRange = TSynSampleSyn::stringNumber(scanner.GetTokenKind()) >= 0;
            scanner.Next();
        }
        if (setsRange) {
            while (!scanner.GetEol()) {
                scanner.Next();
            }
            return scanner.GetRange();
        }
    }
    return storedRangeBefore(firstKnownLine);
}
