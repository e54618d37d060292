#include "editor/ColourNames.h"

#include "editor/FontChoices.h"

#include <gtest/gtest.h>

using namespace ColourNames;

namespace {

struct NameCase
{
    qint32 value;
    const char *name;
};

} // namespace

TEST(ColourNames, EveryTableValueHasItsNameAndReadsBack)
{
    const NameCase cases[] = {
        {0x00000000, "clBlack"},  {0x00000080, "clMaroon"},     {0x00008000, "clGreen"},   {0x00008080, "clOlive"},
        {0x00800000, "clNavy"},   {0x00800080, "clPurple"},     {0x00808000, "clTeal"},    {0x00808080, "clGray"},
        {0x00C0C0C0, "clSilver"}, {0x00A4A0A0, "clMedGray"},    {0x000000FF, "clRed"},     {0x0000FF00, "clLime"},
        {0x0000FFFF, "clYellow"}, {0x00FF0000, "clBlue"},       {0x00FF00FF, "clFuchsia"}, {0x00FFFF00, "clAqua"},
        {0x00FFFFFF, "clWhite"},  {0x00C0DCC0, "clMoneyGreen"}, {0x00F0CAA6, "clSkyBlue"}, {0x00F0FBFF, "clCream"},
    };
    ASSERT_EQ(std::size(cases), table().size());
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colourName(c.value), QString::fromLatin1(c.name));
        EXPECT_EQ(parseColour(QString::fromLatin1(c.name)), c.value);
    }
}

TEST(ColourNames, UnnamedValuesShowAsDollarAndEightUpperCaseDigits)
{
    const NameCase cases[] = {
        {0x000080FF, "$000080FF"}, // red 255, green 128, blue 0
        {0x00FF8000, "$00FF8000"},
        {0x00000001, "$00000001"},
        {0x00FFFFFE, "$00FFFFFE"},
        // A system or palette colour keeps its high byte.
        {static_cast<qint32>(0xFF00000F), "$FF00000F"},
        {0x02000080, "$02000080"},
        {-1, "$FFFFFFFF"},
    };
    for (const NameCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colourName(c.value), QString::fromLatin1(c.name));
        EXPECT_EQ(parseColour(colourName(c.value)), c.value);
    }
}

TEST(ColourNames, ParsingAcceptsNamesHexAndDecimalOnly)
{
    const struct
    {
        const char *text;
        std::optional<qint32> value;
    } cases[] = {
        {"CLRED", 0x000000FF},      {" clNavy ", 0x00800000}, {"$ff", 0x000000FF},
        {"$000080ff", 0x000080FF},  {"8421376", 8421376},     {"-16777201", static_cast<qint32>(0xFF00000F)},
        {"", std::nullopt},         {"$", std::nullopt},      {"$123456789", std::nullopt},
        {"$-1", std::nullopt},      {"$12 34", std::nullopt}, {"$0x12", std::nullopt},
        {"clOrange", std::nullopt}, {"12abc", std::nullopt},  {"4294967296", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseColour(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(ColourNames, ComponentsSitRedLowBlueHigh)
{
    EXPECT_EQ(windowsColour(255, 128, 0), 0x000080FF);
    EXPECT_EQ(windowsColour(0x12, 0x34, 0x56), 0x00563412);
    EXPECT_EQ(rgbOf(0x00563412), (Rgb {0x12, 0x34, 0x56}));
    EXPECT_EQ(rgbOf(static_cast<qint32>(0xFF00000F)), (Rgb {0x0F, 0, 0}));
    for (const NamedColour &c : table()) {
        const Rgb rgb = rgbOf(c.value);
        EXPECT_EQ(windowsColour(rgb.red, rgb.green, rgb.blue), c.value);
    }
}

TEST(FontChoices, SizeStaysWithinEightAndAThousand)
{
    const struct
    {
        int stored;
        int shown;
    } clamps[] = {{0, 8}, {-5, 8}, {7, 8}, {8, 8}, {11, 11}, {1000, 1000}, {1001, 1000}};
    for (const auto &c : clamps) {
        EXPECT_EQ(FontChoices::clampSize(c.stored), c.shown) << c.stored;
    }

    const struct
    {
        const char *text;
        std::optional<int> size;
    } texts[] = {{"", 8},   {"   ", 8},          {" 12 ", 12}, {"3", 8}, {"5000", 1000}, {"99999999999999", 1000},
                 {"-4", 8}, {"1x", std::nullopt}};
    for (const auto &c : texts) {
        EXPECT_EQ(FontChoices::sizeFromText(QString::fromLatin1(c.text)), c.size) << c.text;
    }
}

TEST(FontChoices, FamilyListHasEachFamilyOnceSortedWithoutRegardToCase)
{
    const QStringList installed = {
        QStringLiteral("Noto Sans"),
        QStringLiteral("courier"),
        QStringLiteral("Courier [Adobe]"),
        QStringLiteral("Courier [Bitstream]"),
        QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("Noto Sans"),
        QStringLiteral("Arial"),
        QStringLiteral(""),
        QStringLiteral("Bitstream [x] Sans"),
    };
    EXPECT_EQ(FontChoices::familyList(installed),
              (QStringList {QStringLiteral("Arial"), QStringLiteral("Bitstream [x] Sans"), QStringLiteral("courier"),
                            QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans")}));
}
