#include "editor/ProgramFile.h"

#include "app/Cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kReplacementCharacter = 0xFFFD;

/// Both directions of the code page as tables, built once from the code page helper.
struct CodePageTables
{
    std::array<char16_t, 256> toChar {};
    /// Byte of every 16-bit character the code page holds; 0 means "cannot hold" except for U+0000.
    std::array<quint8, 0x10000> toByte {};

    CodePageTables()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b) {
            all[b] = static_cast<char>(b);
        }
        const QString chars = Cp1252::decode(all);
        for (int b = 0; b < 256; ++b) {
            toChar[b] = chars.at(b).unicode();
            toByte[chars.at(b).unicode()] = static_cast<quint8>(b);
        }
    }
};

const CodePageTables &codePage()
{
    static const auto tables = std::make_unique<const CodePageTables>();
    return *tables;
}

// Most of a program is ASCII above CR, copied as it is: these test eight bytes or four
// 16-bit characters at a time for that.
constexpr bool plainAsciiBytes(quint64 bytes)
{
    constexpr quint64 highBits = 0x8080808080808080ULL;
    // A byte below 0x0E borrows when 0x0E is taken from it; exact as no byte has its high bit.
    return (bytes & highBits) == 0 && ((bytes - 0x0E0E0E0E0E0E0E0EULL) & ~bytes & highBits) == 0;
}

constexpr bool plainAsciiUnits(quint64 units)
{
    constexpr quint64 highBits = 0x8000800080008000ULL;
    return (units & 0xFF80FF80FF80FF80ULL) == 0 && ((units - 0x000E000E000E000EULL) & ~units & highBits) == 0;
}

static_assert(plainAsciiBytes(0x7F0E7F0E7F0E7F0EULL) && !plainAsciiBytes(0x7F0E7F0D7F0E7F0EULL)
              && !plainAsciiBytes(0x7F0E7F0E7F0E7F80ULL) && !plainAsciiBytes(0x000E7F0E7F0E7F0EULL));
static_assert(plainAsciiUnits(0x007F000E0041000EULL) && !plainAsciiUnits(0x007F000A0041000EULL)
              && !plainAsciiUnits(0x2028000E0041000EULL) && !plainAsciiUnits(0x0000000E0041000EULL));

/// Copies \a count characters given by \a charAt into \a out, turning every CR LF, CR, LF and
/// U+2028 into '\n', and records which breaks were seen. \a plainRun(i, o) may copy a run of
/// characters that need no translation from i to o and return its length (0 for none).
/// Returns the number of characters written.
template<typename CharAt, typename PlainRun>
qsizetype normaliseBreaks(qsizetype count, CharAt charAt, PlainRun plainRun, char16_t *out, ProgramFormat &format)
{
    bool crlf = false;
    bool cr = false;
    bool lf = false;
    bool separator = false;
    char16_t *o = out;
    for (qsizetype i = 0; i < count; ++i) {
        if (const qsizetype copied = plainRun(i, o)) {
            o += copied;
            i += copied - 1;
            continue;
        }
        const char16_t c = charAt(i);
        if (c > u'\r' && c != kLineSeparator) {
            *o++ = c;
            continue;
        }
        if (c == u'\r') {
            if (i + 1 < count && charAt(i + 1) == u'\n') {
                ++i;
                crlf = true;
            } else {
                cr = true;
            }
        } else if (c == u'\n') {
            lf = true;
        } else if (c == kLineSeparator) {
            separator = true;
        } else {
            *o++ = c;
            continue;
        }
        *o++ = u'\n';
    }

    if (separator) {
        format.lineBreak = ProgramFormat::LineBreak::LineSeparator;
    } else if (lf && !cr && !crlf) {
        format.lineBreak = ProgramFormat::LineBreak::LF;
    } else if (cr && !lf && !crlf) {
        format.lineBreak = ProgramFormat::LineBreak::CR;
    } else {
        format.lineBreak = ProgramFormat::LineBreak::CRLF;
    }

    // Every '\n' written stands for a break, so a trailing one is the file's final break.
    format.finalBreak = o != out && o[-1] == u'\n';
    if (format.finalBreak) {
        --o;
    }
    return o - out;
}

