#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Finished
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished runTools(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VORN_TOOLS_EXE), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

class VornToolsCli : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        TestFiles::write(path(name), bytes);
        return path(name);
    }

    QTemporaryDir m_dir;
};

TEST_F(VornToolsCli, KeepsEncodingAndLineBreaksByteForByte)
{
    const QStringList before = {QStringLiteral("%"), QStringLiteral("O1000 (ÄÖ ÇÃ)"),
                                QStringLiteral("  G01 X1. Y2. (Ø)"), QStringLiteral(""), QStringLiteral("M30")};
    QStringList after = before;
    after[2] = QStringLiteral("G01 X2 Y2. (Ø)");
    struct Format
    {
        const char *name;
        QByteArray (*encode)(const QString &);
        QString lineBreak;
        bool finalBreak;
    } const formats[] = {
        {"cp1252 CRLF", [](const QString &t) { return t.toLatin1(); }, QStringLiteral("\r\n"), true},
        {"cp1252 LF", [](const QString &t) { return t.toLatin1(); }, QStringLiteral("\n"), false},
        {"cp1252 CR", [](const QString &t) { return t.toLatin1(); }, QStringLiteral("\r"), true},
        {"UTF-16 CRLF", utf16le, QStringLiteral("\r\n"), true},
        {"UTF-16 CR", utf16le, QStringLiteral("\r"), false},
    };
    for (const Format &format : formats) {
        auto bytes = [&format](const QStringList &lines) {
            return format.encode(lines.join(format.lineBreak) + (format.finalBreak ? format.lineBreak : QString()));
        };
        const QString file = write(QStringLiteral("in.nc"), bytes(before));

        const Finished translated
            = runTools({QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("1"), file});
        EXPECT_EQ(translated.exitCode, 0) << format.name << translated.err.constData();
        EXPECT_EQ(translated.out, bytes(after)) << format.name;

        // A run that changes nothing gives back the very bytes.
        const Finished unchanged
            = runTools({QStringLiteral("mirror"), file, QStringLiteral("-o"), path(QStringLiteral("out.nc"))});
        EXPECT_EQ(unchanged.exitCode, 0) << format.name;
        EXPECT_TRUE(unchanged.out.isEmpty());
        EXPECT_EQ(TestFiles::read(path(QStringLiteral("out.nc"))), bytes(before)) << format.name;
    }
}

