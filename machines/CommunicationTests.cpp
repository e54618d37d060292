#include "machines/CommunicationTests.h"

#include "machines/MachineMessages.h"
#include "machines/SerialCodes.h"
#include "transfer/FtpClient.h"
#include "transfer/SerialLine.h"

#include <QFileInfo>

CommunicationTestResult testDirectoryCommunication(const MachineForm &form)
{
    CommunicationTestResult result;
    const QString directory = form.MachineDir.trimmed();
    if (directory.isEmpty()) {
        return result;
    }
    result.passed = QFileInfo(directory).isDir();
    result.message = result.passed ? MachineMessages::directoryTestPassed(directory)
                                   : MachineMessages::directoryTestFailed(directory);
    return result;
}

CommunicationTestResult testFtpCommunication(const MachineForm &form, FtpClient &client)
{
    CommunicationTestResult result;
    result.focus = firstEmptyFtpField(form);
    if (result.focus) {
        return result;
    }
    result.passed
        = client.testConnection(form.FtpHost, form.FtpPort, form.FtpUser, form.FtpPassword, form.FtpDirectory);
    result.message = result.passed
        ? MachineMessages::ftpTestPassed(form.FtpHost, form.FtpDirectory)
        : MachineMessages::ftpTestFailed(form.FtpHost, form.FtpDirectory, client.errorString());
    return result;
}

CommunicationTestResult testSerialCommunication(const MachineForm &form, SerialLine &line,
                                                const QString &transferIniPath)
{
    CommunicationTestResult result;
    result.focus = firstUnchosenSerialField(form);
    if (result.focus) {
        return result;
    }
    const QString portName = SerialCodes::comPortName(form.ComPortIndex);
    QString reason;
    const std::optional<SerialPortSettings> settings = SerialPortSettings::fromCodes(
        portName, form.SpeedIndex, form.DataBitsIndex, form.ParityIndex, form.StopBitsIndex, form.FlowIndex, &reason);
    if (settings) {
        line.configure(*settings, SerialPortSettings::devicePath(portName, transferIniPath));
        result.passed = line.open();
        reason = line.errorString();
        line.close();
    }
    result.message
        = result.passed ? MachineMessages::portTestPassed(portName) : MachineMessages::portTestFailed(portName, reason);
    return result;
}
