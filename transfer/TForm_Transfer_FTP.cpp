#include "transfer/TForm_Transfer_FTP.h"

#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/Ribbon.h"
#include "app/WaitCursor.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kProgressSteps = 1000;

} // namespace

TForm_Transfer_FTP::TForm_Transfer_FTP(std::function<QString()> helpDir)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_helpDir(std::move(helpDir))
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
{
    setObjectName(QStringLiteral("Form_Transfer_FTP"));
    setWindowTitle(QStringLiteral("VORN - Transfer"));
    m_client.setObjectName(QStringLiteral("IdFTP1"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Transferir Programa"));
    connect(m_ribbon, &Ribbon::helpRequested, this, [this] {
        HelpPages::open(m_helpDir ? m_helpDir() : QString(),
                        m_receiveMode ? QStringLiteral("func03.5.2.html") : QStringLiteral("func03.4.2.html"));
    });

    auto *data = new QGroupBox(QStringLiteral(" Dados da Transferência "), this);
    data->setObjectName(QStringLiteral("GroupBox1"));
    m_number = NamedControls::namedEdit(QStringLiteral("Edit1"), 380, true, data);
    m_description = NamedControls::namedEdit(QStringLiteral("Edit2"), 380, true, data);
    m_host = NamedControls::namedEdit(QStringLiteral("Edit3"), 380, true, data);
    m_user = NamedControls::namedEdit(QStringLiteral("Edit4"), 380, true, data);
    m_directory = NamedControls::namedEdit(QStringLiteral("Edit5"), 380, true, data);
    m_origin = NamedControls::namedEdit(QStringLiteral("Edit6"), 380, true, data);
    m_destination = NamedControls::namedEdit(QStringLiteral("Edit7"), 380, false, data);
    m_directoryLabel = NamedControls::addFieldRows(data,
                                                   {
                                                       {QStringLiteral("Número Máquina :"), m_number},
                                                       {QStringLiteral("Descrição Máquina :"), m_description},
                                                       {QStringLiteral("Host ou IP :"), m_host},
                                                       {QStringLiteral("Usuário :"), m_user},
                                                       {QStringLiteral("Diretório Máquina :"), m_directory},
                                                       {QStringLiteral("Arquivo CNC de Origem :"), m_origin},
                                                       {QStringLiteral("Nome do Arquivo de Destino :"), m_destination},
                                                   })
                           .at(4);

    auto *listing = new QGroupBox(QStringLiteral(" Lista de programas Diretório Máquina "), this);
    listing->setObjectName(QStringLiteral("GroupBox2"));
    m_list = new QTreeWidget(listing);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setColumnCount(4);
    m_list->setHeaderLabels(
        {QStringLiteral(" ^ "), QStringLiteral("Arquivo"), QStringLiteral("Tamanho"), QStringLiteral("Data")});
    m_list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(false);
    const std::array<int, 4> widths = {30, 300, 100, 180};
    for (int column = 0; column < 4; ++column) {
        m_list->setColumnWidth(column, widths[std::size_t(column)]);
    }
    m_list->setMinimumWidth(620);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { BitBtn4Click(); });
    auto *listingLayout = new QVBoxLayout(listing);
    listingLayout->addWidget(m_list);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, kProgressSteps);
    m_progress->setTextVisible(false);
    m_percent = new QLabel(QStringLiteral("0%"), this);
    m_percent->setObjectName(QStringLiteral("Label8"));
    m_percent->setMinimumWidth(40);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_percent);

    m_select = NamedControls::namedButton(QStringLiteral("BitBtn4"), QStringLiteral("&Selecionar Arquivo"), this);
    m_send = NamedControls::namedButton(QStringLiteral("BitBtn1"), QStringLiteral("&Transferir Arquivo CNC"), this);
    m_receive = NamedControls::namedButton(QStringLiteral("BitBtn2"), QStringLiteral("&Receber Arquivo CNC"), this);
    m_cancel = NamedControls::namedButton(QStringLiteral("BitBtn3"), QStringLiteral("&Cancelar"), this);
    connect(m_select, &QPushButton::clicked, this, &TForm_Transfer_FTP::BitBtn4Click);
    connect(m_send, &QPushButton::clicked, this, &TForm_Transfer_FTP::BitBtn1Click);
    connect(m_receive, &QPushButton::clicked, this, &TForm_Transfer_FTP::BitBtn2Click);
    connect(m_cancel, &QPushButton::clicked, this, &TForm_Transfer_FTP::BitBtn3Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_select);
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_receive);
    buttons->addWidget(m_cancel);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_ribbon);
    column->addWidget(data);
    column->addWidget(listing, 1);
    column->addLayout(progressRow);
    column->addLayout(buttons);
    column->addWidget(m_status);

    connect(&m_client, &FtpClient::transferStarted, this, &TForm_Transfer_FTP::onTransferStarted);
    connect(&m_client, &FtpClient::transferProgress, this, &TForm_Transfer_FTP::onTransferProgress);
    connect(&m_client, &FtpClient::transferEnded, this, &TForm_Transfer_FTP::onTransferEnded);
}

