#pragma once

#include <QString>

#include <array>

/// The process-wide settings values, loaded once at start-up from the two
/// settings files next to the executable. Before loading every text is empty
/// and every number 0; a missing key leaves its value as it was.
struct ProgramSettings
{
    QString ProgramDir; ///< directory of the executable, ending in "/"
    QString DatabasePath; ///< machine database file
    QString LanguageCode; ///< "PT-BR", "EN" or "ES"
    QString HelpDir; ///< ProgramDir + "Help/" + LanguageCode + "/"
    QString LogoPath;
    std::array<qint32, 22> GCodeColours {}; ///< Windows colour values 0x00BBGGRR
    QString EditorFontName;
    int EditorFontSize = 0;
    QChar DecimalPoint;

    QString transferIniPath() const;
    QString editorIniPath() const;
};

/// Reads VORNTransfer.ini into DatabasePath, LogoPath and LanguageCode.
void FUNC_LeIni(ProgramSettings &settings);

/// Reads VORNEditCNC.ini, when it exists, into the colours and the editor font.
void FUNC_LeIni_CNC(ProgramSettings &settings);

/// The help directory of a language: ProgramDir + "Help/" + code + "/".
QString helpDirFor(const QString &programDir, const QString &languageCode);

/// All settings steps of start-up, in order, for the program in \a programDir.
ProgramSettings loadProgramSettings(const QString &programDir);
