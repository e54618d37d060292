#include "tools/ToolRun.h"

#include "i18n/Catalogue.h"

#include <algorithm>

namespace {

/// Lines between two looks at the cancel check and the progress.
qsizetype checkInterval(qsizetype count)
{
    return std::clamp<qsizetype>(count / 200, 1, 4096);
}

ToolResult refused(qsizetype lineNumber, const QString &text, const QString &message)
{
    ToolResult result;
    result.status = ToolStatus::Refused;
    result.refusal = {lineNumber, text, message};
    return result;
}

} // namespace

ToolResult ToolRun::run(const ToolLines &lines, const ToolRange &range, LineReading reading,
                        const LineTransform &transform, ToolLogEntry log, const ToolControl &control)
{
    const qsizetype count = lines.size();
    // The range as indices, clamped to the document: lines beyond the last
    // one would read as empty texts, which change nothing.
    qsizetype first = 0;
    qsizetype last = count - 1;
    if (!range.wholeFile) {
        first = std::max<qsizetype>(range.first, 1) - 1;
        last = std::min<qsizetype>(range.last - 1, count - 1);
    }
    log.details[3] = rangeText(range);

    int shownPercent = 0;
    if (control.progress) {
        control.progress(0);
    }

    ToolResult result;
    if (transform) {
        const qsizetype interval = checkInterval(count);
        qsizetype nextCheck = first;
        // The new texts go one after the other into one string, which saves
        // an allocation for every changed line.
        QString &out = result.changedText;
        qsizetype rangeSize = 0;
        for (qsizetype i = first; i <= last; ++i) {
            rangeSize += lines[i].size();
        }
        out.reserve(rangeSize + rangeSize / 8 + 64);
        QList<qsizetype> offsets;
        if (last >= first) {
            result.changes.reserve(last - first + 1);
            offsets.reserve(last - first + 2);
        }
        LineFault fault;
        for (qsizetype i = first; i <= last; ++i) {
            if (i >= nextCheck) {
                if (control.isCancelled && control.isCancelled()) {
                    ToolResult cancelled;
                    cancelled.status = ToolStatus::Cancelled;
                    return cancelled;
                }
                const int reached = percent(i, count);
                if (control.progress && reached != shownPercent) {
                    shownPercent = reached;
                    control.progress(reached);
                }
                nextCheck = i + interval;
            }
            const QStringView old = lines[i];
            const QStringView oldTrimmed = old.trimmed();
            QStringView line = old;
            if (reading == LineReading::Trimmed) {
                line = oldTrimmed;
            } else if (oldTrimmed.isEmpty()) {
                continue;
            }
            const qsizetype start = out.size();
            if (!transform(line, out, fault)) {
                return refused(i + 1, fault.text, faultMessage(i + 1, fault));
            }
            if (QStringView(out).sliced(start).trimmed() != oldTrimmed) {
                result.changes.append(LineChange {i, {}});
                offsets.append(start);
            } else {
                out.resize(start);
            }
        }
        offsets.append(out.size());
        for (qsizetype k = 0; k < result.changes.size(); ++k) {
            result.changes[k].text = QStringView(out).sliced(offsets[k], offsets[k + 1] - offsets[k]);
        }
    }
    result.log = std::move(log);
    return result;
}

QString ToolRun::rangeText(const ToolRange &range)
{
    if (range.wholeFile) {
        return T(u"Msg.Log.WholeFile");
    }
    return T(u"Msg.Log.FromLine") + QString::number(range.first) + T(u"Msg.Log.ToLine") + QString::number(range.last)
        + T(u"Msg.Log.OfFile");
}

ToolResult ToolRun::refuseOffset(const QString &offset)
{
    return refused(0, offset, T(u"Msg.Tools.InvalidOffset") + offset + T(u"Msg.Tools.NotChanged"));
}

QString ToolRun::faultMessage(qsizetype lineNumber, const LineFault &fault)
{
    const QStringView reason
        = fault.kind == LineFault::Kind::NotANumber ? u"Msg.Tools.NotANumber" : u"Msg.Tools.BlockNumberTooLarge";
    return T(u"Msg.Tools.ErrorLine") + QString::number(lineNumber) + T(reason) + fault.text
        + T(u"Msg.Tools.NotChanged");
}

ToolLines ToolRun::splitLines(QStringView text)
{
    ToolLines lines;
    lines.reserve(text.count(u'\n') + 1);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            lines.append(text.sliced(start));
            return lines;
        }
        lines.append(text.sliced(start, end - start));
        start = end + 1;
    }
}

ToolLines ToolRun::viewLines(const QStringList &lines)
{
    ToolLines views;
    views.reserve(lines.size());
    for (const QString &line : lines) {
        views.append(line);
    }
    return views;
}

QString ToolRun::joinLines(const ToolLines &lines, const QList<LineChange> &changes)
{
    qsizetype size = lines.size();
    for (const QStringView line : lines) {
        size += line.size();
    }
    for (const LineChange &change : changes) {
        size += change.text.size() - lines[change.index].size();
    }
    QString text;
    text.reserve(size);
    auto change = changes.cbegin();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += u'\n';
        }
        if (change != changes.cend() && change->index == i) {
            text += change->text;
            ++change;
        } else {
            text += lines[i];
        }
    }
    return text;
}

int ToolRun::percent(qsizetype index, qsizetype count)
{
    if (count <= 0) {
        return 0;
    }
    const qint64 scaled = qint64(index) * 100;
    qint64 whole = scaled / count;
    const qint64 twiceRest = 2 * (scaled % count);
    if (twiceRest > count || (twiceRest == count && whole % 2 == 1)) {
        ++whole;
    }
    return int(whole);
}
