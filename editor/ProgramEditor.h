#pragma once

#include "editor/ProgramFile.h"

#include <Qsci/qsciscintilla.h>

/// The editor of one CNC program document: a QScintilla editor that keeps
/// '\n' line breaks internally and remembers how its file stores text, with a
/// gutter of zero-padded line numbers.
class ProgramEditor : public QsciScintilla
{
    Q_OBJECT

public:
    explicit ProgramEditor(QWidget *parent = nullptr);

    /// Replaces the whole text, forgets the undo history and clears the modified flag.
    void loadProgram(const DecodedProgram &program);
    /// Empties the editor: text, undo and redo history, modified flag.
    void clearAll();

    /// The text with '\n' between lines, as the program file format expects it.
    QString programText() const;

    const ProgramFormat &programFormat() const { return m_format; }
    void setProgramFormat(const ProgramFormat &format) { m_format = format; }

    /// Gives the editor the font named \a family at \a pointSize points; an
    /// empty name or a size of 0 leaves the editor's fall-back font.
    void applyFont(const QString &family, int pointSize);

    /// The number of digits the gutter pads line numbers to.
    int gutterDigits() const { return m_gutterDigits; }
    /// The gutter's text for line \a line (0-based).
    QString gutterText(int line) const;

private:
    void refreshGutter();

    ProgramFormat m_format;
    int m_gutterDigits = 0;
};
