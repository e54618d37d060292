#pragma once

#include "app/MessageKind.h"
#include "app/UserDialogs.h"

#include <QString>

class QWidget;

/// The message boxes of the program, all shown through UserDialogs.
namespace MessageBoxes {

/// Shows \a text titled "VORN Transfer - Vs.2.3.0" with the icon and buttons
/// its prefix names; a text without a known prefix (an empty catalogue) is
/// shown as \a unprefixed, so a question keeps its Yes and No.
UserDialogs::Answer show(QWidget *parent, const QString &text, MessageKind unprefixed = MessageKind::Information);

/// Asks a question; true when the answer is Yes.
bool ask(QWidget *parent, const QString &text);

/// The standard error box: the failing layer's own text under the application's title.
void showStandardError(QWidget *parent, const QString &text);

} // namespace MessageBoxes

/// Shows the no-document warning naming \a functionName when \a flag is 1.
void FUNC_Mensagem(QWidget *parent, int flag, const QString &functionName);
