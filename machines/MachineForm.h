#pragma once

#include "machines/TransferParameters.h"
#include "machines/TransferType.h"

#include <QString>
#include <QStringView>

#include <optional>

/// The values of the machine register window: its texts as typed and the
/// positions of its lists (0 is the blank first entry of every list).
struct MachineForm
{
    QString Number; ///< Edit1
    QString Description; ///< Edit2
    int PictureIndex = 0; ///< ComboBox2: 1–7
    QString ProgramsDir; ///< Edit9
    int TransferTypeIndex = 0; ///< ComboBox1: see transferKindAt()
    QString MachineDir; ///< Edit3
    QString FtpHost; ///< Edit4
    QString FtpPort; ///< Edit5
    QString FtpUser; ///< Edit6
    QString FtpPassword; ///< Edit7
    QString FtpDirectory; ///< Edit8
    int ComPortIndex = 0; ///< ComboBox3: n for "COMn"
    int SpeedIndex = 0; ///< ComboBox4: 1–15 (16 is the blank entry at its end)
    int DataBitsIndex = 0; ///< ComboBox5: 1–4
    int ParityIndex = 0; ///< ComboBox6: 1–5
    int StopBitsIndex = 0; ///< ComboBox7: 1–3
    int FlowIndex = 0; ///< ComboBox8: 1–4
    bool CrLf = false; ///< CheckBox1

    TransferKind transferKind() const { return transferKindAt(TransferTypeIndex); }

    /// The parameter rows the form stands for, values as typed.
    PathParameters pathParameters() const;
    FtpParameters ftpParameters() const;
    SerialParameters serialParameters() const;
};

/// The fields of the register window that validation can point at.
enum class MachineField {
    Number,
    Description,
    Picture,
    ProgramsDir,
    TransferType,
    MachineDir,
    FtpHost,
    FtpPort,
    FtpUser,
    FtpPassword,
    FtpDirectory,
    ComPort,
    Speed,
    DataBits,
    Parity,
    StopBits,
    FlowControl,
};

/// The first check a form fails: the field to focus and the catalogue key of
/// its message (shown after the "INFORMATION: " prefix).
struct MachineFormProblem
{
    MachineField field;
    QStringView messageKey;

    /// The message in the current language, without its prefix.
    QString message() const;
};

/// Checks a form before it is saved, in the window's fixed order: number,
/// description, picture, program directory, transfer type, then the
/// parameters of the chosen type. Texts count as empty after trimming; the
/// FTP port need not be a number.
std::optional<MachineFormProblem> validateMachineForm(const MachineForm &form);

/// The first empty one of host, port, user, password and directory (after
/// trimming), in that order; nothing when all are filled.
std::optional<MachineField> firstEmptyFtpField(const MachineForm &form);

/// The first unchosen one of the serial lists, in the order COM port, speed,
/// data bits, parity, stop bits, flow control; nothing when all are chosen.
std::optional<MachineField> firstUnchosenSerialField(const MachineForm &form);
