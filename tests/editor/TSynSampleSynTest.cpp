#include "editor/TSynSampleSyn.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <vector>

namespace {

using Syn = TSynSampleSyn;

struct Token
{
    QString text;
    Syn::TtkTokenKind kind;

    friend bool operator==(const Token &, const Token &) = default;
};

void PrintTo(const Token &token, std::ostream *out)
{
    *out << '"' << token.text.toStdString() << "\":" << int(token.kind);
}

std::vector<Token> scan(Syn &syn, QStringView line)
{
    std::vector<Token> tokens;
    syn.SetLine(line);
    while (!syn.GetEol()) {
        tokens.push_back({line.mid(syn.GetTokenPos(), syn.GetTokenLength()).toString(), syn.GetTokenKind()});
        syn.Next();
    }
    return tokens;
}

/// Colours 1 … 22 in row order, so that a colour tells its row.
Syn::Colours rowNumbers()
{
    Syn::Colours colours {};
    for (int row = 0; row < 22; ++row) {
        colours[row] = row + 1;
    }
    return colours;
}

struct ScanCase
{
    const char *name;
    QString line;
    std::vector<Token> tokens;
    Syn::TRangeState endRange;
};

std::ostream &operator<<(std::ostream &out, const ScanCase &c)
{
    return out << c.name;
}

class ScannerLines : public testing::TestWithParam<ScanCase>
{
};

TEST_P(ScannerLines, SplitsTheLineIntoTokens)
{
    Syn syn(rowNumbers());
    const ScanCase &c = GetParam();
    EXPECT_EQ(scan(syn, c.line), c.tokens);
    EXPECT_EQ(syn.GetRange(), c.endRange);
}

const QString sp = QStringLiteral(" ");

INSTANTIATE_TEST_SUITE_P(
    GCode, ScannerLines,
    testing::Values(
        ScanCase {"Block",
                  QStringLiteral("N10 G01 X-1.5 Y2 F100"),
                  {{QStringLiteral("N10"), Syn::tkString9},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("G01"), Syn::tkString4},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("X-1.5"), Syn::tkString13},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("Y2"), Syn::tkString15},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("F100"), Syn::tkString3}},
                  Syn::rsString3},
        ScanCase {"LettersWithoutBlanks",
                  QStringLiteral("x-12.5y3g01x5z.1"),
                  {{QStringLiteral("x-12.5"), Syn::tkString13},
                   {QStringLiteral("y3"), Syn::tkString15},
                   {QStringLiteral("g01"), Syn::tkString4},
                   {QStringLiteral("x5"), Syn::tkString13},
                   {QStringLiteral("z.1"), Syn::tkString14}},
                  Syn::rsString14},
        ScanCase {"EveryColouredLetter",
                  QStringLiteral("A1B2C3I4J5K6M7R8S9T0"),
                  {{QStringLiteral("A1"), Syn::tkString0},
                   {QStringLiteral("B2"), Syn::tkString1},
                   {QStringLiteral("C3"), Syn::tkString2},
                   {QStringLiteral("I4"), Syn::tkString5},
                   {QStringLiteral("J5"), Syn::tkString6},
                   {QStringLiteral("K6"), Syn::tkString7},
                   {QStringLiteral("M7"), Syn::tkString8},
                   {QStringLiteral("R8"), Syn::tkString10},
                   {QStringLiteral("S9"), Syn::tkString11},
                   {QStringLiteral("T0"), Syn::tkString12}},
                  Syn::rsString12},
        ScanCase {"CharacterAfterTheLetterIsNeverTested",
                  QStringLiteral("xy3 x(1)"),
                  {{QStringLiteral("xy3"), Syn::tkString13},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("x(1"), Syn::tkString13},
                   {QStringLiteral(")"), Syn::tkUnknown}},
                  Syn::rsUnknown},
        ScanCase {"LetterAloneAtTheEndLeavesItsRangeOpen",
                  QStringLiteral("X"),
                  {{QStringLiteral("X"), Syn::tkString13}},
                  Syn::rsString13},
        ScanCase {"LetterWordClosedByATerminator",
                  QStringLiteral("T1\tM6*"),
                  {{QStringLiteral("T1"), Syn::tkString12},
                   {QStringLiteral("\t"), Syn::tkSpace},
                   {QStringLiteral("M6"), Syn::tkString8},
                   {QStringLiteral("*"), Syn::tkUnknown}},
                  Syn::rsUnknown},
        ScanCase {"Comment",
                  QStringLiteral("(SAFE START)"),
                  {{QStringLiteral("(SAFE START)"), Syn::tkString19}},
                  Syn::rsUnknown},
        ScanCase {
            "OpenCommentRunsToTheEnd",
            QStringLiteral("G0 (OPEN"),
            {{QStringLiteral("G0"), Syn::tkString4}, {sp, Syn::tkSpace}, {QStringLiteral("(OPEN"), Syn::tkString19}},
            Syn::rsString19},
        ScanCase {"CommentsDoNotNest",
                  QStringLiteral("(a(b)c)"),
                  {{QStringLiteral("(a(b)"), Syn::tkString19}, {QStringLiteral("c)"), Syn::tkString2}},
                  Syn::rsString2},
        ScanCase {"PercentAlone", QStringLiteral("%"), {{QStringLiteral("%"), Syn::tkString16}}, Syn::rsString16},
        ScanCase {"PercentRun", QStringLiteral("%O1%"), {{QStringLiteral("%O1%"), Syn::tkString16}}, Syn::rsUnknown},
        ScanCase {"HashRunsCloseAtTheNextHash",
                  QStringLiteral("#1=#2+#3"),
                  {{QStringLiteral("#1=#"), Syn::tkString17},
                   {QStringLiteral("2"), Syn::tkUnknown},
                   {QStringLiteral("+"), Syn::tkUnknown},
                   {QStringLiteral("#3"), Syn::tkString17}},
                  Syn::rsString17},
        ScanCase {"OtherDelimitedRuns",
                  QStringLiteral("<ab>{c}[d]"),
                  {{QStringLiteral("<ab>"), Syn::tkString18},
                   {QStringLiteral("{c}"), Syn::tkString20},
                   {QStringLiteral("[d]"), Syn::tkString21}},
                  Syn::rsUnknown},
        ScanCase {"OpenBracketRun", QStringLiteral("[x"), {{QStringLiteral("[x"), Syn::tkString21}}, Syn::rsString21},
        ScanCase {"LettersWithoutColourAreWords",
                  QStringLiteral("E12 D1 h_2 W5"),
                  {{QStringLiteral("E12"), Syn::tkIdentifier},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("D1"), Syn::tkIdentifier},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("h_2"), Syn::tkIdentifier},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("W"), Syn::tkUnknown},
                   {QStringLiteral("5"), Syn::tkUnknown}},
                  Syn::rsUnknown},
        ScanCase {"SemicolonNote",
                  QStringLiteral("; note"),
                  {{QStringLiteral(";"), Syn::tkUnknown},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("no"), Syn::tkString9},
                   {QStringLiteral("te"), Syn::tkString12}},
                  Syn::rsString12},
        ScanCase {"ReservedWordInAnyCase",
                  QStringLiteral("PELVORA pelvora1 PeLvOrA"),
                  {{QStringLiteral("PELVORA"), Syn::tkKey},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("pelvora1"), Syn::tkIdentifier},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("PeLvOrA"), Syn::tkKey}},
                  Syn::rsUnknown},
        ScanCase {"TestWordStartsWithALetterWord",
                  QStringLiteral("kolvessa"),
                  {{QStringLiteral("ko"), Syn::tkString7}, {QStringLiteral("lvessa"), Syn::tkIdentifier}},
                  Syn::rsUnknown},
        ScanCase {"EmptyLine", QString(), {}, Syn::rsUnknown},
        ScanCase {"BlanksAndControlCharacters",
                  QStringLiteral(" \t\x01\x1F N1"),
                  {{QStringLiteral(" \t\x01\x1F "), Syn::tkSpace}, {QStringLiteral("N1"), Syn::tkString9}},
                  Syn::rsString9},
        ScanCase {"CharactersOutsideAscii",
                  QStringLiteral("(café) Xé5 é"),
                  {{QStringLiteral("(café)"), Syn::tkString19},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("Xé5"), Syn::tkString13},
                   {sp, Syn::tkSpace},
                   {QStringLiteral("é"), Syn::tkUnknown}},
                  Syn::rsUnknown}),
    [](const testing::TestParamInfo<ScanCase> &info) { return std::string(info.param.name); });

