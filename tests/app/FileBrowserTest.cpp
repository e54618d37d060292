#include "app/FileBrowser.h"

#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

using namespace std::chrono_literals;

/// The file browser in the main window: linked controls, view styles, new
/// folder, delete, copy and paste, and opening a program in the editor.
class FileBrowserTest : public QObject
{
    Q_OBJECT

private:
    /// A started main window in \a language with the browser installed.
    struct Session
    {
        QTemporaryDir programDir;
        std::unique_ptr<ProgramWindows> windows;
        FileBrowser *browser = nullptr;

        TForm_Main &main() const { return *windows->main; }
        QToolButton *button(const char *name) const { return windows->main->ribbonButton(QString::fromLatin1(name)); }
    };

    std::unique_ptr<Session> start(const QByteArray &language = "EN")
    {
        auto session = std::make_unique<Session>();
        TestFiles::write(session->programDir.filePath(QStringLiteral("VORNTransfer.ini")),
                         "[LANGUAGE]\nVALUE=" + language + "\n");
        session->windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {session->programDir.path(), 0ms});
        session->browser = FileBrowser::install(session->main());
        session->main().show();
        if (!QTest::qWaitFor([&] { return session->main().startupCompleted(); }, 5000)) {
            qWarning("start-up did not complete");
        }
        return session;
    }

    /// Moves the browser to \a folder and selects \a item there once the list shows it.
    static bool select(FileBrowser *browser, const QString &folder, const QString &item)
    {
        browser->FUNC_Atualizar_DIR(0, folder);
        return QTest::qWaitFor([&] { return browser->selectPath(QDir(folder).filePath(item)); }, 5000);
    }

    static void write(const QTemporaryDir &dir, const QString &relative, const QByteArray &bytes = "G00 X0\n")
    {
        QDir().mkpath(QFileInfo(dir.filePath(relative)).absolutePath());
        TestFiles::write(dir.filePath(relative), bytes);
    }

    static QStringList captions(QAbstractItemView *view)
    {
        QStringList texts;
        for (int i = 0; i < 4; ++i) {
            texts << view->model()->headerData(i, Qt::Horizontal).toString();
        }
        return texts;
    }

    QTemporaryDir m_data;

