#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

/// Names of the G-code colours as the colour window shows them, and the
/// conversions between Windows colour values (0x00BBGGRR, red in the low
/// byte) and red, green and blue components.
namespace ColourNames {

/// One named colour of the table the colour window knows.
struct NamedColour
{
    qint32 value; ///< Windows colour value
    QStringView name; ///< for example "clMaroon"
};

/// The twenty named colours, in the order of their values' table.
const std::array<NamedColour, 20> &table();

/// The colour's name from the table, otherwise "$" and the value in eight
/// upper-case hexadecimal digits (for example "$000080FF").
QString colourName(qint32 value);

/// Reads what colourName() writes: a name of the table (case ignored), "$"
/// followed by one to eight hexadecimal digits, or a decimal integer. Blanks
/// around the text are ignored; anything else gives no value.
std::optional<qint32> parseColour(QStringView text);

/// Red, green and blue components, each 0 to 255.
struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb &, const Rgb &) = default;
};

/// The components of a plain Windows colour value; the high byte (a system or
/// palette colour flag) is ignored.
Rgb rgbOf(qint32 value);

/// The plain Windows colour value of three components (each taken modulo 256).
qint32 windowsColour(int red, int green, int blue);

} // namespace ColourNames
