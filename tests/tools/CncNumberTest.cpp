#include "tools/CncNumber.h"

#include "ToolTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct ReadCase
{
    const char16_t *text;
    char16_t regional;
    bool acceptDecimalPoint;
    const char16_t *written; ///< nullptr: not a number
};

TEST(CncNumber, ReadsSignDigitsAndOneSeparator)
{
    const ReadCase cases[] = {
        {u"10.000", u'.', true, u"10"},
        {u"2.50", u'.', true, u"2.5"},
        {u"-0.250", u'.', true, u"-0.25"},
        {u".5", u'.', true, u"0.5"},
        {u"5.", u'.', true, u"5"},
        {u"+7", u'.', true, u"7"},
        {u"007", u'.', true, u"7"},
        {u".", u'.', true, u"0"},
        {u"-.", u'.', true, u"0"},
        {u"-0", u'.', true, u"0"},
        {u"-", u'.', true, nullptr},
        {u"+", u'.', true, nullptr},
        {u"", u'.', true, nullptr},
        {u"1..2", u'.', true, nullptr},
        {u"+-3", u'.', true, nullptr},
        {u"1-2", u'.', true, nullptr},
        {u"1E5", u'.', true, nullptr},
        {u" 1", u'.', true, nullptr},
        // The regional separator: "," only where it is the user's separator.
        {u"2,5", u'.', true, nullptr},
        {u"2,5", u',', true, u"2.5"},
        {u"2.5", u',', true, u"2.5"},
        {u"1,2.3", u',', true, nullptr},
        // Offsets are read with the regional separator alone.
        {u"2.5", u',', false, nullptr},
        {u"-2,5", u',', false, u"-2.5"},
        {u"2.5", u'.', false, u"2.5"},
    };
    for (const ReadCase &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const std::optional<CncNumber> number = CncNumber::read(text, QChar(c.regional), c.acceptDecimalPoint);
        if (c.written == nullptr) {
            EXPECT_FALSE(number.has_value()) << text.toStdString();
        } else {
            ASSERT_TRUE(number.has_value()) << text.toStdString();
            EXPECT_EQ(number->toText(), QString::fromUtf16(c.written)) << text.toStdString();
        }
    }
}

CncNumber number(const char16_t *text)
{
    return *CncNumber::read(QString::fromUtf16(text), u'.', true);
}

TEST(CncNumber, SumsAreExactAndWrittenInGeneralNotation)
{
    struct Case
    {
        const char16_t *a;
        const char16_t *b;
        const char16_t *sum;
    } const cases[] = {
        {u"10.1", u"-10", u"0.1"},
        {u"0.1", u"0.2", u"0.3"},
        {u"12345.6789", u"-12345.6788", u"0.0001"},
        {u"1.5", u"-1.5", u"0"},
        {u"-5", u"10", u"5"},
        {u"0.00001", u"0", u"0.00001"},
        {u"0.000001", u"0", u"1E-6"},
        {u"-0.0000123", u"0", u"-0.0000123"},
        {u"-0.00000123", u"0", u"-1.23E-6"},
        {u"0.000009999999999999999", u"0", u"0.00001"}, // rounds up into fixed notation
        {u"999999999999999", u"0", u"999999999999999"},
        {u"999999999999999", u"1", u"1E15"},
        {u"9999999999999999", u"0", u"1E16"},
        {u"1234567890123456", u"0", u"1.23456789012346E15"},
        {u"150000000000000000000", u"0", u"1.5E20"},
        {u"0.12345678901234567", u"0", u"0.123456789012346"},
        {u"99999.9999999999999", u"0", u"100000"},
        {u"-2.00000000000000049", u"0", u"-2"},
        // Beyond an exact decimal the extended binary arithmetic takes over.
        {u"123456789012345678901234567890123456789012", u"0", u"1.23456789012346E41"},
        {u"1", u"0.00000000000000000000000000000000000000001", u"1"},
        {u"0.000000000000000000000000000000000000000000001", u"0", u"1E-45"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ((number(c.a) + number(c.b)).toText(), QString::fromUtf16(c.sum))
            << QString::fromUtf16(c.a).toStdString() << " + " << QString::fromUtf16(c.b).toStdString();
    }
}

TEST(CncNumber, NegationAndSign)
{
    EXPECT_EQ((-number(u"2.5")).toText(), QStringLiteral("-2.5"));
    EXPECT_EQ((-number(u"-0.5")).toText(), QStringLiteral("0.5"));
    EXPECT_EQ((-number(u"0")).toText(), QStringLiteral("0"));
    EXPECT_FALSE((-number(u"0")).isNegative());
    EXPECT_FALSE((number(u"-0") + number(u"-0")).isNegative());
    EXPECT_TRUE((number(u"1") - number(u"1.000001")).isNegative());
    EXPECT_EQ((number(u"10") - number(u"10.1")).toText(), QStringLiteral("-0.1"));
    EXPECT_EQ(number(u"2.5").toText(u','), QStringLiteral("2,5"));
}

} // namespace
