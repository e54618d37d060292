#pragma once

#include "editor/TSynSampleSyn.h"

#include <QFont>
#include <Qsci/qscilexercustom.h>

#include <memory>
#include <vector>

/// Colours a CNC program in a QsciScintilla editor with the shared G-code scanner.
///
/// Every token kind is one style, numbered by the kind's value, with the colours
/// and font style of the scanner's attribute for it. Only the lines Scintilla asks
/// for are scanned; each line's end range is kept as the Scintilla line state so
/// that styling resumes at any line. A huge program therefore opens and scrolls as
/// fast as an unstyled one.
class GCodeLexer : public QsciLexerCustom
{
    Q_OBJECT

public:
    /// A lexer sharing \a scanner (for example the one scanner of every editor), painting in \a font.
    GCodeLexer(std::shared_ptr<TSynSampleSyn> scanner, const QFont &font, QObject *parent = nullptr);
    /// A lexer with a scanner of its own built from the 22 colour settings.
    GCodeLexer(const TSynSampleSyn::Colours &colours, const QFont &font, QObject *parent = nullptr);

    /// Scans with \a scanner from now on and takes its colours (applied at once to the editor).
    void setScanner(std::shared_ptr<TSynSampleSyn> scanner);
    const std::shared_ptr<TSynSampleSyn> &scanner() const { return m_scanner; }

    /// Paints every style in \a font, with the attribute's bold, italic and underline.
    void setEditorFont(const QFont &font);
    QFont editorFont() const { return m_font; }

    /// Colours for the styles whose attribute leaves the text or background colour unset.
    void setEditorColours(const QColor &text, const QColor &paper);

    /// The style number of a token kind.
    static constexpr int styleOf(TSynSampleSyn::TtkTokenKind kind) { return kind; }

    /// A Windows colour value 0x00BBGGRR as a colour.
    static QColor toColor(WindowsColour colour);

    const char *language() const override;
    QString description(int style) const override;
    bool caseSensitive() const override { return false; }
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    using QsciLexer::defaultColor;
    using QsciLexer::defaultFont;
    using QsciLexer::defaultPaper;

    /// Styles the lines from \a start (a line start) through the line holding \a end - 1.
    void styleText(int start, int end) override;

private:
    void applyStyles();
    void styleLines(int firstLine, int lastLine, TSynSampleSyn::TRangeState range);
    TSynSampleSyn::TRangeState storedRangeBefore(int line) const;
    TSynSampleSyn::TRangeState rangeBefore(int line, int firstKnownLine);
    const char *textAt(long position, long length) const;
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;

    std::shared_ptr<TSynSampleSyn> m_scanner;
    QFont m_font;
    std::vector<char> m_styles;
};
