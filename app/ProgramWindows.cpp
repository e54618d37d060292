#include "app/ProgramWindows.h"

#include "app/FileBrowser.h"
#include "app/TForm_Config.h"
#include "app/TForm_DIR.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Main.h"
#include "app/TForm_Screen.h"
#include "editor/EditorDocuments.h"
#include "editor/SearchReplace.h"
#include "editor/TForm_EDT_COR.h"
#include "editor/TForm_Font.h"
#include "machines/MachineListPane.h"
#include "machines/MachineRegister.h"
#include "machines/TForm_Imagens.h"
#include "machines/TForm_Maquinas.h"
#include "machines/TForm_Selecionar_Maquina.h"
#include "tools/TForm_EDT1.h"
#include "tools/TForm_EDT2.h"
#include "tools/TForm_EDT3.h"
#include "tools/TForm_EDT4.h"
#include "tools/TForm_EDT5.h"
#include "tools/TForm_EDT_Progress.h"
#include "tools/ToolButtons.h"
#include "transfer/TForm_Transfer_DIR.h"
#include "transfer/TForm_Transfer_FTP.h"
#include "transfer/TForm_Transfer_SERIAL232.h"
#include "transfer/TForm_Transfer_SERIAL232_R.h"
#include "transfer/TransferDispatch.h"

#include <QToolButton>

#include <array>

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
    machines = std::make_unique<MachineRegister>(*main);
    machines->connectAtStartup();
    images = std::make_unique<TForm_Imagens>();
    machineRegister = std::make_unique<TForm_Maquinas>(machines->DataModule1, main->settings);
    chooser = std::make_unique<TForm_Selecionar_Maquina>(*main, *machines);
    spaces = std::make_unique<TForm_EDT1>(*main);
    progress = std::make_unique<TForm_EDT_Progress>(*main);
    renumber = std::make_unique<TForm_EDT2>(*main);
    arcCentres = std::make_unique<TForm_EDT3>(*main);
    translate = std::make_unique<TForm_EDT4>(*main);
    mirror = std::make_unique<TForm_EDT5>(*main);
    messages = std::make_unique<TForm_MSG>();
    colours = std::make_unique<TForm_EDT_COR>(*main);
    browser = FileBrowser::install(*main);
    productDirectory
        = std::make_unique<TForm_DIR>(*main, *browser, [this] { return machines->CurrentMachine.ProgramsDir; });
    ftpTransfer = std::make_unique<TForm_Transfer_FTP>([this] { return main->settings.HelpDir; });
    directoryTransfer = std::make_unique<TForm_Transfer_DIR>(main->settings);
    serialSend = std::make_unique<TForm_Transfer_SERIAL232>(main->settings);
    font = std::make_unique<TForm_Font>(*main);
    serialReceive = std::make_unique<TForm_Transfer_SERIAL232_R>(main->settings);
    config = std::make_unique<TForm_Config>(main->settings, machines->DataModule1, [this] { return all(); }, main.get());

    main->setMessageWindow(messages.get());
    connectToolButtons(*main, *progress, *spaces, *renumber, *arcCentres, *translate, *mirror);
    colours->setColoursAppliedHook([this] { main->applyHighlighterColours(); });
    machineList = MachineListPane::install(*main, *machines);
    machines->setFileBrowser(browser);
    main->startupSteps.listAllMachines = [this] {
        return machines->FUNC_Listar_ALL_Maquinas();
    };
    main->startupSteps.searchMachines = [this] {
        machineList->FUNC_Pesquisar();
    };
    main->startupSteps.selectFirstMachine = [this] {
        machines->FUNC_Selecionar_Maquina(1);
    };
    search = std::make_unique<SearchReplace>(*main);
    search->connectTo(*main);
    wireMachineWindows();
    wireTransfers();

    const auto wire = [this](const char *name, auto *window) {
        QToolButton *button = main->ribbonButton(QString::fromLatin1(name));
        button->setEnabled(true);
        QObject::connect(button, &QToolButton::clicked, window, [window] { window->open(); });
    };
    wire("SpeedButton1", chooser.get());
    wire("SpeedButton3", productDirectory.get());
    wire("SpeedButton17", font.get());
    wire("SpeedButton18", colours.get());
    wire("SpeedButton32", config.get());
}

