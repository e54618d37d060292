#include "app/ProgramWindows.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "i18n/Catalogue.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;

/// Documents and tabs: naming, finding, opening, the save flows and their questions.
class DocumentsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramWindows> m_windows;

    TForm_Main &main() { return *m_windows->main; }
    EditorDocuments &docs() { return main().documents(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QStringList captions()
    {
        QStringList list;
        for (int i = 0; i < docs().count(); ++i) {
            list << docs().captionAt(i);
        }
        return list;
    }
    void type(const QString &text)
    {
        ProgramEditor *editor = docs().activeEditor();
        editor->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        editor->insertAt(text, editor->lines() - 1, editor->text(editor->lines() - 1).size());
    }

private Q_SLOTS:
    void init()
    {
        TestFiles::write(m_dir.filePath(QStringLiteral("VORNTransfer.ini")), "[LANGUAGE]\nVALUE=EN\n");
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options{m_dir.path(), 0ms});
        Catalogue::current().load(QStringLiteral("EN"));
    }

    void cleanup()
    {
        // Close without the unsaved-documents question.
        for (int i = docs().count() - 1; i >= 0; --i) {
            docs().editorAt(i)->setModified(false);
        }
        m_windows.reset();
    }

    void newDocumentsAreNumberedAndNamesNeverReused()
    {
        ScriptedDialogs dialogs;
        for (int i = 0; i < 3; ++i) {
            main().ribbonButton(QStringLiteral("SpeedButton24"))->click();
        }
        QCOMPARE(captions(), (QStringList{QStringLiteral("New(1)"), QStringLiteral("New(2)"), QStringLiteral("New(3)")}));
        QCOMPARE(main().CurrentFileName, QStringLiteral("New(3)"));
        QCOMPARE(docs().activeEditor()->objectName(), QStringLiteral("SMemo_TAB2"));

        main().documentTabs()->setCurrentIndex(1);
        QCOMPARE(main().CurrentFileName, QStringLiteral("New(2)"));
        QVERIFY(docs().closeActive()); // unmodified: no question
        QCOMPARE(main().CurrentFileName, QStringLiteral("New(3)"));
        docs().newDocument();
        QCOMPARE(captions(), (QStringList{QStringLiteral("New(1)"), QStringLiteral("New(3)"), QStringLiteral("New(4)")}));
        QCOMPARE(docs().activeEditor()->objectName(), QStringLiteral("SMemo_TAB3"));
        QVERIFY(dialogs.shown().isEmpty());

        // The name follows the language of the moment.
        Catalogue::current().load(QStringLiteral("PT-BR"));
        docs().newDocument();
        QCOMPARE(main().CurrentFileName, QStringLiteral("Novo(5)"));
    }

    void editorsHaveTheirSettings()
    {
        ScriptedDialogs dialogs;
        docs().newDocument();
        ProgramEditor *editor = docs().activeEditor();
        QCOMPARE(editor->SendScintilla(QsciScintilla::SCI_GETHSCROLLBAR), 0L);
        QCOMPARE(editor->gutterText(0), QStringLiteral("0001"));
        QString program;
        for (int i = 0; i < 12345; ++i) {
            program += QStringLiteral("N%1\n").arg(i);
        }
        editor->setText(program);
        editor->SendScintilla(QsciScintilla::SCI_COLOURISE, 0, -1);
        QCOMPARE(editor->gutterDigits(), 5);
        QCOMPARE(editor->gutterText(41), QStringLiteral("00042"));
        // Undo works and the loaded text is not an undo step.
        editor->loadProgram(DecodedProgram{QStringLiteral("N1"), {}});
        QVERIFY(!editor->isUndoAvailable());
        editor->insertAt(QStringLiteral("X"), 0, 2);
        QVERIFY(editor->isModified());
        editor->undo();
        QCOMPARE(editor->programText(), QStringLiteral("N1"));
    }

    void openingFindsTheFileOwnTabAndReloadsIt()
    {
        ScriptedDialogs dialogs;
        TestFiles::write(file(QStringLiteral("a.nc")), "N10 G01 X1\n");
        TestFiles::write(file(QStringLiteral("b.nc")), "N20\n");
        TestFiles::write(file(QStringLiteral("A.nc")), "N30\n");
        QVERIFY(docs().openFile(file(QStringLiteral("a.nc"))));
        QVERIFY(docs().openFile(file(QStringLiteral("b.nc"))));
        QVERIFY(docs().openFile(file(QStringLiteral("A.nc")))); // another case is another file
        QCOMPARE(docs().count(), 3);

        TestFiles::write(file(QStringLiteral("a.nc")), "N10 G01 X2\n");
        QVERIFY(docs().openFile(file(QStringLiteral("a.nc"))));
        QCOMPARE(docs().count(), 3);
        QCOMPARE(main().CurrentFileName, file(QStringLiteral("a.nc")));
        QCOMPARE(docs().activeEditor()->programText(), QStringLiteral("N10 G01 X2"));
        QVERIFY(!docs().activeEditor()->isModified());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void reloadingAModifiedDocumentAsksFirst()
    {
        ScriptedDialogs dialogs;
        const QString path = file(QStringLiteral("p.nc"));
        TestFiles::write(path, "N10\n");
        docs().openFile(path);
        type(QStringLiteral(" X5"));
        QVERIFY(docs().activeEditor()->isModified());

        dialogs.answerNext(UserDialogs::Answer::No);
        QVERIFY(!docs().openFile(path));
        QCOMPARE(dialogs.shown().last().text,
                 QStringLiteral("QUESTION: The File \"") + path +
                     QStringLiteral("\" has unsaved changes. Discard them and load the File again from the disk ?"));
        QCOMPARE(docs().activeEditor()->programText(), QStringLiteral("N10 X5"));

        dialogs.answerNext(UserDialogs::Answer::Yes);
        QVERIFY(docs().openFile(path));
        QCOMPARE(docs().activeEditor()->programText(), QStringLiteral("N10"));
    }

    void savingKeepsTheFileFormat_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("LF") << QByteArray("N10\nN20\n") << QByteArray("N10\nN20\nN30 X5\n");
        QTest::newRow("NUL byte kept") << QByteArray("N10\0X\nN20\n", 10) << QByteArray("N10\0X\nN20\nN30 X5\n", 17);
        QTest::newRow("CR no final break") << QByteArray("N10\rN20") << QByteArray("N10\rN20\rN30 X5");
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFEN\0\n\0", 6) << QByteArray("\xFF\xFEN\0\n\0N\0003\0000\0 \0X\0005\0\n\0", 20);
    }

    void savingKeepsTheFileFormat()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        ScriptedDialogs dialogs;
        const QString path = file(QStringLiteral("f.nc"));
        TestFiles::write(path, before);
        docs().openFile(path);
        ProgramEditor *editor = docs().activeEditor();
        editor->append(QStringLiteral("\nN30 X5"));
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Saved);
        QCOMPARE(TestFiles::read(path), after);
        QVERIFY(!editor->isModified());
        // Nothing changed since: save writes nothing, save as writes anyway.
        QFile::remove(path);
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::NotNeeded);
        QVERIFY(!QFile::exists(path));
        dialogs.chooseNext(path);
        QCOMPARE(docs().FUNC_Salvar_Arquivo_Como(), EditorDocuments::SaveResult::Saved);
        QCOMPARE(TestFiles::read(path), after);
    }

    void savingANewDocumentOntoAnExistingFileAsksFirst()
    {
        ScriptedDialogs dialogs;
        const QString target = file(QStringLiteral("existing.nc"));
        TestFiles::write(target, "KEEP\n");
        docs().newDocument();
        type(QStringLiteral("N10"));

        dialogs.chooseNext(target);
        dialogs.answerNext(UserDialogs::Answer::No);
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Cancelled);
        QCOMPARE(TestFiles::read(target), QByteArray("KEEP\n"));
        QCOMPARE(dialogs.shown().last().text, QStringLiteral("QUESTION: The File \"") + target +
                                                  QStringLiteral("\"already exists. Would You Like to Replace File ?"));
        QVERIFY(docs().activeEditor()->isModified());
        QCOMPARE(main().CurrentFileName, QStringLiteral("New(1)"));

        dialogs.chooseNext(target);
        dialogs.answerNext(UserDialogs::Answer::Yes);
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Saved);
        QCOMPARE(TestFiles::read(target), QByteArray("N10")); // new documents: CR LF, no final break
        QCOMPARE(main().CurrentFileName, target);
        QCOMPARE(docs().captionAt(0), target);
        QVERIFY(!docs().isUnsavedNew(target));
    }

    void charactersOutsideTheCodePageAskBeforeBecomingQuestionMarks()
    {
        ScriptedDialogs dialogs;
        const QString path = file(QStringLiteral("omega.nc"));
        TestFiles::write(path, "N10\r\n");
        docs().openFile(path);
        type(QStringLiteral(" (\u03A9)"));
        dialogs.answerNext(UserDialogs::Answer::No);
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Cancelled);
        QCOMPARE(TestFiles::read(path), QByteArray("N10\r\n"));
        QVERIFY(docs().activeEditor()->isModified());
        QVERIFY(dialogs.shown().last().text.startsWith(QStringLiteral("QUESTION: The File \"") + path));

        dialogs.answerNext(UserDialogs::Answer::Yes);
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Saved);
        QCOMPARE(TestFiles::read(path), QByteArray("N10 (?)\r\n"));
    }

    void aFailedSaveReportsAndKeepsTheDocumentModified()
    {
        ScriptedDialogs dialogs;
        const QString path = file(QStringLiteral("gone/x.nc"));
        QDir(m_dir.path()).mkpath(QStringLiteral("gone"));
        TestFiles::write(path, "N1\n");
        docs().openFile(path);
        type(QStringLiteral("0"));
        QDir(file(QStringLiteral("gone"))).removeRecursively();
        QCOMPARE(docs().FUNC_Salvar_Arquivo(), EditorDocuments::SaveResult::Failed);
        QCOMPARE(dialogs.shown().last().kind, MessageKind::Error);
        QVERIFY(dialogs.shown().last().text.startsWith(path + u": "));
        QVERIFY(docs().activeEditor()->isModified());

        // Closing it: Yes to saving, the save fails, the document stays open.
        dialogs.answerNext(UserDialogs::Answer::Yes);
        QVERIFY(!docs().closeActive());
        QCOMPARE(docs().count(), 1);
        // No discards the changes and closes.
        dialogs.answerNext(UserDialogs::Answer::No);
        QVERIFY(docs().closeActive());
        QCOMPARE(docs().count(), 0);
        QVERIFY(main().CurrentFileName.isEmpty());
    }

    void closingAModifiedNewDocumentWhoseSaveIsCancelledKeepsIt()
    {
        ScriptedDialogs dialogs;
        docs().newDocument();
        type(QStringLiteral("N10"));
        dialogs.answerNext(UserDialogs::Answer::Yes);
        dialogs.chooseNext(QString()); // the save dialog is cancelled
        QVERIFY(!docs().closeActive());
        QCOMPARE(docs().count(), 1);
        QCOMPARE(dialogs.shown().first().text,
                 QStringLiteral("QUESTION: Do you like to save changes to the File \"New(1)\" before it closes ?"));
    }

    void saveAllAsksForEachNewDocumentInTabOrder()
    {
        ScriptedDialogs dialogs;
        const QString kept = file(QStringLiteral("kept.nc"));
        TestFiles::write(kept, "N1\n");
        docs().newDocument();
        type(QStringLiteral("A"));
        docs().openFile(kept);
        type(QStringLiteral("B"));
        docs().newDocument();
        type(QStringLiteral("C"));
        docs().newDocument(); // unmodified: skipped
        main().documentTabs()->setCurrentIndex(1);

        dialogs.chooseNext(file(QStringLiteral("first.nc")));
        dialogs.chooseNext(QString()); // the second new document is cancelled
        QCOMPARE(docs().FUNC_Salvar_Arquivo_ALL(), EditorDocuments::SaveResult::Cancelled);
        QCOMPARE(TestFiles::read(file(QStringLiteral("first.nc"))), QByteArray("A"));
        QCOMPARE(TestFiles::read(kept), QByteArray("N1B\n"));
        QCOMPARE(captions(), (QStringList{file(QStringLiteral("first.nc")), kept, QStringLiteral("New(2)"),
                                          QStringLiteral("New(3)")}));
        QCOMPARE(main().CurrentFileName, kept); // the remembered tab is active again
        QCOMPARE(docs().modifiedCaptions(), QStringList{QStringLiteral("New(2)")});
    }

    void closingTheProgramAsksAndStaysOpenWhenASaveIsCancelled()
    {
        ScriptedDialogs dialogs;
        const QString path = file(QStringLiteral("one.nc"));
        TestFiles::write(path, "N1\n");
        docs().openFile(path);
        type(QStringLiteral("X"));
        docs().newDocument();
        type(QStringLiteral("Y"));

        dialogs.answerNext(UserDialogs::Answer::Yes);
        dialogs.chooseNext(QString());
        QCloseEvent first;
        QApplication::sendEvent(&main(), &first);
        QVERIFY(!first.isAccepted());
        QCOMPARE(dialogs.shown().first().text,
                 QStringLiteral("QUESTION: The following Files have been changed. Would you like to save changes before "
                                "closing the \"VORN - Transfer\" System ?\n") +
                     path + QStringLiteral("\nNew(1)\n"));
        QCOMPARE(TestFiles::read(path), QByteArray("N1X\n"));

        // No closes without writing anything.
        dialogs.answerNext(UserDialogs::Answer::No);
        QCloseEvent second;
        QApplication::sendEvent(&main(), &second);
        QVERIFY(second.isAccepted());
        QCOMPARE(dialogs.shown().size(), 2);
    }

    void closingWithNothingModifiedAsksNothing()
    {
        ScriptedDialogs dialogs;
        docs().newDocument();
        QCloseEvent event;
        QApplication::sendEvent(&main(), &event);
        QVERIFY(event.isAccepted());
        QVERIFY(dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(DocumentsTest)
#include "DocumentsTest.moc"
