#include "machines/MachineForm.h"

#include "i18n/Catalogue.h"
#include "machines/SerialCodes.h"

namespace {

bool blank(const QString &text)
{
    return text.trimmed().isEmpty();
}

} // namespace

PathParameters MachineForm::pathParameters() const
{
    return {MachineDir};
}

FtpParameters MachineForm::ftpParameters() const
{
    return {FtpDirectory, FtpHost, FtpUser, FtpPassword, FtpPort};
}

SerialParameters MachineForm::serialParameters() const
{
    return {SpeedIndex,
            DataBitsIndex,
            ParityIndex,
            StopBitsIndex,
            CrLf ? 1 : 0,
            FlowIndex,
            SerialCodes::comPortName(ComPortIndex)};
}

QString MachineFormProblem::message() const
{
    return T(messageKey);
}

std::optional<MachineField> firstEmptyFtpField(const MachineForm &form)
{
    if (blank(form.FtpHost)) {
        return MachineField::FtpHost;
    }
    if (blank(form.FtpPort)) {
        return MachineField::FtpPort;
    }
    if (blank(form.FtpUser)) {
        return MachineField::FtpUser;
    }
    if (blank(form.FtpPassword)) {
        return MachineField::FtpPassword;
    }
    if (blank(form.FtpDirectory)) {
        return MachineField::FtpDirectory;
    }
    return std::nullopt;
}

std::optional<MachineField> firstUnchosenSerialField(const MachineForm &form)
{
    using namespace SerialCodes;
    if (comPortName(form.ComPortIndex).isEmpty()) {
        return MachineField::ComPort;
    }
    if (baudRate(form.SpeedIndex) == 0) {
        return MachineField::Speed;
    }
    if (dataBits(form.DataBitsIndex) == 0) {
        return MachineField::DataBits;
    }
    if (!isParityCode(form.ParityIndex)) {
        return MachineField::Parity;
    }
    if (!isStopBitsCode(form.StopBitsIndex)) {
        return MachineField::StopBits;
    }
    if (!isFlowCode(form.FlowIndex)) {
        return MachineField::FlowControl;
    }
    return std::nullopt;
}

std::optional<MachineFormProblem> validateMachineForm(const MachineForm &form)
{
    if (blank(form.Number)) {
        return MachineFormProblem {MachineField::Number, u"Msg.Machine.FillNumber"};
    }
    if (blank(form.Description)) {
        return MachineFormProblem {MachineField::Description, u"Msg.Machine.FillDescription"};
    }
    if (form.PictureIndex < 1 || form.PictureIndex > 7) {
        return MachineFormProblem {MachineField::Picture, u"Msg.Machine.SelectPicture"};
    }
    if (blank(form.ProgramsDir)) {
        return MachineFormProblem {MachineField::ProgramsDir, u"Msg.Machine.FillProgramsDir"};
    }
    switch (form.transferKind()) {
    case TransferKind::None:
        return MachineFormProblem {MachineField::TransferType, u"Msg.Machine.SelectTransferType"};
    case TransferKind::LocalDirectory:
    case TransferKind::NetworkDirectory:
        if (blank(form.MachineDir)) {
            return MachineFormProblem {MachineField::MachineDir, u"Msg.Machine.FillDirectory"};
        }
        break;
    case TransferKind::Ftp:
        if (const auto field = firstEmptyFtpField(form)) {
            switch (*field) {
            case MachineField::FtpHost:
                return MachineFormProblem {*field, u"Msg.Machine.FillHost"};
            case MachineField::FtpPort:
                return MachineFormProblem {*field, u"Msg.Machine.FillPort"};
            case MachineField::FtpUser:
                return MachineFormProblem {*field, u"Msg.Machine.FillUser"};
            case MachineField::FtpPassword:
                return MachineFormProblem {*field, u"Msg.Machine.FillPassword"};
            default:
                return MachineFormProblem {*field, u"Msg.Machine.FillFtpDirectory"};
            }
        }
        break;
    case TransferKind::Serial:
        if (const auto field = firstUnchosenSerialField(form)) {
            switch (*field) {
            case MachineField::ComPort:
                return MachineFormProblem {*field, u"Msg.Machine.SelectComPort"};
            case MachineField::Speed:
                return MachineFormProblem {*field, u"Msg.Machine.SelectSpeed"};
            case MachineField::DataBits:
                return MachineFormProblem {*field, u"Msg.Machine.SelectDataBits"};
            case MachineField::Parity:
                return MachineFormProblem {*field, u"Msg.Machine.SelectParity"};
            case MachineField::StopBits:
                return MachineFormProblem {*field, u"Msg.Machine.SelectStopBits"};
            default:
                return MachineFormProblem {*field, u"Msg.Machine.SelectFlowControl"};
            }
        }
        break;
    }
    return std::nullopt;
}
