#include "machines/TDataModule1.h"

#include "app/Clock.h"
#include "app/IniFile.h"
#include "app/ProgramSettings.h"
#include "app/SettingsKeys.h"
#include "i18n/Catalogue.h"
#include "machines/MachineMessages.h"
#include "machines/MachineSchema.h"
#include "machines/SerialCodes.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>
#include <initializer_list>

using namespace MachineSchema;

namespace {

/// A statement assembled from fixed text and the schema's names.
QString sql(std::initializer_list<QStringView> parts)
{
    QString text;
    for (const QStringView part : parts) {
        text += part;
    }
    return text;
}

/// A text value that is stored as text, never as NULL.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QString nextConnectionName(QStringView role)
{
    static std::atomic<int> counter {0};
    return u"vorn-machines-" + role.toString() + u'-' + QString::number(++counter);
}

QString likeFilter(QStringView column)
{
    return sql({u" AND ", column, u" LIKE '%' || ? || '%'"});
}

QString orderByNumber()
{
    return sql({u" ORDER BY ", kNumMaquina, u" COLLATE NOCASE, ", kIdMaquina});
}

QString parameterSelect(QStringView table, QStringView key)
{
    return sql({u"SELECT * FROM ", table, u" WHERE ", kIdMaquina, u" = ? ORDER BY ", key, u" LIMIT 1"});
}

/// A list position for a stored code: the code itself when it is in its list, else the blank entry.
int positionOf(int code, bool inList)
{
    return inList ? code : 0;
}

} // namespace

TDataModule1::TDataModule1()
    : m_connection(nextConnectionName(u"main"))
    , m_probeConnection(nextConnectionName(u"probe"))
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_probeConnection);
}

TDataModule1::~TDataModule1()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::database(m_probeConnection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
    QSqlDatabase::removeDatabase(m_probeConnection);
}

QString TDataModule1::defaultDatabasePath(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.isEmpty() && !dir.endsWith(u'/')) {
        dir += u'/';
    }
    return dir + u"VORNMachines.db";
}

QSqlDatabase TDataModule1::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool TDataModule1::open(QSqlDatabase &db, const QString &path, const QString &mode)
{
    // A URI with an explicit mode: "rw" and "ro" fail on a missing file instead of creating it.
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    db.setDatabaseName(url.toString(QUrl::FullyEncoded) + u"?mode=" + mode);
    db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=" + QString::number(kBusyTimeoutMs));
    return db.open();
}

bool TDataModule1::openFailed(const QString &path, const QString &reason)
{
    m_error = MachineMessages::databaseOpenFailed(path, reason);
    return false;
}

bool TDataModule1::connectDatabase(const QString &path)
{
    disconnectDatabase();
    m_error.clear();
    if (path.trimmed().isEmpty()) {
        return openFailed(path, T(u"Msg.Machine.DbNoPath"));
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return openFailed(path, T(u"Msg.Machine.DbFileMissing"));
    }
    if (!info.isFile() || !info.isReadable()) {
        return openFailed(path, T(u"Msg.Machine.DbFileUnreadable"));
    }
    QSqlDatabase db = database();
    QString reason;
    if (!open(db, path, QStringLiteral("rw"))) {
        reason = db.lastError().text();
    } else if (!MachineSchema::upgrade(db, &reason)) {
        // upgrade() reads the file first, so a file that is no database fails here.
    } else {
        m_path = path;
        return true;
    }
    db.close();
    return openFailed(path, reason);
}

bool TDataModule1::createDatabase(const QString &path)
{
    disconnectDatabase();
    m_error.clear();
    if (QFileInfo::exists(path)) {
        return openFailed(path, T(u"Msg.Machine.DbFileExists"));
    }
    QSqlDatabase db = database();
    QString reason;
    if (!open(db, path, QStringLiteral("rwc"))) {
        reason = db.lastError().text();
    } else {
        m_path = path;
        MachineSchema::create(db, &reason);
    }
    if (!reason.isEmpty()) {
        disconnectDatabase();
        QFile::remove(path);
        return openFailed(path, reason);
    }
    return true;
}

