#pragma once

#include <QStringView>

#include <array>

/// Names of the two settings files and of their sections and keys.
namespace SettingsKeys {

inline constexpr QStringView kTransferFile = u"VORNTransfer.ini";
inline constexpr QStringView kEditorFile = u"VORNEditCNC.ini";

inline constexpr QStringView kDatabaseSection = u"DIRBD";
inline constexpr QStringView kLanguageSection = u"LANGUAGE";
inline constexpr QStringView kLogoSection = u"LOGO";
inline constexpr QStringView kValue = u"VALUE";
inline constexpr QStringView kLogoAddress = u"ENDEREÇO";

/// Optional: the device each serial port name "COM1" … "COM12" stands for (keys COM1 … COM12).
inline constexpr QStringView kComPortsSection = u"COMPORTS";

/// The 22 G-code colour sections, in the order in which they are read.
inline constexpr std::array<QStringView, 22> kColourSections
    = {u"CODA", u"CODB", u"CODC", u"CODF", u"CODG", u"CODI", u"CODJ", u"CODK", u"CODM", u"CODN", u"CODR",
       u"CODS", u"CODT", u"CODX", u"CODY", u"CODZ", u"COD1", u"COD2", u"COD3", u"COD4", u"COD5", u"COD6"};
inline constexpr QStringView kColourValue = u"Valor";

inline constexpr QStringView kFontSection = u"FONTE";
inline constexpr QStringView kFontName = u"TIPO";
inline constexpr QStringView kFontSize = u"TAMANHO";

} // namespace SettingsKeys
