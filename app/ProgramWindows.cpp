#include "app/ProgramWindows.h"

#include "app/FileBrowser.h"
#include "app/TForm_DIR.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "app/TForm_Screen.h"
#include "editor/SearchReplace.h"
#include "editor/TForm_EDT_COR.h"
#include "editor/TForm_Font.h"
#include "tools/TForm_EDT1.h"
#include "tools/TForm_EDT2.h"
#include "tools/TForm_EDT3.h"
#include "tools/TForm_EDT4.h"
#include "tools/TForm_EDT5.h"
#include "tools/TForm_EDT_Progress.h"
#include "tools/ToolButtons.h"

#include <QToolButton>

ProgramWindows::ProgramWindows(const Options &options)
{
    main = std::make_unique<TForm_Main>(options.programDir, *this);
    screen = std::make_unique<TForm_Screen>();
    screen->setDuration(options.splashDuration);
    if (!options.allWindows) {
        messages = std::make_unique<TForm_MSG>();
        main->setMessageWindow(messages.get());
        return;
    }
    spaces = std::make_unique<TForm_EDT1>(*main);
    progress = std::make_unique<TForm_EDT_Progress>(*main);
    renumber = std::make_unique<TForm_EDT2>(*main);
    arcCentres = std::make_unique<TForm_EDT3>(*main);
    translate = std::make_unique<TForm_EDT4>(*main);
    mirror = std::make_unique<TForm_EDT5>(*main);
    messages = std::make_unique<TForm_MSG>();
    colours = std::make_unique<TForm_EDT_COR>(*main);
    browser = FileBrowser::install(*main);
    // The current machine's program directory comes with the machine register.
    productDirectory = std::make_unique<TForm_DIR>(*main, *browser, [] { return QString(); });
    font = std::make_unique<TForm_Font>(*main);

    main->setMessageWindow(messages.get());
    connectToolButtons(*main, *progress, *spaces, *renumber, *arcCentres, *translate, *mirror);
    colours->setColoursAppliedHook([this] { main->applyHighlighterColours(); });
    search = std::make_unique<SearchReplace>(*main);
    search->connectTo(*main);

    const auto wire = [this](const char *name, auto *window) {
        QToolButton *button = main->ribbonButton(QString::fromLatin1(name));
        button->setEnabled(true);
        QObject::connect(button, &QToolButton::clicked, window, [window] { window->open(); });
    };
    wire("SpeedButton3", productDirectory.get());
    wire("SpeedButton17", font.get());
    wire("SpeedButton18", colours.get());
}

ProgramWindows::~ProgramWindows()
{
    // Secondary windows first; the message window may be docked in the main window.
    search.reset();
    font.reset();
    productDirectory.reset();
    colours.reset();
    messages.reset();
    mirror.reset();
    translate.reset();
    arcCentres.reset();
    renumber.reset();
    progress.reset();
    spaces.reset();
    screen.reset();
    main.reset();
}

QList<QWidget *> ProgramWindows::all() const
{
    const QList<QWidget *> created = {main.get(),       screen.get(),   spaces.get(),
                                      progress.get(),   renumber.get(), arcCentres.get(),
                                      translate.get(),  mirror.get(),   messages.get(),
                                      colours.get(),    productDirectory.get(), font.get()};
    QList<QWidget *> windows;
    for (QWidget *w : created) {
        if (w) {
            windows << w;
        }
    }
    return windows;
}
