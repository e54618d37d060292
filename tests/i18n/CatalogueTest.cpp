#include "i18n/Catalogue.h"

#include "app/MessageKind.h"
#include "app/Messages.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QStringList kLanguages = {QStringLiteral("PT-BR"), QStringLiteral("EN"), QStringLiteral("ES")};

TEST(Catalogue, EveryLanguageHasTheSameKeys)
{
    // 513 texts came with the first release; later messages only add keys.
    const Catalogue catalogue;
    ASSERT_GE(catalogue.keys().size(), 513);
    EXPECT_EQ(catalogue.keys().first(), QStringLiteral("Form_Main.Caption"));
    EXPECT_TRUE(catalogue.keys().contains(QStringLiteral("Form_Screen.Label3")));
    const QSet<QString> keys(catalogue.keys().begin(), catalogue.keys().end());
    for (const QString &code : kLanguages) {
        const QHash<QString, QString> texts = Catalogue::readLanguage(code);
        const QStringList found = texts.keys();
        EXPECT_EQ(QSet<QString>(found.begin(), found.end()), keys) << code.toStdString();
    }
}

TEST(Catalogue, EnglishTextsKeepTheirExactForm)
{
    Catalogue c;
    ASSERT_TRUE(c.load(QStringLiteral("EN")));
    EXPECT_EQ(c.text(u"Form_Main.RibbonPage3"), QStringLiteral(" Edit CNC Program "));
    EXPECT_EQ(c.text(u"Msg.Main.NoOpenFile"), QStringLiteral("ATTENTION: No open File to apply the Function \""));
    EXPECT_EQ(c.text(u"Msg.File.ReplaceSuffix"), QStringLiteral("\"already exists. Would You Like to Replace File ?"));
    EXPECT_EQ(c.text(u"Msg.Log.SpacesTitle"), QStringLiteral("Add\\Remove Space"));
    EXPECT_EQ(c.text(u"Form_EDT_Progress.Label1"), QStringLiteral("0% "));
}

TEST(Catalogue, TitlesThatDifferByLanguage)
{
    Catalogue c;
    c.load(QStringLiteral("EN"));
    EXPECT_EQ(c.text(u"Form_EDT_COR.Caption"), QStringLiteral("Form_EDT_COR"));
    EXPECT_EQ(c.text(u"Form_Main.Caption"), QStringLiteral("VORN - Transfer"));
    c.load(QStringLiteral("ES"));
    EXPECT_EQ(c.text(u"Form_EDT_COR.Caption"), QStringLiteral("VORN - Transfer"));
    EXPECT_EQ(c.text(u"Form_Main.Caption"), QStringLiteral("VORN - Transfer"));
    c.load(QStringLiteral("PT-BR"));
    EXPECT_EQ(c.text(u"Form_EDT_COR.Caption"), QStringLiteral("Form_EDT_COR"));
    EXPECT_EQ(c.text(u"Form_Main.Caption"), QStringLiteral("VORN - Transfer"));
}

TEST(Catalogue, UnknownOrMiscasedCodeLeavesEveryTextEmpty)
{
    for (const QString &code : {QStringLiteral("FR"), QStringLiteral("en"), QStringLiteral("PTBR"), QString()}) {
        Catalogue c;
        c.load(QStringLiteral("EN"));
        EXPECT_FALSE(c.load(code));
        for (const QString &key : c.keys()) {
            ASSERT_TRUE(c.text(key).isEmpty()) << code.toStdString() << " " << key.toStdString();
        }
    }
}

TEST(Catalogue, TranslationsKeepBlanksQuotesAndPlaceholder)
{
    Catalogue en;
    en.load(QStringLiteral("EN"));
    for (const QString &code : {QStringLiteral("PT-BR"), QStringLiteral("ES")}) {
        Catalogue other;
        other.load(code);
        for (const QString &key : en.keys()) {
            const QString text = other.text(key);
            EXPECT_FALSE(text.isEmpty() && !en.text(key).isEmpty()) << code.toStdString() << " " << key.toStdString();
            EXPECT_EQ(text.contains(u"%s"), key == u"Msg.Search.ConfirmReplace") << key.toStdString();
            // Message kinds never change with the language.
            if (key.startsWith(u"Msg.")) {
                EXPECT_EQ(messageKindOf(text), messageKindOf(en.text(key)))
                    << code.toStdString() << " " << key.toStdString();
            }
        }
    }
}

TEST(Catalogue, ComposesMessagesFromPieces)
{
    Catalogue &c = Catalogue::current();
    c.load(QStringLiteral("EN"));
    EXPECT_EQ(c.text(u"Msg.Dir.SentPrefix") + u"/cnc/O1.nc" + c.text(u"Msg.Dir.SentSuffix"),
              QStringLiteral("INFORMATION: The File \"/cnc/O1.nc\" Successfully transferred."));
    EXPECT_EQ(Messages::noOpenFile(T(u"Msg.Main.FuncFind")),
              QStringLiteral("ATTENTION: No open File to apply the Function \"Find Text\"."));
    EXPECT_EQ(Messages::newDocumentName(1), QStringLiteral("New(1)"));
    c.load(QStringLiteral("PT-BR"));
    EXPECT_EQ(Messages::newDocumentName(1), QStringLiteral("Novo(1)"));
    c.load(QStringLiteral("ES"));
    EXPECT_EQ(Messages::newDocumentName(12), QStringLiteral("Nuevo(12)"));
    EXPECT_EQ(c.text(u"Msg.Main.MachineDirMissingPrefix"), QStringLiteral("ERROR: Directorio de máquina"));
}

TEST(Catalogue, ReplacesTheOnePlaceholderOnce)
{
    for (const QString &code : kLanguages) {
        Catalogue c;
        c.load(code);
        const QString question = c.format(u"Msg.Search.ConfirmReplace", QStringLiteral("G01 %s X"));
        EXPECT_TRUE(question.contains(u"G01 %s X")) << code.toStdString();
        EXPECT_EQ(question.count(u"%s"), 1) << "the search text itself is not expanded";
    }
}

} // namespace