void ProgramWindows::wireMachineWindows()
{
    using Mode = TForm_Maquinas::Mode;
    QObject::connect(machineList, &MachineListPane::registerMachineRequested, machineRegister.get(),
                     [this] { machineRegister->showModal(Mode::Register); });
    QObject::connect(machineList, &MachineListPane::editMachineRequested, machineRegister.get(),
                     [this](qint64 id) { machineRegister->showModal(Mode::Edit, id); });
    QObject::connect(machineList, &MachineListPane::viewMachineRequested, machineRegister.get(),
                     [this](qint64 id) { machineRegister->showModal(Mode::View, id); });
    QObject::connect(machineRegister.get(), &TForm_Maquinas::machineSaved, machineList,
                     &MachineListPane::FUNC_Pesquisar);

    // A new language is already applied to every window; the file list's
    // column captions follow. A new database reloads both machine lists and
    // makes its first machine current.
    QObject::connect(config.get(), &TForm_Config::languageApplied, main.get(), [this] {
        if (main->startupSteps.refreshFileListCaptions) {
            main->startupSteps.refreshFileListCaptions();
        }
    });
    QObject::connect(config.get(), &TForm_Config::databaseSwitched, main.get(), [this] {
        machines->FUNC_Listar_ALL_Maquinas();
        machineList->Button3Click();
        machines->FUNC_Selecionar_Maquina(1);
        if (main->startupSteps.refreshFileListCaptions) {
            main->startupSteps.refreshFileListCaptions();
        }
    });
}

void ProgramWindows::wireTransfers()
{
    TransferDispatch::Inputs inputs;
    inputs.currentMachine = [this] { return &machines->CurrentMachine; };
    inputs.selectedBrowserPath = [this] { return browser->selectedPath(); };
    inputs.currentFileName = [this] { return main->CurrentFileName; };
    inputs.tabActive = [this] { return main->documents().activeTab() != nullptr; };

    TransferDispatch::TransferWindows windows;
    windows.directory = [this](const CurrentMachine &machine, const QString &file, bool receive) {
        return directoryTransfer->showTransfer(machine, file, receive);
    };
    windows.ftp = [this](const CurrentMachine &machine, const QString &file, bool receive) {
        if (!(receive ? ftpTransfer->prepareReceive(machine) : ftpTransfer->prepareSend(machine, file))) {
            return false;
        }
        ftpTransfer->exec();
        return true;
    };
    windows.serial = [this](const CurrentMachine &machine, const QString &file, bool receive) {
        if (receive) {
            if (!serialReceive->prepareReceive(machine)) {
                return false;
            }
            serialReceive->exec();
        } else {
            if (!serialSend->prepareSend(machine, file)) {
                return false;
            }
            serialSend->exec();
        }
        return true;
    };
    transfers = std::make_unique<TransferDispatch>(machines->DataModule1, inputs, windows, main.get());

    const std::array<std::pair<const char *, void (TransferDispatch::*)()>, 3> buttons = {{
        {"SpeedButton4", &TransferDispatch::SpeedButton4Click},
        {"SpeedButton31", &TransferDispatch::SpeedButton31Click},
        {"SpeedButton19", &TransferDispatch::SpeedButton19Click},
    }};
    for (const auto &[name, handler] : buttons) {
        QToolButton *button = main->ribbonButton(QString::fromLatin1(name));
        button->setEnabled(true);
        QObject::connect(button, &QToolButton::clicked, main.get(),
                         [this, handler = handler] { (transfers.get()->*handler)(); });
    }
}

ProgramWindows::~ProgramWindows()
{
    // Secondary windows first; the message window may be docked in the main window.
    transfers.reset();
    search.reset();
    config.reset();
    serialReceive.reset();
    font.reset();
    serialSend.reset();
    directoryTransfer.reset();
    ftpTransfer.reset();
    productDirectory.reset();
    colours.reset();
    messages.reset();
    mirror.reset();
    translate.reset();
    arcCentres.reset();
    renumber.reset();
    progress.reset();
    spaces.reset();
    chooser.reset();
    machineRegister.reset();
    images.reset();
    machines.reset();
    screen.reset();
    main.reset();
}

QList<QWidget *> ProgramWindows::all() const
{
    const QList<QWidget *> created = {main.get(),
                                      screen.get(),
                                      images.get(),
                                      machineRegister.get(),
                                      chooser.get(),
                                      spaces.get(),
                                      progress.get(),
                                      renumber.get(),
                                      arcCentres.get(),
                                      translate.get(),
                                      mirror.get(),
                                      messages.get(),
                                      colours.get(),
                                      productDirectory.get(),
                                      ftpTransfer.get(),
                                      directoryTransfer.get(),
                                      serialSend.get(),
                                      font.get(),
                                      serialReceive.get(),
                                      config.get()};
    QList<QWidget *> windows;
    for (QWidget *w : created) {
        if (w) {
            windows << w;
        }
    }
    return windows;
}
