#include "app/HelpPages.h"
#include "app/IniFile.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/SettingsKeys.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "editor/FontChoices.h"
#include "editor/ProgramEditor.h"
#include "editor/TForm_EDT_COR.h"
#include "editor/TForm_Font.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;

namespace {

/// Passes every dialog on to a script and records the colour each colour dialog starts from.
class ColourRecorder final : public UserDialogs
{
public:
    explicit ColourRecorder(ScriptedDialogs &script)
        : m_script(script)
    {
        UserDialogs::setInstance(this);
    }
    ~ColourRecorder() override { UserDialogs::setInstance(&m_script); }

    QList<QColor> initials;

    Answer message(QWidget *parent, MessageKind kind, const QString &title, const QString &text) override
    {
        return m_script.message(parent, kind, title, text);
    }
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return m_script.openFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return m_script.saveFileName(parent, caption, dir, filter);
    }
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        return m_script.existingDirectory(parent, caption, dir);
    }
    std::optional<QColor> colour(QWidget *parent, const QColor &initial) override
    {
        initials.append(initial);
        return m_script.colour(parent, initial);
    }
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override { return m_script.font(parent, initial); }

private:
    ScriptedDialogs &m_script;
};

/// The editor settings every test starts from: a comment, a section nobody
/// reads, and colours for A (red) and K (navy).
const QByteArray kEditorIni = "; workstation 7\r\n"
                              "[CODA]\r\nValor=255\r\n\r\n"
                              "[OTHER]\r\nX=1\r\n\r\n"
                              "[CODK]\r\nValor=8388608\r\n\r\n"
                              "[FONTE]\r\nTIPO=Nowhere Mono\r\nTAMANHO=0\r\n";

} // namespace

