#pragma once

#include <QList>

class Catalogue;
class QWidget;

/// Writes the catalogue's caption texts into the windows, found by object name.
///
/// A key "W.C" goes to control C of window W ("W.Caption" is W's title bar);
/// "W.C.ColumnN" is heading N of list view C; "W.C.ItemN" item N of combo box C,
/// whose list is rebuilt (missing items empty) and left without a selection;
/// "W.C.Hint" button C's tool tip. Any other third part names a mode text that
/// the window sets itself when it opens in that mode, and is left alone here.
/// Icon-only (speed) buttons receive only their tool tip.
void ApplyLanguage(const QList<QWidget *> &windows, const Catalogue &catalogue);
