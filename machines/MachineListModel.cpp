#include "machines/MachineListModel.h"

void MachineListModel::setRows(const QList<MachineRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

MachineRow MachineListModel::rowAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : MachineRow();
}

int MachineListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant MachineListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return {};
    }
    const MachineRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString(row.Number + u" - " + row.Description);
    default:
        return {};
    }
}
