#include "app/ProgramWindows.h"

#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "app/TForm_Screen.h"

ProgramWindows::ProgramWindows(const Options &options)
{
    main = std::make_unique<TForm_Main>(options.programDir, *this);
    screen = std::make_unique<TForm_Screen>();
    screen->setDuration(options.splashDuration);
    messages = std::make_unique<TForm_MSG>();
    main->setMessageWindow(messages.get());
}

ProgramWindows::~ProgramWindows()
{
    // The message window may be docked in the main window: free it first.
    messages.reset();
    screen.reset();
    main.reset();
}

QList<QWidget *> ProgramWindows::all() const
{
    return {main.get(), screen.get(), messages.get()};
}
