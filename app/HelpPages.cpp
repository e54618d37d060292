#include "app/HelpPages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
std::function<bool(const QString &)> &opener()
{
    static std::function<bool(const QString &)> current;
    return current;
}
} // namespace

namespace HelpPages {

bool open(const QString &helpDir, const QString &page)
{
    const QString path = helpDir + page;
    if (page.isEmpty() || !QFileInfo(path).isFile()) {
        return false;
    }
    if (opener()) {
        return opener()(path);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setOpener(std::function<bool(const QString &)> o)
{
    opener() = std::move(o);
}

} // namespace HelpPages
