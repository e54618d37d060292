#pragma once

#include "editor/ProgramFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProgramEditor;
class QTabWidget;
class QWidget;

/// The documents of the editor pane: one tab and one editor per CNC program,
/// the active document, and the open, new, save, save as, save all and close
/// operations with their questions.
///
/// Tabs are named "TAB" + k and their editors "SMemo_TAB" + k, k counting every
/// tab ever created; an editor is always found from its tab by that name.
class EditorDocuments : public QObject
{
    Q_OBJECT

public:
    /// How a save ended.
    enum class SaveResult {
        Saved,       ///< written, modified flag cleared
        NotNeeded,   ///< nothing to write (no document, or not modified)
        Cancelled,   ///< the user cancelled a dialog or declined a question
        Failed,      ///< the file could not be written; the error was shown
    };

    /// \a currentFileName is the main window's active document name, kept up to date here.
    EditorDocuments(QTabWidget *tabs, QString &currentFileName, QWidget *dialogParent);

    int TabCount = 0;
    int NewDocumentCount = 0;
    QStringList NewDocumentList;

    /// Finds the tabs captioned \a name (activating each) or creates one.
    /// The catalogue's word "New" creates the next numbered new document.
    ProgramEditor *FUNC_Criar_SynMemo(const QString &name);
    /// Makes the tab at \a position the active document; negative empties the name.
    void FUNC_Selecionar_TAB_SynMemo(int position);

    /// Opens \a path into its tab (found or created) and loads it. Reloading a
    /// modified document asks first. Returns false when nothing was loaded.
    bool openFile(const QString &path);
    /// The "Open File" button: asks for a file, then openFile().
    void openFromDialog();
    /// The "New File" button.
    void newDocument();

    SaveResult FUNC_Salvar_Arquivo();
    SaveResult FUNC_Salvar_Arquivo_Como();
    /// Saves every modified document; the worst result of them all.
    SaveResult FUNC_Salvar_Arquivo_ALL();
    /// The "Close File" button. Returns false when the document stayed open.
    bool closeActive();

    ProgramEditor *activeEditor() const { return m_activeEditor; }
    QWidget *activeTab() const { return m_activeTab; }
    int count() const;
    ProgramEditor *editorAt(int position) const;
    QString captionAt(int position) const;
    /// Captions of the modified documents, in tab order.
    QStringList modifiedCaptions() const;
    bool isUnsavedNew(const QString &caption) const;

    /// Called for every editor created, to give it the font and highlighter.
    void setEditorSetup(std::function<void(ProgramEditor *)> setup) { m_setup = std::move(setup); }
    /// Visits every document in tab order, then re-activates the one that was active.
    void forEachEditor(const std::function<void(ProgramEditor *)> &visit);

Q_SIGNALS:
    /// The active document changed (another tab, a rename, or none).
    void activeDocumentChanged();

private:
    ProgramEditor *editorOfTab(QWidget *tab) const;
    bool load(ProgramEditor *editor, const QString &path);
    /// Writes \a editor's text to \a path; asks before losing characters.
    SaveResult saveTo(ProgramEditor *editor, const QString &path);
    /// Asks for a file name for the document captioned \a caption; asks again
    /// before replacing an existing file when \a confirmReplace. Empty when cancelled.
    QString askSavePath(const QString &caption);
    void rename(int position, const QString &path);

    QTabWidget *m_tabs;
    QString &m_currentFileName;
    QWidget *m_dialogParent;
    QWidget *m_activeTab = nullptr;
    ProgramEditor *m_activeEditor = nullptr;
    std::function<void(ProgramEditor *)> m_setup;
};
