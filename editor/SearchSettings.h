#pragma once

#include <QString>

/// The find and replace settings of one run of the program: what the last
/// find or replace dialog was confirmed with, and the histories of the texts.
/// Never saved; everything is false or empty at start.
struct SearchSettings
{
    bool SearchBackwards = false; ///< direction chosen in the dialog
    bool SearchCaseSensitive = false;
    bool SearchFromCaret = false; ///< the dialog's box cbSearchFromCursor
    bool SearchSelectionOnly = false;
    bool SearchWholeWords = false;
    bool SearchRegex = false;
    QString SearchText;
    QString SearchTextHistory; ///< most recent first, CR LF between entries, at most 10
    QString ReplaceText;
    QString ReplaceTextHistory; ///< same form as SearchTextHistory
    bool ContinueFromCaret = false; ///< the next search starts at the caret
};
