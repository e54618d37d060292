#include "app/Messages.h"

#include "i18n/Catalogue.h"

namespace Messages {

QString noOpenFile(const QString &functionName)
{
    return T(u"Msg.Main.NoOpenFile") + functionName + u"\".";
}

QString newDocumentName(int number)
{
    return T(u"Msg.Main.New") + u'(' + QString::number(number) + u')';
}

} // namespace Messages
