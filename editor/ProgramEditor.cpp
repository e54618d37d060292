#include "editor/ProgramEditor.h"

#include "editor/GCodeLexer.h"

#include <QFont>

#include <Qsci/qscilexer.h>

namespace {

constexpr int kGutter = 0;
const QColor kGutterColour(160, 184, 245);
constexpr int kMinimumDigits = 4;

int digitsOf(int number)
{
    int digits = 1;
    while (number >= 10) {
        number /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

ProgramEditor::ProgramEditor(QWidget *parent)
    : QsciScintilla(parent)
{
    setUtf8(true);
    setEolMode(EolUnix);
    setEolVisibility(false);
    SendScintilla(SCI_SETHSCROLLBAR, 0UL);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1UL);
    setWrapMode(WrapNone);

    // Zero-padded line numbers are written into a text margin, only for the
    // lines on screen, so a program of a million lines costs nothing here.
    setMarginType(kGutter, TextMarginRightJustified);
    setMarginsBackgroundColor(kGutterColour);
    setMarginsForegroundColor(Qt::black);
    QFont gutterFont(QStringLiteral("Courier New"));
    gutterFont.setStyleHint(QFont::Monospace);
    setMarginsFont(gutterFont);
    for (int margin = 1; margin < 5; ++margin) {
        setMarginWidth(margin, 0);
    }
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &ProgramEditor::refreshGutter);
    connect(this, &QsciScintilla::linesChanged, this, &ProgramEditor::refreshGutter);
    refreshGutter();
}

void ProgramEditor::loadProgram(const DecodedProgram &program)
{
    m_format = program.format;
    // Appended with its length, so a NUL byte in a program does not cut it
    // short; change notifications stay off while the whole text goes in.
    const QByteArray bytes = program.text.toUtf8();
    const long mask = SendScintilla(SCI_GETMODEVENTMASK);
    SendScintilla(SCI_SETMODEVENTMASK, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
    SendScintilla(SCI_GOTOPOS, 0UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
    refreshGutter();
}

void ProgramEditor::clearAll()
{
    m_format = ProgramFormat{};
    clear();
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
    refreshGutter();
}

QString ProgramEditor::programText() const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const auto *bytes = reinterpret_cast<const char *>(SendScintilla(SCI_GETCHARACTERPOINTER));
    QString content = QString::fromUtf8(bytes, length);
    // Breaks typed or pasted in another style count as the document's own.
    if (content.contains(u'\r')) {
        content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        content.replace(u'\r', u'\n');
    }
    return content;
}

void ProgramEditor::applyFont(const QString &family, int pointSize)
{
    if (family.isEmpty() || pointSize <= 0) {
        return;
    }
    QFont font(family, pointSize);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
    if (auto *gcode = qobject_cast<GCodeLexer *>(lexer())) {
        gcode->setEditorFont(font);
    } else if (QsciLexer *other = lexer()) {
        other->setFont(font);
    }
}

QString ProgramEditor::gutterText(int line) const
{
    return QStringLiteral("%1").arg(line + 1, m_gutterDigits, 10, QLatin1Char('0'));
}

void ProgramEditor::refreshGutter()
{
    const int digits = std::max(kMinimumDigits, digitsOf(lines()));
    if (digits != m_gutterDigits) {
        m_gutterDigits = digits;
        clearMarginText();
        setMarginWidth(kGutter, QString(digits + 1, u'0'));
    }
    const int first = firstVisibleLine();
    const int onScreen = static_cast<int>(SendScintilla(SCI_LINESONSCREEN)) + 1;
    const int last = std::min(lines() - 1, first + onScreen);
    for (int line = first; line <= last; ++line) {
        setMarginText(line, gutterText(line), STYLE_LINENUMBER);
    }
}
