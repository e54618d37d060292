#include "tools/SpacesTool.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SpacesTool, AddSpaces)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"N10G01X-5.5Y2.(TOOL 1)", u"N10 G01 X-5.5 Y2. (TOOL 1)"},
        {u"G00X0Y0", u" G00 X0 Y0"},
        {u"N10 G01", u"N10  G01"},
        {u"%", u"%"},
        {u"#100=5", u"#100=5"},
        {u"O1001", u"O1001"},
        {u"g01x10", u"g01x10"},
        {u"N1G1X1#1=2Y3", u"N1 G1 X1#1=2Y3"},
        {u"M3{S1000 T1}", u" M3 {S1000 T1}"},
        {u"EUVWABCDFHIJKLPQRSTZ", u"EUVW A B C D F H I J K L P Q R S T Z"},
    };
    for (const auto &[line, expected] : cases) {
        EXPECT_EQ(SpacesTool::AddSpaces(QString::fromUtf16(line)), QString::fromUtf16(expected));
    }
}

TEST(SpacesTool, RemoveSpaces)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"N10 G01 X-5.5 Y2. (TOOL 1)", u"N10G01X-5.5Y2.(TOOL 1)"},
        {u"G01 X1 ; MOVE", u"G01X1;MOVE"},
        {u"G01\tX1", u"G01\tX1"},
        {u"#100 = 5", u"#100 = 5"},
        {u"G65 P9010 A1 #1 = 2", u"G65P9010A1#1 = 2"},
        {u"G01 X1 {A B}", u"G01X1{A B}"},
        {u"% ", u"% "},
    };
    for (const auto &[line, expected] : cases) {
        EXPECT_EQ(SpacesTool::RemoveSpaces(QString::fromUtf16(line)), QString::fromUtf16(expected));
    }
}

TEST(SpacesTool, RunWritesOnlyRealChangesWithTheirLeadingBlank)
{
    const QStringList lines = {QStringLiteral("G00X0Y0"), QStringLiteral("   M30   "), QStringLiteral("O1001")};
    const ToolResult add = SpacesTool::run({SpacesChoice::Add}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(ToolTest::applied(lines, add),
              (QStringList {QStringLiteral(" G00 X0 Y0"), QStringLiteral("   M30   "), QStringLiteral("O1001")}));

    const QStringList blanks = {QStringLiteral("  G01X1  "), QStringLiteral("G01 X1")};
    const ToolResult remove = SpacesTool::run({SpacesChoice::Remove}, ToolRun::viewLines(blanks), ToolRange::whole());
    ASSERT_EQ(remove.changes.size(), 1);
    EXPECT_EQ(remove.changes.first(), (LineChange {1, QStringLiteral("G01X1")}));
}

TEST(SpacesTool, LogEntries)
{
    const QStringList lines = {QStringLiteral("G01 X1")};
    const ToolResult removed = SpacesTool::run({SpacesChoice::Remove}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_EQ(removed.log.title, QStringLiteral("Add\\Remove Space"));
    EXPECT_EQ(
        removed.log.details,
        (std::array<QString, 4> {
            QStringLiteral("Removed space in the File"), {}, {}, QStringLiteral("Function Applied across File")}));
    const ToolResult added = SpacesTool::run({SpacesChoice::Add}, ToolRun::viewLines(lines), ToolRange::lines(2, 7));
    EXPECT_EQ(added.log.details[0], QStringLiteral("Listing added space in the File"));
    EXPECT_EQ(added.log.details[3], QStringLiteral("Function applied on line 2 up the line 7 of the File"));
    const ToolResult none = SpacesTool::run({}, ToolRun::viewLines(lines), ToolRange::whole());
    EXPECT_TRUE(none.completed());
    EXPECT_TRUE(none.changes.isEmpty());
    EXPECT_EQ(
        none.log.details,
        (std::array<QString, 4> {QString(), QString(), QString(), QStringLiteral("Function Applied across File")}));
    EXPECT_EQ(SpacesTool::description(), QStringLiteral("Function Add and Remove spaces in the CNC File."));
}

} // namespace
