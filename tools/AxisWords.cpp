#include "tools/AxisWords.h"

bool AxisWords::RewriteAxisWords(QStringView line, QChar letter, const Operation &operation,
                                 const AxisWordOptions &options, QString &out, LineFault &fault)
{
    bool plus = options.plus;
    const qsizetype n = line.size();
    qsizetype copied = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (isStopChar(c)) {
            break;
        }
        if (c != letter) {
            continue;
        }
        const qsizetype end = valueEnd(line, i + 1);
        if (end == i + 1) {
            continue;
        }
        const QStringView value = line.sliced(i + 1, end - i - 1);
        if (value.contains(u'+')) {
            plus = true;
        }
        const std::optional<CncNumber> x = CncNumber::read(value, options.regionalSeparator, true);
        if (!x) {
            fault = {LineFault::Kind::NotANumber, line.sliced(i, end - i).toString()};
            return false;
        }
        const CncNumber y = operation.negate ? -*x : *x + operation.addend;
        out.append(line.sliced(copied, i + 1 - copied));
        if (plus && !y.isNegative()) {
            out += u'+';
        }
        y.appendText(out);
        copied = end;
        i = end - 1;
    }
    out.append(line.sliced(copied));
    return true;
}

bool AxisWords::ShiftByReference(QStringView line, QChar letter, const CncNumber &reference, bool toAbsolute,
                                 const AxisWordOptions &options, QString &out, LineFault &fault)
{
    return RewriteAxisWords(line, letter, {false, toAbsolute ? reference : -reference}, options, out, fault);
}

bool AxisWords::AddOffset(QStringView line, QChar letter, const CncNumber &offset, const AxisWordOptions &options,
                          QString &out, LineFault &fault)
{
    return RewriteAxisWords(line, letter, {false, offset}, options, out, fault);
}

bool AxisWords::NegateValue(QStringView line, QChar letter, const AxisWordOptions &options, QString &out,
                            LineFault &fault)
{
    return RewriteAxisWords(line, letter, {true, {}}, options, out, fault);
}

QStringView AxisWords::ReadAxisValue(QStringView line, QChar letter)
{
    QStringView value;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (isStopChar(c)) {
            break;
        }
        if (c == letter) {
            const qsizetype end = valueEnd(line, i + 1);
            if (end > i + 1) {
                value = line.sliced(i + 1, end - i - 1);
            }
            i = end - 1;
        }
    }
    return value;
}
