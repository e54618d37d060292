#include "app/Clock.h"
#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/Messages.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Config.h"
#include "app/TForm_Main.h"
#include "app/TForm_Screen.h"
#include "i18n/Catalogue.h"
#include "machines/MachineListPane.h"
#include "machines/MachinePanelList.h"
#include "machines/MachineRegister.h"
#include "machines/TDataModule1.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAccessible>
#include <QDir>
#include <QLineEdit>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace std::chrono_literals;

/// The main window's start-up, panes, help, message log and message boxes.
class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    /// A program directory with settings in \a language and all three help folders.
    std::unique_ptr<QTemporaryDir> programDir(const QByteArray &language)
    {
        auto dir = std::make_unique<QTemporaryDir>();
        TestFiles::write(dir->filePath(QStringLiteral("VORNTransfer.ini")), "[LANGUAGE]\nVALUE=" + language + "\n");
        for (const char *code : {"PT-BR", "EN", "ES"}) {
            QDir(dir->path()).mkpath(QStringLiteral("Help/") + QString::fromLatin1(code));
            for (const char *page : {"func03.html", "func04.html", "func05.html"}) {
                TestFiles::write(
                    dir->filePath(
                        QStringLiteral("Help/%1/%2").arg(QString::fromLatin1(code), QString::fromLatin1(page))),
                    "<html></html>");
            }
        }
        return dir;
    }

    std::unique_ptr<ProgramWindows> start(const QTemporaryDir &dir, const TForm_Main::StartupSteps &steps = {})
    {
        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {dir.path(), 0ms});
        windows->main->startupSteps = steps;
        windows->main->show();
        if (!QTest::qWaitFor([&] { return windows->main->startupCompleted(); }, 5000)) {
            qWarning("start-up did not complete");
        }
        return windows;
    }

