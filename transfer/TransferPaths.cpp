#include "transfer/TransferPaths.h"

QString FtpNormaliseDirectory(const QString &directory)
{
    QString result = directory.trimmed();
    if (!result.startsWith(u'/')) {
        result.prepend(u'/');
    }
    if (!result.endsWith(u'/')) {
        result.append(u'/');
    }
    return result;
}

QString transferTargetPath(const QString &directory, const QString &name)
{
    QString target = directory.trimmed();
    if (!target.endsWith(u'/')) {
        target += u'/';
    }
    return target + name.trimmed();
}
