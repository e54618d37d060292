#pragma once

#include <QString>

class QWidget;

/// ShellCopy with the user in the loop: a progress window with Cancel for long
/// copies, the Yes/No question before an existing target is replaced, and a
/// message naming the path and the system's reason when the copy fails.
namespace ShellCopyDialog {

/// Copies \a source (file or folder) into \a destinationFolder; true when the
/// whole copy is in place.
bool copyInto(QWidget *parent, const QString &source, const QString &destinationFolder);

/// Copies \a source to the full path \a target; true when the whole copy is in place.
bool copyTo(QWidget *parent, const QString &source, const QString &target);

} // namespace ShellCopyDialog
