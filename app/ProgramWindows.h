#pragma once

#include <QList>
#include <QString>

#include <chrono>
#include <memory>

class FileBrowser;
class MachineListPane;
class MachineRegister;
class QWidget;
class SearchReplace;
class TForm_Config;
class TForm_DIR;
class TForm_EDT1;
class TForm_EDT2;
class TForm_EDT3;
class TForm_EDT4;
class TForm_EDT5;
class TForm_EDT_COR;
class TForm_EDT_Progress;
class TForm_Font;
class TForm_Imagens;
class TForm_MSG;
class TForm_Main;
class TForm_Maquinas;
class TForm_Screen;
class TForm_Selecionar_Maquina;
class TForm_Transfer_DIR;
class TForm_Transfer_FTP;
class TForm_Transfer_SERIAL232;
class TForm_Transfer_SERIAL232_R;
class TransferDispatch;

/// Every window of the program, created once at start-up in a fixed order and
/// living until the end. This is the one place that lists that order.
struct ProgramWindows
{
    struct Options
    {
        QString programDir; ///< where the settings files and Help/ lie
        std::chrono::milliseconds splashDuration {5000};
        /// Creates and wires the machine register, the tool, colour, font,
        /// product directory and search windows and the file browser. Tests
        /// of one window leave it off and set up only what they test.
        bool allWindows = false;
    };

    explicit ProgramWindows(const Options &options);
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    /// The windows in creation order.
    QList<QWidget *> all() const;

    std::unique_ptr<TForm_Main> main;
    std::unique_ptr<TForm_Screen> screen;
    /// DataModule1 with the current machine; connected when created.
    std::unique_ptr<MachineRegister> machines;
    std::unique_ptr<TForm_Imagens> images;
    std::unique_ptr<TForm_Maquinas> machineRegister;
    std::unique_ptr<TForm_Selecionar_Maquina> chooser;
    std::unique_ptr<TForm_EDT1> spaces;
    std::unique_ptr<TForm_EDT_Progress> progress;
    std::unique_ptr<TForm_EDT2> renumber;
    std::unique_ptr<TForm_EDT3> arcCentres;
    std::unique_ptr<TForm_EDT4> translate;
    std::unique_ptr<TForm_EDT5> mirror;
    std::unique_ptr<TForm_MSG> messages;
    std::unique_ptr<TForm_EDT_COR> colours;
    std::unique_ptr<TForm_DIR> productDirectory;
    std::unique_ptr<TForm_Transfer_FTP> ftpTransfer;
    std::unique_ptr<TForm_Transfer_DIR> directoryTransfer;
    std::unique_ptr<TForm_Transfer_SERIAL232> serialSend;
    std::unique_ptr<TForm_Font> font;
    std::unique_ptr<TForm_Transfer_SERIAL232_R> serialReceive;
    std::unique_ptr<TForm_Config> config;

    FileBrowser *browser = nullptr; ///< lives in the main window
    MachineListPane *machineList = nullptr; ///< lives in the main window
    std::unique_ptr<SearchReplace> search;
    std::unique_ptr<TransferDispatch> transfers;

private:
    void wireMachineWindows();
    void wireTransfers();
};
