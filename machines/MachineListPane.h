#pragma once

#include <QWidget>

class MachinePanelList;
class MachineRegister;
class QLineEdit;
class TForm_Main;

/// The "Máquinas" page of the main window: the filtered machine list
/// (five panels in view) with its filter fields and the register, edit, view
/// and delete buttons of the ribbon. The register window itself is opened by
/// whoever listens to the request signals.
class MachineListPane : public QWidget
{
    Q_OBJECT

public:
    MachineListPane(TForm_Main &main, MachineRegister &machines);

    /// Puts a new pane into \a main's machine list pane in place of the
    /// placeholder list and wires the filter and the four machine buttons.
    /// The pane lives as long as \a main.
    static MachineListPane *install(TForm_Main &main, MachineRegister &machines);

    MachinePanelList *list() const { return m_list; }
    /// True when the last search succeeded; the buttons act on an open list only.
    bool isOpen() const { return m_open; }

    /// "Limpar": empties both filter fields and searches.
    void Button3Click();
    /// "Cadastrar": asks for the register window.
    void SpeedButton5Click();
    /// "Editar": the selected machine becomes the edited one and is asked for in edit mode.
    void SpeedButton6Click();
    /// "Exibir": the selected machine becomes the edited one and is asked for in view mode.
    void SpeedButton7Click();
    /// "Excluir": asks, then deletes the selected machine and searches again without a filter.
    void SpeedButton8Click();

public Q_SLOTS:
    /// "Pesquisar": lists the machines that pass the filter fields, on the first row.
    void FUNC_Pesquisar();

Q_SIGNALS:
    void registerMachineRequested();
    void editMachineRequested(qint64 id);
    void viewMachineRequested(qint64 id);

private:
    /// The selected machine's identifier for a button, or 0 after saying why there is none.
    qint64 selectedMachine(QStringView noSelectionMessage);

    TForm_Main &m_main;
    MachineRegister &m_machines;
    MachinePanelList *m_list;
    QLineEdit *m_nameFilter;
    QLineEdit *m_numberFilter;
    bool m_open = false;
};
