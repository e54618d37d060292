#include "app/ProgramSettings.h"

#include "app/IniFile.h"
#include "app/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

using namespace SettingsKeys;

QString ProgramSettings::transferIniPath() const
{
    return ProgramDir + kTransferFile;
}

QString ProgramSettings::editorIniPath() const
{
    return ProgramDir + kEditorFile;
}

void FUNC_LeIni(ProgramSettings &settings)
{
    const IniFile ini(settings.transferIniPath());
    settings.DatabasePath = ini.readString(kDatabaseSection, kValue, settings.DatabasePath);
    settings.LogoPath = ini.readString(kLogoSection, kLogoAddress, settings.LogoPath);
    settings.LanguageCode = ini.readString(kLanguageSection, kValue, settings.LanguageCode);
}

void FUNC_LeIni_CNC(ProgramSettings &settings)
{
    if (!QFileInfo::exists(settings.editorIniPath())) {
        return;
    }
    const IniFile ini(settings.editorIniPath());
    for (std::size_t i = 0; i < kColourSections.size(); ++i) {
        settings.GCodeColours[i] = ini.readInteger(kColourSections[i], kColourValue, settings.GCodeColours[i]);
    }
    settings.EditorFontName = ini.readString(kFontSection, kFontName, settings.EditorFontName);
    settings.EditorFontSize = ini.readInteger(kFontSection, kFontSize, settings.EditorFontSize);
}

QString helpDirFor(const QString &programDir, const QString &languageCode)
{
    return programDir + u"Help/" + languageCode + u'/';
}

ProgramSettings loadProgramSettings(const QString &programDir)
{
    ProgramSettings settings;
    settings.ProgramDir = QDir::fromNativeSeparators(programDir);
    if (!settings.ProgramDir.endsWith(u'/')) {
        settings.ProgramDir += u'/';
    }
    settings.LogoPath.clear();
    FUNC_LeIni(settings);
    FUNC_LeIni_CNC(settings);
    if (settings.LanguageCode == u"PTBR") {
        settings.LanguageCode = QStringLiteral("PT-BR");
    }
    settings.HelpDir = helpDirFor(settings.ProgramDir, settings.LanguageCode);
    settings.DecimalPoint = u'.';
    return settings;
}
