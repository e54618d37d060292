#pragma once

#include "machines/CurrentMachine.h"
#include "machines/MachineRow.h"
#include "machines/TDataModule1.h"

#include <QList>
#include <QObject>
#include <QString>

class FileBrowser;
class MachineListPane;
class TForm_Main;

/// The machine register as the windows share it: the database access object
/// DataModule1, the chooser list of all machines, the current machine and the
/// machine last opened for editing, viewing or deleting. Created once at
/// start-up right after the main window; the other windows read the current
/// machine from here.
class MachineRegister : public QObject
{
    Q_OBJECT

public:
    explicit MachineRegister(TForm_Main &main);
    ~MachineRegister() override;

    TDataModule1 DataModule1;
    /// The machine programs are sent to and received from; empty until one is selected.
    ::CurrentMachine CurrentMachine;
    /// ID_MAQUINA of the machine last opened in the register window or chosen
    /// for deletion, as decimal digits; the register window's save in edit
    /// mode updates this machine.
    QString EditedMachineId;

    /// Connects to the database of the settings; a failure is reported in the
    /// standard error box and the connection stays closed.
    bool connectAtStartup();

    /// Reads every machine, ordered by number, into the chooser list. A
    /// failure is reported in the standard error box and leaves the list
    /// empty and closed.
    bool FUNC_Listar_ALL_Maquinas();
    const QList<MachineRow> &chooserRows() const { return m_chooserRows; }
    /// True when the last reading of the chooser list succeeded.
    bool chooserListOpen() const { return m_chooserOpen; }

    /// Makes row \a rowNumber (1-based) of the chooser list the current
    /// machine: moves the machine list to the same row when it has one, shows
    /// the machine in the main window's summary and moves the file browser to
    /// its program directory when that exists. A row the list does not have
    /// changes nothing.
    void FUNC_Selecionar_Maquina(int rowNumber);

    /// The machine list pane and the file browser that a selection moves; either may be absent.
    void setMachineList(MachineListPane *pane) { m_pane = pane; }
    void setFileBrowser(FileBrowser *browser) { m_browser = browser; }

Q_SIGNALS:
    void currentMachineChanged();

private:
    TForm_Main &m_main;
    MachineListPane *m_pane = nullptr;
    FileBrowser *m_browser = nullptr;
    QList<MachineRow> m_chooserRows;
    bool m_chooserOpen = false;
};
