#include "tools/TranslateTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

TranslateOptions offsets(const QString &x, const QString &y, const QString &z, bool plus = false, QChar regional = u'.')
{
    TranslateOptions options;
    options.x = !x.isNull();
    options.xOffset = x;
    options.y = !y.isNull();
    options.yOffset = y;
    options.z = !z.isNull();
    options.zOffset = z;
    options.plus = plus;
    options.regionalSeparator = regional;
    return options;
}

QString translated(const QString &line, const TranslateOptions &options)
{
    return ToolTest::applyTool(
               {line}, [&](const ToolLines &views) { return TranslateTool::run(options, views, ToolRange::whole()); })
        .first();
}

TEST(TranslateTool, AddsTheOffsetsToTheChosenAxes)
{
    const QString none;
    struct Case
    {
        TranslateOptions options;
        const char16_t *in;
        const char16_t *out;
    } const cases[] = {
        {offsets(QStringLiteral("10"), none, none), u"G01 X5. Y5. Z-2.", u"G01 X15 Y5. Z-2."},
        {offsets(QStringLiteral("10"), QStringLiteral("-2,5"), none, false, u','), u"G01 X5. Y10 (Y1)",
         u"G01 X15 Y7.5 (Y1)"},
        {offsets(none, none, QStringLiteral("3"), true), u"G00 Z-1.", u"G00 Z+2"},
        {offsets(QStringLiteral(""), none, none), u"X10.000", u"X10"},
        {offsets(QStringLiteral("  "), none, none), u"X10.000", u"X10"},
        {offsets(QStringLiteral("10"), none, none), u"G91 G01 X5.", u"G91 G01 X15"},
        {offsets(QStringLiteral("10"), none, none), u"G02 X10. Y0 I5. J0", u"G02 X20 Y0 I5. J0"},
        {offsets(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")), u"G01 X1 X2 Y1 Z-1 (Z5)",
         u"G01 X2 X3 Y2 Z0 (Z5)"},
        {offsets(QStringLiteral("-10"), none, none), u"G01 X10.1", u"G01 X0.1"},
        {offsets(QStringLiteral(" 2.5 "), none, none), u"X1", u"X3.5"},
        {offsets(QStringLiteral("+.5"), none, none), u"X1", u"X1.5"},
        {offsets(QStringLiteral("1"), none, none), u"G00 X[#1+2.] Y1", u"G00 X[#1+2.] Y1"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(translated(QString::fromUtf16(c.in), c.options), QString::fromUtf16(c.out))
            << QString::fromUtf16(c.in).toStdString();
    }
}

TEST(TranslateTool, OffsetThatIsNotANumberRefusesBeforeAnyLine)
{
    const QStringList lines = {QStringLiteral("G01 X1 Y1")};
    const QString none;
    for (const QString &bad : {QStringLiteral("-"), QStringLiteral("+-1"), QStringLiteral("1-2"),
                               QStringLiteral("1.2.3"), QStringLiteral("abc"), QStringLiteral("1E3")}) {
        const ToolResult result
            = TranslateTool::run(offsets(none, bad, none), ToolRun::viewLines(lines), ToolRange::whole());
        EXPECT_EQ(result.status, ToolStatus::Refused) << bad.toStdString();
        EXPECT_EQ(result.refusal.lineNumber, 0);
        EXPECT_EQ(result.refusal.text, bad);
        EXPECT_EQ(result.refusal.message,
                  u"ERROR: The offset is not a number: \"" + bad + u"\". The program was not changed.");
    }
    // Under a "," separator an offset typed with "." is not a number.
    EXPECT_EQ(TranslateTool::run(offsets(QStringLiteral("2.5"), none, none, false, u','), ToolRun::viewLines(lines),
                                 ToolRange::whole())
                  .status,
              ToolStatus::Refused);
    // The offset of an axis that is not chosen is not used.
    TranslateOptions unchosen = offsets(QStringLiteral("1"), none, none);
    unchosen.yOffset = QStringLiteral("abc");
    EXPECT_TRUE(TranslateTool::run(unchosen, ToolRun::viewLines(lines), ToolRange::whole()).completed());
}

TEST(TranslateTool, ValueThatIsNotANumberRefusesTheRun)
{
    const QStringList lines = {QStringLiteral("G01 X1"), QStringLiteral("G91 G00 X-[#31/2]"), QStringLiteral("G01 X3")};
    const ToolResult result = TranslateTool::run(offsets(QStringLiteral("1"), QString(), QString()),
                                                 ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(result.status, ToolStatus::Refused);
    EXPECT_TRUE(result.changes.isEmpty());
    EXPECT_EQ(result.refusal.lineNumber, 2);
    EXPECT_EQ(result.refusal.text, QStringLiteral("X-"));
    EXPECT_EQ(result.refusal.message,
              QStringLiteral("ERROR: Line 2: the value is not a number: \"X-\". The program was not changed."));
}

TEST(TranslateTool, LogEntries)
{
    const QStringList lines = {QStringLiteral("G01 X1")};
    const ToolResult result
        = TranslateTool::run(offsets(QStringLiteral("2,5"), QString(), QStringLiteral(" "), false, u','),
                             ToolRun::viewLines(lines), ToolRange::lines(4, 2));
    EXPECT_EQ(result.log.title, QStringLiteral("Translation of XYZ Coordinates"));
    EXPECT_EQ(result.log.details,
              (std::array<QString, 4> {QStringLiteral("Incremented the \"X\" axis value of : 2,5"),
                                       {},
                                       QStringLiteral("Incremented the \"Z\" axis value of : 0"),
                                       QStringLiteral("Function applied on line 4 up the line 2 of the File")}));
    const ToolResult none = TranslateTool::run({}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_TRUE(none.changes.isEmpty());
    EXPECT_EQ(
        none.log.details,
        (std::array<QString, 4> {QString(), QString(), QString(), QStringLiteral("Function Applied across File")}));
}

} // namespace
