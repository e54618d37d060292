#pragma once

#include "app/ProgramSettings.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeView;
class EditorDocuments;
class TSynSampleSyn;
class Ribbon;
class TForm_MSG;
struct ProgramWindows;

/// The main window: the ribbon of three pages, the pane each page shows, and
/// the status bar. It owns the settings values and the shared state of the
/// program; its first showing runs the start-up sequence.
class TForm_Main : public QMainWindow
{
    Q_OBJECT

public:
    /// The start-up steps that belong to the machine register and the file
    /// browser. A step left empty is skipped; listing all machines returns
    /// false when the database cannot be read, which ends start-up there.
    struct StartupSteps
    {
        std::function<bool()> listAllMachines;
        std::function<void()> searchMachines;
        std::function<void()> selectFirstMachine;
        std::function<void()> refreshFileListCaptions;
    };

    /// Creates the window and loads the settings of the program in \a programDir.
    TForm_Main(const QString &programDir, ProgramWindows &windows);

    ProgramSettings settings;
    StartupSteps startupSteps;
    /// Caption of the active document's tab (a path, or a new document's name).
    QString CurrentFileName;
    /// The one G-code scanner every editor colours with.
    std::shared_ptr<TSynSampleSyn> Highlighter;

    /// Makes a new scanner from the current colours and gives it to every open editor.
    void applyHighlighterColours();
    /// Gives the current editor font to every open editor.
    void applyEditorFont();

    /// Shows the pane of ribbon page 0, 1 or 2 and hides the other two.
    void FUNC_ViewRibbon(int page);
    /// Opens the help page of the visible pane.
    void Ribbon1HelpButtonClick();
    /// Adds one message-log entry for the active document.
    void FUNC_Historico(const QString &title, const QString &line1, const QString &line2, const QString &line3,
                        const QString &line4);
    /// Connects the message window's close button to the bottom panel.
    void setMessageWindow(TForm_MSG *messages);
    /// The "Mensagens" button: hides the message pane when shown, shows it otherwise.
    void SpeedButton25Click();

    Ribbon *ribbon() const { return m_ribbon; }
    QToolButton *ribbonButton(const QString &objectName) const;
    QAction *action(const QString &objectName) const;

    QWidget *fileBrowserPane() const { return m_panes[0]; }
    QWidget *machineListPane() const { return m_panes[1]; }
    QWidget *editorPane() const { return m_panes[2]; }
    QWidget *messagePanel() const { return m_messagePanel; }
    QTabWidget *documentTabs() const { return m_documents; }
    EditorDocuments &documents() const { return *m_editorDocuments; }

    /// The single text of the status bar.
    QString statusText() const;
    void setStatusText(const QString &text);

    /// Shows a machine in the summary above the folder tree: its picture (a
    /// null pixmap shows none) and its number, description, program directory
    /// and transfer type.
    void showMachineSummary(const QPixmap &picture, const QString &number, const QString &description,
                            const QString &programsDir, const QString &transferType);

    /// True once the start-up sequence has run to its end.
    bool startupCompleted() const { return m_startupCompleted; }

Q_SIGNALS:
    void startupFinished();

protected:
    void showEvent(QShowEvent *event) override;
    /// The unsaved-documents question; after Yes, a save that was cancelled
    /// or failed keeps the program open.
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void buildRibbon();
    void buildFileBrowserPane();
    void buildMachineListPane();
    void buildEditorPane();
    void buildActions();
    void wireDocuments();

    ProgramWindows &m_windows;
    Ribbon *m_ribbon = nullptr;
    QWidget *m_panes[3] = {};
    QWidget *m_messagePanel = nullptr;
    QSplitter *m_editorSplitter = nullptr;
    QTabWidget *m_documents = nullptr;
    EditorDocuments *m_editorDocuments = nullptr;
    QLabel *m_status = nullptr;
    bool m_shown = false;
    bool m_startupCompleted = false;
};
