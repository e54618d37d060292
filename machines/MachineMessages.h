#pragma once

#include "machines/MachineForm.h"

#include <QString>

/// The machine register's messages, composed from catalogue pieces and run-time
/// values in the current language. Lines are separated by "\n"; a reason, when
/// given, is added as a last line.
namespace MachineMessages {

/// "INFORMATION: " followed by the failed check's message.
QString validationFailed(const MachineFormProblem &problem);

QString registered(const QString &description);
QString edited(const QString &description);

/// The delete question with the machine's number and description.
QString deleteQuestion(const QString &number, const QString &description);

QString directoryTestPassed(const QString &directory);
QString directoryTestFailed(const QString &directory);
/// \a host and \a directory are joined without a separator, as typed.
QString ftpTestPassed(const QString &host, const QString &directory);
QString ftpTestFailed(const QString &host, const QString &directory, const QString &reason);
QString portTestPassed(const QString &portName);
QString portTestFailed(const QString &portName, const QString &reason);

/// The database switch's refusal of a file that is not a machine database.
QString invalidDatabase(const QString &path);
/// A database that cannot be opened: its path and the reason.
QString databaseOpenFailed(const QString &path, const QString &reason);

} // namespace MachineMessages
