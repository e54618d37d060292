#include "app/HelpPages.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "tools/TForm_EDT1.h"
#include "tools/TForm_EDT2.h"
#include "tools/TForm_EDT3.h"
#include "tools/TForm_EDT4.h"
#include "tools/TForm_EDT5.h"
#include "tools/TForm_EDT_Progress.h"
#include "tools/ToolButtons.h"
#include "tools/ToolSpinBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

using namespace std::chrono_literals;

namespace {

template<class T> T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found) {
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    }
    return found;
}

void click(QWidget *window, const QString &name)
{
    child<QAbstractButton>(window, name)->click();
}

void leave(QWidget *field)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &event);
}

} // namespace

/// The five tool windows and their progress window, driven as the user does:
/// options, range, Apply, and what the run leaves in the document and the log.
class ToolWindowsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramWindows> m_windows;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TForm_EDT1> m_spaces;
    std::unique_ptr<TForm_EDT_Progress> m_progress;
    std::unique_ptr<TForm_EDT2> m_renumber;
    std::unique_ptr<TForm_EDT3> m_arcs;
    std::unique_ptr<TForm_EDT4> m_translate;
    std::unique_ptr<TForm_EDT5> m_mirror;

    TForm_Main &main() { return *m_windows->main; }
    QTreeWidget *log() { return m_windows->messages->tree(); }

    QList<ToolWindow *> tools()
    {
        return {m_spaces.get(), m_renumber.get(), m_arcs.get(), m_translate.get(), m_mirror.get()};
    }

    /// A new document holding \a text, unmodified and with no undo history.
    ProgramEditor *openDocument(const QString &text)
    {
        main().documents().newDocument();
        ProgramEditor *editor = main().documents().activeEditor();
        editor->loadProgram({text, {}});
        return editor;
    }

    /// Opens \a window as its ribbon button would (without the modal wait),
    /// lets \a choose set it up, and applies.
    static void apply(ToolWindow &window, const std::function<void(ToolWindow &)> &choose = {})
    {
        QVERIFY(window.prepare());
        if (choose) {
            choose(window);
        }
        click(&window, QStringLiteral("BitBtn1"));
    }

    static void chooseRange(ToolWindow &window, int first, int last)
    {
        click(&window, QStringLiteral("RadioButton4"));
        child<QSpinBox>(&window, QStringLiteral("SpinEdit1"))->setValue(first);
        child<QSpinBox>(&window, QStringLiteral("SpinEdit2"))->setValue(last);
    }

    /// The texts of log entry \a n: its heading's title part, then its detail lines.
    QStringList entry(int n)
    {
        const QTreeWidgetItem *top = log()->topLevelItem(n);
        if (!top) {
            return {};
        }
        QStringList texts = {top->text(0).section(QStringLiteral(" - "), -1)};
        for (int i = 0; i < top->childCount(); ++i) {
            texts << top->child(i)->text(0);
        }
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        Catalogue::current().load(QStringLiteral("EN"));
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_dir.path(), 0ms});
        // Start-up order: spaces, progress, then the other four.
        m_spaces = std::make_unique<TForm_EDT1>(main());
        m_progress = std::make_unique<TForm_EDT_Progress>(main());
        m_renumber = std::make_unique<TForm_EDT2>(main());
        m_arcs = std::make_unique<TForm_EDT3>(main());
        m_translate = std::make_unique<TForm_EDT4>(main());
        m_mirror = std::make_unique<TForm_EDT5>(main());
        connectToolButtons(main(), *m_progress, *m_spaces, *m_renumber, *m_arcs, *m_translate, *m_mirror);
    }

    void cleanup()
    {
        m_mirror.reset();
        m_translate.reset();
        m_arcs.reset();
        m_renumber.reset();
        m_progress.reset();
        m_spaces.reset();
        m_windows.reset();
        m_dialogs.reset();
        HelpPages::setOpener({});
    }

    void windowsTakeTheirTextsFromTheCatalogue()
    {
        QList<QWidget *> windows = {m_progress.get()};
        for (ToolWindow *tool : tools()) {
            windows << tool;
        }
        for (const QString &key : Catalogue::current().keys()) {
            const QStringList parts = key.split(u'.');
            if (parts.size() == 2 && parts[0].startsWith(u"Form_EDT") && parts[0] != u"Form_EDT_COR"
                && parts[1] != u"Caption") {
                const auto window = std::find_if(windows.cbegin(), windows.cend(),
                                                 [&](QWidget *w) { return w->objectName() == parts[0]; });
                QVERIFY2(window != windows.cend(), qPrintable(key));
                QVERIFY2((*window)->findChild<QObject *>(parts[1]), qPrintable(key));
            }
        }
        // Design texts are Portuguese; the language pass gives the current ones.
        QCOMPARE(child<QCheckBox>(m_mirror.get(), QStringLiteral("CheckBox3"))->text(),
                 QStringLiteral("Substituir Código G02 por G03"));
        ApplyLanguage(windows, Catalogue::current());
        QCOMPARE(child<QCheckBox>(m_mirror.get(), QStringLiteral("CheckBox3"))->text(),
                 QStringLiteral("Replace G02 G03 code for "));
        QCOMPARE(child<QLabel>(m_renumber.get(), QStringLiteral("Label2"))->text(),
                 QStringLiteral("Number of the Initial Block :"));
        QCOMPARE(child<QGroupBox>(m_spaces.get(), QStringLiteral("GroupBox3"))->title(),
                 QStringLiteral("Data for Operation"));
        QCOMPARE(child<QPushButton>(m_progress.get(), QStringLiteral("BitBtn3"))->text(), QStringLiteral("&Cancel"));
        QCOMPARE(m_translate->windowTitle(), QStringLiteral("Form_EDT4"));

        // Every field that has no caption of its own is named after the one beside it.
        openDocument(QStringLiteral("G00 X0"));
        for (ToolWindow *tool : tools()) {
            QVERIFY(tool->prepare());
            for (QWidget *field : tool->findChildren<QWidget *>()) {
                if (qobject_cast<QSpinBox *>(field) || qobject_cast<QLineEdit *>(field)) {
                    if (qobject_cast<QSpinBox *>(field->parentWidget())) {
                        continue; // the spin box's own line edit
                    }
                    QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
                }
            }
        }
        QCOMPARE(child<QLineEdit>(m_translate.get(), QStringLiteral("Edit2"))->accessibleName(),
                 QStringLiteral("Increment the Y axis value :"));
        QCOMPARE(child<QSpinBox>(m_spaces.get(), QStringLiteral("SpinEdit2"))->accessibleName(), QStringLiteral("up"));
    }

    void withoutADocumentEachButtonWarnsAndOpensNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("name");
        QTest::newRow("spaces") << QStringLiteral("BT01") << 0 << QStringLiteral("Add or Remove Spaces");
        QTest::newRow("renumber") << QStringLiteral("BT02") << 1 << QStringLiteral("Edit Number of Blocks");
        QTest::newRow("I/J") << QStringLiteral("BT06") << 2
                             << QStringLiteral("Convert IJ Coordinates to Absolute or Incremental");
        QTest::newRow("translate") << QStringLiteral("BT07") << 3 << QStringLiteral("Translation of XYZ Coordinates");
        QTest::newRow("mirror") << QStringLiteral("BT08") << 4
                                << QStringLiteral("Apply Mirroring the X and Y Coordinates");
    }

    void withoutADocumentEachButtonWarnsAndOpensNothing()
    {
        QFETCH(QString, button);
        QFETCH(int, tool);
        QFETCH(QString, name);
        QToolButton *ribbonButton = main().ribbonButton(button);
        QVERIFY(ribbonButton->isEnabled());
        bool shown = false;
        QTimer::singleShot(0, tools()[tool], [&] { shown = tools()[tool]->isVisible(); });
        ribbonButton->click();
        QCoreApplication::processEvents();

        QVERIFY(!shown);
        QVERIFY(!tools()[tool]->isVisible());
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown()[0].kind, MessageKind::Attention);
        QCOMPARE(m_dialogs->shown()[0].text,
                 QStringLiteral("ATTENTION: No open File to apply the Function \"") + name + QStringLiteral("\"."));
    }

    void theButtonShowsTheWindowModallyAndCancelClosesIt()
    {
        ProgramEditor *editor = openDocument(QStringLiteral("G00X0Y0"));
        QString caption;
        bool modal = false;
        bool normal = false;
        QTimer::singleShot(0, m_spaces.get(), [&] {
            modal = m_spaces->isVisible() && m_spaces->isModal();
            normal = m_spaces->windowState() == Qt::WindowNoState;
            caption = child<Ribbon>(m_spaces.get(), QStringLiteral("Ribbon1"))->caption();
            click(m_spaces.get(), QStringLiteral("RadioButton2"));
            click(m_spaces.get(), QStringLiteral("BitBtn3"));
        });
        main().ribbonButton(QStringLiteral("BT01"))->click();

        QVERIFY(modal);
        QVERIFY(normal);
        QCOMPARE(caption, QStringLiteral("VORN Transfer - Vs.2.3.0 - Spaces"));
        QVERIFY(!m_spaces->isVisible());
        QCOMPARE(editor->programText(), QStringLiteral("G00X0Y0"));
        QVERIFY(!editor->isModified());
        QCOMPARE(log()->topLevelItemCount(), 0);
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void aCompletedRunChangesItsLinesAsOneUndoStep_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("logEntry");

        QTest::newRow("remove spaces, lines 2 to 3")
            << 0 << QStringLiteral("N10 G01 X1\nN20 G01 X-5.5 Y2. (TOOL 1)\nN30 G00 Z5\nN40 M30")
            << QStringLiteral("N10 G01 X1\nN20G01X-5.5Y2.(TOOL 1)\nN30G00Z5\nN40 M30")
            << QStringList {QStringLiteral("Add\\Remove Space"), QStringLiteral("Removed space in the File"),
                            QStringLiteral("Function applied on line 2 up the line 3 of the File")};
        QTest::newRow("renumber from 100 by 10, whole file")
            << 1 << QStringLiteral("%\nO1234\nN5 G90 G54\nG00 X0 Y0\n\n(FACE MILL)")
            << QStringLiteral("%\nO1234\nN100 G90 G54\nN110G00 X0 Y0\n\nN120(FACE MILL)")
            << QStringList {QStringLiteral("Number of Blocks"), QStringLiteral("Renumbered Number of Blocks of File"),
                            QStringLiteral("Starting Number of Block  for the function : 100 - Increment value "
                                           "for the Block of function : 10"),
                            QStringLiteral("Function Applied across File")};
        QTest::newRow("I/J to absolute, whole file")
            << 2 << QStringLiteral("G00 X10. Y10.\nG02 I5. J0\nG01 X25 Y0\nG02 I-5 (R5)")
            << QStringLiteral("G00 X10. Y10.\nG02 I15 J10\nG01 X25 Y0\nG02 I20 (R5)")
            << QStringList {QStringLiteral("Convert the IJ coordinates to absolute or incremental"),
                            QStringLiteral("Converted \"I,J\" coordinates for absolute"),
                            QStringLiteral("Function Applied across File")};
        QTest::newRow("translate X by 10, line 2 only")
            << 3 << QStringLiteral("G01 X5. Y5.\nG01 X5. Y5. Z-2.\nG02 X10. Y0 I5. J0")
            << QStringLiteral("G01 X5. Y5.\nG01 X15 Y5. Z-2.\nG02 X10. Y0 I5. J0")
            << QStringList {QStringLiteral("Translation of XYZ Coordinates"),
                            QStringLiteral("Incremented the \"X\" axis value of : 10"),
                            QStringLiteral("Function applied on line 2 up the line 2 of the File")};
        QTest::newRow("mirror X with both arc swaps, range past the end")
            << 4 << QStringLiteral("G21\nG02 X20. Y10. I5. J0\nG03 X5. I-2. (G02)")
            << QStringLiteral("G21\nG03 X-20 Y10. I5. J0\nG02 X-5 I-2. (G02)")
            << QStringList {QStringLiteral("Mirroring the X and Y coordinates"),
                            QStringLiteral("Mirroring the \"X\" axis "),
                            QStringLiteral("Replaced G02 code by G03 code / Replaced G03 code by G02 code"),
                            QStringLiteral("Function applied on line 1 up the line 1000 of the File")};
    }

    void aCompletedRunChangesItsLinesAsOneUndoStep()
    {
        QFETCH(int, tool);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QStringList, logEntry);
        ProgramEditor *editor = openDocument(before);
        const std::function<void(ToolWindow &)> choices[] = {
            [](ToolWindow &w) {
                click(&w, QStringLiteral("RadioButton1"));
                chooseRange(w, 2, 3);
            },
            [](ToolWindow &w) {
                click(&w, QStringLiteral("CheckBox3"));
                child<QSpinBox>(&w, QStringLiteral("SpinEdit4"))->setValue(100);
                child<QSpinBox>(&w, QStringLiteral("SpinEdit5"))->setValue(10);
            },
            [](ToolWindow &w) { click(&w, QStringLiteral("RadioButton1")); },
            [](ToolWindow &w) {
                click(&w, QStringLiteral("CheckBox1"));
                child<QLineEdit>(&w, QStringLiteral("Edit1"))->setText(QStringLiteral("10"));
                chooseRange(w, 2, 2);
            },
            [](ToolWindow &w) {
                click(&w, QStringLiteral("CheckBox1"));
                click(&w, QStringLiteral("CheckBox3"));
                click(&w, QStringLiteral("CheckBox4"));
                chooseRange(w, 1, 1000);
            },
        };
        apply(*tools()[tool], choices[tool]);

        QCOMPARE(tools()[tool]->lastStatus(), ToolStatus::Completed);
        QVERIFY(!tools()[tool]->isVisible());
        QVERIFY(!m_progress->isVisible());
        QCOMPARE(editor->programText(), after);
        QVERIFY(editor->isModified());
        QCOMPARE(log()->topLevelItemCount(), 1);
        QCOMPARE(entry(0), logEntry);
        QVERIFY(log()->topLevelItem(0)->text(0).startsWith(main().CurrentFileName + QStringLiteral(" - ")));
        QVERIFY(m_dialogs->shown().isEmpty());

        editor->undo();
        QCOMPARE(editor->programText(), before);
        QVERIFY(!editor->isModified());
    }

    void manyChangedLinesAreOneUndoStepToo()
    {
        QStringList lines;
        for (int i = 0; i < 2500; ++i) {
            lines << QStringLiteral("G01 X%1 Y-%1").arg(i);
        }
        const QString before = lines.join(u'\n');
        ProgramEditor *editor = openDocument(before);
        apply(*m_mirror, [](ToolWindow &w) {
            click(&w, QStringLiteral("CheckBox2"));
            click(&w, QStringLiteral("CheckBox7"));
        });

        const QStringList after = editor->programText().split(u'\n');
        QCOMPARE(after.size(), 2500);
        QCOMPARE(after[0], QStringLiteral("G01 X0 Y+0"));
        QCOMPARE(after[1234], QStringLiteral("G01 X1234 Y+1234"));
        QCOMPARE(after[2499], QStringLiteral("G01 X2499 Y+2499"));
        // The view followed the run to line number 2000.
        int line = -1;
        int index = -1;
        editor->getCursorPosition(&line, &index);
        QCOMPARE(line, 1999);
        QCOMPARE(m_progress->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->findChild<QLabel *>()->text(),
                 QStringLiteral("Function Mirroring Values of Axis \"X\" or \"Y\"."));
        QCOMPARE(log()->topLevelItemCount(), 1);

        editor->undo();
        QCOMPARE(editor->programText(), before);
        QVERIFY(!editor->isModified());
    }

    void aRunThatChangesNothingStillLogsAndMarksTheDocument()
    {
        const QString text = QStringLiteral("G00 X0\nG01 X1\nG01 X2\nG01 X3\nG01 X4\nG01 X5");
        ProgramEditor *editor = openDocument(text);
        apply(*m_spaces);
        QCOMPARE(editor->programText(), text);
        QVERIFY(editor->isModified());
        QCOMPARE(entry(0),
                 (QStringList {QStringLiteral("Add\\Remove Space"), QStringLiteral("Function Applied across File")}));

        // A reversed range visits no line but completes all the same.
        apply(*m_mirror, [](ToolWindow &w) {
            click(&w, QStringLiteral("CheckBox1"));
            chooseRange(w, 5, 3);
        });
        QCOMPARE(editor->programText(), text);
        QCOMPARE(entry(1),
                 (QStringList {QStringLiteral("Mirroring the X and Y coordinates"),
                               QStringLiteral("Mirroring the \"X\" axis "),
                               QStringLiteral("Function applied on line 5 up the line 3 of the File")}));

        editor->undo();
        editor->undo();
        QCOMPARE(editor->programText(), text);
        QVERIFY(!editor->isModified());
    }

    void cancelLeavesTheDocumentAsItWas()
    {
        const QString text = QStringLiteral("G01 X1 Y1\nG02 X2 Y2 I1 J0\nG01 X3 Y3");
        ProgramEditor *editor = openDocument(text);
        connect(m_progress.get(), &TForm_EDT_Progress::runStarted, this, [this] {
            QVERIFY(m_progress->isVisible());
            QCOMPARE(m_progress->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("0%"));
            click(m_progress.get(), QStringLiteral("BitBtn3"));
        });
        apply(*m_mirror, [](ToolWindow &w) { click(&w, QStringLiteral("CheckBox1")); });

        QCOMPARE(m_mirror->lastStatus(), ToolStatus::Cancelled);
        QVERIFY(!m_progress->isVisible());
        QVERIFY(!m_mirror->isVisible());
        QCOMPARE(editor->programText(), text);
        QVERIFY(!editor->isModified());
        QCOMPARE(log()->topLevelItemCount(), 0);
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void aRefusedRunNamesTheLineAndChangesNothing_data()
    {
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("message");
        QTest::newRow("value") << QStringLiteral("1")
                               << QStringLiteral("ERROR: Line 2: the value is not a number: \"X1..2\". The program "
                                                 "was not changed.");
        QTest::newRow("offset") << QStringLiteral("1-2")
                                << QStringLiteral("ERROR: The offset is not a number: \"1-2\". The program was not "
                                                  "changed.");
    }

    void aRefusedRunNamesTheLineAndChangesNothing()
    {
        QFETCH(QString, offset);
        QFETCH(QString, message);
        const QString text = QStringLiteral("G01 X1\nG01 X1..2\nG01 X3");
        ProgramEditor *editor = openDocument(text);
        apply(*m_translate, [&](ToolWindow &w) {
            click(&w, QStringLiteral("CheckBox1"));
            // Pasted text is not filtered.
            child<QLineEdit>(&w, QStringLiteral("Edit1"))->setText(offset);
        });

        QCOMPARE(m_translate->lastStatus(), ToolStatus::Refused);
        QVERIFY(!m_progress->isVisible());
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown()[0].kind, MessageKind::Error);
        QCOMPARE(m_dialogs->shown()[0].text, message);
        QCOMPARE(editor->programText(), text);
        QVERIFY(!editor->isModified());
        QCOMPARE(log()->topLevelItemCount(), 0);
    }

    void settingsStayFromOneOpeningToTheNext()
    {
        ProgramEditor *editor = openDocument(QStringLiteral("G01 X1 Y1 Z1"));
        apply(*m_translate, [](ToolWindow &w) {
            click(&w, QStringLiteral("CheckBox2"));
            click(&w, QStringLiteral("CheckBox4"));
            chooseRange(w, 1, 7);
        });
        QCOMPARE(editor->programText(), QStringLiteral("G01 X1 Y+1 Z1"));
        // The blank offset became "0" in the field and in the log.
        QCOMPARE(entry(0)[1], QStringLiteral("Incremented the \"Y\" axis value of : 0"));

        bool kept = false;
        QTimer::singleShot(0, m_translate.get(), [&] {
            auto *w = m_translate.get();
            kept = child<QCheckBox>(w, QStringLiteral("CheckBox2"))->isChecked()
                && child<QLineEdit>(w, QStringLiteral("Edit2"))->isEnabled()
                && child<QLineEdit>(w, QStringLiteral("Edit2"))->text() == u"0"
                && !child<QLineEdit>(w, QStringLiteral("Edit1"))->isEnabled()
                && child<QLineEdit>(w, QStringLiteral("Edit1"))->text() == u"0"
                && child<QCheckBox>(w, QStringLiteral("CheckBox4"))->isChecked()
                && child<QRadioButton>(w, QStringLiteral("RadioButton4"))->isChecked()
                && child<QSpinBox>(w, QStringLiteral("SpinEdit1"))->isEnabled()
                && child<QSpinBox>(w, QStringLiteral("SpinEdit2"))->value() == 7;
            click(w, QStringLiteral("BitBtn3"));
        });
        main().ribbonButton(QStringLiteral("BT07"))->click();
        QVERIFY(kept);
    }

    void rangeControls()
    {
        TForm_EDT1 &w = *m_spaces;
        auto *first = child<QSpinBox>(&w, QStringLiteral("SpinEdit1"));
        auto *last = child<QSpinBox>(&w, QStringLiteral("SpinEdit2"));
        auto *up = child<QLabel>(&w, QStringLiteral("Label1"));
        QVERIFY(child<QRadioButton>(&w, QStringLiteral("RadioButton3"))->isChecked());
        QVERIFY(!first->isEnabled() && !last->isEnabled() && !up->isEnabled());
        QCOMPARE(first->minimum(), 1);
        QCOMPARE(last->maximum(), 100000000);

        click(&w, QStringLiteral("RadioButton4"));
        QVERIFY(first->isEnabled() && last->isEnabled() && up->isEnabled());
        last->setValue(250);
        last->findChild<QLineEdit *>()->clear();
        leave(last);
        QCOMPARE(last->value(), 1);
        QCOMPARE(last->text(), QStringLiteral("1"));
        // A field still blank when Apply is pressed counts as 1 too.
        first->setValue(40);
        QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(first, Qt::Key_Backspace);
        QCOMPARE(first->text(), QString());
        ProgramEditor *editor = openDocument(QStringLiteral("G00X1\nG00X2"));
        apply(w, [](ToolWindow &t) { click(&t, QStringLiteral("RadioButton2")); });
        QCOMPARE(first->value(), 1);
        QCOMPARE(editor->programText(), QStringLiteral(" G00 X1\nG00X2"));

        click(&w, QStringLiteral("RadioButton3"));
        QVERIFY(!first->isEnabled() && !last->isEnabled() && !up->isEnabled());

        // The renumbering fields: a blank start is 0, the digit count stops at 9.
        auto *digits = child<QSpinBox>(m_renumber.get(), QStringLiteral("SpinEdit3"));
        auto *start = child<QSpinBox>(m_renumber.get(), QStringLiteral("SpinEdit4"));
        QCOMPARE(digits->maximum(), 9);
        click(m_renumber.get(), QStringLiteral("CheckBox3"));
        start->setValue(500);
        start->findChild<QLineEdit *>()->clear();
        leave(start);
        QCOMPARE(start->value(), 0);
    }

    void checkBoxesGreyTheirCaptionsAndDisableTheirFields()
    {
        TForm_EDT2 &renumber = *m_renumber;
        auto *box = child<QCheckBox>(&renumber, QStringLiteral("CheckBox3"));
        auto *label = child<QLabel>(&renumber, QStringLiteral("Label2"));
        auto *start = child<QSpinBox>(&renumber, QStringLiteral("SpinEdit4"));
        auto *increment = child<QSpinBox>(&renumber, QStringLiteral("SpinEdit5"));
        QVERIFY(ToolWindow::isCaptionGrey(box) && ToolWindow::isCaptionGrey(label));
        QVERIFY(box->palette().color(QPalette::WindowText) != renumber.palette().color(QPalette::WindowText));

        box->click();
        QVERIFY(!ToolWindow::isCaptionGrey(box) && !ToolWindow::isCaptionGrey(label));
        QCOMPARE(box->palette().color(QPalette::WindowText), renumber.palette().color(QPalette::WindowText));
        QVERIFY(start->isEnabled() && increment->isEnabled());
        start->setValue(70);
        increment->setValue(5);
        box->click();
        QVERIFY(ToolWindow::isCaptionGrey(box) && ToolWindow::isCaptionGrey(label));
        QVERIFY(!start->isEnabled() && !increment->isEnabled());
        QCOMPARE(start->value(), 0);
        QCOMPARE(increment->value(), 1);

        auto *digitsBox = child<QCheckBox>(&renumber, QStringLiteral("CheckBox1"));
        auto *digits = child<QSpinBox>(&renumber, QStringLiteral("SpinEdit3"));
        digitsBox->click();
        digits->setValue(6);
        digitsBox->click();
        QCOMPARE(digits->value(), 1);
        QVERIFY(!digits->isEnabled());

        // An axis unchecked loses its offset.
        auto *axis = child<QCheckBox>(m_translate.get(), QStringLiteral("CheckBox3"));
        auto *offset = child<QLineEdit>(m_translate.get(), QStringLiteral("Edit3"));
        axis->click();
        QVERIFY(offset->isEnabled());
        offset->setText(QStringLiteral("-2"));
        axis->click();
        QVERIFY(!offset->isEnabled());
        QCOMPARE(offset->text(), QString());
        QVERIFY(ToolWindow::isCaptionGrey(axis));
    }

    void offsetFieldsTakeOnlyNumberCharacters()
    {
        click(m_translate.get(), QStringLiteral("CheckBox1"));
        auto *offset = child<QLineEdit>(m_translate.get(), QStringLiteral("Edit1"));
        QTest::keyClicks(offset, QStringLiteral("1a.5 x-+,;"));
        QCOMPARE(offset->text(), QStringLiteral("1.5-+"));
        QTest::keyClick(offset, Qt::Key_Backspace);
        QCOMPARE(offset->text(), QStringLiteral("1.5-"));
        QVERIFY(TForm_EDT4::acceptsTyped(QStringLiteral(","), u','));
        QVERIFY(!TForm_EDT4::acceptsTyped(QStringLiteral("."), u','));
    }

    void helpButtonsOpenTheirPages()
    {
        QDir().mkpath(main().settings.HelpDir);
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << QFileInfo(path).fileName();
            return true;
        });
        for (int n = 4; n <= 8; ++n) {
            TestFiles::write(main().settings.HelpDir + QStringLiteral("func05.%1.html").arg(n), "<html></html>");
        }
        for (ToolWindow *tool : tools()) {
            child<Ribbon>(tool, QStringLiteral("Ribbon1"))->helpButton()->click();
        }
        QCOMPARE(opened,
                 (QStringList {QStringLiteral("func05.4.html"), QStringLiteral("func05.5.html"),
                               QStringLiteral("func05.6.html"), QStringLiteral("func05.7.html"),
                               QStringLiteral("func05.8.html")}));
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
