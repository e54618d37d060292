#pragma once

#include <QIdentityProxyModel>

#include <array>
#include <functional>

/// A folder listing over a QFileSystemModel with four column captions of its
/// own: the file system model answers every folder with its own captions,
/// these stay in the user's language whatever folder is shown. Reports a
/// failed in-place rename.
class FileListModel : public QIdentityProxyModel
{
public:
    static constexpr int kColumns = 4;

    using QIdentityProxyModel::QIdentityProxyModel;

    /// Told the old path and the new name when renaming an item in place failed.
    std::function<void(const QString &path, const QString &newName)> renameFailed;

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::EditRole) && section >= 0
            && section < kColumns) {
            return m_captions[std::size_t(section)];
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= kColumns
            || (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return false;
        }
        m_captions[std::size_t(section)] = value.toString();
        Q_EMIT headerDataChanged(orientation, section, section);
        return true;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    std::array<QString, kColumns> m_captions;
};