TEST(Scanner, EmptyLineGivesOneNullToken)
{
    Syn syn(rowNumbers());
    syn.SetLine(u"");
    EXPECT_EQ(syn.GetTokenKind(), Syn::tkNull);
    EXPECT_EQ(syn.GetTokenPos(), 0);
    EXPECT_TRUE(syn.GetEol());
    EXPECT_EQ(syn.GetTokenAttribute(), nullptr);
}

TEST(Scanner, RangeIsCarriedButNeverContinuesARun)
{
    Syn syn(rowNumbers());
    scan(syn, u"G0 (OPEN");
    ASSERT_EQ(syn.GetRange(), Syn::rsString19);

    // The next line is scanned from its first character whatever the range.
    EXPECT_EQ(scan(syn, u"N10)"),
              (std::vector<Token> {{QStringLiteral("N10"), Syn::tkString9}, {QStringLiteral(")"), Syn::tkUnknown}}));
    EXPECT_EQ(syn.GetRange(), Syn::rsUnknown);

    // A line without letter words or runs passes the range on.
    syn.SetRange(Syn::rsString19);
    scan(syn, u"123 ;");
    EXPECT_EQ(syn.GetRange(), Syn::rsString19);

    syn.ResetRange();
    EXPECT_EQ(syn.GetRange(), Syn::rsUnknown);
}

