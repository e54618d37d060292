#include "machines/MachineForm.h"

#include "i18n/Catalogue.h"
#include "machines/CommunicationTests.h"
#include "machines/MachineMessages.h"
#include "machines/SerialCodes.h"

#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class MachineFormTest : public ::testing::Test
{
protected:
    void SetUp() override { Catalogue::current().load(QStringLiteral("EN")); }
};

/// A form that passes, for every transfer type.
MachineForm complete(int type)
{
    MachineForm form;
    form.Number = u"12"_s;
    form.Description = u"Mill"_s;
    form.PictureIndex = 7;
    form.ProgramsDir = u"/cnc/"_s;
    form.TransferTypeIndex = type;
    form.MachineDir = u"/mnt/mill/"_s;
    form.FtpHost = u"10.1.1.1"_s;
    form.FtpPort = u"21"_s;
    form.FtpUser = u"cnc"_s;
    form.FtpPassword = u"pw"_s;
    form.FtpDirectory = u"/progs/"_s;
    form.ComPortIndex = 1;
    form.SpeedIndex = 7;
    form.DataBitsIndex = 4;
    form.ParityIndex = 3;
    form.StopBitsIndex = 2;
    form.FlowIndex = 3;
    return form;
}

TEST_F(MachineFormTest, ChecksInTheWindowsOrderAndStopsAtTheFirstFailure)
{
    struct Case
    {
        int type;
        std::function<void(MachineForm &)> spoil;
        MachineField field;
        QString message;
    };
    const Case cases[] = {
        {1, [](MachineForm &f) { f = MachineForm {}; }, MachineField::Number,
         u"Please fill the \"Machine Number\" field."_s},
        {1, [](MachineForm &f) { f.Number = u"  "_s, f.Description.clear(); }, MachineField::Number,
         u"Please fill the \"Machine Number\" field."_s},
        {1, [](MachineForm &f) { f.Description = u" \t"_s, f.PictureIndex = 0; }, MachineField::Description,
         u"Please fill the \"Machine Description\" field."_s},
        {1, [](MachineForm &f) { f.PictureIndex = 0, f.ProgramsDir.clear(); }, MachineField::Picture,
         u"Please select the \"Picture Machine\" field."_s},
        {1, [](MachineForm &f) { f.ProgramsDir = u" "_s, f.TransferTypeIndex = 0; }, MachineField::ProgramsDir,
         u"Please fill the \"Directory of Programs\" field."_s},
        {0, [](MachineForm &f) { f.MachineDir.clear(); }, MachineField::TransferType,
         u"Please select the \"Transfer Type\" field."_s},
        {1, [](MachineForm &f) { f.MachineDir = u"  "_s; }, MachineField::MachineDir,
         u"Please fill the \"Directory\" field."_s},
        {2, [](MachineForm &f) { f.MachineDir.clear(); }, MachineField::MachineDir,
         u"Please fill the \"Directory\" field."_s},
        {3, [](MachineForm &f) { f.FtpHost.clear(), f.FtpPort.clear(); }, MachineField::FtpHost,
         u"Please fill the \"Host or IP\" field."_s},
        {3, [](MachineForm &f) { f.FtpPort = u" "_s, f.FtpUser.clear(); }, MachineField::FtpPort,
         u"Please fill the \"Port\" field."_s},
        {3, [](MachineForm &f) { f.FtpUser.clear(), f.FtpPassword.clear(); }, MachineField::FtpUser,
         u"Please fill the \"User\" field."_s},
        {3, [](MachineForm &f) { f.FtpPassword.clear(), f.FtpDirectory.clear(); }, MachineField::FtpPassword,
         u"Please fill the \"Password\" field."_s},
        {3, [](MachineForm &f) { f.FtpDirectory = u" "_s; }, MachineField::FtpDirectory,
         u"Please fill the \"Directory\" field."_s},
        {4, [](MachineForm &f) { f.ComPortIndex = 0, f.SpeedIndex = 0; }, MachineField::ComPort,
         u"Please select the \"COM Port\" field."_s},
        {4, [](MachineForm &f) { f.SpeedIndex = 0, f.FlowIndex = 0; }, MachineField::Speed,
         u"Please select the \"Speed\" field."_s},
        {4, [](MachineForm &f) { f.SpeedIndex = 16; }, MachineField::Speed,
         u"Please select the \"Speed\" field."_s}, // the blank entry at the end of the list
        {4, [](MachineForm &f) { f.DataBitsIndex = 0; }, MachineField::DataBits,
         u"Please select the \"Data Bits\" field."_s},
        {4, [](MachineForm &f) { f.ParityIndex = 0; }, MachineField::Parity, u"Please select the \"Parity\" field."_s},
        {4, [](MachineForm &f) { f.StopBitsIndex = 0; }, MachineField::StopBits,
         u"Please select the \"Stop Bits\" field."_s},
        {4, [](MachineForm &f) { f.FlowIndex = 0; }, MachineField::FlowControl,
         u"Please select the \"Flow Control\" field."_s},
    };
    for (const Case &c : cases) {
        MachineForm form = complete(c.type);
        c.spoil(form);
        const auto problem = validateMachineForm(form);
        ASSERT_TRUE(problem) << c.message.toStdString();
        EXPECT_EQ(problem->field, c.field) << c.message.toStdString();
        EXPECT_EQ(problem->message(), c.message);
        EXPECT_EQ(MachineMessages::validationFailed(*problem), u"INFORMATION: "_s + c.message);
    }
}

