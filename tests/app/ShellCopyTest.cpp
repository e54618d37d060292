#include "app/ShellCopy.h"

#include "support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

/// Every entry below \a folder (hidden ones and links included), relative and sorted.
QStringList entriesBelow(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        entries << QDir(folder).relativeFilePath(it.next());
    }
    entries.sort();
    return entries;
}

class ShellCopyTest : public ::testing::Test
{
protected:
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        TestFiles::write(path(relative), bytes);
    }

    void mkdir(const QString &relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))); }

    /// A program of \a size bytes that is not all the same byte.
    static QByteArray program(qint64 size)
    {
        QByteArray bytes;
        bytes.reserve(size);
        for (qint64 i = 0; i < size; ++i) {
            bytes.append(char('0' + i % 10));
        }
        return bytes;
    }

    /// src/Parts: two files, a hidden one, a sub-folder with a file, an empty folder and a link.
    void makeTree() const
    {
        write(QStringLiteral("src/Parts/a.nc"), "G00 X1\n");
        write(QStringLiteral("src/Parts/.hidden"), "h");
        write(QStringLiteral("src/Parts/sub/b.nc"), "G01 Y2\n");
        mkdir(QStringLiteral("src/Parts/sub/empty"));
        ASSERT_TRUE(QFile::link(QStringLiteral("a.nc"), path(QStringLiteral("src/Parts/link.nc"))));
    }

    QTemporaryDir m_dir;
};

TEST(MakeUniqueFolderName, TakesTheFirstFreeName)
{
    struct Case
    {
        QStringList existing; ///< a trailing "/" makes a folder, otherwise a file
        QString expected;
    };
    const QList<Case> cases = {
        {{}, QStringLiteral("New Folder")},
        {{QStringLiteral("New Folder/")}, QStringLiteral("New Folder 1")},
        {{QStringLiteral("New Folder/"), QStringLiteral("New Folder 1/")}, QStringLiteral("New Folder 2")},
        {{QStringLiteral("New Folder/"), QStringLiteral("New Folder 2/")}, QStringLiteral("New Folder 1")},
        // A file of that name blocks the folder as much as a folder does.
        {{QStringLiteral("New Folder")}, QStringLiteral("New Folder 1")},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        for (const QString &entry : c.existing) {
            if (entry.endsWith(u'/')) {
                QDir(dir.path()).mkdir(entry);
            } else {
                TestFiles::write(dir.filePath(entry), "x");
            }
        }
        const QString parent = dir.path() + u'/';
        EXPECT_EQ(MakeUniqueFolderName(parent, QStringLiteral("New Folder")), parent + c.expected)
            << c.existing.join(u',').toStdString();
    }
}

TEST_F(ShellCopyTest, CopiesAFileWholeKeepingItsDate)
{
    const qint64 size = 3 * ShellCopy::kChunkSize + 5;
    write(QStringLiteral("src/O1000.nc"), program(size));
    const QDateTime stamp(QDate(2020, 5, 17), QTime(8, 30));
    {
        QFile source(path(QStringLiteral("src/O1000.nc")));
        ASSERT_TRUE(source.open(QIODevice::ReadWrite));
        ASSERT_TRUE(source.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    mkdir(QStringLiteral("dst"));

    QList<std::pair<qint64, qint64>> reports;
    ShellCopy shell;
    shell.progress = [&](qint64 done, qint64 total) {
        reports.append({done, total});
    };
    const ShellCopy::Outcome outcome
        = shell.copyInto(path(QStringLiteral("src/O1000.nc")), path(QStringLiteral("dst")));

    ASSERT_EQ(outcome.result, ShellCopy::Result::Copied) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.target, path(QStringLiteral("dst/O1000.nc")));
    EXPECT_EQ(TestFiles::read(outcome.target), program(size));
    EXPECT_EQ(QFileInfo(outcome.target).lastModified(), stamp);
    // One report per chunk, never per byte.
    ASSERT_EQ(reports.size(), 4);
    EXPECT_EQ(reports.first(), std::make_pair(ShellCopy::kChunkSize, size));
    EXPECT_EQ(reports.last(), std::make_pair(size, size));
    EXPECT_EQ(entriesBelow(path(QStringLiteral("dst"))), QStringList {QStringLiteral("O1000.nc")});
}

TEST_F(ShellCopyTest, CopiesAFolderTreeWithHiddenFilesEmptyFoldersAndLinks)
{
    makeTree();
    mkdir(QStringLiteral("dst"));
    const ShellCopy::Outcome outcome
        = ShellCopy().copyInto(path(QStringLiteral("src/Parts/")), path(QStringLiteral("dst")));

    ASSERT_EQ(outcome.result, ShellCopy::Result::Copied) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.target, path(QStringLiteral("dst/Parts")));
    EXPECT_EQ(entriesBelow(path(QStringLiteral("dst"))),
              (QStringList {QStringLiteral("Parts"), QStringLiteral("Parts/.hidden"), QStringLiteral("Parts/a.nc"),
                            QStringLiteral("Parts/link.nc"), QStringLiteral("Parts/sub"),
                            QStringLiteral("Parts/sub/b.nc"), QStringLiteral("Parts/sub/empty")}));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/Parts/sub/b.nc"))), QByteArray("G01 Y2\n"));
    const QFileInfo link(path(QStringLiteral("dst/Parts/link.nc")));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(link.symLinkTarget(), path(QStringLiteral("dst/Parts/a.nc")));
}

