#pragma once

#include "editor/SearchRun.h"
#include "editor/SearchSettings.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class ProgramEditor;
class QDialog;
class TConfirmReplaceDialog;
class TForm_Main;

/// Find and replace in the active document: the find and replace dialogs,
/// find next and previous, and the replace with its question about each
/// occurrence. It keeps the search settings and histories for the whole run.
class SearchReplace : public QObject
{
    Q_OBJECT

public:
    /// Shows a dialog modally and returns its result; tests replace it.
    using DialogRunner = std::function<int(QDialog &dialog)>;

    /// The find and replace of \a main's documents; it must not outlive \a main.
    explicit SearchReplace(TForm_Main &main);
    ~SearchReplace() override;

    /// Enables the find, find next, find previous and replace buttons of the
    /// ribbon and their actions, and connects them to this object.
    void connectTo(TForm_Main &main);

    /// Opens the find dialog, or the replace dialog when \a replace, and runs
    /// the search it is confirmed with.
    void OpenSearchDialog(bool replace);

    /// Runs the stored search in the active document: selects the next
    /// occurrence, or with \a replace asks about and replaces every one.
    /// Returns how many occurrences were found, or -1 when the search text is
    /// a regular expression with an error (which has been shown).
    int RunSearchReplace(bool replace, bool backwards);

    SearchSettings &settings() { return m_settings; }
    const SearchSettings &settings() const { return m_settings; }

    /// Replaces the way the find, replace and confirmation dialogs are shown;
    /// an empty runner restores QDialog::exec().
    void setDialogRunner(DialogRunner runner);

public Q_SLOTS:
    /// Find.
    void SpeedButton27Click();
    /// Find next.
    void SpeedButton28Click();
    /// Find previous.
    void SpeedButton29Click();
    /// Replace.
    void SpeedButton30Click();

private:
    /// Where a selection-only search found its last occurrence, so that the
    /// next one goes on inside the same selection.
    struct SelectionScope
    {
        QPointer<ProgramEditor> editor;
        qint64 start = 0;
        qint64 end = 0;
        qint64 matchStart = 0;
        qint64 matchEnd = 0;
    };

    /// The active editor, or nullptr after the no-document warning naming \a functionKey.
    ProgramEditor *activeEditorOrWarn(QStringView functionKey);
    /// Where to search in \a editor's text of \a textLength characters; \a inSelection
    /// tells whether the search is kept inside [\a limitStart, \a limitEnd), in bytes.
    SearchScope scopeFor(ProgramEditor *editor, qsizetype textLength, bool backwards, bool *inSelection,
                         qint64 *limitStart, qint64 *limitEnd);
    /// Asks about and replaces the run's occurrences as one undo step; returns how many were found.
    int replaceAll(ProgramEditor *editor, SearchRun &run, bool backwards);
    /// The answer to one occurrence, selected in \a editor from byte \a position.
    int confirm(ProgramEditor *editor, qint64 position);
    int runDialog(QDialog &dialog);

    TForm_Main &m_main;
    SearchSettings m_settings;
    SelectionScope m_selectionScope;
    std::unique_ptr<TConfirmReplaceDialog> m_confirmation;
    DialogRunner m_runDialog;
};
