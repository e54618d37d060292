#include "editor/FontChoices.h"

#include <QSet>

#include <algorithm>

namespace FontChoices {

int clampSize(int size)
{
    return std::clamp(size, kMinimumSize, kMaximumSize);
}

std::optional<int> sizeFromText(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty()) {
        return kMinimumSize;
    }
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<qlonglong>(value, kMinimumSize, kMaximumSize));
}

QStringList familyList(const QStringList &families)
{
    QStringList list;
    QSet<QString> seen;
    for (const QString &family : families) {
        QString name = family;
        if (const qsizetype bracket = name.indexOf(QStringLiteral(" [")); bracket > 0 && name.endsWith(u']')) {
            name.truncate(bracket);
        }
        name = name.trimmed();
        if (name.isEmpty() || seen.contains(name.toCaseFolded())) {
            continue;
        }
        seen.insert(name.toCaseFolded());
        list.append(name);
    }
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return list;
}

} // namespace FontChoices
