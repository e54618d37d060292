#include "editor/GCodeLexer.h"

#include <QTest>
#include <Qsci/qsciscintilla.h>

using Syn = TSynSampleSyn;

namespace {

/// A distinct colour per row: red = row, green = 0x40, blue = 0x80.
Syn::Colours testColours()
{
    Syn::Colours colours {};
    for (int row = 0; row < 22; ++row) {
        colours[row] = 0x00804000 | (row + 1);
    }
    return colours;
}

/// A lexer that counts the styling requests.
class CountingLexer : public GCodeLexer
{
public:
    using GCodeLexer::GCodeLexer;

    void styleText(int start, int end) override
    {
        ++requests;
        GCodeLexer::styleText(start, end);
    }

    int requests = 0;
};

} // namespace

/// The G-code lexer in a real editor: styles at byte positions, line states, colours,
/// and styling of a huge program only where it is shown.
class GCodeLexerTest : public QObject
{
    Q_OBJECT

private:
    static long send(const QsciScintilla &editor, unsigned int message, unsigned long wParam = 0)
    {
        return editor.SendScintilla(message, wParam);
    }

    static long lineStart(const QsciScintilla &editor, int line)
    {
        return send(editor, QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    }

    static int styleAt(const QsciScintilla &editor, long position)
    {
        return static_cast<int>(send(editor, QsciScintillaBase::SCI_GETSTYLEAT, position));
    }

    /// The styles of bytes [from, from + length) when they all have one style, else -1.
    static int styleOfBytes(const QsciScintilla &editor, long from, int length)
    {
        const int style = styleAt(editor, from);
        for (int i = 1; i < length; ++i) {
            if (styleAt(editor, from + i) != style) {
                return -1;
            }
        }
        return style;
    }

    static void showAndPaint(QsciScintilla &editor)
    {
        editor.resize(640, 480);
        editor.show();
        editor.grab();
    }

private Q_SLOTS:
    void stylesTokensAtTheirBytePositions()
    {
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.setLexer(new GCodeLexer(testColours(), QFont(QStringLiteral("Monospace"), 10), &editor));
        editor.setText(QStringLiteral("N10 G01 X-1.5\n(café) Y2 PELVORA\n%\n#1=#2\n(OPEN\n123"));
        showAndPaint(editor);

        const long line1 = lineStart(editor, 1);
        QCOMPARE(line1, 14);
        QCOMPARE(styleOfBytes(editor, 0, 3), int(Syn::tkString9));
        QCOMPARE(styleAt(editor, 3), int(Syn::tkSpace));
        QCOMPARE(styleOfBytes(editor, 4, 3), int(Syn::tkString4));
        QCOMPARE(styleOfBytes(editor, 8, 5), int(Syn::tkString13));
        QCOMPARE(styleAt(editor, 13), int(Syn::tkSpace)); // the line break
        // "(café)" is seven bytes.
        QCOMPARE(styleOfBytes(editor, line1, 7), int(Syn::tkString19));
        QCOMPARE(styleAt(editor, line1 + 7), int(Syn::tkSpace));
        QCOMPARE(styleOfBytes(editor, line1 + 8, 2), int(Syn::tkString15));
        QCOMPARE(styleOfBytes(editor, line1 + 11, 7), int(Syn::tkKey));
        QCOMPARE(styleAt(editor, lineStart(editor, 2)), int(Syn::tkString16));
        QCOMPARE(styleOfBytes(editor, lineStart(editor, 3), 4), int(Syn::tkString17));
        QCOMPARE(styleAt(editor, lineStart(editor, 3) + 4), int(Syn::tkUnknown));

        // The range each line ends in.
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 0), long(Syn::rsString13));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 1), long(Syn::rsUnknown));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 2), long(Syn::rsString16));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 3), long(Syn::rsUnknown));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 4), long(Syn::rsString19));
        // A line without letter words or runs passes the range on, but is not part of the comment.
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, 5), long(Syn::rsString19));
        QCOMPARE(styleOfBytes(editor, lineStart(editor, 5), 3), int(Syn::tkUnknown));

        // Scintilla keeps colours as 0x00BBGGRR too.
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETFORE, Syn::tkString13), long(testColours()[13]));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETFORE, Syn::tkString14), long(testColours()[15]));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETFORE, Syn::tkString15), long(testColours()[14]));
        // The editor takes the Qt font weight, negated.
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETWEIGHT, Syn::tkKey), -long(QFont::Bold));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETWEIGHT, Syn::tkString9), -long(QFont::Normal));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETITALIC, Syn::tkTest), 1L);
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETUNDERLINE, Syn::tkTest), 1L);
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETFORE, Syn::tkTest), 0x00FF0000L);
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETBACK, Syn::tkTest), 0x00C0C0C0L);
    }

    void newColoursReachTheEditor()
    {
        QsciScintilla editor;
        auto *lexer = new GCodeLexer(testColours(), QFont(QStringLiteral("Monospace"), 10), &editor);
        editor.setLexer(lexer);
        editor.setText(QStringLiteral("K5"));
        showAndPaint(editor);

        Syn::Colours colours = testColours();
        colours[7] = 0x000080FF; // K: orange
        lexer->setScanner(std::make_shared<Syn>(colours));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_STYLEGETFORE, Syn::tkString7), 0x000080FFL);
        QCOMPARE(lexer->color(Syn::tkString7), QColor(255, 128, 0));
        QCOMPARE(styleAt(editor, 0), int(Syn::tkString7));
    }

    void stylesOnlyTheScreenAfterAJumpThroughAHugeProgram()
    {
        // Numbered blocks, then a comment left open and a tail of lines that carry its range.
        constexpr int lineCount = 100'000;
        constexpr int openComment = lineCount - 100;
        QString text;
        for (int line = 0; line < openComment; ++line) {
            text += u'N' + QString::number(line) + u" G1 X1.5 Y2\n";
        }
        text += u"(OPEN\n";
        for (int line = openComment + 1; line < lineCount; ++line) {
            text += u"123 ;\n";
        }
        text.chop(1);

        QsciScintilla editor;
        editor.setUtf8(true);
        auto *lexer = new CountingLexer(testColours(), QFont(QStringLiteral("Monospace"), 10), &editor);
        editor.setLexer(lexer);
        editor.setText(text);
        showAndPaint(editor);
        QCOMPARE(styleAt(editor, 0), int(Syn::tkString9));

        const int last = lineCount - 1;
        editor.setCursorPosition(last, 0);
        editor.ensureLineVisible(last);
        editor.grab();
        QCOMPARE(styleOfBytes(editor, lineStart(editor, last), 3), int(Syn::tkUnknown));
        QCOMPARE(styleOfBytes(editor, lineStart(editor, last - 5), 3), int(Syn::tkUnknown));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, last), long(Syn::rsString19));
        // The middle of the program was not styled on the way.
        QCOMPARE(styleAt(editor, lineStart(editor, lineCount / 2)), 0);

        // Styling settles: no request keeps coming back.
        QTest::qWait(50);
        const int requests = lexer->requests;
        QTest::qWait(100);
        QCOMPARE(lexer->requests, requests);

        // An edit on the last screen is styled.
        editor.insertAt(QStringLiteral("(END) "), last, 0);
        editor.grab();
        QCOMPARE(styleOfBytes(editor, lineStart(editor, last), 5), int(Syn::tkString19));
        QCOMPARE(styleOfBytes(editor, lineStart(editor, last) + 6, 3), int(Syn::tkUnknown));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, last), long(Syn::rsUnknown));

        // The middle is styled when it is shown.
        editor.setFirstVisibleLine(lineCount / 2);
        editor.grab();
        QCOMPARE(styleOfBytes(editor, lineStart(editor, lineCount / 2), 6), int(Syn::tkString9));
        QCOMPARE(send(editor, QsciScintillaBase::SCI_GETLINESTATE, lineCount / 2), long(Syn::rsString15));
    }
};

QTEST_MAIN(GCodeLexerTest)
#include "GCodeLexerTest.moc"
