#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

/// How a CNC program file stores its text, so that saving writes it back the
/// way it was read.
struct ProgramFormat
{
    enum class Encoding {
        Ansi, ///< 8-bit Windows-1252 (every file without a UTF-16 byte-order mark, and new documents)
        Utf16LE, ///< read from FF FE; saved as FF FE + UTF-16 LE
        Utf16BE, ///< read from FE FF; saved as FF FE + UTF-16 LE
    };
    enum class LineBreak {
        CRLF, ///< CR LF files, mixed breaks, no breaks, new documents
        LF, ///< only LF breaks
        CR, ///< only CR breaks
        LineSeparator, ///< a UTF-16 file that contained U+2028
    };

    Encoding encoding = Encoding::Ansi;
    LineBreak lineBreak = LineBreak::CRLF;
    bool finalBreak = false; ///< the file ended with a line break

    friend bool operator==(const ProgramFormat &, const ProgramFormat &) = default;
};

/// A program's text with its lines joined by '\n' (the final break, if any,
/// is not part of the text but recorded in the format).
struct DecodedProgram
{
    QString text;
    ProgramFormat format;
};

/// Decodes a file's bytes: encoding by byte-order mark, every CR, LF, CR LF and
/// U+2028 break turned into '\n', the break style and the final break detected.
DecodedProgram decodeProgram(const QByteArray &bytes);

/// Encodes '\n'-joined \a text in \a format. A character that Windows-1252
/// cannot hold becomes "?" and sets \a lossless to false.
/// CR LF, a lone CR and U+2028 in \a text separate lines as '\n' does. An 8-bit
/// file has no line separator: LineSeparator is written there as CR LF.
QByteArray encodeProgram(QStringView text, const ProgramFormat &format, bool *lossless = nullptr);

/// Reads a program file; on failure returns nothing and sets \a error to the
/// system's reason.
std::optional<DecodedProgram> readProgramFile(const QString &path, QString *error);

/// Writes a program file atomically (a temporary file in the same folder
/// renamed over the target); on failure the target is untouched, \a error
/// holds the reason and the result is false.
bool writeProgramFile(const QString &path, QStringView text, const ProgramFormat &format, QString *error);
