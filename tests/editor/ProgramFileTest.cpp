#include "editor/ProgramFile.h"

#include "app/Cp1252.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Encoding = ProgramFormat::Encoding;
using LineBreak = ProgramFormat::LineBreak;

QByteArray utf16(QStringView text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray utf16le(QStringView text)
{
    return utf16(text, false);
}

QByteArray utf16be(QStringView text)
{
    return utf16(text, true);
}

/// Every byte but CR and LF, in lines of 16 ended by LF.
QByteArray everyOtherByteInLfLines()
{
    QByteArray bytes;
    int inLine = 0;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n') {
            continue;
        }
        bytes.append(static_cast<char>(b));
        if (++inLine == 16) {
            bytes.append('\n');
            inLine = 0;
        }
    }
    return bytes.append('\n');
}

struct RoundTrip
{
    const char *name;
    QByteArray file;
    QString text;
    ProgramFormat format;
    QByteArray saved; ///< what saving writes; the file itself when empty
};

std::ostream &operator<<(std::ostream &out, const RoundTrip &roundTrip)
{
    return out << roundTrip.name;
}

class ProgramFileRoundTrip : public testing::TestWithParam<RoundTrip>
{
};

TEST_P(ProgramFileRoundTrip, DecodesAndSavesBackInTheFormatItWasRead)
{
    const RoundTrip &c = GetParam();
    const DecodedProgram program = decodeProgram(c.file);
    EXPECT_EQ(program.text, c.text);
    EXPECT_EQ(program.format.encoding, c.format.encoding);
    EXPECT_EQ(program.format.lineBreak, c.format.lineBreak);
    EXPECT_EQ(program.format.finalBreak, c.format.finalBreak);

    bool lossless = false;
    const QByteArray saved = encodeProgram(program.text, program.format, &lossless);
    EXPECT_EQ(saved.toHex(' '), (c.saved.isEmpty() ? c.file : c.saved).toHex(' '));
    EXPECT_TRUE(lossless);
}

const ProgramFormat ansiCrLf {Encoding::Ansi, LineBreak::CRLF, true};

