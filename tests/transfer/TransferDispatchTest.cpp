#include "transfer/TransferDispatch.h"

#include "app/ProgramSettings.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "machines/MachineForm.h"
#include "machines/TDataModule1.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

/// The transfer buttons: their checks and messages, the window each machine
/// type leads to, and the parameters read from the register at each transfer.
class TransferDispatchTest : public QObject
{
    Q_OBJECT

private:
    /// One hand-over to a transfer window.
    struct Call
    {
        QString window;
        CurrentMachine machine;
        QString file;
        bool receive = false;
    };

    QTemporaryDir m_dir;
    ProgramSettings m_settings;
    std::optional<TDataModule1> m_database;
    qint64 m_directoryId = 0;
    qint64 m_ftpId = 0;
    qint64 m_serialId = 0;

    std::optional<CurrentMachine> m_machine;
    QString m_selected;
    QString m_fileName;
    bool m_tabActive = false;
    QList<Call> m_calls;
    bool m_windowShown = true;

    TransferDispatch makeDispatch()
    {
        const auto recorder = [this](const QString &name) {
            return [this, name](const CurrentMachine &machine, const QString &file, bool receive) {
                m_calls.append({name, machine, file, receive});
                return m_windowShown;
            };
        };
        TransferDispatch::Inputs inputs;
        inputs.currentMachine = [this] {
            return m_machine ? &*m_machine : nullptr;
        };
        inputs.selectedBrowserPath = [this] {
            return m_selected;
        };
        inputs.currentFileName = [this] {
            return m_fileName;
        };
        inputs.tabActive = [this] {
            return m_tabActive;
        };
        return TransferDispatch(*m_database, inputs,
                                {recorder(QStringLiteral("directory")), recorder(QStringLiteral("ftp")),
                                 recorder(QStringLiteral("serial"))});
    }

    qint64 registerMachine(MachineForm form)
    {
        qint64 id = 0;
        if (!m_database->registerMachine(form, id)) {
            qFatal("cannot register a machine: %s", qPrintable(m_database->errorString()));
        }
        return id;
    }

    static CurrentMachine machineOf(qint64 id, const QString &type)
    {
        CurrentMachine machine;
        machine.Id = QString::number(id);
        machine.Number = QStringLiteral("7");
        machine.Description = QStringLiteral("Lathe");
        machine.TransferType = type;
        machine.ProgramsDir = QStringLiteral("/cnc/lathe/");
        return machine;
    }

