#include "tools/SpacesTool.h"

#include "i18n/Catalogue.h"

#include <algorithm>

namespace {

/// "(", "{" and the upper-case address letters other than E, N, O, U, V, W.
bool receivesBlank(char16_t c)
{
    switch (c) {
    case u'(':
    case u'{':
    case u'A':
    case u'B':
    case u'C':
    case u'D':
    case u'F':
    case u'G':
    case u'H':
    case u'I':
    case u'J':
    case u'K':
    case u'L':
    case u'M':
    case u'P':
    case u'Q':
    case u'R':
    case u'S':
    case u'T':
    case u'X':
    case u'Y':
    case u'Z':
        return true;
    default:
        return false;
    }
}

} // namespace

ToolResult SpacesTool::run(const SpacesOptions &options, const ToolLines &lines, const ToolRange &range,
                           const ToolControl &control)
{
    ToolLogEntry log;
    log.title = T(u"Msg.Log.SpacesTitle");
    LineTransform transform;
    if (options.choice == SpacesChoice::Remove) {
        log.details[0] = T(u"Msg.Log.SpacesRemoved");
        transform = [](QStringView line, QString &out, LineFault &) {
            RemoveSpaces(line, out);
            return true;
        };
    } else if (options.choice == SpacesChoice::Add) {
        log.details[0] = T(u"Msg.Log.SpacesAdded");
        transform = [](QStringView line, QString &out, LineFault &) {
            AddSpaces(line, out);
            return true;
        };
    }
    return ToolRun::run(lines, range, LineReading::Trimmed, transform, std::move(log), control);
}

void SpacesTool::AddSpaces(QStringView line, QString &out)
{
    // Written through a pointer: at most one blank comes with each character.
    const qsizetype base = out.size();
    out.resize(base + 2 * line.size());
    QChar *const begin = out.data() + base;
    QChar *d = begin;
    const qsizetype n = line.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (c == u'#' || c == u'%') {
            break;
        }
        if (receivesBlank(c)) {
            *d++ = u' ';
        }
        *d++ = c;
        if (c == u'(' || c == u'{') {
            ++i;
            break;
        }
    }
    std::copy(line.begin() + i, line.end(), d);
    out.resize(base + (d - begin) + (n - i));
}

QString SpacesTool::AddSpaces(QStringView line)
{
    QString out;
    AddSpaces(line, out);
    return out;
}

void SpacesTool::RemoveSpaces(QStringView line, QString &out)
{
    const qsizetype base = out.size();
    out.resize(base + line.size());
    QChar *const begin = out.data() + base;
    QChar *d = begin;
    const qsizetype n = line.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = line[i].unicode();
        if (c == u'#' || c == u'%' || c == u'(' || c == u'{') {
            break;
        }
        if (c != u' ') {
            *d++ = c;
        }
    }
    std::copy(line.begin() + i, line.end(), d);
    out.resize(base + (d - begin) + (n - i));
}

QString SpacesTool::RemoveSpaces(QStringView line)
{
    QString out;
    RemoveSpaces(line, out);
    return out;
}

QString SpacesTool::description()
{
    return T(u"Msg.Tools.ProgressSpaces");
}
