#include "app/MessageBoxes.h"

#include "app/Messages.h"

namespace MessageBoxes {

UserDialogs::Answer show(QWidget *parent, const QString &text, MessageKind unprefixed)
{
    const MessageKind kind = messageKindOf(text).value_or(unprefixed);
    return UserDialogs::instance().message(parent, kind, Messages::kBoxTitle.toString(), text);
}

bool ask(QWidget *parent, const QString &text)
{
    return show(parent, text, MessageKind::Question) == UserDialogs::Answer::Yes;
}

void showStandardError(QWidget *parent, const QString &text)
{
    UserDialogs::instance().message(parent, MessageKind::Error, Messages::kApplicationTitle.toString(), text);
}

} // namespace MessageBoxes

void FUNC_Mensagem(QWidget *parent, int flag, const QString &functionName)
{
    if (flag == 1) {
        MessageBoxes::show(parent, Messages::noOpenFile(functionName), MessageKind::Attention);
    }
}