TEST_F(VornToolsCli, EachToolRunsFromTheCommandLine)
{
    const QString file = write(QStringLiteral("p.nc"), "G00X10.Y10.\nG02 X20 Y10 I15. J10.\nG41 D1\nM30\n");
    const struct Case
    {
        QStringList arguments;
        QByteArray out;
    } cases[] = {
        {{QStringLiteral("spaces"), QStringLiteral("--add")},
         " G00 X10. Y10.\n G02  X20  Y10  I15.  J10.\n G41  D1\nM30\n"},
        {{QStringLiteral("spaces"), QStringLiteral("--remove"), QStringLiteral("--lines"), QStringLiteral("2:3")},
         "G00X10.Y10.\nG02X20Y10I15.J10.\nG41D1\nM30\n"},
        {{QStringLiteral("renumber"), QStringLiteral("--digits"), QStringLiteral("3"), QStringLiteral("--renumber"),
          QStringLiteral("--start"), QStringLiteral("5"), QStringLiteral("--increment"), QStringLiteral("5")},
         "N005G00X10.Y10.\nN010G02 X20 Y10 I15. J10.\nN015G41 D1\nN020M30\n"},
        {{QStringLiteral("convert-ij"), QStringLiteral("--to-incremental"), QStringLiteral("--plus")},
         "G00X10.Y10.\nG02 X20 Y10 I-5 J+0\nG41 D1\nM30\n"},
        {{QStringLiteral("translate"), QStringLiteral("--y"), QStringLiteral("-10.1"), QStringLiteral("--z"),
          QStringLiteral("")},
         "G00X10.Y-0.1\nG02 X20 Y-0.1 I15. J10.\nG41 D1\nM30\n"},
        {{QStringLiteral("mirror"), QStringLiteral("--x"), QStringLiteral("--swap-g02"), QStringLiteral("--swap-g03"),
          QStringLiteral("--swap-g41"), QStringLiteral("--swap-g42")},
         "G00X-10Y10.\nG03 X-20 Y10 I15. J10.\nG42 D1\nM30\n"},
    };
    for (const Case &c : cases) {
        const Finished finished = runTools(c.arguments + QStringList {file});
        EXPECT_EQ(finished.exitCode, 0) << c.arguments.join(u' ').toStdString() << finished.err.constData();
        EXPECT_EQ(finished.out, c.out) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(VornToolsCli, LogGoesToStandardError)
{
    const QString file = write(QStringLiteral("p.nc"), "G01 X1\r\nG01 X2\r\nG01 X3\r\n");
    const Finished finished = runTools({QStringLiteral("translate"), QStringLiteral("--log"), QStringLiteral("--x"),
                                        QStringLiteral("0.5"), QStringLiteral("--lines"), QStringLiteral("2:3"), file});
    EXPECT_EQ(finished.exitCode, 0);
    EXPECT_EQ(finished.out, "G01 X1\r\nG01 X2.5\r\nG01 X3.5\r\n");
    EXPECT_EQ(finished.err,
              "Translation of XYZ Coordinates\n"
              "Incremented the \"X\" axis value of : 0.5\n"
              "Function applied on line 2 up the line 3 of the File\n");
}

TEST_F(VornToolsCli, RefusedInputWritesNothing)
{
    const QString file = write(QStringLiteral("bad.nc"), "G01 X1\nG91 G00 X-[#31/2]\nG01 X3\n");
    const QString out = path(QStringLiteral("out.nc"));
    const Finished refused = runTools(
        {QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("1"), file, QStringLiteral("-o"), out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(QString::fromUtf8(refused.err).trimmed(),
              file + u": ERROR: Line 2: the value is not a number: \"X-\". The program was not changed.");

    const Finished toStdout = runTools({QStringLiteral("mirror"), QStringLiteral("--x"), file});
    EXPECT_EQ(toStdout.exitCode, 1);
    EXPECT_TRUE(toStdout.out.isEmpty());

    const Finished missing
        = runTools({QStringLiteral("spaces"), QStringLiteral("--add"), path(QStringLiteral("none.nc"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("none.nc"));
}

TEST_F(VornToolsCli, UsageErrors)
{
    const QString file = write(QStringLiteral("p.nc"), "G01 X1\n");
    const QStringList cases[] = {
        {},
        {QStringLiteral("rotate"), file},
        {QStringLiteral("spaces"), file},
        {QStringLiteral("spaces"), QStringLiteral("--add"), QStringLiteral("--remove"), file},
        {QStringLiteral("spaces"), QStringLiteral("--add")},
        {QStringLiteral("spaces"), QStringLiteral("--add"), file, file},
        {QStringLiteral("spaces"), QStringLiteral("--add"), QStringLiteral("--plus"), file},
        {QStringLiteral("renumber"), QStringLiteral("--digits"), QStringLiteral("10"), file},
        {QStringLiteral("renumber"), QStringLiteral("--digits"), QStringLiteral("0"), file},
        {QStringLiteral("renumber"), QStringLiteral("--start"), QStringLiteral("5"), file},
        {QStringLiteral("renumber"), QStringLiteral("--renumber"), QStringLiteral("--increment"), QStringLiteral("0"),
         file},
        {QStringLiteral("convert-ij"), file},
        {QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("1-2"), file},
        {QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("2,5"), file},
        {QStringLiteral("translate"), QStringLiteral("--x")},
        {QStringLiteral("mirror"), QStringLiteral("--lines"), QStringLiteral("3"), file},
        {QStringLiteral("mirror"), QStringLiteral("--lines"), QStringLiteral("0:3"), file},
        {QStringLiteral("mirror"), QStringLiteral("--z"), file},
        {QStringLiteral("mirror"), QStringLiteral("--swap"), file},
    };
    for (const QStringList &arguments : cases) {
        const Finished finished = runTools(arguments);
        EXPECT_EQ(finished.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(finished.out.isEmpty());
        EXPECT_TRUE(finished.err.startsWith("vorn-tools: ")) << finished.err.constData();
    }
    const Finished offset = runTools({QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("1-2"), file});
    EXPECT_TRUE(offset.err.contains("\"1-2\"")) << offset.err.constData();
}

TEST_F(VornToolsCli, Help)
{
    const Finished help = runTools({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *word :
         {"spaces", "renumber", "convert-ij", "translate", "mirror", "--lines A:B", "--log", "-o OUT", "Exit status"}) {
        EXPECT_TRUE(help.out.contains(word)) << word;
    }
}

} // namespace