TForm_Transfer_FTP::~TForm_Transfer_FTP() = default;

bool TForm_Transfer_FTP::prepareSend(const CurrentMachine &machine, const QString &file)
{
    return prepare(machine, file, false);
}

bool TForm_Transfer_FTP::prepareReceive(const CurrentMachine &machine)
{
    return prepare(machine, QString(), true);
}

bool TForm_Transfer_FTP::prepare(const CurrentMachine &machine, const QString &file, bool receive)
{
    const WaitCursor waitCursor;
    m_machine = machine;
    m_ftpDirectory = FtpNormaliseDirectory(machine.FtpDirectory);
    m_receiveMode = receive;
    m_cancelFlag = false;
    setWindowState(Qt::WindowNoState);
    setStatus(QString());
    m_progress->setRange(0, kProgressSteps);
    m_progress->setValue(0);
    m_percent->setText(QStringLiteral("0%"));

    m_number->setText(machine.Number);
    m_description->setText(machine.Description);
    m_host->setText(machine.FtpHost);
    m_user->setText(machine.FtpUser);
    m_send->setVisible(!receive);
    m_send->setEnabled(true);
    m_receive->setVisible(receive);
    m_receive->setEnabled(true);
    m_select->setVisible(receive);
    m_select->setEnabled(true);
    m_cancel->setEnabled(true);
    if (receive) {
        m_directoryLabel->setText(T(u"Form_Transfer_FTP.Label5.Receive"));
        m_directory->setText(machine.ProgramsDir);
        m_origin->clear();
        m_destination->clear();
        m_ribbon->setCaption(T(u"Form_Transfer_FTP.Ribbon1.Receive"));
    } else {
        m_directoryLabel->setText(T(u"Form_Transfer_FTP.Label5"));
        m_directory->setText(m_ftpDirectory);
        m_origin->setText(file);
        m_destination->setText(QFileInfo(file).fileName());
        m_ribbon->setCaption(T(u"Form_Transfer_FTP.Ribbon1"));
    }
    m_list->clear();
    m_remoteSizes.clear();

    if (!FUNC_Conectar_FTP(machine.FtpUser, machine.FtpPassword, machine.FtpHost, m_ftpDirectory, machine.FtpPort)) {
        showConnectFailure();
        return false;
    }
    WindowPlacement::centreOnScreen(this);
    return true;
}

bool TForm_Transfer_FTP::FUNC_Conectar_FTP(const QString &user, const QString &password, const QString &host,
                                           const QString &directory, const QString &port)
{
    m_connectError.clear();
    m_client.disconnectFromHost();
    const std::optional<quint16> number = FtpClient::parsePort(port);
    if (!number) {
        m_connectError = T(u"Msg.Ftp.InvalidPortPrefix") + port.trimmed() + T(u"Msg.Ftp.InvalidPortSuffix");
        return false;
    }
    FtpOptions options;
    options.host = host.trimmed();
    options.port = *number;
    options.user = user;
    options.password = password;
    if (!runOffThread([&] { return m_client.connectToHost(options); }, false)) {
        m_connectError = m_client.errorString();
        return false;
    }
    return ChangeDir(directory);
}

