#include "machines/MachineRegister.h"

#include "app/FileBrowser.h"
#include "app/MessageBoxes.h"
#include "app/TForm_Main.h"
#include "machines/MachineListPane.h"
#include "machines/MachinePanelList.h"
#include "machines/TForm_Imagens.h"

MachineRegister::MachineRegister(TForm_Main &main)
    : m_main(main)
{
    setObjectName(QStringLiteral("MachineRegister"));
}

MachineRegister::~MachineRegister() = default;

bool MachineRegister::connectAtStartup()
{
    if (DataModule1.connectAtStartup(m_main.settings)) {
        return true;
    }
    MessageBoxes::showStandardError(&m_main, DataModule1.errorString());
    return false;
}

bool MachineRegister::FUNC_Listar_ALL_Maquinas()
{
    m_chooserRows.clear();
    m_chooserOpen = DataModule1.selectAllMachines(m_chooserRows);
    if (!m_chooserOpen) {
        m_chooserRows.clear();
        MessageBoxes::showStandardError(&m_main, DataModule1.errorString());
    }
    return m_chooserOpen;
}

void MachineRegister::FUNC_Selecionar_Maquina(int rowNumber)
{
    const std::optional<MachineSelection> selection = selectMachine(m_chooserRows, rowNumber);
    if (!selection) {
        return;
    }
    if (m_pane) {
        m_pane->list()->moveToRow(rowNumber);
    }
    CurrentMachine = selection->machine;
    m_main.showMachineSummary(TForm_Imagens::picture(selection->picture, QSize(150, 150)), CurrentMachine.Number,
                              CurrentMachine.Description, selection->shownProgramsDir, CurrentMachine.TransferType);
    if (selection->browseProgramsDir && m_browser) {
        m_browser->FUNC_Atualizar_DIR(0, CurrentMachine.ProgramsDir);
    }
    Q_EMIT currentMachineChanged();
}
