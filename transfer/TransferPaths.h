#pragma once

#include <QString>

/// The FTP directory of a machine as the transfer uses it: trimmed, starting
/// and ending with "/" ("progs", "/progs" and "progs/" give "/progs/"; blanks give "/").
QString FtpNormaliseDirectory(const QString &directory);

/// A copy's target: the trimmed \a directory, exactly one "/", the trimmed \a name.
QString transferTargetPath(const QString &directory, const QString &name);