bool TDataModule1::connectAtStartup(ProgramSettings &settings)
{
    IniFile ini(settings.transferIniPath());
    // A value nobody types in a settings file tells a missing key from an empty one.
    const QString missing = QStringLiteral("\x01");
    if (ini.readString(SettingsKeys::kDatabaseSection, SettingsKeys::kValue, missing) != missing) {
        return connectDatabase(settings.DatabasePath);
    }

    const QString path = defaultDatabasePath(settings.ProgramDir);
    if (QFileInfo::exists(path) ? !connectDatabase(path) : !createDatabase(path)) {
        return false;
    }
    QSqlDatabase db = database();
    if (QString reason; MachineSchema::isEmpty(db, &reason) || !reason.isEmpty()) {
        // A file of that name without the register (made by hand, say) gets it now.
        if (reason.isEmpty()) {
            MachineSchema::create(db, &reason);
        }
        if (!reason.isEmpty()) {
            disconnectDatabase();
            return openFailed(path, reason);
        }
    }

    settings.DatabasePath = path;
    // Failing to remember the path is harmless: the next start finds the same file again.
    ini.writeString(SettingsKeys::kDatabaseSection, SettingsKeys::kValue, path);
    return true;
}

void TDataModule1::disconnectDatabase()
{
    database().close();
    m_path.clear();
}

bool TDataModule1::isConnected() const
{
    return database().isOpen();
}

bool TDataModule1::probeDatabase(const QString &path)
{
    m_error.clear();
    bool valid = false;
    if (QFileInfo(path).isFile()) {
        QSqlDatabase db = QSqlDatabase::database(m_probeConnection, false);
        valid = open(db, path, QStringLiteral("ro")) && MachineSchema::matches(db, nullptr);
        db.close();
    }
    if (!valid) {
        m_error = MachineMessages::invalidDatabase(path);
    }
    return valid;
}

bool TDataModule1::switchDatabase(const QString &path, ProgramSettings &settings)
{
    m_error.clear();
    IniFile ini(settings.transferIniPath());
    if (!ini.writeString(SettingsKeys::kDatabaseSection, SettingsKeys::kValue, path)) {
        m_error = ini.errorString();
        return false;
    }
    settings.DatabasePath = path;
    return connectDatabase(path);
}

bool TDataModule1::run(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    m_error.clear();
    if (!isConnected()) {
        m_error = T(u"Msg.Machine.DbNotConnected");
        return false;
    }
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        m_error = query.lastError().text();
        return false;
    }
    for (const QVariant &value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        m_error = query.lastError().text();
        return false;
    }
    return true;
}

bool TDataModule1::readMachines(const QString &statement, const QVariantList &values, QList<MachineRow> &rows)
{
    rows.clear();
    QSqlQuery query(database());
    if (!run(query, statement, values)) {
        return false;
    }
    while (query.next()) {
        rows.append(MachineRow::fromQuery(query));
    }
    return true;
}

bool TDataModule1::selectMachines(const QString &descriptionFilter, const QString &numberFilter,
                                  QList<MachineRow> &rows)
{
    QString statement = sql({u"SELECT * FROM ", kMachinesTable, u" WHERE 1=1"});
    QVariantList values;
    if (const QString filter = descriptionFilter.trimmed(); !filter.isEmpty()) {
        statement += likeFilter(kDscMaquina);
        values.append(filter);
    }
    if (const QString filter = numberFilter.trimmed(); !filter.isEmpty()) {
        statement += likeFilter(kNumMaquina);
        values.append(filter);
    }
    return readMachines(statement + orderByNumber(), values, rows);
}

bool TDataModule1::selectAllMachines(QList<MachineRow> &rows)
{
    return readMachines(sql({u"SELECT * FROM ", kMachinesTable}) + orderByNumber(), {}, rows);
}

bool TDataModule1::selectMachine(qint64 id, std::optional<MachineRow> &row)
{
    row.reset();
    QSqlQuery query(database());
    if (!run(query, sql({u"SELECT * FROM ", kMachinesTable, u" WHERE ", kIdMaquina, u" = ?"}), {id})) {
        return false;
    }
    if (query.next()) {
        row = MachineRow::fromQuery(query);
    }
    return true;
}

bool TDataModule1::deleteMachine(qint64 id)
{
    QSqlQuery query(database());
    return run(query, sql({u"DELETE FROM ", kMachinesTable, u" WHERE ", kIdMaquina, u" = ?"}), {id});
}

bool TDataModule1::selectPathParameters(qint64 id, std::optional<PathParameters> &row)
{
    row.reset();
    QSqlQuery query(database());
    if (!run(query, parameterSelect(kPathTable, kIdPath), {id})) {
        return false;
    }
    if (query.next()) {
        row = PathParameters {query.value(PathPos::Dir).toString()};
    }
    return true;
}