/// The characters written between two lines in \a format.
struct BreakSequence
{
    std::array<char16_t, 2> chars {};
    int length = 0;
};

BreakSequence breakFor(const ProgramFormat &format)
{
    switch (format.lineBreak) {
    case ProgramFormat::LineBreak::LF:
        return {{u'\n'}, 1};
    case ProgramFormat::LineBreak::CR:
        return {{u'\r'}, 1};
    case ProgramFormat::LineBreak::LineSeparator:
        // The code page has no line separator; an 8-bit file keeps its lines with CR LF.
        if (format.encoding != ProgramFormat::Encoding::Ansi) {
            return {{kLineSeparator}, 1};
        }
        break;
    case ProgramFormat::LineBreak::CRLF:
        break;
    }
    return {{u'\r', u'\n'}, 2};
}

/// Walks \a text line by line, handing every character of a line to \a emitChar and every
/// break (CR LF, CR, LF or U+2028 in the text) to \a emitBreak, then the final break if recorded.
template<typename EmitChar, typename EmitBreak>
void joinLines(QStringView text, const ProgramFormat &format, EmitChar emitChar, EmitBreak emitBreak)
{
    const char16_t *in = text.utf16();
    const char16_t *const end = in + text.size();
    while (in != end) {
        const char16_t c = *in;
        if (c > u'\r' && c != kLineSeparator) {
            in = emitChar(in, end);
            continue;
        }
        if (c == u'\r') {
            if (in + 1 != end && in[1] == u'\n') {
                ++in;
            }
            emitBreak();
            ++in;
        } else if (c == u'\n' || c == kLineSeparator) {
            emitBreak();
            ++in;
        } else {
            in = emitChar(in, end);
        }
    }
    if (format.finalBreak) {
        emitBreak();
    }
}

QByteArray encodeAnsi(QStringView text, const ProgramFormat &format, bool &lossless)
{
    const CodePageTables &page = codePage();
    const BreakSequence lineBreak = breakFor(format);

    // Every character may become a two-byte break; untouched capacity costs no memory.
    QByteArray bytes(2 * text.size() + 2, Qt::Uninitialized);
    char *out = bytes.data();
    joinLines(
        text, format,
        [&](const char16_t *in, const char16_t *end) {
            const char16_t *const start = in;
            quint64 units = 0;
            while (end - in >= 4 && (std::memcpy(&units, in, 8), plainAsciiUnits(units))) {
                for (int k = 0; k < 4; ++k) {
                    out[k] = static_cast<char>(in[k]);
                }
                out += 4;
                in += 4;
            }
            if (in != start) {
                return in;
            }
            const char16_t c = *in++;
            if (c < 0x80) {
                *out++ = static_cast<char>(c);
                return in;
            }
            const quint8 b = page.toByte[c];
            if (b != 0) {
                *out++ = static_cast<char>(b);
                return in;
            }
            // A surrogate pair is one character the code page cannot hold: one "?".
            if (QChar::isHighSurrogate(c) && in != end && QChar::isLowSurrogate(*in)) {
                ++in;
            }
            lossless = false;
            *out++ = '?';
            return in;
        },
        [&] {
            for (int i = 0; i < lineBreak.length; ++i) {
                *out++ = static_cast<char>(lineBreak.chars[i]);
            }
        });
    bytes.truncate(out - bytes.constData());
    bytes.squeeze();
    return bytes;
}

QByteArray encodeUtf16(QStringView text, const ProgramFormat &format)
{
    const BreakSequence lineBreak = breakFor(format);

    QByteArray bytes(2 + 2 * (2 * text.size() + 2), Qt::Uninitialized);
    char *out = bytes.data();
    *out++ = '\xFF';
    *out++ = '\xFE';
    joinLines(
        text, format,
        [&](const char16_t *in, const char16_t *) {
            qToLittleEndian<quint16>(*in, out);
            out += 2;
            return in + 1;
        },
        [&] {
            for (int i = 0; i < lineBreak.length; ++i) {
                qToLittleEndian<quint16>(lineBreak.chars[i], out);
                out += 2;
            }
        });
    bytes.truncate(out - bytes.constData());
    bytes.squeeze();
    return bytes;
}

