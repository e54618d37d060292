#include "tools/MirrorTool.h"

#include "i18n/Catalogue.h"
#include "tools/AxisWords.h"
#include "tools/StepBuffers.h"

namespace {

bool isCodeChar(QChar c)
{
    return (c.unicode() >= u'0' && c.unicode() <= u'9') || c == u'.';
}

/// Applies ReplaceFirst to the current text of \a steps.
bool replaceStep(StepBuffers &steps, QStringView code, QStringView newCode)
{
    if (!MirrorTool::ReplaceFirst(steps.current(), code, newCode, steps.target())) {
        return false;
    }
    steps.commit();
    return true;
}

bool mirror(QStringView line, const MirrorOptions &options, StepBuffers &steps, QString &out, LineFault &fault)
{
    const AxisWordOptions words {options.plus, options.regionalSeparator};
    steps.start(line);
    if (options.x) {
        if (!AxisWords::NegateValue(steps.current(), u'X', words, steps.target(), fault)) {
            return false;
        }
        steps.commit();
    }
    if (options.y) {
        if (!AxisWords::NegateValue(steps.current(), u'Y', words, steps.target(), fault)) {
            return false;
        }
        steps.commit();
    }
    // The second direction of each pair only applies to a line the first
    // left unchanged, which makes choosing both a swap.
    bool arcSwapped = false;
    if (options.swapG02) {
        arcSwapped = replaceStep(steps, u"G02", u"G03");
        arcSwapped = replaceStep(steps, u"G2", u"G3") || arcSwapped;
    }
    if (!arcSwapped && options.swapG03) {
        replaceStep(steps, u"G03", u"G02");
        replaceStep(steps, u"G3", u"G2");
    }
    bool compensationSwapped = false;
    if (options.swapG41) {
        compensationSwapped = replaceStep(steps, u"G41", u"G42");
    }
    if (!compensationSwapped && options.swapG42) {
        replaceStep(steps, u"G42", u"G41");
    }
    out.append(steps.current());
    return true;
}

} // namespace

ToolResult MirrorTool::run(const MirrorOptions &options, const ToolLines &lines, const ToolRange &range,
                           const ToolControl &control)
{
    ToolLogEntry log;
    log.title = T(u"Msg.Log.MirrorTitle");
    auto pair = [](bool first, QStringView firstKey, bool second, QStringView secondKey) -> QString {
        return (first ? T(firstKey) : QString()) + (second ? T(secondKey) : QString());
    };
    log.details[0] = pair(options.x, u"Msg.Log.MirroredX", options.y, u"Msg.Log.MirroredY");
    log.details[1] = pair(options.swapG02, u"Msg.Log.SwappedG02", options.swapG03, u"Msg.Log.SwappedG03");
    log.details[2] = pair(options.swapG41, u"Msg.Log.SwappedG41", options.swapG42, u"Msg.Log.SwappedG42");

    LineTransform transform;
    if (options.x || options.y || options.swapG02 || options.swapG03 || options.swapG41 || options.swapG42) {
        transform = [options, steps = StepBuffers()](QStringView line, QString &out, LineFault &fault) mutable {
            return mirror(line, options, steps, out, fault);
        };
    }
    return ToolRun::run(lines, range, LineReading::Trimmed, transform, std::move(log), control);
}

bool MirrorTool::MirrorLine(QStringView line, const MirrorOptions &options, QString &out, LineFault &fault)
{
    StepBuffers steps;
    return mirror(line, options, steps, out, fault);
}

bool MirrorTool::ReplaceFirst(QStringView line, QStringView code, QStringView newCode, QString &out)
{
    const QChar letter = code.front();
    const QStringView number = code.sliced(1);
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (AxisWords::isStopChar(c)) {
            return false;
        }
        if (c != letter) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < n && isCodeChar(line[end])) {
            ++end;
        }
        if (line.sliced(i + 1, end - i - 1) == number) {
            out.append(line.first(i));
            out.append(newCode);
            out.append(line.sliced(end));
            return true;
        }
        i = end - 1;
    }
    return false;
}

QString MirrorTool::description()
{
    return T(u"Msg.Tools.ProgressMirror");
}