bool TDataModule1::selectFtpParameters(qint64 id, std::optional<FtpParameters> &row)
{
    row.reset();
    QSqlQuery query(database());
    if (!run(query, parameterSelect(kFtpTable, kIdFtp), {id})) {
        return false;
    }
    if (query.next()) {
        row = FtpParameters {query.value(FtpPos::Dir).toString(), query.value(FtpPos::Host).toString(),
                             query.value(FtpPos::User).toString(), query.value(FtpPos::Password).toString(),
                             query.value(FtpPos::Port).toString()};
    }
    return true;
}

bool TDataModule1::selectSerialParameters(qint64 id, std::optional<SerialParameters> &row)
{
    row.reset();
    QSqlQuery query(database());
    if (!run(query, parameterSelect(kSerialTable, kIdSerial), {id})) {
        return false;
    }
    if (query.next()) {
        row = SerialParameters {query.value(SerialPos::Speed).toInt(),  query.value(SerialPos::DataBits).toInt(),
                                query.value(SerialPos::Parity).toInt(), query.value(SerialPos::StopBits).toInt(),
                                query.value(SerialPos::CrLf).toInt(),   query.value(SerialPos::Flow).toInt(),
                                query.value(SerialPos::Port).toString()};
    }
    return true;
}

bool TDataModule1::appendMachine(const QString &number, const QString &description, const QString &transferType,
                                 int picture, const QString &programsDir, qint64 &newId)
{
    const QDateTime now = Clock::now();
    QSqlQuery query(database());
    const QString statement = sql({u"INSERT INTO ", kMachinesTable, u" (", kNumMaquina, u", ", kDscMaquina, u", ",
                                   kTipoTransfer, u", ", kIdImagem, u", ", kDirProgramas, u", ", kDataCriacao, u", ",
                                   kDataAlteracao, u") VALUES (?, ?, ?, ?, ?, ?, ?)"});
    if (!run(query, statement,
             {text(number.trimmed()), text(description.trimmed()), text(transferType.trimmed()), picture,
              text(programsDir.trimmed()), now, now})) {
        return false;
    }
    newId = query.lastInsertId().toLongLong();
    return true;
}

bool TDataModule1::updateMachine(qint64 id, const QString &number, const QString &description,
                                 const QString &transferType, int picture, const QString &programsDir)
{
    QSqlQuery query(database());
    const QString statement = sql({u"UPDATE ", kMachinesTable, u" SET ", kNumMaquina, u" = ?, ", kDscMaquina, u" = ?, ",
                                   kTipoTransfer, u" = ?, ", kIdImagem, u" = ?, ", kDataAlteracao, u" = ?, ",
                                   kDirProgramas, u" = ? WHERE ", kIdMaquina, u" = ?"});
    if (!run(query, statement,
             {text(number), text(description), text(transferType), picture, Clock::now(), text(programsDir), id})) {
        return false;
    }
    if (query.numRowsAffected() == 0) {
        // Deleted on another workstation since it was read.
        m_error = T(u"Msg.Machine.NotFound");
        return false;
    }
    return true;
}

bool TDataModule1::insertPathParameters(qint64 id, const PathParameters &values)
{
    QSqlQuery query(database());
    return run(query, sql({u"INSERT INTO ", kPathTable, u" (", kIdMaquina, u", ", kPathDir, u") VALUES (?, ?)"}),
               {id, text(values.Directory)});
}

bool TDataModule1::updatePathParameters(qint64 id, const PathParameters &values)
{
    QSqlQuery query(database());
    return run(query, sql({u"UPDATE ", kPathTable, u" SET ", kPathDir, u" = ? WHERE ", kIdMaquina, u" = ?"}),
               {text(values.Directory), id});
}

bool TDataModule1::insertFtpParameters(qint64 id, const FtpParameters &values)
{
    QSqlQuery query(database());
    const QString statement
        = sql({u"INSERT INTO ", kFtpTable, u" (", kIdMaquina, u", ", kFtpDir, u", ", kFtpHost, u", ", kFtpUser, u", ",
               kFtpPassword, u", ", kFtpPort, u") VALUES (?, ?, ?, ?, ?, ?)"});
    return run(
        query, statement,
        {id, text(values.Directory), text(values.Host), text(values.User), text(values.Password), text(values.Port)});
}

