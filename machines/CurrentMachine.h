#pragma once

#include "machines/MachineRow.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

/// The machine programs are sent to and received from. All fields are text
/// and empty until a machine is selected. The first six come from the
/// machine's row at the moment of selection; the transfer fields are read
/// again from its parameter row each time a transfer starts.
struct CurrentMachine
{
    QString Id; ///< ID_MAQUINA as decimal digits
    QString Number;
    QString Description;
    QString TransferType; ///< the type code as stored
    QString PictureCode; ///< ID_IMAGEM as text, "1" … "7"
    QString ProgramsDir; ///< always ends in "/"

    QString MachineDir; ///< PATH_DIR of a directory machine

    QString FtpHost;
    QString FtpDirectory; ///< as stored; the transfer normalises it
    QString FtpUser;
    QString FtpPassword;
    QString FtpPort;

    QString SerialPort; ///< "COM1" … "COM12"
    QString SerialSpeed; ///< the codes as decimal text
    QString SerialDataBits;
    QString SerialParity;
    QString SerialStopBits;
    QString SerialFlow;

    bool isEmpty() const { return Id.isEmpty(); }
};

/// The picture (1–7) a picture code selects: only the single digit of a
/// number from 1 to 7 does; any other code selects none (0).
int pictureNumber(QStringView pictureCode);

/// The first six fields of the current machine taken from \a row, with "/"
/// appended to the program directory when it does not end in one (an empty
/// directory becomes "/").
CurrentMachine currentMachineFromRow(const MachineRow &row);

/// Everything the main window needs after choosing a machine.
struct MachineSelection
{
    CurrentMachine machine; ///< first six fields filled
    QString shownProgramsDir; ///< the program directory as stored, for the summary
    int picture = 0; ///< picture for the summary, 0 for none
    /// True when the file browser should move to machine.ProgramsDir: it names
    /// an existing directory (an empty stored directory never counts).
    bool browseProgramsDir = false;
};

/// Selection of row \a rowNumber (1-based) of the chooser list; nothing when
/// the list has no such row (then nothing changes).
std::optional<MachineSelection> selectMachine(const QList<MachineRow> &chooserRows, int rowNumber);
