#include "editor/SearchReplace.h"

#include "app/HelpPages.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "editor/dlgConfirmReplace.h"
#include "editor/dlgReplaceText.h"
#include "editor/dlgSearchText.h"
#include "i18n/Catalogue.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace std::chrono_literals;
using Sci = QsciScintillaBase;

/// Find and replace through the main window: the dialogs, find next and
/// previous, the questions during a replace, the log and the warnings.
class SearchReplaceTest : public QObject
{
    Q_OBJECT

private:
    using Step = std::function<int(QDialog &)>;

    QTemporaryDir m_dir;
    std::unique_ptr<ProgramWindows> m_windows;
    SearchReplace *m_search = nullptr;
    QList<Step> m_steps; ///< how the next dialogs are answered, in order
    int m_unexpectedDialogs = 0;
    QStringList m_questions; ///< every confirmation question asked

    TForm_Main &main() { return *m_windows->main; }
    ProgramEditor *editor() { return main().documents().activeEditor(); }
    QToolButton *button(const char *name) { return main().ribbonButton(QString::fromLatin1(name)); }

    ProgramEditor *openDocument(const QString &text)
    {
        main().documents().newDocument();
        main().ribbon()->setCurrentIndex(2);
        ProgramEditor *e = editor();
        e->setText(text);
        e->setModified(false);
        e->setCursorPosition(0, 0);
        return e;
    }

    /// The active document's selection as (line, index) pairs.
    QList<int> selection()
    {
        int line1 = 0;
        int index1 = 0;
        int line2 = 0;
        int index2 = 0;
        editor()->getSelection(&line1, &index1, &line2, &index2);
        return {line1, index1, line2, index2};
    }

    QList<int> caret()
    {
        int line = 0;
        int index = 0;
        editor()->getCursorPosition(&line, &index);
        return {line, index};
    }

    QTreeWidget *log() { return m_windows->messages->tree(); }

    template<typename T> static T *child(QDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }

    /// Fills a find or replace dialog and confirms it.
    Step confirmDialog(const QString &searchText, const QString &replaceText = {},
                       const std::function<void(QDialog &)> &adjust = {})
    {
        return [=, this](QDialog &dialog) {
            if (!qobject_cast<TTextSearchDialog *>(&dialog)) {
                ++m_unexpectedDialogs;
                return int(QDialog::Rejected);
            }
            child<QComboBox>(dialog, "cbSearchText")->setEditText(searchText);
            if (auto *replace = child<QComboBox>(dialog, "cbReplaceText")) {
                replace->setEditText(replaceText);
            }
            if (adjust) {
                adjust(dialog);
            }
            child<QPushButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        };
    }

    static std::function<void(QDialog &)> tick(const char *box)
    {
        return [box](QDialog &dialog) {
            child<QCheckBox>(dialog, box)->setChecked(true);
        };
    }

    /// Looks at a find or replace dialog, then cancels it.
    Step inspectAndCancel(const std::function<void(QDialog &)> &inspect)
    {
        return [=, this](QDialog &dialog) {
            if (!qobject_cast<TTextSearchDialog *>(&dialog)) {
                ++m_unexpectedDialogs;
                return int(QDialog::Rejected);
            }
            inspect(dialog);
            child<QPushButton>(dialog, "BitBtn3")->click();
            return dialog.result();
        };
    }

    /// Answers one confirmation with its button; \a look sees it first.
    Step answer(TConfirmReplaceDialog::Result result, const std::function<void(TConfirmReplaceDialog &)> &look = {})
    {
        return [=, this](QDialog &dialog) {
            auto *confirm = qobject_cast<TConfirmReplaceDialog *>(&dialog);
            if (!confirm) {
                ++m_unexpectedDialogs;
                return int(QDialog::Rejected);
            }
            m_questions << child<QLabel>(dialog, "lblConfirmation")->text();
            if (look) {
                look(*confirm);
            }
            const char *name = result == TConfirmReplaceDialog::Yes ? "btnReplace"
                : result == TConfirmReplaceDialog::No               ? "btnSkip"
                : result == TConfirmReplaceDialog::YesToAll         ? "btnReplaceAll"
                                                                    : "btnCancel";
            child<QPushButton>(dialog, name)->click();
            return dialog.result();
        };
    }

