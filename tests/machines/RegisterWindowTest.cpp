#include "app/HelpPages.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "machines/TDataModule1.h"
#include "machines/TForm_Maquinas.h"
#include "support/PseudoTerminalPair.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "transfer/FtpTestServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

/// The machine register window over a real database file: what it stores in
/// each mode, its checks in order, and its three communication tests.
class RegisterWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_programDir;
    ProgramSettings m_settings;
    TDataModule1 m_db;
    std::unique_ptr<TForm_Maquinas> m_window;

    template<typename T> T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(name); }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QTabWidget *pages() const { return child<QTabWidget>(u"PageControl1"_s); }

    QString focused() const { return m_window->focusWidget() ? m_window->focusWidget()->objectName() : QString(); }

    /// The parameter pages that can be seen, by object name.
    QStringList visiblePages() const
    {
        QStringList names;
        for (int i = 0; i < pages()->count(); ++i) {
            if (pages()->isTabVisible(i)) {
                names << pages()->widget(i)->objectName();
            }
        }
        return names;
    }

    /// Sets a control by name: a text for an edit, a position for a list.
    void set(const QString &name, const QVariant &value)
    {
        if (auto *line = m_window->findChild<QLineEdit *>(name)) {
            line->setText(value.toString());
        } else {
            combo(name)->setCurrentIndex(value.toInt());
        }
    }

    /// The machine part of a complete form, of transfer type \a type.
    void fillMachine(int type)
    {
        set(u"Edit1"_s, u"M-10"_s);
        set(u"Edit2"_s, u"Lathe 'Romi'"_s);
        set(u"ComboBox2"_s, 4);
        set(u"Edit9"_s, u"/cnc/lathe/"_s);
        set(u"ComboBox1"_s, type);
    }

    void fillDirectory(const QString &directory) { set(u"Edit3"_s, directory); }

    void fillFtp(const QString &host, const QString &port, const QString &directory)
    {
        set(u"Edit4"_s, host);
        set(u"Edit5"_s, port);
        set(u"Edit6"_s, u"operator"_s);
        set(u"Edit7"_s, u"s3cret"_s);
        set(u"Edit8"_s, directory);
    }

    void fillSerial(int port, int flow)
    {
        set(u"ComboBox3"_s, port);
        set(u"ComboBox4"_s, 13);
        set(u"ComboBox5"_s, 4);
        set(u"ComboBox6"_s, 3);
        set(u"ComboBox7"_s, 2);
        set(u"ComboBox8"_s, flow);
    }

    /// A complete form of \a type: 1 local directory, 3 FTP, 4 serial.
    void fillComplete(int type)
    {
        fillMachine(type);
        fillDirectory(u"/mnt/cnc/"_s);
        fillFtp(u"10.0.0.7"_s, u"21"_s, u"/progs/"_s);
        fillSerial(1, 3);
    }

    qint64 registerComplete(int type)
    {
        m_window->prepare(TForm_Maquinas::Mode::Register);
        fillComplete(type);
        button(u"BitBtn1"_s)->click();
        if (m_window->result() != QDialog::Accepted) {
            qFatal("registering failed");
        }
        return m_window->editedMachineId();
    }

    MachineRow machine(qint64 id)
    {
        std::optional<MachineRow> row;
        if (!m_db.selectMachine(id, row) || !row) {
            qFatal("machine %lld not found", id);
        }
        return *row;
    }

    int machineCount()
    {
        QList<MachineRow> rows;
        m_db.selectAllMachines(rows);
        return int(rows.size());
    }

    /// Rows of a parameter table for one machine, read on a connection of the test's own.
    int parameterRows(const QString &table, qint64 id)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"count"_s);
            db.setDatabaseName(m_db.databasePath());
            if (db.open()) {
                QSqlQuery query(db);
                query.prepare(u"SELECT COUNT(*) FROM "_s + table + u" WHERE ID_MAQUINA=?"_s);
                query.addBindValue(id);
                if (query.exec() && query.next()) {
                    count = query.value(0).toInt();
                }
            }
        }
        QSqlDatabase::removeDatabase(u"count"_s);
        return count;
    }

    QStringList flowIndicators() const
    {
        QStringList texts;
        for (int n = 27; n <= 34; ++n) {
            texts << child<QLabel>(u"Label%1"_s.arg(n))->text();
        }
        return texts;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_programDir.isValid());
        Catalogue::current().load(u"EN"_s);
        m_settings.ProgramDir = m_programDir.path() + u'/';
        m_settings.LanguageCode = u"EN"_s;
        m_settings.HelpDir = helpDirFor(m_settings.ProgramDir, m_settings.LanguageCode);
        QVERIFY2(m_db.createDatabase(m_programDir.filePath(u"VORNMachines.db"_s)), qPrintable(m_db.errorString()));
        m_window = std::make_unique<TForm_Maquinas>(m_db, m_settings);
        ApplyLanguage({m_window.get()}, Catalogue::current());
    }

    void cleanupTestCase() { m_window.reset(); }

    void theLanguageRebuildsTheListsWithTheirBlankEntry()
    {
        QCOMPARE(combo(u"ComboBox1"_s)->count(), 5);
        QCOMPARE(combo(u"ComboBox1"_s)->itemText(0), QString());
        QCOMPARE(combo(u"ComboBox1"_s)->itemText(2), u"Network Directory"_s);
        QCOMPARE(combo(u"ComboBox2"_s)->count(), 8);
        QCOMPARE(combo(u"ComboBox2"_s)->itemText(7), u"Image 07"_s);
        QCOMPARE(child<QLabel>(u"Label3"_s)->text(), u"Machine Number :"_s);
        QCOMPARE(button(u"Button2"_s)->text(), u"&Test Serial Communication"_s);
        QCOMPARE(pages()->tabText(pages()->indexOf(child<QWidget>(u"TabSheet2"_s))), u"Parameters of FTP Transfer"_s);
        QVERIFY(child<QCheckBox>(u"CheckBox1"_s)->isHidden());
        QVERIFY(child<QLabel>(u"Label17"_s)->isHidden());
        // The speed list ends with a blank entry; the port list stops at COM12.
        QCOMPARE(combo(u"ComboBox4"_s)->count(), 17);
        QCOMPARE(combo(u"ComboBox4"_s)->itemText(16), QString());
        QCOMPARE(combo(u"ComboBox3"_s)->itemText(12), u"COM12"_s);
    }

    void registeringStoresTrimmedTextsAndChangingStoresThemAsTyped()
    {
        ScriptedDialogs dialogs;
        QSignalSpy saved(m_window.get(), &TForm_Maquinas::machineSaved);
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Register));
        QCOMPARE(child<Ribbon>(u"Ribbon1"_s)->caption(), u"VORN Transfer - Vs.2.3.0 - Register Machines"_s);
        QVERIFY(button(u"BitBtn1"_s)->isEnabled());
        QVERIFY(!button(u"BitBtn2"_s)->isEnabled());
        fillMachine(1);
        set(u"Edit1"_s, u"  M-10 "_s);
        set(u"Edit2"_s, u" Lathe 'Romi'  "_s);
        set(u"Edit9"_s, u" /cnc/lathe/ "_s);
        fillDirectory(u" /mnt/cnc "_s);
        m_window->setResult(QDialog::Rejected);
        button(u"BitBtn1"_s)->click();

        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"INFORMATION: Register New Machine \" Lathe 'Romi'  \" performed successfully."_s});
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Information);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        const qint64 id = m_window->editedMachineId();
        QVERIFY(id > 0);
        MachineRow row = machine(id);
        QCOMPARE(row.Number, u"M-10"_s);
        QCOMPARE(row.Description, u"Lathe 'Romi'"_s);
        QCOMPARE(row.ProgramsDir, u"/cnc/lathe/"_s);
        QCOMPARE(row.TransferType, u"DIRLOCAL"_s);
        QCOMPARE(row.PictureCode, u"4"_s);
        std::optional<PathParameters> path;
        QVERIFY(m_db.selectPathParameters(id, path) && path);
        QCOMPARE(path->Directory, u" /mnt/cnc "_s);

        dialogs.clear();
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        QCOMPARE(child<Ribbon>(u"Ribbon1"_s)->caption(), u"VORN Transfer - Vs.2.3.0 - Edit Data Machines"_s);
        QVERIFY(!button(u"BitBtn1"_s)->isEnabled());
        QVERIFY(button(u"BitBtn2"_s)->isEnabled());
        QCOMPARE(edit(u"Edit1"_s)->text(), u"M-10"_s);
        QCOMPARE(combo(u"ComboBox2"_s)->currentIndex(), 4);
        QVERIFY(!child<QLabel>(u"Image1"_s)->pixmap().isNull());
        QCOMPARE(visiblePages(), QStringList {u"TabSheet1"_s});
        QCOMPARE(pages()->tabText(pages()->indexOf(child<QWidget>(u"TabSheet1"_s))),
                 u"Parameters Transfer Directory"_s);
        set(u"Edit1"_s, u"  M-11 "_s);
        set(u"Edit2"_s, u" Lathe 2 "_s);
        set(u"Edit9"_s, u" /cnc/lathe2/ "_s);
        m_window->setResult(QDialog::Rejected);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"INFORMATION: Data Editing Machine \" Lathe 2 \" performed successfully."_s});
        QCOMPARE(saved.size(), 2);
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QCOMPARE(m_window->editedMachineId(), id);
        row = machine(id);
        QCOMPARE(row.Number, u"  M-11 "_s);
        QCOMPARE(row.Description, u" Lathe 2 "_s);
        QCOMPARE(row.ProgramsDir, u" /cnc/lathe2/ "_s);
        QCOMPARE(parameterRows(u"VORN_PATH"_s, id), 1);
    }

    void theFolderPickersAppendTheSeparator()
    {
        ScriptedDialogs dialogs;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        dialogs.chooseNext(u" /data/cnc "_s);
        dialogs.chooseNext(u"/mnt/lathe/"_s);
        dialogs.chooseNext(QString()); // cancelled
        button(u"BitBtn4"_s)->click();
        button(u"BitBtn5"_s)->click();
        QCOMPARE(edit(u"Edit9"_s)->text(), u"/data/cnc/"_s);
        QCOMPARE(edit(u"Edit3"_s)->text(), u"/mnt/lathe/"_s);
        button(u"BitBtn4"_s)->click();
        QCOMPARE(edit(u"Edit9"_s)->text(), u"/data/cnc/"_s);
        QVERIFY(edit(u"Edit9"_s)->isReadOnly());
        QVERIFY(edit(u"Edit3"_s)->isReadOnly());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void checksFailInTheirOrder_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariantMap>("blanks");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const auto row
            = [](const char *name, int type, const QVariantMap &blanks, const QString &message, const QString &focus) {
                  QTest::newRow(name) << type << blanks << u"INFORMATION: Please "_s + message << focus;
              };
        const QVariant text = u"  "_s;
        const QVariant none = 0;
        row("number", 1, {{u"Edit1"_s, text}, {u"Edit2"_s, text}}, u"fill the \"Machine Number\" field."_s, u"Edit1"_s);
        row("description", 1, {{u"Edit2"_s, text}, {u"ComboBox2"_s, none}},
            u"fill the \"Machine Description\" field."_s, u"Edit2"_s);
        row("picture", 1, {{u"ComboBox2"_s, none}, {u"Edit9"_s, text}}, u"select the \"Picture Machine\" field."_s,
            u"ComboBox2"_s);
        row("programs directory", 1, {{u"Edit9"_s, text}, {u"ComboBox1"_s, none}},
            u"fill the \"Directory of Programs\" field."_s, u"Edit9"_s);
        row("transfer type", 0, {}, u"select the \"Transfer Type\" field."_s, u"ComboBox1"_s);
        row("machine directory", 2, {{u"Edit3"_s, text}}, u"fill the \"Directory\" field."_s, u"Edit3"_s);
        row("host", 3, {{u"Edit4"_s, text}, {u"Edit5"_s, text}}, u"fill the \"Host or IP\" field."_s, u"Edit4"_s);
        row("port", 3, {{u"Edit5"_s, text}, {u"Edit6"_s, text}}, u"fill the \"Port\" field."_s, u"Edit5"_s);
        row("user", 3, {{u"Edit6"_s, text}, {u"Edit7"_s, text}}, u"fill the \"User\" field."_s, u"Edit6"_s);
        row("password", 3, {{u"Edit7"_s, text}, {u"Edit8"_s, text}}, u"fill the \"Password\" field."_s, u"Edit7"_s);
        row("ftp directory", 3, {{u"Edit8"_s, text}}, u"fill the \"Directory\" field."_s, u"Edit8"_s);
        row("com port", 4, {{u"ComboBox3"_s, none}, {u"ComboBox4"_s, none}}, u"select the \"COM Port\" field."_s,
            u"ComboBox3"_s);
        row("speed", 4, {{u"ComboBox4"_s, none}, {u"ComboBox5"_s, none}}, u"select the \"Speed\" field."_s,
            u"ComboBox4"_s);
        row("blank at the end of the speed list", 4, {{u"ComboBox4"_s, 16}}, u"select the \"Speed\" field."_s,
            u"ComboBox4"_s);
        row("data bits", 4, {{u"ComboBox5"_s, none}, {u"ComboBox6"_s, none}}, u"select the \"Data Bits\" field."_s,
            u"ComboBox5"_s);
        row("parity", 4, {{u"ComboBox6"_s, none}, {u"ComboBox7"_s, none}}, u"select the \"Parity\" field."_s,
            u"ComboBox6"_s);
        row("stop bits", 4, {{u"ComboBox7"_s, none}, {u"ComboBox8"_s, none}}, u"select the \"Stop Bits\" field."_s,
            u"ComboBox7"_s);
        row("flow control", 4, {{u"ComboBox8"_s, none}}, u"select the \"Flow Control\" field."_s, u"ComboBox8"_s);
    }

    void checksFailInTheirOrder()
    {
        QFETCH(int, type);
        QFETCH(QVariantMap, blanks);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ScriptedDialogs dialogs;
        QSignalSpy saved(m_window.get(), &TForm_Maquinas::machineSaved);
        const int before = machineCount();
        m_window->prepare(TForm_Maquinas::Mode::Register);
        fillComplete(type);
        for (auto it = blanks.cbegin(); it != blanks.cend(); ++it) {
            set(it.key(), it.value());
        }
        const MachineForm entered = m_window->form();
        m_window->setResult(QDialog::Rejected);
        button(u"BitBtn1"_s)->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {message});
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Information);
        QCOMPARE(focused(), focus);
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QCOMPARE(saved.size(), 0);
        QCOMPARE(machineCount(), before);
        // The entered values stay for the user to correct.
        QCOMPARE(m_window->form().Number, entered.Number);
        QCOMPARE(m_window->form().TransferTypeIndex, entered.TransferTypeIndex);
        QCOMPARE(m_window->form().SpeedIndex, entered.SpeedIndex);
    }

    void aTypeChangeKeepsTheOldRowAndSwitchingBackReusesIt()
    {
        ScriptedDialogs dialogs;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        fillMachine(3);
        fillFtp(u"10.0.0.7"_s, u"ftp"_s, u"/progs/"_s); // the port need not be a number to be saved
        button(u"BitBtn1"_s)->click();
        const qint64 id = m_window->editedMachineId();
        QCOMPARE(machine(id).TransferType, u"FTP"_s);

        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        QCOMPARE(visiblePages(), QStringList {u"TabSheet2"_s});
        QCOMPARE(edit(u"Edit5"_s)->text(), u"ftp"_s);
        set(u"ComboBox1"_s, 4);
        QCOMPARE(visiblePages(), QStringList {u"TabSheet3"_s});
        fillSerial(2, 2);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(machine(id).TransferType, u"SERIAL232"_s);
        QCOMPARE(parameterRows(u"VORN_SERIAL"_s, id), 1);
        QCOMPARE(parameterRows(u"VORN_FTP"_s, id), 1);

        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        QCOMPARE(combo(u"ComboBox3"_s)->currentText(), u"COM2"_s);
        QCOMPARE(combo(u"ComboBox8"_s)->currentText(), u"HARDWARE"_s);
        QCOMPARE(flowIndicators(),
                 (QStringList {u"Deshabilitado"_s, u"Handshake"_s, u"True"_s, u"False"_s, u"False"_s, u"False"_s,
                               u"17"_s, u"19"_s}));
        QVERIFY(edit(u"Edit4"_s)->text().isEmpty());
        set(u"ComboBox1"_s, 3);
        fillFtp(u"10.0.0.8"_s, u"2121"_s, u"/new/"_s);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(machine(id).TransferType, u"FTP"_s);
        QCOMPARE(parameterRows(u"VORN_FTP"_s, id), 1);
        std::optional<FtpParameters> ftp;
        QVERIFY(m_db.selectFtpParameters(id, ftp) && ftp);
        QCOMPARE(ftp->Host, u"10.0.0.8"_s);
        QCOMPARE(ftp->Port, u"2121"_s);
        QCOMPARE(ftp->Directory, u"/new/"_s);
        std::optional<SerialParameters> serial;
        QVERIFY(m_db.selectSerialParameters(id, serial) && serial);
        QCOMPARE(serial->Port, u"COM2"_s);
        QCOMPARE(serial->Flow, 2);
        QCOMPARE(dialogs.shown().size(), 3);
    }

    void anOlderNetworkCodeLoadsAsNetworkDirectoryAndSavesAsTheCurrentOne()
    {
        ScriptedDialogs dialogs;
        qint64 id = 0;
        QVERIFY(m_db.appendMachine(u"7"_s, u"Mill"_s, u"DIRREDE"_s, 2, u"/cnc/mill/"_s, id));
        QVERIFY(m_db.insertPathParameters(id, {u"/mnt/share/mill/"_s}));
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        QCOMPARE(combo(u"ComboBox1"_s)->currentIndex(), 2);
        QCOMPARE(combo(u"ComboBox1"_s)->currentText(), u"Network Directory"_s);
        QCOMPARE(visiblePages(), QStringList {u"TabSheet1"_s});
        QCOMPARE(pages()->tabText(pages()->indexOf(child<QWidget>(u"TabSheet1"_s))),
                 u"Transfer Parameters Network Directory"_s);
        QCOMPARE(edit(u"Edit3"_s)->text(), u"/mnt/share/mill/"_s);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(m_window->result(), int(QDialog::Accepted));
        QCOMPARE(machine(id).TransferType, u"DIRNET"_s);
        QCOMPARE(parameterRows(u"VORN_PATH"_s, id), 1);
    }

    void aPortNameOutsideTheListLoadsUnselected()
    {
        ScriptedDialogs dialogs;
        qint64 id = 0;
        QVERIFY(m_db.appendMachine(u"8"_s, u"Robot"_s, u"SERIAL232"_s, 6, u"/cnc/robot/"_s, id));
        QVERIFY(m_db.insertSerialParameters(id, {7, 4, 3, 2, 1, 4, u"COM13"_s}));
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        QCOMPARE(combo(u"ComboBox3"_s)->currentIndex(), 0);
        QCOMPARE(combo(u"ComboBox4"_s)->currentText(), u"9600"_s);
        QCOMPARE(combo(u"ComboBox8"_s)->currentText(), u"SOFTWARE"_s);
        QCOMPARE(flowIndicators()[5], u"True"_s);
        QVERIFY(child<QCheckBox>(u"CheckBox1"_s)->isChecked());
        m_window->setResult(QDialog::Rejected);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {u"INFORMATION: Please select the \"COM Port\" field."_s});
        QCOMPARE(focused(), u"ComboBox3"_s);
        std::optional<SerialParameters> serial;
        QVERIFY(m_db.selectSerialParameters(id, serial) && serial);
        QCOMPARE(serial->Port, u"COM13"_s);

        // Clearing for the next opening resets everything the fill set.
        m_window->prepare(TForm_Maquinas::Mode::Register);
        QCOMPARE(combo(u"ComboBox8"_s)->currentIndex(), 0);
        QCOMPARE(flowIndicators(), QStringList(8, u"____________"_s));
        QVERIFY(!child<QCheckBox>(u"CheckBox1"_s)->isChecked());
        QVERIFY(child<QLabel>(u"Image1"_s)->pixmap().isNull());
        QVERIFY(visiblePages().isEmpty());
    }

    void viewingLocksTheFieldsButTheTestsAndTheMachineDirectoryPickerWork()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir machineDir;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        fillMachine(1);
        fillDirectory(machineDir.path());
        button(u"BitBtn1"_s)->click();
        const qint64 id = m_window->editedMachineId();
        const MachineRow stored = machine(id);
        const int machines = machineCount();
        dialogs.clear();

        QSignalSpy saved(m_window.get(), &TForm_Maquinas::machineSaved);
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::View, id));
        QCOMPARE(child<Ribbon>(u"Ribbon1"_s)->caption(), u"VORN Transfer - Vs.2.3.0 - View Data Machines"_s);
        for (const QString &name : {u"Edit1"_s, u"Edit2"_s, u"Edit4"_s, u"Edit8"_s}) {
            QVERIFY2(edit(name)->isReadOnly(), qPrintable(name));
        }
        for (int n = 1; n <= 8; ++n) {
            QVERIFY(!combo(u"ComboBox%1"_s.arg(n))->isEnabled());
        }
        QVERIFY(!button(u"BitBtn1"_s)->isEnabled());
        QVERIFY(!button(u"BitBtn2"_s)->isEnabled());
        QVERIFY(!button(u"BitBtn4"_s)->isEnabled());
        QVERIFY(button(u"BitBtn3"_s)->isEnabled());

        button(u"Button3"_s)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"INFORMATION: Test communication with Directory \""_s + machineDir.path()
                              + u"\" performed successfully."_s});
        dialogs.chooseNext(u"/mnt/other"_s);
        button(u"BitBtn5"_s)->click();
        QCOMPARE(edit(u"Edit3"_s)->text(), u"/mnt/other/"_s);

        // Neither save runs, not even when asked directly.
        m_window->BitBtn1Click();
        m_window->BitBtn2Click();
        QCOMPARE(saved.size(), 0);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(machineCount(), machines);
        std::optional<PathParameters> path;
        QVERIFY(m_db.selectPathParameters(id, path) && path);
        QCOMPARE(path->Directory, machineDir.path());
        QCOMPARE(machine(id).Changed, stored.Changed);

        // The next opening for editing unlocks again.
        m_window->prepare(TForm_Maquinas::Mode::Edit, id);
        QVERIFY(!edit(u"Edit1"_s)->isReadOnly());
        QVERIFY(combo(u"ComboBox1"_s)->isEnabled());
        QVERIFY(button(u"BitBtn4"_s)->isEnabled());
    }

    void theDirectoryTestReportsAnExistingOrMissingDirectory()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir machineDir;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        set(u"ComboBox1"_s, 2);
        fillDirectory(u"   "_s);
        button(u"Button3"_s)->click();
        QVERIFY(dialogs.shown().isEmpty());

        const QString missing = machineDir.filePath(u"gone"_s);
        fillDirectory(missing);
        button(u"Button3"_s)->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"ERROR: Failed Test communication with Directory \""_s + missing
                              + u"\".\nPlease check the parameters of Communication Directory."_s});
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY(button(u"Button3"_s)->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void theFtpTestAsksForEmptyFieldsAndReportsAFailure()
    {
        ScriptedDialogs dialogs;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        set(u"ComboBox1"_s, 3);
        fillFtp(u"127.0.0.1"_s, u"21"_s, u"/progs/"_s);
        set(u"Edit6"_s, u" "_s);
        button(u"Button1"_s)->click();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(focused(), u"Edit6"_s);

        fillFtp(u"127.0.0.1"_s, u"twenty-one"_s, u"/progs/"_s);
        button(u"Button1"_s)->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        const QString head
            = u"ERROR: Failed Communication Test FTP \"127.0.0.1/progs/\".\nPlease check the parameters for FTP communication."_s;
        QVERIFY2(dialogs.shownTexts()[0].startsWith(head), qPrintable(dialogs.shownTexts()[0]));
        QVERIFY(button(u"Button1"_s)->isEnabled());
    }

    void theFtpTestLogsIntoARealServer()
    {
        if (!FtpTestServer::available()) {
            QSKIP("python3-pyftpdlib is not installed");
        }
        QTemporaryDir home;
        QDir(home.path()).mkpath(u"progs"_s);
        FtpTestServer server;
        const QString port = QString::number(server.start(home.path(), u"operator"_s, u"s3cret"_s));
        QVERIFY(port != u"0");

        ScriptedDialogs dialogs;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        set(u"ComboBox1"_s, 3);
        fillFtp(u"127.0.0.1"_s, port, u"/progs/"_s);
        button(u"Button1"_s)->click();
        QCOMPARE(
            dialogs.shownTexts(),
            QStringList {u"INFORMATION: Testing FTP communication \"127.0.0.1/progs/\" performed successfully."_s});
        server.stop();
    }

    void theSerialTestOpensThePortWithItsSettings()
    {
        if (!PseudoTerminalPair::available()) {
            QSKIP("socat is not installed");
        }
        QTemporaryDir devices;
        PseudoTerminalPair pair(devices.path());
        const QString gone = devices.filePath(u"gone"_s);
        TestFiles::write(m_settings.transferIniPath(),
                         "[COMPORTS]\nCOM3=" + pair.end().toUtf8() + "\nCOM4=" + gone.toUtf8() + "\n");
        QVERIFY(pair.start());

        ScriptedDialogs dialogs;
        m_window->prepare(TForm_Maquinas::Mode::Register);
        set(u"ComboBox1"_s, 4);
        fillSerial(3, 0);
        button(u"Button2"_s)->click();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(focused(), u"ComboBox8"_s);

        // CUSTOM keeps the test port's own preset: XON/XOFF both ways.
        QCOMPARE(m_window->testPort().flow(), SerialFlow::Software);
        set(u"ComboBox8"_s, 1);
        button(u"Button2"_s)->click();
        QCOMPARE(m_window->testPort().flow(), SerialFlow::Software);
        set(u"ComboBox8"_s, 3);
        button(u"Button2"_s)->click();
        QCOMPARE(m_window->testPort().flow(), SerialFlow::None);
        QCOMPARE(dialogs.shownTexts(),
                 QStringList(2, u"INFORMATION: Testing the Communication Port \"COM3\" performed successfully."_s));
        QVERIFY(!m_window->testPort().isOpen());

        dialogs.clear();
        set(u"ComboBox3"_s, 4);
        button(u"Button2"_s)->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        const QString head = u"ERROR: Failed Test Port Communication \"COM4\".\n"
                             "Please check the serial communication parameters.\n"_s
            + gone + u": "_s;
        QVERIFY2(dialogs.shownTexts()[0].startsWith(head), qPrintable(dialogs.shownTexts()[0]));
        QVERIFY(button(u"Button2"_s)->isEnabled());
        pair.stop();
    }

    void showingIsModalCentredInNormalStateWithItsHelpPage()
    {
        ScriptedDialogs dialogs;
        QDir(m_programDir.path()).mkpath(u"Help/EN"_s);
        TestFiles::write(m_programDir.filePath(u"Help/EN/func04.html"_s), "<html></html>");
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QDir(m_programDir.path()).relativeFilePath(path);
            return true;
        });
        bool wasModal = false;
        Qt::WindowStates afterMaximise = Qt::WindowMaximized;
        QTimer::singleShot(0, m_window.get(), [&] {
            wasModal = m_window->isVisible() && m_window->isModal();
            m_window->showMaximized();
            QTRY_VERIFY(!(m_window->windowState() & Qt::WindowMaximized));
            afterMaximise = m_window->windowState();
            child<Ribbon>(u"Ribbon1"_s)->helpButton()->click();
            button(u"BitBtn3"_s)->click();
        });
        QVERIFY(!m_window->showModal(TForm_Maquinas::Mode::Register));
        HelpPages::setOpener({});
        QVERIFY(wasModal);
        QCOMPARE(afterMaximise, Qt::WindowNoState);
        QCOMPARE(opened, QStringList {u"Help/EN/func04.html"_s});
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aMachineDeletedElsewhereIsReportedAndNothingIsWritten()
    {
        ScriptedDialogs dialogs;
        const qint64 id = registerComplete(3);
        QVERIFY(m_window->prepare(TForm_Maquinas::Mode::Edit, id));
        // Another workstation deletes the machine while it is open here.
        QVERIFY(m_db.deleteMachine(id));
        QVERIFY(m_db.deleteMachine(id));
        set(u"ComboBox1"_s, 4);
        fillSerial(1, 3);
        dialogs.clear();
        QSignalSpy saved(m_window.get(), &TForm_Maquinas::machineSaved);
        m_window->setResult(QDialog::Rejected);
        button(u"BitBtn2"_s)->click();
        const QString gone
            = u"ERROR: The machine is no longer in the register. It may have been deleted on another workstation."_s;
        QCOMPARE(dialogs.shownTexts(), QStringList {gone});
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QCOMPARE(saved.size(), 0);
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QCOMPARE(parameterRows(u"VORN_SERIAL"_s, id), 0);

        dialogs.clear();
        QVERIFY(!m_window->prepare(TForm_Maquinas::Mode::View, id));
        QCOMPARE(dialogs.shownTexts(), QStringList {gone});
    }

    void aMachineThatCannotBeReadIsNotShown()
    {
        ScriptedDialogs dialogs;
        const QString path = m_db.databasePath();
        m_db.disconnectDatabase();
        bool shown = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            shown = m_window->isVisible();
            m_window->reject();
        });
        const bool saved = m_window->showModal(TForm_Maquinas::Mode::Edit, 1);
        QVERIFY(m_db.connectDatabase(path));
        QVERIFY(!saved);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY(!dialogs.shownTexts()[0].isEmpty());
        QVERIFY(!m_window->isVisible());
        QCoreApplication::processEvents();
        QVERIFY(!shown);
    }
};

QTEST_MAIN(RegisterWindowTest)
#include "RegisterWindowTest.moc"