private Q_SLOTS:
    void initTestCase()
    {
        // Deleted items go to a trash of our own.
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    }

    void placesItsControlsWhereThePlaceholdersWere()
    {
        auto s = start();
        QWidget *pane = s->main().fileBrowserPane();
        QCOMPARE(pane->findChildren<QTreeView *>(QStringLiteral("ShellTreeView1")).size(), 1);
        QCOMPARE(pane->findChildren<QLineEdit *>(QStringLiteral("ShellComboBox1")).size(), 1);
        QCOMPARE(pane->findChildren<QAbstractItemView *>(QStringLiteral("ShellListView1")).size(), 1);
        QCOMPARE(pane->findChild<QTreeView *>(QStringLiteral("ShellTreeView1")), s->browser->folderTree());
        QVERIFY(s->browser->folderTree()->isVisible());
        QVERIFY(s->browser->fileList()->isVisible());
        // The path box spans the list's width.
        QCOMPARE(s->browser->pathBox()->width(), s->browser->fileListArea()->width());
        for (const char *name : {"SpeedButton2", "SpeedButton9", "SpeedButton10", "SpeedButton11", "SpeedButton12",
                                 "SpeedButton20", "SpeedButton21", "SpeedButton22", "SpeedButton23"}) {
            QVERIFY2(s->button(name)->isEnabled(), name);
        }
        QCOMPARE(s->browser->viewStyle(), int(FileBrowser::Details));
    }

    void theThreeControlsAreLinked()
    {
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("A/O1.nc"));
        QDir(work.path()).mkpath(QStringLiteral("B/C"));
        FileBrowser *b = s->browser;

        b->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("A")) + u'/');
        QCOMPARE(b->currentFolder(), work.filePath(QStringLiteral("A")));
        QCOMPARE(b->pathBox()->text(), work.filePath(QStringLiteral("A")));
        QVERIFY(b->folderTree()->hasFocus() || !s->main().isActiveWindow());
        QTRY_VERIFY(b->selectPath(work.filePath(QStringLiteral("A/O1.nc"))));

        // A folder typed into the path box moves the tree and the list.
        b->pathBox()->setText(work.filePath(QStringLiteral("B/C")));
        QTest::keyClick(b->pathBox(), Qt::Key_Return);
        QCOMPARE(b->currentFolder(), work.filePath(QStringLiteral("B/C")));
        const QModelIndex treeCurrent = b->folderTree()->currentIndex();
        QCOMPARE(treeCurrent.data(QFileSystemModel::FilePathRole).toString(), work.filePath(QStringLiteral("B/C")));
        QCOMPARE(b->fileList()->rootIndex().data(QFileSystemModel::FilePathRole).toString(),
                 work.filePath(QStringLiteral("B/C")));
        QVERIFY(b->selectedPath().isEmpty());

        // Something that is not a folder changes nothing.
        b->pathBox()->setText(work.filePath(QStringLiteral("A/O1.nc")));
        QTest::keyClick(b->pathBox(), Qt::Key_Return);
        QCOMPARE(b->currentFolder(), work.filePath(QStringLiteral("B/C")));
        QCOMPARE(b->pathBox()->text(), work.filePath(QStringLiteral("B/C")));

        // Choosing a folder in the tree shows it in the path box and the list.
        b->folderTree()->setCurrentIndex(treeCurrent.parent());
        QCOMPARE(b->pathBox()->text(), work.filePath(QStringLiteral("B")));
        QCOMPARE(b->fileList()->rootIndex().data(QFileSystemModel::FilePathRole).toString(),
                 work.filePath(QStringLiteral("B")));
    }

    void viewStylesKeepTheFolder()
    {
        auto s = start();
        QTemporaryDir work;
        FileBrowser *b = s->browser;
        b->FUNC_Atualizar_DIR(FileBrowser::LargeIcons, work.path());
        QCOMPARE(b->fileListArea()->currentWidget(), b->iconList());
        QCOMPARE(b->iconList()->viewMode(), QListView::IconMode);

        s->button("SpeedButton10")->click();
        QCOMPARE(b->iconList()->viewMode(), QListView::ListMode);
        QCOMPARE(b->iconList()->flow(), QListView::LeftToRight);
        s->button("SpeedButton12")->click();
        QCOMPARE(b->iconList()->flow(), QListView::TopToBottom);
        QCOMPARE(b->viewStyle(), int(FileBrowser::List));
        b->FUNC_Atualizar_DIR(0, QDir::tempPath());
        QCOMPARE(b->viewStyle(), int(FileBrowser::List));
        b->FUNC_Atualizar_DIR(0, work.path());
        s->button("SpeedButton11")->click();
        QCOMPARE(b->fileListArea()->currentWidget(), b->fileList());
        QCOMPARE(b->currentFolder(), work.path());
        QCOMPARE(b->iconList()->rootIndex(), b->fileList()->rootIndex());
    }

    void captionsStayTranslatedAfterChangingFolders()
    {
        auto s = start("EN");
        QTemporaryDir work;
        QDir(work.path()).mkpath(QStringLiteral("A"));
        QDir(work.path()).mkpath(QStringLiteral("B"));
        FileBrowser *b = s->browser;
        const QStringList english
            = {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"), QStringLiteral("Modified Date")};
        QCOMPARE(captions(b->fileList()), english);
        for (const char *folder : {"A", "B"}) {
            b->FUNC_Atualizar_DIR(0, work.filePath(QString::fromLatin1(folder)));
            QTest::qWait(50);
            QCOMPARE(captions(b->fileList()), english);
            QCOMPARE(b->fileList()->header()->model()->headerData(3, Qt::Horizontal).toString(),
                     QStringLiteral("Modified Date"));
        }

        // The language pass writes the captions, and they stay too.
        Catalogue::current().load(QStringLiteral("PT-BR"));
        ApplyLanguage(s->windows->all(), Catalogue::current());
        b->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("A")));
        QTest::qWait(50);
        QCOMPARE(captions(b->fileList()),
                 (QStringList {QStringLiteral("Nome"), QStringLiteral("Tamanho"), QStringLiteral("Tipo"),
                               QStringLiteral("Modificado em")}));
        Catalogue::current().load(QStringLiteral("ES"));
        b->Refresh_Menu_ShellList();
        b->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("B")));
        QCOMPARE(captions(b->fileList()).first(), QStringLiteral("Nombre"));
        Catalogue::current().load(QStringLiteral("EN"));
    }

    void newFolderTwiceAndThreeTimes()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        s->browser->FUNC_Atualizar_DIR(0, work.path());
        for (int i = 0; i < 3; ++i) {
            s->button("SpeedButton20")->click();
            QVERIFY(s->button("SpeedButton20")->isEnabled());
        }
        QCOMPARE(QDir(work.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList {QStringLiteral("New Folder"), QStringLiteral("New Folder 1"),
                               QStringLiteral("New Folder 2")}));
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aFailedNewFolderEnablesTheButtonAgain()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        // A folder where nobody, not even the administrator, can create anything.
        if (!QFileInfo(QStringLiteral("/proc")).isDir()) {
            QSKIP("no /proc on this system");
        }
        s->browser->FUNC_Atualizar_DIR(0, QStringLiteral("/proc"));
        QCOMPARE(s->browser->currentFolder(), QStringLiteral("/proc"));
        s->button("SpeedButton20")->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("ERROR: Unable to create folder.")});
        QVERIFY(s->button("SpeedButton20")->isEnabled());

        // A folder that vanished is no real directory: nothing happens.
        QTemporaryDir work;
        QDir(work.path()).mkdir(QStringLiteral("gone"));
        s->browser->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("gone")));
        QVERIFY(QDir(work.filePath(QStringLiteral("gone"))).removeRecursively());
        s->button("SpeedButton20")->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(s->button("SpeedButton20")->isEnabled());
        QVERIFY(QDir(work.path()).isEmpty());
    }

    void copyThenPasteIntoTwoFolders()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("src/O1.nc"), "G01 X5\n");
        QDir(work.path()).mkpath(QStringLiteral("A"));
        QDir(work.path()).mkpath(QStringLiteral("B"));
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier text"));

        QVERIFY(select(s->browser, work.filePath(QStringLiteral("src")), QStringLiteral("O1.nc")));
        s->button("SpeedButton22")->click();
        QCOMPARE(s->browser->CopiedPath, work.filePath(QStringLiteral("src/O1.nc")));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());

        for (const char *folder : {"A", "B"}) {
            s->browser->FUNC_Atualizar_DIR(0, work.filePath(QString::fromLatin1(folder)));
            s->button("SpeedButton23")->click();
            QCOMPARE(TestFiles::read(work.filePath(QString::fromLatin1(folder) + u"/O1.nc")), QByteArray("G01 X5\n"));
        }
        QCOMPARE(s->browser->CopiedPath, work.filePath(QStringLiteral("src/O1.nc")));
        QVERIFY(dialogs.shown().isEmpty());

        // Nothing selected: the copy button says so and keeps what was copied.
        s->browser->FUNC_Atualizar_DIR(0, work.path());
        s->button("SpeedButton22")->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("INFORMATION: Select File or Folder to copy.")});
        QCOMPARE(s->browser->CopiedPath, work.filePath(QStringLiteral("src/O1.nc")));
    }

    void filesOnTheClipboardArePastedFirstAndEndTheCopiedPath()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("src/O1.nc"));
        write(work, QStringLiteral("other/O7.nc"), "G02\n");
        write(work, QStringLiteral("other/Sub/O8.nc"), "G03\n");
        QDir(work.path()).mkpath(QStringLiteral("A"));
        QDir(work.path()).mkpath(QStringLiteral("B"));
        QVERIFY(select(s->browser, work.filePath(QStringLiteral("src")), QStringLiteral("O1.nc")));
        s->button("SpeedButton22")->click();

        // Another program copies a file and a folder.
        auto *files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(work.filePath(QStringLiteral("other/O7.nc"))),
                        QUrl::fromLocalFile(work.filePath(QStringLiteral("other/Sub")))});
        QGuiApplication::clipboard()->setMimeData(files);

        s->browser->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("A")));
        s->button("SpeedButton23")->click();
        QCOMPARE(QDir(work.filePath(QStringLiteral("A"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList {QStringLiteral("O7.nc"), QStringLiteral("Sub")}));
        QCOMPARE(TestFiles::read(work.filePath(QStringLiteral("A/Sub/O8.nc"))), QByteArray("G03\n"));
        QVERIFY(s->browser->CopiedPath.isEmpty());

        // With the clipboard holding no files, there is nothing left to paste.
        QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        s->browser->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("B")));
        s->button("SpeedButton23")->click();
        QVERIFY(QDir(work.filePath(QStringLiteral("B"))).isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void pastingOverAnExistingFileAsksFirst()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("src/O1.nc"), "new\n");
        write(work, QStringLiteral("A/O1.nc"), "old\n");
        QVERIFY(select(s->browser, work.filePath(QStringLiteral("src")), QStringLiteral("O1.nc")));
        s->button("SpeedButton22")->click();
        s->browser->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("A")));

        dialogs.answerNext(UserDialogs::Answer::No);
        s->button("SpeedButton23")->click();
        QCOMPARE(TestFiles::read(work.filePath(QStringLiteral("A/O1.nc"))), QByteArray("old\n"));
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"QUESTION: \"" + work.filePath(QStringLiteral("A/O1.nc"))
                              + u"\" already exists. Would You Like to Replace it ?"});
        dialogs.answerNext(UserDialogs::Answer::Yes);
        s->button("SpeedButton23")->click();
        QCOMPARE(TestFiles::read(work.filePath(QStringLiteral("A/O1.nc"))), QByteArray("new\n"));

        // A copy that cannot be made names the path and the system's reason.
        dialogs.clear();
        s->browser->CopiedPath = work.filePath(QStringLiteral("src/gone.nc"));
        s->button("SpeedButton23")->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].kind, MessageKind::Error);
        QVERIFY2(dialogs.shown()[0].text.startsWith(u"ERROR: Unable to copy \"" + s->browser->CopiedPath + u"\": "),
                 qPrintable(dialogs.shown()[0].text));
    }

    void keysActWhenReleased()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("src/O1.nc"));
        QDir(work.path()).mkpath(QStringLiteral("A"));
        QTreeView *list = s->browser->fileList();
        QVERIFY(select(s->browser, work.filePath(QStringLiteral("src")), QStringLiteral("O1.nc")));

        QTest::keyPress(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(s->browser->CopiedPath.isEmpty());
        QTest::keyRelease(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s->browser->CopiedPath, work.filePath(QStringLiteral("src/O1.nc")));

        s->browser->FUNC_Atualizar_DIR(0, work.filePath(QStringLiteral("A")));
        QTest::keyPress(list, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("A/O1.nc"))));
        QTest::keyRelease(list, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(work.filePath(QStringLiteral("A/O1.nc"))));

        // Delete, with any modifiers, asks before moving the item to the trash.
        QVERIFY(select(s->browser, work.filePath(QStringLiteral("A")), QStringLiteral("O1.nc")));
        dialogs.answerNext(UserDialogs::Answer::Yes);
        QTest::keyPress(list, Qt::Key_Delete, Qt::ShiftModifier);
        QVERIFY(dialogs.shown().isEmpty());
        QTest::keyRelease(list, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {u"QUESTION: Would You Like to move \"" + work.filePath(QStringLiteral("A/O1.nc"))
                              + u"\" to the Trash ?"});
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("A/O1.nc"))));
    }

    void deleteAsksThenMovesToTheTrash()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("Parts/O1.nc"));
        s->browser->FUNC_Atualizar_DIR(0, work.path());
        s->button("SpeedButton21")->click();
        QCOMPARE(dialogs.shownTexts(), QStringList {QStringLiteral("INFORMATION: Select File or Folder to Delete.")});

        QVERIFY(select(s->browser, work.path(), QStringLiteral("Parts")));
        dialogs.answerNext(UserDialogs::Answer::No);
        s->button("SpeedButton21")->click();
        QVERIFY(QFileInfo::exists(work.filePath(QStringLiteral("Parts/O1.nc"))));

        dialogs.answerNext(UserDialogs::Answer::Yes);
        s->button("SpeedButton21")->click();
        QCOMPARE(dialogs.shown().size(), 3);
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("Parts"))));
        // It can be restored from the trash.
        QVERIFY(QFileInfo::exists(m_data.filePath(QStringLiteral("Trash/files/Parts/O1.nc"))));
    }

    void openFromTheBrowserIntoTheEditor()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("O1000.nc"), "%\nO1000\nG00 X0\n%\n");
        QDir(work.path()).mkpath(QStringLiteral("Folder"));
        TForm_Main &main = s->main();

        s->browser->FUNC_Atualizar_DIR(0, work.path());
        s->button("SpeedButton2")->click();
        QCOMPARE(dialogs.shownTexts(),
                 QStringList {QStringLiteral("INFORMATION: Please select File to Open in CNC Editor.")});

        QVERIFY(select(s->browser, work.path(), QStringLiteral("Folder")));
        s->button("SpeedButton2")->click();
        QCOMPARE(main.documents().count(), 0);
        QCOMPARE(main.ribbon()->currentIndex(), 0);

        QVERIFY(select(s->browser, work.path(), QStringLiteral("O1000.nc")));
        s->button("SpeedButton2")->click();
        QCOMPARE(main.documents().count(), 1);
        QCOMPARE(main.documentTabs()->tabText(0), work.filePath(QStringLiteral("O1000.nc")));
        QCOMPARE(main.CurrentFileName, work.filePath(QStringLiteral("O1000.nc")));
        QCOMPARE(main.ribbon()->currentIndex(), 2);
        QVERIFY(main.editorPane()->isVisible());
        QCOMPARE(dialogs.shown().size(), 1);
    }

    void renamingInPlaceReportsAFailure()
    {
        ScriptedDialogs dialogs;
        auto s = start();
        QTemporaryDir work;
        write(work, QStringLiteral("O1.nc"));
        write(work, QStringLiteral("O2.nc"));
        QVERIFY(select(s->browser, work.path(), QStringLiteral("O1.nc")));
        QAbstractItemModel *model = s->browser->fileList()->model();
        const QModelIndex item = s->browser->fileList()->currentIndex().siblingAtColumn(0);
        QVERIFY(model->flags(item) & Qt::ItemIsEditable);

        QVERIFY(!model->setData(item, QStringLiteral("O2.nc")));
        QTRY_COMPARE(
            dialogs.shownTexts(),
            QStringList {u"ERROR: Unable to rename \"" + work.filePath(QStringLiteral("O1.nc")) + u"\" to \"O2.nc\"."});
        QVERIFY(model->setData(item, QStringLiteral("O3.nc")));
        QVERIFY(QFileInfo::exists(work.filePath(QStringLiteral("O3.nc"))));
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("O1.nc"))));
    }
};

QTEST_MAIN(FileBrowserTest)
#include "FileBrowserTest.moc"
