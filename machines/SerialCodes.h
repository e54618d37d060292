#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

/// Parity of a serial line, by its stored code (SERIAL_PARIDADE).
enum class SerialParity { Even = 1, Mark, None, Odd, Space };

/// Stop bits of a serial line, by its stored code (SERIAL_BIT_PARADA); the
/// entry shown as "0" means one and a half stop bits.
enum class SerialStopBits { OneAndHalf = 1, One, Two };

/// Flow control of a serial line, by its stored code (SERIAL_FLUXO).
/// Custom keeps whatever flow settings the port already has.
enum class SerialFlow { Custom = 1, Hardware, None, Software };

/// The serial parameter codes as they are stored and listed: each code is the
/// 1-based position of its entry in the register window's lists.
namespace SerialCodes {

inline constexpr std::array<qint32, 15> kBaudRates
    = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
inline constexpr std::array<int, 4> kDataBits = {5, 6, 7, 8};
inline constexpr std::array<QStringView, 5> kParityTexts = {u"EVEN", u"MARK", u"NONE", u"ODD", u"SPACE"};
inline constexpr std::array<QStringView, 3> kStopBitsTexts = {u"0", u"1", u"2"};
inline constexpr std::array<QStringView, 4> kFlowTexts = {u"CUSTOM", u"HARDWARE", u"NONE", u"SOFTWARE"};
/// Port names run from "COM1" to this.
inline constexpr int kComPortCount = 12;

/// Baud rate of a speed code, or 0 for a code outside 1–15.
qint32 baudRate(int code);
/// Data bits of a code, or 0 for a code outside 1–4.
int dataBits(int code);
/// True when \a code is in its table (1-based).
bool isParityCode(int code);
bool isStopBitsCode(int code);
bool isFlowCode(int code);

/// "COM<n>" for 1 ≤ n ≤ 12, empty otherwise.
QString comPortName(int position);
/// The position (1–12) of a port name in the port list, compared without
/// regard to case; 0 when the name is not in the list.
int comPortPosition(QStringView name);

/// The entries of the register window's lists, each with its blank first
/// entry; the speed list also ends with a blank entry.
QStringList comPortItems();
QStringList speedItems();
QStringList dataBitsItems();
QStringList parityItems();
QStringList stopBitsItems();
QStringList flowItems();

/// The eight flow indicator texts (DTR control, RTS control, CTS output, DSR
/// output, DSR sense, XON/XOFF, XON character, XOFF character) shown for a
/// flow code; blanks of underscores for Custom and for no choice.
std::array<QStringView, 8> flowIndicators(int flowCode);

} // namespace SerialCodes
