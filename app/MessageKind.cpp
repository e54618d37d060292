#include "app/MessageKind.h"

#include <array>
#include <utility>

std::optional<MessageKind> messageKindOf(const QString &text)
{
    // The word before the first colon; some translations drop the blank after it.
    static const std::array<std::pair<QStringView, MessageKind>, 11> prefixes = {{
        {u"ERROR", MessageKind::Error},
        {u"ERRO", MessageKind::Error},
        {u"INFORMATION", MessageKind::Information},
        {u"INFORMAÇÃO", MessageKind::Information},
        {u"INFORMACIÓN", MessageKind::Information},
        {u"QUESTION", MessageKind::Question},
        {u"PERGUNTA", MessageKind::Question},
        {u"PREGUNTA", MessageKind::Question},
        {u"ATTENTION", MessageKind::Attention},
        {u"ATENÇÃO", MessageKind::Attention},
        {u"ATENCIÓN", MessageKind::Attention},
    }};
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0) {
        return std::nullopt;
    }
    const QStringView word = QStringView(text).left(colon);
    for (const auto &[prefix, kind] : prefixes) {
        if (word == prefix) {
            return kind;
        }
    }
    return std::nullopt;
}
