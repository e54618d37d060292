#include "machines/TForm_Selecionar_Maquina.h"

#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/Ribbon.h"
#include "app/TForm_Main.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"
#include "machines/MachinePanelList.h"
#include "machines/MachineRegister.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TForm_Selecionar_Maquina::TForm_Selecionar_Maquina(TForm_Main &main, MachineRegister &machines)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_main(main)
    , m_machines(machines)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_list(nullptr)
{
    setObjectName(QStringLiteral("Form_Selecionar_Maquina"));
    setWindowTitle(QStringLiteral("Form_Selecionar_Maquina"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Selecionar Máquina"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_main.settings.HelpDir, QStringLiteral("func03.1.html")); });

    auto *group = new QGroupBox(QStringLiteral(" Selecionar Máquina "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_list = new MachinePanelList(QStringLiteral("Form_Selecionar_Maquina"), 4, false, group);
    m_list->setObjectName(QStringLiteral("DBCtrlGrid1"));
    m_list->setAccessibleName(QStringLiteral("Machines"));
    m_list->setMinimumSize(640, 4 * 120);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &TForm_Selecionar_Maquina::BitBtn1Click);
    auto *groupColumn = new QVBoxLayout(group);
    groupColumn->addWidget(m_list);

    auto *select = new QPushButton(QStringLiteral("&Selecionar"), this);
    select->setObjectName(QStringLiteral("BitBtn1"));
    select->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cance&lar"), this);
    cancel->setObjectName(QStringLiteral("BitBtn5"));
    connect(select, &QPushButton::clicked, this, &TForm_Selecionar_Maquina::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(select);
    buttons->addWidget(cancel);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_ribbon);
    column->addWidget(group, 1);
    column->addLayout(buttons);
    adjustSize();
}

void TForm_Selecionar_Maquina::open()
{
    if (prepare()) {
        exec();
    }
}

bool TForm_Selecionar_Maquina::prepare()
{
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_Selecionar_Maquina.Ribbon1"));
    const bool read = m_machines.FUNC_Listar_ALL_Maquinas();
    m_list->setMachines(m_machines.chooserRows());
    m_list->setFocus();
    WindowPlacement::centreOnScreen(this, &m_main);
    return read;
}

void TForm_Selecionar_Maquina::BitBtn1Click()
{
    const int row = m_list->currentRowNumber();
    if (row <= 0) {
        MessageBoxes::show(this, T(u"Msg.Chooser.SelectMachine"));
        return;
    }
    m_machines.FUNC_Selecionar_Maquina(row);
    accept();
}

void TForm_Selecionar_Maquina::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { WindowPlacement::centreOnScreen(this, &m_main); });
}
