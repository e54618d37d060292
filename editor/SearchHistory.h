#pragma once

#include <QString>
#include <QStringList>

/// The history lists of the find and replace dialogs' text boxes.
namespace SearchHistory {

/// How many entries are carried from one dialog to the next.
inline constexpr int kMaxEntries = 10;

/// \a list with \a typed put at the top. An entry equal to \a typed apart
/// from letter case is dropped first; an empty \a typed changes nothing.
QStringList add(const QStringList &list, const QString &typed);

/// The first kMaxEntries entries of \a list, joined by CR LF, as they are kept
/// between dialogs.
QString join(const QStringList &list);

/// The entries of a kept history text; an empty text has none.
QStringList lines(const QString &history);

} // namespace SearchHistory
