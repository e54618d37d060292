#include "tools/ToolWindow.h"

#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/Ribbon.h"
#include "app/TForm_Main.h"
#include "app/WindowPlacement.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "i18n/Catalogue.h"
#include "tools/TForm_EDT_Progress.h"
#include "tools/ToolSpinBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

/// The largest line number the range fields take.
constexpr int kMaxLine = 100000000;
/// The view follows a run in steps of this many lines.
constexpr qsizetype kCaretStep = 1000;

/// Changed lines up to which a run rewrites the editor line by line; beyond,
/// the whole text is replaced in one call.
constexpr qsizetype kLineByLineLimit = 1000;

long send(ProgramEditor *editor, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return editor->SendScintilla(message, wParam, lParam);
}

/// The text of the editor bytes \a source with '\n' between lines, as the
/// editor's programText() gives it.
QString documentText(const QByteArray &source)
{
    QString text = QString::fromUtf8(source);
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

/// One undo step during which the editor reports no modifications: a run
/// never adds or removes lines, and the reports (each carrying the text
/// changed) would cost more than the change itself on a large program.
class QuietEdit
{
public:
    explicit QuietEdit(ProgramEditor *editor)
        : m_editor(editor)
        , m_mask(send(editor, QsciScintillaBase::SCI_GETMODEVENTMASK))
    {
        send(m_editor, QsciScintillaBase::SCI_SETMODEVENTMASK, 0);
        m_editor->beginUndoAction();
    }
    ~QuietEdit()
    {
        m_editor->endUndoAction();
        send(m_editor, QsciScintillaBase::SCI_SETMODEVENTMASK, static_cast<unsigned long>(m_mask));
    }
    QuietEdit(const QuietEdit &) = delete;
    QuietEdit &operator=(const QuietEdit &) = delete;

private:
    ProgramEditor *m_editor;
    long m_mask;
};

} // namespace

ToolWindow::ToolWindow(TForm_Main &main, const Identity &identity)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_main(main)
    , m_identity(identity)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_options(new QGroupBox(identity.designGroup, this))
    , m_whole(new QRadioButton(QStringLiteral("Aplicar em todo o Arquivo"), this))
    , m_lines(new QRadioButton(QStringLiteral("Aplicar da linha"), this))
    , m_first(new ToolSpinBox(QStringLiteral("SpinEdit1"), 1, kMaxLine, 1, this))
    , m_up(new QLabel(QStringLiteral("até"), this))
    , m_last(new ToolSpinBox(QStringLiteral("SpinEdit2"), 1, kMaxLine, 1, this))
    , m_apply(new QPushButton(QStringLiteral("&Aplicar"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Cancelar"), this))
{
    setObjectName(identity.objectName);
    setWindowTitle(identity.designTitle);
    setModal(true);
    m_ribbon->setCaption(identity.designRibbon);
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_main.settings.HelpDir, m_identity.helpPage); });

    m_options->setObjectName(identity.groupName);

    auto *rangeGroup = new QGroupBox(this);
    rangeGroup->setObjectName(QStringLiteral("GroupBox1"));
    m_whole->setObjectName(QStringLiteral("RadioButton3"));
    m_lines->setObjectName(QStringLiteral("RadioButton4"));
    m_up->setObjectName(QStringLiteral("Label1"));
    m_whole->setChecked(true);
    for (QWidget *control :
         {static_cast<QWidget *>(m_whole), static_cast<QWidget *>(m_lines), static_cast<QWidget *>(m_first),
          static_cast<QWidget *>(m_up), static_cast<QWidget *>(m_last)}) {
        control->setParent(rangeGroup);
    }
    RadioButton4Toggled(false);
    connect(m_lines, &QRadioButton::toggled, this, &ToolWindow::RadioButton4Toggled);

    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_lines);
    rangeRow->addWidget(m_first);
    rangeRow->addWidget(m_up);
    rangeRow->addWidget(m_last);
    rangeRow->addStretch(1);
    auto *rangeColumn = new QVBoxLayout(rangeGroup);
    rangeColumn->addWidget(m_whole);
    rangeColumn->addLayout(rangeRow);

    m_apply->setObjectName(QStringLiteral("BitBtn1"));
    m_apply->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("BitBtn3"));
    connect(m_apply, &QPushButton::clicked, this, &ToolWindow::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(m_ribbon);
    column->addWidget(m_options);
    column->addWidget(rangeGroup);
    column->addLayout(buttons);
}

