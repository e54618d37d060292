#include "app/FileBrowser.h"
#include "app/HelpPages.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_DIR.h"
#include "app/TForm_Main.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace std::chrono_literals;

/// The product directory window: its checks in order, the directory it
/// makes below the program directory, and its failures.
class ProductDirectoryTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_programDir;
    std::unique_ptr<ProgramWindows> m_windows;
    FileBrowser *m_browser = nullptr;
    std::unique_ptr<TForm_DIR> m_window;
    QString m_programsDir;

    QLineEdit *edit(const char *name) const { return m_window->findChild<QLineEdit *>(QString::fromLatin1(name)); }

    /// Opens the window's fields, types the three texts and presses "Cadastrar".
    void registerProduct(const QString &customer, const QString &product, const QString &revision)
    {
        m_window->prepare();
        edit("Edit2")->setText(customer);
        edit("Edit3")->setText(product);
        edit("Edit4")->setText(revision);
        m_window->setResult(QDialog::Rejected);
        m_window->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
    }

    QStringList entries() const { return QDir(m_programsDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

private Q_SLOTS:
    void initTestCase()
    {
        TestFiles::write(m_programDir.filePath(QStringLiteral("VORNTransfer.ini")), "[LANGUAGE]\nVALUE=EN\n");
        QDir(m_programDir.path()).mkpath(QStringLiteral("Help/EN"));
        TestFiles::write(m_programDir.filePath(QStringLiteral("Help/EN/func03.3.html")), "<html></html>");
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_programDir.path(), 0ms});
        m_browser = FileBrowser::install(*m_windows->main);
        m_window = std::make_unique<TForm_DIR>(*m_windows->main, *m_browser, [this] { return m_programsDir; });
        m_windows->main->show();
        QVERIFY(QTest::qWaitFor([&] { return m_windows->main->startupCompleted(); }, 5000));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_windows.reset();
    }

    void emptyFieldsAreReportedInOrder_data()
    {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << QString() << QString() << QString()
                                   << QStringLiteral("ERROR: Please fill the \"Customer or Company\" field.")
                                   << QStringLiteral("Edit2");
        QTest::newRow("customer blank") << QStringLiteral("   ") << QStringLiteral("1") << QStringLiteral("A")
                                        << QStringLiteral("ERROR: Please fill the \"Customer or Company\" field.")
                                        << QStringLiteral("Edit2");
        QTest::newRow("product blank") << QStringLiteral("ACME") << QStringLiteral(" \t") << QString()
                                       << QStringLiteral("ERROR: Please fill the \"Product Number\" field.")
                                       << QStringLiteral("Edit3");
        QTest::newRow("revision blank") << QStringLiteral("ACME") << QStringLiteral("123") << QStringLiteral(" ")
                                        << QStringLiteral("ERROR: Please fill the \"Product Review\" field.")
                                        << QStringLiteral("Edit4");
    }

    void emptyFieldsAreReportedInOrder()
    {
        QFETCH(QString, customer);
        QFETCH(QString, product);
        QFETCH(QString, revision);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ScriptedDialogs dialogs;
        QTemporaryDir cnc;
        // The fields come first, even before a missing program directory.
        m_programsDir = cnc.filePath(QStringLiteral("missing/"));
        registerProduct(customer, product, revision);
        QCOMPARE(dialogs.shownTexts(), QStringList {message});
        QCOMPARE(m_window->focusWidget()->objectName(), focus);
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
    }

    void createsTheTrimmedDirectoryAndMovesTheBrowser()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir cnc;
        m_programsDir = cnc.path() + u'/';
        registerProduct(QStringLiteral("  ACME "), QStringLiteral(" 123 "), QStringLiteral(" B  "));
        const QString directory = m_programsDir + u"ACME_123_B";
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"INFORMATION: Product Directory \"" + directory + u"\"Successfully created."});
        QVERIFY(QFileInfo(directory).isDir());
        QCOMPARE(m_browser->currentFolder(), directory);
        QCOMPARE(m_window->result(), int(QDialog::Accepted));

        // A customer text with "/" nests folders.
        registerProduct(QStringLiteral("ACME/Line 2"), QStringLiteral("7"), QStringLiteral("C"));
        QVERIFY(QFileInfo(m_programsDir + u"ACME/Line 2_7_C").isDir());
        QCOMPARE(m_browser->currentFolder(), QString(m_programsDir + u"ACME/Line 2_7_C"));
        QCOMPARE(entries(), (QStringList {QStringLiteral("ACME"), QStringLiteral("ACME_123_B")}));
    }

    void anExistingDirectoryIsReported()
    {
        ScriptedDialogs dialogs;
        QTemporaryDir cnc;
        m_programsDir = cnc.path() + u'/';
        QDir(cnc.path()).mkdir(QStringLiteral("ACME_123_B"));
        registerProduct(QStringLiteral("ACME"), QStringLiteral("123"), QStringLiteral("B"));
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"ERROR: Directory Product \"" + m_programsDir + u"ACME_123_B\" already exists."});
        QCOMPARE(m_window->focusWidget()->objectName(), QStringLiteral("Edit2"));
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
    }

    void aMissingProgramDirectoryIsReported()
    {
        ScriptedDialogs dialogs;
        for (const QString &programsDir : {QString(), QStringLiteral("/no/such/cnc/")}) {
            m_programsDir = programsDir;
            registerProduct(QStringLiteral("ACME"), QStringLiteral("123"), QStringLiteral("B"));
            QCOMPARE(dialogs.shownTexts().last(),
                     QString(u"ERROR: Program Directory \"" + programsDir + u"\" does not exist."));
        }
        QVERIFY(!QFileInfo::exists(QStringLiteral("/no/such/cnc")));
        QVERIFY(!QFileInfo::exists(QStringLiteral("ACME_123_B")));
    }

    void aDirectoryThatCannotBeMadeIsReportedAndNothingIsLeft_data()
    {
        QTest::addColumn<QString>("customer");
        QTest::newRow("name too long") << QString(300, u'X');
        QTest::newRow("nested, second level too long") << u"ACME/" + QString(300, u'X');
        QTest::newRow("leaves the program directory") << QStringLiteral("../ACME");
    }

    void aDirectoryThatCannotBeMadeIsReportedAndNothingIsLeft()
    {
        QFETCH(QString, customer);
        ScriptedDialogs dialogs;
        QTemporaryDir root;
        QDir(root.path()).mkdir(QStringLiteral("cnc"));
        m_programsDir = root.filePath(QStringLiteral("cnc/"));
        registerProduct(customer, QStringLiteral("1"), QStringLiteral("A"));
        const QString prefix
            = u"ERROR: Unable to create the Product Directory \"" + m_programsDir + customer + u"_1_A\": ";
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY2(dialogs.shownTexts()[0].startsWith(prefix), qPrintable(dialogs.shownTexts()[0]));
        QVERIFY(dialogs.shownTexts()[0].size() > prefix.size());
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList {QStringLiteral("cnc")});
        QVERIFY(entries().isEmpty());
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
    }

    void openingShowsTheProgramDirectoryAndEmptyFields()
    {
        ScriptedDialogs dialogs;
        m_programsDir = QStringLiteral("/cnc/lathe/");
        edit("Edit2")->setText(QStringLiteral("left over"));
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QDir(m_programDir.path()).relativeFilePath(path);
            return true;
        });
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            seen << m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->caption() << edit("Edit1")->text()
                 << edit("Edit2")->text() << QString::number(edit("Edit1")->isReadOnly());
            m_window->findChild<Ribbon *>(QStringLiteral("Ribbon1"))->helpButton()->click();
            m_window->findChild<QPushButton *>(QStringLiteral("BitBtn3"))->click();
        });
        m_window->open();
        HelpPages::setOpener({});
        QCOMPARE(seen,
                 (QStringList {QStringLiteral("VORN Transfer - Vs.2.3.0 - Create Program Directory"),
                               QStringLiteral("/cnc/lathe/"), QString(), QStringLiteral("1")}));
        QCOMPARE(opened, QStringList {QStringLiteral("Help/EN/func03.3.html")});
        QCOMPARE(m_window->result(), int(QDialog::Rejected));
        QVERIFY(dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(ProductDirectoryTest)
#include "ProductDirectoryTest.moc"
