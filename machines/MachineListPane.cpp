#include "machines/MachineListPane.h"

#include "app/MessageBoxes.h"
#include "app/Ribbon.h"
#include "app/TForm_Main.h"
#include "i18n/Catalogue.h"
#include "machines/MachineMessages.h"
#include "machines/MachinePanelList.h"
#include "machines/MachineRegister.h"

#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

MachineListPane::MachineListPane(TForm_Main &main, MachineRegister &machines)
    : m_main(main)
    , m_machines(machines)
    , m_list(new MachinePanelList(QStringLiteral("Form_Main"), 5, true, this))
    , m_nameFilter(main.ribbon()->findChild<QLineEdit *>(QStringLiteral("Edit3")))
    , m_numberFilter(main.ribbon()->findChild<QLineEdit *>(QStringLiteral("Edit4")))
{
    setObjectName(QStringLiteral("MachineListPane"));
    m_list->setObjectName(QStringLiteral("DBCtrlGrid1"));
    m_list->setAccessibleName(QStringLiteral("Machines"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_list);
}

MachineListPane *MachineListPane::install(TForm_Main &main, MachineRegister &machines)
{
    QWidget *pane = main.machineListPane();
    auto *machineList = new MachineListPane(main, machines);
    if (QWidget *placeholder = pane->findChild<QWidget *>(QStringLiteral("DBCtrlGrid1"))) {
        delete pane->layout()->replaceWidget(placeholder, machineList);
        delete placeholder;
    } else {
        pane->layout()->addWidget(machineList);
    }
    machineList->setParent(pane);

    const auto wire = [&main, machineList](const QString &name, void (MachineListPane::*handler)()) {
        QAbstractButton *button = main.findChild<QAbstractButton *>(name);
        button->setEnabled(true);
        connect(button, &QAbstractButton::clicked, machineList, handler);
    };
    wire(QStringLiteral("Button2"), &MachineListPane::FUNC_Pesquisar);
    wire(QStringLiteral("Button3"), &MachineListPane::Button3Click);
    wire(QStringLiteral("SpeedButton5"), &MachineListPane::SpeedButton5Click);
    wire(QStringLiteral("SpeedButton6"), &MachineListPane::SpeedButton6Click);
    wire(QStringLiteral("SpeedButton7"), &MachineListPane::SpeedButton7Click);
    wire(QStringLiteral("SpeedButton8"), &MachineListPane::SpeedButton8Click);
    for (QLineEdit *filter : {machineList->m_nameFilter, machineList->m_numberFilter}) {
        filter->setEnabled(true);
        connect(filter, &QLineEdit::returnPressed, machineList, &MachineListPane::FUNC_Pesquisar);
    }
    machines.setMachineList(machineList);
    return machineList;
}

void MachineListPane::FUNC_Pesquisar()
{
    QList<MachineRow> rows;
    m_open = m_machines.DataModule1.selectMachines(m_nameFilter->text(), m_numberFilter->text(), rows);
    if (!m_open) {
        m_list->setMachines({});
        MessageBoxes::showStandardError(&m_main, m_machines.DataModule1.errorString());
        return;
    }
    m_list->setMachines(rows);
}

void MachineListPane::Button3Click()
{
    m_nameFilter->clear();
    m_numberFilter->clear();
    FUNC_Pesquisar();
}

void MachineListPane::SpeedButton5Click()
{
    Q_EMIT registerMachineRequested();
}

qint64 MachineListPane::selectedMachine(QStringView noSelectionMessage)
{
    if (!m_open) {
        return 0;
    }
    if (m_list->currentRowNumber() < 1) {
        MessageBoxes::show(&m_main, T(noSelectionMessage));
        return 0;
    }
    const qint64 id = m_list->currentMachine().Id;
    m_machines.EditedMachineId = QString::number(id);
    return id;
}

void MachineListPane::SpeedButton6Click()
{
    if (const qint64 id = selectedMachine(u"Msg.Main.SelectMachineToEdit")) {
        Q_EMIT editMachineRequested(id);
    }
}

void MachineListPane::SpeedButton7Click()
{
    if (const qint64 id = selectedMachine(u"Msg.Main.SelectMachineToView")) {
        Q_EMIT viewMachineRequested(id);
    }
}

void MachineListPane::SpeedButton8Click()
{
    const qint64 id = selectedMachine(u"Msg.Main.SelectMachineToDelete");
    if (!id) {
        return;
    }
    const MachineRow machine = m_list->currentMachine();
    if (!MessageBoxes::ask(&m_main, MachineMessages::deleteQuestion(machine.Number, machine.Description))) {
        return;
    }
    if (!m_machines.DataModule1.deleteMachine(id)) {
        MessageBoxes::showStandardError(&m_main, m_machines.DataModule1.errorString());
        return;
    }
    Button3Click();
}
