#include "app/LogEntry.h"

#include "app/MessageKind.h"

#include <gtest/gtest.h>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

TEST(LogEntry, JoinsDocumentDateAndTitle)
{
    const LogEntry e = makeLogEntry(QStringLiteral("/cnc/O1000.nc"), QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)),
                                    QStringLiteral("Number of Blocks"), {}, kUs);
    EXPECT_EQ(e.text, QStringLiteral("/cnc/O1000.nc - 3/5/26 2:07:09 PM - Number of Blocks"));
    EXPECT_TRUE(e.details.isEmpty());
}

TEST(LogEntry, MidnightShowsTheDateAlone)
{
    const LogEntry e = makeLogEntry(QStringLiteral("New(1)"), QDateTime(QDate(2026, 3, 5), QTime(0, 0)),
                                    QStringLiteral("T"), {}, kUs);
    EXPECT_EQ(e.text, QStringLiteral("New(1) - 3/5/26 - T"));
    const LogEntry second = makeLogEntry(QStringLiteral("New(1)"), QDateTime(QDate(2026, 3, 5), QTime(0, 0, 1)),
                                         QStringLiteral("T"), {}, kUs);
    EXPECT_EQ(second.text, QStringLiteral("New(1) - 3/5/26 12:00:01 AM - T"));
}

TEST(LogEntry, BlankDetailLinesAreLeftOutAndOthersKeepTheirBlanks)
{
    const LogEntry e
        = makeLogEntry(QStringLiteral("f"), QDateTime(QDate(2026, 1, 1), QTime(1, 0)), QStringLiteral("T"),
                       {QStringLiteral("  x"), QStringLiteral("   "), QString(), QStringLiteral("y ")}, kUs);
    EXPECT_EQ(e.details, (QStringList {QStringLiteral("  x"), QStringLiteral("y ")}));
}

TEST(LogEntry, TimeHasNoZone)
{
    const QString text = formatLogDateTime(QDateTime(QDate(2026, 1, 1), QTime(9, 5, 3)),
                                           QLocale(QLocale::Portuguese, QLocale::Brazil));
    EXPECT_EQ(text, QStringLiteral("01/01/2026 09:05:03"));
}

TEST(MessageKind, PrefixNamesTheKindInEveryLanguage)
{
    struct Case
    {
        const char16_t *text;
        std::optional<MessageKind> kind;
    };
    const Case cases[] = {
        {u"ERROR: x", MessageKind::Error},
        {u"ERRO: x", MessageKind::Error},
        {u"INFORMATION: x", MessageKind::Information},
        {u"INFORMAÇÃO: x", MessageKind::Information},
        {u"INFORMACIÓN: x", MessageKind::Information},
        {u"QUESTION: x", MessageKind::Question},
        {u"PERGUNTA: x", MessageKind::Question},
        {u"PREGUNTA: x", MessageKind::Question},
        {u"ATTENTION: x", MessageKind::Attention},
        {u"ATENÇÃO: x", MessageKind::Attention},
        {u"ATENCIÓN: x", MessageKind::Attention},
        {u"PREGUNTA:sin blanco", MessageKind::Question},
        {u"error: lower case is not a prefix", std::nullopt},
        {u"N10 G01 X: not a message kind", std::nullopt},
        {u"Would You like to save the File ", std::nullopt},
        {u"", std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(messageKindOf(QString::fromUtf16(c.text)), c.kind) << QString::fromUtf16(c.text).toStdString();
    }
}

} // namespace