bool TForm_Transfer_FTP::ChangeDir(const QString &directory)
{
    m_list->clear();
    m_remoteSizes.clear();
    std::optional<QList<FtpListEntry>> entries;
    const bool ok = runOffThread(
        [&] {
            if (!m_client.changeDir(directory)) {
                return false;
            }
            m_client.setTransferType(FtpClient::TransferType::Ascii);
            entries = m_client.list();
            return entries.has_value();
        },
        false);
    if (!ok) {
        m_connectError = m_client.errorString();
        return false;
    }
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QLocale locale = QLocale::system();
    for (const FtpListEntry &entry : *entries) {
        if (!entry.isFile) {
            continue;
        }
        auto *item = new QTreeWidgetItem(m_list);
        item->setIcon(0, fileIcon);
        item->setText(1, entry.name);
        item->setText(2, FtpSizeText(entry.size));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(3, FtpDateText(entry.modified, locale));
        m_remoteSizes.insert(m_client.currentDirectory() + entry.name, entry.size);
    }
    return true;
}

bool TForm_Transfer_FTP::reconnect()
{
    if (m_client.isConnected()) {
        return true;
    }
    return FUNC_Conectar_FTP(m_machine.FtpUser, m_machine.FtpPassword, m_machine.FtpHost, m_ftpDirectory,
                             m_machine.FtpPort)
        && m_client.isConnected();
}

void TForm_Transfer_FTP::showConnectFailure()
{
    const QString message = m_receiveMode ? T(u"Msg.Ftp.ConnectFailedReceive") : T(u"Msg.Ftp.ConnectFailedSend");
    MessageBoxes::show(this, m_connectError.isEmpty() ? message : message + u'\n' + m_connectError, MessageKind::Error);
}

bool TForm_Transfer_FTP::runOffThread(const std::function<bool()> &work, bool userInput)
{
    bool result = false;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] { result = work(); }));
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    // The client's last progress signals are still queued: show them before going on.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    return result;
}

void TForm_Transfer_FTP::BitBtn1Click()
{
    if (m_receiveMode || m_transferring || !m_send->isEnabled()) {
        return;
    }
    const QString name = m_destination->text();
    if (name.trimmed().isEmpty()) {
        MessageBoxes::show(this, T(u"Msg.Ftp.FillDestinationSend"));
        m_destination->setFocus();
        return;
    }
    if (!reconnect()) {
        showConnectFailure();
        return;
    }
    const QString source = m_origin->text();
    m_cancelFlag = false;
    m_transferring = true;
    m_send->setEnabled(false);
    const bool sent = runOffThread(
        [&] {
            m_client.setTransferType(FtpClient::TransferType::Binary);
            return m_client.upload(source, name);
        },
        true);
    m_transferring = false;
    const bool cancelled = !sent && m_client.wasAborted();
    const QString reason = m_client.errorString();
    if (sent || cancelled) {
        ChangeDir(m_client.currentDirectory());
    }
    if (cancelled) {
        const QString text = T(u"Msg.Transfer.Cancelled");
        setStatus(text);
        // A note when the incomplete file could not be removed.
        const qsizetype lineBreak = reason.indexOf(u'\n');
        MessageBoxes::show(this, lineBreak < 0 ? text : text + reason.mid(lineBreak));
    } else if (sent) {
        setStatus(T(u"Msg.Ftp.StatusSentPrefix") + source + T(u"Msg.Ftp.StatusSentSuffix"));
        MessageBoxes::show(this,
                           T(u"Msg.Ftp.SentPrefix") + source + T(u"Msg.Ftp.SentMiddle") + m_ftpDirectory + name
                               + T(u"Msg.Ftp.SentSuffix"));
    } else {
        MessageBoxes::show(this, T(u"Msg.Ftp.SendFailed") + u'\n' + reason, MessageKind::Error);
        return;
    }
    setStatus(QString());
    m_send->setEnabled(true);
    accept();
}

