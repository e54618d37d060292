#include "tools/RenumberTool.h"

#include "i18n/Catalogue.h"

#include <algorithm>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

/// Reads a run of digits; false when its value passes \a limit.
bool readWholeNumber(QStringView digits, qint64 limit, qint64 &value)
{
    value = 0;
    for (const QChar c : digits) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit) {
            return false;
        }
    }
    return true;
}

} // namespace

ToolResult RenumberTool::run(const RenumberOptions &options, const ToolLines &lines, const ToolRange &range,
                             const ToolControl &control)
{
    RenumberOptions effective = options;
    effective.digits = std::clamp(options.digits, 0, kMaxDigits);
    effective.start = std::clamp(options.start, 0, kMaxSpinValue);
    effective.increment = std::clamp(options.increment, 1, kMaxSpinValue);

    ToolLogEntry log;
    log.title = T(u"Msg.Log.RenumberTitle");
    if (effective.digits > 0) {
        log.details[0] = T(u"Msg.Log.RenumberDigits") + u' ' + T(u"Msg.Log.RenumberDigitsValue") + u' '
            + QString::number(effective.digits);
    }
    if (effective.renumber) {
        log.details[1] = T(u"Msg.Log.Renumbered");
        log.details[2] = T(u"Msg.Log.RenumberStart") + QString::number(effective.start)
            + T(u"Msg.Log.RenumberIncrement") + QString::number(effective.increment);
    }

    LineTransform transform;
    if (effective.digits > 0 || effective.renumber) {
        // The first numbered line receives the start value.
        qint32 blockNumber = effective.start - effective.increment;
        transform = [effective, blockNumber](QStringView line, QString &out, LineFault &fault) mutable {
            return RenumberLine(line, effective, blockNumber, out, fault);
        };
    }
    return ToolRun::run(lines, range, LineReading::UntrimmedSkippingBlank, transform, std::move(log), control);
}

bool RenumberTool::RenumberLine(QStringView line, const RenumberOptions &options, qint32 &BlockNumber, QString &out,
                                LineFault &fault)
{
    auto keepLine = [&] {
        out.append(line);
        return true;
    };
    // A line with a macro variable or a tape mark is not a block to number.
    if (line.contains(u'#') || line.contains(u'%')) {
        return keepLine();
    }
    qsizetype lead = 0;
    while (lead < line.size() && line[lead].isSpace()) {
        ++lead;
    }
    QStringView number;
    QStringView rest = line;
    QStringView blanks;
    if (lead < line.size() && line[lead] == u'N') {
        qsizetype end = lead + 1;
        while (end < line.size() && isDigit(line[end])) {
            ++end;
        }
        if (end == lead + 1) {
            return keepLine();
        }
        number = line.sliced(lead + 1, end - lead - 1);
        blanks = line.first(lead);
        rest = line.sliced(end);
    } else if (line.isEmpty() || !isBlockNumberStarter(line[0])) {
        return keepLine();
    }

    qint64 value = 0;
    if (options.renumber) {
        value = qint64(BlockNumber) + options.increment;
    } else if (number.isEmpty()) {
        value = 0;
    } else if (!readWholeNumber(number, std::numeric_limits<qint32>::max(), value)) {
        fault = {LineFault::Kind::BlockNumberTooLarge, line.toString()};
        return false;
    }
    if (value > std::numeric_limits<qint32>::max()) {
        fault = {LineFault::Kind::BlockNumberTooLarge, line.toString()};
        return false;
    }
    BlockNumber = qint32(value);

    // "N", the padding zeros and the digits, written from the end.
    char16_t text[32];
    char16_t *p = text + sizeof text / sizeof *text;
    int count = 0;
    qint64 rest64 = value;
    do {
        *--p = char16_t(u'0' + rest64 % 10);
        rest64 /= 10;
        ++count;
    } while (rest64 > 0);
    for (; count < options.digits; ++count) {
        *--p = u'0';
    }
    *--p = u'N';
    out.append(reinterpret_cast<const QChar *>(p), text + sizeof text / sizeof *text - p);
    // The blanks before the old "N" word end up after the new number.
    out += blanks;
    out += rest;
    return true;
}

bool RenumberTool::isBlockNumberStarter(QChar c)
{
    switch (c.unicode()) {
    case u'(':
    case u'A':
    case u'B':
    case u'C':
    case u'F':
    case u'G':
    case u'I':
    case u'J':
    case u'K':
    case u'M':
    case u'R':
    case u'S':
    case u'T':
    case u'X':
    case u'Y':
    case u'Z':
        return true;
    default:
        return false;
    }
}

QString RenumberTool::description()
{
    return T(u"Msg.Tools.ProgressRenumber");
}