private Q_SLOTS:
    void startupRunsItsStepsInOrder()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("PTBR");
        QStringList trace;
        ProgramWindows *w = nullptr;
        TForm_Main::StartupSteps steps;
        steps.listAllMachines = [&] {
            // By now the texts are applied and the splash has come and gone.
            trace << QStringLiteral("all:") + w->screen->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            return true;
        };
        steps.searchMachines = [&] {
            trace << QStringLiteral("search");
        };
        steps.selectFirstMachine = [&] {
            trace << QStringLiteral("select:") + QString::number(w->main->ribbon()->currentIndex())
                    + (w->main->messagePanel()->isHidden() ? u":undocked" : u":docked");
        };
        steps.refreshFileListCaptions = [&] {
            trace << QStringLiteral("captions");
        };

        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {dir->path(), 0ms});
        w = windows.get();
        windows->main->startupSteps = steps;
        windows->main->show();
        QTRY_VERIFY(windows->main->startupCompleted());

        QCOMPARE(trace,
                 (QStringList {QStringLiteral("all:Inicializando"), QStringLiteral("search"),
                               QStringLiteral("select:0:docked"), QStringLiteral("captions")}));
        QCOMPARE(windows->main->settings.LanguageCode, QStringLiteral("PT-BR"));
        QCOMPARE(Catalogue::current().languageCode(), QStringLiteral("PT-BR"));
        QCOMPARE(windows->main->ribbon()->page(1)->caption(), QStringLiteral("Máquinas"));
        QVERIFY(windows->main->fileBrowserPane()->isVisible());
        QVERIFY(!windows->main->editorPane()->isVisible());
        QVERIFY(windows->messages->parentWidget() == windows->main->messagePanel());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void unreadableDatabaseStopsStartupBeforeDocking()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        bool searched = false;
        TForm_Main::StartupSteps steps;
        steps.listAllMachines = [] {
            return false;
        };
        steps.searchMachines = [&] {
            searched = true;
        };
        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {dir->path(), 0ms});
        windows->main->startupSteps = steps;
        windows->main->show();
        QTRY_VERIFY(windows->main->isMaximized() || windows->main->windowState() & Qt::WindowMaximized);
        QTest::qWait(50);
        QVERIFY(!windows->main->startupCompleted());
        QVERIFY(!searched);
        QVERIFY(windows->messages->parentWidget() != windows->main->messagePanel());

        // The window stays usable: the Messages button docks the log on demand.
        windows->main->ribbon()->setCurrentIndex(2);
        windows->main->ribbonButton(QStringLiteral("SpeedButton25"))->click();
        QVERIFY(windows->main->messagePanel()->isVisible());
        QVERIFY(windows->messages->isVisible());
    }

    void splashShowsGrowingLoadingTextAndClosesItself()
    {
        Catalogue::current().load(QStringLiteral("EN"));
        TForm_Screen splash;
        splash.findChild<QLabel *>(QStringLiteral("Label1"))->setText(QStringLiteral("Loading"));
        splash.setDuration(1200ms);
        QElapsedTimer timer;
        timer.start();
        splash.exec();
        QVERIFY(timer.elapsed() >= 1100);
        QCOMPARE(splash.size(), QSize(600, 400));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        const QString text = splash.findChild<QLabel *>(QStringLiteral("Label1"))->text();
        QVERIFY2(text.startsWith(QStringLiteral("Loading..")), qPrintable(text));
    }

    void changingPageKeepsEverythingElse()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        auto w = start(*dir);
        QTRY_VERIFY(w->main->startupCompleted());
        TForm_Main &main = *w->main;
        main.CurrentFileName = QStringLiteral("New(1)");
        main.FUNC_Historico(QStringLiteral("T"), QStringLiteral("a"), {}, {}, {});
        main.setStatusText(QStringLiteral("Text not found"));

        for (int page : {2, 1, 0, 2}) {
            main.ribbon()->setCurrentIndex(page);
            QCOMPARE(main.fileBrowserPane()->isVisible(), page == 0);
            QCOMPARE(main.machineListPane()->isVisible(), page == 1);
            QCOMPARE(main.editorPane()->isVisible(), page == 2);
        }
        main.FUNC_ViewRibbon(7); // not a page: nothing changes
        QVERIFY(main.editorPane()->isVisible());
        QCOMPARE(w->messages->tree()->topLevelItemCount(), 1);
        QCOMPARE(main.statusText(), QStringLiteral("Text not found"));
        QVERIFY(main.messagePanel()->isVisible());
    }

    void helpButtonOpensThePageOfTheVisiblePane()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("ES");
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QDir(dir->path()).relativeFilePath(path);
            return true;
        });
        auto w = start(*dir);
        QTRY_VERIFY(w->main->startupCompleted());
        for (int page : {0, 1, 2}) {
            w->main->ribbon()->setCurrentIndex(page);
            w->main->ribbon()->helpButton()->click();
        }
        QCOMPARE(opened,
                 (QStringList {QStringLiteral("Help/ES/func03.html"), QStringLiteral("Help/ES/func04.html"),
                               QStringLiteral("Help/ES/func05.html")}));

        // A missing page is not reported and nothing is opened.
        QFile::remove(dir->filePath(QStringLiteral("Help/ES/func04.html")));
        w->main->ribbon()->setCurrentIndex(1);
        w->main->ribbon()->helpButton()->click();
        QCOMPARE(opened.size(), 3);
        QVERIFY(dialogs.shown().isEmpty());
        HelpPages::setOpener({});
    }

    void messagesButtonAndCloseButtonToggleThePaneKeepingTheLog()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        auto w = start(*dir);
        QTRY_VERIFY(w->main->startupCompleted());
        TForm_Main &main = *w->main;
        main.ribbon()->setCurrentIndex(2);
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 10), QTime(0, 0)); });
        main.CurrentFileName = Messages::newDocumentName(1);
        main.FUNC_Historico(QStringLiteral("Add\\Remove Space"), QStringLiteral("  x"), QStringLiteral("   "), {},
                            QStringLiteral("Function Applied across File"));
        Clock::setSource({});

        QTreeWidget *tree = w->messages->tree();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *entry = tree->topLevelItem(0);
        QVERIFY(entry->text(0).startsWith(QStringLiteral("New(1) - ")));
        QVERIFY(entry->text(0).endsWith(QStringLiteral(" - Add\\Remove Space")));
        QCOMPARE(entry->childCount(), 2);
        QCOMPARE(entry->child(0)->text(0), QStringLiteral("  x"));
        QVERIFY(!entry->isExpanded());

        QToolButton *toggle = main.ribbonButton(QStringLiteral("SpeedButton25"));
        toggle->click();
        QVERIFY(!main.messagePanel()->isVisible());
        toggle->click();
        QVERIFY(main.messagePanel()->isVisible());
        w->messages->findChild<QToolButton *>(QStringLiteral("CloseButton"))->click();
        QVERIFY(!main.messagePanel()->isVisible());
        toggle->click();
        QVERIFY(main.messagePanel()->isVisible());
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 2);
    }

    void messageBoxesTakeIconAndButtonsFromThePrefix()
    {
        ScriptedDialogs dialogs;
        Catalogue::current().load(QStringLiteral("EN"));
        dialogs.answerNext(UserDialogs::Answer::Yes);
        QVERIFY(MessageBoxes::ask(nullptr, T(u"Msg.Main.CloseSystemQuestion")));
        MessageBoxes::show(nullptr, QStringLiteral("ERROR: Unable to create folder."));
        FUNC_Mensagem(nullptr, 1, T(u"Msg.Main.FuncFind"));
        FUNC_Mensagem(nullptr, 0, T(u"Msg.Main.FuncFind"));
        MessageBoxes::showStandardError(nullptr, QStringLiteral("disk full"));

        QCOMPARE(dialogs.shown().size(), 4);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Question);
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("VORN Transfer - Vs.2.3.0"));
        QCOMPARE(dialogs.shown()[1].kind, MessageKind::Error);
        QCOMPARE(dialogs.shown()[2].kind, MessageKind::Attention);
        QCOMPARE(dialogs.shown()[2].text,
                 QStringLiteral("ATTENTION: No open File to apply the Function \"Find Text\"."));
        QCOMPARE(dialogs.shown()[3].title, QStringLiteral("VORN - Transfer"));
        QCOMPARE(dialogs.shown()[3].kind, MessageKind::Error);

        // With an empty catalogue a question still asks Yes or No.
        Catalogue::current().load(QStringLiteral("FR"));
        dialogs.answerNext(UserDialogs::Answer::No);
        QVERIFY(!MessageBoxes::ask(nullptr, T(u"Msg.Main.CloseSystemQuestion")));
        QCOMPARE(dialogs.shown().last().kind, MessageKind::Question);
    }

    void theProgramWiresEveryWindowItHas()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Options{dir->path(), 0ms, true});
        windows->main->show();
        QTRY_VERIFY(windows->main->startupCompleted());
        for (const char *name :
             {"BT01",          "BT02",          "BT06",          "BT07",          "BT08",          "SpeedButton1",
              "SpeedButton3",  "SpeedButton4",  "SpeedButton5",  "SpeedButton6",  "SpeedButton7",  "SpeedButton8",
              "SpeedButton17", "SpeedButton18", "SpeedButton19", "SpeedButton27", "SpeedButton30", "SpeedButton31",
              "SpeedButton32", "SpeedButton2",  "SpeedButton20"}) {
            QVERIFY2(windows->main->ribbonButton(QString::fromLatin1(name))->isEnabled(), name);
        }
        // The windows got their texts from the language pass.
        QCOMPARE(windows->all().size(), 20);
        QVERIFY(!windows->all().contains(nullptr));
        QStringList names;
        for (const QWidget *window : windows->all()) {
            names << window->objectName();
        }
        QCOMPARE(names.mid(3, 2), QStringList({QStringLiteral("Form_Maquinas"), QStringLiteral("Form_Selecionar_Maquina")}));
        QCOMPARE(names.mid(14, 6),
                 QStringList({QStringLiteral("Form_Transfer_FTP"), QStringLiteral("Form_Transfer_DIR"),
                              QStringLiteral("Form_Transfer_SERIAL232"), QStringLiteral("Form_Font"),
                              QStringLiteral("Form_Transfer_SERIAL232_R"), QStringLiteral("Form_Config")}));
        // A tool without a document warns and opens nothing.
        windows->main->ribbonButton(QStringLiteral("BT01"))->click();
        QCOMPARE(dialogs.shownTexts().last(),
                 QStringLiteral("ATTENTION: No open File to apply the Function \"Add or Remove Spaces\"."));
    }

    void switchingTheDatabaseReloadsTheListsAndTheCurrentMachine()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        const QString other = dir->filePath(QStringLiteral("other.db"));
        {
            TDataModule1 module;
            QVERIFY(module.createDatabase(other));
            for (const char *number : {"20", "10"}) {
                MachineForm form;
                form.Number = QString::fromLatin1(number);
                form.Description = u"Lathe " + form.Number;
                form.PictureIndex = 4;
                form.ProgramsDir = dir->path();
                form.TransferTypeIndex = 1;
                form.MachineDir = dir->path();
                qint64 id = 0;
                QVERIFY(module.registerMachine(form, id));
            }
        }
        auto windows = std::make_unique<ProgramWindows>(ProgramWindows::Options{dir->path(), 0ms, true});
        windows->main->show();
        QTRY_VERIFY(windows->main->startupCompleted());
        QVERIFY(windows->machineList->list()->machines().isEmpty());
        QVERIFY(windows->machines->CurrentMachine.isEmpty());
        windows->main->findChild<QLineEdit *>(QStringLiteral("Edit3"))->setText(QStringLiteral("no such machine"));

        windows->config->prepare();
        dialogs.chooseNext(other);
        windows->config->BitBtn2Click();
        windows->config->BitBtn1Click();

        QCOMPARE(windows->machines->DataModule1.databasePath(), other);
        QVERIFY(windows->main->findChild<QLineEdit *>(QStringLiteral("Edit3"))->text().isEmpty());
        QCOMPARE(windows->machineList->list()->machines().size(), 2);
        QCOMPARE(windows->machines->CurrentMachine.Number, QStringLiteral("10"));
        QCOMPARE(windows->main->findChild<QLabel *>(QStringLiteral("ValueDescription"))->text(),
                 QStringLiteral("Lathe 10"));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void everyControlHasAnAccessibleName()
    {
        ScriptedDialogs dialogs;
        const auto dir = programDir("EN");
        auto w = start(*dir);
        QTRY_VERIFY(w->main->startupCompleted());
        for (QWidget *window : w->all()) {
            for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
                if (button->objectName().startsWith(u"qt_")) {
                    continue;
                }
                QVERIFY2(!button->accessibleName().isEmpty() || !button->text().isEmpty(),
                         qPrintable(window->objectName() + u'.' + button->objectName()));
            }
        }
        QCOMPARE(w->main->ribbonButton(QStringLiteral("SpeedButton13"))->accessibleName(), QStringLiteral("Save File"));
        QCOMPARE(w->main->ribbonButton(QStringLiteral("SpeedButton1"))->accessibleName(),
                 QStringLiteral("Select Machine"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