void ToolWindow::open()
{
    if (prepare()) {
        exec();
    }
}

bool ToolWindow::prepare()
{
    if (!m_main.documents().activeEditor()) {
        FUNC_Mensagem(&m_main, 1, T(m_identity.functionKey));
        return false;
    }
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(m_identity.ribbonKey));
    updateAccessibleNames();
    centreOnScreen(this, &m_main);
    return true;
}

ToolRange ToolWindow::range() const
{
    if (m_lines->isChecked()) {
        return ToolRange::lines(m_first->value(), m_last->value());
    }
    return ToolRange::whole();
}

void ToolWindow::RadioButton4Toggled(bool checked)
{
    m_first->setEnabled(checked);
    m_up->setEnabled(checked);
    m_last->setEnabled(checked);
}

void ToolWindow::BitBtn1Click()
{
    m_first->settle();
    m_last->settle();
    prepareRun();
    ProgramEditor *editor = m_main.documents().activeEditor();
    if (!editor || !m_progress) {
        reject();
        return;
    }
    const ToolRange toolRange = range();
    const ToolJob toolJob = job();
    accept();

    // Only the editor's bytes are taken here; decoding, splitting, the tool
    // and, for many changes, the new text are made on the worker thread.
    const auto *bytes
        = static_cast<const char *>(editor->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    const QByteArray source(bytes, send(editor, QsciScintillaBase::SCI_GETLENGTH));
    QString text;
    ToolLines lines;
    QByteArray newText;
    QPointer<ProgramEditor> guard(editor);
    const ToolResult result = m_progress->execute(description(), [&](const ToolControl &control) {
        text = documentText(source);
        lines = ToolRun::splitLines(text);
        if (control.isCancelled && control.isCancelled()) {
            ToolResult cancelled;
            cancelled.status = ToolStatus::Cancelled;
            return cancelled;
        }
        ToolResult toolResult = toolJob.run(lines, toolRange, control);
        if (toolResult.completed() && toolResult.changes.size() > kLineByLineLimit) {
            newText = ToolRun::joinLines(lines, toolResult.changes).toUtf8();
        }
        return toolResult;
    });
    finishRun(guard.data(), lines.size(), newText, toolJob, toolRange, result);
}

void ToolWindow::finishRun(ProgramEditor *editor, qsizetype lineCount, const QByteArray &newText, const ToolJob &job,
                           const ToolRange &range, const ToolResult &result)
{
    m_lastStatus = result.status;
    switch (result.status) {
    case ToolStatus::Completed:
        if (!editor) {
            break;
        }
        if (!newText.isEmpty()) {
            replaceText(editor, newText);
        } else if (!result.changes.isEmpty()) {
            replaceLines(editor, result.changes);
        } else {
            markModified(editor);
        }
        if (job.visitsLines) {
            placeCaret(editor, range, lineCount);
        }
        m_main.FUNC_Historico(result.log.title, result.log.details[0], result.log.details[1], result.log.details[2],
                              result.log.details[3]);
        if (m_main.isVisible()) {
            m_main.showMaximized();
        }
        break;
    case ToolStatus::Cancelled:
        break;
    case ToolStatus::Refused:
        MessageBoxes::show(&m_main, result.refusal.message, MessageKind::Error);
        break;
    }
    Q_EMIT runFinished(result.status);
}

void ToolWindow::replaceLines(ProgramEditor *editor, const QList<LineChange> &changes)
{
    const QuietEdit quiet(editor);
    for (const LineChange &change : changes) {
        const int line = static_cast<int>(change.index);
        const long start = send(editor, QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const long end = send(editor, QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
        const QByteArray bytes = change.text.toUtf8();
        send(editor, QsciScintillaBase::SCI_SETTARGETRANGE, start, end);
        editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                              bytes.constData());
    }
}

void ToolWindow::replaceText(ProgramEditor *editor, const QByteArray &text)
{
    const QuietEdit quiet(editor);
    send(editor, QsciScintillaBase::SCI_SETTARGETRANGE, 0, send(editor, QsciScintillaBase::SCI_GETLENGTH));
    editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()),
                          text.constData());
}