bool TDataModule1::updateFtpParameters(qint64 id, const FtpParameters &values)
{
    QSqlQuery query(database());
    const QString statement = sql({u"UPDATE ", kFtpTable, u" SET ", kFtpDir, u" = ?, ", kFtpHost, u" = ?, ", kFtpUser,
                                   u" = ?, ", kFtpPassword, u" = ?, ", kFtpPort, u" = ? WHERE ", kIdMaquina, u" = ?"});
    return run(
        query, statement,
        {text(values.Directory), text(values.Host), text(values.User), text(values.Password), text(values.Port), id});
}

bool TDataModule1::insertSerialParameters(qint64 id, const SerialParameters &values)
{
    QSqlQuery query(database());
    const QString statement = sql({u"INSERT INTO ", kSerialTable, u" (", kIdMaquina, u", ", kSerialVelocidade, u", ",
                                   kSerialBitDados, u", ", kSerialParidade, u", ", kSerialBitParada, u", ", kSerialCrLf,
                                   u", ", kSerialFluxo, u", ", kSerialPorta, u") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"});
    return run(query, statement,
               {id, values.Speed, values.DataBits, values.Parity, values.StopBits, values.CrLf, values.Flow,
                text(values.Port)});
}

bool TDataModule1::updateSerialParameters(qint64 id, const SerialParameters &values)
{
    QSqlQuery query(database());
    const QString statement
        = sql({u"UPDATE ", kSerialTable, u" SET ", kSerialVelocidade, u" = ?, ", kSerialBitDados, u" = ?, ",
               kSerialParidade, u" = ?, ", kSerialBitParada, u" = ?, ", kSerialCrLf, u" = ?, ", kSerialFluxo, u" = ?, ",
               kSerialPorta, u" = ? WHERE ", kIdMaquina, u" = ?"});
    return run(query, statement,
               {values.Speed, values.DataBits, values.Parity, values.StopBits, values.CrLf, values.Flow,
                text(values.Port), id});
}

bool TDataModule1::inTransaction(const std::function<bool()> &statements)
{
    QSqlDatabase db = database();
    if (!db.isOpen() || !db.transaction()) {
        return statements();
    }
    if (statements() && db.commit()) {
        return true;
    }
    const QString error = m_error.isEmpty() ? db.lastError().text() : m_error;
    db.rollback();
    m_error = error;
    return false;
}

bool TDataModule1::registerMachine(const MachineForm &form, qint64 &newId)
{
    // The machine row and its parameter row go in together: a machine left
    // without its parameters would be registered again by the next attempt.
    const bool ok = inTransaction([&] { return appendMachineWithParameters(form, newId); });
    if (!ok) {
        newId = 0;
    }
    return ok;
}

bool TDataModule1::appendMachineWithParameters(const MachineForm &form, qint64 &newId)
{
    const TransferKind kind = form.transferKind();
    if (!appendMachine(form.Number, form.Description, transferCodeOf(kind), form.PictureIndex, form.ProgramsDir,
                       newId)) {
        return false;
    }
    switch (kind) {
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory:
        return insertPathParameters(newId, form.pathParameters());
    case TransferKind::Ftp:
        return insertFtpParameters(newId, form.ftpParameters());
    case TransferKind::Serial:
        return insertSerialParameters(newId, form.serialParameters());
    case TransferKind::None:
        break;
    }
    return true;
}

bool TDataModule1::saveMachine(qint64 id, const MachineForm &form)
{
    return inTransaction([&] { return updateMachineWithParameters(id, form); });
}

bool TDataModule1::updateMachineWithParameters(qint64 id, const MachineForm &form)
{
    const TransferKind kind = form.transferKind();
    if (!updateMachine(id, form.Number, form.Description, transferCodeOf(kind), form.PictureIndex, form.ProgramsDir)) {
        return false;
    }
    switch (kind) {
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory: {
        std::optional<PathParameters> existing;
        if (!selectPathParameters(id, existing)) {
            return false;
        }
        return existing ? updatePathParameters(id, form.pathParameters())
                        : insertPathParameters(id, form.pathParameters());
    }
    case TransferKind::Ftp: {
        std::optional<FtpParameters> existing;
        if (!selectFtpParameters(id, existing)) {
            return false;
        }
        return existing ? updateFtpParameters(id, form.ftpParameters()) : insertFtpParameters(id, form.ftpParameters());
    }
    case TransferKind::Serial: {
        std::optional<SerialParameters> existing;
        if (!selectSerialParameters(id, existing)) {
            return false;
        }
        return existing ? updateSerialParameters(id, form.serialParameters())
                        : insertSerialParameters(id, form.serialParameters());
    }
    case TransferKind::None:
        break;
    }
    return true;
}

