#include "machines/TransferType.h"

using namespace TransferCodes;

TransferKind transferKindOf(QStringView code)
{
    if (code == kDirLocal) {
        return TransferKind::LocalDirectory;
    }
    if (code == kDirNet || code == kDirRede) {
        return TransferKind::NetworkDirectory;
    }
    if (code == kFtp) {
        return TransferKind::Ftp;
    }
    if (code == kSerial232) {
        return TransferKind::Serial;
    }
    return TransferKind::None;
}

QString transferCodeOf(TransferKind kind)
{
    switch (kind) {
    case TransferKind::LocalDirectory:
        return kDirLocal.toString();
    case TransferKind::NetworkDirectory:
        return kDirNet.toString();
    case TransferKind::Ftp:
        return kFtp.toString();
    case TransferKind::Serial:
        return kSerial232.toString();
    case TransferKind::None:
        break;
    }
    return {};
}

TransferKind transferKindAt(int listPosition)
{
    switch (listPosition) {
    case 1:
        return TransferKind::LocalDirectory;
    case 2:
        return TransferKind::NetworkDirectory;
    case 3:
        return TransferKind::Ftp;
    case 4:
        return TransferKind::Serial;
    default:
        return TransferKind::None;
    }
}

int transferListPosition(TransferKind kind)
{
    switch (kind) {
    case TransferKind::LocalDirectory:
        return 1;
    case TransferKind::NetworkDirectory:
        return 2;
    case TransferKind::Ftp:
        return 3;
    case TransferKind::Serial:
        return 4;
    case TransferKind::None:
        break;
    }
    return 0;
}

bool isDirectoryKind(TransferKind kind)
{
    return kind == TransferKind::LocalDirectory || kind == TransferKind::NetworkDirectory;
}