void setError(QString *error, const QString &reason)
{
    if (error) {
        *error = reason;
    }
}

} // namespace

DecodedProgram decodeProgram(const QByteArray &bytes)
{
    DecodedProgram program;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();

    if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
        const bool bigEndian = data[0] == 0xFE;
        program.format.encoding = bigEndian ? ProgramFormat::Encoding::Utf16BE : ProgramFormat::Encoding::Utf16LE;
        const uchar *units = data + 2;
        const qsizetype count = (size - 2) / 2;
        const bool strayByte = (size - 2) % 2 != 0;

        program.text = QString(count + (strayByte ? 2 : 0), Qt::Uninitialized);
        auto *out = reinterpret_cast<char16_t *>(program.text.data());
        qsizetype length = 0;
        if (bigEndian) {
            const auto unitAt = [units](qsizetype i) {
                return char16_t(qFromBigEndian<quint16>(units + 2 * i));
            };
            length = normaliseBreaks(
                count, unitAt,
                [count, units, unitAt](qsizetype i, char16_t *o) -> qsizetype {
                    if (count - i < 4 || !plainAsciiUnits(qFromBigEndian<quint64>(units + 2 * i))) {
                        return 0;
                    }
                    for (int k = 0; k < 4; ++k) {
                        o[k] = unitAt(i + k);
                    }
                    return 4;
                },
                out, program.format);
        } else {
            const auto unitAt = [units](qsizetype i) {
                return char16_t(qFromLittleEndian<quint16>(units + 2 * i));
            };
            length = normaliseBreaks(
                count, unitAt,
                [count, units, unitAt](qsizetype i, char16_t *o) -> qsizetype {
                    if (count - i < 4 || !plainAsciiUnits(qFromLittleEndian<quint64>(units + 2 * i))) {
                        return 0;
                    }
                    for (int k = 0; k < 4; ++k) {
                        o[k] = unitAt(i + k);
                    }
                    return 4;
                },
                out, program.format);
        }
        // Half a character at the end cannot be decoded; it is shown as the replacement character.
        if (strayByte) {
            if (program.format.finalBreak) {
                out[length++] = u'\n';
                program.format.finalBreak = false;
            }
            out[length++] = kReplacementCharacter;
        }
        program.text.truncate(length);
    } else {
        const std::array<char16_t, 256> &toChar = codePage().toChar;
        program.text = QString(size, Qt::Uninitialized);
        const qsizetype length = normaliseBreaks(
            size, [data, &toChar](qsizetype i) { return toChar[data[i]]; },
            [size, data](qsizetype i, char16_t *o) -> qsizetype {
                quint64 bytes = 0;
                if (size - i < 8 || (std::memcpy(&bytes, data + i, 8), !plainAsciiBytes(bytes))) {
                    return 0;
                }
                for (int k = 0; k < 8; ++k) {
                    o[k] = data[i + k];
                }
                return 8;
            },
            reinterpret_cast<char16_t *>(program.text.data()), program.format);
        program.text.truncate(length);
    }
    program.text.squeeze();
    return program;
}

QByteArray encodeProgram(QStringView text, const ProgramFormat &format, bool *lossless)
{
    bool allHeld = true;
    QByteArray bytes = format.encoding == ProgramFormat::Encoding::Ansi ? encodeAnsi(text, format, allHeld)
                                                                        : encodeUtf16(text, format);
    if (lossless) {
        *lossless = allHeld;
    }
    return bytes;
}

std::optional<DecodedProgram> readProgramFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return decodeProgram(bytes);
}

bool writeProgramFile(const QString &path, QStringView text, const ProgramFormat &format, QString *error)
{
    const QByteArray bytes = encodeProgram(text, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    // An uncommitted save file is discarded, leaving the target as it was.
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}
