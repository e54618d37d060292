#include "machines/SerialCodes.h"

namespace SerialCodes {

namespace {

template<typename Array> QStringList itemsOf(const Array &texts)
{
    QStringList items {QString()};
    for (const auto &text : texts) {
        items.append(text.toString());
    }
    return items;
}

} // namespace

qint32 baudRate(int code)
{
    return code >= 1 && code <= int(kBaudRates.size()) ? kBaudRates[code - 1] : 0;
}

int dataBits(int code)
{
    return code >= 1 && code <= int(kDataBits.size()) ? kDataBits[code - 1] : 0;
}

bool isParityCode(int code)
{
    return code >= 1 && code <= int(kParityTexts.size());
}

bool isStopBitsCode(int code)
{
    return code >= 1 && code <= int(kStopBitsTexts.size());
}

bool isFlowCode(int code)
{
    return code >= 1 && code <= int(kFlowTexts.size());
}

QString comPortName(int position)
{
    return position >= 1 && position <= kComPortCount ? u"COM" + QString::number(position) : QString();
}

int comPortPosition(QStringView name)
{
    for (int position = 1; position <= kComPortCount; ++position) {
        if (name.compare(comPortName(position), Qt::CaseInsensitive) == 0) {
            return position;
        }
    }
    return 0;
}

QStringList comPortItems()
{
    QStringList items {QString()};
    for (int position = 1; position <= kComPortCount; ++position) {
        items.append(comPortName(position));
    }
    return items;
}

QStringList speedItems()
{
    QStringList items {QString()};
    for (const qint32 rate : kBaudRates) {
        items.append(QString::number(rate));
    }
    items.append(QString());
    return items;
}

QStringList dataBitsItems()
{
    QStringList items {QString()};
    for (const int bits : kDataBits) {
        items.append(QString::number(bits));
    }
    return items;
}

QStringList parityItems()
{
    return itemsOf(kParityTexts);
}

QStringList stopBitsItems()
{
    return itemsOf(kStopBitsTexts);
}

QStringList flowItems()
{
    return itemsOf(kFlowTexts);
}

std::array<QStringView, 8> flowIndicators(int flowCode)
{
    constexpr QStringView off = u"Deshabilitado";
    switch (flowCode) {
    case int(SerialFlow::Hardware):
        return {off, u"Handshake", u"True", u"False", u"False", u"False", u"17", u"19"};
    case int(SerialFlow::None):
        return {off, off, u"False", u"False", u"False", u"False", u"17", u"19"};
    case int(SerialFlow::Software):
        return {off, off, u"False", u"False", u"False", u"True", u"17", u"19"};
    default: {
        constexpr QStringView blank = u"____________";
        return {blank, blank, blank, blank, blank, blank, blank, blank};
    }
    }
}

} // namespace SerialCodes