TEST(Scanner, Utf8BytesScanLikeTheirCharacters)
{
    Syn syn(rowNumbers());
    for (const QString &line :
         {QStringLiteral("N10 (café ü) X€5 ÿ Y\U0001F600"), QStringLiteral("é(é)é#€#é%"), QStringLiteral("gé xé")}) {
        const QByteArray utf8 = line.toUtf8();
        std::vector<Syn::TtkTokenKind> byChar;
        syn.SetLine(line);
        while (!syn.GetEol()) {
            byChar.insert(byChar.end(), syn.GetTokenLength(), syn.GetTokenKind());
            syn.Next();
        }
        std::vector<Syn::TtkTokenKind> byByte;
        syn.SetLineUtf8(utf8);
        while (!syn.GetEol()) {
            // Tokens end on character boundaries.
            EXPECT_NE(static_cast<quint8>(utf8[syn.GetTokenPos()]) & 0xC0, 0x80) << line.toStdString();
            for (qsizetype i = 0; i < syn.GetTokenLength(); ++i) {
                // Count one kind per character: skip UTF-8 continuation bytes, and give a
                // four-byte character the two 16-bit units it has in the other scan.
                const auto b = static_cast<quint8>(utf8[syn.GetTokenPos() + i]);
                if ((b & 0xC0) != 0x80) {
                    byByte.insert(byByte.end(), b >= 0xF0 ? 2 : 1, syn.GetTokenKind());
                }
            }
            syn.Next();
        }
        EXPECT_EQ(byByte, byChar) << line.toStdString();
    }
}

TEST(Scanner, TokenKindsKeepTheirNumbers)
{
    // The numbers follow the alphabetical order of the names; editors store them.
    EXPECT_EQ(Syn::tkSpace, 3);
    EXPECT_EQ(Syn::tkString0, 4);
    EXPECT_EQ(Syn::tkString10, 6);
    EXPECT_EQ(Syn::tkString2, 16);
    EXPECT_EQ(Syn::tkString21, 18);
    EXPECT_EQ(Syn::tkString9, 25);
    EXPECT_EQ(Syn::tkUnknown, 27);
    for (int n = 0; n < 22; ++n) {
        EXPECT_EQ(Syn::stringNumber(Syn::stringKind(n)), n);
    }
}

TEST(Scanner, AttributesTakeTheColourOfTheirLetter)
{
    const Syn syn(rowNumbers());
    // Rows: A B C F G I J K M N R S T X Y Z % # <> () {} []; String14 is Z and String15 is Y.
    const std::array<int, 22> rowOfString
        = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 15, 17, 18, 19, 20, 21, 22};
    for (int n = 0; n < 22; ++n) {
        const TSynHighlighterAttributes &a = syn.StringAttri(n);
        EXPECT_EQ(a.foreground, WindowsColour(rowOfString[n])) << n;
        EXPECT_FALSE(a.background);
        EXPECT_EQ(a.style, 0);
        EXPECT_EQ(syn.attributeOfKind(Syn::stringKind(n)), &a);
    }

    EXPECT_EQ(syn.KeyAttri().style, TSynHighlighterAttributes::fsBold);
    EXPECT_FALSE(syn.KeyAttri().foreground);
    EXPECT_EQ(syn.TestAttri().style, TSynHighlighterAttributes::fsItalic | TSynHighlighterAttributes::fsUnderline);
    EXPECT_EQ(syn.TestAttri().foreground, WindowsColour(0x00FF0000));
    EXPECT_EQ(syn.TestAttri().background, WindowsColour(0x00C0C0C0));
    EXPECT_FALSE(syn.IdentifierAttri().foreground);
    EXPECT_EQ(syn.attributeOfKind(Syn::tkUnknown), &syn.IdentifierAttri());
    EXPECT_EQ(syn.attributeOfKind(Syn::tkNull), nullptr);

    EXPECT_EQ(syn.GetDefaultAttribute(Syn::SYN_ATTR_IDENTIFIER), &syn.IdentifierAttri());
    EXPECT_EQ(syn.GetDefaultAttribute(Syn::SYN_ATTR_KEYWORD), &syn.KeyAttri());
    EXPECT_EQ(syn.GetDefaultAttribute(Syn::SYN_ATTR_WHITESPACE), &syn.SpaceAttri());
    EXPECT_EQ(syn.GetDefaultAttribute(Syn::SYN_ATTR_COMMENT), nullptr);

    QStringList names;
    for (int i = 0; i < Syn::AttrCount(); ++i) {
        names << syn.Attribute(i).name;
    }
    EXPECT_EQ(names.join(u','),
              QStringLiteral("Identifier,ReservedWord,Space,String0,String1,String10,String11,String12,String13,"
                             "String14,String15,String16,String17,String18,String19,String2,String20,String21,"
                             "String3,String4,String5,String6,String7,String8,String9,Test"));
}

TEST(Scanner, FilterIsStoredOnlyWhenChanged)
{
    Syn syn(rowNumbers());
    EXPECT_EQ(syn.DefaultFilter(), QStringLiteral("All files (*.*)|*.*"));
    EXPECT_FALSE(syn.IsFilterStored());
    syn.SetDefaultFilter(QStringLiteral("CNC (*.nc)|*.nc"));
    EXPECT_TRUE(syn.IsFilterStored());
}

} // namespace
