#include "machines/CurrentMachine.h"

#include <QFileInfo>

int pictureNumber(QStringView pictureCode)
{
    if (pictureCode.size() != 1) {
        return 0;
    }
    const char16_t digit = pictureCode.front().unicode();
    return digit >= u'1' && digit <= u'7' ? digit - u'0' : 0;
}

CurrentMachine currentMachineFromRow(const MachineRow &row)
{
    CurrentMachine machine;
    machine.Id = QString::number(row.Id);
    machine.Number = row.Number;
    machine.Description = row.Description;
    machine.TransferType = row.TransferType;
    machine.PictureCode = row.PictureCode;
    machine.ProgramsDir = row.ProgramsDir;
    if (!machine.ProgramsDir.endsWith(u'/')) {
        machine.ProgramsDir += u'/';
    }
    return machine;
}

std::optional<MachineSelection> selectMachine(const QList<MachineRow> &chooserRows, int rowNumber)
{
    if (rowNumber < 1 || rowNumber > chooserRows.size()) {
        return std::nullopt;
    }
    const MachineRow &row = chooserRows.at(rowNumber - 1);
    MachineSelection selection;
    selection.machine = currentMachineFromRow(row);
    selection.shownProgramsDir = row.ProgramsDir;
    selection.picture = pictureNumber(row.PictureCode);
    selection.browseProgramsDir
        = !row.ProgramsDir.trimmed().isEmpty() && QFileInfo(selection.machine.ProgramsDir).isDir();
    return selection;
}
