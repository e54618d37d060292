#include "app/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    bool lossless = false;
    EXPECT_EQ(Cp1252::encode(Cp1252::decode(all), &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(Cp1252, MapsTheCodePage)
{
    EXPECT_EQ(Cp1252::decode(QByteArray("\x80\x8A\x9F\xC7\x81\x8D\x8F\x90\x9D")),
              QString::fromUtf16(u"€ŠŸÇ\u0081\u008D\u008F\u0090\u009D"));
}

TEST(Cp1252, UnmappableCharactersBecomeQuestionMarks)
{
    bool lossless = true;
    EXPECT_EQ(Cp1252::encode(QString::fromUtf16(u"a\u03A9b\U0001F600c"), &lossless), QByteArray("a?b?c"));
    EXPECT_FALSE(lossless);
}

} // namespace
