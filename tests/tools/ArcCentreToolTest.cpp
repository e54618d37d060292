#include "tools/ArcCentreTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

QStringList converted(const QStringList &lines, const ArcCentreOptions &options,
                      const ToolRange &range = ToolRange::whole())
{
    return ToolTest::applyTool(lines,
                               [&](const ToolLines &views) { return ArcCentreTool::run(options, views, range); });
}

const ArcCentreOptions kToAbsolute {ArcCentreMode::ToAbsolute, false, u'.'};
const ArcCentreOptions kToIncremental {ArcCentreMode::ToIncremental, false, u'.'};

TEST(ArcCentreTool, ConvertsAgainstThePositionReached)
{
    struct Case
    {
        ArcCentreOptions options;
        QStringList in;
        QStringList out;
    } const cases[] = {
        {kToIncremental,
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I15. J10.")},
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I5 J0")}},
        {kToAbsolute,
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I5. J0")},
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I15 J10")}},
        {{ArcCentreMode::ToAbsolute, true, u'.'},
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I5. J0")},
         {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I+15 J+10")}},
        // The first arc before any X or Y word is converted against 0, 0.
        {kToAbsolute, {QStringLiteral("G02 I5. J0")}, {QStringLiteral("G02 I5 J0")}},
        // A comment after the words does not hide them; a line without J gets none.
        {kToAbsolute,
         {QStringLiteral("G01 X30. Y40. (MOVE)"), QStringLiteral("G02 I-5 (R5)")},
         {QStringLiteral("G01 X30. Y40. (MOVE)"), QStringLiteral("G02 I25 (R5)")}},
        // Words in comments are neither read nor converted; "I" with no number keeps its text.
        {kToAbsolute,
         {QStringLiteral("G01 X1 (X50)"), QStringLiteral("G02 I2 (I3) J4"), QStringLiteral("G02 I J1")},
         {QStringLiteral("G01 X1 (X50)"), QStringLiteral("G02 I3 (I3) J4"), QStringLiteral("G02 I J1")}},
        // An arc block carrying its end point is converted against that end point.
        {kToIncremental,
         {QStringLiteral("G01 X10 Y10"), QStringLiteral("G02 X20 Y10 I15 J10"), QStringLiteral("G02 I25 J12.5")},
         {QStringLiteral("G01 X10 Y10"), QStringLiteral("G02 X20 Y10 I-5 J0"), QStringLiteral("G02 I5 J2.5")}},
        // Several words of a letter: each is converted; the last X and Y give the position.
        {kToAbsolute,
         {QStringLiteral("G01 X1 X2 Y3"), QStringLiteral("G02 I1 I2 J0")},
         {QStringLiteral("G01 X1 X2 Y3"), QStringLiteral("G02 I3 I4 J3")}},
        // The position's value keeps whatever separator the user's region uses.
        {{ArcCentreMode::ToAbsolute, false, u','},
         {QStringLiteral("G01 X1,5 Y12.5"), QStringLiteral("G02 I1 J0,5")},
         {QStringLiteral("G01 X1,5 Y12.5"), QStringLiteral("G02 I2.5 J13")}},
        {kToIncremental,
         {QStringLiteral("G00 X10.1 Y0"), QStringLiteral("G03 I10 J0")},
         {QStringLiteral("G00 X10.1 Y0"), QStringLiteral("G03 I-0.1 J0")}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(converted(c.in, c.options), c.out) << c.in.join(u" | ").toStdString();
    }
}

TEST(ArcCentreTool, RangeRunStartsFromZero)
{
    const QStringList in
        = {QStringLiteral("G00 X10. Y10."), QStringLiteral("G02 I5. J5."), QStringLiteral("G02 I5. J5.")};
    EXPECT_EQ(converted(in, kToAbsolute, ToolRange::lines(3, 3)),
              (QStringList {in[0], in[1], QStringLiteral("G02 I5 J5")}));
}

TEST(ArcCentreTool, ValueThatIsNotANumberRefusesTheRun)
{
    for (const QString &bad :
         {QStringLiteral("G01 X1..2 Y0"), QStringLiteral("G02 I-#101 J0"), QStringLiteral("G01 Y+-3")}) {
        const QStringList lines = {QStringLiteral("G02 I1 J1"), bad, QStringLiteral("G02 I1 J1")};
        const ToolResult result = ArcCentreTool::run(kToAbsolute, ToolRun::viewLines(lines), ToolRange::whole());
        EXPECT_EQ(result.status, ToolStatus::Refused) << bad.toStdString();
        EXPECT_EQ(result.refusal.lineNumber, 2);
        EXPECT_TRUE(result.changes.isEmpty());
    }
}

TEST(ArcCentreTool, LogEntries)
{
    const QStringList lines = {QStringLiteral("G02 I1 J1")};
    const ToolResult absolute = ArcCentreTool::run(kToAbsolute, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(absolute.log.title, QStringLiteral("Convert the IJ coordinates to absolute or incremental"));
    EXPECT_EQ(absolute.log.details,
              (std::array<QString, 4> {QStringLiteral("Converted \"I,J\" coordinates for absolute"),
                                       {},
                                       {},
                                       QStringLiteral("Function Applied across File")}));
    const ToolResult none = ArcCentreTool::run({}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_TRUE(none.changes.isEmpty());
    EXPECT_EQ(none.log.details[0], QStringLiteral("Converted \"I,J\" coordinates for incremental"));
}

} // namespace
