#pragma once

#include <QDialog>

class MachinePanelList;
class MachineRegister;
class Ribbon;
class TForm_Main;

/// The machine chooser: every machine by number, four panels in view; the
/// chosen one becomes the current machine.
class TForm_Selecionar_Maquina : public QDialog
{
    Q_OBJECT

public:
    TForm_Selecionar_Maquina(TForm_Main &main, MachineRegister &machines);

    /// The "Selecionar Máquina" button: prepare() and, when the list could be
    /// read, show modally.
    void open() override;

    /// Everything open() does before the modal show: caption, the list of
    /// all machines read again and positioned on its first row, normal
    /// state, centred. False when the list could not be read.
    bool prepare();

    /// "&Selecionar" (and a double click): the current row becomes the current
    /// machine and the window closes; without a current row an error is shown
    /// and the window stays open.
    void BitBtn1Click();

    MachinePanelList *list() const { return m_list; }

protected:
    void changeEvent(QEvent *event) override;

private:
    TForm_Main &m_main;
    MachineRegister &m_machines;
    Ribbon *m_ribbon;
    MachinePanelList *m_list;
};
