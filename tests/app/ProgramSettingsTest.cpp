#include "app/ProgramSettings.h"

#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProgramSettingsTest : public ::testing::Test
{
protected:
    QString dir() const { return m_dir.path() + u'/'; }
    void writeTransfer(const QByteArray &text) { TestFiles::write(dir() + u"VORNTransfer.ini", text); }
    void writeEditor(const QByteArray &text) { TestFiles::write(dir() + u"VORNEditCNC.ini", text); }
    QTemporaryDir m_dir;
};

TEST_F(ProgramSettingsTest, ReadsBothFiles)
{
    writeTransfer("[DIRBD]\nVALUE=/srv/shop/machines.db\n[LANGUAGE]\nVALUE=ES\n[LOGO]\nENDERE\xC7O=/x/logo.png\n");
    QByteArray editor;
    const char *sections[] = {"CODA", "CODB", "CODC", "CODF", "CODG", "CODI", "CODJ", "CODK", "CODM", "CODN", "CODR",
                              "CODS", "CODT", "CODX", "CODY", "CODZ", "COD1", "COD2", "COD3", "COD4", "COD5", "COD6"};
    for (int i = 0; i < 22; ++i) {
        editor += QByteArray("[") + sections[i] + "]\nValor=" + QByteArray::number(1000 + i) + "\n";
    }
    editor += "[FONTE]\nTIPO=DejaVu Sans Mono\nTAMANHO=11\n";
    writeEditor(editor);

    const ProgramSettings s = loadProgramSettings(m_dir.path());
    EXPECT_EQ(s.ProgramDir, dir());
    EXPECT_EQ(s.DatabasePath, QStringLiteral("/srv/shop/machines.db"));
    EXPECT_EQ(s.LanguageCode, QStringLiteral("ES"));
    EXPECT_EQ(s.LogoPath, QStringLiteral("/x/logo.png"));
    EXPECT_EQ(s.HelpDir, dir() + u"Help/ES/");
    EXPECT_EQ(s.DecimalPoint, QChar(u'.'));
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(s.GCodeColours[i], 1000 + i) << "colour " << i;
    }
    EXPECT_EQ(s.EditorFontName, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(s.EditorFontSize, 11);
}

TEST_F(ProgramSettingsTest, PtbrIsReadAsPtDashBr)
{
    writeTransfer("[LANGUAGE]\nVALUE=PTBR\n");
    const ProgramSettings s = loadProgramSettings(m_dir.path());
    EXPECT_EQ(s.LanguageCode, QStringLiteral("PT-BR"));
    EXPECT_EQ(s.HelpDir, dir() + u"Help/PT-BR/");
}

TEST_F(ProgramSettingsTest, OnlyTheExactPtbrIsRewritten)
{
    writeTransfer("[LANGUAGE]\nVALUE=ptbr\n");
    EXPECT_EQ(loadProgramSettings(m_dir.path()).LanguageCode, QStringLiteral("ptbr"));
}

TEST_F(ProgramSettingsTest, MissingFilesLeaveEmptyAndZeroValues)
{
    const ProgramSettings s = loadProgramSettings(m_dir.path());
    EXPECT_TRUE(s.DatabasePath.isEmpty());
    EXPECT_TRUE(s.LanguageCode.isEmpty());
    EXPECT_EQ(s.HelpDir, dir() + u"Help//");
    EXPECT_TRUE(s.EditorFontName.isEmpty());
    EXPECT_EQ(s.EditorFontSize, 0);
    for (qint32 colour : s.GCodeColours) {
        EXPECT_EQ(colour, 0);
    }
}

TEST_F(ProgramSettingsTest, MissingKeysKeepEarlierValues)
{
    writeEditor("[CODG]\nValor=255\n[FONTE]\nTAMANHO=14\n");
    const ProgramSettings s = loadProgramSettings(m_dir.path());
    EXPECT_EQ(s.GCodeColours[4], 255);
    EXPECT_EQ(s.GCodeColours[0], 0);
    EXPECT_TRUE(s.EditorFontName.isEmpty());
    EXPECT_EQ(s.EditorFontSize, 14);
}

TEST(ShippedSettings, DefaultFilesGiveAReadableStart)
{
    const ProgramSettings s = loadProgramSettings(QStringLiteral(VORN_SOURCE_DIR "/resources/defaults"));
    EXPECT_EQ(s.LanguageCode, QStringLiteral("PT-BR"));
    EXPECT_EQ(s.EditorFontName, QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(s.EditorFontSize, 11);
    for (qint32 colour : s.GCodeColours) {
        EXPECT_GE(colour, 0);
        EXPECT_LE(colour, 0xFFFFFF);
    }
}

} // namespace
