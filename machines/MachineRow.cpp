#include "machines/MachineRow.h"

#include "machines/MachineSchema.h"

#include <QSqlQuery>
#include <QVariant>

using namespace MachineSchema;

MachineRow MachineRow::fromQuery(const QSqlQuery &query)
{
    MachineRow row;
    row.Id = query.value(MachinesPos::Id).toLongLong();
    row.Number = query.value(MachinesPos::Number).toString();
    row.Description = query.value(MachinesPos::Description).toString();
    row.TransferType = query.value(MachinesPos::TransferType).toString();
    row.PictureCode = query.value(MachinesPos::Picture).toString();
    row.ProgramsDir = query.value(MachinesPos::ProgramsDir).toString();
    row.Created = query.value(MachinesPos::Created).toDateTime();
    row.Changed = query.value(MachinesPos::Changed).toDateTime();
    return row;
}