/// The G-code colour window and the editor font window.
class ColourFontWindowsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramWindows> m_windows;

    TForm_Main &main() { return *m_windows->main; }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("VORNEditCNC.ini")); }

    template<class T> static T *child(QWidget *window, const QString &name)
    {
        T *found = window->findChild<T *>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }
    static QString rowName(TForm_EDT_COR &window, int n)
    {
        return child<QLineEdit>(&window, u"Edit" + QString::number(n))->text();
    }
    static void click(QWidget *window, const QString &name) { child<QAbstractButton>(window, name)->click(); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        TestFiles::write(iniPath(), kEditorIni);
        m_windows = std::make_unique<ProgramWindows>(ProgramWindows::Options {m_dir.path(), 0ms});
        Catalogue::current().load(QStringLiteral("EN"));
    }

    void cleanup()
    {
        m_windows.reset();
        HelpPages::setOpener({});
    }

    void windowsTakeTheirTextsFromTheCatalogue()
    {
        TForm_EDT_COR colours(main());
        TForm_Font font(main());
        // Every caption key of the two windows names one of their controls.
        for (const QString &key : Catalogue::current().keys()) {
            const QStringList parts = key.split(u'.');
            QWidget *window = parts[0] == u"Form_EDT_COR" ? static_cast<QWidget *>(&colours)
                : parts[0] == u"Form_Font"                ? static_cast<QWidget *>(&font)
                                                          : nullptr;
            if (window && parts[1] != u"Caption") {
                QVERIFY2(window->findChild<QObject *>(parts[1]), qPrintable(key));
            }
        }
        // Design texts are Portuguese; the language pass replaces them.
        QCOMPARE(child<QLabel>(&colours, QStringLiteral("Label3"))->text(), QStringLiteral("Função () :"));
        ApplyLanguage({&colours, &font}, Catalogue::current());
        QCOMPARE(colours.windowTitle(), QStringLiteral("Form_EDT_COR"));
        QCOMPARE(child<QLabel>(&colours, QStringLiteral("Label16"))->text(), QStringLiteral("Y Function  :"));
        QCOMPARE(child<QGroupBox>(&colours, QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral("Color Standards for the G Code"));
        QCOMPARE(child<QPushButton>(&font, QStringLiteral("BitBtn1"))->text(), QStringLiteral("&Apply"));
        QCOMPARE(child<QLabel>(&font, QStringLiteral("Panel1"))->text(), QStringLiteral("N10X2Y3Z4"));

        // Opening sets the strip's caption; the row buttons are announced by their row.
        colours.prepare();
        font.prepare();
        QCOMPARE(child<Ribbon>(&colours, QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - G Code Color"));
        QCOMPARE(child<Ribbon>(&font, QStringLiteral("Ribbon1"))->caption(),
                 QStringLiteral("VORN Transfer - Vs.2.3.0 - Font"));
        QCOMPARE(child<QToolButton>(&colours, QStringLiteral("SpeedButton20"))->accessibleName(),
                 QStringLiteral("() Function :"));
        QCOMPARE(child<QComboBox>(&font, QStringLiteral("ComboBox1"))->accessibleName(), QStringLiteral("Font Name :"));
        for (QWidget *window : {static_cast<QWidget *>(&colours), static_cast<QWidget *>(&font)}) {
            for (QWidget *control : window->findChildren<QWidget *>()) {
                if (control->focusPolicy() != Qt::NoFocus && !control->objectName().startsWith(u"qt_")
                    && qobject_cast<QAbstractButton *>(control) == nullptr
                    && control->objectName() != u"Ribbon1_tabs") {
                    QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
                }
            }
        }
    }

    void applyWritesEveryColourAndKeepsTheRestOfTheFile()
    {
        ScriptedDialogs dialogs;
        TForm_EDT_COR window(main());
        int rebuilt = 0;
        window.setColoursAppliedHook([&] {
            ++rebuilt;
            QCOMPARE(main().settings.GCodeColours[7], 0x000080FF); // settings first, then the hook
        });
        window.prepare();
        QCOMPARE(rowName(window, 1), QStringLiteral("clRed"));
        QCOMPARE(rowName(window, 8), QStringLiteral("clNavy"));
        QCOMPARE(rowName(window, 2), QStringLiteral("clBlack"));

        dialogs.chooseNext(QStringLiteral("#FF8000"));
        click(&window, QStringLiteral("SpeedButton8"));
        QCOMPARE(rowName(window, 8), QStringLiteral("$000080FF"));
        QCOMPARE(window.rowColour(7), 0x000080FF);
        QCOMPARE(main().settings.GCodeColours[7], 0x00800000); // not before Apply

        click(&window, QStringLiteral("BitBtn1"));
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(window.coloursApplied());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(rebuilt, 1);

        const IniFile ini(iniPath());
        std::array<qint32, 22> expected {};
        expected[0] = 255;
        expected[7] = 0x000080FF;
        for (int row = 0; row < 22; ++row) {
            QCOMPARE(ini.readString(SettingsKeys::kColourSections[row], SettingsKeys::kColourValue, QString()),
                     QString::number(expected[row]));
        }
        QCOMPARE(main().settings.GCodeColours, expected);
        const QByteArray written = TestFiles::read(iniPath());
        QCOMPARE(written.count("Valor="), 22);
        QVERIFY(written.startsWith("; workstation 7\r\n[CODA]\r\nValor=255\r\n\r\n[OTHER]\r\nX=1\r\n\r\n"));
        QVERIFY(written.contains("[FONTE]\r\nTIPO=Nowhere Mono\r\nTAMANHO=0\r\n"));
        QVERIFY(!written.contains("\n\n")); // every line kept its CR LF
    }

    void cancelChangesNothingAndReopeningShowsTheStoredColours()
    {
        ScriptedDialogs dialogs;
        TForm_EDT_COR window(main());
        bool rebuilt = false;
        window.setColoursAppliedHook([&] { rebuilt = true; });
        const auto before = main().settings.GCodeColours;

        window.prepare();
        dialogs.chooseNext(QStringLiteral("#00FF00"));
        click(&window, QStringLiteral("SpeedButton1"));
        QCOMPARE(rowName(window, 1), QStringLiteral("clLime"));
        click(&window, QStringLiteral("BitBtn3"));

        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!window.coloursApplied());
        QVERIFY(!rebuilt);
        QCOMPARE(TestFiles::read(iniPath()), kEditorIni);
        QCOMPARE(main().settings.GCodeColours, before);
        window.prepare();
        QCOMPARE(rowName(window, 1), QStringLiteral("clRed"));
    }

    void colourDialogStartsFromTheLastColourChosen()
    {
        ScriptedDialogs script;
        ColourRecorder dialogs(script);
        TForm_EDT_COR window(main());
        window.prepare();

        script.chooseNext(QStringLiteral("#112233"));
        click(&window, QStringLiteral("SpeedButton3"));
        script.chooseNext(QString()); // cancelled: nothing changes, not even the remembered colour
        click(&window, QStringLiteral("SpeedButton4"));
        click(&window, QStringLiteral("BitBtn3"));
        window.prepare();
        click(&window, QStringLiteral("SpeedButton22"));

        QCOMPARE(dialogs.initials,
                 (QList<QColor> {QColor(Qt::black), QColor(0x11, 0x22, 0x33), QColor(0x11, 0x22, 0x33)}));
        QCOMPARE(rowName(window, 4), QStringLiteral("clBlack"));
    }

    void failedWriteShowsTheErrorAndKeepsTheWindowOpen()
    {
        ScriptedDialogs dialogs;
        main().settings.ProgramDir = m_dir.filePath(QStringLiteral("missing")) + u'/';
        const QString target = main().settings.ProgramDir + u"VORNEditCNC.ini";
        const auto colours = main().settings.GCodeColours;
        const QString fontName = main().settings.EditorFontName;

        TForm_EDT_COR colourWindow(main());
        bool rebuilt = false;
        colourWindow.setColoursAppliedHook([&] { rebuilt = true; });
        colourWindow.prepare();
        colourWindow.show();
        dialogs.chooseNext(QStringLiteral("#0000FF"));
        click(&colourWindow, QStringLiteral("SpeedButton5"));
        click(&colourWindow, QStringLiteral("BitBtn1"));

        TForm_Font fontWindow(main());
        fontWindow.prepare();
        fontWindow.show();
        click(&fontWindow, QStringLiteral("BitBtn1"));

        QCOMPARE(dialogs.shownTexts(),
                 (QStringList {u"Unable to write to " + target, u"Unable to write to " + target}));
        QCOMPARE(dialogs.shown().first().kind, MessageKind::Error);
        QVERIFY(colourWindow.isVisible());
        QVERIFY(fontWindow.isVisible());
        QVERIFY(!colourWindow.coloursApplied());
        QVERIFY(!fontWindow.fontApplied());
        QVERIFY(!rebuilt);
        QCOMPARE(rowName(colourWindow, 5), QStringLiteral("clBlue")); // still there to retry
        QCOMPARE(main().settings.GCodeColours, colours);
        QCOMPARE(main().settings.EditorFontName, fontName);
        QVERIFY(!QDir(main().settings.ProgramDir).exists());
    }

    void fontListHasEachFamilyOnceAndTheSizeFieldSettlesOnEight()
    {
        TForm_Font window(main());
        auto *list = child<QComboBox>(&window, QStringLiteral("ComboBox1"));
        auto *size = child<QSpinBox>(&window, QStringLiteral("SpinEdit1"));
        QVERIFY(!list->isEditable());
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->itemText(i);
        }
        QCOMPARE(FontChoices::familyList(items), items); // each family once, sorted
        QCOMPARE(size->minimum(), 8);
        QCOMPARE(size->maximum(), 1000);

        // A stored name that is not installed selects nothing; a stored 0 shows 8.
        window.prepare();
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(size->value(), 8);

        auto *preview = child<QLabel>(&window, QStringLiteral("Panel1"));
        size->setValue(40);
        QCOMPARE(preview->font().pointSize(), 40);
        size->findChild<QLineEdit *>()->clear();
        QCOMPARE(preview->font().pointSize(), 40); // a blank field leaves the preview alone
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(size, &leave);
        QCOMPARE(size->text(), QStringLiteral("8"));
        QCOMPARE(size->value(), 8);
        QCOMPARE(preview->font().pointSize(), 8);

        if (list->count() > 0) {
            const QString family = list->itemText(list->count() - 1);
            main().settings.EditorFontName = family.toUpper();
            main().settings.EditorFontSize = 5000;
            window.prepare();
            QCOMPARE(list->currentText(), family);
            QCOMPARE(size->value(), 1000);
        }
    }

    void fontApplyWritesTheFileAndReachesEveryOpenEditor()
    {
        ScriptedDialogs dialogs;
        main().documents().newDocument();
        main().documents().newDocument();
        QCOMPARE(main().documents().count(), 2);

        TForm_Font window(main());
        auto *list = child<QComboBox>(&window, QStringLiteral("ComboBox1"));
        if (list->count() == 0) {
            QSKIP("no fonts installed");
        }
        window.prepare();
        const QString family = list->itemText(0);
        list->setCurrentIndex(0);
        Q_EMIT list->activated(0);
        QCOMPARE(child<QLabel>(&window, QStringLiteral("Panel1"))->font().family(), family);
        child<QSpinBox>(&window, QStringLiteral("SpinEdit1"))->setValue(14);
        click(&window, QStringLiteral("BitBtn1"));

        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(window.fontApplied());
        const IniFile ini(iniPath());
        QCOMPARE(ini.readString(SettingsKeys::kFontSection, SettingsKeys::kFontName, QString()), family);
        QCOMPARE(ini.readString(SettingsKeys::kFontSection, SettingsKeys::kFontSize, QString()), QStringLiteral("14"));
        QVERIFY(TestFiles::read(iniPath()).contains("[OTHER]\r\nX=1\r\n"));
        QCOMPARE(main().settings.EditorFontName, family);
        QCOMPARE(main().settings.EditorFontSize, 14);
        for (int i = 0; i < main().documents().count(); ++i) {
            ProgramEditor *editor = main().documents().editorAt(i);
            // What the editor paints with: the font of its text styles.
            QByteArray name(256, '\0');
            editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, 0UL, static_cast<void *>(name.data()));
            QCOMPARE(QString::fromUtf8(name.constData()), family);
            QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0UL), 14);
        }
    }

    void helpButtonsOpenTheirPages()
    {
        QStringList opened;
        HelpPages::setOpener([&](const QString &path) {
            opened << path;
            return true;
        });
        main().settings.HelpDir = m_dir.filePath(QStringLiteral("Help/EN")) + u'/';
        QDir().mkpath(main().settings.HelpDir);
        TestFiles::write(main().settings.HelpDir + u"func05.9.html", "<html></html>");
        TestFiles::write(main().settings.HelpDir + u"func05.10.html", "<html></html>");

        TForm_EDT_COR colours(main());
        TForm_Font font(main());
        Q_EMIT child<Ribbon>(&colours, QStringLiteral("Ribbon1"))->helpRequested();
        Q_EMIT child<Ribbon>(&font, QStringLiteral("Ribbon1"))->helpRequested();
        QCOMPARE(
            opened,
            (QStringList {main().settings.HelpDir + u"func05.10.html", main().settings.HelpDir + u"func05.9.html"}));
    }
};

QTEST_MAIN(ColourFontWindowsTest)
#include "ColourFontWindowsTest.moc"
