#pragma once

#include "tools/ToolRun.h"

#include <QDialog>

#include <functional>

class ProgramEditor;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class Ribbon;
class TForm_EDT_Progress;
class TForm_Main;
class ToolSpinBox;

/// A tool's work as its window hands it to the run: the tool over the lines
/// of a document, with the options read from the window.
struct ToolJob
{
    std::function<ToolResult(const ToolLines &lines, const ToolRange &range, const ToolControl &control)> run;
    /// False when the options leave the tool nothing to do: no line is visited.
    bool visitsLines = true;
};

/// What the five CNC program tool windows share: the ribbon strip with its
/// help button, the line-range group, Apply and Cancel, the opening with the
/// no-document warning, and the run that hands the tool to the progress
/// window and applies a completed result to the active document as one undo
/// step with one log entry. The tool runs on a worker thread, so a large
/// document never holds up the windows.
///
/// Windows are created once; their options and range stay as the user left
/// them from one opening to the next.
class ToolWindow : public QDialog
{
    Q_OBJECT

public:
    /// The tool's ribbon button: the no-document warning, or prepare() and
    /// the modal show.
    void open() override;

    /// Everything open() does before the modal show. Returns false, after the
    /// warning naming the tool, when no document is open.
    bool prepare();

    /// The window the runs show their progress in.
    void setProgressWindow(TForm_EDT_Progress *progress) { m_progress = progress; }

    /// The range the range group describes.
    ToolRange range() const;

    /// How the last run ended (Completed before any run).
    ToolStatus lastStatus() const { return m_lastStatus; }

    /// Moves \a window to the middle of the screen \a reference is on.
    static void centreOnScreen(QWidget *window, const QWidget *reference);

    /// Shows \a control's caption in the grey text colour, or in the normal one.
    static void setCaptionGrey(QWidget *control, bool grey);
    /// True when \a control's caption is grey.
    static bool isCaptionGrey(const QWidget *control);

    /// The decimal separator of the user's regional settings.
    static QChar regionalSeparator();

Q_SIGNALS:
    /// A run has ended and its result has been dealt with.
    void runFinished(ToolStatus status);

protected:
    /// The texts and names that make one tool window.
    struct Identity
    {
        QString objectName; ///< "Form_EDT1" …
        QString designTitle; ///< the Portuguese title bar text
        QString designRibbon; ///< the Portuguese ribbon caption
        QString designGroup; ///< the Portuguese caption of the options group
        QString groupName; ///< object name of the options group
        QStringView ribbonKey; ///< catalogue key of the ribbon caption set on opening
        QStringView functionKey; ///< catalogue key of the tool's name in the warning
        QString helpPage; ///< "func05.4.html" …
    };

    ToolWindow(TForm_Main &main, const Identity &identity);

    /// The options group, placed above the range group.
    QGroupBox *optionsGroup() const { return m_options; }

    /// A check box of the options group, unchecked, whose caption is grey
    /// while it is not checked.
    QCheckBox *addCheckBox(const QString &objectName, const QString &designText);
    /// A caption as an accessible name: without its accelerator mark and
    /// surrounding blanks.
    static QString accessibleText(QString caption);

    /// Step before the run, while the window is still shown.
    virtual void prepareRun() { }
    /// The tool with the options as the window shows them.
    virtual ToolJob job() const = 0;
    /// The text of the progress window's status bar while the tool runs.
    virtual QString description() const = 0;
    /// Gives the fields without a caption of their own the name of the
    /// caption beside them; called whenever the window is shown.
    virtual void updateAccessibleNames();

    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

    TForm_Main &m_main;

private:
    void BitBtn1Click();
    void RadioButton4Toggled(bool checked);
    /// Deals with a finished run over the \a lineCount lines of \a editor;
    /// \a newText is the whole new text when many lines changed.
    void finishRun(ProgramEditor *editor, qsizetype lineCount, const QByteArray &newText, const ToolJob &job,
                   const ToolRange &range, const ToolResult &result);
    /// Writes \a changes into \a editor line by line, as one undo step.
    static void replaceLines(ProgramEditor *editor, const QList<LineChange> &changes);
    /// Replaces the whole text of \a editor by \a text, as one undo step.
    static void replaceText(ProgramEditor *editor, const QByteArray &text);
    /// Puts the caret where the run left the view.
    static void placeCaret(ProgramEditor *editor, const ToolRange &range, qsizetype lineCount);
    /// Marks \a editor modified without changing its text.
    static void markModified(ProgramEditor *editor);

    Identity m_identity;
    Ribbon *m_ribbon;
    QGroupBox *m_options;
    QRadioButton *m_whole;
    QRadioButton *m_lines;
    ToolSpinBox *m_first;
    QLabel *m_up;
    ToolSpinBox *m_last;
    QPushButton *m_apply;
    QPushButton *m_cancel;
    TForm_EDT_Progress *m_progress = nullptr;
    ToolStatus m_lastStatus = ToolStatus::Completed;
};
