#include "transfer/FtpListing.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 3, 15);

struct LineCase
{
    const char *line;
    bool parsed;
    const char *name = "";
    bool isFile = false;
    qint64 size = 0;
    QDateTime modified = {};
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << '"' << c.line << '"';
}

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

class FtpListLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(FtpListLineTest, ParsesTheEntry)
{
    const LineCase &c = GetParam();
    const std::optional<FtpListEntry> entry = parseFtpListLine(QString::fromUtf8(c.line), kToday);
    ASSERT_EQ(entry.has_value(), c.parsed);
    if (!c.parsed) {
        return;
    }
    EXPECT_EQ(entry->name, QString::fromUtf8(c.name));
    EXPECT_EQ(entry->isFile, c.isFile);
    EXPECT_EQ(entry->size, c.size);
    EXPECT_EQ(entry->modified, c.modified);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FtpListLineTest,
    ::testing::Values(
        // Unix, as pyftpdlib, vsftpd and most controllers send them.
        LineCase {"-rw-r--r--   1 root     root         1023 Dec 10 18:01 O1234.NC", true, "O1234.NC", true, 1023,
                  at(2025, 12, 10, 18, 1)},
        LineCase {"-rw-r--r--   1 root     root         2048 Mar 16 09:05 next.nc", true, "next.nc", true, 2048,
                  at(2026, 3, 16, 9, 5)},
        LineCase {"-rw-r--r--   1 1000     1000   104857600 Jan  5  2019 big program.nc\r", true, "big program.nc",
                  true, 104857600, at(2019, 1, 5)},
        LineCase {"drwxr-xr-x 1 vita vita 16384 Jan 1  2000 os0:", true, "os0:", false, 16384, at(2000, 1, 1)},
        LineCase {"d-w--w--w- 1 nobody nobody 0 Jan 1 1970 lp", true, "lp", false, 0, at(1970, 1, 1)},
        LineCase {"lrwxrwxrwx 1 root root 7 Feb 2 10:00 latest -> O1000", true, "latest", false, 7,
                  at(2026, 2, 2, 10, 0)},
        LineCase {"-rw-rw-rw- 1 user 12 JAN 00 00:00 BOGUS.TXT", true, "BOGUS.TXT", true, 12},
        LineCase {"-rwxrwxrwx+ 1 owner 500 Aug 31 2024 no-group.nc", true, "no-group.nc", true, 500, at(2024, 8, 31)},
        LineCase {"total 0", false}, LineCase {"", false},
        // MS-DOS / IIS.
        LineCase {"07-20-26  09:52AM       <DIR>          Fuentes", true, "Fuentes", false, 0, at(2026, 7, 20, 9, 52)},
        LineCase {"12-31-99  11:59PM                 1536 O0001.NC", true, "O0001.NC", true, 1536,
                  at(1999, 12, 31, 23, 59)},
        LineCase {"01-02-2024  12:15AM            77 two words.txt", true, "two words.txt", true, 77,
                  at(2024, 1, 2, 0, 15)},
        LineCase {"03-04-25  14:30                 10 O5.NC", true, "O5.NC", true, 10, at(2025, 3, 4, 14, 30)},
        // OS-9: headers give nothing, the entries do.
        LineCase {"Directory of . 15:10:09", false},
        LineCase {"Owner    Last modified  Attributes Sector Bytecount Name", false},
        LineCase {"-------   -------------  ---------- ------ --------- ----", false},
        LineCase {"254.254   15/07/19 0724   ------wr      40       154 .login", true, ".login", true, 154,
                  at(2015, 7, 19, 7, 24)},
        LineCase {"0.0     15/08/30 1100   dsew-ewr   20CE0      9760 058550", true, "058550", false, 9760,
                  at(2015, 8, 30, 11, 0)},
        // MLSD-style facts.
        LineCase {"type=file;modify=19990419052351;perm=r;size=54264; URLMETHO.O", true, "URLMETHO.O", true, 54264,
                  at(1999, 4, 19, 5, 23, 51)},
        LineCase {"type=dir;modify=19990419052351; SUB", true, "SUB", false, 0, at(1999, 4, 19, 5, 23, 51)},
        LineCase {"garbage that no server sends", false},
        // A name that could leave the folder it is received into is never a file.
        LineCase {"01-02-2024  12:15AM            77 ../../home/op/.profile", true, "../../home/op/.profile", false, 77,
                  at(2024, 1, 2, 0, 15)},
        LineCase {"type=file;modify=19990419052351;size=5; sub/O1.NC", true, "sub/O1.NC", false, 5,
                  at(1999, 4, 19, 5, 23, 51)},
        LineCase {"03-04-25  14:30                 10 O5\\..\\x.NC", true, "O5\\..\\x.NC", false, 10,
                  at(2025, 3, 4, 14, 30)}));

TEST(FtpListingTest, AWholeReplyKeepsTheServersOrder)
{
    const QByteArray reply = "total 3\r\n"
                             "-rw-r--r-- 1 u g 3 Mar 01 10:00 B.NC\r\n"
                             "drwxr-xr-x 2 u g 4096 Mar 01 10:00 sub\r\n"
                             "-rw-r--r-- 1 u g 5 Mar 01 10:00 A.NC\r\n";
    const QList<FtpListEntry> entries = parseFtpListing(reply, kToday);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].name, u"B.NC"_s);
    EXPECT_EQ(entries[1].name, u"sub"_s);
    EXPECT_FALSE(entries[1].isFile);
    EXPECT_EQ(entries[2].name, u"A.NC"_s);
}

TEST(FtpListingTest, NamesInAnEightBitCodePageSurvive)
{
    const QList<FtpListEntry> entries = parseFtpListing("-rw-r--r-- 1 u g 3 Mar 01 10:00 PE\xC7"
                                                        "A.NC\r\n",
                                                        kToday);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, u"PEÇA.NC"_s);
}

TEST(FtpListingTest, SizesAreWholeKilobytesRoundedDown)
{
    const std::pair<qint64, const char *> cases[]
        = {{0, "0 KB"}, {1023, "0 KB"}, {1024, "1 KB"}, {2047, "1 KB"}, {2048, "2 KB"}, {104857600, "102400 KB"}};
    for (const auto &[bytes, text] : cases) {
        EXPECT_EQ(FtpSizeText(bytes), QString::fromUtf8(text)) << bytes;
    }
}

TEST(FtpListingTest, DatesUseTheShortDateAndLongTimeWithoutAZone)
{
    const QString english = FtpDateText(at(2026, 3, 4, 14, 5, 9), QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(english.startsWith(u"3/4/26 2:05:09"_s)) << english.toStdString();
    EXPECT_TRUE(english.endsWith(u"PM"_s)) << english.toStdString();
    const QString text = FtpDateText(at(2026, 3, 4, 14, 5, 9), QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(text, u"04.03.26 14:05:09"_s);
    EXPECT_TRUE(FtpDateText(QDateTime()).isEmpty());
}

} // namespace
