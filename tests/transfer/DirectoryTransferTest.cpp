#include "app/HelpPages.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "transfer/TForm_Transfer_DIR.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

/// The directory transfer window: both directions with a new name, the
/// target path, the replace question, its messages and the missing machine
/// directory.
class DirectoryTransferTest : public QObject
{
    Q_OBJECT

private:
    ProgramSettings m_settings;
    std::unique_ptr<TForm_Transfer_DIR> m_window;
    std::unique_ptr<QTemporaryDir> m_root;
    CurrentMachine m_machine;

    QString path(const QString &relative) const { return m_root->filePath(relative); }
    QLineEdit *edit(int n) const { return m_window->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n)); }
    QPushButton *button(int n) const { return m_window->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n)); }
    QString focusName() const { return m_window->focusWidget() ? m_window->focusWidget()->objectName() : QString(); }

    /// The list's row for \a name, once the directory has been read.
    QModelIndex listEntry(const QString &name) const
    {
        QTreeView *list = m_window->directoryList();
        QModelIndex found;
        const auto find = [&] {
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
                const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
                if (index.data().toString() == name) {
                    found = index;
                    return true;
                }
            }
            return false;
        };
        if (!QTest::qWaitFor(find, 5000)) {
            return {};
        }
        return found;
    }

    void selectEntry(const QString &name)
    {
        const QModelIndex index = listEntry(name);
        QVERIFY2(index.isValid(), qPrintable(name));
        m_window->directoryList()->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    static QString sentMessage(const QString &target)
    {
        return u"INFORMATION: The File \"" + target + u"\" Successfully transferred.";
    }

private Q_SLOTS:
    void initTestCase()
    {
        Catalogue::current().load(QStringLiteral("EN"));
        m_window = std::make_unique<TForm_Transfer_DIR>(m_settings);
    }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QDir(m_root->path()).mkpath(QStringLiteral("machine/sub"));
        QDir(m_root->path()).mkpath(QStringLiteral("local"));
        TestFiles::write(path(QStringLiteral("local/O1000.nc")), "%\nO1000\nG0 X1\n%\n");
        TestFiles::write(path(QStringLiteral("machine/P2000.nc")), "%\nO2000\nG1 Y2\n%\n");
        m_machine = CurrentMachine {};
        m_machine.Id = QStringLiteral("4");
        m_machine.Number = QStringLiteral("12");
        m_machine.Description = QStringLiteral("Lathe");
        m_machine.TransferType = QStringLiteral("DIRLOCAL");
        m_machine.ProgramsDir = path(QStringLiteral("local/"));
        m_machine.MachineDir = path(QStringLiteral("machine/"));
        m_window->setResult(-1);
    }

    void targetPathHasOneSeparatorAndATrimmedName_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::newRow("without separator")
            << QStringLiteral("/mnt/cnc") << QStringLiteral("A.nc") << QStringLiteral("/mnt/cnc/A.nc");
        QTest::newRow("with separator") << QStringLiteral("/mnt/cnc/") << QStringLiteral("A.nc")
                                        << QStringLiteral("/mnt/cnc/A.nc");
        QTest::newRow("blanks around both")
            << QStringLiteral(" /mnt/cnc/ ") << QStringLiteral("  A 1.nc \t") << QStringLiteral("/mnt/cnc/A 1.nc");
    }

    void targetPathHasOneSeparatorAndATrimmedName()
    {
        QFETCH(QString, directory);
        QFETCH(QString, name);
        QFETCH(QString, target);
        QCOMPARE(TForm_Transfer_DIR::targetPath(directory, name), target);
    }

    void sendCopiesUnderTheTypedName_data()
    {
        QTest::addColumn<QString>("machineDir");
        QTest::newRow("directory with separator") << QStringLiteral("machine/");
        QTest::newRow("directory without separator") << QStringLiteral("machine");
    }

    void sendCopiesUnderTheTypedName()
    {
        QFETCH(QString, machineDir);
        ScriptedDialogs dialogs;
        m_machine.MachineDir = path(machineDir);
        const QString source = path(QStringLiteral("local/O1000.nc"));
        QVERIFY(m_window->prepareSend(m_machine, source));
        QVERIFY(!m_window->DirReceiveMode);
        QCOMPARE((QStringList {edit(1)->text(), edit(2)->text(), edit(3)->text(), edit(4)->text(), edit(5)->text()}),
                 (QStringList {QStringLiteral("12"), QStringLiteral("Lathe"), m_machine.MachineDir, source,
                               QStringLiteral("O1000.nc")}));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("Machine Directory :"));
        QCOMPARE(m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - Transfer Program"));
        QVERIFY(!button(1)->isHidden() && button(1)->isEnabled() && !button(3)->isHidden());
        QVERIFY(button(2)->isHidden() && button(4)->isHidden());

        edit(5)->setText(QStringLiteral("  O1001.nc "));
        button(1)->click();
        const QString target = path(QStringLiteral("machine/O1001.nc"));
        QCOMPARE(dialogs.shownTexts(), QStringList {sentMessage(target)});
        QCOMPARE(TestFiles::read(target), TestFiles::read(source));
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QVERIFY(button(1)->isEnabled() && button(3)->isEnabled());
    }

    void receiveCopiesTheChosenEntryUnderTheTypedName()
    {
        ScriptedDialogs dialogs;
        QVERIFY(m_window->prepareReceive(m_machine));
        QVERIFY(m_window->DirReceiveMode);
        QCOMPARE((QStringList {edit(3)->text(), edit(4)->text(), edit(5)->text()}),
                 (QStringList {m_machine.ProgramsDir, QString(), QString()}));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("Local Directory :"));
        QCOMPARE(m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - Receive Program"));
        QVERIFY(button(1)->isHidden());
        QVERIFY(!button(2)->isHidden() && !button(3)->isHidden() && !button(4)->isHidden());

        // A double click chooses as the select button does.
        const QString source = path(QStringLiteral("machine/P2000.nc"));
        Q_EMIT m_window->directoryList()->doubleClicked(listEntry(QStringLiteral("P2000.nc")));
        QCOMPARE(edit(4)->text(), QString());
        selectEntry(QStringLiteral("P2000.nc"));
        Q_EMIT m_window->directoryList()->doubleClicked(listEntry(QStringLiteral("P2000.nc")));
        QCOMPARE((QStringList {edit(4)->text(), edit(5)->text()}), (QStringList {source, QStringLiteral("P2000.nc")}));
        edit(4)->clear();
        m_window->BitBtn4Click();
        QCOMPARE((QStringList {edit(4)->text(), edit(5)->text()}), (QStringList {source, QStringLiteral("P2000.nc")}));

        edit(5)->setText(QStringLiteral(" P2001.nc"));
        button(2)->click();
        const QString target = path(QStringLiteral("local/P2001.nc"));
        QCOMPARE(dialogs.shownTexts(), QStringList {sentMessage(target)});
        QCOMPARE(TestFiles::read(target), TestFiles::read(source));
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QVERIFY(button(2)->isEnabled() && button(3)->isEnabled() && button(4)->isEnabled());
    }

    void anExistingTargetIsReplacedOnlyAfterYes_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void anExistingTargetIsReplacedOnlyAfterYes()
    {
        QFETCH(bool, replace);
        ScriptedDialogs dialogs;
        dialogs.answerNext(replace ? UserDialogs::Answer::Yes : UserDialogs::Answer::No);
        const QString target = path(QStringLiteral("machine/P2000.nc"));
        const QByteArray old = TestFiles::read(target);
        const QString source = path(QStringLiteral("local/O1000.nc"));
        QVERIFY(m_window->prepareSend(m_machine, source));
        edit(5)->setText(QStringLiteral("P2000.nc"));
        button(1)->click();

        QCOMPARE(dialogs.shown().size(), replace ? 2 : 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Question);
        QVERIFY2(dialogs.shown()[0].text.contains(target), qPrintable(dialogs.shown()[0].text));
        QCOMPARE(TestFiles::read(target), replace ? TestFiles::read(source) : old);
        if (replace) {
            QCOMPARE(dialogs.shownTexts()[1], sentMessage(target));
        }
        QCOMPARE(m_window->result(), int(replace ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(QDir(path(QStringLiteral("machine"))).entryList(QDir::Files),
                 QStringList {QStringLiteral("P2000.nc")});
    }

    void aFailedCopyIsReportedWithoutSuccess()
    {
        ScriptedDialogs dialogs;
        const QString source = path(QStringLiteral("local/O1000.nc"));
        QVERIFY(m_window->prepareSend(m_machine, source));
        QFile::remove(source);
        button(1)->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY2(dialogs.shownTexts()[0].contains(source), qPrintable(dialogs.shownTexts()[0]));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("machine/O1000.nc"))));
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
    }

    void sendWithoutANameAsksForIt()
    {
        ScriptedDialogs dialogs;
        QVERIFY(m_window->prepareSend(m_machine, path(QStringLiteral("local/O1000.nc"))));
        edit(5)->setText(QStringLiteral("   "));
        button(1)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {QStringLiteral("INFORMATION: Please fill the \"Destination File Name\" field.")});
        QCOMPARE(focusName(), QStringLiteral("Edit5"));
        QCOMPARE(m_window->result(), -1);
        QVERIFY(button(1)->isEnabled());
    }

    void sendIgnoresTheList()
    {
        ScriptedDialogs dialogs;
        const QString source = path(QStringLiteral("local/O1000.nc"));
        QVERIFY(m_window->prepareSend(m_machine, source));
        selectEntry(QStringLiteral("P2000.nc"));
        Q_EMIT m_window->directoryList()->doubleClicked(listEntry(QStringLiteral("P2000.nc")));
        m_window->BitBtn4Click();
        QCOMPARE((QStringList {edit(4)->text(), edit(5)->text()}), (QStringList {source, QStringLiteral("O1000.nc")}));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void receiveNeedsAnEntryAndAName()
    {
        ScriptedDialogs dialogs;
        QVERIFY(m_window->prepareReceive(m_machine));
        button(2)->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("INFORMATION: Please select File to Transfer.")});
        QCOMPARE(focusName(), QStringLiteral("ShellListView1"));

        dialogs.clear();
        selectEntry(QStringLiteral("P2000.nc"));
        m_window->BitBtn4Click();
        edit(5)->setText(QStringLiteral(" "));
        button(2)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {QStringLiteral("INFORMATION: Please fill the \"Destination File Name\" field.")});
        QCOMPARE(focusName(), QStringLiteral("Edit5"));
        QCOMPARE(m_window->result(), -1);
        QVERIFY(QDir(path(QStringLiteral("local"))).entryList(QDir::Files) == QStringList {QStringLiteral("O1000.nc")});
    }

    void aMissingMachineDirectoryIsReportedOnceInBothDirections_data()
    {
        QTest::addColumn<QString>("machineDir");
        QTest::addColumn<bool>("receive");
        QTest::newRow("missing, send") << QStringLiteral("/no/such/machine/") << false;
        QTest::newRow("missing, receive") << QStringLiteral("/no/such/machine/") << true;
        QTest::newRow("empty, send") << QString() << false;
        QTest::newRow("a file, receive") << QStringLiteral("local/O1000.nc") << true;
    }

    void aMissingMachineDirectoryIsReportedOnceInBothDirections()
    {
        QFETCH(QString, machineDir);
        QFETCH(bool, receive);
        ScriptedDialogs dialogs;
        m_machine.MachineDir = machineDir.startsWith(u"local") ? path(machineDir) : machineDir;
        // Would block in the modal loop if the window were shown.
        QVERIFY(!m_window->showTransfer(m_machine, path(QStringLiteral("local/O1000.nc")), receive));
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"ERROR: Directory Machine \"" + m_machine.MachineDir + u"\" does not exist."});
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY(!m_window->isVisible());
        QVERIFY(!button(1)->isEnabled());
    }

    void showingCaptionsTheListFocusesTheNameAndHelpsByMode_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("page");
        QTest::newRow("send") << false << QStringLiteral("func03.4.1.html");
        QTest::newRow("receive") << true << QStringLiteral("func03.5.1.html");
    }

    void showingCaptionsTheListFocusesTheNameAndHelpsByMode()
    {
        QFETCH(bool, receive);
        QFETCH(QString, page);
        ScriptedDialogs dialogs;
        QTemporaryDir program;
        m_settings.HelpDir = program.filePath(QStringLiteral("Help/EN/"));
        QDir().mkpath(m_settings.HelpDir);
        TestFiles::write(m_settings.HelpDir + page, "<html></html>");
        QStringList opened;
        HelpPages::setOpener([&](const QString &file) {
            opened << QFileInfo(file).fileName();
            return true;
        });
        QStringList captions;
        QString focus;
        QTimer::singleShot(0, this, [&] {
            QTreeView *list = m_window->directoryList();
            for (int i = 0; i < 4; ++i) {
                captions << list->model()->headerData(i, Qt::Horizontal).toString();
            }
            focus = focusName();
            m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->helpButton()->click();
            button(3)->click();
        });
        QVERIFY(m_window->showTransfer(m_machine, path(QStringLiteral("local/O1000.nc")), receive));
        HelpPages::setOpener({});
        QCOMPARE(captions,
                 (QStringList {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"),
                               QStringLiteral("Modified Date")}));
        QCOMPARE(focus, QStringLiteral("Edit5"));
        QCOMPARE(opened, QStringList {page});
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QVERIFY(dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(DirectoryTransferTest)
#include "DirectoryTransferTest.moc"
