#include "app/Clock.h"
#include "app/IniFile.h"
#include "app/ProgramSettings.h"
#include "i18n/Catalogue.h"
#include "machines/MachineSchema.h"
#include "machines/TDataModule1.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

/// A fresh installation in a temporary program directory, connected.
class DataModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Catalogue::current().load(QStringLiteral("EN"));
        ASSERT_TRUE(m_dir.isValid());
        m_settings = loadProgramSettings(m_dir.path());
        ASSERT_TRUE(m_module.connectAtStartup(m_settings)) << m_module.errorString().toStdString();
    }

    void TearDown() override { Clock::setSource({}); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static MachineForm directoryForm(const QString &number, const QString &description)
    {
        MachineForm form;
        form.Number = number;
        form.Description = description;
        form.PictureIndex = 1;
        form.ProgramsDir = QStringLiteral("/cnc/progs/");
        form.TransferTypeIndex = 1;
        form.MachineDir = QStringLiteral("/mnt/machine/");
        return form;
    }

    qint64 add(const MachineForm &form)
    {
        qint64 id = 0;
        EXPECT_TRUE(m_module.registerMachine(form, id)) << m_module.errorString().toStdString();
        return id;
    }

    QStringList numbers(const QString &description, const QString &number)
    {
        QList<MachineRow> rows;
        EXPECT_TRUE(m_module.selectMachines(description, number, rows)) << m_module.errorString().toStdString();
        QStringList result;
        for (const MachineRow &row : rows) {
            result.append(row.Number);
        }
        return result;
    }

    /// Runs \a sql on a connection of the test's own to the same file.
    QList<QVariantList> raw(const QString &sql)
    {
        QList<QVariantList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-raw"));
            db.setDatabaseName(m_settings.DatabasePath);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i) {
                    row.append(query.value(i));
                }
                rows.append(row);
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-raw"));
        return rows;
    }

    QTemporaryDir m_dir;
    ProgramSettings m_settings;
    TDataModule1 m_module;
};

