#include "tools/ToolRun.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

/// Marks each line it sees, so the tests can tell which lines were visited.
bool mark(QStringView line, QString &out, LineFault &)
{
    out += line;
    out += u'!';
    return true;
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines.append(u'L' + QString::number(i));
    }
    return lines;
}

QList<qsizetype> changedIndices(const ToolResult &result)
{
    QList<qsizetype> indices;
    for (const LineChange &change : result.changes) {
        indices.append(change.index);
    }
    return indices;
}

TEST(ToolRun, RangeRules)
{
    struct Case
    {
        int lineCount;
        ToolRange range;
        QList<qsizetype> changed;
        const char16_t *rangeText;
    } const cases[] = {
        {10, ToolRange::whole(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, u"Function Applied across File"},
        {10, ToolRange::lines(3, 5), {2, 3, 4}, u"Function applied on line 3 up the line 5 of the File"},
        {10, ToolRange::lines(5, 3), {}, u"Function applied on line 5 up the line 3 of the File"},
        {10,
         ToolRange::lines(1, 1000),
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         u"Function applied on line 1 up the line 1000 of the File"},
        {10, ToolRange::lines(10, 10), {9}, u"Function applied on line 10 up the line 10 of the File"},
        {10, ToolRange::lines(11, 20), {}, u"Function applied on line 11 up the line 20 of the File"},
        {0, ToolRange::whole(), {}, u"Function Applied across File"},
        {0, ToolRange::lines(1, 5), {}, u"Function applied on line 1 up the line 5 of the File"},
    };
    for (const Case &c : cases) {
        const QStringList lines = numberedLines(c.lineCount);
        QList<int> percents;
        ToolControl control;
        control.progress = [&percents](int percent) {
            percents.append(percent);
        };
        const ToolResult result = ToolRun::run(ToolRun::viewLines(lines), c.range, LineReading::Trimmed, mark,
                                               {QStringLiteral("Title"), {}}, control);
        const QString rangeText = QString::fromUtf16(c.rangeText);
        ASSERT_TRUE(result.completed()) << rangeText.toStdString();
        EXPECT_EQ(changedIndices(result), c.changed) << rangeText.toStdString();
        EXPECT_EQ(result.log.title, QStringLiteral("Title"));
        EXPECT_EQ(result.log.details[3], rangeText);
        ASSERT_FALSE(percents.isEmpty());
        EXPECT_EQ(percents.first(), 0);
    }
}

TEST(ToolRun, ChangedLinesCarryTheUntrimmedTextButTrimmedComparisonDecides)
{
    const QStringList lines
        = {QStringLiteral("  G01 X1  "), QStringLiteral("G00X0"), QStringLiteral("\tM30"), QStringLiteral("   ")};
    QStringList seen;
    auto transform = [&seen](QStringView line, QString &out, LineFault &) {
        seen.append(line.toString());
        if (line == u"G00X0") {
            out += QStringLiteral(" G00 X0");
        } else {
            out += u"  " + line + u"   "; // only blanks differ: not written back
        }
        return true;
    };
    const ToolResult result
        = ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed, transform, {});
    EXPECT_EQ(seen,
              (QStringList {QStringLiteral("G01 X1"), QStringLiteral("G00X0"), QStringLiteral("M30"), QString()}));
    ASSERT_EQ(result.changes.size(), 1);
    EXPECT_EQ(result.changes.first(), (LineChange {1, QStringLiteral(" G00 X0")}));
}

TEST(ToolRun, UntrimmedReadingSkipsBlankLines)
{
    const QStringList lines = {QStringLiteral("  N7 M03"), QString(), QStringLiteral(" \t "), QStringLiteral("M30")};
    QStringList seen;
    auto transform = [&seen](QStringView line, QString &out, LineFault &) {
        seen.append(line.toString());
        out += line;
        return true;
    };
    ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::UntrimmedSkippingBlank, transform, {});
    EXPECT_EQ(seen, (QStringList {QStringLiteral("  N7 M03"), QStringLiteral("M30")}));
}

TEST(ToolRun, NothingToDoVisitsNoLineAndStillCompletes)
{
    const QStringList lines = numberedLines(5);
    const ToolResult result = ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed, {}, {});
    EXPECT_TRUE(result.completed());
    EXPECT_TRUE(result.changes.isEmpty());
    EXPECT_EQ(result.log.details[3], QStringLiteral("Function Applied across File"));
}

