#include "app/HelpPages.h"
#include "app/Ribbon.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "transfer/FtpTestServer.h"
#include "transfer/TForm_Transfer_FTP.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

/// The FTP transfer window against a real server on loopback: preparing and
/// listing, sending under a new name, receiving with the replace question,
/// failures that keep files intact, and Cancel during a slow transfer.
class FtpWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QTemporaryDir m_local;
    QTemporaryDir m_help;
    FtpTestServer m_server;
    FtpTestServer m_slowServer;
    std::unique_ptr<TForm_Transfer_FTP> m_window;
    QString m_openedHelp;

    QLineEdit *edit(int n) const { return m_window->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n)); }
    QPushButton *button(int n) const { return m_window->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)); }
    QTreeWidget *list() const { return m_window->findChild<QTreeWidget *>(QStringLiteral("ListView1")); }

    /// The listing's rows as "name|size", sorted (the server decides the order).
    QStringList rows() const
    {
        QStringList result;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list()->topLevelItem(i);
            result << item->text(1) + u'|' + item->text(2);
            if (item->text(0) != QString() || item->icon(0).isNull() || item->text(3).isEmpty()) {
                result << QStringLiteral("bad row");
            }
        }
        result.sort();
        return result;
    }

    CurrentMachine machine(quint16 port, const QString &directory = QStringLiteral("progs")) const
    {
        CurrentMachine m;
        m.Id = QStringLiteral("7");
        m.Number = QStringLiteral("M-07");
        m.Description = QStringLiteral("Lathe");
        m.TransferType = QStringLiteral("FTP");
        m.ProgramsDir = m_local.path() + u'/';
        m.FtpHost = QStringLiteral("127.0.0.1");
        m.FtpPort = QString::number(port);
        m.FtpUser = QStringLiteral("operator");
        m.FtpPassword = QStringLiteral("s3cret");
        m.FtpDirectory = directory;
        return m;
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    /// Selects the row of \a name and presses "Select File".
    void select(const QString &name)
    {
        const QList<QTreeWidgetItem *> found = list()->findItems(name, Qt::MatchExactly, 1);
        QCOMPARE(found.size(), 1);
        list()->setCurrentItem(found.first());
        button(4)->click();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!FtpTestServer::available()) {
            QSKIP("python3-pyftpdlib is not installed");
        }
        QVERIFY(Catalogue::current().load(QStringLiteral("EN")));
        QDir(m_home.path()).mkpath(QStringLiteral("progs/sub"));
        TestFiles::write(m_home.filePath(QStringLiteral("progs/small.nc")), QByteArray(1023, 'G'));
        TestFiles::write(m_home.filePath(QStringLiteral("progs/two.nc")), QByteArray(2048, 'X'));
        QVERIFY(m_server.start(m_home.path(), QStringLiteral("operator"), QStringLiteral("s3cret")) != 0);
        QVERIFY(m_slowServer.start(m_home.path(), QStringLiteral("operator"), QStringLiteral("s3cret"), 128 * 1024)
                != 0);
        HelpPages::setOpener([this](const QString &path) {
            m_openedHelp = path;
            return true;
        });
        TestFiles::write(m_help.filePath(QStringLiteral("func03.4.2.html")), "<html></html>");
        TestFiles::write(m_help.filePath(QStringLiteral("func03.5.2.html")), "<html></html>");
        m_window = std::make_unique<TForm_Transfer_FTP>([this] { return QString(m_help.path() + u'/'); });
        ApplyLanguage({m_window.get()}, Catalogue::current());
    }

    void cleanupTestCase()
    {
        m_window.reset();
        HelpPages::setOpener({});
    }

    void directoriesAreNormalised_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("used");
        QTest::newRow("bare") << QStringLiteral("progs") << QStringLiteral("/progs/");
        QTest::newRow("leading") << QStringLiteral("/progs") << QStringLiteral("/progs/");
        QTest::newRow("trailing") << QStringLiteral("progs/") << QStringLiteral("/progs/");
        QTest::newRow("blanks around") << QStringLiteral("  progs/sub ") << QStringLiteral("/progs/sub/");
        QTest::newRow("empty") << QString() << QStringLiteral("/");
        QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("/");
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/");
    }

    void directoriesAreNormalised()
    {
        QFETCH(QString, stored);
        QFETCH(QString, used);
        QCOMPARE(FtpNormaliseDirectory(stored), used);
    }

    void receivingListsTheFilesOnly()
    {
        ScriptedDialogs dialogs;
        QVERIFY(m_window->prepareReceive(machine(m_server.port())));
        QVERIFY(dialogs.shownTexts().isEmpty());
        QVERIFY(m_window->FtpReceiveMode());
        QCOMPARE(rows(), (QStringList {QStringLiteral("small.nc|0 KB"), QStringLiteral("two.nc|2 KB")}));
        QCOMPARE(edit(1)->text(), QStringLiteral("M-07"));
        QCOMPARE(edit(3)->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(edit(4)->text(), QStringLiteral("operator"));
        QCOMPARE(edit(5)->text(), m_local.path() + u'/');
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label5"))->text(), QStringLiteral("Local Directory :"));
        QCOMPARE(m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - Receive Program"));
        QCOMPARE(list()->headerItem()->text(1), QStringLiteral("File"));
        QVERIFY(button(2)->isVisibleTo(m_window.get()));
        QVERIFY(!button(1)->isVisibleTo(m_window.get()));

        m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->helpButton()->click();
        QCOMPARE(m_openedHelp, m_help.filePath(QStringLiteral("func03.5.2.html")));

        // Nothing chosen yet, then a file without a name.
        button(2)->click();
        QCOMPARE(dialogs.shownTexts().last(), QStringLiteral("INFORMATION: Please select File to Transfer."));
        select(QStringLiteral("two.nc"));
        QCOMPARE(edit(6)->text(), QStringLiteral("/progs/two.nc"));
        QCOMPARE(edit(7)->text(), QStringLiteral("two.nc"));
        edit(7)->setText(QStringLiteral("  "));
        button(2)->click();
        QCOMPARE(dialogs.shownTexts().last(),
                 QStringLiteral("INFORMATION: Please fill the \"Destination File Name\" field."));
    }

    void preparingFailsWithTheReason_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("reason");
        QTest::newRow("bad login") << QStringLiteral("wrong") << QString() << QStringLiteral("progs")
                                   << QStringLiteral("530 ");
        QTest::newRow("missing directory")
            << QStringLiteral("s3cret") << QString() << QStringLiteral("/nothere/") << QStringLiteral("550 ");
        QTest::newRow("port not a number")
            << QStringLiteral("s3cret") << QStringLiteral("ftp") << QStringLiteral("progs")
            << QStringLiteral("The port \"ftp\" is not a number from 1 to 65535.");
    }

    void preparingFailsWithTheReason()
    {
        QFETCH(QString, password);
        QFETCH(QString, port);
        QFETCH(QString, directory);
        QFETCH(QString, reason);
        ScriptedDialogs dialogs;
        CurrentMachine m = machine(m_server.port(), directory);
        m.FtpPassword = password;
        if (!port.isEmpty()) {
            m.FtpPort = port;
        }
        QVERIFY(!m_window->prepareSend(m, m_local.filePath(QStringLiteral("x.nc"))));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().kind, MessageKind::Error);
        const QStringList lines = dialogs.shownTexts().first().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("ERROR: Failed FTP Connection."));
        QVERIFY2(lines[1].startsWith(reason), qPrintable(lines[1]));
    }

    void sendingUnderAnotherNameRefreshesTheListing()
    {
        ScriptedDialogs dialogs;
        const QString source = m_local.filePath(QStringLiteral("O1000.nc"));
        TestFiles::write(source, "%\r\nO1000\r\nG0 X1\r\nM30\r\n%\r\n");
        QVERIFY(m_window->prepareSend(machine(m_server.port(), QStringLiteral("/progs")), source));
        QVERIFY(!m_window->FtpReceiveMode());
        QCOMPARE(edit(5)->text(), QStringLiteral("/progs/"));
        QCOMPARE(edit(6)->text(), source);
        QCOMPARE(edit(7)->text(), QStringLiteral("O1000.nc"));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label5"))->text(),
                 QStringLiteral("Machine Directory :"));

        m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->helpButton()->click();
        QCOMPARE(m_openedHelp, m_help.filePath(QStringLiteral("func03.4.2.html")));

        // Selecting in send mode changes nothing.
        select(QStringLiteral("two.nc"));
        QCOMPARE(edit(7)->text(), QStringLiteral("O1000.nc"));

        edit(7)->setText(QStringLiteral("O2000.nc"));
        m_window->setResult(QDialog::Rejected);
        button(1)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"INFORMATION: The File \"" + source
                              + u"\" transferred to \"/progs/O2000.nc\" Successfully sent."});
        QCOMPARE(read(m_home.filePath(QStringLiteral("progs/O2000.nc"))), read(source));
        QVERIFY(rows().contains(QStringLiteral("O2000.nc|0 KB")));
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QVERIFY(button(1)->isEnabled());
        QFile::remove(m_home.filePath(QStringLiteral("progs/O2000.nc")));
    }

    void aFailedUploadKeepsTheWindowOpen()
    {
        ScriptedDialogs dialogs;
        QVERIFY(m_window->prepareSend(machine(m_server.port()), m_local.filePath(QStringLiteral("gone.nc"))));
        m_window->setResult(QDialog::Rejected);
        button(1)->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shownTexts().first().startsWith(QStringLiteral("ERROR: Failed to send the File by FTP.\n")));
        QVERIFY(!button(1)->isEnabled());
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("progs/gone.nc"))));
    }

    void receivingOverAnExistingFileAsksFirst()
    {
        ScriptedDialogs dialogs;
        const QString target = m_local.filePath(QStringLiteral("two.nc"));
        TestFiles::write(target, "mine");
        QVERIFY(m_window->prepareReceive(machine(m_server.port())));
        select(QStringLiteral("two.nc"));
        const QString question
            = u"QUESTION: The File \"" + target + u"\"already exists. Would You Like to Replace File ?";

        dialogs.answerNext(UserDialogs::Answer::No);
        button(2)->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {question});
        QCOMPARE(read(target), QByteArray("mine"));

        dialogs.clear();
        dialogs.answerNext(UserDialogs::Answer::Yes);
        m_window->setResult(QDialog::Rejected);
        button(2)->click();
        QCOMPARE(dialogs.shownTexts(),
                 (QStringList {question,
                               u"INFORMATION: The File \"/progs/two.nc\" transferred to \"" + target
                                   + u"\" Successfully received."}));
        QCOMPARE(read(target), QByteArray(2048, 'X'));
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
    }

    void aFailedDownloadLeavesTheOldFile()
    {
        ScriptedDialogs dialogs;
        const QString target = m_local.filePath(QStringLiteral("absent.nc"));
        TestFiles::write(target, "old program");
        QVERIFY(m_window->prepareReceive(machine(m_server.port())));
        edit(6)->setText(QStringLiteral("/progs/absent.nc"));
        edit(7)->setText(QStringLiteral("absent.nc"));
        dialogs.answerNext(UserDialogs::Answer::Yes);
        button(2)->click();
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY2(dialogs.shownTexts().last().startsWith(QStringLiteral("ERROR: Failed to receive File by FTP.\n550")),
                 qPrintable(dialogs.shownTexts().last()));
        QCOMPARE(read(target), QByteArray("old program"));
        QVERIFY(!button(2)->isEnabled());
        QVERIFY(!button(4)->isEnabled());
    }

    void cancelStopsASlowDownload()
    {
        ScriptedDialogs dialogs;
        TestFiles::write(m_home.filePath(QStringLiteral("progs/big.nc")), QByteArray(4 * 1024 * 1024, 'B'));
        const QString target = m_local.filePath(QStringLiteral("big.nc"));
        TestFiles::write(target, "previous");
        QVERIFY(m_window->prepareReceive(machine(m_slowServer.port())));
        select(QStringLiteral("big.nc"));
        dialogs.answerNext(UserDialogs::Answer::Yes);

        // Cancel is pressed once the status bar counts received bytes.
        QString seenStatus;
        QString seenPercent;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (m_window->statusText().startsWith(QStringLiteral("Received : ")) && seenStatus.isEmpty()) {
                seenStatus = m_window->statusText();
                seenPercent = m_window->findChild<QLabel *>(QStringLiteral("Label8"))->text();
                QVERIFY(m_window->isTransferring());
                button(3)->click();
            }
        });
        watcher.start(20);
        m_window->setResult(QDialog::Rejected);
        button(2)->click();
        watcher.stop();
        QVERIFY2(seenStatus.endsWith(QStringLiteral(" Bytes")), qPrintable(seenStatus));
        QVERIFY2(seenPercent.endsWith(u'%'), qPrintable(seenPercent));
        QCOMPARE(dialogs.shownTexts().last(), QStringLiteral("INFORMATION: Operation Cancelled."));
        QCOMPARE(read(target), QByteArray("previous"));
        QCOMPARE(QDir(m_local.path()).entryList({QStringLiteral("big*")}, QDir::Files | QDir::Hidden),
                 QStringList {QStringLiteral("big.nc")});
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QFile::remove(m_home.filePath(QStringLiteral("progs/big.nc")));
    }

    void cancelStopsASlowUploadAndRemovesThePart()
    {
        ScriptedDialogs dialogs;
        const QString source = m_local.filePath(QStringLiteral("huge.nc"));
        TestFiles::write(source, QByteArray(4 * 1024 * 1024, 'H'));
        QVERIFY(m_window->prepareSend(machine(m_slowServer.port()), source));
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (m_window->statusText().startsWith(QStringLiteral("Sent : "))) {
                button(3)->click();
            }
        });
        watcher.start(20);
        button(1)->click();
        watcher.stop();
        QCOMPARE(dialogs.shownTexts().last(), QStringLiteral("INFORMATION: Operation Cancelled."));
        QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("progs/huge.nc"))));
        QVERIFY(!rows().contains(QStringLiteral("huge.nc|4096 KB")));
    }
};

QTEST_MAIN(FtpWindowTest)
#include "FtpWindowTest.moc"
