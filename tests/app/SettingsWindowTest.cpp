#include "app/HelpPages.h"
#include "app/ProgramSettings.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_Config.h"
#include "app/TForm_Main.h"
#include "i18n/Catalogue.h"
#include "machines/MachineSchema.h"
#include "machines/TDataModule1.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace std::chrono_literals;

/// Records the window's two follow-up hooks while it lives.
struct HookLog
{
    explicit HookLog(TForm_Config &window)
    {
        QObject::connect(&window, &TForm_Config::languageApplied, &context,
                         [this](const Catalogue &catalogue) { languages << catalogue.languageCode(); });
        QObject::connect(&window, &TForm_Config::databaseSwitched, &context, [this] { ++switches; });
    }

    QObject context;
    QStringList languages;
    int switches = 0;
};

/// The settings window: what Apply writes and changes, what it refuses, and
/// that Cancel and an unchanged Apply leave everything as it was.
class SettingsWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_programDir;
    std::unique_ptr<ProgramWindows> m_windows;
    std::unique_ptr<TDataModule1> m_dataModule;
    std::unique_ptr<TForm_Config> m_window;
    QString m_oldDb;
    QString m_newDb;
    QByteArray m_iniBytes;

    QString iniPath() const { return m_programDir.filePath(QStringLiteral("VORNTransfer.ini")); }
    ProgramSettings &settings() const { return m_windows->main->settings; }
    QLineEdit *databaseField() const { return m_window->findChild<QLineEdit *>(QStringLiteral("Edit1")); }
    QComboBox *languages() const { return m_window->findChild<QComboBox *>(QStringLiteral("ComboBox1")); }
    QPushButton *button(const char *name) const
    {
        return m_window->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    /// Writes the settings file (comments and CRLF breaks, so that any
    /// rewrite shows), reads it back the way start-up does and connects to
    /// the database it names.
    void startWith(const QByteArray &language)
    {
        m_iniBytes = "; workstation 3\r\n[DIRBD]\r\nVALUE=" + m_oldDb.toUtf8()
            + "\r\n\r\n[LANGUAGE]\r\nVALUE=" + language + "\r\n[LOGO]\r\nENDERE\xC7O=\r\n";
        TestFiles::write(iniPath(), m_iniBytes);
        settings() = loadProgramSettings(m_programDir.path());
        Catalogue::current().load(settings().LanguageCode);
        QVERIFY(m_dataModule->connectDatabase(settings().DatabasePath));
    }

    /// Chooses \a path in the file dialog of the browse button.
    void browse(ScriptedDialogs &dialogs, const QString &path)
    {
        dialogs.chooseNext(path);
        button("BitBtn2")->click();
    }

    /// Presses "Apply"; the result tells whether the window closed.
    bool apply()
    {
        m_window->setResult(QDialog::Rejected);
        button("BitBtn1")->click();
        return m_window->result() == QDialog::Accepted;
    }

    /// The settings file as it should be with \a section's VALUE replaced.
    QByteArray iniWith(const QByteArray &section, const QString &value) const
    {
        QByteArray bytes = m_iniBytes;
        const qsizetype at = bytes.indexOf("VALUE=", bytes.indexOf(QByteArray("[" + section + "]")));
        const qsizetype end = bytes.indexOf("\r\n", at);
        return bytes.replace(at, end - at, QByteArray("VALUE=" + value.toUtf8()));
    }

    void verifyNothingChanged()
    {
        QCOMPARE(TestFiles::read(iniPath()), m_iniBytes);
        QCOMPARE(settings().DatabasePath, m_oldDb);
        QCOMPARE(m_dataModule->databasePath(), m_oldDb);
        QVERIFY(m_dataModule->isConnected());
    }

    /// Makes an SQLite file: the empty machine register when \a sql is empty,
    /// otherwise whatever \a sql creates.
    static bool makeSqlite(const QString &path, const QByteArray &sql)
    {
        bool made = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(path);
            QString error;
            made = db.open()
                && (sql.isEmpty() ? MachineSchema::create(db, &error) : QSqlQuery(db).exec(QString::fromLatin1(sql)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        return made;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_oldDb = m_programDir.filePath(QStringLiteral("old.db"));
        m_newDb = m_programDir.filePath(QStringLiteral("other place/new.db"));
        QDir(m_programDir.path()).mkpath(QStringLiteral("other place"));
        QVERIFY(makeSqlite(m_oldDb, {}));
        QVERIFY(makeSqlite(m_newDb, {}));

        TestFiles::write(iniPath(), "[LANGUAGE]\r\nVALUE=EN\r\n");
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_programDir.path(), 0ms});
        m_dataModule = std::make_unique<TDataModule1>();
        m_window = std::make_unique<TForm_Config>(
            settings(), *m_dataModule, [this] { return m_windows->all(); }, m_windows->main.get());
    }

    void init()
    {
        QVERIFY(QFile::exists(m_newDb));
        startWith("EN");
        m_window->prepare();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_dataModule.reset();
        m_windows.reset();
        Catalogue::current().load(QStringLiteral("EN"));
    }

    void applyingWithoutChangesWritesNothing()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        QCOMPARE(databaseField()->text(), m_oldDb);
        QCOMPARE(languages()->currentIndex(), 0);

        QVERIFY(apply());
        // Picking another language and then the current one again is no change either.
        m_window->prepare();
        languages()->setCurrentIndex(2);
        languages()->setCurrentIndex(0);
        QVERIFY(apply());

        verifyNothingChanged();
        QCOMPARE(settings().LanguageCode, QStringLiteral("EN"));
        QCOMPARE(hooks.languages.size(), 0);
        QCOMPARE(hooks.switches, 0);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aNewLanguageIsAppliedAtOnce_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("pageCaption");
        QTest::addColumn<QString>("languageLabel");
        QTest::addColumn<QString>("spanishItem");
        QTest::newRow("Portuguese to Spanish")
            << QByteArray("PT-BR") << 2 << QStringLiteral("ES") << QStringLiteral("Productos y Piezas Registrados")
            << QStringLiteral("Idioma :") << QStringLiteral("Español");
        QTest::newRow("English to Portuguese")
            << QByteArray("EN") << 1 << QStringLiteral("PT-BR") << QStringLiteral("Produtos e Peças Cadastrados")
            << QStringLiteral("Idioma :") << QStringLiteral("Espanhol");
        QTest::newRow("Spanish to English")
            << QByteArray("ES") << 0 << QStringLiteral("EN") << QStringLiteral("Registered Products and Parts")
            << QStringLiteral("Language :") << QStringLiteral("Spanish");
    }

    void aNewLanguageIsAppliedAtOnce()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, item);
        QFETCH(QString, code);
        QFETCH(QString, pageCaption);
        QFETCH(QString, languageLabel);
        QFETCH(QString, spanishItem);
        startWith(start);
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        m_window->prepare();
        languages()->setCurrentIndex(item);
        QVERIFY(apply());

        QCOMPARE(TestFiles::read(iniPath()), iniWith("LANGUAGE", code));
        QCOMPARE(settings().LanguageCode, code);
        QCOMPARE(Catalogue::current().languageCode(), code);
        QCOMPARE(settings().HelpDir, QString(m_programDir.path() + u"/Help/" + code + u'/'));
        QCOMPARE(m_windows->main->ribbon()->page(0)->caption(), pageCaption);
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label2"))->text(), languageLabel);
        QCOMPARE(languages()->itemText(2), spanishItem);
        QCOMPARE(languages()->currentIndex(), item);
        QCOMPARE(hooks.languages, QStringList {code});
        QCOMPARE(hooks.switches, 0);
        QCOMPARE(settings().DatabasePath, m_oldDb);
        QVERIFY(dialogs.shown().isEmpty());

        // The next showing selects the new language again in the rebuilt list.
        m_window->prepare();
        QCOMPARE(languages()->currentIndex(), item);
        QCOMPARE(m_window->pendingLanguageCode(), code);
    }

    void aStoredPtbrSelectsPortuguese()
    {
        startWith("PTBR");
        QCOMPARE(settings().LanguageCode, QStringLiteral("PT-BR"));
        m_window->prepare();
        QCOMPARE(languages()->currentIndex(), 1);
        QCOMPARE(m_window->pendingLanguageCode(), QStringLiteral("PT-BR"));
        QCOMPARE(m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - Configurações"));
        // Applying keeps the stored spelling.
        QVERIFY(apply());
        QCOMPARE(TestFiles::read(iniPath()), m_iniBytes);
    }

    void aFileThatIsNoMachineDatabaseIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("sql");
        QTest::newRow("text file") << QStringLiteral("notes.txt") << QByteArray();
        QTest::newRow("SQLite without the tables")
            << QStringLiteral("empty.db") << QByteArray("CREATE TABLE OTHER (ID INTEGER)");
        QTest::newRow("SQLite with a table missing")
            << QStringLiteral("partial.db") << QByteArray("CREATE TABLE VORN_MAQUINAS (ID_MAQUINA INTEGER)");
    }

    void aFileThatIsNoMachineDatabaseIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, sql);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (sql.isEmpty()) {
            TestFiles::write(path, "G00 X0 Y0\nM30\n");
        } else {
            QVERIFY(makeSqlite(path, sql));
        }
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);

        browse(dialogs, path);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QCOMPARE(dialogs.shown()[0].text, QString(u"ERROR: File \"" + path + u"\"\nNot a Valid File DB Machines."));
        QCOMPARE(databaseField()->text(), m_oldDb);

        // A good choice followed by a refused one adopts nothing.
        browse(dialogs, m_newDb);
        QCOMPARE(databaseField()->text(), m_newDb);
        browse(dialogs, path);
        QCOMPARE(databaseField()->text(), m_oldDb);
        QCOMPARE(m_window->pendingDatabasePath(), QString());

        // Applying then changes only the language.
        languages()->setCurrentIndex(2);
        QVERIFY(apply());
        QCOMPARE(TestFiles::read(iniPath()), iniWith("LANGUAGE", QStringLiteral("ES")));
        QCOMPARE(settings().DatabasePath, m_oldDb);
        QCOMPARE(m_dataModule->databasePath(), m_oldDb);
        QCOMPARE(hooks.switches, 0);
        QCOMPARE(dialogs.shown().size(), 2);
    }

    void aCancelledFileDialogChangesNothing()
    {
        ScriptedDialogs dialogs;
        browse(dialogs, m_newDb);
        browse(dialogs, QString());
        QCOMPARE(databaseField()->text(), m_newDb);
        QCOMPARE(m_window->pendingDatabasePath(), m_newDb);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void cancelAfterAValidChoiceChangesNothing()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            browse(dialogs, m_newDb);
            languages()->setCurrentIndex(1);
            seen << databaseField()->text();
            button("BitBtn3")->click();
        });
        m_window->open();
        QCOMPARE(seen, QStringList {m_newDb});
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        verifyNothingChanged();
        QCOMPARE(settings().LanguageCode, QStringLiteral("EN"));
        QCOMPARE(Catalogue::current().languageCode(), QStringLiteral("EN"));
        QCOMPARE(hooks.languages.size(), 0);
        QCOMPARE(hooks.switches, 0);

        // Showing the window again shows the database in use.
        QTimer::singleShot(0, this, [&] {
            seen << databaseField()->text() << QString::number(languages()->currentIndex());
            m_window->reject();
        });
        m_window->open();
        QCOMPARE(seen, (QStringList {m_newDb, m_oldDb, QStringLiteral("0")}));
        QCOMPARE(TestFiles::read(iniPath()), m_iniBytes);
    }

    void aValidDatabaseIsSwitchedTo()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        bool switchedAlready = false;
        connect(m_window.get(), &TForm_Config::databaseSwitched, &hooks.context, [&] {
            switchedAlready = m_dataModule->databasePath() == m_newDb && settings().DatabasePath == m_newDb;
        });
        browse(dialogs, m_newDb);
        QVERIFY(apply());

        QCOMPARE(TestFiles::read(iniPath()), iniWith("DIRBD", m_newDb));
        QCOMPARE(settings().DatabasePath, m_newDb);
        QCOMPARE(m_dataModule->databasePath(), m_newDb);
        QVERIFY(m_dataModule->isConnected());
        QCOMPARE(hooks.switches, 1);
        QVERIFY(switchedAlready);
        QCOMPARE(hooks.languages.size(), 0);
        QCOMPARE(settings().LanguageCode, QStringLiteral("EN"));
        QVERIFY(dialogs.shown().isEmpty());

        // Choosing the file already in use is no change.
        m_window->prepare();
        browse(dialogs, m_newDb);
        const QByteArray written = TestFiles::read(iniPath());
        QVERIFY(apply());
        QCOMPARE(TestFiles::read(iniPath()), written);
        QCOMPARE(hooks.switches, 1);
    }

    void languageAndDatabaseTogether()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        browse(dialogs, m_oldDb);
        browse(dialogs, m_newDb);
        languages()->setCurrentIndex(2);
        QVERIFY(apply());
        QCOMPARE(TestFiles::read(iniPath()), iniWith("DIRBD", m_newDb).replace("VALUE=EN", "VALUE=ES"));
        QCOMPARE(hooks.languages, QStringList {QStringLiteral("ES")});
        QCOMPARE(hooks.switches, 1);
        QCOMPARE(m_dataModule->databasePath(), m_newDb);
    }

    void aDatabaseThatVanishesAfterItsProbeKeepsTheOldOne()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        const QString moved = m_newDb + u".away";
        browse(dialogs, m_newDb);
        QVERIFY(QFile::rename(m_newDb, moved));
        const bool closed = apply();
        QVERIFY(QFile::rename(moved, m_newDb));

        QVERIFY(!closed);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY2(dialogs.shown()[0].text.contains(m_newDb), qPrintable(dialogs.shown()[0].text));
        verifyNothingChanged();
        QCOMPARE(databaseField()->text(), m_oldDb);
        QCOMPARE(hooks.switches, 0);
    }

    void aLanguageAppliedBeforeAFailedSwitchStaysChosen()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        const QString moved = m_newDb + u".away";
        languages()->setCurrentIndex(2);
        browse(dialogs, m_newDb);
        QVERIFY(QFile::rename(m_newDb, moved));
        const bool closedOnFailure = apply();
        QVERIFY(QFile::rename(moved, m_newDb));
        QVERIFY(!closedOnFailure);
        QCOMPARE(settings().LanguageCode, QStringLiteral("ES"));

        // Rebuilding the list in the new language must not change the choice:
        // the window shows Spanish, and Apply again keeps Spanish.
        QCOMPARE(languages()->currentIndex(), 2);
        QCOMPARE(m_window->pendingLanguageCode(), QStringLiteral("ES"));
        QVERIFY(apply());
        QCOMPARE(settings().LanguageCode, QStringLiteral("ES"));
        QCOMPARE(Catalogue::current().languageCode(), QStringLiteral("ES"));
        QCOMPARE(hooks.languages, QStringList {QStringLiteral("ES")});
        QCOMPARE(TestFiles::read(iniPath()), iniWith("LANGUAGE", QStringLiteral("ES")));
        QCOMPARE(hooks.switches, 0);
    }

    void anUnwritableSettingsFileChangesNothing()
    {
        ScriptedDialogs dialogs;
        HookLog hooks(*m_window);
        const QString helpDir = settings().HelpDir;
        // A folder in the settings file's place cannot be written.
        QVERIFY(QFile::remove(iniPath()));
        QVERIFY(QDir(m_programDir.path()).mkdir(QStringLiteral("VORNTransfer.ini")));

        languages()->setCurrentIndex(1);
        const bool closedOnLanguage = apply();
        m_window->prepare();
        browse(dialogs, m_newDb);
        const bool closedOnDatabase = apply();
        QVERIFY(QDir(m_programDir.path()).rmdir(QStringLiteral("VORNTransfer.ini")));
        TestFiles::write(iniPath(), m_iniBytes);

        QVERIFY(!closedOnLanguage);
        QVERIFY(!closedOnDatabase);
        const QString message = u"Unable to write to " + iniPath();
        QCOMPARE(dialogs.shownTexts(), (QStringList {message, message}));
        QCOMPARE(settings().LanguageCode, QStringLiteral("EN"));
        QCOMPARE(Catalogue::current().languageCode(), QStringLiteral("EN"));
        QCOMPARE(settings().HelpDir, helpDir);
        QCOMPARE(hooks.languages.size(), 0);
        QCOMPARE(hooks.switches, 0);
        verifyNothingChanged();
    }

    void theHelpButtonOpensTheCurrentLanguagesPage()
    {
        ScriptedDialogs dialogs;
        languages()->setCurrentIndex(2);
        QVERIFY(apply());
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QDir(m_programDir.path()).relativeFilePath(path);
            return true;
        });
        const QString helpDir = m_programDir.filePath(QStringLiteral("Help/ES"));
        QDir().mkpath(helpDir);
        TestFiles::write(helpDir + u"/func03.6.html", "<html></html>");
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            seen << m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption() << m_window->windowTitle();
            m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->helpButton()->click();
            button("BitBtn3")->click();
        });
        m_window->open();
        HelpPages::setOpener({});
        QCOMPARE(seen,
                 (QStringList {QStringLiteral("VORN Transfer - Vs.2.3.0 - Configuración"),
                               QStringLiteral("VORN - Transfer")}));
        QCOMPARE(opened, QStringList {QStringLiteral("Help/ES/func03.6.html")});
        QVERIFY(dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
