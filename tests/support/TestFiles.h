#pragma once

#include <QByteArray>
#include <QString>

/// Small file helpers for tests.
namespace TestFiles {

QByteArray read(const QString &path);
void write(const QString &path, const QByteArray &bytes);

} // namespace TestFiles
