// Measures complete runs of the five tool windows on a generated
// 1,000,000-line program open in the editor: from Apply to the document
// updated and the log entry written, how long the window loop goes without
// answering while the progress window is up, and how soon Cancel ends a run.

#include "MillingProgram.h"
#include "app/ProgramWindows.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "app/UserDialogs.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "editor/ProgramFile.h"
#include "i18n/Catalogue.h"
#include "tools/TForm_EDT1.h"
#include "tools/TForm_EDT2.h"
#include "tools/TForm_EDT3.h"
#include "tools/TForm_EDT4.h"
#include "tools/TForm_EDT5.h"
#include "tools/TForm_EDT_Progress.h"
#include "tools/ToolButtons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <functional>

using namespace std::chrono_literals;

namespace {

constexpr double kRunTargetMs = 3000;
constexpr double kAnswerTargetMs = 200;

/// Answers every question No and prints every message: a benchmark run must
/// never wait for a person.
class UnattendedDialogs final : public UserDialogs
{
public:
    Answer message(QWidget *, MessageKind, const QString &, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return Answer::No;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QColor> colour(QWidget *, const QColor &) override { return {}; }
    std::optional<QFont> font(QWidget *, const QFont &) override { return {}; }

    int messages = 0;
};

template<class T> T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        qFatal("no control %s in %s", name, qPrintable(window->objectName()));
    }
    return found;
}

void click(QWidget *window, const char *name)
{
    child<QAbstractButton>(window, name)->click();
}

/// Watches the window loop while the progress window runs: the longest time
/// between two turns of the loop is the longest a click on Cancel or a
/// repaint could have waited.
class LoopWatch : public QObject
{
public:
    explicit LoopWatch(TForm_EDT_Progress &progress)
        : m_progress(progress)
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { turn(); });
        QObject::connect(&progress, &TForm_EDT_Progress::progressed, this, [this] { ++progressUpdates; });
        m_timer.start();
    }

    void turn()
    {
        if (!m_progress.isRunning()) {
            m_last.invalidate();
            return;
        }
        if (m_last.isValid()) {
            longestGapMs = std::max(longestGapMs, m_last.nsecsElapsed() / 1e6);
        }
        m_last.start();
    }

    void reset()
    {
        longestGapMs = 0;
        progressUpdates = 0;
        m_last.invalidate();
    }

    double longestGapMs = 0;
    int progressUpdates = 0;

private:
    TForm_EDT_Progress &m_progress;
    QTimer m_timer;
    QElapsedTimer m_last;
};