INSTANTIATE_TEST_SUITE_P(
    Formats, ProgramFileRoundTrip,
    testing::Values(
        RoundTrip {"CrLf", "N10 G0 X1\r\nN20 M30\r\n", u"N10 G0 X1\nN20 M30"_s, ansiCrLf, {}},
        RoundTrip {"Lf", "N10 G0\nN20 M30\n", u"N10 G0\nN20 M30"_s, {Encoding::Ansi, LineBreak::LF, true}, {}},
        RoundTrip {"Cr", "N10 G0\rN20 M30\r", u"N10 G0\nN20 M30"_s, {Encoding::Ansi, LineBreak::CR, true}, {}},
        RoundTrip {"CrLfWithoutFinalBreak", "N10\r\nN20", u"N10\nN20"_s, {Encoding::Ansi, LineBreak::CRLF, false}, {}},
        RoundTrip {"LfWithoutFinalBreak", "N10\nN20", u"N10\nN20"_s, {Encoding::Ansi, LineBreak::LF, false}, {}},
        RoundTrip {"CrWithoutFinalBreak", "N10\rN20", u"N10\nN20"_s, {Encoding::Ansi, LineBreak::CR, false}, {}},
        RoundTrip {"EmptyLinesKept", "\n\nN10\n\n", u"\n\nN10\n"_s, {Encoding::Ansi, LineBreak::LF, true}, {}},
        RoundTrip {"OnlyABreak", "\r", u""_s, {Encoding::Ansi, LineBreak::CR, true}, {}},
        RoundTrip {"MixedBreaksSavedAsCrLf", "N10\r\nN20\nN30\rN40\n", u"N10\nN20\nN30\nN40"_s, ansiCrLf,
                   "N10\r\nN20\r\nN30\r\nN40\r\n"},
        RoundTrip {
            "CrLfThenCrIsMixed", "A\r\n\rB", u"A\n\nB"_s, {Encoding::Ansi, LineBreak::CRLF, false}, "A\r\n\r\nB"},
        RoundTrip {"LongLinesCopiedInBlocks",
                   "N100 G1 X12.345 Y-6.789 F1200.\rN110 G1 (\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9) X1\r\x0E\x7F\x0C"
                   "234567\r",
                   u"N100 G1 X12.345 Y-6.789 F1200.\nN110 G1 (ééééééééé) X1\n\u000E\u007F\u000C234567"_s,
                   {Encoding::Ansi, LineBreak::CR, true},
                   {}},
        RoundTrip {"Utf16LongLinesCopiedInBlocks",
                   utf16be(u"N100 G1 X12.345 Y-6.789 F1200.\nN110 (ééé\u2028) X1\n"),
                   u"N100 G1 X12.345 Y-6.789 F1200.\nN110 (ééé\n) X1"_s,
                   {Encoding::Utf16BE, LineBreak::LineSeparator, true},
                   utf16le(u"N100 G1 X12.345 Y-6.789 F1200.\u2028N110 (ééé\u2028) X1\u2028")},
        RoundTrip {"NoBreak", "%", u"%"_s, {Encoding::Ansi, LineBreak::CRLF, false}, {}},
        RoundTrip {"Empty", "", u""_s, {Encoding::Ansi, LineBreak::CRLF, false}, {}},
        RoundTrip {"Cp1252",
                   "(\x80 \xE9 \x81\x8D\x8F\x90\x9D \xFF)\r\n",
                   u"(€ é \u0081\u008D\u008F\u0090\u009D ÿ)"_s,
                   ansiCrLf,
                   {}},
        RoundTrip {"EveryByteValue",
                   everyOtherByteInLfLines(),
                   Cp1252::decode(everyOtherByteInLfLines()).chopped(1),
                   {Encoding::Ansi, LineBreak::LF, true},
                   {}},
        RoundTrip {
            "Utf8BytesStay8Bit", "\xEF\xBB\xBF(\xC3\xA9)\n", u"ï»¿(Ã©)"_s, {Encoding::Ansi, LineBreak::LF, true}, {}},
        RoundTrip {"Utf16LeCrLf",
                   utf16le(u"N10 (é Ω)\r\nN20\r\n"),
                   u"N10 (é Ω)\nN20"_s,
                   {Encoding::Utf16LE, LineBreak::CRLF, true},
                   {}},
        RoundTrip {"Utf16LeLfWithoutFinalBreak",
                   utf16le(u"N10\nN20"),
                   u"N10\nN20"_s,
                   {Encoding::Utf16LE, LineBreak::LF, false},
                   {}},
        RoundTrip {"Utf16BeSavedLittleEndian",
                   utf16be(u"N10 €\nN20\n"),
                   u"N10 €\nN20"_s,
                   {Encoding::Utf16BE, LineBreak::LF, true},
                   utf16le(u"N10 €\nN20\n")},
        RoundTrip {"Utf16LeLineSeparator",
                   utf16le(u"N10\u2028N20\u2028"),
                   u"N10\nN20"_s,
                   {Encoding::Utf16LE, LineBreak::LineSeparator, true},
                   {}},
        RoundTrip {"Utf16BeLineSeparator",
                   utf16be(u"N10\u2028N20"),
                   u"N10\nN20"_s,
                   {Encoding::Utf16BE, LineBreak::LineSeparator, false},
                   utf16le(u"N10\u2028N20")},
        RoundTrip {"Utf16LineSeparatorWinsOverOtherBreaks",
                   utf16le(u"A\u2028B\r\nC\n"),
                   u"A\nB\nC"_s,
                   {Encoding::Utf16LE, LineBreak::LineSeparator, true},
                   utf16le(u"A\u2028B\u2028C\u2028")},
        RoundTrip {"Utf16MixedBreaksSavedAsCrLf",
                   utf16le(u"A\rB\nC"),
                   u"A\nB\nC"_s,
                   {Encoding::Utf16LE, LineBreak::CRLF, false},
                   utf16le(u"A\r\nB\r\nC")},
        RoundTrip {"Utf16SurrogatesKept",
                   utf16le(u"(\U0001F600 \xD800)"),
                   u"(\U0001F600 \xD800)"_s,
                   {Encoding::Utf16LE, LineBreak::CRLF, false},
                   {}},
        RoundTrip {
            "Utf16OnlyTheMark", QByteArray("\xFF\xFE", 2), u""_s, {Encoding::Utf16LE, LineBreak::CRLF, false}, {}}),
    [](const testing::TestParamInfo<RoundTrip> &info) { return std::string(info.param.name); });

