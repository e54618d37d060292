#pragma once

#include "machines/MachineForm.h"

#include <QString>

#include <optional>

class FtpClient;
class SerialLine;

/// What a communication test of the register window leads to: either a field
/// that must be filled first (no message, the focus goes there), or a message
/// to show (its prefix names its kind), or nothing at all.
struct CommunicationTestResult
{
    std::optional<MachineField> focus;
    QString message;
    bool passed = false;
};

/// Tests the machine directory: nothing when it is empty after trimming,
/// otherwise whether that directory exists.
CommunicationTestResult testDirectoryCommunication(const MachineForm &form);

/// Tests the FTP page's values with \a client: connect, log in, change to the
/// directory, disconnect. Every value must be filled; the port must be a number.
CommunicationTestResult testFtpCommunication(const MachineForm &form, FtpClient &client);

/// Opens and closes the serial page's port with its settings on \a line
/// (whose flow a CUSTOM choice keeps); the port name maps to a device through
/// the settings file \a transferIniPath. Nothing is sent or received.
CommunicationTestResult testSerialCommunication(const MachineForm &form, SerialLine &line,
                                                const QString &transferIniPath);
