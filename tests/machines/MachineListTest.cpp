#include "app/FileBrowser.h"
#include "app/HelpPages.h"
#include "app/ProgramSettings.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_DIR.h"
#include "app/TForm_Main.h"
#include "machines/MachineListPane.h"
#include "machines/MachinePanelDelegate.h"
#include "machines/MachinePanelList.h"
#include "machines/MachineRegister.h"
#include "machines/TDataModule1.h"
#include "machines/TForm_Selecionar_Maquina.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

struct Machine
{
    QString number;
    QString description;
    int picture;
    QString programsDir;
};

/// Runs \a trigger and, as soon as it has a modal dialog on screen, \a act on
/// that dialog. Waiting for the dialog itself, rather than for the next turn of
/// the event loop, keeps a loaded machine from acting before the dialog is
/// shown and then waiting for ever.
template<typename Trigger, typename Act> void whileModal(Trigger trigger, Act act)
{
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (modal && modal->isVisible()) {
            poll.stop();
            act(*modal);
        }
    });
    poll.start();
    trigger();
}

/// The program with every window, started on a machine database that holds
/// \a machines (registered in this order).
class Program
{
public:
    explicit Program(const QList<Machine> &machines)
    {
        TestFiles::write(m_dir.filePath(u"VORNTransfer.ini"_s), "[LANGUAGE]\nVALUE=EN\n");
        QDir(m_dir.path()).mkpath(u"Help/EN"_s);
        TestFiles::write(m_dir.filePath(u"Help/EN/func03.1.html"_s), "<html></html>");
        if (!machines.isEmpty()) {
            // A first start-up creates the database; the program then finds it in its settings.
            ProgramSettings settings = loadProgramSettings(m_dir.path());
            TDataModule1 db;
            if (!db.connectAtStartup(settings)) {
                qFatal("%s", qPrintable(db.errorString()));
            }
            for (const Machine &m : machines) {
                MachineForm form;
                form.Number = m.number;
                form.Description = m.description;
                form.PictureIndex = m.picture;
                form.ProgramsDir = m.programsDir;
                form.TransferTypeIndex = 1;
                form.MachineDir = u"/mnt/machine/"_s;
                qint64 id = 0;
                if (!db.registerMachine(form, id)) {
                    qFatal("%s", qPrintable(db.errorString()));
                }
                ids.insert(m.number, id);
            }
        }
        windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_dir.path(), 0ms, true});
        windows->main->show();
        if (!QTest::qWaitFor([&] { return windows->main->startupCompleted(); }, 10000)) {
            qFatal("start-up did not complete");
        }
    }

    ~Program() { windows.reset(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    TForm_Main &main() const { return *windows->main; }
    MachineRegister &machines() const { return *windows->machines; }
    MachinePanelList &list() const { return *windows->machineList->list(); }
    TForm_Selecionar_Maquina &chooser() const { return *windows->chooser; }

    QLineEdit *filter(const QString &name) const { return main().findChild<QLineEdit *>(name); }
    void click(const QString &name) const { main().findChild<QAbstractButton *>(name)->click(); }

    /// Clicks \a name, whose handler shows a window modally; gives back the
    /// window's ribbon caption and its machine number field, and closes it.
    QStringList clickAndCloseModal(const QString &name) const
    {
        QStringList seen;
        whileModal([&] { click(name); },
                   [&seen](QDialog &modal) {
                       const auto *number = modal.findChild<QLineEdit *>(u"Edit1"_s);
                       const auto *ribbon = modal.findChild<Ribbon *>();
                       seen << (ribbon ? ribbon->caption() : QString()) << (number ? number->text() : QString());
                       modal.reject();
                   });
        return seen;
    }
    QString summary(const QString &name) const { return main().findChild<QLabel *>(name)->text(); }
    bool summaryHasPicture() const { return !main().findChild<QLabel *>(u"ImageMachine"_s)->pixmap().isNull(); }

    /// The numbers the machine list shows, in order.
    QStringList listed() const
    {
        QStringList numbers;
        for (const MachineRow &row : list().machines()) {
            numbers << row.Number;
        }
        return numbers;
    }

    void search(const QString &name, const QString &number) const
    {
        filter(u"Edit3"_s)->setText(name);
        filter(u"Edit4"_s)->setText(number);
        click(u"Button2"_s);
    }

    std::unique_ptr<ProgramWindows> windows;
    QHash<QString, qint64> ids;

private:
    QTemporaryDir m_dir;
};

/// True when the picture place of row \a row shows a single colour (no picture).
bool picturePlaceIsPlain(MachinePanelList &list, int row)
{
    const QRect panel = list.visualRect(list.model()->index(row, 0));
    const QImage shot = list.viewport()->grab().toImage();
    const QRect place = MachinePanelDelegate::pictureRect(panel).adjusted(2, 2, -2, -2);
    const QRgb first = shot.pixel(place.topLeft());
    for (int y = place.top(); y <= place.bottom(); ++y) {
        for (int x = place.left(); x <= place.right(); ++x) {
            if (shot.pixel(x, y) != first) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

/// The machine list with its filter and buttons, the chooser and the current
/// machine, over a real machine database.
class MachineListTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_cnc; ///< an existing program directory
    std::unique_ptr<Program> m_program;

    QString existingDir() const { return m_cnc.path(); }

    QList<Machine> shop() const
    {
        return {
            {u"9"_s, u"Lathe Nine"_s, 4, existingDir()},       {u"10"_s, u"Mill Ten"_s, 1, u"/no/such/cnc/programs/"_s},
            {u"12"_s, u"Robot"_s, 6, existingDir() + u'/'},    {u"112"_s, u"Robot cell"_s, 0, u"/no/such/cnc/"_s},
            {u"A12-3"_s, u"Printer"_s, 8, u"/no/such/cnc/"_s}, {u"21"_s, u"Gantry"_s, 3, u"/no/such/cnc/"_s},
        };
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_cnc.isValid());
        ScriptedDialogs dialogs;
        m_program = std::make_unique<Program>(shop());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void cleanupTestCase() { m_program.reset(); }

    void panelsAreCentredAndShareTheView_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("top");
        QTest::newRow("short panel keeps 10") << 100 << 10;
        QTest::newRow("just taller than the rows") << 111 << 10;
        QTest::newRow("centred") << 130 << 20;
        QTest::newRow("odd height truncates") << 201 << 55;
    }

    void panelsAreCentredAndShareTheView()
    {
        QFETCH(int, height);
        QFETCH(int, top);
        QCOMPARE(MachinePanelDelegate::panelTop(height), top);
        QCOMPARE(MachinePanelDelegate::pictureRect(QRect(0, 1000, 600, height)), QRect(10, 1000 + top - 3, 100, 100));

        for (const int inView : {5, 4}) {
            MachinePanelList list(u"Form_Main"_s, inView, inView == 5);
            list.resize(800, 1000);
            list.show();
            QTRY_COMPARE(list.panelHeight(), list.viewport()->height() / inView);
        }
    }

    void startupListsEveryMachineAsTextAndSelectsTheFirst()
    {
        Program &p = *m_program;
        QCOMPARE(p.listed(), (QStringList {u"10"_s, u"112"_s, u"12"_s, u"21"_s, u"9"_s, u"A12-3"_s}));
        QCOMPARE(p.list().currentRowNumber(), 1);
        QCOMPARE(p.machines().CurrentMachine.Number, u"10"_s);
        QCOMPARE(p.machines().CurrentMachine.Id, QString::number(p.ids.value(u"10"_s)));
        QCOMPARE(p.summary(u"ValueDescription"_s), u"Mill Ten"_s);
        QCOMPARE(p.summary(u"ValueTransferType"_s), u"DIRLOCAL"_s);
        QVERIFY(p.summaryHasPicture());
        for (const char *name : {"SpeedButton1", "SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton8",
                                 "Button2", "Button3", "Edit3", "Edit4"}) {
            QVERIFY2(p.main().findChild<QWidget *>(QString::fromLatin1(name))->isEnabled(), name);
        }
    }

    void filterMatchesBothFieldsAnywhere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("number inside") << QString() << u"12"_s << QStringList {u"112"_s, u"12"_s, u"A12-3"_s};
        QTest::newRow("name inside, trimmed") << u"  bot "_s << QString() << QStringList {u"112"_s, u"12"_s};
        QTest::newRow("both must hold") << u"robot"_s << u"11"_s << QStringList {u"112"_s};
        QTest::newRow("nothing passes") << u"Lathe"_s << u"12"_s << QStringList {};
    }

    void filterMatchesBothFieldsAnywhere()
    {
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QStringList, listed);
        ScriptedDialogs dialogs;
        Program &p = *m_program;
        p.search(name, number);
        QCOMPARE(p.listed(), listed);
        QCOMPARE(p.list().currentRowNumber(), listed.isEmpty() ? 0 : 1);

        // "Limpar" empties both fields and lists every machine again.
        p.click(u"Button3"_s);
        QVERIFY(p.filter(u"Edit3"_s)->text().isEmpty() && p.filter(u"Edit4"_s)->text().isEmpty());
        QCOMPARE(p.listed().size(), 6);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void buttonsActOnTheSelectedMachine()
    {
        ScriptedDialogs dialogs;
        Program &p = *m_program;
        MachineListPane &pane = *p.windows->machineList;
        QSignalSpy registered(&pane, &MachineListPane::registerMachineRequested);
        QSignalSpy edited(&pane, &MachineListPane::editMachineRequested);
        QSignalSpy viewed(&pane, &MachineListPane::viewMachineRequested);

        p.search(QString(), QString());
        QVERIFY(p.list().moveToRow(5));
        QCOMPARE(p.clickAndCloseModal(u"SpeedButton6"_s),
                 (QStringList {u"VORN Transfer - Vs.2.3.0 - Edit Data Machines"_s, u"9"_s}));
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited[0][0].toLongLong(), p.ids.value(u"9"_s));
        QCOMPARE(p.machines().EditedMachineId, QString::number(p.ids.value(u"9"_s)));
        QVERIFY(p.list().moveToRow(2));
        QCOMPARE(p.clickAndCloseModal(u"SpeedButton7"_s),
                 (QStringList {u"VORN Transfer - Vs.2.3.0 - View Data Machines"_s, u"112"_s}));
        QCOMPARE(viewed.size(), 1);
        QCOMPARE(viewed[0][0].toLongLong(), p.ids.value(u"112"_s));
        QCOMPARE(p.machines().EditedMachineId, QString::number(p.ids.value(u"112"_s)));
        QCOMPARE(p.clickAndCloseModal(u"SpeedButton5"_s),
                 (QStringList {u"VORN Transfer - Vs.2.3.0 - Register Machines"_s, QString()}));
        QCOMPARE(registered.size(), 1);
        QVERIFY(dialogs.shown().isEmpty());

        // No row selected: each button says so and asks for nothing.
        p.search(u"no such machine"_s, QString());
        for (const char *button : {"SpeedButton6", "SpeedButton7", "SpeedButton8"}) {
            p.click(QString::fromLatin1(button));
        }
        QCOMPARE(dialogs.shownTexts(),
                 (QStringList {u"INFORMATION: Please select machine to edit the data."_s,
                               u"INFORMATION: Please select Machine to Data View."_s,
                               u"INFORMATION: Please select Machine to Delete."_s}));
        QCOMPARE(edited.size() + viewed.size(), 2);
        p.click(u"Button3"_s);
    }

    void selectionFillsTheSummaryAndMovesTheBrowserToExistingDirectories()
    {
        ScriptedDialogs dialogs;
        Program &p = *m_program;
        MachineRegister &machines = p.machines();
        FileBrowser &browser = *p.windows->browser;
        QSignalSpy changed(&machines, &MachineRegister::currentMachineChanged);
        const QString before = browser.currentFolder();
        QVERIFY(before != existingDir());
        QVERIFY(machines.FUNC_Listar_ALL_Maquinas());

        // "9": stored without the separator, shown as stored, used with it.
        machines.FUNC_Selecionar_Maquina(5);
        QCOMPARE(machines.CurrentMachine.Number, u"9"_s);
        QCOMPARE(machines.CurrentMachine.ProgramsDir, QString(existingDir() + u'/'));
        QCOMPARE(p.summary(u"ValueProgramsDir"_s), existingDir());
        QCOMPARE(p.summary(u"ValueNumber"_s), u"9"_s);
        QCOMPARE(browser.currentFolder(), existingDir());
        p.windows->productDirectory->prepare();
        QCOMPARE(p.windows->productDirectory->findChild<QLineEdit *>(u"Edit1"_s)->text(),
                 QString(existingDir() + u'/'));
        QVERIFY(p.summaryHasPicture());

        // A directory that does not exist: the machine is current, the browser stays.
        machines.FUNC_Selecionar_Maquina(1);
        QCOMPARE(machines.CurrentMachine.Number, u"10"_s);
        QCOMPARE(p.summary(u"ValueProgramsDir"_s), u"/no/such/cnc/programs/"_s);
        QCOMPARE(browser.currentFolder(), existingDir());

        // Picture codes 0 and 8 show no picture.
        for (const int row : {2, 6}) {
            machines.FUNC_Selecionar_Maquina(row);
            QVERIFY(!p.summaryHasPicture());
        }
        QCOMPARE(changed.size(), 4);

        // A row the list does not have changes nothing.
        machines.FUNC_Selecionar_Maquina(7);
        QCOMPARE(machines.CurrentMachine.Number, u"A12-3"_s);
        QCOMPARE(changed.size(), 4);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void panelsShowPicturesOnlyForCodesOneToSeven()
    {
        Program &p = *m_program;
        p.search(QString(), QString());
        p.main().ribbon()->setCurrentIndex(1);
        QTRY_VERIFY(p.list().isVisible());
        // Listed: 10 (1), 112 (0), 12 (6), 21 (3), 9 (4), A12-3 (8).
        QVERIFY(!picturePlaceIsPlain(p.list(), 0));
        QVERIFY(picturePlaceIsPlain(p.list(), 1));
        QVERIFY(!picturePlaceIsPlain(p.list(), 2));

        TForm_Selecionar_Maquina &chooser = p.chooser();
        QVERIFY(chooser.prepare());
        chooser.show();
        QTRY_VERIFY(chooser.list()->isVisible());
        QVERIFY(!picturePlaceIsPlain(*chooser.list(), 0));
        QVERIFY(picturePlaceIsPlain(*chooser.list(), 1));
        chooser.list()->scrollToBottom();
        QVERIFY(picturePlaceIsPlain(*chooser.list(), 5));
        chooser.hide();
        p.main().ribbon()->setCurrentIndex(0);
    }

    void chooserSelectionLeavesAFilteredListWhereItWas()
    {
        ScriptedDialogs dialogs;
        Program &p = *m_program;
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QFileInfo(path).fileName();
            return true;
        });
        p.search(u"robot"_s, QString());
        QCOMPARE(p.listed(), (QStringList {u"112"_s, u"12"_s}));
        QVERIFY(p.list().moveToRow(2));

        QStringList seen;
        whileModal([&] { p.click(u"SpeedButton1"_s); },
                   [&](QDialog &) {
                       TForm_Selecionar_Maquina &chooser = p.chooser();
                       seen << chooser.findChild<Ribbon *>(u"Ribbon1"_s)->caption()
                            << QString::number(chooser.list()->model()->rowCount())
                            << QString::number(chooser.list()->currentRowNumber());
                       chooser.findChild<Ribbon *>(u"Ribbon1"_s)->helpButton()->click();
                       chooser.list()->moveToRow(3);
                       chooser.findChild<QPushButton *>(u"BitBtn1"_s)->click();
                   });
        HelpPages::setOpener({});

        QCOMPARE(seen, (QStringList {u"VORN Transfer - Vs.2.3.0 - Select Machine"_s, u"6"_s, u"1"_s}));
        QCOMPARE(p.chooser().findChild<QPushButton *>(u"BitBtn1"_s)->text(), u"&Select"_s);
        QCOMPARE(p.chooser().findChild<QPushButton *>(u"BitBtn5"_s)->text(), u"&Cancel"_s);
        QCOMPARE(opened, QStringList {u"func03.1.html"_s});
        QCOMPARE(p.chooser().result(), int(QDialog::Accepted));
        QCOMPARE(p.machines().CurrentMachine.Number, u"12"_s);
        QCOMPARE(p.list().currentRowNumber(), 2);
        QCOMPARE(p.listed().size(), 2);

        // Unfiltered, the list follows the chooser's row.
        p.click(u"Button3"_s);
        p.machines().FUNC_Selecionar_Maquina(4);
        QCOMPARE(p.list().currentRowNumber(), 4);

        // A double click chooses too; "Cancelar" changes nothing.
        whileModal([&] { p.click(u"SpeedButton1"_s); },
                   [&](QDialog &) {
                       MachinePanelList &list = *p.chooser().list();
                       const QRect panel = list.visualRect(list.model()->index(1, 0));
                       QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, panel.center());
                       QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, panel.center());
                   });
        QCOMPARE(p.machines().CurrentMachine.Number, u"112"_s);
        whileModal([&] { p.click(u"SpeedButton1"_s); },
                   [&](QDialog &) {
                       p.chooser().list()->moveToRow(5);
                       p.chooser().findChild<QPushButton *>(u"BitBtn5"_s)->click();
                   });
        QCOMPARE(p.chooser().result(), int(QDialog::Rejected));
        QCOMPARE(p.machines().CurrentMachine.Number, u"112"_s);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void deleteAsksThenClearsTheFilter()
    {
        ScriptedDialogs dialogs;
        Program p(shop());
        p.search(QString(), u"12"_s);
        QVERIFY(p.list().moveToRow(2));
        const QString id = QString::number(p.ids.value(u"12"_s));

        dialogs.answerNext(UserDialogs::Answer::No);
        p.click(u"SpeedButton8"_s);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Question);
        QCOMPARE(dialogs.shown()[0].text,
                 u"QUESTION: Would You Like to Delete the machine below the \"VORN - Transfer\" System ?\n"
                 u"Machine Number: 12\nMachine Name: Robot"_s);
        QCOMPARE(p.machines().EditedMachineId, id);
        QCOMPARE(p.listed(), (QStringList {u"112"_s, u"12"_s, u"A12-3"_s}));
        QCOMPARE(p.filter(u"Edit4"_s)->text(), u"12"_s);

        dialogs.answerNext(UserDialogs::Answer::Yes);
        p.click(u"SpeedButton8"_s);
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY(p.filter(u"Edit4"_s)->text().isEmpty());
        QCOMPARE(p.listed(), (QStringList {u"10"_s, u"112"_s, u"21"_s, u"9"_s, u"A12-3"_s}));
        QCOMPARE(p.list().currentRowNumber(), 1);
        // The current machine was not the deleted one and stays.
        QCOMPARE(p.machines().CurrentMachine.Number, u"10"_s);
    }

    void anUnreadableDatabaseIsReportedAndTheButtonsDoNothing()
    {
        ScriptedDialogs dialogs;
        Program p(shop());
        p.machines().DataModule1.disconnectDatabase();
        p.click(u"Button2"_s);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY(!dialogs.shown()[0].text.isEmpty());
        QVERIFY(p.listed().isEmpty());
        for (const char *button : {"SpeedButton6", "SpeedButton7", "SpeedButton8"}) {
            p.click(QString::fromLatin1(button));
        }
        QCOMPARE(dialogs.shown().size(), 1);
        // The chooser is not shown when its list cannot be read.
        p.click(u"SpeedButton1"_s);
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY(!p.chooser().isVisible());
        QCOMPARE(p.machines().CurrentMachine.Number, u"10"_s);
    }

    void aFreshInstallationStartsWithAnEmptyRegister()
    {
        ScriptedDialogs dialogs;
        Program p({});
        QVERIFY(QFileInfo::exists(p.path(u"VORNMachines.db"_s)));
        QCOMPARE(p.main().settings.DatabasePath, p.path(u"VORNMachines.db"_s));
        QVERIFY(p.machines().DataModule1.isConnected());
        QVERIFY(p.listed().isEmpty());
        QVERIFY(p.machines().CurrentMachine.isEmpty());
        for (const char *value : {"ValueNumber", "ValueDescription", "ValueProgramsDir", "ValueTransferType"}) {
            QCOMPARE(p.summary(QString::fromLatin1(value)), u"--------------------"_s);
        }
        QVERIFY(!p.summaryHasPicture());
        QVERIFY(dialogs.shown().isEmpty());

        // The chooser has nothing to select and stays open until cancelled.
        bool stayedOpen = false;
        whileModal([&] { p.click(u"SpeedButton1"_s); },
                   [&](QDialog &) {
                       p.chooser().findChild<QPushButton *>(u"BitBtn1"_s)->click();
                       stayedOpen = p.chooser().isVisible();
                       p.chooser().findChild<QPushButton *>(u"BitBtn5"_s)->click();
                   });
        QVERIFY(stayedOpen);
        QCOMPARE(dialogs.shownTexts(), QStringList {u"ERROR: Please select Machine."_s});
        QVERIFY(p.machines().CurrentMachine.isEmpty());
    }
};

QTEST_MAIN(MachineListTest)
#include "MachineListTest.moc"
