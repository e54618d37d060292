#pragma once

#include <QString>
#include <QStringView>

#include <functional>

class QWidget;
class TDataModule1;
struct CurrentMachine;

/// The window a transfer type code leads to.
enum class TransferRoute {
    None, ///< no machine, or a code without a transfer window
    Directory, ///< "DIRLOCAL", "DIRNET" and the older "DIRREDE"
    Ftp, ///< "FTP"
    Serial, ///< "SERIAL232"
};

/// The window for \a transferType, compared exactly.
TransferRoute transferRouteOf(QStringView transferType);

/// Starts transfers to and from the current machine: the three ribbon
/// buttons with their checks and messages, the reading of the machine's
/// transfer parameters at the moment of each transfer, and the hand-over to
/// the transfer window of the machine's type.
///
/// The windows and what the main window knows (current machine, file browser
/// selection, active document) come in through hooks, so the dispatch does
/// not depend on how they are built.
class TransferDispatch
{
public:
    /// Prepares a transfer window for one direction (\a file is empty when
    /// receiving) and shows it modally; false when it was not shown.
    using WindowHook = std::function<bool(const CurrentMachine &machine, const QString &file, bool receive)>;

    /// The transfer windows; an empty hook sends nowhere.
    struct TransferWindows
    {
        WindowHook directory;
        WindowHook ftp;
        WindowHook serial;
    };

    /// What the main window knows at the moment a button is pressed.
    struct Inputs
    {
        /// The current machine, whose transfer fields each transfer overwrites;
        /// nullptr when there is none.
        std::function<CurrentMachine *()> currentMachine;
        /// Full path of the item selected in the file browser's list; empty when none.
        std::function<QString()> selectedBrowserPath;
        /// CurrentFileName: the active tab's caption.
        std::function<QString()> currentFileName;
        /// True when a document tab is active.
        std::function<bool()> tabActive;
    };

    /// \a database is read at every transfer; messages are shown over \a parent.
    TransferDispatch(TDataModule1 &database, Inputs inputs, TransferWindows windows, QWidget *parent = nullptr);

    /// "Transferir Programa" of the file browser page: sends the selected
    /// file. Nothing selected is reported; a selected folder does nothing.
    void SpeedButton4Click();
    /// "Transferir Programa" of the editor page: sends the active document's
    /// file as it is on disk. No active document is reported; a document that
    /// was never saved does nothing.
    void SpeedButton31Click();
    /// "Receber Programa": receives from the current machine.
    void SpeedButton19Click();

    /// Sends \a file (receive false) or receives (receive true) through the
    /// window of the current machine's type; false when no window was shown.
    bool transfer(const QString &file, bool receive);

    /// Reads the directory parameters, then hands over to the directory window.
    bool FUNC_Transfer_LOCAL(const QString &file, bool receive);
    /// Reads the FTP parameters, then hands over to the FTP window.
    bool FUNC_Transfer_FTP(const QString &file, bool receive);
    /// Reads the serial parameters, then hands over to the serial send or receive window.
    bool FUNC_Transfer_SERIAL232(const QString &file, bool receive);

private:
    /// The current machine when it has a transfer type; nullptr otherwise.
    CurrentMachine *machine() const;
    bool handOver(const WindowHook &window, const QString &file, bool receive);

    TDataModule1 &m_database;
    Inputs m_inputs;
    TransferWindows m_windows;
    QWidget *m_parent;
};
