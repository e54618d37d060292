#include "transfer/TForm_Transfer_DIR.h"

#include "app/FileListModel.h"
#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "transfer/TransferPaths.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "app/ShellCopyDialog.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"

#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace {

/// Design captions, replaced by the language's texts when the window is shown.
constexpr std::array<QStringView, FileListModel::kColumns> kDesignColumns
    = {u"Nome", u"Tamanho", u"Tipo", u"Modificado em"};

} // namespace

TForm_Transfer_DIR::TForm_Transfer_DIR(const ProgramSettings &settings)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowMaximizeButtonHint)
    , m_settings(settings)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_files(new QFileSystemModel(this))
    , m_model(new FileListModel(this))
{
    setObjectName(QStringLiteral("Form_Transfer_DIR"));
    setWindowTitle(QStringLiteral("VORN - Transfer"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Transferir Programa"));
    connect(m_ribbon, &Ribbon::helpRequested, this, [this] {
        HelpPages::open(m_settings.HelpDir,
                        DirReceiveMode ? QStringLiteral("func03.5.1.html") : QStringLiteral("func03.4.1.html"));
    });

    auto *data = new QGroupBox(QStringLiteral(" Dados da Transferência "), this);
    data->setObjectName(QStringLiteral("GroupBox1"));
    m_number = NamedControls::namedEdit(QStringLiteral("Edit1"), 360, true, data);
    m_description = NamedControls::namedEdit(QStringLiteral("Edit2"), 360, true, data);
    m_directory = NamedControls::namedEdit(QStringLiteral("Edit3"), 360, true, data);
    m_origin = NamedControls::namedEdit(QStringLiteral("Edit4"), 360, true, data);
    m_destination = NamedControls::namedEdit(QStringLiteral("Edit5"), 360, false, data);
    m_directoryLabel = NamedControls::addFieldRows(data,
                                                   {
                                                       {QStringLiteral("Número Máquina :"), m_number},
                                                       {QStringLiteral("Descrição Máquina :"), m_description},
                                                       {QStringLiteral("Diretório Máquina :"), m_directory},
                                                       {QStringLiteral("Arquivo CNC de Origem :"), m_origin},
                                                       {QStringLiteral("Nome do Arquivo de Destino :"), m_destination},
                                                   })
                           .at(2);

    auto *listFrame = new QGroupBox(QStringLiteral(" Lista de programas Diretório Máquina "), this);
    listFrame->setObjectName(QStringLiteral("GroupBox2"));
    m_files->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    m_files->setReadOnly(false);
    m_model->setSourceModel(m_files);
    for (int i = 0; i < FileListModel::kColumns; ++i) {
        m_model->setHeaderData(i, Qt::Horizontal, kDesignColumns[std::size_t(i)].toString());
    }
    m_model->renameFailed = [this](const QString &path, const QString &newName) {
        // Reported once the in-place editor has closed.
        QTimer::singleShot(0, this, [this, path, newName] {
            MessageBoxes::show(this,
                               T(u"Msg.Main.RenameFailedPrefix") + path + T(u"Msg.Main.RenameFailedMiddle") + newName
                                   + T(u"Msg.Main.RenameFailedSuffix"));
        });
    };
    m_list = new QTreeView(listFrame);
    m_list->setObjectName(QStringLiteral("ShellListView1"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(0, Qt::AscendingOrder);
    m_list->header()->resizeSection(0, 260);
    m_list->setMinimumSize(560, 220);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &TForm_Transfer_DIR::chooseEntry);
    auto *listLayout = new QVBoxLayout(listFrame);
    listLayout->addWidget(m_list);

    m_send = NamedControls::namedButton(QStringLiteral("BitBtn1"), QStringLiteral("&Transferir Arquivo CNC"), this);
    m_receive = NamedControls::namedButton(QStringLiteral("BitBtn2"), QStringLiteral("&Receber Arquivo CNC"), this);
    m_cancel = NamedControls::namedButton(QStringLiteral("BitBtn3"), QStringLiteral("&Cancelar"), this);
    m_select = NamedControls::namedButton(QStringLiteral("BitBtn4"), QStringLiteral("&Selecionar Arquivo"), this);
    connect(m_send, &QPushButton::clicked, this, &TForm_Transfer_DIR::BitBtn1Click);
    connect(m_receive, &QPushButton::clicked, this, &TForm_Transfer_DIR::BitBtn2Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_select, &QPushButton::clicked, this, &TForm_Transfer_DIR::BitBtn4Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_select);
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_receive);
    buttons->addWidget(m_cancel);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_ribbon);
    column->addWidget(data);
    column->addWidget(listFrame, 1);
    column->addLayout(buttons);
}

QString TForm_Transfer_DIR::targetPath(const QString &directory, const QString &name)
{
    return transferTargetPath(directory, name);
}

void TForm_Transfer_DIR::prepareCommon(const CurrentMachine &machine)
{
    setWindowState(Qt::WindowNoState);
    m_number->setText(machine.Number);
    m_description->setText(machine.Description);
    m_list->clearSelection();
    for (QPushButton *button : {m_send, m_receive, m_cancel, m_select}) {
        button->setEnabled(true);
    }
    m_cancel->setVisible(true);
}

bool TForm_Transfer_DIR::prepareSend(const CurrentMachine &machine, const QString &file)
{
    prepareCommon(machine);
    m_directoryLabel->setText(T(u"Form_Transfer_DIR.Label3"));
    m_send->setVisible(true);
    m_send->setDefault(true);
    m_receive->setVisible(false);
    m_select->setVisible(false);
    DirReceiveMode = false;
    m_directory->setText(machine.MachineDir);
    m_origin->setText(file);
    m_destination->setText(QFileInfo(file).fileName());
    m_ribbon->setCaption(T(u"Form_Transfer_DIR.Ribbon1"));
    return showDirectory(machine.MachineDir);
}

bool TForm_Transfer_DIR::prepareReceive(const CurrentMachine &machine)
{
    prepareCommon(machine);
    m_directoryLabel->setText(T(u"Form_Transfer_DIR.Label3.Receive"));
    m_send->setVisible(false);
    m_receive->setVisible(true);
    m_receive->setDefault(true);
    m_select->setVisible(true);
    DirReceiveMode = true;
    m_directory->setText(machine.ProgramsDir);
    m_origin->clear();
    m_destination->clear();
    m_ribbon->setCaption(T(u"Form_Transfer_DIR.Ribbon1.Receive"));
    return showDirectory(machine.MachineDir);
}

bool TForm_Transfer_DIR::showDirectory(const QString &machineDir)
{
    if (machineDir.isEmpty() || !QFileInfo(machineDir).isDir()) {
        m_send->setEnabled(false);
        MessageBoxes::show(
            this, T(u"Msg.Main.MachineDirMissingPrefix") + machineDir + T(u"Msg.Main.MachineDirMissingSuffix"));
        return false;
    }
    const QString root = QFileInfo(machineDir).absoluteFilePath();
    m_files->setRootPath(root);
    m_list->setRootIndex(m_model->mapFromSource(m_files->index(root)));
    m_send->setEnabled(true);
    return true;
}

bool TForm_Transfer_DIR::showTransfer(const CurrentMachine &machine, const QString &file, bool receive)
{
    if (!(receive ? prepareReceive(machine) : prepareSend(machine, file))) {
        return false;
    }
    centre();
    exec();
    return true;
}

void TForm_Transfer_DIR::BitBtn1Click()
{
    if (m_destination->text().trimmed().isEmpty()) {
        MessageBoxes::show(this, T(u"Msg.Dir.FillDestinationSend"));
        m_destination->setFocus();
        return;
    }
    copyAndClose({m_send, m_cancel});
}

void TForm_Transfer_DIR::BitBtn2Click()
{
    const bool hasOrigin = !m_origin->text().trimmed().isEmpty();
    if (hasOrigin && !m_destination->text().trimmed().isEmpty()) {
        copyAndClose({m_receive, m_cancel, m_select});
    } else if (hasOrigin) {
        MessageBoxes::show(this, T(u"Msg.Dir.FillDestinationReceive"));
        m_destination->setFocus();
    } else {
        MessageBoxes::show(this, T(u"Msg.Dir.SelectFile"));
        m_list->setFocus();
    }
}

void TForm_Transfer_DIR::copyAndClose(const std::initializer_list<QPushButton *> &buttons)
{
    for (QPushButton *button : buttons) {
        button->setEnabled(false);
    }
    const QString target = targetPath(m_directory->text(), m_destination->text());
    // The copy reports its own failure (or a refused replace); only a copy
    // that is wholly in place is announced.
    const bool copied = ShellCopyDialog::copyTo(this, m_origin->text(), target);
    if (copied) {
        MessageBoxes::show(this,
                           DirReceiveMode ? T(u"Msg.Dir.ReceivedPrefix") + target + T(u"Msg.Dir.ReceivedSuffix")
                                          : T(u"Msg.Dir.SentPrefix") + target + T(u"Msg.Dir.SentSuffix"));
    }
    for (QPushButton *button : buttons) {
        button->setEnabled(true);
    }
    done(copied ? QDialog::Accepted : QDialog::Rejected);
}

void TForm_Transfer_DIR::BitBtn4Click()
{
    chooseEntry(m_list->selectionModel()->currentIndex());
}

void TForm_Transfer_DIR::chooseEntry(const QModelIndex &index)
{
    if (!DirReceiveMode || !index.isValid() || !m_list->selectionModel()->isRowSelected(index.row(), index.parent())) {
        return;
    }
    const QFileInfo entry = m_files->fileInfo(m_model->mapToSource(index));
    m_origin->setText(entry.absoluteFilePath());
    m_destination->setText(entry.fileName());
}

void TForm_Transfer_DIR::setColumnCaptions()
{
    for (int i = 0; i < FileListModel::kColumns; ++i) {
        m_model->setHeaderData(i, Qt::Horizontal,
                               T(QStringLiteral("Form_Transfer_DIR.ShellListView1.Column%1").arg(i)));
    }
}

void TForm_Transfer_DIR::centre()
{
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TForm_Transfer_DIR::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { centre(); });
}

void TForm_Transfer_DIR::showEvent(QShowEvent *event)
{
    setColumnCaptions();
    QDialog::showEvent(event);
    m_destination->setFocus();
}
