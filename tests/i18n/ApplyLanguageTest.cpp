#include "i18n/ApplyLanguage.h"

#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "i18n/Catalogue.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace std::chrono_literals;

namespace {

/// A window shaped like the settings and register windows, built only from
/// object names, to show that a new window gets its texts without new code.
std::unique_ptr<QWidget> windowNamed(const QString &name)
{
    auto window = std::make_unique<QWidget>();
    window->setObjectName(name);
    auto add = [&](QWidget *w, const char *objectName) {
        w->setParent(window.get());
        w->setObjectName(QString::fromLatin1(objectName));
    };
    add(new QComboBox, "ComboBox1");
    add(new QComboBox, "ComboBox2");
    add(new QGroupBox, "GroupBox1");
    add(new QLabel, "Label1");
    add(new QPushButton, "BitBtn1");
    auto *tabs = new QTabWidget;
    add(tabs, "PageControl1");
    auto *sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet1"));
    tabs->addTab(sheet, QStringLiteral("design"));
    return window;
}

} // namespace

class ApplyLanguageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainWindowFollowsTheLanguage()
    {
        QTemporaryDir dir;
        ProgramWindows windows({dir.path(), 0ms});
        TForm_Main &main = *windows.main;
        // Design captions until a language is applied.
        QCOMPARE(main.ribbon()->page(0)->caption(), QStringLiteral("Produtos e Peças Cadastrados"));

        Catalogue catalogue;
        catalogue.load(QStringLiteral("EN"));
        ApplyLanguage(windows.all(), catalogue);
        QCOMPARE(main.windowTitle(), QStringLiteral("VORN - Transfer"));
        QCOMPARE(main.ribbon()->caption(), QStringLiteral("VORN Transfer - Vs.2.3.0"));
        QCOMPARE(main.ribbon()->page(2)->caption(), QStringLiteral(" Edit CNC Program "));
        QCOMPARE(main.findChild<QObject *>(QStringLiteral("RibbonGroup9"))->property("caption").toString(),
                 QStringLiteral("Filter Database Machines"));
        QCOMPARE(main.findChild<QLabel *>(QStringLiteral("Label6"))->text(), QStringLiteral("Machine Name :"));
        QCOMPARE(main.findChild<QPushButton *>(QStringLiteral("Button3"))->text(), QStringLiteral("Clean up"));
        QCOMPARE(main.action(QStringLiteral("actSearchNext"))->text(), QStringLiteral("Find &Next"));
        auto *files = main.findChild<QTreeView *>(QStringLiteral("ShellListView1"));
        QCOMPARE(files->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Modified Date"));
        // Speed buttons receive their hint only, never a caption.
        QToolButton *save = main.ribbonButton(QStringLiteral("SpeedButton13"));
        QCOMPARE(save->toolTip(), QStringLiteral("Save File"));
        QVERIFY(save->text().isEmpty());
        QCOMPARE(windows.messages->windowTitle(), catalogue.text(u"Form_MSG.Caption"));

        catalogue.load(QStringLiteral("ES"));
        ApplyLanguage(windows.all(), catalogue);
        QCOMPARE(main.findChild<QLabel *>(QStringLiteral("Label6"))->text(), catalogue.text(u"Form_Main.Label6"));
        QCOMPARE(save->toolTip(), catalogue.text(u"Form_Main.SpeedButton13.Hint"));
        QCOMPARE(save->accessibleName(), save->toolTip());
    }

    void applyingTwiceGivesTheSameTextsAndEmptyComboSelections()
    {
        auto config = windowNamed(QStringLiteral("Form_Config"));
        auto machines = windowNamed(QStringLiteral("Form_Maquinas"));
        const QList<QWidget *> windows = {config.get(), machines.get()};
        Catalogue catalogue;
        catalogue.load(QStringLiteral("PT-BR"));

        auto snapshot = [&] {
            QStringList texts;
            for (QWidget *w : windows) {
                texts << w->windowTitle();
                for (auto *combo : w->findChildren<QComboBox *>()) {
                    for (int i = 0; i < combo->count(); ++i) {
                        texts << combo->itemText(i);
                    }
                    texts << QString::number(combo->currentIndex());
                }
                for (auto *label : w->findChildren<QLabel *>()) {
                    texts << label->text();
                }
                texts << w->findChild<QTabWidget *>()->tabText(0);
            }
            return texts;
        };
        ApplyLanguage(windows, catalogue);
        auto *languages = config->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        QCOMPARE(languages->count(), 3);
        QCOMPARE(languages->itemText(1), catalogue.text(u"Form_Config.ComboBox1.Item1"));
        // The picture list and the transfer type list start with an empty item.
        auto *pictures = machines->findChild<QComboBox *>(QStringLiteral("ComboBox2"));
        QCOMPARE(pictures->count(), 8);
        QVERIFY(pictures->itemText(0).isEmpty());
        QCOMPARE(pictures->itemText(7), catalogue.text(u"Form_Maquinas.ComboBox2.Item7"));
        QCOMPARE(machines->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->count(), 5);
        QCOMPARE(machines->findChild<QTabWidget *>()->tabText(0), catalogue.text(u"Form_Maquinas.TabSheet1"));

        const QStringList first = snapshot();
        languages->setCurrentIndex(2);
        ApplyLanguage(windows, catalogue);
        QCOMPARE(snapshot(), first);
        QCOMPARE(languages->currentIndex(), -1);
        // Mode texts are left to the code that opens the window in that mode.
        QVERIFY(machines->findChild<QTabWidget *>()->tabText(0) != catalogue.text(u"Form_Maquinas.TabSheet1.Network"));
    }

    void unknownLanguageEmptiesEveryListedText()
    {
        QTemporaryDir dir;
        ProgramWindows windows({dir.path(), 0ms});
        auto config = windowNamed(QStringLiteral("Form_Config"));
        Catalogue catalogue;
        catalogue.load(QStringLiteral("FR"));
        QList<QWidget *> all = windows.all();
        all << config.get();
        ApplyLanguage(all, catalogue);
        QVERIFY(windows.main->windowTitle().isEmpty());
        QVERIFY(windows.main->ribbon()->page(0)->caption().isEmpty());
        QVERIFY(windows.main->findChild<QLabel *>(QStringLiteral("Label3"))->text().isEmpty());
        auto *languages = config->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        QCOMPARE(languages->count(), 3);
        QVERIFY(languages->itemText(0).isEmpty());
    }
};

QTEST_MAIN(ApplyLanguageTest)
#include "ApplyLanguageTest.moc"
