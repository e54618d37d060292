#include "machines/CurrentMachine.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

MachineRow row(qint64 id, const QString &number, const QString &picture, const QString &programsDir)
{
    MachineRow r;
    r.Id = id;
    r.Number = number;
    r.Description = u"Machine "_s + number;
    r.TransferType = u"FTP"_s;
    r.PictureCode = picture;
    r.ProgramsDir = programsDir;
    return r;
}

TEST(CurrentMachine, OnlyASingleDigitFromOneToSevenSelectsAPicture)
{
    const struct
    {
        QString code;
        int picture;
    } cases[] = {{u"1"_s, 1},  {u"4"_s, 4},  {u"7"_s, 7},  {u"0"_s, 0},  {u"8"_s, 0}, {u""_s, 0},
                 {u"07"_s, 0}, {u"1 "_s, 0}, {u"-1"_s, 0}, {u"12"_s, 0}, {u"x"_s, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(pictureNumber(c.code), c.picture) << c.code.toStdString();
    }
}

TEST(CurrentMachine, SelectingRowNTakesItsSixFieldsAndEndsTheDirectoryInASlash)
{
    QTemporaryDir dir;
    const QString existing = dir.path(); // no trailing "/"
    const QList<MachineRow> rows = {row(4, u"10"_s, u"3"_s, existing), row(9, u"12"_s, u"8"_s, existing + u'/'),
                                    row(2, u"9"_s, u"0"_s, u"/nowhere/at/all"_s), row(5, u"A1"_s, u"5"_s, QString())};

    const auto second = selectMachine(rows, 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->machine.Id, u"9"_s);
    EXPECT_EQ(second->machine.Number, u"12"_s);
    EXPECT_EQ(second->machine.Description, u"Machine 12"_s);
    EXPECT_EQ(second->machine.TransferType, u"FTP"_s);
    EXPECT_EQ(second->machine.PictureCode, u"8"_s);
    EXPECT_EQ(second->picture, 0);
    EXPECT_EQ(second->machine.ProgramsDir, existing + u'/');
    EXPECT_TRUE(second->browseProgramsDir);

    const auto first = selectMachine(rows, 1);
    EXPECT_EQ(first->machine.ProgramsDir, existing + u'/');
    EXPECT_EQ(first->shownProgramsDir, existing) << "the summary shows the directory as stored";
    EXPECT_EQ(first->picture, 3);
    EXPECT_TRUE(first->browseProgramsDir);

    const auto missing = selectMachine(rows, 3);
    EXPECT_EQ(missing->machine.ProgramsDir, u"/nowhere/at/all/"_s);
    EXPECT_EQ(missing->picture, 0);
    EXPECT_FALSE(missing->browseProgramsDir);

    const auto empty = selectMachine(rows, 4);
    EXPECT_EQ(empty->machine.ProgramsDir, u"/"_s);
    EXPECT_FALSE(empty->browseProgramsDir) << "an empty directory never moves the browser to the root";

    EXPECT_FALSE(selectMachine(rows, 0));
    EXPECT_FALSE(selectMachine(rows, 5));
    EXPECT_FALSE(selectMachine({}, 1));
}

} // namespace
