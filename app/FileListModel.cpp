#include "app/FileListModel.h"

#include <QFileSystemModel>

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    auto *files = static_cast<QFileSystemModel *>(sourceModel());
    const QString path = files->filePath(mapToSource(index));
    const bool renamed = QIdentityProxyModel::setData(index, value, role);
    if (!renamed && role == Qt::EditRole && index.column() == 0 && renameFailed) {
        renameFailed(path, value.toString());
    }
    return renamed;
}