TEST_F(MachineFormTest, OnlyTheChosenTypesParametersCount)
{
    for (int type = 1; type <= 4; ++type) {
        EXPECT_FALSE(validateMachineForm(complete(type))) << type;
    }
    MachineForm ftp = complete(3);
    ftp.MachineDir.clear();
    ftp.ComPortIndex = 0;
    ftp.FtpPort = u"twenty-one"_s; // the port need not be a number to be saved
    EXPECT_FALSE(validateMachineForm(ftp));

    MachineForm serial = complete(4);
    serial.FtpHost.clear();
    serial.MachineDir.clear();
    EXPECT_FALSE(validateMachineForm(serial));
}

TEST_F(MachineFormTest, TheDirectoryTestNeedsADirectoryAndReportsWhetherItExists)
{
    QTemporaryDir dir;
    MachineForm form;
    form.MachineDir = u"   "_s;
    CommunicationTestResult result = testDirectoryCommunication(form);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_FALSE(result.focus);

    form.MachineDir = dir.path() + u"/ "_s;
    result = testDirectoryCommunication(form);
    EXPECT_TRUE(result.passed);
    EXPECT_EQ(result.message,
              u"INFORMATION: Test communication with Directory \""_s + dir.path() + u"/\" performed successfully."_s);

    form.MachineDir = dir.path() + u"/gone/"_s;
    result = testDirectoryCommunication(form);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.message,
              u"ERROR: Failed Test communication with Directory \""_s + dir.path()
                  + u"/gone/\".\nPlease check the parameters of Communication Directory."_s);
}

TEST_F(MachineFormTest, SerialListsAndFlowIndicators)
{
    using namespace SerialCodes;
    EXPECT_EQ(speedItems().size(), 17);
    EXPECT_EQ(speedItems().at(13), u"115200"_s);
    EXPECT_TRUE(speedItems().last().isEmpty());
    EXPECT_EQ(comPortItems().size(), 13);
    EXPECT_EQ(comPortItems().at(12), u"COM12"_s);
    EXPECT_EQ(comPortPosition(u"com7"), 7);
    EXPECT_EQ(comPortPosition(u"COM13"), 0);
    EXPECT_EQ(stopBitsItems(), QStringList({QString(), u"0"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(flowItems(), QStringList({QString(), u"CUSTOM"_s, u"HARDWARE"_s, u"NONE"_s, u"SOFTWARE"_s}));

    const std::array<QStringView, 8> hardware = flowIndicators(2);
    EXPECT_EQ(hardware[1], u"Handshake");
    EXPECT_EQ(hardware[2], u"True");
    EXPECT_EQ(hardware[5], u"False");
    EXPECT_EQ(flowIndicators(4)[5], u"True");
    EXPECT_EQ(flowIndicators(3)[1], u"Deshabilitado");
    for (const int code : {0, 1}) {
        for (const QStringView text : flowIndicators(code)) {
            EXPECT_EQ(text, u"____________");
        }
    }
}

} // namespace