    QString lastLogEntry() { return log()->topLevelItem(log()->topLevelItemCount() - 1)->text(0); }

private Q_SLOTS:
    void init()
    {
        TestFiles::write(m_dir.filePath(QStringLiteral("VORNTransfer.ini")), "[LANGUAGE]\nVALUE=EN\n");
        QDir(m_dir.path()).mkpath(QStringLiteral("Help/EN"));
        for (const char *page : {"func05.2.html", "func05.3.html"}) {
            TestFiles::write(m_dir.filePath(QStringLiteral("Help/EN/") + QString::fromLatin1(page)), "<html></html>");
        }
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_dir.path(), 0ms});
        main().show();
        QVERIFY(QTest::qWaitFor([this] { return main().startupCompleted(); }, 5000));
        QCOMPARE(Catalogue::current().languageCode(), QStringLiteral("EN"));

        // Only the main window is created; find and replace is wired up here.
        m_windows->search = std::make_unique<SearchReplace>(main());
        m_windows->search->connectTo(main());
        m_search = m_windows->search.get();
        m_search->setDialogRunner([this](QDialog &dialog) {
            if (m_steps.isEmpty()) {
                ++m_unexpectedDialogs;
                return int(QDialog::Rejected);
            }
            return m_steps.takeFirst()(dialog);
        });
        m_unexpectedDialogs = 0;
        m_questions.clear();
        m_steps.clear();
    }

    void cleanup()
    {
        QVERIFY2(m_steps.isEmpty(), "a scripted dialog was not shown");
        QCOMPARE(m_unexpectedDialogs, 0);
        HelpPages::setOpener({});
        Catalogue::current().load(QStringLiteral("EN"));
        for (int i = main().documents().count() - 1; i >= 0; --i) {
            main().documents().editorAt(i)->setModified(false);
        }
        m_windows.reset();
    }

    void withoutDocumentEveryEntryWarnsAndOpensNoDialog()
    {
        ScriptedDialogs dialogs;
        QVERIFY(main().action(QStringLiteral("actSearch"))->isEnabled());
        button("SpeedButton27")->click();
        button("SpeedButton28")->click();
        button("SpeedButton29")->click();
        button("SpeedButton30")->click();
        main().action(QStringLiteral("actSearch"))->trigger();
        QCOMPARE(dialogs.shownTexts(),
                 (QStringList {QStringLiteral("ATTENTION: No open File to apply the Function \"Find Text\"."),
                               QStringLiteral("ATTENTION: No open File to apply the Function \"Find Next\"."),
                               QStringLiteral("ATTENTION: No open File to apply the Function \"Find Previous\"."),
                               QStringLiteral("ATTENTION: No open File to apply the Function \"Replace Text\"."),
                               QStringLiteral("ATTENTION: No open File to apply the Function \"Find Text\".")}));
        QCOMPARE(dialogs.shown().first().kind, MessageKind::Attention);
        // m_unexpectedDialogs stays 0: no find or replace dialog was created.
    }

    void findThenNextAndPreviousFromTheCaret()
    {
        ScriptedDialogs dialogs;
        openDocument(QStringLiteral("N10 G41 X1\nN20 G41 X2\nN30 G41 X3\n"));
        editor()->setCursorPosition(1, 0);

        // The from-cursor box is clear: the whole document is searched.
        m_steps << confirmDialog(QStringLiteral("g41"));
        button("SpeedButton27")->click();
        QCOMPARE(selection(), (QList<int> {0, 4, 0, 7}));
        QVERIFY(m_search->settings().ContinueFromCaret);

        button("SpeedButton28")->click();
        QCOMPARE(selection(), (QList<int> {1, 4, 1, 7}));
        button("SpeedButton28")->click();
        QCOMPARE(selection(), (QList<int> {2, 4, 2, 7}));
        QCOMPARE(main().statusText(), QString());

        button("SpeedButton28")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Text not found"));
        QVERIFY(!editor()->hasSelectedText());
        QCOMPARE(caret(), (QList<int> {2, 7}));

        // Find previous goes backwards although the dialog said forwards.
        button("SpeedButton29")->click();
        QCOMPARE(selection(), (QList<int> {2, 4, 2, 7}));
        QCOMPARE(caret(), (QList<int> {2, 4}));
        QCOMPARE(main().statusText(), QString());
        button("SpeedButton29")->click();
        QCOMPARE(selection(), (QList<int> {1, 4, 1, 7}));
        QVERIFY(!m_search->settings().SearchBackwards);

        // Backwards past the first: collapsed onto the selection's start.
        editor()->setSelection(0, 2, 0, 9);
        button("SpeedButton29")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Text not found"));
        QVERIFY(!editor()->hasSelectedText());
        QCOMPARE(caret(), (QList<int> {0, 2}));
        QVERIFY(dialogs.shown().isEmpty());

        // Ctrl+F opens the find dialog too.
        m_steps << confirmDialog(QStringLiteral("X3"));
        main().activateWindow();
        editor()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(editor(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(editor()->selectedText(), QStringLiteral("X3"));
    }

    void searchInsideTheSelectionGoesOnInsideIt()
    {
        openDocument(QStringLiteral("G41 A\nG41 B\nG41 C\nG41 D\n"));
        editor()->setSelection(1, 0, 3, 0);
        m_steps << confirmDialog(QStringLiteral("G41"), {}, tick("cbSearchSelectedOnly"));
        button("SpeedButton27")->click();
        QCOMPARE(selection(), (QList<int> {1, 0, 1, 3}));
        button("SpeedButton28")->click();
        QCOMPARE(selection(), (QList<int> {2, 0, 2, 3}));
        button("SpeedButton28")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Text not found"));
        QCOMPARE(caret(), (QList<int> {2, 3}));
    }

    void wideCharactersAreFoundAndReplacedExactly()
    {
        openDocument(QStringLiteral("Ø1 ÄÖ G41\n€ äö \U0001F600 äÖ\n"));
        m_steps << confirmDialog(QStringLiteral("äö"));
        button("SpeedButton27")->click();
        QCOMPARE(editor()->selectedText(), QStringLiteral("ÄÖ"));
        button("SpeedButton28")->click();
        QCOMPARE(editor()->selectedText(), QStringLiteral("äö"));

        m_steps << confirmDialog(QStringLiteral("ÄÖ"), QStringLiteral("Ü€")) << answer(TConfirmReplaceDialog::YesToAll);
        button("SpeedButton30")->click();
        QCOMPARE(editor()->text(), QStringLiteral("Ø1 Ü€ G41\n€ Ü€ \U0001F600 Ü€\n"));
        QCOMPARE(editor()->selectedText(), QStringLiteral("Ü€"));
    }

    void replaceAsksAboutEachOccurrenceAndLogsTheDialog()
    {
        const QString original = QStringLiteral("G41 X1\nG41 X2\nG41 X3\nG41 X4\n");
        openDocument(original);

        // No to the first, Yes to all at the second.
        m_steps << confirmDialog(QStringLiteral("G41"), QStringLiteral("G42")) << answer(TConfirmReplaceDialog::No)
                << answer(TConfirmReplaceDialog::YesToAll);
        button("SpeedButton30")->click();
        QCOMPARE(editor()->text(), QStringLiteral("G41 X1\nG42 X2\nG42 X3\nG42 X4\n"));
        QCOMPARE(m_questions, QStringList(2, QStringLiteral("Replace this occurence of \"G41\"?")));
        QCOMPARE(main().statusText(), QString());
        QCOMPARE(log()->topLevelItemCount(), 1);
        QVERIFY2(lastLogEntry().startsWith(QStringLiteral("New(1) - ")), qPrintable(lastLogEntry()));
        QVERIFY2(lastLogEntry().endsWith(QStringLiteral(" - Replace Text")), qPrintable(lastLogEntry()));
        QTreeWidgetItem *entry = log()->topLevelItem(0);
        QCOMPARE(entry->childCount(), 1);
        QCOMPARE(entry->child(0)->text(0), QStringLiteral("Replaced Text \"G41\" by \"G42\""));

        // The whole replace is one undo step.
        editor()->undo();
        QCOMPARE(editor()->text(), original);
        editor()->redo();

        // Yes, then Cancel: the replace stops at once.
        m_steps << confirmDialog(QStringLiteral("G42"), QStringLiteral("G43")) << answer(TConfirmReplaceDialog::Yes)
                << answer(TConfirmReplaceDialog::Cancel);
        button("SpeedButton30")->click();
        QCOMPARE(editor()->text(), QStringLiteral("G41 X1\nG43 X2\nG42 X3\nG42 X4\n"));
        QCOMPARE(log()->topLevelItemCount(), 2);
        QCOMPARE(log()->topLevelItem(1)->child(0)->text(0), QStringLiteral("Replaced Text \"G42\" by \"G43\""));

        // A cancelled dialog changes nothing and logs nothing.
        m_steps << inspectAndCancel([](QDialog &) {});
        button("SpeedButton30")->click();
        QCOMPARE(log()->topLevelItemCount(), 2);
        QCOMPARE(m_search->settings().SearchTextHistory, QStringLiteral("G42\r\nG41"));
        QCOMPARE(m_search->settings().ReplaceTextHistory, QStringLiteral("G43\r\nG42"));
    }

    void replacingByTheSameTextOrNothingStillLogs()
    {
        const QString original = QStringLiteral("G41 X1\nG41 X2\n");
        openDocument(original);
        m_steps << confirmDialog(QStringLiteral("G41"), QStringLiteral("G41"));
        button("SpeedButton30")->click();
        QCOMPARE(editor()->text(), original);
        QVERIFY(!editor()->isModified());
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(main().statusText(), QString()); // found, only not replaced
        QCOMPARE(log()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Replaced Text \"G41\" by \"G41\""));

        // An empty search text runs no search but is still logged.
        m_steps << confirmDialog(QString(), QStringLiteral("G42"));
        button("SpeedButton30")->click();
        QCOMPARE(editor()->text(), original);
        QCOMPARE(log()->topLevelItemCount(), 2);
        QCOMPARE(log()->topLevelItem(1)->child(0)->text(0), QStringLiteral("Replaced Text \"\" by \"G42\""));

        // Nothing found: the same status as find, and the entry all the same.
        m_steps << confirmDialog(QStringLiteral("G43"), QStringLiteral("G44"));
        button("SpeedButton30")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Text not found"));
        QCOMPARE(log()->topLevelItemCount(), 3);
    }

    void regularExpressionBoxStartsClearedButFindNextKeepsIt()
    {
        openDocument(QStringLiteral("G41 X1\nG42 X2\n"));
        m_steps << confirmDialog(QStringLiteral("G4[12]"), {}, tick("cbRegularExpression"));
        button("SpeedButton27")->click();
        QCOMPARE(editor()->selectedText(), QStringLiteral("G41"));

        bool cleared = false;
        m_steps << inspectAndCancel([&cleared](QDialog &dialog) {
            cleared = !child<QCheckBox>(dialog, "cbRegularExpression")->isChecked()
                && child<QComboBox>(dialog, "cbSearchText")->currentText() == QStringLiteral("G4[12]");
        });
        button("SpeedButton27")->click();
        QVERIFY(cleared);
        button("SpeedButton28")->click();
        QCOMPARE(editor()->selectedText(), QStringLiteral("G42"));

        // Confirmed with the box clear, the text is plain again.
        m_steps << confirmDialog(QStringLiteral("G4[12]"));
        button("SpeedButton27")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Text not found"));
    }

    void badRegularExpressionShowsTheErrorAndEndsTheAction()
    {
        ScriptedDialogs dialogs;
        openDocument(QStringLiteral("G41 X1\n"));
        m_steps << confirmDialog(QStringLiteral("G(41"), QStringLiteral("G42"), tick("cbRegularExpression"));
        button("SpeedButton30")->click();
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().kind, MessageKind::Error);
        QCOMPARE(main().statusText(), QString());
        QCOMPARE(editor()->text(), QStringLiteral("G41 X1\n"));
        QCOMPARE(log()->topLevelItemCount(), 0); // nothing was replaced
    }

    void historiesKeepTenEntriesIgnoringCase()
    {
        openDocument(QStringLiteral("G01 X1\n"));
        for (const char *typed : {"G01", "G01", "g01"}) {
            m_steps << confirmDialog(QString::fromLatin1(typed));
            button("SpeedButton27")->click();
        }
        QStringList shown;
        const auto readList = [&shown](QDialog &dialog) {
            auto *box = child<QComboBox>(dialog, "cbSearchText");
            shown.clear();
            for (int i = 0; i < box->count(); ++i) {
                shown << box->itemText(i);
            }
        };
        m_steps << inspectAndCancel(readList);
        button("SpeedButton27")->click();
        QCOMPARE(shown, QStringList {QStringLiteral("g01")});

        for (int i = 1; i <= 10; ++i) {
            m_steps << confirmDialog(QStringLiteral("T%1").arg(i));
            button("SpeedButton27")->click();
        }
        m_steps << inspectAndCancel(readList);
        button("SpeedButton27")->click();
        QCOMPARE(shown.size(), 10);
        QCOMPARE(shown.first(), QStringLiteral("T10"));
        QCOMPARE(shown.last(), QStringLiteral("T1")); // g01, the 11th, is gone

        // The replace dialog keeps its replacement list apart.
        m_steps << confirmDialog(QStringLiteral("Q1"), QStringLiteral("B"))
                << confirmDialog(QStringLiteral("Q1"), QStringLiteral("C"));
        button("SpeedButton30")->click();
        button("SpeedButton30")->click();
        QStringList replacements;
        m_steps << inspectAndCancel([&](QDialog &dialog) {
            readList(dialog);
            auto *box = child<QComboBox>(dialog, "cbReplaceText");
            for (int i = 0; i < box->count(); ++i) {
                replacements << box->itemText(i);
            }
            replacements << box->currentText();
        });
        button("SpeedButton30")->click();
        QCOMPARE(replacements, (QStringList {QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("C")}));
        QCOMPARE(shown.first(), QStringLiteral("Q1"));
        QCOMPARE(shown.size(), 10);
    }

    void confirmationStaysClearOfTheOccurrence()
    {
        QString text;
        for (int i = 0; i < 200; ++i) {
            text += QStringLiteral("N%1 G41 X%1\n").arg(i);
        }
        openDocument(text);
        QVERIFY(QTest::qWaitForWindowExposed(editor()));

        int above = 0;
        int below = 0;
        QStringList wrong;
        const auto check = [&](TConfirmReplaceDialog &dialog) {
            ProgramEditor *e = editor();
            const long position = e->SendScintilla(Sci::SCI_GETSELECTIONSTART);
            const QPoint match
                = e->viewport()->mapToGlobal(QPoint(int(e->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, position)),
                                                    int(e->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, position))));
            const int lineBottom = match.y() + int(e->SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL));
            const QRect client(main().mapToGlobal(QPoint(0, 0)), main().size());
            const bool lowerThird = lineBottom > client.top() + (client.height() * 2 + 1) / 3;
            const int expectedY = lowerThird ? match.y() - dialog.outerSize().height() - 4 : lineBottom + 4;
            (lowerThird ? above : below) += 1;
            if (dialog.pos().y() != expectedY || dialog.pos().x() < client.left()
                || dialog.pos().x() + dialog.width() > client.left() + client.width()) {
                wrong << QStringLiteral("line bottom %1: dialog at %2,%3")
                             .arg(lineBottom)
                             .arg(dialog.pos().x())
                             .arg(dialog.pos().y());
            }
        };
        m_steps << confirmDialog(QStringLiteral("G41"), QStringLiteral("G42"));
        for (int i = 0; i < 60; ++i) {
            m_steps << answer(TConfirmReplaceDialog::No, check);
        }
        m_steps << answer(TConfirmReplaceDialog::Cancel, check);
        button("SpeedButton30")->click();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
        QVERIFY2(above > 0 && below > 0, qPrintable(QStringLiteral("above %1, below %2").arg(above).arg(below)));
        QCOMPARE(editor()->text(), text);
    }

    void dialogsShowTheirTextsAndHelpPages()
    {
        openDocument(QStringLiteral("G41\n"));
        QStringList opened;
        HelpPages::setOpener([&opened](const QString &path) {
            opened << QFileInfo(path).fileName();
            return true;
        });
        QStringList seen;
        const auto texts = [&seen](QDialog &dialog) {
            seen << dialog.windowTitle() << child<QLabel>(dialog, "Ribbon1_caption")->text()
                 << child<QGroupBox>(dialog, "GroupBox3")->title()
                 << child<QCheckBox>(dialog, "cbSearchCaseSensitive")->text()
                 << child<QCheckBox>(dialog, "cbSearchFromCursor")->text()
                 << child<QPushButton>(dialog, "BitBtn1")->text();
            child<QToolButton>(dialog, "Ribbon1_help")->click();
        };
        m_steps << inspectAndCancel(texts);
        button("SpeedButton27")->click();
        m_steps << inspectAndCancel([&](QDialog &dialog) {
            texts(dialog);
            seen << child<QLabel>(dialog, "Label2")->text();
        });
        button("SpeedButton30")->click();
        QCOMPARE(
            seen,
            (QStringList {QStringLiteral("TextSearchDialog"), QStringLiteral("VORN Transfer - Vs.2.3.0 - Find"),
                          QStringLiteral(" Find "), QStringLiteral("&Match case"), QStringLiteral("&Use Wildcards"),
                          QStringLiteral("&Find"), QStringLiteral("TextReplaceDialog"),
                          QStringLiteral("VORN Transfer - Vs.2.3.0 - Replace"), QStringLiteral(" Replace "),
                          QStringLiteral("&Case Sensitive"), QStringLiteral("&Use Wildcards"),
                          QStringLiteral("&Replace"), QStringLiteral("Replace with :")}));
        QCOMPARE(opened, (QStringList {QStringLiteral("func05.2.html"), QStringLiteral("func05.3.html")}));

        // The texts follow the language.
        Catalogue::current().load(QStringLiteral("PT-BR"));
        seen.clear();
        m_steps << inspectAndCancel(texts);
        button("SpeedButton27")->click();
        QCOMPARE(seen.at(1), QStringLiteral("VORN Transfer - Vs.2.3.0 - Localizar"));
        button("SpeedButton28")->click();
        QCOMPARE(main().statusText(), QStringLiteral("Texto não encontrado"));
    }
};

QTEST_MAIN(SearchReplaceTest)
#include "SearchReplaceTest.moc"
