#pragma once

#include <QDateTime>
#include <QString>

class QSqlQuery;

/// One row of VORN_MAQUINAS, as the machine lists and the chooser show it.
struct MachineRow
{
    qint64 Id = 0; ///< ID_MAQUINA
    QString Number; ///< NUM_MAQUINA
    QString Description; ///< DSC_MAQUINA
    QString TransferType; ///< TIPO_TRANSFER, the code as stored
    QString PictureCode; ///< ID_IMAGEM read as text
    QString ProgramsDir; ///< DIR_PROGRAMAS as stored
    QDateTime Created; ///< DATA_CRIACAO
    QDateTime Changed; ///< DATA_ALTERACAO

    /// The row \a query stands on, read by column position; a missing value
    /// reads as empty text (or an invalid date).
    static MachineRow fromQuery(const QSqlQuery &query);
};
