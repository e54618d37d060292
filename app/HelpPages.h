#pragma once

#include <QString>

#include <functional>

/// Opens help pages with the desktop's viewer. A page that does not exist is
/// ignored, as is a viewer that fails. Tests replace the opener.
namespace HelpPages {

/// Opens \a helpDir + \a page when that file exists; returns whether it was handed on.
bool open(const QString &helpDir, const QString &page);

/// Replaces the viewer; an empty function restores the desktop's.
void setOpener(std::function<bool(const QString &path)> opener);

} // namespace HelpPages
