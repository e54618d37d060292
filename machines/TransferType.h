#pragma once

#include <QString>
#include <QStringView>

/// How programs reach a machine, as the register window lists it.
enum class TransferKind {
    None, ///< blank entry, or a code the program does not know
    LocalDirectory, ///< "DIRLOCAL"
    NetworkDirectory, ///< "DIRNET", and the older "DIRREDE"
    Ftp, ///< "FTP"
    Serial, ///< "SERIAL232"
};

/// The transfer type codes stored in TIPO_TRANSFER.
namespace TransferCodes {
inline constexpr QStringView kDirLocal = u"DIRLOCAL";
inline constexpr QStringView kDirNet = u"DIRNET";
/// Older code for a network directory; read as "DIRNET", never written.
inline constexpr QStringView kDirRede = u"DIRREDE";
inline constexpr QStringView kFtp = u"FTP";
inline constexpr QStringView kSerial232 = u"SERIAL232";
} // namespace TransferCodes

/// The kind a stored code stands for, compared exactly; "DIRREDE" is a
/// network directory, anything unknown is TransferKind::None.
TransferKind transferKindOf(QStringView code);

/// The code written for \a kind (so "DIRNET" for a network directory);
/// empty for TransferKind::None.
QString transferCodeOf(TransferKind kind);

/// The kind at a position of the register window's type list
/// (0 blank, 1 local directory, 2 network directory, 3 FTP, 4 serial).
TransferKind transferKindAt(int listPosition);

/// The type list position of \a kind (0 for None).
int transferListPosition(TransferKind kind);

/// True for the two kinds whose parameters are a directory (VORN_PATH).
bool isDirectoryKind(TransferKind kind);
