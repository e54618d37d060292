#include "machines/MachineSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace MachineSchema {

namespace {

// AUTOINCREMENT: a deleted machine's number is never given again, because
// its parameter rows stay behind and would otherwise attach to the new machine.
constexpr QStringView kKey = u"INTEGER PRIMARY KEY AUTOINCREMENT";
constexpr QStringView kText = u"TEXT";
constexpr QStringView kInteger = u"INTEGER";
constexpr QStringView kDateTime = u"DATETIME";

constexpr std::array<Column, 8> kMachinesColumns = {{
    {kIdMaquina, kKey},
    {kNumMaquina, kText},
    {kDscMaquina, kText},
    {kTipoTransfer, kText},
    {kIdImagem, kInteger},
    {kDirProgramas, kText},
    {kDataCriacao, kDateTime},
    {kDataAlteracao, kDateTime},
}};

constexpr std::array<Column, 3> kPathColumns = {{
    {kIdPath, kKey},
    {kIdMaquina, kInteger},
    {kPathDir, kText},
}};

constexpr std::array<Column, 7> kFtpColumns = {{
    {kIdFtp, kKey},
    {kIdMaquina, kInteger},
    {kFtpDir, kText},
    {kFtpHost, kText},
    {kFtpUser, kText},
    {kFtpPassword, kText},
    {kFtpPort, kText},
}};

constexpr std::array<Column, 9> kSerialColumns = {{
    {kIdSerial, kKey},
    {kIdMaquina, kInteger},
    {kSerialVelocidade, kInteger},
    {kSerialBitDados, kInteger},
    {kSerialParidade, kInteger},
    {kSerialBitParada, kInteger},
    {kSerialCrLf, kInteger},
    {kSerialFluxo, kInteger},
    {kSerialPorta, kText},
}};

constexpr std::array<Table, 4> kTables = {{
    {kMachinesTable, kMachinesColumns},
    {kPathTable, kPathColumns},
    {kFtpTable, kFtpColumns},
    {kSerialTable, kSerialColumns},
}};

constexpr bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.utf16()[i] != b.utf16()[i]) {
            return false;
        }
    }
    return true;
}

// The position constants and the column lists must tell the same story.
static_assert(sameName(kMachinesColumns[MachinesPos::ProgramsDir].name, kDirProgramas));
static_assert(sameName(kMachinesColumns[MachinesPos::Changed].name, kDataAlteracao));
static_assert(sameName(kPathColumns[PathPos::Dir].name, kPathDir));
static_assert(sameName(kFtpColumns[FtpPos::Port].name, kFtpPort));
static_assert(sameName(kSerialColumns[SerialPos::Flow].name, kSerialFluxo));
static_assert(sameName(kSerialColumns[SerialPos::Port].name, kSerialPorta));

bool fail(QString *error, const QSqlQuery &query)
{
    if (error) {
        *error = query.lastError().text();
    }
    return false;
}

QString createStatement(const Table &table)
{
    QString sql = u"CREATE TABLE " + table.name.toString() + u" (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0) {
            sql += u", ";
        }
        sql += table.columns[i].name + u' ' + table.columns[i].declaration;
    }
    return sql + u')';
}

bool tableExists(QSqlDatabase &db, QStringView name, bool &exists, QString *error)
{
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(name.toString());
    if (!query.exec() || !query.next()) {
        return fail(error, query);
    }
    exists = query.value(0).toInt() > 0;
    return true;
}

/// The upgrade from \a fromVersion to the next one. New versions add a case.
bool upgradeStep(QSqlDatabase &db, int fromVersion, QString *error)
{
    Q_UNUSED(db);
    Q_UNUSED(fromVersion);
    Q_UNUSED(error);
    return true;
}

bool writeVersion(QSqlDatabase &db, int value, QString *error)
{
    QSqlQuery query(db);
    query.prepare(u"INSERT OR REPLACE INTO " + kMetaTable.toString() + u" (" + kMetaKey + u", " + kMetaValue
                  + u") VALUES (?, ?)");
    query.addBindValue(kSchemaVersionKey.toString());
    query.addBindValue(QString::number(value));
    return query.exec() || fail(error, query);
}

} // namespace

std::span<const Table> tables()
{
    return kTables;
}

bool create(QSqlDatabase &db, QString *error)
{
    if (!db.transaction()) {
        if (error) {
            *error = db.lastError().text();
        }
        return false;
    }
    QSqlQuery query(db);
    bool ok = true;
    for (const Table &table : kTables) {
        ok = ok && query.exec(createStatement(table));
    }
    ok = ok
        && query.exec(u"CREATE TABLE " + kMetaTable.toString() + u" (" + kMetaKey + u" TEXT PRIMARY KEY, " + kMetaValue
                      + u" TEXT)");
    if (!ok) {
        fail(error, query);
        db.rollback();
        return false;
    }
    if (!writeVersion(db, kCurrentVersion, error)) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        if (error) {
            *error = db.lastError().text();
        }
        db.rollback();
        return false;
    }
    return true;
}

bool isEmpty(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) || !query.next()) {
        fail(error, query);
        return false;
    }
    return query.value(0).toInt() == 0;
}

int version(QSqlDatabase &db, QString *error)
{
    bool exists = false;
    if (!tableExists(db, kMetaTable, exists, error)) {
        return -1;
    }
    if (!exists) {
        return 0;
    }
    QSqlQuery query(db);
    query.prepare(u"SELECT " + kMetaValue.toString() + u" FROM " + kMetaTable + u" WHERE " + kMetaKey + u" = ?");
    query.addBindValue(kSchemaVersionKey.toString());
    if (!query.exec()) {
        fail(error, query);
        return -1;
    }
    return query.next() ? query.value(0).toInt() : 0;
}

bool upgrade(QSqlDatabase &db, QString *error)
{
    const int found = version(db, error);
    if (found < 0) {
        return false;
    }
    if (found == 0 || found >= kCurrentVersion) {
        return true;
    }
    if (!db.transaction()) {
        if (error) {
            *error = db.lastError().text();
        }
        return false;
    }
    for (int v = found; v < kCurrentVersion; ++v) {
        if (!upgradeStep(db, v, error)) {
            db.rollback();
            return false;
        }
    }
    if (!writeVersion(db, kCurrentVersion, error) || !db.commit()) {
        if (error && error->isEmpty()) {
            *error = db.lastError().text();
        }
        db.rollback();
        return false;
    }
    return true;
}

bool matches(QSqlDatabase &db, QString *error)
{
    for (const Table &table : kTables) {
        bool exists = false;
        if (!tableExists(db, table.name, exists, error)) {
            return false;
        }
        if (!exists) {
            return false;
        }
        QSqlQuery query(db);
        // PRAGMA takes no bound values; the name is one of our own constants.
        if (!query.exec(u"PRAGMA table_info(" + table.name.toString() + u')')) {
            return fail(error, query);
        }
        std::size_t position = 0;
        while (query.next() && position < table.columns.size()) {
            const QString name = query.value(1).toString();
            if (name.compare(table.columns[position].name, Qt::CaseInsensitive) != 0) {
                return false;
            }
            ++position;
        }
        if (position < table.columns.size()) {
            return false;
        }
    }
    return true;
}

} // namespace MachineSchema