TEST_F(ShellCopyTest, ReplacingIsAskedAndARefusalKeepsTheTarget)
{
    makeTree();
    write(QStringLiteral("dst/a.nc"), "old");
    write(QStringLiteral("dst/Parts/a.nc"), "old");
    write(QStringLiteral("dst/Parts/mine.nc"), "kept");

    QStringList asked;
    bool answer = false;
    ShellCopy shell;
    shell.confirmReplace = [&](const QString &target) {
        asked << target;
        return answer;
    };

    for (const QString &source : {QStringLiteral("src/Parts/a.nc"), QStringLiteral("src/Parts")}) {
        const ShellCopy::Outcome outcome = shell.copyInto(path(source), path(QStringLiteral("dst")));
        EXPECT_EQ(outcome.result, ShellCopy::Result::Declined);
    }
    EXPECT_EQ(asked, (QStringList {path(QStringLiteral("dst/a.nc")), path(QStringLiteral("dst/Parts"))}));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/a.nc"))), QByteArray("old"));
    EXPECT_EQ(entriesBelow(path(QStringLiteral("dst"))),
              (QStringList {QStringLiteral("Parts"), QStringLiteral("Parts/a.nc"), QStringLiteral("Parts/mine.nc"),
                            QStringLiteral("a.nc")}));

    // Yes replaces the file; a folder is merged into, keeping the target's own files.
    answer = true;
    EXPECT_TRUE(shell.copyInto(path(QStringLiteral("src/Parts/a.nc")), path(QStringLiteral("dst"))).ok());
    EXPECT_TRUE(shell.copyInto(path(QStringLiteral("src/Parts")), path(QStringLiteral("dst"))).ok());
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/a.nc"))), QByteArray("G00 X1\n"));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/Parts/a.nc"))), QByteArray("G00 X1\n"));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/Parts/mine.nc"))), QByteArray("kept"));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/Parts/sub/b.nc"))), QByteArray("G01 Y2\n"));

    // Without a question nothing existing is replaced.
    EXPECT_EQ(
        ShellCopy().copyInto(path(QStringLiteral("src/Parts/sub/b.nc")), path(QStringLiteral("dst/Parts/sub"))).result,
        ShellCopy::Result::Declined);
    EXPECT_EQ(asked.size(), 4);
}

TEST_F(ShellCopyTest, AFailureLeavesNoPartialTarget)
{
    // The destination folder is a file: nothing can be written there.
    write(QStringLiteral("src/O1.nc"), "G00\n");
    write(QStringLiteral("not-a-folder"), "x");
    ShellCopy::Outcome outcome
        = ShellCopy().copyInto(path(QStringLiteral("src/O1.nc")), path(QStringLiteral("not-a-folder")));
    EXPECT_EQ(outcome.result, ShellCopy::Result::Failed);
    EXPECT_FALSE(outcome.reason.isEmpty());
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("not-a-folder"))), QByteArray("x"));

    // The source tree vanishes while its first file is being copied.
    write(QStringLiteral("tree/one.nc"), program(ShellCopy::kChunkSize + 1));
    write(QStringLiteral("tree/two.nc"), program(ShellCopy::kChunkSize + 1));
    mkdir(QStringLiteral("dst"));
    ShellCopy vanishing;
    vanishing.progress = [&](qint64, qint64) {
        QFile::remove(path(QStringLiteral("tree/one.nc")));
        QFile::remove(path(QStringLiteral("tree/two.nc")));
    };
    outcome = vanishing.copyInto(path(QStringLiteral("tree")), path(QStringLiteral("dst")));
    EXPECT_EQ(outcome.result, ShellCopy::Result::Failed);
    EXPECT_TRUE(outcome.failedPath.startsWith(path(QStringLiteral("tree/")))) << outcome.failedPath.toStdString();
    EXPECT_FALSE(outcome.reason.isEmpty());
    EXPECT_EQ(entriesBelow(path(QStringLiteral("dst"))), QStringList());
}

