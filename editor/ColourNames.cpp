#include "editor/ColourNames.h"

namespace ColourNames {

const std::array<NamedColour, 20> &table()
{
    static const std::array<NamedColour, 20> colours = {{
        {0x00000000, u"clBlack"},  {0x00000080, u"clMaroon"},     {0x00008000, u"clGreen"},   {0x00008080, u"clOlive"},
        {0x00800000, u"clNavy"},   {0x00800080, u"clPurple"},     {0x00808000, u"clTeal"},    {0x00808080, u"clGray"},
        {0x00C0C0C0, u"clSilver"}, {0x00A4A0A0, u"clMedGray"},    {0x000000FF, u"clRed"},     {0x0000FF00, u"clLime"},
        {0x0000FFFF, u"clYellow"}, {0x00FF0000, u"clBlue"},       {0x00FF00FF, u"clFuchsia"}, {0x00FFFF00, u"clAqua"},
        {0x00FFFFFF, u"clWhite"},  {0x00C0DCC0, u"clMoneyGreen"}, {0x00F0CAA6, u"clSkyBlue"}, {0x00F0FBFF, u"clCream"},
    }};
    return colours;
}

QString colourName(qint32 value)
{
    for (const NamedColour &colour : table()) {
        if (colour.value == value) {
            return colour.name.toString();
        }
    }
    return u'$' + QStringLiteral("%1").arg(static_cast<quint32>(value), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<qint32> parseColour(QStringView text)
{
    const QStringView t = text.trimmed();
    for (const NamedColour &colour : table()) {
        if (t.compare(colour.name, Qt::CaseInsensitive) == 0) {
            return colour.value;
        }
    }
    bool ok = false;
    if (t.startsWith(u'$')) {
        const QStringView digits = t.mid(1);
        // Only plain hexadecimal digits: no sign, no "0x", no blanks inside.
        if (digits.isEmpty() || digits.size() > 8) {
            return std::nullopt;
        }
        for (QChar c : digits) {
            const char16_t u = c.unicode();
            if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'))) {
                return std::nullopt;
            }
        }
        const quint32 value = digits.toUInt(&ok, 16);
        return ok ? std::optional<qint32>(static_cast<qint32>(value)) : std::nullopt;
    }
    const qint32 value = t.toInt(&ok, 10);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

Rgb rgbOf(qint32 value)
{
    const auto v = static_cast<quint32>(value);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)};
}

qint32 windowsColour(int red, int green, int blue)
{
    const quint32 v = (static_cast<quint32>(red) & 0xFF) | ((static_cast<quint32>(green) & 0xFF) << 8)
        | ((static_cast<quint32>(blue) & 0xFF) << 16);
    return static_cast<qint32>(v);
}

} // namespace ColourNames
