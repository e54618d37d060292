#pragma once

#include "machines/CurrentMachine.h"
#include "machines/MachineForm.h"
#include "machines/MachineRow.h"
#include "machines/TransferParameters.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

class QSqlDatabase;
class QSqlQuery;
struct ProgramSettings;

/// The machine register's database access: owns the connection to the
/// machine database (an SQLite file that several workstations may share) and
/// runs every statement of the register. The program creates one, named
/// DataModule1, right after the main window; each instance has connections of
/// its own, so several can be open at once.
///
/// Every value reaches a statement as a bound parameter. Each operation
/// returns false on failure and leaves the database layer's text in
/// errorString(); nothing is caught or rolled back beyond that.
class TDataModule1
{
public:
    TDataModule1();
    ~TDataModule1();
    TDataModule1(const TDataModule1 &) = delete;
    TDataModule1 &operator=(const TDataModule1 &) = delete;

    /// How long a statement waits for another workstation's write to end.
    static constexpr int kBusyTimeoutMs = 5000;

    /// The file a fresh installation uses: \a programDir + "VORNMachines.db".
    static QString defaultDatabasePath(const QString &programDir);

    // --- Connection ----------------------------------------------------

    /// Connects at start-up. With a DIRBD key in the settings file, opens
    /// settings.DatabasePath (never creating it). Without one (a fresh
    /// installation), uses defaultDatabasePath(), creates it with an empty
    /// register when it does not exist, writes its path to DIRBD/VALUE and
    /// into settings.DatabasePath.
    bool connectAtStartup(ProgramSettings &settings);

    /// Opens an existing database file; never creates one. A missing or
    /// unreadable file fails with a text naming the path and the reason, and
    /// the connection stays closed.
    bool connectDatabase(const QString &path);

    /// Creates a new database file holding the empty register; fails when the
    /// file already exists.
    bool createDatabase(const QString &path);

    void disconnectDatabase();
    bool isConnected() const;
    /// The path of the open database, empty when closed.
    QString databasePath() const { return m_path; }

    /// Checks a candidate file on a connection of its own: true only for an
    /// SQLite database holding the four tables with their columns. Otherwise
    /// errorString() is the invalid-database message naming \a path. The
    /// file is opened read-only and never created.
    bool probeDatabase(const QString &path);

    /// Switches to another database file (probe it first): writes \a path to
    /// DIRBD/VALUE of the settings file and settings.DatabasePath, then
    /// reconnects. When the settings file cannot be written nothing changes.
    bool switchDatabase(const QString &path, ProgramSettings &settings);

    QString errorString() const { return m_error; }

    // --- Statements ----------------------------------------------------

    /// The machine list: machines whose description and number contain the
    /// trimmed filters ("%" and "_" are wildcards; an empty filter imposes
    /// nothing), ordered by number as text.
    bool selectMachines(const QString &descriptionFilter, const QString &numberFilter, QList<MachineRow> &rows);
    /// Every machine, ordered by number as text (the chooser list).
    bool selectAllMachines(QList<MachineRow> &rows);
    /// One machine by identifier; \a row is empty when there is none.
    bool selectMachine(qint64 id, std::optional<MachineRow> &row);
    /// Deletes a machine's row; its parameter rows stay.
    bool deleteMachine(qint64 id);

    /// The machine's parameter row in one table; empty when there is none.
    bool selectPathParameters(qint64 id, std::optional<PathParameters> &row);
    bool selectFtpParameters(qint64 id, std::optional<FtpParameters> &row);
    bool selectSerialParameters(qint64 id, std::optional<SerialParameters> &row);

    /// Appends a machine row from the trimmed texts, both dates now, and gives
    /// back the identifier the database assigned.
    bool appendMachine(const QString &number, const QString &description, const QString &transferType, int picture,
                       const QString &programsDir, qint64 &newId);
    /// Updates a machine row with the texts as given and the change date now;
    /// fails when the machine is no longer in the register.
    bool updateMachine(qint64 id, const QString &number, const QString &description, const QString &transferType,
                       int picture, const QString &programsDir);

    bool insertPathParameters(qint64 id, const PathParameters &values);
    bool updatePathParameters(qint64 id, const PathParameters &values);
    bool insertFtpParameters(qint64 id, const FtpParameters &values);
    bool updateFtpParameters(qint64 id, const FtpParameters &values);
    bool insertSerialParameters(qint64 id, const SerialParameters &values);
    bool updateSerialParameters(qint64 id, const SerialParameters &values);

    // --- Operations of the register window and the transfers -------------

    /// Registers the machine of a validated form: its row with trimmed texts,
    /// then the parameter row of its type, values as typed. Both rows are
    /// written or neither is (\a newId is then 0).
    bool registerMachine(const MachineForm &form, qint64 &newId);

    /// Saves a validated form over machine \a id: the row with the texts as
    /// typed, then the parameter row of its type, updated when the machine has
    /// one in that table and inserted otherwise. Rows in the other parameter
    /// tables stay as they are. The rows are written together or not at all.
    bool saveMachine(qint64 id, const MachineForm &form);

    /// Fills a form from machine \a id and its parameter row: the type list
    /// from the code ("DIRREDE" shows as network directory, an unknown code as
    /// blank), list positions from the codes (a code outside its list, or a
    /// port name not in it, leaves the blank entry). A missing row gives an
    /// empty form, a missing parameter row empty parameters.
    bool readMachineForm(qint64 id, MachineForm &form);

    /// Reads the parameters of the machine's transfer type into \a machine
    /// (MachineDir, the FTP fields or the serial fields, codes as decimal
    /// text); a missing parameter row gives empty texts. Other types read
    /// nothing.
    bool readTransferParameters(CurrentMachine &machine);

private:
    QSqlDatabase database() const;
    bool open(QSqlDatabase &db, const QString &path, const QString &mode);
    bool run(QSqlQuery &query, const QString &sql, const QVariantList &values);
    bool openFailed(const QString &path, const QString &reason);
    bool readMachines(const QString &sql, const QVariantList &values, QList<MachineRow> &rows);
    bool appendMachineWithParameters(const MachineForm &form, qint64 &newId);
    bool updateMachineWithParameters(qint64 id, const MachineForm &form);
    /// Runs \a statements as one transaction: all of their changes or none.
    bool inTransaction(const std::function<bool()> &statements);

    QString m_connection;
    QString m_probeConnection;
    QString m_path;
    QString m_error;
};
