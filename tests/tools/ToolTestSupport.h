#pragma once

#include "tools/ToolRun.h"

#include <QStringList>

#include <ostream>

/// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QStringView text, std::ostream *os)
{
    PrintTo(text.toString(), os);
}

/// Helpers shared by the tool tests.
namespace ToolTest {

/// The document after applying a completed run's changes to \a lines.
inline QStringList applied(const QStringList &lines, const ToolResult &result)
{
    QStringList out = lines;
    for (const LineChange &change : result.changes) {
        out[change.index] = change.text.toString();
    }
    return out;
}

/// Runs \a tool over every line of \a lines and returns the document after it.
template<typename Run> QStringList applyTool(const QStringList &lines, Run run)
{
    const ToolLines views = ToolRun::viewLines(lines);
    return applied(lines, run(views));
}

} // namespace ToolTest
