#include "app/IniFile.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("settings.ini")) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase)
{
    TestFiles::write(path(), "[dirbd]\r\nvalue = C:\\db\\machines.mdb \r\n[Language]\r\nValue=EN\r\n");
    const IniFile ini(path());
    EXPECT_EQ(ini.readString(u"DIRBD", u"VALUE", QString()), QStringLiteral("C:\\db\\machines.mdb"));
    EXPECT_EQ(ini.readString(u"LANGUAGE", u"value", QString()), QStringLiteral("EN"));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefaultAndCreatesNothing)
{
    const IniFile missing(path());
    EXPECT_EQ(missing.readString(u"DIRBD", u"VALUE", QStringLiteral("keep")), QStringLiteral("keep"));
    EXPECT_EQ(missing.readInteger(u"CODA", u"Valor", 7), 7);
    EXPECT_FALSE(QFile::exists(path()));

    TestFiles::write(path(), "[CODA]\nValor=abc\nOther=1\n");
    const IniFile ini(path());
    EXPECT_EQ(ini.readString(u"CODB", u"Valor", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(ini.readString(u"CODA", u"Missing", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(ini.readInteger(u"CODA", u"Valor", 5), 5) << "a value that is not an integer keeps the default";
}

TEST_F(IniFileTest, ReadsIntegersAsWritten)
{
    TestFiles::write(path(), "[A]\nneg=-16777216\nhex=0x00FF00\ndollar=$FF\nplain= 12 \n");
    const IniFile ini(path());
    EXPECT_EQ(ini.readInteger(u"A", u"neg", 0), -16777216);
    EXPECT_EQ(ini.readInteger(u"A", u"hex", 0), 0xFF00);
    EXPECT_EQ(ini.readInteger(u"A", u"dollar", 0), 255);
    EXPECT_EQ(ini.readInteger(u"A", u"plain", 0), 12);
}

TEST_F(IniFileTest, FirstSectionAndKeyOfANameWin)
{
    TestFiles::write(path(), "[S]\nk=first\nK=second\n[s]\nk=third\n");
    EXPECT_EQ(IniFile(path()).readString(u"S", u"K", QString()), QStringLiteral("first"));
}

TEST_F(IniFileTest, NonAsciiKeyNameIsWindows1252)
{
    // "ENDEREÇO" with Ç as the single byte 0xC7, and a value with é (0xE9) and € (0x80).
    TestFiles::write(path(), QByteArray("[LOGO]\r\nENDERE\xC7O=C:\\Log\xE9\x80.bmp\r\n"));
    const IniFile ini(path());
    EXPECT_EQ(ini.readString(u"logo", u"endereço", QString()), QStringLiteral("C:\\Logé€.bmp"));

    IniFile writer(path());
    ASSERT_TRUE(writer.writeString(u"LOGO", u"ENDEREÇO", QStringLiteral("D:\\ç.png")));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("[LOGO]\r\nENDERE\xC7O=D:\\\xE7.png\r\n"));
}

TEST_F(IniFileTest, WritingCreatesFileAndSection)
{
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString(u"LANGUAGE", u"VALUE", QStringLiteral("EN")));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("[LANGUAGE]\nVALUE=EN\n"));
    ASSERT_TRUE(ini.writeString(u"DIRBD", u"VALUE", QStringLiteral("/db/m.db")));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("[LANGUAGE]\nVALUE=EN\n[DIRBD]\nVALUE=/db/m.db\n"));
    EXPECT_EQ(IniFile(path()).readString(u"DIRBD", u"VALUE", QString()), QStringLiteral("/db/m.db"));
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherLine)
{
    const QByteArray before = "; workstation settings\r\n"
                              "[DIRBD]\r\n"
                              "VALUE=old\r\n"
                              "  ; kept comment\r\n"
                              "\r\n"
                              "[LANGUAGE]\r\n"
                              "value = ES\r\n"
                              "Extra=1";
    TestFiles::write(path(), before);
    IniFile ini(path());

    ASSERT_TRUE(ini.writeString(u"dirbd", u"Value", QStringLiteral("new")));
    ASSERT_TRUE(ini.writeString(u"LANGUAGE", u"NEWKEY", QStringLiteral("x")));
    ASSERT_TRUE(ini.writeString(u"DIRBD", u"SECOND", QStringLiteral("y")));
    EXPECT_EQ(TestFiles::read(path()),
              QByteArray("; workstation settings\r\n"
                         "[DIRBD]\r\n"
                         "Value=new\r\n"
                         "  ; kept comment\r\n"
                         "SECOND=y\r\n"
                         "\r\n"
                         "[LANGUAGE]\r\n"
                         "value = ES\r\n"
                         "Extra=1\r\n"
                         "NEWKEY=x\r\n"));
}

TEST_F(IniFileTest, WritingPicksUpChangesMadeByOthersSinceReading)
{
    TestFiles::write(path(), "[A]\nk=1\n");
    IniFile ini(path());
    TestFiles::write(path(), "[A]\nk=1\n[B]\nother=2\n");
    ASSERT_TRUE(ini.writeString(u"A", u"k", QStringLiteral("3")));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("[A]\nk=3\n[B]\nother=2\n"));
}

TEST_F(IniFileTest, FailedWriteReportsAndLeavesTheFileAlone)
{
    IniFile inMissingFolder(m_dir.filePath(QStringLiteral("no/such/folder/x.ini")));
    EXPECT_FALSE(inMissingFolder.writeString(u"A", u"k", QStringLiteral("v")));
    EXPECT_FALSE(inMissingFolder.errorString().isEmpty());

    TestFiles::write(path(), "[A]\nk=1\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    IniFile readOnly(path());
    EXPECT_FALSE(readOnly.writeString(u"A", u"k", QStringLiteral("2")));
    EXPECT_EQ(TestFiles::read(path()), QByteArray("[A]\nk=1\n"));
}

} // namespace