    QString programFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("O1000.nc"));
        TestFiles::write(path, "%\nO1000\nG0 X0\n%\n");
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        Catalogue::current().load(QStringLiteral("EN"));
        m_settings = loadProgramSettings(m_dir.path());
        m_database.emplace();
        QVERIFY2(m_database->connectAtStartup(m_settings), qPrintable(m_database->errorString()));

        MachineForm directory;
        directory.Number = QStringLiteral("1");
        directory.Description = QStringLiteral("Mill");
        directory.PictureIndex = 1;
        directory.ProgramsDir = QStringLiteral("/cnc/mill/");
        directory.TransferTypeIndex = 1;
        directory.MachineDir = QStringLiteral("/mnt/mill/");
        m_directoryId = registerMachine(directory);

        MachineForm ftp = directory;
        ftp.Number = QStringLiteral("2");
        ftp.TransferTypeIndex = 3;
        ftp.FtpHost = QStringLiteral("10.0.0.5");
        ftp.FtpPort = QStringLiteral("21");
        ftp.FtpUser = QStringLiteral("cnc");
        ftp.FtpPassword = QStringLiteral("secret");
        ftp.FtpDirectory = QStringLiteral("progs");
        m_ftpId = registerMachine(ftp);

        MachineForm serial = directory;
        serial.Number = QStringLiteral("3");
        serial.TransferTypeIndex = 4;
        serial.ComPortIndex = 2;
        serial.SpeedIndex = 12;
        serial.DataBitsIndex = 4;
        serial.ParityIndex = 1;
        serial.StopBitsIndex = 1;
        serial.FlowIndex = 3;
        m_serialId = registerMachine(serial);
    }

    void init()
    {
        m_machine = machineOf(m_directoryId, QStringLiteral("DIRLOCAL"));
        m_selected.clear();
        m_fileName.clear();
        m_tabActive = false;
        m_calls.clear();
        m_windowShown = true;
    }

    void browserButtonSendsOnlyASelectedFile()
    {
        ScriptedDialogs dialogs;
        TransferDispatch dispatch = makeDispatch();

        dispatch.SpeedButton4Click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("INFORMATION: Please select File to Transfer.")});
        QVERIFY(m_calls.isEmpty());

        // A folder, or an item gone from the disk since it was listed, does nothing.
        dialogs.clear();
        for (const QString &path : {m_dir.path(), m_dir.filePath(QStringLiteral("gone.nc"))}) {
            m_selected = path;
            dispatch.SpeedButton4Click();
        }
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(m_calls.isEmpty());

        m_selected = programFile();
        dispatch.SpeedButton4Click();
        QCOMPARE(m_calls.size(), 1);
        QCOMPARE(m_calls[0].window, QStringLiteral("directory"));
        QCOMPARE(m_calls[0].file, m_selected);
        QVERIFY(!m_calls[0].receive);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void editorButtonNeedsAnActiveDocument_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("tabActive");
        QTest::newRow("no document") << QString() << false;
        QTest::newRow("blank name") << QStringLiteral("  ") << true;
        QTest::newRow("name without an active tab") << QStringLiteral("/cnc/O1.nc") << false;
    }

    void editorButtonNeedsAnActiveDocument()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, tabActive);
        ScriptedDialogs dialogs;
        m_fileName = fileName;
        m_tabActive = tabActive;
        makeDispatch().SpeedButton31Click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("INFORMATION: Please open File to transfer.")});
        QVERIFY(m_calls.isEmpty());
    }

    void editorButtonSendsTheSavedFileOnly()
    {
        ScriptedDialogs dialogs;
        TransferDispatch dispatch = makeDispatch();
        m_tabActive = true;

        // A new document never saved has no file: nothing happens, nothing is
        // said, even when the working directory holds a file of that name.
        m_fileName = QStringLiteral("New(1)");
        dispatch.SpeedButton31Click();
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(m_calls.isEmpty());
        const QString workingDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QFileInfo(programFile()).absolutePath()));
        TestFiles::write(m_fileName, "G00 X0\n");
        dispatch.SpeedButton31Click();
        QVERIFY(QFile::remove(m_fileName));
        QDir::setCurrent(workingDir);
        QVERIFY(m_calls.isEmpty());

        m_fileName = programFile();
        dispatch.SpeedButton31Click();
        QCOMPARE(m_calls.size(), 1);
        QCOMPARE(m_calls[0].file, m_fileName);
        QVERIFY(!m_calls[0].receive);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void receiveHandsOverWithoutAFile()
    {
        ScriptedDialogs dialogs;
        m_selected = programFile();
        makeDispatch().SpeedButton19Click();
        QCOMPARE(m_calls.size(), 1);
        QCOMPARE(m_calls[0].window, QStringLiteral("directory"));
        QVERIFY(m_calls[0].file.isEmpty());
        QVERIFY(m_calls[0].receive);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void withoutACurrentMachineTheButtonsDoNothing()
    {
        ScriptedDialogs dialogs;
        TransferDispatch dispatch = makeDispatch();
        for (const bool none : {true, false}) {
            if (none) {
                m_machine.reset();
            } else {
                m_machine = CurrentMachine {};
            }
            dispatch.SpeedButton4Click();
            dispatch.SpeedButton31Click();
            dispatch.SpeedButton19Click();
            QVERIFY(!dispatch.transfer(programFile(), false));
        }
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(m_calls.isEmpty());
    }

    void eachTypeGoesToItsWindowWithItsParameters_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("window");
        QTest::newRow("local directory") << QStringLiteral("DIRLOCAL") << QStringLiteral("directory");
        QTest::newRow("network directory") << QStringLiteral("DIRNET") << QStringLiteral("directory");
        QTest::newRow("older network code") << QStringLiteral("DIRREDE") << QStringLiteral("directory");
        QTest::newRow("ftp") << QStringLiteral("FTP") << QStringLiteral("ftp");
        QTest::newRow("serial") << QStringLiteral("SERIAL232") << QStringLiteral("serial");
        QTest::newRow("unknown code") << QStringLiteral("USB") << QString();
        QTest::newRow("codes compare exactly") << QStringLiteral("dirlocal") << QString();
        QTest::newRow("no blanks allowed") << QStringLiteral("FTP ") << QString();
    }

    void eachTypeGoesToItsWindowWithItsParameters()
    {
        QFETCH(QString, type);
        QFETCH(QString, window);
        ScriptedDialogs dialogs;
        const qint64 id = window == u"ftp" ? m_ftpId : window == u"serial" ? m_serialId : m_directoryId;
        m_machine = machineOf(id, type);
        const QString file = programFile();
        QCOMPARE(makeDispatch().transfer(file, false), !window.isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
        if (window.isEmpty()) {
            QVERIFY(m_calls.isEmpty());
            QVERIFY(m_machine->MachineDir.isEmpty());
            return;
        }
        QCOMPARE(m_calls.size(), 1);
        const Call &call = m_calls[0];
        QCOMPARE(call.window, window);
        QCOMPARE(call.file, file);
        QCOMPARE(call.machine.Number, QStringLiteral("7"));
        if (window == u"directory") {
            QCOMPARE(call.machine.MachineDir, QStringLiteral("/mnt/mill/"));
        } else if (window == u"ftp") {
            QCOMPARE((QStringList {call.machine.FtpHost, call.machine.FtpPort, call.machine.FtpUser,
                                   call.machine.FtpPassword, call.machine.FtpDirectory}),
                     (QStringList {QStringLiteral("10.0.0.5"), QStringLiteral("21"), QStringLiteral("cnc"),
                                   QStringLiteral("secret"), QStringLiteral("progs")}));
        } else {
            QCOMPARE((QStringList {call.machine.SerialPort, call.machine.SerialSpeed, call.machine.SerialDataBits,
                                   call.machine.SerialParity, call.machine.SerialStopBits, call.machine.SerialFlow}),
                     (QStringList {QStringLiteral("COM2"), QStringLiteral("12"), QStringLiteral("4"),
                                   QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3")}));
        }
        // The current machine keeps what was read, for the windows that read it again.
        QCOMPARE(m_machine->MachineDir, call.machine.MachineDir);
        QCOMPARE(m_machine->FtpHost, call.machine.FtpHost);
        QCOMPARE(m_machine->SerialPort, call.machine.SerialPort);
    }

    void parametersAreReadAgainForEveryTransfer()
    {
        ScriptedDialogs dialogs;
        TransferDispatch dispatch = makeDispatch();
        dispatch.SpeedButton19Click();
        QVERIFY(m_database->updatePathParameters(m_directoryId, {QStringLiteral("/mnt/mill-2/")}));
        dispatch.SpeedButton19Click();
        QVERIFY(m_database->updatePathParameters(m_directoryId, {QStringLiteral("/mnt/mill/")}));
        QCOMPARE(m_calls.size(), 2);
        QCOMPARE(m_calls[0].machine.MachineDir, QStringLiteral("/mnt/mill/"));
        QCOMPARE(m_calls[1].machine.MachineDir, QStringLiteral("/mnt/mill-2/"));

        // A machine without a parameter row reads an empty directory, not the last one.
        m_machine = machineOf(m_ftpId, QStringLiteral("DIRNET"));
        m_machine->MachineDir = QStringLiteral("/stale/");
        dispatch.SpeedButton19Click();
        QCOMPARE(m_calls.size(), 3);
        QVERIFY(m_calls[2].machine.MachineDir.isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aDatabaseErrorShowsTheStandardBoxAndNoWindow()
    {
        ScriptedDialogs dialogs;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("breaker"));
            other.setDatabaseName(m_settings.DatabasePath);
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("ALTER TABLE VORN_SERIAL RENAME TO VORN_SERIAL_OLD")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("breaker"));
        m_machine = machineOf(m_serialId, QStringLiteral("SERIAL232"));
        m_selected = programFile();
        makeDispatch().SpeedButton4Click();
        QVERIFY(m_calls.isEmpty());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("VORN - Transfer"));
        QVERIFY2(dialogs.shown()[0].text.contains(QStringLiteral("VORN_SERIAL")), qPrintable(dialogs.shown()[0].text));
    }
};

QTEST_MAIN(TransferDispatchTest)
#include "TransferDispatchTest.moc"
