#include "tools/MirrorTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

enum Option { X = 1, Y = 2, G02 = 4, G03 = 8, G41 = 16, G42 = 32, Plus = 64 };

MirrorOptions options(int flags)
{
    MirrorOptions o;
    o.x = flags & X;
    o.y = flags & Y;
    o.swapG02 = flags & G02;
    o.swapG03 = flags & G03;
    o.swapG41 = flags & G41;
    o.swapG42 = flags & G42;
    o.plus = flags & Plus;
    return o;
}

QString mirrored(const QString &line, int flags)
{
    QString out;
    LineFault fault;
    EXPECT_TRUE(MirrorTool::MirrorLine(line, options(flags), out, fault)) << line.toStdString();
    return out;
}

TEST(MirrorTool, MirrorsAndSwapsCodes)
{
    const struct Case
    {
        int flags;
        const char16_t *in;
        const char16_t *out;
    } cases[] = {
        {X, u"G01 X10. Y5.", u"G01 X-10 Y5."},
        {X, u"G01 X-2.5", u"G01 X2.5"},
        {X, u"G01 X0", u"G01 X0"},
        {X | Y | Plus, u"G00 X-5 Y0", u"G00 X+5 Y+0"},
        {X | G02 | G03, u"G02 X20. Y10. I5. J0", u"G03 X-20 Y10. I5. J0"},
        {X | G02 | G03, u"G03 X5. I-2.", u"G02 X-5 I-2."},
        {X | G02 | G03, u"G2 X1", u"G3 X-1"},
        {G02 | G03, u"G3 X1", u"G2 X1"},
        {G02, u"G03 X1", u"G03 X1"},
        {G41 | G42, u"G41 D1", u"G42 D1"},
        {G41 | G42, u"G42 D1", u"G41 D1"},
        {G02 | G03 | G41 | G42, u"G02 G41 X1", u"G03 G42 X1"},
        // Only G words are swapped: not G20, G21, G28, G30 or G2.5, nothing in comments.
        {G02 | G03, u"G20 G21 G28 G30 G2.5 X1", u"G20 G21 G28 G30 G2.5 X1"},
        {G02 | G03, u"G21 G2 X1", u"G21 G3 X1"},
        {G02 | G03, u"G03 (G02 TO G03)", u"G02 (G02 TO G03)"},
        {G02 | G03, u"(ARC G02) G02 X1", u"(ARC G02) G02 X1"},
        {G02 | G03, u"X1G02Y1", u"X1G03Y1"},
        {G02 | G03, u"g02 x1", u"g02 x1"},
        {G41 | G42, u"G410 G42 D1", u"G410 G41 D1"},
        {G02 | G03, u"G02 G2 X1", u"G03 G3 X1"},
        {0, u"G02 X1", u"G02 X1"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(mirrored(QString::fromUtf16(c.in), c.flags), QString::fromUtf16(c.out))
            << QString::fromUtf16(c.in).toStdString();
    }
}

TEST(MirrorTool, ReplaceFirst)
{
    QString out = QStringLiteral("untouched");
    EXPECT_FALSE(MirrorTool::ReplaceFirst(u"G20 X1", u"G2", u"G3", out));
    EXPECT_EQ(out, QStringLiteral("untouched"));
    EXPECT_TRUE(MirrorTool::ReplaceFirst(u"G02 X1 G02", u"G02", u"G03", out));
    EXPECT_EQ(out, QStringLiteral("untouchedG03 X1 G02"));
}

TEST(MirrorTool, ValueThatIsNotANumberRefusesTheRun)
{
    const QStringList lines = {QStringLiteral("G01 X1"), QStringLiteral("G01 Y1..2")};
    const ToolResult result = MirrorTool::run(options(X | Y), ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(result.status, ToolStatus::Refused);
    EXPECT_EQ(result.refusal.lineNumber, 2);
    EXPECT_EQ(result.refusal.text, QStringLiteral("Y1..2"));
    EXPECT_TRUE(result.changes.isEmpty());
}

TEST(MirrorTool, LogEntries)
{
    const QStringList lines = {QStringLiteral("G01 X1")};
    auto details = [&lines](int flags) {
        return MirrorTool::run(options(flags), ToolRun::viewLines(lines), ToolRange::whole()).log.details;
    };
    EXPECT_EQ(
        details(X | Y | G02 | G03 | G41 | G42),
        (std::array<QString, 4> {QStringLiteral("Mirroring the \"X\" axis / Mirroring the \"Y\" axis"),
                                 QStringLiteral("Replaced G02 code by G03 code / Replaced G03 code by G02 code"),
                                 QStringLiteral("Replaced G41 code by G42 code / Replaced by G42 code by G41 code"),
                                 QStringLiteral("Function Applied across File")}));
    EXPECT_EQ(details(Y | G03)[0], QStringLiteral("/ Mirroring the \"Y\" axis"));
    EXPECT_EQ(details(Y | G03)[1], QStringLiteral("/ Replaced G03 code by G02 code"));
    EXPECT_EQ(details(X)[0], QStringLiteral("Mirroring the \"X\" axis "));
    const ToolResult none = MirrorTool::run({}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(none.log.title, QStringLiteral("Mirroring the X and Y coordinates"));
    EXPECT_TRUE(none.changes.isEmpty());
    EXPECT_EQ(
        none.log.details,
        (std::array<QString, 4> {QString(), QString(), QString(), QStringLiteral("Function Applied across File")}));
}

} // namespace
