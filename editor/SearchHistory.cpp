#include "editor/SearchHistory.h"

namespace SearchHistory {

namespace {
const QString kSeparator = QStringLiteral("\r\n");
}

QStringList add(const QStringList &list, const QString &typed)
{
    if (typed.isEmpty()) {
        return list;
    }
    QStringList result;
    result.reserve(list.size() + 1);
    result << typed;
    for (const QString &entry : list) {
        if (entry.compare(typed, Qt::CaseInsensitive) != 0) {
            result << entry;
        }
    }
    return result;
}

QString join(const QStringList &list)
{
    return list.mid(0, kMaxEntries).join(kSeparator);
}

QStringList lines(const QString &history)
{
    if (history.isEmpty()) {
        return {};
    }
    return history.split(kSeparator);
}

} // namespace SearchHistory