void TForm_Transfer_FTP::BitBtn2Click()
{
    if (!m_receiveMode || m_transferring || !m_receive->isEnabled()) {
        return;
    }
    const QString remotePath = m_origin->text();
    const QString name = m_destination->text();
    if (remotePath.trimmed().isEmpty() || name.trimmed().isEmpty()) {
        if (!remotePath.trimmed().isEmpty()) {
            MessageBoxes::show(this, T(u"Msg.Ftp.FillDestinationReceive"));
            m_destination->setFocus();
        } else {
            MessageBoxes::show(this, T(u"Msg.Ftp.SelectFile"));
            m_list->setFocus();
        }
        return;
    }
    m_cancelFlag = false;
    const QString localDirectory = m_directory->text();
    const QString target = localDirectory + name;
    if (QFileInfo::exists(target)
        && !MessageBoxes::ask(this, T(u"Msg.Ftp.ReplacePrefix") + target + T(u"Msg.Ftp.ReplaceSuffix"))) {
        m_destination->setFocus();
        return;
    }
    if (!reconnect()) {
        showConnectFailure();
        return;
    }
    const qint64 expectedSize = m_remoteSizes.value(remotePath, -1);
    m_transferring = true;
    m_receive->setEnabled(false);
    m_select->setEnabled(false);
    const bool received = runOffThread(
        [&] {
            m_client.setTransferType(FtpClient::TransferType::Binary);
            return m_client.download(remotePath, target, expectedSize);
        },
        true);
    m_transferring = false;
    if (!received && m_client.wasAborted()) {
        const QString text = T(u"Msg.Transfer.Cancelled");
        setStatus(text);
        MessageBoxes::show(this, text);
    } else if (received) {
        setStatus(T(u"Msg.Ftp.StatusReceivedPrefix") + remotePath + T(u"Msg.Ftp.StatusReceivedSuffix"));
        MessageBoxes::show(this,
                           T(u"Msg.Ftp.ReceivedPrefix") + remotePath + T(u"Msg.Ftp.ReceivedMiddle") + target
                               + T(u"Msg.Ftp.ReceivedSuffix"));
    } else {
        MessageBoxes::show(this, T(u"Msg.Ftp.ReceiveFailed") + u'\n' + m_client.errorString(), MessageKind::Error);
        return;
    }
    setStatus(QString());
    m_receive->setEnabled(true);
    m_select->setEnabled(true);
    accept();
}

void TForm_Transfer_FTP::BitBtn3Click()
{
    if (m_transferring) {
        // The transfer's handler closes the window once the transfer has returned.
        m_cancelFlag = true;
        m_client.abort();
        return;
    }
    QDialog::reject();
}

void TForm_Transfer_FTP::BitBtn4Click()
{
    if (!m_receiveMode || m_transferring) {
        return;
    }
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const QString name = selected.first()->text(1);
    m_origin->setText(m_ftpDirectory + name);
    m_destination->setText(name);
}

QString TForm_Transfer_FTP::statusText() const
{
    return m_status->currentMessage();
}

void TForm_Transfer_FTP::setStatus(const QString &text)
{
    if (text.isEmpty()) {
        m_status->clearMessage();
    } else {
        m_status->showMessage(text);
    }
}

void TForm_Transfer_FTP::onTransferStarted(qint64 total, FtpClient::Direction)
{
    // Without a size the bar cannot tell a share: a maximum from an earlier file would lie.
    m_progressMax = total > 0 ? total : 0;
    showPosition(0);
}

void TForm_Transfer_FTP::onTransferProgress(qint64 done, qint64 total, FtpClient::Direction direction)
{
    if (total > 0) {
        m_progressMax = total;
    }
    showPosition(done);
    setStatus(
        (direction == FtpClient::Direction::Receiving ? T(u"Msg.Ftp.ProgressReceived") : T(u"Msg.Ftp.ProgressSent"))
        + QString::number(done) + u" Bytes");
}

void TForm_Transfer_FTP::onTransferEnded()
{
    showPosition(0);
}

void TForm_Transfer_FTP::showPosition(qint64 position)
{
    if (m_progressMax <= 0) {
        m_progress->setValue(0);
        m_percent->setText(QStringLiteral("0%"));
        return;
    }
    const qint64 clamped = qBound<qint64>(0, position, m_progressMax);
    m_progress->setValue(int(clamped * kProgressSteps / m_progressMax));
    m_percent->setText(QString::number((clamped * 100 + m_progressMax / 2) / m_progressMax) + u'%');
}

void TForm_Transfer_FTP::reject()
{
    BitBtn3Click();
}

void TForm_Transfer_FTP::showEvent(QShowEvent *event)
{
    m_percent->setText(QStringLiteral("0%"));
    QDialog::showEvent(event);
}

void TForm_Transfer_FTP::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { WindowPlacement::centreOnScreen(this); });
}

void TForm_Transfer_FTP::closeEvent(QCloseEvent *event)
{
    if (m_transferring) {
        // Closing during a transfer cancels it; the window closes when it has stopped.
        event->ignore();
        BitBtn3Click();
        return;
    }
    QDialog::closeEvent(event);
}
