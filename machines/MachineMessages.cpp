#include "machines/MachineMessages.h"

#include "i18n/Catalogue.h"

namespace MachineMessages {

namespace {

QString withReason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + u'\n' + reason;
}

} // namespace

QString validationFailed(const MachineFormProblem &problem)
{
    return T(u"Msg.Machine.InfoPrefix") + problem.message();
}

QString registered(const QString &description)
{
    return T(u"Msg.Machine.RegisteredPrefix") + description + T(u"Msg.Machine.RegisteredSuffix");
}

QString edited(const QString &description)
{
    return T(u"Msg.Machine.EditedPrefix") + description + T(u"Msg.Machine.EditedSuffix");
}

QString deleteQuestion(const QString &number, const QString &description)
{
    return T(u"Msg.Main.DeleteMachineQuestion") + u'\n' + T(u"Msg.Main.DeleteMachineNumber") + number + u'\n'
        + T(u"Msg.Main.DeleteMachineName") + description;
}

QString directoryTestPassed(const QString &directory)
{
    return T(u"Msg.Machine.DirTestOkPrefix") + directory + T(u"Msg.Machine.DirTestOkSuffix");
}

QString directoryTestFailed(const QString &directory)
{
    return T(u"Msg.Machine.DirTestFailPrefix") + directory + u"\".\n" + T(u"Msg.Machine.DirTestFailHint");
}

QString ftpTestPassed(const QString &host, const QString &directory)
{
    return T(u"Msg.Machine.FtpTestOkPrefix") + host + directory + T(u"Msg.Machine.FtpTestOkSuffix");
}

QString ftpTestFailed(const QString &host, const QString &directory, const QString &reason)
{
    return withReason(
        T(u"Msg.Machine.FtpTestFailPrefix") + host + directory + u"\".\n" + T(u"Msg.Machine.FtpTestFailHint"), reason);
}

QString portTestPassed(const QString &portName)
{
    return T(u"Msg.Machine.PortTestOkPrefix") + portName + T(u"Msg.Machine.PortTestOkSuffix");
}

QString portTestFailed(const QString &portName, const QString &reason)
{
    return withReason(T(u"Msg.Machine.PortTestFailPrefix") + portName + u"\".\n" + T(u"Msg.Machine.PortTestFailHint"),
                      reason);
}

QString invalidDatabase(const QString &path)
{
    return T(u"Msg.Config.InvalidDbPrefix") + path + u"\"\n" + T(u"Msg.Config.InvalidDbSuffix");
}

QString databaseOpenFailed(const QString &path, const QString &reason)
{
    return withReason(T(u"Msg.Machine.DbOpenFailedPrefix") + path + T(u"Msg.Machine.DbOpenFailedSuffix"), reason);
}

} // namespace MachineMessages