TEST_F(DataModuleTest, FreshInstallationCreatesTheDefaultRegisterAndRemembersIt)
{
    const QString expected = m_dir.path() + u"/VORNMachines.db";
    EXPECT_EQ(m_settings.DatabasePath, expected);
    EXPECT_EQ(m_module.databasePath(), expected);
    EXPECT_TRUE(QFileInfo(expected).isFile());
    EXPECT_EQ(IniFile(m_settings.transferIniPath()).readString(u"DIRBD", u"VALUE", QString()), expected);
    EXPECT_TRUE(m_module.probeDatabase(expected));

    // The columns in their order, and the version the file was made with.
    const QList<QVariantList> columns = raw(QStringLiteral("PRAGMA table_info(VORN_MAQUINAS)"));
    QStringList names;
    for (const QVariantList &column : columns) {
        names.append(column.at(1).toString());
    }
    EXPECT_EQ(names,
              QStringList({u"ID_MAQUINA"_s, u"NUM_MAQUINA"_s, u"DSC_MAQUINA"_s, u"TIPO_TRANSFER"_s, u"ID_IMAGEM"_s,
                           u"DIR_PROGRAMAS"_s, u"DATA_CRIACAO"_s, u"DATA_ALTERACAO"_s}));
    EXPECT_EQ(raw(QStringLiteral("SELECT VALOR FROM VORN_META WHERE CHAVE = 'SCHEMA_VERSION'")).value(0).value(0),
              QVariant(QString::number(MachineSchema::kCurrentVersion)));

    // The next start reads the key and opens the same file, keeping its machines.
    const qint64 id = add(directoryForm(u"1"_s, u"Mill"_s));
    TDataModule1 next;
    ProgramSettings settings = loadProgramSettings(m_dir.path());
    ASSERT_TRUE(next.connectAtStartup(settings));
    std::optional<MachineRow> row;
    ASSERT_TRUE(next.selectMachine(id, row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Description, u"Mill"_s);
}

TEST_F(DataModuleTest, AConfiguredFileIsNeverCreated)
{
    const QString missing = path(u"shop/missing.db"_s);
    TestFiles::write(path(u"VORNTransfer.ini"_s), "[DIRBD]\nVALUE=" + missing.toUtf8() + "\n");
    for (const QString &value : {missing, QString()}) {
        if (value.isEmpty()) {
            TestFiles::write(path(u"VORNTransfer.ini"_s), "[DIRBD]\nVALUE=\n");
        }
        ProgramSettings settings = loadProgramSettings(m_dir.path());
        TDataModule1 module;
        EXPECT_FALSE(module.connectAtStartup(settings));
        EXPECT_FALSE(module.isConnected());
        EXPECT_TRUE(module.errorString().contains(u"Unable to open the machine database \"" + value + u"\"."))
            << module.errorString().toStdString();
        EXPECT_EQ(settings.DatabasePath, value);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));

    TDataModule1 module;
    EXPECT_FALSE(module.connectDatabase(missing));
    EXPECT_TRUE(module.errorString().endsWith(u"\nThe file does not exist.")) << module.errorString().toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(DataModuleTest, CreatingMakesAnEmptyRegisterButNeverOverwritesAFile)
{
    const QString fresh = path(u"new.db"_s);
    TDataModule1 module;
    ASSERT_TRUE(module.createDatabase(fresh)) << module.errorString().toStdString();
    EXPECT_TRUE(module.isConnected());
    EXPECT_EQ(module.databasePath(), fresh);
    QList<MachineRow> rows;
    ASSERT_TRUE(module.selectAllMachines(rows));
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(module.probeDatabase(fresh));

    const QString notes = path(u"notes.db"_s);
    TestFiles::write(notes, "keep me");
    EXPECT_FALSE(module.createDatabase(notes));
    EXPECT_FALSE(module.isConnected());
    EXPECT_TRUE(module.errorString().endsWith(u"\nThe file already exists.")) << module.errorString().toStdString();
    EXPECT_EQ(TestFiles::read(notes), QByteArray("keep me"));
}

TEST_F(DataModuleTest, AFileThatIsNoDatabaseFailsWithItsPathAndTheReason)
{
    const QString text = path(u"notes.db"_s);
    TestFiles::write(text, QByteArray(4096, 'x'));
    TDataModule1 module;
    EXPECT_FALSE(module.connectDatabase(text));
    EXPECT_FALSE(module.isConnected());
    EXPECT_TRUE(module.errorString().startsWith(u"Unable to open the machine database \"" + text + u"\".\n"));
    EXPECT_GT(module.errorString().size(), (u"Unable to open the machine database \"" + text + u"\".\n").size());

    EXPECT_FALSE(module.connectDatabase(m_dir.path()));
    EXPECT_TRUE(module.errorString().endsWith(u"\nThe file cannot be read."));

    QList<MachineRow> rows;
    EXPECT_FALSE(module.selectAllMachines(rows));
    EXPECT_EQ(module.errorString(), u"The machine database is not open."_s);
}

TEST_F(DataModuleTest, ListsAreOrderedByNumberAsTextAndFilteredAnywhere)
{
    const QStringList registered = {u"9"_s, u"10"_s, u"112"_s, u"A12-3"_s, u"21"_s, u"12"_s};
    const QStringList descriptions
        = {u"Lathe west"_s, u"Mill north"_s, u"Mill 50%"_s, u"Robot cell"_s, u"Old mill"_s, u"Gantry"_s};
    for (int i = 0; i < registered.size(); ++i) {
        add(directoryForm(registered[i], descriptions[i]));
    }
    QList<MachineRow> all;
    ASSERT_TRUE(m_module.selectAllMachines(all));
    QStringList allNumbers;
    for (const MachineRow &row : all) {
        allNumbers.append(row.Number);
    }
    const QStringList byText = {u"10"_s, u"112"_s, u"12"_s, u"21"_s, u"9"_s, u"A12-3"_s};
    EXPECT_EQ(allNumbers, byText);
    EXPECT_EQ(numbers(QString(), QString()), byText);
    EXPECT_EQ(numbers(u"   "_s, u" "_s), byText);

    struct Case
    {
        QString description;
        QString number;
        QStringList expected;
    };
    const Case cases[] = {
        {{}, u"12"_s, {u"112"_s, u"12"_s, u"A12-3"_s}},
        {{}, u" 12 "_s, {u"112"_s, u"12"_s, u"A12-3"_s}},
        {u"mill"_s, {}, {u"10"_s, u"112"_s, u"21"_s}},
        {u"ILL"_s, u"1"_s, {u"10"_s, u"112"_s, u"21"_s}},
        {u"mill"_s, u"12"_s, {u"112"_s}},
        {u"Mill%north"_s, {}, {u"10"_s}}, // a typed "%" stays a wildcard
        {u"50%"_s, {}, {u"112"_s}},
        {u"cell"_s, u"9"_s, {}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(numbers(c.description, c.number), c.expected)
            << c.description.toStdString() << " / " << c.number.toStdString();
    }
}

TEST_F(DataModuleTest, QuotesAreStoredIntactAndNeverReachTheStatement)
{
    const QString q = u"O'Neil \"big\" '; DROP TABLE VORN_MAQUINAS; --"_s;
    MachineForm form = directoryForm(u"7'\""_s, q);
    form.ProgramsDir = u"/cnc/it's \"here\"/"_s;
    form.MachineDir = u"/mnt/o'clock \"dir\"/"_s;
    const qint64 dirId = add(form);

    form.TransferTypeIndex = 3;
    form.FtpHost = u"host'\""_s;
    form.FtpPort = u"21'\""_s;
    form.FtpUser = u"us'er\""_s;
    form.FtpPassword = u"pa'ss\"word"_s;
    form.FtpDirectory = u"/o'k\"/"_s;
    const qint64 ftpId = add(form);

    form.TransferTypeIndex = 4;
    form.ComPortIndex = 3;
    form.SpeedIndex = 7;
    form.DataBitsIndex = 3;
    form.ParityIndex = 1;
    form.StopBitsIndex = 3;
    form.FlowIndex = 4;
    form.CrLf = true;
    const qint64 serialId = add(form);

    for (const qint64 id : {dirId, ftpId, serialId}) {
        MachineForm read;
        ASSERT_TRUE(m_module.readMachineForm(id, read));
        EXPECT_EQ(read.Number, form.Number);
        EXPECT_EQ(read.Description, q);
        EXPECT_EQ(read.ProgramsDir, form.ProgramsDir);
    }
    MachineForm read;
    ASSERT_TRUE(m_module.readMachineForm(dirId, read));
    EXPECT_EQ(read.MachineDir, form.MachineDir);
    ASSERT_TRUE(m_module.readMachineForm(ftpId, read));
    EXPECT_EQ(read.FtpHost, form.FtpHost);
    EXPECT_EQ(read.FtpPort, form.FtpPort);
    EXPECT_EQ(read.FtpUser, form.FtpUser);
    EXPECT_EQ(read.FtpPassword, form.FtpPassword);
    EXPECT_EQ(read.FtpDirectory, form.FtpDirectory);
    ASSERT_TRUE(m_module.readMachineForm(serialId, read));
    EXPECT_EQ(read.ComPortIndex, 3);
    EXPECT_EQ(read.SpeedIndex, 7);
    EXPECT_EQ(read.DataBitsIndex, 3);
    EXPECT_EQ(read.ParityIndex, 1);
    EXPECT_EQ(read.StopBitsIndex, 3);
    EXPECT_EQ(read.FlowIndex, 4);
    EXPECT_TRUE(read.CrLf);

    // Changing keeps them as well.
    MachineForm edited = form;
    edited.Description = u"it\"s 'new'"_s;
    ASSERT_TRUE(m_module.saveMachine(serialId, edited));
    ASSERT_TRUE(m_module.readMachineForm(serialId, read));
    EXPECT_EQ(read.Description, edited.Description);

    // In filters they are plain characters to look for.
    EXPECT_EQ(numbers(u"'"_s, {}).size(), 3);
    EXPECT_EQ(numbers(u"\""_s, {}).size(), 3);
    EXPECT_EQ(numbers(u"\"big\""_s, {}).size(), 2);
    EXPECT_EQ(numbers(u"x' OR '1'='1"_s, {}).size(), 0);
    EXPECT_EQ(numbers(u"x\" OR \"1\"=\"1"_s, {}).size(), 0);
    EXPECT_EQ(numbers({}, u"7'\""_s).size(), 3);
    EXPECT_EQ(raw(QStringLiteral("SELECT COUNT(*) FROM VORN_MAQUINAS")).value(0).value(0).toInt(), 3);
}

TEST_F(DataModuleTest, RegisteringTrimsAndChangingKeepsTheTextsAsTyped)
{
    MachineForm form = directoryForm(u"  42 "_s, u" Lathe  "_s);
    form.ProgramsDir = u"  /cnc/lathe/ "_s;
    form.MachineDir = u" /mnt/lathe/ "_s;
    const qint64 id = add(form);
    std::optional<MachineRow> row;
    ASSERT_TRUE(m_module.selectMachine(id, row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Number, u"42"_s);
    EXPECT_EQ(row->Description, u"Lathe"_s);
    EXPECT_EQ(row->ProgramsDir, u"/cnc/lathe/"_s);
    EXPECT_EQ(row->TransferType, u"DIRLOCAL"_s);
    EXPECT_EQ(row->PictureCode, u"1"_s);
    std::optional<PathParameters> path;
    ASSERT_TRUE(m_module.selectPathParameters(id, path));
    EXPECT_EQ(path->Directory, u" /mnt/lathe/ "_s); // parameters are stored as typed

    ASSERT_TRUE(m_module.saveMachine(id, form));
    ASSERT_TRUE(m_module.selectMachine(id, row));
    EXPECT_EQ(row->Number, u"  42 "_s);
    EXPECT_EQ(row->Description, u" Lathe  "_s);
    EXPECT_EQ(row->ProgramsDir, u"  /cnc/lathe/ "_s);
}

TEST_F(DataModuleTest, AMachineWhoseParametersCannotBeWrittenIsNotRegisteredAtAll)
{
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"breaker"_s);
        other.setDatabaseName(m_module.databasePath());
        ASSERT_TRUE(other.open());
        QSqlQuery drop(other);
        ASSERT_TRUE(drop.exec(u"DROP TABLE VORN_PATH"_s));
        other.close();
    }
    QSqlDatabase::removeDatabase(u"breaker"_s);

    qint64 id = -1;
    EXPECT_FALSE(m_module.registerMachine(directoryForm(u"7"_s, u"Mill"_s), id));
    EXPECT_EQ(id, 0);
    EXPECT_FALSE(m_module.errorString().isEmpty());
    QList<MachineRow> rows;
    ASSERT_TRUE(m_module.selectAllMachines(rows));
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(DataModuleTest, SavingAMachineDeletedElsewhereFailsAndWritesNothing)
{
    const qint64 id = add(directoryForm(u"7"_s, u"Mill"_s));
    TDataModule1 other;
    ASSERT_TRUE(other.connectDatabase(m_module.databasePath()));
    ASSERT_TRUE(other.deleteMachine(id));

    MachineForm form = directoryForm(u"7"_s, u"Mill"_s);
    form.TransferTypeIndex = 3;
    form.FtpHost = u"10.0.0.7"_s;
    EXPECT_FALSE(m_module.saveMachine(id, form));
    EXPECT_EQ(m_module.errorString(), T(u"Msg.Machine.NotFound"));
    std::optional<FtpParameters> ftp;
    ASSERT_TRUE(m_module.selectFtpParameters(id, ftp));
    EXPECT_FALSE(ftp);
}

TEST_F(DataModuleTest, DatesAreDateTimesSetOnRegisterAndOnChange)
{
    const QDateTime registered(QDate(2024, 3, 1), QTime(8, 15, 30));
    const QDateTime changed(QDate(2024, 11, 30), QTime(23, 59, 1));
    Clock::setSource([&] { return registered; });
    const qint64 id = add(directoryForm(u"1"_s, u"Mill"_s));
    std::optional<MachineRow> row;
    ASSERT_TRUE(m_module.selectMachine(id, row));
    EXPECT_EQ(row->Created, registered);
    EXPECT_EQ(row->Changed, registered);

    Clock::setSource([&] { return changed; });
    ASSERT_TRUE(m_module.saveMachine(id, directoryForm(u"1"_s, u"Mill"_s)));
    ASSERT_TRUE(m_module.selectMachine(id, row));
    EXPECT_EQ(row->Created, registered);
    EXPECT_EQ(row->Changed, changed);
}

TEST_F(DataModuleTest, ChangingTheTypeKeepsTheOldParameterRowAndReusesIt)
{
    MachineForm form = directoryForm(u"5"_s, u"Mill"_s);
    const qint64 id = add(form);

    form.TransferTypeIndex = 3;
    form.FtpHost = u"10.0.0.5"_s;
    form.FtpPort = u"21"_s;
    form.FtpUser = u"cnc"_s;
    form.FtpPassword = u"pw"_s;
    form.FtpDirectory = u"/progs/"_s;
    ASSERT_TRUE(m_module.saveMachine(id, form));

    form.TransferTypeIndex = 4;
    form.ComPortIndex = 2;
    form.SpeedIndex = 13;
    form.DataBitsIndex = 4;
    form.ParityIndex = 3;
    form.StopBitsIndex = 2;
    form.FlowIndex = 3;
    ASSERT_TRUE(m_module.saveMachine(id, form));

    form.TransferTypeIndex = 2;
    form.MachineDir = u"/mnt/share/"_s;
    ASSERT_TRUE(m_module.saveMachine(id, form));
    form.TransferTypeIndex = 3;
    form.FtpHost = u"10.0.0.6"_s;
    ASSERT_TRUE(m_module.saveMachine(id, form));

    const QString where = u" WHERE ID_MAQUINA = "_s + QString::number(id);
    EXPECT_EQ(raw(u"SELECT PATH_DIR FROM VORN_PATH"_s + where), QList<QVariantList>({{u"/mnt/share/"_s}}));
    EXPECT_EQ(raw(u"SELECT FTP_HOST FROM VORN_FTP"_s + where), QList<QVariantList>({{u"10.0.0.6"_s}}));
    EXPECT_EQ(raw(u"SELECT SERIAL_VELOCIDADE, SERIAL_PORTA FROM VORN_SERIAL"_s + where),
              QList<QVariantList>({{13, u"COM2"_s}}));
    EXPECT_EQ(raw(u"SELECT TIPO_TRANSFER FROM VORN_MAQUINAS"_s + where), QList<QVariantList>({{u"FTP"_s}}));
}

TEST_F(DataModuleTest, DirredeIsANetworkDirectoryAndIsSavedAsDirnet)
{
    raw(QStringLiteral("INSERT INTO VORN_MAQUINAS (NUM_MAQUINA, DSC_MAQUINA, TIPO_TRANSFER, ID_IMAGEM, DIR_PROGRAMAS) "
                       "VALUES ('3', 'Old share', 'DIRREDE', 2, '/cnc/old/')"));
    const qint64 id = raw(QStringLiteral("SELECT MAX(ID_MAQUINA) FROM VORN_MAQUINAS")).value(0).value(0).toLongLong();
    raw(u"INSERT INTO VORN_PATH (ID_MAQUINA, PATH_DIR) VALUES ("_s + QString::number(id) + u", '/mnt/old/')");

    MachineForm form;
    ASSERT_TRUE(m_module.readMachineForm(id, form));
    EXPECT_EQ(form.TransferTypeIndex, 2);
    EXPECT_EQ(form.MachineDir, u"/mnt/old/"_s);
    EXPECT_EQ(form.PictureIndex, 2);

    CurrentMachine machine;
    machine.Id = QString::number(id);
    machine.TransferType = u"DIRREDE"_s;
    ASSERT_TRUE(m_module.readTransferParameters(machine));
    EXPECT_EQ(machine.MachineDir, u"/mnt/old/"_s);

    ASSERT_TRUE(m_module.saveMachine(id, form));
    std::optional<MachineRow> row;
    ASSERT_TRUE(m_module.selectMachine(id, row));
    EXPECT_EQ(row->TransferType, u"DIRNET"_s);
    EXPECT_EQ(raw(u"SELECT COUNT(*) FROM VORN_PATH WHERE ID_MAQUINA = "_s + QString::number(id)).value(0).value(0),
              QVariant(1));
}

TEST_F(DataModuleTest, AMissingParameterRowGivesEmptyValues)
{
    for (const QString &type : {u"DIRLOCAL"_s, u"FTP"_s, u"SERIAL232"_s, u"PUNCHTAPE"_s}) {
        raw(u"INSERT INTO VORN_MAQUINAS (NUM_MAQUINA, DSC_MAQUINA, TIPO_TRANSFER, ID_IMAGEM, DIR_PROGRAMAS) "
            "VALUES ('1', 'bare', '"_s
            + type + u"', 9, '/cnc/')");
        const qint64 id
            = raw(QStringLiteral("SELECT MAX(ID_MAQUINA) FROM VORN_MAQUINAS")).value(0).value(0).toLongLong();

        MachineForm form;
        form.MachineDir = form.FtpHost = form.FtpPort = u"stale"_s;
        ASSERT_TRUE(m_module.readMachineForm(id, form));
        EXPECT_EQ(form.Number, u"1"_s);
        EXPECT_EQ(form.PictureIndex, 0) << "picture 9 is not in the list";
        EXPECT_EQ(form.TransferTypeIndex, type == u"PUNCHTAPE" ? 0 : form.TransferTypeIndex);
        EXPECT_TRUE(form.MachineDir.isEmpty());
        EXPECT_TRUE(form.FtpHost.isEmpty());
        EXPECT_TRUE(form.FtpPort.isEmpty());
        EXPECT_EQ(form.ComPortIndex + form.SpeedIndex + form.DataBitsIndex + form.ParityIndex + form.StopBitsIndex
                      + form.FlowIndex,
                  0);

        CurrentMachine machine;
        machine.Id = QString::number(id);
        machine.TransferType = type;
        machine.MachineDir = machine.FtpHost = machine.FtpPort = machine.SerialPort = machine.SerialSpeed = u"stale"_s;
        ASSERT_TRUE(m_module.readTransferParameters(machine));
        if (type != u"PUNCHTAPE") {
            const QString &value = type == u"DIRLOCAL" ? machine.MachineDir
                : type == u"FTP"                       ? machine.FtpPort
                                                       : machine.SerialSpeed;
            EXPECT_TRUE(value.isEmpty()) << type.toStdString();
        }
    }

    MachineForm form;
    ASSERT_TRUE(m_module.readMachineForm(123456, form));
    EXPECT_TRUE(form.Number.isEmpty());
    EXPECT_EQ(form.TransferTypeIndex, 0);
}

TEST_F(DataModuleTest, StoredSerialValuesOutsideTheListsLoadAsUnchosen)
{
    raw(QStringLiteral("INSERT INTO VORN_MAQUINAS (NUM_MAQUINA, DSC_MAQUINA, TIPO_TRANSFER, ID_IMAGEM, DIR_PROGRAMAS) "
                       "VALUES ('1', 'serial', 'SERIAL232', 7, '/cnc/')"));
    const qint64 id = raw(QStringLiteral("SELECT MAX(ID_MAQUINA) FROM VORN_MAQUINAS")).value(0).value(0).toLongLong();
    raw(u"INSERT INTO VORN_SERIAL (ID_MAQUINA, SERIAL_VELOCIDADE, SERIAL_BIT_DADOS, SERIAL_PARIDADE, "
        "SERIAL_BIT_PARADA, SERIAL_CR_LF, SERIAL_FLUXO, SERIAL_PORTA) VALUES ("_s
        + QString::number(id) + u", 16, 4, 6, 3, 0, 2, 'COM13')");
    MachineForm form;
    ASSERT_TRUE(m_module.readMachineForm(id, form));
    EXPECT_EQ(form.ComPortIndex, 0);
    EXPECT_EQ(form.SpeedIndex, 0);
    EXPECT_EQ(form.DataBitsIndex, 4);
    EXPECT_EQ(form.ParityIndex, 0);
    EXPECT_EQ(form.StopBitsIndex, 3);
    EXPECT_EQ(form.FlowIndex, 2);
    EXPECT_EQ(form.PictureIndex, 7);

    CurrentMachine machine;
    machine.Id = QString::number(id);
    machine.TransferType = u"SERIAL232"_s;
    ASSERT_TRUE(m_module.readTransferParameters(machine));
    EXPECT_EQ(machine.SerialPort, u"COM13"_s);
    EXPECT_EQ(machine.SerialSpeed, u"16"_s);
    EXPECT_EQ(machine.SerialFlow, u"2"_s);
}

TEST_F(DataModuleTest, DeletingKeepsParameterRowsAndNeverReusesTheIdentifier)
{
    const qint64 first = add(directoryForm(u"1"_s, u"Mill"_s));
    const qint64 second = add(directoryForm(u"2"_s, u"Lathe"_s));
    ASSERT_TRUE(m_module.deleteMachine(second));
    std::optional<MachineRow> row;
    ASSERT_TRUE(m_module.selectMachine(second, row));
    EXPECT_FALSE(row);
    std::optional<PathParameters> kept;
    ASSERT_TRUE(m_module.selectPathParameters(second, kept));
    EXPECT_TRUE(kept);

    MachineForm form = directoryForm(u"3"_s, u"Robot"_s);
    form.MachineDir = u"/mnt/robot/"_s;
    const qint64 third = add(form);
    EXPECT_GT(third, second);
    EXPECT_GT(second, first);
    std::optional<PathParameters> own;
    ASSERT_TRUE(m_module.selectPathParameters(third, own));
    EXPECT_EQ(own->Directory, u"/mnt/robot/"_s);
}

TEST_F(DataModuleTest, TheProbeAcceptsOnlyAMachineRegister)
{
    EXPECT_TRUE(m_module.probeDatabase(m_settings.DatabasePath));

    const QString expectedMessage = u"ERROR: File \"%1\"\nNot a Valid File DB Machines."_s;
    const auto sqliteFile = [&](const QString &name, const QStringList &statements) {
        const QString file = path(name);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-make"));
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString &statement : statements) {
                EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
            }
            query.exec(QStringLiteral("CREATE TABLE T (A)")); // makes the file a real database
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-make"));
        return file;
    };
    const QStringList refused = {
        path(u"absent.db"_s),
        m_dir.path(),
        sqliteFile(u"other.db"_s, {}),
        sqliteFile(
            u"swapped.db"_s,
            {u"CREATE TABLE VORN_MAQUINAS (ID_MAQUINA, DSC_MAQUINA, NUM_MAQUINA, TIPO_TRANSFER, ID_IMAGEM, "
             "DIR_PROGRAMAS, DATA_CRIACAO, DATA_ALTERACAO)"_s,
             u"CREATE TABLE VORN_PATH (ID_PATH, ID_MAQUINA, PATH_DIR)"_s,
             u"CREATE TABLE VORN_FTP (ID_FTP, ID_MAQUINA, FTP_DIR, FTP_HOST, FTP_USER, FTP_PASSWORD, FTP_PORT)"_s,
             u"CREATE TABLE VORN_SERIAL (ID_SERIAL, ID_MAQUINA, SERIAL_VELOCIDADE, SERIAL_BIT_DADOS, "
             "SERIAL_PARIDADE, SERIAL_BIT_PARADA, SERIAL_CR_LF, SERIAL_FLUXO, SERIAL_PORTA)"_s}),
        sqliteFile(
            u"no-serial.db"_s,
            {u"CREATE TABLE VORN_MAQUINAS (ID_MAQUINA, NUM_MAQUINA, DSC_MAQUINA, TIPO_TRANSFER, ID_IMAGEM, "
             "DIR_PROGRAMAS, DATA_CRIACAO, DATA_ALTERACAO)"_s,
             u"CREATE TABLE VORN_PATH (ID_PATH, ID_MAQUINA, PATH_DIR)"_s,
             u"CREATE TABLE VORN_FTP (ID_FTP, ID_MAQUINA, FTP_DIR, FTP_HOST, FTP_USER, FTP_PASSWORD, FTP_PORT)"_s}),
    };
    TestFiles::write(path(u"text.db"_s), "SQLite format 3 but not really");
    for (const QString &file : refused + QStringList {path(u"text.db"_s)}) {
        EXPECT_FALSE(m_module.probeDatabase(file)) << file.toStdString();
        EXPECT_EQ(m_module.errorString(), expectedMessage.arg(file));
    }
    EXPECT_FALSE(QFileInfo::exists(path(u"absent.db"_s)));
    // The register in use is not touched by a probe.
    EXPECT_EQ(m_module.databasePath(), m_settings.DatabasePath);
    EXPECT_TRUE(m_module.isConnected());
}

TEST_F(DataModuleTest, SwitchingRemembersTheNewFileAndReadsFromIt)
{
    add(directoryForm(u"1"_s, u"Old register"_s));
    QTemporaryDir other;
    ProgramSettings otherSettings = loadProgramSettings(other.path());
    {
        TDataModule1 maker;
        ASSERT_TRUE(maker.connectAtStartup(otherSettings));
        qint64 id = 0;
        ASSERT_TRUE(maker.registerMachine(directoryForm(u"77"_s, u"New register"_s), id));
    }
    ASSERT_TRUE(m_module.probeDatabase(otherSettings.DatabasePath));
    ASSERT_TRUE(m_module.switchDatabase(otherSettings.DatabasePath, m_settings));
    EXPECT_EQ(m_settings.DatabasePath, otherSettings.DatabasePath);
    EXPECT_EQ(IniFile(m_settings.transferIniPath()).readString(u"DIRBD", u"VALUE", QString()),
              otherSettings.DatabasePath);
    EXPECT_EQ(numbers({}, {}), QStringList {u"77"_s});
}

TEST_F(DataModuleTest, SeveralModulesShareOneFile)
{
    TDataModule1 other;
    ASSERT_TRUE(other.connectDatabase(m_settings.DatabasePath));
    qint64 id = 0;
    ASSERT_TRUE(other.registerMachine(directoryForm(u"8"_s, u"From another workstation"_s), id));
    EXPECT_EQ(numbers({}, {}), QStringList {u"8"_s});
}

} // namespace
