#pragma once

#include <QByteArray>
#include <QString>

/// The 8-bit code page of the workstations and controllers (Windows-1252).
///
/// Decoding is total: the five bytes the code page leaves undefined (0x81, 0x8D,
/// 0x8F, 0x90, 0x9D) map to the control characters of the same value, so every
/// byte sequence decodes and encodes back to itself.
namespace Cp1252 {

QString decode(const QByteArray &bytes);

/// Encodes \a text; a character the code page cannot hold becomes "?".
/// \a lossless, when given, tells whether every character could be held.
QByteArray encode(const QString &text, bool *lossless = nullptr);

} // namespace Cp1252
