#include "tools/TranslateTool.h"

#include "i18n/Catalogue.h"
#include "tools/AxisWords.h"
#include "tools/StepBuffers.h"

#include <vector>

namespace {

struct AxisShift
{
    QChar letter;
    CncNumber offset;
};

} // namespace

ToolResult TranslateTool::run(const TranslateOptions &options, const ToolLines &lines, const ToolRange &range,
                              const ToolControl &control)
{
    ToolLogEntry log;
    log.title = T(u"Msg.Log.TranslateTitle");
    struct Axis
    {
        bool chosen;
        QChar letter;
        const QString &typed;
        QStringView logKey;
    };
    const Axis axes[] = {{options.x, u'X', options.xOffset, u"Msg.Log.TranslatedX"},
                         {options.y, u'Y', options.yOffset, u"Msg.Log.TranslatedY"},
                         {options.z, u'Z', options.zOffset, u"Msg.Log.TranslatedZ"}};
    std::vector<AxisShift> shifts;
    for (int i = 0; i < 3; ++i) {
        const Axis &axis = axes[i];
        if (!axis.chosen) {
            continue;
        }
        const QString text = offsetText(axis.typed);
        const std::optional<CncNumber> offset = readOffset(text, options.regionalSeparator);
        if (!offset) {
            return ToolRun::refuseOffset(text);
        }
        shifts.push_back({axis.letter, *offset});
        log.details[i] = T(axis.logKey) + u' ' + text;
    }

    LineTransform transform;
    if (!shifts.empty()) {
        const AxisWordOptions words {options.plus, options.regionalSeparator};
        transform = [shifts, words, steps = StepBuffers()](QStringView line, QString &out, LineFault &fault) mutable {
            steps.start(line);
            for (size_t i = 0; i + 1 < shifts.size(); ++i) {
                if (!AxisWords::AddOffset(steps.current(), shifts[i].letter, shifts[i].offset, words, steps.target(),
                                          fault)) {
                    return false;
                }
                steps.commit();
            }
            return AxisWords::AddOffset(steps.current(), shifts.back().letter, shifts.back().offset, words, out, fault);
        };
    }
    return ToolRun::run(lines, range, LineReading::Trimmed, transform, std::move(log), control);
}

QString TranslateTool::offsetText(const QString &typed)
{
    return typed.trimmed().isEmpty() ? QStringLiteral("0") : typed;
}

std::optional<CncNumber> TranslateTool::readOffset(const QString &typed, QChar regionalSeparator)
{
    return CncNumber::read(QStringView(offsetText(typed)).trimmed(), regionalSeparator, regionalSeparator == u'.');
}

QString TranslateTool::description()
{
    return T(u"Msg.Tools.ProgressTranslate");
}