bool report(const char *what, double value, const char *unit, double target, bool below = true)
{
    const bool pass = below ? value <= target : value >= target;
    std::printf("  %-52s %9.1f %-3s target %s %6.0f %s  %s\n", what, value, unit, below ? "<=" : ">=", target, unit,
                pass ? "PASS" : "FAIL");
    return pass;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    Catalogue::current().load(QStringLiteral("EN"));
    UnattendedDialogs dialogs;
    UserDialogs::setInstance(&dialogs);

    QTemporaryDir dir;
    ProgramWindows windows(ProgramWindows::Options {dir.path(), 0ms});
    TForm_Main &main = *windows.main;
    TForm_EDT1 spaces(main);
    TForm_EDT_Progress progress(main);
    TForm_EDT2 renumber(main);
    TForm_EDT3 arcs(main);
    TForm_EDT4 translate(main);
    TForm_EDT5 mirror(main);
    connectToolButtons(main, progress, spaces, renumber, arcs, translate, mirror);
    QTreeWidget *log = windows.messages->tree();

    const QByteArray bytes = millingProgram(kLines);
    const DecodedProgram program = decodeProgram(bytes);
    main.documents().newDocument();
    ProgramEditor *editor = main.documents().activeEditor();
    std::printf("Program: %d lines, %.1f MB, open in the editor. Times are wall-clock.\n\n", kLines,
                static_cast<double>(bytes.size()) / 1e6);

    struct Run
    {
        const char *name;
        ToolWindow *window;
        std::function<void(ToolWindow &)> choose;
    };
    const QList<Run> runs = {
        {"spaces (add)", &spaces, [](ToolWindow &w) { click(&w, "RadioButton2"); }},
        {"renumber (from 10 by 10)", &renumber,
         [](ToolWindow &w) {
             if (!child<QCheckBox>(&w, "CheckBox3")->isChecked()) {
                 click(&w, "CheckBox3");
             }
             child<QSpinBox>(&w, "SpinEdit4")->setValue(10);
             child<QSpinBox>(&w, "SpinEdit5")->setValue(10);
         }},
        {"I/J to incremental", &arcs, [](ToolWindow &w) { click(&w, "RadioButton2"); }},
        {"translate X, Y and Z", &translate,
         [](ToolWindow &w) {
             for (const char *box : {"CheckBox1", "CheckBox2", "CheckBox3"}) {
                 if (!child<QCheckBox>(&w, box)->isChecked()) {
                     click(&w, box);
                 }
             }
             for (const char *field : {"Edit1", "Edit2", "Edit3"}) {
                 child<QLineEdit>(&w, field)->setText(QStringLiteral("12.5"));
             }
         }},
        {"mirror X and Y, swap G02/G03", &mirror,
         [](ToolWindow &w) {
             for (const char *box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
                 if (!child<QCheckBox>(&w, box)->isChecked()) {
                     click(&w, box);
                 }
             }
         }},
    };

    LoopWatch watch(progress);
    bool allPassed = true;
    for (const Run &run : runs) {
        editor->loadProgram(program);
        const int entries = log->topLevelItemCount();
        watch.reset();
        QElapsedTimer clock;
        clock.start();
        if (!run.window->prepare()) {
            std::printf("%s: the window did not open\n", run.name);
            return 2;
        }
        run.choose(*run.window);
        click(run.window, "BitBtn1");
        const double ms = clock.nsecsElapsed() / 1e6;
        const bool completed = run.window->lastStatus() == ToolStatus::Completed
                               && log->topLevelItemCount() == entries + 1 && editor->isModified();
        std::printf("%s: %s, %d progress updates\n", run.name, completed ? "completed" : "NOT COMPLETED",
                    watch.progressUpdates);
        allPassed &= completed;
        allPassed &= report("Apply to document updated and logged", ms, "ms", kRunTargetMs);
        allPassed &= report("longest wait for the window loop (progress up)", watch.longestGapMs, "ms", kAnswerTargetMs);
    }

    // Cancel a third of the way through the slowest tool.
    editor->loadProgram(program);
    const QString before = editor->programText();
    QElapsedTimer sinceCancel;
    QObject::connect(&progress, &TForm_EDT_Progress::progressed, &progress, [&](int percent) {
        if (percent >= 30 && !sinceCancel.isValid()) {
            sinceCancel.start();
            click(&progress, "BitBtn3");
        }
    });
    double cancelMs = -1;
    QObject::connect(&translate, &ToolWindow::runFinished, &translate, [&] {
        if (sinceCancel.isValid()) {
            cancelMs = sinceCancel.nsecsElapsed() / 1e6;
        }
    });
    watch.reset();
    if (!translate.prepare()) {
        return 2;
    }
    runs[3].choose(translate);
    click(&translate, "BitBtn1");
    const bool cancelled = translate.lastStatus() == ToolStatus::Cancelled && editor->programText() == before;
    std::printf("translate cancelled at 30%%: %s\n", cancelled ? "cancelled, document unchanged" : "NOT CANCELLED");
    allPassed &= cancelled;
    allPassed &= report("Cancel to the run ended", cancelMs, "ms", kAnswerTargetMs);

    UserDialogs::setInstance(nullptr);
    allPassed &= dialogs.messages == 0;
    std::printf("\n%s\n", allPassed ? "ALL PASS" : "SOME FAIL");
    return allPassed ? 0 : 1;
}