TEST(ToolRun, CancelGivesNoResult)
{
    const QStringList lines = numberedLines(100000);
    int polls = 0;
    ToolControl control;
    control.isCancelled = [&polls] {
        return ++polls == 3;
    };
    const ToolResult result = ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed, mark,
                                           {QStringLiteral("Title"), {}}, control);
    EXPECT_EQ(result.status, ToolStatus::Cancelled);
    EXPECT_TRUE(result.changes.isEmpty());
    EXPECT_TRUE(result.log.title.isEmpty());
    EXPECT_EQ(polls, 3);
}

TEST(ToolRun, ControlIsAskedCoarselyOnLargeDocuments)
{
    const QStringList lines = numberedLines(1000000);
    int polls = 0;
    QList<int> percents;
    ToolControl control;
    control.isCancelled = [&polls] {
        ++polls;
        return false;
    };
    control.progress = [&percents](int percent) {
        percents.append(percent);
    };
    ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed, mark, {}, control);
    EXPECT_LE(polls, 300);
    EXPECT_GE(polls, 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LE(percents.size(), 101);
    EXPECT_EQ(percents.front(), 0);
    EXPECT_GE(percents.back(), 99);
}

TEST(ToolRun, SmallDocumentShowsEveryPercentage)
{
    const QStringList lines = numberedLines(10);
    QList<int> percents;
    ToolControl control;
    control.progress = [&percents](int percent) {
        percents.append(percent);
    };
    ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed, mark, {}, control);
    EXPECT_EQ(percents, (QList<int> {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
}

TEST(ToolRun, PercentRoundsHalvesToEven)
{
    EXPECT_EQ(ToolRun::percent(9, 10), 90);
    EXPECT_EQ(ToolRun::percent(199, 200), 100);
    EXPECT_EQ(ToolRun::percent(1, 8), 12);
    EXPECT_EQ(ToolRun::percent(3, 8), 38);
    EXPECT_EQ(ToolRun::percent(0, 0), 0);
}

TEST(ToolRun, RefusalNamesTheLineAndTextAndGivesNoResult)
{
    const QStringList lines = {QStringLiteral("G01 X1"), QStringLiteral("G01 X1..2"), QStringLiteral("G01 X3")};
    auto transform = [](QStringView line, QString &out, LineFault &fault) {
        if (line.contains(u"..")) {
            fault = {LineFault::Kind::NotANumber, QStringLiteral("X1..2")};
            return false;
        }
        out += QStringLiteral("changed");
        return true;
    };
    const ToolResult result = ToolRun::run(ToolRun::viewLines(lines), ToolRange::whole(), LineReading::Trimmed,
                                           transform, {QStringLiteral("Title"), {}});
    EXPECT_EQ(result.status, ToolStatus::Refused);
    EXPECT_TRUE(result.changes.isEmpty());
    EXPECT_TRUE(result.log.title.isEmpty());
    EXPECT_EQ(result.refusal.lineNumber, 2);
    EXPECT_EQ(result.refusal.text, QStringLiteral("X1..2"));
    EXPECT_EQ(result.refusal.message,
              QStringLiteral("ERROR: Line 2: the value is not a number: \"X1..2\". The program was not changed."));

    const ToolResult offset = ToolRun::refuseOffset(QStringLiteral("1-2"));
    EXPECT_EQ(offset.status, ToolStatus::Refused);
    EXPECT_EQ(offset.refusal.lineNumber, 0);
    EXPECT_EQ(offset.refusal.message,
              QStringLiteral("ERROR: The offset is not a number: \"1-2\". The program was not changed."));
}

TEST(ToolRun, SplitAndJoinLines)
{
    EXPECT_EQ(ToolRun::splitLines(u"a\n\nb").size(), 3);
    EXPECT_EQ(ToolRun::splitLines(u"").size(), 1);
    EXPECT_EQ(ToolRun::splitLines(u"a\n").size(), 2);
    const QString text = QStringLiteral("%\nG00X0\n\nM30");
    const ToolLines lines = ToolRun::splitLines(text);
    EXPECT_EQ(ToolRun::joinLines(lines, {}), text);
    EXPECT_EQ(ToolRun::joinLines(lines, {{1, QStringLiteral(" G00 X0")}, {3, QStringLiteral("N10M30")}}),
              QStringLiteral("%\n G00 X0\n\nN10M30"));
}

} // namespace
