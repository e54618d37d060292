#include "tools/AxisWords.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct RewriteCase
{
    const char16_t *line;
    char16_t letter;
    const char16_t *offset; ///< nullptr: negate
    bool plus;
    char16_t regional;
    const char16_t *expected; ///< the new line, or the offending word when \a fault is set
    bool fault = false;
};

void check(const RewriteCase &c)
{
    const QString line = QString::fromUtf16(c.line);
    AxisWords::Operation operation;
    if (c.offset == nullptr) {
        operation.negate = true;
    } else {
        operation.addend = *CncNumber::read(QString::fromUtf16(c.offset), u'.', true);
    }
    QString out;
    LineFault fault;
    const bool ok
        = AxisWords::RewriteAxisWords(line, QChar(c.letter), operation, {c.plus, QChar(c.regional)}, out, fault);
    EXPECT_EQ(ok, !c.fault) << line.toStdString();
    if (c.fault) {
        EXPECT_EQ(fault.kind, LineFault::Kind::NotANumber);
        EXPECT_EQ(fault.text, QString::fromUtf16(c.expected)) << line.toStdString();
    } else {
        EXPECT_EQ(out, QString::fromUtf16(c.expected)) << line.toStdString();
    }
}

TEST(AxisWords, RewritesOnlyTheValuesOfTheLetter)
{
    const RewriteCase cases[] = {
        {u"G01 X10. Y20 (X1)", u'X', u"5", false, u'.', u"G01 X15 Y20 (X1)"},
        {u"G01 X5. Y5. Z-2.", u'X', u"10", false, u'.', u"G01 X15 Y5. Z-2."},
        {u"G02 X10. Y0 I5. J0", u'X', u"10", false, u'.', u"G02 X20 Y0 I5. J0"},
        {u"X10.000", u'X', u"0", false, u'.', u"X10"},
        {u"G01 X1 ;Y2", u'Y', u"1", false, u'.', u"G01 X1 ;Y3"},
        {u"/N10 X1", u'X', u"1", false, u'.', u"/N10 X2"},
        {u"g01 x10", u'X', u"1", false, u'.', u"g01 x10"},
        {u"G01 X Y2", u'X', u"1", false, u'.', u"G01 X Y2"},
        {u"XX1", u'X', u"1", false, u'.', u"XX2"},
        {u"X10.1", u'X', u"-10", false, u'.', u"X0.1"},
        {u"X0.000001", u'X', u"0", false, u'.', u"X1E-6"},
        {u"", u'X', u"1", false, u'.', u""},
    };
    for (const RewriteCase &c : cases) {
        check(c);
    }
}

TEST(AxisWords, PlusOption)
{
    const RewriteCase cases[] = {
        {u"X-0.5Y1", u'X', nullptr, true, u'.', u"X+0.5Y1"},
        {u"G00 X-5 Y0", u'Y', nullptr, true, u'.', u"G00 X-5 Y+0"},
        {u"X+5", u'X', u"-2", false, u'.', u"X+3"},
        {u"X-5", u'X', u"10", false, u'.', u"X5"},
        {u"X-5", u'X', u"10", true, u'.', u"X+5"},
        {u"X-5", u'X', u"5", true, u'.', u"X+0"},
        {u"X-5", u'X', u"2", true, u'.', u"X-3"},
        // A "+" written in a value holds for the rest of the line.
        {u"X+1 X-3 X2", u'X', u"0", false, u'.', u"X+1 X-3 X+2"},
    };
    for (const RewriteCase &c : cases) {
        check(c);
    }
}

TEST(AxisWords, EachWordStandsOnItsOwnAndNothingMoves)
{
    const RewriteCase cases[] = {
        {u"G01 X1 X2", u'X', u"1", false, u'.', u"G01 X2 X3"},
        {u"G01 X1X2", u'X', u"1", false, u'.', u"G01 X2X3"},
        {u"X#101", u'X', u"1", false, u'.', u"X#101"},
        {u"G01 X(5) Y1", u'X', u"1", false, u'.', u"G01 X(5) Y1"},
        {u"G01 X1 (X2) X3", u'X', u"1", false, u'.', u"G01 X2 (X2) X3"},
        {u"G00 X[#1+2.]", u'X', u"1", false, u'.', u"G00 X[#1+2.]"},
        {u"X1{X2}", u'X', u"1", false, u'.', u"X2{X2}"},
    };
    for (const RewriteCase &c : cases) {
        check(c);
    }
}

TEST(AxisWords, ValueThatIsNotANumberIsAFault)
{
    const RewriteCase cases[] = {
        {u"G91 G00 X-[#31/2]", u'X', u"1", false, u'.', u"X-", true},
        {u"X-#101", u'X', u"1", false, u'.', u"X-", true},
        {u"G01 X1..2 Y1", u'X', u"1", false, u'.', u"X1..2", true},
        {u"Y+-3", u'Y', u"1", false, u'.', u"Y+-3", true},
        {u"X1-2", u'X', nullptr, false, u'.', u"X1-2", true},
        {u"X5 X+", u'X', nullptr, false, u'.', u"X+", true},
        {u"X2,5", u'X', u"1", false, u'.', u"X2,5", true},
        {u"X2,5", u'X', u"1", false, u',', u"X3.5"},
        {u"X2.5", u'X', u"1", false, u',', u"X3.5"},
        {u"X.", u'X', u"1", false, u'.', u"X1"},
    };
    for (const RewriteCase &c : cases) {
        check(c);
    }
}

TEST(AxisWords, ReadAxisValue)
{
    struct Case
    {
        const char16_t *line;
        char16_t letter;
        const char16_t *value;
    } const cases[] = {
        {u"G01 X30. Y40. (MOVE)", u'X', u"30."},
        {u"G01 X30. Y40. (MOVE)", u'Y', u"40."},
        {u"G01 Y12.5", u'Y', u"12.5"},
        {u"G01 Y12,5", u'Y', u"12,5"},
        {u"(X5) G01 X1", u'X', u""},
        {u"G01 X1 X2", u'X', u"2"},
        {u"G01 X1 X", u'X', u"1"},
        {u"G01 X Y1", u'X', u""},
        {u"G01 x5", u'X', u""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(AxisWords::ReadAxisValue(QString::fromUtf16(c.line), QChar(c.letter)).toString(),
                  QString::fromUtf16(c.value))
            << QString::fromUtf16(c.line).toStdString();
    }
}

} // namespace
