#pragma once

#include "machines/MachineRow.h"

#include <QAbstractListModel>
#include <QList>

/// A list of machines as the machine panels show them: one item per row of
/// a machine list, in the list's order.
class MachineListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    /// Replaces every row.
    void setRows(const QList<MachineRow> &rows);
    const QList<MachineRow> &rows() const { return m_rows; }
    /// The machine of row \a row (0-based); an empty row when out of range.
    MachineRow rowAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    /// The display text ("number - description") serves screen readers; the
    /// panels are painted from rowAt().
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<MachineRow> m_rows;
};
