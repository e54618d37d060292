#include "tools/RenumberTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

QStringList renumbered(const QStringList &lines, const RenumberOptions &options,
                       const ToolRange &range = ToolRange::whole())
{
    return ToolTest::applyTool(lines, [&](const ToolLines &views) { return RenumberTool::run(options, views, range); });
}

TEST(RenumberTool, RenumbersFromStartByIncrement)
{
    const RenumberOptions options {0, true, 100, 10};
    const QStringList in = {QStringLiteral("%"),
                            QStringLiteral("O1234"),
                            QStringLiteral("N5 G90 G54"),
                            QStringLiteral("G00 X0 Y0"),
                            QStringLiteral("(FACE MILL)"),
                            QStringLiteral("/N50 G00 Z5."),
                            QStringLiteral(""),
                            QStringLiteral("  N7 M03"),
                            QStringLiteral("#100=5"),
                            QStringLiteral("N8 #101=#100+1"),
                            QStringLiteral("N9 G01 X1 (100%)"),
                            QStringLiteral(";comment"),
                            QStringLiteral("M30")};
    const QStringList out = {QStringLiteral("%"),
                             QStringLiteral("O1234"),
                             QStringLiteral("N100 G90 G54"),
                             QStringLiteral("N110G00 X0 Y0"),
                             QStringLiteral("N120(FACE MILL)"),
                             QStringLiteral("/N50 G00 Z5."),
                             QStringLiteral(""),
                             QStringLiteral("N130   M03"),
                             QStringLiteral("#100=5"),
                             QStringLiteral("N8 #101=#100+1"),
                             QStringLiteral("N9 G01 X1 (100%)"),
                             QStringLiteral(";comment"),
                             QStringLiteral("N140M30")};
    EXPECT_EQ(renumbered(in, options), out);
}

TEST(RenumberTool, PadsToTheDigitCount)
{
    const RenumberOptions options {4, false, 0, 1};
    const QStringList in = {QStringLiteral("N5 G01"),
                            QStringLiteral("N0012 G01"),
                            QStringLiteral("N123456 G01"),
                            QStringLiteral("G01 X1"),
                            QStringLiteral("N000000000000000000007 M30"),
                            QStringLiteral("N2147483647 M30")};
    const QStringList out
        = {QStringLiteral("N0005 G01"),   QStringLiteral("N0012 G01"), QStringLiteral("N123456 G01"),
           QStringLiteral("N0000G01 X1"), QStringLiteral("N0007 M30"), QStringLiteral("N2147483647 M30")};
    const ToolLines views = ToolRun::viewLines(in);
    const ToolResult result = RenumberTool::run(options, views, ToolRange::whole());
    EXPECT_EQ(ToolTest::applied(in, result), out);
    // A line whose number and padding are already right is not rewritten.
    for (const LineChange &change : result.changes) {
        EXPECT_NE(change.index, 1);
        EXPECT_NE(change.index, 2);
    }
}

TEST(RenumberTool, LeadingNWithoutDigitsIsKept)
{
    // Taking the "N" out would silently change a line that has no block number.
    EXPECT_EQ(renumbered({QStringLiteral("N G01 X1"), QStringLiteral("NEXT"), QStringLiteral("G01")}, {0, true, 1, 1}),
              (QStringList {QStringLiteral("N G01 X1"), QStringLiteral("NEXT"), QStringLiteral("N1G01")}));
}

TEST(RenumberTool, RangeStartsNumberingAtItsFirstLine)
{
    const QStringList in
        = {QStringLiteral("N1 G00"), QStringLiteral("N2 G01"), QStringLiteral("N3 G01"), QStringLiteral("N4 M30")};
    EXPECT_EQ(renumbered(in, {0, true, 500, 5}, ToolRange::lines(2, 3)),
              (QStringList {QStringLiteral("N1 G00"), QStringLiteral("N500 G01"), QStringLiteral("N505 G01"),
                            QStringLiteral("N4 M30")}));
}

TEST(RenumberTool, BlockNumberBeyondTheLimitRefusesTheRun)
{
    QStringList lines;
    for (int i = 0; i < 25; ++i) {
        lines.append(QStringLiteral("G01 X1"));
    }
    // 100000000 + 21 x 100000000 passes 2147483647 on the 22nd line.
    const ToolResult result
        = RenumberTool::run({0, true, 100000000, 100000000}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(result.status, ToolStatus::Refused);
    EXPECT_TRUE(result.changes.isEmpty());
    EXPECT_EQ(result.refusal.lineNumber, 22);
    EXPECT_EQ(result.refusal.message,
              QStringLiteral("ERROR: Line 22: the block number would be greater than 2147483647: \"G01 X1\". "
                             "The program was not changed."));

    const QStringList tooLong = {QStringLiteral("N1 G00"), QStringLiteral("N2147483648 G01")};
    const ToolResult padded = RenumberTool::run({5, false, 0, 1}, ToolRun::viewLines(tooLong), ToolRange::whole());
    EXPECT_EQ(padded.status, ToolStatus::Refused);
    EXPECT_EQ(padded.refusal.lineNumber, 2);
    EXPECT_EQ(padded.refusal.text, QStringLiteral("N2147483648 G01"));
}

TEST(RenumberTool, LogEntries)
{
    const QStringList lines = {QStringLiteral("G01")};
    const ToolResult both = RenumberTool::run({4, true, 100, 10}, ToolRun::viewLines(lines), ToolRange::lines(1, 3));
    EXPECT_EQ(both.log.title, QStringLiteral("Number of Blocks"));
    EXPECT_EQ(both.log.details,
              (std::array<QString, 4> {
                  QStringLiteral("Defined number of significant digits - Number of significant digits applied in "
                                 "function : 4"),
                  QStringLiteral("Renumbered Number of Blocks of File"),
                  QStringLiteral("Starting Number of Block  for the function : 100 - Increment value for the Block "
                                 "of function : 10"),
                  QStringLiteral("Function applied on line 1 up the line 3 of the File")}));
    const ToolResult none = RenumberTool::run({}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_TRUE(none.changes.isEmpty());
    EXPECT_EQ(
        none.log.details,
        (std::array<QString, 4> {QString(), QString(), QString(), QStringLiteral("Function Applied across File")}));
    // The digit count is limited to 9.
    const ToolResult wide = RenumberTool::run({12, false, 0, 1}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(wide.changes.first().text, QStringLiteral("N000000000G01"));
}

} // namespace
