#include "transfer/TransferDispatch.h"

#include "app/MessageBoxes.h"
#include "i18n/Catalogue.h"
#include "machines/CurrentMachine.h"
#include "machines/TDataModule1.h"
#include "machines/TransferType.h"

#include <QFileInfo>

TransferRoute transferRouteOf(QStringView transferType)
{
    switch (transferKindOf(transferType)) {
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory:
        return TransferRoute::Directory;
    case TransferKind::Ftp:
        return TransferRoute::Ftp;
    case TransferKind::Serial:
        return TransferRoute::Serial;
    case TransferKind::None:
        break;
    }
    return TransferRoute::None;
}

TransferDispatch::TransferDispatch(TDataModule1 &database, Inputs inputs, TransferWindows windows, QWidget *parent)
    : m_database(database)
    , m_inputs(std::move(inputs))
    , m_windows(std::move(windows))
    , m_parent(parent)
{ }

CurrentMachine *TransferDispatch::machine() const
{
    CurrentMachine *current = m_inputs.currentMachine ? m_inputs.currentMachine() : nullptr;
    return current && !current->TransferType.isEmpty() ? current : nullptr;
}

void TransferDispatch::SpeedButton4Click()
{
    if (!machine()) {
        return;
    }
    const QString selected = m_inputs.selectedBrowserPath ? m_inputs.selectedBrowserPath() : QString();
    if (selected.isEmpty()) {
        MessageBoxes::show(m_parent, T(u"Msg.Main.SelectToTransfer"));
        return;
    }
    if (QFileInfo(selected).isFile()) {
        transfer(selected, false);
    }
}

void TransferDispatch::SpeedButton31Click()
{
    if (!machine()) {
        return;
    }
    const QString fileName = m_inputs.currentFileName ? m_inputs.currentFileName() : QString();
    const bool tabActive = m_inputs.tabActive && m_inputs.tabActive();
    if (fileName.trimmed().isEmpty() || !tabActive) {
        MessageBoxes::show(m_parent, T(u"Msg.Main.OpenToTransfer"));
        return;
    }
    // A new document's caption names no file; the file on disk is what goes.
    // A new document's caption ("New (1)") is no path, even if a file of
    // that name happens to lie in the working directory.
    if (const QFileInfo file(fileName); file.isAbsolute() && file.isFile()) {
        transfer(fileName, false);
    }
}

void TransferDispatch::SpeedButton19Click()
{
    if (machine()) {
        transfer(QString(), true);
    }
}

bool TransferDispatch::transfer(const QString &file, bool receive)
{
    const CurrentMachine *current = machine();
    if (!current) {
        return false;
    }
    switch (transferRouteOf(current->TransferType)) {
    case TransferRoute::Directory:
        return FUNC_Transfer_LOCAL(file, receive);
    case TransferRoute::Ftp:
        return FUNC_Transfer_FTP(file, receive);
    case TransferRoute::Serial:
        return FUNC_Transfer_SERIAL232(file, receive);
    case TransferRoute::None:
        break;
    }
    return false;
}

bool TransferDispatch::FUNC_Transfer_LOCAL(const QString &file, bool receive)
{
    return handOver(m_windows.directory, file, receive);
}

bool TransferDispatch::FUNC_Transfer_FTP(const QString &file, bool receive)
{
    return handOver(m_windows.ftp, file, receive);
}

bool TransferDispatch::FUNC_Transfer_SERIAL232(const QString &file, bool receive)
{
    return handOver(m_windows.serial, file, receive);
}

bool TransferDispatch::handOver(const WindowHook &window, const QString &file, bool receive)
{
    CurrentMachine *current = machine();
    if (!current || !window) {
        return false;
    }
    // The register may have changed since the machine was chosen, here or on
    // another workstation: the parameters are read afresh for every transfer.
    if (!m_database.readTransferParameters(*current)) {
        MessageBoxes::showStandardError(m_parent, m_database.errorString());
        return false;
    }
    return window(*current, receive ? QString() : file, receive);
}
