#include "tools/ArcCentreTool.h"

#include "i18n/Catalogue.h"
#include "tools/AxisWords.h"
#include "tools/StepBuffers.h"

namespace {

/// Moves \a coordinate to the value of the line's last \a letter word, if any.
bool follow(QStringView line, QChar letter, QChar regionalSeparator, CncNumber &coordinate, LineFault &fault)
{
    const QStringView value = AxisWords::ReadAxisValue(line, letter);
    if (value.isEmpty()) {
        return true;
    }
    const std::optional<CncNumber> number = CncNumber::read(value, regionalSeparator, true);
    if (!number) {
        fault = {LineFault::Kind::NotANumber, QString(letter) + value};
        return false;
    }
    coordinate = *number;
    return true;
}

bool convert(QStringView line, const ArcCentreOptions &options, ArcCentreTool::Position &position, StepBuffers &steps,
             QString &out, LineFault &fault)
{
    if (!follow(line, u'X', options.regionalSeparator, position.x, fault)
        || !follow(line, u'Y', options.regionalSeparator, position.y, fault)) {
        return false;
    }
    if (options.mode == ArcCentreMode::None) {
        out.append(line);
        return true;
    }
    const bool toAbsolute = options.mode == ArcCentreMode::ToAbsolute;
    const AxisWordOptions words {options.plus, options.regionalSeparator};
    steps.start(line);
    if (!AxisWords::ShiftByReference(line, u'I', position.x, toAbsolute, words, steps.target(), fault)) {
        return false;
    }
    steps.commit();
    return AxisWords::ShiftByReference(steps.current(), u'J', position.y, toAbsolute, words, out, fault);
}

} // namespace

ToolResult ArcCentreTool::run(const ArcCentreOptions &options, const ToolLines &lines, const ToolRange &range,
                              const ToolControl &control)
{
    ToolLogEntry log;
    log.title = T(u"Msg.Log.ConvertIJTitle");
    log.details[0] = options.mode == ArcCentreMode::ToAbsolute ? T(u"Msg.Log.ConvertedAbsolute")
                                                               : T(u"Msg.Log.ConvertedIncremental");
    LineTransform transform;
    if (options.mode != ArcCentreMode::None) {
        transform = [options, position = Position(), steps = StepBuffers()](QStringView line, QString &out,
                                                                            LineFault &fault) mutable {
            return convert(line, options, position, steps, out, fault);
        };
    }
    return ToolRun::run(lines, range, LineReading::Trimmed, transform, std::move(log), control);
}

bool ArcCentreTool::ConvertLine(QStringView line, const ArcCentreOptions &options, Position &position, QString &out,
                                LineFault &fault)
{
    StepBuffers steps;
    return convert(line, options, position, steps, out, fault);
}

QString ArcCentreTool::description()
{
    return T(u"Msg.Tools.ProgressConvertIJ");
}
