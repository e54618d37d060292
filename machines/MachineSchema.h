#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

#include <array>
#include <span>

/// The machine database's tables and columns, in one place: names, order,
/// types, the schema version and the steps that create or upgrade a file.
///
/// Several readers take values by column position, so the order of the
/// columns below is part of the file format; later versions only append.
namespace MachineSchema {

/// The version written into new files; upgrade() brings older files to it.
inline constexpr int kCurrentVersion = 1;

inline constexpr QStringView kMachinesTable = u"VORN_MAQUINAS";
inline constexpr QStringView kPathTable = u"VORN_PATH";
inline constexpr QStringView kFtpTable = u"VORN_FTP";
inline constexpr QStringView kSerialTable = u"VORN_SERIAL";
/// Key/value table of the file itself (schema version).
inline constexpr QStringView kMetaTable = u"VORN_META";

inline constexpr QStringView kIdMaquina = u"ID_MAQUINA";
inline constexpr QStringView kNumMaquina = u"NUM_MAQUINA";
inline constexpr QStringView kDscMaquina = u"DSC_MAQUINA";
inline constexpr QStringView kTipoTransfer = u"TIPO_TRANSFER";
inline constexpr QStringView kIdImagem = u"ID_IMAGEM";
inline constexpr QStringView kDirProgramas = u"DIR_PROGRAMAS";
inline constexpr QStringView kDataCriacao = u"DATA_CRIACAO";
inline constexpr QStringView kDataAlteracao = u"DATA_ALTERACAO";

inline constexpr QStringView kIdPath = u"ID_PATH";
inline constexpr QStringView kPathDir = u"PATH_DIR";

inline constexpr QStringView kIdFtp = u"ID_FTP";
inline constexpr QStringView kFtpDir = u"FTP_DIR";
inline constexpr QStringView kFtpHost = u"FTP_HOST";
inline constexpr QStringView kFtpUser = u"FTP_USER";
inline constexpr QStringView kFtpPassword = u"FTP_PASSWORD";
inline constexpr QStringView kFtpPort = u"FTP_PORT";

inline constexpr QStringView kIdSerial = u"ID_SERIAL";
inline constexpr QStringView kSerialVelocidade = u"SERIAL_VELOCIDADE";
inline constexpr QStringView kSerialBitDados = u"SERIAL_BIT_DADOS";
inline constexpr QStringView kSerialParidade = u"SERIAL_PARIDADE";
inline constexpr QStringView kSerialBitParada = u"SERIAL_BIT_PARADA";
inline constexpr QStringView kSerialCrLf = u"SERIAL_CR_LF";
inline constexpr QStringView kSerialFluxo = u"SERIAL_FLUXO";
inline constexpr QStringView kSerialPorta = u"SERIAL_PORTA";

inline constexpr QStringView kMetaKey = u"CHAVE";
inline constexpr QStringView kMetaValue = u"VALOR";
inline constexpr QStringView kSchemaVersionKey = u"SCHEMA_VERSION";

/// Column positions of VORN_MAQUINAS.
namespace MachinesPos {
enum : int { Id = 0, Number, Description, TransferType, Picture, ProgramsDir, Created, Changed };
}
/// Column positions of VORN_PATH.
namespace PathPos {
enum : int { Key = 0, MachineId, Dir };
}
/// Column positions of VORN_FTP.
namespace FtpPos {
enum : int { Key = 0, MachineId, Dir, Host, User, Password, Port };
}
/// Column positions of VORN_SERIAL.
namespace SerialPos {
enum : int { Key = 0, MachineId, Speed, DataBits, Parity, StopBits, CrLf, Flow, Port };
}

/// One column: its name and the SQLite declaration that creates it.
struct Column
{
    QStringView name;
    QStringView declaration;
};

/// One table with its columns in file order.
struct Table
{
    QStringView name;
    std::span<const Column> columns;
};

/// The four tables of a machine database, machines first.
std::span<const Table> tables();

/// Creates the four tables and the meta table with the current version.
/// All or nothing: on failure the file is left without any of them.
bool create(QSqlDatabase &db, QString *error);

/// True when the file holds no table at all (a new or zero-length file).
bool isEmpty(QSqlDatabase &db, QString *error);

/// The file's schema version: 0 when it has no meta table, -1 on a read error.
int version(QSqlDatabase &db, QString *error);

/// Brings a file of an older version to kCurrentVersion; a file without a
/// meta table, or of this or a newer version, is left as it is.
bool upgrade(QSqlDatabase &db, QString *error);

/// True when the file holds the four tables, each with its columns at their
/// positions (names compared without regard to case; further columns after
/// them are allowed).
bool matches(QSqlDatabase &db, QString *error);

} // namespace MachineSchema