TEST_F(ShellCopyTest, CancellingKeepsTheOldTargetAndLeavesNothingNew)
{
    write(QStringLiteral("src/O1.nc"), program(3 * ShellCopy::kChunkSize));
    write(QStringLiteral("src/Parts/O2.nc"), program(3 * ShellCopy::kChunkSize));
    write(QStringLiteral("dst/O1.nc"), "old");
    ShellCopy shell;
    shell.confirmReplace = [](const QString &) {
        return true;
    };
    int chunks = 0;
    shell.progress = [&](qint64, qint64) {
        ++chunks;
    };
    shell.cancelled = [&] {
        return chunks >= 2;
    };

    EXPECT_EQ(shell.copyInto(path(QStringLiteral("src/O1.nc")), path(QStringLiteral("dst"))).result,
              ShellCopy::Result::Cancelled);
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("dst/O1.nc"))), QByteArray("old"));
    chunks = 0;
    EXPECT_EQ(shell.copyInto(path(QStringLiteral("src/Parts")), path(QStringLiteral("dst"))).result,
              ShellCopy::Result::Cancelled);
    EXPECT_EQ(entriesBelow(path(QStringLiteral("dst"))), QStringList {QStringLiteral("O1.nc")});
}

TEST_F(ShellCopyTest, AFolderIsNotCopiedIntoItselfButCanBeDuplicated)
{
    makeTree();
    const QStringList before = entriesBelow(path(QStringLiteral("src")));
    const ShellCopy shell;
    EXPECT_EQ(shell.copyInto(path(QStringLiteral("src/Parts")), path(QStringLiteral("src/Parts/sub"))).result,
              ShellCopy::Result::IntoItself);
    EXPECT_EQ(shell.copyTo(path(QStringLiteral("src/Parts")), path(QStringLiteral("src/Parts"))).result,
              ShellCopy::Result::IntoItself);
    EXPECT_EQ(entriesBelow(path(QStringLiteral("src"))), before);

    // Pasting into the item's own folder makes a copy beside it.
    EXPECT_EQ(shell.copyInto(path(QStringLiteral("src/Parts/a.nc")), path(QStringLiteral("src/Parts"))).target,
              path(QStringLiteral("src/Parts/a - Copy.nc")));
    EXPECT_EQ(shell.copyInto(path(QStringLiteral("src/Parts/a.nc")), path(QStringLiteral("src/Parts"))).target,
              path(QStringLiteral("src/Parts/a - Copy (2).nc")));
    const ShellCopy::Outcome folder = shell.copyInto(path(QStringLiteral("src/Parts")), path(QStringLiteral("src")));
    EXPECT_TRUE(folder.ok());
    EXPECT_EQ(folder.target, path(QStringLiteral("src/Parts - Copy")));
    EXPECT_EQ(TestFiles::read(path(QStringLiteral("src/Parts/a - Copy.nc"))), QByteArray("G00 X1\n"));
}

TEST_F(ShellCopyTest, MakeDirectoryPathCreatesAllOrNothing)
{
    QString reason;
    EXPECT_TRUE(MakeDirectoryPath(path(QStringLiteral("cnc/ACME/Line 2_123_B")), &reason));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("cnc/ACME/Line 2_123_B"))).isDir());

    // A name too long for the file system, below a folder that had to be made first.
    const QString tooLong = path(QStringLiteral("cnc/NEW/")) + QString(300, u'x');
    EXPECT_FALSE(MakeDirectoryPath(tooLong, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("cnc/NEW"))));

    write(QStringLiteral("cnc/file"), "x");
    reason.clear();
    EXPECT_FALSE(MakeDirectoryPath(path(QStringLiteral("cnc/file/inside")), &reason));
    EXPECT_FALSE(reason.isEmpty());

    for (const QString &escape : {QStringLiteral("cnc/../up"), QStringLiteral("cnc/./here")}) {
        EXPECT_FALSE(MakeDirectoryPath(path(escape), &reason)) << escape.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("up"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("cnc/here"))));
}

} // namespace