TEST(ProgramFile, NewDocumentsAreCrLf8Bit)
{
    EXPECT_EQ(ProgramFormat {}, (ProgramFormat {Encoding::Ansi, LineBreak::CRLF, false}));
    EXPECT_EQ(encodeProgram(u"N10\nN20", ProgramFormat {}), QByteArray("N10\r\nN20"));
}

TEST(ProgramFile, CharactersThe8BitCodePageCannotHoldBecomeQuestionMarks)
{
    bool lossless = true;
    EXPECT_EQ(encodeProgram(u"(\u03A9 \U0001F600 \u0080)\n\u20AC", ProgramFormat {}, &lossless),
              QByteArray("(? ? ?)\r\n\x80"));
    EXPECT_FALSE(lossless);

    const ProgramFormat utf16 {Encoding::Utf16LE, LineBreak::CRLF, false};
    EXPECT_EQ(encodeProgram(u"\u03A9", utf16, &lossless), utf16le(u"\u03A9"));
    EXPECT_TRUE(lossless);
}

TEST(ProgramFile, BreaksInsideTheTextFollowTheRecordedStyle)
{
    // An editor may hand over CR LF, CR or U+2028 between lines.
    EXPECT_EQ(encodeProgram(u"A\r\nB\rC\u2028D\nE", {Encoding::Ansi, LineBreak::LF, true}),
              QByteArray("A\nB\nC\nD\nE\n"));
    // The code page has no line separator.
    EXPECT_EQ(encodeProgram(u"A\nB", {Encoding::Ansi, LineBreak::LineSeparator, false}), QByteArray("A\r\nB"));
}

TEST(ProgramFile, HalfACharacterAtTheEndOfAUtf16FileIsReplaced)
{
    const DecodedProgram program = decodeProgram(utf16le(u"N10\n") + 'x');
    EXPECT_EQ(program.text, u"N10\n\uFFFD"_s);
    EXPECT_FALSE(program.format.finalBreak);
}

class ProgramFileOnDisk : public testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir m_dir;
};

TEST_F(ProgramFileOnDisk, SavesAndReadsBack)
{
    const QString file = path(QStringLiteral("O1000.nc"));
    const ProgramFormat format {Encoding::Utf16LE, LineBreak::LineSeparator, true};
    QString error;
    ASSERT_TRUE(writeProgramFile(file, u"N10 (é)\nN20", format, &error)) << error.toStdString();
    EXPECT_EQ(TestFiles::read(file), utf16le(u"N10 (é)\u2028N20\u2028"));

    const std::optional<DecodedProgram> program = readProgramFile(file, &error);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->text, u"N10 (é)\nN20"_s);
    EXPECT_EQ(program->format, format);
}

TEST_F(ProgramFileOnDisk, ReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    const QString file = path(QStringLiteral("O1000.nc"));
    TestFiles::write(file, "OLD\r\nOLD\r\nOLD\r\n");
    QString error;
    ASSERT_TRUE(writeProgramFile(file, u"NEW", ProgramFormat {Encoding::Ansi, LineBreak::LF, true}, &error));
    EXPECT_EQ(TestFiles::read(file), QByteArray("NEW\n"));
    EXPECT_EQ(entries(), QStringList {QStringLiteral("O1000.nc")});
}

TEST_F(ProgramFileOnDisk, AFailedSaveLeavesTheTargetUntouchedAndGivesOnlyTheReason)
{
    const QString missingFolder = path(QStringLiteral("missing/O1000.nc"));
    QString error;
    EXPECT_FALSE(writeProgramFile(missingFolder, u"N10", ProgramFormat {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(error.contains(QStringLiteral("missing"))) << error.toStdString();
    EXPECT_TRUE(entries().isEmpty());

    const QString folder = path(QStringLiteral("O2000.nc"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("O2000.nc")));
    TestFiles::write(path(QStringLiteral("O2000.nc/inside")), "KEEP");
    error.clear();
    EXPECT_FALSE(writeProgramFile(folder, u"N10", ProgramFormat {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("O2000.nc/inside"))), QByteArray("KEEP"));
    EXPECT_EQ(entries(), QStringList {QStringLiteral("O2000.nc")});
}

TEST_F(ProgramFileOnDisk, AFailedReadGivesOnlyTheReason)
{
    QString error;
    EXPECT_FALSE(readProgramFile(path(QStringLiteral("absent.nc")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(error.contains(QStringLiteral("absent"))) << error.toStdString();

    error.clear();
    EXPECT_FALSE(readProgramFile(m_dir.path(), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