bool TDataModule1::readMachineForm(qint64 id, MachineForm &form)
{
    using namespace SerialCodes;
    form = MachineForm {};
    std::optional<MachineRow> row;
    if (!selectMachine(id, row)) {
        return false;
    }
    if (!row) {
        return true;
    }
    form.Number = row->Number;
    form.Description = row->Description;
    const TransferKind kind = transferKindOf(row->TransferType);
    form.TransferTypeIndex = transferListPosition(kind);
    switch (kind) {
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory: {
        std::optional<PathParameters> path;
        if (!selectPathParameters(id, path)) {
            return false;
        }
        form.MachineDir = path ? path->Directory : QString();
        break;
    }
    case TransferKind::Ftp: {
        std::optional<FtpParameters> ftp;
        if (!selectFtpParameters(id, ftp)) {
            return false;
        }
        const FtpParameters values = ftp.value_or(FtpParameters {});
        form.FtpDirectory = values.Directory;
        form.FtpHost = values.Host;
        form.FtpUser = values.User;
        form.FtpPassword = values.Password;
        form.FtpPort = values.Port;
        break;
    }
    case TransferKind::Serial: {
        std::optional<SerialParameters> serial;
        if (!selectSerialParameters(id, serial)) {
            return false;
        }
        const SerialParameters values = serial.value_or(SerialParameters {});
        form.ComPortIndex = comPortPosition(values.Port);
        form.SpeedIndex = positionOf(values.Speed, baudRate(values.Speed) != 0);
        form.DataBitsIndex = positionOf(values.DataBits, dataBits(values.DataBits) != 0);
        form.ParityIndex = positionOf(values.Parity, isParityCode(values.Parity));
        form.StopBitsIndex = positionOf(values.StopBits, isStopBitsCode(values.StopBits));
        form.FlowIndex = positionOf(values.Flow, isFlowCode(values.Flow));
        form.CrLf = values.CrLf != 0;
        break;
    }
    case TransferKind::None:
        break;
    }
    const int picture = row->PictureCode.toInt();
    form.PictureIndex = picture >= 1 && picture <= 7 ? picture : 0;
    form.ProgramsDir = row->ProgramsDir;
    return true;
}

bool TDataModule1::readTransferParameters(CurrentMachine &machine)
{
    bool isNumber = false;
    const qint64 id = machine.Id.toLongLong(&isNumber);
    // An identifier that is no number matches no row: the parameters read as empty.
    const qint64 key = isNumber ? id : -1;
    switch (transferKindOf(machine.TransferType)) {
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory: {
        std::optional<PathParameters> path;
        if (!selectPathParameters(key, path)) {
            return false;
        }
        machine.MachineDir = path ? path->Directory : QString();
        return true;
    }
    case TransferKind::Ftp: {
        std::optional<FtpParameters> ftp;
        if (!selectFtpParameters(key, ftp)) {
            return false;
        }
        const FtpParameters values = ftp.value_or(FtpParameters {});
        machine.FtpHost = values.Host;
        machine.FtpDirectory = values.Directory;
        machine.FtpUser = values.User;
        machine.FtpPassword = values.Password;
        machine.FtpPort = values.Port;
        return true;
    }
    case TransferKind::Serial: {
        std::optional<SerialParameters> serial;
        if (!selectSerialParameters(key, serial)) {
            return false;
        }
        const auto code = [&](int value) {
            return serial ? QString::number(value) : QString();
        };
        machine.SerialPort = serial ? serial->Port : QString();
        machine.SerialSpeed = code(serial ? serial->Speed : 0);
        machine.SerialDataBits = code(serial ? serial->DataBits : 0);
        machine.SerialParity = code(serial ? serial->Parity : 0);
        machine.SerialStopBits = code(serial ? serial->StopBits : 0);
        machine.SerialFlow = code(serial ? serial->Flow : 0);
        return true;
    }
    case TransferKind::None:
        break;
    }
    return true;
}