void ToolWindow::markModified(ProgramEditor *editor)
{
    // The editor has no way to raise its modified flag by itself: a blank put
    // in and taken out again, as one undo step, leaves the text as it was.
    const QuietEdit quiet(editor);
    editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, " ");
    send(editor, QsciScintillaBase::SCI_DELETERANGE, 0, 1);
}

void ToolWindow::placeCaret(ProgramEditor *editor, const ToolRange &range, qsizetype lineCount)
{
    // The view follows the run every kCaretStep lines: the caret ends on line
    // number i (counted from 1) for the last such index i of the range.
    const qsizetype first = range.wholeFile ? 0 : qsizetype(range.first) - 1;
    const qsizetype last = range.wholeFile ? lineCount - 1 : qsizetype(range.last) - 1;
    if (last < first) {
        return;
    }
    const qsizetype reached = last / kCaretStep * kCaretStep;
    if (reached < first) {
        return;
    }
    const int line = static_cast<int>(std::clamp<qsizetype>(reached - 1, 0, std::max<qsizetype>(lineCount - 1, 0)));
    editor->setCursorPosition(line, 0);
    editor->ensureLineVisible(line);
    editor->setFocus();
}

void ToolWindow::centreOnScreen(QWidget *window, const QWidget *reference)
{
    WindowPlacement::centreOnScreen(window, reference);
}

void ToolWindow::setCaptionGrey(QWidget *control, bool grey)
{
    control->setProperty("captionGrey", grey);
    QPalette palette = control->parentWidget() ? control->parentWidget()->palette() : QGuiApplication::palette();
    if (grey) {
        const QColor greyText = palette.color(QPalette::Disabled, QPalette::WindowText);
        palette.setColor(QPalette::Active, QPalette::WindowText, greyText);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, greyText);
        palette.setColor(QPalette::Active, QPalette::ButtonText, greyText);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, greyText);
    }
    control->setPalette(palette);
}

bool ToolWindow::isCaptionGrey(const QWidget *control)
{
    return control->property("captionGrey").toBool();
}

void ToolWindow::updateAccessibleNames()
{
    m_first->setAccessibleName(accessibleText(m_lines->text()));
    m_last->setAccessibleName(accessibleText(m_up->text()));
}

void ToolWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        QTimer::singleShot(0, this, [this] {
            setWindowState(Qt::WindowNoState);
            centreOnScreen(this, &m_main);
        });
    }
}

void ToolWindow::showEvent(QShowEvent *event)
{
    // The captions may have changed language since the last showing.
    updateAccessibleNames();
    QDialog::showEvent(event);
}

QCheckBox *ToolWindow::addCheckBox(const QString &objectName, const QString &designText)
{
    auto *box = new QCheckBox(designText, m_options);
    box->setObjectName(objectName);
    setCaptionGrey(box, true);
    connect(box, &QCheckBox::toggled, box, [box](bool checked) { setCaptionGrey(box, !checked); });
    return box;
}

QString ToolWindow::accessibleText(QString caption)
{
    return caption.remove(u'&').trimmed();
}

QChar ToolWindow::regionalSeparator()
{
    const QString separator = QLocale().decimalPoint();
    return separator.size() == 1 ? separator.front() : QChar(u'.');
}
