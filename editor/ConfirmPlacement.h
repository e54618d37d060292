#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Where the replace confirmation goes (screen coordinates, its frame's top
/// left corner) so that it does not hide the occurrence it asks about.
///
/// \a match is the top left of the occurrence's first character, \a lineHeight
/// the height of its line, \a client the main window's client area and
/// \a dialog the confirmation's outer size. A dialog at least as wide as the
/// client area is centred on it; otherwise it starts at the occurrence, moved
/// left so as not to stick out on the right. It goes above the line when the
/// line's bottom lies lower than two thirds down the client area, else below.
QPoint confirmReplacePosition(const QPoint &match, int lineHeight, const QRect &client, const QSize &dialog);
